#pragma once
#include <string_view>
#include <vector>

// The row order that sorts the rows from firstRow on by their names' sort
// keys (compared byte by byte, as sort keys are), from A to Z or from Z to A;
// the rows above firstRow stay where they are and rows whose keys are equal
// keep their present order. Element k is the old index of new row k, as a
// move gives it.
std::vector<int> RowOrderByName(const std::vector<std::string_view>& keys, int firstRow, bool ascending);
