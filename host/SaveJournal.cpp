#include "host/SaveJournal.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include "catalogue/PluginFileName.h"
#include "catalogue/SafeName.h"

namespace {
constexpr char kFormatLine[] = "Orbiquel Save journal 2";
constexpr char kFirstFormatLine[] = "Orbiquel Save journal 1";
constexpr char kFolderField[] = "Vis folder: ";
constexpr char kVisNumberField[] = "VisNumber: ";
constexpr char kCurrentField[] = "Current: ";
constexpr char kStateField[] = "State: ";
constexpr char kCountField[] = "Renames: ";
constexpr char kEndLine[] = "End of journal";
constexpr char kNumberArrow[] = " -> ";
constexpr char kNone[] = "none";
constexpr char kUnknown[] = "unknown";
// No file name holds a tab, and no two-byte character has it as its second byte.
constexpr char kSeparator = '\t';
constexpr char kStateNames[][9] = {"open", "finished", "undone"};
constexpr char kTagStep[] = "tag";
constexpr char kStateStep[] = "state";
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

std::vector<std::string> SplitFields(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t tab = line.find(kSeparator); tab != std::string::npos; tab = line.find(kSeparator, start)) {
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

bool ParseNumber(const std::string& text, int& number)
{
    if (text.empty() || text.size() > 7 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    number = std::atoi(text.c_str());
    return true;
}

// "from<TAB>to<TAB>stamp", and in the second form "<TAB>plugin<TAB>tag|state".
bool ParseRename(const std::string& line, bool firstForm, JournalRename& rename)
{
    std::vector<std::string> fields = SplitFields(line);
    if (fields.size() != (firstForm ? 3u : 5u))
        return false;
    rename.from = fields[0];
    rename.to = fields[1];
    rename.stamp = fields[2];
    if (firstForm)
        return true;
    rename.stateStep = fields[4] == kStateStep;
    return ParseNumber(fields[3], rename.plugin) && (rename.stateStep || fields[4] == kTagStep);
}

std::string CurrentText(const SaveJournal& journal)
{
    if (journal.currentRow == kUnknownRow)
        return kUnknown;
    if (journal.currentRow == kNoVisual)
        return kNone;
    return std::to_string(journal.currentRow) + kSeparator + journal.currentFile;
}

// As CurrentText writes it.
bool ParseCurrent(const std::string& text, SaveJournal& journal)
{
    if (text == kNone || text == kUnknown) {
        journal.currentRow = text == kNone ? kNoVisual : kUnknownRow;
        return true;
    }
    size_t tab = text.find(kSeparator);
    journal.currentFile = tab == std::string::npos ? "" : text.substr(tab + 1);
    return tab != std::string::npos && ParseNumber(text.substr(0, tab), journal.currentRow);
}

// A first-form journal tells a plug-in's state step only by its names: it
// switches the "_disabled" of the name the step before it made.
bool ContinuesPlugin(const JournalRename& rename, const JournalRename& before, LeadByteRule isLead)
{
    bool switches = rename.to == rename.from + kDisabledSuffix ||
                    (rename.from == rename.to + kDisabledSuffix && HasDisabledSuffix(rename.from, isLead));
    bool inFolder = rename.from.compare(0, before.to.size() + 1, before.to + "\\") == 0 &&
                    FindFirstChar(rename.from, "\\", isLead) == before.to.size();
    return switches && (rename.from == before.to || inFolder);
}

void NumberFirstFormPlugins(std::vector<JournalRename>& renames, LeadByteRule isLead)
{
    int plugin = -1;
    for (size_t index = 0; index < renames.size(); ++index) {
        renames[index].stateStep = index > 0 && ContinuesPlugin(renames[index], renames[index - 1], isLead);
        plugin += renames[index].stateStep ? 0 : 1;
        renames[index].plugin = plugin;
    }
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
    return !IsReservedDeviceName(component, isLead);
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
    text += kCurrentField + CurrentText(journal) + "\r\n";
    text += std::string(kStateField) + kStateNames[static_cast<int>(journal.state)] + "\r\n";
    text += kCountField + std::to_string(journal.renames.size()) + "\r\n";
    for (const JournalRename& rename : journal.renames)
        text += rename.from + kSeparator + rename.to + kSeparator + rename.stamp + kSeparator +
                std::to_string(rename.plugin) + kSeparator + (rename.stateStep ? kStateStep : kTagStep) + "\r\n";
    text += std::string(kEndLine) + "\r\n";
    return text;
}

bool SaysOpen(const std::string& text)
{
    std::string line = std::string(kStateField) + kStateNames[static_cast<int>(JournalState::Open)];
    for (size_t start = 0; start < text.size();) {
        size_t end = std::min(text.find('\n', start), text.size());
        if (text.compare(start, end - start, line) == 0 || text.compare(start, end - start, line + "\r") == 0)
            return true;
        start = end + 1;
    }
    return false;
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
    std::string numbers, current, state, count;
    SaveJournal read;
    size_t renames = 0;
    if (!SplitLines(text, lines) || lines.size() < 6 || (lines[0] != kFormatLine && lines[0] != kFirstFormatLine))
        return JournalFault::Malformed;
    bool firstForm = lines[0] == kFirstFormatLine;
    size_t field = firstForm ? 3 : 4;
    bool header = TakeField(lines[1], kFolderField, read.visFolder) && TakeField(lines[2], kVisNumberField, numbers) &&
                  ParseVisNumbers(numbers, read) &&
                  (firstForm || (TakeField(lines[3], kCurrentField, current) && ParseCurrent(current, read))) &&
                  TakeField(lines[field], kStateField, state) && ParseState(state, read.state) &&
                  TakeField(lines[field + 1], kCountField, count) && ParseCount(count, renames);
    if (!header || lines.size() != renames + field + 3 || lines.back() != kEndLine)
        return JournalFault::Malformed;
    read.renames.resize(renames);
    for (size_t line = 0; line < renames; ++line)
        if (!ParseRename(lines[line + field + 2], firstForm, read.renames[line]))
            return JournalFault::Malformed;
    if (firstForm)
        NumberFirstFormPlugins(read.renames, isLead);
    for (const JournalRename& rename : read.renames)
        if (!IsSafeJournalName(rename.from, isLead) || !IsSafeJournalName(rename.to, isLead))
            return JournalFault::UnsafeName;
    if (!SameFolder(read.visFolder, visFolder, isLead))
        return JournalFault::OtherFolder;
    journal = std::move(read);
    return JournalFault::None;
}
