#pragma once
// Converting a genuine Access file into a native file, which the program can edit.
#include <QString>
#include <QStringList>
#include <vector>

namespace carnelis::access {

struct ImportedTable {
    QString name;
    qint64 rows = 0;
};

// Copies every ordinary table of the Access file `source` (Attributes 0) into the new
// native file `target`: column names and types, every row, Nulls kept. The source is
// only read, by the helper process; the target appears whole or not at all, and a
// target that exists is refused. Throws RuntimeError.
std::vector<ImportedTable> importAccessFile(const QString &source, const QString &target);

// "1 ligne copiée", "12 lignes copiées".
QString rowsCopiedText(qint64 rows);

} // namespace carnelis::access
