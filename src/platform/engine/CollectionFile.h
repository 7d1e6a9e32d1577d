#pragma once
// Writing native files in bulk: a new file, a new table, many rows in one transaction.
// The windows never need it; the companion tool, the tests and the benchmark do.
#include "Value.h"

#include <QString>
#include <memory>
#include <utility>
#include <vector>

namespace carnelis {

class Connection;

struct ColumnDef {
    QString name;
    QString type; // SQLite declared type: TEXT, REAL, INTEGER
};

// The six columns every collection table has.
const std::vector<ColumnDef> &collectionColumns();

class CollectionFile {
public:
    // Opens a native file, creating it when it does not exist. Throws RuntimeError for an
    // existing file that is not a native database, writing nothing to it.
    explicit CollectionFile(const QString &path);
    ~CollectionFile();
    CollectionFile(const CollectionFile &) = delete;
    CollectionFile &operator=(const CollectionFile &) = delete;

    // Throws RuntimeError when a table of that name (without regard to case) exists.
    void createTable(const QString &name, const std::vector<ColumnDef> &columns = collectionColumns());
    // All rows in one transaction; each row holds one value per column, in order.
    void appendRows(const QString &table, const std::vector<std::vector<Value>> &rows);

private:
    std::unique_ptr<Connection> connection_;
};

} // namespace carnelis
