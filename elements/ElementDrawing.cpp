// Shared pieces of the element drawing routines: guarded conversions, print clipping, the
// line-type walks along arcs and point runs, and the display settings they read.
#include "elements/ElementDrawing.h"

#include "elements/Line.h"
#include "geometry/Angles.h"
#include "geometry/Transforms.h"
#include "platform/gdi/DC.h"
#include "view/ZelkView.h"

#include "app/ZelkApp.h"

#include <cmath>
#include <limits>

int TruncToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 2147483647.0)
        return std::numeric_limits<int>::max();
    if (v <= -2147483648.0)
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

POINT TruncPoint(double x, double y)
{
    return POINT{TruncToInt(x), TruncToInt(y)};
}

POINT PointOnCircle(double cx, double cy, double r, double angle)
{
    return TruncPoint(cx + r * std::cos(angle), cy + r * std::sin(angle));
}

bool BoxFitsView(double cx, double cy, double r)
{
    return cx - r > 0 && cx + r < 32767 && cy + r < 0 && cy - r > -32767;
}

bool CentreInClip(const CRectD& clip, double x, double y)
{
    return clip.m_left <= x && x < clip.m_right && clip.m_bottom <= y && y <= clip.m_top;
}

int ChordCount(double sweep, double step)
{
    double n = std::trunc(std::fabs(sweep) / step) + 1;
    // A step far below the sweep would ask for more chords than a page can show.
    return n > 1e6 || std::isnan(n) ? 1000000 : static_cast<int>(n);
}

void ChordChain(CDC* dc, double cx, double cy, double r, double start, double end, int n)
{
    dc->MoveTo(PointOnCircle(cx, cy, r, start));
    for (int k = 1; k <= n; ++k)
        dc->LineTo(PointOnCircle(cx, cy, r, start + (end - start) * k / n));
}

void ArcCall(CDC* dc, double cx, double cy, double r, double start, double end)
{
    POINT s = PointOnCircle(cx, cy, r, start), e = PointOnCircle(cx, cy, r, end);
    dc->Arc(TruncToInt(cx - r), TruncToInt(cy + r), TruncToInt(cx + r), TruncToInt(cy - r), s.x, s.y, e.x, e.y);
}

CRectD PrintClipRect(const RECT& clip, double factor)
{
    CRectD r;
    r.SetFromIntRect(clip);
    if (factor != 0.0) {
        r.m_left /= factor;
        r.m_top /= factor;
        r.m_right /= factor;
        r.m_bottom /= factor;
    }
    return r;
}

bool GetLinePattern(int lineType, CLinePattern& pattern)
{
    switch (lineType) {
    case 1: pattern = {2, {25, 6}, 31}; return true;
    case 2: pattern = {2, {4, 6}, 10}; return true;
    case 3: pattern = {4, {25, 6, 4, 6}, 41}; return true;
    case 4: pattern = {6, {25, 6, 4, 6, 4, 6}, 51}; return true;
    default: return false;
    }
}

void PrintStyledArcRange(CDC* dc, double cx, double cy, double radius, double start, double end, int lineType)
{
    if (lineType < 0 || lineType > 4)
        return;
    auto at = [&](double a) { return PointOnCircle(cx, cy, radius, a); };
    const POINT e = at(end);
    const double sweep = end - start;
    const double length = std::trunc(sweep * radius);
    // Shorter than one device unit: there is no unit angle to lay a pattern with.
    if (!(length >= 1.0))
        return;
    const double unit = sweep / length;
    CLinePattern pattern;
    if (lineType == 0)
        pattern = {1, {25}, 25};
    else
        GetLinePattern(lineType, pattern);
    double margin = 10;
    if ((lineType == 0 || lineType == 1) && length < 16 * pattern.period) {
        for (int i = 0; i < pattern.count; ++i)
            pattern.lengths[i] *= 0.2;
        pattern.period *= 0.2;
        margin = 2;
    }
    const double periodAngle = pattern.period * unit;
    const double marginAngle = margin * unit;
    const double n = sweep / periodAngle;
    double a = start;
    if (lineType == 0)
        dc->MoveTo(at(start));
    for (int pass = 0; pass < n + 1; ++pass) {
        for (int k = 0; k < pattern.count; ++k) {
            double next = a + pattern.lengths[k] * unit;
            if (k % 2 != 0) {
                a = next;
                continue;
            }
            bool last = pass > n - 1 && next + marginAngle > end;
            if (lineType != 0)
                dc->MoveTo(at(a));
            if (last) {
                dc->LineTo(e);
                return;
            }
            dc->LineTo(at(next));
            a = next;
        }
    }
}

void PrintStyledFinePoints(CDC* dc, const std::vector<CPointD>& points, const CRectD& clip, double factor,
                           int lineType)
{
    if (lineType < 0 || lineType > 4)
        return;
    CLinePattern pattern;
    GetLinePattern(lineType, pattern);
    bool inRun = false;
    POINT anchor{0, 0};
    int element = 0;
    for (const CPointD& p : points) {
        if (!clip.Contains(p)) {
            inRun = false;
            continue;
        }
        POINT d = TruncPoint(p.m_x * factor, p.m_y * factor);
        if (!inRun) {
            dc->MoveTo(d);
            anchor = d;
            element = 0;
            inRun = true;
            continue;
        }
        if (lineType == 0) {
            dc->LineTo(d);
            continue;
        }
        double dx = double(d.x) - anchor.x, dy = double(d.y) - anchor.y;
        if (std::sqrt(dx * dx + dy * dy) < pattern.lengths[element])
            continue;
        if (element % 2 == 0)
            dc->LineTo(d);
        else
            dc->MoveTo(d);
        anchor = d;
        element = (element + 1) % pattern.count;
    }
}

void PrintPointChain(CDC* dc, const std::vector<CPointD>& points, const CRectD& clip, double factor)
{
    PrintStyledFinePoints(dc, points, clip, factor, 0);
}

void DrawPointSequence(CDC* dc, const std::vector<CPointD>& points, const CPointD& origin, double scale,
                       const CRectD& clip)
{
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        CPointD p = points[i], q = points[i + 1];
        OrderPoints(p, q);
        CLine piece(p, q);
        piece.DrawOblique(dc, origin, scale, clip);
    }
}

std::vector<CPointD> ToPrintUnits(const std::vector<CPointD>& points, const CPointD& origin, double scale,
                                  int offsetX, int offsetY)
{
    std::vector<CPointD> out;
    out.reserve(points.size());
    for (const CPointD& p : points) {
        CPointD s = p.WorldToScreen(origin, scale);
        out.push_back(s.Init(s.m_x - offsetX, s.m_y - offsetY));
    }
    return out;
}

void PrintPointSequence(CDC* dc, const std::vector<CPointD>& points, const CPointD& origin, double scale,
                        const RECT& clip, int offsetX, int offsetY, double factor)
{
    PrintPointChain(dc, ToPrintUnits(points, origin, scale, offsetX, offsetY), PrintClipRect(clip, factor), factor);
}

void DrawPointSequenceForServerItem(CDC* dc, const std::vector<CPointD>& points)
{
    CServerItemMapping map = GetServerItemMapping();
    CRectD clip;
    clip.SetFromIntRect(map.rect);
    bool inRun = false;
    for (const CPointD& p : points) {
        CPointD s = p.WorldToScreen(map.origin, map.scale);
        if (!clip.Contains(s)) {
            inRun = false;
            continue;
        }
        POINT d = TruncPoint(s.m_x - map.point.x, s.m_y - map.point.y);
        if (inRun)
            dc->LineTo(d);
        else
            dc->MoveTo(d);
        inRun = true;
    }
}

CSketchPolyline* MakePointSequenceSketch(const std::vector<CPointD>& points, CZelkView* view,
                                         const CPointD& centre, double angle, double factor)
{
    if (points.empty())
        return nullptr;
    CPointD factors;
    factors.Init(factor, factor);
    auto* sketch = new CSketchPolyline;
    sketch->reserve(points.size());
    for (const CPointD& p : points) {
        CPointD s = RotateScalePointDeg(p, centre, angle, factors).WorldToScreen(view->m_origin, view->m_zoom);
        sketch->push_back(TruncPoint(s.m_x, s.m_y));
    }
    return sketch;
}

// Without an application object (a tool or a test drawing elements alone) the defaults apply.
int PointMarkHalfSize()
{
    return g_pApp != nullptr ? g_pApp->m_appDraw.pointCrossSize : 10;
}

CServerItemMapping GetServerItemMapping()
{
    CServerItemMapping m;
    if (g_pApp != nullptr) {
        m.origin = g_pApp->m_viewOrigin;
        m.scale = g_pApp->m_viewZoom;
        m.rect = g_pApp->m_activeClientRect;
        m.point = g_pApp->m_viewScrollPos;
    }
    return m;
}
