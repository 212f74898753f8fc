// The text's geometry along its underline, in the string's own direction.
#include <gtest/gtest.h>

#include "elements/Text.h"
#include "tests/geometry/IntersectionsTestHelpers.h"

TEST(TextGeometry, FootAndOffset)
{
    CText text;
    SetUnderline(text, Pt(0, 0), Pt(10, 0));
    text.m_point = Pt(3, 4);
    CPointD foot;
    double distance = 0;
    EXPECT_EQ(text.FootOnUnderline(Pt(3, 4), foot, distance), 1);
    ExpectPoint(foot, 3, 0);
    EXPECT_NEAR(distance, 4, 1e-9);
    EXPECT_EQ(text.FootOnUnderline(Pt(12, -1), foot, distance), 0);
    ExpectPoint(text.OffsetFromUnderline(), 0, 4);
    // An empty string's underline has no length: the offset is measured from its start.
    SetUnderline(text, Pt(5, 5), Pt(5, 5));
    text.m_point = Pt(5, 6);
    ExpectPoint(text.OffsetFromUnderline(), 0, 1);
}

TEST(TextGeometry, ParameterAndSnapClass)
{
    struct Case {
        CPointD s, e;
        int swapped;
        CPointD p;
        double t;
        int snapClass;
    };
    const Case cases[] = {
        {Pt(0, 0), Pt(10, 0), 0, Pt(0, 3), 0, 2},
        {Pt(0, 0), Pt(10, 0), 0, Pt(5, 3), 0.5, 4},
        {Pt(0, 0), Pt(10, 0), 0, Pt(10, 3), 1, 6},
        {Pt(0, 0), Pt(10, 0), 0, Pt(2, 3), 0.2, 3},
        {Pt(0, 0), Pt(10, 0), 0, Pt(8, 3), 0.8, 5},
        {Pt(0, 0), Pt(10, 0), 0, Pt(12, 3), 1.2, 7},
        {Pt(0, 0), Pt(10, 0), 0, Pt(-1, 3), -0.1, 1},
        {Pt(0, 0), Pt(10, 0), 1, Pt(0, 3), 1, 6},  // stored start is the string's end
        {Pt(0, 0), Pt(10, 0), 1, Pt(10, 3), 0, 2},
        {Pt(0, 0), Pt(10, 0), 1, Pt(2, 3), 0.8, 5},
        {Pt(0, 0), Pt(0, 10), 0, Pt(1, -2), -0.2, 1},
        {Pt(4, 4), Pt(4, 4), 0, Pt(1, -2), 0, 2},
    };
    for (const Case& c : cases) {
        CText text;
        SetUnderline(text, c.s, c.e);
        text.m_swapped = c.swapped;
        EXPECT_NEAR(text.ParameterOfPoint(c.p), c.t, 1e-9);
        EXPECT_EQ(text.SnapClassOfPoint(c.p), c.snapClass);
    }
}

TEST(TextGeometry, SideOfTheUnderline)
{
    CText text;
    SetUnderline(text, Pt(0, 0), Pt(10, 0));
    EXPECT_EQ(text.AngleToReference(Pt(5, 2)), 1);
    EXPECT_EQ(text.AngleToReference(Pt(5, -2)), 3);
    EXPECT_EQ(text.AngleToReference(Pt(20, 0)), 2);
    EXPECT_EQ(text.AngleToReference(Pt(10, 0)), 2);
}
