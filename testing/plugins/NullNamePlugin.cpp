// A record whose name field is null.
#include "testing/plugins/PluginRecord.h"

namespace {
const PluginRecord g_record{1, nullptr};
}

STANDIN_EXPORT const PluginRecord* QueryModule()
{
    return &g_record;
}
