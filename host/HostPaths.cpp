#include "host/HostPaths.h"
#include "host/HostFacts.h"

HostPaths MakeHostPaths(const std::string& installFolder)
{
    HostPaths paths;
    paths.folder = installFolder;
    if (paths.folder.empty() || paths.folder.back() != '\\')
        paths.folder += '\\';
    paths.executable = paths.folder + host::kExecutable;
    paths.visFolder = paths.folder + host::kVisFolder + '\\';
    return paths;
}
