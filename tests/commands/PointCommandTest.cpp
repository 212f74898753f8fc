// The point command object: the divided points as a person gives them, the divisions themselves,
// the counts, the move of a point in a group, the step routines it shares and its guidance.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/ZelkApp.h"
#include "commands/line/PointCommand.h"
#include "document/CreationLog.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/DataPoint.h"
#include "elements/DataPoints.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "input/PointSearch.h"
#include "macro/MacroRecorder.h"
#include "platform/core/Services.h"
#include "platform/core/WinTypes.h"
#include "tests/support/CommandTape.h"

namespace {

CPointD At(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

// The places of the live points of a listing, "x,y" at six decimals.
std::vector<std::string> PointsOf(const std::vector<std::string>& listing)
{
    std::vector<std::string> points;
    for (const std::string& line : listing) {
        if (line.rfind("point ", 0) != 0)
            continue;
        const size_t end = line.find(" layer");
        points.push_back(line.substr(6, end - 6));
    }
    return points;
}

std::string Xy(double x, double y)
{
    char text[96];
    std::snprintf(text, sizeof text, "%.6f,%.6f", std::fabs(x) < 5e-7 ? 0.0 : x, std::fabs(y) < 5e-7 ? 0.0 : y);
    return text;
}

class PointTape : public testing::Test {
protected:
    void SetUp() override
    {
        m_tape.App().m_appCommand.m_pointFlag = 1;
        m_tape.Code(301);
    }
    CPointCommand& Point() { return m_tape.Point(); }
    CCommandTape m_tape;
};

TEST_F(PointTape, DividedPointsKeepTheirCountAndMakeOneUndoStepPerDivision)
{
    const CCommandRow& menu = m_tape.PointMenu("分割点");
    EXPECT_EQ(menu.pointMode, "NPP");
    EXPECT_EQ(menu.pointTokens, "N");
    EXPECT_EQ(menu.prompt, "[分割点] 【分割数(2)】 【第１点|線分|円(弧)】 第２点");

    const CCommandRow& first = m_tape.Typed("0,0");
    EXPECT_EQ(first.pointTokens, "NP");
    EXPECT_EQ(first.prompt, "[分割点] 分割数 第１点 【第２点】");

    const CCommandRow& divided = m_tape.Typed("10,0");
    EXPECT_EQ(PointsOf(divided.listing), (std::vector<std::string>{ Xy(0, 0), Xy(5, 0), Xy(10, 0) }));
    EXPECT_EQ(divided.undoKinds, "1");

    EXPECT_EQ(m_tape.Typed("20,0").pointTokens, "NP");   // the count stays
    const CCommandRow& again = m_tape.Typed("30,0");
    EXPECT_EQ(PointsOf(again.listing), (std::vector<std::string>{ Xy(0, 0), Xy(5, 0), Xy(10, 0), Xy(20, 0),
                                                                  Xy(25, 0), Xy(30, 0) }));
    EXPECT_EQ(again.undoKinds, "1 1");

    EXPECT_EQ(m_tape.Value(4, 4).pointTokens, "N");
    EXPECT_EQ(Point().m_values[0].value, 4.0);
}

TEST(PointCommand, WithoutThePointFlagAPointAfterADivisionIsRefused)
{
    CCommandTape tape;
    tape.App().m_appCommand.m_pointFlag = 0;
    tape.Code(301);
    tape.PointMenu("分割点");
    tape.Typed("0,0");
    EXPECT_EQ(tape.Typed("10,0").pointTokens, "NPP");
    const CCommandRow& refused = tape.RightClick(At(20, 0));
    EXPECT_EQ(refused.message, "不適合な入力です");
    EXPECT_EQ(refused.pointTokens, "NPP");
    EXPECT_EQ(PointsOf(refused.listing).size(), 3u);
    // A count starts again.
    EXPECT_EQ(tape.Value(3, 4).pointTokens, "N");
}

// The points a division of the token string adds to a fresh drawing.
struct CDivision {
    const char* name;
    const char* tokens;
    double count;
    std::vector<std::string> points;
};

std::vector<std::string> Divide(CCommandTape& tape, const char* tokens, double count)
{
    CPointCommand& c = tape.Point();
    c.m_tokenString = tokens;
    c.m_values[0].value = count;
    c.m_inputPoints[1].SetBoth(At(0, 0));
    c.m_inputPoints[2].SetBoth(At(10, 0));
    c.m_pickedLines[1].m_start = At(2, 2);
    c.m_pickedLines[1].m_end = At(2, 8);
    EXPECT_EQ(c.Execute(), 1) << tokens;
    return PointsOf(ListElements(tape.Doc()));
}

TEST(PointCommand, DividesTwoPointsALineACircleAndAnArc)
{
    const double r = 10;
    auto polar = [&](double degrees) {
        const double a = degrees * 3.14159265358979323846 / 180.0;
        return Xy(r * std::cos(a), r * std::sin(a));
    };
    const CDivision cases[] = {
        { "one part", "NPP", 1, { Xy(0, 0), Xy(10, 0) } },
        { "zero as one", "NPP", 0, { Xy(0, 0), Xy(10, 0) } },
        { "2.9 as 2", "NPP", 2.9, { Xy(0, 0), Xy(5, 0), Xy(10, 0) } },
        { "a negative count", "NPP", -2, {} },
        { "a line from start to end", "NL", 3, { Xy(2, 2), Xy(2, 4), Xy(2, 6), Xy(2, 8) } },
        { "a full circle", "NC", 4, { polar(0), polar(90), polar(180), polar(270), polar(360) } },
        { "an arc", "NC", 3, { polar(30), polar(60), polar(90), polar(120) } },
        // Through 0°: along its own sweep, not the part outside it.
        { "an arc through 0°", "NC", 2, { polar(330), polar(0), polar(30) } },
    };
    for (const CDivision& k : cases) {
        CCommandTape tape;
        CArc& arc = tape.Point().m_pickedArcs[1];
        arc.m_radius = r;
        arc.m_startAngle = std::string(k.name) == "a full circle" ? 0 : std::string(k.name) == "an arc" ? 30 : 330;
        arc.m_endAngle = std::string(k.name) == "a full circle" ? 360 : std::string(k.name) == "an arc" ? 120 : 30;
        EXPECT_EQ(Divide(tape, k.tokens, k.count), k.points) << k.name;
        // One undo step, even for no point at all.
        EXPECT_EQ(tape.Doc().m_undoHistory->m_steps.size(), 1u) << k.name;
    }
}

TEST(PointCommand, DivisionsAreEqualStepsWithBothEndsAndCirclePointsOnTheRadius)
{
    for (int n = 1; n <= 9; ++n) {
        CCommandTape tape;
        CPointCommand& c = tape.Point();
        const CPointD a = At(-3.5 * n, 7), b = At(11, -2.25 * n);
        c.m_tokenString = "NPP";
        c.m_values[0].value = n;
        c.m_inputPoints[1].SetBoth(a);
        c.m_inputPoints[2].SetBoth(b);
        c.Execute();
        CArc& arc = c.m_pickedArcs[1];
        arc.m_centre = At(4, -6);
        arc.m_radius = 2.5 * n;
        arc.m_startAngle = 10.0 * n;
        arc.m_endAngle = 10.0 * n + 35.0 * n;
        c.m_tokenString = "NC";
        c.Execute();

        std::vector<CPointD> points;
        for (int i = 0; i < tape.Doc().m_pointBlocks.GetSize(); ++i) {
            const auto* block = static_cast<const CDataPoints*>(tape.Doc().m_pointBlocks[i]);
            for (int s = 0; s < block->m_count; ++s)
                points.push_back(block->m_slots[s].m_position);
        }
        ASSERT_EQ(points.size(), static_cast<size_t>(2 * (n + 1))) << n;
        EXPECT_NEAR(points[0].m_x, a.m_x, 1e-9);
        EXPECT_NEAR(points[n].m_y, b.m_y, 1e-9);
        for (int i = 1; i <= n; ++i) {
            EXPECT_NEAR(points[i].m_x - points[i - 1].m_x, (b.m_x - a.m_x) / n, 1e-9) << n;
            EXPECT_NEAR(points[i].m_y - points[i - 1].m_y, (b.m_y - a.m_y) / n, 1e-9) << n;
        }
        const auto radius = [&](const CPointD& p) { return std::hypot(p.m_x - 4, p.m_y + 6); };
        const double chord0 = std::hypot(points[n + 2].m_x - points[n + 1].m_x, points[n + 2].m_y - points[n + 1].m_y);
        for (int i = n + 1; i < 2 * (n + 1); ++i) {
            EXPECT_NEAR(radius(points[i]), 2.5 * n, 1e-9) << n;
            if (i > n + 1) {
                EXPECT_NEAR(std::hypot(points[i].m_x - points[i - 1].m_x, points[i].m_y - points[i - 1].m_y), chord0,
                            1e-9);
            }
        }
        EXPECT_NEAR(points[2 * n + 1].m_x, arc.PointAtAngle(arc.m_endAngle).m_x, 1e-9);
    }
}

TEST(PointCommand, ANewLayerPerDivisionOrTheWriteLayerKept)
{
    for (int condition : { 0, 2 }) {
        CCommandTape tape;
        CZelkDoc& doc = tape.Doc();
        // The write layer holds a line, so that no empty layer is there to be taken as new.
        tape.AddLine(At(0, 0), At(1, 1));
        tape.App().m_appElem.m_layerCondition = static_cast<signed char>(condition);
        const std::int16_t before = doc.m_writeLayer;
        const int layers = doc.m_layers.GetSize();
        Divide(tape, "NPP", 2);
        const std::int16_t first = doc.m_writeLayer;
        Divide(tape, "NPP", 2);
        if (condition == 2) {
            EXPECT_EQ(doc.m_layers.GetSize(), layers + 2);
            EXPECT_NE(first, before);
            EXPECT_NE(doc.m_writeLayer, first);
            EXPECT_EQ(doc.m_writeLayer, doc.m_layers.GetSize() - 1);
            EXPECT_EQ(tape.App().m_lastMessage, "新レイヤに作成モードで新レイヤを作りました");
        } else {
            EXPECT_EQ(doc.m_layers.GetSize(), layers);
            EXPECT_EQ(doc.m_writeLayer, before);
        }
    }
}

TEST_F(PointTape, CountsTypedIncrementallyOrPlainAndWhilePointsAreAwaited)
{
    m_tape.PointMenu("分割点");
    m_tape.Doc().m_workMode = 4;
    const CCommandRow& added = m_tape.Value(3, 5);
    EXPECT_EQ(Point().m_values[0].value, 7.0);
    EXPECT_EQ(added.result, " ( 数 7 )");
    EXPECT_EQ(m_tape.Doc().m_workMode, 7);
    const CCommandRow& plain = m_tape.Value(3, 4);
    EXPECT_EQ(Point().m_values[0].value, 3.0);
    EXPECT_EQ(plain.result, "");
    EXPECT_EQ(m_tape.Doc().m_workMode, 3);

    m_tape.Typed("0,0");
    EXPECT_EQ(m_tape.Value(5, 4).pointTokens, "NP");
    EXPECT_EQ(Point().m_values[0].value, 5.0);
    // A count far out of range is held at the integer range.
    m_tape.Value(1e300, 4);
    EXPECT_EQ(m_tape.Doc().m_workMode, 2147483647);
}

TEST(PointCommand, EveryPatternAppliesWithoutThePopupMenuButALineFirstIsRefused)
{
    CCommandTape tape;
    tape.AddLine(At(0, 0), At(10, 0));
    tape.App().m_noPopupMenu = 1;
    tape.Code(301);
    tape.App().m_modeFromMenu = 0;
    CPointCommand& c = tape.Point();
    c.m_modePattern = "P";
    const CCommandRow& refused = tape.Pick(At(4, 0));
    EXPECT_EQ(refused.message, "不適合な入力です");
    EXPECT_EQ(refused.pointTokens, "");
    // A count and then the line divide it, though the mode is a single point.
    EXPECT_EQ(tape.Value(2, 4).pointTokens, "N");
    const CCommandRow& line = tape.Pick(At(4, 0));
    EXPECT_EQ(line.pointTokens, "NL");
    EXPECT_EQ(PointsOf(line.listing), (std::vector<std::string>{ Xy(0, 0), Xy(5, 0), Xy(10, 0) }));
}

// Lengths, angles and Ctrl points are no input of the point command, silently; a picked point is
// no element it divides, and is refused.
TEST_F(PointTape, InputsWithoutALetterOfThePointCommandChangeNothing)
{
    CZelkDoc& doc = m_tape.Doc();
    doc.AddPoint(At(20, 20), 0, doc.FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
    m_tape.PointMenu("分割点");
    ASSERT_EQ(Point().m_tokenString, "N");
    const std::string refused = "不適合な入力です";
    for (const char* name : { "length", "angle", "ctrl point", "picked point" }) {
        const std::string k = name;
        const CCommandRow& row = k == "length"       ? m_tape.Value(7, 6)
                                 : k == "angle"      ? m_tape.Value(30, 11)
                                 : k == "ctrl point" ? m_tape.RightClick(At(5, 5), true)
                                                     : m_tape.Pick(At(20, 20));
        EXPECT_EQ(row.pointTokens, "N") << name;
        EXPECT_EQ(row.message == refused, k == "picked point") << name << ": " << row.message;
        EXPECT_EQ(Point().m_values[0].value, 2.0) << name;
        EXPECT_EQ(PointsOf(row.listing).size(), 1u) << name;
    }
}

// A move without a point to move refuses its start, and the interrupting mode ends with it.
TEST_F(PointTape, AMoveWithoutItsPointEndsTheInterruptingMode)
{
    CPointCommand& move = m_tape.PointInt();
    for (int known : { 0, 1 }) {
        m_tape.App().m_interruptKind = 1;
        move.m_editFlag = 1;
        move.m_editBlock = -1;
        move.m_editSlot = static_cast<std::int16_t>(known ? 0 : -1);
        move.m_tokenString.Empty();
        move.OnInput(9, 0);
        EXPECT_EQ(move.m_tokenString, "") << known;
        EXPECT_EQ(m_tape.App().m_interruptKind, 0) << known;
    }
}

TEST_F(PointTape, ADoubleClickedPointInAGroupMovesWithItsGroupAndComesBackOnUndo)
{
    CZelkDoc& doc = m_tape.Doc();
    const std::int16_t pen = doc.FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
    CDataPoints* block = doc.AddPoint(At(5, 5), 0, pen);
    const std::int16_t b = static_cast<std::int16_t>(doc.m_pointBlocks.GetSize() - 1);
    const std::int16_t s = static_cast<std::int16_t>(block->m_count - 1);
    auto* group = new CGroup;
    const int g = doc.m_groups.Add(group);
    CElemRef member;
    member.Init(ELEM_POINT, b, s, 1, 0);
    group->m_members.push_back(member);
    block->m_slots[s].m_group = static_cast<std::int16_t>(g);
    block->m_slots[s].m_role = 7;

    const CCommandRow& start = m_tape.LeftDouble(At(5, 5));
    EXPECT_EQ(start.pointTokensInt, "#");
    EXPECT_EQ(start.pointModeInt, "#P");
    EXPECT_EQ(start.message, "選択要素の環境で作成するモードに切り替えました");
    EXPECT_EQ(m_tape.App().m_interruptKind, 1);
    EXPECT_EQ(m_tape.App().m_appElem.m_creationEnv, 1);

    const CCommandRow& moved = m_tape.Typed("15,5");
    // Deleted; the redraw has taken its redraw bit.
    EXPECT_EQ(doc.GetPointElem(b, s)->m_state & 0x08, 0x08);
    EXPECT_EQ(doc.GetPointElem(b, s)->m_mark & MARK_SELECTED, 0);
    ASSERT_EQ(group->m_members.size(), 2u);
    EXPECT_EQ(group->m_members[0].m_slot, s);   // the old reference stays
    const CElemRef& added = group->m_members[1];
    const CDataPoint* now = doc.GetPointElem(added.m_block, added.m_slot);
    ASSERT_NE(now, nullptr);
    EXPECT_EQ(now->m_position.m_x, 15);
    EXPECT_EQ(now->m_group, g);
    EXPECT_EQ(now->m_role, 7);
    EXPECT_EQ(moved.undoKinds, "3");
    EXPECT_EQ(m_tape.App().m_appElem.m_creationEnv, 0);
    EXPECT_EQ(m_tape.App().m_interruptKind, 0);
    EXPECT_EQ(m_tape.PointInt().m_editFlag, 0);

    doc.m_undoHistory->Undo();
    EXPECT_EQ(doc.GetPointElem(b, s)->m_state & 0x08, 0);
    EXPECT_EQ(PointsOf(ListElements(doc)), std::vector<std::string>{ Xy(5, 5) });
}

TEST_F(PointTape, TheSharedStepRoutinesOnThePointCommand)
{
    CPointCommand& c = Point();
    EXPECT_EQ(c.GetGroupLeadPattern("devide"), "NPP");
    EXPECT_EQ(c.GetGroupLeadPattern("none"), "");
    EXPECT_EQ(c.GetValueToken(8), "");
    EXPECT_EQ(c.GetValueToken(2), "N");
    EXPECT_EQ(c.GetValueToken(6), "D");
    c.m_tokenString = "P";
    EXPECT_EQ(c.GetCurrentGroupName(), "multi");
    c.m_tokenString = "NP";
    EXPECT_EQ(c.GetCurrentGroupName(), "");
    EXPECT_EQ(c.IsAcceptedPrefix("#"), 1);
    EXPECT_EQ(c.IsAcceptedPrefix("NN"), 0);
    EXPECT_EQ(c.HasCutPointAt(0), 0);
    // A plain number is a count here: the main flag that makes it a length is cleared, the
    // interrupting command's is left alone.
    m_tape.App().m_lengthInputMain = 1;
    m_tape.App().m_lengthInputInterrupt = 1;
    c.UpdateLengthInputFlag();
    EXPECT_EQ(m_tape.App().m_lengthInputMain, 0);
    EXPECT_EQ(m_tape.App().m_lengthInputInterrupt, 1);

    c.m_tokenString.Empty();
    m_tape.PointMenu("分割点");
    m_tape.Typed("0,0");
    ASSERT_EQ(c.m_tokenString, "NP");
    m_tape.Key(VK_SPACE);
    EXPECT_EQ(c.m_tokenString, "N");
    EXPECT_EQ(m_tape.App().m_lastMessage, "ステップは 回数 を設定したところまで戻しました");
    m_tape.Key(VK_SPACE);
    EXPECT_EQ(c.m_tokenString, "");
    EXPECT_EQ(m_tape.App().m_lastMessage, "ステップは コマンド を設定したところまで戻しました");

    // A single point is no pick: the double click leaves it.
    c.m_modePattern = "P";
    m_tape.Typed("3,3");
    ASSERT_EQ(c.m_tokenString, "P");
    const size_t points = PointsOf(ListElements(m_tape.Doc())).size();
    c.UndoClickBeforeDoubleClick();
    EXPECT_EQ(c.m_tokenString, "P");
    EXPECT_EQ(PointsOf(ListElements(m_tape.Doc())).size(), points);
}

TEST_F(PointTape, EnterAddsNothingFromAFreeStepAndThePointConstraintAdvances)
{
    CPointCommand& c = Point();
    CZelkDoc& doc = m_tape.Doc();
    c.m_modePattern = "P";
    c.Reset();
    c.OnEnter();
    EXPECT_TRUE(PointsOf(ListElements(doc)).empty());

    doc.SetBasePoint(At(4, 6), At(4, 6));
    const CCommandRow& held = m_tape.Constraint("点拘束");
    EXPECT_EQ(held.message, "点拘束でステップを進めました");
    // The held step starts again after its point, but one input gives one point, not one for
    // every pass it runs.
    EXPECT_EQ(PointsOf(held.listing), std::vector<std::string>{Xy(4, 6)});
    c.OnEnter();
    EXPECT_EQ(PointsOf(ListElements(doc)), std::vector<std::string>(2, Xy(4, 6)));
}

TEST(PointCommand, GuidanceOfTheFirstStepAndTheMacroPrompts)
{
    CCommandTape tape;
    tape.App().m_appCommand.m_pointFlag = 1;
    CPointCommand& c = tape.Point();
    c.m_modePattern = "P";
    c.Reset();
    EXPECT_EQ(c.m_prompt, "[単一点] 【点】");
    EXPECT_EQ(c.m_hint, "[単一点] 点を右ボタンで入力。");
    c.m_values[0].value = 12.5;
    c.m_modePattern = "NPP";
    c.m_tokenString = "N";
    c.ShowGuidance();
    EXPECT_EQ(c.m_prompt, "[分割点] 【分割数(12.5)】 【第１点|線分|円(弧)】 第２点");

    // Without the point flag the pair never changes.
    tape.App().m_appCommand.m_pointFlag = 0;
    c.m_tokenString = "NP";
    c.ShowGuidance();
    EXPECT_EQ(c.m_prompt, "[分割点] 【分割数(12.5)】 【第１点|線分|円(弧)】 第２点");

    CStringArray prompts;
    prompts.SetSize(3);
    prompts[1] = "recorded";
    c.GetMacroPrompts("NPP", prompts);
    ASSERT_EQ(prompts.GetSize(), 3);
    EXPECT_EQ(prompts[0], "Macro[分割点] 【分割数】 第１点 第２点");
    EXPECT_EQ(prompts[1], "recorded");
    EXPECT_EQ(prompts[2], "Macro[分割点] 分割数 第１点 【第２点】");
    CStringArray moves;
    c.GetMacroPrompts("#P", moves);
    ASSERT_EQ(moves.GetSize(), 2);
    EXPECT_EQ(moves[0], "");
    EXPECT_EQ(moves[1], "");
}

// The first rule that fits the state decides the pair: the macro's step texts, then every
// pattern (by the move mode), then the point flag, then the chosen mode; a state no rule names
// leaves the pair on screen.
TEST(PointCommand, GuidanceByMacroAllPatternsPointFlagAndMode)
{
    const char* const kept = "kept";
    struct Case {
        int macro, all, move, flag;
        const char* mode;
        const char* tokens;
        const char* prompt;   // kept: the pair stays
        const char* hint;
    } cases[] = {
        { 0, 1, 0, 1, "P", "", "[全点] 【配置点】【分割数(2.5)】 第１点|線分|円(弧) 第２点",
          "[全点] 点は右ボタン、分割数は 数 で入力。" },
        { 0, 1, 0, 0, "NPP", "P", "[全点] 【配置点】【分割数(2.5)】 第１点|線分|円(弧) 第２点",
          "[全点] 点は右ボタン、分割数は 数 で入力。" },
        { 0, 1, 0, 1, "P", "N", "[分割点]【分割数(2.5)】【第１点|線分|円(弧)】第２点【分割点終了：Esc】",
          "[分割点] 分割する第１点を右ｸﾘｯｸで、要素を左ｸﾘｯｸで入力。分割数は再入力可能。Escで終了。" },
        { 0, 1, 0, 1, "P", "NP", "[分割点]【分割数(2.5)】 第１点 【第２点】【分割点終了：Esc】",
          "[分割点] 分割する第２点を右ボタンで入力。分割数は再入力可能。Escで終了。" },
        { 0, 1, 0, 1, "P", "NC", "[分割点]【分割数(2.5)】【第１点|線分|円(弧)】第２点【分割点終了：Esc】",
          "[分割点] 分割数を数値で、分割する第１点を右ｸﾘｯｸで、要素を左ｸﾘｯｸで入力。Esc。" },
        { 0, 1, 0, 1, "P", "#", kept, kept },
        { 0, 1, 1, 1, "P", "#", "[点の移動] 【移動先の点】", "[点の移動] 移動先の点を右ボタンで入力。" },
        { 0, 1, 1, 1, "P", "#P", "", "" },
        { 0, 1, 1, 1, "P", "P", kept, kept },
        // menu guidance: nothing without the point flag
        { 0, 0, 0, 0, "NPP", "N", kept, kept },
        { 0, 0, 0, 1, "NPP", "", "[分割点] 【分割数】 第１点|線分|円(弧) 第２点", "[分割点] 分割数を入力。" },
        { 0, 0, 0, 1, "NPP", "NL", "[分割点] 【分割数(2.5)】 【第１点|線分|円(弧)】 第２点",
          "[分割点] 分割する２点を右ボタンで、要素を左ボタンで指定。分割数は変更できます。" },
        { 0, 0, 0, 1, "P", "NPP", "[単一点] 【点】", "[単一点] 点を右ボタンで入力。" },
        { 0, 0, 0, 1, "#P", "", "", "" },
        { 0, 0, 0, 1, "P", "N", kept, kept },
        { 0, 0, 0, 1, "NPP", "NP", "[分割点] 分割数 第１点 【第２点】", "[分割点] 分割する第２点を右ボタンで入力。" },
        { 0, 0, 1, 1, "#P", "#", "[点の移動] 【移動先の点】", "[点の移動] 移動先の点を右ボタンで入力。" },
        { 0, 0, 1, 1, "P", "#", kept, kept },
        { 0, 0, 1, 1, "NPP", "#P", "", "" },
        // a macro takes its step texts by the length of the string, whatever the state
        { 1, 1, 0, 1, "P", "N", "step 1", kept },
        { 1, 0, 0, 1, "NPP", "NP", "step 0", kept },
        { 1, 0, 0, 1, "NPP", "NPP", "", kept },
    };
    for (const Case& k : cases) {
        CCommandTape tape;
        tape.Code(301);
        CZelkApp& app = tape.App();
        CPointCommand& c = tape.Point();
        app.m_noPopupMenu = k.all;
        app.m_modeFromMenu = k.all ? 0 : 1;
        app.m_appCommand.m_pointFlag = k.flag;
        c.m_macroFlag = k.macro;
        c.m_editFlag = k.move;
        c.m_modePattern = k.mode;
        c.m_tokenString = k.tokens;
        c.m_values[0].value = 2.5;
        c.m_stepTexts.Add("step 0");
        c.m_stepTexts.Add("step 1");
        c.m_prompt = kept;
        c.m_hint = kept;
        c.ShowGuidance();
        const std::string name = std::to_string(k.macro) + std::to_string(k.all) + std::to_string(k.move) +
                                 std::to_string(k.flag) + " " + k.mode + "/" + k.tokens;
        EXPECT_EQ(c.m_prompt, k.prompt) << name;
        EXPECT_EQ(c.m_hint, k.hint) << name;
        EXPECT_EQ(app.m_prompt, c.m_prompt) << name;
    }
}

// Each entry takes the row's text for its position; a pattern of the other move mode, or one no
// row names, leaves the entries empty.
TEST(PointCommand, MacroPromptsByPatternAndMoveMode)
{
    struct Case {
        const char* pattern;
        int move;
        std::vector<std::string> prompts;
    } cases[] = {
        { "P", 0, { "Macro[単一点] 点" } },
        { "NL", 0, { "Macro[分割点] 【分割数】 線分", "Macro[分割点] 分割数 【線分】" } },
        { "NC", 0, { "Macro[分割点] 【分割数】 円(弧)", "Macro[分割点] 分割数 【円(弧)】" } },
        { "#P", 1, { "Macro[点の移動] 【移動する点】移動先の点", "Macro[点の移動] 移動する点【移動先の点】" } },
        { "NPP", 1, { "", "", "" } },
        { "NLL", 0, { "", "", "" } },
    };
    CCommandTape tape;
    CPointCommand& c = tape.Point();
    for (const Case& k : cases) {
        c.m_editFlag = k.move;
        CStringArray prompts;
        c.GetMacroPrompts(k.pattern, prompts);
        std::vector<std::string> got;
        for (int i = 0; i < prompts.GetSize(); ++i)
            got.push_back(prompts[i].GetString());
        EXPECT_EQ(got, k.prompts) << k.pattern << " move " << k.move;
    }
}

} // namespace

namespace {

TEST(PointCommand, TheStepSlotByTheTokenStringTheMoveModeAndThePointFlag)
{
    struct Case {
        const char* tokens;
        int move, flag;
        int slot, complete;
    } cases[] = {
        { "", 0, 1, 0, 0 },    { "P", 0, 1, 0, 1 },   { "NPP", 0, 1, 1, 1 }, { "NL", 0, 0, 0, 1 },
        { "NC", 0, 1, 1, 1 },  { "N", 0, 1, 1, 0 },   { "NP", 0, 0, 2, 0 },  { "#", 0, 1, -1, 0 },
        { "", 1, 1, 0, 0 },    { "#", 1, 1, 1, 0 },   { "#P", 1, 0, 0, 1 },  { "P", 1, 1, -1, 0 },
    };
    CCommandTape tape;
    CPointCommand& c = tape.Point();
    for (const Case& k : cases) {
        c.m_tokenString = k.tokens;
        c.m_editFlag = k.move;
        tape.App().m_appCommand.m_pointFlag = k.flag;
        int complete = -1;
        EXPECT_EQ(c.GetCurrentPointSlot(complete), k.slot) << k.tokens << " " << k.move << k.flag;
        EXPECT_EQ(complete, k.complete) << k.tokens << " " << k.move << k.flag;
    }
}

TEST(PointCommand, AMacroPatternTakesItsOwnLettersInTurn)
{
    struct Case {
        const char* pattern;
        const char* before;
        const char* token;
        int accepted;
        const char* after;
    } cases[] = {
        { "NPP", "", "", 1, "N" },          // the start of the macro's pattern
        { "NPP", "N", "P", 1, "NP" },
        { "NPP", "N", "L", 0, "N" },        // not the letter the macro waits for
        { "NL", "N", "L", 1, "NL" },
        { "#P", "", "P", 1, "P" },          // a move played from its new place
        { "NpP", "N", "P", 1, "Np" },       // a cut point takes a point
        { "", "", "P", 0, "" },             // no macro pattern
    };
    CCommandTape tape;
    CPointCommand& c = tape.Point();
    for (const Case& k : cases) {
        c.m_macroFlag = 1;
        c.m_macroPattern = k.pattern;
        c.m_tokenString = k.before;
        tape.App().m_lastMessage.Empty();
        EXPECT_EQ(c.AcceptMacroToken(k.token), k.accepted) << k.pattern << " " << k.before << k.token;
        EXPECT_EQ(c.m_tokenString, k.after) << k.pattern << " " << k.before << k.token;
        if (std::string(k.token) == "L" && !k.accepted) {
            EXPECT_EQ(tape.App().m_lastMessage, "不適合な入力です。");
        }
    }
    c.m_macroFlag = 0;
    c.m_macroPattern = "NPP";
    EXPECT_EQ(c.AcceptMacroToken(""), 0);
}

TEST(PointCommand, TabOnCandidatesTakesTheNextElementForTheDivision)
{
    CCommandTape tape;
    tape.AddLine(At(0, 0), At(10, 0));
    tape.AddCircle(At(5, 0), 5);
    tape.Code(301);
    tape.PointMenu("分割点");
    // The pick at the line's end may find the circle or the line: Tab turns to the other one.
    const CCommandRow& picked = tape.Pick(At(10, 0));
    ASSERT_TRUE(picked.pointTokens == "NL" || picked.pointTokens == "NC") << picked.pointTokens;
    const bool line = picked.pointTokens == "NL";
    EXPECT_EQ(PointsOf(picked.listing).size(), 3u);
    const CCommandRow& other = tape.Key(VK_TAB);
    EXPECT_EQ(other.pointTokens, line ? "NC" : "NL");
    // The first division was taken back with the log; the other element's division stands.
    const std::vector<std::string> after = PointsOf(ListElements(tape.Doc()));
    ASSERT_EQ(after.size(), 3u);
    if (line)
        EXPECT_EQ(after, (std::vector<std::string>{ Xy(10, 0), Xy(0, 0), Xy(10, 0) }));
    else
        EXPECT_EQ(after, (std::vector<std::string>{ Xy(0, 0), Xy(5, 0), Xy(10, 0) }));
}

TEST(PointCommand, TabOnFoundPointsGivesTheStepAgainAtTheNextOne)
{
    CCommandTape tape;
    tape.App().m_appCommand.m_pointFlag = 1;
    // Two line ends close together: the search about them finds both.
    tape.AddLine(At(0, 0), At(10, 10));
    tape.AddLine(At(10.2, 10), At(30, 0));
    tape.Code(301);
    tape.PointMenu("分割点");
    tape.Typed("0,20");
    ASSERT_EQ(tape.RightClick(At(10.1, 10)).pointTokens, "NPP");
    CPointCommand& c = tape.Point();
    ASSERT_GE(tape.Doc().m_pointSearch->foundPoints.size(), 2u);
    const std::vector<std::string> first = PointsOf(ListElements(tape.Doc()));
    ASSERT_EQ(first.size(), 3u);

    const CCommandRow& next = tape.Key(VK_TAB);
    EXPECT_EQ(next.pointTokens, "NPP");
    const CPointD taken = c.m_inputPoints[2].point;
    EXPECT_EQ(taken.m_x, tape.Doc().m_basePoint.m_x);
    EXPECT_EQ(taken.m_y, tape.Doc().m_basePoint.m_y);
    // The division to the first found point is taken back and made again to the next one.
    const std::vector<std::string> again = PointsOf(next.listing);
    ASSERT_EQ(again.size(), 3u);
    EXPECT_NE(again.back(), first.back());
    EXPECT_EQ(again.back(), Xy(taken.m_x, taken.m_y));
    EXPECT_EQ(again.front(), Xy(0, 20));
}

} // namespace

namespace {

TEST(PointCommand, ADivisionStopsAtTheFirstPointTheDrawingRefuses)
{
    CCommandTape tape;
    CZelkDoc& doc = tape.Doc();
    // The current pen's block has one slot left ...
    for (int i = 0; i < CDataPoints::SlotCount - 1; ++i) {
        std::int16_t block = -1, slot = -1;
        doc.AddPointWithCurrentPen(At(100 + i, 100), block, slot);
    }
    // ... and the drawing holds as many point blocks as it may: one empty stand-in fills the
    // table while the division runs.
    const int held = doc.m_pointBlocks.GetSize();
    ASSERT_EQ(held, 1);
    CDataPoints filler;
    for (int i = held; i < NO_BLOCK; ++i)
        doc.m_pointBlocks.Add(&filler);
    CScriptedServices& services = DefaultScriptedServices();
    const size_t beeps = services.m_beeps.size();
    const size_t added = Divide(tape, "NPP", 4).size();
    doc.m_pointBlocks.SetSize(held);
    // The last slot took the first point; the second was refused and the rest not tried.
    EXPECT_EQ(added, static_cast<size_t>(CDataPoints::SlotCount));
    EXPECT_EQ(services.m_beeps.size() - beeps, 1u);
    EXPECT_EQ(tape.App().m_lastMessage, "要素ブロックの数が上限を超えるため追加できません");
}

} // namespace

namespace {

TEST_F(PointTape, TheRecorderKeepsEachStepsTextAndWhetherItsInputIsUsedAsGiven)
{
    CMacroRecorder& recorder = *m_tape.App().m_macroRecorder;
    recorder.m_recording = 1;
    m_tape.App().m_useNextInput = 1;
    recorder.m_pendingStepText = "分割数を";
    m_tape.PointMenu("分割点");
    CPointCommand& c = Point();
    ASSERT_EQ(c.m_tokenString, "N");
    m_tape.App().m_useNextInput = 1;
    recorder.m_pendingStepText = "始点を";
    m_tape.Typed("0,0");
    m_tape.Typed("4,0");   // the option was switched off by the step before
    ASSERT_EQ(c.m_stepValueFlags.GetSize(), 3);
    EXPECT_EQ(c.m_stepValueFlags[0], 2);
    EXPECT_EQ(c.m_stepValueFlags[1], 1);
    EXPECT_EQ(c.m_stepValueFlags[2], 0);
    ASSERT_EQ(c.m_stepTexts.GetSize(), 2);
    EXPECT_EQ(c.m_stepTexts[0], "分割数を");
    EXPECT_EQ(c.m_stepTexts[1], "始点を");
    EXPECT_EQ(m_tape.App().m_useNextInput, 0);
    EXPECT_TRUE(recorder.m_pendingStepText.IsEmpty());
    recorder.m_recording = 0;
}

} // namespace

namespace {

TEST_F(PointTape, TheReferencePointConstraintGivesTheSecondPointAndItsReleaseTakesItBack)
{
    CPointCommand& c = Point();
    m_tape.PointMenu("分割点");
    m_tape.Typed("0,0");
    // A constraint point set beforehand is the point the step takes.
    m_tape.Doc().m_referencePoint = At(8, 0);
    m_tape.App().m_constraintPointSet = 1;
    const CCommandRow& held = m_tape.Constraint("点拘束");
    EXPECT_EQ(held.message, "点拘束でステップを進めました");
    EXPECT_EQ(PointsOf(held.listing), (std::vector<std::string>{ Xy(0, 0), Xy(4, 0), Xy(8, 0) }));

    // Back at the second point, held at the reference point: the release frees it.
    c.m_tokenString = "NP";
    c.m_inputPoints[1].mode = 2;
    c.ReleasePointConstraint();
    EXPECT_EQ(c.m_tokenString, "N");
    EXPECT_EQ(c.m_inputPoints[1].mode, 1);
    EXPECT_EQ(m_tape.App().m_lastMessage, "点の拘束を解除し、ステップを戻しました");
    EXPECT_EQ(m_tape.App().m_constraintStepRef, 0);
}

} // namespace
