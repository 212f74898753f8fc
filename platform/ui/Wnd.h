// CWnd: a window of the program on a Qt widget. Window messages arrive as virtual handlers
// (OnLButtonDown, OnKeyDown, OnTimer ...) with Windows' parameters: client pixels, MK_ flags,
// virtual-key codes and key lParam with repeat count, scan code and the repeat bit.
#pragma once

#include "platform/ui/CmdTarget.h"

class QWidget;
class CDC;
class CFont;
class CFrameWnd;
class CMenu;
class CDocument;
class CView;
class CDocTemplate;
struct CWndState;

struct CREATESTRUCT {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCTSTR lpszName;
    LPCTSTR lpszClass;
    DWORD dwExStyle;
};
typedef CREATESTRUCT* LPCREATESTRUCT;

// What a document template hands to the frame and view it creates.
struct CCreateContext {
    const void* m_pNewViewClass = nullptr; // CRuntimeClass* of the view
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

typedef int* LPINT;

struct SCROLLINFO {
    UINT cbSize;
    UINT fMask;
    int nMin;
    int nMax;
    UINT nPage;
    int nPos;
    int nTrackPos;
};
constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    HWND m_hWnd = nullptr;

    CWnd();
    ~CWnd() override;

    static CWnd* FromHandle(HWND hWnd) { return reinterpret_cast<CWnd*>(hWnd); }
    static CWnd* FromHandlePermanent(HWND hWnd) { return FromHandle(hWnd); }
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // Creation and destruction
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL DestroyWindow();
    virtual void PostNcDestroy() {}

    // Messages
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT Default();
    // The route of commands that reach this window (frames pass them on to views and documents).
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;
    // Sends update handlers to this window's own command items (tool-bar buttons, panes).
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);

    // State
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    BOOL IsWindow() const { return m_hWnd != nullptr; }
    DWORD GetStyle() const { return m_style; }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    void SetWindowText(LPCTSTR lpszString);
    void GetWindowText(CString& rString) const;
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    int GetWindowTextLength() const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const { return m_pFont; }

    // Geometry
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);
    void BringWindowToTop();

    // Painting: the client area keeps its picture in a persistent surface; OnPaint draws the
    // invalid part into it and the screen only copies it.
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, void* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE) const;
    CDC* GetDC();
    int ReleaseDC(CDC* pDC);
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr);

    // Focus, capture, timers
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void* lpfnTimer);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // Family
    CWnd* GetParent() const { return m_pParent; }
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const { return static_cast<int>(m_nID); }
    int SetDlgCtrlID(int nID);
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetOwner() const { return m_pOwner ? m_pOwner : m_pParent; }
    void SetOwner(CWnd* pOwner) { m_pOwner = pOwner; }
    static CWnd* GetActiveWindow();
    CWnd* SetActiveWindow();
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;

    // Scroll bars of the window itself (WS_HSCROLL / WS_VSCROLL)
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
    int GetScrollPos(int nBar) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    BOOL SetScrollInfo(int nBar, SCROLLINFO* lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, SCROLLINFO* lpScrollInfo, UINT nMask = SIF_ALL) const;
    int GetScrollLimit(int nBar) const;

    // Menus, cursors, files, IME
    CMenu* GetMenu() const;
    virtual void DrawMenuBar();
    void DragAcceptFiles(BOOL bAccept = TRUE);
    // Turns the input method on or off for this window (Japanese conversion of typed text).
    void EnableInputMethod(BOOL bEnable);
    BOOL IsInputMethodEnabled() const;

    // TRUE for windows whose keys and clicks Qt's own widget handles after the program's handlers
    // (edit fields, combo boxes, buttons).
    virtual BOOL IsNativeControl() const { return FALSE; }
    // A notification this control sent its parent, offered back to the control first (the
    // message map's ON_CONTROL_REFLECT entries).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The Qt widget behind the window; for the platform layer and tests only.
    QWidget* GetQWidget() const;
    // The widget whose area is the client area (a frame's client, a view's surface).
    virtual QWidget* GetClientWidget() const;

protected:
    // Message handlers: the default behaviour of each is Windows' default processing.
    virtual int OnCreate(LPCREATESTRUCT lpCreateStruct);
    virtual void OnDestroy();
    virtual void OnSize(UINT nType, int cx, int cy);
    virtual void OnMove(int x, int y);
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(CDC* pDC);
    virtual void OnClose();
    virtual void OnSetFocus(CWnd* pOldWnd);
    virtual void OnKillFocus(CWnd* pNewWnd);
    virtual void OnShowWindow(BOOL bShow, UINT nStatus);
    virtual void OnLButtonDown(UINT nFlags, CPoint point);
    virtual void OnLButtonUp(UINT nFlags, CPoint point);
    virtual void OnLButtonDblClk(UINT nFlags, CPoint point);
    virtual void OnRButtonDown(UINT nFlags, CPoint point);
    virtual void OnRButtonUp(UINT nFlags, CPoint point);
    virtual void OnRButtonDblClk(UINT nFlags, CPoint point);
    virtual void OnMButtonDown(UINT nFlags, CPoint point);
    virtual void OnMButtonUp(UINT nFlags, CPoint point);
    virtual void OnMButtonDblClk(UINT nFlags, CPoint point);
    virtual void OnMouseMove(UINT nFlags, CPoint point);
    virtual BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnTimer(UINT_PTR nIDEvent);
    virtual void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    virtual void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    virtual BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    // Which part of the window a screen point is over: the client area, a scroll bar, the rest
    // of the window, or nothing of it.
    virtual LRESULT OnNcHitTest(CPoint point);
    virtual void OnContextMenu(CWnd* pWnd, CPoint pos);
    virtual int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    virtual void OnDropFiles(void* hDropInfo);

    // Builds the Qt widget of this window kind; the default is a plain surface.
    virtual QWidget* CreateNativeWidget(QWidget* parent);
    // Binds this window to a widget made elsewhere (the client of an MDI frame).
    void Attach(QWidget* widget, CWnd* pParent, UINT nID);
    void Detach();

public:
    // Internal bookkeeping, shared with the rest of the window layer.
    CWndState* m_pState = nullptr;
    CWnd* m_pParent = nullptr;
    CWnd* m_pOwner = nullptr;
    UINT m_nID = 0;
    DWORD m_style = 0;
    CFont* m_pFont = nullptr;
    BOOL m_bInDestroy = FALSE;
    // Set while a destructor destroys the window: PostNcDestroy must not delete the object then.
    BOOL m_bInDestructor = FALSE;
    // Default processing ran for the message being handled (native controls then let Qt act).
    BOOL m_bDefaultCalled = FALSE;
    MSG m_lastMsg{};

    friend struct CWndState;
    friend class CWndAccess;
};

// Window functions of the API that take handles.
LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL ReleaseCapture();
HCURSOR SetCursor(HCURSOR hCursor);
HCURSOR GetCursor();
HCURSOR LoadCursor(LPCTSTR lpCursorName);
HCURSOR AfxGetStandardCursor(LPCTSTR lpCursorName);
BOOL GetCursorPos(LPPOINT lpPoint);
BOOL IsWindow(HWND hWnd);
// The time of the message being handled, in milliseconds.
DWORD GetMessageTime();
// The double-click time of the system, in milliseconds.
UINT GetDoubleClickTime();
// Keyboard message parameters as Windows makes them: repeat count, PC scan code, extended bit,
// previous-state (repeat) bit and transition bit.
LPARAM MakeKeyLParam(UINT nVirtKey, UINT nRepeat, BOOL bRepeatBit, BOOL bKeyUp);
UINT MapVirtualKeyToScanCode(UINT nVirtKey);
// The files of a drop handle (WM_DROPFILES): with iFile 0xFFFFFFFF their number; else the
// program path of file iFile copied into lpszFile (cch bytes with the end zero), its length.
UINT DragQueryFile(void* hDrop, UINT iFile, LPTSTR lpszFile, UINT cch);
void DragFinish(void* hDrop);
// Processes pending window events (paint, timers under the real services, posted messages).
void AfxPumpMessages();
