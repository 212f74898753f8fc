// Short builders for the geometry tests.
#pragma once

#include "geometry/PointD.h"
#include "geometry/RectD.h"

inline CPointD P(double x, double y)
{
    CPointD p;
    return p.Init(x, y);
}

inline CRectD R(double left, double top, double right, double bottom)
{
    CRectD r;
    return r.Init(left, top, right, bottom);
}
