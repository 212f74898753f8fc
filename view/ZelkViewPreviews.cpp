// Rubber bands drawn straight into the window by exclusive-or: drawing a figure again with the
// same pen removes it, so every preview keeps the integers it drew and each erase draws exactly
// those again, never recomputed (the work lines and object outlines excepted, read again from the
// document).
#include "view/ZelkView.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "app/ZelkApp.h"
#include "commands/circle/CircleCommand.h"
#include "document/ZelkDoc.h"
#include "elements/Line.h"
#include "geometry/Angles.h"
#include "geometry/Clipping.h"
#include "geometry/Numeric.h"
#include "input/ScreenOperation.h"
#include "platform/gdi/DC.h"
#include "view/CircleFigures.h"
#include "view/ZelkObj.h"

namespace {

// The integer of a view coordinate, truncated toward zero; FALSE outside the 32-bit range.
bool ToInt(double v, int& out)
{
    if (!(v > static_cast<double>(INT_MIN) - 1.0 && v < static_cast<double>(INT_MAX) + 1.0))
        return false;
    out = static_cast<int>(v);
    return true;
}

bool InShortRange(int v)
{
    return v >= -32768 && v <= 32767;
}

POINT Pt(int x, int y)
{
    return POINT{x, y};
}

// The sides P1-P2, P2-P4, P4-P3, P3-P1 of the rotated box.
void DrawQuadSides(CDC* dc, const POINT* p)
{
    CZelkView::DrawSegment(dc, p[0], p[1]);
    CZelkView::DrawSegment(dc, p[1], p[3]);
    CZelkView::DrawSegment(dc, p[3], p[2]);
    CZelkView::DrawSegment(dc, p[2], p[0]);
}

const CAppColor& Colors()
{
    return g_pApp->m_appColor;
}

}  // namespace

POINT CZelkView::ScreenPoint(const CPointD& world) const
{
    // A point beyond the 32-bit range lands beyond the 16-bit one as well, where nothing is drawn.
    const CPointD s = world.WorldToScreen(m_origin, m_zoom);
    int x = 0, y = 0;
    if (!ToInt(s.m_x, x))
        x = s.m_x < 0 ? INT_MIN : INT_MAX;
    if (!ToInt(s.m_y, y))
        y = s.m_y < 0 ? INT_MIN : INT_MAX;
    return Pt(x, y);
}

BOOL CZelkView::ClipToView(const CPointD& a, const CPointD& b, POINT& p, POINT& q) const
{
    CPointD s = a.WorldToScreen(m_origin, m_zoom);
    CPointD e = b.WorldToScreen(m_origin, m_zoom);
    if (!ClipSegmentToIntRect(m_clientRectLogical, 2, s, e))
        return FALSE;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (!ToInt(s.m_x, x1) || !ToInt(s.m_y, y1) || !ToInt(e.m_x, x2) || !ToInt(e.m_y, y2))
        return FALSE;
    p = Pt(x1, y1);
    q = Pt(x2, y2);
    return TRUE;
}

void CZelkView::DrawSegment(CDC* dc, POINT a, POINT b)
{
    if (!InShortRange(a.x) || !InShortRange(a.y) || !InShortRange(b.x) || !InShortRange(b.y))
        return;
    dc->MoveTo(a.x, a.y);
    dc->LineTo(b.x, b.y);
}

template <class Draw>
void CZelkView::DrawPreviewFigure(COLORREF color, Draw draw)
{
    std::unique_ptr<CDC> dc = CreateClientDC();
    OnPrepareDC(dc.get());
    const int oldRop = dc->SetROP2(R2_XORPEN);
    CPen* oldPen = SelectNewPen(dc.get(), PS_SOLID, 1, color);
    draw(dc.get());
    RestoreOldPen(dc.get(), oldPen);
    dc->SetROP2(oldRop);
}

// ---- erase all -----------------------------------------------------------------------------

void CZelkView::EraseDragSketch()
{
    if (!m_dragSketch.shown)
        return;
    std::unique_ptr<CDC> dc = CreateClientDC();
    OnPrepareDC(dc.get());
    m_dragSketch.Erase(dc.get());
}

void CZelkView::ErasePreviews()
{
    EraseDragSketch();
    EraseDragBox();
    EraseRotatedBox();
    EraseSegments();
    EraseArc();
    EraseSecondArc();
    ErasePointerCross();
    for (int i = 0; i < 4; ++i)
        EraseWorkLine(i);
    EraseObjectDrag();
}

void CZelkView::ClearDragSketch()
{
    EraseDragSketch();
    m_dragSketch.Clear();
}

// ---- drag box ------------------------------------------------------------------------------

void CZelkView::DrawBox(CDC* dc, POINT a, POINT b)
{
    DrawSegment(dc, a, Pt(a.x, b.y));
    DrawSegment(dc, a, Pt(b.x, a.y));
    DrawSegment(dc, Pt(a.x, b.y), b);
    DrawSegment(dc, Pt(b.x, a.y), b);
}

namespace {

// A box narrower than the threshold on either axis shows in the small-box color.
COLORREF BoxColor(long dx, long dy)
{
    const long threshold = g_pApp->m_appFind.boxColorThreshold;
    return (std::labs(dx) >= threshold && std::labs(dy) >= threshold) ? Colors().previewColor
                                                                       : Colors().smallBoxColor;
}

}  // namespace

void CZelkView::PreviewDragBox(const CPointD& press, const CPointD& pointer)
{
    const CPointD a = press.WorldToScreen(m_origin, m_zoom);
    const CPointD b = pointer.WorldToScreen(m_origin, m_zoom);
    const double dx = std::fabs(b.m_x - a.m_x);
    const double dy = std::fabs(b.m_y - a.m_y);
    const bool screenOperation = g_pApp->m_screenOperation && g_pApp->m_screenOperation->IsActiveIn(this);
    if (!(std::max(dx, dy) > g_pApp->m_appFind.gestureZoneSize) && !screenOperation)
        return;
    POINT p, q;
    if (!ClipToView(press, pointer, p, q))
        return;
    m_previewPoints[0] = p;
    m_previewPoints[1] = q;
    // The pen comes from the corners stored for the erase, so that the erase picks the same one
    // even when the view cut the box short.
    DrawPreviewFigure(BoxColor(q.x - p.x, q.y - p.y), [&](CDC* dc) { DrawBox(dc, p, q); });
    m_boxShown = 1;
}

void CZelkView::EraseDragBox()
{
    if (!m_boxShown)
        return;
    const POINT p = m_previewPoints[0], q = m_previewPoints[1];
    DrawPreviewFigure(BoxColor(q.x - p.x, q.y - p.y), [&](CDC* dc) { DrawBox(dc, p, q); });
    m_boxShown = 0;
}

// ---- rotated box ---------------------------------------------------------------------------

void CZelkView::PreviewRotatedBox(const CPointD& corner, double angle, const CPointD& opposite)
{
    double length = 0;
    const double phi = PointsAngleRadLen(corner, opposite, length);
    const double t = angle * PI * 0.005555555555555556;
    const double u = length * std::cos(phi - t);
    const double v = length * std::sin(phi - t);
    CPointD c2, c3, c4;
    c2.Init(corner.m_x + u * std::cos(t), corner.m_y + u * std::sin(t));
    c3.Init(corner.m_x - v * std::sin(t), corner.m_y + v * std::cos(t));
    c4.Init(c2.m_x - v * std::sin(t), c2.m_y + v * std::cos(t));
    m_previewPoints[0] = ScreenPoint(corner);
    m_previewPoints[1] = ScreenPoint(c2);
    m_previewPoints[2] = ScreenPoint(c3);
    m_previewPoints[3] = ScreenPoint(c4);
    DrawPreviewFigure(Colors().previewColor, [&](CDC* dc) { DrawQuadSides(dc, m_previewPoints); });
    m_quadShown = 1;
}

void CZelkView::EraseRotatedBox()
{
    if (!m_quadShown)
        return;
    DrawPreviewFigure(Colors().previewColor, [&](CDC* dc) { DrawQuadSides(dc, m_previewPoints); });
    m_quadShown = 0;
}

// ---- segments and the pointer cross -------------------------------------------------------

void CZelkView::PreviewSegment(CPointD* a, CPointD* b)
{
    if (m_segmentShown)
        return;
    POINT p, q;
    if (!ClipToView(*a, *b, p, q))
        return;
    m_previewPoints[0] = p;
    m_previewPoints[1] = q;
    DrawPreviewFigure(Colors().previewColor, [&](CDC* dc) { DrawSegment(dc, p, q); });
    m_segmentShown = 1;
}

void CZelkView::EraseSegments()
{
    if (!m_segmentShown && !m_secondSegmentShown)
        return;
    DrawPreviewFigure(Colors().previewColor, [&](CDC* dc) {
        if (m_segmentShown)
            DrawSegment(dc, m_previewPoints[0], m_previewPoints[1]);
        if (m_secondSegmentShown)
            DrawSegment(dc, m_previewPoints[2], m_previewPoints[3]);
    });
    m_segmentShown = m_secondSegmentShown = 0;
}

void CZelkView::PreviewPointerCross(const CPointD& p)
{
    if (m_crossShown)
        return;
    const CPointD q = p.WorldToScreen(m_origin, m_zoom);
    const double h = g_pApp->m_appDraw.pointerCrossSize;
    CPointD a, b;
    a.Init(q.m_x - h, q.m_y - h);
    b.Init(q.m_x + h, q.m_y + h);
    if (!ClipSegmentToIntRect(m_clientRectLogical, 2, a, b))
        return;
    int ax = 0, ay = 0, bx = 0, by = 0, cx = 0, cy = 0, dx = 0, dy = 0;
    if (!ToInt(a.m_x, ax) || !ToInt(a.m_y, ay) || !ToInt(b.m_x, bx) || !ToInt(b.m_y, by) ||
        !ToInt(q.m_x - h, cx) || !ToInt(q.m_y + h, cy) || !ToInt(q.m_x + h, dx) || !ToInt(q.m_y - h, dy))
        return;
    m_crossPoints[0] = Pt(ax, ay);
    m_crossPoints[1] = Pt(bx, by);
    m_crossPoints[2] = Pt(cx, cy);
    m_crossPoints[3] = Pt(dx, dy);
    DrawPreviewFigure(Colors().previewColor, [&](CDC* dc) {
        DrawSegment(dc, m_crossPoints[0], m_crossPoints[1]);
        DrawSegment(dc, m_crossPoints[2], m_crossPoints[3]);
    });
    m_crossShown = 1;
}

void CZelkView::ErasePointerCross()
{
    if (!m_crossShown)
        return;
    DrawPreviewFigure(Colors().previewColor, [&](CDC* dc) {
        DrawSegment(dc, m_crossPoints[0], m_crossPoints[1]);
        DrawSegment(dc, m_crossPoints[2], m_crossPoints[3]);
    });
    m_crossShown = 0;
}

// ---- work lines and dragged objects ---------------------------------------------------------

void CZelkView::PreviewWorkLine(int index)
{
    if (index < 0 || index > 3 || m_lineShown[index] || !m_document || !m_document->m_workLines[index])
        return;
    CLine* line = m_document->m_workLines[index];
    DrawPreviewFigure(Colors().previewColor,
                      [&](CDC* dc) { line->DrawObliqueInRect(dc, m_origin, m_zoom, m_clientRectLogical); });
    m_lineShown[index] = 1;
}

void CZelkView::EraseWorkLine(int index)
{
    if (index < 0 || index > 3 || !m_lineShown[index])
        return;
    m_lineShown[index] = 0;
    if (m_document && m_document->m_workLines[index]) {
        CLine* line = m_document->m_workLines[index];
        DrawPreviewFigure(Colors().previewColor,
                          [&](CDC* dc) { line->DrawObliqueInRect(dc, m_origin, m_zoom, m_clientRectLogical); });
    }
}

void CZelkView::DrawObjectOutlines(CDC* dc, POINT shift)
{
    for (CZelkObj* object : m_oleSelection) {
        RECT r{};
        if (object->GetLogicalRect(this, r))
            continue;
        const POINT a = Pt(r.left + shift.x, r.top + shift.y);
        const POINT b = Pt(r.right + shift.x, r.bottom + shift.y);
        DrawBox(dc, a, b);
    }
}

void CZelkView::PreviewObjectDrag(const CPointD& pointer)
{
    if (m_lineShown[7] || !m_document)
        return;
    m_document->m_dragPoint = pointer;
    const POINT p = ScreenPoint(pointer);
    const POINT s = ScreenPoint(g_pApp->m_leftPressPoint);
    DrawPreviewFigure(Colors().previewColor, [&](CDC* dc) { DrawObjectOutlines(dc, Pt(p.x - s.x, p.y - s.y)); });
    m_lineShown[7] = 1;
}

void CZelkView::EraseObjectDrag()
{
    if (!m_lineShown[7])
        return;
    m_lineShown[7] = 0;
    if (!m_document)
        return;
    const POINT p = ScreenPoint(m_document->m_dragPoint);
    const POINT s = ScreenPoint(g_pApp->m_leftPressPoint);
    DrawPreviewFigure(Colors().previewColor, [&](CDC* dc) { DrawObjectOutlines(dc, Pt(p.x - s.x, p.y - s.y)); });
}

// ---- circles and arcs -------------------------------------------------------------------------

void CZelkView::EraseArc()
{
    if (!m_arcShown)
        return;
    const int* a = m_previewArc;
    DrawPreviewFigure(Colors().previewColor, [&](CDC* dc) { dc->Arc(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]); });
    m_arcShown = 0;
}

void CZelkView::EraseSecondArc()
{
    if (!m_secondArcShown)
        return;
    const int* a = m_previewArc;
    DrawPreviewFigure(Colors().previewColor, [&](CDC* dc) { dc->Arc(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]); });
    m_secondArcShown = 0;
}

void CZelkView::DrawCircleFigure(const CCircleFigure& figure, int second)
{
    const CPointD c = figure.m_centre.WorldToScreen(m_origin, m_zoom);
    int cx = 0, cy = 0, rho = 0;
    if (!ToInt(c.m_x, cx) || !ToInt(c.m_y, cy))
        return;
    if (figure.m_screenRadius >= 0)
        rho = figure.m_screenRadius;
    else if (!ToInt(figure.m_radius * m_zoom, rho))
        return;
    // The bounding square and the ends must all be 32-bit integers, or nothing is drawn (nor erased).
    const long long box[4] = {static_cast<long long>(cx) - rho, static_cast<long long>(cy) + rho,
                              static_cast<long long>(cx) + rho, static_cast<long long>(cy) - rho};
    for (long long v : box)
        if (v < INT_MIN || v > INT_MAX)
            return;
    int args[8] = {static_cast<int>(box[0]), static_cast<int>(box[1]), static_cast<int>(box[2]),
                   static_cast<int>(box[3]), static_cast<int>(box[2]), cy, static_cast<int>(box[2]), cy};
    const bool asArc = figure.m_alwaysArc || (m_document->m_previewAsArc && !figure.m_alwaysCircle);
    if (asArc) {
        const CPointD s = figure.m_start.WorldToScreen(m_origin, m_zoom);
        const CPointD e = figure.m_end.WorldToScreen(m_origin, m_zoom);
        if (!ToInt(s.m_x, args[4]) || !ToInt(s.m_y, args[5]) || !ToInt(e.m_x, args[6]) || !ToInt(e.m_y, args[7]))
            return;
    }
    BOOL shown = FALSE;
    DrawPreviewFigure(Colors().previewColor, [&](CDC* dc) {
        shown = dc->Arc(args[0], args[1], args[2], args[3], args[4], args[5], args[6], args[7]);
    });
    std::copy(std::begin(args), std::end(args), m_previewArc);
    (second ? m_secondArcShown : m_arcShown) = shown;
}

void CZelkView::HandCentreToCommand(const CPointD& centre)
{
    if (m_document && m_document->m_circleCmd)
        m_document->m_circleCmd->m_previewCentre = centre;
}

namespace {

// Every circle preview draws nothing while the right button is held (a gesture may be under way).
bool RightButtonHeld()
{
    return g_pApp->m_rightButtonDown != 0;
}

}  // namespace

void CZelkView::PreviewCircleAboutCentre(const CPointD& centre, const CPointD& p)
{
    CCircleFigure f;
    if (!RightButtonHeld() && CircleFigures::AboutCentre(*m_document, *this, centre, p, f))
        DrawCircleFigure(f, 0);
}

void CZelkView::PreviewFixedRadiusCircle(const CPointD& p)
{
    CCircleFigure f;
    if (!RightButtonHeld() && CircleFigures::FixedRadius(*m_document, p, f))
        DrawCircleFigure(f, 1);
}

void CZelkView::PreviewCircleWithOffset(const CPointD& p, int radiusLine)
{
    CCircleFigure f;
    if (RightButtonHeld() || !CircleFigures::WithOffset(*m_document, p, f))
        return;
    DrawCircleFigure(f, 0);
    if (radiusLine)
        PreviewSegment(&f.m_centre, &f.m_end);
}

void CZelkView::PreviewCircleWithAngle(const CPointD& p, int radiusLines)
{
    CCircleFigure f;
    if (RightButtonHeld() || !CircleFigures::WithAngle(*m_document, p, f))
        return;
    HandCentreToCommand(f.m_centre);
    DrawCircleFigure(f, 0);
    if (!radiusLines)
        return;
    // Either radius line may lie outside the view while the other one is drawn.
    POINT a, b;
    if (ClipToView(f.m_centre, f.m_start, a, b)) {
        m_previewPoints[0] = a;
        m_previewPoints[1] = b;
        DrawPreviewFigure(Colors().previewColor, [&](CDC* dc) { DrawSegment(dc, a, b); });
        m_segmentShown = 1;
    }
    if (ClipToView(f.m_centre, f.m_end, a, b)) {
        m_previewPoints[2] = a;
        m_previewPoints[3] = b;
        DrawPreviewFigure(Colors().previewColor, [&](CDC* dc) { DrawSegment(dc, a, b); });
        m_secondSegmentShown = 1;
    }
}

void CZelkView::PreviewArc(const CPointD& centre, double radius, const CPointD& start, const CPointD& end)
{
    CCircleFigure f;
    if (!RightButtonHeld() && CircleFigures::GivenArc(centre, radius, start, end, f))
        DrawCircleFigure(f, 0);
}

void CZelkView::PreviewArcEnd(const CPointD& p)
{
    CCircleFigure f;
    if (!RightButtonHeld() && CircleFigures::ArcEnd(*m_document, p, f))
        DrawCircleFigure(f, 0);
}

void CZelkView::ShowFoundCircle(int found, const CCircleFigure& figure)
{
    if (!found || RightButtonHeld())
        return;
    HandCentreToCommand(figure.m_centre);
    DrawCircleFigure(figure, 0);
}

void CZelkView::PreviewCircleTangentToLine(double r, const CPointD& p)
{
    CCircleFigure f;
    ShowFoundCircle(CircleFigures::TangentToLine(*m_document, *this, r, p, f), f);
}

void CZelkView::PreviewCircleTangentToCircle(double r, const CPointD& p)
{
    CCircleFigure f;
    ShowFoundCircle(CircleFigures::TangentToCircle(*m_document, *this, r, p, f), f);
}

void CZelkView::PreviewDiameterCircle(const CPointD& p)
{
    CCircleFigure f;
    ShowFoundCircle(CircleFigures::Diameter(*m_document, p, f), f);
}

void CZelkView::PreviewCircleThrough3Points(const CPointD& p)
{
    CCircleFigure f;
    ShowFoundCircle(CircleFigures::Through3Points(*m_document, *this, p, f), f);
}

void CZelkView::PreviewCircleThroughTwoPoints(const CPointD& p)
{
    CCircleFigure f;
    ShowFoundCircle(CircleFigures::ThroughTwoPoints(*m_document, p, f), f);
}

void CZelkView::PreviewCircleOnDirection(const CPointD& p)
{
    CCircleFigure f;
    ShowFoundCircle(CircleFigures::OnDirection(*m_document, p, f), f);
}

void CZelkView::PreviewCircleLineAndPoint(const CPointD& p, const CPointD& reference, int mode)
{
    CCircleFigure f;
    ShowFoundCircle(CircleFigures::LineAndPoint(*m_document, *this, p, reference, mode, f), f);
}

void CZelkView::PreviewCircleCircleAndPoint(const CPointD& p, int mode)
{
    CCircleFigure f;
    ShowFoundCircle(CircleFigures::CircleAndPoint(*m_document, p, mode, f), f);
}

void CZelkView::PreviewCircleTangentAtPoint(const CPointD& q1, const CPointD& q2, int order)
{
    CCircleFigure f;
    ShowFoundCircle(CircleFigures::TangentAtPoint(*m_document, q1, q2, order, f), f);
}

void CZelkView::PreviewCircleTangentToCircleAt(const CPointD& p)
{
    CCircleFigure f;
    ShowFoundCircle(CircleFigures::TangentToCircleAt(*m_document, p, f), f);
}

void CZelkView::PreviewCircleTwoLines(const CPointD& p)
{
    CCircleFigure f;
    ShowFoundCircle(CircleFigures::TwoLines(*m_document, *this, p, f), f);
}

void CZelkView::PreviewCircleTwoCircles(const CPointD& p)
{
    CCircleFigure f;
    ShowFoundCircle(CircleFigures::TwoCircles(*m_document, *this, p, f), f);
}

void CZelkView::PreviewCircleLineAndCircle(const CPointD& p, int mode)
{
    CCircleFigure f;
    ShowFoundCircle(CircleFigures::LineAndCircle(*m_document, *this, p, mode, f), f);
}

void CZelkView::PreviewCircleRadiusToward(const CPointD& p)
{
    CCircleFigure f;
    ShowFoundCircle(CircleFigures::RadiusToward(*m_document, p, f), f);
}

