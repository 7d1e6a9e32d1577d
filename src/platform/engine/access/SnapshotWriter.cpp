#include "SnapshotWriter.h"

#include "JetFile.h"
#include "SnapshotFormat.h"
#include "Sqlite.h"

#include <sqlite3.h>

#include <cstdio>
#include <optional>
#include <sys/stat.h>

namespace carnelis::access {

namespace {

std::string identifier(const std::string &name) { return quotedSqlName(QString::fromStdString(name)).toStdString(); }

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

// What went wrong in the snapshot file, told as the rest of the helper's reasons are.
ReadError writeFailed(const RuntimeError &error)
{
    switch (error.number()) {
    case err::DiskFull:
    case err::DiskError:
    case err::CannotOpen:
    case err::ReadOnly:
        return ReadError("sa copie temporaire n'a pas pu être écrite (disque plein ?).");
    default: // two tables or two columns of one name: only a damaged catalogue does that
        return ReadError("son catalogue des tables est incohérent ; le fichier est endommagé.");
    }
}

void bindCell(Statement &insert, int index, const Cell &cell)
{
    if (const auto *i = std::get_if<int64_t>(&cell))
        insert.bind(index, *i);
    else if (const auto *d = std::get_if<double>(&cell))
        insert.bind(index, Value(*d));
    else if (const auto *s = std::get_if<std::string>(&cell))
        insert.bindText(index, *s);
    else
        insert.bind(index, Value());
}

void run(Statement &insert)
{
    insert.step();
    insert.reset();
}

// The rows copied, or nothing when the snapshot cannot hold the table.
std::optional<int64_t> copyTable(JetFile &file, Connection &db, const std::string &name)
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
    db.exec((create + ")").c_str());
    Statement rows(db, insert + ")");
    std::vector<Cell> row;
    int64_t count = 0;
    while (table->next(row)) {
        for (size_t k = 0; k < kept.size(); ++k)
            bindCell(rows, int(k) + 1, row[kept[k]]);
        run(rows);
        ++count;
    }
    return count;
}

void writeInto(const std::string &source, Connection &db)
{
    JetFile file(source);
    // A scratch file: if the machine stops, it is made again at the next opening.
    db.exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN");
    db.exec(("CREATE TABLE " + identifier(catalogueTable) +
             " (name TEXT NOT NULL, attributes INTEGER NOT NULL, rows INTEGER)")
                .c_str());
    Statement catalogue(db, "INSERT INTO " + identifier(catalogueTable) + " VALUES (?, ?, ?)");
    for (const JetTableEntry &entry : file.tables()) {
        std::optional<int64_t> rows;
        if (entry.local && (entry.attributes & dbSystemObject) == 0)
            rows = copyTable(file, db, entry.name);
        // The name as the table was created under it, so that the two always match.
        catalogue.bind(1, Value(QString::fromStdString(entry.name)));
        catalogue.bind(2, int64_t(entry.attributes));
        bindCell(catalogue, 3, rows ? Cell(*rows) : Cell());
        run(catalogue);
    }
    db.exec("COMMIT");
}

} // namespace

void writeSnapshot(const std::string &source, const std::string &target)
{
    struct stat st;
    if (stat(target.c_str(), &st) == 0)
        throw ReadError("la copie temporaire existe déjà.");
    try {
        Connection db(QString::fromStdString(target), Connection::Mode::Create);
        try {
            writeInto(source, db);
        } catch (...) {
            db.close();
            std::remove(target.c_str());
            throw;
        }
    } catch (const RuntimeError &e) {
        throw writeFailed(e);
    }
}

} // namespace carnelis::access
