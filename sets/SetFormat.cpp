#include "sets/SetFormat.h"
#include "catalogue/SafeName.h"

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr char kLineEnd[] = "\r\n";

// UTF-8 has no lead bytes in the code-page sense: no byte after a
// character's first is ASCII.
bool NoLeadByte(unsigned char)
{
    return false;
}

bool IsControl(unsigned char byte)
{
    return byte < 0x20 || byte == 0x7F;
}

bool HoldsControl(std::string_view text)
{
    for (char c : text)
        if (IsControl(static_cast<unsigned char>(c)))
            return true;
    return false;
}

// Well-formed UTF-8: no stray or missing continuation bytes, no overlong
// forms, no surrogates, nothing above U+10FFFF.
bool IsUtf8(std::string_view text)
{
    for (size_t at = 0; at < text.size();) {
        auto byte = static_cast<unsigned char>(text[at]);
        size_t length = byte < 0x80 ? 1 : byte >= 0xC2 && byte <= 0xDF ? 2 : byte >= 0xE0 && byte <= 0xEF ? 3
                        : byte >= 0xF0 && byte <= 0xF4 ? 4 : 0;
        if (length == 0 || at + length > text.size())
            return false;
        for (size_t next = 1; next < length; ++next)
            if ((static_cast<unsigned char>(text[at + next]) & 0xC0) != 0x80)
                return false;
        auto second = length > 1 ? static_cast<unsigned char>(text[at + 1]) : 0;
        if ((byte == 0xE0 && second < 0xA0) || (byte == 0xED && second > 0x9F) || (byte == 0xF0 && second < 0x90) ||
            (byte == 0xF4 && second > 0x8F))
            return false;
        at += length;
    }
    return true;
}

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// The lines of text without their ends; a last line without an end counts.
std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

SetFault ReadPluginLine(std::string_view line, SetEntry& entry)
{
    size_t first = line.find(kSetSeparator);
    size_t second = first == std::string_view::npos ? first : line.find(kSetSeparator, first + 1);
    if (second == std::string_view::npos)
        return SetFault::Malformed;
    std::string_view state = line.substr(0, first);
    if (state != kSetOn && state != kSetOff)
        return SetFault::Malformed;
    std::string_view key = line.substr(first + 1, second - first - 1);
    if (!IsSafeSetKey(key))
        return SetFault::UnsafeKey;
    entry.on = state == kSetOn;
    entry.key = key;
    entry.displayName = line.substr(second + 1);
    return SetFault::None;
}

// One line in its place: 0 the format, 1 the name, 2 the current plug-in, then plug-ins.
SetFault ReadLine(std::string_view line, size_t place, PluginSet& set)
{
    if (HoldsControl(line))
        return SetFault::Malformed;
    if (place == 0)
        return line == kSetFormatLine ? SetFault::None : SetFault::NotASet;
    if (place == 1) {
        if (!StartsWith(line, kSetNameLabel) || line.size() == sizeof kSetNameLabel - 1)
            return SetFault::Malformed;
        set.name = line.substr(sizeof kSetNameLabel - 1);
        return SetFault::None;
    }
    if (place == 2) {
        // "Current:" alone, as an editor that trims line ends leaves it, names none.
        if (!StartsWith(line, kSetCurrentLabel))
            return SetFault::Malformed;
        std::string_view rest = line.substr(sizeof kSetCurrentLabel - 1);
        if (!rest.empty() && rest.front() != ' ')
            return SetFault::Malformed;
        std::string_view key = rest.empty() ? rest : rest.substr(1);
        if (!key.empty() && !IsSafeSetKey(key))
            return SetFault::UnsafeKey;
        set.current = key;
        return SetFault::None;
    }
    SetEntry entry;
    SetFault fault = ReadPluginLine(line, entry);
    if (fault == SetFault::None)
        set.plugins.push_back(std::move(entry));
    return fault;
}

// A name or display name as a line can hold it.
std::string OnOneLine(std::string text)
{
    for (char& c : text)
        if (IsControl(static_cast<unsigned char>(c)))
            c = ' ';
    return text;
}
}

bool IsSafeSetKey(std::string_view key)
{
    if (key.empty() || key.size() > kLongestSetKey || key == "." || key == ".." || HoldsControl(key))
        return false;
    if (key.find_first_of("\\/:*?\"<>|") != std::string_view::npos)
        return false;
    return !IsReservedDeviceName(std::string(key), NoLeadByte);
}

SetReadResult ReadSet(std::string_view text, PluginSet& set)
{
    set = PluginSet{};
    if (text.size() > kMostSetBytes)
        return {SetFault::TooLarge, 0};
    if (StartsWith(text, kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    std::vector<std::string_view> lines = SplitLines(text);
    if (lines.size() > kMostSetLines)
        return {SetFault::TooManyLines, kMostSetLines + 1};
    size_t place = 0;
    for (size_t index = 0; index < lines.size(); ++index) {
        SetReadResult result{SetFault::None, index + 1};
        if (lines[index].size() > kLongestSetLine)
            result.fault = SetFault::LineTooLong;
        else if (!IsUtf8(lines[index]))
            result.fault = SetFault::NotUtf8;
        else if (!lines[index].empty() || place == 0)
            result.fault = ReadLine(lines[index], place++, set);
        if (result.fault != SetFault::None) {
            set = PluginSet{};
            return result;
        }
    }
    if (place < 3) {
        set = PluginSet{};
        return {place == 0 ? SetFault::NotASet : SetFault::Malformed, lines.size() + 1};
    }
    return {};
}

std::string WriteSet(const PluginSet& set)
{
    std::string text(kByteOrderMark);
    text += std::string(kSetFormatLine) + kLineEnd;
    text += kSetNameLabel + OnOneLine(set.name) + kLineEnd;
    text += kSetCurrentLabel + (set.current.empty() ? "" : " " + set.current) + kLineEnd;
    for (const SetEntry& entry : set.plugins) {
        text += entry.on ? kSetOn : kSetOff;
        text += kSetSeparator + entry.key + kSetSeparator + OnOneLine(entry.displayName) + kLineEnd;
    }
    return text;
}
