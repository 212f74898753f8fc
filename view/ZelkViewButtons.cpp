// The mouse buttons and the keys of a drawing view: each press and release is turned into world
// coordinates, noted in the application and handed to the command dispatcher as its event code;
// the keys that drive commands go to the dispatcher before the frame's accelerators see them.
// The button flags live in the application, so that a press in one view and its release in
// another are told apart from a click.
#include "view/ZelkView.h"

#include "app/InputComboBox.h"
#include "app/InputToolBar.h"
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Curves.h"
#include "input/InputBar.h"
#include "platform/gdi/DC.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/WinUser.h"
#include "view/ZelkObj.h"

namespace {

constexpr int kFreehandKind = 11;

const char* const kMsgShiftPress = "右上ドラッグで拡大、左下で前画面、 左で全表示、点入力でスクロール/拡大窓 です";

bool KeyDown(int virtualKey)
{
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

// Shift alone, as the zoom gestures and the screen-operation double-click read it.
bool ShiftWithoutCtrl()
{
    return KeyDown(VK_SHIFT) && !KeyDown(VK_CONTROL);
}

// The first press of a key, as its message carries it: repeat count 1 and the scan code, with
// every flag bit clear.
constexpr DWORD FirstPress(DWORD scanCode)
{
    return 1u | (scanCode << 16);
}

// The digit row and its minus key, the numeric keypad and four punctuation keys start numeric
// input while the input box is not taking a text.
bool StartsNumericInput(DWORD lParam)
{
    if (lParam >= FirstPress(0x49) && lParam <= FirstPress(0x53))
        return true;
    if (lParam >= FirstPress(0x02) && lParam <= FirstPress(0x0C))
        return true;
    for (DWORD scan : {0x27u, 0x28u, 0x34u, 0x35u})
        if (lParam == FirstPress(scan))
            return true;
    return false;
}

// The key word a pressed key hands to the dispatcher; -1 when the key is not forwarded.
int ForwardedKey(UINT vk)
{
    if ((vk >= 0x08 && vk <= 0x0B) || vk == 0x0D)
        return vk == VK_TAB && KeyDown(VK_CONTROL) ? -1 : static_cast<int>(vk);
    // Ctrl+F6 goes to the next window, as Ctrl+Tab does, not to what F6 alone starts.
    if (vk == VK_F6 && KeyDown(VK_CONTROL))
        return -1;
    // A letter or digit with Ctrl is the frame's shortcut (Ctrl+S, Ctrl+Z ...), not the command
    // the letter alone starts.
    if ((vk >= 0x30 && vk <= 0x39) || (vk >= 0x41 && vk <= 0x5A))
        return KeyDown(VK_CONTROL) ? -1 : static_cast<int>(vk);
    if ((vk >= 0x20 && vk <= 0x28) || vk == 0x2D || vk == 0x2E || (vk >= 0x6A && vk <= 0x6F) || vk == 0x71 ||
        (vk >= 0x75 && vk <= 0x7B))
        return static_cast<int>(vk);
    // Keypad digits as the digits' characters, the punctuation keys as the keypad operators.
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return static_cast<int>(vk - 0x30);
    if (vk >= 0xBA && vk <= 0xBF)
        return static_cast<int>(vk - 0x50);
    return -1;
}

bool RelayedToGestureTips(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
        return true;
    default:
        return false;
    }
}

} // namespace

BOOL CZelkView::ClientToWorld(CPoint point, CPointD& logical, CPointD& world)
{
    std::unique_ptr<CDC> dc = CreateClientDC();
    if (!dc)
        return FALSE;
    OnPrepareDC(dc.get());
    POINT p = point;
    dc->DPtoLP(&p);
    logical.SetFromPoint(p);
    world.SetFromScreen(p, m_origin, m_zoom);
    return TRUE;
}

BOOL CZelkView::AcceptPress(CPoint point)
{
    CZelkApp* app = g_pApp;
    if (!app || !m_document || app->m_contextHelpMode || !m_active)
        return FALSE;
    if (app->m_skipNextButtonDown) {
        app->m_skipNextButtonDown = 0;
        return FALSE;
    }
    m_document->m_pressView = this;
    m_pressPoint = point;
    return TRUE;
}

// The pressed button's flag alone is down; the press point in logical units and in world
// coordinates; for the left and right buttons the pick rectangle about it (logical units).
CPointD CZelkView::StartPress(CPoint point, std::int32_t& buttonDown, CPointD& world, BOOL pickRect)
{
    CZelkApp* app = g_pApp;
    app->m_leftButtonDown = 0;
    app->m_rightButtonDown = 0;
    app->m_middleButtonDown = 0;
    buttonDown = 1;
    CPointD logical;
    ClientToWorld(point, logical, world);
    m_pressLogicalPoint = logical;
    if (pickRect) {
        const int d = app->m_appFind.pickHalfSize;
        const int x = static_cast<int>(logical.m_x);
        const int y = static_cast<int>(logical.m_y);
        m_pickRect = RECT{x - d, y + d, x + d, y - d};
    }
    return logical;
}

void CZelkView::AnnounceShiftPress()
{
    if (!ShiftWithoutCtrl())
        return;
    LayGestureTooltips(0);
    g_pApp->ShowMessage(kMsgShiftPress, 0);
}

void CZelkView::CaptureButtons()
{
    if (m_hWnd)
        SetCapture();
}

void CZelkView::ReleaseButtons()
{
    if (m_hWnd && GetCapture() == this)
        ReleaseCapture();
}

BOOL CZelkView::EndContextHelpOnRelease()
{
    CZelkApp* app = g_pApp;
    if (!app || !app->m_contextHelpMode)
        return FALSE;
    app->m_contextHelpMode = 0;
    app->ShowMessage("", 0);
    app->m_hint = app->m_previousHint;
    app->m_prompt = app->m_previousPrompt;
    app->ShowPrompt();
    return TRUE;
}

void CZelkView::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!AcceptPress(point))
        return;
    CScrollView::OnLButtonDown(nFlags, point);
    CZelkApp* app = g_pApp;
    const CPointD logical = StartPress(point, app->m_leftButtonDown, app->m_leftPressPoint, TRUE);
    // A press beside an item edited in place only ends that editing.
    if (CloseInPlaceItem()) {
        // Deselecting edits the list, so the objects are walked from a copy.
        const std::vector<CZelkObj*> selected = m_oleSelection;
        for (CZelkObj* object : selected)
            DeselectOleObject(object);
        OnUpdate(nullptr, 2, nullptr);
        m_oleSelection.clear();
        return;
    }
    AnnounceShiftPress();
    app->DispatchCommand(m_document, this, 1);
    CaptureButtons();
    const int mode = app->m_interruptMode;
    if (mode == 33 || mode == 34 || mode == 35)
        return;
    POINT at{static_cast<int>(logical.m_x), static_cast<int>(logical.m_y)};
    if (!BeginObjectResize(at))
        PressOnObject(at, KeyDown(VK_SHIFT));
}

void CZelkView::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (!AcceptPress(point))
        return;
    CScrollView::OnRButtonDown(nFlags, point);
    CZelkApp* app = g_pApp;
    StartPress(point, app->m_rightButtonDown, app->m_rightPressPoint, TRUE);
    if (FreehandStroke()) {
        if (app->m_appElem.m_layerCondition == 2) {
            m_document->m_writeLayer = m_document->FindOrCreateLayer("");
            m_document->UpdateAndPaintAllViews();
        }
        m_freehandPoints.clear();
        m_freehandPoints.push_back(app->m_rightPressPoint);
    } else {
        AnnounceShiftPress();
        // A screen-operation drag: the zones name what releasing in them does.
        if ((nFlags & MK_SHIFT) && !(nFlags & MK_CONTROL))
            LayGestureTooltips(0);
        app->DispatchCommand(m_document, this, 3);
    }
    CaptureButtons();
}

void CZelkView::OnMButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    if (!AcceptPress(point))
        return;
    CZelkApp* app = g_pApp;
    StartPress(point, app->m_middleButtonDown, app->m_middlePressPoint, FALSE);
    LayGestureTooltips(0);
    app->DispatchCommand(m_document, this, 9);
    CaptureButtons();
}

// The start the left and right releases share: context help ends, the capture goes, nothing in
// a view that is not the active one; after the default processing a press taken by another view
// only clears the button's flags. The right button's gesture starts again from nothing. TRUE
// when the release goes on.
BOOL CZelkView::StartRelease(std::int32_t* buttonDown, std::int32_t* doubleClicked)
{
    if (EndContextHelpOnRelease())
        return FALSE;
    ReleaseButtons();
    CZelkApp* app = g_pApp;
    if (!app || !m_document || !m_active)
        return FALSE;
    Default();
    if (buttonDown == &app->m_rightButtonDown)
        m_gestureCcw = m_gestureCw = 0;
    if (m_document->m_pressView != this) {
        *buttonDown = 0;
        *doubleClicked = 0;
        return FALSE;
    }
    ActivateGestureTips(FALSE);
    if (app->m_specialMode == 53)
        app->ShowMessage("", 0);
    return TRUE;
}

void CZelkView::TakeReleasePoint(CPoint point, CPointD& world)
{
    CPointD logical;
    ClientToWorld(point, logical, world);
    m_releaseLogicalPoint = logical;
}

void CZelkView::OnLButtonUp(UINT nFlags, CPoint point)
{
    CZelkApp* app = g_pApp;
    if (!StartRelease(app ? &app->m_leftButtonDown : nullptr, app ? &app->m_leftDoubleClicked : nullptr))
        return;
    if (app->m_skipLeftUp) {
        app->m_skipLeftUp = 0;
        return;
    }
    TakeReleasePoint(point, app->m_leftReleasePoint);
    m_document->m_inputPoint.SetPoint(app->m_leftReleasePoint);
    const CPointD p = m_document->m_inputPoint.GetEffective(m_document, 1);
    if (!m_oleSelection.empty()) {
        m_document->RedrawPreviewsInViews();
        if (m_oleDragMode == 1)
            EndObjectMove(nFlags, p);
        SetCursor(LoadCursor(IDC_ARROW));
    }
    // A zoom window the dispatch closes may be this very view: then nothing of it is touched.
    const int closedBefore = app->m_appDraw.zoomWindowClosed;
    app->DispatchCommand(m_document, this, 2);
    if (!closedBefore && app->m_appDraw.zoomWindowClosed)
        return;
    ReleaseButtons();
    m_oleDragMode = 0;
    app->m_leftButtonDown = 0;
    app->m_leftDoubleClicked = 0;
}

void CZelkView::OnRButtonUp(UINT nFlags, CPoint point)
{
    (void)nFlags;
    CZelkApp* app = g_pApp;
    if (!StartRelease(app ? &app->m_rightButtonDown : nullptr, app ? &app->m_rightDoubleClicked : nullptr))
        return;
    TakeReleasePoint(point, app->m_rightReleasePoint);
    if (FreehandStroke())
        EndFreehandStroke(app->m_rightReleasePoint);
    else
        app->DispatchCommand(m_document, this, 4);
    app->m_rightButtonDown = 0;
    app->m_rightDoubleClicked = 0;
}

void CZelkView::OnMButtonUp(UINT nFlags, CPoint point)
{
    (void)nFlags;
    if (EndContextHelpOnRelease())
        return;
    CZelkApp* app = g_pApp;
    if (!app || !m_document || !m_active)
        return;
    if (m_document->m_pressView != this) {
        app->m_middleButtonDown = 0;
        app->m_skipNextButtonDown = 0;
        return;
    }
    ReleaseButtons();
    ActivateGestureTips(FALSE);
    m_document->m_previewKind = 0;
    TakeReleasePoint(point, app->m_middleReleasePoint);
    app->DispatchCommand(m_document, this, 10);
    app->m_middleButtonDown = 0;
}

void CZelkView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    if (TakeScreenDoubleClick(FALSE))
        return;
    CZelkApp* app = g_pApp;
    app->m_leftButtonDown = 0;
    app->m_skipLeftUp = 1;
    if (m_oleSelection.size() == 1) {
        m_oleDragMode = 0;
        OpenSelectedObject();
        return;
    }
    app->m_leftDoubleClicked = 1;
    app->DispatchCommand(m_document, this, 5);
}

void CZelkView::OnRButtonDblClk(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    if (TakeScreenDoubleClick(FALSE))
        return;
    CZelkApp* app = g_pApp;
    app->m_rightDoubleClicked = 1;
    app->DispatchCommand(m_document, this, 6);
    app->m_rightButtonDown = 0;
}

void CZelkView::OnMButtonDblClk(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    TakeScreenDoubleClick(TRUE);
}

// What every double-click does first: nothing in a view that is not the active one; after the
// default processing, with Shift alone (the middle button always) code 11, whose next press is
// swallowed. TRUE when the double-click is done with.
BOOL CZelkView::TakeScreenDoubleClick(BOOL always)
{
    CZelkApp* app = g_pApp;
    if (!app || !m_document || !m_active)
        return TRUE;
    Default();
    if (!always && !ShiftWithoutCtrl())
        return FALSE;
    app->m_skipNextButtonDown = 1;
    app->DispatchCommand(m_document, this, 11);
    app->m_middleButtonDown = 0;
    return TRUE;
}

BOOL CZelkView::FreehandStroke() const
{
    const CZelkApp* app = g_pApp;
    return app->m_commandKind == kFreehandKind && app->m_interruptKind == 0 && app->m_groupProcessing == 0 &&
           m_document->m_groupProcessing == 0;
}

// The finished stroke becomes one curve and one undo step; a stroke the drawing refuses (a
// single spot) leaves nothing.
void CZelkView::EndFreehandStroke(const CPointD& release)
{
    m_freehandPoints.push_back(release);
    std::int16_t block = 0;
    std::int16_t slot = 0;
    if (CCurves* curves = m_document->AddCurveWithCurrentPen(1, m_freehandPoints, block, slot)) {
        m_document->m_undoHistory->RecordChange(1, 512, block, slot, 8);
        m_document->m_undoHistory->Commit(1);
        DrawCurveElement(1, 1, curves, slot);
    }
    std::vector<CPointD>().swap(m_freehandPoints);
}

// ---- keys ------------------------------------------------------------------------------------

BOOL CZelkView::PreTranslateMessage(MSG* pMsg)
{
    CZelkApp* app = g_pApp;
    if (!app || !m_document)
        return CScrollView::PreTranslateMessage(pMsg);
    CInputBar* bar = app->m_inputBar;
    const int list = bar ? bar->m_currentList : 1;
    if (list == 2 && InputBoxHasFocus())
        return CWnd::PreTranslateMessage(pMsg);
    if (bar && list < 2 && pMsg->message == WM_KEYDOWN && StartsNumericInput(static_cast<DWORD>(pMsg->lParam)))
        bar->EnterNumericMode(0);
    if (m_hWnd && m_gestureTips && RelayedToGestureTips(pMsg->message)) {
        // The tips follow the pointer only: a press must not hide the zone the drag starts in.
        MSG relay = *pMsg;
        relay.message = WM_MOUSEMOVE;
        m_gestureTips->RelayEvent(&relay);
    }
    if (pMsg->message == WM_KEYUP) {
        app->DispatchCommand(m_document, this, 8);
        return TRUE;
    }
    const UINT vk = static_cast<UINT>(pMsg->wParam);
    if (pMsg->message == WM_KEYDOWN || (pMsg->message == WM_SYSKEYDOWN && vk == VK_F10)) {
        if (pMsg->lParam & (1 << 30))
            return CScrollView::PreTranslateMessage(pMsg);
        if (vk == VK_ESCAPE) {
            if (KeyDown(VK_ESCAPE)) {
                app->m_lastKey = VK_ESCAPE;
                app->DispatchCommand(m_document, this, 7);
            }
            return CScrollView::PreTranslateMessage(pMsg);
        }
        const int key = ForwardedKey(vk);
        if (key < 0)
            return CScrollView::PreTranslateMessage(pMsg);
        app->m_lastKey = key;
        app->DispatchCommand(m_document, this, 7);
        return TRUE;
    }
    return CScrollView::PreTranslateMessage(pMsg);
}

// The input method's key: the commands take it like any other.
void CZelkView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CScrollView::OnKeyDown(nChar, nRepCnt, nFlags);
    if (nChar == VK_PROCESSKEY && g_pApp && m_document) {
        g_pApp->m_lastKey = VK_PROCESSKEY;
        g_pApp->DispatchCommand(m_document, this, 7);
    }
}

BOOL CZelkView::InputBoxHasFocus() const
{
    const CZelkApp* app = g_pApp;
    return app && app->m_pMainFrame && app->m_pMainFrame->m_wndInputBar.m_inputBox.m_hasFocus;
}
