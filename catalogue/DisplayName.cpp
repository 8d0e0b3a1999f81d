#include "catalogue/DisplayName.h"
#include "catalogue/CProfileIndex.h"
#include "catalogue/PluginFileName.h"
#include "catalogue/PluginQuery.h"
#include "catalogue/ProfileText.h"

namespace {
// What the file tells first, so that a foreign file never reaches the loader.
PluginProblem AskPlugin(const std::string& path, const std::string& hostFolder, std::string& name,
                        PluginDiagnosis& why)
{
    why.problem = CheckPluginHeaders(path);
    if (why.problem == PluginProblem::None)
        why.problem = QueryPluginName(path, name);
    if (why.problem == PluginProblem::LoadFailed)
        why = DiagnoseLoadFailure(path, hostFolder);
    return why.problem;
}
}

bool LookupDisplayName(CProfileIndex& settings, const std::string& path, const std::string& hostFolder,
                       std::string& name, PluginDiagnosis& why)
{
    why = PluginDiagnosis();
    std::string key;
    GetPluginKey(path, key);  // an empty key is simply not storable
    bool storable = IsStorableProfileKey(key);

    if (storable) {
        name = settings.GetString(kCacheSection, key);
        if (!name.empty())
            return true;  // not loaded: that is what the cache is for
    }
    if (AskPlugin(path, hostFolder, name, why) == PluginProblem::None) {
        // A name the file cannot hold, or a failed write, only means asking again at the next start.
        if (storable)
            settings.WriteString(kCacheSection, key, name);
        return true;
    }
    name = storable ? settings.GetString(kLockedSection, key) : std::string();
    return !name.empty();
}

bool LookupDisplayName(const CProfileFile& settings, const std::string& path, const std::string& hostFolder,
                       std::string& name, PluginDiagnosis& why)
{
    CProfileIndex index(settings);
    bool found = LookupDisplayName(index, path, hostFolder, name, why);
    index.Flush();
    return found;
}
