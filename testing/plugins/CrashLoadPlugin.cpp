// A library whose start-up code crashes.
#include "testing/plugins/PluginRecord.h"

namespace {
const PluginRecord g_record{1, "Never Seen"};
int* volatile g_nowhere = nullptr;
}

STANDIN_EXPORT const PluginRecord* QueryModule()
{
    return &g_record;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        *g_nowhere = 1;
    return TRUE;
}
