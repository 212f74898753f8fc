// Drawing of the arc element: the visible range of its circle cut to the arc's sweep, in one or
// two pieces, each an Arc call inside the 16-bit view or a chain of chords beyond it; solid and
// line-type printing; the server item and the drag sketch.
#include "elements/Arc.h"

#include "elements/ElementDrawing.h"
#include "geometry/Angles.h"
#include "geometry/Clipping.h"
#include "geometry/Numeric.h"
#include "geometry/Transforms.h"
#include "platform/gdi/DC.h"
#include "view/ZelkView.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kMinimumSweep = 0.00017;

struct Piece {
    double start;
    double end;
};

// The arc [a1, a2] against the visible range [a, b] of its circle: one piece, or two when both
// ends are visible and the range starts inside the arc. allowTwo is off for printing.
std::vector<Piece> VisiblePieces(double a1, double a2, double a, double b, bool allowTwo)
{
    if (std::fabs(b - a - 2 * PI) < 0.001)
        return {{a1, a2}};
    if (allowTwo && IsAngleInSweepRad(a1, a, b) && IsAngleInSweepRad(a2, a, b) && IsAngleInSweepRad(a, a1, a2)) {
        if (a1 + 2 * PI < b)
            b -= 2 * PI;
        if (a2 - 2 * PI > a)
            a += 2 * PI;
        return {{a1, b}, {a, a2}};
    }
    if (a > a2) {
        a -= 2 * PI;
        b -= 2 * PI;
    } else if (b < a1) {
        a += 2 * PI;
        b += 2 * PI;
    }
    if (a <= a1)
        a = a1;
    if (a > a2 || b < a1)
        return {};
    if (b >= a2)
        b = a2;
    return {{a, b}};
}

// A quarter-turn polyline for an arc too small for anything finer.
void SmallArc(CDC* dc, double cx, double cy, double r, double a1, double a2)
{
    ChordChain(dc, cx, cy, r, a1, a2, ChordCount(a2 - a1, PI / 2));
}

// Printing brings the radian angles into the first turn and measures the sweep at 12 digits.
bool PrintAngles(const CArc& arc, double& a1, double& a2)
{
    a1 = arc.m_startAngle * PI / 180;
    a2 = arc.m_endAngle * PI / 180;
    if (a1 < 0) {
        a1 += 2 * PI;
        a2 += 2 * PI;
    } else if (a1 >= 2 * PI || a2 >= 4 * PI) {
        a1 -= 2 * PI;
        a2 -= 2 * PI;
    }
    return RoundedDifference12(a2, a1) >= kMinimumSweep;
}

// What solid and line-type printing share: the radius test, the centre in screen units less the
// offset, and the angles; false when nothing is to be printed.
bool PrintSetUp(const CArc& arc, const CPointD& origin, double scale, int offsetX, int offsetY, double factor,
                CPointD& centre, double& a1, double& a2)
{
    if (factor * arc.m_radius * scale < 1)
        return false;
    centre = arc.m_centre.WorldToScreen(origin, scale);
    centre.Init(centre.m_x - offsetX, centre.m_y - offsetY);
    return PrintAngles(arc, a1, a2);
}

} // namespace

void CArc::Draw(CDC* dc, const CPointD& origin, double scale, const CRectD& clip)
{
    const double r = m_radius * scale;
    if (r < 1)
        return;
    const CPointD c = m_centre.WorldToScreen(origin, scale);
    const double a1 = m_startAngle * PI / 180, a2 = m_endAngle * PI / 180;
    if (a2 - a1 < kMinimumSweep)
        return;
    if (r < 4) {
        if (CentreInClip(clip, c.m_x, c.m_y))
            SmallArc(dc, c.m_x, c.m_y, r, a1, a2);
        return;
    }
    double a = 0, b = 0;
    if (!VisibleArcOfCircle(c.m_x, c.m_y, r, clip, a, b))
        return;
    for (const Piece& piece : VisiblePieces(a1, a2, a, b, true)) {
        if (BoxFitsView(c.m_x, c.m_y, r) && r * (piece.end - piece.start) >= 3)
            ArcCall(dc, c.m_x, c.m_y, r, piece.start, piece.end);
        else
            ChordChain(dc, c.m_x, c.m_y, r, piece.start, piece.end, ChordCount(piece.end - piece.start, 100 / r));
    }
}

void CArc::DrawInRect(CDC* dc, const CPointD& origin, double scale, const RECT& clip)
{
    CRectD r;
    r.SetFromIntRect(clip);
    Draw(dc, origin, scale, r);
}

void CArc::Print(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX, int offsetY,
                 double factor)
{
    const CRectD page = PrintClipRect(clip, factor);
    const double r = m_radius * scale;
    CPointD c;
    double a1 = 0, a2 = 0;
    if (!PrintSetUp(*this, origin, scale, offsetX, offsetY, factor, c, a1, a2))
        return;
    const double dx = factor * c.m_x, dy = factor * c.m_y, device = factor * r;
    if (device < 4) {
        if (CentreInClip(page, c.m_x, c.m_y))
            SmallArc(dc, dx, dy, device, a1, a2);
        return;
    }
    double a = 0, b = 0;
    if (!VisibleArcOfCircle(c.m_x, c.m_y, r, page, a, b))
        return;
    for (const Piece& piece : VisiblePieces(a1, a2, a, b, false)) {
        if (BoxFitsView(dx, dy, device) && r * (piece.end - piece.start) >= 1) {
            ArcCall(dc, dx, dy, device, piece.start, piece.end);
            continue;
        }
        int n = ChordCount(piece.end - piece.start, std::min(100 / device, 0.02));
        if (n == 1)
            n = 3;
        ChordChain(dc, dx, dy, device, piece.start, piece.end, n);
    }
}

void CArc::PrintStyled(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int offsetX, int offsetY,
                       double factor, int lineType)
{
    if (lineType < 0 || lineType > 4)
        return;
    const double r = m_radius * scale;
    CPointD c;
    double a1 = 0, a2 = 0;
    if (!PrintSetUp(*this, origin, scale, offsetX, offsetY, factor, c, a1, a2))
        return;
    double a = 0, b = 0;
    if (!VisibleArcOfCircle(c.m_x, c.m_y, r, PrintClipRect(clip, factor), a, b))
        return;
    for (const Piece& piece : VisiblePieces(a1, a2, a, b, false))
        PrintStyledArcRange(dc, factor * c.m_x, factor * c.m_y, factor * r, piece.start, piece.end, lineType);
}

void CArc::DrawForServerItem(CDC* dc)
{
    CServerItemMapping map = GetServerItemMapping();
    const double r = m_radius * map.scale;
    if (r < 0.01)
        return;
    const CPointD c = m_centre.WorldToScreen(map.origin, map.scale);
    const double a1 = m_startAngle * PI / 180, a2 = m_endAngle * PI / 180;
    if (a2 - a1 < kMinimumSweep)
        return;
    CRectD clip;
    clip.SetFromIntRect(map.rect);
    const double cx = c.m_x - map.point.x, cy = c.m_y - map.point.y;
    if (r < 0.4) {
        if (CentreInClip(clip, c.m_x, c.m_y))
            SmallArc(dc, cx, cy, r, a1, a2);
        return;
    }
    double a = 0, b = 0;
    if (!VisibleArcOfCircle(c.m_x, c.m_y, r, clip, a, b))
        return;
    const double step = std::min(10 / r, PI / 18);
    for (const Piece& piece : VisiblePieces(a1, a2, a, b, false))
        ChordChain(dc, cx, cy, r, piece.start, piece.end, ChordCount(piece.end - piece.start, step));
}

CSketchArc* CArc::MakeDragSketch(CZelkView* view, const CPointD& centre, double angle, double factor)
{
    const double r = factor * m_radius * view->m_zoom;
    if (r < 1)
        return nullptr;
    CPointD factors;
    factors.Init(factor, factor);
    auto toView = [&](const CPointD& p) {
        return RotateScalePointDeg(p, centre, angle, factors).WorldToScreen(view->m_origin, view->m_zoom);
    };
    CPointD start, end;
    start.Init(m_centre.m_x + m_radius * std::cos(m_startAngle * PI / 180),
               m_centre.m_y + m_radius * std::sin(m_startAngle * PI / 180));
    end.Init(m_centre.m_x + m_radius * std::cos(m_endAngle * PI / 180),
             m_centre.m_y + m_radius * std::sin(m_endAngle * PI / 180));
    CPointD c = toView(m_centre), s = toView(start), e = toView(end);
    return new CSketchArc{TruncToInt(c.m_x - r), TruncToInt(c.m_y + r), TruncToInt(c.m_x + r), TruncToInt(c.m_y - r),
                          TruncToInt(s.m_x),     TruncToInt(s.m_y),     TruncToInt(e.m_x),     TruncToInt(e.m_y)};
}
