#pragma once
#include <windows.h>
#include <fstream>
#include <string>

// A fresh folder under the temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder()
    {
        char base[MAX_PATH];
        ::GetTempPathA(MAX_PATH, base);
        static unsigned counter = 0;
        m_path = std::string(base) + "orbiquel-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
                 std::to_string(++counter);
        // Process ids come round again: a run that crashed may have left this name behind.
        Remove(WidePath());
        ::CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~TempFolder() { Remove(WidePath()); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& relative) const { return m_path + "\\" + relative; }

    // The same in UTF-16, for names the code page cannot hold.
    std::wstring operator/(const std::wstring& relative) const { return WidePath() + L"\\" + relative; }

    void WriteFile(const std::string& relative, const std::string& content) const
    {
        std::ofstream(*this / relative, std::ios::binary) << content;
    }
    // An empty file.
    void WriteFile(const std::wstring& relative) const
    {
        ::CloseHandle(::CreateFileW((*this / relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    }
    void MakeFolder(const std::string& relative) const { ::CreateDirectoryA((*this / relative).c_str(), nullptr); }
    void MakeFolder(const std::wstring& relative) const { ::CreateDirectoryW((*this / relative).c_str(), nullptr); }
    bool Exists(const std::string& relative) const
    {
        return ::GetFileAttributesA((*this / relative).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

private:
    std::wstring WidePath() const
    {
        wchar_t path[MAX_PATH] = L"";
        ::MultiByteToWideChar(CP_ACP, 0, m_path.c_str(), -1, path, MAX_PATH);
        return path;
    }

    // By the names the system holds: the code page's "?" would miss some.
    static void Remove(const std::wstring& path)
    {
        WIN32_FIND_DATAW data;
        HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = data.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                std::wstring child = path + L"\\" + name;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    Remove(child);
                else
                    ::DeleteFileW(child.c_str());
            } while (::FindNextFileW(find, &data));
            ::FindClose(find);
        }
        ::RemoveDirectoryW(path.c_str());
    }

    std::string m_path;
};
