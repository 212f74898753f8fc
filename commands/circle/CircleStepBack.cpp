// The circle command's answers to a changed input: step back, the release and the change of the
// point constraint, and Tab over the found points and the element candidates. Each restores the
// step saved after the last input, rebuilds the token string letter by letter (so that edit
// circles, guides and direction marks come back) and advances with defaults without executing.
#include "commands/circle/CircleCommand.h"

#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "input/PickList.h"
#include "macro/MacroInterpreter.h"
#include "macro/MacroRecorder.h"

namespace {

const char* const kMsgInterruptArcOff = "割り込みの円弧作図モードを解除しました";
const char* const kMsgMacroDrawn = "作図の完了したマクロは操作戻りはできません。";
const char* const kMsgInterruptCircleEditOff = "円の割り込み編集モードを解除しました";
const char* const kMsgConstraintReleased = "点の拘束を解除し、ステップを戻しました";
const char* const kMsgStepBackHead = "ステップは ";
const char* const kMsgStepBackTail = " を設定したところまで戻しました";
const char* const kMsgInterruptEditOff = "割り込みの円(弧)編集モードを解除しました";
const char* const kMsgMacroEnded = "マクロは終了しました";

constexpr UINT kMacroTimer = 17;

// The name of the input a letter stands for, as the step-back message gives it.
const char* StepName(const CString& tokens)
{
    if (tokens.IsEmpty())
        return "コマンド";
    switch (tokens.GetAt(tokens.GetLength() - 1)) {
    case 'P':
    case 'S':
    case 'E':
    case 'B':
    case 'H':
        return "点";
    case 'D':
        return "長さ";
    case 'A':
        return "角度";
    case 'N':
        return "回数";
    case 'R':
        return "倍率";
    case 'L':
        return "線分";
    case 'C':
        return "円(弧)";
    case 'T':
        return "文字列";
    default:
        return "コマンド";
    }
}

// A saved string whose only "%" is its last letter loses it: the edit entry is given again.
void CutTrailingEditEntry(CString& saved)
{
    const int at = saved.Find('%');
    if (at >= 0 && at == saved.GetLength() - 1)
        saved = saved.Left(at);
}

// The advance after a changed input: defaults are taken as after a normal input, but nothing is
// executed. 1 when an advance reported the figure done.
int AdvanceAfterChange(CCircleCommand& c)
{
    int complete = 0, done = 0;
    for (int pass = 0; pass < 6; ++pass) {
        if (!complete)
            c.SaveOrRestoreStep(0);
        const int advanced = c.AdvanceWithDefaults(complete, done);
        if (complete)
            c.ClearTempMarks();
        if (!advanced)
            break;
    }
    c.ShowGuidance();
    return done;
}

// The creation log's tentative elements are erased from the views and taken out.
void RollBackLog(CZelkDoc* doc)
{
    if (CCreationLog* log = doc->m_creationLog) {
        log->EraseLogged();
        log->Rollback();
    }
}

// An interrupting edit ends: its marks go, the drawing is redrawn and the mode announced.
void EndInterruptingEdit(CZelkDoc* doc, const char* message, int withMessages)
{
    CZelkApp* app = g_pApp;
    if (withMessages)
        app->ShowMessage(message, 0);
    doc->m_pickList->ClearMarks(MARK_SELECTED);
    doc->RedrawChangedElements(1);
    app->AnnounceDrawingMode(doc);
}

} // namespace

void CCircleCommand::ReplayTokens()
{
    CZelkApp* app = g_pApp;
    CZelkDoc* doc = m_doc;
    const CString tokens = m_tokenString;
    m_tokenString.Empty();
    for (int i = 0; i < tokens.GetLength(); ++i) {
        if (i > 0 && tokens.GetAt(i) == '%')
            continue;
        m_tokenString += tokens.GetAt(i);
        StoreLastValue();
        if (!Execute())
            continue;
        if (m_editFlag)
            RestoreCreationMode();
        doc->m_pickList->ClearMarks(MARK_SELECTED);
        doc->RedrawChangedElements(1);
        doc->m_previewKind = 0;
        if (app->m_macroRecorder)
            app->m_macroRecorder->CaptureCircleCommand(this);
        if (!m_macroFlag)
            continue;
        CMacroInterpreter* player = app->m_scriptInterpreter;
        if (player && player->m_inputCounter == 0) {
            m_macroFlag = 0;
            m_editFlag = 0;
            ClearStepMarks();
            ShowGuidance();
            app->ShowMessage(kMsgMacroEnded, 0);
            return;
        }
        if (app->m_pMainFrame)
            app->m_pMainFrame->StartTimer(kMacroTimer, static_cast<UINT>(app->m_macroStepInterval));
    }
}

void CCircleCommand::StepBack(int withMessages)
{
    CZelkApp* app = g_pApp;
    CZelkDoc* doc = m_doc;
    if (m_instance != 0 && m_tokenString.IsEmpty()) {
        if (withMessages)
            app->ShowMessage(kMsgInterruptArcOff, 0);
        doc->RedrawChangedElements(1);
        app->AnnounceDrawingMode(doc);
        return;
    }
    CutTrailingEditEntry(m_savedTokenString);
    SaveOrRestoreStep(1);
    if (m_tokenString.IsEmpty()) {
        if (m_macroFlag) {
            app->ShowMessage(kMsgMacroDrawn, 0);
            return;
        }
        if (m_instance != 0)
            EndInterruptingEdit(doc, kMsgInterruptCircleEditOff, withMessages);
        return;
    }

    const int e = GetLastTokenIndex();
    const int q = GetLastPointTokenIndex();
    CInputPoint* last = e < kPositions ? &m_inputPoints[e] : nullptr;
    // A point taken at the reference point keeps the elements it made.
    const bool rollBack = !(last && last->mode == 2);
    m_tokenString = m_tokenString.Left(e);
    if (e == q && last && last->mode != 1) {
        last->SetMode(1);
        if (withMessages)
            app->ShowMessage(kMsgConstraintReleased, 0);
    } else if (withMessages) {
        app->ShowMessage(CString(kMsgStepBackHead) + StepName(m_tokenString) + kMsgStepBackTail, 0);
    }
    if (rollBack)
        RollBackLog(doc);
    doc->DrawDirectionMarks(0);

    app->m_appElem.SetLastCommandKind(0);
    if (!m_macroFlag && m_stepTexts.GetSize() > m_tokenString.GetLength())
        m_stepTexts.SetSize(m_tokenString.GetLength());

    ReplayTokens();
    const int done = AdvanceAfterChange(*this);
    if (m_editFlag && m_tokenString.IsEmpty()) {
        RestoreCreationMode();
        EndInterruptingEdit(doc, kMsgInterruptEditOff, withMessages);
    } else if (done) {
        app->AnnounceDrawingMode(doc);
    }

    // The mode the last input chose by itself is given up with it.
    if (!m_autoSavedModePattern.IsEmpty()) {
        m_modePattern = m_autoSavedModePattern;
        m_tokenString = m_autoSavedTokenString;
        m_autoSavedModePattern.Empty();
        m_autoSavedTokenString.Empty();
        ShowGuidance();
    }
}

void CCircleCommand::ReleasePointConstraint()
{
    CZelkApp* app = g_pApp;
    CZelkDoc* doc = m_doc;
    const int q = GetLastPointTokenIndex();
    if (q < 0)
        return;
    app->m_constraintStepRef = 0;
    if (m_tokenString.IsEmpty())
        return;
    CInputPoint& point = m_inputPoints[q < kPositions ? q : kPositions - 1];
    if (point.mode == 2) {
        m_tokenString = m_tokenString.Left(GetLastTokenIndex());
        point.SetMode(1);
        app->ShowMessage(kMsgConstraintReleased, 0);
    }
    doc->DrawDirectionMarks(0);
    int single = 0, complete = 0;
    ClassifyTokens(single, complete);
    if (!complete)
        ReplayTokens();
    if (AdvanceAfterChange(*this))
        app->AnnounceDrawingMode(doc);
}

void CCircleCommand::ApplyPointConstraint()
{
    CZelkApp* app = g_pApp;
    CZelkDoc* doc = m_doc;
    int single = 0, complete = 0;
    const int p = ClassifyTokens(single, complete);
    // A string that fits no pattern has no step point to constrain.
    if (p >= 0 && p < kPositions) {
        CInputPoint& s = m_inputPoints[p];
        const int mode = app->m_pointConstraintMode;
        if (mode == 1) {
            app->m_constraintStepX = 0;
            app->m_constraintStepY = 0;
            app->m_constraintPointSet = 0;
            s.SetMode(1);
        } else {
            s.mode = mode;
            if (app->m_constraintPointSet) {
                s.SetBoth(doc->m_referencePoint);
                s.SetFlags(0x01);
            } else {
                s.SetBoth(doc->m_basePoint);
                s.SetMode(mode);
            }
            app->m_constraintPointSet = 0;
        }
    }
    if (single)
        SaveOrRestoreStep(0);

    int done = 0;
    complete = 0;
    for (int pass = 0; pass < 6; ++pass) {
        if (!complete)
            SaveOrRestoreStep(0);
        const int advanced = AdvanceWithDefaults(complete, done);
        if (complete)
            ClearTempMarks();
        if (!advanced)
            break;
        if (Execute()) {
            if (m_editFlag)
                RestoreCreationMode();
            doc->m_previewKind = 0;
        }
    }
    ShowGuidanceAndMark(done);
}

void CCircleCommand::OnNextSnapPoint()
{
    RollBackLog(m_doc);
    CutTrailingEditEntry(m_savedTokenString);
    SaveOrRestoreStep(1);
    StorePointInput();
    ReplayTokens();
    if (AdvanceAfterChange(*this))
        g_pApp->AnnounceDrawingMode(m_doc);
}

void CCircleCommand::OnNextCandidateElement()
{
    CZelkDoc* doc = m_doc;
    RollBackLog(doc);
    CElemRef ref;
    if (!doc->m_pickList->GetCurrent(ref) || m_tokenString.IsEmpty())
        return;
    // The pick is given again: its step comes back before the other element takes it.
    SaveOrRestoreStep(1);
    if (m_tokenString.IsEmpty())
        return;
    CString letter;
    if (ref.m_kind == ELEM_LINE)
        letter = "L";
    else if (ref.m_kind == ELEM_CIRCLE || ref.m_kind == ELEM_ARC)
        letter = "C";
    if (!letter.IsEmpty())
        m_tokenString = m_tokenString.Left(GetLastTokenIndex()) + letter;
    StorePickedElement(letter);
    ReplayTokens();
    if (AdvanceAfterChange(*this))
        g_pApp->AnnounceDrawingMode(doc);
}
