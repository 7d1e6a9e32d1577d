#include "OpenRequest.h"
#include "SelectionState.h"

#include <QLocale>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace carnelis;

namespace {

// The column, the condition, its value, the COTE operator and value, and the summary
// under the C locale; the French one differs only by its decimal comma.
const std::tuple<const char *, const char *, const char *, const char *, float, const char *> summaries[] = {
    {" DÉSIGNATION", "Contient", "LION", " > ", 5.0f, " DÉSIGNATION CONTIENT LION Et Cote  > 5.00"},
    {" TOUT", "", "", "", 0.0f, " TOUT   Critère suppl. ignoré."},
    {" ÉTAT", "Est Vide", " ", " = ", 0.0f, " ÉTAT EST VIDE   Et Cote  = 0.00"},
    {" NUMÉRO", "Est Égal à", "12", "", 7.0f, " NUMÉRO EST ÉGAL À 12 Critère suppl. ignoré."},
    // "0.00" groups nothing, rounds to two decimals, and shows no minus for a typed -0.
    {" COTE", "Est plus Petit que", "100", " < ", 1234.567f, " COTE EST PLUS PETIT QUE 100 Et Cote  < 1234.57"},
    {" COTE", "Est Différent de", "1", " = ", -0.0f, " COTE EST DIFFÉRENT DE 1 Et Cote  = 0.00"},
};

TEST(OpenRequest, SummaryInBothFormsUnderTheCAndTheFrenchLocale)
{
    for (const auto &[column, condition, critere, operateur, valeur, inC] : summaries) {
        SelectionState s;
        std::tie(s.ConditionTri, s.CritereTri, s.OperateurCote, s.ValeurCote) =
            std::tuple(QString::fromUtf8(condition), QString::fromUtf8(critere), QString::fromUtf8(operateur), valeur);
        const QString expected = QString::fromUtf8(inC);
        EXPECT_EQ(ResumeCriteres(QString::fromUtf8(column), s, QLocale::c()), expected);
        EXPECT_EQ(ResumeCriteres(QString::fromUtf8(column), s, QLocale(QLocale::French, QLocale::France)),
                  QString(expected).replace(QRegularExpression("(\\d)\\.(\\d)"), "\\1,\\2"));
    }
}

} // namespace
