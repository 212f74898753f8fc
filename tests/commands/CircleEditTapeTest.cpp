// The circle command's edits as a person gives them: a double click on the element, the edit
// menu's item, then clicks, picks and typed values, through the dispatch.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "app/ZelkApp.h"
#include "commands/circle/CircleCommand.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "input/PointEntry.h"
#include "platform/ui/WinUser.h"
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

// Whether the row lists an arc about the origin of radius 10 with these ends, to within a
// degree: a Ctrl click is the cut point as the pixel grid gives it, not snapped to the arc.
bool ArcListed(const CCommandRow& row, double start, double end)
{
    for (const std::string& line : row.listing) {
        double s = 0, e = 0;
        if (std::sscanf(line.c_str(), "arc 0.000000,0.000000 r 10.000000 %lf-%lf", &s, &e) == 2 &&
            std::fabs(s - start) < 1 && std::fabs(e - end) < 1)
            return true;
    }
    return false;
}

bool Listed(const CCommandRow& row, const std::string& start)
{
    for (const std::string& line : row.listing)
        if (line.rfind(start, 0) == 0)
            return true;
    return false;
}

TEST(CircleEditTape, TheArcModesEditCircleBecomesTheArcOfTwoClicks)
{
    CCommandTape t;
    t.Code(306);
    t.Menu("中心(接)円弧/同心円弧", 1);
    t.RightClick(At(0, 0));
    EXPECT_EQ(t.Value(10, 2).tokens, "PD%");
    t.RightClick(At(10, 0));
    ASSERT_EQ(t.Doc().m_directionMarks.GetSize(), 1);
    const auto* mark = static_cast<const CPointEntry*>(t.Doc().m_directionMarks[0]);
    EXPECT_NEAR(mark->point.m_x, 10, 1e-9);
    EXPECT_NEAR(mark->point.m_y, 0, 1e-9);
    EXPECT_NEAR(mark->angle, 0, 1e-9);
    const CCommandRow& made = t.RightClick(At(0, 10));
    EXPECT_EQ(made.result, " 円を始点と終点の位置で円弧に編集しました");
    EXPECT_EQ(made.undoKinds, "1");
    EXPECT_EQ(made.listing.size(), 2u);
    EXPECT_TRUE(Listed(made, "arc 0.000000,0.000000 r 10.000000 0.000000-90.000000 layer 0 group -1"));
    // The edit circle was rolled back, not retired.
    EXPECT_EQ(made.listing.back(), "retired 0");
}

TEST(CircleEditTape, ADoubleClickedCircleBecomesTheArcOfItsOperands)
{
    struct Case {
        const char* what;
        double start, end;
        const char* message;
    };
    const Case cases[] = {
        {"%PP", 0, 90, " 円を始点と終点の位置で円弧に編集しました"},
        {"%pp", 90, 360, " 円を始点と終点の位置で円弧に編集しました"},
        {"%AP", 30, 180, " 円を始角と終点の位置で円弧に編集しました"},
        {"%PA", 180, 390, " 円を始点の位置と終角で円弧に編集しました"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CCommandTape t;
        t.AddCircle(At(0, 0), 10);
        EXPECT_EQ(t.LeftDouble(At(0, -10)).tokensInt, "%");
        t.Menu("円弧化");
        const std::string what = c.what;
        if (what == "%PP") {
            t.RightClick(At(10, 0));
            t.RightClick(At(0, 10));
        } else if (what == "%pp") {
            t.RightClick(At(10, 0), true);
            t.RightClick(At(0, 10), true);
        } else if (what == "%AP") {
            t.Value(30, 11);
            t.RightClick(At(-10, 0));
        } else {
            t.RightClick(At(-10, 0));
            t.Value(30, 11);
        }
        const CCommandRow& made = t.Rows().back();
        EXPECT_EQ(made.tokensInt, what);
        EXPECT_EQ(made.result, c.message);
        EXPECT_EQ(made.undoKinds, "3");
        char arc[96];
        std::snprintf(arc, sizeof arc, "arc 0.000000,0.000000 r 10.000000 %.6f-%.6f layer 0 group -1", c.start, c.end);
        EXPECT_TRUE(Listed(made, arc)) << arc;
        EXPECT_FALSE(Listed(made, "circle "));
        EXPECT_EQ(made.listing.back(), "retired 1");
        // One undo brings the circle back.
        t.Doc().m_undoHistory->Undo();
        EXPECT_EQ(ListElements(t.Doc()).front(), "circle 0.000000,0.000000 r 10.000000 layer 0 group -1 role 0 pen 0");
    }
}

TEST(CircleEditTape, ACircleCrossingThatMissesRefusesAndTheRadiusChanges)
{
    CCommandTape t;
    t.AddCircle(At(0, 0), 10);
    t.AddCircle(At(10, 0), 5);
    t.AddCircle(At(50, 0), 5);
    t.LeftDouble(At(0, -10));
    t.Menu("円弧化");
    t.Pick(At(15, 0));
    const CCommandRow& refused = t.Pick(At(55, 0));
    EXPECT_EQ(refused.tokensInt, "%CC");
    EXPECT_EQ(refused.message, "指定円(弧)第２は編集円と交点を持ちません");
    EXPECT_GE(refused.beeps, 1);
    EXPECT_EQ(refused.undoKinds, "");
    EXPECT_EQ(refused.listing.back(), "retired 0");

    CCommandTape r;
    r.AddCircle(At(0, 0), 10);
    r.LeftDouble(At(0, -10));
    r.Menu("径の変更");
    const CCommandRow& changed = r.Value(4, 2);
    EXPECT_EQ(changed.tokensInt, "%D");
    EXPECT_EQ(changed.result, " 円の半径を変更しました");
    EXPECT_EQ(changed.undoKinds, "3");
    EXPECT_TRUE(Listed(changed, "circle 0.000000,0.000000 r 4.000000"));
    EXPECT_EQ(changed.listing.back(), "retired 1");
}

TEST(CircleEditTape, AnArcEndMovesByWhereTheArcWasDoubleClicked)
{
    struct Case {
        const char* what;
        double pickAt;
        const char* listed;
    };
    const Case cases[] = {
        {"#A 350 near the start", 10, "arc 0.000000,0.000000 r 10.000000 350.000000-450.000000"},
        {"#A 45 near the end", 80, "arc 0.000000,0.000000 r 10.000000 0.000000-45.000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CCommandTape t;
        t.Doc().AddArc(At(0, 0), 10, At(0, 90), 0, t.Doc().FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
        EXPECT_EQ(t.LeftDouble(Polar(c.pickAt, 10)).tokensInt, "#");
        t.Menu("端点延短", 1);
        const CCommandRow& made = t.Value(std::string(c.what).find("350") != std::string::npos ? 350 : 45, 11);
        EXPECT_EQ(made.tokensInt, "#A");
        EXPECT_EQ(made.undoKinds, "3");
        EXPECT_TRUE(Listed(made, c.listed)) << c.listed;
        EXPECT_EQ(made.listing.back(), "retired 1");
    }
}

TEST(CircleEditTape, ArcsAreCutOutOrSplitAtTwoCtrlClicks)
{
    struct Case {
        double start, end, first, second;
        double arcs[2][2];
        const char* result;
    };
    const Case cases[] = {
        {0, 90, 30, 60, {{0, 30}, {60, 90}}, " ２点の位置で編集円弧を中抜きしました"},
        {0, 90, 60, 30, {{0, 30}, {60, 90}}, " ２点の位置で編集円弧を中抜きしました"},
        {0, 90, 30, 120, {{0, 30}, {30, 90}}, " 点の位置で編集円弧を分割しました"},
        {300, 420, 330, 30, {{300, 330}, {30, 60}}, " ２点の位置で編集円弧を中抜きしました"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        SCOPED_TRACE(c.start);
        CCommandTape t;
        t.Doc().AddArc(At(0, 0), 10, At(c.start, c.end), 0, t.Doc().FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
        t.LeftDouble(Polar((c.start + c.end) / 2 + 5, 10));
        t.Menu("中抜き/切断", 1);
        t.RightClick(Polar(c.first, 10), true);
        const CCommandRow& made = t.RightClick(Polar(c.second, 10), true);
        EXPECT_EQ(made.tokensInt, "#pp");
        EXPECT_EQ(made.result, c.result);
        EXPECT_EQ(made.undoKinds, "3");
        for (const auto& arc : c.arcs)
            EXPECT_TRUE(ArcListed(made, arc[0], arc[1])) << arc[0] << "-" << arc[1];
        EXPECT_EQ(made.listing.back(), "retired 1");
    }

    // Points off the sweep leave the arc as it was.
    CCommandTape t;
    t.Doc().AddArc(At(0, 0), 10, At(0, 90), 0, t.Doc().FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
    t.LeftDouble(Polar(45, 10));
    t.Menu("中抜き/切断", 1);
    t.RightClick(Polar(200, 10), true);
    const CCommandRow& refused = t.RightClick(Polar(300, 10), true);
    EXPECT_EQ(refused.message, "指定の点は編集円弧を分割または中抜きする位置にありません");
    EXPECT_GE(refused.beeps, 1);
    EXPECT_EQ(refused.undoKinds, "");
    EXPECT_EQ(refused.listing.back(), "retired 0");
}

// "楕円化": the axis angle typed, the pass point clicked. The conic and the circle's retiring are
// two undo steps; a pass point that gives no ellipse leaves the circle as it was.
TEST(CircleEditTape, ACircleBecomesAnEllipseInTwoUndoSteps)
{
    CCommandTape t;
    t.AddCircle(At(0, 0), 10);
    EXPECT_EQ(t.LeftDouble(At(0, -10)).tokensInt, "%");
    t.Menu("楕円化");
    // The axis angle as a right drag posts it (the tape has no drag).
    EXPECT_EQ(t.Posted(0, 15).tokensInt, "%J");
    const CCommandRow& made = t.Typed("6,4");
    EXPECT_EQ(made.tokensInt, "%JP");
    EXPECT_EQ(made.undoKinds, "1 2");
    EXPECT_TRUE(Listed(made, "conic 0.000000,0.000000 a 10.000000 ratio 0.500000 0.000000-360.000000 tilt 0.000000"));
    EXPECT_FALSE(Listed(made, "circle "));
    EXPECT_EQ(made.listing.back(), "retired 1");

    const struct {
        CPointD pass;
        const char* message;
    } refusals[] = {
        { At(0, 10), "楕円の比率が1なので円を楕円に変換するのは中止しました" },
        { At(10, 0), "楕円の片軸の寸法が零なので円を楕円に変換するのは中止しました" },
    };
    for (const auto& k : refusals) {
        SCOPED_TRACE(k.message);
        CCommandTape r;
        r.AddCircle(At(0, 0), 10);
        r.LeftDouble(At(0, -10));
        r.Menu("楕円化");
        r.Posted(0, 15);
        // A click on the circle: a typed point's echo would cover the message.
        const CCommandRow& refused = r.RightClick(k.pass);
        EXPECT_EQ(refused.tokensInt, "%JP");
        EXPECT_EQ(refused.message, k.message);
        EXPECT_GE(refused.beeps, 1);
        EXPECT_EQ(refused.undoKinds, "");
        EXPECT_TRUE(Listed(refused, "circle 0.000000,0.000000 r 10.000000"));
        EXPECT_EQ(refused.listing.back(), "retired 0");
    }
}

// "属性変更" and Enter: the circle again with the pen now in force, in the old one's group and
// role.
TEST(CircleEditTape, AnAttributeChangeTakesThePenNowInForce)
{
    CCommandTape t;
    t.AddCircle(At(0, 0), 10);
    auto* group = new CGroup;
    t.Doc().m_groups.Add(group);
    CCircle& circle = static_cast<CCircles*>(t.Doc().m_circleBlocks[0])->m_slots[0];
    circle.m_group = 0;
    circle.m_role = 7;
    CElemRef member;
    member.Init(ELEM_CIRCLE, 0, 0, 1, 1);
    group->m_members.push_back(member);
    const int pens = t.Doc().m_pens.GetSize();
    EXPECT_EQ(t.LeftDouble(At(0, -10)).tokensInt, "%");
    t.Menu("属性変更");
    // The pick lent the circle's own pen; the user then chooses red.
    t.App().m_appElem.m_color = RGB(255, 0, 0);
    const CCommandRow& made = t.Key(VK_RETURN);
    EXPECT_EQ(made.tokensInt, "%Q");
    EXPECT_EQ(made.result, " 円の属性を変更しました");
    ASSERT_FALSE(made.undoKinds.empty());
    EXPECT_EQ(made.undoKinds.back(), '3');
    // A new pen for the red circle; the old circle's reference stays, skipped as retired.
    EXPECT_EQ(t.Doc().m_pens.GetSize(), pens + 1);
    EXPECT_TRUE(Listed(made, "circle 0.000000,0.000000 r 10.000000 layer 0 group 0 role 7 pen " + std::to_string(pens)));
    EXPECT_TRUE(Listed(made, "group 0 kind 0 parent -1 members 8:0:0 8:"));
    EXPECT_EQ(made.listing.back(), "retired 1");
}

// A double-clicked ellipse and Enter: one group of arcs through its polyline takes its place in
// one undo step, and one undo brings the ellipse back.
TEST(CircleEditTape, AnEllipseBecomesArcsThroughItsPolylineInOneStep)
{
    CCommandTape t;
    CConics* block = t.Doc().AddConic(At(0, 0), 10, 0.5, At(0, 360), 0, 0,
                                      t.Doc().FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70));
    const size_t points = block->m_slots[0].m_polyline.size();
    ASSERT_GE(points, 5u);
    EXPECT_EQ(t.LeftDouble(At(10, 0)).tokensInt, "&");
    const CCommandRow& made = t.Key(VK_RETURN);
    EXPECT_EQ(made.tokensInt, "&V");
    // The conversion's own step; Enter commits whatever came before it first.
    ASSERT_FALSE(made.undoKinds.empty());
    EXPECT_EQ(made.undoKinds.back(), '3');
    EXPECT_EQ(made.message, "楕円(弧)を円弧近似曲線に変換しました。");
    EXPECT_FALSE(Listed(made, "conic "));
    EXPECT_EQ(made.listing.back(), "retired 1");
    int arcs = 0;
    std::string group;
    for (const std::string& line : made.listing) {
        arcs += line.rfind("arc ", 0) == 0 ? 1 : 0;
        if (line.rfind("group ", 0) == 0)
            group = line;
    }
    EXPECT_EQ(static_cast<size_t>(arcs), points - 2);
    // One plain group of no parent, the pieces its members in order.
    EXPECT_EQ(group.rfind("group 0 kind 0 parent -1 members 16:", 0), 0u) << group;

    t.Doc().m_undoHistory->Undo();
    const std::vector<std::string> back = ListElements(t.Doc());
    EXPECT_EQ(back.front().rfind("conic 0.000000,0.000000 a 10.000000 ratio 0.500000", 0), 0u) << back.front();
    for (const std::string& line : back)
        EXPECT_NE(line.rfind("arc ", 0), 0u) << line;
}

} // namespace
