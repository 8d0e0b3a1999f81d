#include "catalogue/PluginQuery.h"
#include <windows.h>
#include <cstddef>
#include <cstring>
#include "catalogue/CrashGuard.h"

namespace {
// The part of a plug-in's description record that we read.
struct ModuleRecord {
    DWORD unused;
    const char* name;
};
static_assert(offsetof(ModuleRecord, name) == 4, "the name pointer is the record's second 32-bit field");

using QueryModuleProc = const ModuleRecord* (*)();

struct NameQuery {
    QueryModuleProc query;
    char* buffer;  // kMaxDisplayName characters
    size_t length = 0;
    bool hasRecord = false;
};

// Runs under the crash guard: touches only plug-in memory and the buffer.
void AskForName(void* context)
{
    auto* ask = static_cast<NameQuery*>(context);
    const ModuleRecord* record = ask->query();
    if (!record)
        return;
    ask->hasRecord = true;
    if (const char* name = record->name) {
        ask->length = ::strnlen(name, kMaxDisplayName);
        std::memcpy(ask->buffer, name, ask->length);
    }
}

QueryModuleProc FindQueryModule(HMODULE library)
{
    // Through void (*)(), the function type that converts to any other without a warning.
    FARPROC entry = ::GetProcAddress(library, "QueryModule");
    return reinterpret_cast<QueryModuleProc>(reinterpret_cast<void (*)()>(entry));
}

PluginProblem CopyNameFromRecord(QueryModuleProc query, std::string& name)
{
    std::string buffer(kMaxDisplayName, '\0');
    NameQuery ask{query, &buffer[0]};
    if (!RunGuarded(&AskForName, &ask))
        return PluginProblem::Crashed;
    // A row without text could not be told apart: an empty name is no name.
    if (!ask.hasRecord || ask.length == 0)
        return PluginProblem::NoName;
    buffer.resize(ask.length);
    name = buffer;
    return PluginProblem::None;
}
}

PluginProblem QueryPluginName(const std::string& path, std::string& name)
{
    // A broken plug-in must fail quietly, not with a system error box.
    UINT previousMode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE library = ::LoadLibraryA(path.c_str());
    ::SetErrorMode(previousMode);
    if (!library)
        return PluginProblem::LoadFailed;
    QueryModuleProc query = FindQueryModule(library);
    PluginProblem problem = query ? CopyNameFromRecord(query, name) : PluginProblem::NoEntryPoint;
    ::FreeLibrary(library);
    return problem;
}
