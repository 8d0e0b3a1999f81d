#include "sets/CSetLibrary.h"
#include <windows.h>
#include <algorithm>
#include "framework/CFile.h"
#include "framework/CProfileFile.h"
#include "sets/SetText.h"

namespace {
bool ComesBefore(const KeptSet& first, const KeptSet& second)
{
    return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, first.name.c_str(), -1, second.name.c_str(),
                            -1) == CSTR_LESS_THAN;
}
}

std::vector<std::string> CSetLibrary::Titles() const
{
    std::vector<std::string> titles;
    WIN32_FIND_DATAA found{};
    HANDLE find = ::FindFirstFileA((m_strFolder + "*" + kSetFileExtension).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return titles;
    const size_t extension = sizeof kSetFileExtension - 1;
    do {
        std::string name = found.cFileName;
        bool isFile = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
        if (isFile && name.size() > extension && !HoldsUnmappedChar(name))
            titles.push_back(name.substr(0, name.size() - extension));
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
    return titles;
}

std::vector<KeptSet> CSetLibrary::List(size_t limit) const
{
    std::vector<KeptSet> sets;
    for (const std::string& title : Titles()) {
        PluginSet set;
        if (ReadFile(PathOf(title), set).fault == SetFault::None)
            sets.push_back({title, Utf8ToCodePage(set.name)});
    }
    std::stable_sort(sets.begin(), sets.end(), ComesBefore);
    if (sets.size() > limit)
        sets.resize(limit);
    return sets;
}

std::string CSetLibrary::TitleOf(const std::string& name) const
{
    for (const KeptSet& set : List(SIZE_MAX))
        if (set.name == name)
            return set.title;
    return {};
}

SetReadResult CSetLibrary::ReadFile(const std::string& path, PluginSet& set)
{
    set = PluginSet{};
    CFile file;
    if (!file.Open(path))
        return {SetFault::NotASet, 0};
    LONGLONG length = file.GetLength();
    if (length < 0 || length > static_cast<LONGLONG>(kMostSetBytes))
        return {length < 0 ? SetFault::NotASet : SetFault::TooLarge, 0};
    std::string text(static_cast<size_t>(length), '\0');
    if (length > 0 && file.Read(&text[0], static_cast<UINT>(length)) != static_cast<UINT>(length))
        return {SetFault::NotASet, 0};
    return ReadSet(text, set);
}

bool CSetLibrary::WriteFile(const std::string& path, const PluginSet& set)
{
    return CProfileFile(path).WriteText(WriteSet(set));
}

std::string CSetLibrary::Keep(const PluginSet& set) const
{
    ::CreateDirectoryA(m_strFolder.c_str(), nullptr);
    std::string name = Utf8ToCodePage(set.name);
    std::string title = TitleOf(name);
    if (title.empty()) {
        std::vector<std::string> taken = Titles();
        title = SetFileTitle(name, taken);
    }
    return WriteFile(PathOf(title), set) ? title : std::string();
}
