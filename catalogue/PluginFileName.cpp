#include "catalogue/PluginFileName.h"
#include <cstdio>

namespace {
// The tag is counted in bytes: digits are characters of one byte, so the
// fourth byte always starts a character.
constexpr size_t kOrderTagLength = 4;

bool IsDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}
}

std::string FileExtension(const std::string& fileName, LeadByteRule isLead)
{
    size_t dot = FindLastChar(fileName, ".", isLead);
    return dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
}

PluginNameState StateFromExtension(const std::string& extension)
{
    if (extension == kPluginExtension)
        return PluginNameState::Enabled;
    if (extension == std::string(kPluginExtension) + kDisabledSuffix)
        return PluginNameState::Disabled;
    return PluginNameState::NotPlugin;
}

bool HasDisabledSuffix(const std::string& name, LeadByteRule isLead)
{
    return EndsWithText(name, kDisabledSuffix, isLead);
}

bool HasOrderTag(const std::string& name)
{
    return name.size() >= kOrderTagLength && IsDecimalDigit(name[0]) && IsDecimalDigit(name[1]) &&
           IsDecimalDigit(name[2]) && name[3] == '_';
}

std::string WithOrderTag(int position, const std::string& name)
{
    char tag[16];
    std::snprintf(tag, sizeof tag, "%03d_", position);
    return tag + (HasOrderTag(name) ? name.substr(kOrderTagLength) : name);
}

bool GetPluginKey(const std::string& path, std::string& key, LeadByteRule isLead)
{
    key.clear();
    size_t separator = FindLastChar(path, "\\/", isLead);
    std::string title = separator == std::string::npos ? path : path.substr(separator + 1);
    size_t dot = FindLastChar(title, ".", isLead);
    if (dot != std::string::npos)
        title.erase(dot);
    if (title.empty())
        return false;
    if (HasOrderTag(title))
        title.erase(0, kOrderTagLength);
    key = title;
    return true;
}

std::string MatchingKey(const std::string& path, LeadByteRule isLead)
{
    std::string key;
    GetPluginKey(path, key, isLead);
    return LowerCase(key, isLead);
}
