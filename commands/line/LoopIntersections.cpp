// Geometric questions the hatching and the section properties ask of the extracted loops: the
// points that can be extreme in a direction, how far the loops reach across a line, the
// crossings of an infinite line with the loops in an order that pairs into chords, and the
// perimeter. They read the loop store and make nothing.
#include "commands/line/LoopCommand.h"

#include <cmath>
#include <vector>

#include "commands/line/LoopMembers.h"
#include "elements/Arc.h"
#include "elements/ElementKinds.h"
#include "elements/Line.h"
#include "geometry/Angles.h"
#include "geometry/Intersections.h"
#include "geometry/Numeric.h"
#include "geometry/Transforms.h"
#include "input/ElemKey.h"

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

// The sides of points against the infinite line a-b: 1 left, -1 right, 0 on it (within the
// program's zero).
class CLineSides {
public:
    CLineSides(CPointD a, CPointD b) : m_a(a)
    {
        const double length = std::hypot(b.m_x - a.m_x, b.m_y - a.m_y);
        m_ux = length > 0 ? (b.m_x - a.m_x) / length : 1.0;
        m_uy = length > 0 ? (b.m_y - a.m_y) / length : 0.0;
    }
    int Of(const CPointD& p) const
    {
        const double d = m_ux * (p.m_y - m_a.m_y) - m_uy * (p.m_x - m_a.m_x);
        if (NearlyEqual(d, 0.0))
            return 0;
        return d > 0 ? 1 : -1;
    }
    // The side a path takes when it leaves a point of the line in the direction (dx, dy); a
    // path along the line (an arc touching it there) bends to the side of its centre.
    int Leaving(double dx, double dy, const CPointD& centre) const
    {
        const double c = m_ux * dy - m_uy * dx;
        if (std::fabs(c) < 1e-9)
            return Of(centre);
        return c > 0 ? 1 : -1;
    }

private:
    CPointD m_a;
    double m_ux, m_uy;
};

// The direction of travel of an arc member at one of its angles.
void ArcTravel(const CTravelled& m, double angleDeg, double& dx, double& dy)
{
    const double r = angleDeg * kDegToRad;
    dx = -std::sin(r);
    dy = std::cos(r);
    if (m.reversed) {
        dx = -dx;
        dy = -dy;
    }
}

// A member lying on the line along its whole length.
bool LiesOnLine(const CTravelled& m, const CLineSides& sides)
{
    return m.IsLine() && sides.Of(m.line->m_start) == 0 && sides.Of(m.line->m_end) == 0;
}

// The side on which a member runs just after its entry and just before its exit.
int SideAfterEntry(const CTravelled& m, const CLineSides& sides)
{
    if (m.IsLine())
        return sides.Of(m.Entry()) != 0 ? sides.Of(m.Entry()) : sides.Of(m.Exit());
    if (sides.Of(m.Entry()) != 0)
        return sides.Of(m.Entry());
    double dx, dy;
    ArcTravel(m, m.reversed ? m.arc->m_endAngle : m.arc->m_startAngle, dx, dy);
    return sides.Leaving(dx, dy, m.arc->m_centre);
}

int SideBeforeExit(const CTravelled& m, const CLineSides& sides)
{
    if (m.IsLine())
        return sides.Of(m.Exit()) != 0 ? sides.Of(m.Exit()) : sides.Of(m.Entry());
    if (sides.Of(m.Exit()) != 0)
        return sides.Of(m.Exit());
    double dx, dy;
    ArcTravel(m, m.reversed ? m.arc->m_startAngle : m.arc->m_endAngle, dx, dy);
    // Looking back along the travel.
    return sides.Leaving(-dx, -dy, m.arc->m_centre);
}

// Where a point goes in the x-then-y order of the crossings; equal points stay together.
void InsertSorted(std::vector<CPointD>& points, const CPointD& p)
{
    auto at = points.begin();
    for (; at != points.end(); ++at) {
        if (at->m_x > p.m_x && !NearlyEqual(at->m_x, p.m_x))
            break;
        if (NearlyEqual(at->m_x, p.m_x) && (at->m_y > p.m_y || NearlyEqual(at->m_y, p.m_y)))
            break;
    }
    points.insert(at, p);
}

} // namespace

void CLoopCommand::CollectExtremeCandidates(const COwnedPtrArray& loop, double theta,
                                            std::vector<CPointD>& points) const
{
    for (int k = 0; k < loop.GetSize(); ++k) {
        const CElemKey* key = loop.KeyAt(k);
        if (!key)
            continue;
        if (const CLine* line = MemberLine(*key)) {
            points.push_back(line->m_start);
            points.push_back(line->m_end);
        } else if (const CArc* arc = MemberArc(*key)) {
            points.push_back(arc->KeyPoint(-1));
            points.push_back(arc->KeyPoint(-2));
            for (double a : { theta + 90.0, theta - 90.0, theta, theta + 180.0 }) {
                const CPointD p = arc->PointAtAngle(a);
                if (arc->ContainsDirectionOf(p))
                    points.push_back(p);
            }
        }
    }
}

void CLoopCommand::GetLoopsExtentAcross(CPointD p, double theta, double& high, double& low) const
{
    std::vector<CPointD> points;
    for (int i = 0; i < m_loops.GetSize(); ++i)
        CollectExtremeCandidates(*static_cast<const COwnedPtrArray*>(m_loops[i]), theta, points);
    // The band always holds the line through p, also when p lies outside the loops.
    high = 0.0;
    low = 0.0;
    for (const CPointD& q : points) {
        const double d = RotatePointDeg(q, p, -theta).m_y - p.m_y;
        if (high < d)
            high = d;
        if (low > d)
            low = d;
    }
}

int CLoopCommand::GetLoopsExtremePoints(double theta, CPointD& highest, CPointD& lowest, CPointD& leftmost,
                                        CPointD& rightmost) const
{
    std::vector<CPointD> points;
    for (int i = 0; i < m_loops.GetSize(); ++i)
        CollectExtremeCandidates(*static_cast<const COwnedPtrArray*>(m_loops[i]), theta, points);
    if (points.empty())
        return 0;
    CPointD origin;
    CPointD hi, lo, le, ri;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const CPointD t = RotatePointDeg(points[i], origin, -theta);
        if (i == 0) {
            hi = lo = le = ri = t;
            highest = lowest = leftmost = rightmost = points[i];
            continue;
        }
        if (t.m_y > hi.m_y) {
            hi = t;
            highest = points[i];
        }
        if (t.m_y < lo.m_y) {
            lo = t;
            lowest = points[i];
        }
        if (t.m_x < le.m_x) {
            le = t;
            leftmost = points[i];
        }
        if (t.m_x > ri.m_x) {
            ri = t;
            rightmost = points[i];
        }
    }
    return 1;
}

// Each crossing of the outline with the line is listed an odd number of times and each touch an
// even number, so that the sorted points pair into the chords inside: a member crossing the line
// between its ends gives that point once; a vertex on the line gives one point when the outline
// passes from one side to the other there and none when it comes back to the side it came from;
// members lying on the line are passed over and their neighbours decide. A line tangent to an arc
// between its ends touches it: the point comes twice.
int CLoopCommand::IntersectLineWithLoops(CPointD a, CPointD b, std::vector<CPointD>& points) const
{
    points.clear();
    const CLine hatch(a, b);
    const CLineSides sides(a, b);
    std::vector<CPointD> found;
    std::vector<CTravelled> members;
    for (int i = 0; i < m_loops.GetSize(); ++i) {
        const auto& loop = *static_cast<const COwnedPtrArray*>(m_loops[i]);
        members.clear();
        for (int k = 0; k < loop.GetSize(); ++k) {
            const CElemKey* key = loop.KeyAt(k);
            CTravelled m{ key ? MemberLine(*key) : nullptr, key ? MemberArc(*key) : nullptr, key && key->flag != 0 };
            if (m.Valid())
                members.push_back(m);
        }
        const int n = static_cast<int>(members.size());
        for (const CTravelled& m : members) {
            if (m.IsLine()) {
                CPointD x;
                if (sides.Of(m.Entry()) * sides.Of(m.Exit()) < 0 && IntersectLineRecWithSegment(hatch, *m.line, x))
                    found.push_back(x);
                continue;
            }
            CPointD p[2];
            int on1 = 0, on2 = 0;
            const int count = IntersectLineArc(hatch, *m.arc, p[0], p[1], on1, on2);
            const CPointD ends[2] = { m.arc->KeyPoint(-1), m.arc->KeyPoint(-2) };
            int kept = 0;
            CPointD inner[2];
            for (int j = 0; j < count && j < 2; ++j) {
                bool atVertex = false;
                for (const CPointD& e : ends)
                    atVertex = atVertex || (sides.Of(e) == 0 && Distance(e, p[j]) < 1e-3);
                if (!atVertex)
                    inner[kept++] = p[j];
            }
            const bool tangent =
                count == 1 && EqualWithinDecimals(std::fabs(SignedDistanceToLine(m.arc->m_centre, a, b)), m.arc->m_radius, 3);
            for (int j = 0; j < kept; ++j) {
                found.push_back(inner[j]);
                if (tangent)
                    found.push_back(inner[j]);
            }
        }
        // The vertices on the line, each contact from the member that arrives at it off the line.
        for (int k = 0; k < n; ++k) {
            const CTravelled& arriving = members[k];
            if (LiesOnLine(arriving, sides) || sides.Of(arriving.Exit()) != 0)
                continue;
            int next = (k + 1) % n;
            for (int steps = 0; steps < n && LiesOnLine(members[next], sides); ++steps)
                next = (next + 1) % n;
            if (LiesOnLine(members[next], sides))
                continue;
            if (SideBeforeExit(arriving, sides) * SideAfterEntry(members[next], sides) < 0)
                found.push_back(arriving.Exit());
        }
    }
    for (const CPointD& p : found)
        InsertSorted(points, p);
    return points.empty() ? 0 : 1;
}

double CLoopCommand::GetLoopPerimeter(const COwnedPtrArray& loop) const
{
    double sum = 0.0;
    for (int k = 0; k < loop.GetSize(); ++k) {
        const CElemKey* key = loop.KeyAt(k);
        if (!key)
            continue;
        if (const CLine* line = MemberLine(*key))
            sum += line->Length();
        else if (const CArc* arc = MemberArc(*key))
            sum += arc->Length();
    }
    return sum;
}
