#pragma once
#include <QString>

namespace carnelis {

// What the chooser stores of a typed criterion: the text upper-cased (accented letters
// too), blanks kept, nothing trimmed.
QString criterionFromTyped(const QString &typed);

// What the chooser stores of a typed COTE value: the leading number by the Basic Val
// rules ('.' the only decimal point whatever the locale), in single precision.
float coteValueFromTyped(const QString &typed);

} // namespace carnelis
