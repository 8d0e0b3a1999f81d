#include "listview/RowSort.h"
#include <algorithm>
#include <numeric>

std::vector<int> RowOrderByName(const std::vector<std::string>& names, int firstRow, bool ascending,
                                const NameCompare& compare)
{
    std::vector<int> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    if (firstRow >= static_cast<int>(names.size()))
        return order;
    auto before = [&](int a, int b) {
        int result = compare(names[static_cast<size_t>(a)], names[static_cast<size_t>(b)]);
        return ascending ? result < 0 : result > 0;
    };
    std::stable_sort(order.begin() + std::max(firstRow, 0), order.end(), before);
    return order;
}
