#pragma once
// Orders the row ids of a whole query in memory. SQLite's own sorter spends most of the
// time of a large keyset in its record handling; here each row becomes one byte string
// compared by memcmp, and the order is exactly the one SQLite gives for
// ORDER BY key1, key2, ..., rowid.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace carnelis {

class Statement;

struct SortColumns {
    std::vector<bool> descending;
    std::vector<bool> natural; // ordered as jet_sortkey orders it (texts in natural order)
};

// Steps the statement, whose columns are the row id then one column per ORDER BY item,
// and returns the row ids in order.
std::vector<int64_t> sortKeyset(Statement &scan, const SortColumns &columns, size_t expectedRows);

} // namespace carnelis
