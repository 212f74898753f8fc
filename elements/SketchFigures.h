// The figures the elements hand to the drag sketch, in view units: each one a new record that
// the sketch then owns.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/core/WinTypes.h"

// A line or a text's underline.
struct CSketchSegment {
    std::int32_t x1;
    std::int32_t y1;
    std::int32_t x2;
    std::int32_t y2;
};

// A circle or arc: the bounding square and the start and end points, the arguments of an Arc.
struct CSketchArc {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
    std::int32_t startX;
    std::int32_t startY;
    std::int32_t endX;
    std::int32_t endY;
};

// An ellipse or curve: one integer point per polyline point.
typedef std::vector<POINT> CSketchPolyline;
