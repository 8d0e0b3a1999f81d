#include "catalogue/CProfileIndex.h"
#include <windows.h>
#include "catalogue/ProfileText.h"
#include "framework/CProfileFile.h"

namespace {
// In a multi-byte code page the system reads characters, not bytes: a
// trailing byte may look like "]" or "=" to a byte-wise reader.
bool IsSingleByteCodePage()
{
    CPINFO info{};
    return ::GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 1;
}

bool IsWholeText(const std::string& text)
{
    return IsSingleByteCodePage() && IsPlainProfileText(text);
}
}

CProfileIndex::CProfileIndex(const CProfileFile& file) : m_file(file)
{
    std::string text;
    // A file that cannot be read answers nothing, as it would to the
    // system's reader; the writes wait for Flush, which reads it again.
    bool read = m_file.ReadText(text);
    m_bWholeText = !read || IsWholeText(text);
    if (m_bWholeText)
        m_sections = ReadProfileSections(text);
}

std::string CProfileIndex::GetString(const std::string& section, const std::string& key) const
{
    return m_bWholeText ? ProfileAnswer(m_sections, section, key) : m_file.GetString(section, key);
}

bool CProfileIndex::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    if (!IsStorableProfileKey(key) || !IsStorableProfileValue(value))
        return false;
    if (!m_bWholeText)
        return m_file.WriteString(section, key, value);
    NoteProfileWrite(m_sections, section, {key, value});
    m_pending.push_back({section, {key, value}});
    return true;
}

bool CProfileIndex::Flush()
{
    std::vector<PendingWrite> writes;
    writes.swap(m_pending);
    if (writes.empty())
        return true;
    // Read again: the file may have been edited while a warning was shown.
    // A file that cannot be read now is not an empty one: nothing is written
    // this time, and the names are asked for again at the next start.
    std::string text;
    if (!m_file.ReadText(text))
        return false;
    if (!IsWholeText(text))
        return WriteKeyByKey(writes);
    for (size_t first = 0; first < writes.size();) {
        std::vector<ProfileString> run;
        size_t next = first;
        for (; next < writes.size() && writes[next].section == writes[first].section; ++next)
            run.push_back(writes[next].entry);
        text = WriteProfileStrings(text, writes[first].section, run);
        first = next;
    }
    return m_file.WriteText(text);
}

bool CProfileIndex::WriteKeyByKey(const std::vector<PendingWrite>& writes) const
{
    bool written = true;
    for (const PendingWrite& write : writes)
        written = m_file.WriteString(write.section, write.entry.key, write.entry.value) && written;
    return written;
}
