#include "Sqlite.h"

#include <sqlite3.h>

#include <cstring>

namespace carnelis {

namespace {

// How long a write waits for another program holding the file before giving up.
constexpr int busyTimeoutMs = 2000;

RuntimeError errorFor(int code, const char *message)
{
    const QString detail = QString::fromUtf8(message ? message : "");
    if (detail.startsWith(QLatin1String(functionErrorPrefix))) {
        const int number = detail.mid(int(std::strlen(functionErrorPrefix))).toInt();
        return RuntimeError(number, engineErrorText(number));
    }
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return RuntimeError(err::Locked, engineErrorText(err::Locked));
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return RuntimeError(err::ReadOnly, engineErrorText(err::ReadOnly));
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
        return RuntimeError(err::NotADatabase, engineErrorText(err::NotADatabase));
    case SQLITE_FULL:
        return RuntimeError(err::DiskFull, engineErrorText(err::DiskFull));
    case SQLITE_IOERR:
        return RuntimeError(err::DiskError, engineErrorText(err::DiskError));
    case SQLITE_CANTOPEN:
        return RuntimeError(err::CannotOpen, engineErrorText(err::CannotOpen));
    case SQLITE_CONSTRAINT:
    case SQLITE_MISMATCH:
        return RuntimeError(err::ValueRefused, engineErrorText(err::ValueRefused));
    default:
        return RuntimeError(err::EngineFailure, engineErrorText(err::EngineFailure) + u' ' + detail);
    }
}

} // namespace

QString engineErrorText(int number)
{
    switch (number) {
    case err::Locked:
        return QStringLiteral("Le fichier est verrouillé par un autre programme ; réessayez dans un instant.");
    case err::ReadOnly:
        return QStringLiteral("Impossible de modifier : base de données en lecture seule.");
    case err::NotADatabase:
        return QStringLiteral("Le fichier est endommagé ou n'est pas une base de données reconnue.");
    case err::DiskFull:
        return QStringLiteral("Le disque est plein : rien n'a été enregistré.");
    case err::DiskError:
        return QStringLiteral("Erreur de lecture ou d'écriture sur le disque : rien n'a été enregistré.");
    case err::CannotOpen:
        return QStringLiteral("Impossible d'ouvrir le fichier.");
    case err::ValueRefused:
        return QStringLiteral("La valeur est refusée par la table : rien n'a été enregistré.");
    case err::TypeMismatch:
        return QStringLiteral("Type de données incompatible dans l'expression de critère.");
    case err::InvalidArgument:
        return QStringLiteral("Argument ou appel de procédure incorrect.");
    case err::Overflow:
        return QStringLiteral("Dépassement de capacité.");
    default:
        return QStringLiteral("Erreur du moteur de base de données.");
    }
}

QString quotedSqlName(const QString &name)
{
    QString inner = name;
    inner.replace(u'"', QStringLiteral("\"\""));
    return u'"' + inner + u'"';
}

Connection::Connection(const QString &path, Mode mode) : path_(path)
{
    int flags = SQLITE_OPEN_NOMUTEX;
    switch (mode) {
    case Mode::ReadWrite:
        flags |= SQLITE_OPEN_READWRITE;
        break;
    case Mode::ReadOnly:
        flags |= SQLITE_OPEN_READONLY;
        break;
    case Mode::Create:
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
    }
    const QByteArray name = path.toUtf8();
    const int rc = sqlite3_open_v2(name.constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        const RuntimeError e = errorFor(rc, db_ ? sqlite3_errmsg(db_) : nullptr);
        sqlite3_close(db_);
        db_ = nullptr;
        throw e;
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, busyTimeoutMs);
}

Connection::~Connection() { close(); }

void Connection::close()
{
    cache_.clear();
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

bool Connection::isReadOnly() const { return db_ && sqlite3_db_readonly(db_, "main") == 1; }

sqlite3 *Connection::handle() const
{
    if (!db_)
        throw RuntimeError(err::ObjectClosed, QStringLiteral("La base de données est fermée."));
    return db_;
}

void Connection::exec(const char *sql)
{
    char *message = nullptr;
    const int rc = sqlite3_exec(handle(), sql, nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const RuntimeError e = errorFor(rc, message);
        sqlite3_free(message);
        throw e;
    }
}

int64_t Connection::changes() const { return sqlite3_changes64(handle()); }

Statement &Connection::cached(const std::string &sql)
{
    auto it = cache_.find(sql);
    if (it == cache_.end())
        it = cache_.emplace(sql, std::make_unique<Statement>(*this, sql)).first;
    return *it->second;
}

void Connection::fail(int code) const { throw errorFor(code, db_ ? sqlite3_errmsg(db_) : nullptr); }

Statement::Statement(Connection &connection, const std::string &sql) : connection_(connection)
{
    const int rc = sqlite3_prepare_v3(connection.handle(), sql.c_str(), int(sql.size()), 0, &stmt_, nullptr);
    if (rc != SQLITE_OK)
        connection.fail(rc);
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

void Statement::bind(int index, const Value &value)
{
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(stmt_, index);
    } else if (value.isNumber()) {
        rc = sqlite3_bind_double(stmt_, index, value.number());
    } else {
        const QByteArray utf8 = value.text().toUtf8();
        rc = sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    if (rc != SQLITE_OK)
        connection_.fail(rc);
}

void Statement::bindText(int index, std::string_view utf8)
{
    const int rc = sqlite3_bind_text(stmt_, index, utf8.data(), int(utf8.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK)
        connection_.fail(rc);
}

void Statement::bind(int index, int64_t value)
{
    const int rc = sqlite3_bind_int64(stmt_, index, value);
    if (rc != SQLITE_OK)
        connection_.fail(rc);
}

bool Statement::step()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(stmt_);
    connection_.fail(rc);
}

void Statement::reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Statement::columnCount() const { return sqlite3_column_count(stmt_); }

Value Statement::value(int column) const
{
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return Value(double(sqlite3_column_int64(stmt_, column)));
    case SQLITE_FLOAT:
        return Value(sqlite3_column_double(stmt_, column));
    default:
        return Value(text(column));
    }
}

int64_t Statement::int64(int column) const { return sqlite3_column_int64(stmt_, column); }

QString Statement::text(int column) const
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(stmt_, column));
    return QString::fromUtf8(bytes, sqlite3_column_bytes(stmt_, column));
}

Statement::Type Statement::type(int column) const
{
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_NULL:
        return Type::Null;
    case SQLITE_INTEGER:
        return Type::Integer;
    case SQLITE_FLOAT:
        return Type::Real;
    case SQLITE_TEXT:
        return Type::Text;
    default:
        return Type::Blob;
    }
}

double Statement::real(int column) const { return sqlite3_column_double(stmt_, column); }

std::string_view Statement::bytes(int column) const
{
    const auto *p = static_cast<const char *>(sqlite3_column_blob(stmt_, column));
    return {p ? p : "", size_t(sqlite3_column_bytes(stmt_, column))};
}

bool Statement::isNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }

Transaction::Transaction(Connection &connection) : connection_(connection) { connection_.exec("BEGIN IMMEDIATE"); }

Transaction::~Transaction()
{
    if (!done_ && connection_.isOpen())
        sqlite3_exec(connection_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit()
{
    connection_.exec("COMMIT");
    done_ = true;
}

} // namespace carnelis
