// A point given by the user, with how it was given (a typed point, a reference point or a
// projection); the document keeps one for the mark of the current input point.
#pragma once

#include <cstdint>

#include "geometry/PointD.h"

class CZelkDoc;

class CInputPoint {
public:
    CPointD m_point;
    CPointD m_refPoint;
    std::int32_t m_mode;
    std::int32_t m_flags;

    CInputPoint() : m_mode(1), m_flags(0) {}

    void SetPoint(const CPointD& p) { m_point = p; }
    // The point the input stands for under the constraint mode; the given point itself until
    // the constraints are built.
    CPointD GetEffective(CZelkDoc* doc, int flag) const
    {
        (void)doc;
        (void)flag;
        return m_point;
    }
};
