// The MDI main window: the status bar and nine tool bars in one fixed arrangement, the window
// placement kept in the registry, the bar and input-mode commands, and the program's only timer
// service (timers 1 to 19 are armed through StartTimer and handled in OnTimer).
#pragma once

#include "app/ConstraintToolBar.h"
#include "app/FindElemToolBar.h"
#include "app/FindPointToolBar.h"
#include "app/InputToolBar.h"
#include "app/SubToolBar.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/WinUser.h"

class CMainFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    static constexpr UINT kTimerCount = 19;

    CMainFrame();
    ~CMainFrame() override;

    // Bar visibility mask bits (display settings).
    static constexpr BYTE kPointSearchBit = 0x01;
    static constexpr BYTE kElementSearchBit = 0x02;
    static constexpr BYTE kBoxSearchBit = 0x04;
    static constexpr BYTE kConstraintBit = 0x08;
    static constexpr BYTE kScreenBit = 0x10;
    static constexpr BYTE kAuxiliaryBit = 0x20;
    static constexpr BYTE kFileBit = 0x40;
    static constexpr BYTE kCommandBit = 0x80;

    CStatusBar m_wndStatusBar;
    CToolBar m_wndFileBar;
    CToolBar m_wndScreenBar;
    CToolBar m_wndBoxSearchBar;
    CToolBar m_wndCommandBar;
    CInputToolBar m_wndInputBar;
    CSubToolBar m_wndSubBar;
    CFindElemToolBar m_wndFindElemBar;
    CConstraintToolBar m_wndConstraintBar;
    CFindPointToolBar m_wndFindPointBar;
    UINT_PTR m_timers[kTimerCount + 1] = {};   // indexed by timer id 1..19
    double m_zoomWindowKind = 0.0;
    int m_wasMinimised = 0;

    // The fixed dock arrangement; returns whether the frame is minimised now.
    int ArrangeBars();
    void DockBarLeftOf(CControlBar* bar, CControlBar* other);
    void DockBarInColumn(CControlBar* bar, CControlBar* other);
    void InitialShowWindow(int nCmdShow);
    BOOL ReadWindowPlacement(WINDOWPLACEMENT* wp);
    void WriteWindowPlacement(const WINDOWPLACEMENT* wp);

    // Arms timer id (1-19) with an interval in milliseconds; 0 when no timer could be had.
    int StartTimer(UINT id, UINT elapse);
    // Stops a timer armed through StartTimer.
    void StopTimer(UINT id);
    void OnTimer(UINT_PTR nIDEvent) override;
    // One pass over the requests a user application wrote into the exchange block: every slot
    // up to the first code 0, then the codes and the flag cleared, event 100 sent and the
    // request timer armed again. Without an active drawing nothing runs and polling stops.
    void ProcessUserAppRequests();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    int OnCreate(LPCREATESTRUCT lpcs) override;
    void OnClose() override;
    void OnSize(UINT nType, int cx, int cy) override;
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) override;

    BOOL CreateSpecialBars();
    BOOL CreateInputBoxFont();
    void ToggleBar(CControlBar* bar, BYTE bit, const char* helpPage);
    BOOL OpenHelpIfArmed(const char* helpPage);

    DECLARE_MESSAGE_MAP()
    void OnViewSubBar();
    void OnViewFreeBar();
    void OnViewRestrictBar();
    void OnViewAreaBar();
    void OnViewFindElemBar();
    void OnViewFindPointBar();
    void OnViewFileBar();
    void OnViewCommandBar();
    void OnViewStatusBar();
    void OnLayoutBar();
    void OnUpdateViewSubBar(CCmdUI* pCmdUI);
    void OnUpdateViewFreeBar(CCmdUI* pCmdUI);
    void OnUpdateViewRestrictBar(CCmdUI* pCmdUI);
    void OnUpdateViewAreaBar(CCmdUI* pCmdUI);
    void OnUpdateViewFindElemBar(CCmdUI* pCmdUI);
    void OnUpdateViewFindPointBar(CCmdUI* pCmdUI);
    void OnUpdateViewFileBar(CCmdUI* pCmdUI);
    void OnUpdateViewCommandBar(CCmdUI* pCmdUI);
    void OnUpdateViewStatusBar(CCmdUI* pCmdUI);
    void OnModeNumber();
    void OnModeText();
    void OnModeFont();
    void OnUpdateModeNumber(CCmdUI* pCmdUI);
    void OnUpdateModeText(CCmdUI* pCmdUI);
    void OnUpdateModeFont(CCmdUI* pCmdUI);
};
