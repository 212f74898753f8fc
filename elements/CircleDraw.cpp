// Drawing of the circle element: one Arc call while its box fits the 16-bit view, chords over
// the visible part beyond it, a diamond when tiny; solid and line-type printing; the server item
// and the drag sketch.
#include "elements/Circle.h"

#include "elements/ElementDrawing.h"
#include "geometry/Angles.h"
#include "geometry/Clipping.h"
#include "geometry/Numeric.h"
#include "geometry/Transforms.h"
#include "platform/gdi/DC.h"
#include "view/ZelkView.h"

#include <cmath>

namespace {

void Diamond(CDC* dc, double cx, double cy, double r)
{
    ChordChain(dc, cx, cy, r, 0.0, 2 * PI, 4);
}

} // namespace

void CCircle::Draw(CDC* dc, const CPointD& origin, double scale, const CRectD& clip)
{
    const double r = m_radius * scale;
    if (r < 1)
        return;
    const CPointD c = m_centre.WorldToScreen(origin, scale);
    if (r < 4) {
        if (CentreInClip(clip, c.m_x, c.m_y))
            Diamond(dc, c.m_x, c.m_y, r);
        return;
    }
    double start = 0, end = 0;
    if (!VisibleArcOfCircle(c.m_x, c.m_y, r, clip, start, end))
        return;
    if (BoxFitsView(c.m_x, c.m_y, r))
        ArcCall(dc, c.m_x, c.m_y, r, start, end);
    else
        ChordChain(dc, c.m_x, c.m_y, r, start, end, ChordCount(end - start, 100 / r));
}

void CCircle::DrawInRect(CDC* dc, const CPointD& origin, double scale, const RECT& clip)
{
    CRectD r;
    r.SetFromIntRect(clip);
    Draw(dc, origin, scale, r);
}

void CCircle::Print(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX, int offsetY,
                    double factor)
{
    const CRectD page = PrintClipRect(clip, factor);
    const double r = m_radius * scale;
    const double device = factor * r;
    if (device < 1)
        return;
    CPointD c = m_centre.WorldToScreen(origin, scale);
    c.Init(c.m_x - offsetX, c.m_y - offsetY);
    if (device < 4) {
        if (CentreInClip(page, c.m_x, c.m_y))
            Diamond(dc, factor * c.m_x, factor * c.m_y, device);
        return;
    }
    double start = 0, end = 0;
    if (!VisibleArcOfCircle(c.m_x, c.m_y, r, page, start, end))
        return;
    const double dx = factor * c.m_x, dy = factor * c.m_y;
    if (BoxFitsView(dx, dy, device)) {
        ArcCall(dc, dx, dy, device, start, end);
        return;
    }
    int n = ChordCount(end - start, 100 / r / factor);
    if (n == 1)
        n = 6;
    ChordChain(dc, dx, dy, device, start, end, n);
}

void CCircle::PrintStyled(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX,
                          int offsetY, double factor, int lineType)
{
    if (lineType < 0 || lineType > 4)
        return;
    const double r = m_radius * scale;
    if (r * factor < 1)
        return;
    CPointD c = m_centre.WorldToScreen(origin, scale);
    c.Init(c.m_x - offsetX, c.m_y - offsetY);
    double start = 0, end = 0;
    if (!VisibleArcOfCircle(c.m_x, c.m_y, r, PrintClipRect(clip, factor), start, end))
        return;
    PrintStyledArcRange(dc, factor * c.m_x, factor * c.m_y, factor * r, start, end, lineType);
}

void CCircle::DrawForServerItem(CDC* dc)
{
    CServerItemMapping map = GetServerItemMapping();
    const double r = m_radius * map.scale;
    if (r < 0.01)
        return;
    const CPointD c = m_centre.WorldToScreen(map.origin, map.scale);
    CRectD clip;
    clip.SetFromIntRect(map.rect);
    const double cx = c.m_x - map.point.x, cy = c.m_y - map.point.y;
    if (r < 0.4) {
        if (CentreInClip(clip, c.m_x, c.m_y))
            Diamond(dc, cx, cy, r);
        return;
    }
    double start = 0, end = 0;
    if (!VisibleArcOfCircle(c.m_x, c.m_y, r, clip, start, end))
        return;
    double step = std::min(10 / r, PI / 18);
    ChordChain(dc, cx, cy, r, start, end, ChordCount(end - start, step));
}

CSketchArc* CCircle::MakeDragSketch(CZelkView* view, const CPointD& centre, double angle, double factor)
{
    const double r = factor * m_radius * view->m_zoom;
    if (r < 1)
        return nullptr;
    CPointD factors;
    factors.Init(factor, factor);
    CPointD c = RotateScalePointDeg(m_centre, centre, angle, factors).WorldToScreen(view->m_origin, view->m_zoom);
    return new CSketchArc{TruncToInt(c.m_x - r), TruncToInt(c.m_y + r), TruncToInt(c.m_x + r), TruncToInt(c.m_y - r),
                          TruncToInt(c.m_x + r), TruncToInt(c.m_y),     TruncToInt(c.m_x + r), TruncToInt(c.m_y)};
}
