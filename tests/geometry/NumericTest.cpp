// Rounding and the program-wide equality of doubles, with the values the rest of the program
// relies on (guard constant, digit counts below 1, the shift of tiny values).
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/Numeric.h"

TEST(Numeric, DigitCount)
{
    struct Case {
        double v;
        int digits;
    } cases[] = {
        {0.0, 0}, {1.0, 1}, {9.99, 1}, {10.0, 2}, {99.9, 2}, {100.0, 3}, {-250.0, 3},
        {0.5, 1}, {0.05, 0}, {0.000012, -3}, {1e-14, -13},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DigitCount(c.v), c.digits) << c.v;
    }
    EXPECT_EQ(DigitCount(NAN), 0);
}

TEST(Numeric, RoundToDecimalsHalfAwayFromZero)
{
    struct Case {
        double x;
        int n;
        double expected;
    } cases[] = {
        {1.25, 1, 1.3}, {-1.25, 1, -1.3}, {2.5, 0, 3.0}, {-2.5, 0, -3.0},
        {12345.0, -2, 12300.0}, {12351.0, -2, 12400.0}, {0.0, 5, 0.0}, {0.0, -3, 0.0},
        {1.005, 2, 1.0},  // stored below 1.005, and at this scale the guard vanishes in the power of ten
        {2.675, 2, 2.68}, {123.456789, 4, 123.4568}, {-0.0449, 2, -0.04},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(RoundToDecimals(c.x, c.n), c.expected) << c.x << " to " << c.n;
    }
}

TEST(Numeric, RoundToDecimalsByNextDigitHasNoGuard)
{
    struct Case {
        double x;
        int n;
        double expected;
    } cases[] = {
        {1.25, 1, 1.3}, {-1.25, 1, -1.3}, {1.24, 1, 1.2}, {-1.24, 1, -1.2},
        {2.5, 0, 3.0}, {-2.5, 0, -3.0}, {1234.0, -1, 1230.0}, {1235.0, -1, 1240.0},
        {1.005, 2, 1.0},  // the stored value lies below 1.005 and nothing nudges it
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(RoundToDecimalsByNextDigit(c.x, c.n), c.expected) << c.x << " to " << c.n;
    }
    CPointD p;
    p.Init(1.25, -1.25);
    RoundPointToDecimalsByNextDigit(p, 1);
    EXPECT_DOUBLE_EQ(p.m_x, 1.3);
    EXPECT_DOUBLE_EQ(p.m_y, -1.3);
}

TEST(Numeric, RoundToSignificantKeepsOneDigitFewerBelowOne)
{
    struct Case {
        double x;
        int n;
        double expected;
    } cases[] = {
        {0.000123456, 3, 0.00012}, {0.123456, 3, 0.12}, {123456.0, 3, 123000.0},
        {1.23456, 3, 1.23}, {-98765.4321, 2, -99000.0}, {0.0, 3, 0.0},
    };
    for (const Case& c : cases) {
        double x = c.x;
        RoundToSignificant(x, c.n);
        EXPECT_DOUBLE_EQ(x, c.expected) << c.x;
    }
    double x = 1.0 / 3.0;
    RoundToSignificant15(x);
    EXPECT_DOUBLE_EQ(x, 0.33333333333333);  // 15 digits count the zero before the point

    CPointD p;
    p.Init(1.0 / 3.0, 2000.0 / 3.0);
    RoundPointToSignificant14(p);
    EXPECT_DOUBLE_EQ(p.m_x, 0.3333333333333);
    EXPECT_DOUBLE_EQ(p.m_y, 666.66666666667);
    CPointD q;
    q.Init(1.26, -0.0049);
    RoundPointToDecimals(q, 1);
    EXPECT_DOUBLE_EQ(q.m_x, 1.3);
    EXPECT_DOUBLE_EQ(q.m_y, 0.0);
}

TEST(Numeric, RoundedDifferences)
{
    // 12 significant digits of the larger operand: the difference loses the noise below them.
    EXPECT_DOUBLE_EQ(RoundedDifference12(100.1, 100.0), 0.1);
    EXPECT_DOUBLE_EQ(RoundedDifference12(0.3, 0.1 + 0.2), 0.0);
    EXPECT_DOUBLE_EQ(RoundedDifference12(1000000.0, 0.0000001), 1000000.0);
    EXPECT_DOUBLE_EQ(RoundedDifference8(12.345678912, 2.0), 10.345679);
}

TEST(Numeric, NearlyEqualOrLess)
{
    struct Case {
        double a, b;
        int equal, less;
    } cases[] = {
        {100.0, 100.00000005, 1, 0},   // tolerance 1e-7 for three integer digits
        {5.0, 5.000000002, 0, 1},      // tolerance 1e-9 for one
        {5.000000002, 5.0, 0, 0},
        {1e-14, 3e-14, 1, 0},          // both shifted by 1e-5 before comparing
        {1e-6, 3e-6, 0, 1},
        {0.0, 0.00005, 1, 0},          // exact zero: absolute 1e-4
        {0.0, 0.0002, 0, 1},
        {0.0002, 0.0, 0, 0},
        {0.0, -0.0002, 0, 0},
        {-3.0, -3.0, 1, 0},
        {1e12, 1e12 + 50.0, 1, 0},
        {1e12, 1e12 + 999.0, 1, 0},  // thirteen digits: tolerance 1000
        {1e12, 1e12 + 2000.0, 0, 1},
    };
    for (const Case& c : cases) {
        int less = 7;
        EXPECT_EQ(NearlyEqualOrLess(c.a, c.b, less), c.equal) << c.a << " vs " << c.b;
        EXPECT_EQ(less, c.less) << c.a << " vs " << c.b;
        EXPECT_EQ(NearlyEqual(c.a, c.b), c.equal);
    }
    EXPECT_EQ(NearlyEqual(NAN, NAN), 0);
}

TEST(Numeric, PointEqualityAndDecimals)
{
    CPointD p, q;
    p.Init(1.0, 2.0);
    q.Init(1.0 + 1e-11, 2.0);
    EXPECT_EQ(PointsNearlyEqual(p, q), 1);
    q.Init(1.0, 2.0 + 2e-8);
    EXPECT_EQ(PointsNearlyEqual(p, q), 0);
    EXPECT_EQ(PointsEqualWithinDecimals(p, q, 7), 1);
    EXPECT_EQ(PointsEqualWithinDecimals(p, q, 8), 0);
    EXPECT_EQ(EqualWithinDecimals(0.0, 0.00099, 3), 1);
    EXPECT_EQ(EqualWithinDecimals(0.0, 0.002, 3), 0);
}

TEST(Numeric, DegreesAndRadians)
{
    EXPECT_DOUBLE_EQ(DegToRad(180.0), PI);
    EXPECT_DOUBLE_EQ(DegToRad(-90.0), -PI / 2.0);
    EXPECT_DOUBLE_EQ(RadToDeg(PI), 180.0);
    EXPECT_DOUBLE_EQ(RadToDeg(DegToRad(33.0)), 33.0);
}
