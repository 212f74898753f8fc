// Crossings of segments, infinite lines, circles and arcs. Coordinates are rounded before they are
// compared, so that points computed along different routes agree on which side of a line they lie.
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

// Where the two ends of a second segment lie relative to the line of a first one: e1 and e2 are
// the rounded gaps across the first line, measured along y when the first pair is flatter than
// steep and along x otherwise.
struct LineGaps {
    CPointD p1, p2, q1, q2;  // working copies rounded to 14 significant digits
    bool xBranch = true;
    double e1 = 0, e2 = 0;
};

// Returns false when the first pair has no extent: it defines no line.
bool MeasureGaps(CPointD p1, CPointD p2, CPointD q1, CPointD q2, LineGaps& g)
{
    RoundPointToSignificant14(p1);
    RoundPointToSignificant14(p2);
    RoundPointToSignificant14(q1);
    RoundPointToSignificant14(q2);
    double dpx = p2.m_x - p1.m_x;
    double dpy = p2.m_y - p1.m_y;
    if (dpx == 0 && dpy == 0)
        return false;
    // A flat first pair running toward -x would land in the y-branch and divide by a (near) zero
    // y extent; the reversed pair describes the same line.
    if (dpx < 0 && -dpx >= std::fabs(dpy)) {
        std::swap(p1, p2);
        dpx = -dpx;
        dpy = -dpy;
    }
    g.p1 = p1;
    g.p2 = p2;
    g.q1 = q1;
    g.q2 = q2;
    g.xBranch = dpx >= std::fabs(dpy);
    auto gap = [&](const CPointD& q) {
        if (g.xBranch) {
            double y = p1.m_y + dpy * (q.m_x - p1.m_x) / dpx;
            RoundToSignificant15(y);
            return RoundedDifference12(y, q.m_y);
        }
        double x = p1.m_x + dpx * (q.m_y - p1.m_y) / dpy;
        RoundToSignificant15(x);
        return RoundedDifference12(x, q.m_x);
    };
    g.e1 = gap(q1);
    g.e2 = gap(q2);
    return true;
}

// False when the second pair cannot meet the first line in one point: both ends on one side, or
// both on the line (collinear pieces give no single point).
bool MeasureSingleCrossing(CPointD p1, CPointD p2, CPointD q1, CPointD q2, LineGaps& g)
{
    if (!MeasureGaps(p1, p2, q1, q2, g))
        return false;
    if (g.e1 * g.e2 > 0)
        return false;
    return !(g.e1 == 0 && g.e2 == 0);
}

// The crossing between two ends on opposite sides, split in the ratio of their gaps.
CPointD CrossingBetweenEnds(const LineGaps& g)
{
    double t = std::fabs(g.e1) / (std::fabs(g.e1) + std::fabs(g.e2));
    CPointD out;
    out.m_x = g.q1.m_x + t * (g.q2.m_x - g.q1.m_x);
    out.m_y = g.q1.m_y + t * (g.q2.m_y - g.q1.m_y);
    return out;
}

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

int IntersectSegments(CPointD p1, CPointD p2, CPointD q1, CPointD q2, CPointD& out)
{
    out = CPointD();
    LineGaps g;
    if (!MeasureSingleCrossing(p1, p2, q1, q2, g))
        return 0;
    CLine first(g.p1, g.p2);
    if (g.e1 == 0 || g.e2 == 0) {
        CPointD end = g.e1 == 0 ? q1 : q2;
        if (!IsPointOnLineSeg(first, end))
            return 0;
        out = end;
        return 1;
    }
    out = CrossingBetweenEnds(g);
    double v = g.xBranch ? out.m_x : out.m_y;
    double a = g.xBranch ? g.p1.m_x : g.p1.m_y;
    double b = g.xBranch ? g.p2.m_x : g.p2.m_y;
    if (NearlyEqual(v, a) || NearlyEqual(v, b))
        return 1;
    return (v > std::min(a, b) && v < std::max(a, b)) ? 1 : 0;
}

int IntersectLineWithSegment(CPointD p, CPointD q, CPointD r, CPointD s, CPointD& out)
{
    out = CPointD();
    LineGaps g;
    if (!MeasureSingleCrossing(p, q, r, s, g))
        return 0;
    if (g.e1 == 0)
        out = r;
    else if (g.e2 == 0)
        out = s;
    else
        out = CrossingBetweenEnds(g);
    return 1;
}

int IntersectLines(CPointD p1, CPointD p2, CPointD q1, CPointD q2, CPointD& out)
{
    out = CPointD();
    double dpx = RoundedDifference12(p2.m_x, p1.m_x);
    double dpy = RoundedDifference12(p2.m_y, p1.m_y);
    double dqx = RoundedDifference12(q2.m_x, q1.m_x);
    double dqy = RoundedDifference12(q2.m_y, q1.m_y);
    if (NearlyEqual(dqx * dpy, dqy * dpx))
        return 0;
    double x, y;
    if (NearlyEqual(p2.m_x, p1.m_x)) {
        x = p1.m_x;
        double m2 = dqy / dqx;
        y = RoundedDifference12(q1.m_y, m2 * q1.m_x) + m2 * x;
    } else {
        double m1 = dpy / dpx;
        double b1 = RoundedDifference12(p1.m_y, m1 * p1.m_x);
        if (dqx == 0) {
            x = q1.m_x;
        } else {
            double m2 = dqy / dqx;
            double b2 = RoundedDifference12(q1.m_y, m2 * q1.m_x);
            if (m2 - m1 == 0)
                return 0;
            x = RoundedDifference12(b1, b2) / RoundedDifference12(m2, m1);
        }
        y = m1 * x + b1;
    }
    out.m_x = x;
    out.m_y = y;
    return 1;
}

int IntersectLineRecSegments(const CLine& a, const CLine& b, CPointD& out)
{
    return IntersectSegments(a.m_start, a.m_end, b.m_start, b.m_end, out);
}

int IntersectLineRecLines(const CLine& a, const CLine& b, CPointD& out)
{
    return IntersectLines(a.m_start, a.m_end, b.m_start, b.m_end, out);
}

int IntersectLineRecWithSegment(const CLine& line, const CLine& segment, CPointD& out)
{
    return IntersectLineWithSegment(line.m_start, line.m_end, segment.m_start, segment.m_end, out);
}

int IsPointOnLineSeg(const CLine& line, CPointD p)
{
    double length = 0;
    double theta = PointsAngleRadLen(line.m_start, line.m_end, length);
    if (length == 0)
        return 0;
    double d = 0;
    double phi = PointsAngleRadLen(line.m_start, p, d);
    // The directions are compared as they are: no full turn is taken off their difference.
    if (std::fabs(RoundedDifference12(theta, phi)) * d > 0.0001)
        return 0;
    double c = d / length;
    bool fromStart = EqualWithinDecimals(c, 0, 3) || c > 0;
    bool toEnd = EqualWithinDecimals(c, 1, 3) || c < 1;
    return (fromStart && toEnd) ? 1 : 0;
}

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
