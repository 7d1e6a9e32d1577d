#include "Commands.h"
#include "GridFixture.h"
#include "WindowKit.h"

#include <QCoreApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QTextStream>

using namespace carnelis;
using namespace carnelis::test;

namespace {

class GridLayoutTest : public GridFixture {};

// The window as designed, in pixels (twips / 15); a picture of it is left beside the
// test binary so that a person can compare it with the design.
TEST_F(GridLayoutTest, ControlsStandWhereTheDesignPutsThem)
{
    makeTable("TIMBRES", {row("1", "Cérès", "0,25 bleu", "Neuf", 45.0, "Gomme d'origine"),
                          row("2", "Semeuse camée", "0,10 vert", "Oblitéré", 0.8, {}),
                          row("10", "Marianne d'Alger", "1,50 rouge", "TB", 1234.5, "Coin daté"),
                          row("100", {}, "2,00 violet", "B", {}, "")});
    choose("TIMBRES");
    ASSERT_NE(open(), nullptr);
    FRMGRID &w = view();

    EXPECT_EQ(w.centralWidget()->size(), QSize(634, 513));
    EXPECT_EQ(w.DBGrid1->geometry(), QRect(3, 16, 627, 469));
    EXPECT_EQ(w.Label1->geometry(), QRect(3, 488, 627, 24));
    EXPECT_EQ(w.Line1->geometry(), QRect(7, 7, 622, 3));
    EXPECT_EQ(w.Line2->geometry(), QRect(6, 511, 623, 3));
    EXPECT_EQ(w.DBGrid1->captionBar()->text(), " Table sélectionnée.");

    QStringList entries;
    for (QAction *a : w.menuBar()->actions())
        entries << a->text();
    EXPECT_EQ(entries, (QStringList{"    &Imprimer", "      &Début", "     &Vingt Cinq %", "      &Milieu",
                                    "      &Soixate Quinze %", "     &Fin", "    &Effacer Ligne", "        &Quitter"}));

    const std::vector<int> widths{95, 312, 312, 65, 111, 145};
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(table().columnWidth(c), widths[std::size_t(c)]) << "column " << c;

    const QImage picture = w.grab().toImage();
    // An empty cell: light violet.
    const QRect cell = table().visualRect(model().index(3, 1));
    const QPoint inside = table().viewport()->mapTo(&w, cell.center());
    EXPECT_EQ(picture.pixelColor(inside), QColor(255, 208, 255));
    // Every entry fits on the bar: none is pushed into an overflow button.
    for (QAction *a : w.menuBar()->actions())
        EXPECT_TRUE(w.menuBar()->actionGeometry(a).right() < w.menuBar()->width()) << a->text().toStdString();
}

} // namespace

namespace {

class SampleCollectionTest : public GridFixture {};

// The sample collection that scripts/run gives a person, as they first see it.
TEST_F(SampleCollectionTest, TheSampleCollectionOpensOnItsFirstRows)
{
    QString output, errors;
    QTextStream out(&output), err(&errors);
    ASSERT_EQ(runCommand({QStringLiteral("exemple"), path()}, out, err), 0) << errors.toStdString();
    choose("TIMBRES");
    ASSERT_NE(open(), nullptr);
    const int rows = view().Data1.recordset()->RecordCount();
    EXPECT_GT(rows, 100);
    EXPECT_EQ(view().Label1->text(), QStringLiteral("  Toutes les lignes - Lignes:  ") + QString::number(rows));
    EXPECT_EQ(shownColumn(0).mid(0, 3), (QStringList{"1", "2", "3"}));
}

} // namespace
