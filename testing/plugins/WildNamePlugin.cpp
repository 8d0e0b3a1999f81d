// A record whose name field points at memory that cannot be read.
#include "testing/plugins/PluginRecord.h"

namespace {
const PluginRecord g_record{1, reinterpret_cast<const char*>(0x10)};
}

STANDIN_EXPORT const PluginRecord* QueryModule()
{
    return &g_record;
}
