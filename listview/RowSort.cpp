#include "listview/RowSort.h"
#include <algorithm>
#include <numeric>

std::vector<int> RowOrderByName(const std::vector<std::string_view>& keys, int firstRow, bool ascending)
{
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    if (firstRow >= static_cast<int>(keys.size()))
        return order;
    auto before = [&](int a, int b) {
        int result = keys[static_cast<size_t>(a)].compare(keys[static_cast<size_t>(b)]);
        return ascending ? result < 0 : result > 0;
    };
    std::stable_sort(order.begin() + std::max(firstRow, 0), order.end(), before);
    return order;
}
