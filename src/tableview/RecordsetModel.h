#pragma once
#include "Value.h"

#include <QAbstractTableModel>
#include <QLocale>
#include <array>
#include <optional>

namespace carnelis {

class Recordset;

// The rows of a recordset as the grid shows them: the six collection columns, read from
// the recordset (which fetches by page) only for the rows on screen, plus an empty last line that takes a new row
// when the recordset can be written. A cell edit is held as the pending change of its
// row and goes to the table in one transaction when writePending is called (the grid
// calls it when the current row changes). The model never opens a dialog: a refused
// value is reported by valueRefused.
class RecordsetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit RecordsetModel(QObject *parent = nullptr);

    // Binds to a recordset (not owned), or to none; every row is read afresh.
    void setRecordset(Recordset *recordset);
    Recordset *recordset() const { return recordset_; }
    // Reads the row count and every row again (after a deletion).
    void reload();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // Rows of the recordset; the new-row line, when there is one, comes after them.
    int recordCount() const { return count_; }
    bool canAddNew() const;
    bool isNewRowLine(int row) const { return canAddNew() && row == count_; }

    bool hasPending() const { return pending_.has_value(); }
    int pendingRow() const { return pending_ ? pending_->row : -1; }
    // Writes the pending change: Edit or AddNew, the fields, Update. On failure the
    // change stays pending, the recordset is left as it was and the RuntimeError goes on.
    void writePending();
    void discardPending();

    // A cell of this row is being typed into: its selector shows the pencil already.
    // rowAltered is announced once per change, whether typing or a stored value comes first.
    void markAltered(int row);
    int alteredRow() const { return alteredRow_; }

    // The row the record selector marks as current.
    void setCurrentRow(int row);
    int currentRow() const { return currentRow_; }

signals:
    void rowAltered();
    void rowWritten();
    void valueRefused(const QString &message);

private:
    struct Pending {
        int row;
        bool isNew;
        std::array<std::optional<Value>, 6> values;
    };

    Value storedValue(int row, int column) const;
    Value shownValue(int row, int column) const;
    void emitRowChanged(int row);

    Recordset *recordset_ = nullptr;
    int count_ = 0;
    std::array<int, 6> sourceColumn_{}; // column of the recordset for each grid column, -1 when missing
    std::optional<Pending> pending_;
    int currentRow_ = -1;
    int alteredRow_ = -1;
    QLocale locale_;
};

// The COTE text a person typed, read in the user's locale or with a point; empty gives
// Null; nullopt when it is not a number.
std::optional<Value> coteFromTyped(const QString &typed, const QLocale &locale);

// COTE as the grid shows it: two decimals, thousands grouped, the user's separators.
QString coteForDisplay(const Value &value, const QLocale &locale);

} // namespace carnelis
