#include "Collections.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace carnelis::test {

std::vector<Value> row(const Value &numero, const Value &designation, const Value &couleur, const Value &etat,
                       const Value &cote, const Value &divers)
{
    return {numero, designation, couleur, etat, cote, divers};
}

QString writeCollection(const QString &path, const QString &table, const Rows &rows,
                        const std::vector<ColumnDef> &columns)
{
    CollectionFile file(path);
    file.createTable(table, columns);
    file.appendRows(table, rows);
    return path;
}

void rawSql(const QString &path, const QString &sql)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    char *message = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    EXPECT_EQ(rc, SQLITE_OK) << (message ? message : "");
    sqlite3_free(message);
    sqlite3_close(db);
}

} // namespace carnelis::test
