// Placed objects over the drawing.
#include "view/ZelkObj.h"

#include <algorithm>
#include <cmath>

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/ElementCommon.h"
#include "geometry/Clipping.h"
#include "platform/gdi/ImageDC.h"
#include "geometry/Numeric.h"
#include "geometry/RectD.h"
#include "platform/gdi/DC.h"
#include "platform/ui/WinUser.h"
#include "platform/core/Archive.h"
#include "view/ZelkView.h"

IMPLEMENT_SERIAL(CZelkObj, CObject, 0)

void CZelkObj::Serialize(CArchive& ar)
{
    ArchiveI16(ar, m_layer);
    ArchiveI16(ar, m_group);
    ArchivePoint(ar, m_topLeft);
    ArchivePoint(ar, m_bottomRight);
    if (ar.IsStoring()) {
        ar << static_cast<BYTE>(m_state);
        return;
    }
    auto* doc = dynamic_cast<CZelkDoc*>(ar.m_pDocument);
    m_pDocument = doc;
    // Data of the first versions carry no state byte.
    if (!doc || (doc->m_dataVersion != "00.00A" && doc->m_dataVersion != "00.00B" &&
                 doc->m_dataVersion != "00.00C"))
        ArchiveU8(ar, m_state);
    m_savedLayer = m_layer;
    m_savedGroup = m_group;
}

namespace {

// Far-away corners are brought into range before truncation: a double beyond int has no
// integer value.
int TruncClamped(double v)
{
    constexpr double kFar = 1 << 30;
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::clamp(v, -kFar, kFar));
}

}  // namespace

namespace {

// The rectangle of two world corners in a mapping, clamped to the drawing area; nonzero when it
// was clamped or is larger than the limit.
int ClampedRect(const CPointD& topLeft, const CPointD& bottomRight, const CPointD& origin, double zoom,
                double limit, RECT& rect)
{
    const CPointD a = topLeft.WorldToScreen(origin, zoom);
    const CPointD b = bottomRight.WorldToScreen(origin, zoom);
    int clipped = 0;
    double left = a.m_x, top = a.m_y, right = b.m_x, bottom = b.m_y;
    if (left < 0) { left = 0; clipped = 1; }
    if (top > 0) { top = 0; clipped = 1; }
    if (right > 32000) { right = 32000; clipped = 1; }
    if (bottom < -32000) { bottom = -32000; clipped = 1; }
    rect = RECT{TruncClamped(left), TruncClamped(top), TruncClamped(right), TruncClamped(bottom)};
    if (right - left > limit || bottom - top < -limit)
        clipped = 1;
    return clipped;
}

}  // namespace

int CZelkObj::Intersects(CZelkView* view, const RECT& rect)
{
    if (!view)
        return 0;
    // The object's rectangle as its handles lie: whole units from the reference corner.
    const CPointD a = m_topLeft.WorldToScreen(view->m_origin, view->m_zoom);
    const double x1 = TruncClamped(a.m_x);
    const double y1 = TruncClamped(a.m_y);
    const long ox1 = static_cast<long>(x1), oy1 = static_cast<long>(y1);
    const long ox2 = TruncClamped(x1 + (m_bottomRight.m_x - m_topLeft.m_x) * view->m_zoom);
    const long oy2 = TruncClamped(y1 + (m_bottomRight.m_y - m_topLeft.m_y) * view->m_zoom);
    const long rx1 = rect.left, rx2 = rect.right, ry1 = rect.top, ry2 = rect.bottom;
    // Both normalised; they meet when their common part is not empty.
    const long left = std::max(std::min(ox1, ox2), std::min(rx1, rx2));
    const long right = std::min(std::max(ox1, ox2), std::max(rx1, rx2));
    const long top = std::max(std::min(oy1, oy2), std::min(ry1, ry2));
    const long bottom = std::min(std::max(oy1, oy2), std::max(ry1, ry2));
    return left < right && top < bottom ? 1 : 0;
}

int CZelkObj::GetLogicalRect(CZelkView* view, RECT& rect)
{
    const CPointD a = m_topLeft.WorldToScreen(view->m_origin, view->m_zoom);
    const CPointD b = m_bottomRight.WorldToScreen(view->m_origin, view->m_zoom);
    rect = RECT{TruncClamped(a.m_x), TruncClamped(a.m_y), TruncClamped(b.m_x), TruncClamped(b.m_y)};
    if (b.m_x > 32000 || b.m_y < -32000) {
        rect.right = 32000;
        rect.bottom = -32000;
        return 1;
    }
    return 0;
}

int CZelkObj::GetViewRect(CZelkView* view, RECT& rect) const
{
    return ClampedRect(m_topLeft, m_bottomRight, view->m_origin, view->m_zoom, 16500, rect);
}

int CZelkObj::GetActiveViewRect(RECT& rect) const
{
    CPointD origin;
    double zoom = 1.0;
    if (g_pApp) {
        origin = g_pApp->m_viewOrigin;
        zoom = g_pApp->m_viewZoom;
    }
    return ClampedRect(m_topLeft, m_bottomRight, origin, zoom, 4000, rect);
}

POINT CZelkObj::GetHandle(int handle, CZelkView* view) const
{
    const CPointD a = m_topLeft.WorldToScreen(view->m_origin, view->m_zoom);
    const double x1 = TruncClamped(a.m_x);
    const double y1 = TruncClamped(a.m_y);
    const double w = (m_bottomRight.m_x - m_topLeft.m_x) * view->m_zoom;
    const double h = (m_bottomRight.m_y - m_topLeft.m_y) * view->m_zoom;
    const int cx = TruncClamped(x1 + w / 2);
    const int cy = TruncClamped(y1 + h / 2);
    const int right = TruncClamped(x1 + w);
    const int bottom = TruncClamped(y1 + h);
    const int left = static_cast<int>(x1);
    const int top = static_cast<int>(y1);
    switch (handle) {
    case 2: return POINT{cx, top};
    case 3: return POINT{right, top};
    case 4: return POINT{right, cy};
    case 5: return POINT{right, bottom};
    case 6: return POINT{cx, bottom};
    case 7: return POINT{left, bottom};
    case 8: return POINT{left, cy};
    default: return POINT{left, top};
    }
}

LPCTSTR CZelkObj::GetHandleCursor(int handle) const
{
    switch (handle) {
    case 2: case 6: return IDC_SIZENS;
    case 3: case 7: return IDC_SIZENESW;
    case 4: case 8: return IDC_SIZEWE;
    default: return IDC_SIZENWSE;
    }
}

namespace {

// The square of six device pixels about a handle, in logical units of the view's mapping dc.
RECT HandleSquare(CDC& dc, POINT handle)
{
    POINT device = handle;
    dc.LPtoDP(&device);
    RECT r{device.x - 3, device.y - 3, device.x + 3, device.y + 3};
    dc.DPtoLP(&r);
    return r;
}

}  // namespace

RECT CZelkObj::GetHandleRect(CZelkView* view, int handle) const
{
    CImageDC dc(1, 1);
    view->OnPrepareDC(&dc);
    return HandleSquare(dc, GetHandle(handle, view));
}

int CZelkObj::HitTest(POINT point, CZelkView* view, BOOL selected)
{
    (void)selected;
    // Every pointer move over a selected object asks: one mapping serves all the handles.
    CImageDC dc(1, 1);
    view->OnPrepareDC(&dc);
    for (int n = 1; n <= GetHandleCount(); ++n) {
        const RECT r = HandleSquare(dc, GetHandle(n, view));
        // Logical y grows upwards: the square's top is its greater y.
        if (r.left <= point.x && point.x < r.right && r.bottom < point.y && point.y <= r.top)
            return n;
    }
    return 0;
}

void CZelkObj::DrawTracker(CZelkView* view, CDC* dc)
{
    if (m_state != 1 && m_state != 2)
        return;
    RECT client{0, 0, 0, 0};
    if (view->m_hWnd)
        view->GetClientRect(&client);
    else
        client = view->LogicalToDeviceRect(view->m_clientRectLogical);
    const RECT c = view->DeviceToLogicalRect(client);
    const long low = std::min(c.top, c.bottom), high = std::max(c.top, c.bottom);
    for (int n = 1; n <= GetHandleCount(); ++n) {
        const POINT p = GetHandle(n, view);
        if (p.x < c.left || p.x > c.right || p.y < low || p.y > high)
            continue;
        dc->PatBlt(p.x - 7, p.y - 7, 15, 15, DSTINVERT);
    }
}

void CZelkObj::SetFromLogicalRect(CZelkView* view, const RECT& rect)
{
    m_topLeft = ScreenXYToWorld(rect.left, rect.top, view->m_origin.m_x, view->m_origin.m_y, view->m_zoom);
    m_bottomRight.m_x = m_topLeft.m_x + (rect.right - rect.left);
    m_bottomRight.m_y = m_topLeft.m_y + (rect.bottom - rect.top);
}

void CZelkObj::Invalidate()
{
    if (m_pDocument)
        m_pDocument->UpdateAllViews(nullptr, 1, this);
}

CZelkView* CZelkObj::MappingView(CZelkView* view) const
{
    if (!view && m_pDocument && !m_pDocument->GetViews().empty())
        return m_pDocument->GetViews().front();
    return view;
}

void CZelkObj::MoveTo(const RECT& rect, CZelkView* view)
{
    CZelkView* frame = MappingView(view);
    if (!frame)
        return;
    const CPointD corner =
        ScreenXYToWorld(rect.left, rect.top, frame->m_origin.m_x, frame->m_origin.m_y, frame->m_zoom);
    const double w = (rect.right - rect.left) / frame->m_zoom;
    const double h = (rect.bottom - rect.top) / frame->m_zoom;
    if (corner.m_x == m_topLeft.m_x && corner.m_y == m_topLeft.m_y &&
        NearlyEqual(w, m_bottomRight.m_x - m_topLeft.m_x) &&
        NearlyEqual(h, m_bottomRight.m_y - m_topLeft.m_y))
        return;
    auto invalidate = [&] {
        if (view)
            view->InvalidateObject(this);
        else
            Invalidate();
    };
    invalidate();
    m_topLeft = corner;
    m_bottomRight.m_x = corner.m_x + w;
    m_bottomRight.m_y = corner.m_y + h;
    invalidate();
    if (m_pDocument)
        m_pDocument->SetModifiedFlag(TRUE);
}

void CZelkObj::MoveHandleTo(int handle, POINT point, CZelkView* view)
{
    RECT r;
    GetViewRect(view, r);
    // An object of nearly no width has no ratio to keep: its corners move the x side only.
    const bool ratio = std::isfinite(m_aspect) && std::fabs(m_aspect) < 1e6;
    auto scaled = [&](long v) {
        return ratio ? TruncClamped(RoundToDecimals(v * m_aspect, 0)) : 0;
    };
    switch (handle) {
    case 2: r.top = point.y; break;
    case 3: r.right = point.x; if (ratio) r.top = r.bottom - scaled(point.x - r.left); break;
    case 4: r.right = point.x; break;
    case 5: r.right = point.x; if (ratio) r.bottom = r.top + scaled(point.x - r.left); break;
    case 6: r.bottom = point.y; break;
    case 7: r.left = point.x; if (ratio) r.bottom = r.top + scaled(r.right - point.x); break;
    case 8: r.left = point.x; break;
    default: r.left = point.x; if (ratio) r.top = r.bottom - scaled(r.right - point.x); break;
    }
    MoveTo(r, view);
}

int CZelkObj::GetPrintRect(const CPointD& origin, double zoom, const RECT& clip, double xOffset,
                           double yOffset, double scale, RECT& rect) const
{
    CRectD page;
    page.Init(clip.left, clip.top, clip.right, clip.bottom);
    if (scale != 0) {
        page.m_left /= scale;
        page.m_top /= scale;
        page.m_right /= scale;
        page.m_bottom /= scale;
    }
    CPointD a = m_topLeft.WorldToScreen(origin, zoom);
    CPointD b = m_bottomRight.WorldToScreen(origin, zoom);
    a.m_x -= xOffset;
    a.m_y -= yOffset;
    b.m_x -= xOffset;
    b.m_y -= yOffset;
    int inside = 0;
    if (!ClipSegmentToRectD(a, b, page, inside)) {
        rect = RECT{0, 0, 0, 0};
        return -1;
    }
    a.m_x *= scale;
    a.m_y *= scale;
    b.m_x *= scale;
    b.m_y *= scale;
    int flag = 0;
    if (a.m_x < 0 || a.m_y > 0)
        flag = 1;
    if (b.m_x > 32000 || b.m_y < -32000)
        flag = -1;
    if (a.m_y < b.m_y)
        std::swap(a.m_y, b.m_y);
    rect = RECT{TruncClamped(a.m_x), TruncClamped(a.m_y), TruncClamped(b.m_x), TruncClamped(b.m_y)};
    return flag;
}
