// "QueryModule" has no record to give.
#include "testing/plugins/PluginRecord.h"

STANDIN_EXPORT const PluginRecord* QueryModule()
{
    return nullptr;
}
