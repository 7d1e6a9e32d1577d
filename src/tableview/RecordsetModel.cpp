#include "RecordsetModel.h"

#include "Collection.h"
#include "CoteText.h"
#include "Engine.h"

#include <cmath>

namespace carnelis {

namespace {

// Record selector marks, as the classic grids draw them.
const QString currentMark = QStringLiteral("\u25B6");
const QString editingMark = QStringLiteral("\u270E");
const QString newRowMark = QStringLiteral("*");

} // namespace

std::optional<Value> coteFromTyped(const QString &typed, const QLocale &locale)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return Value::null();
    bool ok = false;
    double number = locale.toDouble(text, &ok);
    if (!ok)
        number = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return Value(number);
}

QString coteForDisplay(const Value &value, const QLocale &locale)
{
    if (!value.isNumber())
        return value.toDisplayText(locale);
    return coteText(value.number(), locale, Grouping::On);
}

RecordsetModel::RecordsetModel(QObject *parent) : QAbstractTableModel(parent) { sourceColumn_.fill(-1); }

void RecordsetModel::setRecordset(Recordset *recordset)
{
    beginResetModel();
    recordset_ = recordset;
    pending_.reset();
    currentRow_ = -1;
    alteredRow_ = -1;
    locale_ = QLocale();
    sourceColumn_.fill(-1);
    if (recordset_) {
        const QStringList names = recordset_->columnNames();
        for (std::size_t i = 0; i < collectionTable.size(); ++i) {
            for (int c = 0; c < names.size(); ++c)
                if (names[c].compare(QLatin1String(collectionTable[i].name), Qt::CaseInsensitive) == 0)
                    sourceColumn_[i] = c;
        }
    }
    count_ = recordset_ ? recordset_->RecordCount() : 0;
    endResetModel();
}

void RecordsetModel::reload()
{
    beginResetModel();
    alteredRow_ = -1;
    count_ = recordset_ ? recordset_->RecordCount() : 0;
    if (pending_ && !pending_->isNew && pending_->row >= count_)
        pending_.reset();
    if (pending_ && pending_->isNew)
        pending_->row = count_;
    endResetModel();
}

bool RecordsetModel::canAddNew() const { return recordset_ && !recordset_->isReadOnly(); }

int RecordsetModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !recordset_)
        return 0;
    return count_ + (canAddNew() ? 1 : 0);
}

int RecordsetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(collectionTable.size());
}

Value RecordsetModel::storedValue(int row, int column) const
{
    if (!recordset_ || row >= count_ || sourceColumn_[column] < 0)
        return {};
    try {
        return recordset_->valueAt(row, sourceColumn_[column]);
    } catch (const std::exception &) {
        // A row the file no longer gives (deleted elsewhere, read error) shows empty;
        // the grid must keep painting.
        return {};
    }
}

Value RecordsetModel::shownValue(int row, int column) const
{
    if (pending_ && pending_->row == row && pending_->values[column])
        return *pending_->values[column];
    return storedValue(row, column);
}

QVariant RecordsetModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row();
    const int column = index.column();
    if (role == Qt::TextAlignmentRole && column == coteColumn)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (isNewRowLine(row) && !(pending_ && pending_->row == row))
        return QString();
    const Value value = shownValue(row, column);
    if (column == coteColumn && role == Qt::DisplayRole)
        return coteForDisplay(value, locale_);
    return value.toDisplayText(locale_);
}

QVariant RecordsetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < int(collectionTable.size())
                   ? QString::fromUtf8(collectionTable[std::size_t(section)].caption)
                   : QVariant();
    if ((pending_ && pending_->row == section) || alteredRow_ == section)
        return editingMark;
    if (section == currentRow_)
        return currentMark;
    if (isNewRowLine(section))
        return newRowMark;
    return QString();
}

Qt::ItemFlags RecordsetModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (canAddNew() && sourceColumn_[index.column()] >= 0)
        result |= Qt::ItemIsEditable;
    return result;
}

bool RecordsetModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const int row = index.row();
    const int column = index.column();
    const QString typed = value.toString();

    Value newValue;
    if (column == coteColumn) {
        const std::optional<Value> cote = coteFromTyped(typed, locale_);
        if (!cote) {
            emit valueRefused(
                QStringLiteral("La valeur « ") + typed +
                QStringLiteral(" » ne convient pas à la colonne COTE, qui attend un nombre (par exemple 12") +
                locale_.decimalPoint() + QStringLiteral("50). Rien n'a été enregistré."));
            return false;
        }
        newValue = *cote;
    } else if (!typed.isEmpty()) {
        newValue = Value(typed);
    }

    // Retyping what is there already is no change: nothing becomes pending, and an
    // empty cell on the new-row line starts no row.
    if (shownValue(row, column) == newValue)
        return true;

    if (pending_ && pending_->row != row)
        return false; // the grid writes a row before it lets another one change
    // Typing into the row may have announced the change already.
    const bool announced = pending_ || alteredRow_ == row;
    if (!pending_) {
        pending_ = Pending{row, isNewRowLine(row), {}};
        if (pending_->isNew)
            pending_->values[coteColumn] = Value(0);
    }
    pending_->values[column] = newValue;
    emitRowChanged(row);
    if (!announced)
        emit rowAltered();
    return true;
}

void RecordsetModel::emitRowChanged(int row)
{
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    emit headerDataChanged(Qt::Vertical, row, row);
}

void RecordsetModel::writePending()
{
    if (!pending_ || !recordset_)
        return;
    const Pending change = *pending_;
    try {
        if (change.isNew) {
            recordset_->AddNew();
        } else {
            recordset_->setAbsolutePosition(change.row);
            recordset_->Edit();
        }
        for (std::size_t c = 0; c < collectionTable.size(); ++c)
            if (change.values[c] && sourceColumn_[c] >= 0)
                recordset_->setField(sourceColumn_[c], *change.values[c]);
        recordset_->Update();
    } catch (...) {
        if (recordset_->isEditing())
            recordset_->CancelUpdate();
        throw;
    }
    pending_.reset();
    alteredRow_ = -1;
    if (change.isNew) {
        // The new row takes the place of the new-row line, and a fresh line follows it.
        beginInsertRows({}, count_ + 1, count_ + 1);
        ++count_;
        endInsertRows();
        if (recordset_->RecordCount() != count_)
            reload();
    }
    emitRowChanged(change.row);
    emit rowWritten();
}

void RecordsetModel::discardPending()
{
    if (!pending_)
        return;
    const int row = pending_->row;
    pending_.reset();
    alteredRow_ = -1;
    emitRowChanged(row);
}

void RecordsetModel::markAltered(int row)
{
    const int previous = alteredRow_;
    alteredRow_ = row;
    if (previous >= 0 && previous < rowCount())
        emit headerDataChanged(Qt::Vertical, previous, previous);
    if (row >= 0 && row < rowCount())
        emit headerDataChanged(Qt::Vertical, row, row);
    if (row >= 0 && row != previous && !(pending_ && pending_->row == row))
        emit rowAltered();
}

void RecordsetModel::setCurrentRow(int row)
{
    const int previous = currentRow_;
    currentRow_ = row;
    if (previous >= 0 && previous < rowCount())
        emit headerDataChanged(Qt::Vertical, previous, previous);
    if (row >= 0 && row < rowCount())
        emit headerDataChanged(Qt::Vertical, row, row);
}

} // namespace carnelis
