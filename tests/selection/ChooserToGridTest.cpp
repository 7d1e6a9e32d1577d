// From the chooser to a filtered grid, through the real table view, for every condition.
#include "CollectionFile.h"
#include "DataGrid.h"
#include "FRMGRID.h"
#include "RecordsetModel.h"
#include "FileList.h"
#include "FolderList.h"
#include "FrmUnite.h"
#include "ScriptedDialogs.h"
#include "SelectionState.h"

#include <QDir>
#include <QLabel>
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
    {0, -1, "", -1, "", 4},
    {2, 0, "aigle noir", -1, "", 1},
    {2, 1, "l", -1, "", 2},
    {2, 2, "b", -1, "", 1},
    {2, 3, "aigle noir", -1, "", 3},
    {2, 4, "", -1, "", 1},
    {2, 5, "", -1, "", 3},
    {2, 6, "lion", -1, "", 2},
    {2, 6, "d'or", -1, "", 1},
    {2, 7, "lion", -1, "", 2},
    {2, 8, "ai", -1, "", 1},
    {2, 9, "or", -1, "", 1},
    {1, 1, "5", -1, "", 2},
    {5, 2, "13", 1, "1", 2},
    {2, 6, "lion", 2, "10", 2},
    {3, 6, "rouge", 3, "", 1},
};

TEST(ChooserToGrid, EveryConditionGivesItsRows)
{
    QTemporaryDir tmp;
    const QString folder = QDir::cleanPath(tmp.path());
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

    SelectionState selection;
    ScriptedDialogs dialogs;
    FormSlot carnelis, chooser, grid;
    AppContext ctx{selection, dialogs, carnelis, chooser, grid};
    chooser.setFactory([&] { return std::make_unique<FrmUnite>(ctx); });
    grid.setFactory([&] { return std::make_unique<FRMGRID>(ctx); });
    auto &window = static_cast<FrmUnite &>(chooser.Show());
    auto click = [&](const QString &name) { QTest::mouseClick(window.findChild<QWidget *>(name), Qt::LeftButton); };
    auto clickEntry = [&](const char *list, const QString &text) {
        auto *w = window.findChild<QListWidget *>(list);
        const auto found = w->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << list;
        QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, w->visualItemRect(found.first()).center());
    };

    window.findChild<FolderList *>("Dir1")->setPath(folder);
    clickEntry("File1", "COLLECTION.MDB");
    clickEntry("List1", "TIMBRES");
    for (const Filter &f : filters) {
        SCOPED_TRACE(::testing::Message() << "column " << f.column << " condition " << f.condition << " cote " << f.cote);
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
        window.findChild<QPushButton *>("CmdOuvrir")->click();
        ASSERT_TRUE(grid.isLoaded());
        auto *view = static_cast<FRMGRID *>(grid.get());
        ASSERT_NE(view->Data1.recordset(), nullptr);
        EXPECT_EQ(view->Data1.recordset()->RecordCount(), f.rows) << view->TexteRequete.toStdString();
        EXPECT_TRUE(view->Label1->text().startsWith(QLatin1Char(' ') + selection.ResumeCriteres));
        // The view stays open: the next Open closes it by its own steps and opens it anew.
    }
    EXPECT_TRUE(dialogs.boxes().empty());
    EXPECT_EQ(dialogs.unusedAnswers(), 0);

    // A row being typed when Open is pressed again: the view's save question comes first.
    auto *view = static_cast<FRMGRID *>(grid.get());
    view->DBGrid1->table()->setCurrentIndex(view->DBGrid1->model()->index(0, 1));
    view->DBGrid1->model()->setData(view->DBGrid1->model()->index(0, 1), QStringLiteral("LION BLANC"));
    dialogs.answerMsgBox(vb::Yes);
    window.findChild<QPushButton *>("CmdOuvrir")->click();
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(dialogs.boxes()[0].title, QStringLiteral(" Sauvegarde d'une Ligne."));
    ASSERT_TRUE(grid.isLoaded());
    EXPECT_NE(grid.get(), view);
    view = static_cast<FRMGRID *>(grid.get());
    EXPECT_EQ(view->DBGrid1->model()->index(0, 1).data().toString(), QStringLiteral("LION BLANC"));
    grid.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    chooser.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
