#include "sets/SetArrangement.h"
#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include "catalogue/VisPlugin.h"

namespace {
// The rows of each key, in list order, by lower-case key.
std::unordered_map<std::string, std::vector<int>> RowsByKey(const std::vector<std::string>& keys, LeadByteRule isLead)
{
    std::unordered_map<std::string, std::vector<int>> rows;
    for (int row = static_cast<int>(keys.size()); row-- > kFirstPluginRow;)
        rows[LowerCase(keys[static_cast<size_t>(row)], isLead)].push_back(row);
    return rows;  // each vector holds its rows last first, so the first is at the back
}
}

Arrangement ArrangeBySet(const ListState& list, const std::vector<ArrangedEntry>& entries,
                         const std::string& currentKey, LeadByteRule isLead)
{
    Arrangement result{{}, {}, kNoVisual, {}};
    int count = static_cast<int>(list.keys.size());
    std::vector<bool> placed(list.keys.size(), false);
    for (int row = 0; row < std::min(count, kFirstPluginRow); ++row) {
        result.order.push_back(row);
        result.enabled.push_back(list.enabled[static_cast<size_t>(row)]);
        placed[static_cast<size_t>(row)] = true;
    }
    auto rowsByKey = RowsByKey(list.keys, isLead);
    std::unordered_set<std::string> seen;
    std::string current = LowerCase(currentKey, isLead);
    for (const ArrangedEntry& entry : entries) {
        std::string key = LowerCase(entry.key, isLead);
        if (!seen.insert(key).second)
            continue;
        auto found = rowsByKey.find(key);
        if (found == rowsByKey.end() || found->second.empty()) {
            result.missing.push_back(entry.displayName.empty() ? entry.key : entry.displayName);
            continue;
        }
        int row = found->second.back();
        found->second.pop_back();
        placed[static_cast<size_t>(row)] = true;
        if (entry.on && key == current && !current.empty())
            result.current = static_cast<int>(result.order.size());
        result.order.push_back(row);
        result.enabled.push_back(entry.on);
    }
    for (int row = kFirstPluginRow; row < count; ++row) {
        if (placed[static_cast<size_t>(row)])
            continue;
        result.order.push_back(row);
        result.enabled.push_back(false);
    }
    if (result.current == kNoVisual && list.current >= 0 && list.current < count) {
        for (size_t index = 0; index < result.order.size(); ++index)
            if (result.order[index] == list.current) {
                result.current = static_cast<int>(index);
                result.enabled[index] = true;
            }
    }
    return result;
}
