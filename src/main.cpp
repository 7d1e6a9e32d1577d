// CARNELIS starts on its main window; everything else is reached from its menu bar.
#include "CARNELIS.h"
#include "Forms.h"
#include "QtDialogServices.h"
#include "SelectionState.h"

#if __has_include("FrmUnite.h")
#include "FrmUnite.h"
#define CARNELIS_HAS_CHOOSER 1
#endif
#if __has_include("FRMGRID.h")
#include "FRMGRID.h"
#define CARNELIS_HAS_GRID 1
#endif

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
#ifdef CARNELIS_HAS_CHOOSER
    chooserSlot.setFactory([&ctx] { return std::make_unique<FrmUnite>(ctx); });
#endif
#ifdef CARNELIS_HAS_GRID
    gridSlot.setFactory([&ctx] { return std::make_unique<FRMGRID>(ctx); });
#endif

    guarded(dialogs, [&] { carnelisSlot.Show(); });
    if (!carnelisSlot.isLoaded())
        return 1;
    const int status = app.exec();
    // Windows closed during the run are deleted later by Qt; let that happen while the
    // state they refer to still exists.
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
