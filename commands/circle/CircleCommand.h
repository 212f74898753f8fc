// The circle and arc command object of a drawing: one main and one interrupting instance. It
// turns each input into a token letter, matches the token string against its named pattern
// groups and runs the construction or edit of a complete pattern.
#pragma once

#include <cstdint>

#include "commands/circle/CommandSteps.h"
#include "elements/Circle.h"
#include "elements/Line.h"
#include "geometry/ElemRef.h"
#include "geometry/PointD.h"
#include "platform/core/Arrays.h"
#include "platform/core/String.h"

class CArc;
class CConic;
class CTypePen;
class CPatternGroup;
struct CCircleGuidanceState;
struct CCircleWorkPairs;
class CPointPair;
class CZelkDoc;

class CCircleCommand : public CCommandSteps<6> {
public:
    int m_circleFlag = 1;         // 1 the object acts as the circle command, 0 as the arc command
    int m_instance;               // 0 main, 1 interrupting
    CZelkDoc* m_doc;              // borrowed
    CLine m_pickedLines[6];       // the line picked at each token position
    CCircle m_pickedCircles[6];   // the circle picked at each position; an arc as its circle
    CPointD m_pickedAngleRange;   // degrees of the circle or arc picked last (0, 360 for a circle)
    CPointD m_pickPoints[6];      // cursor point of the pick at each position
    int m_pickPositions[6] = {};  // the pick list's position class of each picked line
    int m_editClass = 1;          // 1 circle, 0 arc, -1 ellipse or elliptic arc
    std::int16_t m_editBlock = -1;
    std::int16_t m_editSlot = -1;
    int m_editPickPosition = 0;
    CString m_modePattern;        // the construction chosen; empty: none chosen
    CString m_lastCircleEditPattern;
    CString m_lastArcEditPattern;
    CStringArray m_stepTexts;     // the macro recorder's text of each step
    CWordArray m_stepValueFlags;  // 0, 1 the step is the last point, 2 a typed value
    CWordArray m_carriedValueFlags;
    int m_macroFlag = 0;          // the macro player drives the object
    int m_editFlag = 0;           // an edit of an existing element runs
    CElemRef m_pickedRefs[2];     // the elements picked at token positions 1 and 2
    std::uint8_t m_stepOptions[6] = {};
    CPointD m_tangentPoints[4];
    CPtrArray m_patternGroups;    // CPatternGroup, owned
    std::int16_t m_savedCreationMode = 0;
    int m_pickFlag = 0;           // the last accepted input was a pick
    int m_circleCentreFlag = 0;   // a circle picked first in "PP" stands for its centre
    CStringArray m_creationPatterns;    // every pattern not beginning with "%"
    CStringArray m_circleEditPatterns;  // every pattern beginning with "%"
    CPointD m_previewCentre;      // the centre of the tangent circle the rubber band drew last
    double m_defaultLength = 10.0;
    CString m_autoSavedModePattern;
    CString m_autoSavedTokenString;
    CString m_macroPattern;       // the complete pattern a macro announced
    int m_recorderPointFlag = 0;
    int m_showingCandidate = 0;
    const CCircle* m_lastPickedCircle = nullptr;  // identity only
    const CArc* m_lastPickedArc = nullptr;
    int m_concentricFlag = 0;
    CPointPair* m_candidateBuilt = nullptr;
    CPtrArray m_candidates;       // CPointPair, owned
    int m_candidateIndex = 0;
    int m_refusalNote = 0;

    int m_lastInputKind = 0;      // the last event handed to the command
    int m_lastInputSubCode = 0;

    CCircleCommand(CZelkDoc* doc, int instance);
    ~CCircleCommand();
    CCircleCommand(const CCircleCommand&) = delete;
    CCircleCommand& operator=(const CCircleCommand&) = delete;

    // ---- pattern table -----------------------------------------------------------------
    void BuildPatternGroups();
    void BuildPatternLists();
    void DeletePatternGroups();
    CString GetGroupLeadPattern(const CString& name) const;
    CString GetCurrentGroupName() const;
    CPatternGroup* FindGroupOfPattern(const CString& pattern) const;
    int HasCutPointAt(int position) const;
    int IsPatternPrefix(const CString& s) const;

    // ---- state --------------------------------------------------------------------------
    void Reset();
    void OnEnter();
    void ClearTempMarks() { CCommandSteps<6>::ClearTempMarks(m_doc); }
    void ClearStepOptions(int position);
    void ResetTokensToRadius();
    int GetLastPointTokenIndex() const;
    void UpdateLengthInputFlag();

    // A changed input re-applied: the step saved after the last input comes back and the token
    // string is rebuilt letter by letter, executing what becomes complete.
    void ReplayTokens();
    // withMessages 0: the double click's quiet step back.
    void StepBack(int withMessages);
    // The point-constraint mode changed (1 free, 2 reference point, 3 X, 4 Y), or was released.
    void ApplyPointConstraint();
    void ReleasePointConstraint();
    // Tab: the point search's next found point, or the pick list's next element candidate.
    void OnNextSnapPoint();
    void OnNextCandidateElement();
    // 1 when a pick now belongs to an edit and must not become the selected element.
    int IsEditPick() const;
    // A left double click: after a refused pick it only clears the note; the replacement of
    // the picked line or arc comes with the command's editing steps.
    void OnDoubleClick();
    // The click that began a double click is taken back when it picked.
    void UndoClickBeforeDoubleClick();

    // ---- input --------------------------------------------------------------------------
    // One input event; the payload is in the drawing's input event, base point and pick list.
    void OnInput(int kind, int subCode);
    int ChooseModeFromFirstInput(int position, int kind, int subCode);
    CString TokenForValue(int subCode) const;
    CString DefaultValueLetter() const;
    CString TokenForPick(int subCode, int upper) const;
    void StorePointInput();
    int StoreTypedValue(const CString& letter, int subCode);
    void StorePickedElement(const CString& letter);
    void StoreLastValue();
    void SetConstraintReference();
    // After an input or a constraint change: the guidance, the constraint mark drawn again at
    // its new place, and the drawing mode announced when the figure is done.
    void ShowGuidanceAndMark(int done);

    // ---- classification and acceptance -------------------------------------------------
    int ClassifyTokens(int& single, int& complete) const;
    int AcceptToken(const CString& letter);
    int AcceptMacroToken(CString& letter);
    static int FitsExpectedLetter(CString& letter, char expected);
    int AdvanceWithDefaults(int& complete, int& done);

    // ---- neighbours of the input: guidance, preview, execution, candidates --------------
    void ShowGuidance();
    int ShowRubberBand();
    // A default prompt for every empty entry of a recorded pattern's step prompt list, which
    // takes the pattern's length.
    void BuildMacroPrompts(const CString& pattern, CStringArray& prompts) const;
    int Execute();
    void RestoreCreationMode();
    void ClearCandidates();
    // The candidate at the candidate index, brought back into the list's range, is added in
    // place of the one shown before; 1 when it was added.
    int ShowCandidate();

    // ---- additions to the drawing: degenerate elements refused, the rest through the log -
    // final 1 makes the element permanent, 0 leaves it tentative; 1 added, 0 refused.
    int AddCircle(CPointD centre, double radius, int final);
    int AddArc(CPointD centre, double radius, double start, double end, std::int16_t& block,
               std::int16_t& slot, int final, int keep);
    int AddLine(CPointD first, CPointD second, std::int16_t& block, std::int16_t& slot, int final, int keep);
    // The circle just added becomes the edit circle of the arc command.
    void StartEditOfAddedCircle();
    // The layer rule around one addition of a construction: referenceLayer is the layer of the
    // construction's reference element, -1 when it has none. Enter answers the write layer to
    // give back to Leave.
    std::int16_t EnterLayerRule(int referenceLayer);
    void LeaveLayerRule(std::int16_t writeLayer);

    // ---- constructions of complete patterns (operands are token positions) ---------------
    int AddCircleByCentreAndRadius(int point, int length);
    int AddCircleByPointAngleRadius(int point, int angle, int length);
    int AddCircleByPointRadiusTowardPoint(int point, int length, int direction);
    // count: corners, negative to draw inside the size's circle; angle: degrees of corner 0.
    int AddRegularPolygon(int count, CPointD centre, double size, double angle);

    // ---- group membership of elements rebuilt from an edited one ------------------------
    // The new element (block, slot) takes the source's place and role in the source's group;
    // 0 when the source is in no group.
    int AddCircleToSourceGroup(const CCircle* source, std::int16_t block, std::int16_t slot);
    int AddArcToSourceCircleGroup(const CCircle* source, std::int16_t block, std::int16_t slot);
    int AddArcToSourceGroup(const CArc* source, std::int16_t block, std::int16_t slot);
    int AddConicToSourceCircleGroup(const CCircle* source, std::int16_t block, std::int16_t slot);
    int AddConicToSourceArcGroup(const CArc* source, std::int16_t block, std::int16_t slot);
    int AddGroupToSourceConicGroup(const CConic* source, std::int16_t group);
    // The edited circle or arc is retired after an edit that keeps none of it in place.
    void DeleteEditedElement();

    // ---- constructions and edits of later patterns (operands are token positions) -------
    int AddCircleThroughPointTangentAtLinePoint(int point, int line, int tangent);
    int AddCircleThroughPointTangentToTwoLines(int point, int first, int second);
    int AddCircleThroughTwoPointsTangentToLine(int first, int second, int line);
    int AddCircleTangentToTwoLinesAtPoint(int first, int second, int tangent);
    int AddCircleTangentToThreeLines(int first, int second, int third);
    int AddCircleTangentToTwoLinesAndCircle(int first, int second, int circle);
    int AddCircleTangentToLineAndTwoCircles(int line, int first, int second);
    int TangentToLineCircleThroughPoint(int line, int circle, int point);
    int TangentToThreeCircles(int first, int second, int third);
    int TangentToTwoCirclesThroughPoint(int first, int point, int second);
    int TangentToCircleThroughTwoPoints(int circle, int first, int second);
    int TangentAtPointThroughPoint(int point, int circle, int tangent);

    // ---- circles through two points, radius tangents and corner rounding ------------------
    // Operands are token positions. 1 made (or a candidate list built and its first shown),
    // 0 refused.
    int AddCircleByArcAngle(int angle, int first, int second);
    int AddCircleByTwoPointsAndRadius(int first, int second, int length);
    int AddTangentCircleToLineThroughPoint(int length, int line, int point);
    int AddTangentCircleToCircleThroughPoint(int point, int length, int circle);
    int AddTangentCircleAtLinePoint(int length, int line, int tangent);
    int AddTangentCircleAtCirclePoint(int length, int circle, int tangent);
    // changed: set when the first picked element was cut back to its tangent point.
    int AddTangentCircleToTwoLines(int length, int first, int second, int& changed);
    int AddTangentCircleToLineAndCircle(int length, int line, int circle, int& changed);
    int AddTangentCircleToTwoCircles(int length, int first, int second, int& changed);
    // A live line, circle or arc retired for undo (deleted, redraw pending): 1. One already
    // deleted, or none there: 0, nothing recorded.
    int RetireElement(int kind, std::int16_t block, std::int16_t slot);
    // Corner rounding: the retired line or arc added back cut to new ends in its own layer
    // (joinGroup: the copy takes its group membership), and the layer condition from before the
    // switch to the selected element's environment.
    void AddCutBack(const CElemRef& ref, CPointD start, CPointD end, int joinGroup);
    static void RestoreSavedLayerCondition();
    // One solution into the candidate list: kept sorted by key (equal keys in arrival order),
    // a repeat of a listed solution dropped, and in the arc command the complementary arc right
    // after it. angles (0, 360) is a full circle.
    void InsertCandidate(double key, CPointD centre, double radius, CPointD angles);

    // ---- edits of circles, arcs and ellipses: each adds the replacement, retires the edited
    // element after it and hands its group membership on; 1 replaced, 0 refused -----------
    void MarkStartAtPoint(int k);
    void MarkStartAtAngle(int k);
    void MarkStartAtLineCrossing(int k);
    void MarkStartAtCircleCrossing(int k);
    int ChangeCircleRadius(int k);
    int CircleToArcByPoints(int point1, int point2, int cut);
    int CircleToArcByPointAndAngle(int point, int angle, int cut);
    int CircleToArcByPointAndLine(int point, int line, int cut);
    int CircleToArcByPointAndCircle(int point, int circle, int cut);
    int CircleToArcByAngles(int angle1, int angle2, int cut);
    int CircleToArcByAngleAndLine(int angle, int line, int cut);
    int CircleToArcByAngleAndCircle(int angle, int circle, int cut);
    int CircleToArcByLines(int line1, int line2, int cut);
    int CircleToArcByLineAndCircle(int line, int circle, int cut);
    int CircleToArcByCircles(int circle1, int circle2, int cut);
    // end 0 the end nearer the edit pick, 1 the start, 2 the end.
    int MoveArcEndToPoint(int k, int keepRadius, int end);
    int MoveArcEndToLine(int k);
    int MoveArcEndToCircle(int k);
    int MoveArcEndToAngle(int k);
    int ChangeArcRadius(int k);
    int CircleToEllipseThroughPoint(int final);
    int ArcToEllipticArcThroughPoint(int final);
    int CircleToEllipseByRatio(int final);
    int ArcToEllipticArcByRatio(int final);
    int ChangeCircleAttributes();
    int ChangeArcAttributes();
    int ConvertConicToArcCurve(int final);
    int CutArcByPoints(int i, int j);
    int CutArcByPointAndLine(int i, int j);
    int CutArcByPointAndCircle(int i, int j);
    int CutArcByLines(int i, int j);
    int CutArcByLineAndCircle(int i, int j);
    int CutArcByCircles(int i, int j);
    int CutArcByPointAndAngle(int i, int j);
    int CutArcByLineAndAngle(int i, int j);
    int CutArcByCircleAndAngle(int i, int j);

private:
    // ---- shared steps of the edits ------------------------------------------------------
    struct EditLayerPen {
        std::int16_t writeLayer = 0;
        int penTaken = 0;
    };
    const CCircle* EditedCircle() const;
    CArc* EditedArc() const;
    int CrossingWithEdited(int k, int line, int arcsOnly, CPointD& crossing) const;
    int OperandAngle(int k, char kind, const char* noCrossing, double& angle);
    void AddDirectionMark(double radians, double angle);
    void BeginLayerAndPen(EditLayerPen& saved, std::int16_t layer, const CTypePen* pen);
    void EndLayerAndPen(const EditLayerPen& saved);
    int ReplaceCircle(int asArc, double radius, double start, double end, int takePen, const char* message);
    int ReplaceArc(double radius, double start, double end, int takePen, const char* message);
    int CircleToArc(int first, char firstKind, int second, char secondKind, int cut, const char* message,
                    const char* otherMessage);
    int MoveArcEnd(double radius, double angle, int end, const char* message);
    int ConvertToEllipse(int arc, double ratio, double axis, int final);
    int EllipseThroughPoint(int arc, int final);
    int EllipseByRatio(int arc, int final);
    int CutArc(int i, char first, int j, char second, int index);
    int OptionApplies() const;
    int EitherOptionOn() const;
    int PopupMenuOff() const;
    int ModeChosen() const;
    void SwitchModeTo(const CString& pattern);
    void RollBackTentative();
    void RefreshDocumentPoint(int position);
    CPointD EditedArcPoint(int end) const;
    void ShowAngleMessage(double angle);
    void TakeAngleOfPick(double angle);
    void StoreCentrePick();
    void RecordStep(const CString& letter);
    int AcceptCreation(const CString& x, int p, int complete, CString& k);
    int AcceptEdit(CString x, int p, CString& k);
    int AcceptEntryEdit(const CString& x, int p, CString& k);
    int TestCandidate(const CString& k);
    int OfferDefault(const CString& letter, const char* message);
    void ShowStepGuidance(const CCircleGuidanceState& s, const CCircleWorkPairs& w);
    int PreviewOfCreation(const CString& creation);
    int PreviewOfArcEdit();
    int PreviewOfCircleEdit(const CString& tail);
};
