// The point markers and the rectangle outline drawn through the device context.
#include "ElementDrawTestSupport.h"

#include <gtest/gtest.h>

TEST(Markers, CircleCrossAndBoth)
{
    const CPointD origin = Pt(10, 10);
    CPointD p = Pt(20.7, -5.9);    // screen (21.4, -31.8) at scale 2
    CRecordingDC circle, cross, both;
    p.DrawCircleMark(&circle, origin, 2.0);
    p.DrawCrossMark(&cross, origin, 2.0, 5);
    p.DrawCrossCircleMark(&both, origin, 2.0, 5);
    EXPECT_EQ(circle.Calls(), (std::vector<std::string>{"Arc(15,-25,28,-38,27,-31,27,-31)"}));
    EXPECT_EQ(cross.Calls(), (std::vector<std::string>{"MoveTo(16,-36)", "LineTo(26,-26)", "MoveTo(16,-26)",
                                                        "LineTo(26,-36)"}));
    std::vector<std::string> expected = cross.Calls();
    expected.push_back("Arc(19,-29,23,-33,23,-31,23,-31)");
    EXPECT_EQ(both.Calls(), expected);
}

TEST(Markers, RectangleSidesInTheirOrder)
{
    CRectD r = Clip(10, -10, 50, -40);
    CRecordingDC dc;
    r.Draw(&dc, Pt(0, 0), 1.0, RECT{0, 0, 100, -100});
    EXPECT_EQ(dc.Calls(), (std::vector<std::string>{"MoveTo(10,-10)", "LineTo(50,-10)", "MoveTo(10,-40)",
                                                     "LineTo(50,-40)", "MoveTo(10,-40)", "LineTo(10,-10)",
                                                     "MoveTo(50,-40)", "LineTo(50,-10)"}));
}
