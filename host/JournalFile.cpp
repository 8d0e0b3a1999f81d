#include "host/JournalFile.h"
#include <windows.h>
#include <cstdio>
#include "framework/CProfileFile.h"

namespace {
// Size and last write time: a rename keeps both, a file copied in anew
// rarely has the same.
std::string Stamp(DWORD attributes, DWORD sizeHigh, DWORD sizeLow, const FILETIME& written)
{
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return "";
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "%lX%08lX-%08lX%08lX", sizeHigh, sizeLow, written.dwHighDateTime,
                  written.dwLowDateTime);
    return stamp;
}
}

bool JournalFile::Exists() const
{
    return ::GetFileAttributesA(m_strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

JournalFault JournalFile::Read(SaveJournal& journal) const
{
    std::string text;
    if (!CProfileFile(m_strPath).ReadText(text))
        return JournalFault::Malformed;
    return ParseJournal(text, m_strVisFolder, journal);
}

bool JournalFile::Write(const SaveJournal& journal) const
{
    return CProfileFile(m_strPath).WriteText(FormatJournal(journal));
}

std::map<std::string, std::string> JournalFile::StampFolder() const
{
    std::map<std::string, std::string> stamps;
    WIN32_FIND_DATAA found{};
    HANDLE find = ::FindFirstFileA((m_strVisFolder + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return stamps;
    do
        stamps[found.cFileName] =
            Stamp(found.dwFileAttributes, found.nFileSizeHigh, found.nFileSizeLow, found.ftLastWriteTime);
    while (::FindNextFileA(find, &found));
    ::FindClose(find);
    return stamps;
}

LookUpName JournalFile::LookUpOnDisk() const
{
    return [folder = m_strVisFolder](const std::string& name) -> std::optional<std::string> {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!::GetFileAttributesExA((folder + name).c_str(), GetFileExInfoStandard, &data))
            return std::nullopt;
        return Stamp(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime);
    };
}
