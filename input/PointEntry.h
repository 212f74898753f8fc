// A direction mark that the circle and line commands leave over the drawing: a point and an
// angle. The drawing's list of direction marks owns them.
#pragma once

#include "geometry/PointD.h"

class CPointEntry {
public:
    CPointD point;
    double angle;   // degrees

    CPointEntry() : angle(0.0) {}
    CPointEntry(CPointD at, double degrees) : point(at), angle(degrees) {}
};
