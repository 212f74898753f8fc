// Crossings of segments and infinite lines: the described values and invariants on generated
// inputs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "geometry/Intersections.h"
#include "tests/geometry/IntersectionsTestHelpers.h"

TEST(IntersectSegments, DescribedCases)
{
    struct Case {
        CPointD p1, p2, q1, q2;
        int result;
        CPointD out;
        const char* name;
    };
    const Case cases[] = {
        {Pt(0, 0), Pt(2, 2), Pt(0, 2), Pt(2, 0), 1, Pt(1, 1), "crossing diagonals"},
        {Pt(0, 0), Pt(1, 0), Pt(2, -1), Pt(2, 1), 0, Pt(0, 0), "lines cross beyond the first"},
        {Pt(0, 0), Pt(2, 0), Pt(2, 0), Pt(3, 5), 1, Pt(2, 0), "shared end point"},
        {Pt(0, 0), Pt(2, 0), Pt(1, 3), Pt(1, 0), 1, Pt(1, 0), "second ends on the first"},
        {Pt(0, 0), Pt(2, 0), Pt(3, 3), Pt(3, 0), 0, Pt(0, 0), "second ends on the line, beyond"},
        {Pt(0, 0), Pt(2, 0), Pt(1, 0), Pt(3, 0), 0, Pt(0, 0), "collinear overlap is no point"},
        {Pt(0, 0), Pt(2, 0), Pt(0, 1), Pt(2, 1), 0, Pt(0, 0), "parallel"},
        {Pt(0, 0), Pt(1, 4), Pt(0, 2), Pt(2, 2), 1, Pt(0.5, 2), "steep first segment"},
        {Pt(0, 0), Pt(0, 2), Pt(-1, 1), Pt(1, 1), 1, Pt(0, 1), "vertical first segment"},
    };
    for (const Case& c : cases) {
        CPointD out = Pt(9, 9);
        EXPECT_EQ(IntersectSegments(c.p1, c.p2, c.q1, c.q2, out), c.result) << c.name;
        if (c.result)
            ExpectPoint(out, c.out.m_x, c.out.m_y, c.name);
    }
}

TEST(IntersectSegments, FirstSegmentRunningTowardMinusXIsTakenReversed)
{
    CPointD out;
    EXPECT_EQ(IntersectSegments(Pt(2, 0), Pt(0, 0), Pt(1, -1), Pt(1, 1), out), 1);
    ExpectPoint(out, 1, 0);
    EXPECT_EQ(IntersectSegments(Pt(2, 0), Pt(0, 0), Pt(3, -1), Pt(3, 1), out), 0);
}

TEST(IntersectSegments, ZeroLengthFirstSegmentFindsNothing)
{
    CPointD out;
    EXPECT_EQ(IntersectSegments(Pt(1, 1), Pt(1, 1), Pt(0, 0), Pt(2, 2), out), 0);
}

TEST(IntersectLineWithSegment, LineIsUnbounded)
{
    CPointD out;
    EXPECT_EQ(IntersectLineWithSegment(Pt(0, 0), Pt(1, 0), Pt(5, -1), Pt(5, 3), out), 1);
    ExpectPoint(out, 5, 0);
    EXPECT_EQ(IntersectLineWithSegment(Pt(0, 0), Pt(1, 0), Pt(5, 1), Pt(5, 3), out), 0);
    // An end on the line is returned as passed.
    EXPECT_EQ(IntersectLineWithSegment(Pt(0, 0), Pt(1, 0), Pt(7, 0), Pt(8, 3), out), 1);
    ExpectPoint(out, 7, 0);
}

TEST(IntersectLines, Cases)
{
    struct Case {
        CPointD p1, p2, q1, q2;
        int result;
        CPointD out;
        const char* name;
    };
    const Case cases[] = {
        {Pt(0, 0), Pt(1, 0), Pt(0, 1), Pt(1, 1), 0, Pt(0, 0), "parallel"},
        {Pt(0, 0), Pt(1, 1), Pt(2, 2), Pt(3, 3), 0, Pt(0, 0), "identical"},
        {Pt(3, -5), Pt(3, 5), Pt(0, 2), Pt(1, 2), 1, Pt(3, 2), "vertical and horizontal"},
        {Pt(0, 2), Pt(1, 2), Pt(3, -5), Pt(3, 5), 1, Pt(3, 2), "horizontal and vertical"},
        {Pt(0, 0), Pt(1, 1), Pt(0, 2), Pt(1, 1), 1, Pt(1, 1), "oblique"},
        {Pt(0, 0), Pt(1, 2), Pt(10, 0), Pt(9, 2), 1, Pt(5, 10), "crossing beyond both"},
    };
    for (const Case& c : cases) {
        CPointD out = Pt(9, 9);
        EXPECT_EQ(IntersectLines(c.p1, c.p2, c.q1, c.q2, out), c.result) << c.name;
        ExpectPoint(out, c.out.m_x, c.out.m_y, c.name);
    }
}

TEST(IsPointOnSegment, ToleranceAlongAndAcross)
{
    EXPECT_EQ(IsPointOnSegment(Pt(0, 0), Pt(10, 0), Pt(5, 0)), 1);
    EXPECT_EQ(IsPointOnSegment(Pt(0, 0), Pt(10, 0), Pt(0, 0)), 1);
    EXPECT_EQ(IsPointOnSegment(Pt(0, 0), Pt(10, 0), Pt(10.005, 0)), 1);   // 0.0005 of the length beyond
    EXPECT_EQ(IsPointOnSegment(Pt(0, 0), Pt(10, 0), Pt(10.02, 0)), 0);
    EXPECT_EQ(IsPointOnSegment(Pt(0, 0), Pt(10, 0), Pt(5, 0.001)), 0);
    EXPECT_EQ(IsPointOnSegment(Pt(1, 1), Pt(1, 1), Pt(1, 1)), 0);
}

// Invariants on generated inputs: every point reported lies on both segments or lines.
TEST(IntersectionProperties, PointsLieOnBothLines)
{
    std::mt19937 gen(20261210);
    std::uniform_real_distribution<double> coord(-100, 100);
    int found[2] = {};
    for (int i = 0; i < 2000; ++i) {
        CPointD a = Pt(coord(gen), coord(gen)), b = Pt(coord(gen), coord(gen));
        CPointD c = Pt(coord(gen), coord(gen)), d = Pt(coord(gen), coord(gen));
        CPointD o1;
        if (IntersectSegments(a, b, c, d, o1)) {
            ++found[0];
            EXPECT_LT(LineGap(o1, a, b), 1e-7);
            EXPECT_LT(LineGap(o1, c, d), 1e-7);
            EXPECT_LE(std::min(a.m_x, b.m_x) - 1e-7, o1.m_x);
            EXPECT_LE(o1.m_x, std::max(a.m_x, b.m_x) + 1e-7);
        }
        if (IntersectLines(a, b, c, d, o1)) {
            ++found[1];
            double scale = std::max(1.0, std::hypot(o1.m_x, o1.m_y));
            EXPECT_LT(LineGap(o1, a, b) / scale, 1e-7);
            EXPECT_LT(LineGap(o1, c, d) / scale, 1e-7);
        }
    }
    // The generator must actually exercise both functions.
    for (int f : found)
        EXPECT_GT(f, 100);
}
