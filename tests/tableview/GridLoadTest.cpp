#include "GridFixture.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>

using namespace carnelis;
using namespace carnelis::test;

namespace {

using GridLoadTest = GridFixture;

TEST_F(GridLoadTest, ThreeRowsLoadInNaturalNumeroOrderWithTitleLabelMenuAndPointer)
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    ASSERT_TRUE(
        show({row("10", "Marianne", "0,50 rouge", "Neuf", 12.5, "Coin daté"),
              row("2", "Semeuse", "0,10 vert", "Oblitéré", 1234.5), row("1", "Cérès", "0,25 bleu", "TB", 3, "")}));

    EXPECT_EQ(view().windowTitle(), " Table Sélectionnée TIMBRES issue de COLLECTION.MDB");
    EXPECT_EQ(view().Label1->text(), "  Toutes les lignes - Lignes:  3");
    EXPECT_EQ(view().DateDuJour, "05/12/2026");
    EXPECT_EQ(view().TexteRequete, "SELECT * FROM TIMBRES ORDER BY NUMERO");
    EXPECT_EQ(dialogs.transcript(), std::vector<DialogCall>{DialogCall::cursor(740, 35)});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr); // the hourglass of the load is gone
    // Natural order, a new-row line at the end, COTE with two decimals and grouping, the
    // user's way.
    EXPECT_EQ(shownColumn(0), (QStringList{"1", "2", "10", ""}));
    EXPECT_EQ(shownColumn(4), (QStringList{"3,00", QStringLiteral("1\u202F234,50"), "12,50", ""}));
    EXPECT_EQ(std::pair(gridRow(), position()), std::pair(0, 0));
    // Each column as wide as designed, in pixels.
    std::vector<int> widths;
    for (int c = 0; c < 6; ++c)
        widths.push_back(table().columnWidth(c));
    EXPECT_EQ(widths, (std::vector<int>{95, 312, 312, 65, 111, 145}));
    // The menu bar as the user reads it, every entry on the bar (none in an overflow button).
    QStringList entries;
    for (QAction *a : view().menuBar()->actions()) {
        entries << a->text();
        EXPECT_LT(view().menuBar()->actionGeometry(a).right(), view().menuBar()->width()) << a->text().toStdString();
    }
    EXPECT_EQ(entries, (QStringList{"    &Imprimer", "      &Début", "     &Vingt Cinq %", "      &Milieu",
                                    "      &Soixate Quinze %", "     &Fin", "    &Effacer Ligne", "        &Quitter"}));
}

struct BadTable {
    const char *name;
    std::vector<ColumnDef> columns;
    int16_t colonne;
    const char *condition;
};

void PrintTo(const BadTable &t, std::ostream *os) { *os << t.name; }

class GridLoadFailureTest : public GridFixture, public ::testing::WithParamInterface<BadTable> {};

// Whatever makes the query fail, the one message, the selection cleared, no window.
TEST_P(GridLoadFailureTest, BeepsShowsTheStructureMessageAndUnloads)
{
    const BadTable &bad = GetParam();
    writeCollection(path(), "ADRESSES", {}, bad.columns);
    choose("ADRESSES", bad.colonne, QString::fromUtf8(bad.condition), "DUPONT");
    selection.OperateurCote = " > ";
    selection.ValeurCote = 5;
    dialogs.answerMsgBox(vb::OK);

    EXPECT_EQ(open(), nullptr);
    const QString prompt = " La stucture de la Table ADRESSES n'est pas conforme aux règles définies lors de la "
                           "programmation du Logiciel.";
    EXPECT_EQ(dialogs.transcript(), (std::vector<DialogCall>{DialogCall::beep(), DialogCall::msgBox(prompt, 0)}));
    EXPECT_FALSE(grid.isLoaded());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QStringList({selection.NomTable, selection.CritereTri, selection.NomFichierMdb, selection.ConditionTri,
                           selection.OperateurCote}),
              QStringList({"", "", "COLLECTION.MDB", QString::fromUtf8(bad.condition), " > "}));
    EXPECT_EQ(selection.ColonneTri, bad.colonne);
    EXPECT_EQ(selection.ValeurCote, 5.0f);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, GridLoadFailureTest,
    ::testing::Values(
        BadTable("sans_numero", {{"NOM", "TEXT"}, {"DESIGNATION", "TEXT"}, {"COTE", "REAL"}}, 0, ""),
        BadTable("filtre_sur_colonne_absente", {{"NUMERO", "TEXT"}, {"DESIGNATION", "TEXT"}, {"COTE", "REAL"}}, 4,
                 "Est Égal à"),
        BadTable("cote_absente", {{"NUMERO", "TEXT"}, {"ETAT", "TEXT"}}, 4, "Est Égal à"),
        // Every column but COTE: the unfiltered query runs, but the grid has nothing to bind.
        BadTable(
            "cote_absente_sans_filtre",
            {{"NUMERO", "TEXT"}, {"DESIGNATION", "TEXT"}, {"COULEUR", "TEXT"}, {"ETAT", "TEXT"}, {"DIVERS", "TEXT"}}, 0,
            "")),
    [](const auto &info) { return std::string(info.param.name); });

// The grid reads the rows it shows, not the table: a million rows open with a few pages,
// and the end of the table with a few more.
TEST_F(GridLoadTest, AMillionRowsOpenReadingOnlyTheFirstPages)
{
    {
        CollectionFile file(path());
        file.createTable("TIMBRES");
        for (int start = 0; start < 1000000; start += 50000) {
            Rows chunk;
            for (int i = start; i < start + 50000; ++i)
                chunk.push_back(row(QString::number(i), "Timbre", {}, {}, double(i)));
            file.appendRows("TIMBRES", chunk);
        }
    }
    choose("TIMBRES");
    ASSERT_NE(open(), nullptr);
    view().grab(); // paint the first screen
    EXPECT_TRUE(view().Label1->text().endsWith("1000000"));
    EXPECT_EQ(model().rowCount(), 1000001);
    const int firstScreen = view().Data1.recordset()->pagesFetched();
    EXPECT_TRUE(firstScreen >= 1 && firstScreen <= 3) << firstScreen;
    table().scrollToBottom();
    view().grab();
    const int more = view().Data1.recordset()->pagesFetched() - firstScreen;
    EXPECT_TRUE(more >= 1 && more <= 3) << more;
    EXPECT_EQ(model().index(999999, 0).data().toString(), "999999");
}

} // namespace
