#pragma once
// What the table view does when the user chooses "    &Imprimer": every row of the view
// printed as the fixed-column report, the user asked to turn each sheet for printing on
// both sides, and every other activation only closing the job and reloading the grid.
#include <QString>
#include <cstdint>

namespace carnelis {

class DataControl;
class DialogServices;
class PrinterDevice;
class ReportProgress;
struct SelectionState;

class Impression {
public:
    static const QString RectoVersoPrompt;
    static const QString RectoVersoTitle;
    static const QString PrinterFailurePrompt;

    Impression(PrinterDevice &printer, DialogServices &dialogs, ReportProgress *progress = nullptr)
        : printer_(printer), dialogs_(dialogs), progress_(progress)
    {
    }

    // The whole handler, under its own trap: a printer that does not answer or has no
    // paper gets its message, any other failure ends the run quietly. A failed or
    // cancelled run leaves nothing half printed and ImpressionFaite as it was. Returns
    // true when Data1 was reloaded, so that its former recordset is gone.
    bool run(DataControl &Data1, const SelectionState &selection, const QString &DateDuJour, int16_t &ImpressionFaite);

private:
    bool print(DataControl &Data1, const SelectionState &selection, const QString &DateDuJour);

    PrinterDevice &printer_;
    DialogServices &dialogs_;
    ReportProgress *progress_;
};

} // namespace carnelis
