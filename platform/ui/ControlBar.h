// Control bars of a frame: CToolBar (bitmap buttons from a resource bitmap, separators that
// can carry controls, pictures changed at run time) and CStatusBar (a message pane and
// indicator panes), each kept in step with the commands' update handlers.
#pragma once

#include "platform/ui/Wnd.h"

#include <vector>

class CFrameWnd;

class CControlBar : public CWnd {
public:
    CControlBar();
    ~CControlBar() override;

    DWORD GetBarStyle() const { return m_dwBarStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwBarStyle = dwStyle; }
    void EnableDocking(DWORD dwDockStyle) { m_dwDockStyle = dwDockStyle; }
    BOOL IsFloating() const { return FALSE; }
    CFrameWnd* GetDockingFrame() const { return m_pDockSite; }
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // Notifications of controls placed on the bar go on to the bar's owner (the frame).
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DWORD m_dwBarStyle = 0;
    DWORD m_dwDockStyle = 0;
    UINT m_nDockSide = 0;
    CFrameWnd* m_pDockSite = nullptr;

protected:
    // Registers the bar with its frame after the window exists.
    void AttachToFrame(CWnd* pParentWnd);
    void OnDestroy() override;
};

class CToolBar : public CControlBar {
public:
    CToolBar();
    ~CToolBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, RECT rcBorders = RECT{ 0, 0, 0, 0 },
                  UINT nID = AFX_IDW_TOOLBAR);
    // The pictures of the buttons: one strip, each picture as wide as the button image size.
    BOOL LoadBitmap(UINT nIDResource);
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    int GetCount() const { return static_cast<int>(m_buttons.size()); }
    UINT GetItemID(int nIndex) const;
    int CommandToIndex(UINT nIDFind) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    // A separator's width gives room for a control placed over it.
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    // Replaces the picture of one button (the program switches pictures at run time).
    BOOL SetButtonImage(int nIndex, UINT nIDBitmap, int iImageInBitmap = 0);
    // Places a control created as a child of the bar over a separator.
    void PlaceControl(int nIndex, CWnd* pControl);
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    struct Button {
        UINT id = 0;
        UINT style = 0;
        int image = 0;
        int width = 0; // separators
        BOOL enabled = TRUE;
        int check = 0;
        UINT imageBitmap = 0; // a picture from another bitmap, set at run time
        CWnd* control = nullptr;
    };
    const std::vector<Button>& Buttons() const { return m_buttons; }

protected:
    QWidget* CreateNativeWidget(QWidget* parent) override;
    void Rebuild();

    std::vector<Button> m_buttons;
    UINT m_nBitmap = 0;
    SIZE m_sizeImage = { 16, 15 };
    SIZE m_sizeButton = { 23, 22 };

    friend class CToolCmdUI;
};

class CStatusBar : public CControlBar {
public:
    CStatusBar();
    ~CStatusBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
    // Panes by command id: ID_SEPARATOR is the stretching message pane, the others indicators
    // whose text comes from their string resource.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    CString GetPaneText(int nIndex) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    int CommandToIndex(UINT nIDFind) const;
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    UINT GetItemID(int nIndex) const;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    struct Pane {
        UINT id = 0;
        UINT style = 0;
        int width = 0;
        CString text;
        BOOL enabled = TRUE;
    };
    const std::vector<Pane>& Panes() const { return m_panes; }

protected:
    QWidget* CreateNativeWidget(QWidget* parent) override;
    void Rebuild();
    std::vector<Pane> m_panes;
};

constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_NOBORDERS = 0x0100;
constexpr UINT SBPS_POPOUT = 0x0200;
constexpr UINT SBPS_DISABLED = 0x04000000;
constexpr UINT SBPS_STRETCH = 0x08000000;
