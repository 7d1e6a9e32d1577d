// From the chooser to a filtered grid, through the real table view, for every condition,
// and for numbers typed the French way.
#include "CollectionFile.h"
#include "DataGrid.h"
#include "FRMGRID.h"
#include "FileList.h"
#include "FolderList.h"
#include "FrmUnite.h"
#include "RecordsetModel.h"
#include "ScriptedDialogs.h"
#include "SelectionState.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace carnelis;

namespace {

struct Filter {
    int16_t column;
    int16_t condition; // -1: none (" TOUT")
    const char *typed;
    int16_t cote; // -1: none
    const char *coteTyped;
    int rows;
};

// NUMERO, DESIGNATION, COULEUR, ETAT, COTE, DIVERS
const Filter filters[] = {
    {0, -1, "", -1, "", 4},    {2, 0, "aigle noir", -1, "", 1}, {2, 1, "l", -1, "", 2},
    {2, 2, "b", -1, "", 1},    {2, 3, "aigle noir", -1, "", 3}, {2, 4, "", -1, "", 1},
    {2, 5, "", -1, "", 3},     {2, 6, "lion", -1, "", 2},       {2, 6, "d'or", -1, "", 1},
    {2, 7, "lion", -1, "", 2}, {2, 8, "ai", -1, "", 1},         {2, 9, "or", -1, "", 1},
    {1, 1, "5", -1, "", 2},    {5, 2, "13", 1, "1", 2},         {2, 6, "lion", 2, "10", 2},
    {3, 6, "rouge", 3, "", 1},
};

class ChooserToGrid : public ::testing::Test {
protected:
    void SetUp() override
    {
        {
            CollectionFile file(folder + "/COLLECTION.MDB");
            file.createTable("Timbres");
            file.appendRows("Timbres", {
                                           {"1", "Lion rouge", "5c rouge", "neuf", 5.0, "rare"},
                                           {"2", "Aigle noir", "10c noir", "oblitéré", 12.5, Value::null()},
                                           {"10", Value::null(), "1f bleu", "neuf", 150.0, ""},
                                           {"100", "Lion d'or", "2f or", "", 0.0, "à vérifier"},
                                       });
        }
        chooser.setFactory([&] { return std::make_unique<FrmUnite>(ctx); });
        grid.setFactory([&] { return std::make_unique<FRMGRID>(ctx); });
        chooser.Show();
        window().findChild<FolderList *>("Dir1")->setPath(folder);
        clickEntry("File1", "COLLECTION.MDB");
        clickEntry("List1", "TIMBRES");
    }

    void TearDown() override
    {
        QLocale::setDefault(QLocale::c());
        grid.Unload();
        chooser.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    FrmUnite &window() { return static_cast<FrmUnite &>(*chooser.get()); }
    void click(const QString &name) { QTest::mouseClick(window().findChild<QWidget *>(name), Qt::LeftButton); }
    void clickEntry(const char *list, const QString &text)
    {
        auto *w = window().findChild<QListWidget *>(list);
        const auto found = w->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << list;
        QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, w->visualItemRect(found.first()).center());
    }
    // Presses Ouvrir; the rows of the view, or -1 when it did not open.
    int open()
    {
        window().findChild<QPushButton *>("CmdOuvrir")->click();
        if (!grid.isLoaded())
            return -1;
        const int rows = static_cast<FRMGRID *>(grid.get())->Data1.recordset()->RecordCount();
        grid.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return rows;
    }

    QTemporaryDir tmp;
    const QString folder = QDir::cleanPath(tmp.path());
    SelectionState selection;
    ScriptedDialogs dialogs;
    FormSlot carnelis, chooser, grid;
    AppContext ctx{selection, dialogs, carnelis, chooser, grid};
};

TEST_F(ChooserToGrid, EveryConditionGivesItsRows)
{
    for (const Filter &f : filters) {
        SCOPED_TRACE(::testing::Message()
                     << "column " << f.column << " condition " << f.condition << " cote " << f.cote);
        click(QStringLiteral("Option1_%1").arg(f.column));
        if (f.condition >= 0) {
            if (f.condition != 4 && f.condition != 5)
                dialogs.answerInput(f.typed);
            click(QStringLiteral("Option2_%1").arg(f.condition));
        }
        if (f.cote >= 0) {
            if (f.cote != 3)
                dialogs.answerInput(f.coteTyped);
            click(QStringLiteral("Option3_%1").arg(f.cote));
        }
        EXPECT_EQ(open(), f.rows) << selection.CritereTri.toStdString();
    }
    EXPECT_TRUE(dialogs.boxes().empty());
    EXPECT_EQ(dialogs.unusedAnswers(), 0);
}

// A French collector: letters where a number is needed get a box naming them, the table
// stays chosen and the corrected criterion opens; the COTE prompt asks again for a number;
// a piece of the value as the grid shows it finds its row.
TEST_F(ChooserToGrid, FrenchNumbersAndACriterionCorrectedAfterItsBox)
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    click("Option1_5");
    dialogs.answerInput("douze");
    click("Option2_0");
    dialogs.answerMsgBox(vb::OK);
    EXPECT_EQ(open(), -1);
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_TRUE(dialogs.boxes()[0].prompt.startsWith(QStringLiteral("Le critère « DOUZE » n'est pas un nombre")));
    EXPECT_EQ(selection.NomTable, "TIMBRES");
    EXPECT_EQ(window().findChild<QListWidget *>("List1")->count(), 1);

    dialogs.answerInput("12,5");
    click("Option2_0");
    dialogs.answerInput("abc");
    dialogs.answerInput("1,5");
    click("Option3_1");
    EXPECT_EQ(open(), 1);
    EXPECT_TRUE(selection.ResumeCriteres.endsWith(QStringLiteral(" Et Cote  > 1,50")));

    dialogs.answerInput(",50");
    click("Option2_9");
    dialogs.answerInput("");
    click("Option3_2");
    EXPECT_TRUE(selection.OperateurCote.isEmpty());
    EXPECT_EQ(open(), 1);
    EXPECT_EQ(dialogs.unusedAnswers(), 0);
}

// Open while the view is open: the view closes by its own steps, its save question
// included, and opens again on the new request, so that its rows match its summary.
TEST_F(ChooserToGrid, OpenWhileTheViewIsOpenOpensItAnew)
{
    auto openKept = [&] {
        window().findChild<QPushButton *>("CmdOuvrir")->click();
        return grid.isLoaded() ? static_cast<FRMGRID *>(grid.get()) : nullptr;
    };
    FRMGRID *first = openKept();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Data1.recordset()->RecordCount(), 4);

    click("Option1_2");
    dialogs.answerInput("lion");
    click("Option2_6");
    FRMGRID *second = openKept();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(second->Data1.recordset()->RecordCount(), 2);
    EXPECT_EQ(second->Label1->text(), QLatin1Char(' ') + selection.ResumeCriteres + QStringLiteral(" - Lignes:  2"));
    EXPECT_TRUE(dialogs.boxes().empty());

    // A row being typed: the question first; Yes keeps it, and the view opens again.
    second->DBGrid1->table()->setCurrentIndex(second->DBGrid1->model()->index(0, 1));
    second->DBGrid1->model()->setData(second->DBGrid1->model()->index(0, 1), QStringLiteral("LION BLANC"));
    dialogs.answerMsgBox(vb::Yes);
    FRMGRID *third = openKept();
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(dialogs.boxes()[0].title, QStringLiteral(" Sauvegarde d'une Ligne."));
    ASSERT_NE(third, nullptr);
    EXPECT_NE(third, second);
    EXPECT_EQ(third->DBGrid1->model()->index(0, 1).data().toString(), QStringLiteral("LION BLANC"));
}

} // namespace
