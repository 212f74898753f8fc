// Element drawing through the device context: what the point, line, circle, arc, ellipse and
// curve elements ask of it on the screen, on the printer and as drag sketches.
#include "ElementDrawTestSupport.h"

#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/Conic.h"
#include "elements/Curve.h"
#include "elements/DataPoint.h"
#include "elements/Line.h"
#include "elements/Text.h"
#include "elements/ElementDrawing.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

const CPointD kOrigin = Pt(0, 0);
// A drawing window of the view: x 0..2000, y 0..-2000 (top is the larger y).
const CRectD kWindow = Clip(0, 0, 2000, -2000);
const RECT kPage{-50, 50, 3000, -3000};

constexpr double kPi = 3.141592653589793;

std::vector<std::string> Lines(const char* text)
{
    std::vector<std::string> out;
    std::string s(text);
    size_t pos = 0;
    while (pos < s.size()) {
        size_t end = s.find(' ', pos);
        if (end == std::string::npos)
            end = s.size();
        out.push_back(s.substr(pos, end - pos));
        pos = end + 1;
    }
    return out;
}

} // namespace

TEST(PointDraw, CrossOfFixedHalfSizeInsideTheClipOnly)
{
    CDataPoint point;
    point.m_position = Pt(100, -50);
    CRecordingDC dc;
    point.Draw(&dc, kOrigin, 1.0, kWindow);
    EXPECT_EQ(dc.Calls(), Lines("MoveTo(90,-50) LineTo(110,-50) MoveTo(100,-60) LineTo(100,-40)"));

    // On the clip's edge it is drawn; just beyond, nothing.
    struct Case {
        CPointD at;
        bool drawn;
    };
    const Case cases[] = {{Pt(0, 0), true}, {Pt(2000, -2000), true}, {Pt(-0.001, -5), false}, {Pt(5, 0.001), false}};
    for (const Case& c : cases) {
        CRecordingDC edge;
        point.m_position = c.at;
        point.Draw(&edge, kOrigin, 1.0, kWindow);
        EXPECT_EQ(!edge.Calls().empty(), c.drawn) << c.at.m_x << "," << c.at.m_y;
    }
}

TEST(PointDraw, PrintedCrossKeepsItsSizeWhateverTheFactor)
{
    CDataPoint point;
    point.m_position = Pt(110, -60);
    CRecordingDC dc;
    point.Print(&dc, kOrigin, 1.0, RECT{0, 0, 1000, -1000}, 10, -10, 4.0);
    // (110 - 10, -60 + 10) times 4, cross of half-size 10.
    EXPECT_EQ(dc.Calls(), Lines("MoveTo(390,-200) LineTo(410,-200) MoveTo(400,-210) LineTo(400,-190)"));
}

TEST(CircleDraw, ScreenRadiusChoosesTheFigure)
{
    CCircle circle;
    circle.m_centre = Pt(500, -500);
    struct Case {
        double radius;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {0.5, {}},
        {2, Lines("MoveTo(502,-500) LineTo(500,-498) LineTo(498,-500) LineTo(500,-502) LineTo(502,-500)")},
        {10, Lines("Arc(490,-490,510,-510,510,-500,510,-500)")},
    };
    for (const Case& c : cases) {
        circle.m_radius = c.radius;
        CRecordingDC dc;
        circle.Draw(&dc, kOrigin, 1.0, kWindow);
        EXPECT_EQ(dc.Calls(), c.calls) << c.radius;
    }
    // A tiny circle whose centre lies outside the window draws nothing.
    circle.m_radius = 2;
    circle.m_centre = Pt(2000, -500);
    CRecordingDC outside;
    circle.Draw(&outside, kOrigin, 1.0, kWindow);
    EXPECT_TRUE(outside.Calls().empty());
}

TEST(CircleDraw, HugeCircleIsChordsOverItsVisiblePartOnly)
{
    CCircle circle;
    circle.m_radius = 100000;
    circle.m_centre = Pt(1000, -1000 - 100000);    // its top passes through the window's middle
    CRecordingDC dc;
    circle.Draw(&dc, kOrigin, 1.0, kWindow);
    EXPECT_TRUE(dc.CallsNamed({"Arc"}).empty());
    std::vector<Stroke> chords = Strokes(dc);
    ASSERT_GE(chords.size(), 15u);
    ASSERT_LE(chords.size(), 30u);
    for (const Stroke& s : chords) {
        double length = std::hypot(double(s.x2 - s.x1), double(s.y2 - s.y1));
        // Equal chords of at most 100 units: n = trunc(sweep / step) + 1 of them.
        EXPECT_LE(length, 101);
        EXPECT_GE(length, 85);
        // Only the visible part: every chord end lies near the window.
        EXPECT_GE(s.x1, -110);
        EXPECT_LE(s.x2, 2110);
        EXPECT_LE(s.y1, 0);
        EXPECT_GE(s.y1, -2000);
    }
}

TEST(CircleDraw, PrintingATinyPieceOfAHugeCircleDrawsSixChords)
{
    CCircle circle;
    circle.m_radius = 100000;
    circle.m_centre = Pt(25 - 100000, -25);    // its rightmost point crosses a 50 x 50 page
    const RECT page{0, 0, 50, -50};
    CRecordingDC printer;
    circle.Print(&printer, kOrigin, 1.0, page, 0, 0, 1.0);
    EXPECT_EQ(Strokes(printer).size(), 6u);
    CRecordingDC screen;
    CRectD window;
    window.SetFromIntRect(page);
    circle.Draw(&screen, kOrigin, 1.0, window);
    EXPECT_EQ(Strokes(screen).size(), 1u);
}

TEST(CircleDraw, DragSketchIsTheArgumentsOfAFullCircleArc)
{
    CZelkView view;
    view.m_origin = Pt(-100, 100);
    view.m_zoom = 2.0;
    CCircle circle;
    circle.m_centre = Pt(10, 0);
    circle.m_radius = 5;
    // Turned a quarter about the world origin and doubled: centre (0, 20), radius 10 world,
    // on the view (200, -160) and radius 20.
    std::unique_ptr<CSketchArc> sketch(circle.MakeDragSketch(&view, Pt(0, 0), 90, 2.0));
    ASSERT_NE(sketch, nullptr);
    const std::int32_t expected[8] = {180, -140, 220, -180, 220, -160, 220, -160};
    const std::int32_t got[8] = {sketch->left, sketch->top, sketch->right, sketch->bottom,
                                 sketch->startX, sketch->startY, sketch->endX, sketch->endY};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(got[i], expected[i]) << i;
    circle.m_radius = 0.2;
    EXPECT_EQ(circle.MakeDragSketch(&view, Pt(0, 0), 0, 2.0), nullptr);    // 0.8 view units
}

TEST(LineTypes, DashedHorizontalLineOfOneHundredUnits)
{
    CLine line(0, 0, 100, 0);
    CRecordingDC dc;
    line.PrintHorizontalStyled(&dc, kOrigin, 1.0, kPage, 0, 0, 1.0, 1);
    std::vector<Stroke> s = Strokes(dc);
    ASSERT_EQ(s.size(), 4u);
    const long expected[4][2] = {{0, 25}, {31, 56}, {62, 87}, {93, 100}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(s[i].x1, expected[i][0]) << i;
        EXPECT_EQ(s[i].x2, expected[i][1]) << i;
        EXPECT_EQ(s[i].y1, 0);
        EXPECT_EQ(s[i].y2, 0);
    }
}

TEST(LineTypes, EveryPatternEndsWithAStrokeReachingTheEnd)
{
    struct Case {
        int lineType;
        double length;
    };
    const Case cases[] = {{1, 97}, {1, 124}, {2, 53}, {2, 58}, {3, 115}, {3, 122}, {4, 160}, {4, 40}};
    for (const Case& c : cases) {
        for (int direction = 0; direction < 3; ++direction) {
            CRecordingDC dc;
            if (direction == 0) {
                CLine line(10, -20, 10 + c.length, -20);
                line.PrintHorizontalStyled(&dc, kOrigin, 1.0, kPage, 0, 0, 1.0, c.lineType);
            } else if (direction == 1) {
                CLine line(10, -20 - c.length, 10, -20);
                line.PrintVerticalStyled(&dc, kOrigin, 1.0, kPage, 0, 0, 1.0, c.lineType);
            } else {
                CLine line(10, -20, 10 + c.length * 0.6, -20 - c.length * 0.8);
                line.PrintObliqueStyled(&dc, kOrigin, 1.0, kPage, 0, 0, 1.0, c.lineType);
            }
            std::vector<Stroke> s = Strokes(dc);
            ASSERT_FALSE(s.empty()) << c.lineType << "/" << direction;
            const Stroke& last = s.back();
            long endX = direction == 0 ? TruncToInt(10 + c.length) : direction == 1 ? 10 : TruncToInt(10 + c.length * 0.6);
            long endY = direction == 0 ? -20 : direction == 1 ? -20 : TruncToInt(-20 - c.length * 0.8);
            if (direction == 2) {
                // The oblique walk starts at the smaller x and ends at the other end.
                EXPECT_EQ(last.x2, endX) << c.lineType << "/" << c.length;
                EXPECT_EQ(last.y2, endY) << c.lineType << "/" << c.length;
            } else {
                EXPECT_EQ(last.x2, direction == 0 ? endX : 10) << c.lineType << "/" << c.length;
                EXPECT_EQ(last.y2, -20) << c.lineType << "/" << c.length;
            }
            double lastLength = std::hypot(double(last.x2 - last.x1), double(last.y2 - last.y1));
            EXPECT_LE(lastLength, 36) << c.lineType << "/" << c.length;
        }
    }
}

TEST(LineTypes, DraftLineTypePrintsNothing)
{
    CLine horizontal(0, 0, 100, 0), vertical(0, -100, 0, 0), oblique(0, 0, 100, -70);
    CCircle circle;
    circle.m_centre = Pt(500, -500);
    circle.m_radius = 100;
    CArc arc(Pt(500, -500), 100, Pt(0, 90));
    CRecordingDC dc;
    for (int type : {5, -1, 9}) {
        horizontal.PrintHorizontalStyled(&dc, kOrigin, 1.0, kPage, 0, 0, 1.0, type);
        vertical.PrintVerticalStyled(&dc, kOrigin, 1.0, kPage, 0, 0, 1.0, type);
        oblique.PrintObliqueStyled(&dc, kOrigin, 1.0, kPage, 0, 0, 1.0, type);
        circle.PrintStyled(&dc, kOrigin, 1.0, kPage, 0, 0, 1.0, type);
        arc.PrintStyled(&dc, kOrigin, 1.0, kPage, 0, 0, 1.0, type);
    }
    EXPECT_TRUE(dc.Calls().empty());
}

TEST(LineTypes, SmallDashedCircleUsesFifthSizeDashes)
{
    CCircle circle;
    circle.m_centre = Pt(500, -500);
    circle.m_radius = 20;    // 125 units round, fewer than 16 periods of 31
    CRecordingDC dc;
    circle.PrintStyled(&dc, kOrigin, 1.0, kPage, 0, 0, 1.0, 1);
    std::vector<Stroke> s = Strokes(dc);
    ASSERT_GE(s.size(), 19u);
    ASSERT_LE(s.size(), 21u);
    const double unit = 2 * kPi / 125;
    for (size_t i = 0; i + 1 < s.size(); ++i) {
        // Each dash a chord of 5 units starting 6.2 units after the previous one.
        double a = i * 6.2 * unit;
        EXPECT_EQ(s[i].x1, TruncToInt(500 + 20 * std::cos(a))) << i;
        EXPECT_EQ(s[i].y1, TruncToInt(-500 + 20 * std::sin(a))) << i;
        EXPECT_EQ(s[i].x2, TruncToInt(500 + 20 * std::cos(a + 5 * unit))) << i;
        EXPECT_EQ(s[i].y2, TruncToInt(-500 + 20 * std::sin(a + 5 * unit))) << i;
    }
    EXPECT_EQ(s.back().x2, 520);
    EXPECT_EQ(s.back().y2, -500);
}

TEST(LineTypes, LargeCircleKeepsFullDashesAndClippedCirclesStartAtTheirVisibleEnd)
{
    CCircle circle;
    circle.m_centre = Pt(1000, -1000);
    circle.m_radius = 400;
    CRecordingDC dc;
    circle.PrintStyled(&dc, kOrigin, 1.0, kPage, 0, 0, 1.0, 1);
    std::vector<Stroke> s = Strokes(dc);
    ASSERT_GT(s.size(), 50u);
    EXPECT_NEAR(std::hypot(double(s[0].x2 - s[0].x1), double(s[0].y2 - s[0].y1)), 25, 1.5);

    // Only the cap above y = -904 (the page grown by 4) is on this page: the pattern runs from
    // its right end counterclockwise to its left end.
    CRecordingDC cap;
    circle.PrintStyled(&cap, kOrigin, 1.0, RECT{0, 0, 3000, -900}, 0, 0, 1.0, 1);
    std::vector<Stroke> h = Strokes(cap);
    ASSERT_FALSE(h.empty());
    EXPECT_EQ(h.front().x1, 1388);
    EXPECT_EQ(h.back().x2, 611);
    for (const Stroke& stroke : h) {
        EXPECT_GE(stroke.y1, -905);
        EXPECT_GE(stroke.y2, -905);
    }
}

TEST(LineTypes, ArcShorterThanOneDeviceUnitPrintsNothing)
{
    // Under one device unit of arc there is no unit angle to lay a pattern with.
    struct Case {
        double sweepDeg;    // on a radius of 1000 units
        bool drawn;
    };
    const Case cases[] = {{0.02, false}, {0.05, false}, {0.09, true}, {1.0, true}};
    for (const Case& c : cases) {
        for (int type = 0; type <= 4; ++type) {
            CArc arc(Pt(0, 0), 1000, Pt(0, c.sweepDeg));
            CRecordingDC dc;
            arc.PrintStyled(&dc, kOrigin, 1.0, RECT{-2000, 2000, 2000, -2000}, 0, 0, 1.0, type);
            EXPECT_EQ(!dc.Calls().empty(), c.drawn) << c.sweepDeg << " type " << type;
            if (c.drawn) {
                std::vector<Stroke> s = Strokes(dc);
                ASSERT_FALSE(s.empty());
                EXPECT_EQ(s.back().x2, TruncToInt(1000 * std::cos(c.sweepDeg * kPi / 180)));
                EXPECT_EQ(s.back().y2, TruncToInt(1000 * std::sin(c.sweepDeg * kPi / 180)));
            }
        }
    }
}

TEST(ArcDraw, SmallAndShortArcs)
{
    struct Case {
        const char* what;
        double radius, start, end;
        CPointD centre;
        size_t calls;
    };
    const Case cases[] = {
        {"radius below one", 0.9, 0, 90, Pt(100, -100), 0},
        {"sweep below the least", 100, 10, 10.009, Pt(1000, -1000), 0},
        {"small arc is a quarter-turn polyline", 2, 0, 180, Pt(100, -100), 4},
        {"small arc with its centre outside", 2, 0, 180, Pt(2100, -100), 0},
        {"ordinary arc is one Arc call", 100, 0, 90, Pt(1000, -1000), 1},
    };
    for (const Case& c : cases) {
        CArc arc(c.centre, c.radius, Pt(c.start, c.end));
        CRecordingDC dc;
        arc.Draw(&dc, kOrigin, 1.0, kWindow);
        EXPECT_EQ(dc.Calls().size(), c.calls) << c.what;
    }
    CArc arc(Pt(1000, -1000), 100, Pt(0, 90));
    CRecordingDC dc;
    arc.Draw(&dc, kOrigin, 1.0, kWindow);
    EXPECT_EQ(dc.Calls(), Lines("Arc(900,-900,1100,-1100,1100,-1000,1000,-900)"));
}

TEST(ArcDraw, LargeArcAcrossTheWindowStartIsDrawnInTwoPieces)
{
    // The window is (10000..12000, -10000..-12000); the circle's top crosses it from side to
    // side, and the arc runs from 100 degrees almost all the way round to 80 degrees.
    const CRectD window = Clip(10000, -10000, 12000, -12000);
    CArc arc(Pt(11000, -13000), 2500, Pt(100, 440));
    CRecordingDC dc;
    arc.Draw(&dc, kOrigin, 1.0, window);
    std::vector<std::string> arcs = dc.CallsNamed({"Arc"});
    ASSERT_EQ(arcs.size(), 2u);
    ASSERT_EQ(dc.Calls().size(), 2u);
    std::vector<long> first = Args(arcs[0]), second = Args(arcs[1]);
    const std::vector<long> box = {8500, -10500, 13500, -15500};
    EXPECT_EQ(std::vector<long>(first.begin(), first.begin() + 4), box);
    EXPECT_EQ(std::vector<long>(second.begin(), second.begin() + 4), box);
    // First piece from the arc's start to beyond the window's left side; second from beyond
    // its right side to the arc's end.
    EXPECT_EQ(first[4], TruncToInt(11000 + 2500 * std::cos(100 * kPi / 180)));
    EXPECT_EQ(first[5], TruncToInt(-13000 + 2500 * std::sin(100 * kPi / 180)));
    EXPECT_LT(first[6], 10000);
    EXPECT_GT(second[4], 12000);
    EXPECT_EQ(second[6], TruncToInt(11000 + 2500 * std::cos(80 * kPi / 180)));
    EXPECT_EQ(second[7], TruncToInt(-13000 + 2500 * std::sin(80 * kPi / 180)));
}

TEST(ArcDraw, DragSketchIsTheArgumentsOfItsArcCall)
{
    CZelkView view;
    view.m_origin = Pt(0, 0);
    view.m_zoom = 1.0;
    CArc arc(Pt(100, -100), 50, Pt(0, 90));
    std::unique_ptr<CSketchArc> sketch(arc.MakeDragSketch(&view, Pt(100, -100), 90, 1.0));
    ASSERT_NE(sketch, nullptr);
    // Turned a quarter about its own centre: from 90 to 180 degrees.
    EXPECT_EQ(sketch->left, 50);
    EXPECT_EQ(sketch->top, -50);
    EXPECT_EQ(sketch->right, 150);
    EXPECT_EQ(sketch->bottom, -150);
    EXPECT_EQ(sketch->startX, 100);
    EXPECT_EQ(sketch->startY, -50);
    EXPECT_EQ(sketch->endX, 50);
    EXPECT_EQ(sketch->endY, -100);
}

TEST(PolylineElements, SolidPrintingLiftsThePenOffThePageAndGoesOn)
{
    CCurve curve;
    curve.m_kind = 1;
    curve.m_points = {Pt(10, -10), Pt(20, -10), Pt(2000, -10), Pt(30, -20), Pt(40, -20)};
    CRecordingDC dc;
    curve.Print(&dc, kOrigin, 1.0, RECT{0, 0, 100, -100}, 0, 0, 1.0);
    EXPECT_EQ(dc.Calls(), Lines("MoveTo(10,-10) LineTo(20,-10) MoveTo(30,-20) LineTo(40,-20)"));

    CConic conic;
    conic.m_polyline = curve.m_points;
    CRecordingDC same;
    conic.Print(&same, kOrigin, 1.0, RECT{0, 0, 100, -100}, 0, 0, 1.0);
    EXPECT_EQ(same.Calls(), dc.Calls());
}

TEST(PolylineElements, ScreenDrawingClipsEachPiece)
{
    CCurve curve;
    curve.m_kind = 1;
    curve.m_points = {Pt(100, -100), Pt(300, -100), Pt(300, 500)};
    CRecordingDC dc;
    curve.Draw(&dc, kOrigin, 1.0, kWindow);
    // The second piece leaves the window at its top (grown by 2 units in clipping).
    EXPECT_EQ(dc.Calls(), Lines("MoveTo(100,-100) LineTo(300,-100) MoveTo(300,-100) LineTo(300,2)"));
}

TEST(PolylineElements, StyledPrintingWalksThePatternByDistance)
{
    CCurve curve;
    curve.m_kind = 1;
    curve.m_points = {Pt(0, -10), Pt(100, -10)};
    CRecordingDC dc;
    curve.PrintStyled(&dc, kOrigin, 1.0, kPage, 0, 0, 1.0, 1);
    std::vector<Stroke> s = Strokes(dc);
    ASSERT_GE(s.size(), 3u);
    // A dash ends where the walk has gone 25 units, a gap (a MoveTo) 6 units further on.
    EXPECT_EQ(s[0].x1, 0);
    EXPECT_EQ(s[0].x2, 25);
    EXPECT_EQ(s[1].x1, 31);
    EXPECT_EQ(s[1].x2, 56);
    EXPECT_EQ(s[2].x1, 62);
}

TEST(PolylineElements, StyledEllipseRestartsThePatternAfterLeavingThePage)
{
    CConic conic;
    conic.m_centre = Pt(0, 0);
    conic.m_majorRadius = 100;
    conic.m_ratio = 0.5;
    conic.m_startAngle = 0;
    conic.m_endAngle = 360;
    conic.m_tilt = 0;
    CRecordingDC dc;
    // Only the right half of the page: the ellipse leaves it at the top and comes back below.
    conic.PrintStyled(&dc, kOrigin, 1.0, RECT{0, 100, 200, -100}, 0, 0, 1.0, 0);
    std::vector<std::string> moves = dc.CallsNamed({"MoveTo"});
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0], "MoveTo(100,0)");
    EXPECT_EQ(Args(moves[1])[0], 0);
}

TEST(PolylineElements, FarCoordinatesStayInRange)
{
    // A line far beyond any integer coordinate, drawn on the screen and as a drag sketch.
    CLine line(-1e12, -10, 1e12, -10);
    CRecordingDC dc;
    line.DrawHorizontal(&dc, kOrigin, 1.0, kWindow);
    EXPECT_EQ(dc.Calls(), Lines("MoveTo(-2,-10) LineTo(2002,-10)"));
    CZelkView view;
    std::unique_ptr<CSketchSegment> sketch(line.MakeDragSketch(&view, Pt(0, 0), 0, 1.0));
    EXPECT_EQ(sketch->x1, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(sketch->x2, std::numeric_limits<std::int32_t>::max());
}

TEST(ServerItemDraw, DrawsThroughTheApplicationsViewMapping)
{
    // Without an application object the mapping is the default: origin (0, 0), scale 1, the
    // logical rectangle (15788, -15830, 16533, -16357) and the logical point (15788, -15830).
    CDataPoint point;
    point.m_position = Pt(16000, -16000);
    CRecordingDC dc;
    point.DrawForServerItem(&dc);
    EXPECT_EQ(dc.Calls(), Lines("MoveTo(202,-170) LineTo(222,-170) MoveTo(212,-180) LineTo(212,-160)"));

    CLine line(15700, -16000, 17000, -16000);    // clipped to the rectangle grown by 2
    CRecordingDC lines;
    line.DrawForServerItem(&lines);
    EXPECT_EQ(lines.Calls(), Lines("MoveTo(-2,-170) LineTo(747,-170)"));

    // A circle is chords only, never an Arc call: a step of min(10 / R, 10 degrees) = 0.1.
    CCircle circle;
    circle.m_centre = Pt(16000, -16000);
    circle.m_radius = 100;
    CRecordingDC circles;
    circle.DrawForServerItem(&circles);
    EXPECT_TRUE(circles.CallsNamed({"Arc"}).empty());
    EXPECT_EQ(Strokes(circles).size(), 63u);

    // Outside the rectangle nothing is drawn; a tiny circle is a diamond about its centre.
    point.m_position = Pt(0, 0);
    CRecordingDC none;
    point.DrawForServerItem(&none);
    EXPECT_TRUE(none.Calls().empty());
    circle.m_radius = 0.3;
    CRecordingDC tiny;
    circle.DrawForServerItem(&tiny);
    EXPECT_EQ(Strokes(tiny).size(), 4u);
}

TEST(ServerItemDraw, PolylineElementsLiftThePenOutsideTheRectangle)
{
    CCurve curve;
    curve.m_kind = 1;
    curve.m_points = {Pt(15800, -15900), Pt(15900, -15900), Pt(0, 0), Pt(16000, -16000), Pt(16100, -16000)};
    CRecordingDC dc;
    curve.DrawForServerItem(&dc);
    EXPECT_EQ(dc.Calls(), Lines("MoveTo(12,-70) LineTo(112,-70) MoveTo(212,-170) LineTo(312,-170)"));
}

TEST(ServerItemDraw, HugeCharacterSpacingIsHeldInRange)
{
    // A right-aligned row whose spacing came damaged from a file: the offset back to the first
    // character passes the integer range and is held at its end.
    CText text;
    text.m_point = Pt(16000, -16000);
    text.m_text = "ABCDEFGH";
    text.m_alignment = 2;
    text.m_underlineStart = Pt(16000, -16000);
    text.m_underlineEnd = Pt(16040, -16000);
    CRecordingDC dc;
    text.DrawRowForServerItem(&dc, 0, 0.0, 5.0, 4.0, 1e12, 0);
    const auto outs = dc.CallsNamed({"TextOut"});
    ASSERT_EQ(outs.size(), 8u);
    // The offset back to the first character is held at the range's end: it starts one whole
    // range before the text's point.
    EXPECT_EQ(outs[0], "TextOut(-2147483435,-170,\"A\")");
    EXPECT_EQ(outs[1], "TextOut(212,-170,\"B\")");
}
