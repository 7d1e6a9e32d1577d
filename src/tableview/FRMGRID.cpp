#include "FRMGRID.h"

#include "BusyCursor.h"
#include "Collection.h"
#include "DataGrid.h"
#include "DeletionPrompt.h"
#include "DialogServices.h"
#include "Impression.h"
#include "JumpPositions.h"
#include "KeyPreview.h"
#include "Recherche.h"
#include "RecordsetModel.h"
#include "ReportProgressDialog.h"
#include "SelectionState.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLocale>

namespace carnelis {

namespace {

// Every grid column is bound to its column of the table: a table without one of them is
// not a collection table, even when the query itself does not name it.
void requireCollectionColumns(const Recordset &recordset)
{
    const QStringList names = recordset.columnNames();
    for (const CollectionColumn &column : collectionTable)
        if (!names.contains(QLatin1String(column.name), Qt::CaseInsensitive))
            throw RuntimeError(err::ItemNotFound, QStringLiteral("Colonne absente : ") + QLatin1String(column.name));
}

} // namespace

FRMGRID::FRMGRID(AppContext &ctx) : ctx_(ctx)
{
    setupUi(this);
    keyPreview_ = new KeyPreview(this, [this](int16_t keyAscii) {
        guarded(ctx_.dialogs, [&] { Form_KeyPress(keyAscii); });
        return keyAscii == 27;
    });

    DialogServices &dialogs = ctx_.dialogs;
    onSignal(dialogs, Imprimer, &QAction::triggered, this, &FRMGRID::Imprimer_Click);
    onSignal(dialogs, Debut, &QAction::triggered, this, &FRMGRID::Debut_Click);
    onSignal(dialogs, VingtCinq, &QAction::triggered, this, &FRMGRID::VingtCinq_Click);
    onSignal(dialogs, Milieu, &QAction::triggered, this, &FRMGRID::Milieu_Click);
    onSignal(dialogs, SoixanteQuinze, &QAction::triggered, this, &FRMGRID::SoixanteQuinze_Click);
    onSignal(dialogs, Fin, &QAction::triggered, this, &FRMGRID::Fin_Click);
    onSignal(dialogs, EffacerLigne, &QAction::triggered, this, &FRMGRID::EffacerLigne_Click);
    onSignal(dialogs, Quitter, &QAction::triggered, this, &FRMGRID::Quitter_Click);
    onSignal(dialogs, DBGrid1, &DataGrid::rowAltered, this, &FRMGRID::DBGrid1_Change);
    onSignal(dialogs, DBGrid1, &DataGrid::rowWritten, this, &FRMGRID::DBGrid1_AfterUpdate);
    onSignal(dialogs, DBGrid1, &DataGrid::rowRestored, this, &FRMGRID::DBGrid1_RowRestored);
    onSignal(dialogs, DBGrid1, &DataGrid::deleteRequested, this, &FRMGRID::DBGrid1_DeleteRows);
    onSignal(dialogs, DBGrid1, &DataGrid::failed, this, &FRMGRID::DBGrid1_Error);
    // The grid shows whatever recordset the data control holds, from its first load to the
    // refresh that ends a print run.
    connect(&Data1, &DataControl::recordsetChanged, DBGrid1, &DataGrid::setRecordset);
    onSignal(dialogs, DBGrid1, &DataGrid::editRefused, this, &FRMGRID::DBGrid1_EditRefused);
}

FRMGRID::~FRMGRID()
{
    // The grid reads from the recordset until the very end; unbind it first.
    DBGrid1->setRecordset(nullptr);
}

void FRMGRID::Form_Load()
{
    SelectionState &selection = ctx_.selection;
    DialogServices &dialogs = ctx_.dialogs;
    BusyCursor busy;
    try {
        ImpressionFaite = 0;
        LigneSauvee = -1;
        accessNoticeShown_ = false;
        const QString today = dialogs.Today();
        DateDuJour = today.mid(3, 2) + QLatin1Char('/') + today.mid(0, 2) + QLatin1Char('/') + today.mid(6, 4);
        setWindowTitle(QStringLiteral(" Table Sélectionnée ") + selection.NomTable + QStringLiteral(" issue de ") +
                       selection.NomFichierMdb);
        Data1.DatabaseName = selection.databasePath();
        const int colonneTri = selection.ColonneTri.value_or(-1);
        if (colonneTri == 0) {
            TexteRequete = unfilteredQuery(selection.NomTable);
        } else if (columnForChoice(colonneTri)) {
            NomChamp = columnNameFor(colonneTri);
            Recherche(selection, NomChamp, TexteRequete);
        }
        Data1.RecordSource = TexteRequete;
        Data1.Refresh();
        requireCollectionColumns(*Data1.recordset());
        if (Data1.recordset()->isReadOnly())
            setWindowTitle(windowTitle() + QStringLiteral(" (lecture seule)"));
        Label1->setText(QStringLiteral(" ") + selection.ResumeCriteres + QStringLiteral(" - Lignes:  ") +
                        QString::number(Data1.recordset()->RecordCount()));
        dialogs.SetCursorPos(740, 35);
    } catch (const std::exception &) {
        busy.release();
        DBGrid1->setRecordset(nullptr);
        if (Data1.database())
            Data1.database()->Close();
        dialogs.Beep();
        dialogs.MsgBox(QStringLiteral(" La stucture de la Table ") + selection.NomTable +
                           QStringLiteral(" n'est pas conforme aux règles définies lors de la programmation du "
                                          "Logiciel."),
                       vb::OKOnly);
        selection.NomTable.clear();
        selection.CritereTri.clear();
        ctx_.grid.Unload();
    }
}

void FRMGRID::Imprimer_Click()
{
    DBGrid1->storePending();
    ReportProgressDialog progress(this, [this] { DBGrid1->followRecordset(); });
    // A run that refreshed the data control has rebound the grid already; one that
    // stopped leaves the grid on the row where it stopped.
    if (!Impression(ctx_.printer, ctx_.dialogs, &progress).run(Data1, ctx_.selection, DateDuJour, ImpressionFaite))
        DBGrid1->followRecordset();
}

void FRMGRID::jumpTo(int32_t position)
{
    DBGrid1->reposition([position](Recordset &recordset) {
        try {
            recordset.setAbsolutePosition(position);
        } catch (const RuntimeError &) {
            // No row there (empty view, or one past the last): stay on the current row.
        }
    });
}

void FRMGRID::Debut_Click() { jumpTo(0); }

void FRMGRID::VingtCinq_Click() { jumpTo(quarterPosition(Data1.recordset()->RecordCount())); }

void FRMGRID::Milieu_Click() { jumpTo(middlePosition(Data1.recordset()->RecordCount())); }

void FRMGRID::SoixanteQuinze_Click() { jumpTo(threeQuarterPosition(Data1.recordset()->RecordCount())); }

void FRMGRID::Fin_Click()
{
    DBGrid1->reposition([](Recordset &recordset) {
        try {
            recordset.MoveLast();
        } catch (const RuntimeError &) {
            // An empty view has no last row.
        }
    });
}

void FRMGRID::EffacerLigne_Click()
{
    DialogServices &dialogs = ctx_.dialogs;
    try {
        dialogs.Beep();
        Recordset *recordset = Data1.recordset();
        if (!recordset)
            throw RuntimeError(err::NoCurrentRecord, QStringLiteral("Aucune ligne en cours."));
        std::array<Value, collectionTable.size()> row;
        for (std::size_t i = 0; i < row.size(); ++i)
            row[i] = recordset->Fields(QLatin1String(collectionTable[i].name));
        const int answer = dialogs.MsgBox(deletionPrompt(row, QLocale()), vb::YesNo + vb::Question,
                                          QStringLiteral(" Effacement d'une Ligne."));
        if (answer != vb::No)
            DBGrid1->deleteCurrentRow();
    } catch (const std::exception &) {
        dialogs.Beep();
        dialogs.MsgBox(QStringLiteral("Cette manoeuvre provoque une Erreur."), vb::Critical,
                       QStringLiteral(" Erreur de Système."));
    }
}

void FRMGRID::Form_QueryUnload(int16_t &Cancel)
{
    if (LigneSauvee != 0)
        return;
    DialogServices &dialogs = ctx_.dialogs;
    dialogs.Beep();
    const int answer =
        dialogs.MsgBox(QStringLiteral("ATTENTION ! Vous n'avez pas sauvegardé la ligne en cours. Voulez-vous le faire "
                                      "maintenant ? "),
                       vb::YesNo + vb::Question, QStringLiteral(" Sauvegarde d'une Ligne."));
    if (answer != vb::Yes)
        return; // No: the change goes with the view
    try {
        DBGrid1->reposition([](Recordset &recordset) {
            if (recordset.AbsolutePosition() > -1)
                recordset.MoveNext();
            else
                recordset.MoveLast();
        });
    } catch (const RuntimeError &e) {
        // The person asked for the row to be kept and the file refused it (locked by
        // another program): say why and stay open with the change still pending, so that
        // it can be tried again, or dropped by answering No.
        if (DBGrid1->model()->hasPending()) {
            dialogs.MsgBox(e.text(), vb::Critical);
            Cancel = -1;
        }
    } catch (const std::exception &) {
    }
}

void FRMGRID::Quitter_Click()
{
    int16_t cancel = 0;
    Form_QueryUnload(cancel);
    if (cancel)
        return;
    // Each step is tried on its own: whatever fails, the view still closes.
    try {
        if (Data1.database())
            Data1.database()->Close();
    } catch (const std::exception &) {
    }
    ctx_.grid.Unload();
    try {
        ctx_.chooser.Show();
    } catch (const std::exception &) {
    }
}

void FRMGRID::Form_KeyPress(int16_t KeyAscii)
{
    if (KeyAscii == 27)
        Quitter_Click();
}

void FRMGRID::DBGrid1_Change() { LigneSauvee = 0; }

void FRMGRID::DBGrid1_AfterUpdate() { LigneSauvee = -1; }

void FRMGRID::DBGrid1_RowRestored() { LigneSauvee = -1; }

void FRMGRID::DBGrid1_DeleteRows(const QList<int> &rows)
{
    DialogServices &dialogs = ctx_.dialogs;
    // Nothing can bring the rows back: one question first, No being the default.
    dialogs.Beep();
    if (dialogs.MsgBox(selectedRowsDeletionPrompt(int(rows.size())), vb::YesNo + vb::Exclamation + vb::DefaultButton2,
                       QStringLiteral(" Effacement de Lignes.")) == vb::Yes)
        DBGrid1->deleteRows(rows);
}

void FRMGRID::DBGrid1_Error(const QString &text, int style) { ctx_.dialogs.MsgBox(text, style); }

void FRMGRID::DBGrid1_EditRefused()
{
    const Database *database = Data1.database();
    if (database && database->isGenuineAccess()) {
        // Said once: every key typed into a cell would otherwise bring it back.
        if (accessNoticeShown_)
            return;
        accessNoticeShown_ = true;
        ctx_.dialogs.MsgBox(QStringLiteral("Ce fichier est au format Access d'origine : il s'ouvre en lecture seule. "
                                           "Pour le modifier, convertissez-le avec carnelis-base importer."),
                            vb::Exclamation);
        return;
    }
    ctx_.dialogs.MsgBox(QStringLiteral("Ce fichier ne peut être que lu (fichier Access d'origine, ou fichier protégé "
                                       "en écriture) : les lignes ne peuvent pas y être modifiées."),
                        vb::Exclamation);
}

void FRMGRID::closeEvent(QCloseEvent *event)
{
    if (isEnding()) {
        event->accept();
        return;
    }
    // The frame's close button takes the same road as the Quitter entry, so that a
    // pending edit is offered for saving instead of being dropped.
    event->ignore();
    guarded(ctx_.dialogs, [this] { Quitter_Click(); });
}

} // namespace carnelis
