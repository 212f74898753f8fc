// A candidate shape of the circle command: two values and two points. The circle command keeps
// its sort key in value1, the radius in value2, the centre in point1 and the start and end
// angles of an arc (0 and 360 for a full circle) in point2.
#pragma once

#include "geometry/PointD.h"
#include "platform/core/Object.h"

class CPointPair : public CObject {
public:
    double value1;
    CPointD point1;
    double value2;
    CPointD point2;

    // The creator sets both values.
    CPointPair() : value1(0.0), value2(0.0) {}
};
