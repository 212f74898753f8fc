// The text command object of a drawing: placing a text at a point, a series of texts at an even
// pitch, a text fitted into a box, and editing a placed text. One main and one interrupting
// instance; the interrupting one edits the text a double click started on. Besides its token
// string it keeps the text being placed (its string, angle and box), which outlives a reset so
// that a text given once is placed again by each later click.
#pragma once

#include <cstdint>

#include "commands/circle/CommandSteps.h"
#include "elements/Circle.h"
#include "elements/Line.h"
#include "elements/Text.h"
#include "elements/TypeFont.h"
#include "geometry/PointD.h"
#include "platform/core/Arrays.h"
#include "platform/core/String.h"

class CPatternGroup;
class CZelkDoc;

class CTextCommand : public CCommandSteps<5> {
public:
    int m_instance;                  // 0 main, 1 interrupting
    CZelkDoc* m_doc;                 // borrowed
    CLine m_pickedLines[5];          // the line picked at each token position
    CCircle m_pickedArcs[5];         // the circle picked at each position; an arc as its circle
    CText m_pickedTexts[5];          // the text picked at each position, and its font
    CTypeFont m_pickedFonts[5];
    CPointD m_pickPoints[5];         // cursor point of each pick
    int m_pickPositions[5] = {};     // the pick list's position class of each pick
    std::int16_t m_editBlock = -1;   // the text being edited
    std::int16_t m_editSlot = -1;
    int m_editPickPosition = 0;
    double m_defaultLength = 500.0;
    CString m_modePattern;           // "P", "BPK", "BB"; "#P", "#T", "#A", "#Q", "#SP" for edits
    CStringArray m_stepTexts;        // per step: the macro's prompt, else the recorder's note
    CWordArray m_stepValueFlags;     // per step, for the recorder: 1 a point, 2 repeated as given
    int m_macroFlag = 0;             // the macro player drives the object
    int m_editFlag = 0;              // an edit pattern ("#...") is being given
    CPtrArray m_patternGroups;       // CPatternGroup, owned
    CString m_string;                // the text the next placement writes
    double m_angle = 0;              // degrees
    CString m_savedString;           // the text and angle before the last text pick
    double m_savedAngle = 0;
    CPointD m_pitch;                 // offset between the texts of a continuous text
    CPointD m_box[4];                // box corners about the anchor, unrotated: bottom-start,
                                     // bottom-end, top-start, top-end
    std::int16_t m_savedCreationMode = 0;
    CStringArray m_acceptedPatterns;
    CString m_macroPattern;          // the pattern a macro plays
    int m_recorderMark = 0;          // recorder lines present at the last execution

    CString m_editText;              // the string of the text being edited
    int m_pendingText = 0;           // an edit waits for its typed text: the combo keeps it
    double m_dragLength = 0.0;       // the length of the last right drag
    int m_imeOpen = 0;               // the input method was open when a text window lost the focus
    int m_lastInputKind = 0;         // the last event handed to the command
    int m_lastInputSubCode = 0;

    CTextCommand(CZelkDoc* doc, int instance);
    ~CTextCommand();
    CTextCommand(const CTextCommand&) = delete;
    CTextCommand& operator=(const CTextCommand&) = delete;

    // ---- pattern table -----------------------------------------------------------------
    void BuildPatternGroups();
    void BuildAcceptedPatterns();
    void FreePatternGroups();
    CString GetGroupLeadPattern(const CString& name) const;
    CString GetCurrentGroupName() const;
    int IsAcceptedPrefix(const CString& s) const;
    CPatternGroup* FindGroupOfPattern(const CString& pattern) const;

    // ---- state and guidance --------------------------------------------------------------
    // Back to the first step of the mode pattern; the text being placed and the mode stay.
    void Reset();
    void ShowGuidance();
    void GetMacroPrompts(const CString& pattern, CStringArray* prompts) const;
    // The step record the next input fills (0..2); -1 when the string fits no pattern. complete
    // tells a finished pattern, boxInProgress a continuous or box text under way.
    int ClassifyTokens(int* boxInProgress, int* complete) const;
    int GetLastPointTokenIndex() const;
    bool IsEditPick() const { return m_tokenString == "#"; }
    void ClearTempMarks() { CCommandSteps<5>::ClearTempMarks(m_doc); }
    // A typed value is an angle: a plain typed number never counts as a length here.
    CString GetDefaultValueToken() const { return "A"; }
    void UpdateLengthInputFlag();

    // ---- input --------------------------------------------------------------------------
    // One input event; the payload is in the drawing's input event.
    void OnInput(int kind, int subCode);

    // ---- the text box and the notation ----------------------------------------------------
    // The box of the text being placed, for a given string with the current text settings;
    // showNotationMessages tells of notation markers that do not come three to a set.
    void ComputeBoxForString(const CString& text, int showNotationMessages = 0);
    // The box again, from the command's string.
    void UpdateTextBox(int showNotationMessages);
    // The four corners of a text laid out with the given font, size, alignment and width factor.
    void SetTextBox(const LOGFONT& font, int width10, int height10, int alignment,
                    const CString& text, double ratio);
    // The text chosen or being typed in the input bar's text list: its box is previewed at the
    // cursor before it is confirmed.
    void PreviewTypedText(const CString& text);
    // The box corner at the anchor's top-end and bottom-start in the drawing, turned by the
    // current angle: the fixed ends of a size change.
    CPointD* GetTopEndCorner(CPointD* out, const CPointD* anchor) const;
    CPointD* GetBottomStartCorner(CPointD* out, const CPointD* anchor) const;
    // The box, the current angle and preview code 40 handed to the drawing the views draw from.
    void PublishTextBox();

    // Whether a text holds a subscript or a furigana marker.
    static bool HasNotationMarkers(const CString& text);
    // The pieces of a text between its markers with their kinds: 0 plain, 1 upper and 2 lower
    // text of a subscript set, 4 base and 8 reading of a furigana set. futureTense words the
    // messages for a text still being typed rather than one placed.
    static void SplitNotation(const CString& text, CStringArray* pieces, CWordArray* kinds,
                              int futureTense, int showMessages);
    // The width of a text's visible notation, stacked parts at the small-text ratio, against its
    // byte length.
    static double GetNotationWidthRatio(const CString& text, int showMessages);
    // The width factor fixed-direction text takes at the command's current angle.
    double GetLayoutWidthRatio(const CString& text, int alignment) const;

private:
    // Multi-command mode: no popup menu and no mode chosen from a menu, so every pattern applies.
    static bool AllPatternsState();
};

// The width factor fixed-direction text takes at an angle, with the current text settings.
double LayoutWidthRatioAt(const CString& text, int alignment, double angle);

// The box corners (bottom-start, bottom-end, top-start, top-end) of a string laid out with the
// current text settings, its notation width and, for fixed-direction text, the font's angle.
void ComputeBoxOfString(const CString& text, CPointD* corners);

// Replaces every TAB by the TAB width setting in spaces; true when a TAB was found.
bool ExpandTabs(CString& text);
