#pragma once
// A table view opened the way the chooser opens it, on a collection file made through the
// engine in the driver's temporary folder; the chooser is a stand-in that counts its loads.
#include "Collections.h"
#include "DataGrid.h"
#include "Engine.h"
#include "FRMGRID.h"
#include "GridDelegate.h"
#include "RecordsetModel.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

namespace carnelis::test {

class GridFixture : public ::testing::Test, public WindowDriver {
protected:
    explicit GridFixture(PrinterDevice *device = nullptr);

    // What the chooser leaves in the selection for a table of COLLECTION.MDB.
    void choose(const QString &table, int16_t colonneTri = 0, const QString &condition = {},
                const QString &critere = {});
    // Shows the view; null when its load failed.
    FRMGRID *open();
    // A TIMBRES table of these rows, chosen whole and shown; false when the view did not load.
    bool show(const Rows &rows);
    FRMGRID &view() { return *static_cast<FRMGRID *>(grid.get()); }

    // COLLECTION.MDB, where the tables are written.
    QString path() const { return dir.filePath(QStringLiteral("COLLECTION.MDB")); }
    // One column of the table as the file holds it now, rows in the order they were
    // written, read straight through SQLite; Null reads as "<null>".
    QStringList inFile(const QString &table, const QString &column);

    // The grid as the user sees it.
    GridTable &table() { return *view().DBGrid1->table(); }
    RecordsetModel &model() { return *view().DBGrid1->model(); }
    QStringList shownColumn(int column);
    int gridRow() { return table().currentIndex().row(); }
    int position() { return view().Data1.recordset()->AbsolutePosition(); }
    // Clicks a cell, the way a person moves to another row.
    void clickCell(int row, int column);
    // Opens the cell for editing and types over its text, leaving the editor open.
    void typeInto(int row, int column, const QString &text);
    // Clicks a row's record selector, as a person chooses whole rows.
    void clickSelector(int row, Qt::KeyboardModifiers modifiers = {});

    int chooserLoads = 0;
};

} // namespace carnelis::test
