#include "catalogue/CVisFileFind.h"
#include "catalogue/PluginFileName.h"

BOOL CVisFileFind::FindFile(const std::string& pattern)
{
    if (m_strRoot.empty())
        return CFileFind::FindFile(pattern);
    Close();
    std::string path = m_strRoot;
    if (!EndsInSeparator(path))
        path += '\\';
    return StartSearch(path + pattern);
}

std::string CVisFileFind::GetFileExt() const
{
    return FileExtension(GetFileName());
}
