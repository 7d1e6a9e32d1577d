#include "CollectionFile.h"
#include "Commands.h"
#include "Engine.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace carnelis;

namespace {

class CarnelisBase : public ::testing::Test {
protected:
    struct Result {
        int status;
        QString out, err;
    };
    Result run(const QStringList &args)
    {
        QString out, err;
        QTextStream o(&out), e(&err);
        const int status = runCommand(args, o, e);
        o.flush();
        e.flush();
        return {status, out, err};
    }
    QString file(const char *name = "COLLECTION.MDB") { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

TEST_F(CarnelisBase, TheSampleHoldsThreeCollectionsAndAnAddressBook)
{
    ASSERT_EQ(run({"exemple", file()}).status, 0);
    EXPECT_EQ(run({"tables", file()}).out, "ADRESSES\t0\nMONNAIES\t0\nOBJETS\t0\nTIMBRES\t0\n");
    auto db = DBEngine::OpenDatabase(file());
    const struct {
        const char *table;
        int rows;
    } expected[] = {{"TIMBRES", 300}, {"MONNAIES", 150}, {"OBJETS", 50}};
    for (const auto &t : expected) {
        auto rs = db->OpenRecordset(QStringLiteral("SELECT * FROM %1 ORDER BY NUMERO").arg(t.table));
        EXPECT_EQ(rs->RecordCount(), t.rows) << t.table;
        // Nulls, empty texts, accents and apostrophes all appear somewhere.
        int nulls = 0, empties = 0, apostrophes = 0, accents = 0;
        for (int r = 0; r < rs->RecordCount(); ++r)
            for (int c : {1, 2, 3, 4, 5}) {
                const Value v = rs->valueAt(r, c);
                nulls += v.isNull();
                empties += v.isText() && v.text().isEmpty();
                apostrophes += v.isText() && v.text().contains(u'\'');
                accents += v.isText() && v.text().contains(QRegularExpression("[éèêàâîôûçÉ]"));
            }
        EXPECT_GT(nulls, 0) << t.table;
        EXPECT_GT(empties, 0) << t.table;
        EXPECT_GT(apostrophes, 0) << t.table;
        EXPECT_GT(accents, 0) << t.table;
    }
    const QStringList objets =
        run({"requete", file(), "SELECT * FROM OBJETS WHERE INSTR(NUMERO, '0') <> 0 ORDER BY NUMERO"}).out.split('\n');
    QStringList numeros;
    for (const QString &line : objets.mid(1, objets.size() - 2))
        numeros << line.section('\t', 0, 0);
    EXPECT_EQ(numeros, QStringList({"10", "010", "20", "30", "40", "100", "101", "A10"}));

    const Result again = run({"exemple", file()});
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(run({"tables", file()}).out.count('\n'), 4);
}

TEST_F(CarnelisBase, NouvelleAddsAnEmptyCollectionTableAndRefusesOneThatExists)
{
    EXPECT_EQ(run({"nouvelle", file(), "MES TIMBRES"}).status, 0);
    EXPECT_EQ(run({"requete", file(), "SELECT * FROM [MES TIMBRES]"}).out,
              "NUMERO\tDESIGNATION\tCOULEUR\tETAT\tCOTE\tDIVERS\n");
    const Result twice = run({"nouvelle", file(), "mes timbres"});
    EXPECT_EQ(twice.status, 1);
    EXPECT_TRUE(twice.err.contains("existe déjà")) << twice.err.toStdString();

    QFile text(file("NOTES.MDB"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("des notes, pas une base\n");
    text.close();
    EXPECT_EQ(run({"nouvelle", file("NOTES.MDB"), "T"}).status, 1);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_EQ(text.readAll(), QByteArray("des notes, pas une base\n"));
}

TEST_F(CarnelisBase, RequetePrintsTabSeparatedRowsWithNullAndEscapes)
{
    {
        CollectionFile f(file());
        f.createTable("MONNAIES");
        f.appendRows("MONNAIES", {{"1", "Écu\td'or", Value(), "", 12.5, "ligne 1\nligne 2"},
                                  {"2", "Sou \\ liard", "cuivre", "TB", 150.0, Value()}});
    }
    const Result r = run({"requete", file(), "select * from monnaies order by numero"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "NUMERO\tDESIGNATION\tCOULEUR\tETAT\tCOTE\tDIVERS\n"
                     "1\tÉcu\\td'or\t\\N\t\t12.5\tligne 1\\nligne 2\n"
                     "2\tSou \\\\ liard\tcuivre\tTB\t150\t\\N\n");

    const Result bad = run({"requete", file(), "SELECT * FROM MONNAIES WHERE PRIX > 1"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_TRUE(bad.out.isEmpty());
    EXPECT_TRUE(bad.err.startsWith("Erreur 3061 : ")) << bad.err.toStdString();
}

TEST_F(CarnelisBase, FiltreComposesTheQueryOfTheChooserAndRunsIt)
{
    ASSERT_EQ(run({"exemple", file()}).status, 0);
    const Result text = run({"filtre", file(), "monnaies", "--colonne", "2", "--condition", "Contient", "--critere",
                             "euro", "--cote", ">", "--valeur", "150", "--requete-seule"});
    EXPECT_EQ(text.out, "SELECT * FROM MONNAIES WHERE INSTR(MONNAIES.DESIGNATION,('EURO')) <> 0 And "
                        "MONNAIES.COTE  > 150 ORDER BY NUMERO\n");
    EXPECT_EQ(run({"filtre", file(), "MONNAIES", "--requete-seule"}).out, "SELECT * FROM MONNAIES ORDER BY NUMERO\n");
    EXPECT_EQ(run({"filtre", file(), "MONNAIES", "--colonne", "2", "--condition", "Est Vide", "--requete-seule"}).out,
              "SELECT * FROM MONNAIES WHERE MONNAIES.DESIGNATION = Null OR MONNAIES.DESIGNATION = (' ') ORDER BY "
              "NUMERO\n");
    EXPECT_EQ(
        run({"filtre", file(), "MONNAIES", "--colonne", "6", "--condition", "N'est pas Vide", "--requete-seule"}).out,
        "SELECT * FROM MONNAIES WHERE MONNAIES.DIVERS <> Null AND MONNAIES.DIVERS <> (' ') ORDER BY NUMERO\n");
    EXPECT_EQ(run({"filtre", file(), "MONNAIES", "--colonne", "5", "--condition", "Est plus Grand que", "--critere",
                   "100", "--cote", "<", "--valeur", "12,5", "--requete-seule"})
                  .out,
              "SELECT * FROM MONNAIES WHERE MONNAIES.COTE >  100 And MONNAIES.COTE  < 12.5 ORDER BY NUMERO\n");

    // The rows are those of the same query run through requete.
    const QStringList filter = {"filtre",      file(),         "TIMBRES",   "--colonne", "3",
                                "--condition", "Commence par", "--critere", "vert"};
    const Result rows = run(filter);
    EXPECT_EQ(rows.status, 0);
    EXPECT_GT(rows.out.count('\n'), 2);
    EXPECT_EQ(
        rows.out,
        run({"requete", file(), "SELECT * FROM TIMBRES WHERE Left(TIMBRES.COULEUR,4) = ('VERT') ORDER BY NUMERO"}).out);
    const Result refused =
        run({"filtre", file(), "TIMBRES", "--colonne", "5", "--condition", "Est Égal à", "--critere", "douze"});
    EXPECT_EQ(refused.status, 1);
    for (const char *column : {"7", "9"})
        EXPECT_EQ(run({"filtre", file(), "TIMBRES", "--colonne", column}).status, 2) << column;
}

TEST_F(CarnelisBase, HelpAndUnknownCommands)
{
    const Result help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char *command : {"exemple", "nouvelle", "tables", "requete", "filtre", "--requete-seule"})
        EXPECT_TRUE(help.out.contains(QLatin1String(command))) << command;
    // Every column and condition the filter takes, as the chooser words them.
    EXPECT_TRUE(help.out.contains(
        QStringLiteral("      Colonnes : 0 TOUT, 1 NUMÉRO, 2 DÉSIGNATION, 3 VALEUR - COULEUR, 4 ÉTAT,\n"
                       "      5 COTE, 6 REMARQUE.\n"
                       "      Conditions : \"Est Égal à\", \"Est plus Grand que\", \"Est plus Petit que\",\n"
                       "      \"Est Différent de\", \"Est Vide\", \"N'est pas Vide\", \"Contient\",\n"
                       "      \"Ne Contient Pas\", \"Commence par\", \"Finit par\".\n")))
        << help.out.toStdString();
    EXPECT_EQ(run({"copier", file()}).status, 2);
    EXPECT_EQ(run({}).status, 2);
}

} // namespace
