#include "Engine.h"

#include "AccessSnapshot.h"
#include "FileKind.h"
#include "JetFunctions.h"
#include "JetTranslator.h"
#include "KeysetRecordset.h"
#include "SnapshotFormat.h"
#include "Sqlite.h"
#include "TableSchema.h"

#include <QFileInfo>
#include <algorithm>

namespace carnelis {

namespace {

inline constexpr int32_t dbAttachedTable = 0x40000000;

// A file the user marked read-only is opened for reading even by a user the system would
// let write to it (the administrator), so that the mark is respected.
bool writable(const QFileInfo &info)
{
    constexpr auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return info.isWritable() && (info.permissions() & anyWrite);
}

// SQLite writes its rollback journal beside the file: in a folder nobody may write to, a
// write could only fail half-way, so such a file is opened for reading.
bool folderWritable(const QFileInfo &info) { return writable(QFileInfo(info.absolutePath())); }

QString shownName(const QString &path) { return QFileInfo(path).fileName(); }

} // namespace

struct Database::Impl {
    std::shared_ptr<Connection> connection;
    QString path;
    bool readOnly = false;
    bool genuineAccess = false; // `connection` is the snapshot of the Access file `path`
};

Database::Database(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Database::~Database() = default;

std::vector<TableDef> Database::TableDefs() const
{
    std::vector<TableDef> defs;
    if (impl_->genuineAccess) {
        // The Access file's own catalogue, with its real flags; the snapshot's tables are
        // only the ones whose rows it holds.
        Statement s(*impl_->connection, access::catalogueQuery);
        while (s.step())
            defs.push_back({s.text(0), int32_t(s.int64(1))});
        std::stable_sort(defs.begin(), defs.end(), [](const TableDef &a, const TableDef &b) {
            return a.Name.compare(b.Name, Qt::CaseInsensitive) < 0;
        });
        return defs;
    }
    for (const TableInfo &t : listTables(*impl_->connection)) {
        const int32_t attributes = t.isSystem ? dbSystemObject : t.isVirtual ? dbAttachedTable : 0;
        defs.push_back({t.name, attributes});
    }
    return defs;
}

void Database::Close() { impl_->connection->close(); }
bool Database::isOpen() const { return impl_->connection->isOpen(); }
bool Database::isReadOnly() const { return impl_->readOnly || impl_->connection->isReadOnly(); }
bool Database::isGenuineAccess() const { return impl_->genuineAccess; }
const QString &Database::path() const { return impl_->path; }

std::unique_ptr<Recordset> Database::OpenRecordset(const QString &jetSql)
{
    KeysetQuery query = translateJetSql(*impl_->connection, jetSql);
    return std::make_unique<KeysetRecordset>(impl_->connection, isReadOnly(), std::move(query));
}

std::unique_ptr<Database> DBEngine::OpenDatabase(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw RuntimeError(err::CannotOpen, QStringLiteral("Le fichier « %1 » est introuvable.").arg(path));
    if (!info.isFile())
        throw RuntimeError(err::CannotOpen,
                           QStringLiteral("« %1 » n'est pas un fichier de base de données.").arg(path));
    if (!info.isReadable())
        throw RuntimeError(
            err::PermissionDenied,
            QStringLiteral("Accès refusé : le fichier « %1 » ne peut pas être lu.").arg(shownName(path)));

    switch (recognizeFile(path)) {
    case FileKind::Sqlite:
        break;
    case FileKind::GenuineAccess: {
        // Read by a helper process into a snapshot, opened here for reading only.
        auto impl = std::make_unique<Database::Impl>();
        impl->path = path;
        impl->readOnly = true;
        impl->genuineAccess = true;
        impl->connection = std::make_shared<Connection>(access::openSnapshot(path), Connection::Mode::ReadOnly);
        registerJetFunctions(*impl->connection);
        return std::unique_ptr<Database>(new Database(std::move(impl)));
    }
    case FileKind::Damaged:
        throw RuntimeError(err::NotADatabase,
                           QStringLiteral("Le fichier « %1 » est endommagé (incomplet) : il ne peut pas être ouvert.")
                               .arg(shownName(path)));
    case FileKind::Unknown:
        throw RuntimeError(
            err::NotADatabase,
            QStringLiteral("Le fichier « %1 » n'est pas une base de données reconnue.").arg(shownName(path)));
    }

    auto impl = std::make_unique<Database::Impl>();
    impl->path = path;
    impl->readOnly = !writable(info) || !folderWritable(info);
    impl->connection =
        std::make_shared<Connection>(path, impl->readOnly ? Connection::Mode::ReadOnly : Connection::Mode::ReadWrite);
    Connection &c = *impl->connection;
    registerJetFunctions(c);
    try {
        // Each stored row must be on the disk when the call returns, even if the power fails.
        c.exec("PRAGMA synchronous = FULL");
        // Room for the sorter of a large keyset to stay in memory instead of spilling to
        // temporary files, and for the pages of a catalogue to stay cached between queries.
        // (This one reads the catalogue already.)
        c.exec("PRAGMA cache_size = -32768");
        c.exec("PRAGMA temp_store = MEMORY");
        listTables(c); // reads the catalogue: a damaged file fails here, not later
    } catch (const RuntimeError &e) {
        if (e.number() == err::NotADatabase)
            throw RuntimeError(
                err::NotADatabase,
                QStringLiteral("Le fichier « %1 » est endommagé : il ne peut pas être ouvert.").arg(shownName(path)));
        // A write cut short (a crash, a power cut) leaves its journal beside the file, and
        // only a connection allowed to write can put the file back as it was: until then
        // a read-only file cannot be read, which is not the user trying to change it.
        if (e.number() == err::ReadOnly && impl->readOnly)
            throw RuntimeError(err::ReadOnly,
                               QStringLiteral("Le fichier « %1 » a été interrompu pendant une écriture et doit être "
                                              "remis en état avant d'être lu : rendez-le modifiable, ainsi que son "
                                              "dossier, puis ouvrez-le de nouveau.")
                                   .arg(shownName(path)));
        throw;
    }
    return std::unique_ptr<Database>(new Database(std::move(impl)));
}

void DataControl::Refresh()
{
    if (recordset_) {
        emit recordsetChanged(nullptr);
        recordset_.reset();
    }
    if (!database_ || !database_->isOpen() || database_->path() != DatabaseName) {
        database_.reset();
        database_ = DBEngine::OpenDatabase(DatabaseName);
    }
    recordset_ = database_->OpenRecordset(RecordSource);
    emit recordsetChanged(recordset_.get());
}

} // namespace carnelis
