// The dimension command object of a drawing: two-point, diameter and radius, chamfer and angle
// dimensions, balloons and leaders, and the edit of an existing dimension. One main instance
// and one interrupting instance, which edits the dimension a double click started on. A plain
// class on the shared step records; the input hub reaches it by its own type.
#pragma once

#include <cstdint>
#include <vector>

#include "commands/circle/CommandSteps.h"
#include "elements/Arc.h"
#include "elements/Line.h"
#include "geometry/PointD.h"
#include "platform/core/Arrays.h"
#include "platform/core/String.h"

class CGroup;
class CPatternGroup;
class CZelkDoc;

class CDimCommand : public CCommandSteps<6> {
public:
    // The letters a double click's first click may have picked, and the candidates Tab offers.
    static constexpr const char* kPickLetters = "LCT#";
    static constexpr const char* kCandidateLetters = "LC";
    static constexpr double kDefaultLength = 500.0;
    static constexpr double kDefaultBalloonRadius = 8.0;

    int m_instance;                  // 0 main, 1 interrupting
    CZelkDoc* m_doc;                 // borrowed
    CLine m_pickedLines[6];          // the line picked at each step
    CArc m_pickedArcs[6];            // the circle (as 0° to 360°) or arc picked at each step
    CPointD m_pickPoints[6];         // cursor point of each pick
    int m_pickPositions[6] = {};     // the pick list's position class of each pick
    // The element double-clicked for an edit, the dimension group holding it (the drawing's),
    // its element kind, the group's kind (2..8) and the element's role in the group.
    std::int16_t m_editBlock = -1;
    std::int16_t m_editSlot = -1;
    CGroup* m_editGroup = nullptr;
    std::int16_t m_editElemKind = 0;
    std::int16_t m_editGroupKind = 0;
    std::int16_t m_editRole = 0;
    int m_editPickPosition = 0;
    double m_defaultLength = kDefaultLength;  // the tentative guide line of a dimension line
    CString m_modePattern;           // "APPP", "CPP", "LP", "PPPPPP", "TBW", "TPAP", "#P"
    CStringArray m_stepTexts;        // the macro recorder's note of each step
    CWordArray m_stepValueFlags;     // 1 the step's point, 2 its value, recorded as given
    int m_macroFlag = 0;             // a macro plays its inputs into the object
    int m_editFlag = 0;              // an edit pattern ("#...") is being input
    CPtrArray m_patternGroups;       // CPatternGroup, owned
    std::int16_t m_savedCreationMode = 0;
    CString m_valueText;             // the value, balloon or leader text being built
    double m_valueAngle = 0.0;       // its angle in degrees; the preview draws its negative
    CPointD m_valueBox[4];           // its box: origin, along the width, along the height, far
    std::vector<CPointD> m_textPoints;  // the leader or balloon points given so far
    double m_balloonRadius = kDefaultBalloonRadius;
    // The point-search category of the first leader or balloon point (5 a free point).
    std::uint8_t m_firstPointCategory = 0;
    CStringArray m_acceptedPatterns;
    CString m_macroPattern;          // the complete pattern a playing macro announced

    double m_dragLength = 0.0;       // the length of the last right drag
    int m_lastInputKind = 0;         // the last event handed to the command
    int m_lastInputSubCode = 0;

    CDimCommand(CZelkDoc* doc, int instance);
    ~CDimCommand();
    CDimCommand(const CDimCommand&) = delete;
    CDimCommand& operator=(const CDimCommand&) = delete;

    // ---- pattern table -----------------------------------------------------------------
    void BuildPatternGroups();
    void BuildAcceptedPatterns();
    void FreePatternGroups();
    CString GetGroupLeadPattern(const CString& name) const;
    CString GetCurrentGroupName() const;
    int HasCutPointAt(int position) const;
    int IsAcceptedPrefix(const CString& s) const;
    CPatternGroup* FindGroupOfPattern(const CString& pattern) const;
    // Whether a macro's letter fits the pattern letter it stands at.
    static int IsTokenAllowed(const CString& token, char patternLetter);

    // ---- state --------------------------------------------------------------------------
    void Reset();
    // The step the next input fills, and whether the token string is a complete pattern;
    // -1 in edit mode for a string no edit pattern begins with.
    int GetCurrentPointSlot(int& complete) const;
    int GetLastPointTokenIndex() const;
    int IsEditPick() const { return m_tokenString == "#" ? 1 : 0; }
    void ClearTempMarks() { CCommandSteps<6>::ClearTempMarks(m_doc); }
    CString GetDefaultValueToken() const { return m_editFlag ? "D" : "A"; }
    CString GetValueToken(int subCode) const;
    void UpdateLengthInputFlag();

    // ---- guidance and preview ----------------------------------------------------------
    void ShowGuidance();
    // A prompt for every empty entry of a recorded pattern's step list, which takes the
    // pattern's length.
    void GetMacroPrompts(const CString& pattern, CStringArray& prompts) const;
    // The preview of the current step written into the drawing's preview fields; its kind.
    int ShowRubberBand();
    // The value text box of a string with the current text settings and anchor.
    void UpdateValueTextBox(const CString& text);

    // ---- input --------------------------------------------------------------------------
    // One input event; the payload is in the drawing's input event, base point and pick list.
    void OnInput(int kind, int subCode);
    int AcceptToken(const CString& token);
    int AcceptMacroToken(const CString& token);
    CString GetPickToken(int subCode, int upper) const;
    void TakeCurrentPoint();
    void TakePickedElement(const CString& token);
    int EchoValue(const CString& token, int subCode);
    int ApplyTypedLength(const CString& token, int subCode);
    void StoreLastValueAsCurrent();

private:
    // The current-command rule of the acceptance: all patterns at once while popup menus are
    // suppressed and no mode was chosen from the menu.
    bool AllKindsGuidance() const;
    CPatternGroup* AcceptanceGroup() const;
    int CheckCandidate(const CString& candidate);
    void EditGuidance();
};
