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

QString columnNameFor(int16_t colonneTri)
{
    static const std::array<const char *, 7> names = {"", "NUMERO", "DESIGNATION", "COULEUR",
                                                       "ETAT", "COTE", "DIVERS"};
    if (colonneTri < 1 || colonneTri > 6)
        return {};
    return QString::fromLatin1(names[colonneTri]);
}

QString unfilteredQuery(const QString &nomTable)
{
    return "SELECT * FROM " + jetName(nomTable) + " ORDER BY NUMERO";
}

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
struct Condition {
    QString text;
    bool parenthesisedWithCote = false;
    bool ordered = true;
};

std::optional<Condition> conditionText(const QString &caption, Kind kind, const Pieces &p, bool withCote)
{
    const QString &f = p.field;
    auto comparison = [&](const QString &op) -> Condition {
        if (kind == Kind::Cote)
            return {f + " " + op + "  " + p.bare};
        return {f + " " + op + " " + p.quoted};
    };
    if (caption == QStringLiteral("Est Égal à"))
        return comparison("=");
    if (caption == QStringLiteral("Est plus Grand que") || caption == QStringLiteral("Est plus Petit que")) {
        const QString op = caption.contains(QStringLiteral("Grand")) ? ">" : "<";
        if (kind == Kind::Numero)
            return Condition{"Val(" + f + ") " + op + " Val(" + p.bare + ")"};
        return comparison(op);
    }
    if (caption == QStringLiteral("Est Différent de")) {
        if (kind == Kind::Cote)
            return comparison("<>");
        return Condition{f + " <> " + p.quoted + " OR " + f + " = Null", true};
    }
    if (caption == QStringLiteral("Est Vide")) {
        if (kind == Kind::Numero)
            return Condition{"Val(" + f + ") =  0", false, false};
        if (kind == Kind::Cote)
            return Condition{f + " =  Null"};
        return Condition{f + " = Null OR " + f + " = " + p.quoted, true};
    }
    if (caption == QStringLiteral("N'est pas Vide")) {
        if (kind == Kind::Numero)
            return Condition{"Val(" + f + ") <>  0"};
        if (kind == Kind::Cote)
            return Condition{f + " <>  Null"};
        return Condition{f + " <> Null " + (withCote ? "And" : "AND") + " " + f + " <> " + p.quoted};
    }
    if (caption == QStringLiteral("Contient"))
        return Condition{"INSTR(" + f + "," + p.quoted + ") <> 0"};
    if (caption == QStringLiteral("Ne Contient Pas"))
        return Condition{"INSTR(" + f + "," + p.quoted + ") = 0 OR " + f + " = NULL", true};
    if (caption == QStringLiteral("Commence par"))
        return Condition{"Left(" + f + "," + p.count + ") = " + p.quoted};
    if (caption == QStringLiteral("Finit par"))
        return Condition{"Right(" + f + "," + p.count + ") = " + p.quoted};
    return std::nullopt;
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

    const Kind kind = nomChamp == QLatin1String("COTE")     ? Kind::Cote
                    : nomChamp == QLatin1String("NUMERO") ? Kind::Numero
                                                           : Kind::Text;
    const bool withCote = !selection.OperateurCote.isEmpty();
    const auto condition = conditionText(selection.ConditionTri, kind, pieces, withCote);
    if (!condition)
        return;

    QString where = condition->text;
    if (withCote) {
        if (condition->parenthesisedWithCote)
            where = u'(' + where + u')';
        where += " And " + table + ".COTE " + selection.OperateurCote + singleToText(selection.ValeurCote);
    }
    texteRequete = "SELECT * FROM " + table + " WHERE " + where + (condition->ordered ? " ORDER BY NUMERO" : "");
}

} // namespace carnelis
