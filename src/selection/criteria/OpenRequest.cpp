#include "OpenRequest.h"

#include "DialogServices.h"
#include "SelectionState.h"

#include <QLocale>

namespace carnelis {

std::optional<Refusal> PiegeFichier(const QString &fichierChoisi, const QString &nomTable)
{
    if (!fichierChoisi.isEmpty() && !nomTable.isEmpty())
        return std::nullopt;
    if (fichierChoisi.isEmpty())
        return Refusal{QStringLiteral("Aucun Fichier MDB n'a été sélectionné ! "), vb::Critical,
                       QStringLiteral(" Aucun Fichier MDB sélectionné.")};
    return Refusal{QStringLiteral("Aucune Table n'a été sélectionnée dans le Fichier MDB ! "), vb::Critical,
                   QStringLiteral(" Aucune Table sélectionnée.")};
}

std::optional<Refusal> missingSecondCriterion(const SelectionState &selection)
{
    if (selection.ColonneTri.value_or(0) > 0 && selection.CritereTri.isEmpty())
        return Refusal{QStringLiteral(" Le Second Critère de Tri n'a pas été choisi ! "), vb::Critical,
                       QStringLiteral(" Erreur Second Critère de Tri.")};
    return std::nullopt;
}

QString ResumeCriteres(const QString &columnCaption, const SelectionState &selection, const QLocale &locale)
{
    const QString start = columnCaption + u' ' + selection.ConditionTri.toUpper() + u' ' + selection.CritereTri;
    if (selection.OperateurCote.isEmpty())
        return start + QStringLiteral(" Critère suppl. ignoré.");
    // "0.00": two decimals, no grouping, whatever the locale does by default; adding 0.0
    // turns a typed "-0" into a plain zero.
    QLocale plain = locale;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    return start + QStringLiteral(" Et Cote ") + selection.OperateurCote +
           plain.toString(double(selection.ValeurCote) + 0.0, 'f', 2);
}

QString folderWithoutTrailingSeparator(const QString &folder)
{
    if (folder.endsWith(u'/'))
        return folder.chopped(1);
    return folder;
}

} // namespace carnelis
