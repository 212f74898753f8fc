// The main frame: bar creation and arrangement, window placement, bar and input-mode commands.
#include "app/MainFrame.h"

#include "app/Resource.h"
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "app/TrainingState.h"
#include "input/InputBar.h"
#include "macro/MacroInterpreter.h"
#include "macro/TextDoc.h"
#include "platform/core/Services.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Resources.h"
#include "platform/ui/View.h"
#include "userapp/UserAppBlock.h"
#include "userapp/UserAppBlockHolder.h"
#include "userapp/UserAppManager.h"
#include "userapp/UserAppRequests.h"
#include "view/ZelkView.h"

#include <cstdio>

namespace {

constexpr DWORD kFileBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
constexpr DWORD kSpecialBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY;

// One entry of a bar built button by button: a separator's width, or a command and its picture.
struct BarButton {
    UINT id;
    int image;       // -1: separator
    int separatorWidth;
};

constexpr BarButton kInputBarButtons[] = {
    { IDC_LINE_TYPE_BUTTON, -1, 24 }, { 32792, 0, 0 }, { 32790, 1, 0 }, { 32791, 2, 0 },
    { IDC_INPUT_BOX, -1, 300 }, { IDC_COLOR_BOX, -1, 40 }, { 0, -1, 6 }, { 113, 3, 0 },
    { 114, 4, 0 }, { 115, 5, 0 }, { 0, -1, 6 }, { 32810, 6, 0 }, { 32816, 7, 0 },
};
constexpr BarButton kAuxBarButtons[] = {
    { 32945, 0, 0 }, { 32774, 1, 0 }, { 32775, 2, 0 }, { 32779, 3, 0 }, { 0, -1, 6 }, { 33063, 4, 0 },
    { IDC_CREATION_ENV_BUTTON, -1, 24 }, { IDC_LAYER_CONDITION_BUTTON, -1, 24 }, { 33064, 5, 0 },
};
constexpr BarButton kConstraintBarButtons[] = {
    { 116, 0, 0 }, { 125, 1, 0 }, { 0, -1, 6 }, { 126, 2, 0 }, { 127, 3, 0 },
    { 132, 4, 0 }, { 130, 5, 0 }, { 131, 6, 0 }, { 32875, 7, 0 },
};
constexpr BarButton kElementSearchBarButtons[] = {
    { 124, 0, 0 }, { 117, 1, 0 }, { 118, 2, 0 }, { 119, 3, 0 }, { 120, 4, 0 }, { 121, 5, 0 },
    { IDC_DIM_SELECT_BUTTON, -1, 24 }, { IDC_GROUP_SELECT_BUTTON, -1, 24 }, { 133, 8, 0 },
};
constexpr BarButton kPointSearchBarButtons[] = {
    { 135, 0, 0 }, { 136, 1, 0 }, { 137, 2, 0 }, { 138, 3, 0 },
    { 139, 4, 0 }, { 140, 5, 0 }, { 0, -1, 6 }, { 141, 6, 0 },
};

constexpr UINT kFileBarIds[] = { 57600, 57601, 57603, ID_SEPARATOR, 57635, 57634, 57637, ID_SEPARATOR, 32813, 33151 };
constexpr UINT kCommandBarIds[] = { 32897, 32776, 32789, 32777, 32778, 32805, 32900, 32901, 32894, 32895, 32864, 32898 };
constexpr UINT kScreenBarIds[] = { 32830, 32782, 32783 };
constexpr UINT kBoxSearchBarIds[] = { 32807, 32812, ID_SEPARATOR, 32806, 32860, 32808, 32809, 32811 };
constexpr UINT kIndicators[] = { ID_SEPARATOR, ID_INDICATOR_KANA, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL };

template <size_t N>
BOOL CreateSpecialBar(CToolBar& bar, CWnd* parent, UINT id, UINT bitmap, const BarButton (&buttons)[N])
{
    if (!bar.Create(parent, kSpecialBarStyle, id) || !bar.LoadBitmap(bitmap) || !bar.SetButtons(nullptr, static_cast<int>(N)))
        return FALSE;
    for (size_t i = 0; i < N; ++i) {
        const BarButton& b = buttons[i];
        if (b.image < 0)
            bar.SetButtonInfo(static_cast<int>(i), b.id, TBBS_SEPARATOR, b.separatorWidth);
        else
            bar.SetButtonInfo(static_cast<int>(i), b.id, TBBS_BUTTON, b.image);
    }
    return TRUE;
}

template <size_t N>
BOOL CreateStandardBar(CToolBar& bar, CWnd* parent, UINT bitmap, const UINT (&ids)[N])
{
    return bar.Create(parent, kFileBarStyle, AFX_IDW_TOOLBAR) && bar.LoadBitmap(bitmap) &&
           bar.SetButtons(ids, static_cast<int>(N));
}

// A picture button over a separator, taking the separator's rectangle.
BOOL CreatePictureButton(CToolBitmapButton& button, CToolBar& bar, int position, UINT id, UINT normal, UINT pressed)
{
    RECT rect;
    bar.GetItemRect(position, &rect);
    if (!button.Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_OWNERDRAW, rect, &bar, id))
        return FALSE;
    button.LoadBitmaps(normal, pressed);
    bar.PlaceControl(position, &button);
    return TRUE;
}

} // namespace

IMPLEMENT_DYNCREATE(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_COMMAND(ID_VIEW_SUBBAR, OnViewSubBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_SUBBAR, OnUpdateViewSubBar)
    ON_COMMAND(ID_VIEW_FREEBAR, OnViewFreeBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_FREEBAR, OnUpdateViewFreeBar)
    ON_COMMAND(ID_VIEW_RESTLICTBAR, OnViewRestrictBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_RESTLICTBAR, OnUpdateViewRestrictBar)
    ON_COMMAND(ID_VIEW_AREABAR, OnViewAreaBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_AREABAR, OnUpdateViewAreaBar)
    ON_COMMAND(ID_VIEW_FINDELEMBAR, OnViewFindElemBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_FINDELEMBAR, OnUpdateViewFindElemBar)
    ON_COMMAND(ID_VIEW_FINDPOINTBAR, OnViewFindPointBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_FINDPOINTBAR, OnUpdateViewFindPointBar)
    ON_COMMAND(ID_VIEW_TOOLBAR_FILE, OnViewFileBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR_FILE, OnUpdateViewFileBar)
    ON_COMMAND(ID_VIEW_COMMAND, OnViewCommandBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_COMMAND, OnUpdateViewCommandBar)
    ON_COMMAND(ID_VIEW_STATUS, OnViewStatusBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS, OnUpdateViewStatusBar)
    ON_COMMAND(ID_LAYOUT_BAR, OnLayoutBar)
    ON_COMMAND(ID_MODE_NUMBER, OnModeNumber)
    ON_UPDATE_COMMAND_UI(ID_MODE_NUMBER, OnUpdateModeNumber)
    ON_COMMAND(ID_MODE_TEXT, OnModeText)
    ON_UPDATE_COMMAND_UI(ID_MODE_TEXT, OnUpdateModeText)
    ON_COMMAND(ID_MODE_FONT, OnModeFont)
    ON_UPDATE_COMMAND_UI(ID_MODE_FONT, OnUpdateModeFont)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    return CMDIFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CMDIFrameWnd::OnCreate(lpcs) == -1)
        return -1;

    if (!CreateStandardBar(m_wndFileBar, this, IDB_FILE_BAR, kFileBarIds))
        return -1;
    m_wndFileBar.SetWindowText("ファイルバー");
    if (!CreateStandardBar(m_wndCommandBar, this, IDB_COMMAND_BAR, kCommandBarIds))
        return -1;
    m_wndCommandBar.SetWindowText("コマンドバー");
    if (!CreateSpecialBars())
        return -1;
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators))))
        return -1;

    for (CControlBar* bar : { static_cast<CControlBar*>(&m_wndInputBar), static_cast<CControlBar*>(&m_wndSubBar),
                              static_cast<CControlBar*>(&m_wndScreenBar), static_cast<CControlBar*>(&m_wndBoxSearchBar),
                              static_cast<CControlBar*>(&m_wndFindElemBar), static_cast<CControlBar*>(&m_wndConstraintBar),
                              static_cast<CControlBar*>(&m_wndFindPointBar), static_cast<CControlBar*>(&m_wndFileBar),
                              static_cast<CControlBar*>(&m_wndCommandBar) })
        bar->EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    m_wasMinimised = 0;
    return 0;
}

BOOL CMainFrame::CreateSpecialBars()
{
    // Input bar with its line-type button, input box and color box.
    if (!CreateSpecialBar(m_wndInputBar, this, IDW_SPECIAL_BAR, IDB_INPUT_BAR, kInputBarButtons))
        return FALSE;
    if (!CreatePictureButton(m_wndInputBar.m_lineTypeButton, m_wndInputBar, 0, IDC_LINE_TYPE_BUTTON, IDB_LINE_TYPE,
                             IDB_LINE_TYPE_DOWN))
        return FALSE;
    RECT rect;
    m_wndInputBar.GetItemRect(4, &rect);
    rect.top = 3;
    rect.bottom = 803;
    if (!m_wndInputBar.m_inputBox.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_TABSTOP, rect,
                                         &m_wndInputBar, IDC_INPUT_BOX))
        return FALSE;
    m_wndInputBar.PlaceControl(4, &m_wndInputBar.m_inputBox);
    m_wndInputBar.GetItemRect(5, &rect);
    rect.top = 3;
    rect.bottom = 803;
    if (!m_wndInputBar.m_colorBox.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT | CBS_OWNERDRAWFIXED |
                                             CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
                                         rect, &m_wndInputBar, IDC_COLOR_BOX))
        return FALSE;
    m_wndInputBar.PlaceControl(5, &m_wndInputBar.m_colorBox);
    if (g_pApp)
        g_pApp->m_appColor.FillColorCombo(&m_wndInputBar.m_colorBox);
    CreateInputBoxFont();

    // Auxiliary bar.
    if (!CreateSpecialBar(m_wndSubBar, this, AFX_IDW_TOOLBAR, IDB_AUX_BAR, kAuxBarButtons) ||
        !CreatePictureButton(m_wndSubBar.m_creationEnvButton, m_wndSubBar, 6, IDC_CREATION_ENV_BUTTON,
                             IDB_CREATION_ENV, IDB_CREATION_ENV_DOWN) ||
        !CreatePictureButton(m_wndSubBar.m_layerConditionButton, m_wndSubBar, 7, IDC_LAYER_CONDITION_BUTTON,
                             IDB_LAYER_CONDITION, IDB_LAYER_CONDITION_DOWN))
        return FALSE;
    m_wndSubBar.SetWindowText("補助バー");

    if (!CreateStandardBar(m_wndScreenBar, this, IDB_SCREEN_BAR, kScreenBarIds))
        return FALSE;
    m_wndScreenBar.SetWindowText("画面バー");

    if (!CreateSpecialBar(m_wndConstraintBar, this, IDW_SPECIAL_BAR, IDB_CONSTRAINT_BAR, kConstraintBarButtons))
        return FALSE;
    m_wndConstraintBar.SetWindowText("拘束バー");

    if (!CreateStandardBar(m_wndBoxSearchBar, this, IDB_BOX_SEARCH_BAR, kBoxSearchBarIds))
        return FALSE;
    m_wndBoxSearchBar.SetWindowText("箱検索条件バー");

    if (!CreateSpecialBar(m_wndFindElemBar, this, IDW_SPECIAL_BAR, IDB_ELEMENT_SEARCH_BAR, kElementSearchBarButtons) ||
        !CreatePictureButton(m_wndFindElemBar.m_dimSelectButton, m_wndFindElemBar, 6, IDC_DIM_SELECT_BUTTON,
                             IDB_DIM_SELECT, IDB_DIM_SELECT_DOWN) ||
        !CreatePictureButton(m_wndFindElemBar.m_groupSelectButton, m_wndFindElemBar, 7, IDC_GROUP_SELECT_BUTTON,
                             IDB_GROUP_SELECT, IDB_GROUP_SELECT_DOWN))
        return FALSE;
    m_wndFindElemBar.SetWindowText("要素検索条件バー");

    if (!CreateSpecialBar(m_wndFindPointBar, this, IDW_SPECIAL_BAR, IDB_POINT_SEARCH_BAR, kPointSearchBarButtons))
        return FALSE;
    m_wndFindPointBar.SetWindowText("点検索条件バー");
    return TRUE;
}

BOOL CMainFrame::CreateInputBoxFont()
{
    // Text here is always double-byte capable, so the box takes the stock system font (the bold
    // face of string 107 is for systems without double-byte support).
    if (!m_wndInputBar.m_boxFont.CreateStockObject(SYSTEM_FONT))
        return FALSE;
    m_wndInputBar.m_inputBox.SetFont(&m_wndInputBar.m_boxFont, TRUE);
    return TRUE;
}

// ---- arrangement -----------------------------------------------------------------------

void CMainFrame::DockBarLeftOf(CControlBar* bar, CControlBar* other)
{
    RecalcLayout(TRUE);
    RECT rect;
    other->GetWindowRect(&rect);
    rect.left = 0;
    rect.right = 16;
    DockControlBar(bar, AFX_IDW_DOCKBAR_TOP, &rect);
}

void CMainFrame::DockBarInColumn(CControlBar* bar, CControlBar* other)
{
    RecalcLayout(TRUE);
    RECT rect;
    other->GetWindowRect(&rect);
    rect.top = 16;
    DockControlBar(bar, AFX_IDW_DOCKBAR_RIGHT, &rect);
}

int CMainFrame::ArrangeBars()
{
    CPtrArray& views = g_pApp->m_drawingViews;
    for (int i = 0; i < views.GetSize(); ++i)
        if (CFrameWnd* frame = static_cast<CZelkView*>(views[i])->GetParentFrame())
            frame->ShowWindow(SW_HIDE);

    for (CControlBar* bar : { static_cast<CControlBar*>(&m_wndFindPointBar), static_cast<CControlBar*>(&m_wndFindElemBar),
                              static_cast<CControlBar*>(&m_wndBoxSearchBar), static_cast<CControlBar*>(&m_wndConstraintBar),
                              static_cast<CControlBar*>(&m_wndScreenBar), static_cast<CControlBar*>(&m_wndSubBar),
                              static_cast<CControlBar*>(&m_wndInputBar), static_cast<CControlBar*>(&m_wndFileBar),
                              static_cast<CControlBar*>(&m_wndCommandBar) })
        ShowControlBar(bar, FALSE, FALSE);

    const RECT start = { 16, 0, 32, 16 };
    ShowControlBar(&m_wndFindPointBar, TRUE, FALSE);
    DockControlBar(&m_wndFindPointBar, AFX_IDW_DOCKBAR_TOP, &start);
    ShowControlBar(&m_wndFindElemBar, TRUE, FALSE);
    DockBarLeftOf(&m_wndFindElemBar, &m_wndFindPointBar);
    ShowControlBar(&m_wndBoxSearchBar, TRUE, FALSE);
    DockBarLeftOf(&m_wndBoxSearchBar, &m_wndFindElemBar);
    ShowControlBar(&m_wndConstraintBar, TRUE, FALSE);
    DockBarLeftOf(&m_wndConstraintBar, &m_wndBoxSearchBar);

    ShowControlBar(&m_wndScreenBar, TRUE, FALSE);
    DockControlBar(&m_wndScreenBar, AFX_IDW_DOCKBAR_TOP, &start);
    ShowControlBar(&m_wndSubBar, TRUE, FALSE);
    DockBarLeftOf(&m_wndSubBar, &m_wndScreenBar);
    ShowControlBar(&m_wndInputBar, TRUE, FALSE);
    DockBarLeftOf(&m_wndInputBar, &m_wndSubBar);

    ShowControlBar(&m_wndFileBar, TRUE, FALSE);
    DockControlBar(&m_wndCommandBar, AFX_IDW_DOCKBAR_RIGHT, nullptr);
    ShowControlBar(&m_wndCommandBar, TRUE, FALSE);
    DockBarInColumn(&m_wndFileBar, &m_wndCommandBar);

    const BYTE mask = g_pApp->m_appDraw.m_barBits;
    const struct {
        CControlBar* bar;
        BYTE bit;
    } bits[] = { { &m_wndFindPointBar, kPointSearchBit }, { &m_wndFindElemBar, kElementSearchBit },
                 { &m_wndBoxSearchBar, kBoxSearchBit },   { &m_wndConstraintBar, kConstraintBit },
                 { &m_wndScreenBar, kScreenBit },         { &m_wndSubBar, kAuxiliaryBit },
                 { &m_wndFileBar, kFileBit },             { &m_wndCommandBar, kCommandBit } };
    for (const auto& b : bits)
        if (!(mask & b.bit))
            ShowControlBar(b.bar, FALSE, FALSE);

    UpdateWindow();
    for (int i = 0; i < views.GetSize(); ++i)
        if (CFrameWnd* frame = static_cast<CZelkView*>(views[i])->GetParentFrame())
            frame->ShowWindow(SW_SHOWNA);

    bool textDocuments = false;
    if (g_pApp->m_pTextTemplate) {
        POSITION pos = g_pApp->m_pTextTemplate->GetFirstDocPosition();
        textDocuments = pos != nullptr;
    }
    if (!m_wasMinimised && views.GetSize() == 1 && !textDocuments)
        g_pApp->TileDrawingWindows();
    m_wasMinimised = IsIconic() ? 1 : 0;
    return m_wasMinimised;
}

// ---- placement -------------------------------------------------------------------------

BOOL CMainFrame::ReadWindowPlacement(WINDOWPLACEMENT* wp)
{
    CString text = g_pApp->GetProfileString("Settings", "WindowPos");
    if (text.IsEmpty())
        return FALSE;
    WINDOWPLACEMENT read = {};
    const int fields = std::sscanf(text.GetString(), "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", &read.flags, &read.showCmd,
                                   &read.ptMinPosition.x, &read.ptMinPosition.y, &read.ptMaxPosition.x,
                                   &read.ptMaxPosition.y, &read.rcNormalPosition.left, &read.rcNormalPosition.top,
                                   &read.rcNormalPosition.right, &read.rcNormalPosition.bottom);
    if (fields < 10)
        return FALSE;
    read.length = sizeof read;
    *wp = read;
    return TRUE;
}

void CMainFrame::WriteWindowPlacement(const WINDOWPLACEMENT* wp)
{
    CString text;
    text.Format("%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", wp->flags, wp->showCmd, wp->ptMinPosition.x, wp->ptMinPosition.y,
                wp->ptMaxPosition.x, wp->ptMaxPosition.y, wp->rcNormalPosition.left, wp->rcNormalPosition.top,
                wp->rcNormalPosition.right, wp->rcNormalPosition.bottom);
    g_pApp->WriteProfileString("Settings", "WindowPos", text);
}

void CMainFrame::InitialShowWindow(int nCmdShow)
{
    WINDOWPLACEMENT wp;
    if (!ReadWindowPlacement(&wp)) {
        ShowWindow(nCmdShow);
        return;
    }
    if (nCmdShow != SW_SHOWNORMAL)
        wp.showCmd = static_cast<UINT>(nCmdShow);
    SetWindowPlacement(&wp);
    ShowWindow(static_cast<int>(wp.showCmd));
}

void CMainFrame::OnClose()
{
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    if (GetWindowPlacement(&wp)) {
        wp.flags = 0;
        if (IsZoomed())
            wp.flags |= WPF_RESTORETOMAXIMIZED;
        WriteWindowPlacement(&wp);
    }
    if (g_pApp->m_trainingState) {
        if (g_pApp->m_trainingState->m_active)
            if (CZelkDoc* doc = g_pApp->GetActiveDrawingDoc())
                doc->SetModifiedFlag(FALSE);
        g_pApp->m_trainingState->m_active = 0;
    }
    // A drawing waiting for its delayed write would refuse to close.
    g_pApp->FinishPendingSave();
    CMDIFrameWnd::OnClose();
}

void CMainFrame::OnSize(UINT nType, int cx, int cy)
{
    CMDIFrameWnd::OnSize(nType, cx, cy);
    DrawMenuBar();
    if (m_wndCommandBar.GetSafeHwnd())
        ArrangeBars();
}

BOOL CMainFrame::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (g_pApp->m_contextHelpMode != kContextHelpArmed)
        return CMDIFrameWnd::OnSetCursor(pWnd, nHitTest, message);
    ::SetCursor(g_pApp->LoadStandardCursor(IDC_HELP));
    return TRUE;
}

// ---- bar and input-mode commands ---------------------------------------------------------

BOOL CMainFrame::OpenHelpIfArmed(const char* helpPage)
{
    if (g_pApp->m_contextHelpMode != kContextHelpArmed)
        return FALSE;
    g_pApp->ShowHelpPage(helpPage);
    g_pApp->m_contextHelpMode = 0;
    return TRUE;
}

void CMainFrame::ToggleBar(CControlBar* bar, BYTE bit, const char* helpPage)
{
    if (OpenHelpIfArmed(helpPage))
        return;
    const BOOL visible = bar->IsWindowVisible();
    ShowControlBar(bar, !visible, FALSE);
    RecalcLayout(TRUE);
    if (bar->IsWindowVisible())
        g_pApp->m_appDraw.m_barBits = static_cast<BYTE>(g_pApp->m_appDraw.m_barBits | bit);
    else
        g_pApp->m_appDraw.m_barBits = static_cast<BYTE>(g_pApp->m_appDraw.m_barBits & ~bit);
}

void CMainFrame::OnViewSubBar() { ToggleBar(&m_wndSubBar, kAuxiliaryBit, "Help\\HID_VIEW_SUBBAR.htm"); }
void CMainFrame::OnViewFreeBar() { ToggleBar(&m_wndScreenBar, kScreenBit, "Help\\HID_VIEW_FREEBAR.htm"); }
void CMainFrame::OnViewRestrictBar() { ToggleBar(&m_wndConstraintBar, kConstraintBit, "Help\\HID_VIEW_RESTLICTBAR.htm"); }
void CMainFrame::OnViewAreaBar() { ToggleBar(&m_wndBoxSearchBar, kBoxSearchBit, "Help\\HID_VIEW_AREABAR.htm"); }
void CMainFrame::OnViewFindElemBar() { ToggleBar(&m_wndFindElemBar, kElementSearchBit, "Help\\HID_VIEW_FINDELEMBAR.htm"); }
void CMainFrame::OnViewFindPointBar() { ToggleBar(&m_wndFindPointBar, kPointSearchBit, "Help\\HID_VIEW_FINDPOINTBAR.htm"); }
void CMainFrame::OnViewFileBar() { ToggleBar(&m_wndFileBar, kFileBit, "Help\\HID_VIEW_TOOLBAR.htm"); }
void CMainFrame::OnViewCommandBar() { ToggleBar(&m_wndCommandBar, kCommandBit, "Help\\HID_VIEW_COMMAND.htm"); }
void CMainFrame::OnViewStatusBar() { ToggleBar(&m_wndStatusBar, 0, "Help\\HID_VIEW_STATUS_BAR.htm"); }

void CMainFrame::OnLayoutBar()
{
    if (OpenHelpIfArmed("Help\\HID_LAYOUT_BAR.htm"))
        return;
    ArrangeBars();
}

void CMainFrame::OnUpdateViewSubBar(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndSubBar.IsWindowVisible()); }
void CMainFrame::OnUpdateViewFreeBar(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndScreenBar.IsWindowVisible()); }
void CMainFrame::OnUpdateViewRestrictBar(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndConstraintBar.IsWindowVisible()); }
void CMainFrame::OnUpdateViewAreaBar(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndBoxSearchBar.IsWindowVisible()); }
void CMainFrame::OnUpdateViewFindElemBar(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndFindElemBar.IsWindowVisible()); }
void CMainFrame::OnUpdateViewFindPointBar(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndFindPointBar.IsWindowVisible()); }
void CMainFrame::OnUpdateViewFileBar(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndFileBar.IsWindowVisible()); }
void CMainFrame::OnUpdateViewCommandBar(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndCommandBar.IsWindowVisible()); }
void CMainFrame::OnUpdateViewStatusBar(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndStatusBar.IsWindowVisible()); }

void CMainFrame::OnModeNumber()
{
    if (OpenHelpIfArmed("Help\\HID_MODE_NUMBER.htm"))
        return;
    g_pApp->m_inputBar->SelectList(1, 1, 1);
    m_wndInputBar.m_inputBox.ShowDropDown(TRUE);
}

void CMainFrame::OnModeText()
{
    if (OpenHelpIfArmed("Help\\HID_MODE_TEXT.htm"))
        return;
    constexpr short kTextCommandKind = 7;
    constexpr short kDimensionCommandKind = 10;
    if (g_pApp->m_interruptKind == kTextCommandKind || g_pApp->m_commandKind == kTextCommandKind) {
        g_pApp->m_inputBar->StartTextInput();
        m_wndInputBar.m_inputBox.ShowDropDown(TRUE);
        return;
    }
    CZelkDoc* doc = g_pApp->GetActiveDrawingDoc();
    if (!doc)
        return;
    (void)kDimensionCommandKind;
    if (g_pApp->m_activeView)
        g_pApp->DispatchCommand(doc, g_pApp->m_activeView, 309);
}

void CMainFrame::OnModeFont()
{
    if (OpenHelpIfArmed("Help\\HID_MODE_FONT.htm"))
        return;
    g_pApp->m_inputBar->StartFontInput();
    m_wndInputBar.m_inputBox.ShowDropDown(TRUE);
}

void CMainFrame::OnUpdateModeNumber(CCmdUI* pCmdUI) { pCmdUI->SetCheck(g_pApp->m_inputBar && g_pApp->m_inputBar->m_currentList == 1); }
void CMainFrame::OnUpdateModeText(CCmdUI* pCmdUI) { pCmdUI->SetCheck(g_pApp->m_inputBar && g_pApp->m_inputBar->m_currentList == 2); }
void CMainFrame::OnUpdateModeFont(CCmdUI* pCmdUI) { pCmdUI->SetCheck(g_pApp->m_inputBar && g_pApp->m_inputBar->m_currentList == 3); }

// ---- timers ------------------------------------------------------------------------------

int CMainFrame::StartTimer(UINT id, UINT elapse)
{
    const UINT_PTR handle = SetTimer(id, elapse, nullptr);
    if (handle == 0) {
        if (id == 3)
            g_pApp->ShowMessage("ウィンドウズのタイマが不足しており、アプリケーションは実行できません", 1);
        return 0;
    }
    if ((id >= 1 && id <= 9) || (id >= 13 && id <= kTimerCount))
        m_timers[id] = handle;
    return 1;
}

void CMainFrame::StopTimer(UINT id)
{
    if (id >= 1 && id <= kTimerCount)
        KillTimer(m_timers[id]);
}

void CMainFrame::ProcessUserAppRequests()
{
    UserAppBlock* block = g_pApp->m_userAppBlockHolder ? g_pApp->m_userAppBlockHolder->m_block : nullptr;
    if (!block || !g_pApp->GetActiveDrawingDoc())
        return;
    for (std::int16_t& status : block->m_status)
        status = 0;
    for (int slot = 0; slot < UserAppBlock::kSlots && block->m_codes[slot] != 0; ++slot)
        ServeUserAppRequest(*block, slot);
    for (std::int16_t& code : block->m_codes)
        code = 0;
    block->m_requestFlag = 0;
    if (g_pApp->m_userAppManager)
        g_pApp->m_userAppManager->NotifyRequestsDone(0);
    StartTimer(3, 50);
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent)
{
    CZelkDoc* doc = g_pApp->GetActiveDrawingDoc();
    CZelkView* view = g_pApp->m_activeView;
    switch (nIDEvent) {
    case 1:
        // Scrolling back after a pan happens once; the next pan arms it again.
        StopTimer(1);
        if (view)
            view->ScrollToStoredPosition();
        break;
    case 2:
        StopTimer(2);
        if (doc)
            doc->m_previewsSuppressed = 0;
        break;
    case 3:
        // Polls until a user application raises its request flag; the timer stays off while
        // the pass runs, so that the plug-in's answer to it cannot start another.
        if (g_pApp->m_userAppBlockHolder && g_pApp->m_userAppBlockHolder->m_block &&
            g_pApp->m_userAppBlockHolder->m_block->m_requestFlag != 0) {
            StopTimer(3);
            ProcessUserAppRequests();
        }
        break;
    case 4:
        StopTimer(4);
        m_wndInputBar.m_inputBox.ShowDropDown(TRUE);
        break;
    case 5:
    case 6:
    case 7:
    case 8:
    case 9:
    case 13:
        StopTimer(static_cast<UINT>(nIDEvent));
        break;
    case 14:
        StopTimer(14);
        g_pApp->AskSlantedTextPrint();
        break;
    case 15:
        StopTimer(15);
        if (view) {
            if (m_zoomWindowKind == -1)
                view->OpenZoomWindow();
            else
                view->OpenZoomWindowWithFactor(m_zoomWindowKind);
        }
        break;
    case 16:
        StopTimer(16);
        g_pApp->RedrawActiveView();
        if (view)
            view->AppendMessageLine("");
        g_pApp->ShowPrompt();
        break;
    case 17:
        StopTimer(17);
        if (g_pApp->m_scriptInterpreter)
            g_pApp->m_scriptInterpreter->PlayCommandQueue();
        break;
    case 18:
        StopTimer(18);
        g_pApp->WritePendingDrawing();
        break;
    case 19:
        StopTimer(19);
        g_pApp->WritePendingText();
        break;
    default:
        break;
    }
    CMDIFrameWnd::OnTimer(nIDEvent);
}
