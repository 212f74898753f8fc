// The circle's geometric members: points by fraction of a turn, position classes for the pick
// list, inside/outside tests, touching points and the common tangents with another circle.
#include <algorithm>
#include <cmath>

#include "app/ZelkApp.h"
#include "elements/Circle.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "view/ZelkView.h"

namespace {

CPointD OnCircle(CPointD centre, double radius, double angleRad)
{
    centre.m_x += radius * std::cos(angleRad);
    centre.m_y += radius * std::sin(angleRad);
    return centre;
}

}  // namespace

CPointD CCircle::PointAtFraction(double t) const
{
    return OnCircle(m_centre, m_radius, t * 360 * PI / 180);
}

double CCircle::FractionOfPoint(const CPointD& p) const
{
    if (PointsNearlyEqual(p, m_centre))
        return 0;
    double a = PointsAngleDeg(m_centre, p);
    if (NearlyEqual(a, 0))
        return 0;
    if (a < 0)
        a += 360;
    return a / 360;
}

int CCircle::SnapClassOfPoint(const CPointD& p) const
{
    double f = FractionOfPoint(p);
    if (NearlyEqual(f, 0))
        return 2;
    if (NearlyEqual(f, 0.5))
        return 4;
    if (NearlyEqual(f, 1))
        return 6;
    if (f > 0 && f < 0.5)
        return 3;
    return 5;
}

int CCircle::ClassifyPoint(const CPointD& p) const
{
    double d = Distance(m_centre, p);
    if (NearlyEqual(d, m_radius))
        return 2;
    return d > m_radius ? 3 : 1;
}

int CCircle::ClassifyPointOnScreen(CZelkView* view, const CPointD& p) const
{
    double b = (Distance(m_centre, p) - m_radius) * view->m_zoom;
    if (NearlyEqual(b, 0) || g_pApp->m_appFind.pickHalfSize > std::fabs(b))
        return 2;
    return b >= 0 ? 3 : 1;
}

CPointD CCircle::PointTowardAtRadiusPlus(const CPointD& p, double d) const
{
    if (PointsNearlyEqual(p, m_centre))
        return CPointD();
    return OnCircle(m_centre, m_radius + d, PointsAngleRad(m_centre, p));
}

int CCircle::TouchPointWithCircle(const CPointD& otherCentre, double otherRadius,
                                  CPointD& out) const
{
    double r1 = m_radius;
    double r2 = otherRadius;
    double d = 0;
    double a = PointsAngleRadLen(m_centre, otherCentre, d);
    RoundToSignificant15(r1);
    RoundToSignificant15(r2);
    RoundToSignificant15(d);
    if (r1 == 0 || r2 == 0 || d == 0)
        return 0;
    double sum = r1 + r2;
    double diff = r1 - r2;
    if (EqualWithinDecimals(d, sum, 1) || EqualWithinDecimals(d, diff, 1)) {
        out = OnCircle(m_centre, r1, a);
        return 1;
    }
    if (EqualWithinDecimals(d, -diff, 1)) {
        out = OnCircle(m_centre, r1, a + PI);
        return 1;
    }
    return (std::fabs(diff) <= d && d <= sum) ? 1 : 0;
}

int CCircle::ExternalTangents(const CCircle& other, CPointD& p1, CPointD& p2, CPointD& q1,
                              CPointD& q2) const
{
    double d = 0;
    double theta = PointsAngleRadLen(m_centre, other.m_centre, d);
    double dr = other.m_radius - m_radius;
    // When either circle holds the other there is no outer tangent; the arcsine would have no
    // value for the larger circle holding the smaller one.
    if (NearlyEqual(d, std::fabs(dr)) || d < std::fabs(dr))
        return 0;
    double phi = std::asin(std::clamp(dr / d, -1.0, 1.0));
    double a1 = theta + phi + PI / 2;
    double a2 = theta - phi - PI / 2;
    p1 = OnCircle(m_centre, m_radius, a1);
    p2 = OnCircle(m_centre, m_radius, a2);
    q1 = OnCircle(other.m_centre, other.m_radius, a1);
    q2 = OnCircle(other.m_centre, other.m_radius, a2);
    return 1;
}

int CCircle::InternalTangents(const CCircle& other, CPointD& p1, CPointD& p2, CPointD& q1,
                              CPointD& q2) const
{
    double d = 0;
    double theta = PointsAngleRadLen(m_centre, other.m_centre, d);
    double rs = m_radius + other.m_radius;
    if (NearlyEqual(d, rs) || d < rs)
        return 0;
    double psi = std::acos(std::clamp(rs / d, -1.0, 1.0));
    double a1 = theta + psi;
    double a2 = theta - psi;
    p1 = OnCircle(m_centre, m_radius, a1);
    p2 = OnCircle(m_centre, m_radius, a2);
    q1 = OnCircle(other.m_centre, other.m_radius, a1 + PI);
    q2 = OnCircle(other.m_centre, other.m_radius, a2 + PI);
    return 1;
}
