#include "host/JournalFile.h"
#include <windows.h>
#include <cstdio>
#include <memory>
#include "framework/CFileFind.h"
#include "framework/CProfileFile.h"
#include "framework/CodePageText.h"

namespace {
// Size and last write time: a rename keeps both, a file copied in anew
// rarely has the same.
std::string Stamp(const WIN32_FIND_DATAW& found)
{
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return "";
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "%lX%08lX-%08lX%08lX", found.nFileSizeHigh, found.nFileSizeLow,
                  found.ftLastWriteTime.dwHighDateTime, found.ftLastWriteTime.dwLowDateTime);
    return stamp;
}

// The entries of a folder searched through its UTF-16 name, by their names
// in the code page with prefix put in front. A name the code page cannot
// hold is left out: its "?" names no file, and a look-alike would name
// another.
void ListStamps(const std::wstring& folder, const std::string& prefix, std::map<std::string, std::string>& stamps)
{
    CFileFind find;
    if (!find.FindFile(folder + L"\\*"))
        return;
    BOOL more = TRUE;
    while (more) {
        more = find.FindNextFile();
        std::string name = find.GetFileName();
        if (!find.IsDots() && !HoldsUnmappedChar(name))
            stamps[prefix + name] = Stamp(*find.GetFindData());
    }
}

std::wstring WideFolder(const std::string& folder)
{
    std::string withoutSeparator = folder.substr(0, folder.size() - (EndsInSeparator(folder) ? 1 : 0));
    int length = ::MultiByteToWideChar(CP_ACP, 0, withoutSeparator.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? static_cast<size_t>(length) : 1, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, withoutSeparator.c_str(), -1, &wide[0], length);
    wide.resize(wide.size() - 1);
    return wide;
}

// The Vis folder listed once, and each sub-folder the first time a name in it is asked for.
class FolderListing {
public:
    explicit FolderListing(const std::string& visFolder) : m_wideFolder(WideFolder(visFolder))
    {
        ListStamps(m_wideFolder, "", m_stamps);
    }

    std::optional<std::string> LookUp(const std::string& name)
    {
        size_t backslash = FindFirstChar(name, "\\");
        if (backslash != std::string::npos)
            ListSubFolder(name.substr(0, backslash));
        auto found = m_stamps.find(name);
        return found == m_stamps.end() ? std::nullopt : std::optional<std::string>(found->second);
    }

private:
    void ListSubFolder(const std::string& sub)
    {
        if (!m_listed.emplace(sub, true).second || !m_stamps.count(sub))
            return;
        // Its UTF-16 name from the code page: the listing holds only names the code page can.
        ListStamps(m_wideFolder + L"\\" + WideFolder(sub), sub + "\\", m_stamps);
    }

    std::wstring m_wideFolder;
    std::map<std::string, std::string> m_stamps;
    std::map<std::string, bool> m_listed;
};

bool IsHeld(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}
}

bool JournalFile::Exists() const
{
    return ::GetFileAttributesA(m_strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool JournalFile::ReadText(std::string& text, JournalFault& fault) const
{
    fault = JournalFault::None;
    if (CProfileFile(m_strPath).ReadText(text))
        return true;
    fault = IsHeld(::GetLastError()) ? JournalFault::Held : JournalFault::Malformed;
    return false;
}

JournalFault JournalFile::Read(SaveJournal& journal) const
{
    std::string text;
    JournalFault fault = JournalFault::None;
    if (!ReadText(text, fault))
        return fault;
    return ParseJournal(text, m_strVisFolder, journal);
}

bool JournalFile::ClaimsOpen() const
{
    std::string text;
    JournalFault fault = JournalFault::None;
    return ReadText(text, fault) ? SaysOpen(text) : fault == JournalFault::Held;
}

bool JournalFile::Write(const SaveJournal& journal) const
{
    return CProfileFile(m_strPath).WriteText(FormatJournal(journal));
}

// Deleting needs no space; a journal marked read-only is still ours to remove.
bool JournalFile::Remove() const
{
    ::SetFileAttributesA(m_strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    return ::DeleteFileA(m_strPath.c_str()) || !Exists();
}

std::map<std::string, std::string> JournalFile::StampFolder() const
{
    std::map<std::string, std::string> stamps;
    ListStamps(WideFolder(m_strVisFolder), "", stamps);
    return stamps;
}

LookUpName JournalFile::LookUpOnDisk() const
{
    auto listing = std::make_shared<FolderListing>(m_strVisFolder);
    return [listing](const std::string& name) { return listing->LookUp(name); };
}
