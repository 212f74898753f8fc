// Drawing of the line element: on the screen with the clipping of its direction, solid and in
// a line type on the printer, for the server item, and as a drag sketch.
#include "elements/Line.h"

#include "elements/ElementDrawing.h"
#include "geometry/Angles.h"
#include "geometry/Clipping.h"
#include "geometry/Numeric.h"
#include "geometry/Transforms.h"
#include "platform/gdi/DC.h"
#include "view/ZelkView.h"

#include <cmath>

namespace {

void Stroke(CDC* dc, const CPointD& p, const CPointD& q)
{
    dc->MoveTo(TruncPoint(p.m_x, p.m_y));
    dc->LineTo(TruncPoint(q.m_x, q.m_y));
}

CPointD Scaled(const CPointD& p, double factor)
{
    CPointD r;
    return r.Init(p.m_x * factor, p.m_y * factor);
}

// Both ends in screen units less the print offset, clipped by the general clipping and taken to
// device units; false when nothing of the line is on the page.
bool PrintEnds(const CLine& line, const CPointD& origin, double scale, const RECT& clip, int offsetX,
               int offsetY, double factor, CPointD& p, CPointD& q)
{
    CPointD offset;
    offset.Init(offsetX, offsetY);
    p = line.m_start.WorldToScreen(origin, scale);
    q = line.m_end.WorldToScreen(origin, scale);
    p.Init(p.m_x - offset.m_x, p.m_y - offset.m_y);
    q.Init(q.m_x - offset.m_x, q.m_y - offset.m_y);
    OrderPoints(p, q);
    int inside = 0;
    if (!ClipSegmentToRectD(p, q, PrintClipRect(clip, factor), inside))
        return false;
    p = Scaled(p, factor);
    q = Scaled(q, factor);
    return true;
}

// What the three line-type routines share: the line type test, the ends on the page and the
// solid type; true when the pattern is still to be laid between p and q.
bool StyledEnds(CDC* dc, const CLine& line, const CPointD& origin, double scale, const RECT& clip, int offsetX,
                int offsetY, double factor, int lineType, CPointD& p, CPointD& q)
{
    if (lineType < 0 || lineType > 4)
        return false;
    if (!PrintEnds(line, origin, scale, clip, offsetX, offsetY, factor, p, q))
        return false;
    if (lineType == 0) {
        Stroke(dc, p, q);
        return false;
    }
    return true;
}

// The pattern along one axis in whole device units, from t to u at the fixed other coordinate.
void PrintAxisPattern(CDC* dc, bool horizontal, int t, int u, int fixed, int lineType)
{
    CLinePattern pattern;
    if (!GetLinePattern(lineType, pattern) || t == u)
        return;
    auto at = [&](long along) {
        POINT p;
        p.x = horizontal ? static_cast<LONG>(along) : fixed;
        p.y = horizontal ? fixed : static_cast<LONG>(along);
        return p;
    };
    const long length = static_cast<long>(u) - t;
    const long period = static_cast<long>(pattern.period);
    const long n = length / period;
    const long margin = lineType == 2 ? 8 : 10;
    long d = 0;
    for (long pass = 0; pass <= n; ++pass) {
        for (int k = 0; k < pattern.count; ++k) {
            long next = d + static_cast<long>(pattern.lengths[k]);
            if (k % 2 == 0) {
                dc->MoveTo(at(t + d));
                if (pass >= n && next + margin > length) {
                    dc->LineTo(at(u));
                    return;
                }
                dc->LineTo(at(t + next));
            }
            d = next;
        }
    }
}

// A horizontal or vertical line: whole device units along its axis from the end with the smaller
// value, the other coordinate fixed at that end's.
void PrintAxisStyled(CDC* dc, const CLine& line, const CPointD& origin, double scale, const RECT& clip, int offsetX,
                     int offsetY, double factor, int lineType, bool horizontal)
{
    CPointD p, q;
    if (!StyledEnds(dc, line, origin, scale, clip, offsetX, offsetY, factor, lineType, p, q))
        return;
    const double pa = horizontal ? p.m_x : p.m_y, qa = horizontal ? q.m_x : q.m_y;
    const CPointD& low = pa <= qa ? p : q;
    const CPointD& high = pa <= qa ? q : p;
    if (horizontal)
        PrintAxisPattern(dc, true, TruncToInt(low.m_x), TruncToInt(high.m_x), TruncToInt(low.m_y), lineType);
    else
        PrintAxisPattern(dc, false, TruncToInt(low.m_y), TruncToInt(high.m_y), TruncToInt(low.m_x), lineType);
}

} // namespace

void CLine::DrawHorizontal(CDC* dc, const CPointD& origin, double scale, const CRectD& clip)
{
    CPointD p = m_start.WorldToScreen(origin, scale);
    CPointD q = m_end.WorldToScreen(origin, scale);
    if (p.m_x > q.m_x)
        SwapPoints(p, q);
    double endX = q.m_x;
    int inside = 0;
    if (!ClipHorizontalSegmentToRectD(p, endX, clip, inside))
        return;
    dc->MoveTo(TruncPoint(p.m_x, p.m_y));
    dc->LineTo(TruncPoint(endX, p.m_y));
}

void CLine::DrawVertical(CDC* dc, const CPointD& origin, double scale, const CRectD& clip)
{
    CPointD p = m_start.WorldToScreen(origin, scale);
    CPointD q = m_end.WorldToScreen(origin, scale);
    if (p.m_y > q.m_y)
        SwapPoints(p, q);
    int inside = 0;
    if (!ClipVerticalSegmentToRectD(p, q, clip, inside))
        return;
    Stroke(dc, p, q);
}

void CLine::DrawOblique(CDC* dc, const CPointD& origin, double scale, const CRectD& clip)
{
    CPointD p = m_start.WorldToScreen(origin, scale);
    CPointD q = m_end.WorldToScreen(origin, scale);
    OrderPoints(p, q);
    int inside = 0;
    if (!ClipSegmentToRectD(p, q, clip, inside))
        return;
    Stroke(dc, p, q);
}

void CLine::DrawHorizontalInRect(CDC* dc, const CPointD& origin, double scale, const RECT& clip)
{
    CRectD r;
    r.SetFromIntRect(clip);
    DrawHorizontal(dc, origin, scale, r);
}

void CLine::DrawVerticalInRect(CDC* dc, const CPointD& origin, double scale, const RECT& clip)
{
    CRectD r;
    r.SetFromIntRect(clip);
    DrawVertical(dc, origin, scale, r);
}

void CLine::DrawObliqueInRect(CDC* dc, const CPointD& origin, double scale, const RECT& clip)
{
    CRectD r;
    r.SetFromIntRect(clip);
    DrawOblique(dc, origin, scale, r);
}

void CLine::Print(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX, int offsetY,
                  double factor)
{
    CPointD p, q;
    if (PrintEnds(*this, origin, scale, clip, offsetX, offsetY, factor, p, q))
        Stroke(dc, p, q);
}

void CLine::PrintHorizontalStyled(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX,
                                  int offsetY, double factor, int lineType)
{
    PrintAxisStyled(dc, *this, origin, scale, clip, offsetX, offsetY, factor, lineType, true);
}

void CLine::PrintVerticalStyled(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX,
                                int offsetY, double factor, int lineType)
{
    PrintAxisStyled(dc, *this, origin, scale, clip, offsetX, offsetY, factor, lineType, false);
}

void CLine::PrintObliqueStyled(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX,
                               int offsetY, double factor, int lineType)
{
    CPointD p, q;
    if (!StyledEnds(dc, *this, origin, scale, clip, offsetX, offsetY, factor, lineType, p, q))
        return;
    CLinePattern pattern;
    GetLinePattern(lineType, pattern);
    if (p.m_x == q.m_x)
        return;
    if (p.m_x > q.m_x)
        SwapPoints(p, q);
    const double dx = q.m_x - p.m_x, dy = q.m_y - p.m_y;
    const double m = std::sqrt(dx * dx + dy * dy);
    // The direction from the steeper ratio keeps its precision for nearly vertical lines.
    double angle = std::fabs(dy) > std::fabs(dx) ? (dy > 0 ? 1 : -1) * (PI / 2) - std::atan(dx / dy) : std::atan(dy / dx);
    const double c = std::cos(angle), s = std::sin(angle);
    auto at = [&](double d) { return TruncPoint(p.m_x + d * c, p.m_y + d * s); };
    const double n = m / pattern.period;
    const long lastPass = static_cast<long>(std::trunc(m)) / static_cast<long>(pattern.period);
    const double margin = lineType == 2 ? 8 : 10;
    double d = 0;
    for (long pass = 0; pass <= n; ++pass) {
        for (int k = 0; k < pattern.count; ++k) {
            double next = d + pattern.lengths[k];
            if (k % 2 == 0) {
                dc->MoveTo(at(d));
                if (pass >= lastPass && next + margin > m) {
                    dc->LineTo(TruncPoint(q.m_x, q.m_y));
                    return;
                }
                dc->LineTo(at(next));
            }
            d = next;
        }
    }
}

void CLine::DrawForServerItem(CDC* dc)
{
    CServerItemMapping map = GetServerItemMapping();
    CPointD p = m_start.WorldToScreen(map.origin, map.scale);
    CPointD q = m_end.WorldToScreen(map.origin, map.scale);
    OrderPoints(p, q);
    CRectD clip;
    clip.SetFromIntRect(map.rect);
    int inside = 0;
    if (!ClipSegmentToRectD(p, q, clip, inside))
        return;
    p.Init(p.m_x - map.point.x, p.m_y - map.point.y);
    q.Init(q.m_x - map.point.x, q.m_y - map.point.y);
    Stroke(dc, p, q);
}

CSketchSegment* CLine::MakeDragSketch(CZelkView* view, const CPointD& centre, double angle, double factor)
{
    CPointD factors;
    factors.Init(factor, factor);
    CPointD s = RotateScalePointDeg(m_start, centre, angle, factors).WorldToScreen(view->m_origin, view->m_zoom);
    CPointD e = RotateScalePointDeg(m_end, centre, angle, factors).WorldToScreen(view->m_origin, view->m_zoom);
    return new CSketchSegment{TruncToInt(s.m_x), TruncToInt(s.m_y), TruncToInt(e.m_x), TruncToInt(e.m_y)};
}
