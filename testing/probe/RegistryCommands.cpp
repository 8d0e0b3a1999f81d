// Registry values of the prefix (the stand-in host's key above all), and the
// stand-in host installation.
#include <windows.h>
#include <shlwapi.h>
#include "host/HostFacts.h"
#include "testing/probe/ProbeCommands.h"
#include "testing/probe/ProbeWin32.h"

namespace {

// "HKCU\Software\..." into its root and the path below it.
bool SplitKey(const std::string& key, HKEY& root, std::string& path)
{
    const struct {
        const char* name;
        HKEY root;
    } roots[] = {{"HKCU", HKEY_CURRENT_USER}, {"HKLM", HKEY_LOCAL_MACHINE}, {"HKCC", HKEY_CURRENT_CONFIG}};
    auto slash = key.find('\\');
    for (const auto& candidate : roots) {
        if (key.compare(0, slash, candidate.name) == 0) {
            root = candidate.root;
            path = slash == std::string::npos ? "" : key.substr(slash + 1);
            return true;
        }
    }
    return false;
}

std::string ValueData(DWORD type, const std::string& bytes)
{
    if (type == REG_DWORD && bytes.size() >= sizeof(DWORD))
        return std::to_string(*reinterpret_cast<const DWORD*>(bytes.data()));
    if (type == REG_SZ || type == REG_EXPAND_SZ)
        return std::string(bytes.c_str());
    return bytes;
}

const char* TypeName(DWORD type)
{
    switch (type) {
    case REG_SZ: return "sz";
    case REG_EXPAND_SZ: return "expand-sz";
    case REG_DWORD: return "dword";
    default: return "other";
    }
}

bool SetString(HKEY root, const std::string& path, const std::string& name, const std::string& text)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    LONG status = ::RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                   static_cast<DWORD>(text.size() + 1));
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool SetDword(HKEY root, const std::string& path, const std::string& name, DWORD number)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    LONG status =
        ::RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

}

// value: exists (the key), type (sz, dword, other, or missing) and data.
bool RegGetCommand(const ProbeRecord& request, ProbeReply& reply)
{
    HKEY root = nullptr;
    std::string path;
    if (!SplitKey(request.Get("key"), root, path))
        return reply.Fail("unknown registry root");
    ProbeRecord& value = reply.Add("value");
    value.Set("name", request.Get("name")).SetNumber("exists", 0).Set("type", "missing");
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return true;
    value.SetNumber("exists", 1);
    DWORD type = 0, size = 0;
    if (::RegQueryValueExA(key, request.Get("name").c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::string bytes(size + 1, '\0');
        ::RegQueryValueExA(key, request.Get("name").c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]),
                           &size);
        bytes.resize(size);
        value.Set("type", TypeName(type)).Set("data", ValueData(type, bytes));
    }
    ::RegCloseKey(key);
    return true;
}

// Writes sz= as a string or dword= as a number, creating the key.
bool RegSetCommand(const ProbeRecord& request, ProbeReply& reply)
{
    HKEY root = nullptr;
    std::string path;
    if (!SplitKey(request.Get("key"), root, path))
        return reply.Fail("unknown registry root");
    bool written = request.Has("dword")
                       ? SetDword(root, path, request.Get("name"), static_cast<DWORD>(request.GetNumber("dword")))
                       : SetString(root, path, request.Get("name"), request.Get("sz"));
    return written || reply.Fail("cannot write the value");
}

// Deletes the value name=, or the whole key with everything below it.
bool RegDeleteCommand(const ProbeRecord& request, ProbeReply& reply)
{
    HKEY root = nullptr;
    std::string path;
    if (!SplitKey(request.Get("key"), root, path) || path.empty())
        return reply.Fail("refusing to delete a registry root");
    if (!request.Has("name")) {
        DWORD status = ::SHDeleteKeyA(root, path.c_str());
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND || reply.Fail("cannot delete the key");
    }
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return true;
    ::RegDeleteValueA(key, request.Get("name").c_str());
    ::RegCloseKey(key);
    return true;
}

// The stand-in host installation: folder= gets an empty Vis folder and the
// host's key names it as "MelodriftPath" (or names path= instead, when given).
bool HostInstallCommand(const ProbeRecord& request, ProbeReply& reply)
{
    std::string folder = request.Get("folder");
    std::string vis = folder + "\\" + host::kVisFolder;
    ::CreateDirectoryA(folder.c_str(), nullptr);
    ::CreateDirectoryA(vis.c_str(), nullptr);
    if (::GetFileAttributesA(vis.c_str()) == INVALID_FILE_ATTRIBUTES)
        return reply.Fail("cannot create " + vis);
    std::string value = request.Has("path") ? request.Get("path") : folder;
    if (!SetString(HKEY_CURRENT_USER, host::kSettingsKey, host::kPathValue, value))
        return reply.Fail("cannot write the host's key");
    reply.Add("host").Set("folder", folder).Set("vis", vis).Set("path", value);
    return true;
}
