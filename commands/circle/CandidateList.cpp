#include "commands/circle/CandidateList.h"

#include <cmath>
#include <utility>

#include "elements/Circle.h"
#include "elements/Line.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "input/PointPair.h"

namespace {

CPointPair* MakeRecord(double key, CPointD centre, double radius, CPointD arc)
{
    auto* record = new CPointPair;
    record->value1 = key;
    record->point1 = centre;
    record->value2 = radius;
    record->point2 = arc;
    return record;
}

} // namespace

int InsertCandidate(CPtrArray& candidates, int circleCommand, double key, CPointD centre, double radius,
                    CPointD arc, int dropDuplicates)
{
    NormalizeArcAnglesDeg(arc);
    const int n = candidates.GetSize();
    for (int i = 0; dropDuplicates && i < n; ++i) {
        const auto* other = static_cast<const CPointPair*>(candidates[i]);
        if (PointsNearlyEqual(other->point1, centre) && NearlyEqual(std::fabs(other->value2), std::fabs(radius)) &&
            PointsNearlyEqual(other->point2, arc))
            return 0;
    }
    // Equal keys, and keys that differ by rounding only, keep the order the solutions were
    // generated in.
    int at = n;
    for (int i = 0; i < n; ++i) {
        const double listed = static_cast<const CPointPair*>(candidates[i])->value1;
        if (listed > key && !NearlyEqual(listed, key)) {
            at = i;
            break;
        }
    }
    candidates.InsertAt(at, MakeRecord(key, centre, radius, arc));
    if (circleCommand == 0 && !NearlyEqual(arc.m_y, arc.m_x + 360.0)) {
        CPointD complement;
        complement.Init(arc.m_y, arc.m_x);
        NormalizeArcAnglesDeg(complement);
        candidates.InsertAt(at + 1, MakeRecord(key, centre, radius, complement));
    }
    return 1;
}

CPointD ArcThroughFeatures(CPointD centre, CTouchFeature a, CTouchFeature b, CTouchFeature c)
{
    CTouchFeature f[3] = { a, b, c };
    for (int i = 0; i < 3; ++i)
        for (int j = i + 1; j < 3; ++j)
            if (f[j].position < f[i].position)
                std::swap(f[i], f[j]);
    double start = PointsAngleDeg(centre, f[0].point);
    double end = PointsAngleDeg(centre, f[2].point);
    if (!IsCcwTurn(f[0].point, f[1].point, f[2].point))
        SwapDoubles(start, end);
    NormalizeArcAnglesDeg(start, end);
    CPointD range;
    range.Init(start, end);
    return range;
}

CPointD FootOnLine(const CLine& line, CPointD p, double& distance)
{
    CPointD foot;
    distance = 0.0;
    line.FootOfPerpendicular(line.GetDirectionKind(), p, foot, distance);
    return foot;
}

CPointD FootOnLine(const CLine& line, CPointD p)
{
    double distance = 0.0;
    return FootOnLine(line, p, distance);
}

CPointD PolarPoint(CPointD from, double length, double theta)
{
    CPointD p;
    p.Init(from.m_x + length * std::cos(theta), from.m_y + length * std::sin(theta));
    return p;
}

CPointD FullTurnRange()
{
    CPointD range;
    range.Init(0.0, 360.0);
    return range;
}

CPointD TouchPointOnCircle(const CCircle& picked, CPointD centre, double radius)
{
    CPointD point = PolarPoint(picked.m_centre, picked.m_radius, PointsAngleRad(picked.m_centre, centre));
    picked.TouchPointWithCircle(centre, radius, point);
    return point;
}
