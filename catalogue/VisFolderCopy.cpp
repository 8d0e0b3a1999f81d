#include "catalogue/VisFolderCopy.h"
#include <windows.h>
#include "catalogue/PluginInstall.h"
#include "catalogue/RecycleBin.h"
#include "catalogue/VisFolderMove.h"
#include "framework/CFileFind.h"

namespace {
DWORD AttributesOf(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str());
}

// Into a folder made new, never over anything.
bool CopyTree(const std::wstring& from, const std::wstring& to)
{
    if (!::CreateDirectoryW(to.c_str(), nullptr))
        return false;
    CFileFind find;
    BOOL more = find.FindFile(from + L"\\*");
    while (more) {
        more = find.FindNextFile();
        if (find.IsDots())
            continue;
        std::wstring source = find.GetWideFilePath();
        std::wstring target = to + source.substr(from.size());
        bool copied = find.IsDirectory() ? CopyTree(source, target)
                                         : ::CopyFileW(source.c_str(), target.c_str(), TRUE) != FALSE;
        if (!copied)
            return false;
    }
    return true;
}
}

bool CopyIntoVisFolder(const std::string& source, const std::string& target)
{
    std::string copying = CopyingName(target);
    DWORD attributes = AttributesOf(source);
    bool copied = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)
                      ? CopyTree(WidePath(source), WidePath(copying))
                      : ::CopyFileA(source.c_str(), copying.c_str(), TRUE) != FALSE;
    if (copied && MoveWithoutReplace(copying, target))
        return true;
    // Ours by its name, and half made.
    if (AttributesOf(copying) != INVALID_FILE_ATTRIBUTES)
        DeleteForGood(copying);
    return false;
}

void RemoveInterruptedCopies(const std::string& visFolder)
{
    CFileFind find;
    BOOL more = find.FindFile(visFolder + "*" + kCopyingSuffix);
    while (more) {
        more = find.FindNextFile();
        if (IsCopyingName(find.GetFileName()))
            DeleteForGood(find.GetFilePath());
    }
}

std::wstring WidePath(const std::string& path)
{
    std::wstring wide(path.size() + 1, L'\0');
    int length = ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    wide.resize(length > 0 ? static_cast<size_t>(length - 1) : 0);
    return wide;
}
