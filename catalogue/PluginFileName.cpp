#include "catalogue/PluginFileName.h"

namespace {
const char kEnabledExtension[] = "svp";
const char kDisabledExtension[] = "svp_disabled";
const std::string kDisabledSuffix = "_disabled";

bool IsDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}
}

std::string FileExtension(const std::string& fileName)
{
    size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
}

PluginNameState StateFromExtension(const std::string& extension)
{
    if (extension == kEnabledExtension)
        return PluginNameState::Enabled;
    if (extension == kDisabledExtension)
        return PluginNameState::Disabled;
    return PluginNameState::NotPlugin;
}

PluginNameState StateOfFolderPlugin(const std::string& fileName)
{
    bool disabled = fileName.size() >= kDisabledSuffix.size() &&
                    fileName.compare(fileName.size() - kDisabledSuffix.size(), std::string::npos,
                                     kDisabledSuffix) == 0;
    return disabled ? PluginNameState::Disabled : PluginNameState::Enabled;
}

bool HasOrderTag(const std::string& name)
{
    return name.size() >= 4 && IsDecimalDigit(name[0]) && IsDecimalDigit(name[1]) &&
           IsDecimalDigit(name[2]) && name[3] == '_';
}

bool GetPluginKey(const std::string& path, std::string& key)
{
    key.clear();
    size_t separator = path.find_last_of("\\/");
    std::string title = separator == std::string::npos ? path : path.substr(separator + 1);
    size_t dot = title.rfind('.');
    if (dot != std::string::npos)
        title.erase(dot);
    if (title.empty())
        return false;
    if (HasOrderTag(title))
        title.erase(0, 4);
    key = title;
    return true;
}
