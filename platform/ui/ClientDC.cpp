// Window device contexts over the window's surface.
#include "platform/ui/ClientDC.h"

#include "platform/ui/UiInternal.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {
QImage* SurfaceOf(CWnd* pWnd)
{
    static QImage empty(1, 1, QImage::Format_RGB32);
    if (!pWnd || !pWnd->m_pState)
        return &empty;
    pWnd->m_pState->FitSurface();
    return &pWnd->m_pState->surface;
}
} // namespace

CClientDC::CClientDC(CWnd* pWnd) : CPainterDC(SurfaceOf(pWnd)), m_pWnd(pWnd)
{
    // Without a window it is the screen's context, which reports the screen's size, also
    // before the first window made the application.
    if (!pWnd) {
        UiEnsureApplication();
        if (QScreen* screen = QGuiApplication::primaryScreen())
            SetDevice(screen->geometry().width(), screen->geometry().height(), GetDeviceCaps(LOGPIXELSX));
    }
}

CClientDC::~CClientDC()
{
    // What was drawn reaches the screen with the next refresh; nothing is painted again.
    if (UiIsLive(m_pWnd))
        if (QWidget* c = m_pWnd->GetClientWidget())
            c->update();
}

namespace {
// The region of the paint being begun; set before the painter opens on the surface, because the
// erase of the background paints the same surface.
QRegion g_beginRegion;

QImage* BeginPaintSurface(CWnd* pWnd)
{
    g_beginRegion = UiIsLive(pWnd) ? UiBeginPaint(pWnd) : QRegion();
    return SurfaceOf(pWnd);
}
} // namespace

CClientDC::CClientDC(CWnd* pWnd, QImage* surface) : CPainterDC(surface), m_pWnd(pWnd) {}

CPaintDC::~CPaintDC() = default;

CPaintDC::CPaintDC(CWnd* pWnd) : CClientDC(pWnd, BeginPaintSurface(pWnd))
{
    QRegion region = g_beginRegion;
    QRect b = region.boundingRect();
    m_rcPaint = RECT{ b.left(), b.top(), b.left() + b.width(), b.top() + b.height() };
    if (!b.isEmpty())
        SetDeviceClip(&m_rcPaint);
}
