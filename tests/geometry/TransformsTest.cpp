// Rotations, reflections and the chord constructions.
#include <gtest/gtest.h>

#include "tests/geometry/Shapes.h"

#include <cmath>
#include <random>

#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "geometry/Transforms.h"

namespace {


void ExpectPoint(const CPointD& p, double x, double y, double tol = 1e-12)
{
    EXPECT_NEAR(p.m_x, x, tol);
    EXPECT_NEAR(p.m_y, y, tol);
}

} // namespace

TEST(Transforms, Rotation)
{
    CPointD o = P(0, 0);
    ExpectPoint(RotatePointDeg(P(10, 0), o, 90.0), 0, 10);
    ExpectPoint(RotatePointDeg(P(10, 0), o, -90.0), 0, -10);
    ExpectPoint(RotatePointDeg(P(3, 5), P(1, 1), 180.0), -1, -3);
    ExpectPoint(RotatePointRad(P(10, 0), o, PI / 2.0), 0, 10);
    ExpectPoint(RotatePointDeg(P(7, -2), P(7, -2), 33.0), 7, -2);  // the centre stays
    ExpectPoint(RotateScalePointDeg(P(3, 4), P(1, 1), 0.0, P(2, 1)), 5, 4);
    ExpectPoint(RotateScalePointDeg(P(2, 1), P(1, 1), 90.0, P(2, 3)), 1, 4);

    std::mt19937 gen(7);
    std::uniform_real_distribution<double> u(-1000, 1000);
    for (int i = 0; i < 200; ++i) {
        CPointD p = P(u(gen), u(gen)), c = P(u(gen), u(gen));
        double a = u(gen);
        CPointD r = RotatePointDeg(p, c, a);
        EXPECT_NEAR(Distance(r, c), Distance(p, c), 1e-8);
        CPointD back = RotatePointDeg(r, c, -a);
        ExpectPoint(back, p.m_x, p.m_y, 1e-8);
    }
}

TEST(Transforms, Mirror)
{
    struct Case {
        double bx, by, angle, px, py, x, y;
    } cases[] = {
        {0, 0, 0, 3, 4, 3, -4},   {0, 0, 90, 3, 4, -3, 4}, {0, 0, 45, 3, 4, 4, 3},
        {1, 1, 0, 3, 4, 3, -2},   {2, 0, 90, 3, 4, 1, 4},  {0, 0, 135, 1, 0, 0, -1},
        {0, 0, 30, 0, 0, 0, 0},   // on the mirror line (at the base itself)
        {5, 5, 45, 7, 7, 7, 7},   // on the mirror line
    };
    for (const Case& c : cases) {
        ExpectPoint(MirrorPointDeg(P(c.bx, c.by), c.angle, P(c.px, c.py)), c.x, c.y);
    }
    std::mt19937 gen(11);
    std::uniform_real_distribution<double> u(-500, 500);
    for (int i = 0; i < 200; ++i) {
        CPointD b = P(u(gen), u(gen)), p = P(u(gen), u(gen));
        double a = u(gen);
        CPointD m = MirrorPointDeg(b, a, p);
        ExpectPoint(MirrorPointDeg(b, a, m), p.m_x, p.m_y, 1e-8);
        // The mirror line is the perpendicular bisector of p and its image.
        CPointD dir = P(b.m_x + std::cos(DegToRad(a)), b.m_y + std::sin(DegToRad(a)));
        EXPECT_NEAR(SignedDistanceToLine(p, b, dir), -SignedDistanceToLine(m, b, dir), 1e-7);
    }
}

TEST(Transforms, CircleCenterFromChord)
{
    struct Case {
        double r;
        int ok;
        double x, y;
    } cases[] = {
        {1, 1, 1, 0}, {2, 1, 1, std::sqrt(3.0)}, {-2, 1, 1, -std::sqrt(3.0)}, {0.5, 0, 9, 9},
        {1.00000000001, 1, 1, 0},  // the radicand counts as zero
    };
    for (const Case& c : cases) {
        CPointD centre = P(9, 9);
        EXPECT_EQ(CircleCenterFromChord(P(0, 0), P(2, 0), c.r, centre), c.ok) << c.r;
        ExpectPoint(centre, c.x, c.y, 1e-5);
    }
    // The side follows the chord's direction.
    CPointD centre;
    ASSERT_EQ(CircleCenterFromChord(P(2, 0), P(0, 0), 2, centre), 1);
    ExpectPoint(centre, 1, -std::sqrt(3.0));
}

TEST(Transforms, ArcCenterFromChordAngle)
{
    struct Case {
        double angle, x, y, radius;
    } cases[] = {
        {90, 1, 1, std::sqrt(2.0)},  {180, 1, 0, 1}, {-180, 1, 0, 1},
        {270, 1, -1, std::sqrt(2.0)}, {-90, 1, -1, std::sqrt(2.0)}, {60, 1, std::sqrt(3.0), 2},
    };
    for (const Case& c : cases) {
        double r = -1;
        ExpectPoint(ArcCenterFromChordAngle(P(0, 0), P(2, 0), c.angle, r), c.x, c.y);
        EXPECT_NEAR(r, c.radius, 1e-12) << c.angle;
    }
    // No arc has an included angle of nothing or of a full turn: radius 0, centre the midpoint.
    for (double angle : {0.0, 0.00001, 360.0, -360.0}) {
        double r = -1;
        CPointD centre = ArcCenterFromChordAngle(P(0, 0), P(2, 0), angle, r);
        EXPECT_EQ(r, 0.0) << angle;
        ExpectPoint(centre, 1, 0);
        EXPECT_TRUE(std::isfinite(centre.m_y));
    }
}
