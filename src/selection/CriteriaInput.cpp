#include "CriteriaInput.h"

#include "BasicVal.h"

#include <cmath>
#include <limits>

namespace carnelis {

QString criterionFromTyped(const QString &typed)
{
    return typed.toUpper();
}

float coteValueFromTyped(const QString &typed)
{
    // Beyond the single range the rounding gives an infinity; converting such a double
    // with a cast would be undefined, so the infinity is written out.
    const double value = basicVal(typed.toUpper());
    if (std::isfinite(value) && std::abs(value) > double(std::numeric_limits<float>::max()))
        return value > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

} // namespace carnelis
