// A point given by the user, with how it was given (a typed point, a reference point or a
// projection); the document keeps one for the mark of the current input point.
#pragma once

#include <cstdint>

#include "geometry/PointD.h"

class CInputPoint {
public:
    CPointD m_point;
    CPointD m_refPoint;
    std::int32_t m_mode;
    std::int32_t m_flags;

    CInputPoint() : m_mode(1), m_flags(0) {}
};
