// Small values the circle constructions build their answers from.
#pragma once

#include "elements/Circle.h"
#include "geometry/Angles.h"
#include "geometry/PointD.h"

// A circle as a value for the intersection kernel.
inline CCircle CircleOfRadius(CPointD centre, double radius)
{
    CCircle circle;
    circle.m_centre = centre;
    circle.m_radius = radius;
    return circle;
}

// The arc from start to end (degrees, counterclockwise), normalised.
inline CPointD ArcRangeDeg(double start, double end)
{
    CPointD range;
    range.Init(start, end);
    NormalizeArcAnglesDeg(range);
    return range;
}

// The range of a whole circle.
inline CPointD FullTurnRange()
{
    CPointD range;
    range.Init(0.0, 360.0);
    return range;
}
