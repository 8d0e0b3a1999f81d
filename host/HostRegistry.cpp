#include "host/HostRegistry.h"
#include <windows.h>
#include "host/HostFacts.h"

bool ReadHostFolder(std::string& folder)
{
    folder.clear();
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, host::kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char value[MAX_PATH + 1] = "";
    DWORD size = MAX_PATH;  // one byte spare keeps an unterminated value terminated
    DWORD type = 0;
    LONG result = ::RegQueryValueExA(key, host::kPathValue, nullptr, &type,
                                     reinterpret_cast<BYTE*>(value), &size);
    ::RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    folder = value;
    return !folder.empty();
}
