// A library that exports something, but not "QueryModule".
#include "testing/plugins/PluginRecord.h"

STANDIN_EXPORT int QueryModuleVersion()
{
    return 1;
}
