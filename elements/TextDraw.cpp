// Standard drawing of a text: the whole string in one call with the device's text alignment,
// on the screen, the printer and the server item; its underline and its drag sketch.
#include "elements/Text.h"

#include "app/ZelkApp.h"
#include "elements/ElementDrawing.h"
#include "elements/ElementSettings.h"
#include "geometry/Clipping.h"
#include "geometry/Transforms.h"
#include "platform/gdi/DC.h"
#include "view/ZelkView.h"

#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;

CRectD Widened(const CRectD& r, double by)
{
    CRectD w;
    w.Init(r.m_left - by, r.m_top + by, r.m_right + by, r.m_bottom - by);
    return w;
}

// The alignment the device gets, and the anchor offset: the program's own vertical middle is
// drawn bottom-anchored half a character height across the base line.
UINT DeviceAlignment(int alignment, double angle, double height, CPointD& offset)
{
    offset.Init(0, 0);
    if (alignment & 0x20) {
        offset.Init(std::sin(angle) * height / 2, -std::cos(angle) * height / 2);
        return static_cast<UINT>((alignment & 7) | 8);
    }
    return static_cast<UINT>(alignment);
}

} // namespace

namespace {

double UnderlineLength(const CText& t)
{
    double dx = t.m_underlineEnd.m_x - t.m_underlineStart.m_x;
    double dy = t.m_underlineEnd.m_y - t.m_underlineStart.m_y;
    return std::sqrt(dx * dx + dy * dy);
}

bool UnderlineVisible(const CText& t, const CPointD& origin, double scale, const CRectD& clip, double shiftX,
                      double shiftY)
{
    CPointD p = t.m_underlineStart.WorldToScreen(origin, scale);
    CPointD q = t.m_underlineEnd.WorldToScreen(origin, scale);
    p.Init(p.m_x - shiftX, p.m_y - shiftY);
    q.Init(q.m_x - shiftX, q.m_y - shiftY);
    int inside = 0;
    return ClipSegmentToRectD(p, q, clip, inside) != 0;
}

} // namespace

bool TextClipOnScreen(const CText& text, const CPointD& origin, double scale, const CRectD& clip, CRectD& wide)
{
    wide = Widened(clip, UnderlineLength(text) * scale);
    return UnderlineVisible(text, origin, scale, wide, 0, 0);
}

bool TextClipOnPrinter(const CText& text, const CPointD& origin, double scale, const RECT& clip, int offsetX,
                       int offsetY, double factor, CRectD& wide)
{
    CRectD r;
    r.SetFromIntRect(clip);
    wide = Widened(r, UnderlineLength(text) * scale);
    if (factor != 0)
        wide.Init(wide.m_left / factor, wide.m_top / factor, wide.m_right / factor, wide.m_bottom / factor);
    return UnderlineVisible(text, origin, scale, wide, offsetX, offsetY);
}

bool TextClipForServerItem(const CText& text, const CServerItemMapping& map, CRectD& wide)
{
    CRectD r;
    r.SetFromIntRect(map.rect);
    wide = Widened(r, UnderlineLength(text) * map.scale);
    return UnderlineVisible(text, map.origin, map.scale, wide, 0, 0);
}

void CText::DrawInRect(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int drawFlag,
                       COLORREF color, double angle, double height)
{
    CRectD r;
    r.SetFromIntRect(clip);
    Draw(dc, origin, scale, r, drawFlag, color, angle, height);
}

void CText::Draw(CDC* dc, const CPointD& origin, double scale, const CRectD& clip, int drawFlag,
                 COLORREF color, double angle, double height)
{
    CRectD wide;
    if (!TextClipOnScreen(*this, origin, scale, clip, wide))
        return;
    COLORREF old = dc->SetTextColor(color);
    if (drawFlag == 1) {
        CPointD offset;
        dc->SetTextAlign(DeviceAlignment(m_alignment, angle, height, offset));
        CPointD at = m_point.WorldToScreen(origin, scale);
        dc->TextOut(TruncToInt(at.m_x) + TruncToInt(offset.m_x), TruncToInt(at.m_y) + TruncToInt(offset.m_y), m_text);
    }
    if (ShowTextUnderlines())
        DrawUnderline(dc, origin, scale, wide);
    dc->SetTextColor(old);
}

void CText::Print(CDC* dc, const CPointD& origin, double scale, const RECT& clip, COLORREF color,
                  int offsetX, int offsetY, double factor, double angle, double height)
{
    CRectD wide;
    if (!TextClipOnPrinter(*this, origin, scale, clip, offsetX, offsetY, factor, wide))
        return;
    COLORREF old = dc->SetTextColor(color);
    CPointD offset;
    dc->SetTextAlign(DeviceAlignment(m_alignment, angle, height, offset));
    CPointD at = m_point.WorldToScreen(origin, scale);
    dc->TextOut(TruncToInt(factor * (at.m_x - offsetX)) + TruncToInt(offset.m_x),
                TruncToInt(factor * (at.m_y - offsetY)) + TruncToInt(offset.m_y), m_text);
    dc->SetTextColor(old);
}

void CText::DrawForServerItem(CDC* dc, COLORREF color, double angle, double height)
{
    CServerItemMapping map = GetServerItemMapping();
    CRectD wide;
    if (!TextClipForServerItem(*this, map, wide))
        return;
    COLORREF old = dc->SetTextColor(color);
    CPointD offset;
    dc->SetTextAlign(DeviceAlignment(m_alignment, angle, height, offset));
    CPointD at = m_point.WorldToScreen(map.origin, map.scale);
    dc->TextOut(TruncToInt(at.m_x - map.point.x + offset.m_x), TruncToInt(at.m_y - map.point.y + offset.m_y), m_text);
    dc->SetTextColor(old);
}

void CText::DrawUnderline(CDC* dc, const CPointD& origin, double scale, const CRectD& clip)
{
    CPointD p = m_underlineStart.WorldToScreen(origin, scale);
    CPointD q = m_underlineEnd.WorldToScreen(origin, scale);
    int inside = 0;
    if (!ClipSegmentToRectD(p, q, clip, inside))
        return;
    dc->MoveTo(TruncPoint(p.m_x, p.m_y));
    dc->LineTo(TruncPoint(q.m_x, q.m_y));
}

CSketchSegment* CText::MakeDragSketch(CZelkView* view, const CPointD& centre, double angle, double factor,
                                      int rotateOnly)
{
    CPointD a, b;
    if (rotateOnly) {
        const double rad = angle * kPi / 180.0;
        a = RotatePointRad(m_underlineStart, centre, rad);
        b = RotatePointRad(m_underlineEnd, centre, rad);
    } else {
        CPointD factors;
        factors.Init(factor, factor);
        a = RotateScalePointDeg(m_underlineStart, centre, angle, factors);
        b = RotateScalePointDeg(m_underlineEnd, centre, angle, factors);
    }
    a = a.WorldToScreen(view->m_origin, view->m_zoom);
    b = b.WorldToScreen(view->m_origin, view->m_zoom);
    if (m_swapped)
        std::swap(a, b);
    return new CSketchSegment{TruncToInt(a.m_x), TruncToInt(a.m_y), TruncToInt(b.m_x), TruncToInt(b.m_y)};
}
