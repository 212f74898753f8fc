// Drawing of the ellipse element through its cached polyline, and its line-type printing along
// a fine polyline of about one point per device unit.
#include "elements/Conic.h"

#include "elements/ElementDrawing.h"
#include "geometry/Numeric.h"
#include "geometry/Transforms.h"
#include "platform/gdi/DC.h"

#include <cmath>

void CConic::Draw(CDC* dc, const CPointD& origin, double scale, const CRectD& clip)
{
    DrawPointSequence(dc, m_polyline, origin, scale, clip);
}

void CConic::DrawInRect(CDC* dc, const CPointD& origin, double scale, const RECT& clip)
{
    CRectD r;
    r.SetFromIntRect(clip);
    Draw(dc, origin, scale, r);
}

void CConic::Print(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX, int offsetY,
                   double factor)
{
    PrintPointSequence(dc, m_polyline, origin, scale, clip, offsetX, offsetY, factor);
}

void CConic::PrintStyled(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX,
                         int offsetY, double factor, int lineType)
{
    if (lineType < 0 || lineType > 4)
        return;
    const double tilt = m_tilt * PI / 180;
    const double sweep = (m_endAngle - m_startAngle) * PI / 180;
    const double t0 = m_startAngle * PI / 180 - tilt;
    // About one point per device unit along the major circle; at least one step, and no more
    // points than a page could take.
    double count = std::trunc(std::fabs(sweep * m_majorRadius * scale * factor));
    if (!(count >= 1))
        count = 1;
    if (count > 2e6)
        count = 2e6;
    const int n = static_cast<int>(count);
    std::vector<CPointD> fine;
    fine.reserve(n + 1);
    for (int i = 0; i <= n; ++i) {
        double t = t0 + i * sweep / n;
        CPointD p;
        p.Init(m_centre.m_x + m_majorRadius * std::cos(t), m_centre.m_y + m_majorRadius * m_ratio * std::sin(t));
        fine.push_back(RotatePointRad(p, m_centre, tilt));
    }
    PrintStyledFinePoints(dc, ToPrintUnits(fine, origin, scale, offsetX, offsetY), PrintClipRect(clip, factor),
                          factor, lineType);
}

void CConic::DrawForServerItem(CDC* dc)
{
    DrawPointSequenceForServerItem(dc, m_polyline);
}

CSketchPolyline* CConic::MakeDragSketch(CZelkView* view, const CPointD& centre, double angle, double factor)
{
    return MakePointSequenceSketch(m_polyline, view, centre, angle, factor);
}
