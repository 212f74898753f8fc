// Conversions of macro values that must stay defined for any double.
#pragma once

#include <climits>
#include <cmath>

// The truncation of logic and bit operators, ?:, RGB and the power's integer test: a NaN or a
// value outside the int range gives INT_MIN, as the Windows build's conversion did, instead of
// undefined behaviour.
inline int TruncateToInt(double v)
{
    if (std::isnan(v) || v <= static_cast<double>(INT_MIN) - 1.0 || v >= static_cast<double>(INT_MAX) + 1.0)
        return INT_MIN;
    return static_cast<int>(v);
}
