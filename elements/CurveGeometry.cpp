// The curve's geometric members: its extents and the turning points offered to the point search.
#include "elements/Curve.h"
#include "geometry/PointSequences.h"

void CCurve::GetBoundingBox(double& minX, double& maxX, double& maxY, double& minY) const
{
    SequenceBoundingBox(m_points, minX, maxX, maxY, minY);
}

int CCurve::CollectSearchPoints(std::vector<CPointD>& points) const
{
    if (m_points.size() <= 2)
        return 0;
    std::vector<CPointD> copy;
    CopyWithClosingVertex(m_points, copy);
    int added = 0;
    for (std::size_t i = 1; i + 1 < copy.size(); ++i) {
        double dx1 = copy[i].m_x - copy[i - 1].m_x;
        double dy1 = copy[i].m_y - copy[i - 1].m_y;
        double dx2 = copy[i + 1].m_x - copy[i].m_x;
        double dy2 = copy[i + 1].m_y - copy[i].m_y;
        if ((dx1 <= 0 && dx2 >= 0) || (dx1 >= 0 && dx2 <= 0) || (dy1 <= 0 && dy2 >= 0) ||
            (dy1 >= 0 && dy2 <= 0)) {
            points.push_back(copy[i]);
            ++added;
        }
    }
    return added > 0 ? 1 : 0;
}
