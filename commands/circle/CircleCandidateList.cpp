// The list of solutions a construction with several answers keeps for Q and Shift+Q: ordered by
// how close each lies to where the user worked, without repeats, and in the arc command each arc
// followed by the rest of its circle.
#include "commands/circle/CircleCommand.h"

#include <cmath>

#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "input/PointPair.h"

void CCircleCommand::InsertCandidate(double key, CPointD centre, double radius, CPointD angles)
{
    NormalizeArcAnglesDeg(angles);
    for (int i = 0; i < m_candidates.GetSize(); ++i) {
        const auto* listed = static_cast<const CPointPair*>(m_candidates[i]);
        if (PointsNearlyEqual(listed->point1, centre) && NearlyEqual(std::fabs(listed->value2), std::fabs(radius)) &&
            PointsNearlyEqual(listed->point2, angles))
            return;
    }
    // Keys that differ by rounding only count as equal: such solutions stay in arrival order.
    int at = 0;
    while (at < m_candidates.GetSize()) {
        const double listed = static_cast<const CPointPair*>(m_candidates[at])->value1;
        if (listed > key && !NearlyEqual(listed, key))
            break;
        ++at;
    }
    const auto insert = [&](CPointD range) {
        auto* record = new CPointPair;
        record->value1 = key;
        record->point1 = centre;
        record->value2 = radius;
        record->point2 = range;
        m_candidates.InsertAt(at++, record);
    };
    insert(angles);
    if (m_circleFlag == 1 || NearlyEqual(angles.m_y, angles.m_x + 360.0))
        return;
    CPointD rest;
    rest.Init(angles.m_y, angles.m_x);
    NormalizeArcAnglesDeg(rest);
    insert(rest);
}
