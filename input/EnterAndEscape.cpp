// Enter, Tab, step back, the point constraint and Escape. Each routine gives its key to a single
// consumer chosen from the mode state; the order differs per routine and is part of its meaning
// (Tab on a snap point asks a user application first and group processing only third).
#include "app/ZelkApp.h"
#include "input/CommandOfKind.h"

#include "commands/CommandKeyOps.h"
#include "commands/annotate/DimCommand.h"
#include "commands/annotate/GroupDeleteMode.h"
#include "commands/annotate/GroupProcessor.h"
#include "commands/annotate/TextCommand.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "commands/line/LoopCommand.h"
#include "commands/line/PointCommand.h"
#include "document/CreationLog.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "geometry/FoundPoint.h"
#include "input/InputBar.h"
#include "input/InputEvent.h"
#include "input/LayerOps.h"
#include "input/PickList.h"
#include "input/PointSearch.h"
#include "input/RelativeCoordSystem.h"
#include "input/ScreenOperation.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/WinUser.h"
#include "userapp/UserAppManager.h"
#include "view/ZelkView.h"

namespace {

const char* const kMsgScreenOperationOff = "画面操作モードは解除しました";
const char* const kMsgContinuousScreenOperationOff = "画面(連続)操作モードは解除しました";
const char* const kMsgSingleLayerOff = "単レイヤ表示を解除しました";
const char* const kMsgSymbolCopyEnded = "シンボルのコピーは終了しました";
const char* const kMsgMacroEnded = "マクロは終了しました。";
const char* const kMsgFirstStep = "初期ステップに戻しました";
const char* const kMsgBoxCleared = "箱選択は解除しました";
const char* const kMsgGroupAndBoxCleared = "群処理モードと箱選択は解除しました";
const char* const kMsgBoxClearedOnly = "箱選択を解除しました";
const char* const kMsgGroupFirstStep = "群処理の初期ステップに戻しました";

constexpr int kUserAppCommand = 9;
constexpr int kGroupDeleteCommand = 21;
constexpr int kEllipseEdit = 22;
constexpr int kScreenOperationMode = 53;
constexpr int kLayerWriteMode = 33;
constexpr double kShiftEnterLineLength = 500.0;

bool ShiftDown()
{
    return GetKeyState(VK_SHIFT) < 0;
}

bool CtrlDown()
{
    return GetKeyState(VK_CONTROL) < 0;
}

} // namespace

// The interrupting instance of a kind (1 point, 2 line, 3 and 4 circle, 7 text, 10 dimension).
CCommandRef InterruptCommand(CZelkDoc* doc, int kind)
{
    switch (kind) {
    case 1: return doc->m_pointCmdInt;
    case 2: return doc->m_lineCmdInt;
    case 3:
    case 4: return doc->m_circleCmdInt;
    case 7: return doc->m_textCmdInt;
    case 10: return doc->m_dimCmdInt;
    default: return CCommandRef();
    }
}

// The main instance of a kind; the loop command and, when asked, the group-delete mode too.
CCommandRef MainCommand(CZelkDoc* doc, int kind, bool withGroupDelete)
{
    switch (kind) {
    case 1: return doc->m_pointCmd;
    case 2: return doc->m_lineCmd;
    case 3:
    case 4: return doc->m_circleCmd;
    case 7: return doc->m_textCmd;
    case 10: return doc->m_dimCmd;
    case 12: return doc->m_loopCmd;
    case kGroupDeleteCommand: return withGroupDelete ? CCommandRef(doc->m_groupDeleteMode) : CCommandRef();
    default: return CCommandRef();
    }
}

// The message that the interrupting mode ended; modes not listed end silently. Escape names the
// write-layer rename as such, Space the write-layer setting it steps back over.
void CZelkApp::ShowInterruptModeEnd(bool byEscape)
{
    static const struct {
        int mode;
        const char* message;
    } kModeEnds[] = {
        { 33, "書込レイヤ設定モードを解除しました" }, { 34, "書込レイヤ改名モードを解除しました" },
        { 35, "参照レイヤ設定モードを解除しました" }, { 36, "解釈実行モードを解除しました" },
        { 37, "相対座標設定モードを解除しました" },   { 38, "起点設定モードを解除しました" },
        { 39, "拘束点設定モードを解除しました" },
    };
    if (m_interruptMode == 34 && !byEscape) {
        ShowMessage(kModeEnds[0].message, 0);
        return;
    }
    for (const auto& end : kModeEnds) {
        if (end.mode == m_interruptMode)
            ShowMessage(end.message, 0);
    }
}

void CZelkApp::OnPointConstraint(CZelkDoc* doc, CZelkView*)
{
    if (!doc)
        return;
    CommitOperation(doc, 0);
    const bool release = m_pointConstraintMode == 5;
    if (release)
        doc->ShowInputPointMark(0);
    if ((m_groupProcessing || doc->m_groupProcessing) && m_groupProcessor) {
        if (release)
            m_groupProcessor->ReleasePointConstraint();
        else
            m_groupProcessor->ApplyPointConstraint();
        return;
    }
    if (m_commandKind == kUserAppCommand) {
        if (m_userAppManager) {
            if (release)
                m_userAppManager->NotifyConstraintReleased();
            else
                m_userAppManager->NotifyConstraintSet();
        }
        return;
    }
    CCommandRef command = InterruptCommand(doc, m_interruptKind);
    if (!command)
        command = MainCommand(doc, m_commandKind, false);
    if (!command)
        return;
    if (release)
        command.ReleasePointConstraint();
    else
        command.ApplyPointConstraint();
}

void CZelkApp::OnTabSnapPoint(CZelkDoc* doc)
{
    CPointSearch* search = doc->m_pointSearch;
    if (!search || !search->Select(ShiftDown() ? -1 : 1))
        return;
    const CFoundPoint* found = search->GetCurrent();
    if (!found)
        return;
    doc->SetBasePoint(found->m_point, doc->m_relativeSystem->WorldToRelative(found->m_point));
    if (m_commandKind == kUserAppCommand) {
        if (m_userAppManager)
            m_userAppManager->NotifySnapPointCycled();
        return;
    }
    if (CCommandRef command = InterruptCommand(doc, m_interruptKind)) {
        command.OnNextSnapPoint();
        return;
    }
    if ((m_groupProcessing || doc->m_groupProcessing) && m_groupProcessor) {
        m_groupProcessor->OnNextSnapPoint();
        return;
    }
    if (CCommandRef command = MainCommand(doc, m_commandKind, false))
        command.OnNextSnapPoint();
}

void CZelkApp::OnTabCandidate(CZelkDoc* doc)
{
    doc->m_pickList->Cycle(ShiftDown() ? -1 : 1);
    if (doc->m_groupProcessing)
        return;
    TakePickedElementAttributes(doc);
    if (m_commandKind == kUserAppCommand) {
        if (m_userAppManager)
            m_userAppManager->NotifyCandidateCycled();
        return;
    }
    CCommandRef command = InterruptCommand(doc, m_interruptKind);
    if (!command)
        command = MainCommand(doc, m_commandKind, true);
    if (command)
        command.OnNextCandidateElement();
}

void CZelkApp::StepBack(CZelkDoc* doc)
{
    if (m_screenOperation && m_screenOperation->IsInOperation()) {
        m_screenOperation->Reset();
        doc->m_previewKind = 0;
        ShowMessage(kMsgScreenOperationOff, 0);
        return;
    }
    if ((m_groupProcessing || doc->m_groupProcessing) && m_groupProcessor) {
        m_groupProcessor->StepBack(1);
        return;
    }
    if (m_commandKind == kUserAppCommand) {
        if (m_userAppManager)
            m_userAppManager->NotifyStepBack();
        return;
    }
    CCommandRef command = InterruptCommand(doc, m_interruptKind);
    if (!command)
        command = MainCommand(doc, m_commandKind, true);
    if (command)
        command.StepBack(1);
}

void CZelkApp::TakePickedElementAttributes(CZelkDoc* doc)
{
    if (!IsAtEditPick(doc))
        m_atrElem.TakeFromPickedElement(doc);
    if (m_appElem.m_creationEnv == 1) {
        m_atrElem.ApplyPen();
        m_atrElem.ApplyText();
        UpdateTextBoxes(doc);
    }
}

BOOL CZelkApp::IsAtEditPick(CZelkDoc* doc)
{
    if (OneOf(m_interruptKind, { 1, 2, 3, 4, 7 }))
        return InterruptCommand(doc, m_interruptKind).IsEditPick();
    if (OneOf(m_commandKind, { 1, 2, 3, 4, 7 }))
        return MainCommand(doc, m_commandKind, false).IsEditPick();
    return FALSE;
}

void CZelkApp::SendEnterToCommand(CZelkDoc* doc)
{
    if (m_commandKind == kUserAppCommand) {
        if (m_userAppManager)
            m_userAppManager->NotifyEnter();
        return;
    }
    if (CCommandRef command = InterruptCommand(doc, m_interruptKind)) {
        command.OnEnter();
        return;
    }
    if (OneOf(m_commandKind, { 1, 2, 3, 4, 7, 10 }))
        MainCommand(doc, m_commandKind, false).OnEnter();
}

void CZelkApp::OnEnterKey(CZelkDoc* doc)
{
    if (!doc)
        return;
    m_pointFromEnter = 0;
    const bool group = (m_groupProcessing || doc->m_groupProcessing) && m_groupProcessor;
    const bool ctrl = CtrlDown();
    if (m_lastStatus == 1) {
        // The shown point goes to the command as it stands, past the router: a typed value that
        // waits in the command is not committed by it.
        if (!group)
            CommitOperation(doc, 1);
        CInputEvent& event = *doc->m_inputEvent;
        event.kind = 4;
        event.subCode = 0;
        event.point = doc->m_basePoint;
        event.relativePoint = doc->m_refPoint;
        if (group) {
            m_groupProcessor->OnInput(doc, 4, ctrl ? 18 : 0);
        } else if (m_commandKind == kUserAppCommand) {
            if (m_userAppManager)
                m_userAppManager->ForwardInputEvent(doc, 4, 0);
        } else if (OneOf(m_interruptKind, { 1, 2, 3, 4, 7, 10 })) {
            InterruptCommand(doc, m_interruptKind).OnInput(4, m_interruptKind == 7 ? 16 : 0);
        } else if (m_commandKind == 2) {
            m_pointFromEnter = 1;
            CLineCommand* line = doc->m_lineCmd;
            line->OnInput(4, 0);
            if (m_commandKind == 2) {
                if (ShiftDown()) {
                    line->m_defaultLength = kShiftEnterLineLength;
                    event.PostValue(doc->m_absAngle - doc->m_relAngle, 15);
                } else if (line->m_modePattern == "PAPP" && line->m_tokenString.GetLength() == 1) {
                    event.PostValue(doc->m_curAngle, 15);
                }
            }
        } else if (m_commandKind == 3) {
            m_pointFromEnter = 1;
            doc->m_circleCmd->OnInput(4, 0);
        } else if (OneOf(m_commandKind, { 1, 4, 7, 10 })) {
            MainCommand(doc, m_commandKind, false).OnInput(4, m_commandKind == 7 ? 16 : 0);
        } else if (m_commandKind == 12) {
            doc->m_loopCmd->OnInput(4, 0);
        }
        m_lastStatus = 3;
        return;
    }
    if (m_lastStatus == 3) {
        if (group && ctrl)
            m_groupProcessor->m_moveFlag = 1;
        DispatchInputEvent(doc, 12, 0);
        m_lastStatus = 4;
        return;
    }
    if (m_interruptMode == kLayerWriteMode) {
        if (m_layerOps)
            m_layerOps->NewWriteLayer(doc);
        return;
    }
    const CCreationLog* log = doc->m_creationLog;
    if (!(log && log->m_logged) && doc->m_undoHistory)
        doc->m_undoHistory->Commit(1);
    CommitOperation(doc, doc->m_groupProcessing ? 0 : 1);
    if (group) {
        CGroupProcessor& processor = *m_groupProcessor;
        if (ctrl && (processor.m_tokenString == "AP" || processor.m_tokenString == "APP")) {
            processor.m_moveFlag = 1;
            processor.OnInput(doc, 11, 0);
        } else {
            processor.OnInput(doc, ctrl ? 17 : 11, 0);
        }
    } else {
        if (m_commandKind == kUserAppCommand) {
            if (m_userAppManager)
                m_userAppManager->ForwardInputEvent(doc, 11, 0);
        } else if (OneOf(m_interruptKind, { 2, 3, 4, 7 })) {
            InterruptCommand(doc, m_interruptKind).OnInput(11, 0);
        } else if (OneOf(m_commandKind, { 7, 10, 12 })) {
            MainCommand(doc, m_commandKind, false).OnInput(11, 0);
        } else if (m_interruptKind == kEllipseEdit) {
            doc->m_circleCmdInt->OnInput(11, 0);
        }
        const bool boxTextPlaced = m_commandKind == 7 && doc->m_textCmd->m_tokenString == "BP";
        if (m_commandKind != 10 && !boxTextPlaced)
            SendEnterToCommand(doc);
    }
    if (m_commandKind == kGroupDeleteCommand)
        doc->m_groupDeleteMode->OnInput(doc, 11, 0);
}

void CZelkApp::CancelMode(CZelkDoc* doc, CZelkView* view)
{
    if (!doc)
        return;
    ResetSelectionState();
    doc->RedrawPreviewsInViews();
    doc->m_pickList->ClearMarks(8);
    ClearSelectionMarks(doc, 8);
    m_macroPlaying = 0;

    if (m_specialMode != 0) {
        if (m_specialMode == kScreenOperationMode)
            ShowMessage(m_specialRepeat ? kMsgContinuousScreenOperationOff : kMsgScreenOperationOff, 0);
        SwitchMode(doc, view, 3, 0, 0);
        m_specialRepeat = 0;
        return;
    }
    if (view && view->m_singleLayerMode != 0) {
        view->EndSingleLayerView();
        ShowMessage(kMsgSingleLayerOff, 0);
    } else if (m_interruptMode != 0) {
        ShowInterruptModeEnd(true);
        SwitchMode(doc, view, 2, 0, 0);
        m_specialRepeat = 0;
        return;
    }

    m_specialRepeat = 0;
    bool anyBox = false;
    if (m_pDocTemplate) {
        for (POSITION pos = m_pDocTemplate->GetFirstDocPosition(); pos;) {
            if (auto* open = dynamic_cast<CZelkDoc*>(m_pDocTemplate->GetNextDoc(pos)))
                anyBox = anyBox || open->m_groupProcessing != 0;
        }
    }
    anyBox = anyBox || doc->m_groupProcessing != 0;

    if (m_screenOperation && m_screenOperation->IsInOperation()) {
        m_screenOperation->Reset();
        doc->m_previewKind = 0;
        ShowMessage(kMsgScreenOperationOff, 0);
    } else if (m_symbolDoc) {
        ClearOtherSelections(nullptr);
        doc->ClearDragSketches();
        ShowMessage(kMsgSymbolCopyEnded, 0);
        if (m_groupProcessor)
            m_groupProcessor->RestoreCreationMode();
    } else if (!m_groupProcessing && !anyBox) {
        CancelCommandInput(doc, view);
    } else {
        CancelGroupInput(doc, view);
    }

    doc->UpdateAndPaintAllViews();
    CancelPendingSave();
}

void CZelkApp::CancelCommandInput(CZelkDoc* doc, CZelkView* view)
{
    for (CCommandRef command : { CCommandRef(doc->m_pointCmd), CCommandRef(doc->m_lineCmd),
                                 CCommandRef(doc->m_circleCmd), CCommandRef(doc->m_textCmd),
                                 CCommandRef(doc->m_dimCmd), CCommandRef(doc->m_loopCmd) }) {
        if (command.TakesMacroInput()) {
            command.EndMacroInput();
            SetGuidance(doc);
            ShowMessage(kMsgMacroEnded, 0);
            break;
        }
    }
    ClearSelectionMarks(doc, 2);
    doc->RedrawChangedElements(0);
    // Elements a command added on trial go with the cancelled input.
    CCreationLog* log = doc->m_creationLog;
    if (log && log->m_logged && log->m_final == 0) {
        log->EraseLogged();
        log->Rollback();
    }

    if (m_commandKind == kUserAppCommand) {
        SwitchMode(doc, view, 1, 2, 0);
        return;
    }
    if (OneOf(m_interruptKind, { 1, 2, 3, 4, 7, 10, kEllipseEdit })) {
        switch (m_interruptKind) {
        case 1: doc->m_pointCmdInt->Reset(); break;
        case 2: doc->m_lineCmdInt->Reset(); break;
        case 7: doc->m_textCmdInt->Reset(); break;
        case 10: doc->m_dimCmdInt->Reset(); break;
        default: doc->m_circleCmdInt->Reset(); break;
        }
        m_interruptKind = 0;
        ShowMessage(kMsgFirstStep, 0);
        return;
    }
    auto popup = [&](int kind) {
        if (view)
            view->ShowCommandPopupMenu(kind, 1, 1);
    };
    CInputEvent& event = *doc->m_inputEvent;
    switch (m_commandKind) {
    case 1: {
        CPointCommand* point = doc->m_pointCmd;
        point->Reset();
        ShowMessage(kMsgFirstStep, 0);
        if (point->m_modePattern == "NPP")
            event.PostValue(2.0, 4);
        popup(1);
        point->m_tokenString.Empty();
        SetGuidance(doc);
        break;
    }
    case 2:
        if (m_noPopupMenu)
            doc->m_lineCmd->m_modePattern = "SE";
        doc->m_lineCmd->Reset();
        ShowMessage(kMsgFirstStep, 0);
        popup(2);
        SetGuidance(doc);
        break;
    case 3:
    case 4: {
        CCircleCommand* circle = doc->m_circleCmd;
        if (m_noPopupMenu)
            circle->m_modePattern = "PP";
        circle->Reset();
        ShowMessage(kMsgFirstStep, 0);
        if (circle->m_modePattern == "DP" || circle->m_modePattern == "DLL")
            event.PostValue(circle->m_defaultLength, 6);
        popup(m_commandKind);
        SetGuidance(doc);
        break;
    }
    case 7:
        doc->m_textCmd->Reset();
        ShowMessage(kMsgFirstStep, 0);
        doc->m_textCmd->m_modePattern = "P";
        if (m_inputBar)
            m_inputBar->SelectList(2, 0, 0);
        popup(7);
        SetGuidance(doc);
        break;
    case 10: {
        CDimCommand* dim = doc->m_dimCmd;
        dim->Reset();
        ShowMessage(kMsgFirstStep, 0);
        if (dim->m_modePattern == "APPP")
            event.PostValue(0.0, 11);
        popup(10);
        dim->m_tokenString.Empty();
        SetGuidance(doc);
        break;
    }
    case 12:
        doc->m_loopCmd->Reset();
        ShowMessage(kMsgFirstStep, 0);
        popup(12);
        break;
    default:
        SwitchMode(doc, view, 1, 2, 0);
        break;
    }
}

void CZelkApp::CancelGroupInput(CZelkDoc* doc, CZelkView* view)
{
    CGroupProcessor* processor = m_groupProcessor;
    const int n = processor ? processor->m_tokenString.GetLength() - 1 : -1;
    if (m_groupResetOneStep || n == -1) {
        if (processor)
            processor->ResetToFirstStep();
        if (view && !view->m_oleSelection.empty()) {
            view->Invalidate(FALSE);
            view->m_oleSelection.clear();
        }
        doc->RedrawChangedElements(0);
        ClearOtherSelections(nullptr);
        doc->ClearDragSketches();
        if (processor)
            processor->modePattern = "PP";
        if (!m_groupResetOneStep)
            ShowMessage(kMsgBoxClearedOnly, 0);
        else
            ShowMessage(n == -1 ? kMsgBoxCleared : kMsgGroupAndBoxCleared, 0);
    } else {
        processor->ResetToFirstStep();
        ShowMessage(kMsgGroupFirstStep, 0);
    }
    if (processor)
        processor->RestoreCreationMode();
}
