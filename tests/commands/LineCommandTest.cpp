// The line command object: its pattern table, where each token string puts the next letter, what
// a person's inputs make of the token string, the mode and the stored values, and the steps back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ZelkApp.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "input/PickList.h"
#include "input/InputEvent.h"
#include "input/PatternGroup.h"
#include "macro/MacroRecorder.h"
#include "platform/core/WinTypes.h"
#include "tests/support/CommandTape.h"

namespace {

CPointD At(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

TEST(LineCommand, StartsAtItsPatternsWithTheWholeTable)
{
    CCommandTape tape;
    for (CLineCommand* c : { &tape.Line(), &tape.LineInt() }) {
        EXPECT_EQ(c->m_modePattern, c->m_instance == 0 ? "SE" : "#L");
        EXPECT_EQ(c->m_tokenString, "");
        EXPECT_EQ(c->m_defaultLength, 500.0);
        EXPECT_EQ(c->m_editBlock, -1);
        EXPECT_EQ(c->m_editSlot, -1);
        ASSERT_EQ(c->m_patternGroups.GetSize(), 17);
    }
    CLineCommand& line = tape.Line();
    int patterns = 0;
    for (int i = 0; i < line.m_patternGroups.GetSize(); ++i) {
        const auto* group = static_cast<const CPatternGroup*>(line.m_patternGroups[i]);
        patterns += group->patterns.GetSize();
        // Every pattern lies in exactly one group and begins itself in the prefix test.
        for (int j = 0; j < group->patterns.GetSize(); ++j) {
            EXPECT_EQ(line.FindPatternGroup(group->patterns[j]), group) << group->patterns[j].GetString();
            EXPECT_EQ(line.IsPatternPrefix(group->patterns[j]), 1) << group->patterns[j].GetString();
        }
    }
    EXPECT_EQ(patterns, 49);
    const std::vector<std::string> accepted = {
        "SE",  "PAPP", "PAPD", "SANP", "SAND", "SDNA", "SDNP", "SL",  "SNL", "PC",  "BP",  "BAP", "BDD",
        "BADD", "LNP", "LD",   "LND",  "LNAP", "LNAHP", "LP",  "LANP", "LANHP", "CP", "CC",  "APPP", "APPD",
        "DP",  "DAP",  "DLL",  "DLC",  "DCL",  "DCC",  "#L",   "#C",  "#P",  "#SP", "#EP", "#AP", "#DP",
        "#pp", "#pl",  "#pc",  "#lp",  "#ll",  "#lc",  "#cp",  "#cl", "#cc", "#Q",
    };
    ASSERT_EQ(line.m_acceptedPatterns.GetSize(), static_cast<int>(accepted.size()));
    for (size_t i = 0; i < accepted.size(); ++i)
        EXPECT_EQ(line.m_acceptedPatterns[static_cast<int>(i)].Std(), accepted[i]) << i;

    EXPECT_EQ(line.GetGroupLeadPattern("rad_slant"), "LANP");
    EXPECT_EQ(line.GetGroupLeadPattern("cut"), "#pp");
    EXPECT_EQ(line.GetGroupLeadPattern("nothing"), "");
    line.m_tokenString = "LNAHP";
    EXPECT_EQ(line.GetCurrentGroupName(), "rad_slant");
    line.m_tokenString = "LNAH";
    EXPECT_EQ(line.GetCurrentGroupName(), "");
    EXPECT_EQ(line.IsPatternPrefix(""), 1);
    EXPECT_EQ(line.IsPatternPrefix("SX"), 0);
    line.m_modePattern = "#pp";
    EXPECT_EQ(line.HasCutPointAt(1), 1);
    EXPECT_EQ(line.HasCutPointAt(0), 0);
    line.m_modePattern = "SE";
    EXPECT_EQ(line.HasCutPointAt(1), 0);
}

TEST(LineCommand, ClassifiesWhereTheNextLetterGoes)
{
    struct Case {
        const char* tokens;
        int edit, macro;
        int position, single, complete;
    } cases[] = {
        { "", 0, 0, 0, 0, 0 },      { "SE", 0, 0, 0, 0, 1 },    { "BADD", 0, 0, 0, 0, 1 },
        { "LP", 0, 0, 1, 0, 1 },    { "LP", 0, 1, 0, 0, 1 },    { "LANHP", 0, 0, 1, 0, 1 },
        { "P", 0, 0, 1, 1, 0 },     { "B", 0, 0, 1, 1, 0 },     { "DLC", 0, 0, 1, 1, 1 },
        { "DP", 0, 1, 0, 1, 1 },    { "BD", 0, 0, 2, 0, 0 },    { "APP", 0, 0, 3, 0, 0 },
        { "LNAH", 0, 0, 4, 0, 0 },  { "SX", 0, 0, -1, 0, 0 },   { "#", 0, 0, -1, 0, 0 },
        { "#", 1, 0, 1, 0, 0 },     { "#pl", 1, 0, 0, 0, 1 },   { "#S", 1, 0, 2, 0, 0 },
        { "SE", 1, 0, -1, 0, 0 },
    };
    CCommandTape tape;
    CLineCommand& c = tape.Line();
    for (const Case& k : cases) {
        c.m_tokenString = k.tokens;
        c.m_editFlag = k.edit;
        c.m_macroFlag = k.macro;
        int single = -1, complete = -1;
        EXPECT_EQ(c.ClassifyTokens(single, complete), k.position) << k.tokens << " " << k.edit << k.macro;
        EXPECT_EQ(single, k.single) << k.tokens;
        EXPECT_EQ(complete, k.complete) << k.tokens;
    }
}

TEST(LineCommand, AStringThatFitsNothingHasNoNextStepToFillOrConstrain)
{
    CCommandTape tape;
    CLineCommand& c = tape.Line();
    for (const char* tokens : { "SX", "#" }) {
        c.m_tokenString = tokens;
        int restarted = 0, announce = 0;
        EXPECT_EQ(c.AdvanceWithDefaults(restarted, announce), 0) << tokens;
        tape.App().m_pointConstraintMode = 2;
        c.ApplyPointConstraint();
        EXPECT_EQ(c.m_tokenString, tokens);
        EXPECT_EQ(tape.Doc().m_inputMarkFlag, 0) << tokens;
    }
}

TEST(LineCommand, TheLastPointCountsADoublePointOnlyUnderTheLineOption)
{
    CCommandTape tape;
    CLineCommand& c = tape.Line();
    const struct {
        const char* tokens;
        int option, index;
    } cases[] = { { "BAP", 0, 2 }, { "BA", 1, 0 }, { "BA", 0, -1 }, { "LANH", 0, 3 }, { "#p", 0, 1 }, { "", 1, -1 } };
    for (const auto& k : cases) {
        tape.App().m_appCommand.m_lineFlag = k.option;
        c.m_tokenString = k.tokens;
        EXPECT_EQ(c.LastPointTokenIndex(), k.index) << k.tokens << " " << k.option;
    }
}

TEST(LineCommand, EnterKeepsATypedAngleAndStopsAfterFivePasses)
{
    CCommandTape tape;
    CLineCommand& c = tape.Line();
    c.m_modePattern = "APPP";
    c.m_tokenString = "APP";
    c.OnEnter();
    EXPECT_EQ(c.m_tokenString, "A");
    EXPECT_EQ(c.m_savedTokenString, "A");
    c.m_modePattern = "SANP";
    c.m_tokenString = "SAN";
    c.OnEnter();
    EXPECT_EQ(c.m_tokenString, "");

    // Both points constrained to the reference point: every pass gives one more point, the
    // string alternating between "P" and "SE"; the fifth pass leaves "P".
    c.m_modePattern = "SE";
    c.m_inputPoints[0].mode = 2;
    c.m_inputPoints[1].mode = 2;
    c.OnEnter();
    EXPECT_EQ(c.m_tokenString, "P");
    EXPECT_EQ(tape.App().m_lastResultMessage, " 点拘束でステップを進めました");
    EXPECT_EQ(tape.App().m_constraintStepRef, 1);
}

TEST(LineCommand, ResetKeepsTheModeUnlessNoneWasChosenWithoutThePopupMenu)
{
    struct Case {
        int noPopup, fromMenu, instance;
        const char* after;
    } cases[] = {
        { 0, 0, 0, "LP" }, { 1, 1, 0, "LP" }, { 1, 0, 0, "SE" }, { 1, 0, 1, "LP" },
    };
    for (const Case& k : cases) {
        CCommandTape tape;
        tape.App().m_noPopupMenu = k.noPopup;
        tape.App().m_modeFromMenu = k.fromMenu;
        CLineCommand& c = k.instance ? tape.LineInt() : tape.Line();
        c.m_modePattern = "LP";
        c.m_tokenString = "LN";
        c.m_defaultLength = 33;
        c.m_values[1].value = 4;
        c.m_stepOptions[3] = 1;
        c.m_editFlag = 1;
        c.Reset();
        EXPECT_EQ(c.m_modePattern, k.after);
        EXPECT_EQ(c.m_tokenString, "");
        EXPECT_EQ(c.m_values[1].value, 0);
        EXPECT_EQ(c.m_stepOptions[3], 0);
        EXPECT_EQ(c.m_defaultLength, 500.0);
        EXPECT_EQ(c.m_editFlag, 0);
        EXPECT_EQ(c.m_inputPoints[0].point.m_x, tape.Doc().m_basePoint.m_x);
    }
}

class LineTape : public testing::Test {
protected:
    void SetUp() override
    {
        m_tape.AddLine(At(0, 0), At(10, 0));
        m_tape.AddLine(At(0, 20), At(10, 30));
        m_tape.AddCircle(At(50, 50), 5);
    }
    CLineCommand& Line() { return m_tape.Line(); }
    CCommandTape m_tape;
};

TEST_F(LineTape, MenusSetTheConstructionAndPointsPicksAndAnglesFollowIt)
{
    EXPECT_EQ(m_tape.LineMenu("2点線").lineMode, "SE");
    EXPECT_EQ(m_tape.Typed("1,1").lineTokens, "P");
    EXPECT_EQ(m_tape.Typed("5,1").lineTokens, "SE");
    EXPECT_NEAR(Line().m_inputPoints[1].point.m_x, 5, 1e-9);

    // A line menu sets the construction and leaves the string; here each begins afresh.
    Line().Reset();
    m_tape.LineMenu("矩形");
    EXPECT_EQ(m_tape.Typed("2,2").lineTokens, "B");
    EXPECT_EQ(m_tape.Typed("2,2").lineTokens, "");   // the same spot gives nothing
    EXPECT_EQ(m_tape.Typed("2,2").lineTokens, "B");
    EXPECT_EQ(m_tape.Typed("8,6").lineTokens, "BP");

    Line().Reset();
    m_tape.LineMenu("平行線");
    EXPECT_EQ(m_tape.Pick(At(4, 0)).lineTokens, "L");
    EXPECT_EQ(m_tape.Typed("3,7").lineTokens, "LP");
    // The picked line stays: the next point draws another parallel.
    EXPECT_EQ(m_tape.Typed("3,9").lineTokens, "LP");
    EXPECT_EQ(Line().m_inputPoints[1].point.m_y, 9);

    Line().Reset();
    m_tape.LineMenu("通過角度線");
    m_tape.Typed("1,2");
    EXPECT_EQ(m_tape.Typed("30d").lineTokens, "PA");
    EXPECT_EQ(m_tape.Typed("6,2").lineTokens, "PAP");
    const CCommandRow& relative = m_tape.Posted(15, 15);
    EXPECT_EQ(relative.lineTokens, "PA");
    EXPECT_EQ(Line().m_inputPoints[0].point.m_x, Line().m_inputPoints[3].point.m_x);
    EXPECT_EQ(Line().m_inputPoints[0].point.m_x, 6);
    EXPECT_EQ(Line().m_values[1].value, 15);

    // The edit menu sets the interrupting instance's pattern only.
    const CCommandRow& ends = m_tape.LineMenu("端点移動");
    EXPECT_EQ(ends.lineModeInt, "#SP");
    EXPECT_EQ(ends.lineMode, "PAPP");
}

TEST_F(LineTape, RefusalsLeaveTheStringAndSayWhy)
{
    m_tape.LineMenu("2点線");
    const CCommandRow& count = m_tape.Value(5, 4);
    EXPECT_EQ(count.lineTokens, "");
    EXPECT_EQ(count.message, "不適合な入力です");
    EXPECT_EQ(count.beeps, 0);

    Line().m_modePattern = "";
    EXPECT_EQ(m_tape.Posted(5, 10).message, "対応していない入力です");

    // A pick refused in the chamfer leaves its note for the double click that follows it.
    m_tape.LineMenu("面取り");
    const CCommandRow& refused = m_tape.Pick(At(4, 0));
    EXPECT_EQ(refused.lineTokens, "");
    EXPECT_EQ(refused.message, "不適合な入力です");
    EXPECT_EQ(Line().m_refusalNote, 1);
    Line().OnDoubleClick();
    EXPECT_EQ(Line().m_refusalNote, 0);
    // A typed length begins it; then both lines.
    EXPECT_EQ(m_tape.Value(3, 6).lineTokens, "D");
    EXPECT_EQ(m_tape.Pick(At(4, 0)).lineTokens, "DL");
    EXPECT_EQ(Line().m_refusalNote, 0);
}

TEST(LineAutoMode, TheInputsChooseTheConstructionWithoutThePopupMenu)
{
    struct Case {
        const char* first;    // "" none, a typed point "x,y"
        const char* input;    // a typed line, "length", "line", "circle"
        const char* mode;
        const char* tokens;
    } cases[] = {
        { "", "30d", "APPP", "A" },
        { "", "length", "DP", "D" },
        { "", "line", "LP", "L" },
        { "", "circle", "CP", "C" },
        { "70,70", "30d", "SANP", "SAN" },
        { "70,70", "length", "SDNP", "SDN" },
        { "70,70", "circle", "CP", "PC" },
        { "70,70", "line", "LP", "SL" },
    };
    for (const Case& k : cases) {
        CCommandTape tape;
        tape.App().m_noPopupMenu = 1;
        tape.AddLine(At(0, 0), At(10, 0));
        tape.AddCircle(At(50, 50), 5);
        if (*k.first)
            tape.Typed(k.first);
        const std::string input = k.input;
        const CCommandRow& row = input == "line"     ? tape.Pick(At(4, 0))
                                 : input == "circle" ? tape.Pick(At(55, 50))
                                 : input == "length" ? tape.Value(12.5, 6)
                                                     : tape.Typed(k.input);
        EXPECT_EQ(row.lineMode, k.mode) << k.first << " " << k.input;
        EXPECT_EQ(row.lineTokens, k.tokens) << k.first << " " << k.input;
        // One step back undoes the change of mode with the letter.
        const std::string before = *k.first ? "P" : "";
        const CCommandRow& back = tape.Key(VK_SPACE);
        EXPECT_EQ(back.lineMode, "SE") << k.first << " " << k.input;
        EXPECT_EQ(back.lineTokens, before) << k.first << " " << k.input;
    }
}

TEST(LineAutoMode, APointOnThePickedCircleIsOneTangentLine)
{
    CCommandTape tape;
    tape.App().m_noPopupMenu = 1;
    tape.AddCircle(At(50, 50), 5);
    tape.Typed("50,55");
    const CCommandRow& row = tape.Pick(At(55, 50));
    EXPECT_EQ(row.lineMode, "SANP");
    EXPECT_EQ(row.lineTokens, "SAN");
    CLineCommand& c = tape.Line();
    EXPECT_EQ(c.m_values[2].value, 1.0);
    EXPECT_NEAR(c.m_values[1].value, 180.0, 1e-9);   // the direction from the centre, 90, plus 90
    EXPECT_NEAR(tape.Doc().m_absAngle, 180.0, 1e-9);
    EXPECT_EQ(tape.Doc().m_workMode, 1);
}

TEST(LineAutoMode, TheSameLinePickedAgainAsksForAnInclinedLine)
{
    CCommandTape tape;
    tape.App().m_noPopupMenu = 1;
    tape.AddLine(At(0, 0), At(10, 0));
    tape.AddLine(At(0, 20), At(10, 30));
    tape.Pick(At(4, 0));
    EXPECT_EQ(tape.Pick(At(2, 25)).lineMode, "LP");   // another line changes nothing
    const CCommandRow& other = tape.Rows().back();
    EXPECT_EQ(other.lineTokens, "L");
    const CCommandRow& same = tape.Pick(At(3, 23));
    EXPECT_EQ(same.lineMode, "LANP");
    EXPECT_EQ(same.lineTokens, "LAN");
    EXPECT_EQ(tape.Key(VK_SPACE).lineMode, "LP");
}

TEST(LineAutoMode, APointGivenByEnterNeverChoosesAndTheFlagIsCleared)
{
    for (int fromEnter : { 1, 0 }) {
        CCommandTape tape;
        tape.App().m_noPopupMenu = 1;
        tape.Line().m_modePattern = "DP";
        tape.App().m_pointFromEnter = fromEnter;
        const CCommandRow& row = tape.Typed("3,3");
        EXPECT_EQ(row.lineMode, fromEnter ? "DP" : "SE") << fromEnter;
        EXPECT_EQ(tape.App().m_pointFromEnter, 0) << fromEnter;
    }
    // A mode chosen from the menu chooses nothing, except that two points become a path line when
    // an angle relative to the system follows.
    CCommandTape tape;
    tape.App().m_noPopupMenu = 1;
    tape.LineMenu("連続長さ線");
    EXPECT_EQ(tape.Typed("30d").lineMode, "DP");
    tape.LineMenu("2点線");
    tape.Typed("4,4");
    const CCommandRow& path = tape.Posted(10, 15);
    EXPECT_EQ(path.lineMode, "PAPP");
    EXPECT_EQ(path.lineTokens, "PA");
}

TEST_F(LineTape, TypedValuesBecomeTheDrawingsCurrentValues)
{
    CZelkDoc& doc = m_tape.Doc();
    doc.m_relAngle = 15;
    m_tape.LineMenu("始点角度線/角度放射線");
    m_tape.Typed("1,1");
    const CCommandRow& angle = m_tape.Value(30, 11);
    EXPECT_EQ(angle.lineTokens, "SAN");
    EXPECT_EQ(Line().m_values[1].value, 45.0);
    EXPECT_EQ(doc.m_curAngle, 30.0);
    EXPECT_EQ(angle.result, " (角度) ");
    // An angle typed again replaces the angle; the string stays.
    EXPECT_EQ(m_tape.Value(10, 12).lineTokens, "SAN");
    EXPECT_EQ(Line().m_values[1].value, 55.0);
    EXPECT_EQ(m_tape.Rows().back().result, " ( 40 度)");
    doc.m_relAngle = 0;

    Line().Reset();
    m_tape.LineMenu("始点長さ線/長さ放射線");
    m_tape.Typed("1,1");
    doc.m_previewValue = 20;
    const CCommandRow& length = m_tape.Value(5, 7);
    EXPECT_EQ(length.lineTokens, "SDN");
    EXPECT_EQ(Line().m_values[1].value, 25.0);
    EXPECT_EQ(length.result, " ( 長さ 25 )");
    EXPECT_EQ(doc.m_previewValue, 25.0);
    // A count far past the integer range is held at its end.
    const CCommandRow& count = m_tape.Value(1e12, 4);
    EXPECT_EQ(count.lineTokens, "SDN");
    EXPECT_EQ(doc.m_workMode, 2147483647);

    // A line picked near its end gives its direction reversed, near its start its own.
    Line().Reset();
    m_tape.LineMenu("連続角度線");
    m_tape.Typed("30d");
    m_tape.Pick(At(9, 0));
    EXPECT_EQ(Line().m_values[0].value, 180.0);
    EXPECT_EQ(m_tape.Rows().back().result, " 設定した角度は 180 です");
    m_tape.Pick(At(1, 0));
    EXPECT_EQ(Line().m_values[0].value, 0.0);
    EXPECT_EQ(Line().m_tokenString, "A");
}

TEST_F(LineTape, AnInclinedLineTakesTheNormalOfThePickedLine)
{
    const CCommandRow& row = m_tape.LineMenu("傾斜線/垂線/傾斜放射線");
    EXPECT_EQ(row.lineMode, "LANP");
    const CCommandRow& picked = m_tape.Pick(At(4, 24));
    EXPECT_EQ(picked.lineTokens, "LAN");
    EXPECT_NEAR(Line().m_values[1].value, 135.0, 1e-9);
    EXPECT_EQ(Line().m_values[2].value, 1.0);
    EXPECT_NEAR(m_tape.Doc().m_curAngle, 45.0, 1e-9);
    EXPECT_EQ(m_tape.Doc().m_workMode, 1);
    // A point on the picked line is its start.
    EXPECT_EQ(m_tape.Typed("2,22").lineTokens, "LANH");
}

TEST_F(LineTape, DefaultsAdvanceTheStep)
{
    CLineCommand& c = Line();
    CZelkDoc& doc = m_tape.Doc();
    c.m_inputPoints[1].SetPoint(At(3, 4));
    c.m_inputPoints[1].SetFlags(0x02);
    const CCommandRow& advanced = m_tape.Typed("1,1");
    EXPECT_EQ(advanced.lineTokens, "SE");
    EXPECT_EQ(advanced.result, " 既定点でステップを進めました");
    EXPECT_EQ(doc.m_basePoint.m_x, 3);
    EXPECT_EQ(doc.m_basePoint.m_y, 4);
    c.ClearStepMarks();
    EXPECT_EQ(c.m_inputPoints[1].flags, 0);

    // A count the macro player placed for position 2 of "SA".
    c.Reset();
    c.m_macroFlag = 1;
    c.m_macroPattern = "SANP";
    c.m_tokenString = "SA";
    c.m_values[2].flag = 4;
    c.m_values[2].value = 3;
    int restarted = 0, announce = 0;
    EXPECT_EQ(c.AdvanceWithDefaults(restarted, announce), 1);
    EXPECT_EQ(c.m_tokenString, "SAN");
    EXPECT_EQ(m_tape.App().m_lastResultMessage, " マクロの既定数値でステップを進めました");
    EXPECT_EQ(doc.m_workMode, 3);
    EXPECT_EQ(restarted, 0);
}

TEST_F(LineTape, ACutPointAndTheConstraintMarkOfTheNextStep)
{
    CLineCommand& c = Line();
    c.m_inputPoints[1].mode = 3;
    m_tape.Typed("2,3");
    CZelkDoc& doc = m_tape.Doc();
    EXPECT_EQ(c.m_tokenString, "P");
    EXPECT_EQ(doc.m_inputMarkFlag, 1);
    EXPECT_EQ(doc.m_inputMarkPos.m_x, 2);
    EXPECT_EQ(m_tape.App().m_constraintStepX, 1);
    EXPECT_EQ(doc.m_inputPoint.mode, 3);

    // The point constraint chosen for the next point: at the reference point it advances at once.
    m_tape.App().m_pointConstraintMode = 2;
    c.ApplyPointConstraint();
    EXPECT_EQ(c.m_tokenString, "SE");
    EXPECT_EQ(m_tape.App().m_lastResultMessage, " 点拘束でステップを進めました");
}

TEST_F(LineTape, StepBackNamesWhatStaysAndTurnsALoneStartBackIntoAPoint)
{
    m_tape.LineMenu("始点角度線/角度放射線");
    m_tape.Typed("1,1");
    m_tape.Typed("30d");
    EXPECT_EQ(Line().m_tokenString, "SAN");
    const CCommandRow& first = m_tape.Key(VK_SPACE);
    EXPECT_EQ(first.lineTokens, "SA");
    EXPECT_EQ(first.message, "ステップは 角度 を設定したところまで戻しました");
    const CCommandRow& second = m_tape.Key(VK_SPACE);
    EXPECT_EQ(second.lineTokens, "P");
    EXPECT_EQ(second.lineMode, "SE");
    EXPECT_EQ(second.message, "ステップは 点 を設定したところまで戻しました");
}

TEST_F(LineTape, StepBackOverAConstrainedPointReleasesItAndKeepsTheTentativeElements)
{
    // The interrupting instance with nothing entered ends its mode.
    m_tape.LineInt().StepBack(1);
    EXPECT_EQ(m_tape.App().m_lastMessage, "割り込みの円弧作図モードを解除しました");

    for (int constrained : { 1, 0 }) {
        CCommandTape tape;
        CLineCommand& c = tape.Line();
        tape.Typed("1,1");
        std::int16_t b = -1, s = -1;
        tape.Doc().m_creationLog->AddLine(At(20, 0), At(30, 0), 1, b, s, 0, 0);
        if (constrained)
            c.m_inputPoints[0].mode = c.m_savedInputPoints[0].mode = 2;
        const CCommandRow& back = tape.Key(VK_SPACE);
        EXPECT_EQ(back.lineTokens, "") << constrained;
        EXPECT_EQ(back.message, constrained ? "点の拘束を解除し、ステップを戻しました"
                                            : "ステップは コマンド を設定したところまで戻しました");
        EXPECT_EQ(c.m_inputPoints[0].mode, 1) << constrained;
        EXPECT_EQ(tape.Doc().m_creationLog->m_logged != 0, constrained == 1) << constrained;
    }
}

TEST_F(LineTape, EditPicksAndTheClickBeforeADoubleClick)
{
    CLineCommand& c = Line();
    const struct {
        const char* mode;
        const char* tokens;
        int editPick;
    } cases[] = { { "#L", "#", 1 }, { "#pp", "#p", 1 }, { "#pp", "#pl", 0 }, { "DLL", "DL", 1 },
                  { "DLL", "D", 0 }, { "LP", "L", 0 } };
    for (const auto& k : cases) {
        c.m_modePattern = k.mode;
        c.m_tokenString = k.tokens;
        EXPECT_EQ(c.IsEditPick(), k.editPick) << k.mode << " " << k.tokens;
    }
    c.m_editFlag = 0;
    c.m_modePattern = "LP";
    c.m_tokenString = c.m_savedTokenString = "L";
    c.UndoClickBeforeDoubleClick();
    EXPECT_EQ(c.m_tokenString, "");
    c.m_tokenString = c.m_savedTokenString = "LP";
    c.UndoClickBeforeDoubleClick();
    EXPECT_EQ(c.m_tokenString, "LP");
}

TEST_F(LineTape, TheCreationEnvironmentIsPutBack)
{
    const struct {
        int saved;
        const char* result;
    } cases[] = {
        { 1, " 選択要素の環境で作成するモードに戻しました。" },
        { 2, " 参照要素の環境で作成するモードに戻しました。" },
        { 0, "" },
    };
    for (const auto& k : cases) {
        m_tape.App().m_lastResultMessage = "";
        Line().m_savedCreationMode = static_cast<std::int16_t>(k.saved);
        Line().RestoreCreationMode();
        EXPECT_EQ(m_tape.App().m_appElem.m_creationEnv, k.saved);
        EXPECT_EQ(m_tape.App().m_lastResultMessage, k.result);
    }
}

TEST_F(LineTape, RecordingMarksTheValuesOfARadialLine)
{
    CMacroRecorder& recorder = *m_tape.App().m_macroRecorder;
    recorder.m_recording = 1;
    m_tape.LineMenu("始点角度線/角度放射線");
    recorder.m_pendingStepText = "start";
    m_tape.Typed("1,1");
    m_tape.Typed("30d");
    CLineCommand& c = Line();
    ASSERT_EQ(c.m_stepTexts.GetSize(), 1);
    EXPECT_EQ(c.m_stepTexts[0], "start");
    ASSERT_EQ(c.m_stepValueFlags.GetSize(), 3);
    EXPECT_EQ(c.m_stepValueFlags[2], 2);
    // A count typed for "SAN" is not recorded as a value.
    m_tape.Value(4, 4);
    EXPECT_EQ(c.m_stepValueFlags[2], 0);
}

TEST(LineLetters, AMacroPatternLeadsTheLetters)
{
    struct Case {
        const char* pattern;
        const char* tokens;
        const char* letter;
        int accepted;
        const char* after;
        const char* letterAfter;
    } cases[] = {
        { "SANP", "", "", 1, "S", "" },         // the start event
        { "SANP", "S", "A", 1, "SA", "A" },
        { "SANP", "S", "D", 1, "SA", "A" },     // a number where an angle is expected is the angle
        { "SANP", "SA", "D", 1, "SAN", "N" },
        { "SANP", "SA", "L", 0, "SA", "L" },
        { "SANP", "SAN", "L", 1, "SAN", "L" },  // an angle source keeps the string
        { "#pl", "", "#", 1, "#", "#" },
        { "LP", "", "P", 0, "", "P" },
        { "DLL", "D", "C", 0, "D", "C" },
        { "", "", "P", 0, "", "P" },
    };
    for (const Case& k : cases) {
        CCommandTape tape;
        CLineCommand& c = tape.Line();
        c.m_macroFlag = 1;
        c.m_macroPattern = k.pattern;
        c.m_modePattern = k.pattern;
        c.m_tokenString = k.tokens;
        CString letter = k.letter;
        EXPECT_EQ(c.AcceptMacroToken(letter), k.accepted) << k.pattern << " " << k.tokens << " " << k.letter;
        EXPECT_EQ(c.m_tokenString, k.after) << k.pattern << " " << k.tokens << " " << k.letter;
        EXPECT_EQ(letter, k.letterAfter) << k.pattern << " " << k.tokens << " " << k.letter;
        if (std::string(k.pattern) == "DLL") {
            EXPECT_EQ(tape.App().m_lastMessage, "不適合な入力です。");
            EXPECT_EQ(c.m_refusalNote, 1);
        }
        if (std::string(k.pattern) == "#pl") {
            EXPECT_EQ(c.m_modePattern, "#pp");
        }
        // The interactive acceptance takes nothing while the macro drives the command.
        CString again = "P";
        EXPECT_EQ(c.AcceptToken(again), 0);
    }
    const struct {
        const char* letter;
        char expected;
        int fits;
        const char* after;
    } letters[] = { { "P", 'H', 1, "P" }, { "p", 'P', 0, "p" }, { "PA", 'A', 1, "PA" }, { "L", 'l', 1, "l" },
                    { "C", 'c', 1, "c" }, { "c", 'c', 1, "c" }, { "Q", 'Q', 1, "Q" },  { "A", 'D', 0, "A" },
                    { "P", 'x', 0, "P" } };
    for (const auto& k : letters) {
        CString x = k.letter;
        EXPECT_EQ(CLineCommand::FitsExpectedLetter(x, k.expected), k.fits) << k.letter << k.expected;
        EXPECT_EQ(x, k.after) << k.letter << k.expected;
    }
}

TEST(LineEdit, TheFirstInputOfAnEditChoosesItsModeAndThePointItsEnd)
{
    struct Case {
        int kind, subCode;
        double x;            // the base point (x, 0), or the typed value
        const char* mode;
        const char* tokens;
    } cases[] = {
        { 3, 11, 30, "#AP", "#A" }, { 3, 6, 5, "#DP", "#D" }, { 4, 18, 3, "#pp", "#p" },
        { 4, 0, 0, "#SP", "#S" },   { 4, 0, 10, "#EP", "#E" }, { 4, 0, 3, "#P", "#P" },
        { 11, 0, 0, "#Q", "#Q" },
    };
    for (const Case& k : cases) {
        CCommandTape tape;
        CZelkDoc& doc = tape.Doc();
        tape.App().m_noPopupMenu = 1;
        tape.AddLine(At(0, 0), At(10, 0));
        CLineCommand& edit = tape.LineInt();
        edit.m_editFlag = 1;
        edit.m_editBlock = static_cast<std::int16_t>(doc.m_lineBlocks.GetSize() - 1);
        edit.m_editSlot = 0;
        edit.OnInput(9, 0);
        ASSERT_EQ(edit.m_tokenString, "#");
        doc.SetBasePoint(At(k.x, 0), At(k.x, 0));
        doc.m_inputEvent->value = k.x;
        edit.OnInput(k.kind, k.subCode);
        EXPECT_EQ(edit.m_modePattern, k.mode) << k.kind << "/" << k.subCode << " " << k.x;
        EXPECT_EQ(edit.m_tokenString, k.tokens) << k.kind << "/" << k.subCode << " " << k.x;
        EXPECT_EQ(edit.m_autoSavedTokenString, "#") << k.kind << "/" << k.subCode << " " << k.x;
    }
    // Moving the start keeps the end that stays as the step's point.
    CCommandTape tape;
    tape.AddLine(At(0, 0), At(10, 0));
    CLineCommand& edit = tape.LineInt();
    edit.m_editFlag = 1;
    edit.m_editBlock = static_cast<std::int16_t>(tape.Doc().m_lineBlocks.GetSize() - 1);
    edit.m_editSlot = 0;
    edit.m_modePattern = "#SP";
    edit.OnInput(9, 0);
    tape.Doc().SetBasePoint(At(0, 0), At(0, 0));
    edit.OnInput(4, 0);
    EXPECT_EQ(edit.m_tokenString, "#S");
    EXPECT_EQ(edit.m_inputPoints[1].point.m_x, 10);
    // Without an edited line the edit takes nothing.
    edit.Reset();
    edit.m_editFlag = 1;
    edit.m_editBlock = -1;
    edit.OnInput(9, 0);
    EXPECT_EQ(edit.m_tokenString, "");
}

TEST_F(LineTape, TabOverCandidatesAndTheReleaseOfAConstraint)
{
    CLineCommand& c = Line();
    m_tape.App().m_noPopupMenu = 1;
    m_tape.Typed("60,60");
    EXPECT_EQ(m_tape.Pick(At(55, 50)).lineTokens, "PC");
    // The next candidate is the first line: the point and the line make a parallel through it.
    CZelkDoc& doc = m_tape.Doc();
    doc.m_pickList->SetSingleCandidate(0, 0, 0, ELEM_LINE);
    doc.m_pickList->m_current = 0;
    c.OnNextCandidateElement();
    EXPECT_EQ(c.m_tokenString, "SL");
    EXPECT_EQ(c.m_pickedLines[1].m_end.m_x, 10);

    // A point constrained to the reference point is released and the step goes back.
    c.Reset();
    m_tape.Typed("1,1");
    c.m_inputPoints[0].mode = 2;
    m_tape.App().m_constraintStepRef = 1;
    c.ReleasePointConstraint();
    EXPECT_EQ(c.m_tokenString, "");
    EXPECT_EQ(c.m_inputPoints[0].mode, 1);
    EXPECT_EQ(m_tape.App().m_constraintStepRef, 0);
    EXPECT_EQ(m_tape.App().m_lastMessage, "点の拘束を解除し、ステップを戻しました");
}

} // namespace
