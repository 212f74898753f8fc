// What the drawing document reads from the application object and its settings, in one place:
// messages, the document counter, folders, the creation pen and text settings, the selection
// and color settings, the active view. The document reaches the application only through here.
#pragma once

#include <cstdint>

#include "geometry/PointD.h"
#include "geometry/RectD.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CAppText;
class CTextCommand;
class CZelkDoc;
class CZelkView;

// Clears every reference the application holds to the drawing (only those pointing to it),
// the plug-ins' exchange block included.
void DocForgetDocument(CZelkDoc* doc);
// The text windows tied to a drawing that goes: a window hands its lines to its drawing when it
// closes, and closing every window at the end closes the drawing first.
void DocForgetInTextWindows(const CZelkDoc* doc);
// The exchange block's copy of the active drawing's write layer.
void DocSetUserAppWriteLayer(short layer);

// The response message on the active view's message line, with a beep first when asked.
void DocShowMessage(const CString& text, int beep);
// TRUE when this run looks after the recovery files of the program folder: one running instance
// per program folder holds that lock, and the others neither write, remove nor restore them.
BOOL DocOwnsRecoveryFiles();
// In context-help mode: opens the help page (relative to the program folder), leaves the mode
// and returns 1; otherwise 0.
int DocOpenHelpIfArmed(const char* page);
// Registers the clipboard format of drawings once per run; the number is kept in
// g_zelkClientFormat.
void DocRegisterClientFormat();
// Opens a drawing file (kind 2 native, 4 DXF) with the application's drawing opener, which
// takes the last empty drawing; without an application the file is read into `doc`. The
// drawing that holds the file, or none when it could not be read.
CZelkDoc* DocOpenDrawingFile(CZelkDoc* doc, const CString& path, const CString& name, int kind);
// Empties the application's current prompt text.
void DocClearPrompt();
// The line width of the element-creation settings (tenths of a millimetre).
void DocSetCreationLineWidth(short width);
// The application's document counter; it is incremented.
WORD DocNextNumber();
CString DocProgramFolder();
CString DocDataFolder();
CRectD DocInitialArea();

struct DocPenValues {
    std::int32_t lineType;
    std::int16_t width;
    COLORREF color;
    std::uint8_t blurCount;
    std::uint8_t blurRate;
    std::int32_t blurMode;
};
// The pen of the element-creation settings.
DocPenValues DocCreationPen();
// The current text settings.
const CAppText& DocTextSettings();
// The first layout ratio of the text settings: the underline's distance per character height.
double DocUnderlineRatio();
int DocTabWidth();

// Group-selection settings for plain groups and for the dimension kinds.
int DocGroupSelection();
int DocDimensionSelection();

COLORREF DocStandardColor(int i);   // i in 0..13
COLORREF DocDefaultColor();

// 7 while an interrupting text command runs.
int DocInterruptingKind();
CZelkView* DocActiveView();
int DocMarkSize();
COLORREF DocBasePointColor();

// The application's view mapping used when the drawing is rendered as an OLE server item: the
// rectangle to fill (pixels), and where the fit stores its origin, zoom and scroll offsets.
RECT DocServerItemRect();
void DocSetServerItemView(const CPointD& origin, double zoom);
void DocSetServerItemScroll(int x, int y);
