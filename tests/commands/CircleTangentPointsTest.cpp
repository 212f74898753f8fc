// The tangent circles without a radius through points and touching lines, given on the tape as a
// person gives them: what each construction makes, refuses and offers as candidates, and, over
// generated configurations, that every circle offered touches its lines and passes its points.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "commands/circle/CircleCommand.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "input/PointPair.h"
#include "tests/support/CommandTape.h"

namespace {

CPointD At(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

struct Shape {
    bool arc = false;
    double x = 0, y = 0, r = 0, start = 0, end = 0;
};

// The circles and arcs of a listing.
std::vector<Shape> Shapes(const std::vector<std::string>& listing)
{
    std::vector<Shape> out;
    for (const std::string& line : listing) {
        Shape s;
        if (std::sscanf(line.c_str(), "circle %lf,%lf r %lf", &s.x, &s.y, &s.r) == 3) {
            out.push_back(s);
        } else if (std::sscanf(line.c_str(), "arc %lf,%lf r %lf %lf-%lf", &s.x, &s.y, &s.r, &s.start, &s.end) == 5) {
            s.arc = true;
            out.push_back(s);
        }
    }
    return out;
}

std::string Typed(double x, double y)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6f,%.6f", x, y);
    return text;
}

double LineGap(const CLine& l, CPointD centre, double r)
{
    return std::fabs(std::fabs(SignedDistanceToLine(centre, l.m_start, l.m_end)) - std::fabs(r));
}

double PointGap(CPointD p, CPointD centre, double r) { return std::fabs(Distance(p, centre) - std::fabs(r)); }

const CPointPair& Candidate(CCircleCommand& c, int i) { return *static_cast<const CPointPair*>(c.m_candidates[i]); }

constexpr double kTol = 1e-6;

class TangentPoints : public ::testing::Test {
protected:
    void SetUp() override { m_tape.Code(305); }
    CCircleCommand& C() { return m_tape.Circle(); }
    const CCommandRow& Point(double x, double y) { return m_tape.Typed(Typed(x, y).c_str()); }
    CCommandTape m_tape;
};

} // namespace

// ---- through a point, touching a line at a given point --------------------------------------

TEST_F(TangentPoints, ThroughAPointTouchingALineAtItsTangentPoint)
{
    m_tape.AddLine(At(0, 0), At(10, 0));
    m_tape.Menu("３要素接円～３点円");
    EXPECT_EQ(m_tape.Pick(At(3, 0)).tokens, "L");
    EXPECT_EQ(Point(5, 0).tokens, "LH");
    const CCommandRow& made = Point(5, 4);
    EXPECT_EQ(made.tokens, "LHP");
    EXPECT_EQ(made.result, " 点･線分･接点の接円を作成しました");
    EXPECT_EQ(made.undoKinds, "1");
    const std::vector<Shape> shapes = Shapes(made.listing);
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_NEAR(shapes[0].x, 5, kTol);
    EXPECT_NEAR(shapes[0].y, 2, kTol);
    EXPECT_NEAR(shapes[0].r, 2, kTol);
}

TEST_F(TangentPoints, APassPointOnTheTangentLineIsRefused)
{
    m_tape.AddLine(At(0, 0), At(10, 0));
    m_tape.Menu("３要素接円～３点円");
    EXPECT_EQ(Point(8, 0).tokens, "B");
    m_tape.Pick(At(3, 0));
    // A right click on the line's midpoint: a typed point's echo would cover the message line.
    const CCommandRow& refused = m_tape.RightClick(At(5, 0));
    EXPECT_EQ(refused.tokens, "BLH");
    EXPECT_EQ(refused.message, "通過点が接線分の上にあり円は作成できません");
    EXPECT_GE(refused.beeps, 1);
    EXPECT_TRUE(Shapes(refused.listing).empty());
    EXPECT_EQ(refused.undoSteps, 0);
}

// ---- through a point, touching two lines ----------------------------------------------------

TEST_F(TangentPoints, BetweenParallelsTheCircleNearerThePicksIsMade)
{
    m_tape.AddLine(At(-20, 0), At(20, 0));
    m_tape.AddLine(At(-20, 10), At(20, 10));
    m_tape.Menu("３要素接円～３点円");
    struct Case {
        double pickX;
        double centreX;
    } cases[] = { { 3, 4 }, { -3, -4 } };
    for (const Case& k : cases) {
        m_tape.Menu("３要素接円～３点円");
        m_tape.Pick(At(k.pickX, 0));
        Point(0, 2);
        const CCommandRow& made = m_tape.Pick(At(k.pickX, 10));
        EXPECT_EQ(made.tokens, "LPL");
        EXPECT_EQ(made.result, " 点･2線分の接円を作成しました");
        const std::vector<Shape> shapes = Shapes(made.listing);
        ASSERT_FALSE(shapes.empty());
        EXPECT_NEAR(shapes.back().x, k.centreX, kTol);
        EXPECT_NEAR(shapes.back().y, 5, kTol);
        EXPECT_NEAR(shapes.back().r, 5, kTol);
    }
}

TEST_F(TangentPoints, APointOutsideTheStripOfParallelsIsRefused)
{
    m_tape.AddLine(At(-20, 0), At(20, 0));
    m_tape.AddLine(At(-20, 10), At(20, 10));
    m_tape.Menu("３要素接円～３点円");
    Point(0, 20);
    m_tape.Pick(At(3, 0));
    const CCommandRow& refused = m_tape.Pick(At(3, 10));
    EXPECT_EQ(refused.tokens, "BLL");
    EXPECT_EQ(refused.message, "指定の点を通る円は作成できません");
    EXPECT_TRUE(Shapes(refused.listing).empty());
}

TEST_F(TangentPoints, APassPointOnOneOfTwoCrossingLinesTouchesThereAndTheArcRunsInTokenOrder)
{
    m_tape.AddLine(At(-20, 0), At(20, 0));
    m_tape.AddLine(At(0, -20), At(0, 20));
    m_tape.Menu("３要素接円～３点円");
    Point(5, 0);
    m_tape.Pick(At(8, 0));
    const CCommandRow& made = m_tape.Pick(At(0, 4));
    EXPECT_EQ(made.tokens, "BLL");
    const std::vector<Shape> shapes = Shapes(made.listing);
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_NEAR(shapes[0].x, 5, kTol);
    EXPECT_NEAR(shapes[0].y, 5, kTol);
    EXPECT_NEAR(shapes[0].r, 5, kTol);

    // The arc command: from the tangent point on the first line through the one on the second
    // to the pass point.
    CCommandTape arcs;
    arcs.Code(306);
    arcs.AddLine(At(-20, 0), At(20, 0));
    arcs.AddLine(At(0, -20), At(0, 20));
    arcs.Menu("３要素接円弧/３点円弧", 1);
    arcs.Pick(At(8, 0));
    arcs.Pick(At(0, 6));
    const CCommandRow& arc = arcs.Typed(Typed(3, 5).c_str());
    EXPECT_EQ(arc.tokens, "LLP");
    EXPECT_EQ(arc.result, " 点･2線分の接円弧を作成しました");
    const std::vector<Shape> arcShapes = Shapes(arc.listing);
    ASSERT_EQ(arcShapes.size(), 1u);
    ASSERT_TRUE(arcShapes[0].arc);
    // Centre (r, r) with r = 8 - sqrt(15)... the circle through (3, 5) touching both axes.
    const double r = arcShapes[0].r;
    EXPECT_NEAR(arcShapes[0].x, r, kTol);
    EXPECT_NEAR(arcShapes[0].y, r, kTol);
    EXPECT_NEAR(PointGap(At(3, 5), At(r, r), r), 0, kTol);
    // Clockwise from the foot on y = 0 (270°) through the foot on x = 0 (180°) to the pass point.
    const double toPoint = PointsAngleDeg(At(r, r), At(3, 5));
    EXPECT_NEAR(arcShapes[0].start, toPoint < 0 ? toPoint + 360 : toPoint, 1e-4);
    EXPECT_NEAR(arcShapes[0].end, 270, 1e-4);
}

// ---- touching two lines at a given point ----------------------------------------------------

TEST_F(TangentPoints, TwoCrossingLinesAndAPointOnOneGiveTheTwoSectorsBesideIt)
{
    m_tape.AddLine(At(-20, 0), At(20, 0));
    m_tape.AddLine(At(0, -20), At(0, 20));
    m_tape.Menu("３要素接円～３点円");
    m_tape.Pick(At(8, 0));
    m_tape.Pick(At(0, 4));
    const CCommandRow& made = Point(5, 0);
    EXPECT_EQ(made.tokens, "LLH");
    ASSERT_EQ(C().m_candidates.GetSize(), 2);
    EXPECT_NEAR(Candidate(C(), 0).point1.m_y, 5, kTol);
    EXPECT_NEAR(Candidate(C(), 1).point1.m_y, -5, kTol);
    std::vector<Shape> shapes = Shapes(made.listing);
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_NEAR(shapes[0].x, 5, kTol);
    EXPECT_NEAR(shapes[0].y, 5, kTol);
    EXPECT_NEAR(shapes[0].r, 5, kTol);
    // Q puts the other sector's circle in its place.
    const CCommandRow& next = m_tape.Key('Q');
    shapes = Shapes(next.listing);
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_NEAR(shapes[0].y, -5, kTol);
    EXPECT_NEAR(shapes[0].r, 5, kTol);
}

TEST_F(TangentPoints, ParallelsAndAPointOnOneGiveOneCircleHalfway)
{
    m_tape.AddLine(At(-20, 0), At(20, 0));
    m_tape.AddLine(At(-20, 10), At(20, 10));
    m_tape.Menu("３要素接円～３点円");
    m_tape.Pick(At(8, 0));
    m_tape.Pick(At(8, 10));
    const CCommandRow& made = Point(2, 10);
    EXPECT_EQ(made.tokens, "LLH");
    const std::vector<Shape> shapes = Shapes(made.listing);
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_NEAR(shapes[0].x, 2, kTol);
    EXPECT_NEAR(shapes[0].y, 5, kTol);
    EXPECT_NEAR(shapes[0].r, 5, kTol);
    EXPECT_EQ(C().m_candidates.GetSize(), 1);

    CCommandTape arcs;
    arcs.Code(306);
    arcs.AddLine(At(-20, 0), At(20, 0));
    arcs.AddLine(At(-20, 10), At(20, 10));
    arcs.Menu("３要素接円弧/３点円弧", 1);
    arcs.Pick(At(8, 0));
    arcs.Pick(At(8, 10));
    const CCommandRow& arc = arcs.Typed("2,10");
    EXPECT_EQ(arcs.Circle().m_candidates.GetSize(), 1);
    const std::vector<Shape> half = Shapes(arc.listing);
    ASSERT_EQ(half.size(), 1u);
    ASSERT_TRUE(half[0].arc);
    // From the foot on the first line (270°) to the point on the second (90°).
    EXPECT_NEAR(half[0].start, 270, 1e-6);
    EXPECT_NEAR(half[0].end, 450, 1e-6);
}

// ---- through two points, touching a line ----------------------------------------------------

TEST_F(TangentPoints, TwoPointsAndALineRefusalsAndTheHandOver)
{
    struct Case {
        double x1, y1, x2, y2;
        const char* message;
    } cases[] = {
        { 2, 3, 6, -3, "指定２点が指定線分を跨いでいるので接円は作成できません" },
        { 2, 0, 6, 0, "指定２点が指定線分にあり接円は作成できません" },
    };
    for (const Case& k : cases) {
        CCommandTape tape;
        tape.Code(305);
        tape.AddLine(At(-20, 0), At(20, 0));
        tape.Menu("３要素接円～３点円");
        tape.Typed(Typed(k.x1, k.y1).c_str());
        tape.Typed(Typed(k.x2, k.y2).c_str());
        const CCommandRow& refused = tape.Pick(At(10, 0));
        EXPECT_EQ(refused.tokens, "BPL");
        EXPECT_EQ(refused.message, k.message);
        EXPECT_GE(refused.beeps, 1);
        EXPECT_TRUE(Shapes(refused.listing).empty());
    }
}

TEST_F(TangentPoints, TwoPointsTheFirstOnTheLineTouchThere)
{
    m_tape.AddLine(At(0, 0), At(10, 0));
    m_tape.Menu("３要素接円～３点円");
    Point(8, 0);
    Point(8, 3);
    const CCommandRow& made = m_tape.Pick(At(3, 0));
    EXPECT_EQ(made.tokens, "BPL");
    EXPECT_EQ(made.result, " 点･線分･接点の接円を作成しました");
    const std::vector<Shape> shapes = Shapes(made.listing);
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_NEAR(shapes[0].x, 8, kTol);
    EXPECT_NEAR(shapes[0].y, 1.5, kTol);
    EXPECT_NEAR(shapes[0].r, 1.5, kTol);
}

TEST_F(TangentPoints, TwoPointsAlongTheLineGiveOneCircleAndAcrossItTwo)
{
    m_tape.AddLine(At(-20, 0), At(20, 0));
    m_tape.Menu("３要素接円～３点円");
    Point(-1, 2);
    Point(1, 2);
    m_tape.Pick(At(10, 0));
    ASSERT_EQ(C().m_candidates.GetSize(), 1);
    EXPECT_NEAR(Candidate(C(), 0).point1.m_x, 0, kTol);
    EXPECT_NEAR(Candidate(C(), 0).point1.m_y, 1.25, kTol);
    EXPECT_NEAR(Candidate(C(), 0).value2, 1.25, kTol);

    // One point above the other: the bisector runs parallel to the line.
    m_tape.Menu("３要素接円～３点円");
    Point(0, 1);
    Point(0, 3);
    const CCommandRow& made = m_tape.Pick(At(10, 0));
    ASSERT_EQ(C().m_candidates.GetSize(), 2);
    for (int i = 0; i < 2; ++i) {
        const CPointPair& k = Candidate(C(), i);
        EXPECT_NEAR(std::fabs(k.point1.m_x), std::sqrt(3.0), kTol);
        EXPECT_NEAR(k.point1.m_y, 2, kTol);
        EXPECT_NEAR(std::fabs(k.value2), 2, kTol);
    }
    // The one whose tangent point lies nearer the pick comes first.
    EXPECT_GT(Candidate(C(), 0).point1.m_x, 0);
    EXPECT_FALSE(Shapes(made.listing).empty());
}

// ---- generated configurations ---------------------------------------------------------------

namespace {

// An independent solution for the centres of the circles through p and q touching the line a-b:
// the centre O = m + t u runs along the perpendicular bisector of p-q, and |O - p|^2 equals the
// squared distance of O from the line, a quadratic in t.
std::vector<CPointD> SolveTwoPointsLine(CPointD p, CPointD q, CPointD a, CPointD b)
{
    const CPointD m = At((p.m_x + q.m_x) / 2, (p.m_y + q.m_y) / 2);
    const double len = Distance(p, q);
    const CPointD u = At(-(q.m_y - p.m_y) / len, (q.m_x - p.m_x) / len);
    const double ab = Distance(a, b);
    const CPointD n = At(-(b.m_y - a.m_y) / ab, (b.m_x - a.m_x) / ab);
    const double dm = n.m_x * (m.m_x - a.m_x) + n.m_y * (m.m_y - a.m_y);
    const double un = n.m_x * u.m_x + n.m_y * u.m_y;
    const double qa = 1 - un * un, qb = -2 * dm * un, qc = len * len / 4 - dm * dm;
    std::vector<double> roots;
    if (std::fabs(qa) < 1e-12) {
        roots.push_back(-qc / qb);
    } else {
        const double d = qb * qb - 4 * qa * qc;
        roots.push_back((-qb + std::sqrt(std::max(d, 0.0))) / (2 * qa));
        if (d > 1e-12)
            roots.push_back((-qb - std::sqrt(d)) / (2 * qa));
    }
    std::vector<CPointD> out;
    for (const double t : roots)
        out.push_back(At(m.m_x + t * u.m_x, m.m_y + t * u.m_y));
    return out;
}

} // namespace

TEST(TangentPointsProperty, EveryCandidateTouchesItsLinesAndPassesItsPoints)
{
    std::mt19937 random(6301);
    std::uniform_real_distribution<double> coordinate(-8.0, 8.0);
    std::uniform_real_distribution<double> slope(-0.6, 0.6);
    int checked = 0;
    for (int round = 0; round < 12; ++round) {
        // A line well away from the origin's neighbourhood, picked at its far end, and two points
        // on one side of it.
        const double k = slope(random);
        const CPointD a = At(-40, -20 + k * -40);
        const CPointD b = At(40, -20 + k * 40);
        // Rounded as they are typed.
        const CPointD p = At(std::round(coordinate(random) * 1e6) / 1e6, std::round(coordinate(random) * 1e6) / 1e6);
        const CPointD q = At(std::round(coordinate(random) * 1e6) / 1e6, std::round(coordinate(random) * 1e6) / 1e6);
        if (Distance(p, q) < 1.0)
            continue;
        for (int arc = 0; arc < 2; ++arc) {
            CCommandTape tape;
            tape.Code(arc ? 306 : 305);
            tape.AddLine(a, b);
            tape.Menu(arc ? "３要素接円弧/３点円弧" : "３要素接円～３点円", arc);
            tape.Typed(Typed(p.m_x, p.m_y).c_str());
            tape.Typed(Typed(q.m_x, q.m_y).c_str());
            const CCommandRow& made = tape.Pick(At(30, -20 + k * 30));
            ASSERT_EQ(made.tokens, "BPL");
            CCircleCommand& c = tape.Circle();
            const CPointD ep = p;
            const CPointD eq = q;
            const CLine& line = c.m_pickedLines[2];
            const std::vector<CPointD> expected = SolveTwoPointsLine(ep, eq, line.m_start, line.m_end);
            const int n = c.m_candidates.GetSize();
            std::vector<CPointD> centres;
            for (int i = 0; i < n; ++i) {
                const CPointPair& r = Candidate(c, i);
                EXPECT_LT(LineGap(line, r.point1, r.value2), 1e-6) << round;
                EXPECT_LT(PointGap(ep, r.point1, r.value2), 1e-6) << round;
                EXPECT_LT(PointGap(eq, r.point1, r.value2), 1e-6) << round;
                if (i > 0) {
                    EXPECT_LE(Candidate(c, i - 1).value1, r.value1 + 1e-12) << round;
                }
                bool seen = false;
                for (const CPointD& o : centres)
                    seen = seen || PointsNearlyEqual(o, r.point1);
                if (!seen)
                    centres.push_back(r.point1);
                if (arc && i % 2 == 0) {
                    // The arc runs from the first point to the tangent point through the second.
                    EXPECT_TRUE(IsAngleInSweepDeg(PointsAngleDeg(r.point1, eq), r.point2.m_x, r.point2.m_y)) << round;
                }
            }
            // Nothing missing, nothing extra, no duplicates.
            EXPECT_EQ(centres.size(), expected.size()) << round;
            EXPECT_EQ(static_cast<size_t>(n), arc ? 2 * expected.size() : expected.size()) << round;
            for (const CPointD& o : expected) {
                bool found = false;
                for (const CPointD& got : centres)
                    found = found || Distance(o, got) < 1e-5;
                EXPECT_TRUE(found) << round << " " << o.m_x << "," << o.m_y;
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 10);
}

// ---- touching three lines -------------------------------------------------------------------

TEST_F(TangentPoints, ATrianglesSidesGiveItsIncircleAndItsThreeExcircles)
{
    // Sides a = 50 (opposite A), b = 30, c = 40: area 600, s = 60.
    const CPointD a = At(0, 0), b = At(40, 0), c = At(0, 30);
    m_tape.AddLine(a, b);
    m_tape.AddLine(c, b);
    m_tape.AddLine(a, c);
    m_tape.Menu("３要素接円～３点円");
    m_tape.Pick(At(10, 0));
    m_tape.Pick(At(16, 18));
    const CCommandRow& made = m_tape.Pick(At(0, 10));
    EXPECT_EQ(made.tokens, "LLL");
    ASSERT_EQ(C().m_candidates.GetSize(), 4);
    // The incircle, centre (aA + bB + cC) / (a + b + c), touches where the sides were picked.
    std::vector<Shape> shapes = Shapes(made.listing);
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_NEAR(shapes[0].x, (50 * a.m_x + 30 * b.m_x + 40 * c.m_x) / 120, kTol);
    EXPECT_NEAR(shapes[0].y, (50 * a.m_y + 30 * b.m_y + 40 * c.m_y) / 120, kTol);
    EXPECT_NEAR(shapes[0].r, 600.0 / 60, kTol);
    std::vector<double> radii;
    for (int i = 0; i < 4; ++i) {
        const CPointPair& k = Candidate(C(), i);
        radii.push_back(k.value2);
        for (int side = 0; side < 3; ++side)
            EXPECT_LT(LineGap(C().m_pickedLines[side], k.point1, k.value2), 1e-6);
        if (i > 0) {
            EXPECT_LE(Candidate(C(), i - 1).value1, k.value1);
        }
    }
    std::sort(radii.begin(), radii.end());
    const double expected[] = { 600.0 / 60, 600.0 / (60 - 40), 600.0 / (60 - 30), 600.0 / (60 - 50) };
    std::vector<double> want(std::begin(expected), std::end(expected));
    std::sort(want.begin(), want.end());
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(radii[i], want[i], 1e-6);
    // Q replaces the incircle by the next candidate.
    shapes = Shapes(m_tape.Key('Q').listing);
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_NEAR(shapes[0].r, Candidate(C(), 1).value2, kTol);
}

TEST_F(TangentPoints, ParallelsWithATransversalGiveTwoCirclesAndThreeParallelsNone)
{
    m_tape.AddLine(At(-50, 0), At(50, 0));
    m_tape.AddLine(At(-50, 10), At(50, 10));
    m_tape.AddLine(At(0, -50), At(0, 50));
    m_tape.Menu("３要素接円～３点円");
    m_tape.Pick(At(20, 0));
    m_tape.Pick(At(20, 10));
    const CCommandRow& made = m_tape.Pick(At(0, 30));
    EXPECT_EQ(made.tokens, "LLL");
    ASSERT_EQ(C().m_candidates.GetSize(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(Candidate(C(), i).value2, 5, kTol);
        EXPECT_NEAR(std::fabs(Candidate(C(), i).point1.m_x), 5, kTol);
        EXPECT_NEAR(Candidate(C(), i).point1.m_y, 5, kTol);
    }
    // The one on the side of the picks is made.
    const std::vector<Shape> shapes = Shapes(made.listing);
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_NEAR(shapes[0].x, 5, kTol);

    CCommandTape tape;
    tape.Code(305);
    tape.AddLine(At(-50, 0), At(50, 0));
    tape.AddLine(At(-50, 10), At(50, 10));
    tape.AddLine(At(-50, 20), At(50, 20));
    tape.Menu("３要素接円～３点円");
    tape.Pick(At(20, 0));
    tape.Pick(At(20, 10));
    const CCommandRow& none = tape.Pick(At(20, 20));
    EXPECT_EQ(none.tokens, "LLL");
    EXPECT_EQ(tape.Circle().m_candidates.GetSize(), 0);
    EXPECT_TRUE(Shapes(none.listing).empty());
    EXPECT_EQ(none.beeps, 0);
    EXPECT_EQ(none.message.find("作成"), std::string::npos);
}

// ---- touching two lines and a circle --------------------------------------------------------

namespace {

double CircleGap(const CCircle& circle, CPointD centre, double r)
{
    const double d = Distance(circle.m_centre, centre);
    return std::min(std::fabs(d - (std::fabs(r) + circle.m_radius)), std::fabs(d - std::fabs(std::fabs(r) - circle.m_radius)));
}

} // namespace

TEST(TangentLinesAndCircle, EveryCandidateTouchesBothLinesAndTheCircle)
{
    std::mt19937 random(6302);
    std::uniform_real_distribution<double> turn(0.6, 1.2);
    std::uniform_real_distribution<double> spot(10.0, 25.0);
    std::uniform_real_distribution<double> size(1.0, 4.0);
    for (int round = 0; round < 8; ++round) {
        const double angle = turn(random);
        const CPointD far = At(60 * std::cos(angle), 60 * std::sin(angle));
        const double cx = spot(random);
        const double cy = std::min(spot(random), std::tan(angle) * cx) / 2;
        const double radius = std::min(size(random), cy / 2);
        for (int arc = 0; arc < 2; ++arc) {
            CCommandTape tape;
            tape.Code(arc ? 306 : 305);
            tape.AddLine(At(-60, 0), At(60, 0));
            tape.AddLine(At(0, 0), far);
            tape.AddCircle(At(cx, cy), radius);
            tape.Menu(arc ? "３要素接円弧/３点円弧" : "３要素接円～３点円", arc);
            tape.Pick(At(50, 0));
            tape.Pick(At(far.m_x * 0.8, far.m_y * 0.8));
            const CCommandRow& made = tape.Pick(At(cx + radius, cy));
            ASSERT_EQ(made.tokens, "LLC") << round;
            CCircleCommand& c = tape.Circle();
            const int n = c.m_candidates.GetSize();
            EXPECT_GE(n, arc ? 4 : 2) << round;
            for (int i = 0; i < n; ++i) {
                const CPointPair& r = Candidate(c, i);
                EXPECT_LT(LineGap(c.m_pickedLines[0], r.point1, r.value2), 1e-6) << round;
                EXPECT_LT(LineGap(c.m_pickedLines[1], r.point1, r.value2), 1e-6) << round;
                EXPECT_LT(CircleGap(c.m_pickedCircles[2], r.point1, r.value2), 1e-6) << round;
                if (i > 0) {
                    EXPECT_LE(Candidate(c, i - 1).value1, r.value1) << round;
                }
                for (int j = 0; j < i; ++j) {
                    const CPointPair& o = Candidate(c, j);
                    EXPECT_FALSE(PointsNearlyEqual(o.point1, r.point1) && PointsNearlyEqual(o.point2, r.point2)) << round;
                }
            }
            // The given circle and the one made.
            EXPECT_EQ(Shapes(made.listing).size(), 2u) << round;
        }
    }
}

TEST_F(TangentPoints, TwoLinesOnOneLineAndACircleAreRefused)
{
    m_tape.AddLine(At(-30, 0), At(-5, 0));
    m_tape.AddLine(At(5, 0), At(30, 0));
    m_tape.AddCircle(At(0, 10), 3);
    m_tape.Menu("３要素接円～３点円");
    m_tape.Pick(At(-20, 0));
    m_tape.Pick(At(20, 0));
    const CCommandRow& refused = m_tape.Pick(At(3, 10));
    EXPECT_EQ(refused.tokens, "LLC");
    EXPECT_EQ(refused.message, "2つの接線分が同一で円は作成できません");
    EXPECT_GE(refused.beeps, 1);
    // Only the given circle.
    EXPECT_EQ(Shapes(refused.listing).size(), 1u);
}

TEST(TangentLinesProperty, TrianglesAndAPointBetweenTwoLines)
{
    std::mt19937 random(6305);
    std::uniform_real_distribution<double> spread(-6.0, 6.0);
    for (int round = 0; round < 8; ++round) {
        // A triangle about (0, 0), (60, 0), (20, 45), each side picked at its middle.
        const CPointD v[3] = { At(spread(random), spread(random)), At(60 + spread(random), spread(random)),
                               At(20 + spread(random), 45 + spread(random)) };
        CCommandTape tape;
        tape.Code(305);
        for (int i = 0; i < 3; ++i)
            tape.AddLine(v[i], v[(i + 1) % 3]);
        tape.Menu("３要素接円～３点円");
        for (int i = 0; i < 3; ++i)
            tape.Pick(At((v[i].m_x + v[(i + 1) % 3].m_x) / 2, (v[i].m_y + v[(i + 1) % 3].m_y) / 2));
        CCircleCommand& c = tape.Circle();
        ASSERT_EQ(c.m_tokenString, "LLL");
        ASSERT_EQ(c.m_candidates.GetSize(), 4) << round;
        const double a = Distance(v[1], v[2]), b = Distance(v[2], v[0]), e = Distance(v[0], v[1]);
        const double s = (a + b + e) / 2;
        const double area = std::sqrt(s * (s - a) * (s - b) * (s - e));
        std::vector<double> want = { area / s, area / (s - a), area / (s - b), area / (s - e) };
        std::vector<double> got;
        for (int i = 0; i < 4; ++i) {
            const CPointPair& k = Candidate(c, i);
            got.push_back(k.value2);
            for (int j = 0; j < 3; ++j)
                EXPECT_LT(LineGap(c.m_pickedLines[j], k.point1, k.value2), 1e-6) << round;
            if (i > 0) {
                EXPECT_LE(Candidate(c, i - 1).value1, k.value1);
            }
        }
        std::sort(want.begin(), want.end());
        std::sort(got.begin(), got.end());
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(got[i], want[i], 1e-6) << round;
        // The incircle touches where the sides were picked most nearly.
        EXPECT_NEAR(Candidate(c, 0).value2, area / s, 1e-6) << round;
    }
    // Two crossing lines and a point in one sector, in each of the three orders.
    const char* const patterns[] = { "BLL", "LPL", "LLP" };
    for (int round = 0; round < 9; ++round) {
        const double k = 0.3 + 0.15 * (round % 4);
        const CPointD far = At(50, 50 * k * 2);
        const CPointD p = At(std::round((20 + spread(random)) * 1e3) / 1e3, std::round((10 * k + spread(random) / 3) * 1e3) / 1e3);
        const char* pattern = patterns[round % 3];
        CCommandTape tape;
        tape.Code(305);
        tape.AddLine(At(-50, 0), At(50, 0));
        tape.AddLine(At(0, 0), far);
        tape.Menu("３要素接円～３点円");
        const CPointD picks[2] = { At(40, 0), At(far.m_x * 0.8, far.m_y * 0.8) };
        int line = 0;
        CCommandRow last;
        for (const char* t = pattern; *t; ++t)
            last = *t == 'L' ? tape.Pick(picks[line++]) : tape.Typed(Typed(p.m_x, p.m_y).c_str());
        ASSERT_EQ(last.tokens, pattern) << round;
        const std::vector<Shape> shapes = Shapes(last.listing);
        ASSERT_EQ(shapes.size(), 1u) << round << " " << pattern;
        const CPointD centre = At(shapes[0].x, shapes[0].y);
        EXPECT_NEAR(std::fabs(SignedDistanceToLine(centre, At(-50, 0), At(50, 0))), shapes[0].r, 1e-5) << round;
        EXPECT_NEAR(std::fabs(SignedDistanceToLine(centre, At(0, 0), far)), shapes[0].r, 1e-5) << round;
        EXPECT_NEAR(Distance(centre, p), shapes[0].r, 1e-5) << round;
    }
}

// ---- a given tangent point, over generated configurations ------------------------------------

namespace {

CPointD Plus(CPointD a, CPointD b, double t) { return At(a.m_x + t * b.m_x, a.m_y + t * b.m_y); }

CPointD UnitNormal(CPointD a, CPointD b)
{
    const double len = Distance(a, b);
    return At(-(b.m_y - a.m_y) / len, (b.m_x - a.m_x) / len);
}

double Dot(CPointD a, CPointD b) { return a.m_x * b.m_x + a.m_y * b.m_y; }

CPointD Minus(CPointD a, CPointD b) { return At(a.m_x - b.m_x, a.m_y - b.m_y); }

struct Expected {
    CPointD centre;
    double r;
};

// Every distinct circle the tape left: the candidates when the construction kept them, else the
// element it made.
std::vector<Expected> Offered(CCircleCommand& c, const std::vector<std::string>& listing, size_t given)
{
    std::vector<Expected> out;
    auto add = [&](CPointD centre, double r) {
        for (const Expected& e : out)
            if (PointsNearlyEqual(e.centre, centre) && NearlyEqual(e.r, r))
                return;
        out.push_back({ centre, r });
    };
    for (int i = 0; i < c.m_candidates.GetSize(); ++i)
        add(Candidate(c, i).point1, std::fabs(Candidate(c, i).value2));
    if (out.empty()) {
        const std::vector<Shape> shapes = Shapes(listing);
        for (size_t i = given; i < shapes.size(); ++i)
            add(At(shapes[i].x, shapes[i].y), shapes[i].r);
    }
    return out;
}

} // namespace

// Two lines touched at a given point of one, a line touched at a given point through another
// point, a circle touched at a given point through another point: in every token order and
// both commands, the circles offered are exactly those worked out independently here.
TEST(TangentPointsProperty, AGivenTangentPointGivesExactlyTheCirclesTouchingThere)
{
    std::mt19937 random(6306);
    std::uniform_int_distribution<int> small(-3, 3);
    std::uniform_int_distribution<int> along(2, 8);
    std::uniform_int_distribution<int> spot(-30, 30);
    const CPointD onCircle[] = { At(3, 4), At(-4, 3), At(-3, -4), At(4, -3), At(5, 0), At(0, -5) };
    int checked = 0;
    for (int round = 0; round < 12; ++round) {
        // L1 about horizontal, L2 about vertical, picked near their far ends, away from each other.
        const CPointD a1 = At(-50, 10 * small(random)), b1 = At(50, 10 * small(random));
        const CPointD a2 = At(10 * small(random), -50), b2 = At(10 * small(random), 50);
        const CPointD pick1 = Plus(a1, Minus(b1, a1), 0.95), pick2 = Plus(a2, Minus(b2, a2), 0.95);
        const CPointD circleCentre = At(spot(random), spot(random) / 3 + 80);
        const double radius = 5.0 * (1 + round % 2);
        const CPointD& u = onCircle[round % 6];
        const CPointD onK = At(circleCentre.m_x + u.m_x * radius / 5, circleCentre.m_y + u.m_y * radius / 5);
        const CPointD pass = At(spot(random), spot(random));
        for (const char* pattern : { "LLH", "LHL", "BLH", "LHP", "CHP", "BCH" }) {
            const std::string p = pattern;
            const bool circle = p.find('C') != std::string::npos;
            const bool twoLines = p == "LLH" || p == "LHL";
            // H on the second line for "LLH", on the first otherwise.
            const CPointD touchA = p == "LLH" ? a2 : a1, touchB = p == "LLH" ? b2 : b1;
            const CPointD farA = p == "LLH" ? a1 : a2, farB = p == "LLH" ? b1 : b2;
            const CPointD h = circle ? onK : Plus(touchA, Minus(touchB, touchA), along(random) / 10.0);
            const CPointD n = UnitNormal(touchA, touchB);
            std::vector<Expected> expected;
            if (twoLines) {
                // O = H + t n at distance |t| from the far line.
                const double s = SignedDistanceToLine(h, farA, farB);
                if (std::fabs(s) < 2)
                    continue;
                const double k = Dot(n, UnitNormal(farA, farB));
                for (const double t : { s / (1 - k), -s / (1 + k) })
                    expected.push_back({ Plus(h, n, t), std::fabs(t) });
            } else if (!circle) {
                // O = H + t n as far from the pass point as from H.
                const double across = Dot(Minus(pass, h), n);
                if (std::fabs(across) < 2)
                    continue;
                const double t = Dot(Minus(pass, h), Minus(pass, h)) / (2 * across);
                expected.push_back({ Plus(h, n, t), std::fabs(t) });
            } else {
                // O = c + s v on the ray through H, as far from the pass point as from H.
                const CPointD v = At(u.m_x / 5, u.m_y / 5);
                const CPointD cp = Minus(circleCentre, pass);
                const double below = radius + Dot(v, cp);
                if (std::fabs(below) < 1 || std::fabs(Distance(circleCentre, pass) - radius) < 1)
                    continue;
                const double s = (Dot(cp, cp) - radius * radius) / (-2 * below);
                expected.push_back({ Plus(circleCentre, v, s), std::fabs(s - radius) });
            }
            for (int arc = 0; arc < 2; ++arc) {
                SCOPED_TRACE(p + (arc ? " arc " : " circle ") + std::to_string(round));
                CCommandTape tape;
                tape.Code(arc ? 306 : 305);
                tape.AddLine(a1, b1);
                tape.AddLine(a2, b2);
                tape.AddCircle(circleCentre, radius);
                tape.Menu(arc ? "３要素接円弧/３点円弧" : "３要素接円～３点円", arc);
                int line = 0;
                CCommandRow last;
                for (const char t : p) {
                    if (t == 'L')
                        last = tape.Pick(line++ == 0 ? pick1 : pick2);
                    else if (t == 'C')
                        last = tape.Pick(At(circleCentre.m_x - radius, circleCentre.m_y));
                    else
                        last = tape.Typed(Typed((t == 'H' ? h : pass).m_x, (t == 'H' ? h : pass).m_y).c_str());
                }
                ASSERT_EQ(last.tokens, p);
                CCircleCommand& c = tape.Circle();
                const std::vector<Expected> got = Offered(c, last.listing, 1);
                ASSERT_EQ(got.size(), expected.size());
                for (const Expected& e : expected) {
                    bool found = false;
                    for (const Expected& g : got)
                        found = found || (Distance(e.centre, g.centre) < 1e-5 && std::fabs(e.r - g.r) < 1e-5);
                    EXPECT_TRUE(found) << e.centre.m_x << "," << e.centre.m_y << " r " << e.r;
                }
                // The arc command lists each arc with the rest of its circle.
                if (arc && c.m_candidates.GetSize() > 0) {
                    EXPECT_EQ(static_cast<size_t>(c.m_candidates.GetSize()), 2 * expected.size());
                }
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 60);
}
