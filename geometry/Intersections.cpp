// Crossings of segments and infinite lines. Coordinates are rounded before they are compared, so
// that points computed along different routes agree on which side of a line they lie.
#include "geometry/Intersections.h"

#include <algorithm>
#include <cmath>

#include "elements/Line.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"

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

}  // namespace

int IntersectSegments(CPointD p1, CPointD p2, CPointD q1, CPointD q2, CPointD& out)
{
    out = CPointD();
    LineGaps g;
    if (!MeasureSingleCrossing(p1, p2, q1, q2, g))
        return 0;
    if (g.e1 == 0 || g.e2 == 0) {
        CPointD end = g.e1 == 0 ? q1 : q2;
        if (!IsPointOnSegment(g.p1, g.p2, end))
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
    return IsPointOnSegment(line.m_start, line.m_end, p);
}

int IsPointOnSegment(CPointD a, CPointD b, CPointD p)
{
    double length = 0;
    double theta = PointsAngleRadLen(a, b, length);
    if (length == 0)
        return 0;
    double d = 0;
    double phi = PointsAngleRadLen(a, p, d);
    // The directions are compared as they are: no full turn is taken off their difference.
    if (std::fabs(RoundedDifference12(theta, phi)) * d > 0.0001)
        return 0;
    double c = d / length;
    bool fromStart = EqualWithinDecimals(c, 0, 3) || c > 0;
    bool toEnd = EqualWithinDecimals(c, 1, 3) || c < 1;
    return (fromStart && toEnd) ? 1 : 0;
}
