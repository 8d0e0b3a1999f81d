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
        ::CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~TempFolder() { Remove(m_path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& relative) const { return m_path + "\\" + relative; }

    void WriteFile(const std::string& relative, const std::string& content) const
    {
        std::ofstream(*this / relative, std::ios::binary) << content;
    }
    void MakeFolder(const std::string& relative) const { ::CreateDirectoryA((*this / relative).c_str(), nullptr); }
    bool Exists(const std::string& relative) const
    {
        return ::GetFileAttributesA((*this / relative).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

private:
    static void Remove(const std::string& path)
    {
        WIN32_FIND_DATAA data;
        HANDLE find = ::FindFirstFileA((path + "\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::string name = data.cFileName;
                if (name == "." || name == "..")
                    continue;
                std::string child = path + "\\" + name;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    Remove(child);
                else
                    ::DeleteFileA(child.c_str());
            } while (::FindNextFileA(find, &data));
            ::FindClose(find);
        }
        ::RemoveDirectoryA(path.c_str());
    }

    std::string m_path;
};
