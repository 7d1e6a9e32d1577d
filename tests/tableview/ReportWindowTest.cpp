#include "GridFixture.h"
#include "RecordingPrinter.h"

#include <QAction>

using namespace carnelis;
using namespace carnelis::test;

namespace {

// The table view's menu entry, printing on the driver's recorder.
using ReportWindowTest = GridFixture;

TEST_F(ReportWindowTest, ImprimerStoresTheEditPrintsEveryRowWithTheGridFollowingAndComesBackToTheFirst)
{
    Rows rows;
    for (int i = 1; i <= 62; ++i)
        rows.push_back(row(QString::number(i), QStringLiteral("Objet %1").arg(i), "rouge", "Neuf", 1.0, "r"));
    ASSERT_TRUE(show(rows));
    typeInto(1, 1, "Changé");
    // When the first sheet is full, the user turning it sees its last row as current.
    std::vector<int> seen;
    printer.setOnNewSheet([&] { seen.push_back(gridRow()); });
    dialogs.answerMsgBox(vb::OK);

    view().Imprimer->trigger();

    ASSERT_EQ(printer.documents().size(), 1u);
    EXPECT_EQ(seen, std::vector<int>{60});
    const QStringList first = printer.documents()[0].at(0).texts();
    EXPECT_TRUE(first.at(2).contains("Objet 1 ") && first.at(3).contains("Changé")) << first.at(3).toStdString();
    EXPECT_EQ(inFile("TIMBRES", "DESIGNATION").at(1), "Changé");
    EXPECT_EQ(std::tuple(int(view().ImpressionFaite), position(), gridRow(), model().rowCount()),
              std::tuple(-1, 0, 0, 63));
    EXPECT_EQ(shownColumn(1).at(1), "Changé");

    clickCell(1, 0);
    view().Imprimer->trigger(); // the second activation only closes the job and reloads
    EXPECT_EQ(std::tuple(printer.documents().size(), int(view().ImpressionFaite), gridRow()), std::tuple(1u, 0, 0));
    EXPECT_EQ(shownColumn(1).at(1), "Changé");

    dialogs.answerMsgBox(vb::OK);
    view().Imprimer->trigger();
    EXPECT_EQ(printer.documents().size(), 2u);
}

} // namespace
