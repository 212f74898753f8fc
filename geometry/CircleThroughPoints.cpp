// Circles and arcs through three points: the crossing of two perpendicular bisectors. Centre and
// radius are rounded to 6 decimals so that constructions from the same points agree exactly.
#include <cmath>

#include "geometry/Angles.h"
#include "geometry/Intersections.h"
#include "geometry/Numeric.h"
#include "geometry/Transforms.h"

namespace {

// A second point of the perpendicular bisector of a-b, as far from the midpoint as a is from b.
void Bisector(const CPointD& a, const CPointD& b, CPointD& mid, CPointD& other)
{
    double l = 0.0;
    double theta = PointsAngleRadLen(a, b, l);
    mid.Init((a.m_x + b.m_x) * 0.5, (a.m_y + b.m_y) * 0.5);
    other.Init(mid.m_x + l * std::cos(theta + PI / 2.0), mid.m_y + l * std::sin(theta + PI / 2.0));
}

int CentreAndRadius(const CPointD& p1, const CPointD& p2, const CPointD& p3, CPointD& centre,
                    double& radius)
{
    CPointD m1, b1, m2, b2;
    Bisector(p1, p2, m1, b1);
    Bisector(p2, p3, m2, b2);
    CPointD c;
    if (!IntersectLines(m1, b1, m2, b2, c)) {
        return 0;
    }
    RoundPointToDecimals(c, 6);
    centre = c;
    radius = RoundToDecimals(Distance(c, p1), 6);
    return 1;
}

} // namespace

int CircleThrough3Points(const CPointD& p1, const CPointD& p2, const CPointD& p3, CPointD& centre,
                         double& radius, double (&angles)[2])
{
    if (!CentreAndRadius(p1, p2, p3, centre, radius)) {
        return 0;
    }
    angles[0] = PointsAngleDeg(centre, p1);
    angles[1] = PointsAngleDeg(centre, p3);
    return 1;
}

int CircleThrough3Points(const CPointD& p1, const CPointD& p2, const CPointD& p3, CPointD& centre,
                         double& radius, double (&angles)[2], int& ccw)
{
    if (!CircleThrough3Points(p1, p2, p3, centre, radius, angles)) {
        return 0;
    }
    ccw = IsCcwTurn(p1, p2, p3);
    return 1;
}

int ArcThrough3Points(const CPointD& p1, const CPointD& p2, const CPointD& p3, CPointD& centre,
                      double& radius, double& a1, double& a2, double& a3, int& ccw)
{
    if (!CentreAndRadius(p1, p2, p3, centre, radius)) {
        return 0;
    }
    a1 = PointsAngleDeg(centre, p1);
    a2 = PointsAngleDeg(centre, p2);
    a3 = PointsAngleDeg(centre, p3);
    ccw = IsCcwTurn(p1, p2, p3);
    return 1;
}
