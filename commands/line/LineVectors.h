// The few vector sums the line command's constructions are written in.
#pragma once

#include <cmath>

#include "geometry/Numeric.h"
#include "geometry/PointD.h"

inline CPointD PointPlus(CPointD p, CPointD v)
{
    CPointD r;
    r.Init(p.m_x + v.m_x, p.m_y + v.m_y);
    return r;
}

inline CPointD PointMinus(CPointD p, CPointD q)
{
    CPointD r;
    r.Init(p.m_x - q.m_x, p.m_y - q.m_y);
    return r;
}

inline CPointD PointTimes(CPointD v, double k)
{
    CPointD r;
    r.Init(v.m_x * k, v.m_y * k);
    return r;
}

// length units in the direction angleDeg (degrees).
inline CPointD PolarDeg(double angleDeg, double length)
{
    const double a = angleDeg * PI / 180.0;
    CPointD r;
    r.Init(length * std::cos(a), length * std::sin(a));
    return r;
}
