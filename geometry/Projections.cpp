// Projections, feet of perpendiculars, arrow wings and the merging of collinear or concentric
// pieces. Differences of coordinates and angles are rounded at 12 significant digits before use so
// that a point on a line gives a distance of exactly zero.
#include "geometry/Projections.h"

#include <algorithm>
#include <cmath>

#include "app/ZelkApp.h"
#include "elements/Circle.h"
#include "elements/Line.h"
#include "elements/Text.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"

namespace {

// Foot of p on the line a-b with the signed distance and the foot's position t along a->b.
bool FootWithParameter(CPointD a, CPointD b, CPointD p, CPointD& foot, double& distance, double& t)
{
    foot = CPointD();
    double length = 0;
    double theta = PointsAngleRadLen(a, b, length);
    if (length == 0)
        return false;
    double d = 0;
    double phi = PointsAngleRadLen(a, p, d);
    double delta = RoundedDifference12(phi, theta);
    distance = std::sin(delta) * d;
    t = std::cos(delta) * d / length;
    foot.m_x = a.m_x + t * RoundedDifference12(b.m_x, a.m_x);
    foot.m_y = a.m_y + t * RoundedDifference12(b.m_y, a.m_y);
    return true;
}

int StrictlyInside(double t)
{
    return (t > 0 && t < 1) ? 1 : 0;
}

CPointD Polar(double length, double angleRad)
{
    CPointD v;
    v.m_x = length * std::cos(angleRad);
    v.m_y = length * std::sin(angleRad);
    return v;
}

}  // namespace

CPointD ProjectVectorOnAngle(CPointD p, double angle, CPointD q)
{
    double phi = angle * PI * (1.0 / 180);
    double d = 0;
    double theta = PointsAngleRadLen(p, q, d);
    double k = std::cos(RoundedDifference12(theta, phi)) * d;
    return Polar(k, phi);
}

CPointD PerpendicularOffsetVector(CPointD p, double angle, CPointD q, double margin)
{
    double phi = angle * PI * (1.0 / 180);
    double d = 0;
    double theta = PointsAngleRadLen(p, q, d);
    double e = std::sin(RoundedDifference12(theta, phi)) * d;
    CPointD v;
    if (NearlyEqual(e, 0))
        return v;
    e = e > 0 ? e + margin : e - margin;
    v.m_x = e * std::sin(phi);
    v.m_y = -e * std::cos(phi);
    return v;
}

int FootOfPerpendicular(CPointD a, CPointD b, CPointD p, CPointD& foot, double& distance)
{
    double t = 0;
    if (!FootWithParameter(a, b, p, foot, distance, t))
        return 0;
    return StrictlyInside(t);
}

int FootOnLineRecStrict(const CLine& line, CPointD p, CPointD& foot, double& distance)
{
    return FootOfPerpendicular(line.m_start, line.m_end, p, foot, distance);
}

int FootOnLineRec(const CLine& line, CPointD p, CPointD& foot, double& distance)
{
    double t = 0;
    if (!FootWithParameter(line.m_start, line.m_end, p, foot, distance, t))
        return 0;
    return (NearlyEqual(t, 0) || StrictlyInside(t)) ? 1 : 0;
}

int FootOnTextLine(const CText& text, CPointD p, CPointD& foot, double& distance)
{
    return FootOfPerpendicular(text.m_underlineStart, text.m_underlineEnd, p, foot, distance);
}

int SignedDistanceToLineRec(const CLine& line, CPointD p, double& distance)
{
    if (Distance(line.m_start, line.m_end) == 0)
        return 0;
    distance = SignedDistanceToLine(p, line.m_start, line.m_end);
    return 1;
}

int CirclePointToward(const CCircle& circle, CPointD p, CPointD& out)
{
    if (PointsNearlyEqual(p, circle.m_centre))
        return 0;
    CPointD v = Polar(circle.m_radius, PointsAngleRad(circle.m_centre, p));
    out.m_x = circle.m_centre.m_x + v.m_x;
    out.m_y = circle.m_centre.m_y + v.m_y;
    return 1;
}

int CircleRadialGap(const CCircle& circle, CPointD p, double& gap)
{
    gap = circle.m_radius - Distance(circle.m_centre, p);
    return 1;
}

double SignedParameterOfFoot(const CPointD& start, const CPointD& end, const CPointD& foot)
{
    double length = Distance(start, end);
    if (length == 0)
        return 0;
    double t = Distance(start, foot) / length;
    if (NearlyEqual(start.m_x, end.m_x)) {
        if (foot.m_y < start.m_y && !NearlyEqual(foot.m_y, start.m_y))
            t = -t;
    } else if (start.m_x < end.m_x) {
        if (foot.m_x < start.m_x && !NearlyEqual(foot.m_x, start.m_x))
            t = -t;
    }
    return t;
}

int SnapClassOfParameter(double t)
{
    if (NearlyEqual(t, 0))
        return 2;
    if (NearlyEqual(t, 0.5))
        return 4;
    if (NearlyEqual(t, 1))
        return 6;
    if (t < 0)
        return 1;
    if (t < 0.5)
        return 3;
    if (t < 1)
        return 5;
    return 7;
}

void ArrowWingPointsWith(CPointD a, CPointD b, double angle, double wingAngle, double wingLength,
                         CPointD& w1, CPointD& w2, CPointD& w3, CPointD& w4)
{
    double phi = angle * PI * (1.0 / 180);
    double w = wingAngle * PI * (1.0 / 180);
    CPointD plus = Polar(wingLength, phi + w);
    CPointD minus = Polar(wingLength, phi - w);
    w1.m_x = a.m_x + plus.m_x;
    w1.m_y = a.m_y + plus.m_y;
    w2.m_x = a.m_x + minus.m_x;
    w2.m_y = a.m_y + minus.m_y;
    w3.m_x = b.m_x - minus.m_x;
    w3.m_y = b.m_y - minus.m_y;
    w4.m_x = b.m_x - plus.m_x;
    w4.m_y = b.m_y - plus.m_y;
}

void ArrowWingPointsAtEndWith(CPointD p, double angle, double wingAngle, double wingLength,
                              CPointD& w1, CPointD& w2, int add)
{
    double phi = angle * PI * (1.0 / 180);
    double w = wingAngle * PI * (1.0 / 180);
    CPointD plus = Polar(wingLength, phi + w);
    CPointD minus = Polar(wingLength, phi - w);
    double sign = add != 0 ? 1.0 : -1.0;
    w1.m_x = p.m_x + sign * plus.m_x;
    w1.m_y = p.m_y + sign * plus.m_y;
    w2.m_x = p.m_x + sign * minus.m_x;
    w2.m_y = p.m_y + sign * minus.m_y;
}

void ArrowWingPoints(CPointD a, CPointD b, double& angle, CPointD& w1, CPointD& w2, CPointD& w3,
                     CPointD& w4)
{
    const CAppElem& elem = g_pApp->m_appElem;
    ArrowWingPointsWith(a, b, angle, elem.m_arrowAngle, elem.m_arrowLength, w1, w2, w3, w4);
}

void ArrowWingPointsAtEnd(CPointD p, double& angle, CPointD& w1, CPointD& w2, int add)
{
    const CAppElem& elem = g_pApp->m_appElem;
    ArrowWingPointsAtEndWith(p, angle, elem.m_arrowAngle, elem.m_arrowLength, w1, w2, add);
}

int OverlapCollinearSegments(CPointD& p, CPointD& q, CPointD& r, CPointD& s, CPointD& out1,
                             CPointD& out2)
{
    RoundPointToSignificant14(p);
    RoundPointToSignificant14(q);
    RoundPointToSignificant14(r);
    RoundPointToSignificant14(s);
    CPointD first = p;
    CPointD last = q;
    double dx = RoundedDifference12(last.m_x, first.m_x);
    double dy = RoundedDifference12(last.m_y, first.m_y);
    if (dx == 0 && dy == 0)
        return 0;  // a piece without extent defines no line to merge along
    // A flat first piece running toward -x (a text written right to left) is taken reversed, so
    // the y-branch never divides by its zero y extent.
    if (dx < 0 && -dx >= std::fabs(dy)) {
        std::swap(first, last);
        dx = -dx;
        dy = -dy;
    }
    if (dx >= std::fabs(dy)) {
        double yr = first.m_y + dy * (r.m_x - first.m_x) / dx;
        double ys = first.m_y + dy * (s.m_x - first.m_x) / dx;
        if (RoundedDifference8(yr, r.m_y) != 0 || RoundedDifference8(ys, s.m_y) != 0)
            return 0;
        CPointD lo, hi;
        lo.m_x = r.m_x;
        lo.m_y = yr;
        hi.m_x = s.m_x;
        hi.m_y = ys;
        if (lo.m_x > hi.m_x)
            std::swap(lo, hi);
        CPointD pp = first, qq = last;
        RoundPointToSignificant14(pp);
        RoundPointToSignificant14(qq);
        if (hi.m_x < pp.m_x || lo.m_x > qq.m_x)
            return 0;
        out1 = lo.m_x < pp.m_x ? lo : pp;
        out2 = hi.m_x > qq.m_x ? hi : qq;
        return 1;
    }
    double xr = first.m_x + dx * (r.m_y - first.m_y) / dy;
    double xs = first.m_x + dx * (s.m_y - first.m_y) / dy;
    RoundToSignificant15(xr);
    RoundToSignificant15(xs);
    if (!NearlyEqual(RoundedDifference12(xr, r.m_x), 0) || !NearlyEqual(RoundedDifference12(xs, s.m_x), 0))
        return 0;
    CPointD pp = first, qq = last;
    if (dy <= 0)
        std::swap(pp, qq);
    RoundPointToSignificant14(pp);
    RoundPointToSignificant14(qq);
    CPointD lo, hi;
    lo.m_x = xr;
    lo.m_y = r.m_y;
    hi.m_x = xs;
    hi.m_y = s.m_y;
    if (lo.m_y > hi.m_y)
        std::swap(lo, hi);
    if (hi.m_y < pp.m_y || lo.m_y > qq.m_y)
        return 0;
    out1 = lo.m_y < pp.m_y ? lo : pp;
    out2 = hi.m_y > qq.m_y ? hi : qq;
    return 1;
}

int OverlapLineRecs(const CLine& a, const CLine& b, CPointD& out1, CPointD& out2)
{
    CPointD p = a.m_start, q = a.m_end, r = b.m_start, s = b.m_end;
    return OverlapCollinearSegments(p, q, r, s, out1, out2);
}

int OverlapTextLines(const CText& a, const CText& b, CPointD& out1, CPointD& out2)
{
    CPointD p = a.m_underlineStart, q = a.m_underlineEnd;
    CPointD r = b.m_underlineStart, s = b.m_underlineEnd;
    return OverlapCollinearSegments(p, q, r, s, out1, out2);
}

int OverlapConcentricArcs(CPointD centre1, double radius1, CPointD range1, CPointD centre2,
                          double radius2, CPointD range2, CPointD& range)
{
    if (!PointsNearlyEqual(centre1, centre2) || !NearlyEqual(radius1, radius2))
        return 0;
    // The ranges are compared as stored: an arc through 0 degrees is not turned to meet another.
    if (range2.m_y < range1.m_x || range2.m_x > range1.m_y)
        return 0;
    range = range1;
    if (range2.m_x < range1.m_x)
        range.m_x = range2.m_x;
    if (range2.m_y > range1.m_y)
        range.m_y = range2.m_y;
    return 1;
}
