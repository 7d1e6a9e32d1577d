#pragma once
// The database engine, as the windows see it: open a file, list its tables, run one
// query and walk its rows through a recordset. Every failure is a RuntimeError with a
// French text; the engine never opens a dialog.
#include "RuntimeError.h"
#include "Value.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

namespace carnelis {

class Connection; // the SQLite handle underneath, RAII (see Sqlite.h)
class Recordset;

struct TableDef {
    QString Name;
    int32_t Attributes = 0; // 0 exactly for an ordinary user table
};

inline constexpr int32_t dbSystemObject = int32_t(0x80000002);

class Database {
public:
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // The tables in order of name without regard to case; views are not tables.
    std::vector<TableDef> TableDefs() const;
    // Releases the file; closing twice is harmless.
    void Close();
    bool isOpen() const;
    // A genuine Access file, or a file without write permission.
    bool isReadOnly() const;
    bool isGenuineAccess() const;
    const QString &path() const;

    // Runs one query text on this database; the current row is the first one. Throws
    // RuntimeError for a text the engine refuses, changing nothing.
    std::unique_ptr<Recordset> OpenRecordset(const QString &jetSql);

private:
    friend class DBEngine;
    struct Impl;
    explicit Database(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

class DBEngine {
public:
    // Recognises the file by its content; throws RuntimeError for anything it cannot
    // open, writing nothing to the file.
    static std::unique_ptr<Database> OpenDatabase(const QString &path);
};

// A keyset cursor over one query: the ordered row ids are taken when the query runs,
// rows are read by page on demand.
class Recordset {
public:
    virtual ~Recordset() = default;

    virtual int RecordCount() const = 0;
    // -1 when there is no current row (empty recordset, after a delete, past the end).
    virtual int AbsolutePosition() const = 0;
    // Throws RuntimeError outside 0..RecordCount()-1 and leaves the current row alone.
    virtual void setAbsolutePosition(int position) = 0;
    virtual void MoveFirst() = 0;
    virtual void MoveNext() = 0;
    virtual void MoveLast() = 0;
    virtual bool isEOF() const = 0;

    // The column names of the query, in table order.
    virtual QStringList columnNames() const = 0;
    // Value of a column of the current row, the name matched without regard to case.
    virtual Value Fields(const QString &name) const = 0;
    // Value of a column of any row by position, without moving the current row (the grid
    // reads its visible rows this way). Reading a deleted row gives Null.
    virtual Value valueAt(int position, int column) const = 0;
    // How many pages of rows have been fetched from the file so far (for tests and
    // benchmarks: the grid must not read the whole table).
    virtual int pagesFetched() const = 0;

    // Editing the current row: Edit, set fields, Update writes one transaction. A move
    // while an edit or a new row is pending stores it first, so nothing is held only in
    // memory once the row is left.
    virtual void Edit() = 0;
    // Update appends the row at the end of the keyset; the current row stays the one
    // that was current before AddNew.
    virtual void AddNew() = 0;
    virtual void setField(const QString &name, const Value &value) = 0;
    // The same by position in columnNames(), for callers that resolved the name once.
    virtual void setField(int column, const Value &value) = 0;
    virtual void Update() = 0;
    virtual void CancelUpdate() = 0;
    virtual bool isEditing() const = 0;
    // The row is removed from the table and from the recordset: RecordCount drops by one
    // and the rows after it move up one position. The current row reads as deleted
    // (Fields throws) until a move; MoveNext then makes the row that followed current.
    virtual void Delete() = 0;
    virtual bool isReadOnly() const = 0;
};

// What the table view binds its grid to: a file, a query text, and the recordset the
// last Refresh made.
class DataControl : public QObject {
    Q_OBJECT
public:
    QString DatabaseName;
    QString RecordSource;

    // Opens DatabaseName (if not open or changed) and runs RecordSource; the current row
    // is the first one. Throws RuntimeError on failure, leaving no recordset.
    void Refresh();
    Recordset *recordset() const { return recordset_.get(); }
    Database *database() const { return database_.get(); }

signals:
    // The recordset is about to go (null), or a new one is in place: what shows its rows
    // binds to the one given, and never reads from one that is gone.
    void recordsetChanged(Recordset *recordset);

private:
    std::unique_ptr<Database> database_;
    std::unique_ptr<Recordset> recordset_;
};

} // namespace carnelis
