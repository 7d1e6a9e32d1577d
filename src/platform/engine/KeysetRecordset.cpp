#include "KeysetRecordset.h"

#include "JetText.h"
#include "KeysetSort.h"
#include "Sqlite.h"

#include <sqlite3.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace carnelis {

namespace {

// Enough pages for a few screens of the grid and a report walking the rows.
constexpr size_t maxCachedPages = 32;

RuntimeError noCurrentRecord()
{
    return RuntimeError(err::NoCurrentRecord, QStringLiteral("Aucun enregistrement en cours."));
}

RuntimeError recordDeleted()
{
    return RuntimeError(err::RecordDeleted, QStringLiteral("L'enregistrement en cours a été supprimé."));
}

} // namespace

KeysetRecordset::KeysetRecordset(std::shared_ptr<Connection> connection, bool readOnly, KeysetQuery query)
    : connection_(std::move(connection)), readOnly_(readOnly), table_(std::move(query.table))
{
    QStringList quoted;
    for (const ColumnInfo &c : table_.columns) {
        columns_ << c.name;
        quoted << quotedSqlName(c.name);
    }
    selectRowSql_ = ("SELECT " + quoted.join(u',') + " FROM " + quotedSqlName(table_.name) + " WHERE " +
                     table_.rowidName() + " = ?1")
                        .toStdString();

    keysetSql_ = std::move(query.sql);
    scanSql_ = std::move(query.scanSql);
    sortColumns_ = {std::move(query.descending), std::move(query.natural)};
    parameters_ = std::move(query.parameters);
    if (!scanSql_.empty()) {
        Statement scan(*connection_, scanSql_);
        for (size_t i = 0; i < parameters_.size(); ++i)
            scan.bind(int(i) + 1, parameters_[i]);
        FirstKeys first = firstKeys(scan, sortColumns_, pageSize);
        keys_ = std::move(first.rowids);
        total_ = int(first.total);
        complete_ = total_ <= pageSize;
        return;
    }
    // Without ORDER BY the rows come in row id order: the first page is read at once.
    runKeyset(keysetSql_ + " LIMIT " + std::to_string(pageSize), pageSize);
    if (keys_.size() < size_t(pageSize)) {
        complete_ = true;
        return;
    }
    Statement count(*connection_, query.countSql);
    for (size_t i = 0; i < parameters_.size(); ++i)
        count.bind(int(i) + 1, parameters_[i]);
    count.step();
    total_ = int(count.int64(0));
}

void KeysetRecordset::runKeyset(const std::string &sql, size_t reserve) const
{
    Statement keyset(*connection_, sql);
    for (size_t i = 0; i < parameters_.size(); ++i)
        keyset.bind(int(i) + 1, parameters_[i]);
    std::vector<int64_t> keys;
    keys.reserve(reserve);
    while (keyset.step())
        keys.push_back(keyset.int64(0));
    if (keys.capacity() > keys.size() + 1024)
        keys.shrink_to_fit();
    keys_ = std::move(keys);
}

void KeysetRecordset::complete() const
{
    if (complete_)
        return;
    // A little room over the count, should another program add rows meanwhile.
    if (scanSql_.empty()) {
        runKeyset(keysetSql_, size_t(total_) + 64);
    } else {
        Statement scan(*connection_, scanSql_);
        for (size_t i = 0; i < parameters_.size(); ++i)
            scan.bind(int(i) + 1, parameters_[i]);
        keys_ = sortKeyset(scan, sortColumns_, size_t(total_) + 64, &sortPeakBytes_);
    }
    complete_ = true;
    forgetPages();
#ifdef __GLIBC__
    // The sort of a large keyset leaves the heap full of small freed blocks; giving them
    // back now keeps the cost here, where the user asked for a jump, instead of in the
    // next page reads, and lowers the memory the program keeps.
    malloc_trim(0);
#endif
}

int KeysetRecordset::AbsolutePosition() const
{
    if (deleted_ || current_ >= size_t(RecordCount()))
        return -1;
    return int(current_);
}

void KeysetRecordset::setAbsolutePosition(int position)
{
    auto refuse = [&] {
        return RuntimeError(err::InvalidPosition,
                            QStringLiteral("Position %1 incorrecte : la sélection compte %2 ligne(s).")
                                .arg(position)
                                .arg(RecordCount()));
    };
    if (position < 0 || position >= RecordCount())
        throw refuse();
    storePending();
    if (size_t(position) >= keys_.size())
        complete();
    if (size_t(position) >= keys_.size()) // rows removed by another program meanwhile
        throw refuse();
    current_ = size_t(position);
    deleted_ = false;
}

void KeysetRecordset::MoveFirst()
{
    if (keys_.empty())
        throw noCurrentRecord();
    storePending();
    current_ = 0;
    deleted_ = false;
}

void KeysetRecordset::MoveNext()
{
    if (isEOF())
        throw noCurrentRecord();
    storePending();
    if (deleted_)
        deleted_ = false;
    else
        ++current_;
}

void KeysetRecordset::MoveLast()
{
    if (keys_.empty())
        throw noCurrentRecord();
    storePending();
    complete();
    current_ = keys_.size() - 1;
    deleted_ = false;
}

int KeysetRecordset::columnIndex(const QString &name) const
{
    int found = -1;
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_[i].compare(name, Qt::CaseInsensitive) == 0 && (found < 0 || columns_[i] == name))
            found = i;
    if (found < 0)
        throw RuntimeError(err::ItemNotFound,
                           QStringLiteral("La colonne « %1 » n'existe pas dans cette table.").arg(name));
    return found;
}

void KeysetRecordset::requireCurrentRow() const
{
    if (deleted_)
        throw recordDeleted();
    if (current_ >= size_t(RecordCount()))
        throw noCurrentRecord();
    if (current_ >= keys_.size())
        complete();
    if (current_ >= keys_.size())
        throw noCurrentRecord();
}

void KeysetRecordset::requireWritable() const
{
    if (readOnly_)
        throw RuntimeError(err::ReadOnly, engineErrorText(err::ReadOnly));
}

Value KeysetRecordset::Fields(const QString &name) const
{
    const int column = columnIndex(name);
    if (mode_ != Mode::None) {
        const auto it = pending_.find(column);
        if (it != pending_.end())
            return it->second;
        if (mode_ == Mode::Add)
            return {};
    }
    requireCurrentRow();
    return rowAt(current_)[size_t(column)];
}

Value KeysetRecordset::valueAt(int position, int column) const
{
    if (position < 0 || position >= RecordCount())
        throw RuntimeError(err::InvalidPosition, QStringLiteral("Position %1 incorrecte.").arg(position));
    if (column < 0 || column >= columns_.size())
        throw RuntimeError(err::ItemNotFound, QStringLiteral("Colonne %1 inexistante.").arg(column));
    return rowAt(size_t(position))[size_t(column)];
}

const KeysetRecordset::Row &KeysetRecordset::rowAt(size_t position) const
{
    const size_t pageIndex = position / pageSize;
    auto it = pages_.find(pageIndex);
    if (it == pages_.end()) {
        if (pages_.size() >= maxCachedPages) {
            auto oldest = pages_.begin();
            for (auto p = pages_.begin(); p != pages_.end(); ++p)
                if (p->second.lastUse < oldest->second.lastUse)
                    oldest = p;
            pages_.erase(oldest);
        }
        if (position >= keys_.size())
            complete();
        Page page;
        const size_t first = pageIndex * pageSize;
        const size_t last = std::min(keys_.size(), first + pageSize);
        Statement &select = connection_->cached(selectRowSql_);
        for (size_t i = first; i < last; ++i) {
            StatementUse use(select);
            use->bind(1, keys_[i]);
            Row row(size_t(columns_.size()));
            // A row another program removed meanwhile reads as Nulls.
            if (use->step())
                for (int c = 0; c < columns_.size(); ++c)
                    row[size_t(c)] = use->value(c);
            page.rows.push_back(std::move(row));
        }
        ++pagesFetched_;
        it = pages_.emplace(pageIndex, std::move(page)).first;
    }
    it->second.lastUse = ++clock_;
    const size_t inPage = position % pageSize;
    if (inPage >= it->second.rows.size()) { // the keyset shrank when it was built
        static thread_local Row nulls;
        nulls.assign(size_t(columns_.size()), Value());
        return nulls;
    }
    return it->second.rows[inPage];
}

void KeysetRecordset::Edit()
{
    requireWritable();
    requireCurrentRow();
    if (mode_ == Mode::Edit)
        return;
    storePending();
    mode_ = Mode::Edit;
}

void KeysetRecordset::AddNew()
{
    requireWritable();
    storePending();
    complete();
    mode_ = Mode::Add;
}

Value KeysetRecordset::storedForm(int column, const Value &value) const
{
    const ColumnInfo &info = table_.columns[size_t(column)];
    if (value.isText() && info.affinity == Affinity::Numeric) {
        if (value.text().trimmed().isEmpty())
            return {};
        if (auto n = numberFromWholeText(value.text().toStdString()))
            return Value(*n);
        throw RuntimeError(err::TypeMismatch,
                           QStringLiteral("La colonne « %1 » n'accepte que des nombres : « %2 » est refusé.")
                               .arg(info.name, value.text()));
    }
    if (value.isNumber() && info.affinity == Affinity::Text)
        return Value(shortestNumberText(value.number()));
    return value;
}

void KeysetRecordset::setField(const QString &name, const Value &value) { setField(columnIndex(name), value); }

void KeysetRecordset::setField(int column, const Value &value)
{
    if (mode_ == Mode::None)
        throw RuntimeError(err::NoEditInProgress, QStringLiteral("Modification impossible sans Edit ou AddNew."));
    if (column < 0 || column >= columns_.size())
        throw RuntimeError(err::ItemNotFound, QStringLiteral("Colonne %1 inexistante.").arg(column));
    pending_[column] = storedForm(column, value);
}

void KeysetRecordset::Update()
{
    if (mode_ == Mode::None)
        throw RuntimeError(err::NoEditInProgress, QStringLiteral("Aucune modification en cours à enregistrer."));
    requireWritable();
    if (mode_ == Mode::Edit && pending_.empty()) {
        mode_ = Mode::None;
        return;
    }
    QStringList names;
    for (const auto &[column, value] : pending_)
        names << quotedSqlName(columns_[column]);
    const QString table = quotedSqlName(table_.name);
    QString sql;
    if (mode_ == Mode::Edit) {
        requireCurrentRow();
        QStringList sets;
        for (int i = 0; i < names.size(); ++i)
            sets << names[i] + QStringLiteral(" = ?") + QString::number(i + 1);
        sql = QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + sets.join(u',') +
              QStringLiteral(" WHERE ") + table_.rowidName() + QStringLiteral(" = ?") +
              QString::number(names.size() + 1);
    } else if (names.isEmpty()) {
        sql = QStringLiteral("INSERT INTO ") + table + QStringLiteral(" DEFAULT VALUES");
    } else {
        QStringList marks;
        for (int i = 0; i < names.size(); ++i)
            marks << u'?' + QString::number(i + 1);
        sql = QStringLiteral("INSERT INTO ") + table + u'(' + names.join(u',') + QStringLiteral(") VALUES (") +
              marks.join(u',') + u')';
    }

    Transaction transaction(*connection_);
    Statement write(*connection_, sql.toStdString());
    int index = 1;
    for (const auto &[column, value] : pending_)
        write.bind(index++, value);
    if (mode_ == Mode::Edit)
        write.bind(index, keys_[current_]);
    write.step();
    sqlite3 *db = connection_->handle();
    if (mode_ == Mode::Edit && sqlite3_changes(db) == 0)
        throw recordDeleted();
    const int64_t newKey = sqlite3_last_insert_rowid(db);
    transaction.commit();

    if (mode_ == Mode::Add) {
        const bool wasPastEnd = !deleted_ && current_ >= keys_.size();
        keys_.push_back(newKey);
        if (wasPastEnd)
            current_ = keys_.size();
        pages_.erase((keys_.size() - 1) / pageSize);
    } else {
        pages_.erase(current_ / pageSize);
    }
    mode_ = Mode::None;
    pending_.clear();
}

void KeysetRecordset::CancelUpdate()
{
    mode_ = Mode::None;
    pending_.clear();
}

void KeysetRecordset::Delete()
{
    requireWritable();
    requireCurrentRow();
    complete();
    CancelUpdate();
    {
        Transaction transaction(*connection_);
        Statement remove(
            *connection_,
            ("DELETE FROM " + quotedSqlName(table_.name) + " WHERE " + table_.rowidName() + " = ?1").toStdString());
        remove.bind(1, keys_[current_]);
        remove.step();
        transaction.commit();
    }
    keys_.erase(keys_.begin() + std::ptrdiff_t(current_));
    deleted_ = true;
    forgetPages();
}

void KeysetRecordset::storePending()
{
    if (mode_ != Mode::None)
        Update();
}

} // namespace carnelis
