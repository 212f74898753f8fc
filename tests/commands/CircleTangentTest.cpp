// The circle command's circles through two points, its circles of a typed radius touching picked
// elements, the list of their solutions and the corner rounding of a double click. The routines
// are given the command's state the way the inputs leave it (picks on the tape where they can be
// made) and called with the token positions of their patterns.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "app/ZelkApp.h"
#include "commands/circle/CircleCommand.h"
#include "commands/circle/ConstructionShapes.h"
#include "commands/line/LineCommand.h"
#include "document/CreationLog.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "input/PointPair.h"
#include "platform/core/Services.h"
#include "tests/support/CommandTape.h"

namespace {

CPointD At(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

CLine LineOf(CPointD a, CPointD b)
{
    CLine line;
    line.m_start = a;
    line.m_end = b;
    OrderPoints(line.m_start, line.m_end);
    return line;
}

size_t Beeps()
{
    return DefaultScriptedServices().m_beeps.size();
}

// The live elements of one kind in the listing ("circle", "line", "arc").
std::vector<std::string> Live(const CZelkDoc& doc, const std::string& kind)
{
    std::vector<std::string> out;
    for (const std::string& row : ListElements(doc)) {
        if (row.rfind(kind + " ", 0) == 0)
            out.push_back(row);
    }
    return out;
}

bool Starts(const std::string& row, const std::string& head)
{
    return row.rfind(head, 0) == 0;
}

const CPointPair& Candidate(const CCircleCommand& c, int i)
{
    return *static_cast<const CPointPair*>(c.m_candidates[i]);
}

void ExpectPoint(CPointD p, double x, double y, const std::string& what)
{
    EXPECT_NEAR(p.m_x, x, 1e-6) << what;
    EXPECT_NEAR(p.m_y, y, 1e-6) << what;
}

// A command in the state its inputs leave: positions 0..2 hold a value, points and picks.
class CircleTangent : public testing::Test {
protected:
    void SetUp() override { m_tape.Code(305); }
    CCircleCommand& C() { return m_tape.Circle(); }
    CZelkDoc& Doc() { return m_tape.Doc(); }
    CZelkApp& App() { return m_tape.App(); }
    void Value(int position, double v) { C().m_values[position].value = v; }
    void Point(int position, CPointD p) { C().m_inputPoints[position].SetPoint(p); }
    void PickedLine(int position, CLine line, CPointD pick)
    {
        C().m_pickedLines[position].Assign(line);
        C().m_pickPoints[position] = pick;
    }
    void PickedCircle(int position, CCircle circle, CPointD pick)
    {
        C().m_pickedCircles[position].Assign(circle);
        C().m_pickPoints[position] = pick;
    }
    CCommandTape m_tape;
};

// ---- through two points ---------------------------------------------------------------------

TEST_F(CircleTangent, AnArcAngleThroughTwoPointsGivesOneCircleOrArc)
{
    const struct {
        double angle;
        int arc;
        const char* element;
        const char* result;
    } cases[] = {
        { 90, 0, "circle 0.000000,-1.000000 r 1.414214", " 弧角･２点の円を作成しました" },
        { 90, 1, "arc 0.000000,-1.000000 r 1.414214 45.000000-135.000000", " 弧角･２点の円弧を作成しました" },
        { -90, 1, "arc 0.000000,1.000000 r 1.414214 225.000000-315.000000", " 弧角･２点の円弧を作成しました" },
        { 180, 1, "arc 0.000000,0.000000 r 1.000000 0.000000-180.000000", " 弧角･２点の円弧を作成しました" },
        { 270, 0, "circle 0.000000,1.000000 r 1.414214", " 弧角･２点の円を作成しました" },
    };
    for (const auto& k : cases) {
        CCommandTape tape;
        CCircleCommand& c = tape.Circle();
        c.m_circleFlag = k.arc ? 0 : 1;
        c.m_values[0].value = k.angle;
        c.m_inputPoints[1].SetPoint(At(1, 0));
        c.m_inputPoints[2].SetPoint(At(-1, 0));
        ASSERT_EQ(c.AddCircleByArcAngle(0, 1, 2), 1) << k.angle;
        const std::vector<std::string> made = Live(tape.Doc(), k.arc ? "arc" : "circle");
        ASSERT_EQ(made.size(), 1u) << k.angle;
        EXPECT_TRUE(Starts(made[0], k.element)) << made[0];
        EXPECT_EQ(tape.App().m_lastResultMessage, k.result);
    }
}

TEST_F(CircleTangent, ArcAnglesWithoutAnArcAreRefusedWithTheirTexts)
{
    const struct {
        double angle;
        int arc;
        CPointD second;
        const char* message;
    } cases[] = {
        { 360, 0, At(-1, 0), "弧角が360度の２点を通る円は作成できません" },
        { -360, 1, At(-1, 0), "弧角が360度の２点を通る円弧は作成できません" },
        { 400, 0, At(-1, 0), "弧角が360度を越える２点を通る円は作成できません" },
        { 0, 0, At(-1, 0), "弧角が零度の２点を通る円は作成できません" },
        { 0, 1, At(1, 0), "弧角が零度の２点を通る円弧は作成できません" },
        { 45, 0, At(1, 0), "同一点を通る弧角指定の円は作成できません" },
    };
    for (const auto& k : cases) {
        C().m_circleFlag = k.arc ? 0 : 1;
        Value(0, k.angle);
        Point(1, At(1, 0));
        Point(2, k.second);
        const size_t beeps = Beeps();
        EXPECT_EQ(C().AddCircleByArcAngle(0, 1, 2), 0);
        EXPECT_EQ(App().m_lastMessage, k.message);
        EXPECT_EQ(Beeps(), beeps + 1);
    }
    EXPECT_EQ(ListElements(Doc()), std::vector<std::string>{ "retired 0" });
}

TEST_F(CircleTangent, ARadiusThroughTwoPointsOffersBothSides)
{
    Value(2, 10);
    Point(0, At(0, 0));
    Point(1, At(10, 0));
    const double h = std::sqrt(75.0);
    ASSERT_EQ(C().AddCircleByTwoPointsAndRadius(0, 1, 2), 1);
    ASSERT_EQ(C().m_candidates.GetSize(), 2);
    ExpectPoint(Candidate(C(), 0).point1, 5, h, "first");
    ExpectPoint(Candidate(C(), 1).point1, 5, -h, "second");
    ASSERT_EQ(Live(Doc(), "circle").size(), 1u);
    EXPECT_TRUE(Starts(Live(Doc(), "circle")[0], "circle 5.000000,8.660254 r 10.000000"));

    // The arc command: the shorter arc on each side, each followed by the rest of its circle.
    CCommandTape tape;
    CCircleCommand& a = tape.Circle();
    a.m_circleFlag = 0;
    a.m_values[2].value = 10;
    a.m_inputPoints[0].SetPoint(At(0, 0));
    a.m_inputPoints[1].SetPoint(At(10, 0));
    ASSERT_EQ(a.AddCircleByTwoPointsAndRadius(0, 1, 2), 1);
    const struct {
        double y, start, end;
    } arcs[] = { { h, 240, 300 }, { h, 300, 600 }, { -h, 60, 120 }, { -h, 120, 420 } };
    ASSERT_EQ(a.m_candidates.GetSize(), 4);
    for (int i = 0; i < 4; ++i) {
        ExpectPoint(Candidate(a, i).point1, 5, arcs[i].y, std::to_string(i));
        ExpectPoint(Candidate(a, i).point2, arcs[i].start, arcs[i].end, std::to_string(i));
    }
    EXPECT_TRUE(Starts(Live(tape.Doc(), "arc")[0], "arc 5.000000,8.660254 r 10.000000 240.000000-300.000000"));

    // A diameter's two centres coincide: the circle is offered once.
    Value(2, 5);
    ASSERT_EQ(C().AddCircleByTwoPointsAndRadius(0, 1, 2), 1);
    EXPECT_EQ(C().m_candidates.GetSize(), 1);
}

TEST_F(CircleTangent, ARadiusThroughTwoPointsRefusesOrDrawsTheLine)
{
    Point(0, At(0, 0));
    Point(1, At(10, 0));
    Value(2, 4);
    size_t beeps = Beeps();
    EXPECT_EQ(C().AddCircleByTwoPointsAndRadius(0, 1, 2), 0);
    EXPECT_EQ(App().m_lastMessage, "指定の２点と半径の円は作成できません");
    EXPECT_EQ(Beeps(), beeps + 1);
    C().m_circleFlag = 0;
    EXPECT_EQ(C().AddCircleByTwoPointsAndRadius(0, 1, 2), 0);
    EXPECT_EQ(App().m_lastMessage, "指定の２点と半径の円弧は作成できません");
    Point(1, At(0, 0));
    EXPECT_EQ(C().AddCircleByTwoPointsAndRadius(0, 1, 2), 0);
    EXPECT_EQ(App().m_lastMessage, "同一点を通る半径指定の円弧は作成できません");
    EXPECT_EQ(ListElements(Doc()), std::vector<std::string>{ "retired 0" });

    // "DBP" with a typed 0: the line between the points, in both commands; on one spot nothing.
    beeps = Beeps();
    EXPECT_EQ(C().AddCircleByTwoPointsAndRadius(1, 2, 0), 0);
    EXPECT_EQ(Beeps(), beeps);
    Value(0, 0);
    Point(1, At(3, 4));
    Point(2, At(0, 0));
    ASSERT_EQ(C().AddCircleByTwoPointsAndRadius(1, 2, 0), 1);
    ASSERT_EQ(Live(Doc(), "line").size(), 1u);
    EXPECT_TRUE(Starts(Live(Doc(), "line")[0], "line 0.000000,0.000000 3.000000,4.000000"));
    EXPECT_EQ(App().m_lastResultMessage, " 円弧コマンドの中で、２点線分を作成しました");
}

// ---- a radius and a line or circle --------------------------------------------------------------

TEST_F(CircleTangent, ARadiusThroughAPointTouchingALine)
{
    PickedLine(1, LineOf(At(-20, 0), At(20, 0)), At(10, 0));
    Value(0, 5);
    Point(2, At(0, 2));
    ASSERT_EQ(C().AddTangentCircleToLineThroughPoint(0, 1, 2), 1);
    ASSERT_EQ(C().m_candidates.GetSize(), 2);
    ExpectPoint(Candidate(C(), 0).point1, 4, 5, "nearer the pick");
    ExpectPoint(Candidate(C(), 1).point1, -4, 5, "mirrored");
    EXPECT_TRUE(Starts(Live(Doc(), "circle")[0], "circle 4.000000,5.000000 r 5.000000"));

    // Picked near the other end the other circle comes first; a point below takes that side.
    PickedLine(1, LineOf(At(-20, 0), At(20, 0)), At(-10, 0));
    Point(2, At(0, -2));
    ASSERT_EQ(C().AddTangentCircleToLineThroughPoint(0, 1, 2), 1);
    ExpectPoint(Candidate(C(), 0).point1, -4, -5, "below");

    // Too far from the line.
    Point(2, At(0, 11));
    const size_t beeps = Beeps();
    EXPECT_EQ(C().AddTangentCircleToLineThroughPoint(0, 1, 2), 0);
    EXPECT_EQ(App().m_lastMessage, "指定の点と線分の距離が指定の半径より大きすぎます");
    EXPECT_EQ(Beeps(), beeps + 1);
    EXPECT_EQ(C().m_candidates.GetSize(), 0);

    // On the line: the two circles touching it there, whole in the arc command too.
    C().m_circleFlag = 0;
    Point(2, At(3, 0));
    ASSERT_EQ(C().AddTangentCircleToLineThroughPoint(0, 1, 2), 1);
    ASSERT_EQ(C().m_candidates.GetSize(), 2);
    ExpectPoint(Candidate(C(), 0).point1, 3, 5, "left");
    ExpectPoint(Candidate(C(), 0).point2, 0, 360, "whole");
    ExpectPoint(Candidate(C(), 1).point1, 3, -5, "right");
}

TEST_F(CircleTangent, TheArcsRunFromTheFeatureGivenFirst)
{
    C().m_circleFlag = 0;
    PickedLine(1, LineOf(At(-20, 0), At(20, 0)), At(10, 0));
    PickedLine(2, LineOf(At(-20, 0), At(20, 0)), At(10, 0));
    Value(0, 5);
    Point(2, At(0, 2));
    Point(1, At(0, 2));
    const double toP1 = PointsAngleDeg(At(4, 5), At(0, 2)) + 360;   // about 216.87
    // "DLP": from the tangent point (straight down) to the point.
    ASSERT_EQ(C().AddTangentCircleToLineThroughPoint(0, 1, 2), 1);
    ASSERT_EQ(C().m_candidates.GetSize(), 4);
    ExpectPoint(Candidate(C(), 0).point2, 270, toP1 + 360, "DLP");
    ExpectPoint(Candidate(C(), 1).point2, toP1, 270, "its complement");
    // "DBL": from the point to the tangent point.
    ASSERT_EQ(C().AddTangentCircleToLineThroughPoint(0, 2, 1), 1);
    ExpectPoint(Candidate(C(), 0).point2, toP1, 270, "DBL");
}

TEST_F(CircleTangent, ARadiusThroughAPointTouchingACircle)
{
    PickedCircle(1, CircleOfRadius(At(0, 0), 10), At(10, 0));
    Value(0, 5);
    Point(2, At(20, 0));
    ASSERT_EQ(C().AddTangentCircleToCircleThroughPoint(2, 0, 1), 1);
    ASSERT_EQ(C().m_candidates.GetSize(), 1);
    ExpectPoint(Candidate(C(), 0).point1, 15, 0, "the one outside");
    EXPECT_TRUE(Starts(Live(Doc(), "circle")[0], "circle 15.000000,0.000000 r 5.000000"));

    // Two answers: the one nearer the rubber band's centre first.
    Point(2, At(12, 0));
    C().m_previewCentre = At(12, -5);
    ASSERT_EQ(C().AddTangentCircleToCircleThroughPoint(2, 0, 1), 1);
    ASSERT_GE(C().m_candidates.GetSize(), 2);
    EXPECT_LT(Candidate(C(), 0).point1.m_y, 0);
    C().m_previewCentre = At(12, 5);
    ASSERT_EQ(C().AddTangentCircleToCircleThroughPoint(2, 0, 1), 1);
    EXPECT_GT(Candidate(C(), 0).point1.m_y, 0);

    // A typed zero, and a point too far for any.
    Value(0, 0);
    const size_t beeps = Beeps();
    EXPECT_EQ(C().AddTangentCircleToCircleThroughPoint(2, 0, 1), 0);
    EXPECT_EQ(App().m_lastMessage, "半径が零の円は作成できません");
    EXPECT_EQ(Beeps(), beeps + 1);
    Value(0, 2);
    Point(2, At(40, 0));
    App().ShowMessage("", 0);
    EXPECT_EQ(C().AddTangentCircleToCircleThroughPoint(2, 0, 1), 0);
    EXPECT_EQ(App().m_lastMessage, "");
}

TEST_F(CircleTangent, ATangentPointOnACircleChoosesBetweenOutsideAndInside)
{
    PickedCircle(1, CircleOfRadius(At(0, 0), 10), At(0, 10));
    Value(0, 3);
    Point(2, At(20, 0));
    C().m_previewCentre = At(20, 0);
    ASSERT_EQ(C().AddTangentCircleAtCirclePoint(0, 1, 2), 1);
    EXPECT_TRUE(Starts(Live(Doc(), "circle")[0], "circle 13.000000,0.000000 r 3.000000"));
    C().m_previewCentre = At(6, 0);
    ASSERT_EQ(C().AddTangentCircleAtCirclePoint(0, 1, 2), 1);
    EXPECT_TRUE(Starts(Live(Doc(), "circle")[0], "circle 7.000000,0.000000 r 3.000000"));
    // Equally near both: the outside one.
    C().m_previewCentre = At(10, 0);
    ASSERT_EQ(C().AddTangentCircleAtCirclePoint(0, 1, 2), 1);
    EXPECT_TRUE(Starts(Live(Doc(), "circle")[0], "circle 13.000000,0.000000 r 3.000000"));

    // At the centre no direction leads to a touching point.
    Point(2, At(0, 0));
    const size_t beeps = Beeps();
    EXPECT_EQ(C().AddTangentCircleAtCirclePoint(0, 1, 2), 0);
    EXPECT_EQ(App().m_lastMessage, "接点が円(弧)の中心にあり円は作成できません");
    EXPECT_EQ(Beeps(), beeps + 1);
}

TEST_F(CircleTangent, ATangentPointOnALineTakesThePointersSide)
{
    PickedLine(1, LineOf(At(-20, 0), At(20, 0)), At(0, 0));
    Value(0, 4);
    Point(2, At(6, 0.5));
    m_tape.Move(At(0, 8));
    ASSERT_EQ(C().AddTangentCircleAtLinePoint(0, 1, 2), 1);
    EXPECT_TRUE(Starts(Live(Doc(), "circle")[0], "circle 6.000000,4.000000 r 4.000000"));
    m_tape.Move(At(0, -8));
    ASSERT_EQ(C().AddTangentCircleAtLinePoint(0, 1, 2), 1);
    EXPECT_TRUE(Starts(Live(Doc(), "circle")[0], "circle 6.000000,-4.000000 r 4.000000"));
    // No view of the drawing, no pointer: the line's left, though the origin lies on its right.
    auto* active = App().m_activeView;
    App().m_activeView = nullptr;
    PickedLine(1, LineOf(At(-20, 5), At(20, 5)), At(0, 5));
    Point(2, At(6, 5));
    ASSERT_EQ(C().AddTangentCircleAtLinePoint(0, 1, 2), 1);
    App().m_activeView = active;
    EXPECT_TRUE(Starts(Live(Doc(), "circle")[0], "circle 6.000000,9.000000 r 4.000000")) << Live(Doc(), "circle")[0];
    // The arc command leaves it as its tentative edit circle.
    C().m_circleFlag = 0;
    ASSERT_EQ(C().AddTangentCircleAtLinePoint(0, 1, 2), 1);
    EXPECT_EQ(Doc().m_creationLog->m_final, 0);
    Value(0, 0);
    EXPECT_EQ(C().AddTangentCircleAtLinePoint(0, 1, 2), 0);
    EXPECT_EQ(App().m_lastMessage, "半径が零の円は登録しません");
}

// ---- a radius and two elements ----------------------------------------------------------------

class CircleRounding : public CircleTangent {
protected:
    // L1 (0,0)-(20,0) and L2 (10,-10)-(10,10), the radius 5 typed and both lines picked.
    void PickTwoLines(bool doubleClickFirst)
    {
        m_tape.AddLine(At(0, 0), At(20, 0));
        m_tape.AddLine(At(10, -10), At(10, 10));
        m_tape.Menu("連続半径接円/2点円");
        ASSERT_EQ(m_tape.Typed("5").tokens, "D");
        if (doubleClickFirst) {
            // The radius step made the circle command the one that ran last.
            ASSERT_EQ(App().m_appElem.m_lastCommandKind, 2);
            const CCommandRow& twice = m_tape.LeftDouble(At(7, 0));
            ASSERT_EQ(twice.tokens, "DL");
            ASSERT_EQ(C().m_stepOptions[1], 1);
        } else {
            ASSERT_EQ(m_tape.Pick(At(7, 0)).tokens, "DL");
        }
        m_tape.Pick(At(10, 3));
        // The construction runs while the completed string still holds the double click's mark;
        // the picks at the points the user aimed at, not at the pixel they fell on.
        C().m_stepOptions[1] = doubleClickFirst ? 1 : 0;
        C().m_pickPoints[1] = At(7, 0);
        C().m_pickPoints[2] = At(10, 3);
        ASSERT_EQ(C().m_pickedRefs[0].m_kind, ELEM_LINE);
        ASSERT_EQ(C().m_pickedRefs[1].m_kind, ELEM_LINE);
        C().m_tokenString = "D";
    }
    CLine* DocLine(int i) { return Doc().GetLineElem(C().m_pickedRefs[i].m_block, C().m_pickedRefs[i].m_slot); }
};

TEST_F(CircleRounding, TwoLinesGiveTheCornerOfThePicksAndQGoesOnByDistance)
{
    PickTwoLines(false);
    int changed = 7;
    ASSERT_EQ(C().AddTangentCircleToTwoLines(0, 1, 2, changed), 1);
    EXPECT_EQ(changed, 0);
    ASSERT_EQ(Live(Doc(), "circle").size(), 1u);
    EXPECT_TRUE(Starts(Live(Doc(), "circle")[0], "circle 5.000000,5.000000 r 5.000000"));
    EXPECT_EQ(App().m_lastResultMessage,
              " 半径･２線分の接円を作成しました。キー [Q] [Shift]+[Q] で他の円(弧)に切り替えができます。");
    EXPECT_EQ(Live(Doc(), "line").size(), 2u);
    Doc().m_undoHistory->Commit(1);

    const CPointD next[] = { At(15, 5), At(5, -5), At(15, -5) };
    for (const CPointD& p : next) {
        m_tape.Key('Q');
        const std::vector<std::string> circles = Live(Doc(), "circle");
        ASSERT_EQ(circles.size(), 1u);
        char head[64];
        std::snprintf(head, sizeof head, "circle %.6f,%.6f r 5.000000", p.m_x, p.m_y);
        EXPECT_TRUE(Starts(circles[0], head)) << circles[0];
    }
}

TEST_F(CircleRounding, TheArcCommandListsEachFilletWithTheRestOfItsCircle)
{
    C().m_circleFlag = 0;
    PickTwoLines(false);
    C().m_circleFlag = 0;
    int changed = 0;
    ASSERT_EQ(C().AddTangentCircleToTwoLines(0, 1, 2, changed), 1);
    ASSERT_EQ(Live(Doc(), "arc").size(), 1u);
    EXPECT_TRUE(Starts(Live(Doc(), "arc")[0], "arc 5.000000,5.000000 r 5.000000 270.000000-360.000000"))
        << Live(Doc(), "arc")[0];
    EXPECT_EQ(App().m_lastResultMessage,
              " 半径･２線分の接円弧を作成しました。キー [Q] [Shift]+[Q] で他の円(弧)に切り替えができます。");
    ASSERT_EQ(C().m_candidates.GetSize(), 8);
    for (int i = 0; i < 8; i += 2) {
        const CPointPair& arc = Candidate(C(), i);
        const CPointPair& rest = Candidate(C(), i + 1);
        ExpectPoint(rest.point1, arc.point1.m_x, arc.point1.m_y, "same centre");
        EXPECT_NEAR((arc.point2.m_y - arc.point2.m_x) + (rest.point2.m_y - rest.point2.m_x), 360, 1e-9);
    }
}

TEST_F(CircleRounding, RefusalsLeaveTheDrawingAndTheListEmpty)
{
    const size_t beeps = Beeps();
    PickedLine(1, LineOf(At(0, 0), At(10, 0)), At(1, 0));
    PickedLine(2, LineOf(At(0, 3), At(10, 3)), At(1, 3));
    Value(0, 2);
    int changed = 0;
    EXPECT_EQ(C().AddTangentCircleToTwoLines(0, 1, 2, changed), 0);
    EXPECT_EQ(App().m_lastMessage, "指定の２つの接線分が平行なので円は作成できません");
    // Even on one line.
    PickedLine(2, LineOf(At(20, 0), At(30, 0)), At(25, 0));
    C().m_circleFlag = 0;
    EXPECT_EQ(C().AddTangentCircleToTwoLines(0, 1, 2, changed), 0);
    EXPECT_EQ(App().m_lastMessage, "指定の２つの接線分が平行なので円弧は作成できません");

    PickedCircle(1, CircleOfRadius(At(0, 0), 5), At(5, 0));
    PickedCircle(2, CircleOfRadius(At(0, 0), 8), At(8, 0));
    EXPECT_EQ(C().AddTangentCircleToTwoCircles(0, 1, 2, changed), 0);
    EXPECT_EQ(App().m_lastMessage, "指定の２つの接円(弧)が同心なので半径指定の円弧は作成できません");
    C().m_circleFlag = 1;
    PickedCircle(2, CircleOfRadius(At(100, 0), 8), At(92, 0));
    EXPECT_EQ(C().AddTangentCircleToTwoCircles(0, 1, 2, changed), 0);
    EXPECT_EQ(App().m_lastMessage, "指定半径で指定の２円(弧)に接する円は作成できません");
    EXPECT_EQ(Beeps(), beeps + 4);

    // A line and a circle without an answer: the caller says so.
    PickedLine(1, LineOf(At(-10, 0), At(10, 0)), At(0, 0));
    PickedCircle(2, CircleOfRadius(At(0, 50), 5), At(0, 45));
    App().ShowMessage("", 0);
    EXPECT_EQ(C().AddTangentCircleToLineAndCircle(0, 1, 2, changed), 0);
    EXPECT_EQ(App().m_lastMessage, "");
    EXPECT_EQ(C().m_candidates.GetSize(), 0);
    EXPECT_EQ(ListElements(Doc()), std::vector<std::string>{ "retired 0" });
}

TEST_F(CircleRounding, ALineAndACircleTakeTheAnswerNearestTheRubberBand)
{
    PickedLine(1, LineOf(At(-20, 0), At(20, 0)), At(0, 0));
    PickedCircle(2, CircleOfRadius(At(0, 6), 3), At(0, 3));
    Value(0, 2);
    C().m_previewCentre = At(-3, 2);
    int changed = 0;
    ASSERT_EQ(C().AddTangentCircleToLineAndCircle(0, 1, 2, changed), 1);
    const std::vector<std::string> circles = Live(Doc(), "circle");
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_TRUE(Starts(circles[0], "circle -3.000000,2.000000 r 2.000000")) << circles[0];
    const std::string line = static_cast<const char*>(App().m_lastMessage);
    EXPECT_NE(line.find(" 半径･線分･円(弧)の接円を作成しました 。キー [Q] [Shift]+[Q] で他の円(弧)に切り替えができます。"),
              std::string::npos);
    EXPECT_EQ(C().m_candidates.GetSize(), 2);
    C().m_previewCentre = At(3, 2);
    ASSERT_EQ(C().AddTangentCircleToLineAndCircle(0, 1, 2, changed), 1);
    EXPECT_TRUE(Starts(Live(Doc(), "circle")[0], "circle 3.000000,2.000000 r 2.000000"));
}

TEST_F(CircleRounding, DoubleClicksRoundTheCornerAndPutTheEnvironmentBack)
{
    m_tape.App().m_appElem.m_layerCondition = 0;
    PickTwoLines(true);
    EXPECT_EQ(C().m_stepOptions[1], 1);
    EXPECT_EQ(App().m_appElem.m_creationEnv, 1);
    EXPECT_EQ(App().m_appElem.m_layerCondition, 1);
    EXPECT_EQ(App().m_savedLayerCondition, 0);
    // The second line in a layer and group of its own.
    CLine* second = DocLine(1);
    ASSERT_NE(second, nullptr);
    second->m_layer = 3;
    Doc().m_groups.Add(new CGroup);
    second->m_group = 0;
    second->m_role = 5;

    int changed = 0;
    ASSERT_EQ(C().AddTangentCircleToTwoLines(0, 1, 2, changed), 1);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(App().m_lastResultMessage, " 角丸めを行いました。キー [Q] [Shift]+[Q] で他の円(弧)に切り替えができます。");
    std::vector<std::string> lines = Live(Doc(), "line");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(Starts(lines[0], "line 0.000000,0.000000 5.000000,0.000000")) << lines[0];
    EXPECT_TRUE(Starts(lines[1], "line 10.000000,-10.000000 10.000000,10.000000")) << lines[1];
    EXPECT_TRUE(Starts(Live(Doc(), "circle")[0], "circle 5.000000,5.000000 r 5.000000"));
    Doc().m_undoHistory->Commit(3);
    EXPECT_EQ(C().m_candidates.GetSize(), 4);

    // The double click on the second line.
    C().OnDoubleClick();
    lines = Live(Doc(), "line");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(Starts(lines[1], "line 10.000000,5.000000 10.000000,10.000000 layer 3 group 0 role 5")) << lines[1];
    const CGroup* group = Doc().GetGroup(0);
    ASSERT_EQ(group->m_members.size(), 1u);
    EXPECT_EQ(group->m_members[0].m_kind, ELEM_LINE);
    EXPECT_EQ(App().m_appElem.m_creationEnv, 0);
    EXPECT_EQ(App().m_appElem.m_layerCondition, 0);
    EXPECT_EQ(C().m_stepOptions[1], 0);
    EXPECT_EQ(Doc().m_undoHistory->m_steps.back()->m_kind, 3);

    // Once more: nothing left to replace.
    const int steps = Doc().m_undoHistory->GetStepCount();
    C().OnDoubleClick();
    EXPECT_EQ(Doc().m_undoHistory->GetStepCount(), steps);
    EXPECT_EQ(Live(Doc(), "line").size(), 2u);

}

TEST_F(CircleRounding, QAfterTheRoundingBringsTheFirstLineBackWhole)
{
    PickTwoLines(true);
    int changed = 0;
    ASSERT_EQ(C().AddTangentCircleToTwoLines(0, 1, 2, changed), 1);
    ASSERT_EQ(changed, 1);
    Doc().m_undoHistory->Commit(3);
    const std::string firstCut = Live(Doc(), "line")[0];
    EXPECT_TRUE(Starts(firstCut, "line 0.000000,0.000000 5.000000,0.000000")) << firstCut;

    // The next solution, the lines whole again and no cut copy left.
    m_tape.Key('Q');
    const std::vector<std::string> lines = Live(Doc(), "line");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(Starts(lines[0], "line 0.000000,0.000000 20.000000,0.000000")) << lines[0];
    EXPECT_TRUE(Starts(lines[1], "line 10.000000,-10.000000 10.000000,10.000000")) << lines[1];
    const std::vector<std::string> circles = Live(Doc(), "circle");
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_TRUE(Starts(circles[0], "circle 15.000000,5.000000 r 5.000000")) << circles[0];
}

TEST_F(CircleRounding, ARefusedRoundingRetiresNothing)
{
    PickTwoLines(true);
    Value(0, 0);
    // Whatever the typed radius's own step did, the refused rounding changes nothing more.
    const size_t lines = Live(Doc(), "line").size();
    const int retired = DocLine(0)->m_state & 8;
    const size_t pending = Doc().m_undoHistory->m_pendingSecond.size();
    int changed = 0;
    EXPECT_EQ(C().AddTangentCircleToTwoLines(0, 1, 2, changed), 0);
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(App().m_lastMessage, "半径が零の円は登録しません");
    EXPECT_EQ(Live(Doc(), "line").size(), lines);
    EXPECT_EQ(DocLine(0)->m_state & 8, retired);
    EXPECT_EQ(Doc().m_undoHistory->m_pendingSecond.size(), pending);
}

TEST_F(CircleRounding, DoubleClicksThatSwitchNothing)
{
    // A refused pick before: the note only is cleared.
    C().m_tokenString = "DL";
    C().m_pickedRefs[0].m_kind = ELEM_LINE;
    C().m_refusalNote = 1;
    C().OnDoubleClick();
    EXPECT_EQ(C().m_refusalNote, 0);
    EXPECT_EQ(C().m_stepOptions[1], 0);
    EXPECT_EQ(App().m_appElem.m_creationEnv, 0);
    // A circle picked first.
    C().m_pickedRefs[0].m_kind = ELEM_CIRCLE;
    C().OnDoubleClick();
    EXPECT_EQ(C().m_stepOptions[1], 0);
    EXPECT_EQ(App().m_appElem.m_creationEnv, 0);
    // A circle as the second element stays, and the option bytes are cleared.
    C().m_tokenString = "D";
    C().m_pickedRefs[1].m_kind = ELEM_CIRCLE;
    C().m_stepOptions[3] = 1;
    C().m_tangentPoints[1] = At(1, 0);
    C().m_tangentPoints[3] = At(2, 0);
    const int steps = Doc().m_undoHistory->GetStepCount();
    C().OnDoubleClick();
    EXPECT_EQ(C().m_stepOptions[3], 0);
    EXPECT_EQ(Doc().m_undoHistory->GetStepCount(), steps);
}

TEST_F(CircleRounding, ADoubleClickedArcIsCutAtItsTangentPoint)
{
    // Two arcs, rounded with a circle touching both from outside.
    const std::int16_t pen = Doc().FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
    Doc().AddArc(At(0, 0), 5, At(0, 180), 0, pen);
    Doc().AddArc(At(12, 0), 5, At(0, 180), 0, pen);
    C().m_pickedRefs[0].Init(ELEM_ARC, 0, 0, 1, 0);
    C().m_pickedRefs[1].Init(ELEM_ARC, 0, 1, 1, 0);
    PickedCircle(1, CircleOfRadius(At(0, 0), 5), At(3, 4));
    PickedCircle(2, CircleOfRadius(At(12, 0), 5), At(9, 4));
    Value(0, 2);
    C().m_previewCentre = At(6, 3);
    C().m_stepOptions[1] = 1;
    int changed = 0;
    ASSERT_EQ(C().AddTangentCircleToTwoCircles(0, 1, 2, changed), 1);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(App().m_lastResultMessage, " 角丸めを行いました。キー [Q] [Shift]+[Q] で他の円(弧)に切り替えができます。");
    const double y = std::sqrt(13.0);
    EXPECT_TRUE(Starts(Live(Doc(), "circle")[0], "circle 6.000000,3.605551 r 2.000000")) << Live(Doc(), "circle")[0];
    // The first arc now starts where the circle touches it; the second is cut by the double click.
    const double touch = std::atan2(y, 6.0) * 180 / PI;
    char first[80];
    std::snprintf(first, sizeof first, "arc 0.000000,0.000000 r 5.000000 %.6f-180.000000", touch);
    std::vector<std::string> arcs = Live(Doc(), "arc");
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_TRUE(Starts(arcs[0], "arc 12.000000,0.000000 r 5.000000 0.000000-180.000000")) << arcs[0];
    EXPECT_TRUE(Starts(arcs[1], first)) << arcs[1];
    Doc().m_undoHistory->Commit(3);
    C().m_tokenString = "D";
    C().OnDoubleClick();
    char second[80];
    std::snprintf(second, sizeof second, "arc 12.000000,0.000000 r 5.000000 0.000000-%.6f", 180 - touch);
    arcs = Live(Doc(), "arc");
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_TRUE(Starts(arcs[1], second)) << arcs[1];
}

TEST(CircleLineGroup, ALineRebuiltFromAGroupMemberJoinsItsGroup)
{
    CCommandTape tape;
    CZelkDoc& doc = tape.Doc();
    tape.AddLine(At(0, 0), At(10, 0));
    tape.AddLine(At(0, 5), At(10, 5));
    CLine* source = doc.GetLineElem(0, 0);
    ASSERT_NE(source, nullptr);
    CLineCommand& line = tape.Line();
    // In no group: nothing to record.
    EXPECT_EQ(line.AddLineToSourceGroup(0, 0, 0, 1), 0);
    doc.m_groups.Add(new CGroup);
    source->m_group = 0;
    source->m_role = 16;
    EXPECT_EQ(line.AddLineToSourceGroup(0, 0, -1, -1), 0);
    ASSERT_EQ(line.AddLineToSourceGroup(0, 0, 0, 1), 1);
    EXPECT_EQ(doc.GetLineElem(0, 1)->m_group, 0);
    EXPECT_EQ(doc.GetLineElem(0, 1)->m_role, 16);
    ASSERT_EQ(doc.GetGroup(0)->m_members.size(), 1u);
    EXPECT_EQ(doc.GetGroup(0)->m_members[0].m_slot, 1);
    // A group number that names no group.
    source->m_group = 9;
    EXPECT_EQ(line.AddLineToSourceGroup(0, 0, 0, 1), 0);
    EXPECT_EQ(doc.GetGroup(0)->m_members.size(), 1u);
}

// ---- every answer touches what it should ------------------------------------------------------

double LineGap(const CLine& l, CPointD x, double r)
{
    return std::fabs(std::fabs(SignedDistanceToLine(x, l.m_start, l.m_end)) - r);
}

double CircleGap(const CCircle& k, CPointD x, double r)
{
    const double d = Distance(k.m_centre, x);
    return std::min(std::fabs(d - (k.m_radius + r)), std::fabs(d - std::fabs(k.m_radius - r)));
}

// The list rules every construction with several answers keeps: keys in order (equal within
// rounding in arrival order), no repeats, and in the arc command each arc followed by the rest of
// its circle.
void ExpectTheListRules(const CCircleCommand& c, bool arc, const std::string& what)
{
    const int n = static_cast<int>(c.m_candidates.GetSize());
    for (int i = 1; i < n; ++i) {
        const CPointPair& k = Candidate(c, i);
        EXPECT_LE(Candidate(c, i - 1).value1, k.value1 + 1e-9) << what << " #" << i;
        for (int j = 0; j < i; ++j) {
            const CPointPair& o = Candidate(c, j);
            EXPECT_FALSE(PointsNearlyEqual(o.point1, k.point1) && PointsNearlyEqual(o.point2, k.point2))
                << what << " #" << i << " repeats #" << j;
        }
    }
    for (int i = 0; arc && i < n; ++i) {
        const CPointPair& k = Candidate(c, i);
        if (NearlyEqual(k.point2.m_y - k.point2.m_x, 360))
            continue;
        ASSERT_LT(i + 1, n) << what;
        const CPointPair& rest = Candidate(c, i + 1);
        EXPECT_TRUE(PointsNearlyEqual(rest.point1, k.point1)) << what << " #" << i;
        EXPECT_NEAR((k.point2.m_y - k.point2.m_x) + (rest.point2.m_y - rest.point2.m_x), 360, 1e-6) << what << " #" << i;
        ++i;
    }
}

TEST(CircleTangentProperty, EveryCandidateTouchesItsElementsAndPassesItsPoint)
{
    std::mt19937 random(62);
    std::uniform_real_distribution<double> coord(-50, 50);
    std::uniform_real_distribution<double> size(1, 20);
    const char* const patterns[] = { "DLL", "DLC", "DCL", "DCC", "DLP", "DCP" };
    int checked = 0;
    for (int round = 0; round < 40; ++round) {
        for (const char* pattern : patterns) {
            for (int arc = 0; arc < 2; ++arc) {
                CCommandTape tape;
                CCircleCommand& c = tape.Circle();
                c.m_circleFlag = arc ? 0 : 1;
                const double r = size(random);
                c.m_values[0].value = round % 2 ? -r : r;
                CLine lines[3];
                CCircle circles[3];
                for (int i = 1; i <= 2; ++i) {
                    lines[i].Assign(LineOf(At(coord(random), coord(random)), At(coord(random), coord(random))));
                    circles[i].Assign(CircleOfRadius(At(coord(random), coord(random)), size(random)));
                    c.m_pickedLines[i].Assign(lines[i]);
                    c.m_pickedCircles[i].Assign(circles[i]);
                    c.m_pickPoints[i] = At(coord(random), coord(random));
                }
                c.m_previewCentre = At(coord(random), coord(random));
                // The pass point near the element, so that answers exist often.
                const CPointD pass = At(coord(random) / 5, coord(random) / 5);
                c.m_inputPoints[2].SetPoint(pass);
                const std::string p = pattern;
                int changed = 0;
                int made = 0;
                if (p == "DLL")
                    made = c.AddTangentCircleToTwoLines(0, 1, 2, changed);
                else if (p == "DLC")
                    made = c.AddTangentCircleToLineAndCircle(0, 1, 2, changed);
                else if (p == "DCL")
                    made = c.AddTangentCircleToLineAndCircle(0, 2, 1, changed);
                else if (p == "DCC")
                    made = c.AddTangentCircleToTwoCircles(0, 1, 2, changed);
                else if (p == "DLP")
                    made = c.AddTangentCircleToLineThroughPoint(0, 1, 2);
                else
                    made = c.AddTangentCircleToCircleThroughPoint(2, 0, 1);
                const int n = static_cast<int>(c.m_candidates.GetSize());
                EXPECT_EQ(made != 0, n > 0) << p;
                for (int i = 0; i < n; ++i) {
                    const CPointPair& k = Candidate(c, i);
                    const std::string what = p + " #" + std::to_string(i);
                    EXPECT_NEAR(k.value2, r, 1e-9) << what;
                    const bool line1 = p[1] == 'L';
                    const bool touches2 = p[2] == 'L' || p[2] == 'C';
                    EXPECT_LT(line1 ? LineGap(lines[1], k.point1, r) : CircleGap(circles[1], k.point1, r), 1e-6) << what;
                    if (touches2) {
                        EXPECT_LT(p[2] == 'L' ? LineGap(lines[2], k.point1, r) : CircleGap(circles[2], k.point1, r), 1e-6)
                            << what;
                    } else {
                        EXPECT_TRUE(NearlyEqual(Distance(k.point1, pass), r)) << what;
                    }
                    ++checked;
                }
                ExpectTheListRules(c, arc != 0, p);
            }
        }
    }
    EXPECT_GT(checked, 500);
}

} // namespace

namespace {

// ---- the same inputs through the command's dispatch, row by row ---------------------------------

// L1 (0,0)-(20,0) and L2 (10,-10)-(10,10) on a fresh tape, the rounding menu chosen and 5 typed.
class CircleRoundingTape : public testing::Test {
protected:
    void SetUp() override
    {
        m_tape.Code(305);
        m_tape.AddLine(At(0, 0), At(20, 0));
        m_tape.AddLine(At(10, -10), At(10, 10));
        m_tape.Menu("連続半径接円/2点円");
        ASSERT_EQ(m_tape.Typed("5").tokens, "D");
    }
    std::vector<std::string> Circles() { return Live(m_tape.Doc(), "circle"); }
    std::vector<std::string> Lines() { return Live(m_tape.Doc(), "line"); }
    CCommandTape m_tape;
};

TEST_F(CircleRoundingTape, TwoPicksMakeTheCornerCircleAndQSteps)
{
    ASSERT_EQ(m_tape.Pick(At(7, 0)).tokens, "DL");
    const CCommandRow& made = m_tape.Pick(At(10, 3));
    EXPECT_EQ(made.tokens, "D");
    EXPECT_EQ(made.result,
              " 半径･２線分の接円を作成しました。キー [Q] [Shift]+[Q] で他の円(弧)に切り替えができます。");
    EXPECT_EQ(made.undoKinds, "1");
    ASSERT_EQ(Circles().size(), 1u);
    EXPECT_TRUE(Starts(Circles()[0], "circle 5.000000,5.000000 r 5.000000")) << Circles()[0];

    // (15,5) and (5,-5) lie at equal distance from the picks, so the pixels the clicks fall on
    // decide their order; the farthest corner comes last.
    std::vector<std::string> seen;
    for (int i = 0; i < 3; ++i) {
        const CCommandRow& q = m_tape.Key('Q');
        EXPECT_EQ(q.tokens, "D");
        const std::vector<std::string> circles = Circles();
        ASSERT_EQ(circles.size(), 1u);
        seen.push_back(circles[0].substr(0, circles[0].find(" layer")));
        EXPECT_EQ(Lines().size(), 2u);
    }
    std::sort(seen.begin(), seen.begin() + 2);
    EXPECT_EQ(seen, (std::vector<std::string>{ "circle 15.000000,5.000000 r 5.000000", "circle 5.000000,-5.000000 r 5.000000",
                                               "circle 15.000000,-5.000000 r 5.000000" }));
}

TEST_F(CircleRoundingTape, DoubleClicksOnBothLinesRoundTheCorner)
{
    m_tape.App().m_appElem.m_layerCondition = 0;
    // L2 in a layer and a group of its own, which its cut-back copy takes over.
    CLine* second = nullptr;
    for (int block = 0; block < m_tape.Doc().m_lineBlocks.GetSize(); ++block) {
        for (int slot = 0; slot < 100; ++slot) {
            CLine* line = m_tape.Doc().GetLineElem(block, slot);
            if (line && line->m_start.m_x == 10)
                second = line;
        }
    }
    ASSERT_NE(second, nullptr);
    second->m_layer = 3;
    m_tape.Doc().m_groups.Add(new CGroup);
    second->m_group = 0;
    second->m_role = 5;
    const std::int16_t writeLayer = m_tape.Doc().m_writeLayer;
    const CCommandRow& first = m_tape.LeftDouble(At(7, 0));
    EXPECT_EQ(first.tokens, "DL");
    EXPECT_EQ(first.result, " [同レイヤ] [選択要素の環境で作成する] モードに切り替えました");
    EXPECT_EQ(m_tape.App().m_appElem.m_creationEnv, 1);

    // The click of the second double click picks L2 and rounds L1; its double click cuts L2.
    const CCommandRow& twice = m_tape.LeftDouble(At(10, 3));
    EXPECT_EQ(twice.tokens, "D");
    EXPECT_EQ(twice.undoKinds, "3 3");
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(Starts(lines[0], "line 0.000000,0.000000 5.000000,0.000000")) << lines[0];
    EXPECT_TRUE(Starts(lines[1], "line 10.000000,5.000000 10.000000,10.000000 layer 3 group 0 role 5")) << lines[1];
    ASSERT_EQ(Circles().size(), 1u);
    EXPECT_TRUE(Starts(Circles()[0], "circle 5.000000,5.000000 r 5.000000")) << Circles()[0];
    EXPECT_EQ(twice.result, " 角丸めを行いました。キー [Q] [Shift]+[Q] で他の円(弧)に切り替えができます。");
    const CGroup* group = m_tape.Doc().GetGroup(0);
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->m_members.size(), 1u);
    EXPECT_EQ(group->m_members[0].m_kind, ELEM_LINE);
    EXPECT_EQ(m_tape.App().m_appElem.m_creationEnv, 0);
    EXPECT_EQ(m_tape.App().m_appElem.m_layerCondition, 0);
    EXPECT_EQ(m_tape.Doc().m_writeLayer, writeLayer);
    EXPECT_EQ(m_tape.Circle().m_stepOptions[1], 0);
}

TEST(CircleRadiusTangentTape, TheArcCommandOffersEachFilletThenTheRestOfItsCircle)
{
    CCommandTape tape;
    tape.Code(306);
    tape.AddLine(At(0, 0), At(20, 0));
    tape.AddLine(At(10, -10), At(10, 10));
    tape.Menu("連続半径接円弧/2点/角丸め", 1);
    ASSERT_EQ(tape.Typed("5").tokens, "D");
    tape.Pick(At(7, 0));
    const CCommandRow& made = tape.Pick(At(10, 3));
    EXPECT_EQ(made.tokens, "D");
    EXPECT_EQ(made.undoKinds, "1");
    EXPECT_EQ(made.result,
              " 半径･２線分の接円弧を作成しました。キー [Q] [Shift]+[Q] で他の円(弧)に切り替えができます。");
    ASSERT_EQ(tape.Circle().m_candidates.GetSize(), 8);
    std::vector<std::string> arcs = Live(tape.Doc(), "arc");
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_TRUE(Starts(arcs[0], "arc 5.000000,5.000000 r 5.000000 270.000000-360.000000")) << arcs[0];
    // Q: the rest of the same circle replaces the fillet.
    tape.Key('Q');
    arcs = Live(tape.Doc(), "arc");
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_TRUE(Starts(arcs[0], "arc 5.000000,5.000000 r 5.000000 0.000000-270.000000")) << arcs[0];
}

TEST_F(CircleRoundingTape, QAfterARoundingBringsTheFirstLineBackWhole)
{
    m_tape.App().m_appElem.m_layerCondition = 0;
    m_tape.LeftDouble(At(7, 0));
    const CCommandRow& rounded = m_tape.Pick(At(10, 3));
    EXPECT_EQ(rounded.tokens, "D");
    EXPECT_EQ(rounded.undoKinds, "3");
    EXPECT_EQ(rounded.result, " 角丸めを行いました。キー [Q] [Shift]+[Q] で他の円(弧)に切り替えができます。");
    ASSERT_EQ(Lines().size(), 2u);
    EXPECT_TRUE(Starts(Lines()[0], "line 0.000000,0.000000 5.000000,0.000000")) << Lines()[0];

    m_tape.Key('Q');
    const std::vector<std::string> whole = Lines();
    ASSERT_EQ(whole.size(), 2u);
    EXPECT_TRUE(Starts(whole[0], "line 0.000000,0.000000 20.000000,0.000000")) << whole[0];
    EXPECT_TRUE(Starts(whole[1], "line 10.000000,-10.000000 10.000000,10.000000")) << whole[1];
    ASSERT_EQ(Circles().size(), 1u);
    // Equal distance from the picks: the clicks' pixels decide which of the two comes next.
    EXPECT_TRUE(Starts(Circles()[0], "circle 15.000000,5.000000 r 5.000000") ||
                Starts(Circles()[0], "circle 5.000000,-5.000000 r 5.000000"))
        << Circles()[0];
}

// "DLP" and "DCH" as they are given: the radius typed, the element picked, the point typed or
// clicked on the circle; the rubber band where the pointer was chooses between the two "DCH"
// circles.
TEST(CircleRadiusTangentTape, APassPointOrATangentPointAfterThePick)
{
    CCommandTape tape;
    tape.Code(305);
    tape.AddLine(At(-20, 0), At(20, 0));
    tape.Menu("連続半径接円/2点円");
    tape.Typed("5");
    ASSERT_EQ(tape.Pick(At(10, 0)).tokens, "DL");
    const CCommandRow& made = tape.Typed("0,2");
    EXPECT_EQ(made.tokens, "D");
    EXPECT_EQ(made.undoKinds, "1");
    ASSERT_EQ(Live(tape.Doc(), "circle").size(), 1u);
    EXPECT_TRUE(Starts(Live(tape.Doc(), "circle")[0], "circle 4.000000,5.000000 r 5.000000"));
    tape.Key('Q');
    ASSERT_EQ(Live(tape.Doc(), "circle").size(), 1u);
    EXPECT_TRUE(Starts(Live(tape.Doc(), "circle")[0], "circle -4.000000,5.000000 r 5.000000"));

    for (const double inside : { 0.0, 1.0 }) {
        CCommandTape t;
        t.Code(305);
        t.AddCircle(At(0, 0), 10);
        t.Menu("連続半径接円/2点円");
        t.Typed("3");
        ASSERT_EQ(t.Pick(At(0, 10)).tokens, "DC");
        // The circle's quadrant point, clicked from inside or outside the circle: the point search
        // finds the tangent point, the rubber band drawn at the pointer the side.
        const CCommandRow& row = t.RightClick(inside ? At(9.7, 0) : At(10.3, 0));
        EXPECT_EQ(t.Circle().m_inputPoints[2].GetEffective(&t.Doc(), 1).m_x, 10);
        EXPECT_EQ(row.undoKinds, "1");
        const std::vector<std::string> circles = Live(t.Doc(), "circle");
        ASSERT_EQ(circles.size(), 2u);
        EXPECT_TRUE(Starts(circles[1], inside ? "circle 7.000000,0.000000 r 3.000000" : "circle 13.000000,0.000000 r 3.000000"))
            << circles[1];
    }
}

// A line and an arc rounded by two double clicks: the rubber band drawn while the pointer moved
// over the corner chooses the circle; the line is cut back at once, the arc by the second double
// click, and the layer condition from before the switch comes back.
TEST(CircleRadiusTangentTape, ALineAndAnArcAreRoundedByDoubleClicks)
{
    CCommandTape tape;
    tape.Code(305);
    tape.App().m_appElem.m_layerCondition = 0;
    tape.AddLine(At(-20, 0), At(20, 0));
    tape.Doc().AddArc(At(0, 6), 3, At(180, 360), 0, tape.Doc().FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
    tape.Menu("連続半径接円/2点円");
    ASSERT_EQ(tape.Typed("2").tokens, "D");
    ASSERT_EQ(tape.LeftDouble(At(8, 0)).tokens, "DL");
    // Of the two circles (±3, 2) touching both, the one the rubber band showed.
    tape.Move(At(3.5, 2.5));
    EXPECT_GT(tape.Circle().m_previewCentre.m_x, 0);
    const CCommandRow& rounded = tape.LeftDouble(At(2.4, 4.2));
    EXPECT_EQ(rounded.tokens, "D");
    EXPECT_EQ(rounded.undoKinds, "3 3");
    EXPECT_NE(rounded.message.find(" 角丸めを行いました 。キー [Q] [Shift]+[Q] で他の円(弧)に切り替えができます。"),
              std::string::npos)
        << rounded.message;
    const std::vector<std::string> lines = Live(tape.Doc(), "line");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(Starts(lines[0], "line -20.000000,0.000000 3.000000,0.000000")) << lines[0];
    const std::vector<std::string> circles = Live(tape.Doc(), "circle");
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_TRUE(Starts(circles[0], "circle 3.000000,2.000000 r 2.000000")) << circles[0];
    // The arc ends where the circle touches it, towards (1.8, 3.6).
    const std::vector<std::string> arcs = Live(tape.Doc(), "arc");
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_TRUE(Starts(arcs[0], "arc 0.000000,6.000000 r 3.000000 180.000000-306.869898")) << arcs[0];
    EXPECT_EQ(rounded.listing.back(), "retired 2");
    EXPECT_EQ(tape.App().m_appElem.m_layerCondition, 0);
}

// Refusals through the dispatch: the message, one beep, nothing drawn or recorded, and the picks
// given up so the next pick starts over after the radius.
TEST(CircleRadiusTangentTape, RefusedPairsSayWhyAndDrawNothing)
{
    const struct {
        const char* pattern;
        bool circle1;
        CPointD a1, b1; // a line's ends, or a circle's centre and (radius, 0)
        CPointD pick1;
        bool circle2;
        CPointD a2, b2;
        CPointD pick2;
        const char* message;
    } cases[] = {
        { "DLL", false, At(0, 0), At(20, 0), At(5, 0), false, At(0, 3), At(20, 3), At(5, 3),
          "指定の２つの接線分が平行なので円は作成できません" },
        { "DCC", true, At(0, 0), At(5, 0), At(5, 0), true, At(0, 0), At(20, 0), At(0, 20),
          "指定の２つの接円(弧)が同心なので半径指定の円は作成できません" },
        { "DLC", false, At(-10, 0), At(10, 0), At(2, 0), true, At(0, 50), At(5, 0), At(0, 45),
          "指定の半径で指定の線分と円弧に接する円は作成できません" },
        { "DCL", true, At(0, 50), At(5, 0), At(0, 45), false, At(-10, 0), At(10, 0), At(2, 0),
          "指定の半径で指定の線分と円弧に接する円は作成できません" },
    };
    for (const auto& k : cases) {
        CCommandTape tape;
        tape.Code(305);
        if (k.circle1)
            tape.AddCircle(k.a1, k.b1.m_x);
        else
            tape.AddLine(k.a1, k.b1);
        if (k.circle2)
            tape.AddCircle(k.a2, k.b2.m_x);
        else
            tape.AddLine(k.a2, k.b2);
        tape.Menu("連続半径接円/2点円");
        ASSERT_EQ(tape.Typed("2").tokens, "D") << k.pattern;
        ASSERT_EQ(tape.Pick(k.pick1).tokens, std::string(k.pattern).substr(0, 2)) << k.pattern;
        const CCommandRow& refused = tape.Pick(k.pick2);
        EXPECT_EQ(refused.message, k.message) << k.pattern;
        EXPECT_EQ(refused.beeps, 1) << k.pattern;
        EXPECT_EQ(refused.undoKinds, "") << k.pattern;
        EXPECT_TRUE(Live(tape.Doc(), "circle").size() == (k.circle1 ? 1u : 0u) + (k.circle2 ? 1u : 0u)) << k.pattern;
        EXPECT_EQ(tape.Circle().m_candidates.GetSize(), 0) << k.pattern;
    }
}

// ---- every answer touches what it should, picked on the tape ------------------------------------

// Generated lines and circles picked as a person picks them, the radius typed and a pass point
// typed: whatever the dispatch made, its candidates touch the picked elements, pass the point,
// come without repeats in the order of their keys, and in the arc command each arc is followed
// by the rest of its circle.
TEST(CircleRadiusTangentTape, PickedElementsGiveCandidatesThatTouchThem)
{
    std::mt19937 random(6201);
    std::uniform_real_distribution<double> unit(-1, 1);
    auto tenth = [](double v) { return std::round(v * 10) / 10; };
    const char* const patterns[] = { "DLL", "DLC", "DCL", "DCC", "DLP", "DCP" };
    int made = 0;
    for (int round = 0; round < 8; ++round) {
        for (const char* pattern : patterns) {
            const std::string p = pattern;
            for (int arc = 0; arc < 2; ++arc) {
                SCOPED_TRACE(p + (arc ? " arc " : " circle ") + std::to_string(round));
                // An about horizontal line picked at one end, an about vertical one at its top; a
                // circle above the lines picked at its top, or a second one right of it.
                const CLine l1 = LineOf(At(-60, tenth(10 * unit(random))), At(60, tenth(10 * unit(random))));
                const CLine l2 = LineOf(At(tenth(10 * unit(random)), -60), At(tenth(10 * unit(random)), 60));
                const CPointD onL1 = At(50, l1.m_start.m_y + (l1.m_end.m_y - l1.m_start.m_y) * 110 / 120);
                const double up = (50 - l2.m_start.m_y) / (l2.m_end.m_y - l2.m_start.m_y);
                const CPointD onL2 = At(l2.m_start.m_x + (l2.m_end.m_x - l2.m_start.m_x) * up, 50);
                const CCircle k1 = CircleOfRadius(At(tenth(-15 + 5 * unit(random)), tenth(30 + 5 * unit(random))),
                                                  tenth(8 + 4 * unit(random)));
                const CCircle k2 = CircleOfRadius(At(tenth(15 + 5 * unit(random)), tenth(30 + 5 * unit(random))),
                                                  tenth(8 + 4 * unit(random)));
                const CPointD onK1 = At(k1.m_centre.m_x - k1.m_radius, k1.m_centre.m_y);
                const CPointD onK2 = At(k2.m_centre.m_x + k2.m_radius, k2.m_centre.m_y);
                const double r = tenth(12 + 8 * unit(random));
                const CPointD pass = At(tenth(10 * unit(random)), tenth(15 + 10 * unit(random)));

                CCommandTape tape;
                tape.Code(arc ? 306 : 305);
                tape.AddLine(l1.m_start, l1.m_end);
                tape.AddLine(l2.m_start, l2.m_end);
                tape.AddCircle(k1.m_centre, k1.m_radius);
                tape.AddCircle(k2.m_centre, k2.m_radius);
                tape.Menu(arc ? "連続半径接円弧/2点/角丸め" : "連続半径接円/2点円", arc);
                ASSERT_EQ(tape.Value(r, 6).tokens, "D");
                // The elements of positions 1 and 2, in the pattern's order.
                const CLine* lines[3] = { nullptr, nullptr, nullptr };
                const CCircle* circles[3] = { nullptr, nullptr, nullptr };
                int line = 0, circle = 0;
                CCommandRow last;
                for (int i = 1; i < 3; ++i) {
                    if (p[i] == 'L') {
                        lines[i] = line == 0 ? &l1 : &l2;
                        last = tape.Pick(line++ == 0 ? onL1 : onL2);
                    } else if (p[i] == 'C') {
                        circles[i] = circle == 0 ? &k1 : &k2;
                        last = tape.Pick(circle++ == 0 ? onK1 : onK2);
                    } else {
                        char typed[64];
                        std::snprintf(typed, sizeof typed, "%.1f,%.1f", pass.m_x, pass.m_y);
                        last = tape.Typed(typed);
                    }
                    if (i == 1) {
                        ASSERT_EQ(last.tokens, p.substr(0, 2));
                    }
                }
                // The continuous mode starts its next figure after the radius.
                ASSERT_EQ(last.tokens, "D");
                CCircleCommand& c = tape.Circle();
                const int n = c.m_candidates.GetSize();
                EXPECT_EQ(last.undoKinds.empty(), n == 0);
                made += n > 0 ? 1 : 0;
                for (int i = 0; i < n; ++i) {
                    const CPointPair& k = Candidate(c, i);
                    EXPECT_NEAR(std::fabs(k.value2), r, 1e-9) << i;
                    for (int j = 1; j < 3; ++j) {
                        if (lines[j]) {
                            EXPECT_LT(LineGap(*lines[j], k.point1, r), 1e-6) << i;
                        } else if (circles[j]) {
                            EXPECT_LT(CircleGap(*circles[j], k.point1, r), 1e-6) << i;
                        } else {
                            EXPECT_TRUE(NearlyEqual(Distance(k.point1, pass), r)) << i;
                        }
                    }
                }
                ExpectTheListRules(c, arc != 0, p);
            }
        }
    }
    EXPECT_GT(made, 40);
}

// ---- through two points, as the menus take them ------------------------------------------------

// The arc angle typed first, then the two points right-clicked (at the ends of two short lines,
// which the point search finds): one circle or arc, or a refusal.
TEST(CircleTwoPointTape, AnArcAngleAndTwoClickedPoints)
{
    const struct {
        int arc;
        double angle;
        const char* made;    // the element's listing head, or null for a refusal
        const char* text;    // the result, or the refusal
    } cases[] = {
        { 0, 90, "circle 0.000000,-1.000000 r 1.414214", " 弧角･２点の円を作成しました" },
        { 1, 90, "arc 0.000000,-1.000000 r 1.414214 45.000000-135.000000", " 弧角･２点の円弧を作成しました" },
        { 1, -90, "arc 0.000000,1.000000 r 1.414214 225.000000-315.000000", " 弧角･２点の円弧を作成しました" },
        { 0, 360, nullptr, "弧角が360度の２点を通る円は作成できません" },
        { 0, 400, nullptr, "弧角が360度を越える２点を通る円は作成できません" },
        { 1, 0, nullptr, "弧角が零度の２点を通る円弧は作成できません" },
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.text);
        CCommandTape tape;
        tape.Code(k.arc ? 306 : 305);
        tape.AddLine(At(1, 0), At(1, 3));
        tape.AddLine(At(-1, 0), At(-1, 3));
        tape.Menu(k.arc ? "弧角円弧" : "弧角円", k.arc);
        ASSERT_EQ(tape.Value(k.angle, 11).tokens, "A");
        ASSERT_EQ(tape.RightClick(At(1, 0)).tokens, "AP");
        const CCommandRow& row = tape.RightClick(At(-1, 0));
        const std::vector<std::string> made = Live(tape.Doc(), k.arc ? "arc" : "circle");
        if (!k.made) {
            EXPECT_EQ(row.message, k.text);
            EXPECT_EQ(row.beeps, 1);
            EXPECT_EQ(row.undoKinds, "");
            EXPECT_TRUE(made.empty());
            continue;
        }
        EXPECT_EQ(row.result, k.text);
        EXPECT_EQ(row.undoKinds, "1");
        ASSERT_EQ(made.size(), 1u);
        EXPECT_TRUE(Starts(made[0], k.made)) << made[0];
    }
}

// "BPD": a double point, a point and the radius. The arc command offers the shorter arc on each
// side of the chord, each followed by the rest of its circle, and Q steps through them.
TEST(CircleTwoPointTape, ARadiusThroughTwoPointsStepsThroughBothSides)
{
    // The points are the ends of two short lines, which the point search finds.
    CCommandTape tape;
    tape.Code(306);
    tape.AddLine(At(0, 0), At(0, -3));
    tape.AddLine(At(10, 0), At(10, -3));
    tape.Menu("３要素接円弧/３点円弧", 1);
    ASSERT_EQ(tape.RightDouble(At(0, 0)).tokens, "B");
    ASSERT_EQ(tape.RightClick(At(10, 0)).tokens, "BP");
    const CCommandRow& made = tape.Value(10, 6);
    EXPECT_EQ(made.undoKinds, "1");
    const char* const heads[] = {
        "arc 5.000000,8.660254 r 10.000000 240.000000-300.000000",
        "arc 5.000000,8.660254 r 10.000000 300.000000-600.000000",
        "arc 5.000000,-8.660254 r 10.000000 60.000000-120.000000",
        "arc 5.000000,-8.660254 r 10.000000 120.000000-420.000000",
    };
    ASSERT_EQ(tape.Circle().m_candidates.GetSize(), 4);
    for (int i = 0; i < 4; ++i) {
        const std::vector<std::string> arcs = Live(tape.Doc(), "arc");
        ASSERT_EQ(arcs.size(), 1u) << i;
        EXPECT_TRUE(Starts(arcs[0], heads[i])) << arcs[0];
        tape.Key('Q');
    }

    // A chord longer than the diameter: refused, nothing drawn.
    CCommandTape refused;
    refused.Code(305);
    refused.AddLine(At(0, 0), At(0, -3));
    refused.AddLine(At(10, 0), At(10, -3));
    refused.Menu("３要素接円～３点円");
    refused.RightDouble(At(0, 0));
    refused.RightClick(At(10, 0));
    const CCommandRow& no = refused.Value(4, 6);
    EXPECT_EQ(no.tokens, "BPD");
    EXPECT_EQ(no.message, "指定の２点と半径の円は作成できません");
    EXPECT_EQ(no.beeps, 1);
    EXPECT_EQ(no.undoKinds, "");
    EXPECT_TRUE(Live(refused.Doc(), "circle").empty());
}

// "DBP" with a typed 0: the line between the two points, in the circle command too.
TEST(CircleTwoPointTape, AZeroRadiusDrawsTheLineBetweenThePoints)
{
    CCommandTape tape;
    tape.Code(305);
    tape.AddLine(At(3, 4), At(3, 8));
    tape.AddLine(At(0, 0), At(-4, 0));
    tape.Menu("連続半径接円/2点円");
    ASSERT_EQ(tape.Value(0, 6).tokens, "D");
    ASSERT_EQ(tape.RightDouble(At(3, 4)).tokens, "DB");
    const CCommandRow& made = tape.RightClick(At(0, 0));
    EXPECT_EQ(made.result, " 円弧コマンドの中で、２点線分を作成しました");
    EXPECT_EQ(made.undoKinds, "1");
    // The two lines the points lay on, and the new one between them.
    const std::vector<std::string> lines = Live(tape.Doc(), "line");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(Starts(lines[2], "line 0.000000,0.000000 3.000000,4.000000")) << lines[2];
    EXPECT_TRUE(Live(tape.Doc(), "circle").empty());
}

} // namespace
