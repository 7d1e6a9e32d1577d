#include "CARNELIS.h"
#include "MainTexts.h"
#include "ScriptedDialogs.h"
#include "SelectionState.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace carnelis;

namespace {

const QString crlf = QStringLiteral("\r\n");

// A window that only counts its loads: enough to see how the main window reaches the chooser.
class CountingWindow : public QWidget, public Form {
public:
    explicit CountingWindow(int &loads) : loads_(loads) {}
    QWidget *widget() override { return this; }
    void Form_Load() override { ++loads_; }

private:
    int &loads_;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        carnelisSlot.setFactory([this] { return std::make_unique<CARNELIS>(ctx); });
        chooserSlot.setFactory([this] { return std::make_unique<CountingWindow>(chooserLoads); });
    }
    void TearDown() override
    {
        chooserSlot.Unload();
        carnelisSlot.Unload();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(dialogs.unusedAnswers(), 0);
    }

    CARNELIS &show() { return dynamic_cast<CARNELIS &>(carnelisSlot.Show()); }
    template <typename T>
    T *child(const char *name)
    {
        T *found = carnelisSlot.get()->widget()->findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void trigger(const char *entry) { child<QAction>(entry)->trigger(); }

    ScriptedDialogs dialogs;
    SelectionState selection;
    FormSlot carnelisSlot, chooserSlot, gridSlot;
    AppContext ctx{selection, dialogs, carnelisSlot, chooserSlot, gridSlot};
    int chooserLoads = 0;
};

TEST(MainTexts, FolderGetsExactlyOneTrailingSeparator)
{
    const struct {
        const char *folder;
        const char *expected;
    } cases[] = {
        {"/", "/"},
        {"/opt/carnelis", "/opt/carnelis/"},
        {"/opt/carnelis/", "/opt/carnelis/"},
        {"/home/anne/Mes collections", "/home/anne/Mes collections/"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(shell::withTrailingSeparator(QString::fromUtf8(c.folder)), QString::fromUtf8(c.expected)) << c.folder;
}

TEST_F(MainWindowTest, LoadWritesTheTextsAndPlacesThePointer)
{
    dialogs.setAppPath(QStringLiteral("/opt/carnelis"));
    CARNELIS &window = show();

    EXPECT_EQ(window.repertoireAppli(), QStringLiteral("/opt/carnelis/"));
    EXPECT_EQ(child<QLabel>("Label1")->text(),
              QStringLiteral("         Un usage strictement privé est alors de rigueur et l'auteur du Logiciel "
                             "dégage à ce sujet toute responsabilité. "));
    const QString welcome = child<QLabel>("Label3")->text();
    EXPECT_EQ(welcome.count(crlf), 4);
    EXPECT_EQ(welcome.count(QLatin1Char('\n')), 4);
    EXPECT_EQ(
        welcome.split(crlf),
        (QStringList{
            QStringLiteral("Bienvenue  dans  ce  Logiciel  de  gestion  de"),
            QStringLiteral(" collection référencée. Vous pouvez à présent"),
            QStringLiteral(" sélectionner la Base de  Données  MDB  qui"),
            QStringLiteral(" contient  vos  tables.   ( Timbres,  Monnaies,"),
            QStringLiteral(" Objets ... ) en cliquant dans le menu Base de Données en haut, à gauche de cet écran."),
        }));
    EXPECT_EQ(child<QLabel>("Label4")->text(), QStringLiteral("  "));
    EXPECT_EQ(child<QLabel>("Label2")->text(), QStringLiteral("CARNELIS  12/2003"));
    EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("CARNELIS  -  ")));
    EXPECT_TRUE(window.windowTitle().endsWith(QStringLiteral(" 12/2003")));
    EXPECT_EQ(dialogs.transcript(), (std::vector<DialogCall>{DialogCall::cursor(180, 118)}));
}

TEST_F(MainWindowTest, MenuBarHoldsFourEntriesWithTheirAccessKeys)
{
    show();
    QStringList captions, names;
    for (QAction *action : child<QMenuBar>("")->actions()) {
        captions << action->text();
        names << action->objectName();
        EXPECT_EQ(action->menu(), nullptr);
    }
    EXPECT_EQ(captions, (QStringList{QStringLiteral("  &Base de Données"), QStringLiteral("  &A Lire"),
                                     QStringLiteral("  A &Propos"), QStringLiteral("  &Quitter")}));
    EXPECT_EQ(names, (QStringList{"Base", "Lire", "Propos", "Quitter"}));
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
    EXPECT_TRUE(chooserSlot.isLoaded());
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_Q, Qt::AltModifier);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, LayoutFollowsTheDesign)
{
    CARNELIS &window = show();
    EXPECT_EQ(window.centralWidget()->size(), QSize(569, 420));
    const struct {
        const char *name;
        QRect geometry;
    } controls[] = {
        {"Label1", QRect(8, 8, 553, 41)},      {"Label2", QRect(8, 56, 553, 213)},
        {"Label3", QRect(16, 296, 297, 105)},  {"Label4", QRect(368, 248, 185, 17)},
        {"Image1", QRect(336, 272, 225, 142)},
    };
    for (const auto &c : controls)
        EXPECT_EQ(child<QLabel>(c.name)->geometry(), c.geometry) << c.name;

    const QPixmap stamp = child<QLabel>("Image1")->pixmap();
    ASSERT_FALSE(stamp.isNull()) << "the stamp picture did not load";
    EXPECT_EQ(stamp.size(), QSize(225, 142));
    EXPECT_FALSE(window.windowIcon().isNull());

    // The title stays large, and the foot of its second line, 12/2003, stays inside it.
    const QLabel *label2 = child<QLabel>("Label2");
    const QFontInfo title(label2->font());
    EXPECT_TRUE(title.italic());
    EXPECT_GE(title.pixelSize(), 72);
    EXPECT_LE(QFontMetrics(label2->font())
                  .boundingRect(label2->contentsRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, label2->text())
                  .height(),
              label2->height());

    // What a person sees: the colours of the labels and of the rules where the design puts them.
    const QImage shot = window.centralWidget()->grab().toImage();
    const struct {
        QPoint at;
        QColor colour;
    } pixels[] = {
        {{300, 45}, QColor(0xC0, 0xFF, 0xFF)},  // Label1, below its text
        {{540, 260}, QColor(0xFF, 0xE0, 0xC0)}, // Label2, bottom right corner
        {{540, 262}, QColor(0xFF, 0xE0, 0xC0)}, // Label4 ... on its own background
        {{300, 0}, QColor(0x00, 0x00, 0x80)},   // Line1 along the top edge
        {{8, 350}, QColor(0x00, 0x00, 0xFF)},   // Line2
        {{200, 408}, QColor(0x00, 0x00, 0xFF)}, // Line4
        {{12, 48}, QColor(0x00, 0x00, 0x00)},   // Line3
    };
    for (const auto &p : pixels)
        EXPECT_EQ(shot.pixelColor(p.at).name(), p.colour.name()) << p.at.x() << "," << p.at.y();
}

TEST_F(MainWindowTest, DatabaseEntryShowsOneChooserAndLoadsItAfreshAfterItClosed)
{
    show();
    trigger("Base");
    ASSERT_TRUE(chooserSlot.isLoaded());
    EXPECT_TRUE(chooserSlot.get()->widget()->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(carnelisSlot.get()->widget()->isEnabled());

    trigger("Base");
    EXPECT_EQ(chooserLoads, 1);

    chooserSlot.Unload();
    trigger("Base");
    EXPECT_EQ(chooserLoads, 2);
    EXPECT_TRUE(chooserSlot.get()->widget()->isVisible());
}

TEST_F(MainWindowTest, EscapeAndTheQuitEntryCloseEveryWindowOtherKeysNothing)
{
    for (const bool byEscape : {true, false}) {
        CARNELIS &window = show();
        trigger("Base");
        QTest::keyClick(&window, Qt::Key_A);
        QTest::keyClick(&window, Qt::Key_Return);
        ASSERT_TRUE(window.isVisible());
        ASSERT_TRUE(chooserSlot.get()->widget()->isVisible());

        if (byEscape)
            QTest::keyClick(&window, Qt::Key_Escape);
        else
            trigger("Quitter");
        EXPECT_FALSE(window.isVisible()) << byEscape;
        EXPECT_FALSE(chooserSlot.get()->widget()->isVisible()) << byEscape;
        EXPECT_TRUE(dialogs.boxes().empty());
    }
}

TEST_F(MainWindowTest, ClosingTheMainWindowByItsFrameLeavesTheChooserOpen)
{
    show().close();
    EXPECT_FALSE(carnelisSlot.isLoaded());

    show();
    trigger("Base");
    carnelisSlot.get()->widget()->close();
    EXPECT_FALSE(carnelisSlot.isLoaded());
    ASSERT_TRUE(chooserSlot.isLoaded());
    EXPECT_TRUE(chooserSlot.get()->widget()->isVisible());
}

TEST_F(MainWindowTest, HelpOpensThePageBesideTheProgramOrInTheInstalledLayout)
{
    QTemporaryDir root;
    const QString bin = root.filePath("bin"), both = root.filePath("both");
    const QString installed = root.filePath("share/carnelis/carnelis.htm");
    for (const QString &folder : {bin, both, root.filePath("share/carnelis")})
        ASSERT_TRUE(QDir().mkpath(folder));
    for (const QString &page : {installed, both + "/carnelis.htm"}) {
        QFile file(page);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const struct {
        QString folder, expected;
    } cases[] = {
        {"/opt/carnelis", "/opt/carnelis/carnelis.htm"}, // found nowhere: reported beside the program
        {"/", "/carnelis.htm"},
        {bin, installed},
        {both, both + "/carnelis.htm"},
    };
    for (const auto &c : cases) {
        dialogs.setAppPath(c.folder);
        show();
        dialogs.clearTranscript();
        trigger("Lire");
        EXPECT_EQ(dialogs.transcript(), (std::vector<DialogCall>{DialogCall::openDocument(c.expected)}))
            << c.folder.toStdString();
        carnelisSlot.Unload();
    }
}

TEST_F(MainWindowTest, MissingHelpBeepsAndShowsOneBoxWhicheverButton)
{
    dialogs.setOpenDocumentResult(false);
    dialogs.setAppPath(QStringLiteral("/opt/carnelis"));
    CARNELIS &window = show();
    for (const int answer : {vb::Cancel, vb::TryAgain, vb::Continue}) {
        dialogs.clearTranscript();
        dialogs.answerMsgBox(answer);
        trigger("Lire");
        EXPECT_EQ(dialogs.transcript(),
                  (std::vector<DialogCall>{
                      DialogCall::openDocument(QStringLiteral("/opt/carnelis/carnelis.htm")),
                      DialogCall::beep(),
                      DialogCall::msgBox(QStringLiteral("Le Fichier d'aide carnelis.htm est introuvable ou n'est pas "
                                                        "associé correctement\r\navec un visualiseur de fichiers html"),
                                         54, QStringLiteral("Fichier d'Aide absent ou non associé.")),
                  }))
            << answer;
        EXPECT_TRUE(window.isVisible());
    }
}

TEST_F(MainWindowTest, AboutShowsFiveLines)
{
    show();
    dialogs.clearTranscript();
    dialogs.answerMsgBox(vb::OK);
    trigger("Propos");
    const std::vector<DialogCall> boxes = dialogs.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].style, 64);
    EXPECT_EQ(boxes[0].title, QStringLiteral(" CARNELIS. "));
    const QStringList lines = boxes[0].prompt.split(crlf);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], QStringLiteral("Gestion de Tables référencées. V 12/2002"));
    EXPECT_FALSE(lines[1].isEmpty());
    EXPECT_EQ(lines[2], QStringLiteral("Avant toute utilisation, vous êtes invité à lire le"));
    EXPECT_EQ(lines[3], QStringLiteral("fichier CARNELIS.HLP ou CARNELIS.HTM"));
    EXPECT_EQ(lines[4], QString());
    EXPECT_EQ(boxes[0].prompt.count(QLatin1Char('\n')), 4);
}

} // namespace
