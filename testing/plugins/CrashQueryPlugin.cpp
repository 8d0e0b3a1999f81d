// "QueryModule" crashes.
#include "testing/plugins/PluginRecord.h"

namespace {
PluginRecord* volatile g_nowhere = nullptr;
}

STANDIN_EXPORT const PluginRecord* QueryModule()
{
    g_nowhere->version = 1;
    return g_nowhere;
}
