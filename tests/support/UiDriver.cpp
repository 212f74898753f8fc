// Input events through Qt's window-system entry (what QTest does for windows): Qt finds the
// widget under the pointer, redirects to an open popup and runs shortcuts, as for a person.
#include "tests/support/UiDriver.h"

#include "platform/ui/FrameWnd.h"
#include "platform/ui/UiInternal.h"
#include "platform/ui/Wnd.h"

#include <QAction>
#include <QApplication>
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

void SendMouse(QWidget* w, QPoint local, Mouse what, Qt::MouseButton button, Qt::KeyboardModifiers mods)
{
    if (!w)
        return;
    const QPoint global = w->mapToGlobal(local);
    QWindow* window = PointerWindow(w);
    if (!window)
        return;
    const QPoint at = window->mapFromGlobal(global);
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

Qt::Key QtKey(UINT vk)
{
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        return static_cast<Qt::Key>(vk);
    if (vk >= VK_F1 && vk <= VK_F12)
        return static_cast<Qt::Key>(Qt::Key_F1 + static_cast<int>(vk - VK_F1));
    static const struct {
        UINT vk;
        Qt::Key key;
    } keys[] = {
        { VK_RETURN, Qt::Key_Return }, { VK_ESCAPE, Qt::Key_Escape }, { VK_TAB, Qt::Key_Tab },
        { VK_BACK, Qt::Key_Backspace }, { VK_SPACE, Qt::Key_Space }, { VK_DELETE, Qt::Key_Delete },
        { VK_INSERT, Qt::Key_Insert }, { VK_HOME, Qt::Key_Home }, { VK_END, Qt::Key_End },
        { VK_PRIOR, Qt::Key_PageUp }, { VK_NEXT, Qt::Key_PageDown }, { VK_LEFT, Qt::Key_Left },
        { VK_RIGHT, Qt::Key_Right }, { VK_UP, Qt::Key_Up }, { VK_DOWN, Qt::Key_Down },
        { VK_SHIFT, Qt::Key_Shift }, { VK_CONTROL, Qt::Key_Control }, { VK_MENU, Qt::Key_Alt },
        { VK_OEM_COMMA, Qt::Key_Comma }, { VK_OEM_MINUS, Qt::Key_Minus }, { VK_OEM_PERIOD, Qt::Key_Period },
    };
    for (const auto& k : keys)
        if (k.vk == vk)
            return k.key;
    return Qt::Key_unknown;
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
    QWindow* window = nullptr;
    if (QWidget* popup = QApplication::activePopupWidget())
        window = popup->windowHandle();
    if (!window)
        window = QGuiApplication::focusWindow();
    if (!window)
        if (QWidget* active = QApplication::activeWindow())
            window = active->windowHandle();
    if (!window)
        return;
    QTest::keyClick(window, QtKey(virtualKey), QtModifiers(modifiers));
    AfxPumpMessages();
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
