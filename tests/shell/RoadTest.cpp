// The whole road a collector takes: the main window, the database entry, the chooser,
// a file, a table, a column, a condition with its word, a comparison of COTE with a
// number, Open, the grid with its rows and its summary, Escape, and back in the chooser
// with every choice still there.
#include "CARNELIS.h"
#include "DataGrid.h"
#include "FRMGRID.h"
#include "FrmUnite.h"
#include "GridDelegate.h"
#include "RecordsetModel.h"
#include "SampleCollection.h"
#include "ScriptedDialogs.h"
#include "SelectionState.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace carnelis;

namespace {

// The first column of a query's rows, the file read without the program.
QStringList column(const QString &path, const QByteArray &query)
{
    QStringList values;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(db, query.constData(), -1, &statement, nullptr) == SQLITE_OK)
            while (sqlite3_step(statement) == SQLITE_ROW)
                values << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
        else
            ADD_FAILURE() << sqlite3_errmsg(db);
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return values;
}

// What the grid showed at the end of the road.
struct Arrival {
    QString caption;
    QString summary;
    QStringList numbers; // NUMERO of every row, in the grid's order
};

class RoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        previousFolder = QDir::currentPath();
        // The chooser opens on the folder the program was started from.
        QDir::setCurrent(folder.path());
        carnelisSlot.setFactory([this] { return std::make_unique<CARNELIS>(ctx); });
        chooserSlot.setFactory([this] { return std::make_unique<FrmUnite>(ctx); });
        gridSlot.setFactory([this] { return std::make_unique<FRMGRID>(ctx); });
    }
    void TearDown() override
    {
        gridSlot.Unload();
        chooserSlot.Unload();
        carnelisSlot.Unload();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QDir::setCurrent(previousFolder);
        EXPECT_EQ(dialogs.unusedAnswers(), 0);
    }

    template <typename T>
    T *in(FormSlot &slot, const QString &name)
    {
        EXPECT_TRUE(slot.isLoaded()) << name.toStdString();
        if (!slot.isLoaded())
            return nullptr;
        T *found = slot.get()->widget()->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    // A click on the entry of a list box that reads `entry`, as the user makes it.
    void clickEntry(QListWidget *list, const QString &entry)
    {
        const QList<QListWidgetItem *> items = list->findItems(entry, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << entry.toStdString();
        list->scrollToItem(items.front());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items.front()).center());
    }
    void click(QAbstractButton *button)
    {
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }

    // Main window, database entry, the file, `table`, " DÉSIGNATION", "Contient" MARIANNE,
    // "  >  que" 5, Open; what the grid shows; then Escape in the view, back in the chooser
    // with every choice as it was.
    Arrival walk(const QString &table, int tableCount)
    {
        Arrival arrival;
        carnelisSlot.Show();
        in<QAction>(carnelisSlot, QStringLiteral("Base"))->trigger();
        if (!chooserSlot.isLoaded() || !chooserSlot.get()->widget()->isVisible()) {
            ADD_FAILURE() << "the chooser did not open";
            return arrival;
        }
        auto *files = in<QListWidget>(chooserSlot, QStringLiteral("File1"));
        auto *tables = in<QListWidget>(chooserSlot, QStringLiteral("List1"));
        if (!files || !tables)
            return arrival;
        clickEntry(files, QStringLiteral("COLLECTION.MDB"));
        EXPECT_EQ(tables->count(), tableCount);
        clickEntry(tables, table);

        click(in<QRadioButton>(chooserSlot, QStringLiteral("Option1_2"))); // " DÉSIGNATION"
        dialogs.answerInput(QStringLiteral("marianne"));
        click(in<QRadioButton>(chooserSlot, QStringLiteral("Option2_6"))); // "Contient"
        dialogs.answerInput(QStringLiteral("5"));
        click(in<QRadioButton>(chooserSlot, QStringLiteral("Option3_1"))); // "  >  que"
        click(in<QPushButton>(chooserSlot, QStringLiteral("CmdOuvrir")));

        if (!gridSlot.isLoaded()) {
            ADD_FAILURE() << "the table view did not open";
            return arrival;
        }
        auto &view = dynamic_cast<FRMGRID &>(*gridSlot.get());
        EXPECT_TRUE(view.isVisible());
        arrival.caption = view.windowTitle();
        arrival.summary = view.Label1->text();
        const RecordsetModel *rows = view.DBGrid1->model();
        const int count = int(view.Data1.recordset()->RecordCount());
        for (int row = 0; row < count && row < rows->rowCount(); ++row)
            arrival.numbers << rows->data(rows->index(row, 0)).toString();
        EXPECT_TRUE(dialogs.boxes().empty());

        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus && focus->window() == &view ? focus : view.DBGrid1->table(), Qt::Key_Escape);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        EXPECT_FALSE(gridSlot.isLoaded());
        EXPECT_TRUE(chooserSlot.isLoaded() && chooserSlot.get()->widget()->isVisible());
        EXPECT_TRUE(carnelisSlot.get()->widget()->isVisible());
        EXPECT_EQ(tables->count(), tableCount);
        EXPECT_EQ(files->currentItem() ? files->currentItem()->text() : QString(), QStringLiteral("COLLECTION.MDB"));
        for (const char *option : {"Option1_2", "Option2_6", "Option3_1"})
            EXPECT_TRUE(in<QRadioButton>(chooserSlot, QLatin1String(option))->isChecked()) << option;
        EXPECT_EQ(selection.NomTable, table);
        EXPECT_EQ(selection.ColonneTri, std::optional<int16_t>(2));
        EXPECT_EQ(selection.ConditionTri, QStringLiteral("Contient"));
        EXPECT_EQ(selection.CritereTri, QStringLiteral("MARIANNE"));
        EXPECT_EQ(selection.OperateurCote, QStringLiteral(" > "));
        EXPECT_EQ(selection.ValeurCote, 5.0f);

        // The pointer went where each window puts it.
        std::vector<DialogCall> pointer;
        for (const DialogCall &call : dialogs.transcript())
            if (call.kind == DialogCall::Kind::SetCursorPos)
                pointer.push_back(call);
        EXPECT_EQ(pointer, (std::vector<DialogCall>{DialogCall::cursor(180, 118), DialogCall::cursor(330, 140),
                                                    DialogCall::cursor(740, 35)}));
        return arrival;
    }

    QTemporaryDir folder;
    QString previousFolder;
    ScriptedDialogs dialogs;
    SelectionState selection;
    FormSlot carnelisSlot, chooserSlot, gridSlot;
    AppContext ctx{selection, dialogs, carnelisSlot, chooserSlot, gridSlot};
};

TEST_F(RoadTest, FromTheMainWindowToTheGridAndBackToTheChooser)
{
    const QString path = folder.filePath(QStringLiteral("COLLECTION.MDB"));
    writeSampleCollection(path);
    // The numbers of the stamps whose designation names Marianne, whatever the case,
    // with a COTE above 5.
    const QStringList expected =
        column(path, "SELECT NUMERO FROM TIMBRES WHERE instr(upper(DESIGNATION), 'MARIANNE') > 0 "
                     "AND COTE > 5 ORDER BY CAST(NUMERO AS INTEGER)");
    ASSERT_GT(expected.size(), 3) << "the sample has no stamp to find";

    const Arrival arrival = walk(QStringLiteral("TIMBRES"), 4);
    EXPECT_EQ(arrival.caption, QStringLiteral(" Table Sélectionnée TIMBRES issue de COLLECTION.MDB"));
    EXPECT_EQ(arrival.summary, QStringLiteral("  DÉSIGNATION CONTIENT MARIANNE Et Cote  > 5.00 - Lignes:  ") +
                                   QString::number(expected.size()));
    EXPECT_EQ(arrival.numbers, expected);
}

// Escape or Quitter in the main window over a view where a row is being typed: the view's
// save question comes first, then the program ends; Yes keeps the row, No drops it.
struct Ending {
    const char *name;
    bool escape;
    int answer;
};

class MainWindowEndingTest : public RoadTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(MainWindowEndingTest, APendingRowIsOfferedForSavingBeforeTheEnd)
{
    const Ending e = GetParam();
    const QString path = folder.filePath(QStringLiteral("COLLECTION.MDB"));
    writeSampleCollection(path);
    const Arrival arrival = walk(QStringLiteral("TIMBRES"), 4);
    ASSERT_FALSE(arrival.numbers.isEmpty());
    click(in<QPushButton>(chooserSlot, QStringLiteral("CmdOuvrir")));
    ASSERT_TRUE(gridSlot.isLoaded());
    auto &view = dynamic_cast<FRMGRID &>(*gridSlot.get());
    GridTable *grid = view.DBGrid1->table();
    const QModelIndex cell = view.DBGrid1->model()->index(0, 1);
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    auto *editor = qobject_cast<QLineEdit *>(grid->gridDelegate()->openEditor());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("CHANGÉ"));
    ASSERT_EQ(view.LigneSauvee, 0);
    const QString designation =
        QStringLiteral("SELECT DESIGNATION FROM TIMBRES WHERE NUMERO = '%1'").arg(arrival.numbers.front());
    const QStringList before = column(path, designation.toUtf8());
    dialogs.clearTranscript();
    dialogs.answerMsgBox(e.answer);

    auto &mainWindow = dynamic_cast<CARNELIS &>(*carnelisSlot.get());
    if (e.escape)
        QTest::keyClick(&mainWindow, Qt::Key_Escape);
    else
        mainWindow.findChild<QAction *>(QStringLiteral("Quitter"))->trigger();

    EXPECT_EQ(dialogs.boxes().size(), 1u);
    for (FormSlot *slot : {&carnelisSlot, &chooserSlot, &gridSlot})
        EXPECT_FALSE(slot->isLoaded() && slot->get()->widget()->isVisible());
    EXPECT_EQ(column(path, designation.toUtf8()), e.answer == vb::Yes ? QStringList{"CHANGÉ"} : before);
}

INSTANTIATE_TEST_SUITE_P(Ways, MainWindowEndingTest,
                         ::testing::Values(Ending{"echap_oui", true, vb::Yes}, Ending{"echap_non", true, vb::No},
                                           Ending{"quitter_oui", false, vb::Yes}, Ending{"quitter_non", false, vb::No}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
