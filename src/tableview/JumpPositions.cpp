#include "JumpPositions.h"

#include <cmath>

namespace carnelis {

int32_t roundHalfEven(double value)
{
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return static_cast<int32_t>(whole);
}

int32_t quarterPosition(int n) { return roundHalfEven(double(n) / 4); }

int32_t middlePosition(int n) { return roundHalfEven(double(n) / 2); }

int32_t threeQuarterPosition(int n)
{
    // The quarter first, then three of them: the order decides the last bit of the double.
    const double quarter = double(n) / 4;
    return roundHalfEven(quarter * 3);
}

} // namespace carnelis
