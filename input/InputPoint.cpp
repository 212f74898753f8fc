// The effective point of a point input: the constraint modes project it through the reference
// point along the axes of the drawing's relative coordinate system.
#include "input/InputPoint.h"

#include <cmath>

#include "document/ZelkDoc.h"
#include "geometry/Numeric.h"

void CInputPoint::Reset()
{
    point = CPointD();
    reference = CPointD();
    mode = 1;
    flags = 0;
}

void CInputPoint::Assign(CInputPoint other)
{
    point = other.point;
    reference = other.reference;
    mode = other.mode;
    flags = other.flags;
}

CPointD CInputPoint::GetEffective(CZelkDoc* doc, int constrained) const
{
    CPointD p = point;
    if (constrained != 0 && mode != 1) {
        if (mode == 2) {
            p = reference;
        } else {
            const double dx = point.m_x - reference.m_x, dy = point.m_y - reference.m_y;
            const double phi = std::atan2(dy, dx), d = std::hypot(dx, dy);
            double theta = doc->m_relAngle * PI / 180.0;
            double e = d * std::cos(phi - theta);
            if (mode != 3) {
                e = d * std::sin(phi - theta);
                theta += PI / 2.0;
            }
            p.Init(reference.m_x + e * std::cos(theta), reference.m_y + e * std::sin(theta));
        }
    }
    return doc->m_grid.SnapPoint(doc, p);
}
