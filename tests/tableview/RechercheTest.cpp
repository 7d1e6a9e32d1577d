#include "Recherche.h"
#include "RuntimeError.h"
#include "SelectionState.h"
#include "TestFiles.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace carnelis;

namespace {

struct Row {
    int16_t colonne;
    const char *condition;
    const char *critere;
    const char *sansCote; // no COTE comparison
    const char *avecCote; // with " > " 150
};

SelectionState selection(const QString &table, int16_t colonne, const QString &condition, const QString &critere,
                         const QString &operateur = {}, float valeur = 0)
{
    SelectionState s;
    s.NomTable = table;
    s.ColonneTri = colonne;
    s.ConditionTri = condition;
    s.CritereTri = critere;
    s.OperateurCote = operateur;
    s.ValeurCote = valeur;
    return s;
}

QString compose(const SelectionState &s)
{
    QString texte = QStringLiteral("inchangé");
    Recherche(s, columnNameFor(*s.ColonneTri), texte);
    return texte;
}

// Every condition on a text column, on NUMERO and on COTE, without and with the COTE
// clause, written out in full.
const Row rows[] = {
    {2, "Est Égal à", "EURO", "SELECT * FROM MONNAIES WHERE MONNAIES.DESIGNATION = ('EURO') ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE MONNAIES.DESIGNATION = ('EURO') And MONNAIES.COTE  > 150 ORDER BY NUMERO"},
    {2, "Est plus Grand que", "EURO", "SELECT * FROM MONNAIES WHERE MONNAIES.DESIGNATION > ('EURO') ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE MONNAIES.DESIGNATION > ('EURO') And MONNAIES.COTE  > 150 ORDER BY NUMERO"},
    {2, "Est plus Petit que", "EURO", "SELECT * FROM MONNAIES WHERE MONNAIES.DESIGNATION < ('EURO') ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE MONNAIES.DESIGNATION < ('EURO') And MONNAIES.COTE  > 150 ORDER BY NUMERO"},
    {2, "Est Différent de", "EURO",
     "SELECT * FROM MONNAIES WHERE MONNAIES.DESIGNATION <> ('EURO') OR MONNAIES.DESIGNATION = Null ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE (MONNAIES.DESIGNATION <> ('EURO') OR MONNAIES.DESIGNATION = Null) And MONNAIES.COTE "
     " > 150 ORDER BY NUMERO"},
    {2, "Est Vide", " ",
     "SELECT * FROM MONNAIES WHERE MONNAIES.DESIGNATION = Null OR MONNAIES.DESIGNATION = (' ') ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE (MONNAIES.DESIGNATION = Null OR MONNAIES.DESIGNATION = (' ')) And MONNAIES.COTE  > "
     "150 ORDER BY NUMERO"},
    {2, "N'est pas Vide", " ",
     "SELECT * FROM MONNAIES WHERE MONNAIES.DESIGNATION <> Null AND MONNAIES.DESIGNATION <> (' ') ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE MONNAIES.DESIGNATION <> Null And MONNAIES.DESIGNATION <> (' ') And MONNAIES.COTE  > "
     "150 ORDER BY NUMERO"},
    {2, "Contient", "EURO", "SELECT * FROM MONNAIES WHERE INSTR(MONNAIES.DESIGNATION,('EURO')) <> 0 ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE INSTR(MONNAIES.DESIGNATION,('EURO')) <> 0 And MONNAIES.COTE  > 150 ORDER BY NUMERO"},
    {2, "Ne Contient Pas", "EURO",
     "SELECT * FROM MONNAIES WHERE INSTR(MONNAIES.DESIGNATION,('EURO')) = 0 OR MONNAIES.DESIGNATION = NULL ORDER BY "
     "NUMERO",
     "SELECT * FROM MONNAIES WHERE (INSTR(MONNAIES.DESIGNATION,('EURO')) = 0 OR MONNAIES.DESIGNATION = NULL) And "
     "MONNAIES.COTE  > 150 ORDER BY NUMERO"},
    {2, "Commence par", "EURO", "SELECT * FROM MONNAIES WHERE Left(MONNAIES.DESIGNATION,4) = ('EURO') ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE Left(MONNAIES.DESIGNATION,4) = ('EURO') And MONNAIES.COTE  > 150 ORDER BY NUMERO"},
    {2, "Finit par", "EURO", "SELECT * FROM MONNAIES WHERE Right(MONNAIES.DESIGNATION,4) = ('EURO') ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE Right(MONNAIES.DESIGNATION,4) = ('EURO') And MONNAIES.COTE  > 150 ORDER BY NUMERO"},

    {1, "Est Égal à", "100", "SELECT * FROM MONNAIES WHERE MONNAIES.NUMERO = ('100') ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE MONNAIES.NUMERO = ('100') And MONNAIES.COTE  > 150 ORDER BY NUMERO"},
    {1, "Est plus Grand que", "100", "SELECT * FROM MONNAIES WHERE Val(MONNAIES.NUMERO) > Val(100) ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE Val(MONNAIES.NUMERO) > Val(100) And MONNAIES.COTE  > 150 ORDER BY NUMERO"},
    {1, "Est plus Petit que", "100", "SELECT * FROM MONNAIES WHERE Val(MONNAIES.NUMERO) < Val(100) ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE Val(MONNAIES.NUMERO) < Val(100) And MONNAIES.COTE  > 150 ORDER BY NUMERO"},
    {1, "Est Différent de", "100",
     "SELECT * FROM MONNAIES WHERE MONNAIES.NUMERO <> ('100') OR MONNAIES.NUMERO = Null ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE (MONNAIES.NUMERO <> ('100') OR MONNAIES.NUMERO = Null) And MONNAIES.COTE  > 150 "
     "ORDER BY NUMERO"},
    {1, "Est Vide", " ", "SELECT * FROM MONNAIES WHERE Val(MONNAIES.NUMERO) =  0",
     "SELECT * FROM MONNAIES WHERE Val(MONNAIES.NUMERO) =  0 And MONNAIES.COTE  > 150"},
    {1, "N'est pas Vide", " ", "SELECT * FROM MONNAIES WHERE Val(MONNAIES.NUMERO) <>  0 ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE Val(MONNAIES.NUMERO) <>  0 And MONNAIES.COTE  > 150 ORDER BY NUMERO"},
    {1, "Contient", "100", "SELECT * FROM MONNAIES WHERE INSTR(MONNAIES.NUMERO,('100')) <> 0 ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE INSTR(MONNAIES.NUMERO,('100')) <> 0 And MONNAIES.COTE  > 150 ORDER BY NUMERO"},
    {1, "Ne Contient Pas", "100",
     "SELECT * FROM MONNAIES WHERE INSTR(MONNAIES.NUMERO,('100')) = 0 OR MONNAIES.NUMERO = NULL ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE (INSTR(MONNAIES.NUMERO,('100')) = 0 OR MONNAIES.NUMERO = NULL) And MONNAIES.COTE  > "
     "150 ORDER BY NUMERO"},
    {1, "Commence par", "100", "SELECT * FROM MONNAIES WHERE Left(MONNAIES.NUMERO,3) = ('100') ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE Left(MONNAIES.NUMERO,3) = ('100') And MONNAIES.COTE  > 150 ORDER BY NUMERO"},
    {1, "Finit par", "100", "SELECT * FROM MONNAIES WHERE Right(MONNAIES.NUMERO,3) = ('100') ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE Right(MONNAIES.NUMERO,3) = ('100') And MONNAIES.COTE  > 150 ORDER BY NUMERO"},

    {5, "Est Égal à", "12", "SELECT * FROM MONNAIES WHERE MONNAIES.COTE =  12 ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE MONNAIES.COTE =  12 And MONNAIES.COTE  > 150 ORDER BY NUMERO"},
    {5, "Est plus Grand que", "12", "SELECT * FROM MONNAIES WHERE MONNAIES.COTE >  12 ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE MONNAIES.COTE >  12 And MONNAIES.COTE  > 150 ORDER BY NUMERO"},
    {5, "Est plus Petit que", "12", "SELECT * FROM MONNAIES WHERE MONNAIES.COTE <  12 ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE MONNAIES.COTE <  12 And MONNAIES.COTE  > 150 ORDER BY NUMERO"},
    {5, "Est Différent de", "12", "SELECT * FROM MONNAIES WHERE MONNAIES.COTE <>  12 ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE MONNAIES.COTE <>  12 And MONNAIES.COTE  > 150 ORDER BY NUMERO"},
    {5, "Est Vide", " ", "SELECT * FROM MONNAIES WHERE MONNAIES.COTE =  Null ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE MONNAIES.COTE =  Null And MONNAIES.COTE  > 150 ORDER BY NUMERO"},
    {5, "N'est pas Vide", " ", "SELECT * FROM MONNAIES WHERE MONNAIES.COTE <>  Null ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE MONNAIES.COTE <>  Null And MONNAIES.COTE  > 150 ORDER BY NUMERO"},
    {5, "Contient", "12", "SELECT * FROM MONNAIES WHERE INSTR(MONNAIES.COTE,('12')) <> 0 ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE INSTR(MONNAIES.COTE,('12')) <> 0 And MONNAIES.COTE  > 150 ORDER BY NUMERO"},
    {5, "Ne Contient Pas", "12",
     "SELECT * FROM MONNAIES WHERE INSTR(MONNAIES.COTE,('12')) = 0 OR MONNAIES.COTE = NULL ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE (INSTR(MONNAIES.COTE,('12')) = 0 OR MONNAIES.COTE = NULL) And MONNAIES.COTE  > 150 "
     "ORDER BY NUMERO"},
    {5, "Commence par", "12", "SELECT * FROM MONNAIES WHERE Left(MONNAIES.COTE,2) = ('12') ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE Left(MONNAIES.COTE,2) = ('12') And MONNAIES.COTE  > 150 ORDER BY NUMERO"},
    {5, "Finit par", "12", "SELECT * FROM MONNAIES WHERE Right(MONNAIES.COTE,2) = ('12') ORDER BY NUMERO",
     "SELECT * FROM MONNAIES WHERE Right(MONNAIES.COTE,2) = ('12') And MONNAIES.COTE  > 150 ORDER BY NUMERO"},
};

void PrintTo(const Row &r, std::ostream *os) { *os << r.sansCote; }

class ConditionTable : public ::testing::TestWithParam<Row> {};

TEST_P(ConditionTable, ComposesTheExactText)
{
    const Row &r = GetParam();
    const QString condition = QString::fromUtf8(r.condition);
    EXPECT_EQ(compose(selection("MONNAIES", r.colonne, condition, r.critere)), QString::fromUtf8(r.sansCote));
    EXPECT_EQ(compose(selection("MONNAIES", r.colonne, condition, r.critere, " > ", 150)),
              QString::fromUtf8(r.avecCote));
}

INSTANTIATE_TEST_SUITE_P(EveryCondition, ConditionTable, ::testing::ValuesIn(rows));

struct Example {
    int16_t colonne;
    const char *condition;
    const char *critere;
    const char *operateur;
    float valeur;
    const char *table;
    const char *attendu;
};

void PrintTo(const Example &e, std::ostream *os) { *os << e.attendu; }

class Examples : public ::testing::TestWithParam<Example> {};

TEST_P(Examples, ComposeTheExactText)
{
    const Example &e = GetParam();
    EXPECT_EQ(compose(selection(QString::fromUtf8(e.table), e.colonne, QString::fromUtf8(e.condition),
                                QString::fromUtf8(e.critere), e.operateur, e.valeur)),
              QString::fromUtf8(e.attendu));
}

INSTANTIATE_TEST_SUITE_P(
    WorkedAndEdgeCases, Examples,
    ::testing::Values(
        Example{2, "Contient", "EURO", " > ", 150, "MONNAIES",
                "SELECT * FROM MONNAIES WHERE INSTR(MONNAIES.DESIGNATION,('EURO')) <> 0 And MONNAIES.COTE  > 150 ORDER "
                "BY NUMERO"},
        Example{3, "Est Différent de", "ROUGE", " < ", 20, "MONNAIES",
                "SELECT * FROM MONNAIES WHERE (MONNAIES.COULEUR <> ('ROUGE') OR MONNAIES.COULEUR = Null) And "
                "MONNAIES.COTE  < 20 ORDER BY NUMERO"},
        Example{1, "Est plus Grand que", "100", "", 0, "MONNAIES",
                "SELECT * FROM MONNAIES WHERE Val(MONNAIES.NUMERO) > Val(100) ORDER BY NUMERO"},
        Example{5, "Est Égal à", "12", "", 0, "MONNAIES",
                "SELECT * FROM MONNAIES WHERE MONNAIES.COTE =  12 ORDER BY NUMERO"},
        Example{6, "Commence par", "NEUF", "", 0, "MONNAIES",
                "SELECT * FROM MONNAIES WHERE Left(MONNAIES.DIVERS,4) = ('NEUF') ORDER BY NUMERO"},
        Example{1, "Est Vide", " ", " = ", 0, "MONNAIES",
                "SELECT * FROM MONNAIES WHERE Val(MONNAIES.NUMERO) =  0 And MONNAIES.COTE  = 0"},
        Example{4, "N'est pas Vide", " ", "", 0, "MONNAIES",
                "SELECT * FROM MONNAIES WHERE MONNAIES.ETAT <> Null AND MONNAIES.ETAT <> (' ') ORDER BY NUMERO"},
        // A number typed the French way, or with blanks, reaches the engine with a point;
        // a text search keeps the criterion as typed.
        Example{5, "Est Égal à", "12,5", "", 0, "MONNAIES",
                "SELECT * FROM MONNAIES WHERE MONNAIES.COTE =  12.5 ORDER BY NUMERO"},
        Example{1, "Est plus Petit que", " 1 000,0 ", "", 0, "MONNAIES",
                "SELECT * FROM MONNAIES WHERE Val(MONNAIES.NUMERO) < Val(1000) ORDER BY NUMERO"},
        Example{5, "Finit par", ",89", "", 0, "MONNAIES",
                "SELECT * FROM MONNAIES WHERE Right(MONNAIES.COTE,3) = (',89') ORDER BY NUMERO"},
        // An empty operator drops the COTE clause whatever the value holds.
        Example{4, "Contient", "TB", "", 99, "MONNAIES",
                "SELECT * FROM MONNAIES WHERE INSTR(MONNAIES.ETAT,('TB')) <> 0 ORDER BY NUMERO"},
        // Apostrophes are doubled inside the literal; the count is of the criterion as typed.
        Example{2, "Commence par", "L'ÉCU D'OR", "", 0, "MONNAIES",
                "SELECT * FROM MONNAIES WHERE Left(MONNAIES.DESIGNATION,10) = ('L''ÉCU D''OR') ORDER BY NUMERO"},
        // Names that do not read as one name stand in brackets everywhere.
        Example{2, "Contient", "LION", " < ", 12.5f, "MES TIMBRES",
                "SELECT * FROM [MES TIMBRES] WHERE INSTR([MES TIMBRES].DESIGNATION,('LION')) <> 0 And [MES "
                "TIMBRES].COTE  < 12.5 ORDER BY NUMERO"},
        Example{3, "Est Égal à", "BLEU", "", 0, "ORDER",
                "SELECT * FROM [ORDER] WHERE [ORDER].COULEUR = ('BLEU') ORDER BY NUMERO"},
        Example{3, "Est Égal à", "BLEU", "", 0, "1900-1950",
                "SELECT * FROM [1900-1950] WHERE [1900-1950].COULEUR = ('BLEU') ORDER BY NUMERO"},
        Example{3, "Est Égal à", "BLEU", "", 0, "TIMBRES_ÉTÉ",
                "SELECT * FROM TIMBRES_ÉTÉ WHERE TIMBRES_ÉTÉ.COULEUR = ('BLEU') ORDER BY NUMERO"}));

TEST(Recherche, UnknownCaptionLeavesTheTextAsItWas)
{
    EXPECT_EQ(compose(selection("MONNAIES", 2, "Ressemble à", "X")), "inchangé");
    // Captions are compared exactly: letter case counts.
    EXPECT_EQ(compose(selection("MONNAIES", 2, "contient", "X")), "inchangé");
}

TEST(Recherche, CountsUpTo255CharactersThenOverflows)
{
    const QString longest(255, u'A');
    EXPECT_EQ(compose(selection("T", 2, "Commence par", longest)),
              "SELECT * FROM T WHERE Left(T.DESIGNATION,255) = ('" + longest + "') ORDER BY NUMERO");

    // The count overflows for every condition, before anything is written.
    for (const char *condition : {"Commence par", "Est Égal à", "Est Vide"}) {
        QString texte = "avant";
        const RuntimeError e = test::thrownBy([&] {
            Recherche(selection("T", 2, QString::fromUtf8(condition), QString(256, u'A')), "DESIGNATION", texte);
        });
        EXPECT_EQ(e.number(), err::Overflow);
        EXPECT_EQ(texte, "avant");
    }
}

TEST(Recherche, UnfilteredQueryAndColumnNames)
{
    EXPECT_EQ(unfilteredQuery("MONNAIES"), "SELECT * FROM MONNAIES ORDER BY NUMERO");
    EXPECT_EQ(unfilteredQuery("MES TIMBRES"), "SELECT * FROM [MES TIMBRES] ORDER BY NUMERO");
    const char *names[] = {"", "NUMERO", "DESIGNATION", "COULEUR", "ETAT", "COTE", "DIVERS", ""};
    for (int16_t i = 0; i <= 7; ++i)
        EXPECT_EQ(columnNameFor(i), QString::fromLatin1(names[i])) << i;
}

// The COTE value is written with a point whatever the locale, so the engine reads
// one number.
TEST(Recherche, SingleValueTextIgnoresTheLocale)
{
    const struct {
        float value;
        const char *text;
    } cases[] = {{150, "150"},     {12.5f, "12.5"},         {0.1f, "0.1"},
                 {1e20f, "1E+20"}, {1e-5f, "1E-05"},        {-3, "-3"},
                 {0, "0"},         {1234567.0f, "1234567"}, {12345678.0f, "1.234568E+07"}};
    for (const QLocale &locale : {QLocale(QLocale::French, QLocale::France), QLocale::c()}) {
        QLocale::setDefault(locale);
        for (const auto &c : cases)
            EXPECT_EQ(singleToText(c.value), QString::fromLatin1(c.text)) << c.value;
    }
    QLocale::setDefault(QLocale::c());
}

} // namespace
