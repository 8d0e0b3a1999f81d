#include "host/RenameRecovery.h"
#include <map>

namespace {
// The folder as the walk back has put it so far: a name it moved maps to
// where that file really is now, a name it emptied maps to nothing.
class FolderInThought {
public:
    FolderInThought(const LookUpName& lookUp, LeadByteRule isLead) : m_lookUp(lookUp), m_isLead(isLead) {}

    std::optional<std::string> LookUp(const std::string& name) const
    {
        std::optional<std::string> real = RealName(name);
        return real ? m_lookUp(*real) : std::nullopt;
    }

    void PutBack(const JournalRename& rename)
    {
        m_moved[rename.from] = RealName(rename.to);
        m_moved[rename.to] = std::nullopt;
    }

private:
    // Where name is on disk; nothing when the walk has emptied it.
    std::optional<std::string> RealName(const std::string& name) const
    {
        auto moved = m_moved.find(name);
        if (moved != m_moved.end())
            return moved->second;
        size_t backslash = FindFirstChar(name, "\\", m_isLead);
        if (backslash == std::string::npos)
            return name;
        auto folder = m_moved.find(name.substr(0, backslash));
        if (folder == m_moved.end())
            return name;
        if (!folder->second)
            return std::nullopt;
        return *folder->second + name.substr(backslash);
    }

    const LookUpName& m_lookUp;
    LeadByteRule m_isLead;
    std::map<std::string, std::optional<std::string>> m_moved;
};
}

std::vector<RenameFound> FindRenamesMade(const std::vector<JournalRename>& renames, const LookUpName& lookUp,
                                         LeadByteRule isLead)
{
    std::vector<RenameFound> found(renames.size(), RenameFound::Lost);
    FolderInThought folder(lookUp, isLead);
    for (size_t index = renames.size(); index-- > 0;) {
        const JournalRename& rename = renames[index];
        std::optional<std::string> atNew = folder.LookUp(rename.to);
        bool atOld = folder.LookUp(rename.from).has_value();
        bool sameFile = atNew && (rename.stamp.empty() || *atNew == rename.stamp);
        if (sameFile && !atOld) {
            found[index] = RenameFound::Made;
            folder.PutBack(rename);
        } else if (atOld) {
            found[index] = RenameFound::NotMade;
        }
    }
    // A plug-in's second step looks for a name its first step has not made yet.
    for (size_t index = 1; index < renames.size(); ++index)
        if (found[index] == RenameFound::Lost && found[index - 1] == RenameFound::NotMade &&
            ContinuesPlugin(renames[index], renames[index - 1]))
            found[index] = RenameFound::NotMade;
    return found;
}

bool ContinuesPlugin(const JournalRename& rename, const JournalRename& before)
{
    return rename.stateStep && rename.plugin == before.plugin;
}

PluginCount CountPluginsRenamed(const std::vector<JournalRename>& renames, const std::vector<RenameFound>& found)
{
    PluginCount count;
    bool whole = false;
    for (size_t index = 0; index < renames.size(); ++index) {
        bool made = found[index] == RenameFound::Made;
        if (index > 0 && ContinuesPlugin(renames[index], renames[index - 1])) {
            if (whole && !made) {
                whole = false;
                --count.renamed;
            }
            continue;
        }
        ++count.total;
        whole = made;
        count.renamed += made ? 1 : 0;
    }
    return count;
}
