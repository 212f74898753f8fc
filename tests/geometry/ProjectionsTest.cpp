// Feet of perpendiculars, projections, arrow wings and merging of collinear or concentric pieces.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "elements/Circle.h"
#include "elements/Line.h"
#include "elements/Text.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
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

TEST(FootOfPerpendicular, DescribedCases)
{
    struct Case {
        CPointD p;
        int result;
        CPointD foot;
        double distance;
    };
    const Case cases[] = {
        {Pt(1, 1), 1, Pt(1, 0), 1},
        {Pt(3, -1), 0, Pt(3, 0), -1},
        {Pt(-1, 1), 0, Pt(-1, 0), 1},
        {Pt(-1e-6, 2), 0, Pt(-1e-6, 0), 2},  // just before the start
    };
    for (const Case& c : cases) {
        CPointD foot;
        double distance = 99;
        EXPECT_EQ(FootOfPerpendicular(Pt(0, 0), Pt(2, 0), c.p, foot, distance), c.result);
        ExpectPoint(foot, c.foot.m_x, c.foot.m_y);
        EXPECT_NEAR(distance, c.distance, 1e-9);
    }
}

TEST(FootOfPerpendicular, ZeroLengthSegment)
{
    CPointD foot = Pt(5, 5);
    double distance = 7;
    EXPECT_EQ(FootOfPerpendicular(Pt(1, 1), Pt(1, 1), Pt(3, 3), foot, distance), 0);
    ExpectPoint(foot, 0, 0);
    EXPECT_EQ(distance, 7);
}

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

TEST(ProjectVectors, AlongAndAcrossADirection)
{
    ExpectPoint(ProjectVectorOnAngle(Pt(0, 0), 0, Pt(3, 4)), 3, 0);
    ExpectPoint(ProjectVectorOnAngle(Pt(1, 1), 90, Pt(4, 5)), 0, 4);
    // A point on the line gives no offset whatever the margin.
    ExpectPoint(PerpendicularOffsetVector(Pt(0, 0), 45, Pt(3, 3), 10), 0, 0);
    // Lengthened by the margin away from zero, on either side.
    ExpectPoint(PerpendicularOffsetVector(Pt(0, 0), 0, Pt(3, 4), 1), 0, -5);
    ExpectPoint(PerpendicularOffsetVector(Pt(0, 0), 0, Pt(3, -4), 1), 0, 5);
}

TEST(ArrowWings, TipsAtBothEndsPointOutward)
{
    CPointD w1, w2, w3, w4;
    ArrowWingPointsWith(Pt(0, 0), Pt(10, 0), 0, 15, 3, w1, w2, w3, w4);
    double c = 3 * std::cos(15 * PI / 180), s = 3 * std::sin(15 * PI / 180);
    ExpectPoint(w1, c, s);
    ExpectPoint(w2, c, -s);
    ExpectPoint(w3, 10 - c, s);
    ExpectPoint(w4, 10 - c, -s);

    CPointD a1, a2, m1, m2;
    ArrowWingPointsAtEndWith(Pt(2, 3), 30, 15, 3, a1, a2, 1);
    ArrowWingPointsAtEndWith(Pt(2, 3), 30, 15, 3, m1, m2, 0);
    ExpectPoint(m1, 4 - a1.m_x, 6 - a1.m_y);
    ExpectPoint(m2, 4 - a2.m_x, 6 - a2.m_y);
    EXPECT_NEAR(Distance(a1, Pt(2, 3)), 3, 1e-12);
}

class ArrowWingSettings : public AppSettingsTest {};

TEST_F(ArrowWingSettings, WingAngleAndLengthComeFromTheElementSettings)
{
    m_app.m_appElem.m_arrowAngle = 30;
    m_app.m_appElem.m_arrowLength = 2;
    double angle = 90;
    CPointD w[4], e[4];
    ArrowWingPoints(Pt(0, 0), Pt(0, 10), angle, w[0], w[1], w[2], w[3]);
    ArrowWingPointsWith(Pt(0, 0), Pt(0, 10), 90, 30, 2, e[0], e[1], e[2], e[3]);
    for (int i = 0; i < 4; ++i)
        ExpectPoint(w[i], e[i].m_x, e[i].m_y);
    ExpectPoint(w[0], -1, std::sqrt(3));
    ArrowWingPointsAtEnd(Pt(0, 0), angle, w[0], w[1], 0);
    ExpectPoint(w[0], 1, -std::sqrt(3));
}

TEST(OverlapLineRecs, Cases)
{
    struct Case {
        CLine a, b;
        int result;
        CPointD out1, out2;
        const char* name;
    };
    const Case cases[] = {
        {CLine(0, 0, 2, 0), CLine(1, 0, 3, 0), 1, Pt(0, 0), Pt(3, 0), "overlapping"},
        {CLine(0, 0, 1, 0), CLine(1, 0, 2, 0), 1, Pt(0, 0), Pt(2, 0), "touching"},
        {CLine(0, 0, 1, 0), CLine(2, 0, 3, 0), 0, Pt(0, 0), Pt(0, 0), "apart"},
        {CLine(0, 0, 2, 0), CLine(1, 1, 3, 1), 0, Pt(0, 0), Pt(0, 0), "parallel"},
        {CLine(1, 0, 2, 0), CLine(0, 0, 5, 0), 1, Pt(0, 0), Pt(5, 0), "inside the second"},
        {CLine(0, 0, 2, 2), CLine(1, 1, 3, 3), 1, Pt(0, 0), Pt(3, 3), "diagonal"},
        {CLine(0, 0, 0, 2), CLine(0, 1, 0, 3), 1, Pt(0, 0), Pt(0, 3), "vertical"},
        {CLine(0, 0, 1, 3), CLine(1, 3, 2, 6), 1, Pt(0, 0), Pt(2, 6), "steep"},
        {CLine(0, 0, 0, 2), CLine(1, 1, 1, 3), 0, Pt(0, 0), Pt(0, 0), "vertical parallel"},
    };
    for (const Case& c : cases) {
        CPointD o1, o2;
        EXPECT_EQ(OverlapLineRecs(c.a, c.b, o1, o2), c.result) << c.name;
        if (c.result) {
            ExpectPoint(o1, c.out1.m_x, c.out1.m_y, c.name);
            ExpectPoint(o2, c.out2.m_x, c.out2.m_y, c.name);
        }
    }
}

TEST(OverlapCollinearSegments, RoundsItsArgumentsInPlace)
{
    CPointD p = Pt(1.0 / 3, 0), q = Pt(2, 0), r = Pt(1, 0), s = Pt(3, 0), o1, o2;
    EXPECT_EQ(OverlapCollinearSegments(p, q, r, s, o1, o2), 1);
    double rounded = 1.0 / 3;
    RoundToSignificant(rounded, 14);
    EXPECT_EQ(p.m_x, rounded);
    EXPECT_EQ(o1.m_x, rounded);
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

TEST(OverlapConcentricArcs, RangesAsStored)
{
    struct Case {
        CPointD c2;
        double r2;
        CPointD range1, range2;
        int result;
        CPointD merged;
    };
    const Case cases[] = {
        {Pt(0, 0), 5, Pt(0, 90), Pt(45, 180), 1, Pt(0, 180)},
        {Pt(0, 0), 5, Pt(45, 180), Pt(0, 90), 1, Pt(0, 180)},
        {Pt(0, 0), 5, Pt(300, 390), Pt(0, 30), 0, Pt(0, 0)},
        {Pt(0, 0), 5, Pt(0, 90), Pt(90, 120), 1, Pt(0, 120)},
        {Pt(0, 0), 5, Pt(0, 90), Pt(10, 20), 1, Pt(0, 90)},
        {Pt(0, 0), 6, Pt(0, 90), Pt(45, 180), 0, Pt(0, 0)},
        {Pt(0, 1), 5, Pt(0, 90), Pt(45, 180), 0, Pt(0, 0)},
    };
    for (const Case& c : cases) {
        CPointD range = Pt(-1, -1);
        EXPECT_EQ(OverlapConcentricArcs(Pt(0, 0), 5, c.range1, c.c2, c.r2, c.range2, range),
                  c.result);
        if (c.result)
            ExpectPoint(range, c.merged.m_x, c.merged.m_y);
    }
}

// Every foot is perpendicular: p - foot is orthogonal to the segment, its length is |distance|,
// and the sign tells the side.
TEST(FootProperties, FootIsPerpendicular)
{
    std::mt19937 gen(1108);
    std::uniform_real_distribution<double> coord(-500, 500);
    for (int i = 0; i < 2000; ++i) {
        CPointD a = Pt(coord(gen), coord(gen)), b = Pt(coord(gen), coord(gen));
        CPointD p = Pt(coord(gen), coord(gen));
        CPointD foot;
        double distance = 0;
        int inside = FootOfPerpendicular(a, b, p, foot, distance);
        double ux = b.m_x - a.m_x, uy = b.m_y - a.m_y, len = std::hypot(ux, uy);
        double along = ((p.m_x - a.m_x) * ux + (p.m_y - a.m_y) * uy) / len;
        double dot = ((p.m_x - foot.m_x) * ux + (p.m_y - foot.m_y) * uy) / len;
        EXPECT_NEAR(dot, 0, 1e-7);
        EXPECT_NEAR(std::fabs(distance), Distance(p, foot), 1e-7);
        double cross = (ux * (p.m_y - a.m_y) - uy * (p.m_x - a.m_x)) / len;
        EXPECT_NEAR(distance, cross, 1e-7);
        EXPECT_EQ(inside, along > 0 && along < len ? 1 : 0);
    }
}
