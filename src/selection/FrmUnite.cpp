#include "FrmUnite.h"

#include "ClickList.h"
#include "CriteriaCheck.h"
#include "DialogServices.h"
#include "DriveList.h"
#include "Engine.h"
#include "FileList.h"
#include "FolderList.h"
#include "KeyPreview.h"
#include "OpenRequest.h"
#include "SelectionState.h"
#include "WindowKit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace carnelis {

FrmUnite::FrmUnite(AppContext &ctx) : ctx_(ctx), c_(new QWidget), panel_(ctx.selection, ctx.dialogs)
{
    setObjectName(QStringLiteral("FrmUnite"));
    setWindowTitle(QStringLiteral("  Sélection d'un fichier dans une Unité de Travail."));
    setCentralWidget(c_.Drive1->parentWidget());
    MnQuitter = menuBar()->addAction(QStringLiteral("     &Quitter"));
    MnQuitter->setObjectName(QStringLiteral("MnQuitter"));
    setFixedSize(FrmUniteControls::ClientWidth, FrmUniteControls::ClientHeight + menuBar()->sizeHint().height());

    // The lists open on the process's current folder.
    c_.Drive1->setDrives(DriveList::discoverDrives());
    c_.Dir1->showInitially(QDir::currentPath());
    c_.Drive1->selectDriveOf(c_.Dir1->Path());
    c_.File1->setPath(c_.Dir1->Path());

    panel_.changed = [this] { showPanel(); };
    panel_.focusOpenButton = [this] {
        if (c_.CmdOuvrir->isEnabled())
            c_.CmdOuvrir->setFocus();
    };

    DialogServices &dialogs = ctx_.dialogs;
    onSignal(dialogs, c_.Drive1, &DriveList::Change, this, &FrmUnite::Drive1_Change);
    onSignal(dialogs, c_.Dir1, &FolderList::Change, this, &FrmUnite::Dir1_Change);
    onSignal(dialogs, c_.Dir1, &FolderList::openRequested, this, &FrmUnite::Dir1_OpenRequested);
    onSignal(dialogs, c_.File1, &FileList::Click, this, &FrmUnite::File1_Click);
    onSignal(dialogs, c_.List1, &ClickList::Click, this, &FrmUnite::List1_Click);
    onSignal(dialogs, c_.Command1, &QPushButton::clicked, this, &FrmUnite::Command1_Click);
    onSignal(dialogs, c_.CmdOuvrir, &QPushButton::clicked, this, &FrmUnite::CmdOuvrir_Click);
    onSignal(dialogs, MnQuitter, &QAction::triggered, this, &FrmUnite::MnQuitter_Click);
    auto wire = [this, &dialogs](auto &buttons, CriteriaPanel::Group group) {
        for (size_t k = 0; k < buttons.size(); ++k)
            onSignal(dialogs, buttons[k], &QRadioButton::clicked, this,
                     [this, group, k] { panel_.userClick(group, int16_t(k)); });
    };
    wire(c_.Option1, CriteriaPanel::Column);
    wire(c_.Option2, CriteriaPanel::Condition);
    wire(c_.Option3, CriteriaPanel::Cote);

    // The window sees every key before the control that has the focus; Escape is kept
    // from the control.
    new KeyPreview(this, [this](int16_t KeyAscii) {
        guarded(ctx_.dialogs, [this, &KeyAscii] { Form_KeyPress(KeyAscii); });
        return KeyAscii == 27;
    });
}

FrmUnite::~FrmUnite() = default;

void FrmUnite::showPanel()
{
    auto show = [this](auto &buttons, CriteriaPanel::Group group) {
        const std::optional<int16_t> chosen = panel_.chosen(group);
        kit::showChoice(buttons, chosen ? std::optional<int>(*chosen) : std::nullopt);
    };
    show(c_.Option1, CriteriaPanel::Column);
    show(c_.Option2, CriteriaPanel::Condition);
    show(c_.Option3, CriteriaPanel::Cote);
    c_.Frame4->setEnabled(panel_.frame4Enabled());
    c_.Frame5->setEnabled(panel_.frame5Enabled());
    c_.LabAide->setText(panel_.labAide());
}

void FrmUnite::closeEvent(QCloseEvent *event)
{
    if (ctx_.chooser.get() == this)
        ctx_.chooser.Unload();
    event->accept();
}

void FrmUnite::Form_Load()
{
    ctx_.dialogs.SetCursorPos(330, 140);
    panel_.choose(CriteriaPanel::Column, 0);
    ctx_.selection.resetForChooserLoad();
    c_.File1->setPattern(QStringLiteral("*.MDB"));
    panel_.setLabAide(
        QStringLiteral(" Sélectionnez le Répertoire puis cliquez sur un Fichier MDB puis sur une Table."));
}

void FrmUnite::Form_KeyPress(int16_t &KeyAscii)
{
    if (KeyAscii != 27)
        return;
    ctx_.dialogs.Beep();
    ctx_.chooser.Unload();
}

void FrmUnite::MnQuitter_Click() { ctx_.chooser.Unload(); }

void FrmUnite::Drive1_Change()
{
    try {
        c_.Dir1->setPath(c_.Drive1->Drive());
    } catch (const RuntimeError &e) {
        switch (e.number()) {
        case err::DeviceUnavailable:
        case err::PermissionDenied:
        case err::DiskNotReady:
        case err::DiskMediumError:
            ctx_.dialogs.Beep();
            ctx_.dialogs.MsgBox(QStringLiteral("Unité non prête ou lecteur sans disquette."), vb::Critical,
                                QStringLiteral(" Lecteur non prêt."));
            // Back to the third drive, which runs this handler again when it is another
            // one; a shorter list has no third drive, and the selection stays.
            if (c_.Drive1->count() >= 3)
                c_.Drive1->setListIndex(2);
            break;
        default:
            break; // the folder list stays where it was
        }
    }
}

void FrmUnite::Dir1_OpenRequested(const QString &folder) { c_.Dir1->setPath(folder); }

void FrmUnite::Dir1_Change()
{
    c_.File1->setPath(c_.Dir1->Path());
    panel_.setLabAide(QStringLiteral("  ") + c_.Dir1->Path());
    c_.List1->clear();
}

void FrmUnite::File1_Click()
{
    SelectionState &s = ctx_.selection;
    c_.File1->setPath(c_.Dir1->Path());
    const QString folder = folderWithoutTrailingSeparator(c_.File1->Path());
    const QString name = c_.File1->FileName();
    panel_.setLabAide(QStringLiteral("  ") + folder + u'/' + name);
    s.RepertoireMdb = folder;
    s.NomFichierMdb = name;
    try {
        std::unique_ptr<Database> database = DBEngine::OpenDatabase(s.databasePath());
        const std::vector<TableDef> tables = database->TableDefs();
        c_.List1->clear();
        for (const TableDef &table : tables)
            if (table.Attributes == 0)
                c_.List1->addItem(table.Name.toUpper());
        database->Close();
    } catch (const RuntimeError &e) {
        // A file that is no database, damaged, locked or forbidden: say so and go on. The
        // table chosen in the file before belongs to no file any more.
        c_.List1->clear();
        s.NomTable.clear();
        ctx_.dialogs.Beep();
        ctx_.dialogs.MsgBox(e.text(), vb::Critical, QStringLiteral(" Fichier illisible."));
    }
}

void FrmUnite::chooseFile(const QString &path)
{
    guarded(ctx_.dialogs, [this, path] {
        const QFileInfo file(path);
        if (file.isFile()) {
            c_.Dir1->setPath(file.absolutePath());
            c_.Drive1->selectDriveOf(c_.Dir1->Path());
            const QList<QListWidgetItem *> found =
                c_.File1->findItems(file.fileName(), Qt::MatchFixedString | Qt::MatchCaseSensitive);
            if (!found.isEmpty()) {
                c_.File1->setCurrentItem(found.first());
                found.first()->setSelected(true);
                File1_Click();
                return;
            }
        }
        // Missing, or a name the list does not show: the engine tells why it is no catalogue.
        try {
            DBEngine::OpenDatabase(file.absoluteFilePath())->Close();
        } catch (const RuntimeError &e) {
            ctx_.dialogs.Beep();
            ctx_.dialogs.MsgBox(e.text(), vb::Critical, QStringLiteral(" Fichier illisible."));
        }
    });
}

void FrmUnite::List1_Click()
{
    c_.Command1->setEnabled(true);
    c_.CmdOuvrir->setEnabled(true);
    ctx_.selection.NomTable = c_.List1->Text();
    panel_.Effacement();
    panel_.choose(CriteriaPanel::Column, 0);
    panel_.setLabAide(CriteriaPanel::columnCaptions().at(0));
}

void FrmUnite::Command1_Click()
{
    panel_.Effacement();
    panel_.choose(CriteriaPanel::Column, 0);
    panel_.setLabAide(CriteriaPanel::columnCaptions().at(0));
    panel_.clearHelpPieces();
    ctx_.selection.resetCriteria();
}

void FrmUnite::CmdOuvrir_Click() { Ouverture(); }

void FrmUnite::Ouverture()
{
    SelectionState &s = ctx_.selection;
    try {
        panel_.Niveau = 0;
        FichierChoisi = c_.File1->FileName();
        if (const std::optional<Refusal> refusal = PiegeFichier(FichierChoisi, s.NomTable)) {
            panel_.Niveau = 1;
            ctx_.dialogs.Beep();
            ctx_.dialogs.MsgBox(refusal->prompt, refusal->style, refusal->title);
            panel_.Niveau = 0;
            return;
        }
        if (const std::optional<Refusal> refusal = criteriaRefusal(s)) {
            ctx_.dialogs.Beep();
            ctx_.dialogs.MsgBox(refusal->prompt, refusal->style, refusal->title);
            return;
        }
        // A view already open shows the rows of an earlier request, which a report printed
        // now would not match: it closes by its own steps (its save question included), and
        // this request stops if it stays open.
        if (ctx_.grid.isLoaded()) {
            ctx_.grid.get()->widget()->close();
            if (ctx_.grid.isLoaded())
                return;
        }
        s.RepertoireMdb = c_.File1->Path();
        s.ResumeCriteres = ResumeCriteres(CriteriaPanel::columnCaptions().at(s.ColonneTri.value_or(0)), s, QLocale());
        s.RepertoireMdb = folderWithoutTrailingSeparator(s.RepertoireMdb);
        s.NomFichierMdb = c_.File1->FileName();
        ctx_.grid.Show();
    } catch (const RuntimeError &) {
        // The view has said what went wrong before it closed itself; the table must be
        // picked again.
        s.NomTable.clear();
        c_.List1->clear();
    }
}

} // namespace carnelis
