#include "CollectionFile.h"

#include "Collection.h"
#include "FileKind.h"
#include "Sqlite.h"
#include "TableSchema.h"

#include <QFileInfo>
#include <QStringList>

namespace carnelis {

const std::vector<ColumnDef> &collectionColumns()
{
    static const std::vector<ColumnDef> columns = [] {
        std::vector<ColumnDef> out;
        for (std::size_t i = 0; i < collectionTable.size(); ++i)
            out.push_back({QString::fromLatin1(collectionTable[i].name),
                           QString::fromLatin1(int(i) == coteColumn ? "REAL" : "TEXT")});
        return out;
    }();
    return columns;
}

CollectionFile::CollectionFile(const QString &path)
{
    if (QFileInfo::exists(path) && recognizeFile(path) != FileKind::Sqlite)
        throw RuntimeError(err::NotADatabase,
                           QStringLiteral("Le fichier « %1 » existe et n'est pas une base de données de ce programme : "
                                          "il n'a pas été modifié.")
                               .arg(QFileInfo(path).fileName()));
    // A file the user marked read-only stays as it is even for a user the system would let
    // write to it (the administrator), as when the engine opens it.
    const QFileInfo info(path);
    constexpr auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (info.exists() && !(info.isWritable() && (info.permissions() & anyWrite)))
        throw RuntimeError(
            err::ReadOnly,
            QStringLiteral("Le fichier « %1 » est en lecture seule : il n'a pas été modifié.").arg(info.fileName()));
    connection_ = std::make_unique<Connection>(path, Connection::Mode::Create);
    connection_->exec("PRAGMA synchronous = FULL");
}

CollectionFile::~CollectionFile() = default;

void CollectionFile::createTable(const QString &name, const std::vector<ColumnDef> &columns)
{
    if (name.trimmed().isEmpty())
        throw RuntimeError(err::SyntaxError, QStringLiteral("Le nom de la table est vide."));
    if (findTable(*connection_, name))
        throw RuntimeError(err::ValueRefused, QStringLiteral("La table « %1 » existe déjà dans ce fichier.").arg(name));
    QStringList defs;
    for (const ColumnDef &c : columns)
        defs << quotedSqlName(c.name) + u' ' + c.type;
    const QString sql =
        QStringLiteral("CREATE TABLE ") + quotedSqlName(name) + u'(' + defs.join(QStringLiteral(", ")) + u')';
    connection_->exec(sql.toUtf8().constData());
}

void CollectionFile::appendRows(const QString &table, const std::vector<std::vector<Value>> &rows)
{
    const auto info = findTable(*connection_, table);
    if (!info)
        throw RuntimeError(err::UnknownTable, QStringLiteral("La table « %1 » est introuvable.").arg(table));
    QStringList marks;
    for (size_t i = 0; i < info->columns.size(); ++i)
        marks << u'?' + QString::number(i + 1);
    const QString sql = QStringLiteral("INSERT INTO ") + quotedSqlName(info->name) + QStringLiteral(" VALUES (") +
                        marks.join(u',') + u')';
    Transaction transaction(*connection_);
    Statement insert(*connection_, sql.toStdString());
    for (const auto &row : rows) {
        for (size_t c = 0; c < info->columns.size(); ++c)
            insert.bind(int(c) + 1, c < row.size() ? row[c] : Value());
        insert.step();
        insert.reset();
    }
    transaction.commit();
}

} // namespace carnelis
