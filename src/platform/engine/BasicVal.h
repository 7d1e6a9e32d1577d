#pragma once
#include <QString>

namespace carnelis {

// The number at the start of a text, read as the classic Basic Val does: blanks
// (space, tab, line feed) skipped anywhere, an optional sign, digits with '.' as
// the only decimal point, an optional exponent E or D, or &H / &O prefixes; reading
// stops at the first other character, and a text that does not begin with a number
// gives 0.
double basicVal(const QString &text);

} // namespace carnelis
