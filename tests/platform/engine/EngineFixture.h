#pragma once
// Files made through the engine in a temporary folder, and helpers to read a recordset.
#include "Collections.h"
#include "Engine.h"

#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace carnelis::test {

class EngineFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString pathOf(const QString &name = QStringLiteral("COLLECTION.MDB")) const { return dir.filePath(name); }

    // A collection table with these rows, in a file of the temporary folder.
    QString makeCollection(const QString &table, const Rows &rows,
                           const QString &file = QStringLiteral("COLLECTION.MDB"))
    {
        return writeCollection(pathOf(file), table, rows);
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
