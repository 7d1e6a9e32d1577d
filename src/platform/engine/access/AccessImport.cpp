#include "AccessImport.h"

#include "AccessSnapshot.h"
#include "RuntimeError.h"
#include "SnapshotFormat.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QTextStream>

#include <cerrno>
#include <sqlite3.h>
#include <unistd.h>

namespace carnelis::access {

namespace {

QString identifier(const QString &name)
{
    QString out = name;
    out.replace(u'"', QStringLiteral("\"\""));
    return u'"' + out + u'"';
}

RuntimeError writeFailed(const QString &target)
{
    return RuntimeError(err::DiskMediumError,
                        QStringLiteral("Le fichier « %1 » n'a pas pu être écrit (disque plein ou protégé) : "
                                       "rien n'a été créé.")
                            .arg(target));
}

bool isGenuineAccessFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(19);
    return head.size() == 19 &&
           (head.mid(4) == QByteArrayLiteral("Standard Jet DB") || head.mid(4) == QByteArrayLiteral("Standard ACE DB"));
}

// The copy is written through its own SQLite handle; the snapshot is attached read only.
class CopyDb {
public:
    CopyDb(const QString &path, const QString &target) : target_(target)
    {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            fail();
    }
    ~CopyDb() { sqlite3_close(db_); }
    CopyDb(const CopyDb &) = delete;
    CopyDb &operator=(const CopyDb &) = delete;

    void exec(const QString &sql)
    {
        if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            fail();
    }
    sqlite3_stmt *prepare(const QString &sql)
    {
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK)
            fail();
        return stmt;
    }
    qint64 changes() const { return sqlite3_changes64(db_); }
    void close()
    {
        if (sqlite3_close(db_) != SQLITE_OK)
            fail();
        db_ = nullptr;
    }
    [[noreturn]] void fail() const { throw writeFailed(target_); }

private:
    sqlite3 *db_ = nullptr;
    QString target_;
};

class Query {
public:
    Query(CopyDb &db, const QString &sql) : db_(db), stmt_(db.prepare(sql)) {}
    ~Query() { sqlite3_finalize(stmt_); }
    Query(const Query &) = delete;
    Query &operator=(const Query &) = delete;

    void bind(int index, const QString &text)
    {
        const QByteArray utf8 = text.toUtf8();
        if (sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT) != SQLITE_OK)
            db_.fail();
    }
    bool next()
    {
        const int rc = sqlite3_step(stmt_);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            db_.fail();
        return rc == SQLITE_ROW;
    }
    QString text(int column) const
    {
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt_, column)));
    }

private:
    CopyDb &db_;
    sqlite3_stmt *stmt_;
};

QString columnsOf(CopyDb &db, const QString &table)
{
    Query info(db, QStringLiteral("SELECT name, type FROM pragma_table_info(?, 'source')"));
    info.bind(1, table);
    QStringList columns;
    while (info.next())
        columns << identifier(info.text(0)) + u' ' + info.text(1);
    return columns.join(QStringLiteral(", "));
}

std::vector<ImportedTable> copyTables(CopyDb &db, const QString &snapshot)
{
    {
        Query attach(db, QStringLiteral("ATTACH DATABASE ? AS source"));
        attach.bind(1, snapshot);
        attach.next();
    }
    std::vector<ImportedTable> copied;
    db.exec(QStringLiteral("BEGIN"));
    {
        Query tables(db, QStringLiteral("SELECT name FROM source.%1 WHERE attributes = 0 AND rows IS NOT NULL "
                                        "ORDER BY rowid")
                             .arg(identifier(QString::fromUtf8(catalogueTable))));
        while (tables.next()) {
            const QString name = tables.text(0);
            db.exec(QStringLiteral("CREATE TABLE main.%1 (%2)").arg(identifier(name), columnsOf(db, name)));
            db.exec(QStringLiteral("INSERT INTO main.%1 SELECT * FROM source.%1 ORDER BY rowid").arg(identifier(name)));
            copied.push_back({name, db.changes()});
        }
    }
    db.exec(QStringLiteral("COMMIT"));
    db.exec(QStringLiteral("DETACH DATABASE source"));
    return copied;
}

} // namespace

std::vector<ImportedTable> importAccessFile(const QString &source, const QString &target)
{
    const QFileInfo targetInfo(target);
    if (targetInfo.exists() || targetInfo.isSymLink())
        throw RuntimeError(err::FileAlreadyExists,
                           QStringLiteral("Le fichier « %1 » existe déjà : choisissez un autre nom, "
                                          "il ne sera pas remplacé.")
                               .arg(target));
    if (!QFileInfo::exists(source))
        throw RuntimeError(err::CannotOpen, QStringLiteral("Le fichier « %1 » est introuvable.").arg(source));
    if (!isGenuineAccessFile(source))
        throw RuntimeError(err::NotADatabase,
                           QStringLiteral("Le fichier « %1 » n'est pas un fichier Access d'origine : "
                                          "il n'y a rien à convertir.")
                               .arg(source));
    const QString snapshot = openSnapshot(source);

    // Written beside the target under another name, then put in place in one step.
    QTemporaryFile scratch(targetInfo.absolutePath() + QStringLiteral("/.carnelis-XXXXXX.tmp"));
    if (!scratch.open())
        throw writeFailed(target);
    scratch.close();
    std::vector<ImportedTable> copied;
    {
        CopyDb db(scratch.fileName(), target);
        db.exec(QStringLiteral("PRAGMA synchronous=FULL"));
        copied = copyTables(db, snapshot);
        db.close();
    }
    if (link(QFile::encodeName(scratch.fileName()).constData(), QFile::encodeName(target).constData()) != 0) {
        if (errno == EEXIST)
            throw RuntimeError(err::FileAlreadyExists,
                               QStringLiteral("Le fichier « %1 » existe déjà : choisissez un autre nom, "
                                              "il ne sera pas remplacé.")
                                   .arg(target));
        throw writeFailed(target);
    }
    return copied; // the scratch name goes with `scratch`
}

QString rowsCopiedText(qint64 rows)
{
    return rows > 1 ? QStringLiteral("%1 lignes copiées").arg(rows) : QStringLiteral("%1 ligne copiée").arg(rows);
}

} // namespace carnelis::access
