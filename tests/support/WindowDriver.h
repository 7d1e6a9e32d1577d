#pragma once
// The application's windows driven offscreen, the way a person uses them: the shared
// selection, scripted dialogs, a recording printer (or the device given), the three
// window slots and a temporary folder. Every window test starts from here.
#include "Forms.h"
#include "RecordingPrinter.h"
#include "ScriptedDialogs.h"
#include "SelectionState.h"

#include <QTemporaryDir>
#include <QWidget>
#include <optional>

class QListWidget;

namespace carnelis {
class FRMGRID;
class FrmUnite;
} // namespace carnelis

namespace carnelis::test {

// A window that only counts its loads: what a test puts in a slot to see how another
// window reaches it.
class CountingForm : public QWidget, public Form {
public:
    explicit CountingForm(int &loads) : loads_(loads) {}
    QWidget *widget() override { return this; }
    void Form_Load() override { ++loads_; }

private:
    int &loads_;
};

class WindowDriver {
public:
    explicit WindowDriver(PrinterDevice *device = nullptr);
    virtual ~WindowDriver();
    WindowDriver(const WindowDriver &) = delete;
    WindowDriver &operator=(const WindowDriver &) = delete;

    // The real main window, chooser and table view in the three slots.
    void realWindows();
    QString folder() const;

    // A named control of a loaded window; a test failure when there is none.
    template <typename T = QWidget>
    T *find(FormSlot &slot, const QString &name)
    {
        T *found = slot.isLoaded() ? slot.get()->widget()->findChild<T *>(name) : nullptr;
        if (!found)
            missing(name);
        return found;
    }
    // A click on the one entry of a list box that reads `text`.
    static void clickEntry(QListWidget *list, const QString &text);
    static void flushDeletes();
    // The texts of a list box's entries, in order.
    static QStringList texts(const QListWidget *list);

    // The chooser, shown first when it is not loaded.
    FrmUnite &chooserWindow();
    // Folder, file and table clicked in the chooser.
    void pick(const QString &file, const QString &table, const QString &folder = {});
    // An option of the chooser clicked, with the answer typed at its prompt, if any.
    void option(int group, int index, const std::optional<QString> &typed = std::nullopt);
    // A column and a condition chosen, with the condition's value typed at its prompt.
    void criteria(int column, int condition, const std::optional<QString> &typed = std::nullopt);
    // Presses Ouvrir; the table view it opened, or null.
    FRMGRID *open();

    QTemporaryDir dir;
    SelectionState selection;
    ScriptedDialogs dialogs;
    FormSlot carnelis;
    FormSlot chooser;
    FormSlot grid;
    RecordingPrinter printer;
    AppContext ctx;

private:
    static void missing(const QString &name);
};

} // namespace carnelis::test
