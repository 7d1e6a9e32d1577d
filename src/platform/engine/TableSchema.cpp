#include "TableSchema.h"

#include "Sqlite.h"

#include <QRegularExpression>
#include <algorithm>

namespace carnelis {

namespace {

// SQLite's own rules for the declared type of a column.
Affinity affinityOf(const QString &declared)
{
    const QString t = declared.toUpper();
    if (t.contains(QLatin1String("INT")))
        return Affinity::Numeric;
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("CLOB")) || t.contains(QLatin1String("TEXT")))
        return Affinity::Text;
    if (t.isEmpty() || t.contains(QLatin1String("BLOB")))
        return Affinity::Any;
    return Affinity::Numeric;
}

TableInfo tableFrom(Statement &s)
{
    TableInfo t;
    t.name = s.text(0);
    const QString sql = s.text(1);
    t.isSystem = t.name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive);
    t.isVirtual = sql.startsWith(QLatin1String("CREATE VIRTUAL"), Qt::CaseInsensitive);
    static const QRegularExpression withoutRowid(QStringLiteral("\\)\\s*WITHOUT\\s+ROWID\\s*[;]?\\s*$"),
                                                 QRegularExpression::CaseInsensitiveOption);
    t.hasRowid = !withoutRowid.match(sql).hasMatch();
    return t;
}

} // namespace

std::vector<TableInfo> listTables(Connection &connection)
{
    Statement s(connection, "SELECT name, coalesce(sql, '') FROM sqlite_schema WHERE type = 'table'");
    std::vector<TableInfo> tables;
    while (s.step())
        tables.push_back(tableFrom(s));
    std::stable_sort(tables.begin(), tables.end(), [](const TableInfo &a, const TableInfo &b) {
        const int c = a.name.compare(b.name, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.name < b.name;
    });
    return tables;
}

std::optional<TableInfo> findTable(Connection &connection, const QString &name)
{
    std::optional<TableInfo> found;
    for (TableInfo &t : listTables(connection)) {
        if (t.name.compare(name, Qt::CaseInsensitive) == 0) {
            // An exact match wins over one that differs only in case.
            if (!found || t.name == name)
                found = t;
        }
    }
    if (!found)
        return std::nullopt;
    Statement columns(connection, "SELECT name, type FROM pragma_table_info(?)");
    columns.bind(1, Value(found->name));
    while (columns.step())
        found->columns.push_back({columns.text(0), affinityOf(columns.text(1))});
    return found;
}

QString TableInfo::rowidName() const
{
    for (const char *candidate : {"rowid", "_rowid_", "oid"}) {
        const QString name = QString::fromLatin1(candidate);
        if (std::none_of(columns.begin(), columns.end(),
                         [&](const ColumnInfo &c) { return c.name.compare(name, Qt::CaseInsensitive) == 0; }))
            return name;
    }
    return {};
}

} // namespace carnelis
