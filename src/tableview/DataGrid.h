#pragma once
#include <QFrame>
#include <QList>
#include <QTableView>
#include <functional>

class QLabel;

namespace carnelis {

class GridDelegate;
class Recordset;
class RecordsetModel;

// The table part of the grid: keys that act on whole rows, and the open cell editor
// that a move must store first.
class GridTable : public QTableView {
    Q_OBJECT
public:
    explicit GridTable(QWidget *parent = nullptr);
    using QTableView::edit;
    // Hands the text of the open cell editor to the model and closes it.
    void commitOpenEditor();
    // Closes the open cell editor without keeping its text.
    void dropOpenEditor();
    GridDelegate *gridDelegate() const { return delegate_; }

signals:
    void deleteRowsPressed(const QList<int> &rows);
    void downFromLastLine();
    // The user tried to edit a cell of a recordset that cannot be written.
    void editRefused();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;

private:
    GridDelegate *delegate_;
    QPersistentModelIndex pressedOnCurrent_; // a press on the cell that was current already
};

// The data-bound grid of the table view: a caption bar over the table of the rows of
// the data control's recordset, record selectors at the left, an empty last line for a
// new row. A cell edit stays pending until the current row changes; then the row is
// written in one transaction. Whatever moves the recordset goes through reposition, so
// that a pending edit is stored first and the grid follows the recordset's current row.
class DataGrid : public QFrame {
    Q_OBJECT
public:
    explicit DataGrid(QWidget *parent = nullptr);

    void setRecordset(Recordset *recordset);
    RecordsetModel *model() const { return model_; }
    GridTable *table() const { return table_; }
    QLabel *captionBar() const { return caption_; }

    // Stores the pending change of the current row, its open cell included. Throws
    // RuntimeError when the engine refuses it; the change then stays pending.
    void storePending();
    // Stores the pending change, runs a move on the recordset, then shows its current
    // row. A failure to store throws before anything moves; a failing move throws with
    // the grid where it was.
    void reposition(const std::function<void(Recordset &)> &move);
    // Deletes the recordset's current row through the engine and makes the next one
    // current. Throws RuntimeError when there is no current row or the engine refuses.
    void deleteCurrentRow();
    // Shows the recordset's current row (the new-row line when it has none).
    void followRecordset();
    // Deletes these rows of the recordset, exactly those, in one go from the bottom up.
    // A refusal is reported by failed; the rows deleted before it stay deleted.
    void deleteRows(QList<int> rows);

signals:
    // The user has altered a cell of the current row.
    void rowAltered();
    // The altered row has been written to the table.
    void rowWritten();
    // Something the user did could not be done: the text to show and the box style.
    void failed(const QString &text, int style);
    // The user tried to change a row of a recordset that cannot be written; the window
    // knows why and says it.
    void editRefused();
    // The Delete key on rows chosen by their record selectors: the window asks first, then
    // calls deleteRows. Rows of the recordset only, never the new-row line.
    void deleteRequested(const QList<int> &rows);
    // A row marked as altered turned out unchanged (its typing undone, or a value
    // refused): nothing is waiting to be stored any more.
    void rowRestored();

private:
    void onCurrentChanged(const QModelIndex &current, const QModelIndex &previous);
    void onDeleteKey(const QList<int> &rows);
    void dropAlteredMark();
    void newRowFromLastLine();
    void moveRecordsetTo(int row);
    void setGridRow(int row);

    QLabel *caption_;
    GridTable *table_;
    RecordsetModel *model_;
    bool syncing_ = false;
};

} // namespace carnelis
