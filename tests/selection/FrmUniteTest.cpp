#include "FrmUnite.h"
#include "ClickList.h"
#include "CollectionFile.h"
#include "DriveList.h"
#include "FileList.h"
#include "FolderList.h"
#include "RuntimeError.h"
#include "WindowDriver.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cerrno>

using namespace carnelis;

namespace {

// Stands for the table view: its load succeeds, or fails the way the real one does
// (clears the table and the criterion, then unloads itself).
class ViewWindow : public QWidget, public Form {
public:
    ViewWindow(AppContext &ctx, bool fails, int &loads) : ctx_(ctx), fails_(fails), loads_(loads) {}
    QWidget *widget() override { return this; }
    void Form_Load() override
    {
        ++loads_;
        if (fails_) {
            ctx_.selection.NomTable.clear();
            ctx_.selection.CritereTri.clear();
            ctx_.grid.Unload();
        }
    }

protected:
    // Closed by its frame, it unloads itself, as the real view does after its closing steps.
    void closeEvent(QCloseEvent *) override { ctx_.grid.Unload(); }

private:
    AppContext &ctx_;
    bool fails_;
    int &loads_;
};

void makeCollection(const QString &path, const QStringList &tables)
{
    CollectionFile file(path);
    for (const QString &table : tables)
        file.createTable(table);
}

void writeText(const QString &path, const QByteArray &content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

const QByteArray damaged = QByteArray("ceci n'est pas une base de données").repeated(50);

struct FrmUniteTest : ::testing::Test, test::WindowDriver {
    QString folder = WindowDriver::folder();
    int viewLoads = 0;
    bool viewFails = false;

    FrmUniteTest()
    {
        realWindows();
        grid.setFactory([this] { return std::make_unique<ViewWindow>(ctx, viewFails, viewLoads); });
    }
    template <typename W = QWidget>
    W *control(const QString &name)
    {
        chooserWindow();
        return find<W>(chooser, name);
    }
    QRadioButton *radio(int group, int index)
    {
        return control<QRadioButton>(QStringLiteral("Option%1_%2").arg(group).arg(index));
    }
    QStringList entries(const QString &list)
    {
        QStringList texts;
        auto *w = control<QListWidget>(list);
        for (int i = 0; i < w->count(); ++i)
            texts << w->item(i)->text();
        return texts;
    }
    QString help() { return control<QLabel>("LabAide")->text(); }
    void openFolder(const QString &path) { control<FolderList>("Dir1")->setPath(path); }
    void clickFile(const QString &name) { clickEntry(control<QListWidget>("File1"), name); }
    void clickTable(const QString &name) { clickEntry(control<QListWidget>("List1"), name); }
    bool enabled(const char *name) { return control(name)->isEnabled(); }
    // A double click comes after the press of its first click.
    void doubleClickFolder(const QString &text)
    {
        auto *dirs = control<FolderList>("Dir1");
        const auto found = dirs->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        const QPoint at = dirs->visualItemRect(found.first()).center();
        QTest::mousePress(dirs->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(dirs->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, {}, at);
    }
};

TEST_F(FrmUniteTest, FileClickListsUserTablesUpperCasedOnceAndATableClickResetsTheCriteria)
{
    makeCollection(folder + "/Collection.mdb", {"Timbres", "monnaies"});
    writeText(folder + "/notes.txt", "pas une base");
    openFolder(folder);
    EXPECT_EQ(entries("File1"), QStringList{"Collection.mdb"});
    EXPECT_EQ(help(), "  " + folder);

    clickFile("Collection.mdb");
    clickFile("Collection.mdb");
    EXPECT_EQ(entries("List1"), (QStringList{"MONNAIES", "TIMBRES"}));
    EXPECT_EQ(selection.databasePath(), folder + "/Collection.mdb");
    EXPECT_EQ(help(), "  " + folder + "/Collection.mdb");
    EXPECT_FALSE(enabled("CmdOuvrir"));

    clickTable("TIMBRES");
    option(1, 2);
    option(2, 6, "lion");
    EXPECT_TRUE(enabled("Frame5"));
    clickTable("TIMBRES");
    EXPECT_EQ(selection.NomTable, "TIMBRES");
    EXPECT_EQ(selection.ColonneTri, int16_t(0));
    EXPECT_TRUE(selection.CritereTri.isEmpty());
    EXPECT_TRUE(radio(1, 0)->isChecked() && !radio(1, 2)->isChecked() && !radio(2, 6)->isChecked());
    EXPECT_FALSE(enabled("Frame4") || enabled("Frame5"));
    EXPECT_EQ(help(), " TOUT");
    EXPECT_TRUE(enabled("CmdOuvrir") && enabled("Command1"));

    // Another folder empties the lists but keeps the table and the buttons.
    ASSERT_TRUE(QDir(folder).mkdir("autre"));
    openFolder(folder + "/autre");
    EXPECT_TRUE(entries("List1").isEmpty() && entries("File1").isEmpty());
    EXPECT_EQ(selection.NomTable, "TIMBRES");
    EXPECT_TRUE(enabled("CmdOuvrir") && enabled("Command1"));
    EXPECT_EQ(help(), "  " + folder + "/autre");
    EXPECT_TRUE(dialogs.boxes().empty());
}

TEST_F(FrmUniteTest, AFileNamedAtStartIsClickedInItsFolderOrGetsTheUnreadableBox)
{
    ASSERT_TRUE(QDir(folder).mkdir("sous"));
    makeCollection(folder + "/sous/Collection.MDB", {"Timbres"});
    writeText(folder + "/ABIME.MDB", damaged);
    const struct {
        QString path;
        QStringList tables;
        const char *text; // of the box; none when null
    } cases[] = {
        {folder + "/sous/../sous/Collection.MDB", {"TIMBRES"}, nullptr},
        {folder + "/ABIME.MDB", {}, ""},
        {folder + "/absent/COLLECTION.MDB", {}, "introuvable"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        chooser.Unload();
        FrmUnite &window = chooserWindow();
        dialogs.clearTranscript();
        if (c.text)
            dialogs.answerMsgBox(vb::OK);
        window.chooseFile(c.path);
        EXPECT_EQ(entries("List1"), c.tables);
        if (!c.text) {
            EXPECT_TRUE(dialogs.boxes().empty());
            EXPECT_EQ(control<FolderList>("Dir1")->Path(), folder + "/sous");
            EXPECT_EQ(control<FileList>("File1")->FileName(), "Collection.MDB");
            EXPECT_EQ(help(), "  " + folder + "/sous/Collection.MDB");
            EXPECT_EQ(selection.NomFichierMdb, "Collection.MDB");
            continue;
        }
        ASSERT_EQ(dialogs.transcript().size(), 2u);
        EXPECT_EQ(dialogs.transcript()[0], DialogCall::beep());
        EXPECT_EQ(dialogs.transcript()[1].title, " Fichier illisible.");
        EXPECT_TRUE(dialogs.transcript()[1].prompt.contains(QString::fromUtf8(c.text)));
        EXPECT_TRUE(chooser.isLoaded());
    }
}

TEST_F(FrmUniteTest, AFileTheEngineCannotOpenShowsItsBoxAndForgetsTheTable)
{
    makeCollection(folder + "/BON.MDB", {"TIMBRES"});
    writeText(folder + "/ABIME.MDB", damaged);
    pick("BON.MDB", "TIMBRES");
    dialogs.clearTranscript();
    dialogs.answerMsgBox(vb::OK);
    clickFile("ABIME.MDB");
    ASSERT_EQ(dialogs.transcript().size(), 2u);
    EXPECT_EQ(dialogs.transcript()[0], DialogCall::beep());
    EXPECT_EQ(dialogs.transcript()[1].style, 16);
    EXPECT_EQ(dialogs.transcript()[1].title, " Fichier illisible.");
    EXPECT_TRUE(entries("List1").isEmpty());
    EXPECT_EQ(selection.NomTable, "");
    clickFile("BON.MDB");
    EXPECT_EQ(entries("List1"), QStringList{"TIMBRES"});
}

TEST_F(FrmUniteTest, OpenRefusesInOrderFileThenConditionThenTable)
{
    makeCollection(folder + "/C.MDB", {"TIMBRES"});
    ASSERT_TRUE(QDir(folder).mkdir("vide"));
    pick("C.MDB", "TIMBRES");
    option(1, 1);
    option(2, 0, ""); // the condition prompt cancelled
    openFolder(folder + "/vide");
    dialogs.clearTranscript();
    for (int box = 0; box < 3; ++box)
        dialogs.answerMsgBox(vb::OK);

    open(); // the folder change left no file selected, though a table is still chosen
    pick("C.MDB", {});
    open(); // file and table, but a column without condition value
    viewFails = true;
    option(2, 4); // "Est Vide" passes; the view then fails its load
    open();
    EXPECT_EQ(viewLoads, 1);
    EXPECT_TRUE(selection.NomTable.isEmpty());
    EXPECT_TRUE(entries("List1").isEmpty());
    open(); // the failed request emptied the table

    const std::vector<DialogCall> expected{
        DialogCall::beep(),
        DialogCall::msgBox("Aucun Fichier MDB n'a été sélectionné ! ", 16, " Aucun Fichier MDB sélectionné."),
        DialogCall::beep(),
        DialogCall::msgBox(" Le Second Critère de Tri n'a pas été choisi ! ", 16, " Erreur Second Critère de Tri."),
        DialogCall::beep(),
        DialogCall::msgBox("Aucune Table n'a été sélectionnée dans le Fichier MDB ! ", 16,
                           " Aucune Table sélectionnée."),
    };
    EXPECT_EQ(dialogs.transcript(), expected);
    EXPECT_EQ(chooserWindow().panel().Niveau, 0);
    EXPECT_FALSE(grid.isLoaded());
    EXPECT_EQ(dialogs.unusedAnswers(), 0);
}

TEST_F(FrmUniteTest, OpenComposesTheSummaryWithTheLocaleAndASecondRequestOpensTheViewAnew)
{
    makeCollection(folder + "/C.MDB", {"TIMBRES", "MONNAIES"});
    pick("C.MDB", "TIMBRES");
    option(1, 2);
    option(2, 6, "lion");
    option(3, 1, "5");
    EXPECT_EQ(chooserWindow().focusWidget(), control("CmdOuvrir"));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    open();
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(selection.ResumeCriteres, " DÉSIGNATION CONTIENT LION Et Cote  > 5,00");

    clickTable("MONNAIES");
    option(1, 5);
    option(2, 1, "10");
    open();
    EXPECT_EQ(viewLoads, 2);
    EXPECT_TRUE(grid.isLoaded());
    EXPECT_EQ(selection.databasePath(), folder + "/C.MDB");
    EXPECT_EQ(selection.NomTable, "MONNAIES");
    EXPECT_TRUE(dialogs.boxes().empty());
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
    makeCollection(file.path, {"TIMBRES"});
    pick(name, {}, "/");
    EXPECT_EQ(help(), "  /" + name);
    clickTable("TIMBRES");
    open();
    EXPECT_EQ(selection.RepertoireMdb, "");
    EXPECT_EQ(selection.databasePath(), "/" + name);
    EXPECT_EQ(viewLoads, 1);
}

TEST_F(FrmUniteTest, ADriveThatIsNotReadyShowsOneBoxAndMovesToTheThirdDrive)
{
    for (const char *sub : {"a", "b", "c"})
        ASSERT_TRUE(QDir(folder).mkdir(sub));
    const QString gone = folder + "/retiree";
    const struct {
        QStringList drives;
        int picked, endsOn;
        QString shownFolder;
    } cases[] = {
        {{folder + "/a", folder + "/b", folder + "/c", gone}, 3, 2, folder + "/c"},
        {{folder + "/a", folder + "/b", gone}, 2, 2, folder + "/a"}, // the third one failed: no second box
        {{folder + "/a", gone}, 1, 1, folder + "/a"},                // no third drive: the selection stays
    };
    for (const auto &c : cases) {
        auto *drives = control<DriveList>("Drive1");
        drives->setDrives(c.drives);
        openFolder(folder + "/a");
        dialogs.clearTranscript();
        dialogs.answerMsgBox(vb::OK);
        drives->setListIndex(c.picked);
        EXPECT_EQ(dialogs.transcript(),
                  (std::vector<DialogCall>{DialogCall::beep(), DialogCall::msgBox("Unité non prête ou lecteur sans "
                                                                                  "disquette.",
                                                                                  16, " Lecteur non prêt.")}));
        EXPECT_EQ(drives->ListIndex(), c.endsOn);
        EXPECT_EQ(control<FolderList>("Dir1")->Path(), c.shownFolder);
    }
}

TEST_F(FrmUniteTest, AnUnreadableFolderThatIsNoDriveErrorIsIgnored)
{
    ASSERT_TRUE(QDir(folder).mkdir("a"));
    ASSERT_TRUE(QFile::link(folder + "/boucle", folder + "/boucle")); // reading it loops
    auto *drives = control<DriveList>("Drive1");
    drives->setDrives({folder + "/a", folder + "/boucle"});
    openFolder(folder + "/a");
    dialogs.clearTranscript();
    drives->setListIndex(1);
    EXPECT_TRUE(dialogs.transcript().empty());
    EXPECT_EQ(drives->ListIndex(), 1);
    EXPECT_EQ(control<FolderList>("Dir1")->Path(), folder + "/a");

    // A folder gone since the list was read is refused when opened, and the list still
    // marks the folder whose files are shown.
    openFolder(folder);
    ASSERT_TRUE(QDir(folder).rmdir("a"));
    dialogs.answerMsgBox(vb::OK);
    doubleClickFolder("a");
    auto *dirs = control<FolderList>("Dir1");
    EXPECT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(dirs->Path(), folder);
    ASSERT_NE(dirs->currentItem(), nullptr);
    EXPECT_EQ(dirs->currentItem()->text(), folder.section('/', -1));
}

TEST(DriveListTest, OffersOnlyFoldersThatExistAndAreNotHidden)
{
    QTemporaryDir tmp;
    const QString root = QDir::cleanPath(tmp.path());
    for (const char *sub : {"cle", ".cache", ".cache/cle"})
        ASSERT_TRUE(QDir(root).mkdir(sub));
    EXPECT_EQ(DriveList::usable({"/", root + "/cle", root + "/absente", root + "/.cache", root + "/.cache/cle"}),
              (QStringList{"/", root + "/cle"}));
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
    makeCollection(folder + "/alpha/petit.Mdb", {"T"});
    openFolder(folder);
    const QStringList parts = folder.split('/', Qt::SkipEmptyParts);
    EXPECT_EQ(entries("Dir1"), (QStringList{"/"} + parts + QStringList{"alpha", "Zeta", ".cache"}));
    EXPECT_EQ(control<FolderList>("Dir1")->folderAt(1), "/" + parts.first());
    doubleClickFolder("alpha");
    EXPECT_EQ(control<FolderList>("Dir1")->Path(), folder + "/alpha");
    EXPECT_EQ(help(), "  " + folder + "/alpha");
    EXPECT_EQ(entries("File1"), QStringList{"petit.Mdb"});
}

TEST_F(FrmUniteTest, EscapeBeepsAndUnloadsTheQuitEntryAndTheFrameUnloadSilently)
{
    control<QRadioButton>("Option1_0")->setFocus();
    dialogs.clearTranscript();
    QTest::keyClick(control<ClickList>("List1"), Qt::Key_Escape);
    EXPECT_EQ(dialogs.transcript(), std::vector<DialogCall>{DialogCall::beep()});
    EXPECT_FALSE(chooser.isLoaded());

    chooserWindow();
    dialogs.clearTranscript();
    control<QAction>("MnQuitter")->trigger();
    EXPECT_TRUE(dialogs.transcript().empty());
    EXPECT_FALSE(chooser.isLoaded());
    chooserWindow().close();
    EXPECT_FALSE(chooser.isLoaded());
}

TEST_F(FrmUniteTest, RefreshAndReloadResetTheCriteriaButKeepTheFile)
{
    makeCollection(folder + "/C.MDB", {"TIMBRES"});
    pick("C.MDB", "TIMBRES");
    option(1, 3);
    option(2, 0, "rouge");
    control<QPushButton>("Command1")->click();
    EXPECT_EQ(selection.NomTable, "TIMBRES");
    EXPECT_EQ(selection.ColonneTri, int16_t(0));
    EXPECT_TRUE(selection.ConditionTri.isEmpty() && selection.CritereTri.isEmpty());
    EXPECT_EQ(help(), " TOUT");
    EXPECT_TRUE(chooserWindow().panel().AideColonne.isEmpty());
    EXPECT_FALSE(enabled("Frame4"));

    option(1, 3);
    option(2, 0, "rouge");
    option(3, 0, "2");
    control<QAction>("MnQuitter")->trigger();
    dialogs.clearTranscript();
    chooserWindow();
    EXPECT_EQ(dialogs.transcript(), std::vector<DialogCall>{DialogCall::cursor(330, 140)});
    EXPECT_TRUE(selection.NomTable.isEmpty() && selection.ConditionTri.isEmpty() && selection.CritereTri.isEmpty() &&
                selection.OperateurCote.isEmpty());
    EXPECT_EQ(selection.ColonneTri, int16_t(0));
    EXPECT_EQ(selection.ValeurCote, 0.0f);
    EXPECT_EQ(selection.databasePath(), folder + "/C.MDB");
    EXPECT_TRUE(radio(1, 0)->isChecked() && !radio(1, 3)->isChecked());
    EXPECT_EQ(help(), " Sélectionnez le Répertoire puis cliquez sur un Fichier MDB puis sur une Table.");
}

// Each option group is one Tab stop and the arrow keys choose inside it; Enter presses
// the focused button.
TEST_F(FrmUniteTest, OptionGroupsAreRadioGroupsAndEnterPressesTheFocusedButton)
{
    makeCollection(folder + "/C.MDB", {"TIMBRES"});
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
    key(Qt::Key_Tab); // out of the column group, into the condition group
    EXPECT_EQ(QApplication::focusWidget(), radio(2, 0));
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
    EXPECT_TRUE(radio(1, 0)->isChecked());
}

} // namespace
