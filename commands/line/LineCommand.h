// The line command object of a drawing (two-point, angle and length lines, radial bundles,
// parallels, tangents, inclined lines, rectangles, chamfers and the edits of a line): one main
// and one interrupting instance. It turns each input into a token letter, matches the token
// string against its named pattern groups and runs the construction of a complete pattern.
#pragma once

#include <cstdint>

#include "commands/circle/CommandSteps.h"
#include "elements/Circle.h"
#include "elements/Line.h"
#include "geometry/ElemRef.h"
#include "geometry/PointD.h"
#include "platform/core/Arrays.h"
#include "platform/core/String.h"

class CPatternGroup;
class CZelkDoc;

class CLineCommand : public CCommandSteps<5> {
public:
    int m_instance;               // 0 main, 1 interrupting
    CZelkDoc* m_doc;              // borrowed
    CLine m_pickedLines[5];       // the line picked at each token position
    CCircle m_pickedCircles[5];   // the circle picked at each position; an arc as its circle
    CPointD m_pickPoints[5];      // cursor point of the pick at each position
    int m_pickPositions[5] = {};  // the pick list's position class of each picked line
    std::int16_t m_editBlock = -1;
    std::int16_t m_editSlot = -1;
    int m_editPickPosition = 0;
    double m_defaultLength = 500.0;   // the length of the angle guide line
    CString m_modePattern;        // the construction chosen
    CStringArray m_stepTexts;     // the macro recorder's text of each step
    CWordArray m_stepValueFlags;  // 0, 1 the step is the last point, 2 a typed value
    int m_macroFlag = 0;          // the macro player drives the object
    int m_editFlag = 0;           // an edit of an existing line runs
    CElemRef m_pickedRefs[2];     // the elements picked at token positions 1 and 2
    std::uint8_t m_stepOptions[5] = {};
    CPointD m_trimEnds[4];        // new starts of the two chamfered elements, then their new ends
    CPtrArray m_patternGroups;    // CPatternGroup, owned
    std::int16_t m_savedCreationMode = 0;
    CStringArray m_acceptedPatterns;   // every pattern, in the prefix test's order
    CString m_autoSavedModePattern;
    CString m_autoSavedTokenString;
    CString m_macroPattern;       // the complete pattern a macro announced
    int m_recorderPointFlag = 0;
    int m_refusalNote = 0;        // the last input was refused in a chamfer mode

    double m_dragLength = 0.0;    // the length of the last right drag, written by the hub
    int m_lastInputKind = 0;      // the last event handed to the command
    int m_lastInputSubCode = 0;

    CLineCommand(CZelkDoc* doc, int instance);
    ~CLineCommand();
    CLineCommand(const CLineCommand&) = delete;
    CLineCommand& operator=(const CLineCommand&) = delete;

    // ---- pattern table -----------------------------------------------------------------
    void BuildPatternGroups();
    void BuildPatternLists();
    void DeletePatternGroups();
    CString GetGroupLeadPattern(const CString& name) const;
    CString GetCurrentGroupName() const;
    CPatternGroup* FindPatternGroup(const CString& pattern) const;
    int HasCutPointAt(int position) const;
    int IsPatternPrefix(const CString& s) const;

    // ---- state --------------------------------------------------------------------------
    int ClassifyTokens(int& single, int& complete) const;
    int LastPointTokenIndex() const;
    void ClearStepOptions(int from);
    void Reset();
    void OnEnter();
    void ClearTempMarks() { CCommandSteps<5>::ClearTempMarks(m_doc); }

    // ---- input --------------------------------------------------------------------------
    // One input event; the payload is in the drawing's input event, base point and pick list.
    void OnInput(int kind, int subCode);
    void ChooseModeFromFirstInput(int position, int kind, int subCode);
    CString TokenForValue(int subCode) const;
    CString DefaultValueLetter() const;
    CString TokenForPick(int subCode, int upper) const;
    int AcceptToken(const CString& letter);
    int AcceptMacroToken(CString& letter);
    static int FitsExpectedLetter(CString& letter, char expected);
    void UpdateLengthInputFlag();

    // ---- stored values, defaults and constraints ---------------------------------------
    void StorePointInput();
    int StoreTypedValue(const CString& letter, int subCode);
    int StorePickedElement(const CString& letter);
    void StoreLastValue();
    int AdvanceWithDefaults(int& restarted, int& announce);
    void ApplyPointConstraint();
    void SetConstraintReference();

    // ---- step routines ------------------------------------------------------------------
    // show 1 from the step-back key, 0 when a double click takes its first click back.
    void StepBack(int show);
    void ReleasePointConstraint();
    void OnNextSnapPoint();
    void OnNextCandidateElement();
    void ReplayTokens();
    // A left double click: after a refused pick it only clears the note; on the first element
    // of a chamfer it has the chamfer trim that element, after the chamfer it trims the second.
    void OnDoubleClick();
    void UndoClickBeforeDoubleClick();
    int IsEditPick() const;
    void RestoreCreationMode();

    // ---- neighbours of the input: guidance, preview, execution --------------------------
    void ShowGuidance();
    int ShowRubberBand();
    // Default macro step prompts for the steps of pattern that have no text in prompts yet.
    void BuildMacroPrompts(const CString& pattern, CStringArray& prompts) const;
    // Runs the construction or edit of the token string; 1 when something was executed.
    int Execute();
    void DeleteEditedElement();

    // ---- adding services and lines from points and angles ------------------------------
    // Slot arguments are token positions, -1 where the input is not given; an angle slot of
    // -1 stands for the drawing's absolute angle unless a routine says otherwise.
    int AddLineByPoints(CPointD first, CPointD second, std::int16_t& block, std::int16_t& slot, int final,
                        int keep);
    void AddLineBySlots(int first, int second, std::int16_t& block, std::int16_t& slot, int final, int keep);
    // The circle's position goes to the edited-line fields.
    int AddCircle(CPointD centre, double radius, int final);
    int AddArc(CPointD centre, double radius, double start, double end, std::int16_t& block, std::int16_t& slot,
               int final, int keep);
    void ShowAngleGuideLine(int pointSlot, int angleSlot, int final);
    void MakeLineBetweenFeet(int p1, int p2, int p3, int angleSlot, int index, int final);
    void MakeLineFromFootByLength(int p1, int p2, int lengthSlot, int angleSlot, int index, int final);

    // ---- radial bundles and rectangles (1 when the line was added) ---------------------
    int MakeRadialLineByAngleToPoint(int start, int angle, int point, int index, int final, int keep);
    int MakeRadialLineByLengthAndAngle(int start, int length, int angle, int index, int final, int keep);
    int MakeRadialLineByLengthToPoint(int start, int length, int point, int index, int final, int keep);
    // An angle slot of -1 is the coordinate rotation here.
    void MakeRectangle(int corner, int angle, int opposite, int width, int height);

    // ---- parallels, tangents and inclined lines (1 when the line was added) ------------
    int MakeParallelLine(int line, int point, int start, int length, int index, int final, int keep);
    int MakeTangentFromPoint(int point, int circle, int final);
    int MakeTangentToTwoCircles(int first, int second, int final);
    int MakeInclinedLineToLine(int line, int angle, int point, int index, int final, int keep);
    int MakeInclinedLineThroughPoint(int line, int angle, int onLine, int point, int index, int final, int keep);

    // ---- chamfers and the edits of a line ----------------------------------------------
    int ChamferLines(int length, int first, int second, int& trimmed);
    int ChamferLineAndCircle(int length, int line, int circle, int& trimmed);
    int ChamferCircles(int length, int first, int second, int& trimmed);
    int ExtendLine(int point, int line, int circle, int final);
    int AddLineToSourceGroup(std::int16_t sourceBlock, std::int16_t sourceSlot, std::int16_t block,
                             std::int16_t slot);
    int ChangeLineAngle(int angle, int point, int final);
    int ChangeLineLength(int length, int point, int final);
    int CutLine(int p1, int p2, int l1, int l2, int c1, int c2, int final);
    int ChangeLineAttributes();

private:
    int PopupMenuOff() const;
    int ModeChosen() const;
    int LineMultiCommand() const;
    void SwitchModeTo(const CString& pattern);
    void RollBackTentative();
    CPointD EditedLinePoint(int end) const;
    int AcceptCandidate(const CString& candidate);
    int CreationPreview();
    int EditPreview();
    int RunAdvancePasses(int execute);
    void ShowStepAndMark(int announce);
    void AdvanceAndShow();
    void RecordStep(const CString& letter);
    void ShowAngleMessage(double angle);
    // Execution.
    int ExecuteEdit();
    int ExecuteChamfer(int kind);
    template <class Make>
    void RunBundle(int countSlot, Make make);
    void PutBackEditedElement(std::uint8_t state);
    void StartEditEnvironment();
    double AngleOf(int slot) const;
    CPointD PointOf(int slot) const;
    void MoveBasePoint(CPointD p);
    int AddRadialLine(CPointD start, CPointD end, int final, int keep);
    // The add with its layer step; layer is the element layer of condition 1, -1 none.
    int AddLineWithLayerStep(CPointD start, CPointD end, int markType, int layer, int final, int keep,
                             int redraw = 1);
    // The same with mark type 1, telling where the line went (-1, -1 when refused).
    int AddLineWithLayerStepAt(CPointD start, CPointD end, int layer, int final, int keep, std::int16_t& block,
                               std::int16_t& slot);
    // Chamfers: the trimmed copy of a line or arc replaces it; 1 when the copy was added.
    int RebuildTrimmedElement(int kind, std::int16_t block, std::int16_t slot, CPointD start, CPointD end,
                              int joinGroup);
    int FinishChamfer(CPointD c1, CPointD c2, int layer, int firstKind, CPointD start, CPointD end, int joinGroup);
};
