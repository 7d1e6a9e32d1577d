#include "CARNELIS.h"

#include "DialogServices.h"
#include "HelpPage.h"
#include "MainTexts.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>

namespace carnelis {

using namespace shell;

CARNELIS::CARNELIS(AppContext &context) : ctx_(context), c_(this)
{
    setObjectName(QStringLiteral("CARNELIS"));
    // No control takes the focus, so the window itself hears the keys.
    setFocusPolicy(Qt::StrongFocus);

    onSignal(ctx_.dialogs, c_.Base, &QAction::triggered, this, &CARNELIS::Base_Click);
    onSignal(ctx_.dialogs, c_.Lire, &QAction::triggered, this, &CARNELIS::Lire_Click);
    onSignal(ctx_.dialogs, c_.Propos, &QAction::triggered, this, &CARNELIS::Propos_Click);
    onSignal(ctx_.dialogs, c_.Quitter, &QAction::triggered, this, &CARNELIS::Quitter_Click);
}

void CARNELIS::Form_Load()
{
    RepertoireAppli = withTrailingSeparator(ctx_.dialogs.AppPath());
    c_.Label1->setText(warningText());
    c_.Label3->setText(welcomeText());
    c_.Label4->setText(QStringLiteral("  "));
    ctx_.dialogs.SetCursorPos(180, 118);
}

void CARNELIS::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    int16_t keyAscii = event->key() == Qt::Key_Escape ? int16_t(27)
                       : text.isEmpty()               ? int16_t(0)
                                                      : int16_t(text.at(0).unicode());
    if (keyAscii == 0) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    guarded(ctx_.dialogs, [&] { Form_KeyPress(keyAscii); });
}

void CARNELIS::closeEvent(QCloseEvent *event)
{
    // The frame's close button unloads this window only; the program goes on as long as
    // another of its windows is open.
    event->accept();
    if (ctx_.carnelis.get() == this)
        guarded(ctx_.dialogs, [&] { ctx_.carnelis.Unload(); });
}

void CARNELIS::Form_KeyPress(int16_t &KeyAscii)
{
    if (KeyAscii == 27)
        Quitter_Click();
}

void CARNELIS::Base_Click() { ctx_.chooser.Show(); }

void CARNELIS::Lire_Click()
{
    if (ctx_.dialogs.OpenDocument(helpPagePath(RepertoireAppli)))
        return;
    ctx_.dialogs.Beep();
    ctx_.dialogs.MsgBox(helpMissingPrompt(), helpMissingStyle, helpMissingTitle());
}

void CARNELIS::Propos_Click() { ctx_.dialogs.MsgBox(aboutText(), aboutStyle, aboutTitle()); }

void CARNELIS::Quitter_Click()
{
    // A row still being typed in the table view is offered for saving first; when it
    // cannot be saved the program stays, so that the person can try again or drop it.
    if (ctx_.grid.QueryUnload())
        End();
}

} // namespace carnelis
