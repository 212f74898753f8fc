// Crossings of lines with circles and arcs and of circles and arcs with each other. The order of
// two crossings is fixed (out1 first): the commands number and cycle candidates by it.
#include "geometry/Intersections.h"

#include <algorithm>
#include <cmath>

#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/Line.h"
#include "elements/Text.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "geometry/Projections.h"

namespace {

// Shared by the arc filters: keeps the crossings that lie in the arc's sweep at the front.
int KeepInSweep(const CArc& arc, int n, CPointD& out1, CPointD& out2, int* on1, int* on2)
{
    if (n == 1)
        return arc.ContainsDirectionOf(out1) ? 1 : 0;
    if (n != 2)
        return n;
    bool keep1 = arc.ContainsDirectionOf(out1) != 0;
    bool keep2 = arc.ContainsDirectionOf(out2) != 0;
    if (!keep2)
        n = 1;
    if (!keep1) {
        if (keep2) {
            out1 = out2;
            if (on1 && on2)
                *on1 = *on2;
        }
        n -= 1;
    }
    return n;
}

CLine UnderlineOf(const CText& text)
{
    return CLine(text.m_underlineStart, text.m_underlineEnd);
}

}  // namespace

int IntersectLineCircle(const CLine& line, const CCircle& circle, CPointD& out1, CPointD& out2, int& onSegment1,
                        int& onSegment2)
{
    CPointD foot;
    double d = 0;
    // A line without length has no direction to cross the circle along.
    if (line.m_start.m_x == line.m_end.m_x && line.m_start.m_y == line.m_end.m_y)
        return 0;
    int a = FootOnLineRec(line, circle.m_centre, foot, d);
    RoundToSignificant15(d);
    double r = circle.m_radius;
    if (NearlyEqual(std::fabs(d), r)) {
        out1 = out2 = foot;
        onSegment1 = onSegment2 = a;
        return 1;
    }
    if (std::fabs(d) > r)
        return 0;
    double f = r * r - d * d;
    if (NearlyEqual(f, 0))
        f = 0;
    if (f < 0)
        return 0;
    double h = std::sqrt(f);
    double u = PointsAngleRad(line.m_start, line.m_end);
    out1.m_x = foot.m_x + h * std::cos(u);
    out1.m_y = foot.m_y + h * std::sin(u);
    out2.m_x = foot.m_x - h * std::cos(u);
    out2.m_y = foot.m_y - h * std::sin(u);
    onSegment1 = IsPointOnLineSeg(line, out1);
    onSegment2 = IsPointOnLineSeg(line, out2);
    if (onSegment1 == 0 && onSegment2 == 1) {
        std::swap(out1, out2);
        onSegment1 = 1;
        onSegment2 = 0;
    }
    return 2;
}

int IntersectSegmentCircle(const CLine& line, const CCircle& circle, CPointD& out1, CPointD& out2)
{
    int on1 = 0, on2 = 0;
    int n = IntersectLineCircle(line, circle, out1, out2, on1, on2);
    if (n == 0 || on1 == 0)
        return 0;
    if (on2 == 1)
        return n;
    out2 = out1;
    return 1;
}

int IntersectLineArcCircle(const CLine& line, const CArc& arc, CPointD& out1, CPointD& out2, int& onSegment1,
                           int& onSegment2)
{
    return IntersectLineCircle(line, CCircle(arc), out1, out2, onSegment1, onSegment2);
}

int IntersectLineArc(const CLine& line, const CArc& arc, CPointD& out1, CPointD& out2, int& onSegment1,
                     int& onSegment2)
{
    int n = IntersectLineCircle(line, CCircle(arc), out1, out2, onSegment1, onSegment2);
    return KeepInSweep(arc, n, out1, out2, &onSegment1, &onSegment2);
}

int IntersectCircleTextLine(const CCircle& circle, const CText& text, CPointD& out1, CPointD& out2,
                            int& onSegment1, int& onSegment2)
{
    return IntersectLineCircle(UnderlineOf(text), circle, out1, out2, onSegment1, onSegment2);
}

int IntersectArcCircleTextLine(const CArc& arc, const CText& text, CPointD& out1, CPointD& out2,
                               int& onSegment1, int& onSegment2)
{
    return IntersectLineArcCircle(UnderlineOf(text), arc, out1, out2, onSegment1, onSegment2);
}

int IntersectCircles(const CCircle& c1, const CCircle& c2, CPointD& out1, CPointD& out2)
{
    double r1 = c1.m_radius;
    double r2 = c2.m_radius;
    RoundToSignificant15(r1);
    RoundToSignificant15(r2);
    if (r1 == 0 || r2 == 0)
        return 0;
    double d = 0;
    double theta = PointsAngleRadLen(c1.m_centre, c2.m_centre, d);
    RoundToSignificant15(d);
    if (d == 0)
        return 0;
    const CPointD& c = c1.m_centre;
    if (NearlyEqual(d, r1 + r2) || NearlyEqual(d, r1 - r2)) {
        out1.m_x = c.m_x + r1 * std::cos(theta);
        out1.m_y = c.m_y + r1 * std::sin(theta);
        out2 = out1;
        return 1;
    }
    if (NearlyEqual(d, r2 - r1)) {
        out1.m_x = c.m_x + r1 * std::cos(theta + PI);
        out1.m_y = c.m_y + r1 * std::sin(theta + PI);
        out2 = out1;
        return 1;
    }
    if (d > r1 + r2 || std::fabs(r1 - r2) > d)
        return 0;
    // Rounding can push the cosine just past 1 for circles that only nearly touch; clamped, such
    // circles give two coincident points rather than NaN points counted as crossings.
    double cosAlpha = (d * d + r1 * r1 - r2 * r2) / (2 * d * r1);
    double alpha = std::acos(std::clamp(cosAlpha, -1.0, 1.0));
    out1.m_x = c.m_x + r1 * std::cos(theta - alpha);
    out1.m_y = c.m_y + r1 * std::sin(theta - alpha);
    out2.m_x = c.m_x + r1 * std::cos(theta + alpha);
    out2.m_y = c.m_y + r1 * std::sin(theta + alpha);
    return 2;
}

int IntersectCircleArcCircle(const CCircle& circle, const CArc& arc, CPointD& out1, CPointD& out2)
{
    return IntersectCircles(circle, CCircle(arc), out1, out2);
}

int IntersectCircleArc(const CCircle& circle, const CArc& arc, CPointD& out1, CPointD& out2)
{
    int n = IntersectCircles(circle, CCircle(arc), out1, out2);
    return KeepInSweep(arc, n, out1, out2, nullptr, nullptr);
}

int IntersectArcCircles(const CArc& arc1, const CArc& arc2, CPointD& out1, CPointD& out2)
{
    return IntersectCircles(CCircle(arc1), CCircle(arc2), out1, out2);
}

int IntersectArcs(const CArc& arc1, const CArc& arc2, CPointD& out1, CPointD& out2)
{
    int n = IntersectCircles(CCircle(arc1), CCircle(arc2), out1, out2);
    auto inBoth = [&](const CPointD& p) {
        return arc1.ContainsDirectionOf(p) && arc2.ContainsDirectionOf(p);
    };
    if (n == 1)
        return inBoth(out1) ? 1 : 0;
    if (n != 2)
        return 0;
    if (inBoth(out1))
        return inBoth(out2) ? 2 : 1;
    if (inBoth(out2)) {
        std::swap(out1, out2);
        return 1;
    }
    return 0;
}
