// Feet, distances, points toward a circle and merging on element records: lines, circles and text
// underlines.
#include <gtest/gtest.h>

#include "elements/Circle.h"
#include "elements/Line.h"
#include "elements/Text.h"
#include "geometry/Projections.h"
#include "tests/geometry/IntersectionsTestHelpers.h"

namespace {

CText TextWithUnderline(CPointD s, CPointD e)
{
    CText t;
    t.m_underlineStart = s;
    t.m_underlineEnd = e;
    return t;
}

}  // namespace

TEST(FootOnLineRec, StartIncludedEndExcluded)
{
    CLine line(0, 0, 2, 0);
    CPointD foot;
    double distance = 0;
    // A foot a hair before the start counts as at the start for the inclusive form only.
    EXPECT_EQ(FootOnLineRec(line, Pt(-1e-6, 5), foot, distance), 1);
    EXPECT_EQ(FootOnLineRecStrict(line, Pt(-1e-6, 5), foot, distance), 0);
    EXPECT_EQ(FootOnLineRec(line, Pt(2.000001, 5), foot, distance), 0);
    EXPECT_EQ(FootOnLineRec(line, Pt(1, -5), foot, distance), 1);
    EXPECT_NEAR(distance, -5, 1e-9);
    CText text = TextWithUnderline(Pt(0, 0), Pt(0, 4));
    EXPECT_EQ(FootOnTextLine(text, Pt(1, 2), foot, distance), 1);
    ExpectPoint(foot, 0, 2);
    EXPECT_NEAR(distance, -1, 1e-9);  // right of the upward underline
}

TEST(SignedDistanceToLineRec, SignAndZeroLength)
{
    double d = 42;
    EXPECT_EQ(SignedDistanceToLineRec(CLine(0, 0, 1, 0), Pt(5, 2), d), 1);
    EXPECT_NEAR(d, 2, 1e-12);
    EXPECT_EQ(SignedDistanceToLineRec(CLine(0, 0, 1, 0), Pt(5, -2), d), 1);
    EXPECT_NEAR(d, -2, 1e-12);
    d = 42;
    EXPECT_EQ(SignedDistanceToLineRec(CLine(1, 1, 1, 1), Pt(5, 2), d), 0);
    EXPECT_EQ(d, 42);
}

TEST(CirclePoints, TowardAndRadialGap)
{
    CCircle c;
    c.m_centre = Pt(1, 1);
    c.m_radius = 2;
    CPointD out = Pt(9, 9);
    EXPECT_EQ(CirclePointToward(c, Pt(1, 1), out), 0);
    ExpectPoint(out, 9, 9);
    EXPECT_EQ(CirclePointToward(c, Pt(1, -10), out), 1);
    ExpectPoint(out, 1, -1);
    double gap = 0;
    EXPECT_EQ(CircleRadialGap(c, Pt(2, 1), gap), 1);
    EXPECT_NEAR(gap, 1, 1e-12);
    CircleRadialGap(c, Pt(5, 1), gap);
    EXPECT_NEAR(gap, -2, 1e-12);
}

TEST(OverlapCollinearSegments, DegenerateFirstPieces)
{
    CPointD o1, o2;
    // A piece without extent defines no line.
    CPointD p = Pt(1, 1), q = Pt(1, 1), r = Pt(0, 0), s = Pt(2, 2);
    EXPECT_EQ(OverlapCollinearSegments(p, q, r, s, o1, o2), 0);
    // An underline written toward -x merges like its reversal.
    EXPECT_EQ(OverlapTextLines(TextWithUnderline(Pt(3, 0), Pt(0, 0)),
                               TextWithUnderline(Pt(2, 0), Pt(5, 0)), o1, o2),
              1);
    ExpectPoint(o1, 0, 0);
    ExpectPoint(o2, 5, 0);
}

TEST(OverlapLineRecs, MergesCopiesOfTheEnds)
{
    CLine a(0, 0, 2, 0), b(1, 0, 3, 0);
    CPointD o1, o2;
    EXPECT_EQ(OverlapLineRecs(a, b, o1, o2), 1);
    ExpectPoint(o1, 0, 0);
    ExpectPoint(o2, 3, 0);
    ExpectPoint(b.m_start, 1, 0);
    EXPECT_EQ(OverlapLineRecs(CLine(0, 0, 1, 0), CLine(2, 0, 3, 0), o1, o2), 0);
}
