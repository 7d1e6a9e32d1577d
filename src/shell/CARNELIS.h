#pragma once
#include "Forms.h"

#include <QMainWindow>
#include <QString>
#include <cstdint>

class QAction;
class QLabel;

namespace carnelis {

namespace shell {
class LineShape;
}

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
    AppContext &ctx;
    QString RepertoireAppli;

    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Image1;
    shell::LineShape *Line1;
    shell::LineShape *Line2;
    shell::LineShape *Line3;
    shell::LineShape *Line4;
    QAction *Base;
    QAction *Lire;
    QAction *Propos;
    QAction *Quitter;
};

} // namespace carnelis
