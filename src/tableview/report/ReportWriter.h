#pragma once
// The printed report of a table view: title with the criteria, header between two rules,
// one line per row in fixed columns, the count of rows with the total of COTE, a third
// rule and the footer. Plain composition on a PrinterDevice, walking the recordset the
// grid shows, so that the grid's current row follows the run. The report turns every
// sheet itself, so that the user is asked to turn each one when printing both sides.
#include "PrinterDevice.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace carnelis {

class Recordset;
struct SelectionState;

class ReportWriter {
public:
    // Character columns of the report, column 1 at the left edge; those of the six
    // columns of a row are the reportColumn of collectionTable.
    static constexpr int ColDashes = 70, ColCount = 41, ColTitle = 4;
    static constexpr int FirstPageOffset = 5; // the title and header take the room of 5 lines
    static constexpr int LinesPerPage = 66;
    static constexpr double TopOfPage = 2.0;

    // After each new sheet: the user turns the printed one over for the other side.
    using PageTurn = std::function<void()>;
    // After each row, while it is still the current row: rows printed so far; false
    // stops the run.
    using Progress = std::function<bool(int printed)>;

    ReportWriter(PrinterDevice &printer, Recordset &rows) : printer_(printer), rows_(rows) {}
    void setPageTurn(PageTurn turn) { pageTurn_ = std::move(turn); }
    void setProgress(Progress progress) { progress_ = std::move(progress); }

    // Prints from the current row to the end and the closing lines. Returns false when
    // the progress stopped it; the document is then still open. Failures of the printer
    // or the engine are RuntimeErrors.
    bool write(const SelectionState &selection, const QString &DateDuJour);

private:
    // One row as a single Print: its items, how it ends, and what it adds to the total.
    struct RowPrint {
        std::vector<PrintItem> items;
        PrintEnd end = PrintEnd::NewLine;
        std::optional<double> cote;
    };

    void setUp();
    void rule(double below);
    bool rowsAndTotal(double &TotalCote);
    RowPrint currentRow() const;
    void closing(double TotalCote, const SelectionState &selection, const QString &DateDuJour);
    void closingLines(double TotalCote, const SelectionState &selection, const QString &DateDuJour);
    // Prints on this sheet when it has room, after turning the sheet otherwise; a row
    // also needs room in the lines a sheet counts.
    void printWithRoom(const std::function<void()> &printing, bool isRow);
    void turnSheet();
    int linesSinceTop();

    PrinterDevice &printer_;
    Recordset &rows_;
    PageTurn pageTurn_;
    Progress progress_;
    // Text lines of the current sheet; on the first, the title and header count 5.
    int LignesPage = 0;
    bool turnedWhilePrinting_ = false;
};

} // namespace carnelis
