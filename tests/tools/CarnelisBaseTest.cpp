#include "BadFiles.h"
#include "Collections.h"
#include "Commands.h"
#include "Engine.h"
#include "JetSamples.h"
#include "RecordingPrinter.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

#include <map>

using namespace carnelis;

namespace {

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

class CarnelisBase : public ::testing::Test {
protected:
    QString file(const char *name = "COLLECTION.MDB") { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

TEST_F(CarnelisBase, TheSampleHoldsThreeCollectionsAndAnAddressBook)
{
    ASSERT_EQ(run({"exemple", file()}).status, 0);
    EXPECT_EQ(run({"tables", file()}).out, "ADRESSES\t0\nMONNAIES\t0\nOBJETS\t0\nTIMBRES\t0\n");
    auto db = DBEngine::OpenDatabase(file());
    for (const auto &[table, rows] : {std::pair{"TIMBRES", 300}, {"MONNAIES", 150}, {"OBJETS", 50}}) {
        auto rs = db->OpenRecordset(QStringLiteral("SELECT * FROM %1").arg(table));
        EXPECT_EQ(rs->RecordCount(), rows) << table;
        // Nulls, empty texts, accents and apostrophes all appear somewhere.
        QString all; // every value, Null as ¤, each closed by |
        for (int r = 0; r < rs->RecordCount(); ++r)
            for (int c = 1; c <= 5; ++c)
                all += rs->valueAt(r, c).isNull() ? "¤|" : rs->valueAt(r, c).toDisplayText(QLocale::c()) + u'|';
        for (const char *kind : {"¤", "||", "'"})
            EXPECT_TRUE(all.contains(QString::fromUtf8(kind))) << table << kind;
        EXPECT_TRUE(all.contains(QRegularExpression("[éèêàâîôûçÉ]"))) << table;
    }
    const QString objets =
        run({"requete", file(), "SELECT * FROM OBJETS WHERE INSTR(NUMERO, '0') <> 0 ORDER BY NUMERO"}).out;
    EXPECT_EQ(objets.split('\n').mid(1).replaceInStrings(QRegularExpression("\t.*"), "").join(' '),
              "10 010 20 30 40 100 101 A10 ");
    EXPECT_EQ(run({"exemple", file()}).status, 1);
    EXPECT_EQ(run({"nouvelle", file(), "MES TIMBRES"}).status, 0);
    EXPECT_EQ(run({"requete", file(), "SELECT * FROM [MES TIMBRES]"}).out,
              "NUMERO\tDESIGNATION\tCOULEUR\tETAT\tCOTE\tDIVERS\n");
    const Result twice = run({"nouvelle", file(), "mes timbres"});
    EXPECT_EQ(twice.status, 1);
    EXPECT_TRUE(twice.err.contains("existe déjà")) << twice.err.toStdString();
}

TEST_F(CarnelisBase, RequetePrintsTabSeparatedRowsWithNullAndEscapes)
{
    test::writeCollection(file(), "MONNAIES",
                          {test::row("1", "Écu\td'or", {}, "", 12.5, "ligne 1\nligne 2\r"),
                           test::row("2", "Sou \\ liard", "cuivre", "TB", 150.0)});
    const Result r = run({"requete", file(), "select * from monnaies order by numero"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "NUMERO\tDESIGNATION\tCOULEUR\tETAT\tCOTE\tDIVERS\n"
                     "1\tÉcu\\td'or\t\\N\t\t12.5\tligne 1\\nligne 2\\r\n"
                     "2\tSou \\\\ liard\tcuivre\tTB\t150\t\\N\n");
    const Result bad = run({"requete", file(), "SELECT * FROM MONNAIES WHERE PRIX > 1"});
    EXPECT_EQ(std::tuple(bad.status, bad.out), std::tuple(1, QString()));
    EXPECT_TRUE(bad.err.startsWith("Erreur 3061 : ")) << bad.err.toStdString();
}

// The filter's wiring: the query of the chooser, its rows, and what the options refuse.
// What each condition finds is the builder's and the engine's.
TEST_F(CarnelisBase, FiltreComposesTheQueryOfTheChooserAndRunsIt)
{
    ASSERT_EQ(run({"exemple", file()}).status, 0);
    EXPECT_EQ(run({"filtre", file(), "monnaies", "--colonne", "2", "--condition", "Contient", "--critere", "euro",
                   "--cote", ">", "--valeur", "150", "--requete-seule"})
                  .out,
              "SELECT * FROM MONNAIES WHERE INSTR(MONNAIES.DESIGNATION,('EURO')) <> 0 And "
              "MONNAIES.COTE  > 150 ORDER BY NUMERO\n");
    const Result rows =
        run({"filtre", file(), "TIMBRES", "--colonne", "3", "--condition", "Commence par", "--critere", "vert"});
    EXPECT_EQ(rows.status, 0);
    EXPECT_GT(rows.out.count('\n'), 2);
    EXPECT_EQ(
        rows.out,
        run({"requete", file(), "SELECT * FROM TIMBRES WHERE Left(TIMBRES.COULEUR,4) = ('VERT') ORDER BY NUMERO"}).out);
    // The report of the same choice: its summary heads the first sheet, its rows are counted on the last.
    ASSERT_EQ(run({"rapport", file(), "TIMBRES", file("VERT.pdf"), "--colonne", "3", "--condition", "Commence par",
                   "--critere", "vert"})
                  .status,
              0);
    const QStringList sheets = pdfPages(file("VERT.pdf"));
    ASSERT_FALSE(sheets.isEmpty());
    EXPECT_TRUE(sheets.first().contains("Impression de VALEUR - COULEUR COMMENCE PAR VERT")) << sheets.first();
    EXPECT_TRUE(sheets.last().contains(QString::number(rows.out.count('\n') - 1) + " Ligne(s) pour")) << sheets.last();
    // A COTE value is a number in single precision: past that range, or no number at all,
    // a usage error naming the text, not a query naming « INF » or a silent 0.
    const struct {
        QString options; // separated by |
        int status;
        const char *says;
    } cases[] = {
        {"--colonne|5|--condition|Est Égal à|--critere|douze", 2, "« DOUZE » n'est pas un nombre"},
        {"--colonne|5|--condition|Est Égal à|--critere|COTE", 2, "« COTE » n'est pas un nombre"},
        {"--colonne|2|--condition|Contient|--critere|" + QString(256, u'x'), 2, "compte 256 caractères"},
        {"--colonne|7", 2, "de 0 à 6"},
        {"--colonne|2|--condition", 2, "attend une valeur"},
        {"--cote|>|--valeur|1", 2, "--colonne 1 à 6"},
        {"--colonne|2|--condition|Contient|--cote|<|--valeur|1e999", 2, "« 1e999 » est un nombre trop grand"},
        {"--colonne|2|--condition|Contient|--cote|<|--valeur|-3.5E38", 2, "trop grand"},
        {"--colonne|2|--condition|Contient|--cote|<|--valeur|nan", 2, "« nan » n'est pas un nombre"},
        {"--colonne|2|--condition|Contient|--cote|<|--valeur|-", 2, "n'est pas un nombre"},
        {"--colonne|2|--condition|Contient|--critere|a|--cote|<|--valeur|3,4e38", 0, ""},
        {"--colonne|2|--condition|Contient|--critere|a|--cote|<|--valeur|1e-50", 0, ""},
    };
    for (const auto &c : cases) {
        const Result r = run(QStringList{"filtre", file(), "TIMBRES"} + c.options.split(u'|'));
        EXPECT_EQ(r.status, c.status) << c.options.toStdString() << " → " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.says))) << r.err.toStdString();
    }
}

TEST_F(CarnelisBase, HelpAndUnknownCommands)
{
    const Result help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    // Every column and condition the filter takes, as the chooser words them, in lines of 79.
    EXPECT_TRUE(help.out.contains(
        QStringLiteral("      Colonnes : 0 TOUT, 1 NUMÉRO, 2 DÉSIGNATION, 3 VALEUR - COULEUR, 4 ÉTAT,\n"
                       "      5 COTE, 6 REMARQUE.\n"
                       "      Conditions : \"Est Égal à\", \"Est plus Grand que\", \"Est plus Petit que\",\n"
                       "      \"Est Différent de\", \"Est Vide\", \"N'est pas Vide\", \"Contient\",\n"
                       "      \"Ne Contient Pas\", \"Commence par\", \"Finit par\".\n")))
        << help.out.toStdString();
    for (const QStringList &args : {QStringList{"copier", file()}, {"tables"}, {}})
        EXPECT_EQ(run(args).status, 2) << args.join(' ').toStdString();
}

// The folder's files and their digests: what a command may not change behind the user.
std::map<QString, QByteArray> snapshot(const QString &folder)
{
    std::map<QString, QByteArray> files;
    for (const QFileInfo &i : QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        files[i.fileName()] = i.isFile() ? test::digestOf(i.filePath()) : QByteArray("dossier");
    return files;
}

// Each command opens the file its own way: on every kind of file it answers or refuses in
// French, and changes nothing it was not asked to write, nor leaves anything behind.
TEST_F(CarnelisBase, EveryCommandOnEveryKindOfFileAnswersOrRefusesInFrench)
{
    QStringList files = {file("BON.MDB"), file("LECTURE.MDB")};
    for (const test::BadFile &f : test::writeBadFiles(dir.path()))
        files << f.path;
    QFile::copy(file("BON.MDB"), file("LECTURE.MDB"));
    QFile::setPermissions(file("LECTURE.MDB"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    if (test::jetSamplesPresent()) {
        const QByteArray bytes = test::patched("testV1997.mdb");
        test::writeAll(file("ACCESS.MDB"), bytes);
        test::writeAll(file("ACCESS_TRONQUE.MDB"), bytes.left(bytes.size() / 3));
        files << file("ACCESS.MDB") << file("ACCESS_TRONQUE.MDB");
    }
    // The file is put in second place; the last argument of rapport and importer is made.
    const QStringList commands[] = {
        {"tables"},
        {"requete", "SELECT * FROM TIMBRES WHERE DESIGNATION = 'l''écu'"},
        {"filtre", "TIMBRES", "--colonne", "2", "--condition", "Contient", "--critere", "'"},
        {"rapport", "TIMBRES", file("SORTIE.pdf")},
        {"importer", file("CIBLE.MDB")},
        {"nouvelle", "AUTRE"},
    };
    int answered = 0, refused = 0;
    for (const QString &path : files)
        for (QStringList args : commands) {
            args.insert(1, path);
            const QString made = args[0] == "rapport" || args[0] == "importer" ? QFileInfo(args.last()).fileName() : "";
            // A writable collection, or a missing file, may take a new table; SQLite writes it
            // beside a damaged page it does not read.
            const QString name = QFileInfo(path).fileName();
            const bool mayWrite = args[0] == "nouvelle" &&
                                  QStringList{"BON.MDB", "ABSENT.MDB", "SANSTABLE.MDB", "PAGE.MDB"}.contains(name);
            auto before = snapshot(dir.path());
            const Result r = run(args);
            const std::string context = (args.join(' ') + " → " + r.err).toStdString();
            auto after = snapshot(dir.path());
            if (r.status == 0) {
                ++answered;
                EXPECT_TRUE(made.isEmpty() || after.erase(made)) << context;
                EXPECT_EQ(args[0] == "nouvelle", mayWrite) << "wrote a file it may not write: " << context;
            } else {
                ++refused;
                EXPECT_EQ(r.status, 1) << context;
                EXPECT_TRUE(r.err.contains(QRegularExpression("^(carnelis-base rapport : e|E)rreur \\d+ : ")))
                    << context;
                EXPECT_FALSE(r.err.contains("3000")) << "the engine's raw failure: " << context;
            }
            if (mayWrite) {
                before.erase(name);
                after.erase(name);
                QFile::remove(file("ABSENT.MDB"));
            }
            EXPECT_TRUE(after == before) << context;
            QFile::remove(file("SORTIE.pdf"));
            QFile::remove(file("CIBLE.MDB"));
        }
    EXPECT_GT(answered, 0);
    EXPECT_GT(refused, 0);
}

} // namespace
