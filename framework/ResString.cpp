#include "framework/ResString.h"
#include <cstdio>
#include "framework/CWinApp.h"

std::string LoadResString(UINT id)
{
    char buffer[1024] = "";
    int length = ::LoadStringA(AfxGetResourceHandle(), id, buffer, sizeof buffer);
    return std::string(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

std::string FormatResString1(UINT id, const std::string& argument)
{
    std::string text = LoadResString(id);
    for (size_t at = text.find("%1"); at != std::string::npos; at = text.find("%1", at + argument.size()))
        text.replace(at, 2, argument);
    return text;
}

std::string ListLines(const std::vector<std::string>& lines, size_t most, UINT moreId)
{
    std::string list;
    for (size_t index = 0; index < lines.size() && index < most; ++index)
        list += (index ? "\n" : "") + lines[index];
    if (lines.size() > most) {
        char more[128];
        std::snprintf(more, sizeof more, LoadResString(moreId).c_str(), static_cast<int>(lines.size() - most));
        list += "\n";
        list += more;
    }
    return list;
}
