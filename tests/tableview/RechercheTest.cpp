#include "Recherche.h"
#include "RuntimeError.h"
#include "SelectionState.h"
#include "TestFiles.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace carnelis;

namespace {

struct Case {
    int16_t colonne;
    const char *condition, *critere, *operateur;
    float valeur;
    const char *table, *attendu;
};

void PrintTo(const Case &c, std::ostream *os) { *os << c.condition << ": " << c.attendu; }

SelectionState selectionOf(const Case &c)
{
    SelectionState s;
    s.NomTable = QString::fromUtf8(c.table);
    s.ColonneTri = c.colonne;
    s.ConditionTri = QString::fromUtf8(c.condition);
    s.CritereTri = QString::fromUtf8(c.critere);
    s.OperateurCote = QString::fromUtf8(c.operateur);
    s.ValeurCote = c.valeur;
    return s;
}

QString compose(const Case &c)
{
    QString texte = QStringLiteral("inchangé");
    Recherche(selectionOf(c), columnNameFor(c.colonne), texte);
    return texte;
}

// One case of each shape the texts take, without and with the COTE clause; then the
// worked examples and the edge cases, verbatim.
class RechercheText : public ::testing::TestWithParam<Case> {};

TEST_P(RechercheText, ComposesTheExactText) { EXPECT_EQ(compose(GetParam()), QString::fromUtf8(GetParam().attendu)); }

Case shape(int16_t colonne, const char *condition, const char *critere, bool cote, const char *attendu)
{
    return {colonne, condition, critere, cote ? " > " : "", 150, "T", attendu};
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, RechercheText,
    ::testing::Values(
        shape(2, "Est plus Grand que", "EURO", false, "SELECT * FROM T WHERE T.DESIGNATION > ('EURO') ORDER BY NUMERO"),
        shape(2, "Est plus Grand que", "EURO", true,
              "SELECT * FROM T WHERE T.DESIGNATION > ('EURO') And T.COTE  > 150 ORDER BY NUMERO"),
        shape(1, "Est Égal à", "100", false, "SELECT * FROM T WHERE T.NUMERO = ('100') ORDER BY NUMERO"),
        shape(1, "Est Égal à", "100", true,
              "SELECT * FROM T WHERE T.NUMERO = ('100') And T.COTE  > 150 ORDER BY NUMERO"),
        shape(1, "Est plus Petit que", "100", false, "SELECT * FROM T WHERE Val(T.NUMERO) < Val(100) ORDER BY NUMERO"),
        shape(1, "Est plus Petit que", "100", true,
              "SELECT * FROM T WHERE Val(T.NUMERO) < Val(100) And T.COTE  > 150 ORDER BY NUMERO"),
        shape(5, "Est Différent de", "12", false, "SELECT * FROM T WHERE T.COTE <>  12 ORDER BY NUMERO"),
        shape(5, "Est Différent de", "12", true,
              "SELECT * FROM T WHERE T.COTE <>  12 And T.COTE  > 150 ORDER BY NUMERO"),
        shape(2, "Est Différent de", "EURO", false,
              "SELECT * FROM T WHERE T.DESIGNATION <> ('EURO') OR T.DESIGNATION = Null ORDER BY NUMERO"),
        shape(2, "Est Différent de", "EURO", true,
              "SELECT * FROM T WHERE (T.DESIGNATION <> ('EURO') OR T.DESIGNATION = Null) And T.COTE  > 150 ORDER BY "
              "NUMERO"),
        shape(2, "Est Vide", " ", false,
              "SELECT * FROM T WHERE T.DESIGNATION = Null OR T.DESIGNATION = (' ') ORDER BY NUMERO"),
        shape(
            2, "Est Vide", " ", true,
            "SELECT * FROM T WHERE (T.DESIGNATION = Null OR T.DESIGNATION = (' ')) And T.COTE  > 150 ORDER BY NUMERO"),
        shape(1, "Est Vide", " ", false, "SELECT * FROM T WHERE Val(T.NUMERO) =  0"),
        shape(1, "Est Vide", " ", true, "SELECT * FROM T WHERE Val(T.NUMERO) =  0 And T.COTE  > 150"),
        shape(5, "Est Vide", " ", false, "SELECT * FROM T WHERE T.COTE =  Null ORDER BY NUMERO"),
        shape(5, "Est Vide", " ", true, "SELECT * FROM T WHERE T.COTE =  Null And T.COTE  > 150 ORDER BY NUMERO"),
        shape(2, "N'est pas Vide", " ", false,
              "SELECT * FROM T WHERE T.DESIGNATION <> Null AND T.DESIGNATION <> (' ') ORDER BY NUMERO"),
        shape(
            2, "N'est pas Vide", " ", true,
            "SELECT * FROM T WHERE T.DESIGNATION <> Null And T.DESIGNATION <> (' ') And T.COTE  > 150 ORDER BY NUMERO"),
        shape(1, "N'est pas Vide", " ", false, "SELECT * FROM T WHERE Val(T.NUMERO) <>  0 ORDER BY NUMERO"),
        shape(1, "N'est pas Vide", " ", true,
              "SELECT * FROM T WHERE Val(T.NUMERO) <>  0 And T.COTE  > 150 ORDER BY NUMERO"),
        shape(5, "N'est pas Vide", " ", false, "SELECT * FROM T WHERE T.COTE <>  Null ORDER BY NUMERO"),
        shape(5, "N'est pas Vide", " ", true,
              "SELECT * FROM T WHERE T.COTE <>  Null And T.COTE  > 150 ORDER BY NUMERO"),
        shape(2, "Contient", "EURO", false, "SELECT * FROM T WHERE INSTR(T.DESIGNATION,('EURO')) <> 0 ORDER BY NUMERO"),
        shape(2, "Contient", "EURO", true,
              "SELECT * FROM T WHERE INSTR(T.DESIGNATION,('EURO')) <> 0 And T.COTE  > 150 ORDER BY NUMERO"),
        shape(2, "Ne Contient Pas", "EURO", false,
              "SELECT * FROM T WHERE INSTR(T.DESIGNATION,('EURO')) = 0 OR T.DESIGNATION = NULL ORDER BY NUMERO"),
        shape(2, "Ne Contient Pas", "EURO", true,
              "SELECT * FROM T WHERE (INSTR(T.DESIGNATION,('EURO')) = 0 OR T.DESIGNATION = NULL) And T.COTE  > 150 "
              "ORDER BY NUMERO"),
        shape(5, "Commence par", "12", false, "SELECT * FROM T WHERE Left(T.COTE,2) = ('12') ORDER BY NUMERO"),
        shape(5, "Commence par", "12", true,
              "SELECT * FROM T WHERE Left(T.COTE,2) = ('12') And T.COTE  > 150 ORDER BY NUMERO"),
        shape(1, "Finit par", "100", false, "SELECT * FROM T WHERE Right(T.NUMERO,3) = ('100') ORDER BY NUMERO"),
        shape(1, "Finit par", "100", true,
              "SELECT * FROM T WHERE Right(T.NUMERO,3) = ('100') And T.COTE  > 150 ORDER BY NUMERO")));

INSTANTIATE_TEST_SUITE_P(
    WorkedAndEdgeCases, RechercheText,
    ::testing::Values(
        Case{2, "Contient", "EURO", " > ", 150, "MONNAIES",
             "SELECT * FROM MONNAIES WHERE INSTR(MONNAIES.DESIGNATION,('EURO')) <> 0 And MONNAIES.COTE  > 150 ORDER "
             "BY NUMERO"},
        Case{3, "Est Différent de", "ROUGE", " < ", 20, "MONNAIES",
             "SELECT * FROM MONNAIES WHERE (MONNAIES.COULEUR <> ('ROUGE') OR MONNAIES.COULEUR = Null) And "
             "MONNAIES.COTE  < 20 ORDER BY NUMERO"},
        Case{1, "Est plus Grand que", "100", "", 0, "MONNAIES",
             "SELECT * FROM MONNAIES WHERE Val(MONNAIES.NUMERO) > Val(100) ORDER BY NUMERO"},
        Case{5, "Est Égal à", "12", "", 0, "MONNAIES",
             "SELECT * FROM MONNAIES WHERE MONNAIES.COTE =  12 ORDER BY NUMERO"},
        Case{6, "Commence par", "NEUF", "", 0, "MONNAIES",
             "SELECT * FROM MONNAIES WHERE Left(MONNAIES.DIVERS,4) = ('NEUF') ORDER BY NUMERO"},
        Case{1, "Est Vide", " ", " = ", 0, "MONNAIES",
             "SELECT * FROM MONNAIES WHERE Val(MONNAIES.NUMERO) =  0 And MONNAIES.COTE  = 0"},
        Case{4, "N'est pas Vide", " ", "", 0, "MONNAIES",
             "SELECT * FROM MONNAIES WHERE MONNAIES.ETAT <> Null AND MONNAIES.ETAT <> (' ') ORDER BY NUMERO"},
        // A number typed the French way, or with blanks, reaches the engine with a point;
        // a text search keeps the criterion as typed.
        Case{5, "Est Égal à", "12,5", "", 0, "T", "SELECT * FROM T WHERE T.COTE =  12.5 ORDER BY NUMERO"},
        Case{1, "Est plus Petit que", " 1 000,0 ", "", 0, "T",
             "SELECT * FROM T WHERE Val(T.NUMERO) < Val(1000) ORDER BY NUMERO"},
        Case{5, "Finit par", ",89", "", 0, "T", "SELECT * FROM T WHERE Right(T.COTE,3) = (',89') ORDER BY NUMERO"},
        // An empty operator drops the COTE clause whatever the value holds.
        Case{4, "Contient", "TB", "", 99, "T", "SELECT * FROM T WHERE INSTR(T.ETAT,('TB')) <> 0 ORDER BY NUMERO"},
        // Apostrophes are doubled inside the literal; the count is of the criterion as typed.
        Case{2, "Commence par", "L'ÉCU D'OR", "", 0, "T",
             "SELECT * FROM T WHERE Left(T.DESIGNATION,10) = ('L''ÉCU D''OR') ORDER BY NUMERO"},
        // A name that does not read as one name stands in brackets everywhere.
        Case{2, "Contient", "LION", " < ", 12.5f, "MES TIMBRES",
             "SELECT * FROM [MES TIMBRES] WHERE INSTR([MES TIMBRES].DESIGNATION,('LION')) <> 0 And [MES "
             "TIMBRES].COTE  < 12.5 ORDER BY NUMERO"},
        // Captions are compared exactly: one unknown, or in another case, leaves the text.
        Case{2, "Ressemble à", "X", "", 0, "T", "inchangé"}, Case{2, "contient", "X", "", 0, "T", "inchangé"}));

TEST(RechercheLimits, CountsUpTo255CharactersThenOverflowsBeforeWriting)
{
    const std::string longest(255, 'A');
    EXPECT_EQ(compose({2, "Commence par", longest.c_str(), "", 0, "T", ""}),
              QStringLiteral("SELECT * FROM T WHERE Left(T.DESIGNATION,255) = ('%1') ORDER BY NUMERO")
                  .arg(QString::fromStdString(longest)));
    const std::string tooLong(256, 'A');
    for (const char *condition : {"Commence par", "Est Égal à", "Est Vide"}) {
        QString texte = "avant";
        const Case c{2, condition, tooLong.c_str(), "", 0, "T", ""};
        EXPECT_EQ(test::thrownBy([&] { Recherche(selectionOf(c), "DESIGNATION", texte); }).number(), err::Overflow);
        EXPECT_EQ(texte, "avant");
    }
    EXPECT_EQ(unfilteredQuery("MES TIMBRES"), "SELECT * FROM [MES TIMBRES] ORDER BY NUMERO");
}

// The COTE value is written with a point whatever the locale, so the engine reads one number.
TEST(RechercheLimits, SingleValueTextIgnoresTheLocale)
{
    const std::pair<float, const char *> cases[] = {
        {150, "150"},     {12.5f, "12.5"}, {0.1f, "0.1"},           {1e20f, "1E+20"},
        {1e-5f, "1E-05"}, {-3, "-3"},      {1234567.0f, "1234567"}, {12345678.0f, "1.234568E+07"}};
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    for (const auto &[value, text] : cases)
        EXPECT_EQ(singleToText(value), QString::fromLatin1(text)) << value;
    QLocale::setDefault(QLocale::c());
}

} // namespace
