#pragma once
// The recordset of the engine: the ordered row ids of the query, the rows read by pages
// of 64 when someone looks at them. Opening reads only the ids of the first page and the
// count; the whole ordered keyset is built the first time a row beyond the first page is
// needed, so that a large catalogue shows its first screen at once.
#include "Engine.h"
#include "JetTranslator.h"
#include "KeysetSort.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace carnelis {

class Connection;

class KeysetRecordset final : public Recordset {
public:
    static constexpr int pageSize = 64;

    KeysetRecordset(std::shared_ptr<Connection> connection, bool readOnly, KeysetQuery query);

    int RecordCount() const override { return complete_ ? int(keys_.size()) : total_; }
    int AbsolutePosition() const override;
    void setAbsolutePosition(int position) override;
    void MoveFirst() override;
    void MoveNext() override;
    void MoveLast() override;
    bool isEOF() const override { return !deleted_ && current_ >= size_t(RecordCount()); }

    QStringList columnNames() const override { return columns_; }
    Value Fields(const QString &name) const override;
    Value valueAt(int position, int column) const override;
    int pagesFetched() const override { return pagesFetched_; }

    void Edit() override;
    void AddNew() override;
    void setField(const QString &name, const Value &value) override;
    void setField(int column, const Value &value) override;
    void Update() override;
    void CancelUpdate() override;
    bool isEditing() const override { return mode_ != Mode::None; }
    void Delete() override;
    bool isReadOnly() const override { return readOnly_; }

    // Bytes held by the keyset itself, and whether it is built yet (for the benchmark).
    size_t keysetBytes() const { return keys_.capacity() * sizeof(int64_t); }
    bool isKeysetComplete() const { return complete_; }
    size_t sortPeakBytes() const { return sortPeakBytes_; } // memory of the in-memory sort

private:
    enum class Mode { None, Edit, Add };
    using Row = std::vector<Value>;
    struct Page {
        std::vector<Row> rows;
        uint64_t lastUse = 0;
    };

    int columnIndex(const QString &name) const;
    void requireCurrentRow() const;
    void requireWritable() const;
    void storePending();
    const Row &rowAt(size_t position) const;
    void runKeyset(const std::string &sql, size_t reserve) const;
    // Builds the whole keyset if only its first page is known yet.
    void complete() const;
    void forgetPages() const { pages_.clear(); }
    Value storedForm(int column, const Value &value) const;

    std::shared_ptr<Connection> connection_;
    bool readOnly_;
    TableInfo table_;
    QStringList columns_;
    std::string selectRowSql_;

    std::string keysetSql_;
    std::string scanSql_;
    SortColumns sortColumns_;
    std::vector<Value> parameters_;
    mutable std::vector<int64_t> keys_;
    mutable bool complete_ = false;
    int total_ = 0; // the count, while only the first page of ids is known
    mutable size_t sortPeakBytes_ = 0;
    size_t current_ = 0;   // == keys_.size() past the end
    bool deleted_ = false; // the current row was deleted; current_ is the row that followed

    Mode mode_ = Mode::None;
    std::map<int, Value> pending_;

    mutable std::unordered_map<size_t, Page> pages_;
    mutable uint64_t clock_ = 0;
    mutable int pagesFetched_ = 0;
};

} // namespace carnelis
