// The step routines the command objects built on CCommandSteps share: Enter, the point
// constraint and its release, step back, Tab over snap points and candidates, the replay of the
// token string, the constraint mark, the stored value of the last step and the lookups of the
// pattern table. Each is written once here and works on a command through its own members:
//
//   data      m_doc, m_tokenString and the step records of CCommandSteps, m_modePattern,
//             m_patternGroups, m_acceptedPatterns, m_macroFlag, m_editFlag, m_stepTexts,
//             m_pickedLines (CLine) and m_pickedArcs (anything with a radius)
//   routines  ShowGuidance, Execute, AdvanceWithDefaults (completed, announce),
//             GetCurrentPointSlot (complete), GetLastPointTokenIndex, TakeCurrentPoint,
//             TakePickedElement (letter), GetDefaultValueToken, CaptureCommand,
//             RestoreCreationMode
//   constants kPickLetters, the letters a double click takes back; kCandidateLetters, the
//             element kinds Tab on candidates turns the last letter into
#pragma once

#include <cstring>

#include "app/ZelkApp.h"
#include "commands/circle/CountOf.h"
#include "commands/circle/PatternTable.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "geometry/Angles.h"
#include "geometry/ElemRef.h"
#include "input/PatternGroup.h"
#include "input/PickList.h"
#include "macro/MacroInterpreter.h"
#include "platform/core/String.h"

namespace CommandFamilies {

// One input never runs more passes than this, whatever the number of step records.
constexpr int kAdvancePasses = 5;

inline void Message(const CString& text)
{
    if (g_pApp)
        g_pApp->ShowMessage(text, 0);
}

// What the step that is now the last one set, for the step-back message.
inline const char* NameOfLastLetter(const CString& tokens)
{
    if (tokens.IsEmpty())
        return "コマンド";
    switch (tokens.GetAt(tokens.GetLength() - 1)) {
    case 'P': case 'S': case 'E': case 'B': case 'H': return "点";
    case 'D': return "長さ";
    case 'A': return "角度";
    case 'N': return "回数";
    case 'R': return "倍率";
    case 'L': return "線分";
    case 'C': return "円(弧)";
    case 'T': return "文字列";
    default: return "コマンド";
    }
}

// ---- the pattern table ------------------------------------------------------------------

template <class Cmd>
CPatternGroup* FindGroupOfPattern(const Cmd& c, const CString& pattern)
{
    return GroupListingPattern(c.m_patternGroups, pattern);
}

// Every group listing the token string overwrites the answer: the last one names it.
template <class Cmd>
CString GetCurrentGroupName(const Cmd& c)
{
    CString name;
    for (int i = 0; i < c.m_patternGroups.GetSize(); ++i) {
        const auto* group = static_cast<const CPatternGroup*>(c.m_patternGroups[i]);
        for (int j = 0; j < group->patterns.GetSize(); ++j) {
            if (group->patterns[j] == c.m_tokenString)
                name = group->name;
        }
    }
    return name;
}

template <class Cmd>
int HasCutPointAt(const Cmd& c, int position)
{
    return GroupHasLetterAt(FindGroupOfPattern(c, c.m_modePattern), position, 'p');
}

template <class Cmd>
bool IsAcceptedPrefix(const Cmd& c, const CString& s)
{
    if (s.IsEmpty())
        return true;
    for (int i = 0; i < c.m_acceptedPatterns.GetSize(); ++i) {
        const CString& p = c.m_acceptedPatterns[i];
        if (p.GetLength() >= s.GetLength() && p.Left(s.GetLength()) == s)
            return true;
    }
    return false;
}

// A plain typed number is a length only for a command whose default value is one.
template <class Cmd>
void UpdateLengthInputFlag(const Cmd& c)
{
    SetLengthInputFlags(c.GetDefaultValueToken() == "D");
}

template <class Cmd>
CString GetValueToken(const Cmd& c, int subCode)
{
    switch (subCode) {
    case 0: case 1: case 2: case 3: return c.GetDefaultValueToken();
    case 4: case 5: return "N";
    case 6: case 7: return "D";
    case 10: return "F";
    case 11: case 12: case 15: return "A";
    default: return CString();
    }
}

// ---- the steps ----------------------------------------------------------------------------

// The constraint mark shows the reference point of the step to come, or of the last point
// given while that step is free.
template <class Cmd>
void MarkConstraintReference(Cmd& c)
{
    CZelkDoc* doc = c.m_doc;
    doc->m_inputMarkFlag = 0;
    int complete = 0;
    const int s = c.GetCurrentPointSlot(complete);
    const CInputPoint* r = s >= 0 && s < Cmd::kPositions ? &c.m_inputPoints[s] : nullptr;
    if (!r || r->mode == 1) {
        const int b = c.GetLastPointTokenIndex();
        r = b >= 0 && b < Cmd::kPositions ? &c.m_inputPoints[b] : nullptr;
        if (!r || r->mode == 1)
            return;
    }
    doc->m_inputMarkPos = r->reference;
    doc->m_inputMarkFlag = 1;
}

// The point of a step: the drawing's base point, or the constraint point (flagged as taken
// from it) while one is set.
template <class Cmd>
void TakeBasePoint(Cmd& c, int slot)
{
    if (slot < 0 || slot >= Cmd::kPositions)
        return;
    CInputPoint& r = c.m_inputPoints[slot];
    r.SetPoint(c.m_doc->m_basePoint);
    if (g_pApp && g_pApp->m_constraintPointSet) {
        r.SetBoth(c.m_doc->m_referencePoint);
        r.SetFlags(0x01);
    }
}

// The advance passes: each saves the step unless the last one completed a pattern, fills the
// next step from the defaults and, with execute, runs what the filled step completes. The
// answer is whether an advance asked for the drawing mode to be announced.
template <class Cmd>
int RunAdvancePasses(Cmd& c, bool execute)
{
    int completed = 0, announce = 0;
    for (int pass = 0; pass < kAdvancePasses; ++pass) {
        if (!completed)
            c.SaveOrRestoreStep(0);
        const int advanced = c.AdvanceWithDefaults(completed, announce);
        if (completed)
            c.ClearTempMarks();
        if (!advanced)
            break;
        if (execute && c.Execute()) {
            if (c.m_editFlag)
                c.RestoreCreationMode();
            c.m_doc->m_previewKind = 0;
        }
    }
    return announce;
}

template <class Cmd>
void ShowStepAndMark(Cmd& c, int announce)
{
    c.ShowGuidance();
    c.m_doc->ShowInputPointMark(0);
    MarkConstraintReference(c);
    c.m_doc->ShowInputPointMark(1);
    if (announce && g_pApp)
        g_pApp->AnnounceDrawingMode(c.m_doc);
}

template <class Cmd>
void OnEnter(Cmd& c)
{
    c.m_savedTokenString.Empty();
    c.m_tokenString.Empty();
    c.ClearTempMarks();
    c.m_editFlag = 0;
    c.m_savedCreationMode = 0;
    int completed = 0, announce = 0;
    for (int pass = 0; pass < kAdvancePasses; ++pass) {
        if (!completed)
            c.SaveOrRestoreStep(0);
        if (!c.AdvanceWithDefaults(completed, announce))
            break;
        c.Execute();
    }
    c.ShowGuidance();
    if (g_pApp)
        g_pApp->AnnounceDrawingMode(c.m_doc);
}

// The application's constraint mode changed: the step to come takes it.
template <class Cmd>
void ApplyPointConstraint(Cmd& c)
{
    CZelkApp* app = g_pApp;
    if (!app)
        return;
    int complete = 0;
    const int s = c.GetCurrentPointSlot(complete);
    if (s >= 0 && s < Cmd::kPositions) {
        CInputPoint& r = c.m_inputPoints[s];
        const int mode = app->m_pointConstraintMode;
        if (mode == 1) {
            app->m_constraintStepX = app->m_constraintStepY = 0;
            app->m_constraintPointSet = 0;
            r.SetMode(1);
        } else {
            r.mode = mode;
            if (app->m_constraintPointSet) {
                r.SetBoth(c.m_doc->m_referencePoint);
                r.SetFlags(0x01);
            } else {
                r.SetBoth(c.m_doc->m_basePoint);
                r.SetMode(mode);
            }
            app->m_constraintPointSet = 0;
        }
    }
    ShowStepAndMark(c, RunAdvancePasses(c, true));
}

template <class Cmd>
void RollBackTentative(Cmd& c)
{
    if (CCreationLog* log = c.m_doc->m_creationLog) {
        log->EraseLogged();
        log->Rollback();
    }
}

// The drawing's current values follow the value of the last step.
template <class Cmd>
void StoreLastValueAsCurrent(Cmd& c)
{
    const int i = c.GetLastTokenIndex();
    if (i < 0 || i >= Cmd::kPositions)
        return;
    CZelkDoc* doc = c.m_doc;
    switch (c.m_tokenString.GetAt(i)) {
    case 'A':
        doc->SetCurrentAngle(c.m_values[i].value - doc->m_relAngle);
        break;
    case 'D':
        doc->m_previewValue = c.m_values[i].value;
        break;
    case 'N':
        doc->m_workMode = CountOf(c.m_values[i].value);
        break;
    case 'L': {
        const CLine& line = c.m_pickedLines[i];
        doc->SetCurrentAngle(PointsAngleDeg(line.m_start, line.m_end) - doc->m_relAngle);
        doc->SetBasePoint(line.m_start, doc->WorldToRelative(line.m_start));
        break;
    }
    case 'C':
    case 'c':
        doc->m_previewValue = c.m_pickedArcs[i].m_radius;
        break;
    default:
        break;
    }
}

// The token string entered again letter by letter, so that what it made comes back after the
// creation log took it away.
template <class Cmd>
void ReplaySteps(Cmd& c)
{
    CZelkDoc* doc = c.m_doc;
    CZelkApp* app = g_pApp;
    const CString letters = c.m_tokenString;
    c.m_tokenString.Empty();
    for (int i = 0; i < letters.GetLength(); ++i) {
        c.m_tokenString += CString(letters.GetAt(i));
        StoreLastValueAsCurrent(c);
        if (!c.Execute())
            continue;
        if (c.m_editFlag)
            c.RestoreCreationMode();
        doc->m_pickList->ClearMarks(MARK_SELECTED);
        doc->RedrawChangedElements(1);
        doc->m_previewKind = 0;
        c.CaptureCommand();
        if (!c.m_macroFlag)
            continue;
        CMacroInterpreter* player = app ? app->m_scriptInterpreter : nullptr;
        if (!player || player->m_currentNode == -1) {
            c.m_macroFlag = 0;
            c.m_editFlag = 0;
            c.ClearStepMarks();
            c.ShowGuidance();
            Message("マクロは終了しました");
            return;
        }
        player->Execute(1, 0, 1, 1);
    }
}

// The advance passes without construction, the guidance and the announcement when asked.
template <class Cmd>
void AdvanceAndShow(Cmd& c)
{
    const int announce = RunAdvancePasses(c, false);
    c.ShowGuidance();
    if (announce && g_pApp)
        g_pApp->AnnounceDrawingMode(c.m_doc);
}

template <class Cmd>
void ReleasePointConstraint(Cmd& c)
{
    const int b = c.GetLastPointTokenIndex();
    if (b < 0 || b >= Cmd::kPositions)
        return;
    if (g_pApp)
        g_pApp->m_constraintStepRef = 0;
    if (c.m_tokenString.IsEmpty())
        return;
    CInputPoint& r = c.m_inputPoints[b];
    if (r.mode == 2) {
        c.m_tokenString = c.m_tokenString.Left(c.m_tokenString.GetLength() - 1);
        r.SetMode(1);
        Message("点の拘束を解除し、ステップを戻しました");
    }
    c.m_doc->DrawDirectionMarks(0);
    int complete = 0;
    c.GetCurrentPointSlot(complete);
    if (!complete)
        ReplaySteps(c);
    AdvanceAndShow(c);
}

// The last input taken back; 0 when there was none, -1 for nothing to take.
template <class Cmd>
int StepBack(Cmd& c)
{
    CZelkDoc* doc = c.m_doc;
    CZelkApp* app = g_pApp;
    c.SaveOrRestoreStep(1);
    if (c.m_tokenString.IsEmpty()) {
        if (c.m_macroFlag)
            Message("作図の完了したマクロは操作戻りはできません。");
        return 0;
    }
    const int i = c.GetLastTokenIndex();
    const int p = c.GetLastPointTokenIndex();
    CInputPoint* r = i < Cmd::kPositions ? &c.m_inputPoints[i] : nullptr;
    const int mode = r ? r->mode : 1;
    c.m_tokenString = c.m_tokenString.Left(i);
    if (i != p || mode == 1) {
        Message(CString("ステップは ") + NameOfLastLetter(c.m_tokenString) + " を設定したところまで戻しました");
    } else {
        r->SetMode(1);
        Message("点の拘束を解除し、ステップを戻しました");
    }
    if (mode != 2)
        RollBackTentative(c);
    doc->DrawDirectionMarks(0);
    if (!c.m_macroFlag && c.m_stepTexts.GetSize() > c.m_tokenString.GetLength())
        c.m_stepTexts.SetSize(c.m_tokenString.GetLength());
    ReplaySteps(c);
    int announce = RunAdvancePasses(c, false);
    c.ShowGuidance();
    if (c.m_editFlag && c.m_tokenString.IsEmpty()) {
        c.RestoreCreationMode();
        doc->m_pickList->ClearMarks(MARK_SELECTED);
        doc->RedrawChangedElements(1);
        announce = 1;
    }
    if (announce && app)
        app->AnnounceDrawingMode(doc);
    return 1;
}

// The first click of a double click picked something: it is taken back.
template <class Cmd>
void UndoClickBeforeDoubleClick(Cmd& c)
{
    const int n = c.m_tokenString.GetLength();
    if (n > 0 && std::strchr(Cmd::kPickLetters, c.m_tokenString.GetAt(n - 1)) != nullptr)
        StepBack(c);
}

// Tab over found points: the step is given again with the next one.
template <class Cmd>
void OnNextSnapPoint(Cmd& c)
{
    RollBackTentative(c);
    c.SaveOrRestoreStep(1);
    c.TakeCurrentPoint();
    ReplaySteps(c);
    AdvanceAndShow(c);
}

// Tab over element candidates: the last step takes the next candidate.
template <class Cmd>
void OnNextCandidateElement(Cmd& c)
{
    RollBackTentative(c);
    CElemRef ref;
    if (!c.m_doc->m_pickList->GetCurrent(ref))
        return;
    const int i = c.GetLastTokenIndex();
    if (i < 0)
        return;
    CString letter;
    if (ref.m_kind == ELEM_LINE && std::strchr(Cmd::kCandidateLetters, 'L'))
        letter = "L";
    else if ((ref.m_kind == ELEM_CIRCLE || ref.m_kind == ELEM_ARC) && std::strchr(Cmd::kCandidateLetters, 'C'))
        letter = "C";
    else if (ref.m_kind == ELEM_TEXT && std::strchr(Cmd::kCandidateLetters, 'T'))
        letter = "T";
    if (!letter.IsEmpty())
        c.m_tokenString = c.m_tokenString.Left(i) + letter;
    c.TakePickedElement(letter);
    ReplaySteps(c);
    AdvanceAndShow(c);
}

} // namespace CommandFamilies

// The application's creation environment back to the one a command saved, with its button, pen
// and text settings and, for the element environments, the result message.
void RestoreCreationEnvironment(int saved);
