#include "host/HostPaths.h"
#include "host/HostFacts.h"

HostPaths MakeHostPaths(const std::string& installFolder, LeadByteRule isLead)
{
    HostPaths paths;
    paths.folder = installFolder;
    if (!EndsWithText(paths.folder, "\\", isLead))
        paths.folder += '\\';
    paths.executable = paths.folder + host::kExecutable;
    paths.visFolder = paths.folder + host::kVisFolder + '\\';
    return paths;
}
