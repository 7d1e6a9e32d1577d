#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class QWidget;

namespace carnelis {

class DialogServices;
class PrinterDevice;
struct SelectionState;

// A window of the program: its load handler runs inside the first Show.
class Form {
public:
    virtual ~Form() = default;
    virtual QWidget *widget() = 0;
    virtual void Form_Load() = 0;
    // Asked before the window goes, also when the whole program ends: the window offers to
    // keep what it holds unsaved, and sets Cancel to True when that could not be done, so
    // that nothing typed is lost without the person's word.
    virtual void Form_QueryUnload(int16_t &Cancel) { (void)Cancel; }
};

// One instance of a window for the whole run. Show loads it when it is not loaded (the
// load runs inside the call) and brings it to the front; Unload destroys it with its
// window-level state, so the next Show loads it afresh.
class FormSlot {
public:
    using Factory = std::function<std::unique_ptr<Form>()>;
    explicit FormSlot(Factory factory = {}) : factory_(std::move(factory)) {}
    FormSlot(const FormSlot &) = delete;
    FormSlot &operator=(const FormSlot &) = delete;
    ~FormSlot();

    void setFactory(Factory factory) { factory_ = std::move(factory); }

    // Throws RuntimeError when the load unloaded the window itself.
    Form &Show();
    // Loads without showing (the window stays hidden until Show).
    Form &Load();
    void Unload();
    // Runs the window's Form_QueryUnload; true when it may go (or is not loaded).
    bool QueryUnload();
    bool isLoaded() const { return form_ != nullptr; }
    Form *get() const { return form_.get(); }

private:
    Factory factory_;
    std::unique_ptr<Form> form_;
    bool loading_ = false;
    bool unloadedWhileLoading_ = false;
};

// Ends the program at once, every window closed.
void End();
// True once End has been called: a window asked to close then goes without its questions.
bool isEnding();

// What every window of the program shares: the selection, the desktop services and the
// three windows. Owned by main; handed to each window by reference.
struct AppContext {
    SelectionState &selection;
    DialogServices &dialogs;
    FormSlot &carnelis;     // the main window
    FormSlot &chooser;      // FrmUnite
    FormSlot &grid;         // FRMGRID
    PrinterDevice &printer; // the system's default printer, or a recorder in the tests
};

// Runs an event handler: an error no handler trapped is shown in one critical box with
// its French text, and the program goes on.
void guarded(DialogServices &dialogs, const std::function<void()> &handler);

// The one way a window wires a control to its handler: the handler runs under the guard
// above, so that no handler carries a guard of its own. The handler is a member of the
// window taking what the signal gives, or a piece of code written in place.
template <typename Sender, typename Signal, typename Window, typename... Args>
void onSignal(DialogServices &dialogs, Sender *sender, Signal signal, Window *window, void (Window::*handler)(Args...))
{
    QObject::connect(sender, signal, window, [&dialogs, window, handler](Args... args) {
        guarded(dialogs, [&] { (window->*handler)(args...); });
    });
}

template <typename Sender, typename Signal>
void onSignal(DialogServices &dialogs, Sender *sender, Signal signal, QObject *context, std::function<void()> handler)
{
    QObject::connect(sender, signal, context, [&dialogs, handler = std::move(handler)] { guarded(dialogs, handler); });
}

} // namespace carnelis
