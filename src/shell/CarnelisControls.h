#pragma once

class QAction;
class QLabel;
class QMainWindow;

namespace carnelis::kit {
class Line;
}

namespace carnelis::shell {

// The main window's controls, placed as designed (twips / 15 = pixels, absolute
// geometry), with their colours and fonts; each control's object name is its design name.
// The texts written at load are left empty here.
struct CarnelisControls {
    explicit CarnelisControls(QMainWindow *window);

    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Image1;
    kit::Line *Line1;
    kit::Line *Line2;
    kit::Line *Line3;
    kit::Line *Line4;
    QAction *Base;
    QAction *Lire;
    QAction *Propos;
    QAction *Quitter;
};

} // namespace carnelis::shell
