#include "SnapshotWriter.h"

#include "JetFile.h"
#include "SnapshotFormat.h"

#include <sqlite3.h>

#include <cstdio>
#include <optional>
#include <sys/stat.h>

namespace carnelis::access {

namespace {

std::string identifier(const std::string &name)
{
    std::string out = "\"";
    for (char c : name) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

const char *declaredType(ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::Integer:
        return "INTEGER";
    case ColumnKind::Real:
        return "REAL";
    default:
        return "TEXT";
    }
}

[[noreturn]] void writeFailed(sqlite3 *db)
{
    switch (db ? sqlite3_errcode(db) : SQLITE_CANTOPEN) {
    case SQLITE_FULL:
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
    case SQLITE_PERM:
        throw ReadError("sa copie temporaire n'a pas pu être écrite (disque plein ?).");
    default: // two tables or two columns of one name: only a damaged catalogue does that
        throw ReadError("son catalogue des tables est incohérent ; le fichier est endommagé.");
    }
}

class SnapshotDb {
public:
    explicit SnapshotDb(const std::string &path)
    {
        struct stat st;
        if (stat(path.c_str(), &st) == 0)
            throw ReadError("la copie temporaire existe déjà.");
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
            sqlite3_close(db_);
            db_ = nullptr;
            writeFailed(nullptr);
        }
    }
    ~SnapshotDb() { close(); }
    SnapshotDb(const SnapshotDb &) = delete;
    SnapshotDb &operator=(const SnapshotDb &) = delete;

    sqlite3 *get() const { return db_; }
    void close()
    {
        sqlite3_close(db_);
        db_ = nullptr;
    }
    void exec(const std::string &sql)
    {
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
            writeFailed(db_);
    }

private:
    sqlite3 *db_ = nullptr;
};

class Insert {
public:
    Insert(SnapshotDb &db, const std::string &sql) : db_(db.get())
    {
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt_, nullptr) != SQLITE_OK)
            writeFailed(db_);
    }
    ~Insert() { sqlite3_finalize(stmt_); }
    Insert(const Insert &) = delete;
    Insert &operator=(const Insert &) = delete;

    void bind(int index, const Cell &cell)
    {
        int rc = SQLITE_OK;
        if (const auto *i = std::get_if<int64_t>(&cell))
            rc = sqlite3_bind_int64(stmt_, index, *i);
        else if (const auto *d = std::get_if<double>(&cell))
            rc = sqlite3_bind_double(stmt_, index, *d);
        else if (const auto *s = std::get_if<std::string>(&cell))
            rc = sqlite3_bind_text(stmt_, index, s->data(), int(s->size()), SQLITE_TRANSIENT);
        else
            rc = sqlite3_bind_null(stmt_, index);
        if (rc != SQLITE_OK)
            writeFailed(db_);
    }
    void run()
    {
        if (sqlite3_step(stmt_) != SQLITE_DONE)
            writeFailed(db_);
        sqlite3_reset(stmt_);
    }

private:
    sqlite3 *db_;
    sqlite3_stmt *stmt_ = nullptr;
};

// The rows copied, or nothing when the snapshot cannot hold the table.
std::optional<int64_t> copyTable(JetFile &file, SnapshotDb &db, const std::string &name)
{
    if (sqlite3_strnicmp(name.c_str(), "sqlite_", 7) == 0)
        return std::nullopt;
    auto table = file.openTable(name);
    std::vector<size_t> kept;
    std::string create = "CREATE TABLE " + identifier(name) + " (";
    std::string insert = "INSERT INTO " + identifier(name) + " VALUES (";
    for (size_t i = 0; i < table->columns().size(); ++i) {
        const JetColumn &column = table->columns()[i];
        if (column.kind == ColumnKind::Skipped)
            continue;
        create += (kept.empty() ? "" : ", ") + identifier(column.name) + ' ' + declaredType(column.kind);
        insert += kept.empty() ? "?" : ", ?";
        kept.push_back(i);
    }
    if (kept.empty())
        return std::nullopt;
    db.exec(create + ")");
    Insert rows(db, insert + ")");
    std::vector<Cell> row;
    int64_t count = 0;
    while (table->next(row)) {
        for (size_t k = 0; k < kept.size(); ++k)
            rows.bind(int(k) + 1, row[kept[k]]);
        rows.run();
        ++count;
    }
    return count;
}

void writeInto(const std::string &source, SnapshotDb &db)
{
    JetFile file(source);
    // A scratch file: if the machine stops, it is made again at the next opening.
    db.exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN");
    db.exec("CREATE TABLE " + identifier(catalogueTable) +
            " (name TEXT NOT NULL, attributes INTEGER NOT NULL, rows INTEGER)");
    Insert catalogue(db, "INSERT INTO " + identifier(catalogueTable) + " VALUES (?, ?, ?)");
    for (const JetTableEntry &entry : file.tables()) {
        std::optional<int64_t> rows;
        if (entry.local && (entry.attributes & dbSystemObject) == 0)
            rows = copyTable(file, db, entry.name);
        catalogue.bind(1, entry.name);
        catalogue.bind(2, int64_t(entry.attributes));
        catalogue.bind(3, rows ? Cell(*rows) : Cell());
        catalogue.run();
    }
    db.exec("COMMIT");
}

} // namespace

void writeSnapshot(const std::string &source, const std::string &target)
{
    SnapshotDb db(target); // refuses a file that is already there
    try {
        writeInto(source, db);
    } catch (...) {
        db.close();
        std::remove(target.c_str());
        throw;
    }
}

} // namespace carnelis::access
