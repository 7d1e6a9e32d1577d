#include "DeletionPrompt.h"
#include "GridFixture.h"
#include "JumpPositions.h"

#include <QAction>
#include <QLocale>

using namespace carnelis;
using namespace carnelis::test;

namespace {

// A deletion that fails: the beep of the request, the beep of the trap, the error box.
std::vector<DialogCall> failedDeletion()
{
    return {DialogCall::beep(), DialogCall::beep(),
            DialogCall::msgBox("Cette manoeuvre provoque une Erreur.", 16, QStringLiteral(" Erreur de Système."))};
}

struct Worked {
    int n;
    int quarter, middle, threeQuarters;
};

void PrintTo(const Worked &w, std::ostream *os) { *os << w.n << " rows"; }

// The worked values: halves go to the even neighbour.
const Worked worked[] = {{1, 0, 0, 1}, {2, 0, 1, 2}, {3, 1, 2, 2},  {4, 1, 2, 3},     {5, 1, 2, 4},
                         {6, 2, 3, 4}, {7, 2, 4, 5}, {10, 2, 5, 8}, {101, 25, 50, 76}};

TEST(JumpPositions, WorkedValues)
{
    for (const Worked &w : worked) {
        EXPECT_EQ(quarterPosition(w.n), w.quarter) << w.n;
        EXPECT_EQ(middlePosition(w.n), w.middle) << w.n;
        EXPECT_EQ(threeQuarterPosition(w.n), w.threeQuarters) << w.n;
    }
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
}

Rows numbered(int n)
{
    Rows rows;
    for (int i = 1; i <= n; ++i)
        rows.push_back(row(QString::number(i), QStringLiteral("Objet %1").arg(i), {}, {}, double(i)));
    return rows;
}

class JumpTest : public GridFixture, public ::testing::WithParamInterface<Worked> {};

// Each entry on a real file; a position past the last row leaves the current row alone.
TEST_P(JumpTest, EntriesMoveTheRecordsetAndTheGridTogether)
{
    const Worked w = GetParam();
    makeTable("TIMBRES", numbered(w.n));
    choose("TIMBRES");
    ASSERT_NE(open(), nullptr);

    auto expectAt = [&](int expected, const char *entry) {
        EXPECT_EQ(position(), expected) << entry;
        EXPECT_EQ(gridRow(), expected) << entry;
    };
    view().VingtCinq->trigger();
    expectAt(w.quarter, "25 %");
    view().Milieu->trigger();
    expectAt(w.middle, "50 %");
    view().SoixanteQuinze->trigger();
    expectAt(w.threeQuarters < w.n ? w.threeQuarters : w.middle, "75 %");
    view().Fin->trigger();
    expectAt(w.n - 1, "Fin");
    view().Debut->trigger();
    expectAt(0, "Début");

    EXPECT_TRUE(grid.isLoaded());
    EXPECT_EQ(dialogs.transcript(), std::vector<DialogCall>{DialogCall::cursor(740, 35)});
}

INSTANTIATE_TEST_SUITE_P(Rows, JumpTest, ::testing::ValuesIn(worked),
                         [](const auto &info) { return std::string("n").append(std::to_string(info.param.n)); });

class NavigationTest : public GridFixture {};

TEST_F(NavigationTest, JumpsOnAnEmptyViewChangeNothingAndSayNothing)
{
    makeTable("TIMBRES", {});
    choose("TIMBRES");
    ASSERT_NE(open(), nullptr);
    for (QAction *entry : {view().Debut, view().VingtCinq, view().Milieu, view().SoixanteQuinze, view().Fin})
        entry->trigger();
    EXPECT_EQ(position(), -1);
    EXPECT_TRUE(model().isNewRowLine(gridRow()));
    EXPECT_TRUE(grid.isLoaded());
    EXPECT_EQ(dialogs.transcript(), std::vector<DialogCall>{DialogCall::cursor(740, 35)});
}

TEST_F(NavigationTest, AJumpStoresThePendingEditFirst)
{
    makeTable("TIMBRES", numbered(4));
    choose("TIMBRES");
    ASSERT_NE(open(), nullptr);
    typeInto(0, 1, "Changé");
    view().Fin->trigger();
    EXPECT_EQ(inFile("TIMBRES", "DESIGNATION").first(), "Changé");
    EXPECT_EQ(view().LigneSauvee, -1);
    EXPECT_EQ(position(), 3);
}

const QString deletionTitle = QStringLiteral(" Effacement d'une Ligne.");

class DeletionTest : public GridFixture {
protected:
    void SetUp() override
    {
        makeTable("TIMBRES",
                  {row("1", "Cérès", "0,25 bleu", "Neuf", 45.0, "Gomme"),
                   row("2", "Semeuse", "0,10 vert", "TB", 12.5, ""), row("3", {}, "1,50 rouge", "B", {}, {})});
        choose("TIMBRES");
        ASSERT_NE(open(), nullptr);
        dialogs.clearTranscript();
    }
};

TEST_F(DeletionTest, YesDeletesTheRowShownAndTheNextOneBecomesCurrent)
{
    clickCell(1, 0);
    dialogs.answerMsgBox(vb::Yes);
    view().EffacerLigne->trigger();

    const QString prompt =
        QStringLiteral("ATTENTION ! Vous cherchez à effacer le Numéro: 2\r\nSemeuse 0,10 vert TB 12.5 ");
    EXPECT_EQ(dialogs.transcript(),
              (std::vector<DialogCall>{DialogCall::beep(), DialogCall::msgBox(prompt, 36, deletionTitle)}));
    EXPECT_EQ(inFile("TIMBRES", "NUMERO"), (QStringList{"1", "3"}));
    EXPECT_EQ(position(), 1);
    EXPECT_EQ(gridRow(), 1);
    EXPECT_EQ(shownColumn(0), (QStringList{"1", "3", ""}));
}

TEST_F(DeletionTest, WhatWasTypedIntoTheDeletedRowGoesWithIt)
{
    typeInto(1, 1, "Tapé");
    dialogs.answerMsgBox(vb::Yes);
    view().EffacerLigne->trigger();
    clickCell(0, 0);
    EXPECT_EQ(inFile("TIMBRES", "NUMERO"), (QStringList{"1", "3"}));
    EXPECT_EQ(inFile("TIMBRES", "DESIGNATION"), (QStringList{"Cérès", "<null>"}));
}

TEST_F(DeletionTest, NoLeavesTableAndCurrentRowAsTheyWere)
{
    clickCell(1, 0);
    dialogs.answerMsgBox(vb::No);
    view().EffacerLigne->trigger();
    EXPECT_EQ(inFile("TIMBRES", "NUMERO"), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(position(), 1);
    EXPECT_EQ(gridRow(), 1);
}

TEST_F(DeletionTest, ANullDesignationLeavesItsBlankAndTheLastRowLeavesNoCurrentRow)
{
    view().Fin->trigger();
    dialogs.answerMsgBox(vb::Yes);
    view().EffacerLigne->trigger();
    EXPECT_EQ(dialogs.boxes().at(0).prompt,
              QStringLiteral("ATTENTION ! Vous cherchez à effacer le Numéro: 3\r\n 1,50 rouge B  "));
    EXPECT_EQ(inFile("TIMBRES", "NUMERO"), (QStringList{"1", "2"}));
    EXPECT_EQ(position(), -1);
    EXPECT_TRUE(model().isNewRowLine(gridRow()));

    // With no current row, a second deletion is an error and deletes nothing.
    dialogs.clearTranscript();
    dialogs.answerMsgBox(vb::OK);
    view().EffacerLigne->trigger();
    EXPECT_EQ(dialogs.transcript(), failedDeletion());
    EXPECT_EQ(inFile("TIMBRES", "NUMERO"), (QStringList{"1", "2"}));
}

TEST(DeletionPrompt, NumbersTakeTheLocaleDecimalSeparator)
{
    const std::array<Value, 6> values{Value("7"), Value("Écu"), Value(), Value("TTB"), Value(1234.5), Value()};
    EXPECT_EQ(deletionPrompt(values, QLocale(QLocale::French, QLocale::France)),
              QStringLiteral("ATTENTION ! Vous cherchez à effacer le Numéro: 7\r\nÉcu  TTB 1234,5 "));
}

class EmptyDeletionTest : public GridFixture {};

TEST_F(EmptyDeletionTest, OnAnEmptyViewTwoBeepsAndTheErrorBox)
{
    makeTable("TIMBRES", {});
    choose("TIMBRES");
    ASSERT_NE(open(), nullptr);
    dialogs.clearTranscript();
    dialogs.answerMsgBox(vb::OK);
    view().EffacerLigne->trigger();
    EXPECT_EQ(dialogs.transcript(), failedDeletion());
    EXPECT_TRUE(grid.isLoaded());
}

} // namespace
