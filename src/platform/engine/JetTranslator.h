#pragma once
// Turns a Jet SQL text into the SQLite query that yields the ordered row ids of its
// rows. Every literal becomes a bound parameter and every name is checked against the
// table, so no text can turn into a second statement.
#include "TableSchema.h"
#include "Value.h"

#include <QString>
#include <string>
#include <vector>

namespace carnelis {

class Connection;

struct KeysetQuery {
    TableInfo table;
    std::string sql;      // SELECT rowid FROM ... WHERE ... ORDER BY ...
    std::string countSql; // SELECT count(*) FROM ... WHERE ..., same parameters
    // The same rows unordered, with the ORDER BY columns after the row id: the whole
    // keyset is ordered in memory from these (see KeysetSort.h). Empty without ORDER BY.
    std::string scanSql;
    std::vector<bool> descending;
    std::vector<bool> natural; // the key is the natural key of a text column
    std::vector<Value> parameters;
};

// Throws RuntimeError for a syntax error, an unknown table, column or function, or a
// comparison of a number with a text that is no number.
KeysetQuery translateJetSql(Connection &connection, const QString &jetSql);

} // namespace carnelis
