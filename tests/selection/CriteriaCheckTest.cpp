// Numbers as a collector types them, and the criteria the open request refuses before
// the view is shown. Neither depends on the locale: each table runs under the French
// and the C locale.
#include "CriteriaCheck.h"
#include "CriteriaInput.h"
#include "DialogServices.h"
#include "SelectionState.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace carnelis;

namespace {

const QLocale locales[] = {QLocale(QLocale::French, QLocale::France), QLocale::c()};

TEST(CriteriaInput, NumbersWithTheCommaOrThePointAndNothingElse)
{
    const double inf = INFINITY;
    const std::pair<const char *, std::optional<double>> cases[] = {
        {"12,5", 12.5}, {"12.5", 12.5},   {" -3 ", -3},    {"1\u202F234,50", 1234.5},
        {"+,5", 0.5},   {"5,", 5},        {"1E3", 1000},   {"1e-2", 0.01},
        {"1E999", inf}, {"-1E999", -inf}, {"1E-999", 0},   {"ABC", {}},
        {"12ABC", {}},  {"1,2,3", {}},    {"1.234,5", {}}, {"1E", {}},
        {",", {}},      {"-", {}},        {"", {}},        {"&H10", {}},
        {"NAN", {}},    {"0X1", {}},
    };
    for (const QLocale &locale : locales) {
        QLocale::setDefault(locale);
        for (const auto &[typed, value] : cases)
            EXPECT_EQ(numberFromTyped(typed), value) << typed << " " << locale.name().toStdString();
    }
    // The COTE value is kept in single precision.
    EXPECT_EQ(coteValueFromTyped("3,4028234663852886E38"), std::numeric_limits<float>::max());
    EXPECT_EQ(coteValueFromTyped("3,5E38"), std::nullopt);
    EXPECT_EQ(coteValueProblem("3,5E38"), "est un nombre trop grand");
}

TEST(CriteriaCheck, CriteriaTheQueryCannotHoldAreRefusedWithTheTypedTextNamed)
{
    const QString number = QStringLiteral("Le critère « %1 » %2 : la condition « %3 » sur la colonne %4 attend un "
                                          "nombre, par exemple 12,5. Corrigez-le puis cliquez sur Ouvrir.");
    const QString numberTitle = QStringLiteral(" Critère de Tri non numérique.");
    const QString x256(256, u'X'), a40(40, u'A'), nan = QStringLiteral("n'est pas un nombre");
    const struct {
        int16_t colonne;
        const char *condition;
        QString critere, prompt = {}, title = {}; // no prompt: opens
    } cases[] = {
        {5, "Est Égal à", "12,5"},
        {5, "Est Différent de", " 1 234,50 "},
        {5, "Est plus Grand que", a40, number.arg(a40, nan, "Est plus Grand que", "COTE"), numberTitle},
        {5, "Est Égal à", "1E999", number.arg("1E999", "est un nombre trop grand", "Est Égal à", "COTE"), numberTitle},
        {1, "Est plus Petit que", "A2", number.arg("A2", nan, "Est plus Petit que", "NUMÉRO"), numberTitle},
        // Text conditions take any text, on COTE and NUMERO too.
        {1, "Est Égal à", "A2"},
        {5, "Contient", ",89"},
        {5, "Est Vide", " "},
        {2, "Contient", QString(255, u'X')},
        {6, "Contient", x256,
         QStringLiteral("Le critère « %1… » compte 256 caractères : il en faut 255 au plus. Raccourcissez-le puis "
                        "cliquez sur Ouvrir.")
             .arg(x256.left(40)),
         " Critère de Tri trop long."},
        // The missing condition value keeps its own box, and " TOUT" is never refused.
        {1, "", "", " Le Second Critère de Tri n'a pas été choisi ! ", " Erreur Second Critère de Tri."},
        {0, "Est Égal à", x256},
    };
    for (const QLocale &locale : locales) {
        QLocale::setDefault(locale);
        for (const auto &c : cases) {
            SelectionState s;
            std::tie(s.ColonneTri, s.ConditionTri, s.CritereTri) =
                std::tuple(c.colonne, QString::fromUtf8(c.condition), c.critere);
            const Refusal refusal = criteriaRefusal(s).value_or(Refusal{});
            EXPECT_EQ(std::tuple(refusal.prompt, refusal.title, refusal.style),
                      std::tuple(c.prompt, c.title, c.prompt.isEmpty() ? Refusal{}.style : int(vb::Critical)))
                << c.critere.left(20).toStdString() << " " << locale.name().toStdString();
        }
    }
}

} // namespace
