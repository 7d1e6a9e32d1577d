#pragma once
// Numbers of the printed report, with the separators of the default locale.
#include "Value.h"

#include <QString>
#include <functional>
#include <optional>

namespace carnelis {

// Pattern "0.00": two decimals, at least one digit before the separator, no grouping.
QString formatTwoDecimals(double value);
// Pattern "#,###,##0.00": the same with thousands grouped by the separator given.
QString formatGroupedTwoDecimals(double value, const QString &groupSeparator);

// The locale's thousands separator when the font has every character of it, else a
// no-break space, else a blank: a glyph taken from another font would shift the columns.
QString groupSeparatorIn(const std::function<bool(QChar)> &fontHas);

// The catalogue value a row adds to the total: a number, or a text that reads wholly as
// one; nothing for Null, an empty text or a text that is not a number.
std::optional<double> coteAmount(const Value &cote);

// Null and the empty text print nothing.
inline bool isNullOrEmpty(const Value &value) { return value.isNull() || (value.isText() && value.text().isEmpty()); }

} // namespace carnelis
