#include "FrmUnite.h"
#include "Collections.h"
#include "DataGrid.h"
#include "DriveList.h"
#include "FRMGRID.h"
#include "FileList.h"
#include "FolderList.h"
#include "RecordsetModel.h"
#include "WindowDriver.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cerrno>

using namespace carnelis;

namespace {

struct FrmUniteTest : ::testing::Test, test::WindowDriver {
    QString folder = WindowDriver::folder();

    FrmUniteTest()
    {
        test::writeCollection(folder + "/C.MDB", "Timbres",
                              {test::row("1", "Lion rouge", "5c rouge", "neuf", 5.0, "rare"),
                               test::row("2", "Aigle noir", "10c noir", "oblitéré", 12.5),
                               test::row("10", {}, "1f bleu", "neuf", 150.0, ""),
                               test::row("100", "Lion d'or", "2f or", "", 0.0, "à vérifier")});
        realWindows();
    }
    template <typename W = QWidget>
    W *control(const QString &name)
    {
        chooserWindow();
        return find<W>(chooser, name);
    }
    QRadioButton *radio(int group, int index)
    {
        return control<QRadioButton>(QString("Option%1_%2").arg(group).arg(index));
    }
    QStringList entries(const QString &list) { return texts(control<QListWidget>(list)); }
    QString help() { return control<QLabel>("LabAide")->text(); }
    FolderList *dirs() { return control<FolderList>("Dir1"); }
    bool enabled(const char *name) { return control(name)->isEnabled(); }
    void damaged()
    {
        QFile file(folder + "/ABIME.MDB");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("pas une base de données").repeated(80));
    }
    // The rows of the view Ouvrir opened, which is closed again; -1 when none opened.
    int rowsOpened()
    {
        FRMGRID *view = open();
        const int rows = view ? view->Data1.recordset()->RecordCount() : -1;
        grid.Unload();
        flushDeletes();
        return rows;
    }
    // A double click comes after the press of its first click.
    void doubleClickFolder(const QString &text)
    {
        const QPoint at = dirs()->visualItemRect(dirs()->findItems(text, Qt::MatchExactly).value(0)).center();
        QTest::mousePress(dirs()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(dirs()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(dirs()->viewport(), Qt::LeftButton, {}, at);
    }
    auto criteriaShown() { return std::tuple(selection.NomTable, selection.ColonneTri, selection.CritereTri, help()); }
};

const auto allRows = std::tuple(QString("TIMBRES"), std::optional<int16_t>(0), QString(), QString(" TOUT"));

TEST_F(FrmUniteTest, FileClickListsUserTablesUpperCasedOnceAndATableClickResetsTheCriteria)
{
    for (const char *table : {"Timbres", "monnaies"})
        test::writeCollection(folder + "/Collection.mdb", table, {});
    ASSERT_TRUE(QFile(folder + "/notes.txt").open(QIODevice::WriteOnly));
    dirs()->setPath(folder);
    EXPECT_EQ(entries("File1"), (QStringList{"C.MDB", "Collection.mdb"}));
    pick("Collection.mdb", {});
    clickEntry(control<QListWidget>("File1"), "Collection.mdb"); // a second click lists nothing twice
    EXPECT_EQ(entries("List1") << help(), (QStringList{"MONNAIES", "TIMBRES", "  " + folder + "/Collection.mdb"}));
    EXPECT_FALSE(enabled("CmdOuvrir"));

    pick("Collection.mdb", "TIMBRES");
    criteria(2, 6, "lion");
    clickEntry(control<QListWidget>("List1"), "TIMBRES");
    EXPECT_EQ(criteriaShown(), allRows);
    EXPECT_TRUE(radio(1, 0)->isChecked() && !radio(1, 2)->isChecked() && !radio(2, 6)->isChecked());
    EXPECT_FALSE(enabled("Frame4") || enabled("Frame5"));

    // Another folder empties the lists but keeps the table and the buttons.
    ASSERT_TRUE(QDir(folder).mkdir("autre"));
    dirs()->setPath(folder + "/autre");
    EXPECT_EQ(entries("List1") + entries("File1") << selection.NomTable << help(),
              (QStringList{"TIMBRES", "  " + folder + "/autre"}));
    EXPECT_TRUE(enabled("CmdOuvrir") && enabled("Command1") && dialogs.boxes().empty());
}

TEST_F(FrmUniteTest, AFileNamedAtStartIsClickedInItsFolderOrGetsTheUnreadableBox)
{
    ASSERT_TRUE(QDir(folder).mkdir("sous"));
    test::writeCollection(folder + "/sous/Collection.MDB", "Timbres", {});
    damaged();
    chooserWindow().chooseFile(folder + "/sous/../sous/Collection.MDB");
    EXPECT_EQ(QStringList({dirs()->Path(), control<FileList>("File1")->FileName(), help(), selection.NomFichierMdb}) +
                  entries("List1"),
              QStringList({folder + "/sous", "Collection.MDB", "  " + folder + "/sous/Collection.MDB", "Collection.MDB",
                           "TIMBRES"}));
    EXPECT_EQ(dialogs.transcript().size(), 1u); // the pointer placed
    for (const char *name : {"/ABIME.MDB", "/absent/COLLECTION.MDB"}) {
        chooser.Unload();
        dialogs.clearTranscript();
        dialogs.answerMsgBox(vb::OK);
        chooserWindow().chooseFile(folder + name);
        EXPECT_TRUE(entries("List1").isEmpty());
        ASSERT_EQ(dialogs.transcript().size(), 3u); // the pointer placed, the beep, the box
        EXPECT_EQ(dialogs.boxes()[0].title, " Fichier illisible.");
    }
    EXPECT_TRUE(dialogs.boxes()[0].prompt.contains("introuvable"));
}

// Open refuses in order: no file, no condition value, no table (after an unreadable
// file; a failed load of the view is in the bad input tests).
TEST_F(FrmUniteTest, OpenRefusesInOrderFileThenConditionThenTable)
{
    damaged();
    ASSERT_TRUE(QDir(folder).mkdir("vide"));
    pick("C.MDB", "TIMBRES");
    criteria(1, 0, ""); // the condition prompt cancelled
    dirs()->setPath(folder + "/vide");
    dialogs.clearTranscript();
    for (int box = 0; box < 4; ++box)
        dialogs.answerMsgBox(vb::OK);
    open(); // the folder change left no file selected, though a table is still chosen
    pick("C.MDB", {});
    open(); // file and table, but a column without condition value
    clickEntry(control<QListWidget>("File1"), "ABIME.MDB");
    EXPECT_TRUE(entries("List1").isEmpty());
    open(); // the unreadable file forgot the table
    QStringList titles;
    for (const DialogCall &box : dialogs.boxes())
        titles << box.title.value_or("") + QString::number(box.style);
    EXPECT_EQ(titles, (QStringList{" Aucun Fichier MDB sélectionné.16", " Erreur Second Critère de Tri.16",
                                   " Fichier illisible.16", " Aucune Table sélectionnée.16"}));
    EXPECT_EQ(dialogs.transcript().size(), 8u); // each box after its beep
    EXPECT_EQ(chooserWindow().panel().Niveau, 0);
}

// Numbers typed the French way, the summary in the user's locale, and each group of
// options reaching the query.
TEST_F(FrmUniteTest, OpenReadsTheOptionsAndFrenchNumbersAndComposesTheSummary)
{
    pick("C.MDB", "TIMBRES");
    EXPECT_EQ(rowsOpened(), 4);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    criteria(5, 0, "12,5");
    option(3, 1, "1,5");
    EXPECT_EQ(chooserWindow().focusWidget(), control("CmdOuvrir"));
    EXPECT_EQ(rowsOpened(), 1);
    EXPECT_EQ(selection.ResumeCriteres, " COTE EST ÉGAL À 12,5 Et Cote  > 1,50");
    option(2, 9, ",50");
    option(3, 2, ""); // the comparison cancelled
    EXPECT_EQ(rowsOpened(), 1);
    criteria(2, 6, "lion");
    option(3, 2, "10");
    EXPECT_EQ(rowsOpened(), 2);
    EXPECT_TRUE(dialogs.boxes().empty());
}

// Open while the view is open: the view closes by its own steps, its save question
// included, and opens again on the new request, so that its rows match its summary.
TEST_F(FrmUniteTest, OpenWhileTheViewIsOpenOpensItAnew)
{
    pick("C.MDB", "TIMBRES");
    FRMGRID *first = open();
    criteria(2, 6, "lion");
    FRMGRID *second = open();
    ASSERT_TRUE(first && second && second != first);
    EXPECT_EQ(second->Label1->text(), " " + selection.ResumeCriteres + " - Lignes:  2");
    RecordsetModel &model = *second->DBGrid1->model();
    second->DBGrid1->table()->setCurrentIndex(model.index(0, 1));
    model.setData(model.index(0, 1), "LION BLANC");
    dialogs.answerMsgBox(vb::Yes); // a row being typed: the question first; Yes keeps it
    FRMGRID *third = open();
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(dialogs.boxes()[0].title, " Sauvegarde d'une Ligne.");
    ASSERT_TRUE(third && third != second);
    EXPECT_EQ(third->DBGrid1->model()->index(0, 1).data().toString(), "LION BLANC");
}

TEST_F(FrmUniteTest, AFileAtTheRootIsOpenedWithOneSeparator)
{
    if (!QFileInfo(QStringLiteral("/")).isWritable())
        GTEST_SKIP() << "the root folder is not writable here";
    const QString name = QStringLiteral("CARNELIS-ESSAI-%1.MDB").arg(QCoreApplication::applicationPid());
    struct RemovedAtTheEnd {
        QString path;
        ~RemovedAtTheEnd() { QFile::remove(path); }
    } file{"/" + name};
    test::writeCollection(file.path, "TIMBRES", {});
    pick(name, {}, "/");
    EXPECT_EQ(help(), "  /" + name);
    clickEntry(control<QListWidget>("List1"), "TIMBRES");
    EXPECT_NE(open(), nullptr);
    EXPECT_EQ(QStringList({selection.RepertoireMdb, selection.databasePath()}), QStringList({"", "/" + name}));
}

// A drive not ready shows one box and moves to the third drive; a folder unreadable for
// another reason (a loop) is ignored.
TEST_F(FrmUniteTest, ADriveThatIsNotReadyShowsOneBoxAndMovesToTheThirdDrive)
{
    for (const char *sub : {"a", "b", "c"})
        ASSERT_TRUE(QDir(folder).mkdir(sub));
    ASSERT_TRUE(QFile::link(folder + "/boucle", folder + "/boucle"));
    const QString gone = folder + "/retiree", a = folder + "/a";
    const std::vector<DialogCall> box{
        DialogCall::beep(), DialogCall::msgBox("Unité non prête ou lecteur sans disquette.", 16, " Lecteur non prêt.")};
    // The drives, the one picked, the one the list ends on and the folder shown.
    const std::tuple<QStringList, int, int, QString> cases[] = {
        {{a, folder + "/b", folder + "/c", gone}, 3, 2, folder + "/c"},
        {{a, folder + "/b", gone}, 2, 2, a}, // the third one failed: no second box
        {{a, gone}, 1, 1, a},                // no third drive: the selection stays
        {{a, folder + "/boucle"}, 1, 1, a},  // no box at all
    };
    for (const auto &[list, picked, endsOn, shown] : cases) {
        auto *drives = control<DriveList>("Drive1");
        drives->setDrives(list);
        dirs()->setPath(a);
        dialogs.clearTranscript();
        if (list.contains(gone))
            dialogs.answerMsgBox(vb::OK);
        drives->setListIndex(picked);
        EXPECT_EQ(std::tuple(dialogs.transcript(), drives->ListIndex(), dirs()->Path()),
                  std::tuple(list.contains(gone) ? box : std::vector<DialogCall>{}, endsOn, shown));
    }

    // A folder gone since the list was read is refused when opened, and the list still
    // marks the folder whose files are shown.
    dirs()->setPath(folder);
    ASSERT_TRUE(QDir(folder).rmdir("a"));
    dialogs.answerMsgBox(vb::OK);
    doubleClickFolder("a");
    EXPECT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(dirs()->Path(), folder);
    EXPECT_EQ(dirs()->currentItem() ? dirs()->currentItem()->text() : QString(), folder.section('/', -1));
}

TEST(DriveListTest, OffersOnlyFoldersThatExistAndAreNotHiddenAndShowsTheLongestThatHoldsAFolder)
{
    QTemporaryDir tmp;
    const QString root = QDir::cleanPath(tmp.path());
    for (const char *sub : {"cle", ".cache", ".cache/cle"})
        ASSERT_TRUE(QDir(root).mkdir(sub));
    EXPECT_EQ(DriveList::usable({"/", root + "/cle", root + "/absente", root + "/.cache", root + "/.cache/cle"}),
              (QStringList{"/", root + "/cle"}));
    DriveList drives;
    drives.setDrives({root + "/cle", "/", root});
    drives.selectDriveOf(root + "/cle/x");
    EXPECT_EQ(drives.ListIndex(), 0);
    drives.selectDriveOf(root + "/autre");
    EXPECT_EQ(drives.ListIndex(), 2);
}

TEST(FolderError, SystemErrorsMapOntoTheDriveErrors)
{
    const std::pair<int, int> cases[] = {{ENOENT, 68},    {ENODEV, 68}, {EACCES, 70}, {EPERM, 70},
                                         {ENOMEDIUM, 71}, {EIO, 72},    {ELOOP, 76}};
    for (const auto &[errnoValue, number] : cases)
        EXPECT_EQ(folderError("/media/cle", errnoValue).number(), number) << errnoValue;
}

TEST_F(FrmUniteTest, FolderListShowsAncestorsAndSubfoldersAndOpensOnDoubleClick)
{
    for (const char *sub : {"Zeta/profond", "alpha", ".cache"})
        ASSERT_TRUE(QDir(folder).mkpath(sub));
    test::writeCollection(folder + "/alpha/petit.Mdb", "T", {});
    dirs()->setPath(folder);
    const QStringList parts = folder.split('/', Qt::SkipEmptyParts);
    EXPECT_EQ(entries("Dir1"), (QStringList{"/"} + parts + QStringList{"alpha", "Zeta", ".cache"}));
    EXPECT_EQ(dirs()->folderAt(1), "/" + parts.first());
    doubleClickFolder("alpha");
    EXPECT_EQ(QStringList({dirs()->Path(), help()}) + entries("File1"),
              QStringList({folder + "/alpha", "  " + folder + "/alpha", "petit.Mdb"}));
}

// Escape beeps and unloads; the frame and the quit entry unload silently. Refresh, and a
// new load, reset the criteria but keep the file.
TEST_F(FrmUniteTest, RefreshQuitAndReloadResetTheCriteriaButKeepTheFile)
{
    QTest::keyClick(control<QListWidget>("List1"), Qt::Key_Escape);
    EXPECT_EQ(dialogs.transcript(), (std::vector<DialogCall>{DialogCall::cursor(330, 140), DialogCall::beep()}));
    EXPECT_FALSE(chooser.isLoaded());
    chooserWindow().close();
    EXPECT_FALSE(chooser.isLoaded());

    pick("C.MDB", "TIMBRES");
    criteria(3, 0, "rouge");
    control<QPushButton>("Command1")->click();
    EXPECT_EQ(criteriaShown(), allRows);
    EXPECT_TRUE(selection.ConditionTri.isEmpty() && chooserWindow().panel().AideColonne.isEmpty());
    EXPECT_FALSE(enabled("Frame4"));

    criteria(3, 0, "rouge");
    dialogs.clearTranscript();
    control<QAction>("MnQuitter")->trigger();
    EXPECT_FALSE(chooser.isLoaded());
    chooserWindow();
    EXPECT_EQ(dialogs.transcript(), std::vector<DialogCall>{DialogCall::cursor(330, 140)});
    EXPECT_TRUE(selection.NomTable.isEmpty() && selection.CritereTri.isEmpty());
    EXPECT_EQ(selection.databasePath(), folder + "/C.MDB");
    EXPECT_TRUE(radio(1, 0)->isChecked() && !radio(1, 3)->isChecked());
}

// Each option group is one Tab stop and the arrow keys choose inside it; Enter presses
// the focused button.
TEST_F(FrmUniteTest, OptionGroupsAreRadioGroupsAndEnterPressesTheFocusedButton)
{
    pick("C.MDB", "TIMBRES");
    option(1, 2);
    chooserWindow().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&chooserWindow()));
    auto key = [](int k) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(k)); };
    radio(1, 2)->setFocus();
    key(Qt::Key_Down); // chooses the next column, as a click would
    EXPECT_EQ(QApplication::focusWidget(), radio(1, 3));
    EXPECT_EQ(selection.ColonneTri, std::optional<int16_t>(3));
    EXPECT_TRUE(radio(1, 3)->isChecked() && !radio(1, 2)->isChecked());
    key(Qt::Key_Tab);  // out of the column group, into the condition group
    key(Qt::Key_Down); // nothing chosen yet: the arrows move without choosing
    EXPECT_EQ(QApplication::focusWidget(), radio(2, 1));
    EXPECT_EQ(selection.ConditionTri, "");
    key(Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), radio(1, 3));

    control("CmdOuvrir")->setFocus();
    dialogs.answerMsgBox(vb::OK); // no condition value: the request refuses
    key(Qt::Key_Return);
    EXPECT_EQ(dialogs.boxes().back().title, " Erreur Second Critère de Tri.");
    control("Command1")->setFocus();
    key(Qt::Key_Enter);
    EXPECT_EQ(selection.ColonneTri, std::optional<int16_t>(0));
}

} // namespace
