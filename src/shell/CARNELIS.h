#pragma once
#include "CarnelisControls.h"
#include "Forms.h"

#include <QMainWindow>
#include <QString>
#include <cstdint>

namespace carnelis {

// The main window: the welcome, the warning, the title and the stamp, and the menu bar
// that leads to the chooser, the help page, the About box and the way out.
class CARNELIS : public QMainWindow, public Form {
    Q_OBJECT
public:
    explicit CARNELIS(AppContext &ctx);

    QWidget *widget() override { return this; }
    void Form_Load() override;

    void Form_KeyPress(int16_t &KeyAscii);
    void Base_Click();
    void Lire_Click();
    void Propos_Click();
    void Quitter_Click();

    // The program's folder, one trailing separator; set by the load.
    const QString &repertoireAppli() const { return RepertoireAppli; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    AppContext &ctx_;
    shell::CarnelisControls c_;
    QString RepertoireAppli;
};

} // namespace carnelis
