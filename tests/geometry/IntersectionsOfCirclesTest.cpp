// Crossings of lines with circles and arcs and of circles and arcs with each other: the described
// values, the output order the commands cycle through, and invariants on generated inputs.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/Line.h"
#include "elements/Text.h"
#include "geometry/Angles.h"
#include "geometry/Intersections.h"
#include "tests/geometry/IntersectionsTestHelpers.h"

TEST(IntersectLineCircle, OrderFollowsTheLineDirection)
{
    CPointD o1, o2;
    int on1 = -1, on2 = -1;
    EXPECT_EQ(IntersectLineCircle(CLine(-5, 0, 5, 0), MakeCircle(0, 0, 1), o1, o2, on1, on2), 2);
    ExpectPoint(o1, 1, 0);
    ExpectPoint(o2, -1, 0);
    EXPECT_EQ(on1, 1);
    EXPECT_EQ(on2, 1);
}

TEST(IntersectLineCircle, PointOnTheSegmentComesFirst)
{
    CPointD o1, o2;
    int on1 = -1, on2 = -1;
    // Only the crossing at -1 lies on the segment: it moves to the front.
    EXPECT_EQ(IntersectLineCircle(CLine(-5, 0, 0, 0), MakeCircle(0, 0, 1), o1, o2, on1, on2), 2);
    ExpectPoint(o1, -1, 0);
    ExpectPoint(o2, 1, 0);
    EXPECT_EQ(on1, 1);
    EXPECT_EQ(on2, 0);
    // Neither on the segment: still 2 crossings of the infinite line.
    EXPECT_EQ(IntersectLineCircle(CLine(3, 0, 5, 0), MakeCircle(0, 0, 1), o1, o2, on1, on2), 2);
    EXPECT_EQ(on1, 0);
    EXPECT_EQ(on2, 0);
}

TEST(IntersectLineCircle, TangentFromEitherSide)
{
    for (double cy : {0.0, 2.0}) {
        CPointD o1, o2;
        int on1 = -1, on2 = -1;
        EXPECT_EQ(IntersectLineCircle(CLine(-3, 1, 3, 1), MakeCircle(0, cy, 1), o1, o2, on1, on2), 1);
        ExpectPoint(o1, 0, 1);
        ExpectPoint(o2, 0, 1);
        EXPECT_EQ(on1, 1);
    }
}

TEST(IntersectLineCircle, MissAndZeroLengthLine)
{
    CPointD o1, o2;
    int on1 = 0, on2 = 0;
    EXPECT_EQ(IntersectLineCircle(CLine(-3, 2, 3, 2), MakeCircle(0, 0, 1), o1, o2, on1, on2), 0);
    EXPECT_EQ(IntersectLineCircle(CLine(1, 0, 1, 0), MakeCircle(0, 0, 1), o1, o2, on1, on2), 0);
}

TEST(IntersectSegmentCircle, KeepsOnlyPointsOnTheSegment)
{
    CPointD o1, o2;
    EXPECT_EQ(IntersectSegmentCircle(CLine(-0.5, 0, 0.5, 0), MakeCircle(0, 0, 1), o1, o2), 0);
    EXPECT_EQ(IntersectSegmentCircle(CLine(0, 0, 5, 0), MakeCircle(0, 0, 1), o1, o2), 1);
    ExpectPoint(o1, 1, 0);
    ExpectPoint(o2, 1, 0);
    EXPECT_EQ(IntersectSegmentCircle(CLine(-5, 0, 5, 0), MakeCircle(0, 0, 1), o1, o2), 2);
    ExpectPoint(o1, 1, 0);
    ExpectPoint(o2, -1, 0);
}

TEST(IntersectLineArc, FiltersBySweepAndKeepsFront)
{
    CPointD o1, o2;
    int on1 = 0, on2 = 0;
    // Upper half circle: of the two crossings of y = 0.5 both lie in the sweep.
    EXPECT_EQ(IntersectLineArc(CLine(-5, 0.5, 5, 0.5), MakeArc(0, 0, 1, 0, 180), o1, o2, on1, on2), 2);
    // The x axis meets the quarter 90..180 only at (-1, 0), which must come first.
    EXPECT_EQ(IntersectLineArc(CLine(-5, 0, 5, 0), MakeArc(0, 0, 1, 90, 180), o1, o2, on1, on2), 1);
    ExpectPoint(o1, -1, 0);
    EXPECT_EQ(on1, 1);
    // The lower half is missed by y = 0.5.
    EXPECT_EQ(IntersectLineArc(CLine(-5, 0.5, 5, 0.5), MakeArc(0, 0, 1, 180, 360), o1, o2, on1, on2),
              0);
    // The full circle ignores the sweep.
    EXPECT_EQ(IntersectLineArcCircle(CLine(-5, 0.5, 5, 0.5), MakeArc(0, 0, 1, 180, 360), o1, o2, on1,
                                     on2),
              2);
}

TEST(IntersectCircles, DescribedCases)
{
    CPointD o1, o2;
    ASSERT_EQ(IntersectCircles(MakeCircle(0, 0, 1), MakeCircle(1, 0, 1), o1, o2), 2);
    ExpectPoint(o1, 0.5, -std::sqrt(0.75));
    ExpectPoint(o2, 0.5, std::sqrt(0.75));

    EXPECT_EQ(IntersectCircles(MakeCircle(0, 0, 1), MakeCircle(2, 0, 1), o1, o2), 1);
    ExpectPoint(o1, 1, 0);
    ExpectPoint(o2, 1, 0);

    // Inner tangency, this circle the larger and the smaller.
    EXPECT_EQ(IntersectCircles(MakeCircle(0, 0, 2), MakeCircle(1, 0, 1), o1, o2), 1);
    ExpectPoint(o1, 2, 0);
    EXPECT_EQ(IntersectCircles(MakeCircle(1, 0, 1), MakeCircle(0, 0, 2), o1, o2), 1);
    ExpectPoint(o1, 2, 0);

    EXPECT_EQ(IntersectCircles(MakeCircle(0, 0, 1), MakeCircle(3, 0, 1), o1, o2), 0);
    EXPECT_EQ(IntersectCircles(MakeCircle(0, 0, 3), MakeCircle(0.5, 0, 1), o1, o2), 0);
    EXPECT_EQ(IntersectCircles(MakeCircle(0, 0, 1), MakeCircle(0, 0, 2), o1, o2), 0);
    EXPECT_EQ(IntersectCircles(MakeCircle(0, 0, 0), MakeCircle(1, 0, 1), o1, o2), 0);
}

TEST(IntersectCircles, NearTangencyGivesFinitePoints)
{
    // Within the tolerance band of a tangency the circles touch once, at a real point.
    for (double eps : {5e-10, 1e-12, -1e-12, -5e-10}) {
        CPointD o1, o2;
        ASSERT_EQ(IntersectCircles(MakeCircle(0, 0, 1), MakeCircle(2 + eps, 0, 1), o1, o2), 1) << eps;
        EXPECT_TRUE(std::isfinite(o1.m_x) && std::isfinite(o1.m_y)) << eps;
        EXPECT_TRUE(std::isfinite(o2.m_x) && std::isfinite(o2.m_y)) << eps;
        EXPECT_NEAR(o1.m_x, 1, 1e-5) << eps;
    }
}

TEST(IntersectArcs, FiltersBothSweeps)
{
    CPointD o1, o2;
    // Upper halves of the unit circles at 0 and 1 share the upper crossing only; it comes first.
    EXPECT_EQ(IntersectArcs(MakeArc(0, 0, 1, 0, 180), MakeArc(1, 0, 1, 0, 180), o1, o2), 1);
    ExpectPoint(o1, 0.5, std::sqrt(0.75));
    EXPECT_EQ(IntersectArcs(MakeArc(0, 0, 1, 0, 360), MakeArc(1, 0, 1, 0, 360), o1, o2), 2);
    EXPECT_EQ(IntersectArcs(MakeArc(0, 0, 1, 0, 90), MakeArc(1, 0, 1, 270, 360), o1, o2), 0);
    // Tangent arcs: the touching point must lie in both sweeps.
    EXPECT_EQ(IntersectArcs(MakeArc(0, 0, 1, 270, 450), MakeArc(2, 0, 1, 90, 270), o1, o2), 1);
    EXPECT_EQ(IntersectArcs(MakeArc(0, 0, 1, 90, 270), MakeArc(2, 0, 1, 90, 270), o1, o2), 0);
    EXPECT_EQ(IntersectCircleArc(MakeCircle(0, 0, 1), MakeArc(1, 0, 1, 180, 360), o1, o2), 1);
    ExpectPoint(o1, 0.5, -std::sqrt(0.75));
}

TEST(IntersectionsWithUnderline, UseTheUnderlineAsALine)
{
    CText text;
    text.m_underlineStart = Pt(-5, 0);
    text.m_underlineEnd = Pt(-3, 0);
    CPointD o1, o2;
    int on1 = 0, on2 = 0;
    EXPECT_EQ(IntersectCircleTextLine(MakeCircle(0, 0, 1), text, o1, o2, on1, on2), 2);
    EXPECT_EQ(on1, 0);
    EXPECT_EQ(IntersectArcCircleTextLine(MakeArc(0, 0, 1, 0, 90), text, o1, o2, on1, on2), 2);
}

// Invariants on generated inputs: every point reported lies on both elements.
TEST(IntersectionProperties, PointsLieOnBothElements)
{
    std::mt19937 gen(20261210);
    std::uniform_real_distribution<double> coord(-100, 100);
    std::uniform_real_distribution<double> radius(0.5, 80);
    int found[2] = {};
    for (int i = 0; i < 2000; ++i) {
        CPointD a = Pt(coord(gen), coord(gen)), b = Pt(coord(gen), coord(gen));
        CPointD c = Pt(coord(gen), coord(gen)), d = Pt(coord(gen), coord(gen));
        CPointD o1, o2;
        CCircle k1 = MakeCircle(c.m_x, c.m_y, radius(gen));
        CCircle k2 = MakeCircle(d.m_x, d.m_y, radius(gen));
        int n = IntersectCircles(k1, k2, o1, o2);
        if (n > 0) {
            ++found[0];
            for (const CPointD& o : {o1, o2}) {
                EXPECT_NEAR(Distance(o, k1.m_centre), k1.m_radius, 1e-7);
                EXPECT_NEAR(Distance(o, k2.m_centre), k2.m_radius, 1e-5);
            }
        }
        int on1 = 0, on2 = 0;
        CLine line(a, b);
        n = IntersectLineCircle(line, k1, o1, o2, on1, on2);
        if (n > 0) {
            ++found[1];
            for (const CPointD& o : {o1, o2}) {
                EXPECT_NEAR(Distance(o, k1.m_centre), k1.m_radius, 1e-6);
                EXPECT_LT(LineGap(o, a, b), 1e-7);
            }
            EXPECT_EQ(on1, IsPointOnLineSeg(line, o1));
        }
    }
    // The generator must actually exercise both functions.
    for (int f : found)
        EXPECT_GT(f, 100);
}
