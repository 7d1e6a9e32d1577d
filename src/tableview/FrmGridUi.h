#pragma once

class QAction;
class QLabel;
class QMainWindow;

namespace carnelis {

class DataGrid;
namespace kit {
class Line;
}

// The controls of the table view, laid out as designed (twips / 15 = pixels).
struct FrmGridUi {
    kit::Line *Line1 = nullptr;
    DataGrid *DBGrid1 = nullptr;
    QLabel *Label1 = nullptr;
    kit::Line *Line2 = nullptr;

    QAction *Imprimer = nullptr;
    QAction *Debut = nullptr;
    QAction *VingtCinq = nullptr;
    QAction *Milieu = nullptr;
    QAction *SoixanteQuinze = nullptr;
    QAction *Fin = nullptr;
    QAction *EffacerLigne = nullptr;
    QAction *Quitter = nullptr;

    void setupUi(QMainWindow *window);
};

} // namespace carnelis
