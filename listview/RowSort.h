#pragma once
#include <functional>
#include <string>
#include <vector>

// How two shown names compare: below 0, 0 or above 0.
using NameCompare = std::function<int(const std::string&, const std::string&)>;

// The row order that sorts the rows from firstRow on by their names, from A
// to Z or from Z to A; the rows above firstRow stay where they are and rows
// whose names compare equal keep their present order. Element k is the old
// index of new row k, as a move gives it.
std::vector<int> RowOrderByName(const std::vector<std::string>& names, int firstRow, bool ascending,
                                const NameCompare& compare);
