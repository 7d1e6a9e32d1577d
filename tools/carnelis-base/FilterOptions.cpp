#include "FilterOptions.h"

#include "Collection.h"
#include "CriteriaCheck.h"
#include "CriteriaInput.h"
#include "Recherche.h"

namespace carnelis {

namespace {

// The operator as the COTE buttons of the chooser store it.
QString coteOperator(const QString &sign)
{
    const QString s = sign.trimmed();
    if (s == QLatin1String("=") || s == QLatin1String(">") || s == QLatin1String("<"))
        return u' ' + s + u' ';
    throw UsageError{QStringLiteral("--cote attend \"=\", \">\" ou \"<\", pas « %1 ».").arg(sign)};
}

} // namespace

FilterOptions readFilterOptions(const QStringList &arguments, bool allowQueryOnly)
{
    FilterOptions options;
    SelectionState &s = options.selection;
    int16_t colonne = 0;
    bool critereGiven = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &option = arguments[i];
        if (!option.startsWith(QLatin1String("--"))) {
            options.positional << option;
            continue;
        }
        if (allowQueryOnly && option == QLatin1String("--requete-seule")) {
            options.queryOnly = true;
            continue;
        }
        if (i + 1 >= arguments.size())
            throw UsageError{QStringLiteral("l'option « %1 » attend une valeur.").arg(option)};
        const QString &value = arguments[++i];
        if (option == QLatin1String("--colonne")) {
            bool ok = false;
            const int c = value.toInt(&ok);
            if (!ok || c < 0 || c > int(collectionTable.size()))
                throw UsageError{QStringLiteral("--colonne attend un nombre de 0 à 6.")};
            colonne = int16_t(c);
        } else if (option == QLatin1String("--condition")) {
            s.ConditionTri = value;
        } else if (option == QLatin1String("--critere")) {
            s.CritereTri = criterionFromTyped(value);
            critereGiven = true;
        } else if (option == QLatin1String("--cote")) {
            s.OperateurCote = coteOperator(value);
        } else if (option == QLatin1String("--valeur")) {
            const std::optional<float> cote = coteValueFromTyped(value);
            if (!cote)
                throw UsageError{QStringLiteral("--valeur attend un nombre, par exemple 12,5 : « %1 » %2.")
                                     .arg(value, coteValueProblem(value))};
            s.ValeurCote = *cote;
        } else {
            throw UsageError{QStringLiteral("option inconnue « %1 ».").arg(option)};
        }
    }
    s.ColonneTri = colonne;
    if (colonne == 0 && (!s.ConditionTri.isEmpty() || !s.OperateurCote.isEmpty()))
        throw UsageError{QStringLiteral("une condition ou une comparaison de COTE demande --colonne 1 à 6.")};
    // The two emptiness tests store a single blank, as the criteria panel does.
    const std::optional<Condition> condition = conditionFromCaption(s.ConditionTri);
    if (!critereGiven && condition && !asksValue(*condition))
        s.CritereTri = QStringLiteral(" ");
    return options;
}

QString filterQuery(const SelectionState &selection)
{
    const int16_t colonne = selection.ColonneTri.value_or(0);
    if (colonne == 0)
        return unfilteredQuery(selection.NomTable);
    if (selection.ConditionTri.isEmpty())
        throw UsageError{QStringLiteral("--colonne %1 demande une --condition.").arg(colonne)};
    // The chooser's own check, so that a criterion the query would read as a name (COTE
    // compared with "COTE" finds every row) is refused here as it is there.
    if (const std::optional<Refusal> refusal = criteriaRefusal(selection))
        throw UsageError{refusal->prompt};
    QString texteRequete;
    Recherche(selection, columnNameFor(colonne), texteRequete);
    if (texteRequete.isEmpty())
        throw UsageError{QStringLiteral("condition inconnue « %1 ».").arg(selection.ConditionTri)};
    return texteRequete;
}

} // namespace carnelis
