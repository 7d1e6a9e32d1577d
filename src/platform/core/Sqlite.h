#pragma once
// RAII over the SQLite C API. Every failure leaves as a RuntimeError with a French text;
// nothing here knows about Jet SQL or recordsets.
#include "RuntimeError.h"
#include "Value.h"

#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace carnelis {

class Statement;

// One open SQLite file. Closing finalizes the statements it cached, so the file is
// really released even while recordsets still point at the connection.
class Connection {
public:
    enum class Mode { ReadWrite, ReadOnly, Create };
    Connection(const QString &path, Mode mode);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    void close();
    bool isOpen() const { return db_ != nullptr; }
    bool isReadOnly() const;
    sqlite3 *handle() const;
    const QString &path() const { return path_; }

    void exec(const char *sql);
    // Rows written by the last INSERT, UPDATE or DELETE.
    int64_t changes() const;
    // A statement kept for the life of the connection (used for the hot paths: pages).
    Statement &cached(const std::string &sql);

    // Throws the RuntimeError that matches the last failure of this connection.
    [[noreturn]] void fail(int code) const;

private:
    sqlite3 *db_ = nullptr;
    QString path_;
    std::map<std::string, std::unique_ptr<Statement>> cache_;
};

class Statement {
public:
    Statement(Connection &connection, const std::string &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    void bind(int index, const Value &value);
    void bind(int index, int64_t value);
    // Text already in UTF-8, bound as it is: no round trip through QString per cell.
    void bindText(int index, std::string_view utf8);
    // True while a row is there; throws on failure.
    bool step();
    void reset();

    int columnCount() const;
    Value value(int column) const;
    int64_t int64(int column) const;
    QString text(int column) const;
    bool isNull(int column) const;
    // The raw cell, for code that must not build a Value per row.
    enum class Type { Null, Integer, Real, Text, Blob };
    Type type(int column) const;
    double real(int column) const;
    std::string_view bytes(int column) const; // text or blob, valid until the next step

private:
    Connection &connection_;
    sqlite3_stmt *stmt_ = nullptr;
};

// Resets a cached statement however the block is left, so it never keeps a read open.
class StatementUse {
public:
    explicit StatementUse(Statement &s) : s_(s) {}
    ~StatementUse() { s_.reset(); }
    StatementUse(const StatementUse &) = delete;
    StatementUse &operator=(const StatementUse &) = delete;
    Statement *operator->() { return &s_; }

private:
    Statement &s_;
};

// BEGIN IMMEDIATE ... COMMIT; rolled back when left by an exception, so a failed write
// leaves the file as it was.
class Transaction {
public:
    explicit Transaction(Connection &connection);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();

private:
    Connection &connection_;
    bool done_ = false;
};

// SQL text of a name: in double quotes, any quote inside doubled.
QString quotedSqlName(const QString &name);

// Failures raised inside our SQL functions carry their error number in the message.
inline constexpr const char *functionErrorPrefix = "carnelis:";

// The French text of an error number raised from inside a query.
QString engineErrorText(int number);

} // namespace carnelis
