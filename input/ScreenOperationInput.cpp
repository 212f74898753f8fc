// The application's side of navigation: the mouse input of the screen operation, the show-all,
// zoom, pan, previous-screen and saved-screen keys, and the start and end of box selection.
#include "app/ZelkApp.h"

#include "app/CreationEnvButton.h"
#include "app/MainFrame.h"
#include "commands/annotate/GroupProcessor.h"
#include "document/ZelkDoc.h"
#include "input/SavedScreen.h"
#include "input/ScreenOperation.h"
#include "platform/gdi/DC.h"
#include "platform/ui/ClientDC.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/WinUser.h"
#include "view/ZelkView.h"

#include <algorithm>
#include <cstdlib>

namespace {

const char kPrompt[] = "[画面操作] ドラッグ右上|右下|左|左下|左上 or スクロール基点|拡大位置点";
const char kHint[] = "右上ドラッグで拡大､左で全表示､左下で前画面です。点入力でスクロール/拡大窓へ。";
const char kSecondClickPrompt[] = "[スクロール/拡大窓] スクロール先の点 or 同一点の入力で拡大窓";
const char kSecondClickHint[] = "スクロール先の点を入力してください。 同一点を入力すると拡大窓が開きます。";
const char kContinuous[] = "画面連続操作モードです";
const char kRemembered[] = "この画面を記憶しました";
const char kDeformEntered[] = "変形モードに入りました。グループと寸法線の選択ではメンバ要素が選ばれます。";
const char kBoxEntered[] = "箱選択で群処理モードに入りました。";
const char kConditionsSet[] = " 要素作成条件を [選択要素の環境で作成] [同レイヤに作成] に設定。";

bool Shift()
{
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

// Device pixels of a world point in the view.
POINT DevicePoint(CZelkView* view, const CPointD& world)
{
    const CPointD s = world.WorldToScreen(view->m_origin, view->m_zoom);
    POINT p{static_cast<LONG>(s.m_x), static_cast<LONG>(s.m_y)};
    CClientDC dc(view);
    view->OnPrepareDC(&dc);
    dc.LPtoDP(&p);
    return p;
}

}  // namespace

void CZelkApp::OnScreenOperationInput(CZelkDoc* doc, CZelkView* view, int& dragged, const CPointD& start,
                                      const CPointD* release)
{
    CScreenOperation* operation = m_screenOperation;
    if (!operation || !view)
        return;
    if (doc)
        doc->m_previewKind = 0;
    operation->m_prompt = kPrompt;
    if (!release && !operation->IsInOperation())
        m_hint = kHint;
    if (dragged) {
        if (!release) {
            dragged = 0;
            return;
        }
        const POINT a = DevicePoint(view, start);
        const POINT b = DevicePoint(view, *release);
        const int dx = b.x - a.x;
        const int dy = b.y - a.y;
        const int threshold = m_appFind.gestureZoneSize;
        if (dx >= 0) {
            view->PushPreviousScreen();
            operation->gesture = dy <= 0 ? 1 : 2;
            operation->OnPoint(view, *release);
        } else {
            operation->Reset();
            if (dy <= -threshold)
                view->ShowPreviousScreen(-1);
            else if (dy > threshold)
                view->ShowPreviousScreen(1);
            else {
                view->PushPreviousScreen();
                view->ShowAll();
            }
        }
        if (!m_specialRepeat) {
            // A zoom drag without width or height leaves both its points; the mode ends here,
            // and its gesture with it, so that the next click is not taken as its second point.
            if (operation->state == 3)
                operation->Reset();
            SwitchMode(doc, view, 3, 0, 0);
            SetGuidance(doc);
            ShowPrompt();
        }
        return;
    }
    // A press after a zoom drag that zoomed nothing begins a new gesture: the old first point
    // would otherwise scroll the view onto this one.
    if (!release && operation->state == 3)
        operation->Reset();
    operation->gesture = 3;
    if (!release) {
        operation->OnPoint(view, start);
    } else if (operation->IsInOperation()) {
        operation->m_prompt = kSecondClickPrompt;
        operation->m_hint = kSecondClickHint;
        if (doc) {
            doc->m_previewKind = 14;
            doc->m_previewPointA = operation->firstPoint;
        }
    } else if (!m_specialRepeat && m_specialMode == 53) {
        SwitchMode(doc, view, 3, 0, 0);
    }
}

void CZelkApp::OnShowAllKey(CZelkDoc* doc, CZelkView* view)
{
    if (!view)
        return;
    if (view->m_viewKind == 2) {
        view->CloseZoomWindow();
        return;
    }
    const bool continuous = m_specialMode == 53 && m_specialRepeat;
    if (Shift()) {
        view->PushPreviousScreen();
        view->ShowOriginAtZoomOne();
        if (!continuous)
            SwitchMode(doc, view, 3, 0, 0);
        return;
    }
    view->PushPreviousScreen();
    if (m_lastStatus == 8) {
        if (doc)
            doc->ComputeExtents();
        m_lastStatus = 0;
    } else {
        m_lastStatus = 8;
    }
    if (!continuous) {
        m_specialRepeat = 0;
        SwitchMode(doc, view, 3, 0, 0);
    }
    view->ShowAll();
}

void CZelkApp::OnSavedScreenKey(CZelkDoc* doc, CZelkView* view, int number)
{
    (void)doc;
    if (number < 6 || number > 12 || !view)
        return;
    CSavedScreen* screen = m_savedScreens[number - 6];
    if (!screen)
        return;
    if (Shift()) {
        screen->view = view;
        screen->origin = view->m_origin;
        screen->centre = view->m_centre;
        screen->zoom = view->m_zoom;
        screen->scrollX = view->m_scrollPos.x;
        screen->scrollY = view->m_scrollPos.y;
        ShowMessage(kRemembered, 0);
        return;
    }
    CZelkView* shown = screen->view;
    if (!shown)
        return;
    if (shown != view)
        if (CFrameWnd* frame = shown->GetParentFrame())
            frame->ShowWindow(SW_MAXIMIZE);
    shown->RestoreScreen(*screen);
}

BOOL CZelkApp::OnNavigationKey(CZelkDoc* doc, CZelkView* view)
{
    const int key = m_lastKey;
    if (key >= 117 && key <= 123) {
        OnSavedScreenKey(doc, view, key - 111);
        return TRUE;
    }
    if (!view)
        return key == 8 || key == 33 || key == 34 || (key >= 37 && key <= 40);
    const bool continuous = m_specialMode == 53 && m_specialRepeat;
    switch (key) {
    case 8:
        view->ShowPreviousScreen(Shift() ? -1 : 1);
        return TRUE;
    case 33:
    case 34:
        view->PushPreviousScreen();
        if (key == 33)
            view->ZoomInAtCursor();
        else
            view->ZoomOutAtCursor();
        if (continuous)
            ShowMessage(kContinuous, 0);
        else
            SwitchMode(doc, view, 3, 0, 0);
        return TRUE;
    case 37:
    case 38:
    case 39:
    case 40:
        view->PushPreviousScreen();
        if (key == 37)
            view->PanLeft();
        else if (key == 38)
            view->PanUp();
        else if (key == 39)
            view->PanRight();
        else
            view->PanDown();
        if (!continuous)
            SwitchMode(doc, view, 3, 0, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CZelkApp::StartBoxSelection(CZelkDoc* doc, CZelkView* view, int keepGroup)
{
    if (!doc || !view)
        return FALSE;
    const POINT a = DevicePoint(view, m_leftPressPoint);
    const POINT b = DevicePoint(view, m_leftReleasePoint);
    const LONG d = std::max(std::labs(b.x - a.x), std::labs(b.y - a.y));
    if (d <= m_appFind.gestureZoneSize)
        return FALSE;
    m_savedCreationEnv = m_appElem.m_creationEnv;
    if (!keepGroup) {
        ClearOtherSelections(nullptr);
        ResetSelectionState();
    } else {
        ClearOtherSelections(doc);
        if (m_groupProcessor)
            m_groupProcessor->Reset(0);
    }
    doc->m_groupProcessing = 1;
    auto selectedEnvironment = [this] {
        m_appElem.m_creationEnv = 1;
        ShowCreationEnvButton(*this);
    };
    const bool noSymbol = m_symbolDoc == nullptr;
    if (m_appFind.boxSelectionMode == 3) {
        m_savedLayerCondition = m_appElem.m_layerCondition;
        m_savedCreationEnv = m_appElem.m_creationEnv;
        doc->m_deformMode = 1;
        if (m_groupProcessor)
            m_groupProcessor->m_document = doc;
        m_appElem.m_mask = 0;
        m_appText.m_mask = 0;
        ShowMessage(kDeformEntered, 0);
        if (noSymbol) {
            selectedEnvironment();
            SetLayerCondSame();
            ShowResultMessage(kConditionsSet, 0);
        }
        return TRUE;
    }
    if (m_groupProcessor)
        m_groupProcessor->m_document = doc;
    ShowMessage(kBoxEntered, 0);
    m_appElem.m_mask = 0;
    m_appText.m_mask = 0;
    m_savedLayerCondition = m_appElem.m_layerCondition;
    selectedEnvironment();
    if (noSymbol) {
        SetLayerCondSame();
        ShowResultMessage(kConditionsSet, 0);
    }
    return TRUE;
}

void CZelkApp::EndTransformMode()
{
    if (m_appFind.boxSelectionMode != 3)
        return;
    OnSelectInclude();
    if (m_pDocTemplate) {
        POSITION pos = m_pDocTemplate->GetFirstDocPosition();
        while (pos)
            if (auto* doc = dynamic_cast<CZelkDoc*>(m_pDocTemplate->GetNextDoc(pos)))
                doc->m_deformMode = 0;
    }
    if (m_groupProcessor) {
        m_groupProcessor->modePattern = "PP";
        m_groupProcessor->m_moveFlag = 0;
    }
}
