#pragma once
#include <windows.h>

// The description record a plug-in's "QueryModule" returns; the manager reads
// only the name, the second 32-bit field.
struct PluginRecord {
    DWORD version;
    const char* name;
};

#define STANDIN_EXPORT extern "C" __declspec(dllexport)
