#include "QtDialogServices.h"

#include <QApplication>
#include <QDate>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
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

QStringList buttonTexts(QMessageBox *box)
{
    QStringList texts;
    for (QAbstractButton *b : box->buttons())
        texts << b->text();
    return texts;
}

TEST(QtDialogServices, BoxShowsPromptTitleButtonsAndAnswersEscapeWithCancel)
{
    QtDialogServices dialogs;
    QString title, text;
    QStringList buttons;
    whenModal([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        buttons = buttonTexts(box);
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogs.MsgBox(QStringLiteral("Première ligne\r\nSeconde"), 3 + 32), vb::Cancel);
    EXPECT_EQ(title, "CARNELIS");
    EXPECT_EQ(text, "Première ligne\nSeconde");
    EXPECT_EQ(buttons, (QStringList{"&Oui", "&Non", "Annuler"}));
}

TEST(QtDialogServices, EscapeDoesNothingOnYesNoAndEnterTakesTheSecondDefault)
{
    QtDialogServices dialogs;
    int escapes = 0;
    whenModal([&](QWidget *w) {
        QTest::keyClick(w, Qt::Key_Escape);
        ++escapes;
        // Still up after Escape: answer with Enter on the default button.
        EXPECT_TRUE(w->isVisible());
        QTest::keyClick(w, Qt::Key_Return);
    });
    EXPECT_EQ(dialogs.MsgBox(QStringLiteral("Sûr ?"), 4 + 32 + 256, QStringLiteral(" Titre.")), vb::No);
    EXPECT_EQ(escapes, 1);
}

TEST(QtDialogServices, EscapeAnswersOkOnAnOkBoxAndTheTitleIsKept)
{
    QtDialogServices dialogs;
    QString title;
    whenModal([&](QWidget *w) {
        title = w->windowTitle();
        QTest::keyClick(w, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogs.MsgBox(QStringLiteral("Info"), 16, QStringLiteral(" Erreur de Système.")), vb::OK);
    EXPECT_EQ(title, " Erreur de Système.");
}

TEST(QtDialogServices, InputBoxStartsEmptyAndCancelGivesEmptyText)
{
    QtDialogServices dialogs;
    QString title, initial;
    whenModal([&](QWidget *w) {
        title = w->windowTitle();
        auto *edit = w->findChild<QLineEdit *>();
        ASSERT_NE(edit, nullptr);
        initial = edit->text();
        QTest::keyClicks(edit, "abc");
        QTest::keyClick(w, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogs.InputBox(QStringLiteral("Tapez")), QString());
    EXPECT_EQ(title, "CARNELIS");
    EXPECT_EQ(initial, QString());

    whenModal([&](QWidget *w) {
        QTest::keyClicks(w->findChild<QLineEdit *>(), "Écu d'or");
        QTest::keyClick(w, Qt::Key_Return);
    });
    EXPECT_EQ(dialogs.InputBox(QStringLiteral("Tapez")), QStringLiteral("Écu d'or"));
}

TEST(QtDialogServices, TodayIsMonthDayYear)
{
    QtDialogServices dialogs;
    const QString today = dialogs.Today();
    ASSERT_TRUE(QRegularExpression("^\\d\\d-\\d\\d-\\d\\d\\d\\d$").match(today).hasMatch()) << today.toStdString();
    const QDate now = QDate::currentDate();
    EXPECT_EQ(today.mid(0, 2).toInt(), now.month());
    EXPECT_EQ(today.mid(3, 2).toInt(), now.day());
}

TEST(QtDialogServices, OpenDocumentRefusesAMissingFile)
{
    QtDialogServices dialogs;
    EXPECT_FALSE(dialogs.OpenDocument(QStringLiteral("/nonexistent/carnelis.htm")));
}

} // namespace
