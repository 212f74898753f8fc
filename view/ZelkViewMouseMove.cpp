// The mouse move over a drawing view: every move first removes the previews of all views of the
// drawing, then tells a drag from a pick, advances the right-button gestures that switch the
// drawing command, and draws the one preview the state asks for, most often the one the
// command in progress put into the drawing's preview model.
#include "view/ZelkView.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/InputToolBar.h"
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "commands/annotate/DimCommand.h"
#include "commands/annotate/TextCommand.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/Line.h"
#include "geometry/Angles.h"
#include "geometry/FoundPoint.h"
#include "geometry/Intersections.h"
#include "geometry/Numeric.h"
#include "geometry/Projections.h"
#include "geometry/Transforms.h"
#include "input/InputBar.h"
#include "input/PointSearch.h"
#include "input/ScreenOperation.h"
#include "platform/gdi/DC.h"
#include "platform/ui/Controls.h"
#include "platform/ui/WinUser.h"

namespace {

constexpr int kMainFrameZoomTimer = 15;

double DegRad(double degrees)
{
    return degrees * PI * 0.005555555555555556;
}

CPointD Along(const CPointD& from, double length, double angleRad)
{
    CPointD p;
    p.Init(from.m_x + length * std::cos(angleRad), from.m_y + length * std::sin(angleRad));
    return p;
}

CPointD Plus(const CPointD& a, const CPointD& b)
{
    CPointD p;
    p.Init(a.m_x + b.m_x, a.m_y + b.m_y);
    return p;
}

CPointD Foot(const CPointD& q, const CPointD& a, const CPointD& b)
{
    CPointD foot;
    double distance = 0;
    FootOfPerpendicular(a, b, q, foot, distance);
    return foot;
}

// The preview kinds draw through the drawing, so that every view of it shows the same band.
class CKindPainter {
public:
    CKindPainter(CZelkDoc* doc, double zoom) : m_doc(doc), m_zoom(zoom) {}

    void WorkLine(int k, CPointD a, CPointD b, bool ordered = true)
    {
        if (ordered)
            OrderPoints(a, b);
        StoreLine(k, a, b);
        m_doc->PreviewWorkLine(k);
    }
    void StoreLine(int k, const CPointD& a, const CPointD& b)
    {
        if (CLine* line = m_doc->m_workLines[k]) {
            line->m_start = a;
            line->m_end = b;
        }
    }
    // A line 5000 view units long on either side of c along the direction a (radians).
    void StoreGuideLine(int k, const CPointD& c, double a)
    {
        const double r = 5000 / m_zoom;
        CPointD s = Along(c, -r, a);
        CPointD e = Along(c, r, a);
        OrderPoints(s, e);
        StoreLine(k, s, e);
    }
    void GuideLine(const CPointD& c, double a)
    {
        StoreGuideLine(0, c, a);
        m_doc->PreviewWorkLine(0);
    }
    void Segment(CPointD a, CPointD b, bool ordered = false)
    {
        if (ordered)
            OrderPoints(a, b);
        m_doc->PreviewSegment(&a, &b);
    }
    // The size lines of a text placed at t and turned by angle (radians).
    void TextBox(const CPointD& t, double angle, int k = 0)
    {
        CPointD c[4];
        for (int i = 0; i < 4; ++i)
            c[i] = RotatePointRad(Plus(t, m_doc->m_previewTextBox[i]), t, angle);
        WorkLine(k, c[0], c[1]);
        WorkLine(k + 1, c[2], c[3]);
    }

private:
    CZelkDoc* m_doc;
    double m_zoom;
};

}  // namespace

// The bits of the right-button gesture words: each direction is taken only after the one that
// comes before it in the word's turn, so a word holds a path, not a set of directions.
int CZelkView::AdvanceGesture(CPoint point)
{
    const int dx = point.x - m_pressPoint.x;
    const int dy = m_pressPoint.y - point.y;
    enum { None, Right, Up, Left, Down } direction = None;
    if (dx > std::abs(dy))
        direction = Right;
    else if (dy > std::abs(dx))
        direction = Up;
    else if (-dx > std::abs(dy))
        direction = Left;
    else if (-dy > std::abs(dx))
        direction = Down;
    struct Rule {
        WORD bit;
        WORD after;
    };
    static const Rule ccw[] = {{0, 0}, {1, 8}, {2, 1}, {4, 2}, {8, 4}};
    static const Rule cw[] = {{0, 0}, {1, 8}, {8, 4}, {4, 2}, {2, 1}};
    if (direction != None) {
        const Rule& a = ccw[direction];
        if (m_gestureCcw == 0 || (m_gestureCcw & a.after))
            m_gestureCcw |= a.bit;
        const Rule& b = cw[direction];
        if (m_gestureCw == 0 || (m_gestureCw & b.after))
            m_gestureCw |= b.bit;
    }
    int kind = 0;
    if (m_gestureCcw == 15 && m_gestureCw == 3)
        kind = 3;
    else if (m_gestureCcw == 12 && (m_gestureCw == 15 || m_gestureCw == 4))
        kind = 4;
    else if (m_gestureCcw == 9 && m_gestureCw == 2)
        kind = 2;
    else if (m_gestureCcw == 1 && m_gestureCw == 3)
        kind = 7;
    if (!kind)
        return 0;

    CZelkDoc* doc = m_document;
    m_gestureCcw = m_gestureCw = 0;
    g_pApp->m_rightButtonDown = 0;
    g_pApp->m_rightDoubleClicked = 0;
    if (doc->m_creationLog) {
        doc->m_creationLog->EraseLogged();
        doc->m_creationLog->Rollback();
    }
    g_pApp->m_commandKind = static_cast<short>(kind);
    if (kind == 3 || kind == 4) {
        if (CCircleCommand* circle = doc->m_circleCmd) {
            circle->m_modePattern = "PP";
            circle->m_circleFlag = kind == 3 ? 1 : 0;
            circle->Reset();
        }
    } else if (kind == 2) {
        if (CLineCommand* line = doc->m_lineCmd) {
            line->m_modePattern = "SE";
            line->Reset();
        }
    } else if (CTextCommand* text = doc->m_textCmd) {
        text->m_modePattern = "P";
        text->Reset();
    }
    ShowCommandPopupMenu(kind, 1, 1);
    if (kind == 7) {
        g_pApp->ShowPrompt();
        if (g_pApp->m_inputBar)
            g_pApp->m_inputBar->StartTextInput();
        if (CMainFrame* frame = g_pApp->m_pMainFrame) {
            CInputComboBox& box = frame->m_wndInputBar.m_inputBox;
            if (box.GetSafeHwnd())
                box.ShowDropDown(TRUE);
        }
    }
    return 1;
}

void CZelkView::OnMouseMove(UINT nFlags, CPoint point)
{
    CScrollView::OnMouseMove(nFlags, point);
    m_mousePoint = point;
    CZelkDoc* doc = m_document;
    CZelkApp* app = g_pApp;
    if (!doc || !app)
        return;
    const int ctrlHeld = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    POINT logical = point;
    {
        std::unique_ptr<CDC> dc = CreateClientDC();
        OnPrepareDC(dc.get());
        dc->DPtoLP(&logical);
    }
    doc->RedrawPreviewsInViews();
    m_cursorWorldPoint.SetFromScreen(logical, m_origin, m_zoom);
    m_leftDragged = m_middleDragged = m_rightDragged = 0;
    bool moved = false;

    if (app->m_rightButtonDown && app->m_commandKind != 11 && doc->m_deformMode == 0 && AdvanceGesture(point))
        return;

    const int d = std::max(std::abs(point.x - m_pressPoint.x), std::abs(point.y - m_pressPoint.y));
    const int t = static_cast<WORD>(app->m_appFind.gestureZoneSize);
    double a0 = 0, ar = 0;
    if (app->m_rightButtonDown) {
        if (d > t) {
            if (app->m_pMainFrame)
                app->m_pMainFrame->StopTimer(kMainFrameZoomTimer);
            m_rightDragged = 1;
            a0 = SnapAngle15Rad(app->m_rightPressPoint, m_cursorWorldPoint, 0);
            ar = SnapAngle15Rad(app->m_rightPressPoint, m_cursorWorldPoint, doc->m_relAngle);
            moved = true;
        }
    } else if (app->m_leftButtonDown) {
        if (d > t) {
            m_leftDragged = 1;
            moved = true;
        }
    } else if (app->m_middleButtonDown && d > t) {
        m_middleDragged = 1;
        doc->m_previewKind = 0;
        moved = true;
    }

    doc->m_inputPoint.SetPoint(m_cursorWorldPoint);
    const CPointD p = doc->m_inputPoint.GetEffective(doc, 1);

    if (!m_oleSelection.empty()) {
        SetObjectCursor(logical);
        if (m_oleDragMode == 1)
            PreviewObjectDrag(p);
        else if (m_oleDragMode == 2)
            ResizeSelectedObjects(logical);
    }
    if (doc->m_inputPoint.mode != 1 || doc->m_grid.m_on)
        PreviewPointerCross(p);

    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool screenOperationHere = app->m_screenOperation && app->m_screenOperation->IsActiveIn(this);
    CKindPainter paint(doc, m_zoom);
    bool endHandler = false;
    if (app->m_middleButtonDown && moved) {
        PreviewDragBox(app->m_middlePressPoint, m_cursorWorldPoint);
    } else if (app->m_rightButtonDown && shift) {
        if (moved && screenOperationHere && app->m_rightButtonDown)
            PreviewDragBox(app->m_rightPressPoint, m_cursorWorldPoint);
    } else if (app->m_leftButtonDown && shift) {
        if (moved && screenOperationHere)
            PreviewDragBox(app->m_leftPressPoint, m_cursorWorldPoint);
    } else if (app->m_specialMode == 53) {
        if (moved && screenOperationHere) {
            const CPointD& press = app->m_rightButtonDown    ? app->m_rightPressPoint
                                   : app->m_middleButtonDown ? app->m_middlePressPoint
                                                             : app->m_leftPressPoint;
            PreviewDragBox(press, m_cursorWorldPoint);
        } else if (!moved && doc->m_previewKind == 14) {
            paint.Segment(doc->m_previewPointA, p);
        }
    } else if (app->m_interruptMode == 37 && app->m_rightButtonDown) {
        paint.GuideLine(app->m_rightPressPoint, a0);
    } else if (!m_oleSelection.empty() && m_oleDragMode != 0) {
    } else if (app->m_leftButtonDown) {
        PreviewDragBox(app->m_leftPressPoint, m_cursorWorldPoint);
    } else if (app->m_rightButtonDown && app->m_commandKind == 11 && app->m_interruptKind == 0 &&
               app->m_groupProcessing == 0 && doc->m_groupProcessing == 0) {
        if (!m_freehandPoints.empty()) {
            std::unique_ptr<CDC> dc = CreateClientDC();
            OnPrepareDC(dc.get());
            const int width = static_cast<std::int16_t>(std::floor(app->m_appElem.m_lineWidth * m_zoom * 0.1));
            CPen* old = SelectNewPen(dc.get(), PS_SOLID, width, app->m_appElem.m_color);
            const CPointD a = m_freehandPoints.back().WorldToScreen(m_origin, m_zoom);
            const CPointD b = p.WorldToScreen(m_origin, m_zoom);
            if (std::fabs(a.m_x) < 1e9 && std::fabs(a.m_y) < 1e9 && std::fabs(b.m_x) < 1e9 && std::fabs(b.m_y) < 1e9)
                DrawSegment(dc.get(), POINT{static_cast<LONG>(a.m_x), static_cast<LONG>(a.m_y)},
                            POINT{static_cast<LONG>(b.m_x), static_cast<LONG>(b.m_y)});
            RestoreOldPen(dc.get(), old);
        }
        m_freehandPoints.push_back(m_cursorWorldPoint);
    } else if ((app->m_commandKind == 2 || app->m_commandKind == 3 || app->m_commandKind == 4) && m_rightDragged) {
        paint.GuideLine(app->m_rightPressPoint, ar);
    } else {
        int end = 0;
        ShowKindPreview(p, ar, ctrlHeld, end);
        endHandler = end != 0;
    }
    if (endHandler)
        return;

    if ((app->m_groupProcessing || doc->m_groupProcessing) && !(app->m_interruptMode == 37 && app->m_rightButtonDown)) {
        if (m_rightDragged) {
            if (m_lineShown[2])
                doc->EraseWorkLine(2);
            paint.StoreGuideLine(2, app->m_rightPressPoint, ar);
        } else {
            doc->EraseWorkLine(2);
            if (app->m_groupProcessing) {
                std::unique_ptr<CDC> dc = CreateClientDC();
                OnPrepareDC(dc.get());
                m_dragSketch.DrawAt(this, dc.get(), doc->m_inputPoint);
            }
        }
    }
}

void CZelkView::ShowKindPreview(const CPointD& p, double ar, int ctrlHeld, int& endHandler)
{
    CZelkDoc* doc = m_document;
    CZelkApp* app = g_pApp;
    CKindPainter paint(doc, m_zoom);
    const CPointD& a = doc->m_previewPointA;
    const CPointD& b = doc->m_previewPointB;
    const CPointD& c = doc->m_previewPointC;
    const double theta = doc->m_previewAngle;
    const double theta2 = doc->m_previewAngle2;
    const double ell = doc->m_previewLength;
    const double v = doc->m_previewValue;
    const double absolute = doc->m_absAngle;
    const CLine& l1 = doc->m_previewLines[0];
    const CCircle& k1 = doc->m_previewCircles[0];
    const CPointD& pointer = m_cursorWorldPoint;
    const CPointD& rightPress = app->m_rightPressPoint;
    const bool dragged = m_rightDragged != 0;

    // The leader or balloon points of the dimension command, counted from 1; none outside it.
    const std::vector<CPointD>* chain = nullptr;
    if (app->m_commandKind == 10 && doc->m_dimCmd && !doc->m_dimCmd->m_textPoints.empty())
        chain = &doc->m_dimCmd->m_textPoints;
    auto chainPoint = [&](int i) { return (*chain)[static_cast<size_t>(i - 1)]; };

    // The angle arc of kinds 46 and 47: false when the rays are parallel.
    auto angleArc = [&](bool fixedRadius, CPointD& x, double& radius) {
        const CPointD q1 = Along(a, 1000, DegRad(theta));
        const CPointD q2 = Along(b, 1000, DegRad(theta2));
        if (!IntersectLines(a, q1, b, q2, x))
            return false;
        radius = Distance(x, fixedRadius ? c : p);
        const double da = Distance(x, a);
        const double db = Distance(x, b);
        const double m = da > db ? da : db;
        CPointD s = q1, e = q2;
        if (radius > m) {
            CPointD aa = a, bb = b;
            CPointD r1 = Along(x, radius, DegRad(theta));
            CPointD r2 = Along(x, radius, DegRad(theta2));
            OrderPoints(aa, r1);
            OrderPoints(bb, r2);
            paint.WorkLine(0, aa, r1, false);
            paint.WorkLine(1, bb, r2, false);
            s = r1;
            e = r2;
        }
        doc->PreviewArc(x, radius, s, e);
        return true;
    };

    switch (doc->m_previewKind) {
    case 1:
        if (dragged)
            paint.GuideLine(a, ar);
        else
            paint.Segment(a, p);
        break;
    case 2:
        if (dragged)
            paint.GuideLine(rightPress, ar);
        else
            paint.GuideLine(pointer, DegRad(theta));
        break;
    case 3:
        if (dragged) {
            paint.GuideLine(rightPress, ar);
        } else {
            const CPointD off = PerpendicularOffsetVector(a, theta, p, 0);
            paint.WorkLine(0, p, Plus(p, off));
        }
        break;
    case 4:
        paint.GuideLine(p, DegRad(theta));
        break;
    case 5:
        paint.WorkLine(0, p, Along(p, ell, DegRad(absolute)));
        break;
    case 6: {
        CPointD foot;
        double distance = 0;
        FootOnLineRec(l1, p, foot, distance);
        const CPointD o = Along(CPointD(), distance, DegRad(l1.AngleDeg() + 90));
        paint.WorkLine(0, Plus(l1.m_start, o), Plus(l1.m_end, o));
        break;
    }
    case 7: {
        const double turn = absolute - l1.AngleDeg();
        paint.WorkLine(0, RotatePointDeg(l1.m_start, p, turn), RotatePointDeg(l1.m_end, p, turn));
        break;
    }
    case 8: {
        const CPointD off = PerpendicularOffsetVector(c, absolute, p, 0);
        paint.WorkLine(0, p, Plus(p, off));
        break;
    }
    case 9:
        paint.WorkLine(0, p, l1.PointAtAngleFromPoint(p, theta - l1.AngleDeg()));
        break;
    case 10:
        paint.Segment(a, Foot(p, a, Along(a, 1000, DegRad(theta))), true);
        break;
    case 11:
        paint.WorkLine(0, a, Along(a, ell, PointsAngleRad(a, p)));
        break;
    case 12: {
        double dist = 0;
        const double phi = PointsAngleRadLen(k1.m_centre, p, dist);
        const double r = k1.m_radius;
        if (NearlyEqual(dist, r) || NearlyEqual(r, 0) || dist < r)
            break;
        const double beta = std::acos(r / dist);
        const CPointD t1 = Along(k1.m_centre, r, phi - beta);
        const CPointD t2 = Along(k1.m_centre, r, phi + beta);
        paint.WorkLine(0, p, doc->m_pickPoint1.Nearer(t1, t2));
        break;
    }
    case 13:
        if (dragged)
            paint.GuideLine(a, ar);
        break;
    case 14:
        paint.Segment(a, p);
        break;
    case 15:
        paint.GuideLine(a, DegRad(theta));
        paint.Segment(a, p);
        break;
    case 16:
        doc->PreviewCircleAboutCentre(a, p);
        break;
    case 17:
        doc->PreviewFixedRadiusCircle(p);
        break;
    case 18:
        doc->PreviewCircleTangentToLine(std::fabs(v), p);
        break;
    case 19:
        doc->PreviewCircleTangentToCircle(std::fabs(v), p);
        break;
    case 20:
        doc->PreviewDiameterCircle(p);
        break;
    case 21:
        doc->PreviewCircleThrough3Points(p);
        break;
    case 22:
        doc->PreviewCircleThroughTwoPoints(p);
        break;
    case 23:
        doc->PreviewCircleOnDirection(p);
        break;
    case 24:
    case 25:
        doc->PreviewCircleLineAndPoint(p, c, doc->m_previewKind == 24 ? 1 : 2);
        break;
    case 26:
    case 27:
        doc->PreviewCircleCircleAndPoint(p, doc->m_previewKind == 26 ? 1 : 2);
        break;
    case 28: {
        double distance = 0;
        if (SignedDistanceToLineRec(l1, p, distance))
            doc->PreviewCircleTangentToLine(std::fabs(distance), p);
        break;
    }
    case 29: {
        const double dist = Distance(p, k1.m_centre);
        const double r = dist > k1.m_radius ? std::fabs(k1.m_radius - dist) : k1.m_radius / 2;
        doc->PreviewCircleTangentToCircle(r, p);
        break;
    }
    case 30:
        doc->PreviewCircleWithOffset(p, 1);
        break;
    case 31:
    case 32:
        doc->PreviewCircleWithAngle(p, doc->m_previewKind == 31 ? 1 : 0);
        break;
    case 33:
        doc->PreviewCircleTangentAtPoint(a, p, 1);
        break;
    case 34:
        doc->PreviewCircleTangentToCircleAt(p);
        break;
    case 35:
        doc->PreviewCircleTwoLines(p);
        break;
    case 36:
        doc->PreviewCircleTwoCircles(p);
        break;
    case 37:
    case 38:
        doc->PreviewCircleLineAndCircle(p, doc->m_previewKind == 37 ? 1 : 2);
        break;
    case 39:
        if (dragged) {
            paint.GuideLine(a, ar);
        } else {
            paint.Segment(a, p);
            doc->PreviewArcEnd(p);
        }
        break;
    case 40:
        if (dragged) {
            const CFoundPoint* found = doc->m_pointSearch ? doc->m_pointSearch->GetCurrent() : nullptr;
            if (!found)
                break;
            const CPointD f = found->m_point;
            paint.GuideLine(f, ar);
            doc->m_inputPoint.SetPoint(f);
            paint.TextBox(f, ar, 1);
        } else if (app->m_showTextSizeLines || app->m_interruptKind == 7 || ctrlHeld) {
            paint.TextBox(p, DegRad(doc->m_previewTextAngle));
        }
        break;
    case 42:
        PreviewRotatedBox(a, theta, pointer);
        break;
    case 43:
        PreviewRotatedBox(a, theta, pointer);
        paint.TextBox(p, DegRad(doc->m_previewTextAngle));
        break;
    case 44: {
        const CPointD f = Foot(p, a, Along(a, 1000, DegRad(theta)));
        paint.Segment(a, f, true);
        paint.TextBox(f, DegRad(doc->m_previewTextAngle));
        break;
    }
    case 45:
        paint.Segment(a, b);
        paint.TextBox(Foot(p, a, b), DegRad(doc->m_previewTextAngle));
        break;
    case 46: {
        CPointD x;
        double radius = 0;
        if (!angleArc(false, x, radius))
            endHandler = 1;
        break;
    }
    case 47: {
        CPointD x;
        double radius = 0;
        if (!angleArc(true, x, radius)) {
            endHandler = 1;
            break;
        }
        const double phi = PointsAngleDeg(x, p);
        double turn = phi - 90;
        if (!NearlyEqual(turn, 0) && turn < 0)
            turn += 360;
        const double textAngle = -FoldLineAngleNegDeg(turn);
        paint.TextBox(Along(x, radius, DegRad(phi)), DegRad(textAngle), 2);
        break;
    }
    case 48: {
        if (!chain) {
            endHandler = 1;
            break;
        }
        const int n = static_cast<int>(chain->size());
        const CPointD q = chainPoint(n);
        if (dragged) {
            paint.Segment(q, rightPress);
            paint.GuideLine(rightPress, ar);
        } else {
            paint.Segment(q, p);
        }
        for (int k = 1; k <= 3 && n - k >= 1; ++k)
            paint.WorkLine(k, chainPoint(n - k), chainPoint(n - k + 1), false);
        break;
    }
    case 49: {
        if (!chain) {
            endHandler = 1;
            break;
        }
        const int n = static_cast<int>(chain->size());
        const double angle = -theta;
        const CPointD q = chainPoint(n);
        const CPointD f = Foot(p, q, Along(q, 200 / m_zoom, DegRad(angle)));
        paint.Segment(q, f);
        paint.TextBox(f, DegRad(angle));
        for (int k = 2; k <= 3 && n - k + 1 >= 1; ++k)
            paint.WorkLine(k, chainPoint(n - k + 1), chainPoint(n - k + 2), false);
        break;
    }
    case 50: {
        CPointD f;
        double s = 0;
        if (FootOfPerpendicular(a, b, p, f, s)) {
            const CPointD o = Along(CPointD(), s, DegRad(l1.AngleDeg() + 90));
            paint.WorkLine(0, Plus(l1.m_start, o), Plus(l1.m_end, o));
        } else {
            paint.Segment(Distance(a, f) <= Distance(b, f) ? a : b, f, true);
        }
        break;
    }
    case 51: {
        CPointD shift;
        shift.Init(b.m_x - c.m_x, b.m_y - c.m_y);
        paint.WorkLine(0, a, p);
        paint.WorkLine(1, p, Plus(p, shift));
        break;
    }
    case 52:
        paint.WorkLine(0, a, p);
        paint.WorkLine(1, p, b);
        break;
    case 53:
        doc->PreviewFixedRadiusCircle(p);
        paint.Segment(a, p);
        break;
    case 54: {
        const double r = Distance(a, p);
        if (NearlyEqual(r, 0)) {
            endHandler = 1;
            break;
        }
        CPointD span;
        span.Init(theta, theta2);
        const CArc arc(a, r, span);
        const int cls = arc.SnapClassOfPoint(p);
        if (cls >= 2 && cls <= 6) {
            doc->PreviewArc(a, r, Along(a, 1000, DegRad(theta)), Along(a, 1000, DegRad(theta2)));
        } else {
            doc->m_previewArcMovesStart = cls == 1 ? 1 : 0;
            doc->PreviewArcEnd(p);
        }
        break;
    }
    case 55: {
        const CPointD e = Along(a, ell, DegRad(theta));
        if (Distance(e, p) < ell)
            paint.WorkLine(0, a, Along(a, ell, PointsAngleRad(a, p)));
        else
            paint.Segment(a, Foot(p, a, e), true);
        break;
    }
    case 56:
    case 57:
    case 58:
    case 59: {
        const int kind = doc->m_previewKind;
        CPointD centre = p;
        double rho = v;
        if (kind <= 57) {
            doc->PreviewFixedRadiusCircle(p);
        } else {
            doc->PreviewCircleAboutCentre(a, p);
            centre = a;
            rho = Distance(a, p);
        }
        const double step = DegRad(theta2);
        if (kind == 57 || kind == 59) {
            if (app->m_rightButtonDown) {
                endHandler = 1;
                break;
            }
            // Sides that touch a circle of a half step near a right angle would lie at infinity.
            const double half = std::cos(step * 0.5);
            if (NearlyEqual(half, 0))
                break;
            rho /= half;
        }
        // A step of nearly nothing, or more sides than a 16-bit count holds, draws no sides.
        const double count = NearlyEqual(theta2, 0) ? 0 : std::trunc(360 / theta2);
        if (!(count > 0 && count <= 32767))
            break;
        const int n = static_cast<int>(count);
        const double a0 = DegRad(theta);
        for (int i = 0; i < n && i < 4; ++i)
            paint.WorkLine(i, Along(centre, rho, a0 + i * step), Along(centre, rho, a0 + (i + 1) * step));
        break;
    }
    case 60:
        doc->PreviewCircleRadiusToward(p);
        break;
    case 61:
        doc->PreviewCircleWithAngle(b, 1);
        break;
    case 62:
        doc->PreviewCircleWithOffset(p, 0);
        break;
    default:
        break;
    }
}
