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
// peakBytes, when given, receives the memory the sort held at its peak (keys and ids).
std::vector<int64_t> sortKeyset(Statement &scan, const SortColumns &columns, size_t expectedRows,
                                size_t *peakBytes = nullptr);

// In the same single pass over the rows: the first count row ids in that order, and how
// many rows there are in all. This is what opening a view needs, without a second scan
// for the count.
struct FirstKeys {
    std::vector<int64_t> rowids;
    int64_t total = 0;
};
FirstKeys firstKeys(Statement &scan, const SortColumns &columns, size_t count);

} // namespace carnelis
