// Moving the view over the drawing: the previous-screen history, zoom steps about the pointer,
// panning by scroll lines, dragging the screen and zooming about a fixed anchor. Every change of
// the mapping makes the drag sketch of box selection again, since its figures are in view units.
#include "view/ZelkView.h"

#include "app/ZelkApp.h"
#include "commands/annotate/GroupProcessor.h"
#include "document/ZelkDoc.h"
#include "geometry/Numeric.h"
#include "platform/core/Time.h"
#include "platform/ui/WinUser.h"

#include <cmath>

namespace {

bool ShiftHeld()
{
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

}  // namespace

void CZelkView::PushPreviousScreen()
{
    const int t = static_cast<int>(CTime::GetCurrentTime().GetTime());
    const int t0 = m_lastPushTime;
    m_lastPushTime = t;
    const int interval = g_pApp ? g_pApp->m_appDraw.historyInterval : 3;
    if (t > 0 && t - t0 < interval)
        return;
    if (m_screenHistory.GetSize() > 0) {
        const auto* newest = static_cast<const CSavedScreen*>(m_screenHistory[0]);
        if (newest->origin.m_x == m_origin.m_x && newest->origin.m_y == m_origin.m_y && newest->zoom == m_zoom &&
            newest->centre.m_x == m_centre.m_x && newest->centre.m_y == m_centre.m_y)
            return;
    }
    const int most = g_pApp ? g_pApp->m_appDraw.historyMax : 30;
    if (m_screenHistory.GetSize() >= most && m_screenHistory.GetSize() > 0) {
        const int last = m_screenHistory.GetSize() - 1;
        delete static_cast<CSavedScreen*>(m_screenHistory[last]);
        m_screenHistory.RemoveAt(last);
    }
    m_screenHistory.InsertAt(0, new CSavedScreen(m_origin, m_centre, m_zoom, m_scrollPos.x, m_scrollPos.y));
    m_historyIndex = 0;
}

void CZelkView::ShowPreviousScreen(int step)
{
    if (m_screenHistory.GetSize() == 0)
        return;
    EraseDragSketch();
    if (m_historyIndex == 0 && step > 0)
        PushPreviousScreen();
    int index = m_historyIndex + step;
    if (index > m_screenHistory.GetSize() - 1)
        index = m_screenHistory.GetSize() - 1;
    if (index < 0)
        index = 0;
    m_historyIndex = static_cast<std::int16_t>(index);
    RestoreScreen(*static_cast<const CSavedScreen*>(m_screenHistory[index]));
    CString number;
    number.Format("%d", index);
    CString text = CString("前画面 - ") + number + " を表示しました" + " 画面幅 " + ClientWidthText() + "mm";
    if (g_pApp && g_pApp->m_specialRepeat)
        text += " 画面操作継続モードです";
    ShowMessageLine(text);
}

void CZelkView::RestoreScreen(const CSavedScreen& screen)
{
    SetOrigin(screen.origin, 1);
    SetZoom(screen.zoom, 1);
    StoreScrollPosition(screen.scrollX, screen.scrollY, 1);
    m_centre = screen.centre;
    ScrollToStoredPosition();
    if (m_hWnd)
        Invalidate(TRUE);
    MirrorState();
    SendPaint();
    RebuildGroupSketch();
}

namespace {

// Shows the new centre at the new zoom; a zoom the mapping refuses leaves the whole screen as it
// was, its centre too.
void ZoomToCentre(CZelkView* view, const CPointD& centre, double zoom)
{
    const CPointD oldCentre = view->m_centre;
    view->m_centre = centre;
    CPointD origin;
    if (!view->ComputeOriginForZoom(origin, zoom, 3)) {
        view->m_centre = oldCentre;
        return;
    }
    view->SetOrigin(origin, 0);
    view->SetZoom(zoom, 0);
    view->CenterScrollPosition();
    view->UpdateScrollSizes();
    view->InvalidateWorldRect(nullptr);
    view->SendPaint();
}

}  // namespace

void CZelkView::ZoomAboutAnchor(double factor)
{
    const CPointD w = m_zoomAnchor.ScreenToWorld(m_origin, m_zoom);
    CPointD centre;
    centre.Init(w.m_x + (m_centre.m_x - w.m_x) / factor, w.m_y + (m_centre.m_y - w.m_y) / factor);
    ZoomToCentre(this, centre, factor * m_zoom);
}

void CZelkView::ZoomWindowAboutAnchor()
{
    ZoomToCentre(this, m_zoomAnchor.ScreenToWorld(m_origin, m_zoom),
                 (g_pApp ? g_pApp->m_appDraw.zoomWindowFactor : 1) * m_zoom);
}

namespace {

void ZoomAtCursor(CZelkView* view, double factor)
{
    view->EraseDragSketch();
    const CPointD s = view->m_cursorWorldPoint.WorldToScreen(view->m_origin, view->m_zoom);
    view->m_zoomAnchor.Init(std::trunc(s.m_x), std::trunc(s.m_y));
    view->ZoomAboutAnchor(factor);
    view->RebuildGroupSketch();
    if (g_pApp) {
        g_pApp->m_viewScrollPos = view->m_scrollPos;
        g_pApp->m_viewOrigin = view->m_origin;
        g_pApp->m_viewZoom = view->m_zoom;
    }
}

double ZoomStep()
{
    return g_pApp ? g_pApp->m_appDraw.zoomStepFactor : 5.0;
}

// Pans one scroll line (ten with Shift) on the axis; sign +1 right or up, -1 left or down.
int Pan(CZelkView* view, bool xAxis, int sign)
{
    view->ShowMessageLine("");
    int s = xAxis ? view->m_lineSize.x : view->m_lineSize.y;
    if (ShiftHeld())
        s *= 10;
    s *= sign;
    POINT target = view->m_scrollPos;
    (xAxis ? target.x : target.y) += s;
    if (!view->PanTo(target))
        return 0;
    const double d = s / view->m_zoom;
    (xAxis ? view->m_centre.m_x : view->m_centre.m_y) += d;
    (xAxis ? view->m_cursorWorldPoint.m_x : view->m_cursorWorldPoint.m_y) += d;
    if (g_pApp) {
        g_pApp->m_viewOrigin = view->m_origin;
        g_pApp->m_viewScrollPos = view->m_scrollPos;
        g_pApp->m_viewZoom = view->m_zoom;
    }
    return 1;
}

}  // namespace

void CZelkView::ZoomInAtCursor()
{
    ZoomAtCursor(this, ZoomStep());
}

void CZelkView::ZoomOutAtCursor()
{
    ZoomAtCursor(this, 1 / ZoomStep());
}

int CZelkView::PanLeft()
{
    return Pan(this, true, -1);
}

int CZelkView::PanRight()
{
    return Pan(this, true, 1);
}

int CZelkView::PanUp()
{
    return Pan(this, false, 1);
}

int CZelkView::PanDown()
{
    return Pan(this, false, -1);
}

int CZelkView::DragScreen(const CPointD& a, const CPointD& b)
{
    const double dx = a.m_x - b.m_x;
    const double dy = a.m_y - b.m_y;
    const double pick = g_pApp ? g_pApp->m_appFind.pickHalfSize : 20;
    if (std::fabs(dx * m_zoom) < pick && std::fabs(dy * m_zoom) < pick) {
        PushPreviousScreen();
        ZoomInAtCursor();
        return 1;
    }
    POINT target = m_scrollPos;
    target.x += static_cast<LONG>(std::trunc(dx * m_zoom));
    target.y += static_cast<LONG>(std::trunc(dy * m_zoom));
    if (!PanTo(target))
        return 0;
    m_centre.Init(m_centre.m_x + dx, m_centre.m_y + dy);
    m_cursorWorldPoint.Init(m_cursorWorldPoint.m_x + dx, m_cursorWorldPoint.m_y + dy);
    if (g_pApp) {
        g_pApp->m_viewOrigin = m_origin;
        g_pApp->m_viewZoom = m_zoom;
    }
    return 1;
}

void CZelkView::RebuildGroupSketch()
{
    if (!g_pApp || !g_pApp->m_groupProcessor)
        return;
    CGroupProcessor& group = *g_pApp->m_groupProcessor;
    if (group.m_document)
        m_dragSketch.Build(group.m_elemSet, group.m_document, this);
}
