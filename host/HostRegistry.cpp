#include "host/HostRegistry.h"
#include <windows.h>
#include <cstdio>
#include <cstring>
#include "host/HostFacts.h"
#include "host/HostRecord.h"

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

int ReadVisNumber()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, host::kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return kNoVisual;
    char value[kVisNumberMaxLength + 2] = "";
    DWORD size = kVisNumberMaxLength + 1;  // room for the terminator; a longer value fails to read
    LONG result = ::RegQueryValueExA(key, host::kVisNumberValue, nullptr, nullptr,
                                     reinterpret_cast<BYTE*>(value), &size);
    ::RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return kNoVisual;
    return ParseVisNumber(value);
}

bool WriteVisNumber(int number)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, host::kSettingsKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS)
        return false;
    char text[16];
    std::snprintf(text, sizeof text, "%d", number);
    LONG result = ::RegSetValueExA(key, host::kVisNumberValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                   static_cast<DWORD>(std::strlen(text) + 1));
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}
