// From the chooser to a filtered grid through the real table view: the condition table
// lives with the engine; here only the wiring, numbers typed the French way, and Open
// while the view is open.
#include "Collections.h"
#include "DataGrid.h"
#include "FRMGRID.h"
#include "RecordsetModel.h"
#include "WindowDriver.h"

#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <gtest/gtest.h>

using namespace carnelis;

namespace {

struct ChooserToGrid : ::testing::Test, test::WindowDriver {
    ChooserToGrid()
    {
        test::writeCollection(folder() + "/COLLECTION.MDB", "Timbres",
                              {test::row("1", "Lion rouge", "5c rouge", "neuf", 5.0, "rare"),
                               test::row("2", "Aigle noir", "10c noir", "oblitéré", 12.5),
                               test::row("10", {}, "1f bleu", "neuf", 150.0, ""),
                               test::row("100", "Lion d'or", "2f or", "", 0.0, "à vérifier")});
        realWindows();
        pick("COLLECTION.MDB", "TIMBRES");
    }
    ~ChooserToGrid() override { QLocale::setDefault(QLocale::c()); }
    // The rows of the view Ouvrir opened, which is closed again; -1 when none opened.
    int rowsOpened()
    {
        FRMGRID *view = open();
        const int rows = view ? view->Data1.recordset()->RecordCount() : -1;
        grid.Unload();
        flushDeletes();
        return rows;
    }
};

TEST_F(ChooserToGrid, EachGroupOfOptionsReachesTheQuery)
{
    EXPECT_EQ(rowsOpened(), 4);
    option(1, 2);
    option(2, 6, "lion");
    option(3, 2, "10");
    EXPECT_EQ(rowsOpened(), 2);
    option(1, 3);
    option(2, 5); // "N'est pas Vide" asks nothing
    EXPECT_EQ(rowsOpened(), 4);
    option(1, 2);
    option(2, 4);
    EXPECT_EQ(rowsOpened(), 1);
    EXPECT_TRUE(dialogs.boxes().empty());
    EXPECT_EQ(dialogs.unusedAnswers(), 0);
}

// Letters where a number is needed get a box naming them, the table stays chosen and the
// corrected criterion opens; the COTE prompt asks again for a number; a piece of the
// value as the grid shows it finds its row.
TEST_F(ChooserToGrid, FrenchNumbersAndACriterionCorrectedAfterItsBox)
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    option(1, 5);
    option(2, 0, "douze");
    dialogs.answerMsgBox(vb::OK);
    EXPECT_EQ(rowsOpened(), -1);
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_TRUE(dialogs.boxes()[0].prompt.startsWith("Le critère « DOUZE » n'est pas un nombre"));
    EXPECT_EQ(selection.NomTable, "TIMBRES");
    EXPECT_EQ(find<QListWidget>(chooser, "List1")->count(), 1);

    option(2, 0, "12,5");
    dialogs.answerInput("abc");
    option(3, 1, "1,5");
    EXPECT_EQ(rowsOpened(), 1);
    EXPECT_TRUE(selection.ResumeCriteres.endsWith(" Et Cote  > 1,50"));

    option(2, 9, ",50");
    option(3, 2, "");
    EXPECT_TRUE(selection.OperateurCote.isEmpty());
    EXPECT_EQ(rowsOpened(), 1);
    EXPECT_EQ(dialogs.unusedAnswers(), 0);
}

// Open while the view is open: the view closes by its own steps, its save question
// included, and opens again on the new request, so that its rows match its summary.
TEST_F(ChooserToGrid, OpenWhileTheViewIsOpenOpensItAnew)
{
    FRMGRID *first = open();
    ASSERT_NE(first, nullptr);
    option(1, 2);
    option(2, 6, "lion");
    FRMGRID *second = open();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(second->Data1.recordset()->RecordCount(), 2);
    EXPECT_EQ(second->Label1->text(), ' ' + selection.ResumeCriteres + " - Lignes:  2");
    EXPECT_TRUE(dialogs.boxes().empty());

    // A row being typed: the question first; Yes keeps it, and the view opens again.
    RecordsetModel &model = *second->DBGrid1->model();
    second->DBGrid1->table()->setCurrentIndex(model.index(0, 1));
    model.setData(model.index(0, 1), "LION BLANC");
    dialogs.answerMsgBox(vb::Yes);
    FRMGRID *third = open();
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(dialogs.boxes()[0].title, " Sauvegarde d'une Ligne.");
    ASSERT_NE(third, nullptr);
    EXPECT_NE(third, second);
    EXPECT_EQ(third->DBGrid1->model()->index(0, 1).data().toString(), "LION BLANC");
}

} // namespace
