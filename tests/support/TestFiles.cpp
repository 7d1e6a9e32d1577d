// What TestFiles.h, Collections.h and BadFiles.h declare: the files tests make, read and
// spoil, and the failures they expect.
#include "TestFiles.h"
#include "BadFiles.h"
#include "Collections.h"
#include "Sqlite.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace carnelis::test {

QByteArray digestOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                       : QByteArray();
}

RuntimeError thrownBy(const std::function<void()> &action)
{
    try {
        action();
    } catch (const RuntimeError &e) {
        return e;
    }
    ADD_FAILURE() << "no RuntimeError was thrown";
    return RuntimeError(0, QString());
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
    // A RuntimeError fails the test with SQLite's message.
    Connection(path, Connection::Mode::Create).exec(sql.toUtf8().constData());
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size())
        << path.toStdString();
}

QStringList quotedValues(const QString &sqliteFile, const QString &sql, bool quote)
{
    // A RuntimeError fails the test with SQLite's message.
    QStringList values;
    Connection db(sqliteFile, Connection::Mode::ReadOnly);
    Statement quoted(db, (quote ? "WITH q(c) AS (" + sql + ") SELECT quote(c) FROM q" : sql).toStdString());
    while (quoted.step())
        values << quoted.text(0);
    return values;
}

QStringList rowsOf(const QString &sqliteFile, const QString &table, const QString &where)
{
    QStringList columns;
    for (const QString &c : quotedValues(sqliteFile, "SELECT name FROM pragma_table_info('" + table + "')"))
        columns << "quote(\"" + c.mid(1, c.size() - 2) + "\")";
    return quotedValues(
        sqliteFile, "SELECT " + columns.join("||'|'||") + " FROM \"" + table + "\" WHERE " + where + " ORDER BY rowid",
        false);
}

std::vector<BadFile> writeBadFiles(const QString &folder)
{
    auto in = [&](const char *name) { return folder + u'/' + QLatin1String(name); };
    const QByteArray sound = readAll(writeCollection(in("BON.MDB"), "TIMBRES", {row("1", "L'ÉCU", {}, {}, 2.5)}));
    QByteArray random(8192, '\0'), jet(4096, '\0'), ace(4096, '\0');
    for (int i = 0; i < random.size(); ++i)
        random[i] = char((i * 7919 + 13) % 251);
    jet.replace(4, 15, "Standard Jet DB");
    ace.replace(4, 15, "Standard ACE DB");
    // Enough rows for the table to span pages, and its first page overwritten.
    Rows many(60, row("1", QString(200, u'a')));
    writeAll(in("PAGE.MDB"),
             readAll(writeCollection(in("PAGE.MDB"), "TIMBRES", many)).replace(4096, 4096, random.left(4096)));
    writeCollection(in("SANSTABLE.MDB"), "MONNAIES", {row("1")});
    for (const auto &[name, bytes] : {std::pair{"VIDE.MDB", QByteArray()},
                                      {"TEXTE.MDB", "NUMERO;DESIGNATION\n1;Écu\n"},
                                      {"HASARD.MDB", random},
                                      {"JET.MDB", jet},
                                      {"ACE.MDB", ace},
                                      {"TRONQUE.MDB", sound.left(sound.size() - 100)},
                                      {"ENTETE.MDB", sound.left(100)}})
        writeAll(in(name), bytes);
    QDir(folder).mkdir("DOSSIER.MDB");
    using namespace err;
    return {{in("ABSENT.MDB"), CannotOpen, "introuvable"},
            {in("DOSSIER.MDB"), CannotOpen, "n'est pas un fichier"},
            {in("VIDE.MDB"), NotADatabase, "n'est pas une base"},
            {in("TEXTE.MDB"), NotADatabase, "n'est pas une base"},
            {in("HASARD.MDB"), NotADatabase, "n'est pas une base"},
            {in("JET.MDB"), NotADatabase, "endommagé"},
            {in("ACE.MDB"), NotADatabase, "endommagé"},
            {in("TRONQUE.MDB"), NotADatabase, "endommagé"},
            {in("ENTETE.MDB"), NotADatabase, "endommagé"},
            {in("PAGE.MDB"), NotADatabase, "endommagé"},
            {in("SANSTABLE.MDB"), UnknownTable, "TIMBRES"}};
}

QString integrityOf(const QString &path)
{
    sqlite3 *db = nullptr;
    QString result = "cannot open";
    // The first line of the check's answer: "ok", or the first fault found.
    const auto first = [](void *out, int, char **values, char **) {
        *static_cast<QString *>(out) = QString::fromUtf8(values[0]);
        return 1;
    };
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK)
        sqlite3_exec(db, "PRAGMA integrity_check", first, &result, nullptr);
    sqlite3_close(db);
    return result;
}

} // namespace carnelis::test
