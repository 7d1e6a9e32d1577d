#include "FrmGridUi.h"

#include "DataGrid.h"
#include "WindowKit.h"

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>

namespace carnelis {

void FrmGridUi::setupUi(QMainWindow *window)
{
    window->setWindowTitle(QStringLiteral(" CARNELIS  -  Table sélectionnée."));

    auto *client = new QWidget(window);
    client->setFixedSize(kit::px(9510), kit::px(7695));
    window->setCentralWidget(client);

    Line1 = new kit::Line(client, 120, 120, 9400, 120);

    DBGrid1 = new DataGrid(client);
    DBGrid1->setGeometry(kit::twipsRect(45, 240, 9405, 7035));

    Label1 = new QLabel(QStringLiteral("Label1"), client);
    Label1->setGeometry(kit::twipsRect(45, 7320, 9405, 360));
    Label1->setFont(kit::designFont(kit::Face::Sans, 9.75));
    Label1->setAutoFillBackground(true);
    QPalette palette = Label1->palette();
    palette.setColor(QPalette::Window, QColor(255, 224, 192)); // light orange
    palette.setColor(QPalette::WindowText, Qt::black);
    Label1->setPalette(palette);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    Line2 = new kit::Line(client, 105, 7680, 9405, 7680);

    // Eight entries straight on the bar, no submenus; the leading blanks spread them.
    QMenuBar *bar = window->menuBar();
    bar->setFont(kit::designFont(kit::Face::Sans, 8.25));
    // The captions bring their own blanks; the bar adds little, so that all eight fit.
    bar->setStyleSheet(QStringLiteral("QMenuBar::item { padding: 2px 1px; }"));
    Imprimer = bar->addAction(QStringLiteral("    &Imprimer"));
    Debut = bar->addAction(QStringLiteral("      &Début"));
    VingtCinq = bar->addAction(QStringLiteral("     &Vingt Cinq %"));
    Milieu = bar->addAction(QStringLiteral("      &Milieu"));
    SoixanteQuinze = bar->addAction(QStringLiteral("      &Soixate Quinze %"));
    Fin = bar->addAction(QStringLiteral("     &Fin"));
    EffacerLigne = bar->addAction(QStringLiteral("    &Effacer Ligne"));
    Quitter = bar->addAction(QStringLiteral("        &Quitter"));

    window->layout()->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace carnelis
