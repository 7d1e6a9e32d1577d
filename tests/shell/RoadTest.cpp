// The whole road a collector takes: the main window, the database entry, the chooser,
// a file, a table, a column, a condition with its word, a comparison of COTE with a
// number, Open, the grid with its rows and its summary, Escape, and back in the chooser
// with every choice still there.
#include "DataGrid.h"
#include "FRMGRID.h"
#include "GridDelegate.h"
#include "RecordsetModel.h"
#include "SampleCollection.h"
#include "TestFiles.h"
#include "WindowDriver.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace carnelis;

namespace {

struct RoadTest : ::testing::TestWithParam<std::pair<bool, int>>, test::WindowDriver {
    RoadTest()
    {
        // The chooser opens on the folder the program was started from.
        QDir::setCurrent(folder());
        writeSampleCollection(path);
        realWindows();
    }
    ~RoadTest() override
    {
        QDir::setCurrent(previousFolder);
        EXPECT_EQ(dialogs.unusedAnswers(), 0);
    }
    QString previousFolder = QDir::currentPath();
    QString path = dir.filePath("COLLECTION.MDB");
};

// Main window, database entry, the file, TIMBRES, " DÉSIGNATION", "Contient" MARIANNE,
// "  >  que" 5, Open, the grid with its rows and its summary, Escape in the view and back
// in the chooser with every choice still there. Then Escape or Quitter in the main window
// over a view where a row is being typed: the view's save question comes first, then the
// program ends; Yes keeps the row, No drops it.
TEST_P(RoadTest, FromTheMainWindowToTheGridAndBackThenAPendingRowIsOfferedForSavingBeforeTheEnd)
{
    const auto [escape, answer] = GetParam();
    carnelis.Show();
    find<QAction>(carnelis, "Base")->trigger();
    clickEntry(find<QListWidget>(chooser, "File1"), "COLLECTION.MDB");
    clickEntry(find<QListWidget>(chooser, "List1"), "TIMBRES");
    criteria(2, 6, "marianne");
    option(3, 1, "5");
    FRMGRID *view = open();
    ASSERT_NE(view, nullptr);
    const int count = view->Data1.recordset()->RecordCount();
    EXPECT_EQ(view->Label1->text(),
              "  DÉSIGNATION CONTIENT MARIANNE Et Cote  > 5.00 - Lignes:  " + QString::number(count));
    QStringList numbers;
    for (int row = 0; row < count; ++row)
        numbers << view->DBGrid1->model()->index(row, 0).data().toString();
    EXPECT_EQ(numbers,
              test::quotedValues(path,
                                 "SELECT NUMERO FROM TIMBRES WHERE instr(upper(DESIGNATION), 'MARIANNE') > 0 AND "
                                 "COTE > 5 ORDER BY CAST(NUMERO AS INTEGER)",
                                 false));
    ASSERT_GT(numbers.size(), 3) << "the sample has no stamp to find";
    EXPECT_TRUE(dialogs.boxes().empty());

    QWidget *focus = QApplication::focusWidget();
    QTest::keyClick(focus && focus->window() == view ? focus : view->DBGrid1->table(), Qt::Key_Escape);
    flushDeletes();
    EXPECT_TRUE(!grid.isLoaded() && chooser.get()->widget()->isVisible() && carnelis.get()->widget()->isVisible());
    EXPECT_EQ(std::tuple(find<QListWidget>(chooser, "List1")->count(),
                         find<QListWidget>(chooser, "File1")->currentItem()->text(), selection.CritereTri,
                         selection.ValeurCote),
              std::tuple(4, QString("COLLECTION.MDB"), QString("MARIANNE"), 5.0f));
    for (const char *option : {"Option1_2", "Option2_6", "Option3_1"})
        EXPECT_TRUE(find<QRadioButton>(chooser, option)->isChecked()) << option;

    view = open();
    ASSERT_NE(view, nullptr);
    GridTable *table = view->DBGrid1->table();
    const QModelIndex cell = view->DBGrid1->model()->index(0, 1);
    table->setCurrentIndex(cell);
    table->edit(cell);
    auto *editor = qobject_cast<QLineEdit *>(table->gridDelegate()->openEditor());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "CHANGÉ");
    const QString designation = "SELECT DESIGNATION FROM TIMBRES WHERE NUMERO = '" + numbers.front() + "'";
    const QStringList before = test::quotedValues(path, designation, false);
    dialogs.clearTranscript();
    dialogs.answerMsgBox(answer);

    if (escape)
        QTest::keyClick(carnelis.get()->widget(), Qt::Key_Escape);
    else
        find<QAction>(carnelis, "Quitter")->trigger();
    EXPECT_EQ(dialogs.boxes().size(), 1u);
    for (FormSlot *slot : {&carnelis, &chooser, &grid})
        EXPECT_FALSE(slot->isLoaded() && slot->get()->widget()->isVisible());
    EXPECT_EQ(test::quotedValues(path, designation, false), answer == vb::Yes ? QStringList{"CHANGÉ"} : before);
}

INSTANTIATE_TEST_SUITE_P(Ways, RoadTest,
                         ::testing::Values(std::pair{true, vb::Yes}, std::pair{true, vb::No}, std::pair{false, vb::Yes},
                                           std::pair{false, vb::No}),
                         [](const auto &info) { return "way" + std::to_string(info.index); });

} // namespace
