#include "Impression.h"

#include "DialogServices.h"
#include "Engine.h"
#include "PrinterDevice.h"
#include "ReportProgress.h"
#include "ReportWriter.h"
#include "RuntimeError.h"

namespace carnelis {

const QString Impression::RectoVersoPrompt = QStringLiteral(
    "Pour imprimer Recto-Verso, attendez l'éjection de la feuille en cours, retournez-la puis cliquez sur <OK>.");
const QString Impression::RectoVersoTitle = QStringLiteral(" Impression Recto-Verso.");
const QString Impression::PrinterFailurePrompt = QStringLiteral("Imprimante inaccessible ou manquant de papier)");

namespace {
constexpr int16_t True = -1, False = 0;

Recordset &rowsOf(const DataControl &Data1)
{
    Recordset *rows = Data1.recordset();
    if (!rows)
        throw RuntimeError(err::NoCurrentRecord, QStringLiteral("Aucun enregistrement en cours."));
    return *rows;
}

// The progress window closes however the run ends.
class ProgressScope {
public:
    ProgressScope(ReportProgress *progress, int total) : progress_(progress)
    {
        if (progress_)
            progress_->begin(total);
    }
    ~ProgressScope()
    {
        if (progress_)
            progress_->end();
    }
    ProgressScope(const ProgressScope &) = delete;
    ProgressScope &operator=(const ProgressScope &) = delete;

private:
    ReportProgress *progress_;
};
} // namespace

bool Impression::run(DataControl &Data1, const SelectionState &selection, const QString &DateDuJour,
                     int16_t &ImpressionFaite)
{
    bool reloaded = false;
    try {
        // An empty view has no first row to go to; it prints the report of no rows.
        if (Recordset &rows = rowsOf(Data1); rows.RecordCount() > 0)
            rows.setAbsolutePosition(0);
        if (ImpressionFaite) {
            ImpressionFaite = False;
            printer_.EndDoc();
            reloaded = true;
            Data1.Refresh();
            return reloaded;
        }
        if (!print(Data1, selection, DateDuJour)) {
            printer_.KillDoc(); // cancelled: nothing of it comes out
            return reloaded;
        }
        printer_.EndDoc();
        reloaded = true;
        Data1.Refresh();
        ImpressionFaite = True;
    } catch (const RuntimeError &e) {
        // A job stopped halfway is abandoned rather than left open to be mixed into
        // the next run's pages.
        printer_.KillDoc();
        if (e.number() == err::DeviceNotAnswering || e.number() == err::OutOfPaper)
            dialogs_.MsgBox(PrinterFailurePrompt, vb::OKOnly);
    } catch (const std::exception &) {
        printer_.KillDoc();
    }
    return reloaded;
}

bool Impression::print(DataControl &Data1, const SelectionState &selection, const QString &DateDuJour)
{
    Recordset &rows = rowsOf(Data1);
    ProgressScope scope(progress_, rows.RecordCount());
    ReportWriter writer(printer_, rows);
    writer.setPageTurn([this] { dialogs_.MsgBox(RectoVersoPrompt, vb::OKOnly + vb::Exclamation, RectoVersoTitle); });
    if (progress_)
        writer.setProgress([this](int printed) { return progress_->advance(printed); });
    return writer.write(selection, DateDuJour);
}

} // namespace carnelis
