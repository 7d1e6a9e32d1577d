#include "FrmUnite.h"
#include "ClickList.h"
#include "CollectionFile.h"
#include "DriveList.h"
#include "FileList.h"
#include "FolderList.h"
#include "RuntimeError.h"
#include "ScriptedDialogs.h"
#include "SelectionState.h"

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
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cerrno>

using namespace carnelis;

// Readable strings in failures.
void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }

namespace {

// A table view that stands in for the real one: its load succeeds, or fails the way the
// real one does (clears the table and the criterion, then unloads itself).
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

struct FrmUniteTest : ::testing::Test {
    SelectionState selection;
    ScriptedDialogs dialogs;
    FormSlot carnelis, chooser, grid;
    AppContext ctx{selection, dialogs, carnelis, chooser, grid};
    QTemporaryDir tmp;
    QString folder = QDir::cleanPath(tmp.path());
    int viewLoads = 0;
    bool viewFails = false;

    FrmUniteTest()
    {
        chooser.setFactory([this] { return std::make_unique<FrmUnite>(ctx); });
        grid.setFactory([this] { return std::make_unique<ViewWindow>(ctx, viewFails, viewLoads); });
    }
    ~FrmUniteTest() override
    {
        grid.Unload();
        chooser.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Opens the chooser the first time; later calls only look at it.
    FrmUnite &window()
    {
        if (!chooser.isLoaded())
            chooser.Show();
        return static_cast<FrmUnite &>(*chooser.get());
    }
    template <typename W>
    W *control(const QString &name)
    {
        W *w = window().findChild<W *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QRadioButton *option(int group, int index)
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
    void clickEntry(const QString &list, const QString &text)
    {
        auto *w = control<QListWidget>(list);
        const QList<QListWidgetItem *> found = w->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, w->visualItemRect(found.first()).center());
    }
    void clickOption(int group, int index, std::optional<QString> typed = std::nullopt)
    {
        if (typed)
            dialogs.answerInput(*typed);
        QTest::mouseClick(option(group, index), Qt::LeftButton);
    }
    void open() { control<QPushButton>("CmdOuvrir")->click(); }
    // Folder, file and table picked as a person would.
    void pick(const QString &file, const QString &table)
    {
        openFolder(folder);
        clickEntry("File1", file);
        clickEntry("List1", table);
    }
};

TEST_F(FrmUniteTest, FileClickListsUserTablesUpperCasedOnceAndATableClickResetsTheCriteria)
{
    makeCollection(folder + "/Collection.mdb", {"Timbres", "monnaies"});
    writeText(folder + "/notes.txt", "pas une base");
    openFolder(folder);
    EXPECT_EQ(entries("File1"), QStringList{"Collection.mdb"});
    EXPECT_EQ(help(), "  " + folder);

    clickEntry("File1", "Collection.mdb");
    clickEntry("File1", "Collection.mdb");
    EXPECT_EQ(entries("List1"), (QStringList{"MONNAIES", "TIMBRES"}));
    EXPECT_EQ(selection.RepertoireMdb, folder);
    EXPECT_EQ(selection.NomFichierMdb, "Collection.mdb");
    EXPECT_EQ(help(), "  " + folder + "/Collection.mdb");
    EXPECT_FALSE(control<QPushButton>("CmdOuvrir")->isEnabled());

    clickEntry("List1", "TIMBRES");
    clickOption(1, 2);
    clickOption(2, 6, "lion");
    EXPECT_TRUE(control<QGroupBox>("Frame5")->isEnabled());
    clickEntry("List1", "TIMBRES");
    EXPECT_EQ(selection.NomTable, "TIMBRES");
    EXPECT_EQ(selection.ColonneTri, int16_t(0));
    EXPECT_TRUE(selection.CritereTri.isEmpty());
    EXPECT_TRUE(option(1, 0)->isChecked());
    EXPECT_FALSE(option(1, 2)->isChecked() || option(2, 6)->isChecked());
    EXPECT_FALSE(control<QGroupBox>("Frame4")->isEnabled() || control<QGroupBox>("Frame5")->isEnabled());
    EXPECT_EQ(help(), " TOUT");
    EXPECT_TRUE(control<QPushButton>("CmdOuvrir")->isEnabled() && control<QPushButton>("Command1")->isEnabled());

    // Another folder empties the table list but keeps the table and the buttons.
    ASSERT_TRUE(QDir(folder).mkdir("autre"));
    openFolder(folder + "/autre");
    EXPECT_TRUE(entries("List1").isEmpty());
    EXPECT_TRUE(entries("File1").isEmpty());
    EXPECT_EQ(selection.NomTable, "TIMBRES");
    EXPECT_TRUE(control<QPushButton>("CmdOuvrir")->isEnabled() && control<QPushButton>("Command1")->isEnabled());
    EXPECT_EQ(help(), "  " + folder + "/autre");
    EXPECT_EQ(dialogs.boxes().size(), 0u);
}

TEST_F(FrmUniteTest, AFileNamedAtStartIsClickedInItsFolderOrGetsTheUnreadableBox)
{
    ASSERT_TRUE(QDir(folder).mkdir("sous"));
    makeCollection(folder + "/sous/Collection.MDB", {"Timbres"});
    writeText(folder + "/ABIME.MDB", QByteArray("ceci n'est pas une base de données").repeated(50));
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
        chooser.Unload();
        FrmUnite &chooserWindow = window();
        dialogs.clearTranscript();
        if (c.text)
            dialogs.answerMsgBox(vb::OK);
        chooserWindow.chooseFile(c.path);
        EXPECT_EQ(entries("List1"), c.tables) << c.path.toStdString();
        if (!c.text) {
            EXPECT_TRUE(dialogs.boxes().empty());
            EXPECT_EQ(control<FolderList>("Dir1")->Path(), folder + "/sous");
            EXPECT_EQ(control<FileList>("File1")->FileName(), "Collection.MDB");
            EXPECT_EQ(help(), "  " + folder + "/sous/Collection.MDB");
            EXPECT_EQ(selection.NomFichierMdb, "Collection.MDB");
            continue;
        }
        ASSERT_EQ(dialogs.transcript().size(), 2u) << c.path.toStdString();
        EXPECT_EQ(dialogs.transcript()[0], DialogCall::beep());
        EXPECT_EQ(dialogs.transcript()[1].title, " Fichier illisible.");
        EXPECT_TRUE(dialogs.transcript()[1].prompt.contains(QString::fromUtf8(c.text))) << c.path.toStdString();
        EXPECT_TRUE(chooser.isLoaded());
    }
}

TEST_F(FrmUniteTest, AFileTheEngineCannotOpenShowsItsBoxAndTheProgramGoesOn)
{
    makeCollection(folder + "/BON.MDB", {"TIMBRES"});
    writeText(folder + "/ABIME.MDB", QByteArray("ceci n'est pas une base de données").repeated(50));
    pick("BON.MDB", "TIMBRES");
    dialogs.clearTranscript();

    dialogs.answerMsgBox(vb::OK);
    clickEntry("File1", "ABIME.MDB");
    ASSERT_EQ(dialogs.transcript().size(), 2u);
    EXPECT_EQ(dialogs.transcript()[0], DialogCall::beep());
    const DialogCall box = dialogs.transcript()[1];
    EXPECT_EQ(box.style, 16);
    EXPECT_EQ(box.title, " Fichier illisible.");
    EXPECT_FALSE(box.prompt.isEmpty());
    EXPECT_TRUE(entries("List1").isEmpty());
    EXPECT_TRUE(chooser.isLoaded());
    // The table chosen in the other file is forgotten: Open asks for a table.
    EXPECT_EQ(selection.NomTable, "");
    dialogs.answerMsgBox(vb::OK);
    open();
    EXPECT_EQ(dialogs.boxes().back().title, " Aucune Table sélectionnée.");
    EXPECT_FALSE(grid.isLoaded());

    clickEntry("File1", "BON.MDB");
    EXPECT_EQ(entries("List1"), QStringList{"TIMBRES"});
}

TEST_F(FrmUniteTest, OpenRefusesInOrderFileThenConditionThenTable)
{
    makeCollection(folder + "/C.MDB", {"TIMBRES"});
    ASSERT_TRUE(QDir(folder).mkdir("vide"));
    pick("C.MDB", "TIMBRES");
    clickOption(1, 1);
    clickOption(2, 0, ""); // the condition prompt cancelled
    openFolder(folder + "/vide");
    dialogs.clearTranscript();
    for (int box = 0; box < 3; ++box)
        dialogs.answerMsgBox(vb::OK);

    open(); // the folder change left no file selected, though a table is still chosen
    openFolder(folder);
    clickEntry("File1", "C.MDB");
    open(); // file and table, but a column without condition value
    viewFails = true;
    clickOption(2, 4); // "Est Vide" passes; the view then fails its load
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
    EXPECT_EQ(window().panel().Niveau, 0);
    EXPECT_FALSE(grid.isLoaded());
    EXPECT_EQ(dialogs.unusedAnswers(), 0);
}

TEST_F(FrmUniteTest, OpenComposesTheSummaryWithTheLocaleAndASecondRequestOpensTheViewAnew)
{
    makeCollection(folder + "/C.MDB", {"TIMBRES", "MONNAIES"});
    pick("C.MDB", "TIMBRES");
    clickOption(1, 2);
    clickOption(2, 6, "lion");
    clickOption(3, 1, "5");
    EXPECT_EQ(window().focusWidget(), control<QPushButton>("CmdOuvrir"));

    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    open();
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(viewLoads, 1);
    EXPECT_TRUE(grid.isLoaded());
    EXPECT_EQ(selection.ResumeCriteres, " DÉSIGNATION CONTIENT LION Et Cote  > 5,00");
    EXPECT_EQ(selection.RepertoireMdb, folder);
    EXPECT_EQ(selection.NomFichierMdb, "C.MDB");
    EXPECT_EQ(selection.NomTable, "TIMBRES");

    clickEntry("List1", "MONNAIES");
    clickOption(1, 5);
    clickOption(2, 1, "10");
    clickOption(3, 3);
    open();
    EXPECT_EQ(viewLoads, 2);
    EXPECT_TRUE(grid.isLoaded());
    EXPECT_EQ(selection.ResumeCriteres, " COTE EST PLUS GRAND QUE 10 Critère suppl. ignoré.");
    EXPECT_EQ(dialogs.boxes().size(), 0u);
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
    openFolder("/");
    clickEntry("File1", name);
    EXPECT_EQ(help(), "  /" + name);
    clickEntry("List1", "TIMBRES");
    open();
    EXPECT_EQ(entries("List1"), QStringList{"TIMBRES"});
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
        int picked;
        int endsOn;
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
        const std::vector<DialogCall> expected{
            DialogCall::beep(),
            DialogCall::msgBox("Unité non prête ou lecteur sans disquette.", 16, " Lecteur non prêt.")};
        EXPECT_EQ(dialogs.transcript(), expected);
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
    auto *dirs = control<FolderList>("Dir1");
    const auto gone = dirs->findItems("a", Qt::MatchExactly);
    ASSERT_EQ(gone.size(), 1);
    ASSERT_TRUE(QDir(folder).rmdir("a"));
    dialogs.answerMsgBox(vb::OK);
    const QPoint at = dirs->visualItemRect(gone.first()).center();
    QTest::mousePress(dirs->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(dirs->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, {}, at);
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
    ASSERT_TRUE(QDir(folder).mkpath("Zeta/profond"));
    ASSERT_TRUE(QDir(folder).mkpath("alpha"));
    ASSERT_TRUE(QDir(folder).mkpath(".cache"));
    makeCollection(folder + "/alpha/petit.Mdb", {"T"});
    openFolder(folder);
    auto *dirs = control<FolderList>("Dir1");
    const QStringList parts = folder.split('/', Qt::SkipEmptyParts);
    QStringList expected{"/"};
    expected << parts << "alpha"
             << "Zeta"
             << ".cache";
    EXPECT_EQ(entries("Dir1"), expected);
    EXPECT_EQ(dirs->folderAt(1), "/" + parts.first());

    const int alpha = int(parts.size()) + 1;
    // A double click comes after the press of its first click.
    const QPoint at = dirs->visualItemRect(dirs->item(alpha)).center();
    QTest::mousePress(dirs->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(dirs->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(dirs->Path(), folder + "/alpha");
    EXPECT_EQ(help(), "  " + folder + "/alpha");
    EXPECT_EQ(entries("File1"), QStringList{"petit.Mdb"});
}

TEST_F(FrmUniteTest, EscapeBeepsAndUnloadsTheQuitEntryUnloadsSilently)
{
    control<QRadioButton>("Option1_0")->setFocus();
    dialogs.clearTranscript();
    QTest::keyClick(control<ClickList>("List1"), Qt::Key_Escape);
    EXPECT_EQ(dialogs.transcript(), std::vector<DialogCall>{DialogCall::beep()});
    EXPECT_FALSE(chooser.isLoaded());

    window();
    dialogs.clearTranscript();
    control<QAction>("MnQuitter")->trigger();
    EXPECT_TRUE(dialogs.transcript().empty());
    EXPECT_FALSE(chooser.isLoaded());

    window().close(); // the window frame's close button unloads it as well
    EXPECT_FALSE(chooser.isLoaded());
}

TEST_F(FrmUniteTest, RefreshAndReloadResetTheCriteriaButKeepTheFile)
{
    makeCollection(folder + "/C.MDB", {"TIMBRES"});
    pick("C.MDB", "TIMBRES");
    clickOption(1, 3);
    clickOption(2, 0, "rouge");
    control<QPushButton>("Command1")->click();
    EXPECT_EQ(selection.NomTable, "TIMBRES");
    EXPECT_EQ(selection.ColonneTri, int16_t(0));
    EXPECT_TRUE(selection.ConditionTri.isEmpty() && selection.CritereTri.isEmpty());
    EXPECT_EQ(help(), " TOUT");
    EXPECT_TRUE(window().panel().AideColonne.isEmpty());
    EXPECT_FALSE(control<QGroupBox>("Frame4")->isEnabled());

    clickOption(1, 3);
    clickOption(2, 0, "rouge");
    clickOption(3, 0, "2");
    control<QAction>("MnQuitter")->trigger();
    dialogs.clearTranscript();
    window();
    EXPECT_EQ(dialogs.transcript(), std::vector<DialogCall>{DialogCall::cursor(330, 140)});
    EXPECT_TRUE(selection.NomTable.isEmpty());
    EXPECT_EQ(selection.ColonneTri, int16_t(0));
    EXPECT_TRUE(selection.ConditionTri.isEmpty() && selection.CritereTri.isEmpty() &&
                selection.OperateurCote.isEmpty());
    EXPECT_EQ(selection.ValeurCote, 0.0f);
    EXPECT_EQ(selection.NomFichierMdb, "C.MDB");
    EXPECT_EQ(selection.RepertoireMdb, folder);
    EXPECT_TRUE(option(1, 0)->isChecked());
    EXPECT_FALSE(option(1, 3)->isChecked());
    EXPECT_EQ(help(), " Sélectionnez le Répertoire puis cliquez sur un Fichier MDB puis sur une Table.");
}

} // namespace

namespace {

// The keyboard as a person without a mouse uses it: each option group is one Tab stop and
// the arrow keys choose inside it; Enter presses the focused button.
TEST_F(FrmUniteTest, OptionGroupsAreRadioGroupsAndEnterPressesTheFocusedButton)
{
    makeCollection(folder + "/C.MDB", {"TIMBRES"});
    pick("C.MDB", "TIMBRES");
    clickOption(1, 2);
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    auto key = [](int k) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(k)); };

    option(1, 2)->setFocus();
    key(Qt::Key_Down); // chooses the next column, as a click would
    EXPECT_EQ(QApplication::focusWidget(), option(1, 3));
    EXPECT_EQ(selection.ColonneTri, std::optional<int16_t>(3));
    EXPECT_TRUE(option(1, 3)->isChecked() && !option(1, 2)->isChecked());
    key(Qt::Key_Tab); // out of the column group, into the condition group
    EXPECT_EQ(QApplication::focusWidget(), option(2, 0));
    key(Qt::Key_Down); // nothing chosen yet: the arrows move without choosing
    EXPECT_EQ(QApplication::focusWidget(), option(2, 1));
    EXPECT_EQ(selection.ConditionTri, "");
    key(Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), option(1, 3));

    control<QPushButton>("CmdOuvrir")->setFocus();
    dialogs.answerMsgBox(vb::OK); // no condition value: the request refuses
    key(Qt::Key_Return);
    EXPECT_EQ(dialogs.boxes().back().title, " Erreur Second Critère de Tri.");
    control<QPushButton>("Command1")->setFocus();
    key(Qt::Key_Enter);
    EXPECT_EQ(selection.ColonneTri, std::optional<int16_t>(0));
    EXPECT_TRUE(option(1, 0)->isChecked());
}

} // namespace
