// Directions of line elements and text underlines follow the point-pair directions.
#include <gtest/gtest.h>

#include <cmath>

#include "elements/Line.h"
#include "elements/Text.h"
#include "geometry/ElementAngles.h"
#include "geometry/Numeric.h"
#include "tests/geometry/Shapes.h"

TEST(ElementAngles, LineAndUnderlineDirections)
{
    CLine line(P(3, 4), P(0, 4));  // end left of start: 180, never -180
    double length = 0;
    EXPECT_DOUBLE_EQ(LineAngleRadLen(line, length), PI);
    EXPECT_DOUBLE_EQ(length, 3.0);
    EXPECT_DOUBLE_EQ(LineAngleRad(line), PI);
    EXPECT_DOUBLE_EQ(LineAngleDeg(line), 180.0);
    CLine down(0, 0, 0, -2);
    EXPECT_DOUBLE_EQ(LineAngleDeg(down), -90.0);

    CText text;
    text.m_underlineStart = P(1, 1);
    text.m_underlineEnd = P(-2, -2);
    text.m_swapped = 1;  // the stored order is measured, not the string's own direction
    EXPECT_DOUBLE_EQ(TextLineAngleRadLen(text, length), -3.0 * PI / 4.0);
    EXPECT_DOUBLE_EQ(length, 3.0 * std::sqrt(2.0));
}
