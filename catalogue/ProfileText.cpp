#include "catalogue/ProfileText.h"
#include "framework/ProfileSyntax.h"

namespace {
bool IsControl(char c)
{
    return static_cast<unsigned char>(c) < 0x20;
}
}

bool IsStorableProfileKey(const std::string& key)
{
    if (key.empty() || IsProfileBlank(key.front()) || IsProfileBlank(key.back()))
        return false;
    if (key.front() == ';' || key.front() == '[')
        return false;
    for (char c : key) {
        if (c == '=' || (IsControl(c) && c != '\t'))
            return false;
    }
    return true;
}

bool IsStorableProfileValue(const std::string& value)
{
    return value.find_first_of("\r\n") == std::string::npos;
}
