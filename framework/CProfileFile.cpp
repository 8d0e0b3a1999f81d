#include "framework/CProfileFile.h"
#include <windows.h>

std::string CProfileFile::GetString(const std::string& section, const std::string& key) const
{
    char buffer[4096] = "";
    DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer,
                                              sizeof buffer, m_strPath.c_str());
    return std::string(buffer, length);
}

bool CProfileFile::WriteString(const std::string& section, const std::string& key,
                               const std::string& value) const
{
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                        m_strPath.c_str()) != FALSE;
}
