#pragma once
// The client-side sort: a permutation of the stored rows, never a move of the rows themselves.
#include "db/column.h"
#include <vector>

namespace db::detail {

// Orders the stored row numbers by the column: text by the Persian collation, numbers by value, nulls first
// when ascending (last when descending); rows that compare equal keep their fetched order.
void sortRows(std::vector<int> &rows, const Column &column, bool descending);

} // namespace db::detail
