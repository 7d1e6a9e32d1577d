#pragma once
// A genuine Access file (Jet 3 or Jet 4) read through mdbtools. Only the snapshot helper
// process uses this: a damaged file may crash or exhaust the library, and that must never
// happen inside the program itself.
#include "JetValues.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace carnelis::access {

// A failure to read the file, with a French text in UTF-8 that completes "Le fichier ...".
class ReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// DAO's TableDef.Attributes bits.
inline constexpr int32_t dbSystemObject = int32_t(0x80000002);
inline constexpr int32_t dbHiddenObject = 0x1;
inline constexpr int32_t dbAttachedTable = 0x40000000;
inline constexpr int32_t dbAttachedODBC = 0x20000000;

// A table as the file's catalogue (MSysObjects) describes it.
struct JetTableEntry {
    std::string name;
    int32_t attributes = 0; // 0 exactly for an ordinary local user table
    bool local = false;     // its rows are in this file (not a linked table)
};

// What a column becomes in the snapshot.
enum class ColumnKind { Integer, Real, Text, Date, Skipped };

struct JetColumn {
    std::string name;
    int type = 0; // the mdbtools type code
    ColumnKind kind = ColumnKind::Skipped;
};

// The largest table Access can make; more columns can only come from a damaged file.
inline constexpr unsigned maxColumns = 255;

// The rows of one local table, read in the file's order.
class JetTable {
public:
    ~JetTable();
    JetTable(const JetTable &) = delete;
    JetTable &operator=(const JetTable &) = delete;

    const std::vector<JetColumn> &columns() const;
    // Fills `row` with one cell per column (Null for the skipped ones); false at the end.
    // Throws ReadError on a row that cannot be read.
    bool next(std::vector<Cell> &row);

    struct Impl; // the mdbtools side

private:
    friend class JetFile;
    explicit JetTable(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

class JetFile {
public:
    // Opens the file for reading only; throws ReadError.
    explicit JetFile(const std::string &path);
    ~JetFile();
    JetFile(const JetFile &) = delete;
    JetFile &operator=(const JetFile &) = delete;

    // Every table of the catalogue (local, linked, system, hidden), in catalogue order.
    const std::vector<JetTableEntry> &tables() const { return tables_; }
    // The rows of a local table; throws ReadError.
    std::unique_ptr<JetTable> openTable(const std::string &name);

private:
    void readCatalogue();

    struct Handle;
    std::unique_ptr<Handle> handle_;
    std::vector<JetTableEntry> tables_;
};

} // namespace carnelis::access
