// The integer part of a typed count, shared by the command objects that keep a count as a real
// number: truncated toward zero and held at the ends of the integer range, so that a count far
// out of range or not a number never becomes an undefined conversion.
#pragma once

#include <cmath>
#include <limits>

inline int CountOf(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (v <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}
