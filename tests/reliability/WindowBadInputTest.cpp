// Nasty criteria typed into the real chooser and opened in the real table view: the view
// shows its rows, or the chooser names the criterion it cannot use and keeps the table
// chosen, or the view beeps, shows its one load message and unloads; the program goes on
// to the next request and the file is never changed. A text slipped into COTE shows as it
// is in the grid.
#include "Collection.h"
#include "CollectionFile.h"
#include "CriteriaCheck.h"
#include "DataGrid.h"
#include "FRMGRID.h"
#include "FolderList.h"
#include "FrmUnite.h"
#include "Recherche.h"
#include "RecordsetModel.h"
#include "ScriptedDialogs.h"
#include "SelectionState.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace carnelis;

namespace {

TEST(WindowBadInput, EveryNastyCriterionOpensItsRowsOrIsRefusedWithOneMessage)
{
    QTemporaryDir tmp;
    const QString folder = QDir::cleanPath(tmp.path());
    const QString path = folder + "/COLLECTION.MDB";
    {
        CollectionFile file(path);
        file.createTable("TIMBRES");
        file.appendRows("TIMBRES", {{"1", "L'ÉCU", "ROUGE", "NEUF", 5.0, Value()},
                                    {"2", "; DROP TABLE TIMBRES --", Value(), Value(), 12.5, "%*\""},
                                    {"3", "[X]", "BLEU", Value(), Value(), Value()}});
    }
    {
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
        sqlite3_exec(db, "INSERT INTO TIMBRES (NUMERO, DESIGNATION, COTE) VALUES ('4', 'DOUZE', 'douze')", nullptr,
                     nullptr, nullptr);
        sqlite3_close(db);
    }
    const QByteArray before = test::digestOf(path);

    SelectionState selection;
    ScriptedDialogs dialogs;
    FormSlot carnelis, chooser, grid;
    AppContext ctx{selection, dialogs, carnelis, chooser, grid};
    chooser.setFactory([&] { return std::make_unique<FrmUnite>(ctx); });
    grid.setFactory([&] { return std::make_unique<FRMGRID>(ctx); });
    // The chooser as the user finds it: shown again (loaded afresh if the view's failure
    // unloaded it), the file and the table clicked.
    auto window = [&]() -> FrmUnite & {
        return static_cast<FrmUnite &>(chooser.isLoaded() ? *chooser.get() : chooser.Show());
    };
    auto click = [&](const QString &name) { QTest::mouseClick(window().findChild<QWidget *>(name), Qt::LeftButton); };
    auto clickEntry = [&](const char *list, const QString &text) {
        auto *w = window().findChild<QListWidget *>(list);
        const auto found = w->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << list;
        QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, w->visualItemRect(found.first()).center());
    };
    auto chooseTable = [&] {
        window().findChild<FolderList *>("Dir1")->setPath(folder);
        clickEntry("File1", "COLLECTION.MDB");
        clickEntry("List1", "TIMBRES");
    };
    auto choice = [&](int16_t column, int condition, const QString &typed) {
        SelectionState s;
        s.NomTable = "TIMBRES";
        s.ColonneTri = column;
        s.ConditionTri = conditionCaption(Condition(condition));
        s.CritereTri = asksValue(Condition(condition)) ? typed.toUpper() : QStringLiteral(" ");
        return s;
    };
    // What the engine alone says of the same choice: the row count, or -1 when it refuses.
    auto engineCount = [&](const SelectionState &s, int16_t column) {
        try {
            QString sql;
            Recherche(s, columnNameFor(column), sql);
            return DBEngine::OpenDatabase(path)->OpenRecordset(sql)->RecordCount();
        } catch (const RuntimeError &) {
            return -1;
        }
    };

    const QStringList typed = {"'",    "l'écu", "; drop table timbres --", "[x]",
                               "%*\"", "')",    QString(255, u'\''),       QString(300, u'x')};
    int loaded = 0, corrected = 0, refused = 0;
    for (const int16_t column : {int16_t(2), int16_t(1), int16_t(5)})
        for (int condition = 0; condition < int(conditions.size()); ++condition)
            for (const QString &t : typed) {
                if (!asksValue(Condition(condition)) && t != typed.first())
                    continue; // the emptiness tests ask for nothing
                SCOPED_TRACE(::testing::Message() << "column " << column << " condition " << condition << " «"
                                                  << t.left(40).toStdString() << "»");
                const SelectionState s = choice(column, condition, t);
                const std::optional<Refusal> criterionBox = criteriaRefusal(s);
                const int expected = criterionBox ? -1 : engineCount(s, column);
                chooseTable();
                click(QStringLiteral("Option1_%1").arg(column));
                if (asksValue(Condition(condition)))
                    dialogs.answerInput(t);
                click(QStringLiteral("Option2_%1").arg(condition));
                dialogs.clearTranscript();
                if (expected < 0)
                    dialogs.answerMsgBox(vb::OK);
                window().findChild<QPushButton *>("CmdOuvrir")->click();
                const auto boxes = dialogs.boxes();
                if (criterionBox) {
                    ++corrected;
                    EXPECT_FALSE(grid.isLoaded());
                    ASSERT_EQ(boxes.size(), 1u);
                    EXPECT_EQ(boxes[0].prompt, criterionBox->prompt);
                    EXPECT_EQ(selection.NomTable, "TIMBRES");
                } else if (expected >= 0) {
                    ++loaded;
                    ASSERT_TRUE(grid.isLoaded());
                    auto *view = static_cast<FRMGRID *>(grid.get());
                    EXPECT_EQ(view->Data1.recordset()->RecordCount(), expected);
                    view->grab(); // every visible cell painted
                    grid.Unload();
                } else {
                    ++refused;
                    EXPECT_FALSE(grid.isLoaded());
                    ASSERT_EQ(boxes.size(), 1u);
                    EXPECT_TRUE(boxes[0].prompt.startsWith(" La stucture de la Table TIMBRES"))
                        << boxes[0].prompt.toStdString();
                    EXPECT_TRUE(selection.NomTable.isEmpty());
                }
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                ASSERT_EQ(dialogs.unusedAnswers(), 0);
            }
    EXPECT_GT(loaded, 0);
    EXPECT_GT(corrected, 0);

    // Every row, the one with a text in COTE too, in the grid as the file holds it.
    chooseTable();
    click("Option1_0");
    window().findChild<QPushButton *>("CmdOuvrir")->click();
    ASSERT_TRUE(grid.isLoaded());
    auto *view = static_cast<FRMGRID *>(grid.get());
    view->grab();
    RecordsetModel &model = *view->DBGrid1->model();
    QStringList cote;
    for (int r = 0; r < 4; ++r)
        cote << model.index(r, 4).data().toString();
    EXPECT_EQ(cote, QStringList({"5.00", "12.50", "", "douze"}));
    grid.Unload();
    chooser.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(test::digestOf(path), before);
}

} // namespace
