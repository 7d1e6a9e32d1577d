#include "Recherche.h"

#include "CriteriaInput.h"
#include "JetNames.h"
#include "JetText.h"
#include "RuntimeError.h"
#include "SelectionState.h"

#include <array>
#include <charconv>
#include <cmath>

namespace carnelis {

QString unfilteredQuery(const QString &nomTable) { return "SELECT * FROM " + jetName(nomTable) + " ORDER BY NUMERO"; }

QString singleToText(float value)
{
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 7);
    return QString::fromLatin1(buffer.data(), result.ptr - buffer.data()).toUpper();
}

namespace {

enum class Kind { Cote, Numero, Text };

// The pieces every condition text is made of. The criterion inside a quoted literal has
// its apostrophes doubled so that L'ÉCU stays one literal; the bare criterion (a number
// for COTE, inside Val for NUMERO) is the typed number written with a point, so that
// 12,5 typed the French way is 12.5 to the engine. A bare criterion that is no number
// goes as it was typed: the open request has refused it already.
struct Pieces {
    QString field;  // T.F
    QString quoted; // ('C')
    QString bare;   // C
    QString count;  // N
};

// The condition text, and whether it needs parentheses once the COTE clause follows it.
struct Where {
    QString text;
    bool parenthesisedWithCote = false;
    bool ordered = true;
};

Where conditionText(Condition condition, Kind kind, const Pieces &p, bool withCote)
{
    const QString &f = p.field;
    auto comparison = [&](const QString &op) -> Where {
        if (kind == Kind::Cote)
            return {f + " " + op + "  " + p.bare};
        return {f + " " + op + " " + p.quoted};
    };
    auto order = [&](const QString &op) -> Where {
        if (kind == Kind::Numero)
            return {"Val(" + f + ") " + op + " Val(" + p.bare + ")"};
        return comparison(op);
    };
    switch (condition) {
    case Condition::EstEgalA:
        return comparison("=");
    case Condition::EstPlusGrandQue:
        return order(">");
    case Condition::EstPlusPetitQue:
        return order("<");
    case Condition::EstDifferentDe:
        if (kind == Kind::Cote)
            return comparison("<>");
        return {f + " <> " + p.quoted + " OR " + f + " = Null", true};
    case Condition::EstVide:
        if (kind == Kind::Numero)
            return {"Val(" + f + ") =  0", false, false};
        if (kind == Kind::Cote)
            return {f + " =  Null"};
        return {f + " = Null OR " + f + " = " + p.quoted, true};
    case Condition::NEstPasVide:
        if (kind == Kind::Numero)
            return {"Val(" + f + ") <>  0"};
        if (kind == Kind::Cote)
            return {f + " <>  Null"};
        return {f + " <> Null " + (withCote ? "And" : "AND") + " " + f + " <> " + p.quoted};
    case Condition::Contient:
        return {"INSTR(" + f + "," + p.quoted + ") <> 0"};
    case Condition::NeContientPas:
        return {"INSTR(" + f + "," + p.quoted + ") = 0 OR " + f + " = NULL", true};
    case Condition::CommencePar:
        return {"Left(" + f + "," + p.count + ") = " + p.quoted};
    case Condition::FinitPar:
        return {"Right(" + f + "," + p.count + ") = " + p.quoted};
    }
    return {};
}

} // namespace

void Recherche(const SelectionState &selection, const QString &nomChamp, QString &texteRequete)
{
    const QString &critere = selection.CritereTri;
    // The count is kept in one byte, as the criterion's length always was.
    if (critere.size() > 255)
        throw RuntimeError(err::Overflow, QStringLiteral("Dépassement de capacité"));
    // A COTE value past the single range has no text the query could hold.
    if (!selection.OperateurCote.isEmpty() && !std::isfinite(selection.ValeurCote))
        throw RuntimeError(err::Overflow, QStringLiteral("Dépassement de capacité"));

    const QString table = jetName(selection.NomTable);
    QString doubled = critere;
    doubled.replace(u'\'', QStringLiteral("''"));
    const std::optional<double> number = numberFromTyped(critere);
    const QString bare = number && std::isfinite(*number) ? shortestNumberText(*number) : critere;
    const Pieces pieces{table + u'.' + nomChamp, "('" + doubled + "')", bare, QString::number(critere.size())};

    const Kind kind = nomChamp == QLatin1String(collectionTable[coteColumn].name)     ? Kind::Cote
                      : nomChamp == QLatin1String(collectionTable[numeroColumn].name) ? Kind::Numero
                                                                                      : Kind::Text;
    const bool withCote = !selection.OperateurCote.isEmpty();
    const std::optional<Condition> known = conditionFromCaption(selection.ConditionTri);
    if (!known)
        return;
    const Where condition = conditionText(*known, kind, pieces, withCote);

    QString where = condition.text;
    if (withCote) {
        if (condition.parenthesisedWithCote)
            where = u'(' + where + u')';
        where += " And " + table + ".COTE " + selection.OperateurCote + singleToText(selection.ValeurCote);
    }
    texteRequete = "SELECT * FROM " + table + " WHERE " + where + (condition.ordered ? " ORDER BY NUMERO" : "");
}

} // namespace carnelis
