// CWnd on Qt: the surface widget, the event bridge that turns Qt events into window messages
// (with Windows' double-click order, capture and pre-translation), painting from the persistent
// surface, timers through the services, scroll bars, focus and placement.
#include "platform/ui/UiInternal.h"
#include "platform/gdi/PainterDC.h"

#include "platform/ui/KeyMap.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WndClass.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleHints>
#include <QTimer>
#include <QTranslator>
#include <QWheelEvent>

#include <cmath>
#include <cstdlib>
#include <vector>
#include <unordered_map>
#include <unordered_set>

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

namespace {

std::unordered_map<QWidget*, CWnd*> g_widgets;
std::unordered_set<const CWnd*> g_live;
std::unordered_set<QWidget*> g_foreign;
CWnd* g_capture = nullptr;
CWnd* g_focus = nullptr;
CWnd* g_cursorWnd = nullptr;
HCURSOR g_cursor = nullptr;
DWORD g_messageTime = 0;
int g_waitCursor = 0;

// The last press, for Windows' own double-click detection.
struct LastPress {
    CWnd* wnd = nullptr;
    UINT button = 0;
    ulong time = 0;
    QPoint pos;
    bool valid = false;
} g_lastPress, g_lastQtPress; // the last press of a pair, the last press Qt delivered

// Paints a window's surface to the screen; WM_PAINT runs first when part of it is invalid.
class CSurfaceWidget : public QWidget {
public:
    CSurfaceWidget(CWnd* wnd, QWidget* parent) : QWidget(parent), m_wnd(wnd)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_InputMethodEnabled, true);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!UiIsLive(m_wnd) || !m_wnd->m_pState)
            return;
        CWndState* st = m_wnd->m_pState;
        st->FitSurface();
        if (!st->invalid.isEmpty())
            UiPaintNow(m_wnd);
        QPainter p(this);
        p.drawImage(0, 0, st->surface);
    }
    void resizeEvent(QResizeEvent*) override
    {
        if (!UiIsLive(m_wnd) || !m_wnd->m_pState)
            return;
        CWndState* st = m_wnd->m_pState;
        st->LayoutScrollBars();
        QSize before = st->surface.size();
        st->FitSurface();
        QSize after = st->surface.size();
        if (after != before) {
            // A window without redraw-on-resize styles still gets the newly exposed parts; we
            // repaint all of it, as the program's window classes ask.
            st->invalid = QRegion(0, 0, after.width(), after.height());
            st->erase = true;
        }
        if (m_wnd->GetClientWidget() == this) {
            CRect rc;
            m_wnd->GetClientRect(&rc);
            m_wnd->SendMessage(WM_SIZE, m_wnd->IsZoomed() ? SIZE_MAXIMIZED : SIZE_RESTORED,
                               MAKELONG(static_cast<WORD>(rc.Width()), static_cast<WORD>(rc.Height())));
        }
    }

private:
    CWnd* m_wnd;
};

UINT ButtonIndex(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton: return 0;
    case Qt::RightButton: return 1;
    case Qt::MiddleButton: return 2;
    default: return 3;
    }
}

const UINT kDownMsg[3] = { WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN };
const UINT kUpMsg[3] = { WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP };
const UINT kDblMsg[3] = { WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK };

UINT MouseFlags(const QMouseEvent* e)
{
    UINT f = 0;
    if (e->buttons() & Qt::LeftButton) f |= MK_LBUTTON;
    if (e->buttons() & Qt::RightButton) f |= MK_RBUTTON;
    if (e->buttons() & Qt::MiddleButton) f |= MK_MBUTTON;
    if (e->modifiers() & Qt::ShiftModifier) f |= MK_SHIFT;
    if (e->modifiers() & Qt::ControlModifier) f |= MK_CONTROL;
    return f;
}

LPARAM PointParam(QPoint p)
{
    return static_cast<LPARAM>(MAKELONG(static_cast<WORD>(static_cast<short>(p.x())),
                                        static_cast<WORD>(static_cast<short>(p.y()))));
}

// Offers a message to the pre-translation chain from the target window up to its top-level
// window, as the message loop does before dispatching it. TRUE when one consumed it.
BOOL WalkPreTranslate(CWnd* target, MSG& msg)
{
    for (CWnd* w = target; w; w = w->GetParent()) {
        if (!UiIsLive(w))
            return TRUE;
        if (w->PreTranslateMessage(&msg))
            return TRUE;
    }
    return FALSE;
}

// Pre-translates and dispatches one input message. Returns TRUE when the program handled it
// completely, FALSE when Qt's own widget should still act on the event (a native control whose
// handlers left the message to the default processing).
BOOL DispatchInput(CWnd* target, MSG& msg, bool* consumedByPreTranslate = nullptr)
{
    g_messageTime = msg.time;
    if (WalkPreTranslate(target, msg)) {
        if (consumedByPreTranslate)
            *consumedByPreTranslate = true;
        return TRUE;
    }
    if (!UiIsLive(target))
        return TRUE;
    target->m_bDefaultCalled = FALSE;
    target->WindowProc(msg.message, msg.wParam, msg.lParam);
    if (!UiIsLive(target))
        return TRUE;
    return !(target->IsNativeControl() && target->m_bDefaultCalled);
}

MSG MakeMsg(CWnd* w, UINT message, WPARAM wParam, LPARAM lParam, ulong time)
{
    MSG m{};
    m.hwnd = w ? w->m_hWnd : nullptr;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = static_cast<DWORD>(time);
    QPoint g = QCursor::pos();
    m.pt.x = g.x();
    m.pt.y = g.y();
    return m;
}

// The characters a key press types, as WM_CHAR sees them: Shift-JIS bytes or control codes.
std::string TypedChars(const QKeyEvent* e, UINT vk)
{
    QString text = e->text();
    if (!text.isEmpty() && !text.at(0).isNull()) {
        if (text.at(0).unicode() < 0x20 || text.at(0).unicode() == 0x7F)
            return std::string(1, static_cast<char>(text.at(0).unicode()));
        return FromQ(text).Std();
    }
    if (e->modifiers() & Qt::ControlModifier) {
        if (vk >= 'A' && vk <= 'Z')
            return std::string(1, static_cast<char>(vk - 'A' + 1));
        return std::string();
    }
    switch (vk) {
    case VK_RETURN: return "\r";
    case VK_ESCAPE: return "\x1b";
    case VK_BACK: return "\b";
    case VK_TAB: return "\t";
    default: return std::string();
    }
}

// An open popup menu (or any popup that is not a control's own drop-down list) keeps every
// mouse and key event: the windows under it never see them, as under a Windows menu loop.
bool PopupMenuOpen()
{
    QWidget* popup = QApplication::activePopupWidget();
    if (!popup)
        return false;
    CWnd* owner = UiWndFromWidget(popup);
    return !(owner && owner->IsNativeControl());
}

// Whether an event on widget w is a message for wnd (the window w belongs to). Only a control's
// widgets and a window's client area are the program's; Qt's own parts around them (a frame's
// menu bar and tool buttons, a sub-window's title bar, popup menus) keep their events.
bool ForTheWindow(QWidget* w, CWnd* wnd, bool keyboard)
{
    if (wnd->IsNativeControl())
        return true;
    // Widgets inside a window that stand for no window (a tool bar's buttons) are Qt's.
    auto it = g_widgets.find(w);
    if (it == g_widgets.end() || it->second != wnd)
        return false;
    // A frame with the keyboard takes its keys (its accelerators), but the pointer only in its
    // client area: around it lie the bars and, for a child window, the title bar.
    QWidget* client = wnd->GetClientWidget();
    return keyboard || (client && (w == client || client->isAncestorOf(w)));
}

class CEventBridge : public QObject {
public:
    bool eventFilter(QObject* obj, QEvent* ev) override
    {
        if (!obj->isWidgetType())
            return false;
        switch (ev->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return Key(static_cast<QWidget*>(obj), static_cast<QKeyEvent*>(ev));
        case QEvent::MouseButtonRelease:
            EndScrollOnRelease(static_cast<QWidget*>(obj));
            return Mouse(static_cast<QWidget*>(obj), static_cast<QMouseEvent*>(ev));
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return Mouse(static_cast<QWidget*>(obj), static_cast<QMouseEvent*>(ev));
        case QEvent::Wheel:
            return Wheel(static_cast<QWidget*>(obj), static_cast<QWheelEvent*>(ev));
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            return Focus(static_cast<QWidget*>(obj), static_cast<QFocusEvent*>(ev));
        case QEvent::Enter:
        case QEvent::Leave:
            HitTestOnCrossing(static_cast<QWidget*>(obj), ev->type() == QEvent::Leave);
            return false;
        case QEvent::ContextMenu:
            return false;
        default:
            return false;
        }
    }

private:
    bool Key(QWidget* w, QKeyEvent* e)
    {
        CWnd* wnd = UiWndFromWidget(w);
        if (!wnd || PopupMenuOpen() || !ForTheWindow(w, wnd, true))
            return false;
        const bool down = e->type() == QEvent::KeyPress;
        UINT vk = UiVirtualKeyFromEvent(e);
        UiNoteModifiers(e);
        if (vk)
            UiNoteKey(vk, down);
        if (!vk)
            return false;
        const bool alt = (e->modifiers() & Qt::AltModifier) || vk == VK_MENU;
        const bool sys = alt || vk == VK_F10;
        UINT message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
        LPARAM lParam = MakeKeyLParam(vk, 1, e->isAutoRepeat() && down, !down);
        if (alt && vk != VK_F10)
            lParam |= 1 << 29; // context code: Alt held
        MSG msg = MakeMsg(wnd, message, vk, lParam, e->timestamp());
        bool consumed = false;
        BOOL handled = DispatchInput(wnd, msg, &consumed);
        if (!down || consumed || !UiIsLive(wnd))
            return handled || consumed;
        // The message loop's translation: a key that types characters sends WM_CHAR.
        std::string chars = TypedChars(e, vk);
        for (unsigned char c : chars) {
            MSG cm = MakeMsg(wnd, sys ? WM_SYSCHAR : WM_CHAR, c, lParam, e->timestamp());
            if (DispatchInput(wnd, cm))
                handled = TRUE;
            if (!UiIsLive(wnd))
                return true;
        }
        return handled;
    }

    // A scroll bar's arrows and page areas end their scrolling when the button comes up, as the
    // thumb does when it is let go.
    static void EndScrollOnRelease(QWidget* w)
    {
        auto* bar = qobject_cast<QScrollBar*>(w);
        if (!bar || !g_foreign.count(w) || bar->isSliderDown() || !w->parentWidget())
            return;
        CWnd* wnd = UiWndFromWidget(w->parentWidget());
        if (!wnd || !wnd->m_pState)
            return;
        for (int i = SB_HORZ; i <= SB_VERT; ++i)
            if (wnd->m_pState->bars[i] == bar) {
                wnd->SendMessage(i == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, SB_ENDSCROLL, 0);
                return;
            }
    }

    // Windows asks the window under the pointer where the pointer is on every move; here the
    // pointer leaving a window's client area, or entering one of its scroll bars, asks too, so
    // that the window sees the pointer go from its client area.
    static void HitTestOnCrossing(QWidget* w, bool leave)
    {
        if (UiIsLive(g_capture) || PopupMenuOpen())
            return;
        CWnd* wnd = nullptr;
        if (leave) {
            wnd = UiWndFromWidget(w);
            if (!wnd || wnd->IsNativeControl() || wnd->GetClientWidget() != w)
                return;
        } else {
            if (!g_foreign.count(w) || !qobject_cast<QScrollBar*>(w) || !w->parentWidget())
                return;
            wnd = UiWndFromWidget(w->parentWidget());
            if (!wnd || wnd->IsNativeControl() || wnd->GetClientWidget() != w->parentWidget())
                return;
        }
        const QPoint g = QCursor::pos();
        wnd->SendMessage(WM_NCHITTEST, 0, PointParam(g));
    }

    bool Mouse(QWidget* w, QMouseEvent* e)
    {
        if (g_foreign.count(w) || PopupMenuOpen())
            return false;
        const bool captured = g_capture && UiIsLive(g_capture);
        CWnd* wnd = captured ? g_capture : UiWndFromWidget(w);
        if (!wnd || (!captured && !ForTheWindow(w, wnd, false)))
            return false;
        UiNoteModifiers(e);
        QWidget* client = wnd->GetClientWidget();
        if (!client)
            return false;
        // Client coordinates, also for a captured window the pointer has left.
        QPoint pos = client->mapFromGlobal(e->globalPosition().toPoint());
        g_cursorWnd = wnd;
        const UINT flags = MouseFlags(e);
        if (e->type() == QEvent::MouseMove) {
            if (!g_capture) {
                // Windows asks the window under the pointer where it is, then for its cursor,
                // before each move.
                const LRESULT hit = wnd->SendMessage(WM_NCHITTEST, 0, PointParam(e->globalPosition().toPoint()));
                if (!UiIsLive(wnd))
                    return true;
                wnd->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd->m_hWnd),
                                 MAKELONG(static_cast<WORD>(hit), WM_MOUSEMOVE));
                if (!UiIsLive(wnd))
                    return true;
            }
            MSG msg = MakeMsg(wnd, WM_MOUSEMOVE, flags, PointParam(pos), e->timestamp());
            return DispatchInput(wnd, msg);
        }
        UINT bi = ButtonIndex(e->button());
        if (bi > 2)
            return false;
        if (e->type() == QEvent::MouseButtonDblClick) {
            // Qt's widgets get the second press of a double-click as this event alone; where a
            // press came before it, our own detection turned that press into the double-click.
            if (g_lastQtPress.valid && g_lastQtPress.button == bi && g_lastQtPress.time == e->timestamp())
                return !wnd->IsNativeControl();
        }
        UINT message;
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) {
            g_lastQtPress = { wnd, bi, e->timestamp(), pos, e->type() == QEvent::MouseButtonPress };
            message = kDownMsg[bi];
            const int distance = std::max(2, QGuiApplication::styleHints()->mouseDoubleClickDistance() / 2);
            const ulong interval = static_cast<ulong>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
            // Only a window whose class takes double clicks gets them; others see two presses.
            if (wnd->m_pState && wnd->m_pState->dblclks && g_lastPress.valid && g_lastPress.wnd == wnd && g_lastPress.button == bi
                && e->timestamp() - g_lastPress.time <= interval
                && std::abs(pos.x() - g_lastPress.pos.x()) <= distance
                && std::abs(pos.y() - g_lastPress.pos.y()) <= distance) {
                message = kDblMsg[bi];
                g_lastPress.valid = false; // a third click starts a new pair
            } else {
                g_lastPress = { wnd, bi, e->timestamp(), pos, true };
            }
            if (!wnd->IsNativeControl() && wnd->GetClientWidget())
                wnd->GetClientWidget()->setFocus(Qt::MouseFocusReason);
        } else {
            message = kUpMsg[bi];
        }
        MSG msg = MakeMsg(wnd, message, flags, PointParam(pos), e->timestamp());
        return DispatchInput(wnd, msg);
    }

    bool Wheel(QWidget* w, QWheelEvent* e)
    {
        CWnd* under = UiWndFromWidget(w);
        if (!under || g_foreign.count(w) || PopupMenuOpen() || !ForTheWindow(w, under, false))
            return false;
        // The wheel turns for the window with the keyboard focus, as Windows sends it.
        CWnd* wnd = UiIsLive(g_focus) && g_focus->m_hWnd ? g_focus : under;
        UiNoteModifiers(e);
        UINT flags = 0;
        if (e->buttons() & Qt::LeftButton) flags |= MK_LBUTTON;
        if (e->buttons() & Qt::RightButton) flags |= MK_RBUTTON;
        if (e->buttons() & Qt::MiddleButton) flags |= MK_MBUTTON;
        if (e->modifiers() & Qt::ShiftModifier) flags |= MK_SHIFT;
        if (e->modifiers() & Qt::ControlModifier) flags |= MK_CONTROL;
        short delta = static_cast<short>(e->angleDelta().y());
        QPoint g = e->globalPosition().toPoint();
        MSG msg = MakeMsg(wnd, WM_MOUSEWHEEL, MAKELONG(static_cast<WORD>(flags), static_cast<WORD>(delta)),
                          PointParam(g), e->timestamp());
        return DispatchInput(wnd, msg);
    }

    bool Focus(QWidget* w, QFocusEvent* e)
    {
        CWnd* wnd = UiWndFromWidget(w);
        if (!wnd || g_foreign.count(w))
            return false;
        // The menu bar taking the keyboard for its own navigation is no window's focus.
        if (e->type() == QEvent::FocusIn && !ForTheWindow(w, wnd, true))
            return false;
        if (e->type() == QEvent::FocusIn) {
            if (g_focus == wnd)
                return false;
            CWnd* old = UiIsLive(g_focus) ? g_focus : nullptr;
            g_focus = wnd;
            wnd->SendMessage(WM_SETFOCUS, reinterpret_cast<WPARAM>(old ? old->m_hWnd : nullptr), 0);
        } else {
            if (g_focus != wnd)
                return false;
            // Focus moving inside the same window (a combo box's edit field) is no change.
            QWidget* next = QApplication::focusWidget();
            CWnd* nextWnd = next ? UiWndFromWidget(next) : nullptr;
            if (nextWnd == wnd)
                return false;
            g_focus = nullptr;
            wnd->SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(nextWnd ? nextWnd->m_hWnd : nullptr), 0);
        }
        return false;
    }
};

CEventBridge* g_bridge = nullptr;

} // namespace

// ---------------------------------------------------------------------------------------------
// Registry of windows and widgets

void UiEnsureApplication()
{
    if (!QApplication::instance()) {
        static int argc = 1;
        static char arg0[] = "zelk";
        static char* argv[] = { arg0, nullptr };
        new QApplication(argc, argv);
    }
    if (!g_bridge) {
        g_bridge = new CEventBridge;
        QApplication::instance()->installEventFilter(g_bridge);
        // The program speaks Japanese whatever the locale, and so do Qt's own dialogs and
        // buttons; without the translations installed they stay English.
        auto* translator = new QTranslator(QApplication::instance());
        if (translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QApplication::installTranslator(translator);
        else
            delete translator;
    }
}

CWnd* UiWndFromWidget(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (g_foreign.count(w))
            return nullptr;
        auto it = g_widgets.find(w);
        if (it != g_widgets.end())
            return it->second;
    }
    return nullptr;
}

void UiRegisterWidget(QWidget* widget, CWnd* wnd)
{
    g_widgets[widget] = wnd;
}

void UiUnregisterWidget(QWidget* widget)
{
    g_widgets.erase(widget);
}

void UiMarkForeign(QWidget* widget)
{
    g_foreign.insert(widget);
    QObject::connect(widget, &QObject::destroyed, [widget]() { g_foreign.erase(widget); });
}

bool UiIsLive(const CWnd* wnd)
{
    return wnd && g_live.count(wnd);
}

QColor UiBackground(CWnd* wnd)
{
    return wnd && wnd->m_pState ? wnd->m_pState->background : QColor(Qt::white);
}

QRegion UiBeginPaint(CWnd* wnd)
{
    CWndState* st = wnd->m_pState;
    if (!st)
        return QRegion();
    st->FitSurface();
    QRegion region = st->invalid;
    if (st->erase && !region.isEmpty()) {
        st->erase = false;
        wnd->m_bDefaultCalled = FALSE;
        // WM_ERASEBKGND: the default fills the invalid part with the class background.
        if (!wnd->SendMessage(WM_ERASEBKGND, 0, 0) && st->erases && !st->surface.isNull()) {
            // Through the surface's one painter: a client context may be open on it.
            CPainterDC dc(&st->surface);
            QPainter* p = dc.GetPainter();
            p->save();
            p->setClipRegion(region);
            p->fillRect(st->surface.rect(), UiBackground(wnd));
            p->restore();
        }
    }
    st->invalid = QRegion();
    return region;
}

void UiPaintNow(CWnd* wnd)
{
    CWndState* st = wnd->m_pState;
    if (!st || st->invalid.isEmpty())
        return;
    wnd->SendMessage(WM_PAINT, 0, 0);
    // A handler that did not validate (no BeginPaint) must not be called forever.
    if (UiIsLive(wnd) && wnd->m_pState)
        wnd->m_pState->invalid = QRegion();
}

void CWndState::FitSurface()
{
    QWidget* c = client ? client.data() : widget.data();
    if (!c)
        return;
    QSize size = c->size();
    if (size.width() < 1 || size.height() < 1)
        size = QSize(std::max(1, size.width()), std::max(1, size.height()));
    // A context still painting the surface keeps it until it ends; the next fit resizes it.
    if (surface.size() == size || surface.paintingActive())
        return;
    QImage next(size, QImage::Format_RGB32);
    next.fill(Qt::white);
    if (!surface.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, surface);
    }
    surface = next;
}

void CWndState::LayoutScrollBars()
{
    QWidget* c = client ? client.data() : widget.data();
    if (!c)
        return;
    const int extent = c->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const bool h = bars[0] && scroll[0].visible;
    const bool v = bars[1] && scroll[1].visible;
    if (bars[0]) {
        bars[0]->setVisible(h);
        if (h)
            bars[0]->setGeometry(0, c->height() - extent, c->width() - (v ? extent : 0), extent);
    }
    if (bars[1]) {
        bars[1]->setVisible(v);
        if (v)
            bars[1]->setGeometry(c->width() - extent, 0, extent, c->height() - (h ? extent : 0));
    }
}

void UiBeginWaitCursor()
{
    UiEnsureApplication();
    if (g_waitCursor++ == 0)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void UiEndWaitCursor()
{
    if (g_waitCursor > 0 && --g_waitCursor == 0)
        QApplication::restoreOverrideCursor();
}

void UiRestoreWaitCursor()
{
    if (g_waitCursor > 0 && !QApplication::overrideCursor())
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

// ---------------------------------------------------------------------------------------------
// CWnd

CWnd::CWnd()
{
    g_live.insert(this);
}

CWnd::~CWnd()
{
    m_bInDestructor = TRUE;
    if (m_hWnd)
        DestroyWindow();
    if (g_capture == this)
        g_capture = nullptr;
    if (g_focus == this)
        g_focus = nullptr;
    if (g_cursorWnd == this)
        g_cursorWnd = nullptr;
    if (g_lastPress.wnd == this)
        g_lastPress.valid = false, g_lastPress.wnd = nullptr;
    g_live.erase(this);
    Detach();
    delete m_pState;
}

QWidget* CWnd::CreateNativeWidget(QWidget* parent)
{
    return new CSurfaceWidget(this, parent);
}

QWidget* CWnd::GetQWidget() const
{
    return m_pState ? m_pState->widget.data() : nullptr;
}

QWidget* CWnd::GetClientWidget() const
{
    if (!m_pState)
        return nullptr;
    return m_pState->client ? m_pState->client.data() : m_pState->widget.data();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&)
{
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    UiEnsureApplication();
    if (m_hWnd)
        return FALSE;
    CREATESTRUCT cs{};
    cs.lpCreateParams = pContext;
    cs.hwndParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.style = static_cast<LONG>(dwStyle);
    cs.lpszName = lpszWindowName;
    cs.lpszClass = lpszClassName;
    if (!PreCreateWindow(cs))
        return FALSE;
    QWidget* parentWidget = pParentWnd ? pParentWnd->GetClientWidget() : nullptr;
    QWidget* w = CreateNativeWidget(parentWidget);
    if (!w)
        return FALSE;
    Attach(w, pParentWnd, nID);
    m_style = static_cast<DWORD>(cs.style);
    if (const CWndClassInfo* cls = AfxFindWndClass(cs.lpszClass)) {
        m_pState->dblclks = (cls->style & CS_DBLCLKS) != 0;
        m_pState->cursor = cls->cursor;
        m_pState->erases = cls->hasBackground;
        m_pState->background = QColor(GetRValue(cls->background), GetGValue(cls->background), GetBValue(cls->background));
    }
    if (cs.cx > 0 || cs.cy > 0)
        w->setGeometry(cs.x, cs.y, std::max(0, cs.cx), std::max(0, cs.cy));
    if (cs.lpszName && !IS_INTRESOURCE(cs.lpszName))
        SetWindowText(cs.lpszName);
    if (m_style & (WS_HSCROLL))
        ShowScrollBar(SB_HORZ, TRUE);
    if (m_style & (WS_VSCROLL))
        ShowScrollBar(SB_VERT, TRUE);
    if (SendMessage(WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == static_cast<LRESULT>(-1)) {
        DestroyWindow();
        return FALSE;
    }
    if (!UiIsLive(this) || !m_hWnd)
        return FALSE;
    if (m_style & WS_DISABLED)
        EnableWindow(FALSE);
    if (m_style & WS_VISIBLE)
        w->show();
    return TRUE;
}

void CWnd::Attach(QWidget* widget, CWnd* pParent, UINT nID)
{
    if (!m_pState) {
        m_pState = new CWndState;
        m_pState->wnd = this;
    }
    m_pState->widget = widget;
    m_pParent = pParent;
    m_nID = nID;
    m_hWnd = reinterpret_cast<HWND>(this);
    UiRegisterWidget(widget, this);
    if (m_pState->client && m_pState->client != widget)
        UiRegisterWidget(m_pState->client, this);
}

void CWnd::Detach()
{
    // Every widget that stood for this window (its own, its client, parts such as a viewport).
    for (auto it = g_widgets.begin(); it != g_widgets.end();) {
        if (it->second == this)
            it = g_widgets.erase(it);
        else
            ++it;
    }
    m_hWnd = nullptr;
}

namespace {

// The windows whose handlers are running, innermost last.
std::vector<CWnd*> g_handling;

// Whether a window whose handler runs lies inside the window (not the window itself): its
// handler would go on in a freed object if the window were destroyed at once.
bool ChildIsHandling(const CWnd* wnd)
{
    for (const CWnd* w : g_handling) {
        if (w == wnd || !UiIsLive(w))
            continue;
        for (const CWnd* p = w->GetParent(); p; p = p->GetParent())
            if (p == wnd)
                return true;
    }
    return false;
}

} // namespace

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd || m_bInDestroy)
        return FALSE;
    if (dynamic_cast<CMDIChildWnd*>(this) && ChildIsHandling(this)) {
        // A document window destroyed from inside its view's handler: it goes from the screen
        // now and is destroyed once the handler has returned.
        if (QWidget* w = GetQWidget())
            w->hide();
        CWnd* self = this;
        QTimer::singleShot(0, QApplication::instance(), [self]() {
            if (UiIsLive(self) && self->m_hWnd)
                self->DestroyWindow();
        });
        return TRUE;
    }
    m_bInDestroy = TRUE;
    // Child windows go first, as Windows destroys them before the parent's WM_NCDESTROY.
    std::vector<CWnd*> children;
    for (auto& kv : g_widgets)
        if (kv.second != this && kv.second->m_pParent == this && kv.second->m_hWnd)
            children.push_back(kv.second);
    std::sort(children.begin(), children.end());
    children.erase(std::unique(children.begin(), children.end()), children.end());
    SendMessage(WM_DESTROY, 0, 0);
    for (CWnd* c : children)
        if (UiIsLive(c) && c->m_hWnd)
            c->DestroyWindow();
    if (m_pState) {
        for (UINT_PTR id : m_pState->timers)
            Services().StopTimer(this, static_cast<UINT>(id));
        m_pState->timers.clear();
    }
    if (g_capture == this)
        g_capture = nullptr;
    if (g_focus == this)
        g_focus = nullptr;
    QWidget* w = GetQWidget();
    bool owns = m_pState && m_pState->ownsWidget;
    Detach();
    if (w && owns) {
        w->hide();
        w->deleteLater();
    }
    if (m_pState) {
        m_pState->widget = nullptr;
        m_pState->client = nullptr;
        m_pState->bars[0] = m_pState->bars[1] = nullptr;
    }
    m_bInDestroy = FALSE;
    PostNcDestroy();
    return TRUE;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!UiIsLive(this))
        return 0;
    return WindowProc(message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    UiEnsureApplication();
    CWnd* self = this;
    QTimer::singleShot(0, QApplication::instance(), [self, message, wParam, lParam]() {
        if (UiIsLive(self) && self->m_hWnd)
            self->SendMessage(message, wParam, lParam);
    });
    return TRUE;
}

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    return UiIsLive(w) ? w->SendMessage(message, wParam, lParam) : 0;
}

BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    return UiIsLive(w) ? w->PostMessage(message, wParam, lParam) : FALSE;
}

BOOL IsWindow(HWND hWnd)
{
    CWnd* w = CWnd::FromHandle(hWnd);
    return UiIsLive(w) && w->m_hWnd != nullptr;
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_lastMsg.message, m_lastMsg.wParam, m_lastMsg.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_bDefaultCalled = TRUE;
    switch (message) {
    case WM_SETCURSOR: {
        // The parent decides first; otherwise the window class's arrow.
        if (m_pParent && UiIsLive(m_pParent) && !(m_style & WS_POPUP)
            && m_pParent->SendMessage(WM_SETCURSOR, wParam, lParam))
            return TRUE;
        if (m_pState && m_pState->cursor)
            ::SetCursor(m_pState->cursor);
        else
            ::SetCursor(LoadCursor(IDC_ARROW));
        return FALSE;
    }
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_ERASEBKGND:
        return 0;
    case WM_PAINT:
        UiBeginPaint(this);
        return 0;
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
        // Unhandled wheel turns and context-menu requests go to the parent, as Windows passes
        // them up.
        if (m_pParent && UiIsLive(m_pParent))
            return m_pParent->SendMessage(message, wParam, lParam);
        return 0;
    case WM_SETTEXT:
        SetWindowText(reinterpret_cast<LPCTSTR>(lParam));
        return TRUE;
    case WM_GETTEXT: {
        CString s;
        GetWindowText(s);
        int n = std::min(s.GetLength(), static_cast<int>(wParam) - 1);
        if (n < 0)
            return 0;
        std::memcpy(reinterpret_cast<char*>(lParam), s.GetString(), static_cast<size_t>(n));
        reinterpret_cast<char*>(lParam)[n] = 0;
        return n;
    }
    case WM_GETTEXTLENGTH:
        return GetWindowTextLength();
    default:
        return 0;
    }
}

namespace {
CPoint PointFromParam(LPARAM l)
{
    return CPoint(static_cast<short>(LOWORD(static_cast<DWORD>(l))), static_cast<short>(HIWORD(static_cast<DWORD>(l))));
}
} // namespace

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    g_handling.push_back(this);
    struct Handled {
        ~Handled() { g_handling.pop_back(); }
    } handled;
    MSG saved = m_lastMsg;
    m_lastMsg.hwnd = m_hWnd;
    m_lastMsg.message = message;
    m_lastMsg.wParam = wParam;
    m_lastMsg.lParam = lParam;
    struct Restore {
        CWnd* w;
        MSG m;
        ~Restore()
        {
            if (UiIsLive(w))
                w->m_lastMsg = m;
        }
    } restore{ this, saved };

    if (const AFX_MSGMAP_ENTRY* e = FindMessageEntry(message))
        return CallMessageEntry(e, wParam, lParam);

    const UINT flags = static_cast<UINT>(wParam);
    const CPoint pt = PointFromParam(lParam);
    const UINT rep = static_cast<UINT>(lParam & 0xFFFF);
    const UINT keyFlags = static_cast<UINT>((static_cast<DWORD>(lParam) >> 16) & 0xFFFF);
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_SIZE: OnSize(flags, LOWORD(static_cast<DWORD>(lParam)), HIWORD(static_cast<DWORD>(lParam))); return 0;
    case WM_MOVE: OnMove(pt.x, pt.y); return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return OnEraseBkgnd(reinterpret_cast<CDC*>(wParam));
    case WM_CLOSE: OnClose(); return 0;
    case WM_SETFOCUS: OnSetFocus(FromHandle(reinterpret_cast<HWND>(wParam))); return 0;
    case WM_KILLFOCUS: OnKillFocus(FromHandle(reinterpret_cast<HWND>(wParam))); return 0;
    case WM_SHOWWINDOW: OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(flags, pt); return 0;
    case WM_LBUTTONUP: OnLButtonUp(flags, pt); return 0;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(flags, pt); return 0;
    case WM_RBUTTONDOWN: OnRButtonDown(flags, pt); return 0;
    case WM_RBUTTONUP: OnRButtonUp(flags, pt); return 0;
    case WM_RBUTTONDBLCLK: OnRButtonDblClk(flags, pt); return 0;
    case WM_MBUTTONDOWN: OnMButtonDown(flags, pt); return 0;
    case WM_MBUTTONUP: OnMButtonUp(flags, pt); return 0;
    case WM_MBUTTONDBLCLK: OnMButtonDblClk(flags, pt); return 0;
    case WM_MOUSEMOVE: OnMouseMove(flags, pt); return 0;
    case WM_MOUSEWHEEL:
        return OnMouseWheel(LOWORD(static_cast<DWORD>(wParam)), static_cast<short>(HIWORD(static_cast<DWORD>(wParam))), pt);
    case WM_KEYDOWN: OnKeyDown(flags, rep, keyFlags); return 0;
    case WM_KEYUP: OnKeyUp(flags, rep, keyFlags); return 0;
    case WM_CHAR: OnChar(flags, rep, keyFlags); return 0;
    case WM_SYSKEYDOWN: OnSysKeyDown(flags, rep, keyFlags); return 0;
    case WM_SYSKEYUP: OnSysKeyUp(flags, rep, keyFlags); return 0;
    case WM_TIMER: OnTimer(static_cast<UINT_PTR>(wParam)); return 0;
    case WM_HSCROLL:
        OnHScroll(LOWORD(static_cast<DWORD>(wParam)), static_cast<short>(HIWORD(static_cast<DWORD>(wParam))),
                  FromHandle(reinterpret_cast<HWND>(lParam)));
        return 0;
    case WM_VSCROLL:
        OnVScroll(LOWORD(static_cast<DWORD>(wParam)), static_cast<short>(HIWORD(static_cast<DWORD>(wParam))),
                  FromHandle(reinterpret_cast<HWND>(lParam)));
        return 0;
    case WM_NCHITTEST:
        return OnNcHitTest(pt);
    case WM_SETCURSOR:
        return OnSetCursor(FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(static_cast<DWORD>(lParam)),
                           HIWORD(static_cast<DWORD>(lParam)));
    case WM_CONTEXTMENU: OnContextMenu(FromHandle(reinterpret_cast<HWND>(wParam)), pt); return 0;
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<void*>(wParam)); return 0;
    case WM_MOUSEACTIVATE:
        return OnMouseActivate(FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(static_cast<DWORD>(lParam)),
                               HIWORD(static_cast<DWORD>(lParam)));
    case WM_COMMAND:
        return OnCommand(wParam, lParam) ? 0 : 1;
    default:
        return DefWindowProc(message, wParam, lParam);
    }
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(static_cast<DWORD>(wParam));
    int nCode = HIWORD(static_cast<DWORD>(wParam));
    CWnd* control = FromHandle(reinterpret_cast<HWND>(lParam));
    if (control && UiIsLive(control)) {
        // The control may handle its own notification first (reflection).
        LRESULT result = 0;
        if (control->OnChildNotify(WM_COMMAND, wParam, lParam, &result))
            return TRUE;
        if (!UiIsLive(this))
            return TRUE;
    } else {
        // Menu items, buttons and accelerators: refuse a disabled command as the frame would.
        nCode = CN_COMMAND;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT*)
{
    if (message != WM_COMMAND)
        return FALSE;
    UINT code = HIWORD(static_cast<DWORD>(wParam));
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e)
            if (e->nMessage == WM_COMMAND + WM_REFLECT_BASE && e->nCode == code && e->nSig == AfxSig_vv) {
                (this->*(e->pfn))();
                return TRUE;
            }
    return FALSE;
}

BOOL CWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CWnd::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

// Default handlers: Windows' default processing.
int CWnd::OnCreate(LPCREATESTRUCT) { Default(); return 0; }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { Default(); return FALSE; }
void CWnd::OnClose() { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT nFlags, CPoint point)
{
    Default();
    // The right button's release asks for the context menu, as Windows does after default processing.
    if (!IsNativeControl() && UiIsLive(this) && m_hWnd) {
        CPoint screen = point;
        ClientToScreen(&screen);
        SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd), MAKELONG(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)));
    }
    (void)nFlags;
}
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CWnd*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CWnd*) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }

LRESULT CWnd::OnNcHitTest(CPoint point)
{
    QWidget* c = GetClientWidget();
    QWidget* w = GetQWidget();
    if (!c || !w)
        return HTNOWHERE;
    const QPoint inClient = c->mapFromGlobal(QPoint(point.x, point.y));
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(CPoint(inClient.x(), inClient.y())))
        return HTCLIENT;
    if (m_pState)
        for (int i = SB_HORZ; i <= SB_VERT; ++i)
            if (m_pState->bars[i] && m_pState->scroll[i].visible && m_pState->bars[i]->geometry().contains(inClient))
                return i == SB_HORZ ? HTHSCROLL : HTVSCROLL;
    return w->rect().contains(w->mapFromGlobal(QPoint(point.x, point.y))) ? HTBORDER : HTNOWHERE;
}
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
void CWnd::OnDropFiles(void*) { Default(); }

// ---------------------------------------------------------------------------------------------
// State, text, geometry

namespace {

// The widget that holds a window's place and show state: for a document window of the MDI
// client its sub-window, whose frame the user moves, maximises and restores.
QWidget* PlacedWidget(const CWnd* wnd)
{
    if (auto* child = dynamic_cast<const CMDIChildWnd*>(wnd))
        if (child->m_pSubWindow)
            return child->m_pSubWindow;
    return wnd->GetQWidget();
}

} // namespace

BOOL CWnd::ShowWindow(int nCmdShow)
{
    QWidget* w = PlacedWidget(this);
    if (!w)
        return FALSE;
    BOOL was = w->isVisible();
    if (nCmdShow != SW_HIDE && w->property(kDefaultPlacement).toBool()) {
        // A main window that nobody placed comes up as large as the window system's default
        // size (three quarters of the screen), and at least as wide and high as its bars and
        // menu need, within the screen.
        w->setProperty(kDefaultPlacement, QVariant());
        if (QScreen* screen = w->screen()) {
            const QRect avail = screen->availableGeometry();
            const QSize hint = w->sizeHint();
            const int width = std::min(avail.width(), std::max({ w->width(), avail.width() * 3 / 4, hint.width() }));
            const int height = std::min(avail.height(), std::max({ w->height(), avail.height() * 3 / 4, hint.height() }));
            w->resize(width, height);
        }
    }
    switch (nCmdShow) {
    case SW_HIDE: w->hide(); break;
    case SW_SHOWMAXIMIZED: w->showMaximized(); break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE: w->showMinimized(); break;
    case SW_RESTORE:
    case SW_SHOWNORMAL: w->showNormal(); break;
    default: w->show(); break;
    }
    if (nCmdShow == SW_HIDE)
        m_style &= ~WS_VISIBLE;
    else
        m_style |= WS_VISIBLE;
    return was;
}

BOOL CWnd::IsWindowVisible() const
{
    QWidget* w = GetQWidget();
    return w && w->isVisible();
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    QWidget* w = GetQWidget();
    if (!w)
        return FALSE;
    BOOL wasDisabled = !w->isEnabled();
    w->setEnabled(bEnable != FALSE);
    if (bEnable)
        m_style &= ~WS_DISABLED;
    else
        m_style |= WS_DISABLED;
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const
{
    QWidget* w = GetQWidget();
    return w && w->isEnabled();
}

BOOL CWnd::IsIconic() const
{
    QWidget* w = PlacedWidget(this);
    return w && w->isMinimized();
}

BOOL CWnd::IsZoomed() const
{
    QWidget* w = PlacedWidget(this);
    return w && w->isMaximized();
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT)
{
    DWORD before = m_style;
    m_style = (m_style & ~dwRemove) | dwAdd;
    return before != m_style;
}

void CWnd::SetWindowText(LPCTSTR lpszString)
{
    QWidget* w = GetQWidget();
    if (!w)
        return;
    QString t = ToQ(lpszString ? lpszString : "");
    // A control's text is its contents; a window's its title.
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(t);
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        p->setPlainText(t.replace(QLatin1String("\r\n"), QLatin1String("\n")));
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (c->isEditable()) {
            QSignalBlocker block(c);
            c->setEditText(t);
        }
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(t);
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        g->setTitle(t);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        // "&&" shows one ampersand; a single '&' marks the mnemonic.
        const QString text = ScreenTextToQ(lpszString ? lpszString : "");
        QString shown;
        for (int i = 0; i < text.size(); ++i) {
            if (text[i] == QLatin1Char('&') && i + 1 < text.size())
                ++i;
            shown += text[i];
        }
        l->setText(shown);
        l->setProperty("zelkText", t);
    } else {
        // The program reads back the title it gave, paths in its own form.
        w->setWindowTitle(ScreenTextToQ(lpszString ? lpszString : ""));
        w->setProperty("zelkText", t);
    }
}

void CWnd::GetWindowText(CString& rString) const
{
    QWidget* w = GetQWidget();
    if (!w) {
        rString.Empty();
        return;
    }
    QString t;
    if (auto* e = qobject_cast<QLineEdit*>(w))
        t = e->text();
    else if (auto* p = qobject_cast<QPlainTextEdit*>(w))
        t = p->toPlainText().replace(QLatin1String("\n"), QLatin1String("\r\n"));
    else if (auto* c = qobject_cast<QComboBox*>(w))
        t = c->currentText();
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        t = b->text();
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        t = g->title();
    else if (auto* l = qobject_cast<QLabel*>(w))
        t = l->property("zelkText").isValid() ? l->property("zelkText").toString() : l->text();
    else
        t = w->property("zelkText").isValid() ? w->property("zelkText").toString() : w->windowTitle();
    rString = FromQ(t);
}

int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
{
    CString s;
    GetWindowText(s);
    if (nMaxCount <= 0)
        return 0;
    int n = std::min(s.GetLength(), nMaxCount - 1);
    std::memcpy(lpszStringBuf, s.GetString(), static_cast<size_t>(n));
    lpszStringBuf[n] = 0;
    return n;
}

int CWnd::GetWindowTextLength() const
{
    CString s;
    GetWindowText(s);
    return s.GetLength();
}

void CWnd::SetFont(CFont* pFont, BOOL)
{
    m_pFont = pFont;
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    QWidget* c = GetClientWidget();
    int w = c ? c->width() : 0;
    int h = c ? c->height() : 0;
    if (m_pState && c) {
        const int extent = c->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        if (m_pState->bars[1] && m_pState->scroll[1].visible)
            w -= extent;
        if (m_pState->bars[0] && m_pState->scroll[0].visible)
            h -= extent;
    }
    lpRect->left = 0;
    lpRect->top = 0;
    lpRect->right = std::max(0, w);
    lpRect->bottom = std::max(0, h);
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    QWidget* w = GetQWidget();
    if (!w) {
        *lpRect = RECT{ 0, 0, 0, 0 };
        return;
    }
    QRect g = w->isWindow() ? w->frameGeometry() : QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
    *lpRect = RECT{ g.left(), g.top(), g.left() + g.width(), g.top() + g.height() };
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL)
{
    QWidget* w = GetQWidget();
    if (w) {
        w->setProperty(kDefaultPlacement, QVariant());
        w->setGeometry(x, y, nWidth, nHeight);
    }
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    QWidget* c = GetClientWidget();
    if (!c)
        return;
    QPoint g = c->mapToGlobal(QPoint(lpPoint->x, lpPoint->y));
    lpPoint->x = g.x();
    lpPoint->y = g.y();
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ClientToScreen(reinterpret_cast<LPPOINT>(&lpRect->left));
    ClientToScreen(reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    QWidget* c = GetClientWidget();
    if (!c)
        return;
    QPoint p = c->mapFromGlobal(QPoint(lpPoint->x, lpPoint->y));
    lpPoint->x = p.x();
    lpPoint->y = p.y();
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ScreenToClient(reinterpret_cast<LPPOINT>(&lpRect->left));
    ScreenToClient(reinterpret_cast<LPPOINT>(&lpRect->right));
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    QWidget* w = GetQWidget();
    if (!w)
        return;
    CWnd* owner = pAlternateOwner ? pAlternateOwner : GetOwner();
    QRect area;
    if (owner && owner->GetQWidget() && owner->GetQWidget()->isVisible()) {
        QWidget* o = owner->GetQWidget();
        area = QRect(o->mapToGlobal(QPoint(0, 0)), o->size());
    } else if (QScreen* s = QGuiApplication::primaryScreen()) {
        area = s->availableGeometry();
    }
    QSize size = w->frameGeometry().size();
    QPoint topLeft(area.center().x() - size.width() / 2, area.center().y() - size.height() / 2);
    if (!w->isWindow() && w->parentWidget())
        topLeft = w->parentWidget()->mapFromGlobal(topLeft);
    w->move(topLeft);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* p) const
{
    QWidget* w = PlacedWidget(this);
    if (!w || !p)
        return FALSE;
    p->length = sizeof(WINDOWPLACEMENT);
    p->flags = 0;
    p->showCmd = w->isMaximized() ? SW_SHOWMAXIMIZED : w->isMinimized() ? SW_SHOWMINIMIZED
               : w->isVisible() ? SW_SHOWNORMAL : SW_HIDE;
    p->ptMinPosition = POINT{ -1, -1 };
    p->ptMaxPosition = POINT{ -1, -1 };
    QRect n = w->isWindow() ? w->normalGeometry() : w->geometry();
    if (!n.isValid())
        n = w->geometry();
    if (w->isWindow()) {
        // A top-level window's place is where its frame starts, as SetWindowPlacement puts it
        // back: the window system keeps a frame's corner where it was asked to, not a client's.
        n.translate(w->frameGeometry().topLeft() - w->geometry().topLeft());
    }
    p->rcNormalPosition = RECT{ n.left(), n.top(), n.left() + n.width(), n.top() + n.height() };
    return TRUE;
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* p)
{
    QWidget* w = PlacedWidget(this);
    if (!w || !p)
        return FALSE;
    const RECT& r = p->rcNormalPosition;
    if (r.right > r.left && r.bottom > r.top) {
        w->setProperty(kDefaultPlacement, QVariant());
        if (w->isWindow()) {
            // The size is the client's; the corner is the frame's (see GetWindowPlacement).
            w->resize(r.right - r.left, r.bottom - r.top);
            w->move(r.left, r.top);
        } else {
            w->setGeometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
        }
    }
    switch (p->showCmd) {
    case SW_SHOWMAXIMIZED: w->showMaximized(); break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE: w->showMinimized(); break;
    case SW_HIDE: w->hide(); break;
    default: w->showNormal(); break;
    }
    return TRUE;
}

void CWnd::BringWindowToTop()
{
    if (QWidget* w = GetQWidget())
        w->raise();
}

// ---------------------------------------------------------------------------------------------
// Painting

void CWnd::Invalidate(BOOL bErase)
{
    InvalidateRect(nullptr, bErase);
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    if (!m_pState)
        return;
    m_pState->FitSurface();
    QRect all = m_pState->surface.rect();
    QRect r = lpRect ? QRect(QPoint(lpRect->left, lpRect->top), QPoint(lpRect->right - 1, lpRect->bottom - 1)).normalized() & all
                     : all;
    if (r.isEmpty())
        return;
    m_pState->invalid += r;
    if (bErase)
        m_pState->erase = true;
    if (QWidget* c = GetClientWidget())
        c->update(r);
}

void CWnd::ValidateRect(LPCRECT lpRect)
{
    if (!m_pState)
        return;
    if (!lpRect)
        m_pState->invalid = QRegion();
    else
        m_pState->invalid -= QRect(QPoint(lpRect->left, lpRect->top), QPoint(lpRect->right - 1, lpRect->bottom - 1));
}

BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL) const
{
    QRect b = m_pState ? m_pState->invalid.boundingRect() : QRect();
    if (lpRect)
        *lpRect = RECT{ b.left(), b.top(), b.isEmpty() ? b.left() : b.right() + 1, b.isEmpty() ? b.top() : b.bottom() + 1 };
    return !b.isEmpty();
}

void CWnd::UpdateWindow()
{
    if (!m_pState)
        return;
    // The paint happens now, into the surface; the screen copies it on its next refresh.
    UiPaintNow(this);
    if (QWidget* c = GetClientWidget())
        c->update();
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, void*, UINT flags)
{
    if (flags & RDW_INVALIDATE)
        InvalidateRect(lpRectUpdate, (flags & RDW_ERASE) != 0);
    if (flags & RDW_VALIDATE)
        ValidateRect(lpRectUpdate);
    if (flags & RDW_UPDATENOW)
        UpdateWindow();
    return TRUE;
}

void CWnd::ScrollWindow(int xAmount, int yAmount, LPCRECT, LPCRECT)
{
    if (!m_pState)
        return;
    m_pState->FitSurface();
    QImage& s = m_pState->surface;
    QImage copy = s.copy();
    s.fill(UiBackground(this));
    {
        CPainterDC dc(&s);
        dc.GetPainter()->drawImage(xAmount, yAmount, copy);
    }
    // The strips the scroll uncovered need painting; the rest moved with the picture.
    QRegion uncovered(s.rect());
    uncovered -= QRect(xAmount, yAmount, s.width(), s.height());
    m_pState->invalid.translate(xAmount, yAmount);
    m_pState->invalid += uncovered;
    m_pState->erase = true;
    if (QWidget* c = GetClientWidget())
        c->update();
}

// ---------------------------------------------------------------------------------------------
// Focus, capture, timers, family

CWnd* CWnd::SetFocus()
{
    CWnd* old = UiIsLive(g_focus) ? g_focus : nullptr;
    QWidget* c = GetClientWidget();
    if (!c)
        return old;
    c->setFocus(Qt::OtherFocusReason);
    // Offscreen and inactive windows get no focus events from Qt; the messages still follow.
    if (g_focus != this) {
        g_focus = this;
        if (old && UiIsLive(old))
            old->SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(m_hWnd), 0);
        SendMessage(WM_SETFOCUS, reinterpret_cast<WPARAM>(old ? old->m_hWnd : nullptr), 0);
    }
    return old;
}

CWnd* CWnd::GetFocus()
{
    return UiIsLive(g_focus) ? g_focus : nullptr;
}

CWnd* CWnd::SetCapture()
{
    CWnd* old = UiIsLive(g_capture) ? g_capture : nullptr;
    g_capture = this;
    return old;
}

CWnd* CWnd::GetCapture()
{
    return UiIsLive(g_capture) ? g_capture : nullptr;
}

BOOL ReleaseCapture()
{
    g_capture = nullptr;
    return TRUE;
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void*)
{
    if (!m_hWnd)
        return 0;
    CWnd* self = this;
    BOOL ok = Services().StartTimer(this, static_cast<UINT>(nIDEvent), nElapse, [self](UINT id) {
        if (UiIsLive(self) && self->m_hWnd)
            self->SendMessage(WM_TIMER, id, 0);
    });
    if (!ok)
        return 0;
    m_pState->timers.insert(nIDEvent);
    return nIDEvent;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    if (m_pState)
        m_pState->timers.erase(nIDEvent);
    return Services().StopTimer(this, static_cast<UINT>(nIDEvent));
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    CWnd* old = m_pParent;
    m_pParent = pWndNewParent;
    if (QWidget* w = GetQWidget())
        w->setParent(pWndNewParent ? pWndNewParent->GetClientWidget() : nullptr);
    return old;
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    for (auto& kv : g_widgets) {
        CWnd* w = kv.second;
        if (w->m_pParent == this && static_cast<int>(w->m_nID) == nID && w->m_hWnd)
            return w;
    }
    return nullptr;
}

int CWnd::SetDlgCtrlID(int nID)
{
    int old = static_cast<int>(m_nID);
    m_nID = static_cast<UINT>(nID);
    return old;
}

CWnd* CWnd::GetTopLevelParent() const
{
    const CWnd* w = this;
    while (w->m_pParent && !(w->m_style & WS_POPUP))
        w = w->m_pParent;
    return const_cast<CWnd*>(w);
}

CWnd* CWnd::GetActiveWindow()
{
    QWidget* w = QApplication::activeWindow();
    return w ? UiWndFromWidget(w) : nullptr;
}

CWnd* CWnd::SetActiveWindow()
{
    CWnd* old = GetActiveWindow();
    if (QWidget* w = GetQWidget())
        w->activateWindow();
    return old;
}

void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString)
{
    if (CWnd* w = GetDlgItem(nID))
        w->SetWindowText(lpszString);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    if (CWnd* w = GetDlgItem(nID))
        w->GetWindowText(rString);
    return rString.GetLength();
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
    CString s;
    if (bSigned)
        s.Format("%d", static_cast<int>(nValue));
    else
        s.Format("%u", nValue);
    SetDlgItemText(nID, s);
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    CString s;
    GetDlgItemText(nID, s);
    s.Trim();
    char* end = nullptr;
    long long v = bSigned ? std::strtoll(s.GetString(), &end, 10) : static_cast<long long>(std::strtoull(s.GetString(), &end, 10));
    BOOL ok = !s.IsEmpty() && end && *end == 0;
    if (lpTrans)
        *lpTrans = ok;
    return ok ? static_cast<UINT>(v) : 0;
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
    if (CWnd* w = GetDlgItem(nIDButton))
        w->SendMessage(0x00F1 /* BM_SETCHECK */, nCheck, 0);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    CWnd* w = GetDlgItem(nIDButton);
    return w ? static_cast<UINT>(w->SendMessage(0x00F0 /* BM_GETCHECK */, 0, 0)) : 0;
}

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        CheckDlgButton(id, id == nIDCheckButton ? 1 : 0);
}

CWnd* CWnd::GetNextDlgTabItem(CWnd*, BOOL) const
{
    return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Scroll bars

void CWnd::ShowScrollBar(UINT nBar, BOOL bShow)
{
    if (!m_pState || nBar > SB_VERT)
        return;
    QWidget* c = GetClientWidget();
    if (!c)
        return;
    int i = static_cast<int>(nBar);
    if (!m_pState->bars[i] && bShow) {
        auto* bar = new QScrollBar(i == SB_HORZ ? Qt::Horizontal : Qt::Vertical, c);
        UiMarkForeign(bar);
        m_pState->bars[i] = bar;
        bar->setRange(m_pState->scroll[i].nMin, m_pState->scroll[i].nMax);
        CWnd* self = this;
        QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [self, bar, i](int action) {
            if (!UiIsLive(self) || !self->m_pState)
                return;
            UINT code = SB_ENDSCROLL;
            switch (action) {
            case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
            case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
            case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
            case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
            case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
            case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
            case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
            default: return;
            }
            int track = bar->sliderPosition();
            self->m_pState->scroll[i].nTrackPos = track;
            self->SendMessage(i == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, MAKELONG(static_cast<WORD>(code), static_cast<WORD>(track)), 0);
            // Windows scroll bars move only when the program sets the position.
            if (UiIsLive(self) && self->m_pState && self->m_pState->bars[i])
                bar->setSliderPosition(self->m_pState->scroll[i].nPos);
        });
        QObject::connect(bar, &QAbstractSlider::sliderReleased, bar, [self, bar, i]() {
            if (!UiIsLive(self) || !self->m_pState)
                return;
            int track = bar->sliderPosition();
            UINT msg = i == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
            self->SendMessage(msg, MAKELONG(static_cast<WORD>(SB_THUMBPOSITION), static_cast<WORD>(track)), 0);
            if (UiIsLive(self))
                self->SendMessage(msg, SB_ENDSCROLL, 0);
        });
    }
    m_pState->scroll[i].visible = bShow != FALSE;
    m_pState->LayoutScrollBars();
    if (bShow)
        m_style |= (i == SB_HORZ ? WS_HSCROLL : WS_VSCROLL);
    else
        m_style &= ~(i == SB_HORZ ? WS_HSCROLL : WS_VSCROLL);
}

int CWnd::GetScrollPos(int nBar) const
{
    return m_pState && nBar >= 0 && nBar <= 1 ? m_pState->scroll[nBar].nPos : 0;
}

int CWnd::GetScrollLimit(int nBar) const
{
    if (!m_pState || nBar < 0 || nBar > 1)
        return 0;
    const UiScrollState& s = m_pState->scroll[nBar];
    int page = s.nPage ? static_cast<int>(s.nPage) - 1 : 0;
    return std::max(s.nMin, s.nMax - page);
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL)
{
    if (!m_pState || nBar < 0 || nBar > 1)
        return 0;
    UiScrollState& s = m_pState->scroll[nBar];
    int old = s.nPos;
    s.nPos = std::clamp(nPos, s.nMin, std::max(s.nMin, GetScrollLimit(nBar)));
    if (QScrollBar* b = m_pState->bars[nBar]) {
        QSignalBlocker block(b);
        b->setValue(s.nPos);
    }
    return old;
}

void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
{
    int mn = 0, mx = 0;
    if (m_pState && nBar >= 0 && nBar <= 1) {
        mn = m_pState->scroll[nBar].nMin;
        mx = m_pState->scroll[nBar].nMax;
    }
    if (lpMinPos)
        *lpMinPos = mn;
    if (lpMaxPos)
        *lpMaxPos = mx;
}

void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    SCROLLINFO info{};
    info.fMask = SIF_RANGE;
    info.nMin = nMinPos;
    info.nMax = nMaxPos;
    SetScrollInfo(nBar, &info, bRedraw);
}

BOOL CWnd::SetScrollInfo(int nBar, SCROLLINFO* p, BOOL)
{
    if (!m_pState || nBar < 0 || nBar > 1 || !p)
        return FALSE;
    UiScrollState& s = m_pState->scroll[nBar];
    if (p->fMask & SIF_RANGE) {
        s.nMin = p->nMin;
        s.nMax = p->nMax;
    }
    if (p->fMask & SIF_PAGE)
        s.nPage = p->nPage;
    if (p->fMask & SIF_POS)
        s.nPos = p->nPos;
    s.nPos = std::clamp(s.nPos, s.nMin, std::max(s.nMin, GetScrollLimit(nBar)));
    // A bar without anything to scroll disappears, as Windows hides it.
    bool needed = s.nMax > s.nMin && (s.nPage == 0 || static_cast<int>(s.nPage) <= s.nMax - s.nMin);
    if (needed != s.visible || (needed && !m_pState->bars[nBar]))
        ShowScrollBar(static_cast<UINT>(nBar), needed);
    if (QScrollBar* b = m_pState->bars[nBar]) {
        QSignalBlocker block(b);
        b->setRange(s.nMin, std::max(s.nMin, GetScrollLimit(nBar)));
        b->setPageStep(std::max(1, static_cast<int>(s.nPage)));
        b->setValue(s.nPos);
    }
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, SCROLLINFO* p, UINT nMask) const
{
    if (!m_pState || nBar < 0 || nBar > 1 || !p)
        return FALSE;
    const UiScrollState& s = m_pState->scroll[nBar];
    p->fMask = nMask;
    p->nMin = s.nMin;
    p->nMax = s.nMax;
    p->nPage = s.nPage;
    p->nPos = s.nPos;
    p->nTrackPos = s.nTrackPos;
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Menus, files, IME, cursors

CMenu* CWnd::GetMenu() const
{
    return nullptr;
}

void CWnd::DrawMenuBar() {}

void CWnd::DragAcceptFiles(BOOL bAccept)
{
    if (QWidget* w = GetQWidget())
        UiAcceptDroppedFiles(this, w, bAccept != FALSE);
}

void CWnd::EnableInputMethod(BOOL bEnable)
{
    if (!m_pState)
        return;
    m_pState->imeEnabled = bEnable != FALSE;
    if (QWidget* c = GetClientWidget()) {
        c->setAttribute(Qt::WA_InputMethodEnabled, bEnable != FALSE);
        for (QWidget* child : c->findChildren<QWidget*>())
            if (!g_foreign.count(child))
                child->setAttribute(Qt::WA_InputMethodEnabled, bEnable != FALSE);
    }
}

BOOL CWnd::IsInputMethodEnabled() const
{
    return m_pState ? m_pState->imeEnabled : TRUE;
}

namespace {
struct CursorEntry {
    std::uintptr_t id;
    Qt::CursorShape shape;
};
const CursorEntry kCursors[] = {
    { 32512, Qt::ArrowCursor }, { 32513, Qt::IBeamCursor }, { 32514, Qt::WaitCursor },
    { 32515, Qt::CrossCursor }, { 32516, Qt::UpArrowCursor }, { 32646, Qt::SizeAllCursor },
    { 32642, Qt::SizeFDiagCursor }, { 32643, Qt::SizeBDiagCursor }, { 32644, Qt::SizeHorCursor },
    { 32645, Qt::SizeVerCursor }, { 32648, Qt::ForbiddenCursor }, { 32649, Qt::PointingHandCursor },
    { 32651, Qt::WhatsThisCursor },
};
} // namespace

HCURSOR LoadCursor(LPCTSTR lpCursorName)
{
    // A cursor handle is the standard cursor's number; the program's own cursors keep their ids.
    return reinterpret_cast<HCURSOR>(const_cast<char*>(lpCursorName));
}

HCURSOR AfxGetStandardCursor(LPCTSTR lpCursorName)
{
    return LoadCursor(lpCursorName);
}

HCURSOR SetCursor(HCURSOR hCursor)
{
    HCURSOR old = g_cursor;
    g_cursor = hCursor;
    Qt::CursorShape shape = Qt::ArrowCursor;
    auto id = reinterpret_cast<std::uintptr_t>(hCursor);
    for (const auto& c : kCursors)
        if (c.id == id)
            shape = c.shape;
    if (g_cursorWnd && UiIsLive(g_cursorWnd))
        if (QWidget* w = g_cursorWnd->GetClientWidget())
            w->setCursor(shape);
    return old;
}

HCURSOR GetCursor()
{
    return g_cursor;
}

BOOL GetCursorPos(LPPOINT lpPoint)
{
    QPoint p = QCursor::pos();
    lpPoint->x = p.x();
    lpPoint->y = p.y();
    return TRUE;
}

DWORD GetMessageTime()
{
    return g_messageTime;
}

UINT GetDoubleClickTime()
{
    UiEnsureApplication();
    return static_cast<UINT>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
}

void AfxPumpMessages()
{
    if (QApplication::instance()) {
        QApplication::sendPostedEvents();
        QApplication::processEvents();
    }
}

// Not a member of CWnd because frames and views reach it through the framework's helpers.
CFrameWnd* CWnd::GetParentFrame() const
{
    for (CWnd* w = m_pParent; w; w = w->m_pParent)
        if (auto* f = dynamic_cast<CFrameWnd*>(w))
            return f;
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* top = dynamic_cast<CFrameWnd*>(const_cast<CWnd*>(this));
    for (CFrameWnd* f = GetParentFrame(); f; f = f->GetParentFrame())
        top = f;
    return top;
}
