// The circle command object: its pattern table, where each token string puts the next letter,
// and what a person's inputs make of the token string, the mode and the stored values.
#include <gtest/gtest.h>

#include <string>

#include "app/ZelkApp.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "input/InputEvent.h"
#include "macro/MacroRecorder.h"
#include "input/PatternGroup.h"
#include "tests/support/CommandTape.h"

namespace {

CPointD At(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

int Occurrences(const std::string& text, const std::string& part)
{
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++n;
    return n;
}

TEST(CircleCommand, StartsAtItsPatternsWithTheWholeTable)
{
    CCommandTape tape;
    CCircleCommand& main = tape.Circle();
    CCircleCommand& edit = tape.CircleInt();
    EXPECT_EQ(main.m_modePattern, "PP");
    EXPECT_EQ(main.m_tokenString, "");
    EXPECT_EQ(main.m_savedTokenString, "");
    EXPECT_EQ(main.m_defaultLength, 10.0);
    EXPECT_EQ(edit.m_modePattern, "");
    EXPECT_EQ(edit.m_lastCircleEditPattern, "%PP");
    EXPECT_EQ(edit.m_lastArcEditPattern, "#P");
    EXPECT_EQ(edit.m_editBlock, -1);
    EXPECT_EQ(edit.m_editSlot, -1);

    ASSERT_EQ(main.m_patternGroups.GetSize(), 19);
    int patterns = 0;
    for (int i = 0; i < main.m_patternGroups.GetSize(); ++i) {
        const auto* group = static_cast<const CPatternGroup*>(main.m_patternGroups[i]);
        patterns += group->patterns.GetSize();
        // Every pattern lies in exactly one group, and the lists hold each once.
        for (int j = 0; j < group->patterns.GetSize(); ++j)
            EXPECT_EQ(main.FindGroupOfPattern(group->patterns[j]), group) << group->patterns[j].GetString();
    }
    EXPECT_EQ(patterns, 148);
    ASSERT_EQ(main.m_creationPatterns.GetSize(), 104);
    ASSERT_EQ(main.m_circleEditPatterns.GetSize(), 44);
    EXPECT_EQ(main.m_creationPatterns[0], "PD");
    EXPECT_EQ(main.m_creationPatterns[103], "&V");
    EXPECT_EQ(main.m_circleEditPatterns[0], "%D");
    EXPECT_EQ(main.m_circleEditPatterns[43], "%JR");
    EXPECT_EQ(edit.m_patternGroups.GetSize(), 19);

    EXPECT_EQ(main.GetGroupLeadPattern("tantantan"), "LLL");
    EXPECT_EQ(main.GetGroupLeadPattern("move"), "#SP");
    EXPECT_EQ(main.GetGroupLeadPattern("nothing"), "");
    main.m_tokenString = "NPAD";
    EXPECT_EQ(main.GetCurrentGroupName(), "poly");
    main.m_tokenString = "NPA";
    EXPECT_EQ(main.GetCurrentGroupName(), "");
    main.m_tokenString = "DLP";
    EXPECT_EQ(main.GetLastPointTokenIndex(), 2);
    main.m_tokenString = "DLL";
    EXPECT_EQ(main.GetLastPointTokenIndex(), -1);
    main.m_tokenString = "#p";
    EXPECT_EQ(main.GetLastPointTokenIndex(), 1);
}

TEST(CircleCommand, ClassifiesWhereTheNextLetterGoes)
{
    struct Case {
        const char* tokens;
        int edit, macro;
        const char* mode;
        int position, single, complete;
    } cases[] = {
        { "", 0, 0, "PP", 0, 0, 0 },
        { "BSE", 0, 0, "PP", 0, 0, 1 },
        { "P", 0, 0, "PP", 1, 1, 0 },
        { "DLC", 0, 0, "PP", 1, 1, 1 },
        { "DLC", 0, 1, "PP", 0, 1, 1 },
        { "DNP", 0, 0, "PP", 2, 1, 1 },
        { "DNAP", 0, 0, "PP", 3, 1, 1 },
        { "LH", 0, 0, "PP", 2, 0, 0 },
        { "NPA", 0, 0, "PP", 3, 0, 0 },
        { "PD%", 0, 0, "PP", 3, 0, 0 },
        { "PD%PP", 0, 0, "PP", 0, 0, 1 },
        { "DP%PP", 0, 0, "PP", 1, 0, 1 },
        { "DP%L", 0, 0, "PP", 4, 0, 0 },
        { "NAPD", 0, 0, "NPP", 2, 1, 1 },
        { "NPD", 0, 0, "NPP", 1, 1, 1 },
        { "NPD", 0, 1, "NPP", 0, 1, 1 },
        { "NPD", 0, 0, "PP", 0, 0, 1 },
        { "#", 1, 0, "#P", 1, 0, 0 },
        { "#S", 1, 0, "#SP", 2, 0, 0 },
        { "&V", 1, 0, "&V", 0, 0, 1 },
        { "#lA", 1, 0, "#pp", 0, 0, 1 },
        { "#", 0, 0, "PP", -1, 0, 0 },
        { "XQ", 0, 0, "PP", -1, 0, 0 },
    };
    CCommandTape tape;
    CCircleCommand& c = tape.Circle();
    for (const Case& k : cases) {
        c.m_tokenString = k.tokens;
        c.m_editFlag = k.edit;
        c.m_macroFlag = k.macro;
        c.m_modePattern = k.mode;
        int single = -1, complete = -1;
        EXPECT_EQ(c.ClassifyTokens(single, complete), k.position) << k.tokens;
        EXPECT_EQ(single, k.single) << k.tokens;
        EXPECT_EQ(complete, k.complete) << k.tokens;
    }
}

class CircleTape : public testing::Test {
protected:
    void SetUp() override { m_tape.Code(305); }
    CCommandTape m_tape;
};

TEST_F(CircleTape, TangentPointsAndTheSpotOfADoublePoint)
{
    m_tape.AddLine(At(0, 0), At(10, 0));
    m_tape.Menu("３要素接円～３点円");
    EXPECT_EQ(m_tape.Circle().m_modePattern, "LLL");
    EXPECT_EQ(m_tape.App().m_modeFromMenu, 1);
    EXPECT_EQ(m_tape.Pick(At(3, 0)).tokens, "L");
    EXPECT_EQ(m_tape.Typed("5,0").tokens, "LH");
    // A second point on the same line replaces the tangent point.
    EXPECT_EQ(m_tape.Typed("7,0").tokens, "LH");
    EXPECT_EQ(m_tape.Circle().m_inputPoints[1].point.m_x, 7);

    m_tape.Menu("３要素接円～３点円");
    EXPECT_EQ(m_tape.Circle().m_tokenString, "");
    EXPECT_EQ(m_tape.Typed("20,20").tokens, "B");
    EXPECT_EQ(m_tape.Typed("20,20").tokens, "BS");
    const CCommandRow& last = m_tape.Typed("30,20");
    EXPECT_EQ(last.tokens, "BSE");
    EXPECT_EQ(last.beeps, 0);
    EXPECT_EQ(m_tape.Circle().GetCurrentGroupName(), "tantantan");
}

TEST_F(CircleTape, PolygonModesRestartTheirPrefix)
{
    m_tape.AddLine(At(0, 0), At(10, 0));
    m_tape.Menu("連続半径多角形");
    m_tape.Typed("10");
    m_tape.Value(5, 4);
    EXPECT_EQ(m_tape.Typed("3,3").tokens, "DNP");
    EXPECT_EQ(m_tape.Value(6, 4).tokens, "DN");
    EXPECT_EQ(m_tape.Doc().m_workMode, 6);

    m_tape.Menu("多角形");
    m_tape.Value(5, 4);
    m_tape.Typed("4,4");
    EXPECT_EQ(m_tape.Pick(At(2, 0)).tokens, "NPA");
    // Picked in its first half, the line gives its own direction as the vertex angle.
    EXPECT_EQ(m_tape.Circle().m_values[2].value, 0);
    EXPECT_EQ(m_tape.Rows().back().result, " 設定した角度は 0 です");
}

TEST_F(CircleTape, ACirclePickedFirstStandsForItsCentre)
{
    m_tape.AddCircle(At(20, 20), 5);
    m_tape.AddCircle(At(20, 20), 8);
    const CCommandRow& first = m_tape.Pick(At(25, 20));
    EXPECT_EQ(first.mode, "PP");
    EXPECT_EQ(first.tokens, "P");
    CCircleCommand& c = m_tape.Circle();
    EXPECT_EQ(c.m_circleCentreFlag, 1);
    EXPECT_EQ(c.m_inputPoints[0].point.m_x, 20);
    EXPECT_EQ(c.m_inputPoints[0].point.m_y, 20);
    EXPECT_EQ(m_tape.Doc().m_previewValue, 5);
    // A concentric circle leaves the string as it is.
    const CCommandRow& second = m_tape.Pick(At(28, 20));
    EXPECT_EQ(second.tokens, "P");
    EXPECT_EQ(second.message.find("対応していない"), std::string::npos);
    // The pointer moving over the view changes none of it.
    const CCommandRow& moved = m_tape.Move(At(30, 25));
    EXPECT_EQ(moved.tokens, "P");
    EXPECT_EQ(moved.mode, "PP");
}

TEST(CircleAutoMode, TheFirstInputChoosesTheModeWithoutThePopupMenu)
{
    struct Case {
        const char* input;   // a typed line, "line", "circle", or "count N"
        const char* mode;
        const char* tokens;
        int concentric;
    } cases[] = {
        { "30d", "APP", "A", 0 },
        { "12.5", "DP", "D", 0 },
        { "line", "LLL", "L", 0 },
        { "circle", "PP", "P", 1 },
        { "count 5", "NPP", "N", 0 },
    };
    for (const Case& k : cases) {
        CCommandTape tape;
        tape.App().m_noPopupMenu = 1;
        tape.AddLine(At(0, 0), At(10, 0));
        tape.AddCircle(At(30, 30), 5);
        tape.Code(305);
        const std::string input = k.input;
        const CCommandRow& row = input == "line"     ? tape.Pick(At(4, 0))
                                 : input == "circle" ? tape.Pick(At(35, 30))
                                 : input == "count 5" ? tape.Value(5, 4)
                                                      : tape.Typed(k.input);
        EXPECT_EQ(row.mode, k.mode) << k.input;
        EXPECT_EQ(row.tokens, k.tokens) << k.input;
        EXPECT_EQ(tape.Circle().m_concentricFlag, k.concentric) << k.input;
    }
}

TEST(CircleAutoMode, AFewCornersEndThePolygonUnlessChosenFromTheMenu)
{
    for (double count : { 0.0, 1.0, -1.0, 2.0, -2.0, 2.9 }) {
        CCommandTape tape;
        tape.App().m_noPopupMenu = 1;
        tape.Code(305);
        tape.Value(5, 4);
        const CCommandRow& end = tape.Value(count, 4);
        EXPECT_EQ(end.mode, "PP") << count;
        EXPECT_EQ(end.tokens, "") << count;
        EXPECT_EQ(tape.Doc().m_workMode, 5) << count;
        EXPECT_EQ(end.beeps, 0) << count;
    }
    CCommandTape tape;
    tape.App().m_noPopupMenu = 1;
    tape.Code(305);
    tape.Menu("多角形");
    const CCommandRow& stored = tape.Value(-2, 4);
    EXPECT_EQ(stored.mode, "NPP");
    EXPECT_EQ(stored.tokens, "N");
    EXPECT_EQ(tape.Circle().m_values[0].value, 3);
    EXPECT_EQ(stored.result, "多角形の角数は 3 以上、または -3 以下の値にしてください");
    EXPECT_EQ(stored.beeps, 1);
    // A count far past the integer range is held at its end, not taken for a small one.
    EXPECT_EQ(tape.Value(1e12, 4).tokens, "N");
    EXPECT_EQ(tape.Doc().m_workMode, 2147483647);
}

TEST_F(CircleTape, TypedValuesAndTheRadiusModes)
{
    m_tape.Menu("連続半径円");
    EXPECT_EQ(m_tape.Circle().m_tokenString, "D");
    m_tape.Typed("20");
    const CCommandRow& relative = m_tape.Typed("++5");
    EXPECT_EQ(relative.tokens, "D");
    EXPECT_EQ(m_tape.Circle().m_values[0].value, 25);
    EXPECT_EQ(m_tape.Circle().m_defaultLength, 25);
    EXPECT_EQ(relative.result, " ( 長さ 25 )");

    m_tape.AddLine(At(0, 0), At(10, 0));
    m_tape.Menu("多角形");
    m_tape.Value(5, 4);
    const CCommandRow& angle = m_tape.Pick(At(9, 0));
    EXPECT_EQ(angle.tokens, "NA");
    EXPECT_EQ(m_tape.Circle().m_values[1].value, 180);
    EXPECT_EQ(angle.result, " 設定した角度は 180 です");

    EXPECT_EQ(m_tape.Menu("連続半径接円/2点円").tokens, "D");
    const CCommandRow& point = m_tape.Typed("40,40");
    EXPECT_EQ(point.mode, "DP");
    EXPECT_EQ(point.tokens, "DP");
    const CCommandRow& twice = m_tape.RightDouble(At(40, 40));
    EXPECT_EQ(twice.mode, "DLL");
    EXPECT_EQ(twice.tokens, "DB");
}

TEST_F(CircleTape, RefusalsLeaveTheStringAndSayWhy)
{
    m_tape.Menu("３要素接円～３点円");
    const CCommandRow& count = m_tape.Value(5, 4);
    EXPECT_EQ(count.tokens, "");
    EXPECT_EQ(count.message, "不適合な入力です");
    EXPECT_EQ(count.beeps, 0);

    // A relative ratio makes an "R", which no pattern begins with.
    m_tape.Circle().m_modePattern = "";
    const CCommandRow& letterR = m_tape.Value(5, 13);
    EXPECT_EQ(letterR.tokens, "");
    EXPECT_EQ(letterR.message, "対応していない入力です");

    m_tape.Menu("連続半径接円/2点円");
    EXPECT_EQ(m_tape.Value(5, 4).message, "不適合な入力です");
    EXPECT_EQ(m_tape.Circle().m_refusalNote, 1);
    EXPECT_EQ(m_tape.Circle().m_tokenString, "D");
}

TEST_F(CircleTape, AMacroPatternLeadsTheLetters)
{
    m_tape.AddLine(At(0, 0), At(10, 0));
    CCircleCommand& c = m_tape.Circle();
    c.m_macroFlag = 1;
    c.m_macroPattern = "DLL";
    EXPECT_EQ(m_tape.Event(10, 0).tokens, "D");
    EXPECT_EQ(m_tape.Pick(At(3, 0)).tokens, "DL");
    // A typed point's echo would cover the message line: the point is clicked.
    const CCommandRow& refused = m_tape.RightClick(At(5, 5));
    EXPECT_EQ(refused.tokens, "DL");
    EXPECT_EQ(refused.message, "不適合な入力です。");
    EXPECT_EQ(c.m_refusalNote, 1);
}

TEST(CircleLetters, MacroLettersFitWhatThePatternExpects)
{
    struct Case {
        const char* letter;
        char expected;
        int fits;
        const char* after;
    } cases[] = {
        { "p", 'P', 1, "p" }, { "PA", 'A', 1, "PA" }, { "A", 'R', 1, "R" }, { "P", 'p', 1, "p" },
        { "L", 'l', 1, "l" }, { "C", 'c', 1, "c" },   { "A", 'J', 1, "A" },  { "L", 'C', 0, "L" },
        { "D", 'D', 1, "D" }, { "P", 'x', 0, "P" },
    };
    for (const Case& k : cases) {
        CString x = k.letter;
        EXPECT_EQ(CCircleCommand::FitsExpectedLetter(x, k.expected), k.fits) << k.letter << k.expected;
        EXPECT_EQ(x, k.after) << k.letter << k.expected;
    }
}

TEST_F(CircleTape, DefaultsAdvanceTheStep)
{
    CCircleCommand& c = m_tape.Circle();
    CZelkDoc& doc = m_tape.Doc();
    // A default point of the macro player for the next step.
    c.m_inputPoints[1].SetPoint(At(3, 4));
    c.m_inputPoints[1].SetFlags(0x02);
    // Clicked, not typed: a typed point's echo comes after the command's own message.
    const CCommandRow& advanced = m_tape.RightClick(At(1, 1));
    EXPECT_EQ(advanced.tokens, "PP");
    EXPECT_EQ(advanced.message, "既定点でステップを進めました");
    EXPECT_EQ(doc.m_basePoint.m_x, 3);
    EXPECT_EQ(doc.m_basePoint.m_y, 4);

    // The same under a macro, which follows its own pattern.
    c.Reset();
    c.m_macroFlag = 1;
    c.m_macroPattern = "PP";
    c.m_inputPoints[1].SetPoint(At(6, 8));
    c.m_inputPoints[1].SetFlags(0x02);
    EXPECT_EQ(m_tape.RightClick(At(1, 1)).message, "マクロの既定点でステップを進めました");
    EXPECT_EQ(c.m_tokenString, "PP");
    c.ClearStepMarks();
    EXPECT_EQ(c.m_inputPoints[1].flags, 0);

    // A preset angle: Enter takes it as the first step.
    c.Reset();
    c.m_modePattern = "APP";
    c.m_values[0].flag = 11;
    c.m_values[0].value = 30;
    c.OnEnter();
    EXPECT_EQ(c.m_tokenString, "A");
    // The rubber band of the angle speaks after the default's own message.
    EXPECT_EQ(m_tape.App().m_lastMessage, "ダミーのラバー円を表示しました");
    EXPECT_EQ(doc.m_previewKind, 30);
    EXPECT_EQ(doc.m_curAngle, 30);

    // A step point constrained to the reference point.
    c.Reset();
    c.m_modePattern = "PP";
    c.m_inputPoints[0].mode = 2;
    m_tape.App().m_lastMessage = "";
    c.OnEnter();
    EXPECT_EQ(c.m_tokenString, "P");
    EXPECT_EQ(m_tape.App().m_lastMessage, "点拘束でステップを進めました");
    EXPECT_EQ(m_tape.App().m_constraintStepRef, 1);
}

TEST_F(CircleTape, EnterRestartsFromTheRadiusAndStopsAfterSixPasses)
{
    CCircleCommand& c = m_tape.Circle();
    c.m_modePattern = "DP";
    c.m_tokenString = "DLC";
    c.m_inputPoints[1].mode = 2;
    c.m_values[0].value = 7;
    m_tape.App().m_lastMessage = "";
    c.OnEnter();
    EXPECT_EQ(c.m_tokenString, "DP");
    EXPECT_EQ(c.m_savedTokenString, "DP");
    // Every pass completes the string again and makes its circle; the passes end at six.
    const std::string shown = m_tape.App().m_lastMessage.GetString();
    EXPECT_EQ(Occurrences(shown, "点拘束でステップを進めました"), 6) << shown;
    EXPECT_EQ(Occurrences(shown, " 中心･半径の円を作成しました"), 6) << shown;
    // No input closes the operation between the passes: each circle replaces the one before.
    EXPECT_EQ(m_tape.Doc().m_undoHistory->GetStepCount(), 1);
    EXPECT_EQ(ListElements(m_tape.Doc()).size(), 2u);

    c.m_tokenString = "LLC";
    c.m_inputPoints[1].mode = 1;
    c.OnEnter();
    EXPECT_EQ(c.m_tokenString, "");
}

TEST(CircleReset, KeepsTheModeUnlessNoneWasChosenWithoutThePopupMenu)
{
    struct Case {
        int noPopup, fromMenu, instance;
        const char* after;
    } cases[] = {
        { 0, 0, 0, "LLL" }, { 1, 1, 0, "LLL" }, { 1, 0, 0, "PP" }, { 1, 0, 1, "LLL" },
    };
    for (const Case& k : cases) {
        CCommandTape tape;
        tape.App().m_noPopupMenu = k.noPopup;
        tape.App().m_modeFromMenu = k.fromMenu;
        CCircleCommand& c = k.instance ? tape.CircleInt() : tape.Circle();
        c.m_modePattern = "LLL";
        c.m_tokenString = "LH";
        c.m_defaultLength = 33;
        c.m_values[1].value = 4;
        c.m_stepOptions[3] = 1;
        c.Reset();
        EXPECT_EQ(c.m_modePattern, k.after);
        EXPECT_EQ(c.m_tokenString, "");
        EXPECT_EQ(c.m_values[1].value, 0);
        EXPECT_EQ(c.m_stepOptions[3], 0);
        EXPECT_EQ(c.m_defaultLength, 33);
        EXPECT_EQ(c.m_inputPoints[0].point.m_x, tape.Doc().m_basePoint.m_x);
    }
}

TEST_F(CircleTape, AnArcEditTakesTheEndItIsGivenAt)
{
    CZelkDoc& doc = m_tape.Doc();
    CPointD range;
    range.Init(0, 90);
    CArcs* block = doc.AddArc(At(0, 0), 10, range, 0, doc.FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
    CCircleCommand& edit = m_tape.CircleInt();
    // The edit dispatcher's hand-over, then the edit entry.
    edit.m_editFlag = 1;
    edit.m_editClass = 0;
    edit.m_modePattern = "#SP";
    edit.OnInput(9, 0);
    EXPECT_EQ(edit.m_tokenString, "");
    for (int b = 0; b < doc.m_arcBlocks.GetSize(); ++b) {
        if (doc.m_arcBlocks[b] == block) {
            edit.m_editBlock = static_cast<std::int16_t>(b);
            edit.m_editSlot = static_cast<std::int16_t>(block->m_count - 1);
        }
    }
    edit.OnInput(9, 0);
    EXPECT_EQ(edit.m_tokenString, "#");
    doc.SetBasePoint(At(10, 0), At(10, 0));
    edit.OnInput(4, 0);
    EXPECT_EQ(edit.m_tokenString, "#S");
    // The start moves; the step keeps the end that stays where it is.
    EXPECT_NEAR(edit.m_inputPoints[1].point.m_x, 0, 1e-9);
    EXPECT_NEAR(edit.m_inputPoints[1].point.m_y, 10, 1e-9);
    int single = 0, complete = 0;
    EXPECT_EQ(edit.ClassifyTokens(single, complete), 2);

    // An ellipse ratio: the current ratio changes, the current count does not.
    edit.m_modePattern = "#JP";
    edit.m_tokenString = "#J";
    doc.m_workMode = 7;
    doc.m_inputEvent->value = 0.5;
    edit.OnInput(3, 13);
    EXPECT_EQ(edit.m_tokenString, "#JR");
    EXPECT_EQ(edit.m_values[2].value, 0.5);
    EXPECT_EQ(doc.m_workFactor, 0.5);
    EXPECT_EQ(doc.m_workMode, 7);
}

TEST_F(CircleTape, AConstrainedNextStepShowsItsMark)
{
    CCircleCommand& c = m_tape.Circle();
    c.m_inputPoints[1].mode = 3;
    m_tape.Typed("2,3");
    CZelkDoc& doc = m_tape.Doc();
    EXPECT_EQ(c.m_tokenString, "P");
    EXPECT_EQ(doc.m_inputMarkFlag, 1);
    EXPECT_EQ(doc.m_inputMarkPos.m_x, 2);
    EXPECT_EQ(doc.m_inputMarkPos.m_y, 3);
    EXPECT_EQ(m_tape.App().m_constraintStepX, 1);
    EXPECT_EQ(m_tape.App().m_constraintStepY, 0);
    // The shared point input follows the step waiting for its point.
    EXPECT_EQ(doc.m_inputPoint.mode, 3);
}

TEST_F(CircleTape, RecordingMarksTheStepsOfARelativeDoublePoint)
{
    CMacroRecorder& recorder = *m_tape.App().m_macroRecorder;
    recorder.m_recording = 1;
    recorder.m_pendingStepText = "first";
    m_tape.Typed("1,1");
    CCircleCommand& c = m_tape.Circle();
    ASSERT_EQ(c.m_stepTexts.GetSize(), 1);
    EXPECT_EQ(c.m_stepTexts[0], "first");
    EXPECT_EQ(c.m_stepValueFlags[0], 0);
    EXPECT_EQ(recorder.m_pendingStepText, "");
    EXPECT_EQ(c.m_recorderPointFlag, 1);
    // A double point after a recorded point is recorded relative: the point step is marked.
    c.m_modePattern = "BB";
    m_tape.Event(12, 0);
    EXPECT_EQ(c.m_tokenString, "B");
    EXPECT_EQ(c.m_stepValueFlags[0], 1);
    EXPECT_EQ(m_tape.App().m_relativeRecording, 0);
}

TEST(CommandTapeListing, ADrawingListsTheSameAfterWritingAndReading)
{
    CCommandTape tape;
    tape.AddLine(At(0, 0), At(10, 0.5));
    tape.AddCircle(At(-3, 4), 2.25);
    CPointD range;
    range.Init(350, 450);
    tape.Doc().AddArc(At(1, 1), 3, range, 0, tape.Doc().FindOrAddPen(0, 2, RGB(255, 0, 0), 0, 70));
    const std::vector<std::string> listed = ListElements(tape.Doc());
    ASSERT_EQ(listed.size(), 4u);
    EXPECT_EQ(listed[0], "line 0.000000,0.000000 10.000000,0.500000 layer 0 group -1 role 0 pen 0");
    EXPECT_EQ(listed[3], "retired 0");
    EXPECT_EQ(tape.ListAfterRoundTrip(), listed);
}

TEST(CircleAutoMode, TheFirstInputOfAnEditChoosesItsMode)
{
    struct Case {
        const char* tokens;
        int kind, subCode;
        double x;          // the base point (x, 0), or the typed value
        const char* mode;
    } cases[] = {
        { "#", 3, 11, 30, "#A" },  { "#", 3, 6, 5, "#D" },    { "#", 3, 15, 30, "#JP" }, { "#", 4, 18, 3, "#pp" },
        { "#", 4, 0, 10, "#SP" },  { "#", 4, 0, -10, "#EP" }, { "#", 4, 0, 3, "#P" },    { "#", 11, 0, 0, "#Q" },
        { "%", 3, 11, 30, "%AA" }, { "%", 3, 6, 5, "%D" },    { "%", 3, 15, 30, "%JP" }, { "%", 4, 18, 3, "%pp" },
        { "%", 4, 0, 3, "%PP" },   { "%", 11, 0, 0, "%Q" },
    };
    for (const Case& k : cases) {
        CCommandTape tape;
        CZelkDoc& doc = tape.Doc();
        tape.App().m_noPopupMenu = 1;
        CPointD range;
        range.Init(0, 180);
        CArcs* block = doc.AddArc(At(0, 0), 10, range, 0, doc.FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
        CCircleCommand& edit = tape.CircleInt();
        edit.m_editFlag = 1;
        edit.m_editClass = k.tokens[0] == '#' ? 0 : 1;
        edit.m_editBlock = static_cast<std::int16_t>(doc.m_arcBlocks.GetSize() - 1);
        edit.m_editSlot = static_cast<std::int16_t>(block->m_count - 1);
        edit.m_tokenString = k.tokens;
        doc.SetBasePoint(At(k.x, 0), At(k.x, 0));
        doc.m_inputEvent->value = k.x;
        edit.OnInput(k.kind, k.subCode);
        EXPECT_EQ(edit.m_modePattern, k.mode) << k.tokens << " " << k.kind << "/" << k.subCode << " " << k.x;
        EXPECT_EQ(edit.m_autoSavedTokenString, k.tokens);
    }
}

TEST(CircleMenus, ChooseTheConstructionOrTheEditPattern)
{
    CCommandTape tape;
    tape.App().m_appCommand.popupMenuType = 1;
    // The popup type switches the drawing to the circle command first; the radius stands at once.
    const CCommandRow& radius = tape.Menu("連続半径円弧", 1);
    EXPECT_EQ(tape.App().m_commandKind, 4);
    EXPECT_EQ(radius.mode, "DP");
    EXPECT_EQ(radius.tokens, "D");
    EXPECT_EQ(tape.Circle().m_values[0].value, 10);
    EXPECT_EQ(tape.App().m_lengthInputMain, 1);

    const CCommandRow& polygon = tape.Menu("多角形", 1);
    EXPECT_EQ(polygon.mode, "NPP");
    EXPECT_EQ(polygon.tokens, "");
    // A plain number is a count here, not a length.
    EXPECT_EQ(tape.App().m_lengthInputMain, 0);

    tape.App().m_appElem.m_layerCondition = 0;
    const CCommandRow& ends = tape.Menu("端点延短", 1);
    EXPECT_EQ(ends.modeInt, "#P");
    EXPECT_EQ(tape.CircleInt().m_lastArcEditPattern, "#P");
    EXPECT_EQ(tape.Doc().m_lineCmdInt->m_modePattern, "#L");
    EXPECT_EQ(tape.App().m_appElem.m_layerCondition, 1);
    // The main instance's construction is left as it was.
    EXPECT_EQ(ends.mode, "NPP");
    const CCommandRow& toArc = tape.Menu("円弧化");
    EXPECT_EQ(toArc.modeInt, "%PP");
    EXPECT_EQ(tape.CircleInt().m_lastCircleEditPattern, "%PP");
    EXPECT_EQ(tape.CircleInt().m_lastArcEditPattern, "#P");
    EXPECT_EQ(toArc.listing, std::vector<std::string>{ "retired 0" });
}

} // namespace
