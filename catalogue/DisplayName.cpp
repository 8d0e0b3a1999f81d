#include "catalogue/DisplayName.h"
#include "catalogue/CProfileIndex.h"
#include "catalogue/PluginFileName.h"
#include "catalogue/PluginQuery.h"
#include "catalogue/ProfileText.h"

bool LookupDisplayName(CProfileIndex& settings, const std::string& path, std::string& name)
{
    std::string key;
    GetPluginKey(path, key);  // an empty key is simply not storable
    bool storable = IsStorableProfileKey(key);

    if (storable) {
        name = settings.GetString(kCacheSection, key);
        if (!name.empty())
            return true;  // not loaded: that is what the cache is for
    }
    // A row without text could not be told apart: an empty name is no name.
    if (QueryPluginName(path, name) && !name.empty()) {
        // A name the file cannot hold, or a failed write, only means asking again at the next start.
        if (storable)
            settings.WriteString(kCacheSection, key, name);
        return true;
    }
    name = storable ? settings.GetString(kLockedSection, key) : std::string();
    return !name.empty();
}

bool LookupDisplayName(const CProfileFile& settings, const std::string& path, std::string& name)
{
    CProfileIndex index(settings);
    bool found = LookupDisplayName(index, path, name);
    index.Flush();
    return found;
}
