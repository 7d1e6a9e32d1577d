#include "OpenRequest.h"
#include "SelectionState.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace carnelis;

namespace {

struct SummaryRow {
    const char *column;
    const char *condition;
    const char *critere;
    const char *operateur;
    float valeur;
    const char *inC;
    const char *inFrench;
};

const SummaryRow summaries[] = {
    {" DÉSIGNATION", "Contient", "LION", " > ", 5.0f, " DÉSIGNATION CONTIENT LION Et Cote  > 5.00",
     " DÉSIGNATION CONTIENT LION Et Cote  > 5,00"},
    {" TOUT", "", "", "", 0.0f, " TOUT   Critère suppl. ignoré.", " TOUT   Critère suppl. ignoré."},
    {" ÉTAT", "Est Vide", " ", " = ", 0.0f, " ÉTAT EST VIDE   Et Cote  = 0.00", " ÉTAT EST VIDE   Et Cote  = 0,00"},
    {" NUMÉRO", "Est Égal à", "12", "", 7.0f, " NUMÉRO EST ÉGAL À 12 Critère suppl. ignoré.",
     " NUMÉRO EST ÉGAL À 12 Critère suppl. ignoré."},
    // "0.00" groups nothing, rounds to two decimals, and shows no minus for a typed -0.
    {" COTE", "Est plus Petit que", "100", " < ", 1234.567f, " COTE EST PLUS PETIT QUE 100 Et Cote  < 1234.57",
     " COTE EST PLUS PETIT QUE 100 Et Cote  < 1234,57"},
    {" COTE", "Est Différent de", "1", " = ", -0.0f, " COTE EST DIFFÉRENT DE 1 Et Cote  = 0.00",
     " COTE EST DIFFÉRENT DE 1 Et Cote  = 0,00"},
};

TEST(OpenRequest, SummaryInBothFormsUnderTheCAndTheFrenchLocale)
{
    for (const SummaryRow &row : summaries) {
        SelectionState s;
        s.ConditionTri = QString::fromUtf8(row.condition);
        s.CritereTri = QString::fromUtf8(row.critere);
        s.OperateurCote = QString::fromUtf8(row.operateur);
        s.ValeurCote = row.valeur;
        const QString column = QString::fromUtf8(row.column);
        EXPECT_EQ(ResumeCriteres(column, s, QLocale::c()), QString::fromUtf8(row.inC)) << row.inC;
        EXPECT_EQ(ResumeCriteres(column, s, QLocale(QLocale::French, QLocale::France)), QString::fromUtf8(row.inFrench))
            << row.inFrench;
    }
}

} // namespace
