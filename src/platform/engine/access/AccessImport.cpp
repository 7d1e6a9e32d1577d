#include "AccessImport.h"

#include "AccessSnapshot.h"
#include "FileKind.h"
#include "SnapshotFormat.h"
#include "Sqlite.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QTextStream>

#include <cerrno>
#include <unistd.h>

namespace carnelis::access {

namespace {

RuntimeError writeFailed(const QString &target)
{
    return RuntimeError(err::DiskMediumError,
                        QStringLiteral("Le fichier « %1 » n'a pas pu être écrit (disque plein ou protégé) : "
                                       "rien n'a été créé.")
                            .arg(target));
}

void exec(Connection &db, const QString &sql) { db.exec(sql.toUtf8().constData()); }

QString columnsOf(Connection &db, const QString &table)
{
    Statement info(db, "SELECT name, type FROM pragma_table_info(?, 'source')");
    info.bind(1, Value(table));
    QStringList columns;
    while (info.step())
        columns << quotedSqlName(info.text(0)) + u' ' + info.text(1);
    return columns.join(QStringLiteral(", "));
}

std::vector<ImportedTable> copyTables(Connection &db, const QString &snapshot)
{
    {
        Statement attach(db, "ATTACH DATABASE ? AS source");
        attach.bind(1, Value(snapshot));
        attach.step();
    }
    std::vector<ImportedTable> copied;
    Transaction transaction(db);
    {
        Statement tables(db, QStringLiteral("SELECT name FROM source.%1 WHERE attributes = 0 AND rows IS NOT NULL "
                                            "ORDER BY rowid")
                                 .arg(quotedSqlName(QString::fromUtf8(catalogueTable)))
                                 .toStdString());
        while (tables.step()) {
            const QString name = tables.text(0);
            exec(db, QStringLiteral("CREATE TABLE main.%1 (%2)").arg(quotedSqlName(name), columnsOf(db, name)));
            exec(db,
                 QStringLiteral("INSERT INTO main.%1 SELECT * FROM source.%1 ORDER BY rowid").arg(quotedSqlName(name)));
            copied.push_back({name, db.changes()});
        }
    }
    transaction.commit();
    db.exec("DETACH DATABASE source");
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
    if (recognizeFile(source) != FileKind::GenuineAccess)
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
    try {
        Connection db(scratch.fileName(), Connection::Mode::ReadWrite);
        db.exec("PRAGMA synchronous=FULL");
        copied = copyTables(db, snapshot);
    } catch (const RuntimeError &) {
        throw writeFailed(target);
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
