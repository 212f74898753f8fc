// The drawing view's life cycle and mapping: world millimetres to logical units (zoom about a
// kept centre) and on to the window's pixels, fitting the drawing, panning within the scroll
// area, invalidation and the document's update hints.
#include "view/ZelkView.h"

#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/ElementDrawing.h"
#include "geometry/Numeric.h"
#include "input/InputBar.h"
#include "input/ScreenOperation.h"
#include "platform/core/Archive.h"
#include "platform/gdi/DC.h"
#include "platform/ui/ClientDC.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Ime.h"
#include "platform/ui/WinUser.h"
#include "view/ZelkObj.h"
#include "view/ZelkOleObj.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

IMPLEMENT_DYNCREATE(CZelkView, CScrollView)

namespace {

constexpr int kArea = 32000;
constexpr int kHalfArea = 16000;

CMainFrame* Frame()
{
    return g_pApp ? g_pApp->m_pMainFrame : nullptr;
}

// The extents' width and height (height not positive, top being the larger y); an empty
// drawing's inverted extents count as zero size.
void ExtentSize(const CRectD& x, double& w, double& h)
{
    if (x.m_left > x.m_right || x.m_bottom > x.m_top) {
        w = h = 0;
        return;
    }
    w = x.m_right - x.m_left;
    h = x.m_bottom - x.m_top;
}

// The zoom that fits a width and height (h not positive) into the logical client rectangle.
double FitZoom(const RECT& client, double w, double h)
{
    const double cw = client.right - client.left;
    const double ch = client.bottom - client.top;
    if (w == 0 && h == 0)
        return 1.0;
    if (w == 0)
        return ch / h;
    if (h == 0)
        return cw / w;
    const double byWidth = cw / w;
    const double byHeight = ch / h;
    return byWidth < byHeight ? byWidth : byHeight;
}

}  // namespace

CZelkView::CZelkView()
{
    m_origin.Init(-kHalfArea, kHalfArea);
    m_centre.Init(0, 0);
    // The scroll area is known before the window exists; the bars follow at the first update.
    m_nMapMode = MM_LOMETRIC;
    m_totalLog = CSize(kArea, kArea);
    m_dragSketch.view = this;
    if (g_pApp) {
        m_viewNumber = g_pApp->m_viewCounter++;
        g_pApp->m_drawingViews.Add(this);
        g_pApp->m_viewOrigin = m_origin;
        g_pApp->m_viewZoom = m_zoom;
    }
}

CZelkView::~CZelkView()
{
    ReleaseViewState();
}

void CZelkView::ReleaseViewState()
{
    for (int i = 0; i < m_screenHistory.GetSize(); ++i)
        delete static_cast<CSavedScreen*>(m_screenHistory[i]);
    m_screenHistory.RemoveAll();
    m_historyIndex = 0;
    m_dragSketch.Clear();
    m_dragSketch.shown = 0;
    if (m_document && m_document->m_zoomView == this)
        m_document->m_zoomView = nullptr;
    if (m_viewKind == 2 && m_primaryView) {
        m_primaryView->m_layerStates.RemoveAll();
        for (int i = 0; i < m_layerStates.GetSize(); ++i)
            m_primaryView->m_layerStates.Add(m_layerStates[i]);
        m_primaryView->m_showAllLayers = m_showAllLayers;
    }
    if (!g_pApp)
        return;
    if (g_pApp->m_activeView == this)
        g_pApp->m_activeView = nullptr;
    // No key or gesture may reach a freed view through a screen stored for it.
    for (CSavedScreen* screen : g_pApp->m_savedScreens)
        if (screen && screen->view == this)
            screen->view = nullptr;
    if (g_pApp->m_screenOperation && g_pApp->m_screenOperation->view == this)
        g_pApp->m_screenOperation->Reset();
    // A zoom window outliving its primary view hands its layer states to nobody.
    for (int i = 0; i < g_pApp->m_drawingViews.GetSize(); ++i) {
        auto* other = static_cast<CZelkView*>(g_pApp->m_drawingViews[i]);
        if (other != this && other->m_primaryView == this)
            other->m_primaryView = nullptr;
    }
    CPtrArray& views = g_pApp->m_drawingViews;
    for (int i = 0; i < views.GetSize(); ++i)
        if (views[i] == this) {
            views.RemoveAt(i);
            break;
        }
}

void CZelkView::InitViewState()
{
    m_origin.Init(-kHalfArea, kHalfArea);
    m_zoom = 1.0;
    m_centre.Init(0, 0);
    m_clientRectLogical = RECT{0, 0, 0, 0};
    m_scrollPos = POINT{0, 0};
    m_lineSize = POINT{10, 10};
    m_nMapMode = MM_LOMETRIC;
    m_totalLog = CSize(kArea, kArea);
    m_hintText.Empty();
    m_messageText.Empty();
    m_stateWord = 0;
    m_leftDragged = m_middleDragged = m_rightDragged = 0;
    m_gestureCcw = m_gestureCw = 0;
    if (g_pApp) {
        g_pApp->m_viewOrigin = m_origin;
        g_pApp->m_viewZoom = m_zoom;
    }
}

void CZelkView::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        StorePointD(ar, m_origin);
        StorePointD(ar, m_centre);
        ar << m_zoom;
        ar << static_cast<LONG>(m_scrollPos.x) << static_cast<LONG>(m_scrollPos.y);
    } else {
        LoadPointD(ar, m_origin);
        LoadPointD(ar, m_centre);
        ar >> m_zoom;
        LONG x = 0;
        LONG y = 0;
        ar >> x >> y;
        m_scrollPos = POINT{x, y};
    }
}

// ---- window life cycle ---------------------------------------------------------------------

BOOL CZelkView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    const BOOL created =
        CScrollView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext);
    if (created) {
        m_document = static_cast<CZelkDoc*>(GetDocument());
        if (m_document)
            m_layerStates.SetSize(m_document->m_layers.GetSize());
    }
    return created;
}

int CZelkView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CScrollView::OnCreate(lpcs) == -1)
        return -1;
    m_gestureTips = std::make_unique<CToolTipCtrl>();
    m_gestureTips->Create(this);
    m_gestureTips->SetDelayTime(100);
    return 0;
}

void CZelkView::OnInitialUpdate()
{
    if (!m_document)
        m_document = static_cast<CZelkDoc*>(GetDocument());
    CenterScrollPosition();
    UpdateScrollSizes();
    CScrollView::OnInitialUpdate();
    MeasureDefaultCharWidth();
}

void CZelkView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    if (bActivate && g_pApp) {
        g_pApp->m_activeView = this;
        m_active = 1;
        // Drawing takes keys as commands: the input method stays closed in a drawing window.
        if (HIMC context = ImmGetContext(m_hWnd)) {
            if (ImmGetOpenStatus(context))
                ImmSetOpenStatus(context, FALSE);
            ImmReleaseContext(m_hWnd, context);
        }
    }
    CScrollView::OnActivateView(bActivate, pActivateView, pDeactiveView);
    if (!bActivate && !m_oleSelection.empty())
        OnUpdate(nullptr, 2, nullptr);
    m_active = bActivate ? 1 : 0;
}

void CZelkView::OnDestroy()
{
    CScrollView::OnDestroy();
    if (m_document)
        m_document->m_previewsSuppressed = 1;
    if (CMainFrame* frame = Frame())
        frame->StartTimer(2, 100);
}

void CZelkView::OnSize(UINT nType, int cx, int cy)
{
    ErasePreviews();
    if (m_fitOnResize) {
        CClientDC dc(this);
        OnPrepareDC(&dc);
        RECT r{0, 0, cx, cy};
        dc.DPtoLP(&r);
        m_clientRectLogical = r;
        if (cx != 0 && cy != 0 && m_document) {
            double w = 0;
            double h = 0;
            ExtentSize(m_document->m_extents, w, h);
            const double zoom = FitZoom(r, w, h);
            CPointD origin;
            if (ComputeOriginForZoom(origin, zoom, 3)) {
                SetOrigin(origin, 1);
                SetZoom(zoom, 0);
            }
        }
        CenterScrollPosition();
        ScrollToPosition(m_scrollPos);
        MirrorState();
    }
    CScrollView::OnSize(nType, cx, cy);
}

void CZelkView::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar)
{
    ScrollWithBar(TRUE, nSBCode, nPos, pScrollBar);
}

void CZelkView::OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar)
{
    ScrollWithBar(FALSE, nSBCode, nPos, pScrollBar);
}

// A scroll bar moves the drawing: once the user lets go, the centre follows the new position;
// at either end of the drawing area the view is centred again instead, as far as the zoom
// allows.
void CZelkView::ScrollWithBar(BOOL horizontal, UINT nSBCode, UINT nPos, CWnd* pScrollBar)
{
    // The user placed the drawing by hand: a resize no longer refits it.
    m_fitOnResize = 0;
    ShowHintLine("");
    ShowMessageLine("");
    if (horizontal)
        CScrollView::OnHScroll(nSBCode, nPos, pScrollBar);
    else
        CScrollView::OnVScroll(nSBCode, nPos, pScrollBar);
    if (g_pApp)
        g_pApp->m_specialMode = 0;
    if (nSBCode != SB_ENDSCROLL)
        return;
    const CPoint pos = GetScrollPosition();
    const RECT& c = m_clientRectLogical;
    if (horizontal) {
        const int w = c.right - c.left;
        m_centre.m_x = (pos.x + w / 2) / m_zoom + m_origin.m_x;
        if (pos.x <= 0 || pos.x >= kArea - w - 1)
            RecentreAtPanLimit(1);
        else
            StoreScrollPosition(pos.x, pos.y, 1);
        return;
    }
    const int h = c.bottom - c.top;
    m_centre.m_y = (pos.y + h / 2) / m_zoom + m_origin.m_y;
    if (pos.y >= 0 || pos.y <= 1 - kArea - h)
        RecentreAtPanLimit(0);
    else
        StoreScrollPosition(pos.x, pos.y, 1);
}

BOOL CZelkView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    const BOOL scrolled = CScrollView::OnScrollBy(sizeScroll, bDoScroll);
    if (scrolled && bDoScroll && m_hWnd)
        UpdateWindow();
    return scrolled;
}

LRESULT CZelkView::OnNcHitTest(CPoint point)
{
    const LRESULT hit = CScrollView::OnNcHitTest(point);
    CZelkApp* app = g_pApp;
    if (!app)
        return hit;
    if (hit != HTCLIENT) {
        // The pointer left the drawing: no rubber band may stay behind in any window.
        app->RedrawAllPreviews();
        return hit;
    }
    if (CMainFrame* frame = Frame())
        frame->SetMessageText(app->m_prompt);
    const int list = app->m_inputBar ? app->m_inputBar->m_currentList : 1;
    if ((list == 9 || list == 3) && m_hWnd && GetFocus() != this)
        SetFocus();
    return hit;
}

// ---- mapping -------------------------------------------------------------------------------

void CZelkView::SetZoom(double zoom, int mirror)
{
    m_zoom = zoom;
    if (mirror && g_pApp)
        g_pApp->m_viewZoom = zoom;
    if (m_document && m_document->m_embedded)
        m_document->SetModifiedFlag(TRUE);
}

void CZelkView::SetOrigin(CPointD origin, int mirror)
{
    m_origin = origin;
    if (mirror && g_pApp)
        g_pApp->m_viewOrigin = origin;
    if (m_document && m_document->m_embedded)
        m_document->SetModifiedFlag(TRUE);
}

void CZelkView::StoreScrollPosition(int x, int y, int mirror)
{
    m_scrollPos = POINT{x, y};
    if (mirror && g_pApp)
        g_pApp->m_viewScrollPos = m_scrollPos;
    if (m_document && m_document->m_embedded)
        m_document->SetModifiedFlag(TRUE);
}

BOOL CZelkView::ComputeOriginForZoom(CPointD& origin, double zoom, int axis)
{
    if (!(zoom >= 1e-100 && zoom <= 1e100))
        return FALSE;
    const bool x = axis == 1 || axis == 3;
    const bool y = axis == 2 || axis == 3;
    if (x && std::fabs(zoom * m_centre.m_x * 0.0000625) > 1e11)
        return FALSE;
    if (y && std::fabs(zoom * m_centre.m_y * 0.0000625) > 1e11)
        return FALSE;
    const double h = kArea / (2 * zoom);
    if (std::fabs(h) > 1e100)
        return FALSE;
    origin.m_x = x ? m_centre.m_x - h : m_origin.m_x;
    origin.m_y = y ? m_centre.m_y + h : m_origin.m_y;
    return TRUE;
}

void CZelkView::UpdateScrollSizes()
{
    const RECT& c = m_clientRectLogical;
    m_lineSize = POINT{(c.right - c.left) / 20, std::abs((c.bottom - c.top) / 20)};
    const CSize line(m_lineSize.x, m_lineSize.y);
    const CSize page(10 * line.cx, 10 * line.cy);
    SetScrollSizes(MM_LOMETRIC, CSize(kArea, kArea), page, line);
    if (m_hWnd)
        ScrollToPosition(m_scrollPos);
}

void CZelkView::CenterScrollPosition()
{
    const RECT& c = m_clientRectLogical;
    StoreScrollPosition(kHalfArea - (c.right - c.left) / 2, std::abs((c.bottom - c.top) / 2) - kHalfArea, 1);
}

void CZelkView::ScrollToStoredPosition()
{
    if (m_hWnd)
        ScrollToPosition(m_scrollPos);
}

BOOL CZelkView::PanTo(POINT p)
{
    if (CMainFrame* frame = Frame())
        frame->StopTimer(1);
    m_hintText.Empty();
    ShowMessageLine("");
    const RECT& c = m_clientRectLogical;
    const bool xInside = 0 <= p.x && p.x <= c.left - c.right + kArea;
    const bool yInside = c.top - c.bottom - kArea <= p.y && p.y <= 0;
    if (xInside && yInside) {
        StoreScrollPosition(p.x, p.y, 1);
        if (CMainFrame* frame = Frame())
            frame->StartTimer(1, 200);
        return TRUE;
    }
    RecentreAtPanLimit(xInside ? 0 : 1);
    return FALSE;
}

void CZelkView::RecentreAtPanLimit(int xAxis)
{
    CPointD origin;
    if (ComputeOriginForZoom(origin, m_zoom, xAxis ? 1 : 2)) {
        SetOrigin(origin, 1);
        const RECT& c = m_clientRectLogical;
        if (xAxis)
            m_scrollPos.x = kHalfArea - (c.right - c.left) / 2;
        else
            m_scrollPos.y = std::abs((c.bottom - c.top) / 2) - kHalfArea;
        if (g_pApp)
            g_pApp->m_viewScrollPos = m_scrollPos;
        UpdateScrollSizes();
        RepaintAll();
        return;
    }
    if (!g_pApp)
        return;
    g_pApp->m_prompt = CString("この拡大率での画面移動の限界です ･･･ 拡大率 = ") + DoubleToString(m_zoom) +
                       " 座標 = " + DoubleToString(xAxis ? m_origin.m_x : m_origin.m_y);
    g_pApp->m_promptAmended = 1;
}

BOOL CZelkView::ShowAll()
{
    if (g_pApp)
        g_pApp->CommitOperation(m_document, 1);
    ErasePreviews();
    if (!m_document)
        return FALSE;
    const CRectD& x = m_document->m_extents;
    double w = 0;
    double h = 0;
    ExtentSize(x, w, h);
    if (w == 0 && h == 0 && (x.m_left > x.m_right || x.m_bottom > x.m_top))
        m_centre.Init(0, 0);
    else
        m_centre.Init((x.m_left + x.m_right) / 2, (x.m_top + x.m_bottom) / 2);
    const double margin = g_pApp ? g_pApp->m_appDraw.showAllMargin : 1.0;
    const double zoom = FitZoom(m_clientRectLogical, w * margin, h * margin);
    CPointD origin;
    if (!ComputeOriginForZoom(origin, zoom, 3))
        return FALSE;
    SetOrigin(origin, 1);
    SetZoom(zoom, 1);
    CenterScrollPosition();
    UpdateScrollSizes();
    RepaintAll();
    MirrorState();
    RebuildGroupSketch();
    CString text = CString("全表示しました 画面幅 ") + ClientWidthText() + "mm";
    if (g_pApp && g_pApp->m_specialRepeat)
        text += " 画面操作継続モードです";
    ShowMessageLine(text);
    return TRUE;
}

void CZelkView::ShowOriginAtZoomOne()
{
    ErasePreviews();
    CPointD origin;
    origin.Init(-kHalfArea, kHalfArea);
    SetOrigin(origin, 1);
    SetZoom(1.0, 1);
    m_centre.Init(0, 0);
    CenterScrollPosition();
    ScrollToStoredPosition();
    RepaintAll();
    MirrorState();
    ShowMessageLine(CString("図形拡大率１で絶対原点を画面中央に表示しました") + " 画面幅 " + ClientWidthText() + "mm");
}

void CZelkView::MirrorState()
{
    if (!g_pApp)
        return;
    g_pApp->m_viewScrollPos = m_scrollPos;
    g_pApp->m_viewOrigin = m_origin;
    g_pApp->m_viewZoom = m_zoom;
}

CString CZelkView::ClientWidthText() const
{
    double width = (m_clientRectLogical.right - m_clientRectLogical.left) / m_zoom;
    RoundToSignificant(width, g_pApp ? g_pApp->m_appAcc.messageDigits() : 3);
    return DoubleToString(width);
}

void CZelkView::RepaintAll()
{
    InvalidateWorldRect(nullptr);
    SendPaint();
}

RECT CZelkView::ClientRectLogical()
{
    RECT r{0, 0, 0, 0};
    if (m_hWnd)
        GetClientRect(&r);
    CClientDC dc(this);
    OnPrepareDC(&dc);
    dc.DPtoLP(&r);
    return r;
}

// ---- invalidation --------------------------------------------------------------------------

namespace {

// A logical rectangle, device pixels on a prepared client DC, one pixel more on every side.
void InvalidateLogical(CZelkView* view, RECT r)
{
    if (!view->m_hWnd)
        return;
    CClientDC dc(view);
    view->OnPrepareDC(&dc);
    dc.LPtoDP(&r);
    if (r.left > r.right)
        std::swap(r.left, r.right);
    if (r.top > r.bottom)
        std::swap(r.top, r.bottom);
    r.left -= 1;
    r.top -= 1;
    r.right += 1;
    r.bottom += 1;
    view->InvalidateRect(&r, TRUE);
}

}  // namespace

void CZelkView::InvalidateWorldRect(const CRectD* rect)
{
    if (!m_hWnd)
        return;
    if (!rect) {
        Invalidate(TRUE);
        return;
    }
    CRectD s = rect->WorldToScreen(m_origin, m_zoom);
    s.ClampToScreen();
    InvalidateLogical(this, RECT{TruncToInt(s.m_left), TruncToInt(s.m_top), TruncToInt(s.m_right),
                                 TruncToInt(s.m_bottom)});
}

void CZelkView::InvalidateAroundPoint(CPointD point, int halfSize)
{
    const CPointD s = point.WorldToScreen(m_origin, m_zoom);
    const int x = TruncToInt(s.m_x);
    const int y = TruncToInt(s.m_y);
    InvalidateLogical(this, RECT{x - halfSize, y + halfSize, x + halfSize, y - halfSize});
}

void CZelkView::InvalidateObject(CZelkObj* object)
{
    if (!m_hWnd)
        return;
    if (!object) {
        Invalidate(TRUE);
        return;
    }
    CRectD s;
    s.SetFromPoints(object->m_bottomRight.WorldToScreen(m_origin, m_zoom),
                    object->m_topLeft.WorldToScreen(m_origin, m_zoom));
    if (s.m_left < -kArea || s.m_right > kArea || s.m_bottom < -kArea || s.m_top > kArea) {
        Invalidate(TRUE);
        return;
    }
    RECT r{TruncToInt(s.m_left), TruncToInt(s.m_top), TruncToInt(s.m_right), TruncToInt(s.m_bottom)};
    CClientDC dc(this);
    OnPrepareDC(&dc);
    dc.LPtoDP(&r);
    if (r.left > r.right)
        std::swap(r.left, r.right);
    if (r.top > r.bottom)
        std::swap(r.top, r.bottom);
    // The tracker's handles stand out of a selected object's frame.
    if (m_active && IsSelected(object)) {
        r.left -= 4;
        r.top -= 5;
        r.right += 5;
        r.bottom += 4;
    }
    r.left -= 1;
    r.top -= 1;
    r.right += 1;
    r.bottom += 1;
    InvalidateRect(&r, TRUE);
}

void CZelkView::SendPaint()
{
    if (m_hWnd)
        UpdateWindow();
}

void CZelkView::OnUpdate(CView*, LPARAM hint, CObject* hintObject)
{
    switch (hint) {
    case 0:
        if (m_hWnd)
            Invalidate(FALSE);
        break;
    case 1:
        InvalidateObject(static_cast<CZelkObj*>(hintObject));
        break;
    case 2:
    case 3:
    case 4: {
        std::vector<CZelkObj*> objects;
        if (hintObject) {
            const auto* list = static_cast<const CObArray*>(hintObject);
            for (int i = 0; i < list->GetSize(); ++i)
                objects.push_back(static_cast<CZelkObj*>((*list)[i]));
        } else if (hint == 2) {
            objects = m_oleSelection;
        }
        for (CZelkObj* o : objects) {
            if (hint == 4 && !dynamic_cast<CZelkOleObj*>(o))
                continue;
            InvalidateObject(o);
            if (hint == 3)
                m_oleSelection.erase(std::remove(m_oleSelection.begin(), m_oleSelection.end(), o),
                                     m_oleSelection.end());
        }
        break;
    }
    default:
        if (m_hWnd)
            Invalidate(TRUE);
        break;
    }
}

// ---- texts -----------------------------------------------------------------------------------

int CZelkView::HasHiddenLayer() const
{
    for (int i = 0; i < m_layerStates.GetSize(); ++i)
        if (m_layerStates[i] == 1)
            return 1;
    return 0;
}

BOOL CZelkView::MeasureTextExtent(const LOGFONT& font, const CString& text, SIZE& extent)
{
    CFont made;
    if (!made.CreateFontIndirect(&font))
        return FALSE;
    CClientDC dc(this);
    CFont* previous = dc.SelectObject(&made);
    const BOOL measured = dc.GetTextExtentPoint32(text.GetString(), text.GetLength(), &extent);
    dc.SelectObject(previous);
    return measured;
}

void CZelkView::MeasureDefaultCharWidth()
{
    if (!g_pApp)
        return;
    CAppText& settings = g_pApp->m_appText;
    LOGFONT font = settings.m_logFont;
    font.lfHeight = settings.m_heightTenths;
    font.lfWidth = 0;
    SIZE extent{0, 0};
    if (!MeasureTextExtent(font, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", extent))
        return;
    const int width = extent.cx / 260;
    settings.m_logFont.lfWidth = width;
    settings.m_widthTenths = 10 * width;
}
