#include "GridFixture.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>

using namespace carnelis;
using namespace carnelis::test;

namespace {

const QString failurePrompt(const QString &table)
{
    return QStringLiteral(" La stucture de la Table ") + table +
           QStringLiteral(" n'est pas conforme aux règles définies lors de la programmation du Logiciel.");
}

class GridLoadTest : public GridFixture {};

TEST_F(GridLoadTest, ThreeRowsLoadInNaturalNumeroOrderWithCaptionLabelAndPointer)
{
    makeTable("TIMBRES",
              {row("10", "Marianne", "0,50 rouge", "Neuf", 12.5, "Coin daté"),
               row("2", "Semeuse", "0,10 vert", "Oblitéré", 1234.5), row("1", "Cérès", "0,25 bleu", "TB", 3, "")});
    choose("TIMBRES");
    dialogs.setToday("12-05-2026");
    ASSERT_NE(open(), nullptr);

    EXPECT_EQ(view().windowTitle(), " Table Sélectionnée TIMBRES issue de COLLECTION.MDB");
    EXPECT_EQ(view().Label1->text(), "  Toutes les lignes - Lignes:  3");
    EXPECT_EQ(view().DateDuJour, "05/12/2026");
    EXPECT_EQ(view().TexteRequete, "SELECT * FROM TIMBRES ORDER BY NUMERO");
    EXPECT_EQ(view().LigneSauvee, -1);
    EXPECT_EQ(view().ImpressionFaite, 0);
    EXPECT_EQ(view().Data1.DatabaseName, path());
    EXPECT_EQ(dialogs.transcript(), std::vector<DialogCall>{DialogCall::cursor(740, 35)});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr); // the hourglass of the load is gone

    // Natural order, a new-row line at the end, COTE with two decimals and grouping.
    EXPECT_EQ(shownColumn(0), (QStringList{"1", "2", "10", ""}));
    EXPECT_EQ(shownColumn(1), (QStringList{"Cérès", "Semeuse", "Marianne", ""}));
    EXPECT_EQ(shownColumn(4), (QStringList{"3.00", "1,234.50", "12.50", ""}));
    EXPECT_EQ(gridRow(), 0);
    EXPECT_EQ(position(), 0);

    QStringList captions;
    for (int c = 0; c < 6; ++c)
        captions << model().headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(captions, (QStringList{"NUMÉRO", "       DÉSIGNATION DE L'OBJET", "           VALEUR  -  COULEUR", "ÉTAT",
                                     "COTE    ", "    REMARQUE"}));
}

TEST_F(GridLoadTest, CoteFollowsTheUserLocale)
{
    makeTable("TIMBRES", {row("1", "Cérès", {}, {}, 1234.5)});
    choose("TIMBRES");
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const bool opened = open() != nullptr;
    const QString shown = opened ? shownColumn(4).first() : QString();
    QLocale::setDefault(QLocale::c());
    ASSERT_TRUE(opened);
    EXPECT_EQ(shown, QStringLiteral("1\u202F234,50"));
}

TEST_F(GridLoadTest, AFilterThatMatchesNothingLoadsWithOnlyTheNewRowLine)
{
    makeTable("TIMBRES", {row("1", "Cérès"), row("2", "Semeuse")});
    choose("TIMBRES", 2, QStringLiteral("Contient"), QStringLiteral("LICORNE"));
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(view().NomChamp, "DESIGNATION");
    EXPECT_TRUE(view().Label1->text().endsWith(" - Lignes:  0"));
    EXPECT_EQ(model().rowCount(), 1);
    EXPECT_TRUE(model().isNewRowLine(0));
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
    makeTable("ADRESSES", {}, bad.columns);
    choose("ADRESSES", bad.colonne, QString::fromUtf8(bad.condition), QStringLiteral("DUPONT"));
    selection.OperateurCote = QStringLiteral(" > ");
    selection.ValeurCote = 5;
    dialogs.answerMsgBox(vb::OK);

    EXPECT_EQ(open(), nullptr);
    EXPECT_EQ(dialogs.transcript(),
              (std::vector<DialogCall>{DialogCall::beep(), DialogCall::msgBox(failurePrompt("ADRESSES"), 0)}));
    EXPECT_FALSE(grid.isLoaded());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(selection.NomTable, "");
    EXPECT_EQ(selection.CritereTri, "");
    EXPECT_EQ(selection.NomFichierMdb, "COLLECTION.MDB");
    EXPECT_EQ(selection.ColonneTri, bad.colonne);
    EXPECT_EQ(selection.ConditionTri, QString::fromUtf8(bad.condition));
    EXPECT_EQ(selection.OperateurCote, " > ");
    EXPECT_EQ(selection.ValeurCote, 5.0f);
}

const std::vector<ColumnDef> noNumero{{"NOM", "TEXT"}, {"DESIGNATION", "TEXT"}, {"COTE", "REAL"}};
const std::vector<ColumnDef> noEtat{{"NUMERO", "TEXT"}, {"DESIGNATION", "TEXT"}, {"COTE", "REAL"}};
const std::vector<ColumnDef> noCote{{"NUMERO", "TEXT"}, {"ETAT", "TEXT"}};
// Every column but COTE: the unfiltered query runs, but the grid has nothing to bind.
const std::vector<ColumnDef> fiveColumns{
    {"NUMERO", "TEXT"}, {"DESIGNATION", "TEXT"}, {"COULEUR", "TEXT"}, {"ETAT", "TEXT"}, {"DIVERS", "TEXT"}};

INSTANTIATE_TEST_SUITE_P(Tables, GridLoadFailureTest,
                         ::testing::Values(BadTable{"sans_numero", noNumero, 0, ""},
                                           BadTable{"filtre_sur_colonne_absente", noEtat, 4, "Est Égal à"},
                                           BadTable{"cote_absente", noCote, 4, "Est Égal à"},
                                           BadTable{"cote_absente_sans_filtre", fiveColumns, 0, ""}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(GridLoadTest, AMissingFileTakesTheSameRoadAndShowCanBeTriedAgain)
{
    choose("TIMBRES");
    dialogs.answerMsgBox(vb::OK);
    EXPECT_EQ(open(), nullptr);
    EXPECT_EQ(dialogs.boxes(), std::vector<DialogCall>{DialogCall::msgBox(failurePrompt("TIMBRES"), 0)});
    flushDeletes();

    makeTable("TIMBRES", {row("1")});
    choose("TIMBRES");
    EXPECT_NE(open(), nullptr);
}

// The grid reads the rows it shows, not the table: a million rows open with a few pages.
TEST_F(GridLoadTest, AMillionRowsOpenReadingOnlyTheFirstPages)
{
    {
        CollectionFile file(path());
        file.createTable(QStringLiteral("TIMBRES"));
        Rows chunk;
        for (int start = 0; start < 1000000; start += 50000) {
            chunk.clear();
            for (int i = start; i < start + 50000; ++i)
                chunk.push_back(row(QString::number(i), QStringLiteral("Timbre"), {}, {}, double(i)));
            file.appendRows(QStringLiteral("TIMBRES"), chunk);
        }
    }
    choose("TIMBRES");
    ASSERT_NE(open(), nullptr);
    view().grab(); // paint the first screen
    EXPECT_TRUE(view().Label1->text().endsWith("1000000"));
    EXPECT_EQ(model().rowCount(), 1000001);
    const int firstScreen = view().Data1.recordset()->pagesFetched();
    EXPECT_GE(firstScreen, 1);
    EXPECT_LE(firstScreen, 3);

    // Scrolling to the end reads the last pages, not the ones in between.
    table().scrollToBottom();
    view().grab();
    EXPECT_GT(view().Data1.recordset()->pagesFetched(), firstScreen);
    EXPECT_LE(view().Data1.recordset()->pagesFetched(), firstScreen + 3);
    EXPECT_EQ(model().index(999999, 0).data().toString(), "999999");
}

} // namespace
