#pragma once
// What a file holds: its tables and their columns, read from SQLite's own catalogue.
#include <QString>
#include <optional>
#include <vector>

namespace carnelis {

class Connection;

// How a column stores what it is given (SQLite's type affinity): a TEXT column always
// holds text, a numeric column numbers (or a text that reads as none), an untyped column
// anything.
enum class Affinity { Text, Numeric, Any };

struct ColumnInfo {
    QString name;
    Affinity affinity = Affinity::Any;
};

struct TableInfo {
    QString name;
    bool isSystem = false;  // SQLite's own tables
    bool isVirtual = false; // a module's table, not stored rows of its own
    bool hasRowid = true;
    std::vector<ColumnInfo> columns; // filled by findTable only

    // The name that reaches the row id: rowid, unless the table has a column of that
    // name, then one of SQLite's other two names for it. Empty when all three are taken.
    QString rowidName() const;
};

// Every table (views left out), in order of name without regard to case.
std::vector<TableInfo> listTables(Connection &connection);

// The table of that name without regard to case, with its columns.
std::optional<TableInfo> findTable(Connection &connection, const QString &name);

} // namespace carnelis
