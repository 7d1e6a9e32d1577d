#include "Forms.h"

#include "DialogServices.h"
#include "RuntimeError.h"

#include <QApplication>
#include <QWidget>

namespace carnelis {

FormSlot::~FormSlot() = default;

Form &FormSlot::Load()
{
    if (form_)
        return *form_;
    form_ = factory_();
    loading_ = true;
    unloadedWhileLoading_ = false;
    try {
        form_->Form_Load();
    } catch (...) {
        // A load that failed without trapping its error leaves no half-made window
        // behind: the next Show loads afresh.
        loading_ = false;
        Unload();
        throw;
    }
    loading_ = false;
    if (unloadedWhileLoading_ || !form_)
        throw RuntimeError(err::FormUnloaded, QStringLiteral("La fenêtre a été fermée pendant son chargement."));
    return *form_;
}

Form &FormSlot::Show()
{
    Form &form = Load();
    QWidget *w = form.widget();
    w->show();
    w->raise();
    w->activateWindow();
    return form;
}

void FormSlot::Unload()
{
    if (!form_)
        return;
    if (loading_)
        unloadedWhileLoading_ = true;
    // The handler that asked for the unload may still be running on this window: hide
    // it now and let Qt destroy it once control is back in the event loop.
    std::unique_ptr<Form> form = std::move(form_);
    QWidget *w = form->widget();
    w->hide();
    // Each window is both its Form and its QWidget, so the widget's deletion ends both.
    (void)form.release();
    w->deleteLater();
    // Closing the last window ends the program, as closing it with its frame does.
    bool anyVisible = false;
    for (QWidget *top : QApplication::topLevelWidgets())
        anyVisible = anyVisible || (top->isVisible() && top->isWindow() && top != w);
    if (!anyVisible && QApplication::quitOnLastWindowClosed())
        QApplication::quit();
}

bool FormSlot::QueryUnload()
{
    if (!form_)
        return true;
    int16_t cancel = 0;
    form_->Form_QueryUnload(cancel);
    return cancel == 0;
}

namespace {
bool ending = false;
}

bool isEnding() { return ending; }

void End()
{
    ending = true;
    QApplication::closeAllWindows();
    QApplication::quit();
}

void guarded(DialogServices &dialogs, const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const RuntimeError &e) {
        dialogs.MsgBox(e.text(), vb::Critical);
    } catch (const std::exception &e) {
        dialogs.MsgBox(QStringLiteral("Erreur inattendue : ") + QString::fromLocal8Bit(e.what()), vb::Critical);
    }
}

} // namespace carnelis
