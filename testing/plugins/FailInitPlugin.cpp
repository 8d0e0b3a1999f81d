// A library whose start-up code refuses to load.
#include "testing/plugins/PluginRecord.h"

namespace {
const PluginRecord g_record{1, "Never Seen"};
}

STANDIN_EXPORT const PluginRecord* QueryModule()
{
    return &g_record;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    return reason != DLL_PROCESS_ATTACH;
}
