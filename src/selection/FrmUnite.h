#pragma once
#include "CriteriaPanel.h"
#include "Forms.h"
#include "FrmUniteControls.h"

#include <QMainWindow>
#include <cstdint>

class QAction;

namespace carnelis {

// The chooser: drive, folder, file and table, the criteria, and the request that opens
// the table view.
class FrmUnite : public QMainWindow, public Form {
    Q_OBJECT
public:
    explicit FrmUnite(AppContext &ctx);
    ~FrmUnite() override;

    QWidget *widget() override { return this; }
    void Form_Load() override;

    void Form_KeyPress(int16_t &KeyAscii);
    void Drive1_Change();
    void Dir1_Change();
    void Dir1_OpenRequested(const QString &folder);
    void File1_Click();
    void List1_Click();
    void Command1_Click();
    void CmdOuvrir_Click();
    void MnQuitter_Click();

    const CriteriaPanel &panel() const { return panel_; }

    // A catalogue named when the program starts (from the file manager): its folder shown,
    // the file clicked, its tables listed. A file the list cannot show gets the box of a
    // file that cannot be read.
    void chooseFile(const QString &path);

protected:
    // Closing with the window frame unloads the window, as the quit entry does.
    void closeEvent(QCloseEvent *event) override;

private:
    void Ouverture();
    void showPanel();

    AppContext &ctx_;
    FrmUniteControls c_;
    QAction *MnQuitter;
    CriteriaPanel panel_;
    QString FichierChoisi;
};

} // namespace carnelis
