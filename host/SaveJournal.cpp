#include "host/SaveJournal.h"
#include <cstdlib>
#include <cstring>

namespace {
constexpr char kFormatLine[] = "Orbiquel Save journal 1";
constexpr char kFolderField[] = "Vis folder: ";
constexpr char kVisNumberField[] = "VisNumber: ";
constexpr char kStateField[] = "State: ";
constexpr char kCountField[] = "Renames: ";
constexpr char kEndLine[] = "End of journal";
constexpr char kNumberArrow[] = " -> ";
constexpr char kNone[] = "none";
// No file name holds a tab, and no two-byte character has it as its second byte.
constexpr char kSeparator = '\t';
constexpr char kStateNames[][9] = {"open", "finished", "undone"};
// Journals hold one line per rename: more than any folder has is no journal.
constexpr size_t kMaxRenames = 1000000;

std::string VisNumberText(int number)
{
    return number == kNoVisual ? kNone : std::to_string(number);
}

// A number as VisNumberText writes it; false for anything else.
bool ParseVisNumberText(const std::string& text, int& number)
{
    if (text == kNone) {
        number = kNoVisual;
        return true;
    }
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    number = std::atoi(text.c_str());
    return true;
}

// Splits text into lines ended by "\r\n" or "\n"; false when the last line has no end.
bool SplitLines(const std::string& text, std::vector<std::string>& lines)
{
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            return false;
        size_t length = end - start;
        if (length > 0 && text[end - 1] == '\r')
            --length;
        lines.push_back(text.substr(start, length));
        start = end + 1;
    }
    return true;
}

bool TakeField(const std::string& line, const char* field, std::string& value)
{
    std::string prefix(field);
    if (line.compare(0, prefix.size(), prefix) != 0)
        return false;
    value = line.substr(prefix.size());
    return true;
}

bool ParseVisNumbers(const std::string& text, SaveJournal& journal)
{
    size_t arrow = text.find(kNumberArrow);
    return arrow != std::string::npos && ParseVisNumberText(text.substr(0, arrow), journal.visNumberBefore) &&
           ParseVisNumberText(text.substr(arrow + std::string(kNumberArrow).size()), journal.visNumberAfter);
}

bool ParseState(const std::string& text, JournalState& state)
{
    for (int which = 0; which < 3; ++which) {
        if (text == kStateNames[which]) {
            state = static_cast<JournalState>(which);
            return true;
        }
    }
    return false;
}

bool ParseCount(const std::string& text, size_t& count)
{
    if (text.empty() || text.size() > 7 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    count = static_cast<size_t>(std::atol(text.c_str()));
    return count <= kMaxRenames;
}

// "from<TAB>to<TAB>stamp".
bool ParseRename(const std::string& line, JournalRename& rename)
{
    size_t first = line.find(kSeparator);
    size_t second = first == std::string::npos ? first : line.find(kSeparator, first + 1);
    if (second == std::string::npos || line.find(kSeparator, second + 1) != std::string::npos)
        return false;
    rename.from = line.substr(0, first);
    rename.to = line.substr(first + 1, second - first - 1);
    rename.stamp = line.substr(second + 1);
    return true;
}

bool SameFolder(const std::string& a, const std::string& b, LeadByteRule isLead)
{
    return LowerCase(a, isLead) == LowerCase(b, isLead);
}

// One name between backslashes: not empty, not "." or "..", nothing a
// path could use to leave or to name another drive or stream.
bool IsSafeComponent(const std::string& component, LeadByteRule isLead)
{
    if (component.empty() || component == "." || component == "..")
        return false;
    for (size_t at = 0; at < component.size(); at = NextChar(component, at, isLead)) {
        char c = component[at];
        if (static_cast<unsigned char>(c) < 0x20 || std::strchr(":/*?\"<>|", c))
            return false;
    }
    return true;
}
}

std::string FormatJournal(const SaveJournal& journal)
{
    std::string text;
    text.reserve(journal.renames.size() * 48 + 256);
    text += std::string(kFormatLine) + "\r\n";
    text += kFolderField + journal.visFolder + "\r\n";
    text += kVisNumberField + VisNumberText(journal.visNumberBefore) + kNumberArrow +
            VisNumberText(journal.visNumberAfter) + "\r\n";
    text += std::string(kStateField) + kStateNames[static_cast<int>(journal.state)] + "\r\n";
    text += kCountField + std::to_string(journal.renames.size()) + "\r\n";
    for (const JournalRename& rename : journal.renames)
        text += rename.from + kSeparator + rename.to + kSeparator + rename.stamp + "\r\n";
    text += std::string(kEndLine) + "\r\n";
    return text;
}

bool IsSafeJournalName(const std::string& name, LeadByteRule isLead)
{
    // At most a sub-folder and its file, as Save renames them.
    size_t backslash = FindFirstChar(name, "\\", isLead);
    if (backslash == std::string::npos)
        return IsSafeComponent(name, isLead);
    size_t second = FindFirstChar(name.substr(backslash + 1), "\\", isLead);
    return second == std::string::npos && IsSafeComponent(name.substr(0, backslash), isLead) &&
           IsSafeComponent(name.substr(backslash + 1), isLead);
}

JournalFault ParseJournal(const std::string& text, const std::string& visFolder, SaveJournal& journal,
                          LeadByteRule isLead)
{
    journal = SaveJournal();
    std::vector<std::string> lines;
    std::string numbers, state, count;
    SaveJournal read;
    size_t renames = 0;
    bool header = SplitLines(text, lines) && lines.size() >= 6 && lines[0] == kFormatLine &&
                  TakeField(lines[1], kFolderField, read.visFolder) &&
                  TakeField(lines[2], kVisNumberField, numbers) && ParseVisNumbers(numbers, read) &&
                  TakeField(lines[3], kStateField, state) && ParseState(state, read.state) &&
                  TakeField(lines[4], kCountField, count) && ParseCount(count, renames);
    if (!header || lines.size() != renames + 6 || lines.back() != kEndLine)
        return JournalFault::Malformed;
    read.renames.resize(renames);
    for (size_t line = 0; line < renames; ++line)
        if (!ParseRename(lines[line + 5], read.renames[line]))
            return JournalFault::Malformed;
    for (const JournalRename& rename : read.renames)
        if (!IsSafeJournalName(rename.from, isLead) || !IsSafeJournalName(rename.to, isLead))
            return JournalFault::UnsafeName;
    if (!SameFolder(read.visFolder, visFolder, isLead))
        return JournalFault::OtherFolder;
    journal = std::move(read);
    return JournalFault::None;
}
