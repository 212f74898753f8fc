// The point command object of a drawing: single points, the equal division of the distance
// between two points, of a line or of a circle or arc with a point at every division, and the
// moving of a point element. One main and one interrupting instance; the interrupting one moves
// the point a double click started on.
#pragma once

#include <cstdint>

#include "commands/circle/CommandSteps.h"
#include "elements/Arc.h"
#include "elements/Line.h"
#include "geometry/PointD.h"
#include "platform/core/Arrays.h"
#include "platform/core/String.h"

class CPatternGroup;
class CZelkDoc;
class CDataPoint;

class CPointCommand : public CCommandSteps<5> {
public:
    // The letters a double click's first click may have picked, and the candidates Tab offers.
    static constexpr const char* kPickLetters = "LC#";
    static constexpr const char* kCandidateLetters = "LC";

    int m_instance;                 // 0 main, 1 interrupting
    CZelkDoc* m_doc;                // borrowed
    CLine m_pickedLines[5];         // the line picked at each token position
    CArc m_pickedArcs[5];           // the circle (as 0° to 360°) or arc picked at each position
    CPointD m_pickPoints[5];        // cursor point of each pick
    int m_pickPositions[5] = {};    // the pick list's position class of each pick
    std::int16_t m_editBlock = -1;  // the point element being moved
    std::int16_t m_editSlot = -1;
    int m_editPickPosition = 0;
    CString m_modePattern;          // "P", "NPP", "#P"; "" none
    CStringArray m_stepTexts;       // the macro recorder's text of each step
    CWordArray m_stepValueFlags;    // 1 the step's point, 2 the count, recorded as given
    int m_macroFlag = 0;            // the macro player drives the object
    int m_editFlag = 0;             // the interrupting instance moves a point
    CPtrArray m_patternGroups;      // CPatternGroup, owned
    std::int16_t m_savedCreationMode = 0;
    CStringArray m_acceptedPatterns;
    CString m_macroPattern;         // the pattern a macro plays

    int m_lastInputKind = 0;        // the last event handed to the command
    int m_lastInputSubCode = 0;
    // A held reference-point constraint has given its point for the input being handled: the
    // single-point step it holds starts again after each point, and would otherwise take the
    // same point on every pass of one input.
    bool m_heldPointTaken = false;

    CPointCommand(CZelkDoc* doc, int instance);
    ~CPointCommand();
    CPointCommand(const CPointCommand&) = delete;
    CPointCommand& operator=(const CPointCommand&) = delete;

    // ---- pattern table -----------------------------------------------------------------
    void BuildPatternGroups();
    void BuildAcceptedPatterns();
    void FreePatternGroups();
    CString GetGroupLeadPattern(const CString& name) const;
    CString GetCurrentGroupName() const;
    int HasCutPointAt(int position) const;
    int IsAcceptedPrefix(const CString& s) const;
    CPatternGroup* FindGroupOfPattern(const CString& pattern) const;

    // ---- state and guidance --------------------------------------------------------------
    void Reset();
    void ShowGuidance();
    void GetMacroPrompts(const CString& pattern, CStringArray& prompts) const;
    // The record the next input fills; -1 when the string fits no pattern.
    int GetCurrentPointSlot(int& complete) const;
    int GetLastPointTokenIndex() const;
    void ClearTempMarks() { CCommandSteps<5>::ClearTempMarks(m_doc); }

    // ---- input --------------------------------------------------------------------------
    // One input event; the payload is in the drawing's input event, base point and pick list.
    void OnInput(int kind, int subCode);
    void OnEnter();
    int AcceptToken(const CString& token);
    int AcceptMacroToken(const CString& token);
    static int IsTokenAllowed(CString& token, char patternLetter);
    CString GetValueToken(int subCode) const;
    CString GetDefaultValueToken() const { return "N"; }
    CString GetPickToken(int subCode, int upper) const;
    void TakeCurrentPoint();
    void TakePickedElement(const CString& token);
    void EchoValue(const CString& token, int subCode);
    void UpdateLengthInputFlag();
    int AdvanceWithDefaults(int& completed, int& announce);

    // ---- step routines ------------------------------------------------------------------
    void ApplyPointConstraint();
    void ReleasePointConstraint();
    int StepBack();
    void OnNextSnapPoint();
    void OnNextCandidateElement();
    void ReplaySteps();
    void MarkConstraintReference();
    void StoreLastValueAsCurrent();
    void UndoClickBeforeDoubleClick();
    void RestoreCreationMode();
    int IsEditPick() const { return m_tokenString == "#" ? 1 : 0; }
    void CaptureCommand();

    // ---- constructions ------------------------------------------------------------------
    int Execute();
    // Each answers whether it ran; log is the creation log's caller flag, keep its keep flag.
    int AddSinglePoint(int record, int log, int keep);
    int DivideBetweenPoints(int log);
    int DivideLine(int log);
    int DivideCircleOrArc(int log);
    int MovePoint(int log);
    void DeleteMovedPoint();
    int CopyGroupMembership(const CDataPoint& old, std::int16_t block, std::int16_t slot);

private:
    int AllPatternsState() const;
    int PointFlag() const;
    // n+1 points from the function of i = 0..n, on the layer the condition gives.
    template <class PointOf>
    int AddDivision(int log, PointOf pointOf);
    int SwitchToLayer(std::int16_t elementLayer);
    void AfterLayer(int newLayer, std::int16_t saved);
};
