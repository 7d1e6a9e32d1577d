#include "Forms.h"
#include "RuntimeError.h"
#include "ScriptedDialogs.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>

using namespace carnelis;

namespace {

// A window whose load does what the test asks.
class ProbeForm : public QWidget, public Form {
public:
    explicit ProbeForm(std::function<void()> onLoad) : onLoad_(std::move(onLoad)) {}
    QWidget *widget() override { return this; }
    void Form_Load() override
    {
        ++loads;
        onLoad_();
    }
    int loads = 0;
    int state = 0; // window-level state that an unload must discard

private:
    std::function<void()> onLoad_;
};

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

struct FormsTest : ::testing::Test {
    int made = 0;
    std::function<void()> onLoad = [] {};
    FormSlot slot{[this] {
        ++made;
        return std::make_unique<ProbeForm>([this] { onLoad(); });
    }};
    ProbeForm *probe() { return static_cast<ProbeForm *>(slot.get()); }
};

TEST_F(FormsTest, ShowLoadsOnceAndShowsTheWindow)
{
    slot.Show();
    probe()->state = 42;
    slot.Show();
    EXPECT_EQ(made, 1);
    EXPECT_EQ(probe()->loads, 1);
    EXPECT_EQ(probe()->state, 42);
    EXPECT_TRUE(probe()->isVisible());
}

TEST_F(FormsTest, UnloadDestroysTheWindowAndTheNextShowLoadsAfresh)
{
    slot.Show();
    probe()->state = 42;
    QPointer<QWidget> first = probe();
    slot.Unload();
    EXPECT_FALSE(slot.isLoaded());
    EXPECT_FALSE(first->isVisible());
    flushDeletes();
    EXPECT_TRUE(first.isNull());

    slot.Show();
    EXPECT_EQ(made, 2);
    EXPECT_EQ(probe()->state, 0);
}

TEST_F(FormsTest, ALoadThatUnloadsItsOwnWindowMakesShowFail)
{
    onLoad = [this] { slot.Unload(); };
    try {
        slot.Show();
        FAIL() << "Show should have failed";
    } catch (const RuntimeError &e) {
        EXPECT_EQ(e.number(), err::FormUnloaded);
    }
    EXPECT_FALSE(slot.isLoaded());
    flushDeletes();

    onLoad = [] {};
    slot.Show();
    EXPECT_TRUE(slot.isLoaded());
    EXPECT_EQ(made, 2);
}

TEST_F(FormsTest, ALoadThatThrowsLeavesNoHalfLoadedWindow)
{
    onLoad = [] { throw RuntimeError(err::CannotOpen, QStringLiteral("Fichier introuvable.")); };
    EXPECT_THROW(slot.Show(), RuntimeError);
    EXPECT_FALSE(slot.isLoaded());
    flushDeletes();
}

TEST(Guarded, AnUntrappedErrorShowsOneCriticalBoxWithItsTextAndTheProgramGoesOn)
{
    ScriptedDialogs dialogs;
    dialogs.answerMsgBox(vb::OK);
    bool after = false;
    guarded(dialogs, [] { throw RuntimeError(err::ReadOnly, QStringLiteral("Base de données en lecture seule.")); });
    guarded(dialogs, [&] { after = true; });
    EXPECT_TRUE(after);
    EXPECT_EQ(dialogs.transcript(), std::vector<DialogCall>{DialogCall::msgBox(
                                        QStringLiteral("Base de données en lecture seule."), vb::Critical)});
}

} // namespace
