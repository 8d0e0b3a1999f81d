#pragma once
#include <string>
#include <utility>
#include <vector>

// One line of the probe's conversation: a kind followed by named fields,
// tab-separated ("window<TAB>title=BETA Orbiquel 0.8<TAB>style=2415919104").
// Requests and answers use the same form. Texts travel as the raw bytes of
// the Windows code page; tabs, line breaks and backslashes are escaped.
class ProbeRecord {
public:
    ProbeRecord() = default;
    explicit ProbeRecord(std::string kind) : m_kind(std::move(kind)) {}

    static ProbeRecord Parse(const std::string& line);
    // The kind is the first argument, every other one a key=value field.
    static ProbeRecord FromArguments(const std::vector<std::string>& arguments);
    std::string Format() const;

    ProbeRecord& Set(const std::string& key, const std::string& value);
    ProbeRecord& SetNumber(const std::string& key, long long value);

    const std::string& Kind() const { return m_kind; }
    bool Has(const std::string& key) const;
    // The field's value; empty when missing.
    std::string Get(const std::string& key) const;
    // The field as a number (decimal or 0x hex); fallback when missing or malformed.
    long long GetNumber(const std::string& key, long long fallback = 0) const;
    const std::vector<std::pair<std::string, std::string>>& Fields() const { return m_fields; }

private:
    std::string m_kind;
    std::vector<std::pair<std::string, std::string>> m_fields;
};

std::string EscapeProbeText(const std::string& text);
std::string UnescapeProbeText(const std::string& text);
