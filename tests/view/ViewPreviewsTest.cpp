// The rubber-band previews: which pens and figures they ask of the device (recorded), and that
// drawing a preview and erasing it leaves the picture as it was, bit for bit (on an image).
#include "ViewTestSupport.h"

#include <cmath>
#include <cstdio>
#include <functional>

#include "commands/circle/CircleCommand.h"
#include "commands/annotate/DimCommand.h"
#include "elements/Arc.h"
#include "geometry/Numeric.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/ImageDC.h"

namespace {

const std::string kGreen = "SelectPen(0,1,RGB(0,255,0))";
const std::string kRed = "SelectPen(0,1,RGB(255,0,0))";

std::vector<std::string> Draws(const std::vector<std::string>& calls)
{
    std::vector<std::string> out;
    for (const auto& [pen, call] : DrawsWithPens(calls))
        out.push_back(pen + " " + call);
    return out;
}

class ViewPreviews : public ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        m_app->m_appFind.gestureZoneSize = 25;
        m_app->m_appFind.boxColorThreshold = 10;
        m_app->m_appColor.previewColor = RGB(0, 255, 0);
        m_app->m_appColor.smallBoxColor = RGB(255, 0, 0);
        m_app->m_appDraw.pointerCrossSize = 20;
        View().m_origin = W(0, 0);
    }
    std::vector<std::string> Take()
    {
        std::vector<std::string> calls = View().m_clientCalls;
        View().m_clientCalls.clear();
        return calls;
    }
};

TEST_F(ViewPreviews, DragBoxNeedsADragAndTakesItsColorFromItsSize)
{
    struct Case {
        double dx, dy;
        const char* pen;  // nullptr: nothing drawn
    } cases[] = {{20, 5, nullptr}, {25, 25, nullptr}, {26, 3, "RGB(255,0,0)"}, {30, 5, "RGB(255,0,0)"},
                 {30, 12, "RGB(0,255,0)"}, {-30, -12, "RGB(0,255,0)"}, {5, 40, "RGB(255,0,0)"}};
    for (const Case& c : cases) {
        View().PreviewDragBox(W(100, -100), W(100 + c.dx, -100 - c.dy));
        const auto drawn = DrawsWithPens(Take());
        if (!c.pen) {
            EXPECT_TRUE(drawn.empty()) << c.dx << " x " << c.dy;
            EXPECT_EQ(View().m_boxShown, 0);
            continue;
        }
        ASSERT_EQ(drawn.size(), 4u) << c.dx << " x " << c.dy;
        for (const auto& [pen, call] : drawn)
            EXPECT_NE(pen.find(c.pen), std::string::npos) << c.dx << " x " << c.dy << " " << pen;
        EXPECT_EQ(View().m_boxShown, 1);
        // The erase draws the same four sides with the same pen, in exclusive-or.
        View().EraseDragBox();
        const auto calls = Take();
        EXPECT_EQ(DrawsWithPens(calls), drawn);
        EXPECT_NE(std::find(calls.begin(), calls.end(), "SetROP2(7)"), calls.end());
        EXPECT_EQ(View().m_boxShown, 0);
    }
}

TEST_F(ViewPreviews, SegmentCrossAndWorkLineRefuseASecondDraw)
{
    CPointD a = W(10, -10), b = W(200, -300);
    View().PreviewSegment(&a, &b);
    View().PreviewSegment(&a, &b);
    const auto once = Draws(Take());
    ASSERT_EQ(once.size(), 1u);
    EXPECT_EQ(once[0], kGreen + " LineTo(200,-300)");
    View().EraseSegments();
    EXPECT_EQ(Draws(Take()), once);
    View().EraseSegments();
    EXPECT_TRUE(Take().empty());

    View().PreviewPointerCross(W(100, -100));
    View().PreviewPointerCross(W(300, -300));
    const auto cross = Draws(Take());
    ASSERT_EQ(cross.size(), 2u);
    EXPECT_EQ(cross[0], kGreen + " LineTo(120,-80)");
    EXPECT_EQ(cross[1], kGreen + " LineTo(120,-120)");

    Doc().m_workLines[1]->m_start = W(10, -50);
    Doc().m_workLines[1]->m_end = W(500, -50);
    View().PreviewWorkLine(1);
    View().PreviewWorkLine(1);
    const auto line = Draws(Take());
    ASSERT_EQ(line.size(), 1u);
    EXPECT_EQ(View().m_lineShown[1], 1);
    // The erase reads the line again from the drawing.
    View().ErasePreviews();
    const auto erased = Draws(Take());
    EXPECT_EQ(erased.size(), 3u);  // the cross's two diagonals and the work line
    EXPECT_EQ(View().m_lineShown[1], 0);
    EXPECT_EQ(View().m_crossShown, 0);
}

TEST_F(ViewPreviews, RotatedBoxCornersAndTheSixteenBitGuard)
{
    View().PreviewRotatedBox(W(0, 0), 0, W(10, 5));
    const POINT* p = View().m_previewPoints;
    EXPECT_EQ(p[0].x, 0);
    EXPECT_EQ(p[0].y, 0);
    EXPECT_EQ(p[1].x, 10);
    EXPECT_EQ(p[1].y, 0);
    EXPECT_EQ(p[2].x, 0);
    EXPECT_EQ(p[2].y, 5);
    EXPECT_EQ(p[3].x, 10);
    EXPECT_EQ(p[3].y, 5);
    EXPECT_EQ(Draws(Take()).size(), 4u);
    View().ErasePreviews();
    EXPECT_EQ(Draws(Take()).size(), 4u);

    // Two corners beyond 32767: the three sides that reach them are left out, by the draw and by
    // the erase alike.
    View().PreviewRotatedBox(W(0, 0), 0, W(40000, 5));
    EXPECT_EQ(Draws(Take()), std::vector<std::string>{kGreen + " LineTo(0,0)"});
    View().ErasePreviews();
    EXPECT_EQ(Draws(Take()), std::vector<std::string>{kGreen + " LineTo(0,0)"});
    CRecordingDC dc;
    CZelkView::DrawSegment(&dc, POINT{0, 0}, POINT{32768, 0});
    CZelkView::DrawSegment(&dc, POINT{-32769, 0}, POINT{0, 0});
    EXPECT_TRUE(dc.Calls().empty());
    CZelkView::DrawSegment(&dc, POINT{-32768, 0}, POINT{32767, 0});
    EXPECT_EQ(dc.Calls().size(), 2u);
}

TEST_F(ViewPreviews, AClosedViewHoldsBackTheDrawingsFiveRequests)
{
    Doc().m_previewPointA = W(100, -100);
    Doc().m_previewValue = 20;
    Doc().m_workLines[0]->m_start = W(10, -10);
    Doc().m_workLines[0]->m_end = W(300, -200);
    Doc().m_previewsSuppressed = 1;
    CPointD a = W(10, -10), b = W(200, -300);
    Doc().PreviewSegment(&a, &b);
    Doc().PreviewCircleAboutCentre(W(100, -100), W(150, -100));
    Doc().PreviewFixedRadiusCircle(W(200, -200));
    Doc().PreviewArc(W(100, -100), 10, W(200, -100), W(100, 0));
    Doc().PreviewWorkLine(0);
    EXPECT_TRUE(Take().empty());
    // The other requests are not held back.
    Doc().PreviewDiameterCircle(W(140, -100));
    EXPECT_EQ(Draws(Take()).size(), 1u);
    Doc().m_previewsSuppressed = 0;
    Doc().RedrawPreviewsInViews();
    Take();
    Doc().PreviewSegment(&a, &b);
    Doc().PreviewWorkLine(0);
    EXPECT_EQ(Draws(Take()).size(), 2u);
    Doc().RedrawPreviewsInViews();
}

TEST_F(ViewPreviews, ErasingAnIdleViewChangesNothing)
{
    View().ErasePreviews();
    EXPECT_TRUE(View().m_clientCalls.empty());
    EXPECT_EQ(View().m_boxShown + View().m_quadShown + View().m_segmentShown + View().m_arcShown +
                  View().m_secondArcShown + View().m_crossShown,
              0);
}

TEST_F(ViewPreviews, CirclesAreOneArcFromTheRightmostPoint)
{
    Doc().m_previewAsArc = 0;
    Doc().m_previewPointA = W(100, -100);
    Doc().m_previewPointB = W(150, -150);
    Doc().m_previewValue = 30;
    Doc().m_previewLines[0].m_start = W(0, -300);
    Doc().m_previewLines[0].m_end = W(900, -300);
    struct Case {
        const char* name;
        void (*show)(CZelkView&);
        const char* arc;
    } cases[] = {
        {"about centre", [](CZelkView& v) { v.PreviewCircleAboutCentre(W(100, -100), W(130, -140)); },
         "Arc(50,-50,150,-150,150,-100,150,-100)"},
        {"fixed radius", [](CZelkView& v) { v.PreviewFixedRadiusCircle(W(200, -200)); },
         "Arc(170,-170,230,-230,230,-200,230,-200)"},
        {"diameter", [](CZelkView& v) { v.PreviewDiameterCircle(W(140, -100)); },
         "Arc(100,-80,140,-120,140,-100,140,-100)"},
        {"radius toward", [](CZelkView& v) { v.PreviewCircleRadiusToward(W(300, -100)); },
         "Arc(100,-70,160,-130,160,-100,160,-100)"},
        {"given arc, always an arc",
         [](CZelkView& v) { v.PreviewArc(W(100, -100), 10, W(200, -100), W(100, 0)); },
         "Arc(90,-90,110,-110,200,-100,100,0)"},
    };
    for (const Case& c : cases) {
        c.show(View());
        const auto calls = Draws(Take());
        ASSERT_EQ(calls.size(), 1u) << c.name;
        EXPECT_EQ(calls[0], kGreen + " " + c.arc) << c.name;
        View().ErasePreviews();
        EXPECT_EQ(Draws(Take()), calls) << c.name;
    }
}

TEST_F(ViewPreviews, EveryCircleKindWithoutTheArcFlagIsAClosedCircle)
{
    CZelkDoc& doc = Doc();
    doc.m_previewAsArc = 0;
    doc.m_previewPointA = W(300, -300);
    doc.m_previewPointB = W(350, -200);
    doc.m_previewPointC = W(500, -250);
    doc.m_previewValue = 60;
    doc.m_previewAngle = 70;
    doc.m_previewLines[0].m_start = W(100, -500);
    doc.m_previewLines[0].m_end = W(900, -450);
    doc.m_previewLines[1].m_start = W(150, -50);
    doc.m_previewLines[1].m_end = W(250, -580);
    doc.m_previewCircles[0].m_centre = W(600, -300);
    doc.m_previewCircles[0].m_radius = 80;
    doc.m_previewCircles[1].m_centre = W(800, -150);
    doc.m_previewCircles[1].m_radius = 40;
    doc.m_pickPoint1 = W(530, -260);
    doc.m_pickPoint2 = W(780, -180);
    int circles = 0;
    for (int kind = 16; kind <= 38; ++kind) {
        doc.m_previewKind = static_cast<std::int16_t>(kind);
        int end = 0;
        View().ShowKindPreview(W(420, -330), 0, 0, end);
        for (const auto& [pen, call] : DrawsWithPens(Take())) {
            if (call.rfind("Arc(", 0) != 0)
                continue;
            int a[8];
            ASSERT_EQ(std::sscanf(call.c_str(), "Arc(%d,%d,%d,%d,%d,%d,%d,%d)", &a[0], &a[1], &a[2], &a[3], &a[4],
                                  &a[5], &a[6], &a[7]),
                      8);
            // Start and end both at the rightmost point: x = right, y = the centre's.
            EXPECT_EQ(a[4], a[2]) << kind;
            EXPECT_EQ(a[6], a[2]) << kind;
            EXPECT_EQ(a[5], (a[1] + a[3]) / 2) << kind;
            EXPECT_EQ(a[7], a[5]) << kind;
            ++circles;
        }
        doc.RedrawPreviewsInViews();
        Take();
    }
    EXPECT_GT(circles, 15);
}

TEST_F(ViewPreviews, TangentRightOfTheLineErasesWithItsFlippedSquare)
{
    Doc().m_previewLines[0].m_start = W(0, -300);
    Doc().m_previewLines[0].m_end = W(900, -300);
    Doc().m_previewPointC = W(500, -300);
    View().PreviewCircleTangentToLine(50, W(500, -380));
    const auto drawn = Draws(Take());
    ASSERT_EQ(drawn.size(), 1u);
    // The radius is negative right of the line, so the square's left lies right of its right.
    EXPECT_GT(View().m_previewArc[0], View().m_previewArc[2]);
    EXPECT_NEAR(m_doc->m_circleCmd->m_previewCentre.m_y, -350, 1e-9);
    View().ErasePreviews();
    EXPECT_EQ(Draws(Take()), drawn);
}

TEST_F(ViewPreviews, NothingWhileTheRightButtonIsHeldAndNoneForImpossibleFigures)
{
    Doc().m_previewPointA = W(100, -100);
    Doc().m_previewValue = 5;
    m_app->m_rightButtonDown = 1;
    View().PreviewFixedRadiusCircle(W(200, -200));
    View().PreviewDiameterCircle(W(300, -100));
    EXPECT_TRUE(Draws(Take()).empty());
    m_app->m_rightButtonDown = 0;
    // Radius 5 through two points 12 apart; an included angle of 0 or 360.
    View().PreviewCircleThroughTwoPoints(W(112, -100));
    for (double angle : {0.0, 360.0}) {
        Doc().m_previewAngle = angle;
        View().PreviewCircleWithAngle(W(150, -100), 1);
    }
    EXPECT_TRUE(Draws(Take()).empty());
    EXPECT_EQ(View().m_arcShown, 0);
}

TEST_F(ViewPreviews, CentreGoesToTheCircleCommandExceptForTheGivenCircles)
{
    Doc().m_previewPointA = W(100, -100);
    Doc().m_previewValue = 20;
    Doc().m_previewAngle = 90;
    const CPointD unset = W(-1, -1);
    struct Case {
        const char* name;
        void (*show)(CZelkView&);
        bool writes;
    } cases[] = {
        {"about centre", [](CZelkView& v) { v.PreviewCircleAboutCentre(W(100, -100), W(130, -140)); }, false},
        {"fixed radius", [](CZelkView& v) { v.PreviewFixedRadiusCircle(W(200, -200)); }, false},
        {"with offset", [](CZelkView& v) { v.PreviewCircleWithOffset(W(200, -200), 1); }, false},
        {"given arc", [](CZelkView& v) { v.PreviewArc(W(100, -100), 10, W(200, -100), W(100, 0)); }, false},
        {"arc end", [](CZelkView& v) { v.PreviewArcEnd(W(150, -100)); }, false},
        {"diameter", [](CZelkView& v) { v.PreviewDiameterCircle(W(140, -100)); }, true},
        {"with angle", [](CZelkView& v) { v.PreviewCircleWithAngle(W(140, -100), 0); }, true},
        {"radius toward", [](CZelkView& v) { v.PreviewCircleRadiusToward(W(300, -100)); }, true},
    };
    for (const Case& c : cases) {
        m_doc->m_circleCmd->m_previewCentre = unset;
        c.show(View());
        EXPECT_EQ(!PointsNearlyEqual(m_doc->m_circleCmd->m_previewCentre, unset), c.writes) << c.name;
        View().ErasePreviews();
        Take();
    }
}

// ---- exclusive-or on a real image -----------------------------------------------------------

constexpr int kImageWidth = 200;
constexpr int kImageHeight = 150;

// An image device context that starts from the picture the view drew before and hands its
// picture back when it is released, as a window's client area keeps what was drawn on it.
class CPictureDC : public CImageDC {
public:
    explicit CPictureDC(std::vector<COLORREF>& picture) : CImageDC(kImageWidth, kImageHeight), m_picture(picture)
    {
        for (int y = 0; y < kImageHeight; ++y)
            for (int x = 0; x < kImageWidth; ++x)
                if (m_picture[y * kImageWidth + x] != RGB(255, 255, 255))
                    SetPixel(x, y, m_picture[y * kImageWidth + x]);
    }
    ~CPictureDC() override
    {
        SetMapMode(MM_TEXT);
        SetWindowOrg(0, 0);
        SetViewportOrg(0, 0);
        for (int y = 0; y < kImageHeight; ++y)
            for (int x = 0; x < kImageWidth; ++x)
                m_picture[y * kImageWidth + x] = GetPixel(x, y);
    }

private:
    std::vector<COLORREF>& m_picture;
};

class CPictureView : public CZelkView {
public:
    std::vector<COLORREF> m_picture = std::vector<COLORREF>(kImageWidth * kImageHeight, RGB(255, 255, 255));
    std::unique_ptr<CDC> CreateClientDC() override { return std::make_unique<CPictureDC>(m_picture); }
};

class ViewPreviewsXor : public ViewPreviews {
protected:
    void SetUp() override
    {
        ViewPreviews::SetUp();
        m_picture = std::make_unique<CPictureView>();
        Doc().AddView(m_picture.get());
        m_picture->m_clientRectLogical = RECT{0, 0, 520, -390};
        m_picture->m_origin = W(0, 0);
        // Something under the previews, so that the exclusive-or meets other colors.
        CPictureDC dc(m_picture->m_picture);
        for (int x = 0; x < kImageWidth; x += 3)
            for (int y = 0; y < kImageHeight; y += 2)
                dc.SetPixel(x, y, RGB(static_cast<BYTE>(x), 0, static_cast<BYTE>(255 - y)));
    }
    void TearDown() override
    {
        Doc().RemoveView(m_picture.get());
        m_picture.reset();
        ViewPreviews::TearDown();
    }
    std::unique_ptr<CPictureView> m_picture;
};

TEST_F(ViewPreviewsXor, EveryOperationAndKindErasesToTheSamePicture)
{
    CZelkView& v = *m_picture;
    CZelkDoc& doc = Doc();
    doc.m_previewPointA = W(100, -100);
    doc.m_previewPointB = W(150, -200);
    doc.m_previewPointC = W(300, -150);
    doc.m_previewValue = 40;
    doc.m_previewAngle = 30;
    doc.m_previewAngle2 = 60;
    doc.m_previewLength = 80;
    doc.m_previewTextAngle = 15;
    doc.m_previewLines[0].m_start = W(20, -300);
    doc.m_previewLines[0].m_end = W(480, -250);
    doc.m_previewLines[1].m_start = W(50, -20);
    doc.m_previewLines[1].m_end = W(120, -370);
    doc.m_previewCircles[0].m_centre = W(250, -200);
    doc.m_previewCircles[0].m_radius = 60;
    doc.m_previewCircles[1].m_centre = W(420, -100);
    doc.m_previewCircles[1].m_radius = 30;
    for (int i = 0; i < 4; ++i)
        doc.m_previewTextBox[i] = W(i % 2 ? 60 : 0, i < 2 ? 0 : 15);
    CPointD span;
    span.Init(10, 120);
    doc.m_previewWorkArc.Assign(CArc(W(250, -200), 80, span));
    doc.m_pickPoint1 = W(200, -250);
    doc.m_pickPoint2 = W(400, -120);
    m_app->m_commandKind = 10;
    doc.m_dimCmd->m_textPoints = {W(30, -30), W(90, -60), W(140, -40), W(200, -90)};
    const std::vector<COLORREF> before = m_picture->m_picture;

    struct Op {
        std::string name;
        std::function<void()> show;
    };
    std::vector<Op> ops = {
        {"small box", [&] { v.PreviewDragBox(W(100, -100), W(140, -105)); }},
        {"box", [&] { v.PreviewDragBox(W(100, -100), W(300, -250)); }},
        {"rotated box", [&] { v.PreviewRotatedBox(W(100, -100), 20, W(300, -250)); }},
        {"segment", [&] { CPointD a = W(5, -5), b = W(600, -300); v.PreviewSegment(&a, &b); }},
        {"cross", [&] { v.PreviewPointerCross(W(200, -200)); }},
    };
    for (int kind = 0; kind <= 63; ++kind)
        for (int asArc = 0; asArc < 2; ++asArc)
            ops.push_back({"kind " + std::to_string(kind) + (asArc ? " as an arc" : ""), [&, kind, asArc] {
                               doc.m_previewKind = static_cast<std::int16_t>(kind);
                               doc.m_previewAsArc = asArc;
                               int end = 0;
                               v.ShowKindPreview(W(330, -140), 0, 0, end);
                           }});
    int changed = 0;
    for (const Op& op : ops) {
        op.show();
        changed += m_picture->m_picture != before;
        doc.RedrawPreviewsInViews();
        EXPECT_TRUE(m_picture->m_picture == before) << op.name;
        m_picture->m_picture = before;
    }
    EXPECT_GT(changed, 60);
}

}  // namespace
