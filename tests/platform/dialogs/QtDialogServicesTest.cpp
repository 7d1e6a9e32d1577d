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
    whenModal([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr); // the ordinary pointer, untouched
        seen << box->windowTitle() << box->text();
        for (QAbstractButton *b : box->buttons())
            seen << b->text();
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogs.MsgBox("Première ligne\r\nSeconde", 3 + 32), vb::Cancel);
    EXPECT_EQ(seen, (QStringList{"CARNELIS", "Première ligne\nSeconde", "&Oui", "&Non", "Annuler"}));

    whenModal([&](QWidget *w) {
        seen = {w->windowTitle()};
        QTest::keyClick(w, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogs.MsgBox("Info", 16, " Erreur de Système."), vb::OK);
    EXPECT_EQ(seen, QStringList{" Erreur de Système."});

    // Escape does nothing on Yes/No; Enter takes the default, here the second button.
    whenModal([&](QWidget *w) {
        QTest::keyClick(w, Qt::Key_Escape);
        EXPECT_TRUE(w->isVisible());
        QTest::keyClick(w, Qt::Key_Return);
    });
    EXPECT_EQ(dialogs.MsgBox("Sûr ?", 4 + 32 + 256, " Titre."), vb::No);

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

TEST(QtDialogServices, InputBoxStartsEmptyAndCancelGivesEmptyText)
{
    QtDialogServices dialogs;
    QStringList seen;
    whenModal([&](QWidget *w) {
        auto *edit = w->findChild<QLineEdit *>();
        ASSERT_NE(edit, nullptr);
        seen << w->windowTitle() << edit->text();
        QTest::keyClicks(edit, "abc");
        QTest::keyClick(w, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogs.InputBox("Tapez"), QString());
    EXPECT_EQ(seen, (QStringList{"CARNELIS", ""}));
    whenModal([&](QWidget *w) {
        QTest::keyClicks(w->findChild<QLineEdit *>(), "Écu d'or");
        QTest::keyClick(w, Qt::Key_Return);
    });
    EXPECT_EQ(dialogs.InputBox("Tapez"), "Écu d'or");
}

TEST(QtDialogServices, TodayIsMonthDayYearAndAMissingDocumentIsRefused)
{
    QtDialogServices dialogs;
    EXPECT_EQ(dialogs.Today(), QDate::currentDate().toString("MM-dd-yyyy"));
    EXPECT_FALSE(dialogs.OpenDocument("/nonexistent/carnelis.htm"));
}

} // namespace
