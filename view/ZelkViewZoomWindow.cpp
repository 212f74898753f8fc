// Zoom windows and new windows: another view of the same drawing, either an enlarged copy of
// this frame or a small window about the last right press, at most one zoom window per drawing;
// and the Window menu's plain new window.
#include "view/ZelkView.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/ElementDrawing.h"
#include "geometry/Numeric.h"
#include "input/ScreenOperation.h"
#include "platform/gdi/DC.h"
#include "platform/ui/ClientDC.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/WinUser.h"

#include <cmath>

namespace {

POINT LogicalToDevice(CZelkView* view, const CPointD& logical)
{
    POINT p{TruncToInt(logical.m_x), TruncToInt(logical.m_y)};
    CClientDC dc(view);
    view->OnPrepareDC(&dc);
    dc.LPtoDP(&p);
    return p;
}

bool StrictlyInside(const RECT& a, const RECT& r)
{
    return a.left > 0 && a.top > 0 && a.right < r.right && a.bottom < r.bottom;
}

RECT Shifted(RECT a, int dx, int dy)
{
    a.left += dx;
    a.right += dx;
    a.top += dy;
    a.bottom += dy;
    return a;
}

}  // namespace

BOOL CZelkView::OpenZoomWindow()
{
    if (!g_pApp)
        return FALSE;
    switch (g_pApp->m_appDraw.zoomWindowMode) {
    case 0:
        return OpenZoomWindowCopy();
    case 1: {
        CFrameWnd* frame = GetParentFrame();
        if (m_viewKind == 2 || (frame && frame->IsZoomed()))
            return OpenZoomWindowCopy();
        return OpenSmallZoomWindow();
    }
    default:
        return FALSE;
    }
}

BOOL CZelkView::OpenZoomWindowWithFactor(double factor)
{
    if (!g_pApp)
        return FALSE;
    WORD& setting = g_pApp->m_appDraw.zoomWindowFactor;
    const WORD saved = setting;
    setting = static_cast<WORD>(static_cast<int>(factor));
    const BOOL opened = OpenZoomWindow();
    // This view may be gone (a zoom window replaced by the new one); only the setting is touched.
    g_pApp->m_appDraw.zoomWindowFactor = saved;
    return opened;
}

RECT CZelkView::PlaceSmallZoomWindow(POINT corner, POINT device, int c, int keepInside, const RECT& r)
{
    const int x = corner.x + device.x;
    const int y = corner.y + device.y;
    RECT a{x - c + 5, y - c + 26, x + c + 5, y + c + 26};
    if (keepInside) {
        if (a.top < 0) {
            a = Shifted(a, 0, -a.top);
        } else if (a.bottom > r.bottom) {
            const int up = std::min<int>(a.bottom - r.bottom, a.top);
            a = Shifted(a, 0, -up);
        }
        if (a.left < 0) {
            a = Shifted(a, -a.left, 0);
        } else if (a.right > r.right) {
            const int left = std::min<int>(a.right - r.right, a.left);
            a = Shifted(a, -left, 0);
        }
        return a;
    }
    const int step = c + 25;
    for (const RECT& b : {Shifted(a, step, 0), Shifted(a, -step, 0), Shifted(a, 0, -step), Shifted(a, 0, step)})
        if (StrictlyInside(b, r))
            return b;
    return RECT{0, 0, 2 * c + 5, 2 * c + 26};
}

namespace {

// The steps both kinds of zoom window share; small chooses the placement and the zoom.
BOOL OpenZoomView(CZelkView* self, bool small)
{
    CFrameWnd* frame = self->GetParentFrame();
    if (!frame)
        return FALSE;
    CZelkApp* app = g_pApp;
    CZelkDoc* doc = self->m_document;
    app->m_leftButtonDown = app->m_rightButtonDown = app->m_middleButtonDown = 0;
    self->m_leftDragged = self->m_middleDragged = self->m_rightDragged = 0;
    if (doc)
        doc->m_previewKind = 0;
    self->ActivateGestureTips(FALSE);
    if (app->m_specialMode == 53)
        self->ShowMessageLine("");
    if (app->m_screenOperation)
        app->m_screenOperation->Reset();
    CDocTemplate* docTemplate = doc ? doc->GetDocTemplate() : nullptr;
    if (!docTemplate)
        return FALSE;
    CFrameWnd* created = docTemplate->CreateNewFrame(doc, frame);
    if (!created)
        return FALSE;
    WINDOWPLACEMENT placement{};
    frame->GetWindowPlacement(&placement);
    if (small) {
        RECT client{0, 0, 0, 0};
        frame->GetClientRect(&client);
        const POINT corner{placement.rcNormalPosition.left, placement.rcNormalPosition.top};
        placement.rcNormalPosition =
            CZelkView::PlaceSmallZoomWindow(corner, LogicalToDevice(self, self->m_pressLogicalPoint),
                                            app->m_appDraw.zoomWindowHalfSize(), app->m_appDraw.zoomWindowKeepInside(),
                                            client);
    }
    created->SetWindowPlacement(&placement);
    docTemplate->InitialUpdateFrame(created, doc, TRUE);
    auto* view = dynamic_cast<CZelkView*>(created->GetActiveView());
    if (!view)
        return FALSE;
    view->m_viewKind = 2;
    // The window has its size already; its first size message must not fit the drawing over
    // the mapping copied below.
    view->m_clientRectLogical = view->ClientRectLogical();
    view->m_fitOnResize = 0;
    view->m_pressLogicalPoint = self->m_pressLogicalPoint;
    view->SetOrigin(self->m_origin, 0);
    view->SetZoom(self->m_zoom, 0);
    view->m_centre = self->m_centre;
    view->m_zoomAnchor = self->m_pressLogicalPoint;
    if (small)
        view->ZoomWindowAboutAnchor();
    else
        view->ZoomAboutAnchor(app->m_appDraw.zoomWindowFactor);
    view->m_leftDragged = view->m_middleDragged = view->m_rightDragged = 0;
    const CPointD press = app->m_rightPressPoint.WorldToScreen(view->m_origin, view->m_zoom);
    view->m_pressLogicalPoint.Init(std::trunc(press.m_x), std::trunc(press.m_y));
    view->m_layerStates.RemoveAll();
    for (int i = 0; i < self->m_layerStates.GetSize(); ++i)
        view->m_layerStates.Add(self->m_layerStates[i]);
    view->m_showAllLayers = self->m_showAllLayers;
    view->m_primaryView = self->m_viewKind == 2 && self->m_primaryView ? self->m_primaryView : self;
    app->m_appDraw.zoomWindowClosed = 0;
    if (doc->m_zoomView) {
        // May close this view itself, when it is the zoom window being replaced.
        doc->m_zoomView->CloseZoomWindow();
        app->m_appDraw.zoomWindowClosed = 1;
    }
    doc->m_zoomView = view;
    return TRUE;
}

}  // namespace

BOOL CZelkView::OpenZoomWindowCopy()
{
    return OpenZoomView(this, false);
}

BOOL CZelkView::OpenSmallZoomWindow()
{
    return OpenZoomView(this, true);
}

BOOL CZelkView::CloseZoomWindow()
{
    if (m_viewKind != 2)
        return FALSE;
    CFrameWnd* frame = GetParentFrame();
    CZelkDoc* doc = m_document;
    if (!frame || !frame->DestroyWindow())
        return FALSE;
    if (g_pApp)
        g_pApp->m_appDraw.zoomWindowClosed = 1;
    if (doc)
        doc->m_zoomView = nullptr;
    return TRUE;
}

void CZelkView::OnWindowNew()
{
    if (g_pApp && g_pApp->m_contextHelpMode == 11) {
        g_pApp->ShowHelpPage("Help\\HID_WINDOW_NEW.htm");
        g_pApp->m_contextHelpMode = 0;
        return;
    }
    CFrameWnd* frame = GetParentFrame();
    if (!frame)
        return;
    const RECT client = m_clientRectLogical;
    const BOOL maximised = frame->IsZoomed();
    CDocTemplate* docTemplate = m_document ? m_document->GetDocTemplate() : nullptr;
    if (!docTemplate)
        return;
    CFrameWnd* created = docTemplate->CreateNewFrame(m_document, frame);
    if (!created)
        return;
    WINDOWPLACEMENT placement{};
    frame->GetWindowPlacement(&placement);
    const RECT size = g_pApp ? g_pApp->m_appDraw.newWindowRect() : RECT{0, 0, 200, 200};
    if (!maximised)
        placement.rcNormalPosition = size;
    created->SetWindowPlacement(&placement);
    docTemplate->InitialUpdateFrame(created, m_document, TRUE);
    auto* view = dynamic_cast<CZelkView*>(created->GetActiveView());
    if (!view)
        return;
    if (maximised) {
        view->m_clientRectLogical = client;
        view->SetOrigin(m_origin, 0);
        view->SetZoom(m_zoom, 0);
        view->m_centre = m_centre;
    } else {
        // The height of the new window bounds the bottom, where its width once stood.
        const int w = size.right - size.left;
        const int h = size.bottom - size.top;
        RECT r{5, 5, w - 26, h - 42};
        CClientDC dc(view);
        view->OnPrepareDC(&dc);
        dc.DPtoLP(&r);
        view->m_clientRectLogical = r;
    }
    view->ShowAll();
}
