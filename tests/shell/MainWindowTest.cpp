#include "CARNELIS.h"
#include "WindowDriver.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

using namespace carnelis;

namespace {

struct MainWindowTest : ::testing::Test, test::WindowDriver {
    MainWindowTest()
    {
        realWindows();
        chooser.setFactory([this] { return std::make_unique<test::CountingForm>(chooserLoads); });
    }
    ~MainWindowTest() override { EXPECT_EQ(dialogs.unusedAnswers(), 0); }

    CARNELIS &show() { return dynamic_cast<CARNELIS &>(carnelis.Show()); }
    void trigger(const char *entry) { find<QAction>(carnelis, entry)->trigger(); }
    bool chooserShown() { return chooser.isLoaded() && chooser.get()->widget()->isVisible(); }
    int chooserLoads = 0;
};

// The pointer placed, the stamp picture, the date in the title and the About box.
TEST_F(MainWindowTest, WhatAPersonSees)
{
    CARNELIS &window = show();
    EXPECT_EQ(dialogs.transcript(), (std::vector<DialogCall>{DialogCall::cursor(180, 118)}));
    EXPECT_TRUE(window.windowTitle().startsWith("CARNELIS  -  ") && window.windowTitle().endsWith(" 12/2003"));
    EXPECT_FALSE(find<QLabel>(carnelis, "Image1")->pixmap().isNull()) << "the stamp picture did not load";
    dialogs.answerMsgBox(vb::OK);
    trigger("Propos");
    const DialogCall about = dialogs.boxes().at(0);
    EXPECT_TRUE(about.prompt.startsWith("Gestion de Tables référencées. V 12/2002\r\n"));
    EXPECT_EQ(std::pair(about.style, about.title), std::pair(64, std::optional<QString>(" CARNELIS. ")));
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
    EXPECT_TRUE(window.isVisible() && chooserShown());
    QTest::keyClick(&window, Qt::Key_Q, Qt::AltModifier);
    EXPECT_FALSE(window.isVisible() || chooser.get()->widget()->isVisible());
}

TEST_F(MainWindowTest, DatabaseEntryShowsOneChooserLoadedAfreshAfterItClosedAndTheFrameClosesOnlyTheMainWindow)
{
    show();
    trigger("Base");
    EXPECT_TRUE(chooserShown() && carnelis.get()->widget()->isEnabled() && !QApplication::activeModalWidget());
    trigger("Base");
    EXPECT_EQ(chooserLoads, 1);
    chooser.Unload();
    trigger("Base");
    EXPECT_EQ(chooserLoads, 2);
    carnelis.get()->widget()->close();
    EXPECT_FALSE(carnelis.isLoaded());
    EXPECT_TRUE(chooserShown());
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
        const std::vector<DialogCall> &calls = dialogs.transcript();
        EXPECT_TRUE(calls.size() == 3 && calls[1] == DialogCall::beep() && calls[2].style == 54 && window.isVisible());
        EXPECT_EQ(calls.back().title, "Fichier d'Aide absent ou non associé.") << answer;
    }
}

} // namespace
