#include "testing/probe/ProbeRecord.h"
#include <cstdlib>

namespace {

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        auto tab = line.find('\t', start);
        parts.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return parts;
        start = tab + 1;
    }
}

char Unescaped(char code)
{
    switch (code) {
    case 't': return '\t';
    case 'n': return '\n';
    case 'r': return '\r';
    default: return code;
    }
}

}

std::string EscapeProbeText(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\\': escaped += "\\\\"; break;
        case '\t': escaped += "\\t"; break;
        case '\n': escaped += "\\n"; break;
        case '\r': escaped += "\\r"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::string UnescapeProbeText(const std::string& text)
{
    std::string plain;
    plain.reserve(text.size());
    for (std::string::size_type i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size())
            plain += Unescaped(text[++i]);
        else
            plain += text[i];
    }
    return plain;
}

ProbeRecord ProbeRecord::Parse(const std::string& line)
{
    std::string trimmed = line;
    while (!trimmed.empty() && (trimmed.back() == '\n' || trimmed.back() == '\r'))
        trimmed.pop_back();
    std::vector<std::string> parts = SplitTabs(trimmed);
    for (auto& part : parts)
        part = UnescapeProbeText(part);
    return FromArguments(parts);
}

ProbeRecord ProbeRecord::FromArguments(const std::vector<std::string>& arguments)
{
    ProbeRecord record;
    if (arguments.empty())
        return record;
    record.m_kind = arguments.front();
    for (auto it = arguments.begin() + 1; it != arguments.end(); ++it) {
        auto equals = it->find('=');
        if (equals == std::string::npos)
            record.Set(*it, "");
        else
            record.Set(it->substr(0, equals), it->substr(equals + 1));
    }
    return record;
}

std::string ProbeRecord::Format() const
{
    std::string line = EscapeProbeText(m_kind);
    for (const auto& [key, value] : m_fields)
        line += "\t" + EscapeProbeText(key + "=" + value);
    return line;
}

ProbeRecord& ProbeRecord::Set(const std::string& key, const std::string& value)
{
    for (auto& field : m_fields) {
        if (field.first == key) {
            field.second = value;
            return *this;
        }
    }
    m_fields.emplace_back(key, value);
    return *this;
}

ProbeRecord& ProbeRecord::SetNumber(const std::string& key, long long value)
{
    return Set(key, std::to_string(value));
}

bool ProbeRecord::Has(const std::string& key) const
{
    for (const auto& field : m_fields)
        if (field.first == key)
            return true;
    return false;
}

std::string ProbeRecord::Get(const std::string& key) const
{
    for (const auto& field : m_fields)
        if (field.first == key)
            return field.second;
    return "";
}

long long ProbeRecord::GetNumber(const std::string& key, long long fallback) const
{
    std::string text = Get(key);
    if (text.empty())
        return fallback;
    // Decimal unless marked hex: a leading zero is not octal here.
    int base = text.rfind("0x", 0) == 0 ? 16 : 10;
    char* end = nullptr;
    long long value = std::strtoll(text.c_str(), &end, base);
    return *end == '\0' ? value : fallback;
}
