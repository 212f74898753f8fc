// The loop operations on loops written into the store: the crossings of lines with the loops and
// their extents, checked against outlines computed here; the hatching and the offset figures
// they make in the drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "app/ZelkApp.h"
#include "commands/line/LoopCommand.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Circle.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "platform/core/Services.h"
#include "tests/commands/LoopTestSupport.h"
#include "tests/support/CommandTape.h"

namespace {

using loop_tests::At;
using loop_tests::CLoopWriter;
using loop_tests::kPi;
using loop_tests::Piece;
using loop_tests::Pt;

std::string Points(const std::vector<CPointD>& points)
{
    std::string out;
    for (const CPointD& p : points) {
        if (!out.empty())
            out += ' ';
        out += Pt(p);
    }
    return out;
}

class LoopOperations : public testing::Test {
protected:
    CLoopCommand& Loop() { return *m_tape.Doc().m_loopCmd; }
    CZelkDoc& Doc() { return m_tape.Doc(); }
    // The live lines of the drawing, in block order.
    std::vector<CLine> Lines()
    {
        std::vector<CLine> out;
        for (int b = 0; b < Doc().m_lineBlocks.GetSize(); ++b) {
            const CLines* block = Doc().LineBlockAt(b);
            for (int s = 0; s < block->m_count; ++s)
                if (!(block->m_slots[s].m_state & 8))
                    out.push_back(block->m_slots[s]);
        }
        return out;
    }
    int Hatch(double angle, CPointD pass)
    {
        Loop().m_values[1].value = angle;
        Loop().m_inputPoints[2].Reset();
        Loop().m_inputPoints[2].SetPoint(pass);
        return Loop().MakeHatching(1, 2);
    }
    int Offset(double d)
    {
        Loop().m_values[1].value = d;
        return Loop().MakeOffset(1);
    }
    CCommandTape m_tape;
};

TEST_F(LoopOperations, PerimeterAndExtents)
{
    CPointD high, low, left, right;
    EXPECT_EQ(Loop().GetLoopsExtremePoints(0, high, low, left, right), 0);
    double up = 7, down = 7;
    Loop().GetLoopsExtentAcross(At(1, 1), 30, up, down);
    EXPECT_EQ(up, 0.0);
    EXPECT_EQ(down, 0.0);

    CLoopWriter rectangle(Loop());
    rectangle.Polygon({ At(0, 0), At(100, 0), At(100, 50), At(0, 50) });
    EXPECT_DOUBLE_EQ(Loop().GetLoopPerimeter(rectangle.Loop()), 300.0);
    Loop().GetLoopsExtentAcross(At(50, 25), 0, up, down);
    EXPECT_DOUBLE_EQ(up, 25.0);
    EXPECT_DOUBLE_EQ(down, -25.0);
    // From a point above the loops the band reaches down to them and up to the point only.
    Loop().GetLoopsExtentAcross(At(50, 100), 0, up, down);
    EXPECT_DOUBLE_EQ(up, 0.0);
    EXPECT_DOUBLE_EQ(down, -100.0);

    Loop().FreeLoops();
    CLoopWriter circle(Loop());
    circle.Circle(At(200, 0), 10);
    EXPECT_NEAR(Loop().GetLoopPerimeter(circle.Loop()), 20 * kPi, 1e-9);
    ASSERT_EQ(Loop().GetLoopsExtremePoints(45, high, low, left, right), 1);
    // Turned by 45 degrees the circle's point at 135 degrees is the highest.
    EXPECT_EQ(Pt(high), Pt(At(200 - 10 / std::sqrt(2.0), 10 / std::sqrt(2.0))));
    EXPECT_EQ(Pt(low), Pt(At(200 + 10 / std::sqrt(2.0), -10 / std::sqrt(2.0))));
    EXPECT_EQ(Pt(left), Pt(At(200 - 10 / std::sqrt(2.0), -10 / std::sqrt(2.0))));
    EXPECT_EQ(Pt(right), Pt(At(200 + 10 / std::sqrt(2.0), 10 / std::sqrt(2.0))));
}

TEST_F(LoopOperations, CrossingsPairIntoTheChordsInside)
{
    CLoopWriter square(Loop());
    square.Polygon({ At(0, 0), At(10, 0), At(10, 10), At(0, 10) });
    CLoopWriter circle(Loop());
    circle.Circle(At(40, 20), 5);
    struct Case {
        const char* what;
        CPointD a, b;
        const char* points;
    };
    const Case cases[] = {
        { "across the middle", At(-1, 5), At(1, 5), "0,5 10,5" },
        { "through two opposite corners", At(-1, -1), At(1, 1), "0,0 10,10" },
        { "through the other corners", At(0, 10), At(10, 0), "0,10 10,0" },
        { "through a corner and across a side", At(10, 0), At(0, 5), "0,5 10,0" },
        { "touching a corner only", At(0, 0), At(1, -1), "" },
        { "along a side", At(-1, 0), At(1, 0), "" },
        { "missing every loop", At(-1, 50), At(1, 50), "" },
        { "tangent to the circle", At(0, 25), At(1, 25), "40,25 40,25" },
        { "tangent at the circle's first point", At(45, 19), At(45, 21), "" },
        { "across the circle at its first point", At(100, 20), At(101, 20), "35,20 45,20" },
    };
    for (const Case& k : cases) {
        std::vector<CPointD> points;
        const int found = Loop().IntersectLineWithLoops(k.a, k.b, points);
        EXPECT_EQ(Points(points), k.points) << k.what;
        EXPECT_EQ(found, points.empty() ? 0 : 1) << k.what;
    }
}

// A star-shaped outline of sides and arcs bulging out or in, and sometimes a circle inside it.
struct Figure {
    std::vector<Piece> pieces;
};

Figure RandomFigure(std::mt19937& rng, CLoopCommand& c)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int n = 5 + static_cast<int>(unit(rng) * 8);
    std::vector<double> angles;
    for (int i = 0; i < n; ++i)
        angles.push_back(360.0 * (i + 0.2 + 0.6 * unit(rng)) / n);
    std::vector<CPointD> corners;
    const CPointD centre = At(20 * unit(rng) - 10, 20 * unit(rng) - 10);
    for (double a : angles) {
        const double r = 40 + 30 * unit(rng);
        corners.push_back(At(centre.m_x + r * std::cos(a * kPi / 180), centre.m_y + r * std::sin(a * kPi / 180)));
    }
    Figure f;
    CLoopWriter outline(c);
    for (int i = 0; i < n; ++i) {
        const CPointD p = corners[i], q = corners[(i + 1) % n];
        const double choice = unit(rng);
        if (choice < 0.6) {
            const bool swap = p.m_x > q.m_x || (p.m_x == q.m_x && p.m_y > q.m_y);
            if (swap)
                outline.Line(q, p, 1);
            else
                outline.Line(p, q, 0);
            Piece piece;
            piece.a = p;
            piece.b = q;
            f.pieces.push_back(piece);
            continue;
        }
        // A shallow arc over the side, its centre three side lengths away on one side.
        const double dx = q.m_x - p.m_x, dy = q.m_y - p.m_y;
        const double side = choice < 0.8 ? 1.0 : -1.0;   // 1: centre inside, the arc bulges out
        const CPointD m = At((p.m_x + q.m_x) / 2 - side * 3 * dy, (p.m_y + q.m_y) / 2 + side * 3 * dx);
        const double radius = std::hypot(p.m_x - m.m_x, p.m_y - m.m_y);
        const double ap = std::atan2(p.m_y - m.m_y, p.m_x - m.m_x) * 180 / kPi;
        const double aq = std::atan2(q.m_y - m.m_y, q.m_x - m.m_x) * 180 / kPi;
        double s = side > 0 ? ap : aq, e = side > 0 ? aq : ap;
        s = std::fmod(s + 360.0, 360.0);
        e = std::fmod(e + 360.0, 360.0);
        if (e <= s)
            e += 360.0;
        outline.Arc(m, radius, s, e, side > 0 ? 0 : 1);
        Piece piece;
        piece.arc = true;
        piece.centre = m;
        piece.radius = radius;
        piece.start = s;
        piece.end = e;
        f.pieces.push_back(piece);
    }
    if (unit(rng) < 0.5) {
        CLoopWriter hole(c);
        hole.Circle(centre, 15, unit(rng) < 0.5 ? 1 : 0);
        Piece piece;
        piece.arc = true;
        piece.centre = centre;
        piece.radius = 15;
        piece.start = 0;
        piece.end = 360;
        f.pieces.push_back(piece);
    }
    return f;
}

TEST_F(LoopOperations, ChordsOfRandomOutlinesLieInsideAndMatchTheClipping)
{
    std::mt19937 rng(70);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int chords = 0;
    for (int figure = 0; figure < 60; ++figure) {
        Loop().FreeLoops();
        const Figure f = RandomFigure(rng, Loop());
        for (int line = 0; line < 40; ++line) {
            const double theta = 360.0 * unit(rng);
            const CPointD u = At(std::cos(theta * kPi / 180), std::sin(theta * kPi / 180));
            const CPointD a = At(140 * unit(rng) - 70, 140 * unit(rng) - 70);
            std::vector<CPointD> points;
            Loop().IntersectLineWithLoops(a, At(a.m_x + 100 * u.m_x, a.m_y + 100 * u.m_y), points);
            ASSERT_EQ(points.size() % 2, 0u) << figure << " " << line;
            double sum = 0;
            for (std::size_t i = 0; i + 1 < points.size(); i += 2) {
                const CPointD mid = At((points[i].m_x + points[i + 1].m_x) / 2, (points[i].m_y + points[i + 1].m_y) / 2);
                EXPECT_TRUE(loop_tests::Inside(f.pieces, mid)) << figure << " " << line << " " << Pt(mid);
                sum += std::hypot(points[i + 1].m_x - points[i].m_x, points[i + 1].m_y - points[i].m_y);
                ++chords;
            }
            EXPECT_NEAR(sum, loop_tests::InsideLength(f.pieces, a, u), 1e-6) << figure << " " << line;
        }
    }
    EXPECT_GT(chords, 1000);
}

TEST_F(LoopOperations, HatchingLeavesTheInnerLoopEmpty)
{
    m_tape.App().m_appElem.m_hatchPitch = 2.0;
    CLoopWriter(Loop()).Polygon({ At(0, 0), At(10, 0), At(10, 10), At(0, 10) });
    CLoopWriter(Loop()).Polygon({ At(3, 3), At(7, 3), At(7, 7), At(3, 7) });
    ASSERT_EQ(Hatch(0, At(5, 5.5)), 1);
    std::vector<std::string> lines;
    for (const CLine& l : Lines())
        lines.push_back(Pt(l.m_start) + "-" + Pt(l.m_end));
    EXPECT_EQ(lines, (std::vector<std::string>{ "0,9.5-10,9.5", "0,7.5-10,7.5", "0,5.5-3,5.5", "7,5.5-10,5.5",
                                                "0,3.5-3,3.5", "7,3.5-10,3.5", "0,1.5-10,1.5" }));
    ASSERT_EQ(Doc().m_groups.GetSize(), 1);
    EXPECT_EQ(Doc().GetGroup(0)->m_members.size(), 7u);
}

TEST_F(LoopOperations, HatchLinesLieAPitchApartThroughThePassPoint)
{
    struct Case {
        double angle, pitch;
        CPointD pass;
    };
    for (const Case& k : { Case{ 30, 1.5, At(4, 5) }, Case{ 90, 2, At(-1, 0) }, Case{ 135, 0.7, At(3, 4) } }) {
        CCommandTape tape;
        tape.App().m_appElem.m_hatchPitch = k.pitch;
        CLoopCommand& c = *tape.Doc().m_loopCmd;
        CLoopWriter(c).Circle(At(3, 4), 10);
        c.m_values[1].value = k.angle;
        c.m_inputPoints[2].SetPoint(k.pass);
        ASSERT_EQ(c.MakeHatching(1, 2), 1);
        const CPointD n = At(-std::sin(k.angle * kPi / 180), std::cos(k.angle * kPi / 180));
        std::vector<long> steps;
        for (int b = 0; b < tape.Doc().m_lineBlocks.GetSize(); ++b) {
            const CLines* block = tape.Doc().LineBlockAt(b);
            for (int s = 0; s < block->m_count; ++s) {
                const CLine& l = block->m_slots[s];
                // Parallel to the angle, on a line k pitches from the pass point.
                const double along = (l.m_end.m_x - l.m_start.m_x) * n.m_x + (l.m_end.m_y - l.m_start.m_y) * n.m_y;
                EXPECT_NEAR(along, 0.0, 1e-9);
                const double offset = ((l.m_start.m_x - k.pass.m_x) * n.m_x + (l.m_start.m_y - k.pass.m_y) * n.m_y) / k.pitch;
                EXPECT_NEAR(offset, std::round(offset), 1e-9);
                steps.push_back(std::lround(offset));
            }
        }
        ASSERT_FALSE(steps.empty());
        for (std::size_t i = 1; i < steps.size(); ++i)
            EXPECT_EQ(steps[i - 1] - steps[i], 1) << k.angle;
        EXPECT_NE(std::find(steps.begin(), steps.end(), 0L), steps.end()) << k.angle;
    }
}

// The chords times the pitch approach the area: a 100 x 50 rectangle with a round hole.
TEST_F(LoopOperations, HatchLinesTimesThePitchCoverTheArea)
{
    m_tape.App().m_appElem.m_hatchPitch = 0.25;
    CLoopWriter(Loop()).Polygon({ At(0, 0), At(100, 0), At(100, 50), At(0, 50) });
    CLoopWriter(Loop()).Circle(At(30, 25), 10);
    ASSERT_EQ(Hatch(20, At(1, 1)), 1);
    double covered = 0;
    for (const CLine& l : Lines())
        covered += l.Length() * 0.25;
    EXPECT_NEAR(covered, 5000 - 100 * kPi, 0.002 * 5000);
}

TEST_F(LoopOperations, AHatchingWithoutLinesMakesNothing)
{
    struct Case {
        const char* what;
        double pitch;
        CPointD pass;
    };
    for (const Case& k : { Case{ "pitch zero", 0.0, At(0.25, 0.25) }, Case{ "negative pitch", -2.0, At(0.25, 0.25) },
                           Case{ "every line misses", 2.0, At(0.25, 1.5) } }) {
        CCommandTape tape;
        CZelkApp& app = tape.App();
        app.m_appElem.m_hatchPitch = k.pitch;
        CLoopCommand& c = *tape.Doc().m_loopCmd;
        CLoopWriter(c).Polygon({ At(0, 0), At(0.5, 0), At(0.5, 0.5), At(0, 0.5) });
        c.m_tokenString = "OAP";
        c.m_values[1].value = 0;
        c.m_inputPoints[2].SetPoint(k.pass);
        app.m_lastMessage = "";
        c.Execute();
        EXPECT_EQ(tape.Doc().m_groups.GetSize(), 0) << k.what;
        EXPECT_EQ(tape.Doc().m_undoHistory->GetStepCount(), 0) << k.what;
        EXPECT_EQ(app.m_lastMessage, "") << k.what;
        EXPECT_EQ(ListElements(tape.Doc()).size(), 1u) << k.what;   // "retired 0" alone
    }
}

TEST_F(LoopOperations, ACircleGrowsOrShrinksOrCannotBeOffset)
{
    struct Case {
        double d;
        int reversed;
        double radius;   // 0: none
    };
    for (const Case& k : { Case{ 4, 0, 6 }, Case{ -4, 0, 14 }, Case{ 4, 1, 14 }, Case{ 10, 0, 0 }, Case{ 12, 0, 0 } }) {
        CCommandTape tape;
        CLoopCommand& c = *tape.Doc().m_loopCmd;
        CLoopWriter(c).Circle(At(5, 5), 10, k.reversed);
        c.m_values[1].value = k.d;
        DefaultScriptedServices().m_beeps.clear();
        tape.App().m_lastMessage = "";
        const int made = c.MakeOffset(1);
        const std::vector<std::string> listing = ListElements(tape.Doc());
        if (k.radius > 0) {
            EXPECT_EQ(made, 1);
            ASSERT_EQ(listing.size(), 3u) << k.d;
            EXPECT_EQ(listing[0].rfind("circle 5.000000,5.000000 r " + std::to_string(k.radius).substr(0, 9) + " layer 0 group 0", 0), 0u)
                << listing[0];
            EXPECT_EQ(listing[1], "group 0 kind 0 parent -1 members 8:0:0");
            EXPECT_EQ(tape.Doc().m_undoHistory->GetStepCount(), 1);
        } else {
            EXPECT_EQ(made, 0);
            EXPECT_EQ(tape.App().m_lastMessage, "オフセット図形は作成できません。") << k.d;
            EXPECT_EQ(DefaultScriptedServices().m_beeps.size(), 1u);
            EXPECT_EQ(listing, std::vector<std::string>{ "retired 0" });
            EXPECT_EQ(tape.Doc().m_undoHistory->GetStepCount(), 0);
        }
    }
}

// A rectangle with rounded corners: the lines shift, the arcs keep their centres and meet the
// lines at their tangent points; arcs that would turn inside out go and the lines meet directly.
TEST_F(LoopOperations, RoundedCornersKeepTheirTangentsOrGo)
{
    struct Case {
        double d;
        std::vector<std::string> listing;
    };
    const std::vector<Case> cases = {
        { 4, { "line 10,4-90,4", "line 96,10-96,40", "line 10,46-90,46", "line 4,10-4,40", "arc 90,10 r6 270-360",
               "arc 90,40 r6 0-90", "arc 10,40 r6 90-180", "arc 10,10 r6 180-270" } },
        { -3, { "line 10,-3-90,-3", "line 103,10-103,40", "line 10,53-90,53", "line -3,10--3,40",
                "arc 90,10 r13 270-360", "arc 90,40 r13 0-90", "arc 10,40 r13 90-180", "arc 10,10 r13 180-270" } },
        { 12, { "line 12,12-88,12", "line 88,12-88,38", "line 12,38-88,38", "line 12,12-12,38" } },
    };
    for (const Case& k : cases) {
        CCommandTape tape;
        CLoopCommand& c = *tape.Doc().m_loopCmd;
        CLoopWriter(c)
            .Line(At(10, 0), At(90, 0))
            .Arc(At(90, 10), 10, 270, 360)
            .Line(At(100, 10), At(100, 40))
            .Arc(At(90, 40), 10, 0, 90)
            .Line(At(10, 50), At(90, 50), 1)
            .Arc(At(10, 40), 10, 90, 180)
            .Line(At(0, 10), At(0, 40), 1)
            .Arc(At(10, 10), 10, 180, 270);
        c.m_values[1].value = k.d;
        ASSERT_EQ(c.MakeOffset(1), 1) << k.d;
        std::vector<std::string> listing;
        const CZelkDoc& doc = tape.Doc();
        for (int b = 0; b < doc.m_lineBlocks.GetSize(); ++b)
            for (int i = 0; i < doc.LineBlockAt(b)->m_count; ++i) {
                const CLine& l = doc.LineBlockAt(b)->m_slots[i];
                listing.push_back("line " + Pt(l.m_start) + "-" + Pt(l.m_end));
            }
        for (int b = 0; b < doc.m_arcBlocks.GetSize(); ++b)
            for (int i = 0; i < doc.ArcBlockAt(b)->m_count; ++i) {
                const CArc& a = doc.ArcBlockAt(b)->m_slots[i];
                listing.push_back("arc " + Pt(a.m_centre) + " r" + loop_tests::Num(a.m_radius) + " " +
                                  loop_tests::Num(a.m_startAngle) + "-" + loop_tests::Num(a.m_endAngle));
            }
        // The drawing keeps its own order of lines within a block.
        std::vector<std::string> expected = k.listing;
        std::sort(listing.begin(), listing.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(listing, expected) << k.d;
        EXPECT_EQ(static_cast<int>(doc.GetGroup(0)->m_members.size()), static_cast<int>(k.listing.size()));
    }
}

TEST_F(LoopOperations, ANotchNarrowerThanTwiceTheDistanceCloses)
{
    // A trapezoid notch 8 wide at the top in the upper side, offset 6 outwards.
    CLoopWriter(Loop()).Polygon({ At(0, 0), At(100, 0), At(100, 50), At(54, 50), At(52, 40), At(48, 40), At(46, 50),
                                  At(0, 50) });
    ASSERT_EQ(Offset(-6), 1);
    // Where the notch's left side, moved 6 outwards, meets the upper side moved up to y = 56.
    const double ux = -2 / std::hypot(2.0, 10.0), uy = 10 / std::hypot(2.0, 10.0);
    const CPointD base = At(48 + 6 * uy, 40 - 6 * ux);   // six along the right normal of the side
    const double meet = base.m_x + (56 - base.m_y) / uy * ux;
    std::vector<std::string> lines;
    for (const CLine& l : Lines())
        lines.push_back(Pt(l.m_start) + "-" + Pt(l.m_end));
    std::vector<std::string> expected{ "-6,-6-106,-6", "106,-6-106,56", Pt(At(meet, 56)) + "-106,56",
                                       "-6,56-" + Pt(At(meet, 56)), "-6,-6--6,56" };
    std::sort(lines.begin(), lines.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(lines, expected);
}

TEST_F(LoopOperations, ConvexOffsetsKeepTheirSidesParallelAndTheAreaOfTheFormula)
{
    std::mt19937 rng(4);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int figure = 0; figure < 40; ++figure) {
        CCommandTape tape;
        CLoopCommand& c = *tape.Doc().m_loopCmd;
        const int n = 3 + static_cast<int>(unit(rng) * 7);
        std::vector<CPointD> corners;
        for (int i = 0; i < n; ++i) {
            const double a = 2 * kPi * (i + 0.15 + 0.7 * unit(rng)) / n;
            corners.push_back(At(50 * std::cos(a), 50 * std::sin(a)));
        }
        CLoopWriter(c).Polygon(corners);
        const double d = 0.5 + unit(rng);
        c.m_values[1].value = d;
        ASSERT_EQ(c.MakeOffset(1), 1);

        double area = 0, perimeter = 0, cotangents = 0;
        for (int i = 0; i < n; ++i) {
            const CPointD& p = corners[(i + n - 1) % n];
            const CPointD& q = corners[i];
            const CPointD& r = corners[(i + 1) % n];
            area += q.m_x * r.m_y - r.m_x * q.m_y;
            perimeter += std::hypot(r.m_x - q.m_x, r.m_y - q.m_y);
            const double in = std::atan2(q.m_y - p.m_y, q.m_x - p.m_x), out = std::atan2(r.m_y - q.m_y, r.m_x - q.m_x);
            double turn = out - in;
            while (turn < 0)
                turn += 2 * kPi;
            cotangents += 1 / std::tan((kPi - turn) / 2);
        }
        area /= 2;

        const CGroup* group = tape.Doc().GetGroup(0);
        ASSERT_NE(group, nullptr);
        ASSERT_EQ(static_cast<int>(group->m_members.size()), n);
        std::vector<CPointD> vertices;
        for (int i = 0; i < n; ++i) {
            const CLine* l = tape.Doc().GetLineElem(group->m_members[i].m_block, group->m_members[i].m_slot);
            ASSERT_NE(l, nullptr);
            // The side it came from: parallel, |d| away.
            const CPointD& a = corners[i];
            const CPointD& b = corners[(i + 1) % n];
            const double len = std::hypot(b.m_x - a.m_x, b.m_y - a.m_y);
            const double cross = ((l->m_end.m_x - l->m_start.m_x) * (b.m_y - a.m_y) -
                                  (l->m_end.m_y - l->m_start.m_y) * (b.m_x - a.m_x)) / len;
            EXPECT_NEAR(cross, 0.0, 1e-6);
            for (const CPointD& e : { l->m_start, l->m_end }) {
                const double dist = ((b.m_x - a.m_x) * (e.m_y - a.m_y) - (b.m_y - a.m_y) * (e.m_x - a.m_x)) / len;
                EXPECT_NEAR(dist, d, 1e-6);
            }
            // The end it shares with the next side's line.
            const CLine* next = tape.Doc().GetLineElem(group->m_members[(i + 1) % n].m_block,
                                                       group->m_members[(i + 1) % n].m_slot);
            ASSERT_NE(next, nullptr);
            for (const CPointD& e : { l->m_start, l->m_end })
                for (const CPointD& f : { next->m_start, next->m_end })
                    if (std::hypot(e.m_x - f.m_x, e.m_y - f.m_y) < 1e-6)
                        vertices.push_back(e);
        }
        ASSERT_EQ(static_cast<int>(vertices.size()), n) << figure;
        double inner = 0;
        for (int i = 0; i < n; ++i) {
            const CPointD& q = vertices[(i + n - 1) % n];
            const CPointD& r = vertices[i];
            inner += q.m_x * r.m_y - r.m_x * q.m_y;
        }
        EXPECT_NEAR(inner / 2, area - d * perimeter + d * d * cotangents, 1e-5) << figure;
    }
}

} // namespace
