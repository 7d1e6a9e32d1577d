#include "JetFile.h"

// glib must come before mdbtools.h, whose extern "C" block would otherwise wrap glib's
// C++ templates.
#include <glib.h>
#include <mdbtools.h>

#include <algorithm>
#include <cstring>

namespace carnelis::access {

namespace {

constexpr int deletedRowFlag = 0x4000;
constexpr int rowOffsetMask = 0x1fff;
// A memo or OLE field begins with a 12-byte header: length and flags, then where the
// text lies when it is not in the row itself.
constexpr int memoHeaderSize = 12;
constexpr uint32_t memoInline = 0x80000000u;
constexpr uint32_t memoOnePage = 0x40000000u;
constexpr uint32_t memoFlagsMask = 0xff000000u;

ColumnKind kindOf(int type)
{
    switch (type) {
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return ColumnKind::Integer;
    case MDB_MONEY:
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC:
        return ColumnKind::Real;
    case MDB_TEXT:
    case MDB_MEMO:
    case MDB_REPID:
        return ColumnKind::Text;
    case MDB_DATETIME:
        return ColumnKind::Date;
    default: // binary, OLE objects, attachments: not something a grid can show
        return ColumnKind::Skipped;
    }
}

bool startsWithNoCase(const std::string &text, const char *prefix)
{
    const size_t n = std::strlen(prefix);
    return text.size() >= n && g_ascii_strncasecmp(text.c_str(), prefix, n) == 0;
}

// MSysObjects keeps its own flags; DAO reports them with its own bits added, so that a
// program testing Attributes = 0 sees exactly the ordinary local tables.
int32_t attributesOf(const std::string &name, int64_t type, int64_t flags)
{
    auto bits = uint32_t(flags);
    if ((bits & uint32_t(dbSystemObject)) != 0 || startsWithNoCase(name, "MSys"))
        bits |= uint32_t(dbSystemObject);
    if ((bits & 0x8u) != 0) // hidden in the database window
        bits |= uint32_t(dbHiddenObject);
    if (type == 6)
        bits |= uint32_t(dbAttachedTable);
    if (type == 4)
        bits |= uint32_t(dbAttachedODBC);
    return int32_t(bits);
}

uint32_t le32(const unsigned char *p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

std::string quoted(const std::string &name) { return "« " + name + " »"; }

[[noreturn]] void damagedTable(const std::string &table)
{
    throw ReadError("la table " + quoted(table) + " est illisible ; le fichier est endommagé.");
}

const MdbCatalogEntry *tableEntry(MdbHandle *mdb, const std::string &name)
{
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && name == entry->object_name)
            return entry;
    }
    return nullptr;
}

} // namespace

struct JetFile::Handle {
    MdbHandle *mdb = nullptr;
    ~Handle()
    {
        if (mdb)
            mdb_close(mdb);
    }
};

JetFile::JetFile(const std::string &path) : handle_(std::make_unique<Handle>())
{
    handle_->mdb = mdb_open(path.c_str(), MDB_NOFLAGS);
    if (!handle_->mdb)
        throw ReadError("ce n'est pas un fichier Access lisible, ou il est endommagé.");
    readCatalogue();
}

JetFile::~JetFile() = default;

void JetFile::readCatalogue()
{
    MdbHandle *mdb = handle_->mdb;
    if (!mdb_read_catalog(mdb, MDB_ANY) || !tableEntry(mdb, "MSysObjects"))
        throw ReadError("son catalogue des tables est illisible ; le fichier est endommagé.");
    auto objects = openTable("MSysObjects");
    int nameColumn = -1, typeColumn = -1, flagsColumn = -1;
    for (size_t i = 0; i < objects->columns().size(); ++i) {
        const std::string &column = objects->columns()[i].name;
        if (column == "Name")
            nameColumn = int(i);
        else if (column == "Type")
            typeColumn = int(i);
        else if (column == "Flags")
            flagsColumn = int(i);
    }
    if (nameColumn < 0 || typeColumn < 0 || flagsColumn < 0)
        throw ReadError("son catalogue des tables est illisible ; le fichier est endommagé.");

    std::vector<Cell> row;
    while (objects->next(row)) {
        const auto *name = std::get_if<std::string>(&row[nameColumn]);
        const auto *type = std::get_if<int64_t>(&row[typeColumn]);
        const auto *flags = std::get_if<int64_t>(&row[flagsColumn]);
        if (!name || !type || (*type != 1 && *type != 4 && *type != 6))
            continue; // forms, reports, queries, containers
        JetTableEntry entry;
        entry.name = *name;
        entry.attributes = attributesOf(*name, *type, flags ? *flags : 0);
        entry.local = *type == 1;
        tables_.push_back(std::move(entry));
    }
}

std::unique_ptr<JetTable> JetFile::openTable(const std::string &name)
{
    MdbHandle *mdb = handle_->mdb;
    const MdbCatalogEntry *entry = tableEntry(mdb, name);
    if (!entry)
        damagedTable(name);
    MdbTableDef *table = mdb_read_table(const_cast<MdbCatalogEntry *>(entry));
    if (!table)
        damagedTable(name);
    if (table->num_cols > maxColumns) {
        mdb_free_tabledef(table);
        throw ReadError("la table " + quoted(name) + " compte plus de 255 colonnes ; le fichier est endommagé.");
    }
    if (!mdb_read_columns(table) || table->columns->len != table->num_cols) {
        mdb_free_tabledef(table);
        damagedTable(name);
    }
    return std::unique_ptr<JetTable>(new JetTable(std::make_unique<JetTable::Impl>(mdb, table, name)));
}

struct JetTable::Impl {
    Impl(MdbHandle *mdb, MdbTableDef *table, const std::string &name);
    ~Impl() { mdb_free_tabledef(table_); }
    bool next(std::vector<Cell> &row);
    bool readRow(int rowIndex, std::vector<Cell> &row);
    Cell cellOf(const JetColumn &column, const MdbField &field);
    std::string text(const unsigned char *p, int size);
    std::string memo(int start, int size);

    MdbHandle *mdb_;
    MdbTableDef *table_;
    std::string name_;
    std::vector<JetColumn> columns_;
    bool pageLoaded_ = false;
    int rowsOnPage_ = 0;
    int nextRow_ = 0;
    int64_t rowsRead_ = 0;
};

JetTable::JetTable(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
JetTable::~JetTable() = default;

const std::vector<JetColumn> &JetTable::columns() const { return impl_->columns_; }

bool JetTable::next(std::vector<Cell> &row) { return impl_->next(row); }

JetTable::Impl::Impl(MdbHandle *mdb, MdbTableDef *table, const std::string &name)
    : mdb_(mdb), table_(table), name_(name)
{
    for (unsigned i = 0; i < table->num_cols; ++i) {
        const auto *col = static_cast<MdbColumn *>(g_ptr_array_index(table->columns, i));
        columns_.push_back({col->name, col->col_type, kindOf(col->col_type)});
    }
    mdb_rewind_table(table_);
}

bool JetTable::Impl::next(std::vector<Cell> &row)
{
    for (;;) {
        if (!pageLoaded_ || nextRow_ >= rowsOnPage_) {
            if (!mdb_read_next_dpg(table_)) {
                // Jet keeps the count of rows in the table's definition: fewer rows
                // found means pages that could not be read.
                if (rowsRead_ < int64_t(table_->num_rows))
                    throw ReadError("la table " + quoted(name_) + " est incomplète (" + std::to_string(rowsRead_) +
                                    " lignes lues sur " + std::to_string(table_->num_rows) +
                                    ") ; le fichier est endommagé.");
                return false;
            }
            pageLoaded_ = true;
            rowsOnPage_ = mdb_get_int16(mdb_->pg_buf, mdb_->fmt->row_count_offset);
            nextRow_ = 0;
            continue;
        }
        if (readRow(nextRow_++, row)) {
            ++rowsRead_;
            return true;
        }
    }
}

bool JetTable::Impl::readRow(int rowIndex, std::vector<Cell> &row)
{
    int start = 0;
    size_t size = 0;
    if (mdb_find_row(mdb_, rowIndex, &start, &size) != 0 || size == 0)
        return false; // an empty slot of the page
    if (start & deletedRowFlag)
        return false;
    start &= rowOffsetMask;
    if (size_t(start) + size > size_t(mdb_->fmt->pg_size))
        damagedTable(name_);

    std::vector<MdbField> fields(table_->num_cols);
    if (mdb_crack_row(table_, start, size, fields.data()) < 0)
        damagedTable(name_);
    row.assign(columns_.size(), Cell{});
    for (const MdbField &field : fields) {
        if (field.colnum < 0 || size_t(field.colnum) >= columns_.size())
            damagedTable(name_);
        row[field.colnum] = cellOf(columns_[field.colnum], field);
    }
    return true;
}

Cell JetTable::Impl::cellOf(const JetColumn &column, const MdbField &field)
{
    if (column.kind == ColumnKind::Skipped)
        return {};
    if (column.type == MDB_BOOL) // kept in the null mask: never Null, True is -1
        return int64_t(field.is_null ? 0 : -1);
    if (field.is_null)
        return {};

    const int pageSize = int(mdb_->fmt->pg_size);
    if (field.start < 0 || field.siz < 0 || field.start + field.siz > pageSize)
        damagedTable(name_);
    const unsigned char *p = mdb_->pg_buf + field.start;
    const int size = field.siz;
    auto need = [&](int bytes) {
        if (size < bytes)
            damagedTable(name_);
    };

    switch (column.type) {
    case MDB_BYTE:
        need(1);
        return int64_t(p[0]);
    case MDB_INT:
        need(2);
        return int64_t(int16_t(uint16_t(p[0] | p[1] << 8)));
    case MDB_LONGINT:
        need(4);
        return int64_t(int32_t(le32(p)));
    case MDB_MONEY: {
        need(8);
        const uint64_t raw = uint64_t(le32(p)) | uint64_t(le32(p + 4)) << 32;
        return double(int64_t(raw)) / 10000.0; // currency is a count of 1/10000
    }
    case MDB_FLOAT: {
        need(4);
        float value;
        std::memcpy(&value, p, 4);
        return doubleFromSingle(value);
    }
    case MDB_DOUBLE: {
        need(8);
        double value;
        std::memcpy(&value, p, 8);
        return value;
    }
    case MDB_NUMERIC: {
        need(17);
        auto *col = static_cast<MdbColumn *>(g_ptr_array_index(table_->columns, field.colnum));
        char *text = mdb_numeric_to_string(mdb_, field.start, col->col_scale, col->col_prec);
        const auto value = numberFromText(text ? text : "");
        g_free(text);
        if (!value)
            damagedTable(name_);
        return *value;
    }
    case MDB_DATETIME: {
        need(8);
        double days;
        std::memcpy(&days, p, 8);
        if (auto iso = isoDateFromJet(days))
            return *iso;
        return days; // not a date Access could have written: keep the value as it is
    }
    case MDB_REPID:
        need(16);
        return guidText(p);
    case MDB_TEXT:
        return text(p, size);
    case MDB_MEMO:
        return memo(field.start, size);
    default:
        return {};
    }
}

std::string JetTable::Impl::text(const unsigned char *p, int size)
{
    if (size == 0)
        return {};
    // Jet 3 code page or Jet 4 UCS-2 (possibly compressed to one byte a character):
    // three UTF-8 bytes for each input byte is always enough.
    std::vector<char> out(size_t(size) * 3 + 16);
    const int n = mdb_unicode2ascii(mdb_, reinterpret_cast<const char *>(p), size_t(size), out.data(), out.size() - 1);
    return std::string(out.data(), size_t(std::max(n, 0)));
}

std::string JetTable::Impl::memo(int start, int size)
{
    if (size < memoHeaderSize)
        return {};
    const uint32_t header = le32(mdb_->pg_buf + start);
    size_t length = 0;
    if (header & memoInline)
        length = size_t(size - memoHeaderSize);
    else if (header & memoOnePage)
        length = size_t(mdb_->fmt->pg_size);
    else if ((header & memoFlagsMask) == 0)
        length = header;
    else
        damagedTable(name_);

    // The library writes a memo into a buffer of its bind size and cuts what does not
    // fit; the buffer is made as large as this memo can become in UTF-8.
    const size_t bindSize = mdb_->bind_size;
    mdb_set_bind_size(mdb_, std::max(length, size_t(mdb_->fmt->pg_size)) * 3 + 16);
    char *value = mdb_col_to_string(mdb_, mdb_->pg_buf, start, MDB_MEMO, size);
    mdb_set_bind_size(mdb_, bindSize);
    std::string result(value ? value : "");
    g_free(value);
    return result;
}

} // namespace carnelis::access
