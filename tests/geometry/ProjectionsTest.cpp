// Feet of perpendiculars, projections, arrow wings and merging of collinear or concentric pieces.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "geometry/Projections.h"
#include "tests/geometry/IntersectionsTestHelpers.h"


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

TEST(OverlapCollinearSegments, Cases)
{
    struct Case {
        CPointD p, q, r, s;
        int result;
        CPointD out1, out2;
        const char* name;
    };
    const Case cases[] = {
        {Pt(0, 0), Pt(2, 0), Pt(1, 0), Pt(3, 0), 1, Pt(0, 0), Pt(3, 0), "overlapping"},
        {Pt(0, 0), Pt(1, 0), Pt(1, 0), Pt(2, 0), 1, Pt(0, 0), Pt(2, 0), "touching"},
        {Pt(0, 0), Pt(1, 0), Pt(2, 0), Pt(3, 0), 0, Pt(0, 0), Pt(0, 0), "apart"},
        {Pt(0, 0), Pt(2, 0), Pt(1, 1), Pt(3, 1), 0, Pt(0, 0), Pt(0, 0), "parallel"},
        {Pt(1, 0), Pt(2, 0), Pt(0, 0), Pt(5, 0), 1, Pt(0, 0), Pt(5, 0), "inside the second"},
        {Pt(0, 0), Pt(2, 2), Pt(1, 1), Pt(3, 3), 1, Pt(0, 0), Pt(3, 3), "diagonal"},
        {Pt(0, 0), Pt(0, 2), Pt(0, 1), Pt(0, 3), 1, Pt(0, 0), Pt(0, 3), "vertical"},
        {Pt(0, 0), Pt(1, 3), Pt(1, 3), Pt(2, 6), 1, Pt(0, 0), Pt(2, 6), "steep"},
        {Pt(0, 0), Pt(0, 2), Pt(1, 1), Pt(1, 3), 0, Pt(0, 0), Pt(0, 0), "vertical parallel"},
    };
    for (const Case& c : cases) {
        CPointD p = c.p, q = c.q, r = c.r, s = c.s, o1, o2;
        EXPECT_EQ(OverlapCollinearSegments(p, q, r, s, o1, o2), c.result) << c.name;
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
