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

SelectionState selectionOf(const Case &c)
{
    SelectionState s;
    std::tie(s.NomTable, s.ColonneTri, s.ConditionTri, s.CritereTri, s.OperateurCote, s.ValeurCote) =
        std::tuple(QString::fromUtf8(c.table), c.colonne, QString::fromUtf8(c.condition), QString::fromUtf8(c.critere),
                   QString::fromUtf8(c.operateur), c.valeur);
    return s;
}

QString compose(const Case &c)
{
    QString texte = QStringLiteral("inchangé");
    Recherche(selectionOf(c), columnNameFor(c.colonne), texte);
    return texte;
}

// The edge cases, verbatim.
TEST(RechercheText, EdgeCases)
{
    const Case cases[] = {
        // A number typed the French way, or with blanks, reaches the engine with a point;
        // a text search keeps the criterion as typed.
        {5, "Est Égal à", "12,5", "", 0, "T", "SELECT * FROM T WHERE T.COTE =  12.5 ORDER BY NUMERO"},
        {1, "Est plus Petit que", " 1 000,0 ", "", 0, "T",
         "SELECT * FROM T WHERE Val(T.NUMERO) < Val(1000) ORDER BY NUMERO"},
        {5, "Finit par", ",89", "", 0, "T", "SELECT * FROM T WHERE Right(T.COTE,3) = (',89') ORDER BY NUMERO"},
        // A criterion that is no number is never made one (the chooser and filtre refuse it first).
        {5, "Est Égal à", "DOUZE", "", 0, "T", "SELECT * FROM T WHERE T.COTE =  DOUZE ORDER BY NUMERO"},
        // An empty operator drops the COTE clause whatever the value holds.
        {4, "Contient", "TB", "", 99, "T", "SELECT * FROM T WHERE INSTR(T.ETAT,('TB')) <> 0 ORDER BY NUMERO"},
        // Apostrophes are doubled inside the literal; the count is of the criterion as typed.
        {2, "Commence par", "L'ÉCU D'OR", "", 0, "T",
         "SELECT * FROM T WHERE Left(T.DESIGNATION,10) = ('L''ÉCU D''OR') ORDER BY NUMERO"},
        // A name that does not read as one name stands in brackets everywhere.
        {2, "Contient", "LION", " < ", 12.5f, "MES TIMBRES",
         "SELECT * FROM [MES TIMBRES] WHERE INSTR([MES TIMBRES].DESIGNATION,('LION')) <> 0 And [MES "
         "TIMBRES].COTE  < 12.5 ORDER BY NUMERO"},
        // Captions are compared exactly: one unknown, or in another case, leaves the text.
        {2, "Ressemble à", "X", "", 0, "T", "inchangé"},
        {2, "contient", "X", "", 0, "T", "inchangé"}};
    for (const Case &c : cases)
        EXPECT_EQ(compose(c), QString::fromUtf8(c.attendu)) << c.condition << " " << c.critere;
}

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
}

} // namespace
