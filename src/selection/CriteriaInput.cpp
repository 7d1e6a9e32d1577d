#include "CriteriaInput.h"

#include "BasicVal.h"

namespace carnelis {

QString criterionFromTyped(const QString &typed)
{
    return typed.toUpper();
}

float coteValueFromTyped(const QString &typed)
{
    return static_cast<float>(basicVal(typed.toUpper()));
}

} // namespace carnelis
