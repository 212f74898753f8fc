// The point markers drawn at a world point's screen position (circle, cross and both), and a
// world rectangle drawn as its four sides, each a temporary line element with the drawing
// routine of its direction.
#include "geometry/PointD.h"
#include "geometry/RectD.h"

#include "elements/ElementDrawing.h"
#include "elements/Line.h"
#include "platform/gdi/DC.h"

void CPointD::DrawCircleMark(CDC* dc, const CPointD& origin, double scale) const
{
    CPointD s = WorldToScreen(origin, scale);
    int x = TruncToInt(s.m_x), y = TruncToInt(s.m_y);
    dc->Arc(x - 6, y + 6, x + 7, y - 7, x + 6, y, x + 6, y);
}

void CPointD::DrawCrossMark(CDC* dc, const CPointD& origin, double scale, int a) const
{
    CPointD s = WorldToScreen(origin, scale);
    dc->MoveTo(TruncPoint(s.m_x - a, s.m_y - a));
    dc->LineTo(TruncPoint(s.m_x + a, s.m_y + a));
    dc->MoveTo(TruncPoint(s.m_x - a, s.m_y + a));
    dc->LineTo(TruncPoint(s.m_x + a, s.m_y - a));
}

void CPointD::DrawCrossCircleMark(CDC* dc, const CPointD& origin, double scale, int a) const
{
    DrawCrossMark(dc, origin, scale, a);
    CPointD s = WorldToScreen(origin, scale);
    int x = TruncToInt(s.m_x), y = TruncToInt(s.m_y);
    int h = a / 2;
    dc->Arc(x - h, y + h, x + h, y - h, x + h, y, x + h, y);
}

void CRectD::Draw(CDC* dc, const CPointD& origin, double scale, const RECT& clip) const
{
    CLine top(m_left, m_top, m_right, m_top);
    top.DrawHorizontalInRect(dc, origin, scale, clip);
    CLine bottom(m_left, m_bottom, m_right, m_bottom);
    bottom.DrawHorizontalInRect(dc, origin, scale, clip);
    CLine left(m_left, m_bottom, m_left, m_top);
    left.DrawVerticalInRect(dc, origin, scale, clip);
    CLine right(m_right, m_bottom, m_right, m_top);
    right.DrawVerticalInRect(dc, origin, scale, clip);
}
