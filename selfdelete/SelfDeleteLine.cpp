#include "selfdelete/SelfDeleteLine.h"
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <limits>

namespace {
const char kSwitch[] = "/SelfDelete";
const std::size_t kMaxPath = 260; // the copy's path buffer, terminator included

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Reads one field at pos: a quoted text (without its quotes) or a run of
// non-blanks. False when there is none or a quote is left open.
bool NextField(const std::string& text, std::size_t& pos, std::string& field)
{
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    if (pos == text.size())
        return false;
    if (text[pos] == '"') {
        std::size_t close = text.find('"', pos + 1);
        if (close == std::string::npos)
            return false;
        field = text.substr(pos + 1, close - pos - 1);
        pos = close + 1;
        return true;
    }
    std::size_t end = pos;
    while (end < text.size() && !IsBlank(text[end]))
        ++end;
    field = text.substr(pos, end - pos);
    pos = end;
    return true;
}

// A whole field of decimal digits, with a minus sign where allowed, in range.
bool ToNumber(const std::string& field, bool allowSign, long long low, long long high, long long& value)
{
    std::size_t digits = allowSign && !field.empty() && field[0] == '-' ? 1 : 0;
    if (digits == field.size())
        return false;
    for (std::size_t i = digits; i < field.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(field[i])))
            return false;
    errno = 0;
    value = std::strtoll(field.c_str(), nullptr, 10);
    return errno == 0 && value >= low && value <= high;
}

}

std::string FormatSelfDeleteLine(const std::string& copyPath, const SelfDeleteLine& line)
{
    return "\"" + copyPath + "\" " + kSwitch + " " + std::to_string(line.process) + " \"" + line.path + "\" " +
           std::to_string(line.flags);
}

bool ParseSelfDeleteLine(const std::string& arguments, SelfDeleteLine& line)
{
    std::size_t pos = 0;
    std::string word, process, path, flags, extra;
    long long handle = 0, bits = 0;
    if (!NextField(arguments, pos, word) || word != kSwitch || !NextField(arguments, pos, process) ||
        !NextField(arguments, pos, path) || !NextField(arguments, pos, flags) || NextField(arguments, pos, extra))
        return false;
    using Int32 = std::numeric_limits<std::int32_t>;
    if (!ToNumber(process, true, Int32::min(), Int32::max(), handle) ||
        !ToNumber(flags, false, 0, std::numeric_limits<std::uint32_t>::max(), bits) || path.empty() ||
        path.size() >= kMaxPath)
        return false;
    line.process = static_cast<std::int32_t>(handle);
    line.path = path;
    line.flags = static_cast<std::uint32_t>(bits);
    return true;
}

std::string DriveOfPath(const std::string& dosPath)
{
    if (dosPath.size() < 3 || !std::isalpha(static_cast<unsigned char>(dosPath[0])) || dosPath[1] != ':' ||
        dosPath[2] != '\\')
        return "";
    return dosPath.substr(0, 2);
}

bool ImageIsFile(const std::string& imageDevicePath, const std::string& driveDevice, const std::string& dosPath,
                 LeadByteRule isLead)
{
    if (DriveOfPath(dosPath).empty() || driveDevice.empty())
        return false;
    return LowerCase(imageDevicePath, isLead) == LowerCase(driveDevice + dosPath.substr(2), isLead);
}
