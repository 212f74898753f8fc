// The drag sketch: largest elements first up to the figure limit, drawn by exclusive-or so that
// the next move or an erase leaves the picture as it was.
#include "ViewTestSupport.h"

#include "elements/Arcs.h"
#include "elements/ElementKinds.h"
#include "input/ElemSet.h"
#include "input/InputPoint.h"
#include "platform/gdi/ImageDC.h"

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;

class DragSketch : public ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        // World millimetres are image pixels: origin at the world origin, zoom 1.
        View().m_origin = W(0, 0);
        View().m_zoom = 1.0;
    }
    std::int16_t AnyPen() { return Pen(RGB(0, 0, 0)); }
    void AddLine(CPointD a, CPointD b)
    {
        std::int16_t block = 0, slot = 0;
        Doc().AddLineWithPen(a, b, 0, AnyPen(), block, slot);
        m_set.AddElement(&Doc(), ELEM_LINE, block, slot, 1, 2);
    }
    void AddCircle(CPointD c, double r)
    {
        std::int16_t block = 0, slot = 0;
        Doc().AddCircleWithPen(c, r, 0, AnyPen(), block, slot);
        m_set.AddElement(&Doc(), ELEM_CIRCLE, block, slot, 1, 2);
    }
    void AddArc(CPointD c, double r, double start, double end)
    {
        std::int16_t block = 0, slot = 0;
        Doc().AddArcWithPen(c, r, W(start, end), 0, AnyPen(), block, slot);
        m_set.AddElement(&Doc(), ELEM_ARC, block, slot, 1, 2);
    }
    static CInputPoint At(double x, double y)
    {
        CInputPoint input;
        input.SetPoint(W(x, y));
        return input;
    }
    // Every pixel of the picture.
    static std::vector<COLORREF> Pixels(CImageDC& dc)
    {
        std::vector<COLORREF> out;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                out.push_back(dc.GetPixel(x, y));
        return out;
    }
    // A picture with something under the sketch, so that the exclusive-or meets other colors.
    static void Background(CImageDC& dc)
    {
        for (int x = 0; x < kWidth; x += 3)
            for (int y = 0; y < kHeight; y += 2)
                dc.SetPixel(x, y, RGB(static_cast<BYTE>(x), 40, static_cast<BYTE>(255 - y)));
    }
    CElemSet m_set;
    CDragSketch m_sketch;
};

TEST_F(DragSketch, TheLargestElementsComeFirstAndTheLimitStopsTheSmallOnes)
{
    AddCircle(W(0, 0), 200);
    for (int i = 0; i < 3000; ++i)
        AddLine(W(i, 0), W(i + 5, 0));
    m_set.ClassifySizes(&Doc());
    m_sketch.Build(m_set, &Doc(), &View());
    EXPECT_EQ(m_sketch.circles.GetSize(), 1);
    EXPECT_EQ(m_sketch.segments.GetSize(), 1000);
    EXPECT_EQ(m_sketch.FigureCount(), 1001);
    // The largest class is always complete, whatever the limit.
    m_app->m_appDraw.m_displayValue8 = 0;
    CElemSet big;
    for (int i = 0; i < 5; ++i) {
        std::int16_t block = 0, slot = 0;
        Doc().AddLineWithPen(W(0, i), W(100, i), 0, AnyPen(), block, slot);
        big.AddElement(&Doc(), ELEM_LINE, block, slot, 1, 2);
    }
    big.ClassifySizes(&Doc());
    m_sketch.Build(big, &Doc(), &View());
    EXPECT_EQ(m_sketch.segments.GetSize(), 5);
}

TEST_F(DragSketch, FiguresAreStoredRelativeToTheBasePointAndFollowTheZoom)
{
    AddLine(W(10, 20), W(30, 20));
    m_set.basePoint = W(10, 20);
    m_sketch.Build(m_set, &Doc(), &View());
    ASSERT_EQ(m_sketch.segments.GetSize(), 1);
    auto* s = static_cast<CSketchSegment*>(m_sketch.segments[0]);
    EXPECT_EQ(s->x1, 0);
    EXPECT_EQ(s->y1, 0);
    EXPECT_EQ(s->x2, 20);
    EXPECT_EQ(s->y2, 0);
    // Turned by the set's angle and scaled by its scale about the base point.
    m_set.angle = 90;
    m_set.scale = 2;
    View().m_zoom = 3;
    m_sketch.Build(m_set, &Doc(), &View());
    s = static_cast<CSketchSegment*>(m_sketch.segments[0]);
    EXPECT_EQ(s->x2, 0);
    EXPECT_EQ(s->y2, 120);
    // The texts waiting to be placed are sketched whatever the limit.
    m_app->m_activeView = &View();
    CStringArray lines;
    lines.Add("abc");
    m_set.AddTextLines(lines);
    m_sketch.Build(m_set, &Doc(), &View());
    EXPECT_EQ(m_sketch.textLines.GetSize(), 1);
}

TEST_F(DragSketch, TwoMovesLeaveOneOutlineAndTheEraseRestoresThePicture)
{
    AddLine(W(0, 0), W(40, 0));
    AddCircle(W(20, 20), 15);
    AddArc(W(0, 0), 30, 0, 90);
    m_set.ClassifySizes(&Doc());
    m_sketch.Build(m_set, &Doc(), &View());

    CImageDC dc(kWidth, kHeight);
    Background(dc);
    const std::vector<COLORREF> before = Pixels(dc);
    // An erase with nothing shown leaves the picture alone.
    m_sketch.Erase(&dc);
    EXPECT_EQ(Pixels(dc), before);

    m_sketch.DrawAt(&View(), &dc, At(30, 30));
    EXPECT_NE(Pixels(dc), before);
    m_sketch.DrawAt(&View(), &dc, At(80, 50));
    EXPECT_EQ(m_sketch.shown, 1);
    EXPECT_EQ(m_sketch.shownX, 80);
    EXPECT_EQ(m_sketch.shownY, 50);

    // The same sketch drawn once at the second place on a fresh picture.
    CImageDC once(kWidth, kHeight);
    Background(once);
    CDragSketch single;
    single.view = &View();
    single.Build(m_set, &Doc(), &View());
    single.DrawAt(&View(), &once, At(80, 50));
    EXPECT_EQ(Pixels(dc), Pixels(once));

    m_sketch.Erase(&dc);
    EXPECT_EQ(m_sketch.shown, 0);
    EXPECT_EQ(Pixels(dc), before);
}

TEST_F(DragSketch, AnArcWhoseEndsNearlyMeetIsNotDrawnButACircleIs)
{
    AddArc(W(0, 0), 100, 0, 359);     // ends about 1.7 units apart
    AddArc(W(0, 0), 100, 0, 350);     // ends far apart
    AddCircle(W(0, 0), 100);
    m_set.ClassifySizes(&Doc());
    m_sketch.Build(m_set, &Doc(), &View());
    ASSERT_EQ(m_sketch.arcs.GetSize(), 2);
    CRecordingDC dc;
    m_sketch.DrawAt(&View(), &dc, At(0, 0));
    int arcs = 0;
    for (const std::string& call : dc.Calls())
        arcs += call.rfind("Arc(", 0) == 0 ? 1 : 0;
    EXPECT_EQ(arcs, 2);   // the circle and the 350-degree arc
    // Drawn by exclusive-or in the preview color.
    EXPECT_NE(std::find(dc.Calls().begin(), dc.Calls().end(), "SetROP2(7)"), dc.Calls().end());
}

}  // namespace
