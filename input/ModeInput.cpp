// The input the special and interrupting modes take in the dispatcher itself, and the step-back
// command (Space), which undoes the innermost state first: group processing, the box, a special
// mode, an interrupting mode, the placed-object selection and only then a command's step.
#include "app/ZelkApp.h"

#include <vector>

#include "app/WaitCursorScope.h"
#include "commands/annotate/GroupProcessor.h"
#include "document/ZelkDoc.h"
#include "input/CrossPointInput.h"
#include "input/InputEvent.h"
#include "input/PickList.h"
#include "input/ScreenOperation.h"
#include "macro/MacroInterpreter.h"
#include "view/ZelkObj.h"
#include "view/ZelkView.h"

namespace {

constexpr int kEnterCode = 12;

// The texts gathered in the string-analysis mode run as a macro; the pointer marks it leaves are
// shown only when it ran through.
void RunPickedTexts(CZelkApp& app, CZelkDoc* doc, CZelkView* view)
{
    CWaitCursorScope wait;
    doc->FreePointerMarks();
    const int result = app.m_scriptInterpreter ? app.m_scriptInterpreter->RunDrawingText(doc) : 1;
    doc->UpdateAndPaintAllViews();
    app.SwitchMode(doc, view, 2, 0, 0);
    app.SetGuidance(doc);
    app.ShowPrompt();
    if (result == 0)
        doc->DrawPointerMarks(0);
}

} // namespace

BOOL CZelkApp::ModeInput(CZelkDoc* doc, CZelkView* view, int code)
{
    if (m_specialMode == 53) {
        if (!((code >= 1 && code <= 4) || code == 6))
            return FALSE;
        if (view) {
            if (code == 1 || code == 2)
                OnScreenOperationInput(doc, view, view->m_leftDragged, m_leftPressPoint,
                                       code == 2 ? &m_leftReleasePoint : nullptr);
            else
                OnScreenOperationInput(doc, view, view->m_rightDragged, m_rightPressPoint,
                                       code == 3 ? nullptr : &m_rightReleasePoint);
        }
        if ((code == 4 || code == 6) && !m_specialRepeat)
            m_lastStatus = 0;
        return TRUE;
    }
    if (!doc)
        return FALSE;
    if (m_specialMode == 70) {
        if (code == 2 && m_crossPointInput)
            m_crossPointInput->OnPick(doc, view);
        return FALSE;
    }
    if (m_interruptMode == 35 && code == kEnterCode) {
        SwitchMode(doc, view, 2, 0, 0);
        SetGuidance(doc);
        ShowPrompt();
        return TRUE;
    }
    if (m_interruptMode == 37 && code == 2) {
        doc->m_inputEvent->PostPick(19);
        return FALSE;
    }
    if (m_interruptMode == 36 && code == kEnterCode) {
        RunPickedTexts(*this, doc, view);
        return TRUE;
    }
    return FALSE;
}

void CZelkApp::OperationBack(CZelkDoc* doc, CZelkView* view)
{
    if (!doc)
        return;
    CGroupProcessor* processor = m_groupProcessor;
    if (m_groupProcessing) {
        if (processor && processor->m_tokenString.GetLength() - 1 != -1)
            StepBack(doc);
    } else if (doc->m_groupProcessing) {
        if (processor && processor->m_preset) {
            processor->modePattern = "PP";
            processor->m_preset = 0;
            m_appElem.m_groupWord = 0;
            processor->ShowGuidance();
            ShowPrompt();
            ShowMessage("群処理モードを解除し、箱選択モードに戻しました", 0);
        } else if (!processor || processor->m_tokenString.IsEmpty()) {
            ClearOtherSelections(nullptr);
            if (view) {
                view->m_oleSelection.clear();
                view->Invalidate(FALSE);
            }
            doc->RedrawChangedElements(0);
            ShowMessage("箱選択モードを解除し、作図コマンドに戻しました", 0);
        } else {
            StepBack(doc);
        }
    } else if (m_specialMode != 0) {
        if (m_screenOperation && m_screenOperation->IsInOperation())
            m_screenOperation->Reset();
        SwitchMode(doc, view, 3, 0, 0);
        m_specialRepeat = 0;
        ShowMessage("割り込みの画面操作モードを解除しました", 0);
    } else if (m_interruptMode != 0) {
        if (m_interruptMode == 36)
            ClearSelectionMarks(doc, 8);
        ShowInterruptModeEnd(false);
        SwitchMode(doc, view, 2, 0, 0);
    } else if (view && !view->m_oleSelection.empty()) {
        // Deselecting edits the list, so the objects are walked from a copy.
        view->InvalidateOleSelection();
        const std::vector<CZelkObj*> selected = view->m_oleSelection;
        for (CZelkObj* object : selected)
            view->DeselectOleObject(object);
        view->m_oleSelection.clear();
    } else {
        doc->m_pickList->Cycle(0);
        StepBack(doc);
    }
    m_lastStatus = 15;
}
