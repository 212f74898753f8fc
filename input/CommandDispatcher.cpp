// The command-start dispatcher: every mouse event, key and mode command of a drawing view
// enters here. It starts and ends modes, hands inputs on, and after each event rebuilds the
// guidance and preview and counts the operation for the recovery save.
#include "app/ZelkApp.h"

#include "document/CreationLog.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "input/InputBar.h"
#include "input/LayerOps.h"
#include "input/ScreenOperation.h"
#include "macro/MacroRecorder.h"
#include "platform/core/Services.h"
#include "platform/ui/WinUser.h"
#include "elements/ElementKinds.h"
#include "view/ZelkObj.h"
#include "view/ZelkView.h"

namespace {

const char* const kMsgContinuousScreenOperation = "画面連続操作モードです";

constexpr int kKeyEnter = 13;

bool ShiftDown()
{
    return GetKeyState(VK_SHIFT) < 0;
}

bool CtrlDown()
{
    return GetKeyState(VK_CONTROL) < 0;
}

// The command codes that only toggle an interrupting mode.
int ToggledMode(int code)
{
    switch (code) {
    case 207: return 36;
    case 208: return 37;
    case 209: return 38;
    case 210: return 39;
    case 212: return 40;
    case 213: return 41;
    case 214: return 42;
    case 215: return 43;
    case 216: return 44;
    case 217: return 45;
    default: return 0;
    }
}

// The command codes that start a drawing command: the kind and whether a macro asks.
bool CommandOfCode(int code, short& kind, int& macro)
{
    static const struct {
        int code;
        short kind;
        int macro;
    } table[] = {
        { 301, 1, 0 }, { 302, 1, 1 }, { 303, 2, 0 }, { 304, 2, 1 }, { 305, 3, 0 }, { 307, 3, 1 },
        { 306, 4, 0 }, { 308, 4, 1 }, { 309, 7, 0 }, { 310, 7, 1 }, { 311, 9, 0 }, { 312, 10, 0 },
        { 313, 10, 1 }, { 314, 11, 0 }, { 315, 11, 1 }, { 316, 12, 0 }, { 317, 12, 1 }, { 401, 21, 0 },
    };
    for (const auto& row : table) {
        if (row.code == code) {
            kind = row.kind;
            macro = row.macro;
            return true;
        }
    }
    return false;
}

void RepaintView(CZelkView* view)
{
    if (!view)
        return;
    view->Invalidate(FALSE);
    view->UpdateWindow();
}

} // namespace

BOOL CZelkApp::DispatchCommand(CZelkDoc* doc, CZelkView* view, int code)
{
    if (!IsDrawingDocument(doc)) {
        Services().MessageBeep(MB_ICONASTERISK);
        return FALSE;
    }
    if (view)
        view->m_fitOnResize = 0;
    RedrawAllPreviews();
    if (m_justAnnounced == 1) {
        const bool tabOrSpace = code == 7 && (m_lastKey == 9 || m_lastKey == 32);
        if (tabOrSpace || code == 203) {
            m_justAnnounced = 0;
            if (m_commandKind == 7)
                ClearTextBoxPreview(doc);
        } else if (code != 2 && code != 4) {
            EndInterruptCommand(doc);
        }
    }
    if (view) {
        if (code == 2 && view->m_oleResized)
            RecordObjectResize(doc, view);
        view->m_oleResized = 0;
    }
    switch (code) {
    case 1:
        OnLeftButtonDownCode(doc, view);
        break;
    case 2:
    case 3:
    case 4:
        DispatchButtonCode(doc, view, code);
        break;
    case 5:
        if (!OnLeftDoubleClickCode(doc, view))
            return FALSE;
        break;
    case 6:
        if (m_specialMode == 53)
            ModeInput(doc, view, 6);
        else
            DispatchInputEvent(doc, 12, 0);
        break;
    case 7:
        if (!DispatchKeyCode(doc, view))
            return FALSE;
        break;
    case 8:
        m_deleteKeyDown = 0;
        ComputePreview(doc);
        return TRUE;
    case 9:
        if (view)
            OnScreenOperationInput(doc, view, view->m_middleDragged, m_middlePressPoint, nullptr);
        break;
    case 10:
        if (view)
            OnScreenOperationInput(doc, view, view->m_middleDragged, m_middlePressPoint, &m_middleReleasePoint);
        break;
    case 11:
        if (view) {
            view->PushPreviousScreen();
            view->ZoomInAtCursor();
        }
        EndSingleScreenOperation(doc, view);
        break;
    default:
        DispatchCommandCode(doc, view, code);
        break;
    }
    return RunExitSteps(doc, code);
}

void CZelkApp::RecordObjectResize(CZelkDoc* doc, CZelkView* view)
{
    const CPointD& from = view->m_oleResizeStartSize;
    const CPointD& to = view->m_oleResizeSize;
    // An object without width or height has no scale: the size itself stands for it.
    CPointD scale = to;
    if (from.m_x != 0 && from.m_y != 0)
        scale.Init(to.m_x / from.m_x, to.m_y / from.m_y);
    // The history takes no step of scale 0; a record left for it would join the next step.
    if (scale.m_x == 0 || scale.m_y == 0)
        return;
    CPointD offset;
    offset.Init(0, 0);
    for (CZelkObj* object : view->m_oleSelection) {
        const std::int16_t index = doc->FindObjectIndex(object);
        if (index < 0)
            continue;
        doc->m_undoHistory->RecordChangeWithExtra(3, ELEM_OBJECT, index, 0, object->m_state);
        doc->m_undoHistory->CommitTransform(4, offset, scale);
    }
}

BOOL CZelkApp::RunExitSteps(CZelkDoc* doc, int code)
{
    if (m_promptAmended) {
        if (code != 3)
            m_promptAmended = 0;
    } else {
        if (!IsDrawingDocument(doc)) {
            Services().MessageBeep(MB_ICONASTERISK);
            return FALSE;
        }
        SetGuidance(doc);
    }
    const bool arrowKey = m_lastKey >= 37 && m_lastKey <= 40;
    if (!arrowKey && m_lastStatus != 18 && !m_deleteKeyDown)
        ShowPrompt();
    ComputePreview(doc);
    if (m_lastStatus == 1 && !(code == 7 && m_lastKey == kKeyEnter))
        m_lastStatus = 0;
    if ((m_commandKind != 0 || m_interruptKind != 0) && m_interruptMode == 0 && m_specialMode == 0)
        ++doc->m_recoveryOpCount;
    ++m_eventCount;
    if (doc->m_recoveryOpCount >= m_recoveryInterval) {
        if (!IsDrawingDocument(doc)) {
            Services().MessageBeep(MB_ICONASTERISK);
            return FALSE;
        }
        doc->m_recoveryOpCount = 0;
        doc->SaveRecoveryFile();
    }
    if (m_activeView && m_macroRecorder && m_macroRecorder->m_recording)
        m_activeView->LayGestureTooltips(m_useNextInput ? 9 : 10);
    return TRUE;
}

void CZelkApp::OnLeftButtonDownCode(CZelkDoc* doc, CZelkView* view)
{
    if (ShiftDown()) {
        if (view)
            OnScreenOperationInput(doc, view, view->m_leftDragged, m_leftPressPoint, nullptr);
        return;
    }
    if (m_specialMode != 53) {
        if (m_screenOperation && m_screenOperation->IsInOperation()) {
            if (view)
                OnScreenOperationInput(doc, view, view->m_leftDragged, m_leftPressPoint, nullptr);
        } else if (m_screenOperation) {
            m_screenOperation->Reset();
        }
        return;
    }
    ModeInput(doc, view, 1);
}

void CZelkApp::DispatchButtonCode(CZelkDoc* doc, CZelkView* view, int code)
{
    if (code == 2) {
        if (m_leftButtonDown)
            OnLeftButtonUpCode(doc, view);
    } else if (code == 3) {
        OnRightButtonDownCode(doc, view);
    } else {
        OnRightButtonUpCode(doc, view);
    }
}

void CZelkApp::DispatchCommandCode(CZelkDoc* doc, CZelkView* view, int code)
{
    short kind = 0;
    int macro = 0;
    if (CommandOfCode(code, kind, macro)) {
        SwitchMode(doc, view, 1, kind, macro);
        return;
    }
    if (const int mode = ToggledMode(code)) {
        SwitchMode(doc, view, 2, static_cast<short>(m_interruptMode == mode ? 0 : mode), 0);
        return;
    }
    switch (code) {
    case 101:
        SwitchMode(doc, view, 3, 53, 0);
        break;
    case 103:
        if (view)
            view->Invalidate(TRUE);
        doc->UpdateAllViews(nullptr);
        RepaintView(view);
        if (!(m_specialMode == 53 && m_specialRepeat))
            SwitchMode(doc, view, 3, 0, 0);
        break;
    case 104:
        OnShowAllKey(doc, view);
        break;
    case 105:
        SwitchMode(doc, view, 3, 70, 0);
        break;
    case 201:
        SwitchMode(doc, view, 2, 31, 0);
        break;
    case 202:
        SwitchMode(doc, view, 2, 32, 0);
        break;
    case 203:
        OperationBack(doc, view);
        break;
    case 204:
        if (m_interruptMode == 33 || m_interruptMode == 34)
            EndLayerMode(doc, view);
        else
            SwitchMode(doc, view, 2, ShiftDown() ? 34 : 33, 0);
        break;
    case 205:
        if (m_interruptMode == 35)
            EndLayerMode(doc, view);
        else
            SwitchMode(doc, view, 2, 35, 0);
        break;
    case 206:
        if (view)
            view->m_showAllLayers = view->m_showAllLayers ? 0 : 1;
        if (m_interruptMode == 35)
            SwitchMode(doc, view, 2, 0, 0);
        RepaintView(view);
        break;
    case 211:
        OnPointConstraint(doc, view);
        break;
    case 218:
        if (view) {
            if (CtrlDown())
                view->EndSingleLayerView();
            else
                view->StepSingleLayerView(ShiftDown() ? 1 : 0);
        }
        break;
    case 219:
        if (m_interruptMode == 34)
            EndLayerMode(doc, view);
        else
            SwitchMode(doc, view, 2, 34, 0);
        break;
    default:
        break;
    }
}

void CZelkApp::EndLayerMode(CZelkDoc* doc, CZelkView* view)
{
    SwitchMode(doc, view, 2, 0, 0);
    if (m_inputBar)
        m_inputBar->SelectList(1, 1, 0);
}

void CZelkApp::EndSingleScreenOperation(CZelkDoc* doc, CZelkView* view)
{
    if (m_specialMode == 53 && m_specialRepeat)
        ShowMessage(kMsgContinuousScreenOperation, 0);
    else
        SwitchMode(doc, view, 3, 0, 0);
}
