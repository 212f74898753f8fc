// Directions, normalisation, sweeps and snapping: ranges and tie rules that constructions rely on.
#include <gtest/gtest.h>

#include "tests/geometry/Shapes.h"

#include <cmath>

#include "geometry/Angles.h"
#include "geometry/Numeric.h"

TEST(Angles, VectorDirectionsCoverHalfOpenRange)
{
    struct Case {
        double dx, dy, degrees;
    } cases[] = {
        {1, 0, 0}, {0, 1, 90}, {-1, 0, 180}, {-1, -0.0, 180}, {0, -1, -90},
        {-1, -1, -135}, {1, 1, 45}, {-1, 1, 135}, {1, -1, -45},
        {-2, 1, 180 - 26.56505117707799}, {1, -2, -63.43494882292201}, {-1, -3, -108.43494882292201},
    };
    for (const Case& c : cases) {
        double len = -1;
        EXPECT_NEAR(VectorAngleDegLen(c.dx, c.dy, len), c.degrees, 1e-12) << c.dx << "," << c.dy;
        EXPECT_DOUBLE_EQ(len, std::hypot(c.dx, c.dy));
        EXPECT_NEAR(VectorAngleRad(c.dx, c.dy), c.degrees * PI / 180.0, 1e-14);
    }
    EXPECT_EQ(VectorAngleRad(-1, 0), PI);  // never -pi
    double len = 7;
    EXPECT_EQ(VectorAngleRadLen(0, 0, len), 0.0);
    EXPECT_EQ(len, 0.0);
    EXPECT_DOUBLE_EQ(PointsAngleDeg(P(1, 1), P(0, 1)), 180.0);
    EXPECT_DOUBLE_EQ(PointsAngleDegLen(P(1, 1), P(4, 5), len), 53.13010235415598);
    EXPECT_DOUBLE_EQ(len, 5.0);
}

TEST(Angles, PointOrderAndDistance)
{
    CPointD p = P(5, 2), q = P(5.0000000001, 1);
    EXPECT_EQ(OrderPoints(p, q), 1);  // x values count as equal, second y smaller
    EXPECT_DOUBLE_EQ(p.m_y, 1);
    EXPECT_EQ(OrderPoints(p, q), 0);
    CPointD a = P(3, 9), b = P(2, 100);
    EXPECT_EQ(OrderPoints(a, b), 1);
    EXPECT_DOUBLE_EQ(a.m_x, 2);

    EXPECT_EQ(PointGreater(P(1, 1), P(1, 1)), 0);
    EXPECT_EQ(PointGreater(P(1, 2), P(1 + 1e-12, 1)), 1);
    EXPECT_EQ(PointGreater(P(1, 1), P(0, 5)), 1);
    EXPECT_EQ(PointGreater(P(0, 5), P(1, 1)), 0);

    EXPECT_DOUBLE_EQ(Distance(P(1, 1), P(4, 5)), 5.0);
    EXPECT_NEAR(SignedDistanceToLine(P(0, 1), P(0, 0), P(1, 0)), 1.0, 1e-15);
    EXPECT_NEAR(SignedDistanceToLine(P(0, -1), P(0, 0), P(1, 0)), -1.0, 1e-15);
    EXPECT_NEAR(SignedDistanceToLine(P(7, 0), P(0, 0), P(1, 0)), 0.0, 1e-15);

    double x = 1, y = 2;
    SwapDoubles(x, y);
    EXPECT_EQ(x, 2);
    CPointD s = P(1, 2), t = P(3, 4);
    SwapPoints(s, t);
    EXPECT_EQ(s.m_x, 3);
    EXPECT_EQ(t.m_y, 2);
}

TEST(Angles, ClassificationCornersTurnsAndFolds)
{
    EXPECT_EQ(ClassifyDirection(P(1, 1), P(1, 1)), 1);
    EXPECT_EQ(ClassifyDirection(P(0, 1), P(5, 1 + 1e-12)), 1);
    EXPECT_EQ(ClassifyDirection(P(2, 0), P(2, 5)), 2);
    EXPECT_EQ(ClassifyDirection(P(0, 0), P(1, 1)), 4);

    struct Corner {
        double in, out, expected;
    } corners[] = {{0, 90, 90}, {0, -90, 270}, {0, 0, 180}, {0, 180, 0}, {350, 10, 160}, {-170, 170, 200}};
    for (const Corner& c : corners) {
        EXPECT_DOUBLE_EQ(CornerAngleDeg(c.in, c.out), c.expected) << c.in << "," << c.out;
    }

    EXPECT_EQ(IsCcwTurn(P(0, 0), P(1, 1), P(2, 0)), 0);
    EXPECT_EQ(IsCcwTurn(P(2, 0), P(1, 1), P(0, 0)), 1);
    EXPECT_EQ(IsCcwTurn(P(0, 0), P(1, 0), P(2, 0)), 1);   // straight on
    EXPECT_EQ(IsCcwTurn(P(0, 0), P(2, 0), P(1, 0)), 1);   // turns back on itself
    EXPECT_EQ(IsCcwTurn(P(0, 0), P(0, 0), P(5, -5)), 1);  // coincident points

    struct Fold {
        double a, expected;
    } folds[] = {{30, -30}, {120, 60}, {300, 60}, {180, 0}, {0, 0}, {90, -90}, {270, -90}, {359, 1}};
    for (const Fold& f : folds) {
        EXPECT_DOUBLE_EQ(FoldLineAngleNegDeg(f.a), f.expected) << f.a;
    }
}

TEST(Angles, NormalizeAngleDeg180)
{
    struct Case {
        double a, expected;
    } cases[] = {{-180, 180}, {180, 180}, {540, 180}, {-190, 170}, {190, -170}, {725, 5},
                 {-725, -5}, {360, 0}, {0, 0}, {179.99999999999, 180}};
    for (const Case& c : cases) {
        double a = c.a;
        NormalizeAngleDeg180(a);
        EXPECT_DOUBLE_EQ(a, c.expected) << c.a;
    }
}

TEST(Angles, NormalizeArcAngles)
{
    struct Case {
        double s, e, s2, e2;
    } cases[] = {
        {350, 10, 350, 370}, {-30, 30, 330, 390}, {400, 720, 40, 360}, {90, 90, 0, 360},
        {0, 0, 0, 360}, {360, 360, 0, 360}, {-360, 90, 0, 90}, {10, 0, 10, 360},
        {-720.5, -0.5, 0, 360}, {30, -330, 0, 360},
    };
    for (const Case& c : cases) {
        CPointD range = P(c.s, c.e);
        NormalizeArcAnglesDeg(range);
        EXPECT_DOUBLE_EQ(range.m_x, c.s2) << c.s << "," << c.e;
        EXPECT_DOUBLE_EQ(range.m_y, c.e2) << c.s << "," << c.e;
    }
}

TEST(Angles, SweepTests)
{
    struct Case {
        double angle, start, end;
        int in;
    } degrees[] = {
        {10, 350, 370, 1}, {349.9995, 350, 370, 1}, {340, 350, 370, 0}, {370.0005, 350, 370, 1},
        {-10, 350, 370, 1}, {-10, 0, 90, 0}, {45, 0, 90, 1}, {405, 0, 90, 1}, {-315, 0, 90, 1},
        {180, 0, 360, 1}, {0, 0, 360, 1}, {360, 0, 360, 1}, {-700, 10, 30, 1}, {-730, 10, 30, 0},
    };
    for (const Case& c : degrees) {
        EXPECT_EQ(IsAngleInSweepDeg(c.angle, c.start, c.end), c.in)
            << c.angle << " in " << c.start << ".." << c.end;
        EXPECT_EQ(IsAngleInSweepRad(DegToRad(c.angle), DegToRad(c.start), DegToRad(c.end)), c.in)
            << c.angle << " (rad) in " << c.start << ".." << c.end;
    }
    // Tolerance is 0.001 in the unit of the function: a radian is wide.
    EXPECT_EQ(IsAngleInSweepRad(0.9995, 1.0, 2.0), 1);
    EXPECT_EQ(IsAngleInSweepRad(0.998, 1.0, 2.0), 0);
    // The last (two-turn) case compares the start without tolerance in radians.
    EXPECT_EQ(IsAngleInSweepRad(-4.0 * PI + 0.9995, 1.0, 2.0), 0);
    EXPECT_EQ(IsAngleInSweepDeg(-720.0 + 0.9995, 1.0, 2.0), 1);
}

TEST(Angles, SnapTo15Degrees)
{
    struct Case {
        double degrees, base, expected;
    } cases[] = {
        {22.4, 0, 15}, {23, 0, 30}, {-20, 0, -15}, {-23, 0, -30}, {7.4, 0, 0}, {-7.5, 0, -15},
        {0, 0, 0}, {180, 0, 180}, {50, 10, 55}, {-50, 10, -50},
    };
    for (const Case& c : cases) {
        CPointD a = P(1, 1);
        CPointD b = P(1 + 10 * std::cos(DegToRad(c.degrees)), 1 + 10 * std::sin(DegToRad(c.degrees)));
        EXPECT_NEAR(SnapAngle15Deg(a, b, c.base), c.expected, 1e-9) << c.degrees << " base " << c.base;
        EXPECT_NEAR(SnapAngle15Rad(a, b, c.base), DegToRad(c.expected), 1e-11);
        double len = 0;
        EXPECT_NEAR(SnapAngle15DegLen(a, b, c.base, len), c.expected, 1e-9);
        EXPECT_NEAR(len, 10.0, 1e-12);
    }
}
