#pragma once
#include "OpenRequest.h"

namespace carnelis {

struct SelectionState;

// What the open request says, before the view is shown, about criteria the query could
// not hold: a column without its condition value, a criterion over 255 characters, or
// one that is no number where the query needs a number (COTE compared by "Est Égal à",
// "Est plus Grand que", "Est plus Petit que", "Est Différent de"; NUMERO by the two
// order comparisons). Nothing when the criteria can be opened. The table stays chosen,
// so the user corrects the criterion and opens again.
std::optional<Refusal> criteriaRefusal(const SelectionState &selection);

} // namespace carnelis
