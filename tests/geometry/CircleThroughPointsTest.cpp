// Circles and arcs through three points.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "geometry/Transforms.h"
#include "tests/geometry/Shapes.h"

TEST(CircleThroughPoints, ThreePointsGiveCentreRadiusAnglesAndTurn)
{
    CPointD centre;
    double radius = 0;
    double angles[2] = {0, 0};
    int ccw = 7;
    ASSERT_EQ(CircleThrough3Points(P(0, 0), P(1, 1), P(2, 0), centre, radius, angles, ccw), 1);
    EXPECT_EQ(centre.m_x, 1.0);
    EXPECT_EQ(centre.m_y, 0.0);
    EXPECT_EQ(radius, 1.0);
    EXPECT_DOUBLE_EQ(angles[0], 180.0);
    EXPECT_DOUBLE_EQ(angles[1], 0.0);
    EXPECT_EQ(ccw, 0);

    ASSERT_EQ(CircleThrough3Points(P(2, 0), P(1, 1), P(0, 0), centre, radius, angles, ccw), 1);
    EXPECT_EQ(ccw, 1);
    EXPECT_DOUBLE_EQ(angles[0], 0.0);
    EXPECT_DOUBLE_EQ(angles[1], 180.0);

    double a1 = 0, a2 = 0, a3 = 0;
    ASSERT_EQ(ArcThrough3Points(P(0, 0), P(1, 1), P(2, 0), centre, radius, a1, a2, a3, ccw), 1);
    EXPECT_DOUBLE_EQ(a1, 180.0);
    EXPECT_DOUBLE_EQ(a2, 90.0);
    EXPECT_DOUBLE_EQ(a3, 0.0);
    EXPECT_EQ(ccw, 0);
}

TEST(CircleThroughPoints, CollinearOrCoincidentPointsHaveNoCircle)
{
    CPointD centre = P(5, 5);
    double radius = 3, angles[2] = {0, 0}, a = 0;
    int ccw = 0;
    EXPECT_EQ(CircleThrough3Points(P(0, 0), P(1, 1), P(3, 3), centre, radius, angles, ccw), 0);
    EXPECT_EQ(CircleThrough3Points(P(0, 0), P(0, 0), P(3, 1), centre, radius, angles, ccw), 0);
    EXPECT_EQ(ArcThrough3Points(P(0, 5), P(1, 5), P(9, 5), centre, radius, a, a, a, ccw), 0);
    EXPECT_EQ(centre.m_x, 5.0);
    EXPECT_EQ(radius, 3.0);
}

TEST(CircleThroughPoints, CentreAndRadiusAreRoundedToSixDecimals)
{
    std::mt19937 gen(3);
    std::uniform_real_distribution<double> u(-100, 100);
    std::uniform_real_distribution<double> turn(0, 2 * PI);
    for (int i = 0; i < 200; ++i) {
        CPointD c = P(u(gen), u(gen));
        double r = std::fabs(u(gen)) + 1;
        CPointD p[3];
        for (CPointD& q : p) {
            double t = turn(gen);
            q = P(c.m_x + r * std::cos(t), c.m_y + r * std::sin(t));
        }
        if (Distance(p[0], p[1]) < 1 || Distance(p[1], p[2]) < 1 || Distance(p[0], p[2]) < 1) {
            continue;
        }
        CPointD centre;
        double radius = 0, angles[2];
        int ccw = 0;
        ASSERT_EQ(CircleThrough3Points(p[0], p[1], p[2], centre, radius, angles, ccw), 1);
        EXPECT_NEAR(centre.m_x, c.m_x, 1e-5);
        EXPECT_NEAR(centre.m_y, c.m_y, 1e-5);
        EXPECT_NEAR(radius, r, 1e-5);
        EXPECT_EQ(centre.m_x, RoundToDecimals(centre.m_x, 6));
        EXPECT_EQ(radius, RoundToDecimals(radius, 6));
        EXPECT_EQ(ccw, IsCcwTurn(p[0], p[1], p[2]));
    }
}
