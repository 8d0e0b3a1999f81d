#include "sets/SetArrangement.h"
#include <algorithm>
#include <cstdint>
#include "catalogue/VisPlugin.h"

namespace {
// Each key's first row, and whether a set line has named the key yet. A set
// is applied to thousands of rows at a time: the keys are looked up in one
// table with open addressing, with no allocation of its own per key.
class KeyTable {
public:
    struct Slot {
        std::string_view key;
        int firstRow = -1;
        bool named = false;
        bool used = false;
    };

    explicit KeyTable(size_t keys)
    {
        size_t size = 1;
        while (size < 2 * keys)
            size <<= 1;
        m_slots.resize(size);
        m_mask = size - 1;
    }

    // The key's slot, taken for it when it had none.
    Slot& operator[](std::string_view key)
    {
        size_t at = Hash(key) & m_mask;
        while (m_slots[at].used && m_slots[at].key != key)
            at = (at + 1) & m_mask;
        Slot& slot = m_slots[at];
        if (!slot.used) {
            slot.used = true;
            slot.key = key;
        }
        return slot;
    }

private:
    static size_t Hash(std::string_view key)
    {
        std::uint32_t hash = 2166136261u;  // FNV-1a
        for (char c : key)
            hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
        return hash;
    }

    std::vector<Slot> m_slots;
    size_t m_mask = 0;
};
}

Arrangement ArrangeBySet(const ListState& list, const std::vector<ArrangedEntry>& entries,
                         const std::string& currentKey, LeadByteRule isLead)
{
    Arrangement result{{}, {}, kNoVisual, {}};
    int count = static_cast<int>(list.keys.size());
    result.order.reserve(list.keys.size());
    result.enabled.reserve(list.keys.size());
    std::vector<bool> placed(list.keys.size(), false);
    for (int row = 0; row < std::min(count, kFirstPluginRow); ++row) {
        result.order.push_back(row);
        result.enabled.push_back(list.enabled[static_cast<size_t>(row)]);
        placed[static_cast<size_t>(row)] = true;
    }
    KeyTable table(list.keys.size() + entries.size());
    for (int row = kFirstPluginRow; row < count; ++row) {
        std::string_view key = list.keys[static_cast<size_t>(row)];
        if (key.empty())
            continue;
        KeyTable::Slot& slot = table[key];
        if (slot.firstRow < 0)
            slot.firstRow = row;
    }
    std::vector<std::string> keys;  // reserved whole: the table holds views of them
    keys.reserve(entries.size());
    std::string current = LowerCase(currentKey, isLead);
    for (const ArrangedEntry& entry : entries) {
        keys.push_back(LowerCase(entry.key, isLead));
        KeyTable::Slot& slot = table[keys.back()];
        if (slot.named)
            continue;
        slot.named = true;
        if (slot.firstRow < 0) {
            result.missing.push_back(entry.displayName.empty() ? entry.key : entry.displayName);
            continue;
        }
        placed[static_cast<size_t>(slot.firstRow)] = true;
        if (entry.on && keys.back() == current && !current.empty())
            result.current = static_cast<int>(result.order.size());
        result.order.push_back(slot.firstRow);
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
