// Nasty criteria typed into the real chooser and opened in the real table view: the view
// shows its rows, or the chooser names the criterion it cannot use and keeps the table
// chosen, or the view shows its one load message and unloads; the program goes on to the
// next request and the file is never changed. A text slipped into COTE shows as it is.
#include "Collections.h"
#include "DataGrid.h"
#include "FRMGRID.h"
#include "RecordsetModel.h"
#include "TestFiles.h"
#include "WindowDriver.h"

#include <QListWidget>
#include <gtest/gtest.h>

using namespace carnelis;

namespace {

TEST(WindowBadInput, NastyCriteriaOpenTheirRowsOrAreRefusedWithOneMessage)
{
    test::WindowDriver w;
    const QString path = test::writeCollection(w.folder() + "/COLLECTION.MDB", "TIMBRES",
                                               {test::row("1", "L'ÉCU", "ROUGE", "NEUF", 5.0),
                                                test::row("2", "; DROP TABLE TIMBRES --", {}, {}, 12.5, "%*\""),
                                                test::row("3", "[X]", "BLEU")});
    test::rawSql(path, "INSERT INTO TIMBRES (NUMERO, DESIGNATION, COTE) VALUES ('4', 'DOUZE', 'douze')");
    const QByteArray before = test::digestOf(path);
    w.realWindows();
    // rows: -1 refused by the chooser, the table kept; -2 by the view, which drops the table
    // from the choice and the list. refusal: the start of the one box.
    const struct {
        int column, condition;
        QString typed;
        int rows;
        const char *refusal;
    } cases[] = {
        {2, 0, "l'écu", 1, nullptr},
        {2, 6, "; drop table timbres --", 1, nullptr},
        {2, 6, "[x]", 1, nullptr},
        {6, 6, "%*\"", 1, nullptr},
        {2, 8, "'", 0, nullptr},
        {2, 6, QString(255, u'\''), 0, nullptr},
        {5, 0, "12,5", -2, " La stucture de la Table TIMBRES"}, // a number against the text in COTE
        {1, 1, "')", -1, "Le critère « ') » n'est pas un nombre"},
        {2, 6, QString(300, u'x'), -1, "Le critère « XXX"},
        {0, 0, {}, 4, nullptr}, // every row, the text in COTE too
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed.left(30).toStdString());
        w.pick("COLLECTION.MDB", "TIMBRES");
        if (c.column)
            w.criteria(c.column, c.condition, c.typed);
        w.dialogs.clearTranscript();
        if (c.refusal)
            w.dialogs.answerMsgBox(vb::OK);
        FRMGRID *view = w.open();
        const bool dropped =
            w.selection.NomTable.isEmpty() && w.texts(w.find<QListWidget>(w.chooser, "List1")).isEmpty();
        EXPECT_EQ(view ? view->Data1.recordset()->RecordCount() : dropped ? -2 : -1, c.rows);
        const auto boxes = w.dialogs.boxes();
        ASSERT_EQ(boxes.size(), c.refusal ? 1u : 0u);
        if (c.refusal) {
            EXPECT_TRUE(boxes[0].prompt.startsWith(c.refusal)) << boxes[0].prompt.toStdString();
        }
        if (view)
            view->grab(); // every visible cell painted
        if (view && !c.column) {
            EXPECT_EQ(view->DBGrid1->model()->index(3, 4).data().toString(), "douze");
        }
        w.grid.Unload();
        w.flushDeletes();
        ASSERT_EQ(w.dialogs.unusedAnswers(), 0);
    }
    w.chooser.Unload();
    w.flushDeletes();
    EXPECT_EQ(test::digestOf(path), before);
}

} // namespace
