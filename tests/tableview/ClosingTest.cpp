#include "GridFixture.h"

#include <QAction>
#include <QPointer>
#include <QTest>

using namespace carnelis;
using namespace carnelis::test;

namespace {

enum class Trigger { Menu, EscapeInCell, FrameClose };

struct Closing {
    const char *name;
    Trigger trigger;
    int answer; // 0: no question expected
    bool onNewRow = false;
    // The edit stored by moving to another row first, with the chooser closed meanwhile:
    // no question, and the chooser is loaded again.
    bool stored = false;
};

void PrintTo(const Closing &c, std::ostream *os) { *os << c.name; }

class ClosingTest : public GridFixture, public ::testing::WithParamInterface<Closing> {};

TEST_P(ClosingTest, AsksAboutAPendingEditThenClosesAndReturnsToTheChooser)
{
    const Closing c = GetParam();
    if (!c.stored)
        chooser.Show();
    ASSERT_TRUE(show({row("1", "Cérès"), row("2", "Semeuse")}));
    EXPECT_EQ(chooserLoads, c.stored ? 0 : 1);
    if (c.answer != 0 || c.stored)
        typeInto(c.onNewRow ? 2 : 0, 1, "Changé");
    if (c.stored)
        clickCell(1, 1);
    dialogs.clearTranscript();
    if (c.answer != 0)
        dialogs.answerMsgBox(c.answer);
    QPointer<QWidget> window = grid.get()->widget();
    if (c.trigger == Trigger::Menu)
        view().Quitter->trigger();
    else if (c.trigger == Trigger::FrameClose)
        view().close();
    else if (QWidget *cell = table().gridDelegate()->openEditor())
        QTest::keyClick(cell, Qt::Key_Escape);
    else
        QTest::keyClick(table().viewport(), Qt::Key_Escape);

    std::vector<DialogCall> expected;
    if (c.answer != 0)
        expected = {DialogCall::beep(),
                    DialogCall::msgBox("ATTENTION ! Vous n'avez pas sauvegardé la ligne en cours. Voulez-vous le "
                                       "faire maintenant ? ",
                                       36, QStringLiteral(" Sauvegarde d'une Ligne."))};
    EXPECT_EQ(dialogs.transcript(), expected);
    EXPECT_FALSE(grid.isLoaded() || window->isVisible());
    EXPECT_TRUE(chooser.get()->widget()->isVisible());
    EXPECT_EQ(chooserLoads, 1);

    QStringList designations{"Cérès", "Semeuse"};
    if (c.answer == vb::Yes && c.onNewRow)
        designations << "Changé";
    else if (c.answer == vb::Yes || c.stored)
        designations[0] = "Changé";
    flushDeletes();
    QStringList stored = inFile("TIMBRES", "DESIGNATION");
    stored.sort();
    designations.sort();
    EXPECT_EQ(stored, designations);
}

INSTANTIATE_TEST_SUITE_P(Ways, ClosingTest,
                         ::testing::Values(Closing{"menu_sans_modification", Trigger::Menu, 0},
                                           Closing{"menu_oui", Trigger::Menu, vb::Yes},
                                           Closing{"menu_non", Trigger::Menu, vb::No},
                                           Closing{"menu_oui_nouvelle_ligne", Trigger::Menu, vb::Yes, true},
                                           Closing{"echap_sans_modification", Trigger::EscapeInCell, 0},
                                           Closing{"echap_dans_la_cellule_oui", Trigger::EscapeInCell, vb::Yes},
                                           Closing{"echap_dans_la_cellule_non", Trigger::EscapeInCell, vb::No},
                                           Closing{"cadre_oui", Trigger::FrameClose, vb::Yes},
                                           Closing{"cadre_non", Trigger::FrameClose, vb::No},
                                           Closing{"menu_ligne_quittee", Trigger::Menu, 0, false, true}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
