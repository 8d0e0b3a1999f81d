#include "framework/ProfileSyntax.h"

bool IsProfileBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string_view TrimProfileBlanks(std::string_view text)
{
    size_t begin = 0;
    while (begin < text.size() && IsProfileBlank(text[begin]))
        ++begin;
    size_t end = text.size();
    while (end > begin && IsProfileBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::string ProfileValueAsRead(std::string_view value)
{
    value = TrimProfileBlanks(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}
