#include "QtDialogServices.h"

#include "MsgBoxStyle.h"

#include <QApplication>
#include <QCursor>
#include <QDate>
#include <QDesktopServices>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include <map>

namespace carnelis {

namespace {

QMessageBox::Icon qtIcon(MsgBoxLayout::Icon icon)
{
    switch (icon) {
    case MsgBoxLayout::Icon::Critical:
        return QMessageBox::Critical;
    case MsgBoxLayout::Icon::Question:
        return QMessageBox::Question;
    case MsgBoxLayout::Icon::Exclamation:
        return QMessageBox::Warning;
    case MsgBoxLayout::Icon::Information:
        return QMessageBox::Information;
    case MsgBoxLayout::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

int QtDialogServices::MsgBox(const QString &prompt, int style, const std::optional<QString> &title)
{
    const MsgBoxLayout layout = decodeMsgBoxStyle(style);

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title ? *title : QString::fromLatin1(applicationTitle));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString(prompt).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    box.setIcon(qtIcon(layout.icon));

    // One role for every button keeps them in the order given instead of the order the
    // platform style prefers, and leaves Escape to the escape button alone: a box
    // without one ignores Escape and its close button.
    std::map<QAbstractButton *, int> codes;
    QAbstractButton *escape = nullptr;
    for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
        QPushButton *button = box.addButton(layout.buttons[i].text, QMessageBox::ActionRole);
        codes[button] = layout.buttons[i].code;
        if (int(i) == layout.defaultButton)
            box.setDefaultButton(button);
        if (layout.escapeCode == layout.buttons[i].code)
            escape = button;
    }
    box.setEscapeButton(escape);

    // The pointer may be busy while a long step runs; the box needs the ordinary one.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    box.exec();
    if (busy)
        QApplication::restoreOverrideCursor();

    const auto found = codes.find(box.clickedButton());
    if (found != codes.end())
        return found->second;
    return layout.escapeCode.value_or(layout.buttons.front().code);
}

QString QtDialogServices::InputBox(const QString &prompt)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(QString::fromLatin1(applicationTitle));
    dialog.setLabelText(QString(prompt).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(QString());
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annuler"));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue();
}

void QtDialogServices::Beep() { QApplication::beep(); }

void QtDialogServices::SetCursorPos(int x, int y) { QCursor::setPos(x, y); }

QString QtDialogServices::Today() { return QDate::currentDate().toString(QStringLiteral("MM-dd-yyyy")); }

QString QtDialogServices::AppPath() { return QCoreApplication::applicationDirPath(); }

bool QtDialogServices::OpenDocument(const QString &path)
{
    const QFileInfo file(path);
    if (!file.exists() || !file.isFile())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}

} // namespace carnelis
