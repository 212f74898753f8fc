// The line command's steps between inputs: step back, the release of a point constraint, Tab
// over snap points and element candidates, the replay of the token string that rebuilds what
// a shortened string shows, the double click's share and the creation environment put back.
#include "commands/line/LineCommand.h"

#include "commands/circle/CommandFamilies.h"
#include "app/ZelkApp.h"
#include "commands/line/TokenLists.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "input/PickList.h"
#include "macro/MacroInterpreter.h"
#include "macro/MacroRecorder.h"

namespace {

const char* const kMsgInterruptEnded = "割り込みの円弧作図モードを解除しました";
const char* const kMsgMacroNoStepBack = "作図の完了したマクロは操作戻りはできません。";
const char* const kMsgConstraintReleased = "点の拘束を解除し、ステップを戻しました";
const char* const kMsgSteppedBackHead = "ステップは ";
const char* const kMsgSteppedBackTail = " を設定したところまで戻しました";
const char* const kMsgEditEnded = "割り込みの線分編集モードを解除しました";
const char* const kMsgMacroEnded = "マクロは終了しました";

// What the step that is now the last one set.
const char* NameOfLetter(const CString& tokens)
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

void Message(const CString& text)
{
    if (g_pApp)
        g_pApp->ShowMessage(text, 0);
}

} // namespace

void CLineCommand::StepBack(int show)
{
    CZelkDoc* doc = m_doc;
    CZelkApp* app = g_pApp;
    if (m_instance != 0 && m_tokenString.IsEmpty()) {
        // Kept as it is: the line edit's instance names the arc mode here.
        if (show)
            Message(kMsgInterruptEnded);
        doc->RedrawChangedElements(1);
        if (app)
            app->AnnounceDrawingMode(doc);
        return;
    }
    SaveOrRestoreStep(1);
    int rollBack = 1;
    const int n = m_tokenString.GetLength();
    if (n == 0) {
        if (m_macroFlag)
            Message(kMsgMacroNoStepBack);
        return;
    }
    const int i = n - 1;
    const int k = LastPointTokenIndex();
    CInputPoint* r = i < kPositions ? &m_inputPoints[i] : nullptr;
    if (r && r->mode == 2)
        rollBack = 0;
    m_tokenString = m_tokenString.Left(i);
    if (!m_autoSavedModePattern.IsEmpty()) {
        m_modePattern = m_autoSavedModePattern;
        m_tokenString = m_autoSavedTokenString;
        m_autoSavedModePattern.Empty();
        m_autoSavedTokenString.Empty();
        ShowGuidance();
    }
    if (r && k == i && r->mode != 1) {
        r->SetMode(1);
        if (show)
            Message(kMsgConstraintReleased);
    } else if (show) {
        Message(CString(kMsgSteppedBackHead) + NameOfLetter(m_tokenString) + kMsgSteppedBackTail);
    }
    if (m_tokenString == "S") {
        m_tokenString = "P";
        m_modePattern = "SE";
    } else if (m_tokenString == "L") {
        m_modePattern = "LP";
    } else if (m_tokenString == "D") {
        doc->m_absAngle = 0;
    }
    if (rollBack) {
        RollBackTentative();
        doc->DrawDirectionMarks(0);
    }
    if (app)
        app->m_appElem.SetLastCommandKind(0);
    if (!m_macroFlag && m_stepTexts.GetSize() > m_tokenString.GetLength())
        m_stepTexts.SetSize(m_tokenString.GetLength());
    ReplayTokens();
    int announce = RunAdvancePasses(0);
    ShowGuidance();
    if (m_editFlag && m_tokenString.IsEmpty()) {
        RestoreCreationMode();
        if (show)
            Message(kMsgEditEnded);
        doc->m_pickList->ClearMarks(MARK_SELECTED);
        doc->RedrawChangedElements(1);
        announce = 1;
    }
    if (announce && app)
        app->AnnounceDrawingMode(doc);
}

// The advance passes after a step routine, the guidance and the drawing mode when reported.
void CLineCommand::AdvanceAndShow()
{
    const int announce = RunAdvancePasses(0);
    ShowGuidance();
    if (announce && g_pApp)
        g_pApp->AnnounceDrawingMode(m_doc);
}

void CLineCommand::ReleasePointConstraint()
{
    CZelkApp* app = g_pApp;
    const int k = LastPointTokenIndex();
    if (k < 0 || k >= kPositions)
        return;
    if (app)
        app->m_constraintStepRef = 0;
    if (m_tokenString.IsEmpty())
        return;
    CInputPoint& r = m_inputPoints[k];
    if (r.mode == 2) {
        m_tokenString = m_tokenString.Left(m_tokenString.GetLength() - 1);
        r.SetMode(1);
        Message(kMsgConstraintReleased);
    }
    m_doc->DrawDirectionMarks(0);
    int single = 0, complete = 0;
    ClassifyTokens(single, complete);
    if (!complete)
        ReplayTokens();
    AdvanceAndShow();
}

void CLineCommand::OnNextSnapPoint()
{
    RollBackTentative();
    SaveOrRestoreStep(1);
    StorePointInput();
    ReplayTokens();
    AdvanceAndShow();
}

void CLineCommand::OnNextCandidateElement()
{
    RollBackTentative();
    CElemRef ref;
    if (!m_doc->m_pickList->GetCurrent(ref) || m_tokenString.IsEmpty())
        return;
    const int i = m_tokenString.GetLength() - 1;
    CString r;
    if (ref.m_kind == ELEM_LINE)
        r = "L";
    else if (ref.m_kind == ELEM_CIRCLE || ref.m_kind == ELEM_ARC)
        r = "C";
    if (!r.IsEmpty())
        m_tokenString = m_tokenString.Left(i) + r;
    if (m_tokenString == "SC")
        m_tokenString = "PC";
    else if (m_tokenString == "PL")
        m_tokenString = "SL";
    else if (m_tokenString == "S")
        m_tokenString = "P";
    StorePickedElement(r);
    ReplayTokens();
    AdvanceAndShow();
}

// The string is entered again letter by letter, so that what it shows (guide lines, direction
// marks, the continuous constructions) comes back after the creation log removed it.
void CLineCommand::ReplayTokens()
{
    CZelkDoc* doc = m_doc;
    CZelkApp* app = g_pApp;
    const CString letters = m_tokenString;
    m_tokenString.Empty();
    for (int i = 0; i < letters.GetLength(); ++i) {
        m_tokenString += CString(letters.GetAt(i));
        StoreLastValue();
        if (!Execute())
            continue;
        if (m_editFlag)
            RestoreCreationMode();
        doc->m_pickList->ClearMarks(MARK_SELECTED);
        doc->RedrawChangedElements(1);
        doc->m_previewKind = 0;
        if (app && app->m_macroRecorder)
            app->m_macroRecorder->CaptureLineCommand(this);
        if (!m_macroFlag)
            continue;
        CMacroInterpreter* player = app ? app->m_scriptInterpreter : nullptr;
        if (!player || player->m_currentNode == -1) {
            m_macroFlag = 0;
            m_editFlag = 0;
            ClearStepMarks();
            ShowGuidance();
            Message(kMsgMacroEnded);
            return;
        }
        player->Execute(1, 0, 1, 1);
    }
}

void CLineCommand::UndoClickBeforeDoubleClick()
{
    const int n = m_tokenString.GetLength();
    if (n == 0)
        return;
    const char last = m_tokenString.GetAt(n - 1);
    if (last == 'L' || last == 'C' || last == '#')
        StepBack(0);
}

int CLineCommand::IsEditPick() const
{
    if (TokenIn(m_tokenString, { "#", "#p", "#l", "#c" }))
        return 1;
    int single = 0, complete = 0;
    return m_modePattern == "DLL" && ClassifyTokens(single, complete) > 1 ? 1 : 0;
}

void CLineCommand::RestoreCreationMode()
{
    RestoreCreationEnvironment(m_savedCreationMode);
}
