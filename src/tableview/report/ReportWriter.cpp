#include "ReportWriter.h"

#include "Collection.h"
#include "Engine.h"
#include "ReportFormat.h"
#include "SelectionState.h"

#include <QLocale>
#include <QScopeGuard>
#include <cmath>

namespace carnelis {

namespace {
const QString Header =
    QStringLiteral("NUMÉRO      DÉSIGNATION              VALEUR - COULEUR         ÉTAT    COTE    REMARQUE");

// A right-aligned amount: the tab that makes it end just before COTE's report column.
PrintItem tabBefore(const QString &amount)
{
    return PrintItem::Tab(collectionTable[coteColumn].reportColumn - int(amount.size()));
}

PrintItem itemOf(const Value &value)
{
    if (value.isNumber())
        return PrintItem(value.number());
    return PrintItem(value.text());
}
} // namespace

bool ReportWriter::write(const SelectionState &selection, const QString &DateDuJour)
{
    setUp();
    // A line that would pass the foot of the sheet turns it the report's way, with the
    // user asked to turn the paper, never as a sheet of the device's own.
    printer_.setSheetFull([this] { turnSheet(); });
    const auto release = qScopeGuard([this] { printer_.setSheetFull({}); });

    printer_.Print({PrintItem::Tab(ColTitle), QStringLiteral("Impression de") + selection.ResumeCriteres});
    rule(0.2);
    // The rule left the position at its right end: this tab takes the next line.
    printer_.Print({PrintItem::Tab(ColTitle), Header});
    rule(0.2);

    LignesPage = FirstPageOffset;
    double TotalCote = 0.0;
    if (!rowsAndTotal(TotalCote))
        return false;
    closing(TotalCote, selection, DateDuJour);
    return true;
}

void ReportWriter::setUp()
{
    printer_.setScaleMode(PrinterDevice::Centimetres);
    printer_.setCurrentY(TopOfPage);
    printer_.setFontBold(false);
    printer_.setFontItalic(false);
    printer_.setFontUnderline(false);
    printer_.setFontStrikethru(false);
    printer_.setFontName(QStringLiteral("Courier new"));
    printer_.setFontSize(10);
}

void ReportWriter::rule(double below)
{
    const double y = printer_.CurrentY() + below;
    printer_.Line(0.5, y, 20, y, 0);
}

bool ReportWriter::rowsAndTotal(double &TotalCote)
{
    int printed = 0;
    while (!rows_.isEOF()) {
        const RowPrint row = currentRow();
        printWithRoom([&] { printer_.Print(row.items, row.end); }, true);
        if (row.cote)
            TotalCote += *row.cote;
        ++printed;
        if (progress_ && !progress_(printed))
            return false;
        rows_.MoveNext();
    }
    return true;
}

ReportWriter::RowPrint ReportWriter::currentRow() const
{
    // The text columns before COTE, each from its own tab, on the same line.
    RowPrint row;
    for (int i = 0; i < coteColumn; ++i) {
        const CollectionColumn &column = collectionTable[std::size_t(i)];
        const Value value = rows_.Fields(QLatin1String(column.name));
        if (!isNullOrEmpty(value))
            row.items.insert(row.items.end(), {PrintItem::Tab(column.reportColumn), itemOf(value)});
    }

    // A value that is not a number counts nothing and prints nothing: the run goes on.
    row.cote = coteAmount(rows_.Fields(QLatin1String(collectionTable[coteColumn].name)));
    if (row.cote) {
        const QString amount = formatTwoDecimals(*row.cote);
        row.items.insert(row.items.end(), {tabBefore(amount), amount});
    }

    const CollectionColumn &remarks = collectionTable[diversColumn];
    const Value divers = rows_.Fields(QLatin1String(remarks.name));
    if (!isNullOrEmpty(divers))
        row.items.insert(row.items.end(), {PrintItem::Tab(remarks.reportColumn), itemOf(divers)});
    // A Null remark leaves the line open: the next row's first tab takes a new line.
    row.end = divers.isNull() ? PrintEnd::KeepLine : PrintEnd::NewLine;
    return row;
}

void ReportWriter::printWithRoom(const std::function<void()> &printing, bool isRow)
{
    // What is longer than a whole sheet goes on over the next ones, each turned as the
    // device reaches its foot.
    const PrinterDevice::Extent extent = printer_.Measure(printing);
    if (!extent.fits || (isRow && LignesPage + extent.lines > LinesPerPage))
        turnSheet();
    turnedWhilePrinting_ = false;
    printing();
    LignesPage = turnedWhilePrinting_ ? linesSinceTop() : LignesPage + extent.lines;
}

void ReportWriter::turnSheet()
{
    LignesPage = 0;
    printer_.NewPage();
    printer_.setCurrentY(TopOfPage);
    turnedWhilePrinting_ = true;
    if (pageTurn_)
        pageTurn_();
}

int ReportWriter::linesSinceTop()
{
    const int whole = int(std::lround((printer_.CurrentY() - TopOfPage) / printer_.TextHeight()));
    return whole + (printer_.CurrentX() > 0.0 ? 1 : 0);
}

void ReportWriter::closing(double TotalCote, const SelectionState &selection, const QString &DateDuJour)
{
    // Back to the first row, so that the grid does not stay past the end.
    if (rows_.RecordCount() > 0)
        rows_.setAbsolutePosition(0);
    // The closing lines stay together: under the last row, or on a sheet of their own.
    printWithRoom([&] { closingLines(TotalCote, selection, DateDuJour); }, false);
}

void ReportWriter::closingLines(double TotalCote, const SelectionState &selection, const QString &DateDuJour)
{
    printer_.Print({PrintItem::Tab(ColDashes), QStringLiteral("----------")});
    printer_.Print(
        {PrintItem::Tab(ColCount), QString::number(rows_.RecordCount()) + QStringLiteral(" Ligne(s) pour ......")},
        PrintEnd::KeepLine);
    const QString total =
        formatGroupedTwoDecimals(TotalCote, groupSeparatorIn([this](QChar c) { return printer_.FontHasCharacter(c); }));
    printer_.Print({tabBefore(total), total});
    rule(0.5);
    printer_.Print();

    const QString fontName = printer_.FontName();
    const QString fontSize = QLocale().toString(printer_.FontSize(), 'g', 6).remove(QLocale().groupSeparator());
    printer_.Print({PrintItem::Tab(ColTitle), selection.NomFichierMdb + QStringLiteral(" - Table:") +
                                                  selection.NomTable + QStringLiteral(" - Date: ") + DateDuJour +
                                                  QStringLiteral("  -  Police: ") + fontName + QLatin1Char(' ') +
                                                  fontSize});
}

} // namespace carnelis
