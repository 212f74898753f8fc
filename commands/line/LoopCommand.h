// The closed-loop command object of a drawing (loops, offset figures, hatching, arc curves
// from runs of joined lines); one instance.
#pragma once

#include "commands/CommandKeyOps.h"

#include <cstdint>
#include <vector>

#include "elements/Arc.h"
#include "elements/Line.h"
#include "geometry/ElemRef.h"
#include "geometry/PointD.h"
#include "input/InputPoint.h"
#include "macro/Quantity.h"
#include "platform/core/Arrays.h"
#include "platform/core/String.h"

class CArc;
class CElemKey;
class CLine;
class COwnedPtrArray;
class CPatternGroup;
class CZelkDoc;

class CLoopCommand : public CCommandKeyOps {
public:
    // Cancels the command back to its mode pattern: the token string, values and loops go.
    void Reset() override;
    // Drops the loop being taken, or the latest finished loop while no operation input follows.
    void StepBack(int steps) override;
    CZelkDoc* m_doc;
    CString m_modePattern;   // starts empty
    // The typed value of each token position; in "AV" position 0 is the joining-angle limit,
    // the largest bend in degrees a run of joined lines passes over.
    CQuantity m_values[5];
    // The point input of each token position; in "OAP" position 2 is the hatching's pass point.
    CInputPoint m_inputPoints[5];
    // The element picked at each token position; in "OLQ" line 1 is the axis.
    CLine m_pickedLines[5];
    CArc m_pickedArcs[5];           // a circle as 0 to 360 degrees
    CPointD m_pickPoints[5];
    int m_pickPositions[5] = {};
    void TakePickedElement(const CString& token);

    // The loop store: copies of the lines, circles and arcs taken into loops, the drawing
    // element of each copy (same index) and the loops, each a chain of keys naming the copies in
    // order of travel. A circle is kept as an arc from 0 to 360 degrees. The joining and closing
    // of a loop trim the copies, never the drawing.
    std::uint8_t m_extractState;    // 0 none, 1 started, 2 being extended, 3 closed
    COwnedPtrArray* m_currentLoop;  // one of m_loops, or none
    CPtrArray m_lineCopies;         // CLine, owned
    CPtrArray m_lineRefs;           // CElemRef, owned
    CPtrArray m_circleCopies;       // CArc, owned
    CPtrArray m_circleRefs;         // CElemRef, owned
    CPtrArray m_arcCopies;          // CArc, owned
    CPtrArray m_arcRefs;            // CElemRef, owned
    CPtrArray m_loops;              // COwnedPtrArray, owned

    // The run of joined lines: one reference per line in travel order (the extra byte says
    // which end was entered) and its vertices, one more than the lines.
    std::vector<CElemRef> m_runElems;
    std::vector<CPointD> m_runVertices;

    explicit CLoopCommand(CZelkDoc* doc);
    CLoopCommand(const CLoopCommand&) = delete;
    CLoopCommand& operator=(const CLoopCommand&) = delete;
    virtual ~CLoopCommand();

    // The input entry: the input router hands each input event of the command here; the
    // payload is in the drawing's input event.
    virtual void OnInput(int kind, int subCode);
    int m_lastInputKind = 0;       // the last event handed to the command
    int m_lastInputSubCode = 0;
    // The prompt and hint for the token string, mode and extraction state; unchanged where no
    // case applies.
    void ShowGuidance() override;
    // Default macro step prompts for the steps of pattern that have no text in prompts yet.
    void BuildMacroPrompts(const CString& pattern, CStringArray& prompts) const;

    // ---- pattern table ------------------------------------------------------------------
    CPtrArray m_patternGroups;       // CPatternGroup, owned
    CStringArray m_patternList;      // every pattern, in the prefix test's order
    CStringArray m_stepTexts;        // the macro recorder's text of each step
    int m_macroFlag = 0;             // the macro player drives the object
    CString m_macroPattern;          // the complete pattern a macro announced
    double m_defaultLength = 500.0;
    void BuildPatternGroups();
    void BuildPatternLists();
    void DeletePatternGroups();
    CString GetGroupLeadPattern(const CString& name) const;
    // The last group, in table order, that lists the token string.
    CString GetCurrentGroupName() const;
    CPatternGroup* FindGroupOfPattern(const CString& pattern) const;
    int HasCutPointAt(int position) const;
    int IsAcceptedPrefix(const CString& s) const;
    // The position of the next letter, -1 for a string no pattern begins with.
    int ClassifyTokens(int& single, int& complete) const;
    int GetLastTokenIndex() const { return m_tokenString.GetLength() - 1; }
    int GetLastPointIndex() const { return m_tokenString.ReverseFind('P'); }
    // 1 when the letter joins the token string (or replaces a second angle or axis); a refusal
    // says why.
    int AcceptInput(const CString& letter);
    // Under the macro player: the letter must fit the announced pattern at its position.
    int AcceptMacroInput(const CString& letter);
    static int MacroLetterMatches(const CString& letter, char expected);
    // The letter of a typed value by its sub-code; a plain number is an angle, or a distance in
    // the offset mode under the loop kind's flag. Empty for a value the command takes no letter of.
    CString TypedToken(int subCode) const;
    CString PlainNumberLetter() const;
    // Whether a plain typed number is a length for the next step.
    void UpdateLengthInputFlag();
    // Runs the operation of a complete token string; 1 when one ran.
    int Execute();
    // The loop operations (1 when something was made) and the drawing of the loops.
    int MakeHatching(int angleSlot, int pointSlot);
    int MakeOffset(int distanceSlot);
    // 1 when the centroid cross was made; 0 without a loop or a figure with an area.
    int ComputeSectionProperties(int axisSlot);
    // The inside length of the infinite line a-b: the sum of the chords its crossings pair into.
    double StripWidth(CPointD a, CPointD b) const;
    // The cross and "G" at the centroid, one undo step.
    void MarkCentroid(CPointD g);
    int MakeArcCurve();
    // A pick while the token string is "A": starts a run of joined lines at the picked line,
    // or extends or cuts back the current run, then follows the run over bends within the
    // limit.
    void PickLineRunElement();
    // The run cut back to a picked line of it (shortened 1), or to the last line whose exit the
    // picked line touches; runEnd the end to go on from. 0 for a pick that is not a line or a
    // run member that is not one.
    int ExtendOrShortenLineRun(COwnedPtrArray& loop, const CElemRef& picked, CPointD& runEnd, int& shortened);
    // normal 1: the loops' elements in their own form again.
    void DrawAllLoops(int normal);
    // The preview code of the token string; after a hatching angle the angle goes to the drawing.
    int PreparePreview();

    // Deletes every copy, reference and loop and empties the run; no loop is current after.
    void FreeLoops();

    // ---- loop extraction ---------------------------------------------------------------
    // A pick while loops are taken: starts a loop at the picked element, or joins the element
    // to the current loop, then follows the unbranched chain of joined ends.
    void ExtendLoopByPick();
    // 1 when an end of the drawing's line or arc lies on the entry of a member of the loop.
    int IsClosingElement(const COwnedPtrArray& loop, const CElemRef& element) const;
    // Enter during extraction: 1 when the current loop closed and is current no more.
    int CloseCurrentLoop();
    // Cuts the loop back to its latest crossing with the picked element and appends the
    // element from there towards the pick point; 0 when it crosses no member (the loop stays).
    int JoinPickedElement(CPointD& freeEnd, COwnedPtrArray& loop, const CElemRef& picked);
    // Trims the latest member crossing an earlier one and the earlier one at the crossing and
    // drops what lies outside; 0 when no member crosses (the loop stays).
    int CloseLoop();
    // mode 2 erases (and redraws the loop's drawing elements), 3 and 4 the two purpose colours.
    void DrawLoop(int mode, const COwnedPtrArray* loop);
    // The copy a member names (a circle's is its 0-360 arc); none for another kind or an index
    // past its list.
    CLine* MemberLine(const CElemKey& key) const;
    CArc* MemberArc(const CElemKey& key) const;
    const CElemRef* MemberRef(const CElemKey& key) const;

    // ---- queries on the loops ----------------------------------------------------------
    // The points of a loop that can be extreme across the direction theta (degrees).
    void CollectExtremeCandidates(const COwnedPtrArray& loop, double theta, std::vector<CPointD>& points) const;
    // How far the loops reach on either side of the line through p at theta: high >= 0 >= low.
    void GetLoopsExtentAcross(CPointD p, double theta, double& high, double& low) const;
    // The extreme points of the loops in the frame turned by theta; 0 without a point.
    int GetLoopsExtremePoints(double theta, CPointD& highest, CPointD& lowest, CPointD& leftmost,
                              CPointD& rightmost) const;
    // The crossings of the infinite line a-b with every loop, sorted in x-then-y order so that
    // they pair into the chords inside the loops; 1 when there is any.
    int IntersectLineWithLoops(CPointD a, CPointD b, std::vector<CPointD>& points) const;
    double GetLoopPerimeter(const COwnedPtrArray& loop) const;
};
