#pragma once
#include <string>

// Duplicates, case, quotes, blanks of every kind, comments, keys without
// value, line breaks of every kind, a header that is none, other sections, a
// value longer than a read returns.
inline const std::string kTrickyProfileText =
    "; written by hand\r\n"
    "Top=before any header\r\n"
    "[Other]\r\n"
    "Fire=other section\r\n"
    "  [ VisCache ] trailing words\r\n"
    "Fire=first\r\n"
    "FIRE=second\r\n"
    " \t\v\fIce\x1a =\t cold  \r\n"
    "Double=\"quoted \"\r\n"
    "Single='x'\r\n"
    "Open=\"open\r\n"
    "Mixed=\"mixed'\r\n"
    "Lone=\"\r\n"
    "Bare\r\n"
    "bare=shadowed by the key without value\r\n"
    ";Semi=comment or key\r\n"
    "Eq=a=b\n"
    "Caf\xC9=accent\r"
    "[NoClose\r\n"
    "\r\n"
    "\r\n"
    "[viscache]\r\n"
    "Late=in the repeated section\r\n"
    "[]\r\n"
    "Empty=in the repeated section \"\"\r\n"
    "[LockedVis]\r\n"
    "fire=\"Fire by hand\"\r\n"
    "Long=" + std::string(5000, 'L') + "\r\n";
