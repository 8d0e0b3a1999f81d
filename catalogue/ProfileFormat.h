#pragma once
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

// Settings files as the system's private-profile functions read and write
// them, worked out from the whole text at once instead of once per key.
//
// The reader's rules, as the system's own reader applies them: a line ends at
// CR, LF or CR LF; blanks (space, tab, VT, FF and ^Z) around names, keys and
// values do not count; a line whose first character is "[" and that holds a
// "]" heads the section named by the text up to its last "]"; any other line
// that is not blank is an entry: the key up to its first "=", the value after
// it, or a key without value when there is no "=". Lines before the first
// header form the section "". Section names and keys compare without regard
// to the case of ASCII letters; of duplicate sections and of duplicate keys
// in a section the first wins. A value between a matching pair of single or
// double quotes reads without them. A key without value reads as empty.

// The longest value a read returns.
constexpr std::size_t kMaxProfileString = 4095;

// False for text that the system does not read byte by byte: text with a
// byte-order mark (read as Unicode) or with a NUL character.
bool IsPlainProfileText(const std::string& text);

// Every answer of the file: folded section name -> folded key -> value as read.
using ProfileSection = std::unordered_map<std::string, std::string>;
using ProfileSections = std::unordered_map<std::string, ProfileSection>;

ProfileSections ReadProfileSections(const std::string& text);

// What reading key in section returns: its value, at most
// kMaxProfileString characters; empty when there is no such entry.
std::string ProfileAnswer(const ProfileSections& sections, const std::string& section, const std::string& key);

struct ProfileString {
    std::string key;
    std::string value;
};

// Makes sections answer as the file does once write is written to section.
void NoteProfileWrite(ProfileSections& sections, const std::string& section, const ProfileString& write);

// text after each of writes has been written to section in turn: the first
// entry of its key in the first such section takes the new value; a new key
// follows the section's last line that is not blank; a missing section is
// added at the end. Every other line stays as it was.
std::string WriteProfileStrings(const std::string& text, const std::string& section,
                                const std::vector<ProfileString>& writes);
