// The line command's constructions as a person runs them from the line menus: two-point and
// angle lines, the tentative guide, radial bundles, rectangles, parallels, tangents and inclined
// lines, the undo step each operation leaves and the write layer of the new-layer condition.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "app/ZelkApp.h"
#include "commands/line/LineCommand.h"
#include "document/CreationLog.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "geometry/Angles.h"
#include "platform/core/WinTypes.h"
#include "platform/ui/WinUser.h"
#include "tests/commands/LineTestSupport.h"
#include "tests/support/CommandTape.h"

namespace {

using line_tests::At;
using line_tests::LiveLines;
using line_tests::LoggedLines;

double Direction(CPointD from, CPointD to)
{
    double a = PointsAngleDeg(from, to);
    return a < 0 ? a + 360.0 : a;
}

// The end of a line other than the given point.
CPointD OtherEnd(const CLine& l, CPointD p)
{
    return Distance(l.m_start, p) < Distance(l.m_end, p) ? l.m_end : l.m_start;
}

class LineExecute : public testing::Test {
protected:
    CLineCommand& Line() { return m_tape.Line(); }
    CZelkDoc& Doc() { return m_tape.Doc(); }
    int UndoSteps() { return Doc().m_undoHistory->GetStepCount(); }
    // Token string and inputs written as the input routines leave them, then run after the
    // commit every input begins with.
    int Run(const char* tokens)
    {
        m_tape.App().CommitOperation(&Doc(), 0);
        Line().m_tokenString = tokens;
        return Line().Execute();
    }
    void Point(int slot, double x, double y) { Line().m_inputPoints[slot].SetPoint(At(x, y)); }
    void Value(int slot, double v) { Line().m_values[slot].value = v; }
    void Picked(int slot, CPointD a, CPointD b, CPointD pick, int position)
    {
        CLine l;
        l.m_start = a;
        l.m_end = b;
        Line().m_pickedLines[slot].Assign(l);
        Line().m_pickPoints[slot] = pick;
        Line().m_pickPositions[slot] = position;
    }
    void PickedCircle(int slot, CPointD centre, double r, CPointD pick)
    {
        CCircle c;
        c.m_centre = centre;
        c.m_radius = r;
        Line().m_pickedCircles[slot].Assign(c);
        Line().m_pickPoints[slot] = pick;
    }
    CCommandTape m_tape;
};

// ---- two-point lines, the guide and the lines on it -----------------------------------------

TEST_F(LineExecute, TheTwoPointLineIsOneUndoStepAndEqualPointsAddNothing)
{
    m_tape.LineMenu("2点線");
    m_tape.Typed("3,3");
    const CCommandRow& same = m_tape.Typed("3,3");
    EXPECT_EQ(same.listing, std::vector<std::string>{ "retired 0" });
    EXPECT_EQ(same.beeps, 0);
    EXPECT_EQ(same.undoKinds, "1");

    Line().Reset();
    m_tape.LineMenu("2点線");
    m_tape.Typed("0,0");
    const CCommandRow& made = m_tape.Typed("10,5");
    ASSERT_EQ(made.listing.size(), 2u);
    EXPECT_EQ(made.listing[0], "line 0.000000,0.000000 10.000000,5.000000 layer 0 group -1 role 0 pen 0");
    EXPECT_EQ(made.undoKinds, "1 1");
    EXPECT_POINT(Doc().m_basePoint, 10, 5);

    // The same points given to the construction itself: nothing added, no message, no beep.
    Point(0, 4, 4);
    Point(1, 4, 4);
    const CString message = m_tape.App().m_lastMessage;
    EXPECT_EQ(Run("SE"), 1);
    EXPECT_EQ(LiveLines(Doc()).size(), 1u);
    EXPECT_EQ(m_tape.App().m_lastMessage, message);
}

TEST_F(LineExecute, TheAngleGuideIsTentativeAndEscapeTakesItAway)
{
    m_tape.LineMenu("連続角度線");
    m_tape.Typed("30d");
    const CCommandRow& guide = m_tape.Typed("0,0");
    EXPECT_EQ(guide.lineTokens, "AP");
    std::vector<CLine> lines = LiveLines(Doc());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_POINT(lines[0].m_start, -43301.270189, -25000);
    EXPECT_POINT(lines[0].m_end, 43301.270189, 25000);
    EXPECT_NE(lines[0].m_mark & MARK_SELECTED, 0) << "drawn as a guide";
    EXPECT_EQ(Doc().m_creationLog->m_final, 0);
    EXPECT_POINT(Doc().m_previewPointC, 0, 0);
    EXPECT_EQ(guide.undoSteps, 0);

    m_tape.Key(VK_ESCAPE);
    EXPECT_TRUE(LiveLines(Doc()).empty());
}

TEST_F(LineExecute, SegmentsOnTheLineThroughAPointAtAnAngle)
{
    m_tape.LineMenu("通過角度線");
    m_tape.Typed("0,0");
    m_tape.Typed("0d");
    const CCommandRow& mark = m_tape.Typed("10,5");
    EXPECT_EQ(mark.lineTokens, "PAP");
    ASSERT_EQ(Doc().m_directionMarks.GetSize(), 1);
    const CCommandRow& made = m_tape.Typed("30,-7");
    std::vector<CLine> lines = LiveLines(Doc());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_POINT(lines[0].m_start, 10, 0);
    EXPECT_POINT(lines[0].m_end, 30, 0);
    EXPECT_POINT(Doc().m_basePoint, 30, 0);
    EXPECT_EQ(made.undoKinds, "1");

    // From the foot by a length: after the second point a plain number is the length, and the
    // typed angle is the drawing's angle as well.
    Line().Reset();
    m_tape.LineMenu("通過角度線");
    m_tape.Typed("0,0");
    m_tape.Typed("90d");
    m_tape.Typed("10,5");
    const CCommandRow& byLength = m_tape.Typed("20");
    EXPECT_EQ(byLength.lineTokens, "PAPD");
    lines = LoggedLines(Doc());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_POINT(lines[0].m_start, 0, 5);
    EXPECT_POINT(lines[0].m_end, 0, 25);
    EXPECT_EQ(byLength.undoKinds, "1 1");

    // The same run from its records.
    Point(0, 0, 0);
    Value(1, 90);
    Doc().m_absAngle = 90;
    Point(2, 10, 5);
    Value(3, 20);
    EXPECT_EQ(Run("PAPD"), 1);
    lines = LoggedLines(Doc());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_POINT(lines[0].m_start, 0, 5);
    EXPECT_POINT(lines[0].m_end, 0, 25);
    EXPECT_POINT(Doc().m_basePoint, 0, 25);
}

TEST_F(LineExecute, TheGuideComesAgainBeforeTheLaterStepsOfTheContinuousAngleLine)
{
    Value(0, 0);
    Point(1, 0, 0);
    Point(2, 10, 5);
    EXPECT_EQ(Run("APP"), 0);
    EXPECT_EQ(LiveLines(Doc()).size(), 1u);
    EXPECT_EQ(Doc().m_directionMarks.GetSize(), 1);
    Point(3, 30, -7);
    EXPECT_EQ(Run("APPP"), 1);
    // The new operation replaced the guide.
    std::vector<CLine> lines = LiveLines(Doc());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_POINT(lines[0].m_start, 10, 0);
    EXPECT_POINT(lines[0].m_end, 30, 0);
    EXPECT_EQ(lines[0].m_mark & MARK_SELECTED, 0);
}

// ---- radial bundles ---------------------------------------------------------------------------

TEST_F(LineExecute, ARadialBundleIsOneOperationTurningByItsAngle)
{
    m_tape.LineMenu("始点角度線/角度放射線");
    m_tape.Typed("0,0");
    m_tape.Value(30, 11);
    EXPECT_EQ(m_tape.Value(3, 4).lineTokens, "SAN");
    const CCommandRow& made = m_tape.Typed("10,1");
    const std::vector<CLine> lines = LiveLines(Doc());
    ASSERT_EQ(lines.size(), 3u);
    const double length = std::sqrt(101.0);
    const double expected[] = { 30, 60, 90 };
    for (int i = 0; i < 3; ++i) {
        const CPointD end = OtherEnd(lines[i], At(0, 0));
        EXPECT_NEAR(Direction(At(0, 0), end), expected[i], 1e-9) << i;
        EXPECT_NEAR(Distance(At(0, 0), end), length, 1e-9) << i;
    }
    EXPECT_EQ(made.undoKinds, "1");

    // A point behind the step turns the step half round.
    Point(0, 0, 0);
    Value(1, 30);
    Value(2, 3);
    Point(3, -10, -1);
    EXPECT_EQ(Run("SANP"), 1);
    const std::vector<CLine> turned = LoggedLines(Doc());
    ASSERT_EQ(turned.size(), 3u);
    const double back[] = { 210, 60, 270 };
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(Direction(At(0, 0), OtherEnd(turned[i], At(0, 0))), back[i], 1e-9) << i;
    EXPECT_EQ(UndoSteps(), 2);
}

TEST_F(LineExecute, CountsOfNoneStillCommitAStepAndAFullDrawingEndsTheBundle)
{
    for (double n : { 0.0, -2.0 }) {
        Point(0, 0, 0);
        Value(1, 30);
        Value(2, n);
        Point(3, 10, 1);
        const int steps = UndoSteps();
        EXPECT_EQ(Run("SANP"), 1) << n;
        EXPECT_TRUE(LiveLines(Doc()).empty()) << n;
        EXPECT_EQ(UndoSteps(), steps + 1) << n;
    }

    // A count far beyond what the drawing can hold stops at the first line it refuses: a
    // bundle of no length is refused at once.
    Point(0, 5, 5);
    Value(1, 30);
    Value(2, 1e12);
    Value(3, 0);
    EXPECT_EQ(Run("SAND"), 1);
    EXPECT_TRUE(LiveLines(Doc()).empty());
}

TEST_F(LineExecute, LengthBundlesTurnFromTheCoordinateRotationAndTheContinuousLineKeepsItsBase)
{
    Doc().m_relAngle = 10;
    m_tape.LineMenu("始点長さ線/長さ放射線");
    m_tape.Typed("0,0");
    m_tape.Value(5, 6);
    m_tape.Value(2, 4);
    const CCommandRow& made = m_tape.Value(30, 11);
    EXPECT_EQ(Line().m_values[3].value, 40.0);
    const std::vector<CLine> lines = LiveLines(Doc());
    ASSERT_EQ(lines.size(), 2u) << made.lineTokens;
    EXPECT_NEAR(Direction(At(0, 0), OtherEnd(lines[0], At(0, 0))), 40, 1e-9);
    EXPECT_NEAR(Direction(At(0, 0), OtherEnd(lines[1], At(0, 0))), 70, 1e-9);
    Doc().m_relAngle = 0;

    // "DP": one line at the drawing's angle; the base point stays at the start.
    Doc().SetBasePoint(At(1, 1), At(1, 1));
    Doc().m_absAngle = 90;
    Value(0, 7);
    Point(1, 3, 3);
    EXPECT_EQ(Run("DP"), 1);
    const std::vector<CLine> one = LoggedLines(Doc());
    ASSERT_EQ(one.size(), 1u);
    EXPECT_POINT(one[0].m_start, 3, 3);
    EXPECT_POINT(one[0].m_end, 3, 10);
    EXPECT_POINT(Doc().m_basePoint, 1, 1);
}

TEST(LineExecuteCommit, MovedParallelsFollowTheOperationBeforeAndCountedOnesCommitItFirst)
{
    for (const std::string tokens : { "SNL", "LNP" }) {
        CCommandTape tape;
        CZelkDoc& doc = tape.Doc();
        CLineCommand& c = tape.Line();
        // An operation still open in the creation log.
        std::int16_t block = -1, slot = -1;
        doc.m_creationLog->AddLine(At(50, 50), At(60, 60), 1, block, slot, 1, 0);
        CLine l;
        l.m_start = At(0, 0);
        l.m_end = At(10, 0);
        for (int k : { 0, 2 }) {
            c.m_pickedLines[k].Assign(l);
            c.m_pickPoints[k] = At(9, 0.1);
            c.m_pickPositions[k] = 5;
        }
        c.m_inputPoints[0].SetPoint(At(20, 20));
        c.m_values[1].value = 1;
        c.m_inputPoints[2].SetPoint(At(4, 2));
        c.m_tokenString = tokens.c_str();
        EXPECT_EQ(c.Execute(), 1) << tokens;
        const std::vector<CLine> lines = LiveLines(doc);
        if (tokens == "SNL") {
            // The parallel's new operation took the open one away.
            ASSERT_EQ(lines.size(), 1u);
            EXPECT_POINT(lines[0].m_start, 10, 20);
        } else {
            ASSERT_EQ(lines.size(), 2u);
            EXPECT_POINT(lines[0].m_start, 50, 50);
            EXPECT_POINT(lines[1].m_start, 0, 2);
        }
    }
}

// ---- rectangles -------------------------------------------------------------------------------

TEST_F(LineExecute, ARectangleIsOneGroupOfFourSidesUnlessTheSettingIsOff)
{
    m_tape.LineMenu("矩形");
    m_tape.Typed("0,0");
    const CCommandRow& made = m_tape.Typed("10,5");
    // Listed by the drawing's blocks: the horizontal sides, then the vertical ones.
    const std::vector<std::string> expected = {
        "line 0.000000,0.000000 10.000000,0.000000 layer 0 group 0 role 0 pen 0",
        "line 0.000000,5.000000 10.000000,5.000000 layer 0 group 0 role 0 pen 0",
        "line 10.000000,0.000000 10.000000,5.000000 layer 0 group 0 role 0 pen 0",
        "line 0.000000,0.000000 0.000000,5.000000 layer 0 group 0 role 0 pen 0",
        "group 0 kind 0 parent -1 members 4:0:0 4:1:0 4:0:1 4:1:1",
        "retired 0",
    };
    EXPECT_EQ(made.listing, expected);
    EXPECT_EQ(made.undoKinds, "1");
    ASSERT_EQ(Doc().m_groups.GetSize(), 1);
    const CGroup* group = Doc().GetGroup(0);
    // C1C2, C2C3, C3C4, C4C1: the members in the order of the sides, each end pair ordered.
    const CPointD sides[4][2] = { { At(0, 0), At(10, 0) }, { At(10, 0), At(10, 5) },
                                  { At(0, 5), At(10, 5) }, { At(0, 0), At(0, 5) } };
    ASSERT_EQ(group->m_members.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        const CElemRef& m = group->m_members[static_cast<size_t>(i)];
        EXPECT_EQ(m.m_kind, ELEM_LINE);
        const CLine* side = Doc().GetLineElem(m.m_block, m.m_slot);
        ASSERT_NE(side, nullptr);
        EXPECT_POINT(side->m_start, sides[i][0].m_x, sides[i][0].m_y);
        EXPECT_POINT(side->m_end, sides[i][1].m_x, sides[i][1].m_y);
        EXPECT_EQ(side->m_role, 0);
    }

    // From a corner at an angle, by width and height.
    m_tape.App().m_appElem.m_lineOption = 0;
    Point(0, 0, 0);
    Value(1, 90);
    Value(2, 10);
    Value(3, 5);
    EXPECT_EQ(Run("BADD"), 1);
    const std::vector<CLine> box = LoggedLines(Doc());
    ASSERT_EQ(box.size(), 4u);
    EXPECT_POINT(OtherEnd(box[0], At(0, 0)), 0, 10);
    EXPECT_POINT(OtherEnd(box[1], At(0, 10)), -5, 10);
    EXPECT_POINT(OtherEnd(box[2], At(-5, 10)), -5, 0);
    for (const CLine& l : box)
        EXPECT_EQ(l.m_group, -1);
    EXPECT_EQ(Doc().m_groups.GetSize(), 1);
}

// ---- parallels and tangents --------------------------------------------------------------------

class LineOnElements : public LineExecute {
protected:
    void SetUp() override
    {
        m_tape.AddLine(At(0, 0), At(10, 0));
        m_tape.AddCircle(At(100, 0), 5);
    }
};

TEST_F(LineOnElements, ParallelsAtADistanceLieOnThePickedSide)
{
    m_tape.LineMenu("平行線");
    for (double side : { 1.0, -1.0 }) {
        Line().Reset();
        m_tape.LineMenu("平行線");
        m_tape.Pick(At(4, side * 0.3));
        const CCommandRow& made = m_tape.Value(5, 6);
        EXPECT_EQ(made.lineTokens.substr(0, 2), "LD") << side;
        const std::vector<CLine> lines = LoggedLines(Doc());
        ASSERT_EQ(lines.size(), 1u) << side;
        EXPECT_POINT(lines[0].m_start, 0, 5 * side);
        EXPECT_POINT(lines[0].m_end, 10, 5 * side);
    }

    // Through a point, three times the distance: y = 2, 4, 6.
    Picked(0, At(0, 0), At(10, 0), At(4, 0.2), 3);
    Value(1, 3);
    Point(2, 4, 2);
    EXPECT_EQ(Run("LNP"), 1);
    const std::vector<CLine> three = LoggedLines(Doc());
    ASSERT_EQ(three.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_POINT(three[static_cast<size_t>(i)].m_start, 0, 2.0 * (i + 1));
        EXPECT_POINT(three[static_cast<size_t>(i)].m_end, 10, 2.0 * (i + 1));
    }

    // Moved onto a start point: the end nearer the pick lands there.
    Point(0, 20, 20);
    Value(1, 2);
    Picked(2, At(0, 0), At(10, 0), At(9, 0), 5);
    EXPECT_EQ(Run("SNL"), 1);
    const std::vector<CLine> moved = LoggedLines(Doc());
    ASSERT_EQ(moved.size(), 2u);
    EXPECT_POINT(moved[0].m_start, 10, 20);
    EXPECT_POINT(moved[0].m_end, 20, 20);
    EXPECT_POINT(moved[1].m_start, 20, 40);
    EXPECT_POINT(moved[1].m_end, 30, 40);
}

TEST_F(LineOnElements, TangentsFromAPointAndToTwoCircles)
{
    Point(0, 10, 0);
    PickedCircle(1, At(0, 0), 5, At(2, 4));
    EXPECT_EQ(Run("PC"), 1);
    std::vector<CLine> lines = LoggedLines(Doc());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_POINT(lines[0].m_start, 2.5, 5 * std::sqrt(3.0) / 2);
    EXPECT_POINT(lines[0].m_end, 10, 0);
    EXPECT_POINT(Doc().m_basePoint, 2.5, 5 * std::sqrt(3.0) / 2);

    // Given after the circle, the point is the base point.
    Point(1, 10, 0);
    PickedCircle(0, At(0, 0), 5, At(2, -4));
    EXPECT_EQ(Run("CP"), 1);
    EXPECT_POINT(Doc().m_basePoint, 10, 0);

    PickedCircle(0, At(0, 0), 5, At(0, 6));
    PickedCircle(1, At(20, 0), 5, At(20, 6));
    EXPECT_EQ(Run("CC"), 1);
    lines = LoggedLines(Doc());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_POINT(lines[0].m_start, 0, 5);
    EXPECT_POINT(lines[0].m_end, 20, 5);
    EXPECT_EQ(UndoSteps(), 3);
}

TEST_F(LineOnElements, APointInsideTheCircleIsRefusedTwiceWithABeep)
{
    m_tape.LineMenu("接線");
    Line().m_modePattern = "PC";
    m_tape.Typed("101,1");
    const CCommandRow& refused = m_tape.Pick(At(104.9, 0.5));
    EXPECT_EQ(refused.lineTokens.substr(0, 2), "PC");
    EXPECT_EQ(refused.message, "点の位置が接円弧の内部にあり接線は作成できません");
    EXPECT_EQ(refused.listing.size(), 3u);
    EXPECT_EQ(refused.undoSteps, 0);
    const auto& rows = m_tape.Rows();
    EXPECT_EQ(refused.beeps - rows[rows.size() - 2].beeps, 2);

    Point(1, 1, 1);
    PickedCircle(0, At(0, 0), 5, At(2, 4));
    EXPECT_EQ(Run("CP"), 0);
    EXPECT_EQ(m_tape.App().m_lastMessage, "点の位置が接円弧の内部にあり、接線は作成できません");
    PickedCircle(0, At(0, 0), 5, At(2, 4));
    PickedCircle(1, At(1, 0), 1, At(2, 0));
    EXPECT_EQ(Run("CC"), 0);
    EXPECT_EQ(m_tape.App().m_lastMessage, "２円接線は作成できません");
}

TEST_F(LineOnElements, InclinedLinesMeetThePickedLineAndFanOut)
{
    // At 90 degrees to the line through P: from its foot; the second turned about the foot.
    Picked(0, At(0, 0), At(10, 0), At(4, 0.2), 3);
    Value(1, 90);
    Value(2, 2);
    Point(3, 4, 3);
    EXPECT_EQ(Run("LANP"), 1);
    std::vector<CLine> lines = LoggedLines(Doc());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_POINT(lines[0].m_start, 4, 0);
    EXPECT_POINT(lines[0].m_end, 4, 3);
    EXPECT_POINT(lines[1].m_start, 1, 0);
    EXPECT_POINT(lines[1].m_end, 4, 0);
    EXPECT_POINT(Doc().m_basePoint, 1, 0);

    // From a point on the line at 45 degrees, ending level with P; the next one turned about H.
    Value(1, 2);
    Value(2, 45);
    Point(3, 2, 0);
    Point(4, 6, 2);
    EXPECT_EQ(Run("LNAHP"), 1);
    lines = LoggedLines(Doc());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_POINT(lines[0].m_start, 2, 0);
    EXPECT_POINT(lines[0].m_end, 5, 3);
    EXPECT_POINT(lines[1].m_start, 2, 0);
    EXPECT_POINT(lines[1].m_end, 2, 3 * std::sqrt(2.0));
    EXPECT_EQ(UndoSteps(), 2);
}

TEST_F(LineExecute, CirclesAndArcsOfTheLineCommandFollowTheCircleCommandsRules)
{
    CLineCommand& c = Line();
    EXPECT_EQ(c.AddCircle(At(1, 1), 0, 1), 0);
    EXPECT_EQ(m_tape.App().m_lastMessage, "半径が零の円は登録しません");
    std::int16_t block = 5, slot = 5;
    EXPECT_EQ(c.AddArc(At(1, 1), 0, 10, 20, block, slot, 1, 0), 0);
    EXPECT_EQ(m_tape.App().m_lastMessage, "半径が零の円弧は登録しません");
    EXPECT_EQ(block, -1);
    // A full turn is a circle, written where the edited line is named.
    EXPECT_EQ(c.AddArc(At(1, 1), -3, 10, 370, block, slot, 1, 0), 1);
    EXPECT_EQ(block, -1);
    ASSERT_NE(Doc().GetCircleElem(c.m_editBlock, c.m_editSlot), nullptr);
    EXPECT_EQ(Doc().GetCircleElem(c.m_editBlock, c.m_editSlot)->m_radius, 3.0);
    EXPECT_EQ(c.AddArc(At(1, 1), 2, 10, 100, block, slot, 1, 0), 1);
    EXPECT_GE(slot, 0);
}

TEST_F(LineOnElements, TheEditEntryTakesTheSelectedElementsEnvironment)
{
    CLineCommand& c = Line();
    m_tape.App().m_appElem.m_creationEnv = 2;
    c.m_editFlag = 1;
    EXPECT_EQ(Run("#"), 0);
    EXPECT_EQ(c.m_savedCreationMode, 2);
    EXPECT_EQ(m_tape.App().m_appElem.m_creationEnv, 1);
    c.RestoreCreationMode();
    EXPECT_EQ(m_tape.App().m_appElem.m_creationEnv, 2);
    c.m_editFlag = 0;
}

// ---- properties on generated inputs -------------------------------------------------------------

TEST_F(LineExecute, GeneratedConstructionsKeepTheirGeometry)
{
    std::mt19937 random(66);
    std::uniform_real_distribution<double> coord(-50, 50), angle(-170, 170), small(1, 20);
    for (int round = 0; round < 40; ++round) {
        const CPointD s = At(coord(random), coord(random));
        const double theta = angle(random), rotation = angle(random) / 4, length = small(random);
        Doc().m_relAngle = rotation;
        Point(0, s.m_x, s.m_y);
        Value(1, length);
        Value(2, 4);
        Value(3, theta);
        ASSERT_EQ(Run("SDNA"), 1);
        std::vector<CLine> lines = LoggedLines(Doc());
        ASSERT_EQ(lines.size(), 4u);
        for (int i = 0; i < 4; ++i) {
            const double want = (i + 1) * (theta - rotation) + rotation;
            const double got = Direction(s, OtherEnd(lines[static_cast<size_t>(i)], s));
            EXPECT_NEAR(std::remainder(got - want, 360.0), 0, 1e-7) << round << " " << i;
        }

        // A rectangle: four right angles, the third corner at the opposite point.
        const CPointD p = At(coord(random), coord(random));
        Point(0, s.m_x, s.m_y);
        Value(1, theta);
        Point(2, p.m_x, p.m_y);
        ASSERT_EQ(Run("BAP"), 1);
        lines = LoggedLines(Doc());
        if (lines.size() == 4u) {
            for (int i = 0; i < 4; ++i) {
                const CLine& a = lines[static_cast<size_t>(i)];
                const CLine& b = lines[static_cast<size_t>((i + 1) % 4)];
                const double dot = (a.m_end.m_x - a.m_start.m_x) * (b.m_end.m_x - b.m_start.m_x) +
                                   (a.m_end.m_y - a.m_start.m_y) * (b.m_end.m_y - b.m_start.m_y);
                EXPECT_NEAR(dot, 0, 1e-6) << round;
            }
            const bool touches = Distance(lines[1].m_start, p) < 1e-9 || Distance(lines[1].m_end, p) < 1e-9;
            EXPECT_TRUE(touches) << round;
        }

        // Parallels at d(i + 1), in the direction of the line.
        const CPointD a = At(coord(random), coord(random));
        const CPointD b = At(coord(random), coord(random));
        Picked(0, a, b, At(a.m_x + 1, a.m_y), 3);
        const double d = small(random);
        Value(1, 3);
        Value(2, d);
        ASSERT_EQ(Run("LND"), 1);
        lines = LoggedLines(Doc());
        ASSERT_EQ(lines.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            const CLine& l = lines[static_cast<size_t>(i)];
            EXPECT_NEAR(Distance(l.m_start, l.m_end), Distance(a, b), 1e-7);
            EXPECT_NEAR(std::fabs(SignedDistanceToLine(l.m_start, a, b)), d * (i + 1), 1e-7);
            EXPECT_NEAR(std::fabs(SignedDistanceToLine(l.m_end, a, b)), d * (i + 1), 1e-7);
        }

        // A tangent from a point: the radius meets it at a right angle.
        const CPointD m = At(coord(random), coord(random));
        const double r = small(random);
        const CPointD from = At(m.m_x + r + small(random), m.m_y + coord(random));
        Point(0, from.m_x, from.m_y);
        PickedCircle(1, m, r, At(m.m_x, m.m_y + r));
        ASSERT_EQ(Run("PC"), 1);
        lines = LoggedLines(Doc());
        ASSERT_EQ(lines.size(), 1u);
        const CPointD t = Distance(lines[0].m_start, from) < 1e-9 ? lines[0].m_end : lines[0].m_start;
        EXPECT_NEAR(Distance(t, m), r, 1e-7);
        EXPECT_NEAR((t.m_x - m.m_x) * (from.m_x - t.m_x) + (t.m_y - m.m_y) * (from.m_y - t.m_y), 0, 1e-6);

        // Two circles far apart: the tangent lies r1 and r2 from the centres.
        const CPointD m2 = At(m.m_x + 60 + small(random), m.m_y + coord(random));
        const double r2 = small(random);
        PickedCircle(0, m, r, At(m.m_x, m.m_y + r + 1));
        PickedCircle(1, m2, r2, At(m2.m_x, m2.m_y + r2 + 1));
        ASSERT_EQ(Run("CC"), 1);
        lines = LoggedLines(Doc());
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_NEAR(std::fabs(SignedDistanceToLine(m, lines[0].m_start, lines[0].m_end)), r, 1e-7);
        EXPECT_NEAR(std::fabs(SignedDistanceToLine(m2, lines[0].m_start, lines[0].m_end)), r2, 1e-7);
    }
    Doc().m_relAngle = 0;
}

TEST_F(LineExecute, TheNewLayerConditionKeepsTheNewLayerAsTheWriteLayer)
{
    // The drawing's own layer is in use, so the new one is another.
    m_tape.AddLine(At(-5, -5), At(-9, -9));
    m_tape.App().m_appElem.m_layerCondition = 2;
    const std::int16_t before = Doc().m_writeLayer;
    Point(0, 0, 0);
    Point(1, 10, 5);
    EXPECT_EQ(Run("SE"), 1);
    EXPECT_EQ(m_tape.App().m_lastMessage, "新レイヤに作成モードで新レイヤを作りました");
    const std::vector<CLine> lines = LoggedLines(Doc());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(Doc().m_writeLayer, before);
    EXPECT_EQ(lines[0].m_layer, Doc().m_writeLayer);

    // Each line of a bundle on a layer of its own.
    Value(1, 30);
    Value(2, 2);
    Point(3, 10, 1);
    EXPECT_EQ(Run("SANP"), 1);
    const std::vector<CLine> bundle = LoggedLines(Doc());
    ASSERT_EQ(bundle.size(), 2u);
    EXPECT_NE(bundle[0].m_layer, bundle[1].m_layer);
    EXPECT_NE(bundle[0].m_layer, lines[0].m_layer);
    EXPECT_EQ(Doc().m_writeLayer, bundle[1].m_layer);
    m_tape.App().m_appElem.m_layerCondition = 0;
}

// ---- the rest of the table ------------------------------------------------------------------------

TEST_F(LineExecute, WaitingStringsRunNothingAndAStrayCornerStringStartsAfresh)
{
    for (const char* tokens : { "P", "SAN", "BAD", "LNA", "C", "DA", "DL", "DC" }) {
        EXPECT_EQ(Run(tokens), 0) << tokens;
        EXPECT_EQ(Line().m_tokenString, tokens);
    }
    EXPECT_EQ(Run("D"), 0);
    EXPECT_EQ(m_tape.App().m_appElem.m_lastCommandKind, 1);
    EXPECT_EQ(Run("DPP"), 0);
    EXPECT_EQ(Line().m_tokenString, "");
    EXPECT_EQ(Run("XQ"), 0);
    EXPECT_EQ(Line().m_tokenString, "XQ");
    EXPECT_EQ(UndoSteps(), 0);
    EXPECT_TRUE(LiveLines(Doc()).empty());
}

TEST_F(LineOnElements, EditsKeepTheEditedLineUntilTheyMakeItsSuccessor)
{
    CLineCommand& c = Line();
    c.m_editFlag = 1;
    c.m_editBlock = 0;
    c.m_editSlot = 0;
    // "#P" onto the line's own end is stopped with its message.
    Point(1, 10, 0);
    EXPECT_EQ(Run("#P"), 1);
    EXPECT_EQ(m_tape.App().m_lastMessage, "延短先が線分の端点と同じ位置ですので、延短は中止。");
    // Edits that make nothing leave the line and no step: a parallel line to extend to, no
    // length, a cutter beside the segment.
    Picked(1, At(0, 2), At(10, 2), At(5, 2), 4);
    Value(1, 0);
    Point(1, 20, 0);
    Point(2, 3, 3);
    for (const char* tokens : { "#L", "#DP", "#pp" }) {
        EXPECT_EQ(Run(tokens), 1) << tokens;
        ASSERT_EQ(LiveLines(Doc()).size(), 1u) << tokens;
        EXPECT_TRUE(Doc().m_undoHistory->m_pendingSecond.empty()) << tokens;
    }
    EXPECT_EQ(UndoSteps(), 0);

    // An end moved: the old line retired, the new one in one edit step.
    Point(1, 0, 0);
    Point(2, 0, 8);
    EXPECT_EQ(Run("#SP"), 1);
    const std::vector<CLine> lines = LiveLines(Doc());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_POINT(lines[0].m_end, 0, 8);
    ASSERT_EQ(UndoSteps(), 1);
    EXPECT_EQ(Doc().m_undoHistory->m_steps[0]->m_kind, 3);
    Doc().m_undoHistory->Undo();
    ASSERT_EQ(LiveLines(Doc()).size(), 1u);
    EXPECT_POINT(LiveLines(Doc())[0].m_end, 10, 0);
    c.m_editFlag = 0;
}

} // namespace
