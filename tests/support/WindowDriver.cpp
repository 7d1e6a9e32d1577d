#include "WindowDriver.h"

#include "CARNELIS.h"
#include "FRMGRID.h"
#include "FolderList.h"
#include "FrmUnite.h"

#include <QCoreApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace carnelis::test {

WindowDriver::WindowDriver(PrinterDevice *device)
    : ctx{selection, dialogs, carnelis, chooser, grid, device ? *device : printer}
{
}

WindowDriver::~WindowDriver()
{
    grid.Unload();
    chooser.Unload();
    carnelis.Unload();
    flushDeletes();
}

void WindowDriver::realWindows()
{
    carnelis.setFactory([this] { return std::make_unique<CARNELIS>(ctx); });
    chooser.setFactory([this] { return std::make_unique<FrmUnite>(ctx); });
    grid.setFactory([this] { return std::make_unique<FRMGRID>(ctx); });
}

QString WindowDriver::folder() const { return QDir::cleanPath(dir.path()); }

void WindowDriver::missing(const QString &name) { ADD_FAILURE() << "no control " << name.toStdString(); }

void WindowDriver::clickEntry(QListWidget *list, const QString &text)
{
    ASSERT_NE(list, nullptr);
    const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
}

QStringList WindowDriver::texts(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; list && i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

void WindowDriver::flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

FrmUnite &WindowDriver::chooserWindow()
{
    return static_cast<FrmUnite &>(chooser.isLoaded() ? *chooser.get() : chooser.Show());
}

void WindowDriver::pick(const QString &file, const QString &table, const QString &in)
{
    chooserWindow().findChild<FolderList *>(QStringLiteral("Dir1"))->setPath(in.isEmpty() ? folder() : in);
    clickEntry(find<QListWidget>(chooser, QStringLiteral("File1")), file);
    if (!table.isEmpty())
        clickEntry(find<QListWidget>(chooser, QStringLiteral("List1")), table);
}

void WindowDriver::option(int group, int index, const std::optional<QString> &typed)
{
    if (typed)
        dialogs.answerInput(*typed);
    chooserWindow();
    QWidget *button = find(chooser, QStringLiteral("Option%1_%2").arg(group).arg(index));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

void WindowDriver::criteria(int column, int condition, const std::optional<QString> &typed)
{
    option(1, column);
    option(2, condition, typed);
}

FRMGRID *WindowDriver::open()
{
    find<QPushButton>(chooser, QStringLiteral("CmdOuvrir"))->click();
    return grid.isLoaded() ? dynamic_cast<FRMGRID *>(grid.get()) : nullptr;
}

} // namespace carnelis::test
