// Every query text the filter of the chooser can compose runs, and finds the rows its
// caption promises.
#include "EngineFixture.h"
#include "Recherche.h"
#include "SelectionState.h"

using namespace carnelis;
using namespace carnelis::test;

namespace {

class BuilderQueries : public EngineFixture {
protected:
    void SetUp() override
    {
        // DIVERS names each row; natural order of NUMERO is R6 R1 R2 R7 R3 R4 R5.
        path = makeCollection("MONNAIES",
                              {row("1", "Écu d'or", {}, {}, 150.0, "R1"), row("2", "Franc", {}, {}, 12.5, "R2"),
                               row("10", "franc suisse", {}, {}, {}, "R3"), row("100", {}, {}, {}, 0.0, "R4"),
                               row("A2", "", {}, {}, 20.0, "R5"), row({}, " ", {}, {}, 5.0, "R6"),
                               row("3", "FRANC ", {}, {}, 7.0, "R7")});
    }

    // The rows (their DIVERS) the chooser's query finds, with "And COTE op value" when op is given.
    QStringList rowsFor(int16_t colonne, const QString &condition, const QString &critere, const char *op = "",
                        float cote = 10.0f, const QString &table = "MONNAIES")
    {
        SelectionState s;
        std::tie(s.NomTable, s.ColonneTri, s.ConditionTri, s.CritereTri, s.OperateurCote, s.ValeurCote) =
            std::tuple(table, colonne, condition, critere, op, cote);
        QString texteRequete;
        Recherche(s, columnNameFor(colonne), texteRequete);
        DataControl data;
        data.DatabaseName = path;
        data.RecordSource = condition.isEmpty() ? unfilteredQuery(table) : texteRequete;
        data.Refresh();
        return column(*data.recordset(), "DIVERS");
    }

    QString path;
};

struct Case {
    int16_t colonne;
    const char *condition;
    const char *critere;
    QStringList without, with; // rows without and with "And COTE > 10"
};

const Case cases[] = {
    {2, "Est Égal à", "FRANC", {"R2", "R7"}, {"R2"}},
    {2, "Est plus Grand que", "FRANC", {"R3"}, {}},
    {2, "Est plus Petit que", "FRANC", {"R6", "R1", "R5"}, {"R1", "R5"}},
    {2, "Est Différent de", "FRANC", {"R6", "R1", "R3", "R4", "R5"}, {"R1", "R5"}},
    {2, "Est Vide", " ", {"R6", "R4", "R5"}, {"R5"}},
    {2, "N'est pas Vide", " ", {"R1", "R2", "R7", "R3"}, {"R1", "R2"}},
    {2, "Contient", "FRANC", {"R2", "R7", "R3"}, {"R2"}},
    {2, "Ne Contient Pas", "FRANC", {"R6", "R1", "R4", "R5"}, {"R1", "R5"}},
    {2, "Commence par", "FRANC", {"R2", "R7", "R3"}, {"R2"}},
    {2, "Finit par", "FRANC", {"R2"}, {"R2"}},

    {1, "Est Égal à", "10", {"R3"}, {}},
    {1, "Est plus Grand que", "10", {"R4"}, {}},
    {1, "Est plus Petit que", "10", {"R1", "R2", "R7", "R5"}, {"R1", "R2", "R5"}},
    {1, "Est Différent de", "10", {"R6", "R1", "R2", "R7", "R4", "R5"}, {"R1", "R2", "R5"}},
    {1, "Est Vide", " ", {"R5"}, {"R5"}},
    {1, "N'est pas Vide", " ", {"R1", "R2", "R7", "R3", "R4"}, {"R1", "R2"}},
    {1, "Contient", "10", {"R3", "R4"}, {}},
    {1, "Ne Contient Pas", "10", {"R6", "R1", "R2", "R7", "R5"}, {"R1", "R2", "R5"}},
    {1, "Commence par", "10", {"R3", "R4"}, {}},
    {1, "Finit par", "10", {"R3"}, {}},

    {5, "Est Égal à", "12,5", {"R2"}, {"R2"}},
    {5, "Est plus Grand que", "12.5", {"R1", "R5"}, {"R1", "R5"}},
    {5, "Est plus Petit que", "12.5", {"R6", "R7", "R4"}, {}},
    {5, "Est Différent de", "12.5", {"R6", "R1", "R7", "R4", "R5"}, {"R1", "R5"}},
    {5, "Est Vide", " ", {"R3"}, {}},
    {5, "N'est pas Vide", " ", {"R6", "R1", "R2", "R7", "R4", "R5"}, {"R1", "R2", "R5"}},
    {5, "Contient", "12.5", {"R2"}, {"R2"}},
    {5, "Ne Contient Pas", "12.5", {"R6", "R1", "R7", "R3", "R4", "R5"}, {"R1", "R5"}},
    {5, "Commence par", "12.5", {"R2"}, {"R2"}},
    {5, "Finit par", "2.50", {"R2"}, {"R2"}},
};

TEST_F(BuilderQueries, EveryConditionOnTextNumeroAndCoteFindsItsRows)
{
    for (const Case &c : cases)
        for (const char *op : {"", " > "})
            EXPECT_EQ(rowsFor(c.colonne, QString::fromUtf8(c.condition), QString::fromUtf8(c.critere), op),
                      *op ? c.with : c.without)
                << c.colonne << " " << c.condition << " " << op;
}

TEST_F(BuilderQueries, AllRowsAndApostrophesAndBracketedNames)
{
    EXPECT_EQ(rowsFor(0, "", ""), QStringList({"R6", "R1", "R2", "R7", "R3", "R4", "R5"}));
    EXPECT_EQ(rowsFor(2, "Contient", "D'OR"), QStringList({"R1"}));
    EXPECT_EQ(rowsFor(2, "Est Égal à", "ÉCU D'OR", " > "), QStringList({"R1"}));
    writeCollection(path, "MES TIMBRES", {row("1", "Marianne", {}, {}, 0.5, "T1")});
    EXPECT_EQ(rowsFor(2, "Commence par", "MARI", " < ", 1e-5f, "MES TIMBRES"), QStringList());
    EXPECT_EQ(rowsFor(2, "Commence par", "MARI", " < ", 1e20f, "MES TIMBRES"), QStringList({"T1"}));
}

} // namespace
