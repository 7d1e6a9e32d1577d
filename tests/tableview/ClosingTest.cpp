#include "GridFixture.h"

#include <QAction>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <sqlite3.h>

using namespace carnelis;
using namespace carnelis::test;

namespace {

const DialogCall saveQuestion = DialogCall::msgBox(
    QStringLiteral("ATTENTION ! Vous n'avez pas sauvegardé la ligne en cours. Voulez-vous le faire maintenant ? "), 36,
    QStringLiteral(" Sauvegarde d'une Ligne."));

enum class Trigger { Menu, EscapeInCell, FrameClose };

struct Closing {
    const char *name;
    Trigger trigger;
    int answer; // 0: no question expected
    bool onNewRow;
};

void PrintTo(const Closing &c, std::ostream *os) { *os << c.name; }

class ClosingTest : public GridFixture, public ::testing::WithParamInterface<Closing> {
protected:
    void SetUp() override
    {
        makeTable("TIMBRES", {row("1", "Cérès"), row("2", "Semeuse")});
        choose("TIMBRES");
        chooser.Show();
        ASSERT_NE(open(), nullptr);
        dialogs.clearTranscript();
    }

    void close(Trigger trigger)
    {
        switch (trigger) {
        case Trigger::Menu:
            view().Quitter->trigger();
            break;
        case Trigger::EscapeInCell: {
            QWidget *cell = table().gridDelegate()->openEditor();
            QTest::keyClick(cell ? cell : table().viewport(), Qt::Key_Escape);
            break;
        }
        case Trigger::FrameClose:
            view().close();
            break;
        }
    }
};

TEST_P(ClosingTest, AsksAboutAPendingEditThenClosesAndReturnsToTheChooser)
{
    const Closing c = GetParam();
    const int editedRow = c.onNewRow ? 2 : 0;
    if (c.answer != 0) {
        typeInto(editedRow, 1, "Changé");
        dialogs.answerMsgBox(c.answer);
    }
    QPointer<QWidget> window = grid.get()->widget();
    close(c.trigger);

    std::vector<DialogCall> expected;
    if (c.answer != 0)
        expected = {DialogCall::beep(), saveQuestion};
    EXPECT_EQ(dialogs.transcript(), expected);
    EXPECT_FALSE(grid.isLoaded());
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(chooser.get()->widget()->isVisible());
    EXPECT_EQ(chooserLoads, 1);

    QStringList designations{"Cérès", "Semeuse"};
    if (c.answer == vb::Yes && !c.onNewRow)
        designations[0] = "Changé";
    if (c.answer == vb::Yes && c.onNewRow)
        designations << "Changé";
    flushDeletes();
    QStringList stored = inFile("TIMBRES", "DESIGNATION");
    stored.sort();
    designations.sort();
    EXPECT_EQ(stored, designations);
}

INSTANTIATE_TEST_SUITE_P(Ways, ClosingTest,
                         ::testing::Values(Closing{"menu_sans_modification", Trigger::Menu, 0, false},
                                           Closing{"menu_oui", Trigger::Menu, vb::Yes, false},
                                           Closing{"menu_non", Trigger::Menu, vb::No, false},
                                           Closing{"menu_oui_nouvelle_ligne", Trigger::Menu, vb::Yes, true},
                                           Closing{"echap_sans_modification", Trigger::EscapeInCell, 0, false},
                                           Closing{"echap_dans_la_cellule_oui", Trigger::EscapeInCell, vb::Yes, false},
                                           Closing{"echap_dans_la_cellule_non", Trigger::EscapeInCell, vb::No, false},
                                           Closing{"cadre_oui", Trigger::FrameClose, vb::Yes, false},
                                           Closing{"cadre_non", Trigger::FrameClose, vb::No, false}),
                         [](const auto &info) { return std::string(info.param.name); });

class ClosingChooserTest : public GridFixture {};

TEST_F(ClosingChooserTest, AChooserClosedMeanwhileIsLoadedAgain)
{
    makeTable("TIMBRES", {row("1")});
    choose("TIMBRES");
    ASSERT_NE(open(), nullptr);
    EXPECT_FALSE(chooser.isLoaded());
    view().Quitter->trigger();
    EXPECT_TRUE(chooser.isLoaded());
    EXPECT_EQ(chooserLoads, 1);
}

TEST_F(ClosingChooserTest, AnEditLeftBeforeClosingAsksNothing)
{
    makeTable("TIMBRES", {row("1", "Cérès"), row("2", "Semeuse")});
    choose("TIMBRES");
    ASSERT_NE(open(), nullptr);
    typeInto(0, 1, "Changé");
    clickCell(1, 1);
    dialogs.clearTranscript();
    view().Quitter->trigger();
    EXPECT_EQ(dialogs.transcript(), std::vector<DialogCall>{});
    EXPECT_EQ(inFile("TIMBRES", "DESIGNATION"), (QStringList{"Changé", "Semeuse"}));
}

} // namespace

namespace {

class LockedClosingTest : public GridFixture {};

// Yes while another program locks the file: the person is told, the view stays open with
// the change pending; once the file is free, Yes again keeps it.
TEST_F(LockedClosingTest, ARefusedSaveKeepsTheViewOpenWithTheChange)
{
    makeTable("TIMBRES", {row("1", "Cérès"), row("2", "Semeuse")});
    choose("TIMBRES");
    ASSERT_NE(open(), nullptr);
    typeInto(0, 1, "Changé");
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(path().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    dialogs.clearTranscript();
    dialogs.answerMsgBox(vb::Yes);
    dialogs.answerMsgBox(vb::OK);

    view().Quitter->trigger();
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    ASSERT_EQ(dialogs.transcript().size(), 3u);
    EXPECT_EQ(dialogs.transcript()[1], saveQuestion);
    EXPECT_EQ(dialogs.transcript()[2].style, vb::Critical);
    ASSERT_TRUE(grid.isLoaded());
    EXPECT_EQ(view().LigneSauvee, 0);
    EXPECT_TRUE(model().hasPending());

    dialogs.answerMsgBox(vb::Yes);
    view().Quitter->trigger();
    EXPECT_FALSE(grid.isLoaded());
    flushDeletes();
    EXPECT_EQ(inFile("TIMBRES", "DESIGNATION"), (QStringList{"Changé", "Semeuse"}));
}

} // namespace
