#pragma once

class QAction;
class QLabel;
class QMainWindow;

namespace carnelis::shell {

class LineShape;

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
    LineShape *Line1;
    LineShape *Line2;
    LineShape *Line3;
    LineShape *Line4;
    QAction *Base;
    QAction *Lire;
    QAction *Propos;
    QAction *Quitter;
};

} // namespace carnelis::shell
