// The text command object of a drawing: one main and one interrupting instance. The document's
// text adders read the text being placed, its angle and its box from here.
#pragma once

#include "commands/CommandKeyOps.h"

#include "geometry/PointD.h"
#include "input/InputPoint.h"
#include "macro/Quantity.h"
#include "platform/core/Arrays.h"
#include "platform/core/String.h"

class CZelkDoc;

class CTextCommand : public CCommandKeyOps {
public:
    const char* PickLetters() const override { return "LCTK#"; }
    double m_dragLength = 0.0;   // the length of the last right drag
    CZelkDoc* m_doc;
    int m_instance;           // 0 main, 1 interrupting
    CString m_modePattern;    // the input pattern the command starts with
    CString m_string;         // the text being placed
    CString m_editText;       // the string of the text being edited
    double m_angle;           // degrees
    CPointD m_box[4];         // box corners relative to the anchor: bottom-start, bottom-end,
                              // top-start, top-end
    int m_pendingText;
    // The step points, their copy taken before each step, and the typed values.
    CInputPoint m_savedInputPoints[5];
    CInputPoint m_inputPoints[5];
    CQuantity m_values[5];
    int m_imeOpen = 0;        // the input method was open when a text window last lost the focus

    CTextCommand(CZelkDoc* doc, int instance);
    virtual ~CTextCommand() = default;

    // The input entry: the input router hands each input event of the command here; the
    // payload is in the drawing's input event.
    virtual void OnInput(int kind, int subCode);
    int m_lastInputKind = 0;       // the last event handed to the command
    int m_lastInputSubCode = 0;

    // Cancels the command back to its mode pattern.

    void Reset() {}
    // Whether a plain typed number counts as a length for the next step, and the guidance of
    // the current pattern; both come with the command's own handling.
    void UpdateLengthInputFlag() {}
    void ShowGuidance() {}

    // The box of the text being placed, for a given string with the current text settings;
    // showNotationMessages tells of notation markers that do not come three to a set.
    void ComputeBoxForString(const CString& text, int showNotationMessages = 0);
    // The box again, from the command's string.
    void UpdateTextBox(int showNotationMessages);
    // The four corners of a text laid out with the given font, size, alignment and width factor.
    void SetTextBox(const LOGFONT& font, int width10, int height10, int alignment,
                    const CString& text, double ratio);

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
};

// The width factor fixed-direction text takes at an angle, with the current text settings.
double LayoutWidthRatioAt(const CString& text, int alignment, double angle);

// The box corners (bottom-start, bottom-end, top-start, top-end) of a string laid out with the
// current text settings, its notation width and, for fixed-direction text, the font's angle.
void ComputeBoxOfString(const CString& text, CPointD* corners);

// Replaces every TAB by the TAB width setting in spaces; true when a TAB was found.
bool ExpandTabs(CString& text);
