// Shared internals of the window layer: the Qt side of every window, text conversion to Qt, the
// event bridge. Only platform/ui sources include this header.
#pragma once

#include "platform/core/ProgramFolder.h"
#include "platform/ui/UiText.h"
#include "platform/ui/Wnd.h"

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <set>
#include <vector>

class QScrollBar;

inline QString ToQ(const char* cp932)
{
    return QString::fromStdString(UiCp932ToUtf8(cp932));
}
inline QString ToQ(const CString& s)
{
    return QString::fromStdString(UiCp932ToUtf8(s.GetString(), s.GetLength()));
}
// A window title or a static text as the user reads it: the paths it holds in the Linux form.
// A top-level frame's property while no one has placed it: its first showing gives it the
// default size.
inline constexpr const char* kDefaultPlacement = "zelkDefaultPlacement";

inline QString ScreenTextToQ(const CString& s)
{
    return ToQ(ScreenPathText(s));
}
inline CString FromQ(const QString& s)
{
    return UiUtf8ToCp932(s.toStdString());
}
inline QString PathToQ(const char* path)
{
    return QString::fromStdString(UiPathToFs(path));
}
inline CString PathFromQ(const QString& s)
{
    return UiPathFromFs(s.toStdString());
}

// A POSITION over a vector is the one-based index of the next element, so that null ends it.
template <typename T>
POSITION UiFirstPosition(const std::vector<T>& items)
{
    return items.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(1));
}

// The element at rPos, moving rPos to the next one (null after the last); a position past the
// end gives an empty value and ends the walk.
template <typename T>
T UiNextAt(const std::vector<T>& items, POSITION& rPos)
{
    auto i = reinterpret_cast<std::uintptr_t>(rPos);
    if (i == 0 || i > items.size()) {
        rPos = nullptr;
        return T();
    }
    rPos = i < items.size() ? reinterpret_cast<POSITION>(i + 1) : nullptr;
    return items[i - 1];
}

// A new object of a registered class when it is a T; null for no class or another kind.
template <typename T>
T* UiCreateObjectOf(const CRuntimeClass* cls)
{
    CObject* obj = cls ? cls->CreateObject() : nullptr;
    auto* t = dynamic_cast<T*>(obj);
    if (!t)
        delete obj;
    return t;
}

struct UiScrollState {
    int nMin = 0;
    int nMax = 100;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
    bool visible = false;
};

// The Qt side of one CWnd.
struct CWndState {
    CWnd* wnd = nullptr;
    QPointer<QWidget> widget;      // the window's widget (a frame's window, a control)
    QPointer<QWidget> client;      // the client area's widget
    QImage surface;                // persistent picture of the client area
    QRegion invalid;               // the part that needs OnPaint
    bool erase = false;
    bool ownsWidget = true;
    QScrollBar* bars[2] = { nullptr, nullptr };
    UiScrollState scroll[2];
    std::set<UINT_PTR> timers;
    bool imeEnabled = true;
    HCURSOR cursor = nullptr;          // the class cursor
    QColor background = Qt::white;     // the class background brush
    bool erases = true;                // the class has a background brush
    bool dblclks = true;               // the class takes double clicks

    // Grows or shrinks the surface to the client size, keeping what it holds.
    void FitSurface();
    void LayoutScrollBars();
};

// Makes sure a QApplication exists and the event bridge is installed.
void UiEnsureApplication();
// The window a widget belongs to (the nearest registered ancestor), or null.
CWnd* UiWndFromWidget(QWidget* widget);
void UiRegisterWidget(QWidget* widget, CWnd* wnd);
void UiUnregisterWidget(QWidget* widget);
// Keeps a widget's events (scroll bars of a window) out of the window's own messages.
void UiMarkForeign(QWidget* widget);
bool UiIsLive(const CWnd* wnd);
// Lets the widget of a window take dropped files, handed to the window's OnDropFiles.
void UiAcceptDroppedFiles(CWnd* wnd, QWidget* widget, bool accept);
// Paints the invalid part of a window's surface now (WM_PAINT), without touching the screen.
void UiPaintNow(CWnd* wnd);
// Erases and validates the invalid part; what BeginPaint does. Returns the painted region.
QRegion UiBeginPaint(CWnd* wnd);
QColor UiBackground(CWnd* wnd);

void UiBeginWaitCursor();
void UiEndWaitCursor();
void UiRestoreWaitCursor();

struct CPrintDialogRequest;
// The real print dialog (printer, pages, copies, paper, orientation).
BOOL UiRunQtPrintDialog(CPrintDialogRequest& request);
BOOL UiQtPrinterDefaults(CPrintDialogRequest& request);

// Byte positions in the Shift-JIS form of a text (CR LF line ends) and positions in Qt's text.
int UiByteToQtPos(const QString& text, int bytePos);
int UiQtToBytePos(const QString& text, int qtPos);
// A program bitmap resource as an image (null when missing).
QImage UiLoadBitmap(UINT id);
