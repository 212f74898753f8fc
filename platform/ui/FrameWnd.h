// Frame windows: CFrameWnd (menu, accelerators, control bars, message line, the active view and
// the command route view -> document -> frame -> application), the MDI main frame on a Qt MDI
// area and its child frames.
#pragma once

#include "platform/ui/Menu.h"
#include "platform/ui/Wnd.h"

#include <map>
#include <vector>

class CControlBar;
class CStatusBar;
class CView;
class CDocument;
class CMDIChildWnd;

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    BOOL m_bAutoMenuEnable = TRUE;
    CString m_strTitle;
    UINT m_nIDHelp = 0;

    // Creates the frame with the menu, accelerators and title of a resource id.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr) override;

    virtual CView* GetActiveView() const;
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual CFrameWnd* GetActiveFrame() { return this; }
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle ? lpszTitle : ""; }
    CString GetTitle() const { return m_strTitle; }

    // The message line: the first pane of the status bar.
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    CWnd* GetMessageBar();

    // Control bars
    void EnableDocking(DWORD dwDockStyle);
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    CControlBar* GetControlBar(UINT nID);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    const std::vector<CControlBar*>& ControlBars() const { return m_bars; }

    // Runs the update handlers of the tool bars and status bar (done at idle time).
    void UpdateControlBars();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;
    CMenu* GetMenu() const;
    void SetMenu(CMenu* pMenu);
    HMENU m_hMenuDefault = nullptr;
    UINT m_nIDResource = 0;
    // The frame's own menu, owned.
    CMenu m_menu;
    // Rebuilds the Qt menu bar after the program changed the menu.
    void RefreshMenuBar();
    void DrawMenuBar() override;
    // Shows the menu GetMenu gives now, when it is not the one on the menu bar already.
    void UpdateFrameMenu();
    BOOL TranslateAccelerator(MSG* pMsg);
    // Translates with another table (an MDI child's document kind), commands going to this frame.
    BOOL TranslateAccelerator(MSG* pMsg, UINT nAccelId);

    QWidget* GetClientWidget() const override;

protected:
    // Dropped files open as documents, each through the application's OpenDocumentFile.
    void OnDropFiles(void* hDropInfo) override;
    QWidget* CreateNativeWidget(QWidget* parent) override;
    void OnClose() override;
    void OnDestroy() override;
    void OnSetFocus(CWnd* pOldWnd) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A frame is made with new and ends with its window.
    void PostNcDestroy() override;

public:
    CView* m_pViewActive = nullptr;
    std::vector<CControlBar*> m_bars;
    // The docked bars of each side, row by row (the dock bar ids name the sides).
    std::map<UINT, std::vector<std::vector<CControlBar*>>> m_dockRows;
    CStatusBar* m_pStatusBar = nullptr;
    UINT m_nAccelId = 0;
    DWORD m_dwDockStyle = 0;
    unsigned m_menuRevisionShown = static_cast<unsigned>(-1);
    CMenu* m_pMenuShown = nullptr;
    QWidget* m_pClientWidget = nullptr;
};

// The MDI client area as a window: it takes the tiling and activation messages.
class CMDIClientWnd : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Bind(QWidget* area, CWnd* frame);
};

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;

    HWND m_hWndMDIClient = nullptr;
    CMDIClientWnd m_wndMDIClient;

    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDITile();
    void MDITile(int nType);
    void MDICascade();
    void MDINext();
    CFrameWnd* GetActiveFrame() override;
    CView* GetActiveView() const override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    // Every MDI child frame, in creation order.
    std::vector<CMDIChildWnd*> GetChildFrames() const;

    // Called by the Qt side when a child becomes active.
    void NoteActiveChild(CMDIChildWnd* pChild);
    CMDIChildWnd* m_pActiveChild = nullptr;

protected:
    QWidget* CreateNativeWidget(QWidget* parent) override;
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    DECLARE_MESSAGE_MAP()
    void OnWindowTile();
    void OnWindowTileVert();
    void OnWindowCascade();
    void OnWindowArrange();
    void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
};

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();
    ~CMDIChildWnd() override;

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CMDIFrameWnd* pParentWnd, CCreateContext* pContext);
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    CMDIFrameWnd* GetMDIFrame() const { return m_pMDIFrame; }
    void MDIActivate();
    void MDIDestroy();
    void MDIMaximize();
    void MDIRestore();
    void ActivateFrame(int nCmdShow = -1) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void GetWindowRect(LPRECT lpRect) const;

    CMDIFrameWnd* m_pMDIFrame = nullptr;
    // The Qt MDI sub-window that holds this frame.
    QWidget* m_pSubWindow = nullptr;

protected:
    QWidget* CreateNativeWidget(QWidget* parent) override;
    void OnDestroy() override;
};
