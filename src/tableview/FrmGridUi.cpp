#include "FrmGridUi.h"

#include "CollectionColumns.h"
#include "DataGrid.h"
#include "DesignFont.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>

namespace carnelis {

namespace {

QFrame *horizontalRule(QWidget *parent, int y, int x1, int x2)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, Qt::black);
    line->setPalette(palette);
    line->setGeometry(twips(x1), twips(y), twips(x2) - twips(x1), 1);
    return line;
}

} // namespace

void FrmGridUi::setupUi(QMainWindow *window)
{
    window->setWindowTitle(QStringLiteral(" CARNELIS  -  Table sélectionnée."));

    auto *client = new QWidget(window);
    client->setFixedSize(twips(9510), twips(7695));
    window->setCentralWidget(client);

    Line1 = horizontalRule(client, 120, 120, 9400);

    DBGrid1 = new DataGrid(client);
    DBGrid1->setGeometry(twips(45), twips(240), twips(9405), twips(7035));

    Label1 = new QLabel(QStringLiteral("Label1"), client);
    Label1->setGeometry(twips(45), twips(7320), twips(9405), twips(360));
    Label1->setFont(designSansFont(9.75));
    Label1->setAutoFillBackground(true);
    QPalette palette = Label1->palette();
    palette.setColor(QPalette::Window, QColor(255, 224, 192)); // light orange
    palette.setColor(QPalette::WindowText, Qt::black);
    Label1->setPalette(palette);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    Line2 = horizontalRule(client, 7680, 105, 9405);

    // Eight entries straight on the bar, no submenus; the leading blanks spread them.
    QMenuBar *bar = window->menuBar();
    bar->setFont(designSansFont(8.25));
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
