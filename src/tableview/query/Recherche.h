#pragma once
#include "Collection.h"

#include <QString>

namespace carnelis {

struct SelectionState;

// The query of "all rows": every row of the table, ordered by NUMERO.
QString unfilteredQuery(const QString &nomTable);

// Writes into texteRequete the Jet SQL text for the filter held in the selection on
// column nomChamp. A criterion the query holds bare (COTE comparisons, NUMERO inside
// Val) is written as the number it reads as, with a point: 12,5 becomes 12.5. Leaves
// texteRequete as it was for a condition caption it does not know.
// Throws RuntimeError (overflow) for a criterion over 255 characters, or a COTE
// comparison with a value past the single range, before anything is written.
void Recherche(const SelectionState &selection, const QString &nomChamp, QString &texteRequete);

// The single-precision value as the COTE comparison writes it: at most seven
// significant digits, '.' as decimal point whatever the locale, exponent form only
// for very large or very small values (1E+20, 1E-05).
QString singleToText(float value);

} // namespace carnelis
