// A user's mouse and keyboard on the real windows: input events enter through the window
// system's path (the top-level window under the pointer, or the open popup menu), so Qt's own
// widgets and the program's windows see them as they would see a person's. No Qt in this
// header: tests with Shift-JIS literals drive the program through it.
#pragma once

#include "platform/core/String.h"
#include "platform/ui/WinUser.h"

#include <vector>

class CWnd;
class CFrameWnd;
class CMDIChildWnd;

namespace UiDriver {

// Modifier keys held during a key or a click. Keypad marks a key of the numeric keypad.
enum Modifier : UINT { NoModifier = 0, Shift = 1, Control = 2, Alt = 4, Keypad = 8 };
enum Button : UINT { Left = 0, Right = 1, Middle = 2 };

// Shows and activates a top-level window as a user finds it on the screen.
void ShowAndActivate(CWnd* topLevel);
// Runs posted messages and pending events.
void Pump();

// The pointer at a point of a window's client area (client coordinates).
void MouseMove(CWnd* wnd, POINT at);
void MouseDown(CWnd* wnd, POINT at, Button button = Left, UINT modifiers = NoModifier);
void MouseUp(CWnd* wnd, POINT at, Button button = Left, UINT modifiers = NoModifier);
void Click(CWnd* wnd, POINT at, Button button = Left, UINT modifiers = NoModifier);
// Buttons stamped with a time of the window system's clock (milliseconds): two presses of one
// button close together in time and place make a double-click, as the window system counts it.
// MouseClock is the time of the last pointer event; the untimed calls above leave a pause after
// each release, so that they never make a double-click.
DWORD MouseClock();
void MouseDownAt(CWnd* wnd, POINT at, Button button, UINT modifiers, DWORD time);
void MouseUpAt(CWnd* wnd, POINT at, Button button, UINT modifiers, DWORD time);
void MouseMoveAt(CWnd* wnd, POINT at, UINT modifiers, DWORD time);
// Two quick clicks at one point: down, up, down (the double-click), up.
void DoubleClick(CWnd* wnd, POINT at, Button button = Left, UINT modifiers = NoModifier);
// Moves the pointer in steps across a window's whole client area, corner to corner.
void Sweep(CWnd* wnd, int steps);

// A key pressed and released (a Windows virtual-key code) with modifiers held, to the window
// that has the keyboard (an open popup menu has it).
void Key(UINT virtualKey, UINT modifiers = NoModifier);
// A key going down (autoRepeat: held long enough to repeat) or up, to the window with the keyboard.
// Keys of the numeric keypad are VK_NUMPAD0-9 and VK_MULTIPLY-VK_DIVIDE; the punctuation keys are
// named by their virtual keys (VK_OEM_1 ...).
void KeyDown(UINT virtualKey, UINT modifiers = NoModifier, BOOL autoRepeat = FALSE);
void KeyUp(UINT virtualKey, UINT modifiers = NoModifier);

// Menu labels are the resource texts ("ファイル(&F)"; a shortcut after a tab may be left out).
// Clicks a title of a frame's menu bar; FALSE when the bar has no such title.
BOOL ClickMenuBar(CFrameWnd* frame, const char* label);
// Clicks an item of the open popup menu; FALSE when no menu is open or it has no such item.
BOOL ClickMenuItem(const char* label);
BOOL IsMenuOpen();
// The titles on a frame's menu bar, and the items of the open popup menu (separators left out).
std::vector<CString> MenuBarLabels(CFrameWnd* frame);
std::vector<CString> OpenMenuLabels();
// The pointer over an item of the open popup menu; FALSE when there is no such item.
BOOL HoverMenuItem(const char* label);

// Clicks the tool-bar button of a command on a frame's bars; FALSE when none shows it.
BOOL ClickToolButton(CFrameWnd* frame, UINT commandId);

enum TitleButton { CloseButton, MinimizeButton, MaximizeButton };
// Clicks a button on the title bar of an MDI child window.
BOOL ClickTitleButton(CMDIChildWnd* child, TitleButton which);

// Whether the pointer shows the wait cursor over the program's windows.
BOOL WaitCursorShown();

// Saves a picture of a top-level window with the popup menus open over it (PNG).
BOOL SaveScreenshot(CWnd* topLevel, const char* utf8Path);

} // namespace UiDriver
