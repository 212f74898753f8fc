// The ellipse's geometric members: its cached polyline, its extents and the feature points the
// point search asks for (axis ends first, else extremes along the polyline).
#include <cmath>

#include "app/ZelkApp.h"
#include "elements/Conic.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "geometry/PointSequences.h"
#include "geometry/Transforms.h"

void CConic::BuildPolyline()
{
    BuildEllipsePoints(m_centre, m_majorRadius, m_ratio, m_startAngle, m_endAngle, m_tilt,
                       g_pApp->m_appDraw.m_ellipseStep, m_polyline);
}

void CConic::GetBoundingBox(double& minX, double& maxX, double& maxY, double& minY) const
{
    SequenceBoundingBox(m_polyline, minX, maxX, maxY, minY);
}

int CConic::AxisPoint(int code, CPointD& point) const
{
    for (int off = 0; off <= 630; off += 90) {
        bool taken;
        switch (code) {
        case 11:
            taken = off == 0 || off == 360;
            break;
        case 12:
            taken = off == 180 || off == 540;
            break;
        case 13:
            taken = off == 90 || off == 450;
            break;
        case 14:
            taken = off == 270 || off == 630;
            break;
        default:
            taken = true;
            break;
        }
        if (!taken)
            continue;
        if (!NearlyEqual(off, m_startAngle)) {
            if (off < m_startAngle)
                continue;
            if (NearlyEqual(off, m_endAngle) || off > m_endAngle)
                break;
        }
        double a = off * PI / 180;
        CPointD p;
        p.m_x = m_centre.m_x + m_majorRadius * std::cos(a);
        p.m_y = m_centre.m_y + m_majorRadius * m_ratio * std::sin(a);
        double tilt = m_tilt * PI / 180;
        point = RotatePointRad(p, m_centre, tilt);
        return 1;
    }
    if (m_polyline.size() < 3)
        return 0;
    std::vector<CPointD> copy;
    CopyWithClosingVertex(m_polyline, copy);
    for (std::size_t i = 1; i + 1 < copy.size(); ++i) {
        double dx1 = copy[i].m_x - copy[i - 1].m_x;
        double dy1 = copy[i].m_y - copy[i - 1].m_y;
        double dx2 = copy[i + 1].m_x - copy[i].m_x;
        double dy2 = copy[i + 1].m_y - copy[i].m_y;
        bool found = (code == 1 && dx1 >= 0 && dx2 <= 0) || (code == 2 && dy1 >= 0 && dy2 <= 0) ||
                     (code == 3 && dx1 <= 0 && dx2 >= 0);
        if (found) {
            point = copy[i];
            return 1;
        }
    }
    return 0;
}
