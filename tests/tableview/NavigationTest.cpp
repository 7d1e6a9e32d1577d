#include "DeletionPrompt.h"
#include "GridFixture.h"
#include "JumpPositions.h"

#include <QAction>
#include <QLocale>

using namespace carnelis;
using namespace carnelis::test;

namespace {

// The worked values: halves go to the even neighbour.
TEST(JumpPositions, WorkedValues)
{
    const int worked[][4] = {{1, 0, 0, 1}, {2, 0, 1, 2}, {3, 1, 2, 2},  {4, 1, 2, 3},     {5, 1, 2, 4},
                             {6, 2, 3, 4}, {7, 2, 4, 5}, {10, 2, 5, 8}, {101, 25, 50, 76}};
    for (const auto &[n, quarter, middle, threeQuarters] : worked) {
        EXPECT_EQ(quarterPosition(n), quarter) << n;
        EXPECT_EQ(middlePosition(n), middle) << n;
        EXPECT_EQ(threeQuarterPosition(n), threeQuarters) << n;
    }
    const std::pair<double, int> halves[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}};
    for (const auto &[value, rounded] : halves)
        EXPECT_EQ(roundHalfEven(value), rounded) << value;
}

class NavigationTest : public GridFixture {
protected:
    void openWith(int n)
    {
        Rows rows;
        for (int i = 1; i <= n; ++i)
            rows.push_back(row(QString::number(i), QStringLiteral("Objet %1").arg(i), {}, {}, double(i)));
        ASSERT_TRUE(show(rows));
    }
};

// Each entry moves the recordset and the grid together; a position past the last row
// (three quarters of 2 rows) leaves the current row alone.
TEST_F(NavigationTest, EntriesMoveTheRecordsetAndTheGridTogether)
{
    openWith(2);
    const std::pair<QAction *, int> steps[] = {
        {view().Fin, 1}, {view().VingtCinq, 0}, {view().Milieu, 1}, {view().SoixanteQuinze, 1}, {view().Debut, 0}};
    for (const auto &[entry, expected] : steps) {
        entry->trigger();
        EXPECT_EQ(std::pair(position(), gridRow()), std::pair(expected, expected)) << entry->text().toStdString();
    }
    EXPECT_EQ(dialogs.transcript(), std::vector<DialogCall>{DialogCall::cursor(740, 35)});
}

// On the new-row line the recordset has no current row, even with a single row, so that
// nothing can be done to that row from there.
TEST_F(NavigationTest, TheNewRowLineOfAOneRowViewHasNoCurrentRow)
{
    openWith(1);
    clickCell(1, 0);
    EXPECT_EQ(position(), -1);
}

TEST_F(NavigationTest, AJumpStoresThePendingEditFirst)
{
    openWith(4);
    typeInto(0, 1, "Changé");
    view().Fin->trigger();
    EXPECT_EQ(inFile("TIMBRES", "DESIGNATION").first(), "Changé");
    EXPECT_EQ(std::pair(int(view().LigneSauvee), position()), std::pair(-1, 3));
}

// A deletion that fails: the beep of the request, the beep of the trap, the error box.
const std::vector<DialogCall> failedDeletion = {
    DialogCall::beep(), DialogCall::beep(),
    DialogCall::msgBox("Cette manoeuvre provoque une Erreur.", 16, QStringLiteral(" Erreur de Système."))};

// On an empty view the jumps change nothing and say nothing; a deletion is an error.
TEST_F(NavigationTest, OnAnEmptyViewJumpsDoNothingAndDeletionIsAnError)
{
    openWith(0);
    for (QAction *entry : {view().Debut, view().VingtCinq, view().Milieu, view().SoixanteQuinze, view().Fin})
        entry->trigger();
    EXPECT_EQ(position(), -1);
    EXPECT_TRUE(model().isNewRowLine(gridRow()));
    dialogs.clearTranscript();
    dialogs.answerMsgBox(vb::OK);
    view().EffacerLigne->trigger();
    EXPECT_EQ(dialogs.transcript(), failedDeletion);
    EXPECT_TRUE(grid.isLoaded());
}

class DeletionTest : public GridFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(show({row("1", "Cérès", "0,25 bleu", "Neuf", 45.0, "Gomme"),
                          row("2", "Semeuse", "0,10 vert", "TB", 12.5, ""), row("3", {}, "1,50 rouge", "B", {}, {})}));
        dialogs.clearTranscript();
    }
    // Answers the question, then asks for the current row's deletion.
    void deleteRow(int answer)
    {
        dialogs.clearTranscript();
        dialogs.answerMsgBox(answer);
        view().EffacerLigne->trigger();
    }
};

// No leaves everything as it was; Yes deletes the row the prompt shows, what was typed
// into it included, and the next row becomes current; after the last row none is, and
// a deletion then is an error that deletes nothing.
TEST_F(DeletionTest, NoThenYesThenTheLastRowThenNoRowLeft)
{
    typeInto(1, 1, "Tapé");
    deleteRow(vb::No);
    EXPECT_EQ(inFile("TIMBRES", "NUMERO"), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(std::pair(position(), gridRow()), std::pair(1, 1));

    deleteRow(vb::Yes);
    const QString prompt = "ATTENTION ! Vous cherchez à effacer le Numéro: 2\r\nSemeuse 0,10 vert TB 12.5 ";
    EXPECT_EQ(dialogs.transcript(),
              (std::vector<DialogCall>{DialogCall::beep(),
                                       DialogCall::msgBox(prompt, 36, QStringLiteral(" Effacement d'une Ligne."))}));
    EXPECT_EQ(std::pair(position(), gridRow()), std::pair(1, 1));
    EXPECT_EQ(shownColumn(0), (QStringList{"1", "3", ""}));
    clickCell(0, 0);
    EXPECT_EQ(inFile("TIMBRES", "NUMERO"), (QStringList{"1", "3"}));
    EXPECT_EQ(inFile("TIMBRES", "DESIGNATION"), (QStringList{"Cérès", "<null>"}));

    // The last row, whose Null designation leaves its blank in the prompt.
    view().Fin->trigger();
    deleteRow(vb::Yes);
    EXPECT_EQ(dialogs.boxes().at(0).prompt, "ATTENTION ! Vous cherchez à effacer le Numéro: 3\r\n 1,50 rouge B  ");
    EXPECT_EQ(inFile("TIMBRES", "NUMERO"), (QStringList{"1"}));
    EXPECT_EQ(position(), -1);
    EXPECT_TRUE(model().isNewRowLine(gridRow()));

    deleteRow(vb::OK);
    EXPECT_EQ(dialogs.transcript(), failedDeletion);
    EXPECT_EQ(inFile("TIMBRES", "NUMERO"), (QStringList{"1"}));
}

TEST(DeletionPrompt, NumbersTakeTheLocaleDecimalSeparator)
{
    const std::array<Value, 6> values{Value("7"), Value("Écu"), Value(), Value("TTB"), Value(1234.5), Value()};
    EXPECT_EQ(deletionPrompt(values, QLocale(QLocale::French, QLocale::France)),
              "ATTENTION ! Vous cherchez à effacer le Numéro: 7\r\nÉcu  TTB 1234,5 ");
}

} // namespace
