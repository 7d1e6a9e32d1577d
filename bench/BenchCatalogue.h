#pragma once
// What the benchmarks share: the catalogue they measure on, and the ten conditions, each on
// a fitting column, beside the same filter written by hand for plain SQLite.
#include "Collection.h"

#include <QString>
#include <cstdint>

namespace carnelis::bench {

struct Filter {
    Condition condition;
    int16_t column;
    const char *criterion;
    const char *handWhere; // the same filter written directly for SQLite
};

extern const Filter filters[10];

// What a programmer would write by hand to order the numbers: as numbers, then as text.
extern const char *const handOrder;

// A collection table COLLECTION of the given number of rows: numbers shuffled, believable
// designations, colours, states and values, a few Nulls in every column.
void makeCatalogue(const QString &path, int rows);

} // namespace carnelis::bench
