#include "Forms.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>

using namespace carnelis;

namespace {

// A window whose load does what the test asks.
struct ProbeForm : QWidget, Form {
    explicit ProbeForm(std::function<void()> onLoad) : onLoad_(std::move(onLoad)) {}
    QWidget *widget() override { return this; }
    void Form_Load() override { onLoad_(); }
    int state = 0; // window-level state that an unload must discard
    std::function<void()> onLoad_;
};

struct FormsTest : ::testing::Test {
    int made = 0;
    std::function<void()> onLoad = [] {};
    FormSlot slot{[this] {
        ++made;
        return std::make_unique<ProbeForm>([this] { onLoad(); });
    }};
    ProbeForm *probe() { return static_cast<ProbeForm *>(slot.get()); }
    ~FormsTest() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

// Show loads once and Unload destroys the window, so the next Show loads afresh; a load
// that unloads its own window makes Show fail, and one that throws leaves no half loaded
// window.
TEST_F(FormsTest, ShowLoadsOnceAndUnloadOrAFailedLoadLeavesNoWindow)
{
    int loads = 0;
    onLoad = [&] { ++loads; };
    slot.Show();
    probe()->state = 42;
    slot.Show();
    EXPECT_TRUE(made + loads == 2 && probe()->state == 42 && probe()->isVisible());
    QPointer<QWidget> first = probe();
    slot.Unload();
    EXPECT_FALSE(slot.isLoaded() || first->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    slot.Show();
    EXPECT_TRUE(made == 2 && probe()->state == 0);

    slot.Unload();
    onLoad = [this] { slot.Unload(); };
    EXPECT_EQ(test::thrownBy([&] { slot.Show(); }).number(), err::FormUnloaded);
    EXPECT_FALSE(slot.isLoaded());
    onLoad = [] { throw RuntimeError(err::CannotOpen, "Fichier introuvable."); };
    EXPECT_EQ(test::thrownBy([&] { slot.Show(); }).number(), err::CannotOpen);
    EXPECT_FALSE(slot.isLoaded());
    onLoad = [] {};
    slot.Show();
    EXPECT_TRUE(slot.isLoaded() && made == 5);
}

TEST(Guarded, AnUntrappedErrorShowsOneCriticalBoxWithItsTextAndTheProgramGoesOn)
{
    ScriptedDialogs dialogs;
    dialogs.answerMsgBox(vb::OK);
    bool after = false;
    guarded(dialogs, [] { throw RuntimeError(err::ReadOnly, "Base de données en lecture seule."); });
    guarded(dialogs, [&] { after = true; });
    EXPECT_TRUE(after);
    EXPECT_EQ(dialogs.transcript(),
              std::vector<DialogCall>{DialogCall::msgBox("Base de données en lecture seule.", vb::Critical)});
}

} // namespace
