// Input events through Qt's window-system entry (what QTest does for windows): Qt finds the
// widget under the pointer, redirects to an open popup and runs shortcuts, as for a person.
#include "tests/support/UiDriver.h"

#include "platform/ui/FrameWnd.h"
#include "platform/ui/UiInternal.h"
#include "platform/ui/Wnd.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTest>
#include <QToolBar>
#include <QWindow>

#include <optional>

namespace UiDriver {

namespace {

Qt::KeyboardModifiers QtModifiers(UINT modifiers)
{
    Qt::KeyboardModifiers m;
    if (modifiers & Shift) m |= Qt::ShiftModifier;
    if (modifiers & Control) m |= Qt::ControlModifier;
    if (modifiers & Alt) m |= Qt::AltModifier;
    return m;
}

Qt::MouseButton QtButton(Button b)
{
    switch (b) {
    case Right: return Qt::RightButton;
    case Middle: return Qt::MiddleButton;
    default: return Qt::LeftButton;
    }
}

// The top-level window the window system hands a pointer event to: an open popup grabs the
// pointer; otherwise the window the widget lies in.
QWindow* PointerWindow(QWidget* w)
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup->windowHandle();
    return w->window()->windowHandle();
}

enum class Mouse { Press, Release, Move };

// The pointer event as the window system hands it over: stamped with the time given, else with
// Qt's test clock, which leaves a pause after each release.
void SendMouse(QWidget* w, QPoint local, Mouse what, Qt::MouseButton button, Qt::KeyboardModifiers mods,
               std::optional<DWORD> time = std::nullopt)
{
    if (!w)
        return;
    const QPoint global = w->mapToGlobal(local);
    QWindow* window = PointerWindow(w);
    if (!window)
        return;
    const QPoint at = window->mapFromGlobal(global);
    if (time) {
        // The held buttons go with each event; Qt's test calls keep them in the same place.
        Qt::MouseButtons& held = QTestPrivate::qtestMouseButtons;
        if (what == Mouse::Press)
            held |= button;
        else if (what == Mouse::Release)
            held &= ~Qt::MouseButtons(button);
        // Later untimed events go on from this time.
        if (static_cast<int>(*time) > QTest::lastMouseTimestamp)
            QTest::lastMouseTimestamp = static_cast<int>(*time);
        const QEvent::Type type = what == Mouse::Press     ? QEvent::MouseButtonPress
                                  : what == Mouse::Release ? QEvent::MouseButtonRelease
                                                           : QEvent::MouseMove;
        qt_handleMouseEvent(window, at, global, held, what == Mouse::Move ? Qt::NoButton : button, type, mods,
                            static_cast<int>(*time));
        AfxPumpMessages();
        return;
    }
    switch (what) {
    case Mouse::Press: QTest::mousePress(window, button, mods, at); break;
    case Mouse::Release: QTest::mouseRelease(window, button, mods, at); break;
    case Mouse::Move: QTest::mouseMove(window, at); break;
    }
    AfxPumpMessages();
}

void ClickWidget(QWidget* w, QPoint local)
{
    SendMouse(w, local, Mouse::Press, Qt::LeftButton, Qt::NoModifier);
    SendMouse(w, local, Mouse::Release, Qt::LeftButton, Qt::NoModifier);
}

QString Label(const char* cp932)
{
    return ToQ(cp932);
}

// An action's text matches a resource label with or without the shortcut after the tab.
bool SameLabel(const QString& actionText, const QString& label)
{
    return actionText == label || actionText.section(QLatin1Char('\t'), 0, 0) == label;
}

QAction* FindAction(const QList<QAction*>& actions, const char* label)
{
    const QString want = Label(label);
    for (QAction* a : actions)
        if (!a->isSeparator() && a->isVisible() && SameLabel(a->text(), want))
            return a;
    return nullptr;
}

QMenuBar* MenuBarOf(CFrameWnd* frame)
{
    auto* main = frame ? qobject_cast<QMainWindow*>(frame->GetQWidget()) : nullptr;
    return main ? main->menuBar() : nullptr;
}

QMenu* OpenMenu()
{
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

std::vector<CString> Labels(const QList<QAction*>& actions)
{
    std::vector<CString> out;
    for (QAction* a : actions)
        if (!a->isSeparator())
            out.push_back(FromQ(a->text()));
    return out;
}

// A virtual key as Qt names it: the key, Qt's keypad flag for the keys of the numeric keypad,
// and the character it types on the Japanese layout.
struct QtKeyOf {
    Qt::Key key = Qt::Key_unknown;
    bool keypad = false;
    char text = 0;
};

QtKeyOf QtKey(UINT vk)
{
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        return { static_cast<Qt::Key>(vk), false, static_cast<char>(vk >= 'A' ? vk - 'A' + 'a' : vk) };
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return { static_cast<Qt::Key>(Qt::Key_0 + static_cast<int>(vk - VK_NUMPAD0)), true,
                 static_cast<char>('0' + (vk - VK_NUMPAD0)) };
    if (vk >= VK_F1 && vk <= VK_F12)
        return { static_cast<Qt::Key>(Qt::Key_F1 + static_cast<int>(vk - VK_F1)), false, 0 };
    static const struct {
        UINT vk;
        Qt::Key key;
        bool keypad;
        char text;
    } keys[] = {
        { VK_RETURN, Qt::Key_Return, false, '\r' }, { VK_ESCAPE, Qt::Key_Escape, false, 0x1B },
        { VK_TAB, Qt::Key_Tab, false, '\t' }, { VK_BACK, Qt::Key_Backspace, false, 0x08 },
        { VK_SPACE, Qt::Key_Space, false, ' ' }, { VK_DELETE, Qt::Key_Delete, false, 0 },
        { VK_INSERT, Qt::Key_Insert, false, 0 }, { VK_HOME, Qt::Key_Home, false, 0 }, { VK_END, Qt::Key_End, false, 0 },
        { VK_PRIOR, Qt::Key_PageUp, false, 0 }, { VK_NEXT, Qt::Key_PageDown, false, 0 },
        { VK_LEFT, Qt::Key_Left, false, 0 }, { VK_RIGHT, Qt::Key_Right, false, 0 }, { VK_UP, Qt::Key_Up, false, 0 },
        { VK_DOWN, Qt::Key_Down, false, 0 }, { VK_SHIFT, Qt::Key_Shift, false, 0 },
        { VK_CONTROL, Qt::Key_Control, false, 0 }, { VK_MENU, Qt::Key_Alt, false, 0 },
        { VK_CLEAR, Qt::Key_Clear, false, 0 }, { VK_HELP, Qt::Key_Help, false, 0 },
        { VK_MULTIPLY, Qt::Key_Asterisk, true, '*' }, { VK_ADD, Qt::Key_Plus, true, '+' },
        { VK_SUBTRACT, Qt::Key_Minus, true, '-' }, { VK_DECIMAL, Qt::Key_Period, true, '.' },
        { VK_DIVIDE, Qt::Key_Slash, true, '/' },
        { VK_OEM_1, Qt::Key_Colon, false, ':' }, { VK_OEM_PLUS, Qt::Key_Semicolon, false, ';' },
        { VK_OEM_COMMA, Qt::Key_Comma, false, ',' }, { VK_OEM_MINUS, Qt::Key_Minus, false, '-' },
        { VK_OEM_PERIOD, Qt::Key_Period, false, '.' }, { VK_OEM_2, Qt::Key_Slash, false, '/' },
        { VK_OEM_3, Qt::Key_At, false, '@' }, { VK_OEM_4, Qt::Key_BracketLeft, false, '[' },
        { VK_OEM_5, Qt::Key_yen, false, 0 }, { VK_OEM_6, Qt::Key_BracketRight, false, ']' },
        { VK_OEM_7, Qt::Key_AsciiCircum, false, '^' }, { VK_OEM_102, Qt::Key_Backslash, false, '\\' },
    };
    for (const auto& k : keys)
        if (k.vk == vk)
            return { k.key, k.keypad, k.text };
    return {};
}

// The window that has the keyboard: an open popup menu, else the focus window, else the active one.
QWindow* KeyboardWindow()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        if (QWindow* w = popup->windowHandle())
            return w;
    if (QWindow* w = QGuiApplication::focusWindow())
        return w;
    if (QWidget* active = QApplication::activeWindow())
        return active->windowHandle();
    return nullptr;
}

enum class KeyAction { Click, Press, Repeat, Release };

void SendKey(UINT virtualKey, UINT modifiers, KeyAction action)
{
    QWindow* window = KeyboardWindow();
    if (!window)
        return;
    const QtKeyOf k = QtKey(virtualKey);
    Qt::KeyboardModifiers mods = QtModifiers(modifiers);
    if (k.keypad || (modifiers & Keypad))
        mods |= Qt::KeypadModifier;
    const QString text = k.text && !(modifiers & (Control | Alt)) ? QString(QChar::fromLatin1(k.text)) : QString();
    switch (action) {
    case KeyAction::Click: QTest::sendKeyEvent(QTest::Click, window, k.key, text, mods); break;
    case KeyAction::Press: QTest::sendKeyEvent(QTest::Press, window, k.key, text, mods); break;
    case KeyAction::Release: QTest::sendKeyEvent(QTest::Release, window, k.key, text, mods); break;
    case KeyAction::Repeat: QTest::simulateEvent(window, true, k.key, mods, text, true); break;
    }
    AfxPumpMessages();
}

} // namespace

void ShowAndActivate(CWnd* topLevel)
{
    QWidget* w = topLevel ? topLevel->GetQWidget() : nullptr;
    if (!w)
        return;
    w->show();
    w->activateWindow();
    w->raise();
    AfxPumpMessages();
}

void Pump()
{
    AfxPumpMessages();
}

void MouseMove(CWnd* wnd, POINT at)
{
    SendMouse(wnd->GetClientWidget(), QPoint(at.x, at.y), Mouse::Move, Qt::NoButton, Qt::NoModifier);
}

void MouseDown(CWnd* wnd, POINT at, Button button, UINT modifiers)
{
    SendMouse(wnd->GetClientWidget(), QPoint(at.x, at.y), Mouse::Press, QtButton(button), QtModifiers(modifiers));
}

void MouseUp(CWnd* wnd, POINT at, Button button, UINT modifiers)
{
    SendMouse(wnd->GetClientWidget(), QPoint(at.x, at.y), Mouse::Release, QtButton(button), QtModifiers(modifiers));
}

void Click(CWnd* wnd, POINT at, Button button, UINT modifiers)
{
    MouseDown(wnd, at, button, modifiers);
    MouseUp(wnd, at, button, modifiers);
}

void Sweep(CWnd* wnd, int steps)
{
    QWidget* c = wnd->GetClientWidget();
    if (!c || steps < 1)
        return;
    for (int i = 0; i <= steps; ++i)
        SendMouse(c, QPoint(c->width() * i / steps, c->height() * i / steps), Mouse::Move, Qt::NoButton, Qt::NoModifier);
}

void Key(UINT virtualKey, UINT modifiers)
{
    SendKey(virtualKey, modifiers, KeyAction::Click);
}

void KeyDown(UINT virtualKey, UINT modifiers, BOOL autoRepeat)
{
    SendKey(virtualKey, modifiers, autoRepeat ? KeyAction::Repeat : KeyAction::Press);
}

void KeyUp(UINT virtualKey, UINT modifiers)
{
    SendKey(virtualKey, modifiers, KeyAction::Release);
}

DWORD MouseClock()
{
    return static_cast<DWORD>(QTest::lastMouseTimestamp);
}

void MouseDownAt(CWnd* wnd, POINT at, Button button, UINT modifiers, DWORD time)
{
    SendMouse(wnd->GetClientWidget(), QPoint(at.x, at.y), Mouse::Press, QtButton(button), QtModifiers(modifiers), time);
}

void MouseUpAt(CWnd* wnd, POINT at, Button button, UINT modifiers, DWORD time)
{
    SendMouse(wnd->GetClientWidget(), QPoint(at.x, at.y), Mouse::Release, QtButton(button), QtModifiers(modifiers), time);
}

void MouseMoveAt(CWnd* wnd, POINT at, UINT modifiers, DWORD time)
{
    SendMouse(wnd->GetClientWidget(), QPoint(at.x, at.y), Mouse::Move, Qt::NoButton, QtModifiers(modifiers), time);
}

void DoubleClick(CWnd* wnd, POINT at, Button button, UINT modifiers)
{
    // Well apart from what went before, then four events 10 ms apart.
    const DWORD t = MouseClock() + 1000;
    MouseDownAt(wnd, at, button, modifiers, t);
    MouseUpAt(wnd, at, button, modifiers, t + 10);
    MouseDownAt(wnd, at, button, modifiers, t + 20);
    MouseUpAt(wnd, at, button, modifiers, t + 30);
    // Whatever follows is a click of its own.
    QTest::lastMouseTimestamp += 1000;
}

BOOL ClickMenuBar(CFrameWnd* frame, const char* label)
{
    QMenuBar* bar = MenuBarOf(frame);
    QAction* a = bar ? FindAction(bar->actions(), label) : nullptr;
    if (!a)
        return FALSE;
    ClickWidget(bar, bar->actionGeometry(a).center());
    return TRUE;
}

namespace {
// The pointer on an item of the open popup menu: moved there, or clicked.
BOOL PointAtMenuItem(const char* label, bool click)
{
    QMenu* menu = OpenMenu();
    QAction* a = menu ? FindAction(menu->actions(), label) : nullptr;
    if (!a)
        return FALSE;
    const QPoint at = menu->actionGeometry(a).center();
    if (click)
        ClickWidget(menu, at);
    else
        SendMouse(menu, at, Mouse::Move, Qt::NoButton, Qt::NoModifier);
    return TRUE;
}
} // namespace

BOOL ClickMenuItem(const char* label)
{
    return PointAtMenuItem(label, true);
}

BOOL HoverMenuItem(const char* label)
{
    return PointAtMenuItem(label, false);
}

BOOL IsMenuOpen()
{
    return OpenMenu() != nullptr;
}

std::vector<CString> MenuBarLabels(CFrameWnd* frame)
{
    QMenuBar* bar = MenuBarOf(frame);
    return bar ? Labels(bar->actions()) : std::vector<CString>();
}

std::vector<CString> OpenMenuLabels()
{
    QMenu* menu = OpenMenu();
    return menu ? Labels(menu->actions()) : std::vector<CString>();
}

BOOL ClickToolButton(CFrameWnd* frame, UINT commandId)
{
    auto* main = frame ? qobject_cast<QMainWindow*>(frame->GetQWidget()) : nullptr;
    if (!main)
        return FALSE;
    for (QToolBar* bar : main->findChildren<QToolBar*>()) {
        if (!bar->isVisible())
            continue;
        for (QAction* a : bar->actions()) {
            if (a->data().toUInt() != commandId || a->isSeparator())
                continue;
            QWidget* button = bar->widgetForAction(a);
            if (!button || !button->isVisible())
                continue;
            ClickWidget(button, button->rect().center());
            return TRUE;
        }
    }
    return FALSE;
}

BOOL ClickTitleButton(CMDIChildWnd* child, TitleButton which)
{
    auto* sub = child ? qobject_cast<QMdiSubWindow*>(child->m_pSubWindow) : nullptr;
    if (!sub || !sub->isVisible())
        return FALSE;
    // The title bar as the sub-window lays it out for its style.
    QStyleOptionTitleBar option;
    option.initFrom(sub);
    option.subControls = QStyle::SC_All;
    option.titleBarFlags = sub->windowFlags();
    option.titleBarState = sub->windowState();
    const int border = sub->style()->styleHint(QStyle::SH_TitleBar_NoBorder, &option, sub) ? 0 : 4;
    const int height = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, sub);
    option.rect = QRect(border, border, sub->width() - 2 * border, height - border);
    const QStyle::SubControl control = which == CloseButton      ? QStyle::SC_TitleBarCloseButton
                                       : which == MinimizeButton ? QStyle::SC_TitleBarMinButton
                                                                 : QStyle::SC_TitleBarMaxButton;
    const QRect r = sub->style()->subControlRect(QStyle::CC_TitleBar, &option, control, sub);
    if (!r.isValid())
        return FALSE;
    ClickWidget(sub, r.center());
    return TRUE;
}

BOOL WaitCursorShown()
{
    if (!QApplication::instance())
        return FALSE;
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
}

BOOL SaveScreenshot(CWnd* topLevel, const char* utf8Path)
{
    QWidget* w = topLevel ? topLevel->GetQWidget() : nullptr;
    if (!w)
        return FALSE;
    QImage shot = w->grab().toImage();
    // Popups are windows of their own; paint the open ones where they lie over the window.
    QPainter p(&shot);
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && (top->windowFlags() & Qt::Popup) == Qt::Popup)
            p.drawPixmap(w->mapFromGlobal(top->mapToGlobal(QPoint(0, 0))), top->grab());
    p.end();
    return shot.save(QString::fromUtf8(utf8Path));
}

} // namespace UiDriver
