// Drawing of the point element: an upright cross of fixed half-size on the screen, the printer
// and the server item, and its drag sketch.
#include "elements/DataPoint.h"

#include "elements/ElementDrawing.h"
#include "geometry/Transforms.h"
#include "platform/gdi/DC.h"
#include "view/ZelkView.h"

namespace {

void Cross(CDC* dc, int x, int y, int s)
{
    dc->MoveTo(x - s, y);
    dc->LineTo(x + s, y);
    dc->MoveTo(x, y - s);
    dc->LineTo(x, y + s);
}

} // namespace

void CDataPoint::Draw(CDC* dc, const CPointD& origin, double scale, const CRectD& clip)
{
    CPointD p = m_position.WorldToScreen(origin, scale);
    if (!clip.Contains(p))
        return;
    Cross(dc, TruncToInt(p.m_x), TruncToInt(p.m_y), PointMarkHalfSize());
}

void CDataPoint::DrawInRect(CDC* dc, const CPointD& origin, double scale, const RECT& clip)
{
    CRectD r;
    r.SetFromIntRect(clip);
    Draw(dc, origin, scale, r);
}

void CDataPoint::Print(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX, int offsetY,
                       double factor)
{
    CPointD p = m_position.WorldToScreen(origin, scale);
    p.Init(p.m_x - offsetX, p.m_y - offsetY);
    if (!PrintClipRect(clip, factor).Contains(p))
        return;
    // The cross keeps its size on paper whatever the factor.
    Cross(dc, TruncToInt(p.m_x * factor), TruncToInt(p.m_y * factor), PointMarkHalfSize());
}

void CDataPoint::DrawForServerItem(CDC* dc)
{
    CServerItemMapping map = GetServerItemMapping();
    CPointD p = m_position.WorldToScreen(map.origin, map.scale);
    CRectD clip;
    clip.SetFromIntRect(map.rect);
    if (!clip.Contains(p))
        return;
    Cross(dc, TruncToInt(p.m_x - map.point.x), TruncToInt(p.m_y - map.point.y), PointMarkHalfSize());
}

POINT* CDataPoint::MakeDragSketch(CZelkView* view, const CPointD& centre, double angle, double factor)
{
    CPointD factors;
    factors.Init(factor, factor);
    CPointD s = RotateScalePointDeg(m_position, centre, angle, factors).WorldToScreen(view->m_origin, view->m_zoom);
    return new POINT(TruncPoint(s.m_x, s.m_y));
}
