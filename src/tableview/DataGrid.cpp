#include "DataGrid.h"

#include "WindowKit.h"

#include "Collection.h"
#include "DialogServices.h"
#include "Engine.h"
#include "GridDelegate.h"
#include "RecordsetModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace carnelis {

GridTable::GridTable(QWidget *parent) : QTableView(parent), delegate_(new GridDelegate(this))
{
    setItemDelegate(delegate_);
}

void GridTable::commitOpenEditor()
{
    if (QWidget *editor = delegate_->openEditor(); editor && state() == EditingState) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void GridTable::dropOpenEditor()
{
    if (QWidget *editor = delegate_->openEditor(); editor && state() == EditingState)
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void GridTable::keyPressEvent(QKeyEvent *event)
{
    if (state() != EditingState && event->key() == Qt::Key_Delete && selectionModel()) {
        QList<int> rows;
        for (const QModelIndex &index : selectionModel()->selectedRows())
            rows << index.row();
        if (!rows.isEmpty()) {
            emit deleteRowsPressed(rows);
            return;
        }
    }
    if (event->key() == Qt::Key_Down && model() && currentIndex().row() == model()->rowCount() - 1) {
        emit downFromLastLine();
        return;
    }
    QTableView::keyPressEvent(event);
}

// A click on the cell that is current already opens its editor at once. Qt's own way
// waits for the double-click delay and drops every key typed meanwhile, so a quick
// typist lost the first characters of a cell.
void GridTable::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex pressed = indexAt(event->position().toPoint());
    pressedOnCurrent_ = event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier &&
                                pressed.isValid() && pressed == currentIndex() && state() != EditingState
                            ? QPersistentModelIndex(pressed)
                            : QPersistentModelIndex();
    QTableView::mousePressEvent(event);
}

void GridTable::mouseReleaseEvent(QMouseEvent *event)
{
    const QPersistentModelIndex pressed = pressedOnCurrent_;
    pressedOnCurrent_ = QPersistentModelIndex();
    QTableView::mouseReleaseEvent(event);
    if (pressed.isValid() && pressed == indexAt(event->position().toPoint()) && pressed == currentIndex() &&
        state() != EditingState)
        edit(pressed);
}

bool GridTable::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    const bool byTheUser = trigger == DoubleClicked || trigger == EditKeyPressed || trigger == AnyKeyPressed;
    auto *rows = qobject_cast<RecordsetModel *>(model());
    if (byTheUser && index.isValid() && rows && rows->recordset() && !rows->canAddNew()) {
        emit editRefused();
        // Handled: told "not edited", Qt would go on to search the rows for the typed
        // letter and move the current row away from where the user was.
        return true;
    }
    return QTableView::edit(index, trigger, event);
}

DataGrid::DataGrid(QWidget *parent)
    : QFrame(parent), caption_(new QLabel(QStringLiteral(" Table sélectionnée."), this)), table_(new GridTable(this)),
      model_(new RecordsetModel(this))
{
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);

    const QFont headFont = kit::designFont(kit::Face::Sans, 8.25);
    caption_->setFont(headFont);
    caption_->setAlignment(Qt::AlignCenter);
    caption_->setFrameShape(QFrame::Panel);
    caption_->setFrameShadow(QFrame::Raised);
    caption_->setFixedHeight(QFontMetrics(headFont).height() + 6);
    layout->addWidget(caption_);
    layout->addWidget(table_);

    table_->setModel(model_);
    table_->setFont(kit::designFont(kit::Face::Sans, 9));
    table_->setStyleSheet(QStringLiteral("QTableView { color: rgb(0, 0, 255); background-color: rgb(255, 208, 255);"
                                         " gridline-color: rgb(64, 64, 64); }"));
    table_->setTabKeyNavigation(false);
    table_->setWordWrap(false);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setSelectionBehavior(QAbstractItemView::SelectItems);
    // A click on the current cell edits it too, through GridTable's own mouse handling.
    table_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                            QAbstractItemView::EditKeyPressed);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    QHeaderView *columns = table_->horizontalHeader();
    columns->setFont(headFont);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setHighlightSections(false);
    for (std::size_t i = 0; i < collectionTable.size(); ++i)
        table_->setColumnWidth(int(i), kit::px(collectionTable[i].widthTwips));

    // Record selectors: fixed rows, no sizing, one narrow column of marks.
    QHeaderView *selectors = table_->verticalHeader();
    selectors->setFont(headFont);
    selectors->setSectionResizeMode(QHeaderView::Fixed);
    selectors->setDefaultSectionSize(QFontMetrics(table_->font()).height() + 4);
    selectors->setDefaultAlignment(Qt::AlignCenter);
    selectors->setFixedWidth(16);
    selectors->setHighlightSections(false);

    connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this, &DataGrid::onCurrentChanged);
    connect(table_, &GridTable::deleteRowsPressed, this, &DataGrid::onDeleteKey);
    connect(table_, &GridTable::downFromLastLine, this, &DataGrid::newRowFromLastLine);
    connect(table_, &GridTable::editRefused, this, &DataGrid::editRefused);
    connect(table_->gridDelegate(), &GridDelegate::edited, this,
            [this] { model_->markAltered(table_->currentIndex().row()); });
    connect(model_, &RecordsetModel::rowAltered, this, &DataGrid::rowAltered);
    connect(model_, &RecordsetModel::rowWritten, this, &DataGrid::rowWritten);
    connect(model_, &RecordsetModel::valueRefused, this, [this](const QString &message) {
        dropAlteredMark();
        emit failed(message, vb::Exclamation);
    });
}

void DataGrid::setRecordset(Recordset *recordset)
{
    model_->setRecordset(recordset);
    followRecordset();
}

void DataGrid::storePending()
{
    table_->commitOpenEditor();
    model_->writePending();
}

void DataGrid::reposition(const std::function<void(Recordset &)> &move)
{
    storePending();
    Recordset *recordset = model_->recordset();
    if (!recordset)
        return;
    move(*recordset);
    followRecordset();
}

void DataGrid::deleteCurrentRow()
{
    Recordset *recordset = model_->recordset();
    if (!recordset)
        throw RuntimeError(err::NoCurrentRecord, QStringLiteral("Aucune ligne en cours."));
    const int row = recordset->AbsolutePosition();
    recordset->Delete();
    // The row is gone: what was typed into it goes with it, the open cell included, so
    // that its text cannot land on the row that takes its place.
    table_->dropOpenEditor();
    if (model_->pendingRow() == row)
        model_->discardPending();
    recordset->MoveNext();
    model_->reload();
    followRecordset();
}

void DataGrid::followRecordset()
{
    Recordset *recordset = model_->recordset();
    int row = -1;
    if (recordset) {
        const int position = recordset->AbsolutePosition();
        row = position >= 0 ? position : (model_->canAddNew() ? model_->recordCount() : -1);
    }
    setGridRow(row);
}

void DataGrid::setGridRow(int row)
{
    syncing_ = true;
    if (row >= 0 && row < model_->rowCount()) {
        const int column = std::max(0, table_->currentIndex().column());
        table_->setCurrentIndex(model_->index(row, column));
        table_->scrollTo(model_->index(row, column));
    } else {
        table_->setCurrentIndex({});
    }
    syncing_ = false;
    model_->setCurrentRow(row);
}

void DataGrid::moveRecordsetTo(int row)
{
    Recordset *recordset = model_->recordset();
    if (!recordset)
        return;
    try {
        if (row >= 0 && row < model_->recordCount()) {
            recordset->setAbsolutePosition(row);
        } else if (recordset->RecordCount() > 0) {
            // On the new-row line the recordset has no current row, as while a row is
            // being added: past the last one.
            recordset->MoveLast();
            recordset->MoveNext();
        }
    } catch (const RuntimeError &) {
        // The grid shows the row anyway; the recordset stays where it was.
    }
}

void DataGrid::onCurrentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (syncing_)
        return;
    const int newRow = current.isValid() ? current.row() : -1;
    const int oldRow = previous.isValid() ? previous.row() : -1;
    if (newRow == oldRow)
        return;
    if (model_->hasPending() && model_->pendingRow() != newRow) {
        try {
            model_->writePending();
        } catch (const RuntimeError &e) {
            // The row stays current with its change pending, so nothing typed is lost.
            setGridRow(model_->pendingRow());
            emit failed(e.text(), vb::Critical);
            return;
        }
    }
    dropAlteredMark(); // typed into, then put back as it was
    moveRecordsetTo(newRow);
    model_->setCurrentRow(newRow);
}

void DataGrid::dropAlteredMark()
{
    if (model_->hasPending() || model_->alteredRow() < 0)
        return;
    model_->markAltered(-1);
    emit rowRestored();
}

void DataGrid::onDeleteKey(const QList<int> &rows)
{
    if (!model_->recordset())
        return;
    if (!model_->canAddNew()) {
        emit editRefused();
        return;
    }
    QList<int> recordRows;
    for (int row : rows)
        if (row < model_->recordCount())
            recordRows << row;
    if (!recordRows.isEmpty())
        emit deleteRequested(recordRows);
}

void DataGrid::newRowFromLastLine()
{
    if (!model_->hasPending() || !model_->isNewRowLine(model_->pendingRow()))
        return;
    try {
        storePending();
    } catch (const RuntimeError &e) {
        emit failed(e.text(), vb::Critical);
        return;
    }
    setGridRow(model_->recordCount());
    moveRecordsetTo(model_->recordCount());
}

void DataGrid::deleteRows(QList<int> rows)
{
    Recordset *recordset = model_->recordset();
    if (!recordset)
        return;
    // From the bottom up, so that the positions still to delete do not move.
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    const int first = rows.back();
    try {
        for (int row : rows) {
            if (row >= model_->recordCount())
                continue;
            recordset->setAbsolutePosition(row);
            recordset->Delete();
            if (model_->pendingRow() == row) {
                table_->dropOpenEditor();
                model_->discardPending();
            }
        }
    } catch (const RuntimeError &e) {
        model_->reload();
        followRecordset();
        emit failed(e.text(), vb::Critical);
        return;
    }
    model_->reload();
    table_->clearSelection();
    try {
        if (first < recordset->RecordCount())
            recordset->setAbsolutePosition(first);
        else if (recordset->RecordCount() > 0)
            recordset->MoveLast();
    } catch (const RuntimeError &) {
    }
    followRecordset();
}

} // namespace carnelis
