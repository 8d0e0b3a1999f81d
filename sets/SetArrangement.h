#pragma once
#include <string>
#include <string_view>
#include <vector>
#include "framework/CodePageText.h"

// One plug-in a set names, in the system's code page.
struct ArrangedEntry {
    bool on = false;
    std::string key;
    std::string displayName;
};

// The list as it is: each row's plug-in key in lower case (the record's
// matching key: empty for the built-ins and for a name the code page cannot
// hold) and lamp, and the current row (kNoVisual for none).
struct ListState {
    std::vector<std::string_view> keys;
    std::vector<bool> enabled;
    int current;
};

// What applying a set makes of the list.
struct Arrangement {
    std::vector<int> order;      // element k: the present index of new row k
    std::vector<bool> enabled;   // by new row
    int current;                 // new row index; kNoVisual for none
    std::vector<std::string> missing;  // the display names of plug-ins named but not installed
};

// The rule of a set: the plug-ins it names take its order and its on/off
// states, starting under the built-ins; the others follow in their present
// order, switched off. The set's keys match in any case; a key it names twice
// counts where it comes first, and one set line takes one row. The set's
// current plug-in becomes current when it is installed and on; otherwise
// the current row keeps its mark, and stays on, as the current visual must.
Arrangement ArrangeBySet(const ListState& list, const std::vector<ArrangedEntry>& entries,
                         const std::string& currentKey, LeadByteRule isLead = SystemLeadByte);
