// The arc's geometric members: points by angle, sweep membership, the position of a point along
// the arc and its class for the pick list, and the rectangle tests of box selection.
#include <cmath>

#include "elements/Arc.h"
#include "elements/Line.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "geometry/RectD.h"

CPointD CArc::PointAtAngle(double angle) const
{
    double theta = angle * PI / 180;
    CPointD p;
    p.m_x = m_centre.m_x + m_radius * std::cos(theta);
    p.m_y = m_centre.m_y + m_radius * std::sin(theta);
    return p;
}

CPointD CArc::KeyPoint(int code) const
{
    switch (code) {
    case 1:
        return PointAtAngle(90);
    case 2:
        return PointAtAngle(180);
    case 3:
        return PointAtAngle(270);
    case -1:
        return PointAtAngle(m_startAngle);
    case -2:
        return PointAtAngle(m_endAngle);
    default:
        return PointAtAngle(0);
    }
}

double CArc::Length() const
{
    return (m_endAngle - m_startAngle) * PI / 180 * m_radius;
}

int CArc::ContainsAngle(double angle) const
{
    return IsAngleInSweepDeg(angle, m_startAngle, m_endAngle);
}

int CArc::ContainsDirectionOf(const CPointD& point) const
{
    return ContainsAngle(PointsAngleDeg(m_centre, point));
}

double CArc::ParameterOfPoint(const CPointD& point) const
{
    if (PointsNearlyEqual(point, m_centre))
        return 0;
    double b = PointsAngleDeg(m_centre, point);
    if (NearlyEqual(b, 0))
        b = 0;
    else if (b < 0)
        b += 360;
    double d = b - m_startAngle;
    if (ContainsAngle(b)) {
        if (NearlyEqual(d, 0))
            d = 0;
        else if (d < 0)
            d += 360;
        if (m_endAngle != m_startAngle)
            return d / (m_endAngle - m_startAngle);
        return 0;
    }
    // Outside the sweep the position is a negative fraction of the rest of the turn: near 0 just
    // before the start, near -1 just after the end.
    if (NearlyEqual(d, 0))
        d = 0;
    else if (d > 0)
        d -= 360;
    double rest = m_startAngle + 360 - m_endAngle;
    if (rest != 0)
        return d / rest;
    return 0;
}

int CArc::SnapClassOfPoint(const CPointD& point) const
{
    double t = ParameterOfPoint(point);
    if (NearlyEqual(t, 0))
        return 2;
    if (NearlyEqual(t, 0.5))
        return 4;
    if (NearlyEqual(t, 1) || NearlyEqual(t, -1))
        return 6;
    if (t <= -0.5)
        return 7;
    if (t > 0 && t < 0.5)
        return 3;
    if (t <= 0.5 || t >= 1)
        return 1;
    return 5;
}

int CArc::MayCrossRect(const CRectD& rect) const
{
    CPointD middle;
    middle.m_x = (rect.m_left + rect.m_right) / 2;
    middle.m_y = (rect.m_top + rect.m_bottom) / 2;
    double g = Distance(m_centre, middle);
    double h = std::hypot(rect.m_right - rect.m_left, rect.m_top - rect.m_bottom) / 2;
    return (g - h <= m_radius && m_radius <= g + h) ? 1 : 0;
}

int CArc::CrossesRect(const CRectD& rect) const
{
    if (rect.Contains(KeyPoint(-1)) || rect.Contains(KeyPoint(-2)))
        return 1;
    struct Side {
        double x1, y1, x2, y2;
        int kind;
    };
    const Side sides[] = {
        {rect.m_left, rect.m_top, rect.m_right, rect.m_top, 1},
        {rect.m_left, rect.m_bottom, rect.m_right, rect.m_bottom, 1},
        {rect.m_left, rect.m_bottom, rect.m_left, rect.m_top, 2},
        {rect.m_right, rect.m_bottom, rect.m_right, rect.m_top, 2},
    };
    for (const Side& s : sides) {
        CLine side(s.x1, s.y1, s.x2, s.y2);
        int code = 0, on1 = 0, on2 = 0, in1 = 0, in2 = 0;
        CPointD p1, p2;
        if (side.IntersectArc(s.kind, *this, code, p1, p2, on1, on2, in1, in2) >= 1)
            return 1;
    }
    return 0;
}
