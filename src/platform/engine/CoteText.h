#pragma once
#include <QString>

class QLocale;

namespace carnelis {

enum class Grouping { Off, On };

// A catalogue value as the collector reads it: two decimals, the locale's decimal
// separator (837,89 in French), thousands grouped or not. The grid shows COTE this way,
// and a text search on COTE looks in this same text, so that what is seen is what is
// found.
QString coteText(double value, const QLocale &locale, Grouping grouping);

} // namespace carnelis
