#pragma once
#include "Engine.h"
#include "Forms.h"
#include "FrmGridUi.h"

#include <QMainWindow>
#include <QString>
#include <cstdint>

namespace carnelis {

class KeyPreview;

// The table view: the rows of the chosen table in an editable grid, with jumps through
// them, deletion after a confirmation, printing and closing.
class FRMGRID : public QMainWindow, public Form, public FrmGridUi {
    Q_OBJECT
public:
    explicit FRMGRID(AppContext &ctx);
    ~FRMGRID() override;

    QWidget *widget() override { return this; }
    void Form_Load() override;
    void Form_QueryUnload(int16_t &Cancel) override;

    void Imprimer_Click();
    void Debut_Click();
    void VingtCinq_Click();
    void Milieu_Click();
    void SoixanteQuinze_Click();
    void Fin_Click();
    void EffacerLigne_Click();
    void Quitter_Click();
    void Form_KeyPress(int16_t KeyAscii);
    void DBGrid1_Change();
    void DBGrid1_AfterUpdate();
    void DBGrid1_RowRestored();
    void DBGrid1_DeleteRows(const QList<int> &rows);
    void DBGrid1_Error(const QString &text, int style);
    void DBGrid1_EditRefused();

    // Window-level state, read by the report as well.
    QString NomChamp;
    QString TexteRequete;
    QString DateDuJour;
    int16_t LigneSauvee = -1;
    int16_t ImpressionFaite = 0;
    DataControl Data1;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void jumpTo(int32_t position);

    AppContext &ctx_;
    KeyPreview *keyPreview_;
    bool accessNoticeShown_ = false; // the genuine Access file's notice, once per load
};

} // namespace carnelis
