#include "GridFixture.h"
#include "Printer.h"
#include "RecordingPrinter.h"

#include <QAction>

using namespace carnelis;
using namespace carnelis::test;

namespace {

// The table view's menu entry, with a recorder in the place of the printer object.
class ReportWindowTest : public GridFixture {
protected:
    ReportWindowTest()
    {
        auto device = std::make_unique<RecordingPrinter>();
        printer = device.get();
        previous = replacePrinter(std::move(device));
    }
    ~ReportWindowTest() override { replacePrinter(std::move(previous)); }

    // The designations of the row lines, between the header and the dashes (a line that
    // only carries what a row pushed past its column has none).
    QStringList printedDesignations() const
    {
        QStringList out;
        const QStringList lines = printer->documents().at(0).at(0).texts();
        for (qsizetype i = 2; i < lines.size() && !lines[i].contains(QStringLiteral("----------")); ++i)
            if (const QString d = lines[i].mid(11, 26).trimmed(); !d.isEmpty())
                out << d;
        return out;
    }

    RecordingPrinter *printer = nullptr;
    std::unique_ptr<PrinterDevice> previous;
};

TEST_F(ReportWindowTest, ImprimerStoresThePendingEditPrintsEveryRowAndBringsTheGridBackToTheFirst)
{
    makeTable("TIMBRES",
              {row("10", "Marianne", "0,50 rouge", "Neuf", 12.5, "Coin daté"),
               row("2", "Semeuse", "0,10 vert", "Oblitéré", 1234.5), row("1", "Cérès", "0,25 bleu", "TB", 3, "")});
    choose("TIMBRES");
    ASSERT_NE(open(), nullptr);
    typeInto(2, 1, "Marianne rose");

    view().Imprimer->trigger();

    ASSERT_EQ(printer->documents().size(), 1u);
    EXPECT_EQ(printedDesignations(), (QStringList{"Cérès", "Semeuse", "Marianne rose"}));
    EXPECT_EQ(inFile("TIMBRES", "DESIGNATION"), (QStringList{"Cérès", "Semeuse", "Marianne rose"}));
    EXPECT_EQ(view().ImpressionFaite, -1);
    EXPECT_EQ(position(), 0);
    EXPECT_EQ(gridRow(), 0);
    EXPECT_EQ(shownColumn(1), (QStringList{"Cérès", "Semeuse", "Marianne rose", ""}));

    clickCell(1, 0);
    view().Imprimer->trigger(); // the second activation only closes the job and reloads
    EXPECT_EQ(printer->documents().size(), 1u);
    EXPECT_EQ(view().ImpressionFaite, 0);
    EXPECT_EQ(gridRow(), 0);
    EXPECT_EQ(shownColumn(0), (QStringList{"1", "2", "10", ""}));

    view().Imprimer->trigger();
    EXPECT_EQ(printer->documents().size(), 2u);
}

TEST_F(ReportWindowTest, TheGridFollowsThePrintedRow)
{
    Rows rows;
    for (int i = 1; i <= 70; ++i)
        rows.push_back(row(QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')), "Semeuse", "rouge", "Neuf", 1.0, "r"));
    makeTable("TIMBRES", rows);
    choose("TIMBRES");
    ASSERT_NE(open(), nullptr);
    // When the first sheet is full, the user turning it sees its last row as current.
    std::vector<int> seen;
    printer->setOnNewSheet([&] { seen.push_back(gridRow()); });
    dialogs.answerMsgBox(vb::OK);

    view().Imprimer->trigger();

    EXPECT_EQ(seen, std::vector<int>{60});
    EXPECT_EQ(gridRow(), 0);
}

} // namespace
