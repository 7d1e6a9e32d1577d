#include "CriteriaCheck.h"

#include "Collection.h"
#include "CriteriaInput.h"
#include "DialogServices.h"
#include "SelectionState.h"

#include <limits>

namespace carnelis {

namespace {

// The longest criterion the query counts; the count has always been kept in one byte.
constexpr qsizetype longestCriterion = 255;

// Enough of a long criterion for the person to recognise it.
QString shown(const QString &critere)
{
    constexpr qsizetype head = 40;
    return critere.size() > head ? critere.left(head) + QStringLiteral("…") : critere;
}

// Whether the query writes the criterion bare, as a number: COTE compared by the four
// comparisons, NUMERO by the two order comparisons inside Val.
bool criterionIsANumber(int16_t colonneTri, const QString &conditionTri)
{
    const std::optional<Condition> condition = conditionFromCaption(conditionTri);
    if (!condition)
        return false;
    const bool order = condition == Condition::EstPlusGrandQue || condition == Condition::EstPlusPetitQue;
    const CollectionColumn *column = columnForChoice(colonneTri);
    if (column == &collectionTable[coteColumn])
        return order || condition == Condition::EstEgalA || condition == Condition::EstDifferentDe;
    if (column == &collectionTable[numeroColumn])
        return order;
    return false;
}

} // namespace

std::optional<Refusal> criteriaRefusal(const SelectionState &selection)
{
    if (auto refusal = missingSecondCriterion(selection))
        return refusal;
    const int16_t colonne = selection.ColonneTri.value_or(0);
    if (colonne <= 0)
        return std::nullopt; // all rows: no criterion goes into the query
    const QString &critere = selection.CritereTri;
    if (critere.size() > longestCriterion)
        return Refusal{QStringLiteral("Le critère « %1 » compte %2 caractères : il en faut %3 au plus. "
                                      "Raccourcissez-le puis cliquez sur Ouvrir.")
                           .arg(shown(critere), QString::number(critere.size()), QString::number(longestCriterion)),
                       vb::Critical, QStringLiteral(" Critère de Tri trop long.")};
    if (criterionIsANumber(colonne, selection.ConditionTri)) {
        const QString problem = numberProblem(critere, std::numeric_limits<double>::max());
        if (!problem.isEmpty())
            return Refusal{QStringLiteral("Le critère « %1 » %2 : la condition « %3 » sur la colonne%4 attend "
                                          "un nombre, par exemple 12,5. Corrigez-le puis cliquez sur Ouvrir.")
                               .arg(shown(critere), problem, selection.ConditionTri, chooserCaptionFor(colonne)),
                           vb::Critical, QStringLiteral(" Critère de Tri non numérique.")};
    }
    return std::nullopt;
}

} // namespace carnelis
