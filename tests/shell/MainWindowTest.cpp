#include "CARNELIS.h"
#include "MainTexts.h"
#include "WindowDriver.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace carnelis;

namespace {

// A window that only counts its loads: enough to see how the main window reaches the chooser.
class CountingWindow : public QWidget, public Form {
public:
    explicit CountingWindow(int &loads) : loads_(loads) {}
    QWidget *widget() override { return this; }
    void Form_Load() override { ++loads_; }

private:
    int &loads_;
};

struct MainWindowTest : ::testing::Test, test::WindowDriver {
    MainWindowTest()
    {
        realWindows();
        chooser.setFactory([this] { return std::make_unique<CountingWindow>(chooserLoads); });
    }
    ~MainWindowTest() override { EXPECT_EQ(dialogs.unusedAnswers(), 0); }

    CARNELIS &show() { return dynamic_cast<CARNELIS &>(carnelis.Show()); }
    QString text(const char *label) { return find<QLabel>(carnelis, label)->text(); }
    void trigger(const char *entry) { find<QAction>(carnelis, entry)->trigger(); }
    int chooserLoads = 0;
};

TEST(MainTexts, FolderGetsExactlyOneTrailingSeparator)
{
    for (const auto &[folder, expected] : {std::pair{"/", "/"}, std::pair{"/opt/carnelis", "/opt/carnelis/"},
                                           std::pair{"/opt/carnelis/", "/opt/carnelis/"}})
        EXPECT_EQ(shell::withTrailingSeparator(folder), expected) << folder;
}

// What a person reads in the main window, its menu and its About box.
TEST_F(MainWindowTest, TheTextsAPersonReads)
{
    dialogs.setAppPath("/opt/carnelis");
    CARNELIS &window = show();
    EXPECT_EQ(window.repertoireAppli(), "/opt/carnelis/");
    EXPECT_EQ(dialogs.transcript(), (std::vector<DialogCall>{DialogCall::cursor(180, 118)}));
    EXPECT_EQ(text("Label1"), "         Un usage strictement privé est alors de rigueur et l'auteur du Logiciel "
                              "dégage à ce sujet toute responsabilité. ");
    EXPECT_EQ(text("Label3"),
              "Bienvenue  dans  ce  Logiciel  de  gestion  de\r\n collection référencée. Vous pouvez "
              "à présent\r\n sélectionner la Base de  Données  MDB  qui\r\n contient  vos  tables.   ( "
              "Timbres,  Monnaies,\r\n Objets ... ) en cliquant dans le menu Base de Données en haut, à "
              "gauche de cet écran.");
    EXPECT_EQ(text("Label2"), "CARNELIS  12/2003");
    EXPECT_TRUE(window.windowTitle().startsWith("CARNELIS  -  ") && window.windowTitle().endsWith(" 12/2003"));
    EXPECT_FALSE(find<QLabel>(carnelis, "Image1")->pixmap().isNull()) << "the stamp picture did not load";
    QStringList captions;
    for (QAction *action : find<QMenuBar>(carnelis, "")->actions())
        captions << action->text();
    EXPECT_EQ(captions, (QStringList{"  &Base de Données", "  &A Lire", "  A &Propos", "  &Quitter"}));

    dialogs.clearTranscript();
    dialogs.answerMsgBox(vb::OK);
    trigger("Propos");
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    const QStringList lines = dialogs.boxes()[0].prompt.split("\r\n");
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], "Gestion de Tables référencées. V 12/2002");
    EXPECT_EQ(lines.mid(2), (QStringList{"Avant toute utilisation, vous êtes invité à lire le",
                                         "fichier CARNELIS.HLP ou CARNELIS.HTM", ""}));
    EXPECT_EQ(dialogs.boxes()[0].style, 64);
    EXPECT_EQ(dialogs.boxes()[0].title, " CARNELIS. ");
}

TEST_F(MainWindowTest, AccessKeysChooseTheEntries)
{
    CARNELIS &window = show();
    QApplication::setActiveWindow(&window);
    dialogs.clearTranscript();
    dialogs.answerMsgBox(vb::OK);
    QTest::keyClick(&window, Qt::Key_P, Qt::AltModifier);
    QTest::keyClick(&window, Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(dialogs.transcript().size(), 2u);
    QTest::keyClick(&window, Qt::Key_B, Qt::AltModifier);
    EXPECT_TRUE(chooser.isLoaded());
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_A);
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_TRUE(window.isVisible() && chooser.get()->widget()->isVisible());
    QTest::keyClick(&window, Qt::Key_Q, Qt::AltModifier);
    EXPECT_FALSE(window.isVisible() || chooser.get()->widget()->isVisible());
}

TEST_F(MainWindowTest, DatabaseEntryShowsOneChooserLoadedAfreshAfterItClosedAndTheFrameClosesOnlyTheMainWindow)
{
    show();
    trigger("Base");
    ASSERT_TRUE(chooser.isLoaded());
    EXPECT_TRUE(chooser.get()->widget()->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(carnelis.get()->widget()->isEnabled());
    trigger("Base");
    EXPECT_EQ(chooserLoads, 1);
    chooser.Unload();
    trigger("Base");
    EXPECT_EQ(chooserLoads, 2);
    EXPECT_TRUE(chooser.get()->widget()->isVisible());
    // Closing the main window by its frame leaves the chooser open.
    carnelis.get()->widget()->close();
    EXPECT_FALSE(carnelis.isLoaded());
    ASSERT_TRUE(chooser.isLoaded());
    EXPECT_TRUE(chooser.get()->widget()->isVisible());
}

// The help page beside the program or in the installed layout; a page that cannot be
// shown beeps and gets one box, whichever button answers it.
TEST_F(MainWindowTest, HelpOpensThePageBesideTheProgramOrInTheInstalledLayout)
{
    const QString bin = dir.filePath("bin"), both = dir.filePath("both");
    const QString installed = dir.filePath("share/carnelis/carnelis.htm");
    for (const QString &folder : {bin, both, dir.filePath("share/carnelis")})
        ASSERT_TRUE(QDir().mkpath(folder));
    for (const QString &page : {installed, both + "/carnelis.htm"})
        ASSERT_TRUE(QFile(page).open(QIODevice::WriteOnly));
    const std::pair<QString, QString> cases[] = {
        {"/opt/carnelis", "/opt/carnelis/carnelis.htm"}, // found nowhere: reported beside the program
        {"/", "/carnelis.htm"},
        {bin, installed},
        {both, both + "/carnelis.htm"},
    };
    for (const auto &[folder, expected] : cases) {
        dialogs.setAppPath(folder);
        show();
        dialogs.clearTranscript();
        trigger("Lire");
        EXPECT_EQ(dialogs.transcript(), (std::vector<DialogCall>{DialogCall::openDocument(expected)}))
            << folder.toStdString();
        carnelis.Unload();
    }

    dialogs.setOpenDocumentResult(false);
    CARNELIS &window = show();
    for (const int answer : {vb::Cancel, vb::TryAgain, vb::Continue}) {
        dialogs.clearTranscript();
        dialogs.answerMsgBox(answer);
        trigger("Lire");
        EXPECT_EQ(dialogs.transcript(),
                  (std::vector<DialogCall>{
                      DialogCall::openDocument(both + "/carnelis.htm"), DialogCall::beep(),
                      DialogCall::msgBox("Le Fichier d'aide carnelis.htm est introuvable ou n'est pas associé "
                                         "correctement\r\navec un visualiseur de fichiers html",
                                         54, "Fichier d'Aide absent ou non associé.")}))
            << answer;
        EXPECT_TRUE(window.isVisible());
    }
}

} // namespace
