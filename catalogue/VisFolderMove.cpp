#include "catalogue/VisFolderMove.h"
#include <windows.h>
#include "catalogue/SafeName.h"

bool MoveWithoutReplace(const std::string& source, const std::string& target)
{
    if (source == target)
        return ::GetFileAttributesA(source.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (HoldsDeviceName(target.substr(FindLastChar(target, "\\") + 1))) {
        ::SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    return ::MoveFileExA(source.c_str(), target.c_str(), 0) != FALSE;
}
