// Drawing of the curve element through its point sequence, and its line-type printing along
// fine points about 0.1 screen units apart.
#include "elements/Curve.h"

#include "elements/ElementDrawing.h"
#include "geometry/Angles.h"
#include "platform/gdi/DC.h"

#include <cmath>

void CCurve::Draw(CDC* dc, const CPointD& origin, double scale, const CRectD& clip)
{
    DrawPointSequence(dc, m_points, origin, scale, clip);
}

void CCurve::DrawInRect(CDC* dc, const CPointD& origin, double scale, const RECT& clip)
{
    CRectD r;
    r.SetFromIntRect(clip);
    Draw(dc, origin, scale, r);
}

void CCurve::Print(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX, int offsetY,
                   double factor)
{
    PrintPointSequence(dc, m_points, origin, scale, clip, offsetX, offsetY, factor);
}

void CCurve::PrintStyled(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX,
                         int offsetY, double factor, int lineType)
{
    if (lineType < 0 || lineType > 4 || m_points.empty())
        return;
    std::vector<CPointD> fine;
    fine.push_back(m_points.front());
    for (size_t i = 0; i + 1 < m_points.size(); ++i) {
        const CPointD& p = m_points[i];
        const CPointD& q = m_points[i + 1];
        double length = 0;
        const double direction = PointsAngleRadLen(p, q, length);
        const double onScreen = length * scale;
        if (onScreen > 0.1) {
            // A segment far longer than a page is not cut finer than the page needs.
            const double m = std::min(std::trunc(onScreen * 10), 2e6);
            const double c = std::cos(direction), s = std::sin(direction);
            for (int k = 1; k <= m; ++k) {
                const double d = (onScreen * 10 > 2e6 ? length * k / m : k * 0.1 / scale);
                CPointD f;
                fine.push_back(f.Init(p.m_x + d * c, p.m_y + d * s));
            }
        }
        fine.push_back(q);
    }
    PrintStyledFinePoints(dc, ToPrintUnits(fine, origin, scale, offsetX, offsetY), PrintClipRect(clip, factor),
                          factor, lineType);
}

void CCurve::DrawForServerItem(CDC* dc)
{
    DrawPointSequenceForServerItem(dc, m_points);
}

CSketchPolyline* CCurve::MakeDragSketch(CZelkView* view, const CPointD& centre, double angle, double factor)
{
    return MakePointSequenceSketch(m_points, view, centre, angle, factor);
}
