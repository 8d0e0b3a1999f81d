#include "catalogue/RecycleBin.h"
#include <shellapi.h>
#include "catalogue/PluginInstall.h"

RecycleOutcome MoveToRecycleBin(const std::string& path, const RecycleAsk&)
{
    std::string from = DoubleNulList({path});
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationA(&operation);
    return ::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES ? RecycleOutcome::Recycled
                                                                          : RecycleOutcome::Kept;
}
