#pragma once
// Files made through the engine in a temporary folder, and helpers to read a recordset.
#include "CollectionFile.h"
#include "Engine.h"

#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace carnelis::test {

using Rows = std::vector<std::vector<Value>>;

class EngineFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString pathOf(const QString &name = QStringLiteral("COLLECTION.MDB")) const { return dir.filePath(name); }

    // A collection table with these rows, in a file of the temporary folder.
    QString makeCollection(const QString &table, const Rows &rows,
                           const QString &file = QStringLiteral("COLLECTION.MDB"))
    {
        CollectionFile f(pathOf(file));
        f.createTable(table);
        f.appendRows(table, rows);
        return pathOf(file);
    }

    std::unique_ptr<Recordset> query(const QString &path, const QString &sql)
    {
        database_ = DBEngine::OpenDatabase(path);
        return database_->OpenRecordset(sql);
    }

    // One column of every row, in recordset order, as display text ("" for Null).
    static QStringList column(Recordset &rs, const QString &name)
    {
        QStringList out;
        const int c = int(rs.columnNames().indexOf(name));
        for (int i = 0; i < rs.RecordCount(); ++i)
            out << rs.valueAt(i, c).toDisplayText(QLocale::c());
        return out;
    }

    std::unique_ptr<Database> database_;
};

} // namespace carnelis::test

namespace carnelis::test {

// SQL run straight through SQLite, for files shaped in ways the engine itself never
// writes (a text slipped into COTE, a view, SQLite's own tables).
void rawSql(const QString &path, const QString &sql);

} // namespace carnelis::test
