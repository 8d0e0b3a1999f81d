#include "catalogue/ProfileFormat.h"
#include <map>
#include <string_view>
#include "framework/ProfileSyntax.h"

namespace {
const char kLineBreak[] = "\r\n";

std::string Fold(std::string_view name)
{
    std::string folded(TrimProfileBlanks(name));
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

enum class LineKind { Blank, Header, Entry };

// One line of the text: where it lies and what the reader makes of it.
struct ProfileLine {
    size_t begin;  // first character
    size_t end;    // past the last character, before the line break
    size_t next;   // first character of the following line
    LineKind kind;
    std::string_view name;   // a header's section name, an entry's key
    bool hasValue;           // an entry with "="
    std::string_view value;  // an entry's value without the blanks around it
};

ProfileLine ReadLine(std::string_view text, size_t begin, size_t end, size_t next)
{
    ProfileLine line{begin, end, next, LineKind::Blank, {}, false, {}};
    std::string_view content = TrimProfileBlanks(text.substr(begin, end - begin));
    if (content.empty())
        return line;
    size_t close = content.rfind(']');
    if (content.front() == '[' && close != std::string_view::npos) {
        line.kind = LineKind::Header;
        line.name = TrimProfileBlanks(content.substr(1, close - 1));
        return line;
    }
    line.kind = LineKind::Entry;
    size_t equals = content.find('=');
    line.name = TrimProfileBlanks(content.substr(0, equals));
    if (equals != std::string_view::npos) {
        line.hasValue = true;
        line.value = TrimProfileBlanks(content.substr(equals + 1));
    }
    return line;
}

std::vector<ProfileLine> SplitLines(std::string_view text)
{
    std::vector<ProfileLine> lines;
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find_first_of(kLineBreak, begin);
        size_t next = text.size();
        if (end == std::string_view::npos)
            end = next;
        else
            next = end + (text.compare(end, 2, kLineBreak) == 0 ? 2 : 1);
        lines.push_back(ReadLine(text, begin, end, next));
        begin = next;
    }
    return lines;
}

// The lines of the first section of a name: [first, last), and where the
// writer adds keys. Without such a section, everything is at the end.
struct SectionSpan {
    bool found = false;
    size_t first = 0;
    size_t last = 0;
    size_t insertAt = 0;
};

SectionSpan FindSection(const std::vector<ProfileLine>& lines, const std::string& folded)
{
    SectionSpan span;
    size_t at = 0;
    // The lines before the first header are the section "".
    span.found = folded.empty();
    for (; at < lines.size() && !span.found; ++at)
        span.found = lines[at].kind == LineKind::Header && Fold(lines[at].name) == folded;
    if (!span.found) {
        span.first = span.last = span.insertAt = lines.size();
        return span;
    }
    span.first = span.insertAt = at;
    for (span.last = at; span.last < lines.size() && lines[span.last].kind != LineKind::Header; ++span.last) {
        if (lines[span.last].kind == LineKind::Entry)
            span.insertAt = span.last + 1;
    }
    return span;
}

// The writes resolved against one section: new text for lines that exist,
// and the keys to add in the order they were first written.
struct SectionEdit {
    std::map<size_t, std::string> replaced;
    std::vector<ProfileString> added;
};

SectionEdit PlanWrites(const std::vector<ProfileLine>& lines, const SectionSpan& span,
                       const std::vector<ProfileString>& writes)
{
    std::unordered_map<std::string, size_t> lineOfKey;  // the first of duplicates
    for (size_t at = span.first; at < span.last; ++at) {
        if (lines[at].kind == LineKind::Entry)
            lineOfKey.try_emplace(Fold(lines[at].name), at);
    }
    SectionEdit edit;
    std::unordered_map<std::string, size_t> addedAt;
    for (const ProfileString& write : writes) {
        std::string folded = Fold(write.key);
        auto line = lineOfKey.find(folded);
        if (line != lineOfKey.end()) {
            edit.replaced[line->second] = std::string(lines[line->second].name) + "=" + write.value;
            continue;
        }
        auto [added, isNew] = addedAt.try_emplace(folded, edit.added.size());
        if (isNew)
            edit.added.push_back({std::string(TrimProfileBlanks(write.key)), write.value});
        else
            edit.added[added->second].value = write.value;
    }
    return edit;
}

void AppendAddedLines(std::string& out, const std::string& section, const SectionSpan& span,
                      const SectionEdit& edit)
{
    if (edit.added.empty())
        return;
    if (!out.empty() && out.back() != '\r' && out.back() != '\n')
        out += kLineBreak;
    if (!span.found)
        out += "[" + std::string(TrimProfileBlanks(section)) + "]" + kLineBreak;
    for (const ProfileString& line : edit.added)
        out += line.key + "=" + line.value + kLineBreak;
}
}

bool IsPlainProfileText(const std::string& text)
{
    static const std::string_view kByteOrderMarks[] = {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    for (std::string_view mark : kByteOrderMarks) {
        if (std::string_view(text).substr(0, mark.size()) == mark)
            return false;
    }
    return text.find('\0') == std::string::npos;
}

ProfileSections ReadProfileSections(const std::string& text)
{
    ProfileSections sections;
    ProfileSection* current = &sections[""];
    for (const ProfileLine& line : SplitLines(text)) {
        if (line.kind == LineKind::Header) {
            auto [section, isNew] = sections.try_emplace(Fold(line.name));
            current = isNew ? &section->second : nullptr;  // a repeated section is never read
        } else if (line.kind == LineKind::Entry && current) {
            current->try_emplace(Fold(line.name), line.hasValue ? ProfileValueAsRead(line.value) : std::string());
        }
    }
    return sections;
}

std::string ProfileAnswer(const ProfileSections& sections, const std::string& section, const std::string& key)
{
    auto entries = sections.find(Fold(section));
    if (entries == sections.end())
        return {};
    auto entry = entries->second.find(Fold(key));
    return entry == entries->second.end() ? std::string() : entry->second.substr(0, kMaxProfileString);
}

void NoteProfileWrite(ProfileSections& sections, const std::string& section, const ProfileString& write)
{
    sections[Fold(section)][Fold(write.key)] = ProfileValueAsRead(write.value);
}

std::string WriteProfileStrings(const std::string& text, const std::string& section,
                                const std::vector<ProfileString>& writes)
{
    std::vector<ProfileLine> lines = SplitLines(text);
    SectionSpan span = FindSection(lines, Fold(section));
    SectionEdit edit = PlanWrites(lines, span, writes);

    std::string out;
    out.reserve(text.size() + 64 * writes.size());
    for (size_t at = 0; at < lines.size(); ++at) {
        if (at == span.insertAt)
            AppendAddedLines(out, section, span, edit);
        const ProfileLine& line = lines[at];
        auto replaced = edit.replaced.find(at);
        if (replaced == edit.replaced.end()) {
            out.append(text, line.begin, line.next - line.begin);
        } else {
            out += replaced->second;
            out.append(text, line.end, line.next - line.end);
        }
    }
    if (span.insertAt == lines.size())
        AppendAddedLines(out, section, span, edit);
    return out;
}
