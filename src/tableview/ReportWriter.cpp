#include "ReportWriter.h"

#include "Collection.h"
#include "Engine.h"
#include "PrinterDevice.h"
#include "ReportFormat.h"
#include "SelectionState.h"

#include <QLocale>

namespace carnelis {

namespace {
const QString Header = QStringLiteral(
    "NUMÉRO      DÉSIGNATION              VALEUR - COULEUR         ÉTAT    COTE    REMARQUE");

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
    printer_.Print({PrintItem::Tab(ColTitle), QStringLiteral("Impression de") + selection.ResumeCriteres});
    rule(0.2);
    // The rule left the position at its right end: this tab takes the next line.
    printer_.Print({PrintItem::Tab(ColTitle), Header});
    rule(0.2);

    double TotalCote = 0.0;
    if (!rowsAndTotal(TotalCote))
        return false;
    closingLines(TotalCote, selection, DateDuJour);
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
    int LignesPage = FirstPageOffset;
    int printed = 0;
    while (!rows_.isEOF()) {
        if (LignesPage == RowsPerPage) {
            LignesPage = 0;
            printer_.NewPage();
            printer_.setCurrentY(TopOfPage);
            if (pageTurn_)
                pageTurn_();
        }
        row(TotalCote);
        ++LignesPage;
        ++printed;
        rows_.MoveNext();
        if (progress_ && !progress_(printed))
            return false;
    }
    return true;
}

void ReportWriter::row(double &TotalCote)
{
    // The text columns before COTE, each from its own tab, on the same line.
    for (int i = 0; i < coteColumn; ++i) {
        const CollectionColumn &column = collectionTable[std::size_t(i)];
        const Value value = rows_.Fields(QLatin1String(column.name));
        if (!isNullOrEmpty(value))
            printer_.Print({PrintItem::Tab(column.reportColumn), itemOf(value)}, PrintEnd::KeepLine);
    }

    // A value that is not a number counts nothing and prints nothing: the run goes on.
    if (const auto cote = coteAmount(rows_.Fields(QLatin1String(collectionTable[coteColumn].name)))) {
        TotalCote += *cote;
        const QString amount = formatTwoDecimals(*cote);
        printer_.Print({tabBefore(amount), amount}, PrintEnd::KeepLine);
    }

    const CollectionColumn &remarks = collectionTable[diversColumn];
    const Value divers = rows_.Fields(QLatin1String(remarks.name));
    if (!isNullOrEmpty(divers))
        printer_.Print({PrintItem::Tab(remarks.reportColumn), itemOf(divers)});
    else if (divers.isText())
        printer_.Print();
    // A Null remark leaves the line open: the next row's first tab takes a new line.
}

void ReportWriter::closingLines(double TotalCote, const SelectionState &selection, const QString &DateDuJour)
{
    // Back to the first row, so that the grid does not stay past the end.
    if (rows_.RecordCount() > 0)
        rows_.setAbsolutePosition(0);
    printer_.Print({PrintItem::Tab(ColDashes), QStringLiteral("----------")});
    printer_.Print({PrintItem::Tab(ColCount),
                    QString::number(rows_.RecordCount()) + QStringLiteral(" Ligne(s) pour ......")},
                   PrintEnd::KeepLine);
    const QString total = formatGroupedTwoDecimals(TotalCote);
    printer_.Print({tabBefore(total), total});
    rule(0.5);
    printer_.Print();

    const QString fontName = printer_.FontName();
    const QString fontSize = QLocale().toString(printer_.FontSize(), 'g', 6).remove(QLocale().groupSeparator());
    printer_.Print({PrintItem::Tab(ColTitle), selection.NomFichierMdb + QStringLiteral(" - Table:") + selection.NomTable +
                                                  QStringLiteral(" - Date: ") + DateDuJour +
                                                  QStringLiteral("  -  Police: ") + fontName + QLatin1Char(' ') +
                                                  fontSize});
}

} // namespace carnelis
