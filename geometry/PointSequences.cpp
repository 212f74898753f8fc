// Point-sequence routines shared by the ellipse and curve elements.
#include "geometry/PointSequences.h"

#include <algorithm>
#include <cmath>

#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "geometry/Transforms.h"

namespace {

// A step of 0 or a sweep read from a damaged file must not make the loop endless or exhaust
// memory: the step is kept above a small minimum and the point count is capped.
const double kMinimumStep = 0.01;
const double kMaximumSegments = 36000;

}  // namespace

void BuildEllipsePoints(CPointD centre, double radius, double ratio, double start, double end,
                        double tilt, double step, std::vector<CPointD>& points)
{
    points.clear();
    if (!(step >= kMinimumStep))
        step = kMinimumStep;
    double n = std::trunc((end - start) / step) + 1;
    // A backward sweep gives no points; n = 0 would otherwise divide 0 by 0 for one NaN point.
    if (!std::isfinite(n) || n < 1)
        return;
    n = std::min(n, kMaximumSegments);
    double tau = tilt * PI / 180;
    double sweep = (end - start) * PI / 180;
    double t0 = start * PI / 180 - tau;
    for (int i = 0; i <= n; ++i) {
        double t = t0 + (i / n) * sweep;
        CPointD p;
        p.m_x = centre.m_x + radius * std::cos(t);
        p.m_y = centre.m_y + radius * ratio * std::sin(t);
        points.push_back(RotatePointRad(p, centre, tau));
    }
}

void SequenceBoundingBox(const std::vector<CPointD>& points, double& minX, double& maxX, double& maxY,
                         double& minY)
{
    minX = maxX = maxY = minY = 0;
    if (points.size() == 0)
        return;
    minX = maxX = points[0].m_x;
    minY = maxY = points[0].m_y;
    for (std::size_t i = 1; i < points.size(); ++i) {
        minX = std::min(minX, points[i].m_x);
        maxX = std::max(maxX, points[i].m_x);
        minY = std::min(minY, points[i].m_y);
        maxY = std::max(maxY, points[i].m_y);
    }
}

void CopyWithClosingVertex(const std::vector<CPointD>& points, std::vector<CPointD>& copy)
{
    copy.clear();
    for (std::size_t i = 0; i < points.size(); ++i)
        copy.push_back(points[i]);
    int n = points.size();
    if (n >= 2 && PointsNearlyEqual(points[0], points[n - 1]))
        copy.push_back(points[1]);
}
