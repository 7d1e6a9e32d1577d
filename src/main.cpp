// CARNELIS starts on its main window; everything else is reached from its menu bar.
// Started on a catalogue (carnelis FICHIER.MDB, as the file manager does), it opens the
// chooser on that file too.
#include "CARNELIS.h"
#include "FRMGRID.h"
#include "Forms.h"
#include "FrmUnite.h"
#include "QtDialogServices.h"
#include "SelectionState.h"
#include "SystemPrinter.h"

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <memory>

using namespace carnelis;

namespace {

const char usage[] = "Utilisation : carnelis [FICHIER.MDB]\n"
                     "  Ouvre CARNELIS ; avec un fichier, ouvre aussi la sélection sur ce fichier\n"
                     "  et affiche ses tables.\n"
                     "  carnelis --help     affiche cette aide.\n"
                     "  carnelis --version  affiche la version.\n";

} // namespace

int main(int argc, char *argv[])
{
    // Answered before the toolkit starts, so that they work without a display.
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("carnelis %s\n", CARNELIS_VERSION);
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CARNELIS"));
    QApplication::setApplicationVersion(QStringLiteral(CARNELIS_VERSION));

    // What Qt leaves once it has taken its own options: at most one catalogue.
    const QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.size() > 1 || (!arguments.isEmpty() && arguments[0].startsWith(u'-'))) {
        std::fputs(usage, stderr);
        return 2;
    }

    SelectionState selection;
    QtDialogServices dialogs;
    SystemPrinter printer;
    // Declared after what they use, so each window goes before the state it refers to.
    FormSlot carnelisSlot;
    FormSlot chooserSlot;
    FormSlot gridSlot;
    AppContext ctx{selection, dialogs, carnelisSlot, chooserSlot, gridSlot, printer};

    carnelisSlot.setFactory([&ctx] { return std::make_unique<CARNELIS>(ctx); });
    chooserSlot.setFactory([&ctx] { return std::make_unique<FrmUnite>(ctx); });
    gridSlot.setFactory([&ctx] { return std::make_unique<FRMGRID>(ctx); });

    guarded(dialogs, [&] { carnelisSlot.Show(); });
    if (!carnelisSlot.isLoaded())
        return 1;
    if (!arguments.isEmpty())
        guarded(dialogs, [&] {
            chooserSlot.Show();
            if (auto *chooser = dynamic_cast<FrmUnite *>(chooserSlot.get()))
                chooser->chooseFile(arguments[0]);
        });
    const int status = app.exec();
    // Windows closed during the run are deleted later by Qt; let that happen while the
    // state they refer to still exists.
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
