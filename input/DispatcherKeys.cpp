// The dispatcher's keys: single letters start commands and modes without the menu, the control
// keys drive Enter, Tab, Escape, selection and the input box. A key the table does not take
// returns FALSE at once, so the dispatcher's exit steps leave guidance and preview alone.
#include "app/ZelkApp.h"

#include "app/InputComboBox.h"
#include "app/MainFrame.h"
#include "app/Resource.h"
#include "commands/annotate/DimCommand.h"
#include "commands/annotate/GroupProcessor.h"
#include "commands/annotate/TextCommand.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "commands/line/LoopCommand.h"
#include "commands/line/PointCommand.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "input/CommandOfKind.h"
#include "input/InputBar.h"
#include "input/InputEvent.h"
#include "input/PickList.h"
#include "input/RelativeCoordSystem.h"
#include "macro/MacroRecorder.h"
#include "platform/core/Services.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/WinUser.h"
#include "userapp/UserAppManager.h"
#include "view/ZelkView.h"

namespace {

const char* const kMsgDeleteKeyHint = "DELキーを押した状態で単一要素を選択すると即消去します。";
const char* const kMsgNoSymbolInMacro = "シンボルはマクロに記録できません";

constexpr int kUserAppCommand = 9;

bool ShiftDown()
{
    return GetKeyState(VK_SHIFT) < 0;
}

// The letters that only start a drawing command.
short CommandOfLetter(int key)
{
    switch (key) {
    case 'A': return 4;
    case 'C': return 3;
    case 'D': return 10;
    case 'L': return 2;
    case 'O': return 12;
    case 'P': return 1;
    case 'Z': return 11;
    default: return 0;
    }
}

} // namespace

BOOL CZelkApp::DispatchKeyCode(CZelkDoc* doc, CZelkView* view)
{
    const int key = m_lastKey;
    const bool boxOpen = doc->m_groupProcessing != 0;
    switch (key) {
    case 9:
        OnTabKey(doc, view);
        return TRUE;
    case 13:
        OnEnterKeyCode(doc, view);
        return TRUE;
    case 27:
        CancelMode(doc, view);
        return TRUE;
    case 32:
        OperationBack(doc, view);
        return TRUE;
    case 35:
        if (ShiftDown()) {
            if (view)
                view->CloseZoomWindow();
        } else {
            SwitchMode(doc, view, 3, m_appDraw.zoomWindowMode == 0 ? 67 : 66, 0);
        }
        return TRUE;
    case 36:
        OnShowAllKey(doc, view);
        return TRUE;
    case 45:
        SwitchMode(doc, view, 3, 53, 0);
        return TRUE;
    case 46:
        if (boxOpen && m_groupProcessor) {
            m_groupProcessor->OnInput(doc, 14, 33);
        } else {
            ShowMessage(kMsgDeleteKeyHint, 0);
            m_deleteKeyDown = 1;
        }
        return TRUE;
    case 106: {
        m_rightPressPoint = view ? view->m_cursorWorldPoint : m_rightPressPoint;
        CPointD found;
        if (view && FindPointAtCursor(doc, view, found))
            doc->SetBasePoint(found, doc->m_relativeSystem->WorldToRelative(found));
        return TRUE;
    }
    case 113:
        DispatchCommandCode(doc, view, 218);
        return TRUE;
    default:
        // Backspace, Page Up and Down, the arrows and F6 to F12 move the screen.
        if (OnNavigationKey(doc, view))
            return TRUE;
        break;
    }
    if ((key >= '0' && key <= '9') || (key >= 107 && key <= 111)) {
        if (m_inputBar)
            m_inputBar->EnterNumericMode(key);
        return TRUE;
    }
    if (m_commandKind == kUserAppCommand && key >= 58 && key <= 105) {
        if (m_userAppManager)
            m_userAppManager->NotifyKeyCommand();
        return FALSE;
    }
    if (const short kind = CommandOfLetter(key)) {
        SwitchMode(doc, view, 1, kind, 0);
        return TRUE;
    }
    switch (key) {
    case 'B':
        // A new anchor moves the box of the text being placed about its point.
        if (ChooseTextAlignment()) {
            UpdateTextBoxes(doc);
            DispatchInputEvent(doc, 15, 0);
        }
        return TRUE;
    case 'E':
        DispatchCommandCode(doc, view, 206);
        return TRUE;
    case 'F':
        if (m_inputBar)
            m_inputBar->StartFontInput();
        if (m_pMainFrame && m_pMainFrame->m_wndInputBar.m_inputBox.GetSafeHwnd())
            m_pMainFrame->m_wndInputBar.m_inputBox.ShowDropDown(TRUE);
        return TRUE;
    case 'G':
        if (boxOpen && m_groupProcessor) {
            m_groupProcessor->OnInput(doc, 14, ShiftDown() ? 35 : 34);
            return TRUE;
        }
        if (m_macroRecorder && m_macroRecorder->m_recording) {
            ShowMessage(kMsgNoSymbolInMacro, 1);
            return FALSE;
        }
        OnSymbol();
        return TRUE;
    case 'H':
        if (!ShiftDown())
            PlayMacroQueue();
        else if ((m_macroRecorder && m_macroRecorder->m_recording) || m_macroPlaying || m_interruptMode == 36)
            Services().MessageBeep(MB_ICONASTERISK);
        else
            StartMacroRecording();
        return TRUE;
    case 'I':
        OnDraftMode();
        return TRUE;
    case 'J':
        RepeatFileCommand(view);
        return TRUE;
    case 'K':
        return DispatchCommand(doc, view, 207);
    case 'M':
        if (view)
            RestartCommandWithPopup(doc, view);
        return TRUE;
    case 'Q':
        if (m_commandKind == 3 || m_commandKind == 4) {
            CCircleCommand* circle = doc->m_circleCmd;
            circle->m_candidateIndex += ShiftDown() ? -1 : 1;
            if (circle->ShowCandidate())
                doc->m_undoHistory->Commit(1);
        }
        return TRUE;
    case 'R':
        RedrawActiveView();
        return TRUE;
    case 'S':
        StartLineTypeInput();
        return TRUE;
    case 'T':
        if (ShiftDown()) {
            if (view)
                view->StartMultiText(0);
            return TRUE;
        }
        if ((m_interruptKind != 0 ? m_interruptKind : m_commandKind) == 7) {
            if (m_inputBar)
                m_inputBar->SelectListForCommand(7);
        } else {
            SwitchMode(doc, view, 1, 7, 0);
        }
        return TRUE;
    case 'U':
        SwitchMode(doc, view, 2, ShiftDown() ? 32 : 31, 0);
        return TRUE;
    case 'W':
        // Unlike the menu command the key never ends the mode: it starts it again.
        SwitchMode(doc, view, 2, ShiftDown() ? 34 : 33, 0);
        return TRUE;
    case 'X':
        if (view)
            view->StartMultiText(1);
        return TRUE;
    case 'Y':
        SwitchMode(doc, view, 2, m_interruptMode == 35 ? 0 : 35, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

void CZelkApp::OnTabKey(CZelkDoc* doc, CZelkView* view)
{
    switch (m_lastStatus) {
    case 10:
        EndInterruptCommand(doc);
        doc->m_pickList->Cycle(ShiftDown() ? -1 : 1);
        StartEditFromPick(doc, view);
        break;
    case 5:
        OnTabCandidate(doc);
        break;
    case 13:
        doc->m_pickList->ReferenceCurrent(1);
        break;
    case 2:
    case 3:
    case 4:
        if (OneOf(m_interruptKind, { 1, 2, 3, 4, 7, 10 }) || OneOf(m_commandKind, { 1, 2, 3, 4, 7, 9, 10, 11, 12 }) ||
            m_groupProcessing || doc->m_groupProcessing)
            OnTabSnapPoint(doc);
        else
            ModeInput(doc, view, 7);
        break;
    default:
        break;
    }
}

void CZelkApp::OnEnterKeyCode(CZelkDoc* doc, CZelkView* view)
{
    if (m_interruptMode == 33 || m_interruptMode == 34) {
        OnEnterKey(doc);
        SwitchMode(doc, view, 2, 0, 0);
        return;
    }
    if (m_interruptMode != 0 || m_specialMode != 0) {
        ModeInput(doc, view, 12);
        return;
    }
    if (OneOf(m_interruptKind, { 1, 2, 3, 4, 7, 10, 22 }) || OneOf(m_commandKind, { 1, 2, 3, 4, 7, 9, 10, 11, 12, 21 }) ||
        m_groupProcessing || doc->m_groupProcessing)
        OnEnterKey(doc);
}

void CZelkApp::RepeatFileCommand(CZelkView* view)
{
    switch (m_lastCommandId) {
    case ID_FILE_NEW: OnNewDrawingCommand(); break;
    case ID_TEXT_NEW: OnNewTextDocument(); break;
    case ID_FILE_OPEN: OnFileOpen(); break;
    case ID_TEXT_OPEN: OnOpenTextFile(); break;
    case 33109: OnOpenLibrary(); break;
    case ID_EXPERIENCE_LIBRARY: OnOpenExperienceLibrary(); break;
    default:
        // Any other command repeats the running of a macro text file.
        m_lastCommandId = ID_MACRO_RUN_TEXT_FILE;
        if (view)
            view->RunMacroTextFile();
        break;
    }
}

void CZelkApp::RestartCommandWithPopup(CZelkDoc* doc, CZelkView* view)
{
    bool anyBox = false;
    if (m_pDocTemplate) {
        for (POSITION pos = m_pDocTemplate->GetFirstDocPosition(); pos;) {
            if (auto* open = dynamic_cast<CZelkDoc*>(m_pDocTemplate->GetNextDoc(pos)))
                anyBox = anyBox || open->m_groupProcessing != 0;
        }
    }
    auto closeSelection = [&] {
        ClearOtherSelections(nullptr);
        ResetSelectionState();
        if (m_groupProcessor)
            m_groupProcessor->RestoreCreationMode();
    };
    if (m_symbolDoc) {
        closeSelection();
    } else if (m_groupProcessing || anyBox) {
        if (!view->m_oleSelection.empty()) {
            view->m_oleSelection.clear();
            view->Invalidate(FALSE);
        }
        doc->RedrawChangedElements(0);
        closeSelection();
    }
    m_savedLayerCondition = m_appElem.m_layerCondition;
    AnnounceDrawingMode(doc);
    ClearMarksInAllDrawings(2);
    RedrawAllDrawings();

    const CAppCommand& popups = m_appCommand;
    CInputEvent& event = *doc->m_inputEvent;
    if (popups.m_pointFlag && m_commandKind == 1) {
        doc->m_pointCmd->Reset();
        if (doc->m_pointCmd->m_modePattern == "NPP")
            event.PostValue(2.0, 4);
        view->ShowCommandPopupMenu(1, 1, 0);
    } else if (popups.m_lineFlag && m_commandKind == 2) {
        doc->m_lineCmd->Reset();
        view->ShowCommandPopupMenu(2, 1, 0);
    } else if ((popups.m_circleFlag && m_commandKind == 3) || (popups.m_arcFlag && m_commandKind == 4)) {
        CCircleCommand* circle = doc->m_circleCmd;
        circle->Reset();
        if (circle->m_modePattern == "DP" || circle->m_modePattern == "DLL")
            event.PostValue(circle->m_defaultLength, 6);
        view->ShowCommandPopupMenu(m_commandKind, 1, 0);
    } else if (popups.m_textFlag && m_commandKind == 7) {
        doc->m_textCmd->Reset();
        if (m_inputBar)
            m_inputBar->SelectList(2, 0, 0);
        view->ShowCommandPopupMenu(7, 1, 0);
    } else if (popups.m_dimFlag && m_commandKind == 10) {
        doc->m_dimCmd->Reset();
        if (doc->m_dimCmd->m_modePattern == "APPP")
            event.PostValue(0.0, 11);
        view->ShowCommandPopupMenu(10, 1, 0);
    } else if (popups.m_loopFlag && m_commandKind == 12) {
        doc->m_loopCmd->Reset();
        view->ShowCommandPopupMenu(12, 1, 0);
    } else {
        SwitchMode(doc, view, 1, 2, 0);
    }
}

