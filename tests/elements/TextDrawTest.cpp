// Drawing texts on the recording device: the standard string call with its alignment, the
// per-character rows and columns with their Japanese typesetting rules, and the drag sketch.
#include "app/ZelkApp.h"
#include "elements/Text.h"
#include "elements/TypeFont.h"
#include "platform/gdi/RecordingDC.h"
#include "tests/geometry/IntersectionsTestHelpers.h"
#include "view/ZelkView.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793;

class TextDrawTest : public testing::Test {
protected:
    std::unique_ptr<CZelkApp> m_app;
    CZelkApp* m_previous = nullptr;
    CRecordingDC m_dc;
    CRectD m_clip;

    void SetUp() override
    {
        m_previous = g_pApp;
        m_app = std::make_unique<CZelkApp>();
        g_pApp = m_app.get();
        m_app->LoadSettings();
        m_app->m_appDraw.m_showTextUnderline = 0;
        m_clip.Init(-1000, 1000, 1000, -1000);
    }
    void TearDown() override { g_pApp = m_previous; }

    // A text on the x axis with its underline from the anchor along the string.
    static CText Make(const char* s, double x, double y, int alignment, double length)
    {
        CText t;
        t.m_text = s;
        t.m_point = Pt(x, y);
        t.m_alignment = alignment;
        SetUnderline(t, Pt(x, y), Pt(x + length, y));
        return t;
    }
    // A fixed-direction font: direction kind 1 row, 2 column.
    static CTypeFont Font(int direction, double spacing, int widthTenths, int heightTenths, int rtl = 0)
    {
        CTypeFont f;
        f.m_style2 = 2;
        f.m_style3 = static_cast<std::uint8_t>(direction);
        f.m_style4 = 0;
        f.m_style5 = 0;
        f.m_spacing = spacing;
        f.m_width = widthTenths;
        f.m_height = heightTenths;
        f.m_rightToLeft = rtl;
        f.m_angle = 0;
        return f;
    }
    std::vector<std::string> Calls(std::initializer_list<const char*> names) { return m_dc.CallsNamed(names); }
};

} // namespace

TEST_F(TextDrawTest, MiddleAnchorIsDrawnBottomAnchoredHalfAHeightDown)
{
    struct Case {
        int alignment;
        double angle;
        std::vector<std::string> want;
    } cases[] = {
        {0x20, 0, {"SetTextAlign(8)", "TextOut(100,45,\"AB\")"}},
        {0x20, kPi / 2, {"SetTextAlign(8)", "TextOut(105,50,\"AB\")"}},
        {0x26, 0, {"SetTextAlign(14)", "TextOut(100,45,\"AB\")"}},
        {14, 0, {"SetTextAlign(14)", "TextOut(100,50,\"AB\")"}},
        {2, 0, {"SetTextAlign(2)", "TextOut(100,50,\"AB\")"}},
    };
    for (const auto& c : cases) {
        m_dc.Clear();
        CText t = Make("AB", 100, 50, c.alignment, 10);
        t.Draw(&m_dc, Pt(0, 0), 1.0, m_clip, 1, RGB(1, 2, 3), c.angle, 10);
        EXPECT_EQ(Calls({"SetTextAlign", "TextOut"}), c.want) << c.alignment;
    }
    // The color is set and restored; draw flag 0 draws no string.
    m_dc.Clear();
    CText t = Make("AB", 100, 50, 8, 10);
    t.Draw(&m_dc, Pt(0, 0), 1.0, m_clip, 0, RGB(1, 2, 3), 0, 10);
    EXPECT_TRUE(Calls({"TextOut"}).empty());
    ASSERT_EQ(Calls({"SetTextColor"}).size(), 2u);
    EXPECT_EQ(Calls({"SetTextColor"})[0], "SetTextColor(RGB(1,2,3))");
}

TEST_F(TextDrawTest, NothingIsDrawnWhenTheUnderlineIsOutOfReach)
{
    CText t = Make("AB", 5000, 50, 8, 10);
    t.Draw(&m_dc, Pt(0, 0), 1.0, m_clip, 1, RGB(0, 0, 0), 0, 10);
    EXPECT_TRUE(m_dc.Calls().empty());
    // Within one underline length of the clip it still draws (a turned string may reach in).
    CText near = Make("AB", 1005, 50, 8, 10);
    near.Draw(&m_dc, Pt(0, 0), 1.0, m_clip, 1, RGB(0, 0, 0), 0, 10);
    EXPECT_EQ(Calls({"TextOut"}).size(), 1u);
}

TEST_F(TextDrawTest, UnderlineFollowsTheDisplaySetting)
{
    m_app->m_appDraw.m_showTextUnderline = 1;
    CText t = Make("AB", 10, 20, 8, 30);
    t.Draw(&m_dc, Pt(0, 0), 1.0, m_clip, 0, RGB(0, 0, 0), 0, 10);
    EXPECT_EQ(Calls({"MoveTo", "LineTo"}), (std::vector<std::string>{"MoveTo(10,20)", "LineTo(40,20)"}));
}

TEST_F(TextDrawTest, PrintingScalesThePlacementButNotTheMiddleOffset)
{
    CText t = Make("AB", 100, 50, 0x20, 10);
    RECT clip{-1000, 1000, 1000, -1000};
    t.Print(&m_dc, Pt(0, 0), 1.0, clip, RGB(0, 0, 0), 10, 20, 2.0, 0, 10);
    EXPECT_EQ(Calls({"TextOut"}), (std::vector<std::string>{"TextOut(180,55,\"AB\")"}));
}

TEST_F(TextDrawTest, RowsMeasureCellsAndSpacingAndCentreOnTheAnchor)
{
    // Three full-width characters, spacing 0.5, width 4 mm: L = (2 * 0.5 + 6) * 4 = 28 mm.
    CTypeFont font = Font(1, 0.5, 40, 40);
    CText t = Make("あいう", 100, 0, 14, 28);
    t.DrawLayout(&m_dc, Pt(0, 0), 1.0, m_clip, 1, RGB(0, 0, 0), 4, 4, &font);
    // Cell 4, spacing 2: a full-width character advances 2 cells and one spacing.
    EXPECT_EQ(Calls({"SetTextAlign", "TextOut"}),
              (std::vector<std::string>{"SetTextAlign(8)", "TextOut(86,0,\"あ\")", "TextOut(96,0,\"い\")",
                                        "TextOut(106,0,\"う\")"}));

    // A trailing half-width voiced mark takes no byte and no spacing of the extent, and in the
    // row it is pulled back by the spacing to sit right after its character.
    m_dc.Clear();
    CText k = Make("ｶﾞ", 100, 0, 10, 4);
    k.DrawLayout(&m_dc, Pt(0, 0), 1.0, m_clip, 1, RGB(0, 0, 0), 4, 4, &font);
    EXPECT_EQ(Calls({"TextOut"}), (std::vector<std::string>{"TextOut(96,0,\"ｶ\")", "TextOut(100,0,\"ﾞ\")"}));
}

TEST_F(TextDrawTest, RightToLeftRowsRightAlignEachCharacter)
{
    CTypeFont font = Font(1, 0.0, 40, 40, 1);
    CText t = Make("AB", 100, 0, 0, 8);
    t.DrawLayout(&m_dc, Pt(0, 0), 1.0, m_clip, 1, RGB(0, 0, 0), 4, 4, &font);
    EXPECT_EQ(Calls({"SetTextAlign", "TextOut"}),
              (std::vector<std::string>{"SetTextAlign(2)", "TextOut(100,0,\"A\")", "TextOut(96,0,\"B\")"}));
}

TEST_F(TextDrawTest, ColumnsPlaceVoicedMarksBesideTheirCharacter)
{
    // Column of height 10 mm, width 5 mm at angle 0 (the column runs along +x here); ratio 7 is
    // 0.85: a character advances 8 units; the side vector is one width across (+y).
    CTypeFont font = Font(2, 0.0, 50, 100);
    CText t = Make("ｶﾞX", 0, 0, 0, 20);
    t.DrawLayout(&m_dc, Pt(0, 0), 1.0, m_clip, 1, RGB(0, 0, 0), 10, 5, &font);
    auto out = Calls({"SetTextAlign", "TextOut"});
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[0], "SetTextAlign(6)");
    // Start: one width to the left of the string direction, back by (1 - 0.85) * 10 / 2.
    EXPECT_EQ(out[1], "TextOut(0,5,\"ｶ\")");
    EXPECT_EQ(out[2], "TextOut(0,10,\"ﾞ\")");
    EXPECT_EQ(out[3], "TextOut(8,5,\"X\")");
    // A negative spacing ratio runs the column against the string direction.
    m_dc.Clear();
    CTypeFont back = Font(2, -0.5, 50, 100);
    CText b = Make("AB", 0, 0, 0, 20);
    b.DrawLayout(&m_dc, Pt(0, 0), 1.0, m_clip, 1, RGB(0, 0, 0), 10, 5, &back);
    auto cols = Calls({"TextOut"});
    ASSERT_EQ(cols.size(), 2u);
    EXPECT_EQ(cols[1], "TextOut(-10,5,\"B\")");
}

TEST_F(TextDrawTest, FontsWithoutAFixedDirectionDrawNothingThroughTheLayout)
{
    CTypeFont standard = Font(1, 0, 40, 40);
    standard.m_style2 = 1;
    CTypeFont excluded = Font(1, 0, 40, 40);
    excluded.m_style4 = 4;
    CText t = Make("AB", 0, 0, 0, 8);
    t.DrawLayout(&m_dc, Pt(0, 0), 1.0, m_clip, 1, RGB(0, 0, 0), 4, 4, &standard);
    t.DrawLayout(&m_dc, Pt(0, 0), 1.0, m_clip, 1, RGB(0, 0, 0), 4, 4, &excluded);
    EXPECT_TRUE(m_dc.Calls().empty());
}

TEST_F(TextDrawTest, MeasuresAgreeWithTheLoops)
{
    CText row = Make("AｶﾞB", 0, 0, 0, 0);
    POINT end;
    row.MeasureRowChars(POINT{0, 0}, POINT{4, 0}, POINT{1, 0}, 0, end);
    // A, (ｶ), mark takes no room, B: three cells and two spacings.
    EXPECT_EQ(end.x, 14);
    CText col = Make("ｶﾞX", 0, 0, 0, 0);
    col.MeasureColumnChars(POINT{0, 0}, POINT{8, 0}, POINT{1, 0}, end);
    EXPECT_EQ(end.x, 17);
}

TEST_F(TextDrawTest, DragSketchListsTheUnderlineInTheStringsDirection)
{
    CZelkView view;
    view.m_origin.Init(0, 0);
    view.m_zoom = 2.0;
    CText t = Make("AB", 0, 0, 8, 10);
    t.m_swapped = 1;  // stored ends reversed: the string runs from (10,0) to (0,0)
    std::unique_ptr<CSketchSegment> s(t.MakeDragSketch(&view, Pt(0, 0), 90, 1.0, 1));
    EXPECT_EQ(s->x1, 0);
    EXPECT_EQ(s->y1, 20);
    EXPECT_EQ(s->x2, 0);
    EXPECT_EQ(s->y2, 0);
    std::unique_ptr<CSketchSegment> scaled(t.MakeDragSketch(&view, Pt(0, 0), 0, 3.0, 0));
    EXPECT_EQ(scaled->x1, 60);
    EXPECT_EQ(scaled->x2, 0);
}
