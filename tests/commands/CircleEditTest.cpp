// The circle command's edits of existing circles, arcs and ellipses, called as the dispatch
// calls them: the drawing afterwards, the messages, the pending undo records and the groups.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/ZelkApp.h"
#include "commands/circle/CircleCommand.h"
#include "document/CreationLog.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/TypePen.h"
#include "geometry/Angles.h"
#include "input/PointEntry.h"
#include "platform/core/Services.h"
#include "tests/support/AppTestSupport.h"
#include "tests/support/CommandTape.h"

namespace {

CPointD At(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

CPointD Polar(double degrees, double r)
{
    const double a = degrees * 3.14159265358979323846 / 180;
    return At(r * std::cos(a), r * std::sin(a));
}

template <class Block>
std::int16_t IndexOf(const CObArray& blocks, const Block* block)
{
    for (int b = 0; b < blocks.GetSize(); ++b)
        if (blocks[b] == block)
            return static_cast<std::int16_t>(b);
    return -1;
}

// The live elements of the drawing, without its groups and the count of retired ones.
std::vector<std::string> Live(const CZelkDoc& doc)
{
    std::vector<std::string> live;
    for (const std::string& line : ListElements(doc)) {
        if (line.rfind("group ", 0) != 0 && line.rfind("retired ", 0) != 0)
            live.push_back(line);
    }
    return live;
}

// The state an edit leaves: deleted; the redraw bit is gone once the views redrew.
template <class Element>
int Retiring(const Element& e)
{
    return e.m_state & ~STATE_REDRAW;
}

std::string Retired(const CZelkDoc& doc)
{
    return ListElements(doc).back();
}

class CircleEdit : public testing::Test {
protected:
    void SetUp() override
    {
        m_tape.Code(305);
        m_pen = Doc().FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
    }

    CZelkDoc& Doc() { return m_tape.Doc(); }
    CZelkApp& App() { return m_tape.App(); }
    CCircleCommand& Edit() { return m_tape.CircleInt(); }
    int Beeps() const { return static_cast<int>(DefaultScriptedServices().m_beeps.size()); }
    size_t Pending() { return Doc().m_undoHistory->m_pendingFirst.size() + Doc().m_undoHistory->m_pendingSecond.size(); }

    CCircle& PickCircle(CPointD centre, double radius, std::int16_t layer = 0)
    {
        CCircles* block = Doc().AddCircle(centre, radius, layer, m_pen);
        CCircleCommand& e = Edit();
        e.m_editFlag = 1;
        e.m_editClass = 1;
        e.m_editBlock = IndexOf(Doc().m_circleBlocks, block);
        e.m_editSlot = static_cast<std::int16_t>(block->m_count - 1);
        return block->m_slots[e.m_editSlot];
    }

    CArc& PickArc(double start, double end, int pickPosition = 3, std::int16_t layer = 0)
    {
        CArcs* block = Doc().AddArc(At(0, 0), 10, At(start, end), layer, m_pen);
        CCircleCommand& e = Edit();
        e.m_editFlag = 1;
        e.m_editClass = 0;
        e.m_editBlock = IndexOf(Doc().m_arcBlocks, block);
        e.m_editSlot = static_cast<std::int16_t>(block->m_count - 1);
        e.m_editPickPosition = pickPosition;
        return block->m_slots[e.m_editSlot];
    }

    // A plain group holding the element as its only member.
    template <class Element>
    CGroup& Group(Element& element, std::int16_t kind, std::int16_t role)
    {
        auto* g = new CGroup;
        const std::int16_t index = static_cast<std::int16_t>(Doc().m_groups.Add(g));
        element.m_group = index;
        element.m_role = role;
        CElemRef ref;
        ref.Init(kind, Edit().m_editBlock, Edit().m_editSlot, STATE_LIVE, 1);
        g->m_members.push_back(ref);
        return *g;
    }

    // What the dispatch and the input routing do after an edit answered 1.
    void Finish(int kind)
    {
        Doc().m_undoHistory->Commit(kind);
        Doc().m_creationLog->Commit(1);
    }

    void Point(int k, CPointD p) { Edit().m_inputPoints[k].SetPoint(p); }
    void Value(int k, double v) { Edit().m_values[k].value = v; }
    void Line(int k, CPointD a, CPointD b, CPointD pick)
    {
        Edit().m_pickedLines[k].m_start = a;
        Edit().m_pickedLines[k].m_end = b;
        Edit().m_pickPoints[k] = pick;
    }
    void Circle(int k, CPointD centre, double radius, CPointD pick)
    {
        Edit().m_pickedCircles[k].m_centre = centre;
        Edit().m_pickedCircles[k].m_radius = radius;
        Edit().m_pickPoints[k] = pick;
    }

    CCommandTape m_tape;
    std::int16_t m_pen = 0;
};

TEST_F(CircleEdit, ACircleBecomesTheArcItsOperandsBound)
{
    struct Case {
        const char* what;
        int (CCircleCommand::*routine)(int, int, int);
        int first, second, cut;
        double start, end;
        const char* message;
    };
    // Position 1 holds east or an angle of 30, position 2 north or west.
    const Case cases[] = {
        {"%PP", &CCircleCommand::CircleToArcByPoints, 1, 2, 0, 0, 90, " 円を始点と終点の位置で円弧に編集しました"},
        {"%pp", &CCircleCommand::CircleToArcByPoints, 1, 2, 1, 90, 360, " 円を始点と終点の位置で円弧に編集しました"},
        {"%AP", &CCircleCommand::CircleToArcByPointAndAngle, 2, 1, 0, 30, 180,
         " 円を始角と終点の位置で円弧に編集しました"},
        {"%PA", &CCircleCommand::CircleToArcByPointAndAngle, 1, 2, 0, 180, 390,
         " 円を始点の位置と終角で円弧に編集しました"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CCircle& circle = PickCircle(At(0, 0), 10);
        const std::int16_t block = Edit().m_editBlock, slot = Edit().m_editSlot;
        const bool angleFirst = std::string(c.what) == "%AP";
        const bool angleSecond = std::string(c.what) == "%PA";
        Point(1, angleFirst ? At(0, 0) : At(5, 0));
        Value(1, 30);
        Point(2, angleFirst ? At(-7, 0) : angleSecond ? At(0, 0) : At(0, 3));
        Value(2, 30);
        if (angleSecond)
            Point(1, At(-7, 0));
        ASSERT_EQ((Edit().*c.routine)(c.first, c.second, c.cut), 1);
        EXPECT_EQ(Retiring(circle), 0x08);
        EXPECT_EQ(App().m_lastResultMessage, c.message);
        const CArcs* arcs = static_cast<const CArcs*>(Doc().m_arcBlocks[Doc().m_arcBlocks.GetSize() - 1]);
        const CArc& arc = arcs->m_slots[arcs->m_count - 1];
        EXPECT_NEAR(arc.m_startAngle, c.start, 1e-9);
        EXPECT_NEAR(arc.m_endAngle, c.end, 1e-9);
        // The dispatch's step: one undo brings the circle back and takes the arc away.
        Finish(3);
        Doc().m_undoHistory->Undo();
        EXPECT_EQ(circle.m_state & STATE_DELETED, 0);
        EXPECT_NE(arc.m_state & STATE_DELETED, 0);
        Doc().m_undoHistory->Redo();
        static_cast<void>(block);
        static_cast<void>(slot);
    }
}

TEST_F(CircleEdit, ACrossingThatMissesRefusesWithNothingChanged)
{
    CCircle& circle = PickCircle(At(0, 0), 10);
    Doc().m_undoHistory->Commit(1);
    const std::vector<std::string> before = ListElements(Doc());
    Circle(1, At(10, 0), 5, At(12, 3));
    Circle(2, At(50, 0), 5, At(50, 5));
    const int beeps = Beeps();
    EXPECT_EQ(Edit().CircleToArcByCircles(1, 2, 0), 0);
    EXPECT_EQ(App().m_lastMessage, "指定円(弧)第２は編集円と交点を持ちません");
    EXPECT_EQ(Beeps(), beeps + 1);
    EXPECT_EQ(ListElements(Doc()), before);
    EXPECT_EQ(Pending(), 0u);
    EXPECT_EQ(circle.m_state & STATE_DELETED, 0);

    // Of two crossings the one nearer the pick: the line y = 6 picked left of the centre.
    Line(1, At(-20, 6), At(20, 6), At(-9, 6));
    Point(2, At(0, -4));
    ASSERT_EQ(Edit().CircleToArcByPointAndLine(2, 1, 0), 1);
    EXPECT_EQ(App().m_lastResultMessage, " 円を交差線分と終点の位置で円弧に編集しました");
    const CArcs* arcs = static_cast<const CArcs*>(Doc().m_arcBlocks[0]);
    EXPECT_NEAR(arcs->m_slots[0].m_startAngle, PointsAngleDeg(At(0, 0), At(-8, 6)), 1e-9);
    EXPECT_NEAR(arcs->m_slots[0].m_endAngle, 270, 1e-9);
}

TEST_F(CircleEdit, TheArcModesEditCircleIsRolledBackAndTheMarkShowsTheStart)
{
    CCircleCommand& e = Edit();
    e.m_editFlag = 0;
    e.m_editClass = 1;
    ASSERT_EQ(e.AddCircle(At(0, 0), 10, 0), 1);
    EXPECT_EQ(Live(Doc()).size(), 1u);
    Point(3, At(10, 0));
    e.MarkStartAtPoint(3);
    ASSERT_EQ(Doc().m_directionMarks.GetSize(), 1);
    const auto* mark = static_cast<const CPointEntry*>(Doc().m_directionMarks[0]);
    EXPECT_NEAR(mark->point.m_x, 10, 1e-9);
    EXPECT_NEAR(mark->point.m_y, 0, 1e-9);
    EXPECT_NEAR(mark->angle, 0, 1e-9);
    Value(3, 33);
    e.MarkStartAtAngle(3);
    EXPECT_EQ(static_cast<const CPointEntry*>(Doc().m_directionMarks[1])->angle, 33);

    Point(4, At(0, 10));
    ASSERT_EQ(e.CircleToArcByPoints(3, 4, 0), 1);
    const std::vector<std::string> live = Live(Doc());
    ASSERT_EQ(live.size(), 1u);
    EXPECT_EQ(live[0].rfind("arc 0.000000,0.000000 r 10.000000 0.000000-90.000000", 0), 0u) << live[0];
    EXPECT_EQ(Retired(Doc()), "retired 0");
    EXPECT_EQ(App().m_lastResultMessage, " 円を始点と終点の位置で円弧に編集しました");
}

TEST_F(CircleEdit, RadiusChangesAndARefusedRadiusKeepsTheCircle)
{
    CCircle& circle = PickCircle(At(1, 1), 10);
    Group(circle, ELEM_CIRCLE, 5);
    Value(1, 0);
    EXPECT_EQ(Edit().ChangeCircleRadius(1), 0);
    EXPECT_EQ(App().m_lastMessage, "半径が零の円は登録しません");
    EXPECT_EQ(circle.m_state & STATE_DELETED, 0);
    EXPECT_EQ(Pending(), 0u);

    Value(1, -4);
    ASSERT_EQ(Edit().ChangeCircleRadius(1), 1);
    EXPECT_EQ(App().m_lastResultMessage, " 円の半径を変更しました");
    EXPECT_EQ(Retiring(circle), 0x08);
    const std::vector<std::string> live = Live(Doc());
    ASSERT_EQ(live.size(), 1u);
    EXPECT_EQ(live[0], "circle 1.000000,1.000000 r 4.000000 layer 0 group 0 role 5 pen " + std::to_string(m_pen));
    const CGroup* g = static_cast<const CGroup*>(Doc().m_groups[0]);
    ASSERT_EQ(g->m_members.size(), 2u);
    EXPECT_EQ(g->m_members[1].m_kind, ELEM_CIRCLE);
    EXPECT_EQ(g->m_members[1].m_block, Edit().m_editBlock);
    EXPECT_EQ(g->m_members[1].m_slot, Edit().m_editSlot);
}

TEST_F(CircleEdit, AnArcEndMovesByWhereTheArcWasPicked)
{
    struct Case {
        const char* what;
        int pickPosition;
        double start, end, radius;
    };
    const Case cases[] = {
        {"#A 350 near the start", 2, 350, 450, 10},
        {"#A 45 near the end", 6, 0, 45, 10},
        // The middle still moves the start, the second half the end.
        {"#A 350 picked at the middle", 4, 350, 450, 10},
        {"#A 45 picked in the second half", 5, 0, 45, 10},
        {"#SP at 45 degrees, 20 out", 0, 45, 90, 20},
        {"#L crossing outside the sweep, end side", 6, 0, 120, 10},
        {"#P far out at 60, start side", 3, 60, 90, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CArc& arc = PickArc(0, 90, c.pickPosition);
        CGroup& g = Group(arc, ELEM_ARC, 16);
        const std::string what = c.what;
        int done = 0;
        if (what.rfind("#A 350", 0) == 0) {
            Value(1, 350);
            done = Edit().MoveArcEndToAngle(1);
        } else if (what.rfind("#A 45", 0) == 0) {
            Value(1, 45);
            done = Edit().MoveArcEndToAngle(1);
        } else if (what.rfind("#SP", 0) == 0) {
            Point(2, Polar(45, 20));
            done = Edit().MoveArcEndToPoint(2, 0, 1);
            EXPECT_EQ(App().m_lastResultMessage, " 円弧の指定の端点を移動しました");
        } else if (what.rfind("#L", 0) == 0) {
            Line(1, At(-5, -20), At(-5, 20), At(-5, 7));
            done = Edit().MoveArcEndToLine(1);
        } else {
            Point(1, Polar(60, 500));
            done = Edit().MoveArcEndToPoint(1, 1, 0);
        }
        ASSERT_EQ(done, 1);
        EXPECT_EQ(Retiring(arc), 0x08);
        const CArcs* arcs = static_cast<const CArcs*>(Doc().m_arcBlocks[Doc().m_arcBlocks.GetSize() - 1]);
        const CArc& made = arcs->m_slots[arcs->m_count - 1];
        EXPECT_NEAR(made.m_startAngle, c.start, 1e-9);
        EXPECT_NEAR(made.m_endAngle, c.end, 1e-9);
        EXPECT_NEAR(made.m_radius, c.radius, 1e-9);
        EXPECT_EQ(made.m_role, 16);
        EXPECT_EQ(made.m_group, arc.m_group);
        ASSERT_EQ(g.m_members.size(), 2u);
        EXPECT_EQ(g.m_members[1].m_kind, ELEM_ARC);
        Finish(3);
    }
}

TEST_F(CircleEdit, ArcEditsRefuseWithoutRetiringTheArc)
{
    CArc& arc = PickArc(0, 90, 6);
    Line(1, At(20, -20), At(20, 20), At(20, 0));
    EXPECT_EQ(Edit().MoveArcEndToLine(1), 0);
    EXPECT_EQ(App().m_lastMessage, "指定線分は編集円と交点を持ちません");
    Point(2, At(0, 0));
    EXPECT_EQ(Edit().MoveArcEndToPoint(2, 0, 2), 0);
    EXPECT_EQ(App().m_lastMessage, "半径が零の円弧は登録しません");
    EXPECT_EQ(arc.m_state & STATE_DELETED, 0);
    EXPECT_EQ(Pending(), 0u);

    // Not an arc, or an index out of range on either side: silently nothing.
    Edit().m_editClass = 1;
    EXPECT_EQ(Edit().ChangeArcRadius(1), 0);
    Edit().m_editClass = 0;
    Edit().m_editSlot = -1;
    EXPECT_EQ(Edit().ChangeArcAttributes(), 0);
    Edit().m_editSlot = 0;
    Edit().m_editBlock = 7;
    EXPECT_EQ(Edit().CutArcByPoints(1, 2), 0);
    Edit().m_editBlock = -1;
    EXPECT_EQ(Edit().MoveArcEndToAngle(1), 0);
    EXPECT_EQ(Pending(), 0u);

    // An end moved onto the other one makes a full turn, which is stored as a circle and takes
    // the arc's place in its group as a circle.
    CArc& arc2 = PickArc(0, 90, 6);
    CGroup& g = Group(arc2, ELEM_ARC, 3);
    Value(1, 0);
    ASSERT_EQ(Edit().MoveArcEndToAngle(1), 1);
    ASSERT_EQ(g.m_members.size(), 2u);
    EXPECT_EQ(g.m_members[1].m_kind, ELEM_CIRCLE);
    const CCircles* circles = static_cast<const CCircles*>(Doc().m_circleBlocks[g.m_members[1].m_block]);
    EXPECT_EQ(circles->m_slots[g.m_members[1].m_slot].m_role, 3);
}

TEST_F(CircleEdit, CirclesAndArcsBecomeEllipses)
{
    struct Case {
        CPointD pass;
        double major, ratio, tilt;
        const char* refusal;
    };
    const Case cases[] = {
        {At(6, 4), 10, 0.5, 0, nullptr},
        {At(6, 16), 20, 0.5, 90, nullptr},
        {At(0, 10), 0, 0, 0, "楕円の比率が1なので円を楕円に変換するのは中止しました"},
        {At(4, 0), 0, 0, 0, "楕円の片軸の寸法が零なので円を楕円に変換するのは中止しました"},
        {At(10, 3), 0, 0, 0, "通過点の位置が不適当なので円を楕円に変換するのは中止しました"},
        {At(15, 3), 0, 0, 0, "通過点の位置が不適当なので円を楕円に変換するのは中止しました"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pass.m_x * 100 + c.pass.m_y);
        CCircle& circle = PickCircle(At(0, 0), 10);
        Value(1, 0);
        Point(2, c.pass);
        const int conics = Doc().m_conicBlocks.GetSize();
        const int beeps = Beeps();
        const int done = Edit().CircleToEllipseThroughPoint(1);
        // The dispatch retires the circle afterwards.
        EXPECT_EQ(circle.m_state & STATE_DELETED, 0);
        if (c.refusal) {
            EXPECT_EQ(done, 0);
            EXPECT_EQ(App().m_lastMessage, c.refusal);
            EXPECT_EQ(Beeps(), beeps + 1);
            EXPECT_EQ(Doc().m_conicBlocks.GetSize(), conics);
            EXPECT_EQ(Pending(), 0u);
            continue;
        }
        ASSERT_EQ(done, 1);
        const CConics* block = static_cast<const CConics*>(Doc().m_conicBlocks[Doc().m_conicBlocks.GetSize() - 1]);
        const CConic& e = block->m_slots[block->m_count - 1];
        EXPECT_NEAR(e.m_majorRadius, c.major, 1e-9);
        EXPECT_NEAR(e.m_ratio, c.ratio, 1e-9);
        EXPECT_NEAR(e.m_tilt, c.tilt, 1e-9);
        EXPECT_NEAR(e.m_startAngle, 0, 1e-9);
        EXPECT_NEAR(e.m_endAngle, 360, 1e-9);
        Finish(1);
    }

    // An arc keeps its range whatever the tilt; a ratio is taken by its size, and above 1 the
    // axes swap. The conic joins the arc's group.
    CArc& arc = PickArc(30, 120);
    CGroup& g = Group(arc, ELEM_ARC, 9);
    Value(1, 45);
    Value(2, -2);
    ASSERT_EQ(Edit().ArcToEllipticArcByRatio(1), 1);
    Finish(1);
    EXPECT_EQ(Doc().m_previewAngle, 45);
    const CConics* block = static_cast<const CConics*>(Doc().m_conicBlocks[Doc().m_conicBlocks.GetSize() - 1]);
    const CConic& e = block->m_slots[block->m_count - 1];
    EXPECT_NEAR(e.m_startAngle, 30, 1e-9);
    EXPECT_NEAR(e.m_endAngle, 120, 1e-9);
    EXPECT_NEAR(e.m_majorRadius, 20, 1e-9);
    EXPECT_NEAR(e.m_ratio, 0.5, 1e-9);
    EXPECT_NEAR(e.m_tilt, 135, 1e-9);
    EXPECT_EQ(e.m_group, arc.m_group);
    EXPECT_EQ(e.m_role, 9);
    ASSERT_EQ(g.m_members.size(), 2u);
    EXPECT_EQ(g.m_members[1].m_kind, ELEM_CONIC);

    PickArc(30, 120);
    Value(1, 0);
    Point(2, At(6, 4));
    ASSERT_EQ(Edit().ArcToEllipticArcThroughPoint(1), 1);
    const CConics* last = static_cast<const CConics*>(Doc().m_conicBlocks[Doc().m_conicBlocks.GetSize() - 1]);
    EXPECT_NEAR(last->m_slots[last->m_count - 1].m_startAngle, 30, 1e-9);
    EXPECT_NEAR(last->m_slots[last->m_count - 1].m_endAngle, 120, 1e-9);
}

TEST_F(CircleEdit, AnAttributeChangeTakesThePenInForceAndKeepsGroupAndRole)
{
    CCircle& circle = PickCircle(At(2, 3), 4);
    Group(circle, ELEM_CIRCLE, 7);
    App().m_appElem.m_color = RGB(255, 0, 0);
    ASSERT_EQ(Edit().ChangeCircleAttributes(), 1);
    EXPECT_EQ(App().m_lastResultMessage, " 円の属性を変更しました");
    EXPECT_EQ(Retiring(circle), 0x08);
    const CCircles* block = static_cast<const CCircles*>(Doc().m_circleBlocks[Edit().m_editBlock]);
    const CCircle& made = block->m_slots[Edit().m_editSlot];
    EXPECT_NE(&made, &circle);
    EXPECT_EQ(made.m_radius, 4);
    EXPECT_EQ(made.m_group, circle.m_group);
    EXPECT_EQ(made.m_role, 7);
    EXPECT_EQ(static_cast<const CTypePen*>(Doc().m_pens[block->m_pen])->m_color, RGB(255, 0, 0));
    Finish(3);

    CArc& arc = PickArc(20, 200);
    Group(arc, ELEM_ARC, 4);
    ASSERT_EQ(Edit().ChangeArcAttributes(), 1);
    EXPECT_EQ(App().m_lastResultMessage, " 円の属性を変更しました");
    EXPECT_EQ(Retiring(arc), 0x08);
    const std::vector<std::string> live = Live(Doc());
    EXPECT_EQ(live.back(), "arc 0.000000,0.000000 r 10.000000 20.000000-200.000000 layer 0 group " +
                               std::to_string(arc.m_group) + " role 4 pen " + std::to_string(block->m_pen));
}

TEST_F(CircleEdit, TheSelectedElementsEnvironmentLendsItsPenForTheEditOnly)
{
    const std::int16_t dashed = Doc().FindOrAddPen(2, 5, RGB(0, 0, 255), 3, 40);
    CCircles* block = Doc().AddCircle(At(0, 0), 10, 0, dashed);
    CCircleCommand& e = Edit();
    e.m_editFlag = 1;
    e.m_editClass = 1;
    e.m_editBlock = IndexOf(Doc().m_circleBlocks, block);
    e.m_editSlot = 0;
    CAppElem& settings = App().m_appElem;
    settings.m_creationEnv = 1;
    settings.m_lineType = 0;
    settings.m_color = RGB(0, 0, 0);
    settings.m_blurCount = 0;
    Point(1, At(10, 0));
    Point(2, At(0, 10));
    ASSERT_EQ(e.CircleToArcByPoints(1, 2, 0), 1);
    const CArcs* arcs = static_cast<const CArcs*>(Doc().m_arcBlocks[0]);
    EXPECT_EQ(arcs->m_pen, dashed);
    EXPECT_EQ(settings.m_lineType, 0);
    EXPECT_EQ(settings.m_color, RGB(0, 0, 0));
    EXPECT_EQ(settings.m_blurCount, 0);
    EXPECT_EQ(settings.m_blurMode, 1);
}

TEST_F(CircleEdit, LayerConditionsPlaceTheNewElement)
{
    const std::int16_t other = Doc().FindOrCreateLayer("other");
    CAppElem& settings = App().m_appElem;
    settings.m_layerCondition = 1;
    PickCircle(At(0, 0), 10, other);
    const std::int16_t write = Doc().m_writeLayer;
    Value(1, 5);
    ASSERT_EQ(Edit().ChangeCircleRadius(1), 1);
    Finish(3);
    EXPECT_EQ(static_cast<const CCircles*>(Doc().m_circleBlocks[Edit().m_editBlock])->m_slots[Edit().m_editSlot].m_layer,
              other);
    EXPECT_EQ(Doc().m_writeLayer, write);

    settings.m_layerCondition = 0;
    PickCircle(At(0, 0), 10, other);
    ASSERT_EQ(Edit().ChangeCircleRadius(1), 1);
    Finish(3);
    EXPECT_EQ(static_cast<const CCircles*>(Doc().m_circleBlocks[Edit().m_editBlock])->m_slots[Edit().m_editSlot].m_layer,
              write);

    settings.m_layerCondition = 2;
    PickCircle(At(0, 0), 10, other);
    const int layers = Doc().m_layers.GetSize();
    ASSERT_EQ(Edit().ChangeCircleRadius(1), 1);
    Finish(3);
    const std::int16_t made =
        static_cast<const CCircles*>(Doc().m_circleBlocks[Edit().m_editBlock])->m_slots[Edit().m_editSlot].m_layer;
    EXPECT_NE(made, other);
    EXPECT_NE(made, write);
    EXPECT_EQ(Doc().m_writeLayer, made);
    // The new layer's note comes first; the result follows on the message line.
    EXPECT_EQ(App().m_lastMessage, "新レイヤに作成モードで新レイヤを作りました 円の半径を変更しました");
    EXPECT_EQ(App().m_lastResultMessage, " 円の半径を変更しました");
    EXPECT_LE(Doc().m_layers.GetSize(), layers + 1);
}

TEST_F(CircleEdit, AnEllipseBecomesOneGroupOfArcsThroughItsPolyline)
{
    const std::int16_t pen = Doc().FindOrAddPen(1, 3, RGB(10, 20, 30), 2, 50);
    CConics* block = Doc().AddConic(At(5, 5), 10, 0.5, At(0, 360), 30, 0, pen);
    CConic& conic = block->m_slots[0];
    auto* outer = new CGroup;
    const std::int16_t outerIndex = static_cast<std::int16_t>(Doc().m_groups.Add(outer));
    conic.m_group = outerIndex;
    CCircleCommand& e = Edit();
    e.m_editFlag = 1;
    e.m_editClass = -1;
    e.m_editBlock = IndexOf(Doc().m_conicBlocks, block);
    e.m_editSlot = 0;
    const std::vector<CPointD> points = conic.m_polyline;
    const int n = static_cast<int>(points.size());
    ASSERT_GE(n, 5);
    Doc().m_undoHistory->Commit(1);
    const size_t steps = Doc().m_undoHistory->m_steps.size();

    ASSERT_EQ(e.ConvertConicToArcCurve(1), 1);
    EXPECT_EQ(Retiring(conic), 0x08);
    EXPECT_EQ(App().m_lastMessage, "楕円(弧)を円弧近似曲線に変換しました。");
    ASSERT_EQ(Doc().m_undoHistory->m_steps.size(), steps + 1);
    EXPECT_EQ(Doc().m_undoHistory->m_steps.back()->m_kind, 3);
    const CGroup* g = static_cast<const CGroup*>(Doc().m_groups[Doc().m_groups.GetSize() - 1]);
    const std::int16_t gi = static_cast<std::int16_t>(Doc().m_groups.GetSize() - 1);
    EXPECT_EQ(g->m_parent, outerIndex);
    ASSERT_EQ(outer->m_members.size(), 1u);
    EXPECT_EQ(outer->m_members[0].m_kind, ELEM_GROUP);
    EXPECT_EQ(outer->m_members[0].m_block, gi);
    ASSERT_EQ(static_cast<int>(g->m_members.size()), n - 2);
    CPointD previousEnd;
    for (int i = 0; i < n - 2; ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(g->m_members[i].m_kind, ELEM_ARC);
        const CArcs* arcs = static_cast<const CArcs*>(Doc().m_arcBlocks[g->m_members[i].m_block]);
        const CArc& a = arcs->m_slots[g->m_members[i].m_slot];
        EXPECT_EQ(a.m_group, gi);
        EXPECT_EQ(static_cast<const CTypePen*>(Doc().m_pens[arcs->m_pen])->m_color, 0x808000u);
        EXPECT_EQ(static_cast<const CTypePen*>(Doc().m_pens[arcs->m_pen])->m_lineType, 1);
        // Its circle passes through its three polyline points.
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(Distance(a.m_centre, points[i + j]), a.m_radius, 1e-4);
        // Ends on the polyline: this piece starts where the last one ended.
        const CPointD s = a.PointAtAngle(a.m_startAngle);
        const CPointD t = a.PointAtAngle(a.m_endAngle);
        const CPointD& far = points[i == n - 3 ? i + 2 : i + 1];
        const bool forward = Distance(s, points[i]) < 1e-4;
        EXPECT_NEAR(Distance(forward ? s : t, points[i]), 0, 1e-4);
        EXPECT_NEAR(Distance(forward ? t : s, far), 0, 1e-4);
        if (i > 0) {
            EXPECT_NEAR(Distance(previousEnd, points[i]), 0, 1e-4);
        }
        previousEnd = forward ? t : s;
    }
    EXPECT_NEAR(Distance(previousEnd, points[n - 1]), 0, 1e-4);

    Doc().m_undoHistory->Undo();
    EXPECT_EQ(conic.m_state & STATE_DELETED, 0);
    const CArcs* first = static_cast<const CArcs*>(Doc().m_arcBlocks[g->m_members[0].m_block]);
    EXPECT_NE(first->m_slots[g->m_members[0].m_slot].m_state & STATE_DELETED, 0);
}

TEST_F(CircleEdit, AnArcCurveUnderANewLayerKeepsItAndThePiecesPen)
{
    CConics* block = Doc().AddConic(At(0, 0), 10, 0.5, At(0, 180), 0, 0, m_pen);
    CCircleCommand& e = Edit();
    e.m_editClass = -1;
    e.m_editBlock = IndexOf(Doc().m_conicBlocks, block);
    e.m_editSlot = 0;
    App().m_appElem.m_layerCondition = 2;
    App().m_appElem.m_creationEnv = 0;
    ASSERT_EQ(e.ConvertConicToArcCurve(1), 1);
    EXPECT_EQ(App().m_lastMessage, "新レイヤに作成モードで新レイヤを作り、楕円(弧)を円弧近似曲線に変換しました。");
    const CGroup* g = static_cast<const CGroup*>(Doc().m_groups[Doc().m_groups.GetSize() - 1]);
    ASSERT_FALSE(g->m_members.empty());
    // A conic in no group gives its curve no parent.
    EXPECT_EQ(g->m_parent, -1);
    for (const CElemRef& ref : g->m_members) {
        const CArcs* arcs = static_cast<const CArcs*>(Doc().m_arcBlocks[ref.m_block]);
        EXPECT_EQ(arcs->m_slots[ref.m_slot].m_layer, Doc().m_writeLayer);
    }
    // Outside the selected element's environment the pieces' pen stays the one in force.
    EXPECT_EQ(App().m_appElem.m_color, 0x808000u);
}

TEST_F(CircleEdit, AnEllipseOfTooFewPointsOrOutOfRangeIsLeftAlone)
{
    CConics* block = Doc().AddConic(At(0, 0), 10, 0.5, At(0, 360), 0, 0, m_pen);
    CCircleCommand& e = Edit();
    e.m_editClass = -1;
    e.m_editBlock = IndexOf(Doc().m_conicBlocks, block);
    e.m_editSlot = 10;
    EXPECT_EQ(e.ConvertConicToArcCurve(1), 0);
    e.m_editSlot = 0;
    block->m_slots[0].m_polyline.resize(2);
    const int groups = Doc().m_groups.GetSize();
    EXPECT_EQ(e.ConvertConicToArcCurve(1), 0);
    EXPECT_EQ(Doc().m_groups.GetSize(), groups);
    EXPECT_EQ(block->m_slots[0].m_state & STATE_DELETED, 0);
    EXPECT_EQ(Pending(), 0u);
}

TEST_F(CircleEdit, ArcsAreSplitOrCutOut)
{
    struct Case {
        double start, end, p1, p2;
        std::vector<std::string> arcs;
        const char* message;
    };
    const char* cutOut = " ２点の位置で編集円弧を中抜きしました";
    const char* split = " 点の位置で編集円弧を分割しました";
    const Case cases[] = {
        {0, 90, 30, 60, {"0.000000-30.000000", "60.000000-90.000000"}, cutOut},
        {0, 90, 60, 30, {"0.000000-30.000000", "60.000000-90.000000"}, cutOut},
        {0, 90, 30, 120, {"0.000000-30.000000", "30.000000-90.000000"}, split},
        {0, 90, 120, 30, {"0.000000-30.000000", "30.000000-90.000000"}, split},
        {0, 90, 45, 45, {"0.000000-45.000000", "45.000000-90.000000"}, split},
        {300, 420, 330, 30, {"300.000000-330.000000", "30.000000-60.000000"}, cutOut},
        {0, 90, 0, 90, {}, "指定の点は編集円弧を分割または中抜きする位置にありません"},
        {0, 90, 200, 300, {}, "指定の点は編集円弧を分割または中抜きする位置にありません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.p1) + " " + std::to_string(c.p2));
        CArc& arc = PickArc(c.start, c.end);
        CGroup& g = Group(arc, ELEM_ARC, 16);
        // A point far out in the direction counts as well as one on the arc.
        Point(1, Polar(c.p1, 300));
        Point(2, Polar(c.p2, 4));
        const int beeps = Beeps();
        const int done = Edit().CutArcByPoints(1, 2);
        if (c.arcs.empty()) {
            EXPECT_EQ(done, 0);
            EXPECT_EQ(App().m_lastMessage, c.message);
            EXPECT_EQ(Beeps(), beeps + 1);
            EXPECT_EQ(arc.m_state & STATE_DELETED, 0);
            EXPECT_EQ(Pending(), 0u);
            continue;
        }
        ASSERT_EQ(done, 1);
        EXPECT_EQ(App().m_lastResultMessage, c.message);
        EXPECT_EQ(Retiring(arc), 0x08);
        const std::vector<std::string> all = Live(Doc());
        ASSERT_GE(all.size(), 2u);
        const std::vector<std::string> live(all.end() - 2, all.end());
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(live[i], "arc 0.000000,0.000000 r 10.000000 " + c.arcs[i] + " layer 0 group " +
                                   std::to_string(arc.m_group) + " role 16 pen " + std::to_string(m_pen));
        }
        EXPECT_EQ(g.m_members.size(), 3u);
        Finish(3);
    }
}

TEST_F(CircleEdit, CutsByLinesCirclesAndAnglesAndTheirLayers)
{
    // "#pA": an angle outside the sweep splits at the point.
    PickArc(0, 90);
    Point(1, Polar(30, 10));
    Value(2, 150);
    ASSERT_EQ(Edit().CutArcByPointAndAngle(1, 2), 1);
    Finish(3);
    EXPECT_EQ(App().m_lastResultMessage, " 点の位置で編集円弧を分割しました");
    Value(2, 60);
    PickArc(0, 90);
    ASSERT_EQ(Edit().CutArcByPointAndAngle(1, 2), 1);
    Finish(3);
    EXPECT_EQ(App().m_lastResultMessage, " 点の位置と角度で編集円弧を中抜きしました");

    // Only crossings on the arc count for a cut: the line x = -5 crosses its circle elsewhere.
    CArc& arc = PickArc(0, 90);
    Line(1, At(-5, -20), At(-5, 20), At(-5, 0));
    EXPECT_EQ(Edit().CutArcByLineAndAngle(1, 2), 0);
    EXPECT_EQ(App().m_lastMessage, "指定の線分は編集円弧と交点を持ちません");
    Circle(1, At(10, 0), 10, At(0, 0));
    Value(2, 80);
    ASSERT_EQ(Edit().CutArcByCircleAndAngle(1, 2), 1);
    Finish(3);
    EXPECT_EQ(App().m_lastResultMessage, "  円／円弧の位置と角度で編集円弧を中抜きしました");
    EXPECT_EQ(Retiring(arc), 0x08);

    // Layer condition 2: one new layer for both arcs of "#pp", one per arc otherwise.
    App().m_appElem.m_layerCondition = 2;
    auto layersOfLastTwo = [&] {
        const CArcs* arcs = static_cast<const CArcs*>(Doc().m_arcBlocks[Doc().m_arcBlocks.GetSize() - 1]);
        return std::make_pair(arcs->m_slots[arcs->m_count - 2].m_layer, arcs->m_slots[arcs->m_count - 1].m_layer);
    };
    PickArc(0, 90);
    Point(1, Polar(30, 10));
    Point(2, Polar(60, 10));
    ASSERT_EQ(Edit().CutArcByPoints(1, 2), 1);
    Finish(3);
    auto both = layersOfLastTwo();
    EXPECT_EQ(both.first, both.second);
    EXPECT_EQ(Doc().m_writeLayer, both.second);

    PickArc(0, 90);
    Line(2, At(0, 0), Polar(60, 30), Polar(60, 10));
    ASSERT_EQ(Edit().CutArcByPointAndLine(1, 2), 1);
    Finish(3);
    EXPECT_EQ(App().m_lastResultMessage, " 点と線分の位置で編集円弧を中抜きしました");
    EXPECT_EQ(App().m_lastMessage, "新レイヤに作成モードで新レイヤを作りました 点と線分の位置で編集円弧を中抜きしました");
    both = layersOfLastTwo();
    EXPECT_NE(both.first, both.second);
    EXPECT_EQ(Doc().m_writeLayer, both.second);

    // Layer condition 1 keeps the arc's layer for both.
    App().m_appElem.m_layerCondition = 1;
    const std::int16_t other = Doc().FindOrCreateLayer("other");
    const std::int16_t write = Doc().m_writeLayer;
    PickArc(0, 90, 3, other);
    ASSERT_EQ(Edit().CutArcByPointAndLine(1, 2), 1);
    Finish(3);
    both = layersOfLastTwo();
    EXPECT_EQ(both.first, other);
    EXPECT_EQ(both.second, other);
    EXPECT_EQ(Doc().m_writeLayer, write);
}

} // namespace

namespace {

TEST(CircleEditTape, ACtrlRightClickIsTheCutModePoint)
{
    CCommandTape tape;
    tape.Code(305);
    tape.RightClick(At(3, 4), true);
    EXPECT_EQ(tape.Circle().m_lastInputSubCode, 18);
    tape.RightClick(At(5, 4));
    EXPECT_NE(tape.Circle().m_lastInputSubCode, 18);
}

} // namespace
