// Runs of joined lines picked on the command tape and turned into arcs through their vertices.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/ZelkApp.h"
#include "commands/line/LoopCommand.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Arcs.h"
#include "elements/Group.h"
#include "elements/Line.h"
#include "elements/Lines.h"
#include "elements/TypePen.h"
#include "geometry/Angles.h"
#include "platform/core/WinTypes.h"
#include "tests/commands/LineTestSupport.h"
#include "tests/commands/LoopTestSupport.h"
#include "tests/support/CommandTape.h"

namespace {

using loop_tests::At;
using loop_tests::kPi;

// A polyline from the origin whose segments of length 10 head in the given directions
// (degrees); its vertices.
std::vector<CPointD> Polyline(const std::vector<double>& headings)
{
    std::vector<CPointD> v{ At(0, 0) };
    for (double h : headings) {
        const CPointD& p = v.back();
        v.push_back(At(p.m_x + 10.0 * std::cos(h * kPi / 180.0), p.m_y + 10.0 * std::sin(h * kPi / 180.0)));
    }
    return v;
}

CPointD Mid(const CPointD& a, const CPointD& b, double t = 0.5)
{
    return At(a.m_x + (b.m_x - a.m_x) * t, a.m_y + (b.m_y - a.m_y) * t);
}

double Dist(const CPointD& a, const CPointD& b)
{
    return std::hypot(a.m_x - b.m_x, a.m_y - b.m_y);
}

class ArcCurveTape : public testing::Test {
protected:
    void SetUp() override
    {
        m_tape.Key('O');
        EXPECT_EQ(m_tape.LoopMenu("円弧曲線化").loopMode, "AV");
    }
    CLoopCommand& Loop() { return *m_tape.Doc().m_loopCmd; }
    void Draw(const std::vector<CPointD>& v)
    {
        for (std::size_t i = 0; i + 1 < v.size(); ++i)
            m_tape.AddLine(v[i], v[i + 1]);
    }
    CCommandTape m_tape;
};

TEST_F(ArcCurveTape, ARunOfSixLinesBecomesFiveElementsThroughItsVertices)
{
    // Bends of 5 degrees and one straight joint at the fourth vertex (segments 3 and 4 in line).
    const std::vector<CPointD> v = Polyline({ 0, 5, 10, 10, 15, 20 });
    Draw(v);
    CZelkApp& app = m_tape.App();
    CAppElem& settings = app.m_appElem;
    settings.m_lineWidth = 5;
    settings.m_lineType = 2;
    settings.m_color = RGB(255, 0, 0);
    settings.m_creationEnv = 0;
    CZelkDoc& doc = m_tape.Doc();
    const CTypePen runPen = *doc.GetPen(doc.LineBlockAt(0)->m_pen);

    EXPECT_EQ(m_tape.Typed("10").loopTokens, "A");
    const CCommandRow& picked = m_tape.Pick(Mid(v[0], v[1], 0.25));
    EXPECT_EQ(picked.loopTokens, "A");
    ASSERT_EQ(Loop().m_runElems.size(), 6u);
    ASSERT_EQ(Loop().m_runVertices.size(), 7u);
    for (std::size_t i = 0; i < v.size(); ++i)
        EXPECT_POINT(Loop().m_runVertices[i], v[i].m_x, v[i].m_y);

    const std::vector<CElemRef> run = Loop().m_runElems;
    const CCommandRow& done = m_tape.Key(VK_RETURN);
    EXPECT_EQ(done.message, "連続直線列を円弧近似曲線に変換しました");
    EXPECT_EQ(done.loopTokens, "A");
    EXPECT_EQ(done.loopState, 0);
    EXPECT_DOUBLE_EQ(Loop().m_values[0].value, 10.0);
    // One undo step of kind 3 (Enter in the drawing commits its own empty step before it).
    EXPECT_EQ(std::count(done.undoKinds.begin(), done.undoKinds.end(), '3'),
              std::count(picked.undoKinds.begin(), picked.undoKinds.end(), '3') + 1);
    EXPECT_EQ(done.undoKinds.back(), '3');
    EXPECT_TRUE(Loop().m_runElems.empty());

    // The six lines are gone; one group holds the new elements in order.
    for (const CElemRef& e : run) {
        const CLine* gone = doc.GetLineElem(e.m_block, e.m_slot);
        EXPECT_TRUE(gone == nullptr || (gone->m_state & 0x08) != 0) << e.m_slot;
    }
    EXPECT_EQ(std::count_if(done.listing.begin(), done.listing.end(),
                            [](const std::string& l) { return l.rfind("line ", 0) == 0; }), 1);
    ASSERT_EQ(doc.m_groups.GetSize(), 1);
    const CGroup* group = doc.GetGroup(0);
    ASSERT_EQ(group->m_members.size(), 5u);
    // Element i runs from vertex i to vertex i + 1, the last to the run's end.
    for (std::size_t i = 0; i < 5; ++i) {
        const CElemRef& m = group->m_members[i];
        const CPointD& from = v[i];
        const CPointD& to = v[i == 4 ? 6 : i + 1];
        const CTypePen* pen = nullptr;
        if (i == 2) {
            ASSERT_EQ(m.m_kind, ELEM_LINE) << "the three collinear vertices give a line";
            const CLine* line = doc.GetLineElem(m.m_block, m.m_slot);
            ASSERT_NE(line, nullptr);
            EXPECT_POINT(line->m_start, from.m_x, from.m_y);
            EXPECT_POINT(line->m_end, to.m_x, to.m_y);
            EXPECT_EQ(line->m_group, 0);
            pen = doc.GetPen(doc.LineBlockAt(m.m_block)->m_pen);
        } else {
            ASSERT_EQ(m.m_kind, ELEM_ARC) << i;
            const CArc* arc = doc.GetArcElem(m.m_block, m.m_slot);
            ASSERT_NE(arc, nullptr);
            EXPECT_EQ(arc->m_group, 0);
            for (std::size_t k = i; k <= i + 2; ++k)
                EXPECT_NEAR(Dist(arc->m_centre, v[k]), arc->m_radius, 1e-5) << i << " vertex " << k;
            // The run turns left: the arcs run counterclockwise from the earlier vertex.
            EXPECT_POINT(arc->KeyPoint(-1), from.m_x, from.m_y);
            EXPECT_POINT(arc->KeyPoint(-2), to.m_x, to.m_y);
            pen = doc.GetPen(doc.ArcBlockAt(m.m_block)->m_pen);
        }
        ASSERT_NE(pen, nullptr);
        EXPECT_EQ(pen->m_color, RGB(0, 128, 128));
        EXPECT_EQ(pen->m_lineType, runPen.m_lineType);
        EXPECT_EQ(pen->m_width, runPen.m_width);
        EXPECT_EQ(pen->m_blurRate, runPen.m_blurRate);
    }
    // The creation pen is the user's again.
    EXPECT_EQ(settings.m_lineWidth, 5);
    EXPECT_EQ(settings.m_lineType, 2);
    EXPECT_EQ(settings.m_color, RGB(255, 0, 0));

    // The limit stays: the next run needs only its pick.
    const std::vector<CPointD> w = Polyline({ 90, 95, 100 });
    std::vector<CPointD> moved;
    for (const CPointD& p : w)
        moved.push_back(At(p.m_x + 100.0, p.m_y));
    Draw(moved);
    m_tape.Pick(Mid(moved[0], moved[1], 0.25));
    EXPECT_EQ(Loop().m_runElems.size(), 3u);
}

TEST_F(ArcCurveTape, ClockwiseRunsAndAClosedPolygonGiveArcsThroughEveryVertexTriple)
{
    struct Case {
        const char* what;
        std::vector<CPointD> vertices;
    };
    std::vector<CPointD> polygon;
    for (int k = 0; k <= 12; ++k)
        polygon.push_back(At(50.0 * std::cos(k * kPi / 6.0), 50.0 * std::sin(k * kPi / 6.0)));
    polygon.back() = polygon.front();
    const Case cases[] = {
        { "a clockwise run", Polyline({ 0, -8, -16, -20, -30 }) },
        { "a wavy run", Polyline({ 0, 8, 0, -8, 0, 8 }) },
        // Its bends are 30 degrees: the limit below is 35.
        { "a closed dodecagon, stopping where it came back", polygon },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CCommandTape tape;
        tape.Key('O');
        tape.LoopMenu("円弧曲線化");
        for (std::size_t i = 0; i + 1 < c.vertices.size(); ++i)
            tape.AddLine(c.vertices[i], c.vertices[i + 1]);
        tape.Typed("35");
        tape.Pick(Mid(c.vertices[0], c.vertices[1], 0.25));
        CLoopCommand& loop = *tape.Doc().m_loopCmd;
        const std::size_t n = c.vertices.size() - 1;
        ASSERT_EQ(loop.m_runElems.size(), n);
        tape.Key(VK_RETURN);
        CZelkDoc& doc = tape.Doc();
        ASSERT_EQ(doc.m_groups.GetSize(), 1);
        const CGroup* group = doc.GetGroup(0);
        ASSERT_EQ(group->m_members.size(), n - 1);
        for (std::size_t i = 0; i + 1 < n; ++i) {
            const CElemRef& m = group->m_members[i];
            const CArc* arc = m.m_kind == ELEM_ARC ? doc.GetArcElem(m.m_block, m.m_slot) : nullptr;
            ASSERT_NE(arc, nullptr) << i;
            for (std::size_t k = i; k <= i + 2; ++k)
                EXPECT_NEAR(Dist(arc->m_centre, c.vertices[k]), arc->m_radius, 1e-5) << i << " vertex " << k;
            // The arc's ends are the vertices it covers, and its middle vertex lies on it.
            const CPointD& from = c.vertices[i];
            const CPointD& to = c.vertices[i + 1 == n - 1 ? n : i + 1];
            const CPointD a = arc->KeyPoint(-1), b = arc->KeyPoint(-2);
            const bool forward = Dist(a, from) < 1e-5 && Dist(b, to) < 1e-5;
            const bool backward = Dist(a, to) < 1e-5 && Dist(b, from) < 1e-5;
            EXPECT_TRUE(forward || backward) << i;
            EXPECT_LT(arc->m_endAngle - arc->m_startAngle, 180.0) << i;
        }
    }
}

TEST_F(ArcCurveTape, PicksRefuseOtherElementsShortenTheRunAndBranchOnlyAtItsExits)
{
    // Ten lines in a straight row along x, a circle, and a line off the side of the row.
    std::vector<CPointD> row;
    for (int k = 0; k <= 10; ++k)
        row.push_back(At(10.0 * k, 0));
    Draw(row);
    m_tape.AddCircle(At(50, 50), 5);
    m_tape.AddLine(At(200, 0), At(200, 30));
    m_tape.Typed("10");

    const CCommandRow& circle = m_tape.Pick(At(55, 50));
    EXPECT_EQ(circle.message, "連続線分列の「線分」を指定してください。");
    EXPECT_EQ(circle.beeps, 1);
    EXPECT_TRUE(Loop().m_runElems.empty());

    m_tape.Pick(At(2, 0));
    ASSERT_EQ(Loop().m_runElems.size(), 10u);
    const CCommandRow& third = m_tape.Pick(At(25, 0));
    EXPECT_EQ(Loop().m_runElems.size(), 3u);
    ASSERT_EQ(Loop().m_runVertices.size(), 4u);
    EXPECT_POINT(Loop().m_runVertices.back(), 30.0, 0.0);
    EXPECT_EQ(third.beeps, 0);

    // A line nowhere near the run's exits is refused and the run stays.
    const CCommandRow& far = m_tape.Pick(At(200, 15));
    EXPECT_EQ(far.message, "抽出した連続線分列の進行方向に端点接続している線分を指定してください。");
    EXPECT_GE(far.beeps, 1);
    EXPECT_EQ(Loop().m_runElems.size(), 3u);

    // A line off an earlier exit cuts the run back there and goes on along it.
    m_tape.AddLine(At(10, 0), At(10, -30));
    m_tape.Pick(At(10, -20));
    ASSERT_EQ(Loop().m_runElems.size(), 2u);
    ASSERT_EQ(Loop().m_runVertices.size(), 3u);
    EXPECT_POINT(Loop().m_runVertices.back(), 10.0, -30.0);

    // Enter converts; a run of one line converts nothing.
    m_tape.Key(VK_RETURN);
    EXPECT_EQ(m_tape.Doc().m_groups.GetSize(), 1);
}

} // namespace
