#pragma once
// The collection as every part of the program sees it: the six columns of a collection
// table with their captions in the chooser, the grid and the report, and the ten
// conditions a filter can set. Plain data, so that the chooser, the query, the grid, the
// report and carnelis-base read the same words and positions.
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace carnelis {

// One column of a collection table.
struct CollectionColumn {
    const char *name;           // the table's column
    const char *chooserCaption; // its option in the chooser, leading blank included
    const char *caption;        // the grid heading, blanks included
    int widthTwips;             // the grid column's width
    int reportColumn;           // the report's character column where it starts; COTE, which
                                // is right-aligned, ends just before it
};

inline constexpr std::array<CollectionColumn, 6> collectionTable{{
    {"NUMERO", " NUMÉRO", "NUMÉRO", 1429, 4},
    {"DESIGNATION", " DÉSIGNATION", "       DÉSIGNATION DE L'OBJET", 4683, 12},
    {"COULEUR", " VALEUR - COULEUR", "           VALEUR  -  COULEUR", 4683, 38},
    {"ETAT", " ÉTAT", "ÉTAT", 979, 66},
    {"COTE", " COTE", "COTE    ", 1667, 80},
    {"DIVERS", " REMARQUE", "    REMARQUE", 2170, 82},
}};

// Positions in collectionTable of the columns the query and the grid treat apart:
// NUMERO orders the rows and is compared through Val; COTE is the one number.
inline constexpr int numeroColumn = 0;
inline constexpr int coteColumn = 4;
inline constexpr int diversColumn = 5;

// The chooser's first column option: no column, every row.
inline constexpr const char *allRowsCaption = " TOUT";

// The column chosen in the chooser (ColonneTri: 1..6 a column, 0 every row); nothing for
// 0 and for any value out of range.
inline const CollectionColumn *columnForChoice(int colonneTri)
{
    if (colonneTri < 1 || colonneTri > int(collectionTable.size()))
        return nullptr;
    return &collectionTable[std::size_t(colonneTri - 1)];
}

// The column a filter applies to, by ColonneTri; empty for 0 and any other value.
inline QString columnNameFor(int colonneTri)
{
    const CollectionColumn *column = columnForChoice(colonneTri);
    return column ? QString::fromLatin1(column->name) : QString();
}

// The chooser's caption for ColonneTri, " TOUT" included; empty out of range.
inline QString chooserCaptionFor(int colonneTri)
{
    if (colonneTri == 0)
        return QString::fromUtf8(allRowsCaption);
    const CollectionColumn *column = columnForChoice(colonneTri);
    return column ? QString::fromUtf8(column->chooserCaption) : QString();
}

// The ten conditions, in the order of the chooser's condition options.
enum class Condition : int16_t {
    EstEgalA,
    EstPlusGrandQue,
    EstPlusPetitQue,
    EstDifferentDe,
    EstVide,
    NEstPasVide,
    Contient,
    NeContientPas,
    CommencePar,
    FinitPar,
};

struct ConditionDefinition {
    Condition condition;
    const char *caption; // exactly as the chooser shows it and SelectionState holds it
    bool asksValue;      // the emptiness tests take no criterion
};

inline constexpr std::array<ConditionDefinition, 10> conditions{{
    {Condition::EstEgalA, "Est Égal à", true},
    {Condition::EstPlusGrandQue, "Est plus Grand que", true},
    {Condition::EstPlusPetitQue, "Est plus Petit que", true},
    {Condition::EstDifferentDe, "Est Différent de", true},
    {Condition::EstVide, "Est Vide", false},
    {Condition::NEstPasVide, "N'est pas Vide", false},
    {Condition::Contient, "Contient", true},
    {Condition::NeContientPas, "Ne Contient Pas", true},
    {Condition::CommencePar, "Commence par", true},
    {Condition::FinitPar, "Finit par", true},
}};

// The table is indexed by the enum.
static_assert([] {
    for (std::size_t i = 0; i < conditions.size(); ++i)
        if (std::size_t(conditions[i].condition) != i)
            return false;
    return true;
}());

inline constexpr const ConditionDefinition &definitionOf(Condition condition)
{
    return conditions[std::size_t(condition)];
}

inline QString conditionCaption(Condition condition) { return QString::fromUtf8(definitionOf(condition).caption); }

inline constexpr bool asksValue(Condition condition) { return definitionOf(condition).asksValue; }

// The condition whose caption this is, exactly (case and accents count); nothing for
// the empty text and any other.
inline std::optional<Condition> conditionFromCaption(const QString &caption)
{
    for (const ConditionDefinition &definition : conditions)
        if (caption == QString::fromUtf8(definition.caption))
            return definition.condition;
    return std::nullopt;
}

} // namespace carnelis
