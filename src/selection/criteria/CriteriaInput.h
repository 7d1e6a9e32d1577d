#pragma once
#include <QString>
#include <optional>

namespace carnelis {

// What the chooser stores of a typed criterion: the text upper-cased (accented letters
// too), blanks kept, nothing trimmed.
QString criterionFromTyped(const QString &typed);

// A number as a collector types it: blanks anywhere are ignored (so 1 234,50 copied
// from the grid reads), an optional sign, the decimal comma or point whatever the
// locale, an optional exponent E. The whole text must be that number: nothing for any
// other text, an infinity for a number past the double range.
std::optional<double> numberFromTyped(const QString &typed);

// Why a typed text cannot stand where a number is needed, as the end of a French
// sentence about it ("n'est pas un nombre", "est un nombre trop grand"); empty when it
// is a number no larger than limit in size.
QString numberProblem(const QString &typed, double limit);

// numberProblem for the COTE comparison value, which is kept in single precision.
QString coteValueProblem(const QString &typed);

// The COTE comparison value of a typed text; nothing when coteValueProblem has
// something to say about it.
std::optional<float> coteValueFromTyped(const QString &typed);

} // namespace carnelis
