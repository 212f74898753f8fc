// The command tape: a case is a few rows fed to a drawing's commands the way a person gives them
// (a command start, a sub-mode menu item by title, clicks and picks at world points, typed
// lines, values with the sub-code their typed line gets, typed texts and texts chosen in the
// input combo, double clicks, keys, the constraint buttons and code), and each row reads back
// what the circle, line, point, text and dimension command objects and the application show
// afterwards. Clicks enter through the view's button handlers at the pixel
// the window shows the world point at, so the view maps them back, notes the press view and
// lays the pick rectangle itself; typed lines enter through the input bar's Enter path, so the
// line parser gives the sub-codes and the echo, and the guidance and preview are refreshed as
// after Enter. The tape has no main frame.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "geometry/PointD.h"
#include "platform/core/WinTypes.h"
#include "tests/support/InputTape.h"
#include "view/SubModeTable.h"

class CCircleCommand;
class CDimCommand;
class CLine;
class CLineCommand;
class CPointCommand;
class CTextCommand;

// What one row left behind.
struct CCommandRow {
    std::string what;
    std::string tokens;        // the main circle instance
    std::string mode;
    std::string tokensInt;     // the interrupting circle instance
    std::string modeInt;
    std::string lineTokens;    // the main line instance
    std::string lineMode;
    std::string lineTokensInt; // the interrupting line instance
    std::string lineModeInt;
    std::string pointTokens;   // the main point instance
    std::string pointMode;
    std::string pointTokensInt; // the interrupting point instance
    std::string pointModeInt;
    std::string loopTokens;    // the loop command
    std::string loopMode;
    int loopState = 0;         // its extraction state
    std::string textTokens;    // the main text instance
    std::string textMode;
    std::string textTokensInt; // the interrupting text instance
    std::string textModeInt;
    std::string groupTokens;   // the application's group processor
    std::string groupMode;
    int groupMove = 0;         // its move flag
    int groupPreset = 0;       // its preset flag
    int boxSelection = 0;      // the application's box-selection flag
    int groupProcessing = 0;   // the drawing's group-processing flag
    std::string dimTokens;     // the main dimension instance
    std::string dimMode;
    std::string dimTokensInt;  // the interrupting dimension instance
    std::string dimModeInt;
    std::string prompt;
    std::string hint;
    std::string message;       // the message line as the application keeps it
    std::string result;        // the last result message
    int beeps = 0;
    int preview = 0;           // the drawing's preview kind
    int elements = 0;
    int undoSteps = 0;
    std::string undoKinds;     // the kinds of the undo steps, in order ("1 3")
    std::string timers;        // the ids of the main frame's running timers ("13")
    std::vector<std::string> listing;   // ListElements of the drawing
};

// Every live element of a drawing in block order, one line each: kind, geometry at 6 decimals,
// layer, group, role and pen (a text: its font and string); every live group with its kind,
// parent and members in order (kind:block:slot); then how many elements are retired.
std::vector<std::string> ListElements(const CZelkDoc& doc);

class CCommandTape {
public:
    CCommandTape();
    ~CCommandTape();
    CCommandTape(const CCommandTape&) = delete;
    CCommandTape& operator=(const CCommandTape&) = delete;

    CInputTape& Tape() { return m_tape; }
    CZelkApp& App() { return m_tape.App(); }
    CZelkDoc& Doc() { return m_tape.Doc(); }
    CCircleCommand& Circle();
    CCircleCommand& CircleInt();
    CLineCommand& Line();
    CLineCommand& LineInt();
    CPointCommand& Point();
    CPointCommand& PointInt();
    CTextCommand& Text();
    CTextCommand& TextInt();
    CDimCommand& Dim();
    CDimCommand& DimInt();

    // Elements to pick, on the drawing's default layer with one pen.
    void AddLine(CPointD a, CPointD b);
    void AddCircle(CPointD centre, double radius);

    // A command code of the view (305 circle, 306 arc, 211 point constraint ...).
    const CCommandRow& Code(int code);
    // A sub-mode menu item by its title: the circle and arc creations, then the edits; a title
    // no circle or arc item has is looked up among the DIMENSION items.
    const CCommandRow& Menu(const char* title, int arcMenu = 0);
    // An item of the LINE or E_LINE sub-menu by its title.
    const CCommandRow& LineMenu(const char* title);
    // An item of the POINT or E_POINT sub-menu by its title.
    const CCommandRow& PointMenu(const char* title);
    // An item of the LOOP sub-menu by its title.
    const CCommandRow& LoopMenu(const char* title);
    // An item of the TEXT or E_TEXT sub-menu by its title.
    const CCommandRow& TextMenu(const char* title);
    // An item of the DRAG menu of group processing by its title.
    const CCommandRow& GroupMenu(const char* title);
    // A typed line confirmed with Enter: "x,y" a point (sub-code 17), "30d" an angle, "++5" a
    // relative number, "12.5" a plain number (2), "5n" a count.
    const CCommandRow& Typed(const char* line);
    // A value typed with the suffix that makes the parser give it the sub-code (0 and 2 plain,
    // 3 relative, 4 count, 5 relative count, 6 length, 7 relative length, 11 angle,
    // 12 relative angle, 13 relative ratio, 14 ratio).
    const CCommandRow& Value(double value, int subCode);
    // A value the program posts on its own with a sub-code no typed line gives (15, the current
    // angle the parser adds after a point typed into a path line), followed by the refresh the
    // input box runs after Enter.
    const CCommandRow& Posted(double value, int subCode);
    // A text typed and confirmed in the input bar's text list, as the bar posts it (kind 5),
    // followed by the refresh the input box runs after Enter.
    const CCommandRow& PostedText(const char* text);
    // A text chosen in the input combo (or the box's text as it is edited), as its notifications
    // hand it to the application.
    const CCommandRow& ChooseText(const char* text);
    // A constraint button of the view by its title: 点拘束, 横拘束, 縦拘束, 点拘束解除. Each sets
    // the constraint mode before its code 211; Code(211) alone leaves the mode as it was.
    const CCommandRow& Constraint(const char* title);
    // A right click: the point the search finds about the world point; with ctrl the cut-mode
    // point (sub-code 18).
    const CCommandRow& RightClick(CPointD world, bool ctrl = false);
    // A left click that picks the element about the world point; with ctrl a Ctrl pick.
    const CCommandRow& Pick(CPointD world, bool ctrl = false);
    // Right and left double clicks: down, up, double click, up, at one pixel.
    const CCommandRow& RightDouble(CPointD world);
    const CCommandRow& LeftDouble(CPointD world);
    const CCommandRow& Key(int virtualKey, bool shift = false);
    // A box selection: the left button pressed at one corner, dragged to the other and
    // released there.
    const CCommandRow& Box(CPointD corner1, CPointD corner2);
    // The pointer moved over the view to a world point.
    const CCommandRow& Move(CPointD world);
    // An input event as a producer posts it without payload (an execute request: 10).
    const CCommandRow& Event(int kind, int subCode);

    // Held in a deque: a row a test keeps stays valid while later rows are added.
    const std::deque<CCommandRow>& Rows() const { return m_rows; }

    // The drawing written as a native file and read back into a fresh drawing: its listing.
    std::vector<std::string> ListAfterRoundTrip();

private:
    // A sub-mode menu item of the object by its title.
    const CCommandRow& SubModeMenu(CSubMode::Object object, const char* title);
    template <class Action>
    const CCommandRow& Row(const std::string& what, Action action);
    // The client pixel whose world point, as the view maps it, lies nearest the world point.
    CPoint PixelAt(CPointD world);
    // The pointer moved to the pixel first, as a hand brings it there.
    void MoveTo(CPoint pixel);
    const CTapeStep& TypeLine(const std::string& line);
    // Down, up, the double click, up at one pixel.
    const CTapeStep& DoubleClick(CPointD world, bool left);

    CInputTape m_tape;
    std::deque<CCommandRow> m_rows;
};
