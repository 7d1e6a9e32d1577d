#include "QtDialogServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

using namespace carnelis;

namespace {

// Acts on the modal box once it is up, from inside its own event loop.
void whenModal(std::function<void(QWidget *)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget *modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        act(modal);
    });
}

TEST(QtDialogServices, BoxesShowPromptTitleAndButtonsAndAnswerEscapeAsTheirStyleSays)
{
    QtDialogServices dialogs;
    QStringList seen;
    // Records what the box shows, then presses each key; Escape does nothing on Yes/No.
    const auto press = [&](std::vector<Qt::Key> keys) {
        whenModal([&seen, keys](QWidget *w) {
            seen = {w->windowTitle(), w->property("text").toString()};
            for (QAbstractButton *b : qobject_cast<QMessageBox *>(w)->buttons())
                seen << b->text();
            seen << (QApplication::overrideCursor() ? "busy" : "");
            for (const Qt::Key key : keys) {
                QTest::keyClick(w, key);
                seen << (w->isVisible() ? "open" : "closed");
            }
        });
    };
    press({Qt::Key_Escape});
    EXPECT_EQ(dialogs.MsgBox("Première ligne\r\nSeconde", 3 + 32), vb::Cancel);
    EXPECT_EQ(seen, (QStringList{"CARNELIS", "Première ligne\nSeconde", "&Oui", "&Non", "Annuler", "", "closed"}));
    press({Qt::Key_Escape});
    EXPECT_EQ(dialogs.MsgBox("Info", 16, " Erreur de Système."), vb::OK);
    EXPECT_EQ(seen.first(), " Erreur de Système.");
    // Enter takes the default, here the second button.
    press({Qt::Key_Escape, Qt::Key_Return});
    EXPECT_EQ(dialogs.MsgBox("Sûr ?", 4 + 32 + 256, " Titre."), vb::No);
    EXPECT_EQ(seen.mid(seen.size() - 2), (QStringList{"open", "closed"}));

    // Over a busy pointer the box shows the ordinary one, and leaves the busy one after.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    whenModal([&](QWidget *w) {
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ArrowCursor);
        QTest::keyClick(w, Qt::Key_Escape);
    });
    dialogs.MsgBox("Info");
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QApplication::restoreOverrideCursor();
}

TEST(QtDialogServices, InputBoxStartsEmptyAndCancelGivesEmptyTextAndTodayIsMonthDayYear)
{
    QtDialogServices dialogs;
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        whenModal([key](QWidget *w) {
            auto *edit = w->findChild<QLineEdit *>();
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(QStringList({w->windowTitle(), edit->text()}), QStringList({"CARNELIS", ""}));
            QTest::keyClicks(edit, "Écu d'or");
            QTest::keyClick(w, key);
        });
        EXPECT_EQ(dialogs.InputBox("Tapez"), key == Qt::Key_Return ? "Écu d'or" : QString());
    }
    EXPECT_EQ(dialogs.Today(), QDate::currentDate().toString("MM-dd-yyyy"));
    EXPECT_FALSE(dialogs.OpenDocument("/nonexistent/carnelis.htm"));
}

} // namespace
