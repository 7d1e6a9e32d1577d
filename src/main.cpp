// CARNELIS starts on its main window; everything else is reached from its menu bar.
#include "CARNELIS.h"
#include "FRMGRID.h"
#include "Forms.h"
#include "FrmUnite.h"
#include "QtDialogServices.h"
#include "SelectionState.h"

#include <QApplication>
#include <memory>

using namespace carnelis;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CARNELIS"));

    SelectionState selection;
    QtDialogServices dialogs;
    // Declared after what they use, so each window goes before the state it refers to.
    FormSlot carnelisSlot;
    FormSlot chooserSlot;
    FormSlot gridSlot;
    AppContext ctx{selection, dialogs, carnelisSlot, chooserSlot, gridSlot};

    carnelisSlot.setFactory([&ctx] { return std::make_unique<CARNELIS>(ctx); });
    chooserSlot.setFactory([&ctx] { return std::make_unique<FrmUnite>(ctx); });
    gridSlot.setFactory([&ctx] { return std::make_unique<FRMGRID>(ctx); });

    guarded(dialogs, [&] { carnelisSlot.Show(); });
    if (!carnelisSlot.isLoaded())
        return 1;
    const int status = app.exec();
    // Windows closed during the run are deleted later by Qt; let that happen while the
    // state they refer to still exists.
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
