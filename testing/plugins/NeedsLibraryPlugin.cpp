// A plug-in that imports a library no Windows has (ORBMISS71.DLL, made from
// MissingLibrary.def), as one built against an old runtime that is not installed.
#include "testing/plugins/PluginRecord.h"

extern "C" __declspec(dllimport) int OrbiquelMissingEntry();

namespace {
PluginRecord g_record{1, "Needs a library"};
}

STANDIN_EXPORT const PluginRecord* QueryModule()
{
    g_record.version = static_cast<DWORD>(OrbiquelMissingEntry());
    return &g_record;
}
