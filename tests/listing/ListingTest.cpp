// Element listings and point measurements as the input box's list 8 shows them, read from the
// top: each element kind's own lines, the distance lines from the previous reference, the
// common lines, the list's deduplication and length limit, and the text-window delivery.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/DataString.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/Text.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"
#include "geometry/Numeric.h"
#include "input/HistoryList.h"
#include "input/InputBar.h"
#include "macro/TextDoc.h"

namespace {

using Lines = std::vector<std::string>;

CPointD Pt(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

template <class Block>
auto* Last(Block* block)
{
    return &block->m_slots[block->m_count - 1];
}

// The lines of the list from the top, as the drop-down shows them.
Lines Texts(const CHistoryList& list)
{
    Lines out;
    for (int i = 0; i < list.m_texts.GetSize(); ++i)
        out.push_back(list.m_texts[i].Std());
    return out;
}

std::vector<int> Codes(const CHistoryList& list)
{
    std::vector<int> out;
    for (int i = 0; i < list.m_codes.GetSize(); ++i)
        out.push_back(list.m_codes[i]);
    return out;
}

// The lines under the listed element's own block: the distance lines, read from the top.
Lines Bottom(const CHistoryList& list, size_t n)
{
    Lines all = Texts(list);
    return n >= all.size() ? all : Lines(all.end() - static_cast<long>(n), all.end());
}

int Count(const Lines& lines, const std::string& text)
{
    int n = 0;
    for (const auto& l : lines)
        n += l == text ? 1 : 0;
    return n;
}

const Lines kBlackPenLines = {"0.1 ･･･ 線幅", "Solid ･･･ 線種", "70 ･･･ ぼかしの減衰率",
                              "0 ･･･ ぼかしの回数", "RGB( 0, 0, 0) ･･･ 色", "0000 ･･･ レイヤ"};

}  // namespace

class Listing : public testing::Test {
protected:
    void SetUp() override
    {
        m_app = std::make_unique<CZelkApp>();
        g_pApp = m_app.get();
        m_app->m_historyLength = 30;   // the setting's default
        m_doc = NewDrawing();
        m_pen = m_doc->FindOrAddPen(0, 1, RGB(0, 0, 0), 0, 70);
    }
    void TearDown() override
    {
        m_other.reset();
        m_doc.reset();
        g_pApp = nullptr;
        m_app.reset();
    }
    static std::unique_ptr<CZelkDoc> NewDrawing()
    {
        auto doc = std::make_unique<CZelkDoc>();
        doc->m_bAutoDelete = FALSE;
        return doc;
    }
    CTypePen* Pen() { return m_doc->GetPen(m_pen); }
    // Makes the element the previous reference, as referencing it does.
    void Refer(std::int16_t kind, CZelkDoc* doc, int block, int slot)
    {
        m_list.m_prevElem.Init(kind, static_cast<std::int16_t>(block), static_cast<std::int16_t>(slot), 1, 0);
        m_list.m_prevDoc = doc;
    }
    // Makes the last element of the block the previous reference.
    template <class Block>
    void ReferLast(std::int16_t kind, CZelkDoc* doc, const CObArray& blocks, Block* block)
    {
        int index = 0;
        while (index < blocks.GetSize() && blocks[index] != block)
            ++index;
        Refer(kind, doc, index, block->m_count - 1);
    }
    void ReferLine(CPointD a, CPointD b)
    {
        ReferLast(ELEM_LINE, m_doc.get(), m_doc->m_lineBlocks, m_doc->AddLine(a, b, 0, m_pen));
    }
    void ReferPoint(CPointD p)
    {
        m_list.m_prevElem.Init(0, -1, 0, 1, 0);
        m_list.m_prevPoint = p;
    }
    void ListCircle(CPointD c, double r)
    {
        m_list.ListCircleInformation(m_doc.get(), Pen(), Last(m_doc->AddCircle(c, r, 0, m_pen)));
    }
    // Lists a segment stored with these ends (the drawing orders the ends of the lines it adds).
    void ListLine(CPointD a, CPointD b, std::int16_t pen)
    {
        CLine* line = Last(m_doc->AddLine(a, b, 0, pen));
        line->m_start = a;
        line->m_end = b;
        m_list.ListLineInformation(m_doc.get(), m_doc->GetPen(pen), line);
    }
    static std::int16_t AnyFont(CZelkDoc* doc) { return doc->FindOrAddFont(LOGFONT{}, 20, 35, 1, 0); }
    CDataPoint* NewPoint(CPointD p) { return Last(m_doc->AddPoint(p, 0, m_pen)); }

    std::unique_ptr<CZelkApp> m_app;
    std::unique_ptr<CZelkDoc> m_doc;
    std::unique_ptr<CZelkDoc> m_other;
    std::int16_t m_pen = 0;
    CHistoryList m_list;
};

TEST_F(Listing, CircleAfterStartListsEveryLineWithItsCode)
{
    ListCircle(Pt(0, 0), 5);
    Lines expected = kBlackPenLines;
    expected.insert(expected.end(), {"10L ･･･ 直径", "5L ･･･ 半径", "( 0, 0) ･･･ 中心点",
                                     "31.416L ･･･ 周長", "前点と中心の距離 ･･･", "0X 0Y 0L",
                                     "-5L ･･･ 前点と円周の距離"});
    EXPECT_EQ(Texts(m_list), expected);
    EXPECT_EQ(Codes(m_list), (std::vector<int>{7, 6, 9, 8, 11, 10, 22, 5, 1, 4, 100, 4, 4}));
    EXPECT_EQ(m_list.m_currentText.Std(), "0.1 ･･･ 線幅");
}

TEST_F(Listing, CircleMeasuresFollowTheScaleAndTheRoundedRadius)
{
    struct Case {
        double scale, radius;
        const char *circumference, *radiusLine, *diameter;
    };
    const Case cases[] = {
        {2, 5, "15.708L ･･･ 周長", "2.5L ･･･ 半径", "5L ･･･ 直径"},
        {1, 1.0004, "6.286L ･･･ 周長", "1L ･･･ 半径", "2L ･･･ 直径"},
        // A damaged scale of 0 lists at full size instead of printing inf.
        {0, 5, "31.416L ･･･ 周長", "5L ･･･ 半径", "10L ･･･ 直径"},
    };
    for (const Case& c : cases) {
        m_doc->m_ratio = c.scale;
        ListCircle(Pt(0, 0), c.radius);
        const Lines t = Texts(m_list);
        EXPECT_EQ(t[6], c.diameter) << c.scale << " " << c.radius;
        EXPECT_EQ(t[7], c.radiusLine) << c.scale << " " << c.radius;
        EXPECT_EQ(t[9], c.circumference) << c.scale << " " << c.radius;
    }
}

TEST_F(Listing, CircleGapLinesOnlyWhenTheFiguresDoNotOverlap)
{
    // The previous elements lie in another open drawing.
    m_other = NewDrawing();
    CZelkDoc* other = m_other.get();
    const std::int16_t pen = other->FindOrAddPen(0, 1, 0, 0, 70);
    struct Case {
        const char* name;
        std::function<void()> refer;
        Lines bottom;
    };
    const Case cases[] = {
        {"circle outside",
         [&] { ReferLast(ELEM_CIRCLE, other, other->m_circleBlocks, other->AddCircle(Pt(30, 0), 5, 0, pen)); },
         {"前円中心と中心の距離 ･･･", "-30X 0Y 30L", "20L ･･･ 前円円周と円周の距離"}},
        {"circle overlapping",
         [&] { ReferLast(ELEM_CIRCLE, other, other->m_circleBlocks, other->AddCircle(Pt(3, 0), 5, 0, pen)); },
         {"前円中心と中心の距離 ･･･", "-3X 0Y 3L"}},
        {"arc touching",
         [&] { ReferLast(ELEM_ARC, other, other->m_arcBlocks, other->AddArc(Pt(0, 15), 10, Pt(0, 90), 0, pen)); },
         {"前円弧中心と中心の距離 ･･･", "0X -15Y 15L", "0L ･･･ 前円弧円周と円周の距離"}},
        {"line through the centre",
         [&] { ReferLast(ELEM_LINE, other, other->m_lineBlocks, other->AddLine(Pt(-5, 0), Pt(5, 0), 0, pen)); },
         {"前線分始点と中心の距離 ･･･", "5X 0Y 5L", "前線分終点と中心の距離 ･･･", "-5X 0Y 5L",
          "0L ･･･ 前線分と中心の距離"}},
        {"line clear of the circle",
         [&] { ReferLast(ELEM_LINE, other, other->m_lineBlocks, other->AddLine(Pt(10, -5), Pt(10, 5), 0, pen)); },
         {"前線分始点と中心の距離 ･･･", "-10X 5Y 11.18L", "前線分終点と中心の距離 ･･･", "-10X -5Y 11.18L",
          "10L ･･･ 前線分と中心の距離", "5L ･･･ 前線分と円周の距離"}},
        {"text inside",
         [&] { ReferLast(ELEM_TEXT, other, other->m_textBlocks, other->AddText(Pt(3, 4), "t", 0, 8, 0, AnyFont(other))); },
         {"前文字列配置点と中心の距離 ･･･", "-3X -4Y 5L", "0L ･･･ 前文字列配置点と円周の距離"}},
        {"ellipse", [&] { ReferLast(ELEM_CONIC, other, other->m_conicBlocks,
                                    other->AddConic(Pt(3, 4), 5, 0.5, Pt(0, 360), 0, 0, pen)); },
         {}},
    };
    for (const Case& c : cases) {
        c.refer();
        ListCircle(Pt(0, 0), 5);
        EXPECT_EQ(Bottom(m_list, c.bottom.size() + 1)[0], "31.416L ･･･ 周長") << c.name;
        EXPECT_EQ(Bottom(m_list, c.bottom.size()), c.bottom) << c.name;
    }
}

TEST_F(Listing, PointOffsetsAreDifferencesOfRelativeCoordinates)
{
    struct Case {
        double angle;
        CPointD origin;
        Lines all;
    };
    const Case cases[] = {
        {0, Pt(0, 0),
         {"RGB( 0, 0, 0) ･･･ 色", "0000 ･･･ レイヤ", "( 10, 5) ･･･ 点", "前点との距離 ･･･", "10X 5Y 11.18L"}},
        {90, Pt(0, 0),
         {"RGB( 0, 0, 0) ･･･ 色", "0000 ･･･ レイヤ", "( 5, -10) ･･･ 点", "前点との距離 ･･･", "5X -10Y 11.18L"}},
        {90, Pt(100, 100),
         {"RGB( 0, 0, 0) ･･･ 色", "0000 ･･･ レイヤ", "( -95, 90) ･･･ 点", "前点との距離 ･･･", "5X -10Y 11.18L"}},
    };
    for (const Case& c : cases) {
        m_doc->m_relAngle = c.angle;
        m_doc->m_relOrigin = c.origin;
        m_list.ListPointInformation(m_doc.get(), Pen(), NewPoint(Pt(10, 5)));
        EXPECT_EQ(Texts(m_list), c.all) << c.angle;
        EXPECT_EQ(Codes(m_list), (std::vector<int>{11, 10, 1, 100, 4}));
    }
}

TEST_F(Listing, PointDistancesFromEachKindOfPreviousElement)
{
    struct Case {
        const char* name;
        std::int16_t kind;
        Lines bottom;
    };
    m_doc->AddPoint(Pt(3, 4), 0, m_pen);
    m_doc->AddLine(Pt(0, 0), Pt(10, 0), 0, m_pen);
    m_doc->AddCircle(Pt(0, 0), 10, 0, m_pen);
    m_doc->AddArc(Pt(0, 0), 10, Pt(180, 270), 0, m_pen);
    m_doc->AddText(Pt(1, 1), "abc", 0, 8, 0, AnyFont(m_doc.get()));
    const Case cases[] = {
        {"point element", ELEM_POINT, {"前点との距離 ･･･", "0X 0Y 0L  "}},
        {"line", ELEM_LINE,
         {"前線分始点との距離 ･･･", "3X 4Y 5L", "前線分終点との距離 ･･･", "-7X 4Y 8.062L", "4L ･･･ 前線分との距離"}},
        {"circle", ELEM_CIRCLE, {"前円中心との距離 ･･･", "3X 4Y 5L", "前円円周との距離 ･･･", "-5L"}},
        {"arc", ELEM_ARC, {"前円弧中心との距離 ･･･", "3X 4Y 5L", "前円弧円周との距離 ･･･", "-5L"}},
        {"text", ELEM_TEXT, {"前文字列配置点との距離 ･･･", "2X 3Y 3.606L"}},
    };
    for (const Case& c : cases) {
        Refer(c.kind, m_doc.get(), 0, 0);
        m_list.ListPointInformation(m_doc.get(), Pen(), NewPoint(Pt(3, 4)));
        EXPECT_EQ(Bottom(m_list, c.bottom.size() + 1)[0], "( 3, 4) ･･･ 点") << c.name;
        EXPECT_EQ(Bottom(m_list, c.bottom.size()), c.bottom) << c.name;
    }
}

TEST_F(Listing, LineAnglesLengthsAndPens)
{
    struct Case {
        double relAngle;
        CPointD a, b;
        const char *angle, *length, *end;
    };
    const double ex = 10 * std::cos(170 * PI / 180), ey = -10 * std::sin(170 * PI / 180);
    const Case cases[] = {
        {0, Pt(0, 0), Pt(0, 10), "90D ･･･ 角度", "10L ･･･ 長さ", "( 0, 10) ･･･ 終点"},
        {0, Pt(0, 0), Pt(-10, 0), "180D ･･･ 角度", "10L ･･･ 長さ", "( -10, 0) ･･･ 終点"},
        {0, Pt(0, 0), Pt(0, -10), "-90D ･･･ 角度", "10L ･･･ 長さ", "( 0, -10) ･･･ 終点"},
        {90, Pt(0, 0), Pt(0, 10), "0D ･･･ 角度", "10L ･･･ 長さ", "( 10, 0) ･･･ 終点"},
        // No folding after the relative angle is taken off.
        {90, Pt(0, 0), Pt(ex, ey), "-260D ･･･ 角度", "10L ･･･ 長さ", "( -1.736, 9.848) ･･･ 終点"},
    };
    for (const Case& c : cases) {
        m_doc->m_relAngle = c.relAngle;
        ListLine(c.a, c.b, m_pen);
        const Lines t = Texts(m_list);
        EXPECT_EQ(Lines(t.begin(), t.begin() + 10),
                  (Lines{"0.1 ･･･ 線幅", "Solid ･･･ 線種", "70 ･･･ ぼかしの減衰率", "0 ･･･ ぼかしの回数",
                         "RGB( 0, 0, 0) ･･･ 色", "0000 ･･･ レイヤ", c.length, c.angle, "( 0, 0) ･･･ 始点", c.end}))
            << c.angle;
    }
    m_doc->m_relAngle = 0;
    ListLine(Pt(0, 0), Pt(0, 10), m_doc->FindOrAddPen(3, 5, RGB(255, 0, 0), 2, 50));
    const Lines t = Texts(m_list);
    EXPECT_EQ(Lines(t.begin(), t.begin() + 5),
              (Lines{"0.5 ･･･ 線幅", "DashDot ･･･ 線種", "50 ･･･ ぼかしの減衰率", "2 ･･･ ぼかしの回数",
                     "RGB( 255, 0, 0) ･･･ 色"}));
    ListLine(Pt(0, 0), Pt(0, 10), m_doc->FindOrAddPen(7, 3, 0, 0, 70));
    EXPECT_EQ(Texts(m_list)[0], "0.3 ･･･ 線幅");
    EXPECT_EQ(Texts(m_list)[1], " ･･･ 線種");
}

TEST_F(Listing, LineAfterTheSameSegmentKeepsOnlyTheLaterEqualOffset)
{
    ReferLine(Pt(0, 0), Pt(0, 10));
    ListLine(Pt(0, 0), Pt(0, 10), m_pen);
    const Lines t = Texts(m_list);
    EXPECT_EQ(Count(t, "0X 0Y 0L"), 1);
    EXPECT_EQ(Bottom(m_list, 10),
              (Lines{"( 0, 10) ･･･ 終点", "前線始点と始点の距離 ･･･", "0X 0Y 0L", "前線終点と始点の距離 ･･･",
                     "0X -10Y 10L", "前線始点と終点の距離 ･･･", "0X 10Y 10L", "前線終点と終点の距離 ･･･",
                     "0L ･･･ 前線分と始点の距離", "0L ･･･ 前線分と終点の距離"}));
    EXPECT_EQ(m_list.m_texts.GetSize(), m_list.m_codes.GetSize());
}

TEST_F(Listing, ArcAnglesAreNotFoldedAndItsDiameterIsRoundedAfterDoubling)
{
    CArc* arc = Last(m_doc->AddArc(Pt(0, 0), 1.0004, Pt(350, 450), 0, m_pen));
    m_list.ListArcInformation(m_doc.get(), Pen(), arc);
    Lines expected = kBlackPenLines;
    expected.insert(expected.end(),
                    {"2.001L ･･･ 直径", "1L ･･･ 半径", "( 0, 0) ･･･ 中心点", "350D ･･･ 始角", "450D ･･･ 終角",
                     "1.746L ･･･ 円弧長", "( 0.985, -0.174) ･･･ 始点", "( 0, 1) ･･･ 終点", "前点と中心の距離 ･･･",
                     "0X 0Y 0L", "-1L ･･･ 前点と円周の距離"});
    EXPECT_EQ(Texts(m_list), expected);
    EXPECT_EQ(Codes(m_list), (std::vector<int>{7, 6, 9, 8, 11, 10, 22, 5, 1, 3, 3, 4, 1, 1, 100, 4, 4}));

    // A relative angle is taken off without folding; a scale halves the lengths only.
    m_doc->m_relAngle = 30;
    m_doc->m_ratio = 2;
    arc = Last(m_doc->AddArc(Pt(0, 0), 10, Pt(10, 400), 0, m_pen));
    m_list.ListArcInformation(m_doc.get(), Pen(), arc);
    const Lines t = Texts(m_list);
    EXPECT_EQ(Lines(t.begin() + 6, t.begin() + 12),
              (Lines{"10L ･･･ 直径", "5L ･･･ 半径", "( 0, 0) ･･･ 中心点", "-20D ･･･ 始角", "370D ･･･ 終角",
                     "34.034L ･･･ 円弧長"}));
}

TEST_F(Listing, EllipseListsTheLargerAxisAsTheMajorOne)
{
    struct Case {
        double ratio, relAngle;
        Lines own;
    };
    const Case cases[] = {
        {2, 0, {"40L ･･･ 長径", "20L ･･･ 短径", "( 10, 0) ･･･ 中心点", "0D ･･･ 元円(弧)始角",
                "360D ･･･ 元円(弧)終角", "45D ･･･ 傾斜", "2R ･･･ 比率"}},
        // The minor axis comes from the ratio as printed.
        {0.33333333, 0, {"20L ･･･ 長径", "6.66L ･･･ 短径", "( 10, 0) ･･･ 中心点", "0D ･･･ 元円(弧)始角",
                         "360D ･･･ 元円(弧)終角", "45D ･･･ 傾斜", "0.333R ･･･ 比率"}},
        // The centre turns with the relative system; the tilt is listed as stored.
        {1, 90, {"20L ･･･ 長径", "20L ･･･ 短径", "( 0, -10) ･･･ 中心点", "0D ･･･ 元円(弧)始角",
                 "360D ･･･ 元円(弧)終角", "45D ･･･ 傾斜", "1R ･･･ 比率"}},
    };
    for (const Case& c : cases) {
        m_doc->m_relAngle = c.relAngle;
        CConic* conic = Last(m_doc->AddConic(Pt(10, 0), 10, 0.5, Pt(0, 360), 45, 0, m_pen));
        conic->m_ratio = c.ratio;
        m_list.ListConicInformation(m_doc.get(), Pen(), conic);
        const Lines t = Texts(m_list);
        ASSERT_EQ(t.size(), 15u) << c.ratio;
        EXPECT_EQ(Lines(t.begin(), t.begin() + 6), kBlackPenLines);
        EXPECT_EQ(Lines(t.begin() + 6, t.begin() + 13), c.own) << c.ratio;
        EXPECT_EQ(t[13], "前点と中心の距離 ･･･");
        EXPECT_EQ(Codes(m_list), (std::vector<int>{7, 6, 9, 8, 11, 10, 22, 5, 1, 3, 3, 3, 100, 100, 4}));
    }
}

TEST_F(Listing, TextFormAnchorAndFontLines)
{
    struct Case {
        const char* name;
        int form, direction, escapement, alignment;
        CPointD underlineEnd;
        Lines middle;   // from the anchor line down to the angle line
        std::vector<int> codes;
    };
    const CPointD at30 = Pt(10 + 10 * std::cos(PI / 6), 10 * std::sin(PI / 6));
    const Case cases[] = {
        {"standard", 1, 3, -150, 14, Pt(20, 0),
         {"中下 ･･･ 配置基準", "標準文字列", "10L ･･･ 長さ", "0D ･･･ 角度"}, {24, 15, 4, 3}},
        {"horizontal", 2, 1, 0, 8, Pt(20, 0),
         {"左下 ･･･ 配置基準", "0.5 ･･･ 文字間隔比：横書き文字列", "10L ･･･ 長さ", "0D ･･･ 角度"}, {24, 16, 4, 3}},
        {"vertical", 2, 2, 0, 2, Pt(20, 0),
         {"右上 ･･･ 配置基準", "0.5 ･･･ 文字間隔比：縦書き文字列", "10L ･･･ 長さ", "0D ･･･ 角度"}, {24, 17, 4, 3}},
        {"slanted", 2, 3, -150, 38, Pt(20, 0),
         {"中中 ･･･ 配置基準", "15 ･･･ 文字傾斜：傾斜文字列", "0.5 ･･･ 文字間隔比", "10L ･･･ 長さ", "0D ･･･ 角度"},
         {24, 19, 18, 4, 3}},
        {"slanted the other way", 2, 3, 155, 38, Pt(20, 0),
         {"中中 ･･･ 配置基準", "-15 ･･･ 文字傾斜：傾斜文字列", "0.5 ･･･ 文字間隔比", "10L ･･･ 長さ", "0D ･･･ 角度"},
         {24, 19, 18, 4, 3}},
        {"along the string line", 2, 4, -150, 38, at30,
         {"中中 ･･･ 配置基準", "-15 ･･･ 文字傾斜：文字列ライン基準", "0.5 ･･･ 文字間隔比", "10L ･･･ 長さ",
          "30D ･･･ 角度"},
         {24, 21, 20, 4, 3}},
        {"no anchor, no form", 3, 1, 0, 99, Pt(0, 0),
         {" ･･･ 配置基準", "10L ･･･ 長さ", "180D ･･･ 角度"}, {24, 4, 3}},
    };
    for (const Case& c : cases) {
        CTypeFont font;
        font.m_style2 = static_cast<std::uint8_t>(c.form);
        font.m_style3 = static_cast<std::uint8_t>(c.direction);
        font.m_logFont.lfEscapement = c.escapement;
        font.m_spacing = 0.5;
        font.m_height = 35;
        font.m_width = 40;
        std::strcpy(font.m_logFont.lfFaceName, "ＭＳ ゴシック");
        CText* text = Last(m_doc->AddText(Pt(10, 0), "abc", RGB(0, 0, 255), c.alignment, 0, AnyFont(m_doc.get())));
        text->m_underlineStart = Pt(10, 0);
        text->m_underlineEnd = c.underlineEnd;
        m_list.ListTextInformation(m_doc.get(), &font, text);
        const Lines t = Texts(m_list);
        ASSERT_EQ(t.size(), c.middle.size() + 9) << c.name;
        EXPECT_EQ(Lines(t.begin(), t.begin() + 4),
                  (Lines{"RGB( 0, 0, 255) ･･･ 色", "0000 ･･･ レイヤ", "ＭＳ ゴシック ･･･ フォント名",
                         "3.5H, 4W  ･･･ フォントサイズ"}))
            << c.name;
        EXPECT_EQ(Lines(t.begin() + 4, t.begin() + 4 + static_cast<long>(c.middle.size())), c.middle) << c.name;
        EXPECT_EQ(Bottom(m_list, 2), (Lines{"前点と配置点の距離 ･･･", "10X 0Y 10L"})) << c.name;
        std::vector<int> codes = {11, 10, 13, 13};
        codes.insert(codes.end(), c.codes.begin(), c.codes.end());
        codes.insert(codes.end(), {1, 1, 1, 100, 4});
        EXPECT_EQ(Codes(m_list), codes) << c.name;
    }
}

TEST_F(Listing, CurveListsOnlyItsLayerColourAndPen)
{
    ReferLine(Pt(0, 0), Pt(10, 0));
    m_list.ListCurveInformation(m_doc.get(), Pen(), Last(m_doc->AddCurve(1, {Pt(0, 0), Pt(5, 5), Pt(10, 0)}, 0, m_pen)));
    EXPECT_EQ(Texts(m_list), kBlackPenLines);
    EXPECT_EQ(Codes(m_list), (std::vector<int>{7, 6, 9, 8, 11, 10}));
}

TEST_F(Listing, MeasurementOrdersEachPreviousReferenceItsOwnWay)
{
    struct Case {
        const char* name;
        std::function<void()> refer;
        CPointD point;
        Lines all;
    };
    const std::int16_t pen = m_pen;
    CZelkDoc* doc = m_doc.get();
    const Case cases[] = {
        {"start", [&] { ReferPoint(Pt(0, 0)); }, Pt(3, 4), {"( 3, 4) ･･･ 点", "前点との距離 ･･･", "3X 4Y 5L"}},
        {"same place", [&] { ReferPoint(Pt(3, 4)); }, Pt(3, 4), {"( 3, 4) ･･･ 点", "前点との距離 ･･･", "0X 0Y 0L"}},
        {"rounds to zero", [&] { ReferPoint(Pt(0, 0)); }, Pt(0, -0.0001),
         {"( 0, 0) ･･･ 点", "前点との距離 ･･･", "0X 0Y 0L"}},
        {"point element", [&] { ReferLast(ELEM_POINT, doc, doc->m_pointBlocks, doc->AddPoint(Pt(1, 1), 0, pen)); },
         Pt(3, 4), {"( 3, 4) ･･･ 点", "前点との距離 ･･･", "2X 3Y 3.606L"}},
        {"line", [&] { ReferLine(Pt(0, 0), Pt(10, 0)); }, Pt(3, 4),
         {"( 3, 4) ･･･ 点", "3X 4Y 5L", "前線分始点との距離 ･･･", "-7X 4Y 8.062L", "前線分終点との距離 ･･･",
          "4L ･･･ 前線分との距離"}},
        // A deleted element keeps its geometry in its block.
        {"deleted line",
         [&] {
             ReferLine(Pt(0, 0), Pt(10, 0));
             doc->GetLineElem(m_list.m_prevElem.m_block, m_list.m_prevElem.m_slot)->m_state |= STATE_DELETED;
         },
         Pt(3, 4),
         {"( 3, 4) ･･･ 点", "3X 4Y 5L", "前線分始点との距離 ･･･", "-7X 4Y 8.062L", "前線分終点との距離 ･･･",
          "4L ･･･ 前線分との距離"}},
        {"circle", [&] { ReferLast(ELEM_CIRCLE, doc, doc->m_circleBlocks, doc->AddCircle(Pt(0, 0), 10, 0, pen)); },
         Pt(3, 4), {"( 3, 4) ･･･ 点", "3X 4Y 5L", "前円中心との距離 ･･･", "-5L ･･･ 前円円周との距離"}},
        {"arc", [&] { ReferLast(ELEM_ARC, doc, doc->m_arcBlocks, doc->AddArc(Pt(0, 0), 1, Pt(0, 90), 0, pen)); },
         Pt(3, 4), {"( 3, 4) ･･･ 点", "3X 4Y 5L", "前円弧中心との距離 ･･･", "4L ･･･ 前円弧円周との距離"}},
        {"text", [&] { ReferLast(ELEM_TEXT, doc, doc->m_textBlocks, doc->AddText(Pt(1, 1), "t", 0, 8, 0, AnyFont(doc))); },
         Pt(3, 4), {"( 3, 4) ･･･ 点", "2X 3Y 3.606L", "前文字列配置点との距離 ･･･"}},
        {"ellipse", [&] { ReferLast(ELEM_CONIC, doc, doc->m_conicBlocks,
                                    doc->AddConic(Pt(0, 0), 5, 0.5, Pt(0, 360), 0, 0, pen)); },
         Pt(3, 4), {"( 3, 4) ･･･ 点"}},
        {"curve", [&] { ReferLast(ELEM_CURVE, doc, doc->m_curveBlocks,
                                  doc->AddCurve(1, {Pt(0, 0), Pt(1, 1)}, 0, pen)); },
         Pt(3, 4), {"( 3, 4) ･･･ 点"}},
    };
    for (const Case& c : cases) {
        c.refer();
        CPointD p = c.point;
        m_list.ListPointMeasurement(m_doc.get(), &p);
        EXPECT_EQ(Texts(m_list), c.all) << c.name;
    }
    // A scale of 0.5 doubles the coordinates and every distance.
    ReferPoint(Pt(0, 0));
    m_doc->m_ratio = 0.5;
    CPointD p = Pt(3, 4);
    m_list.ListPointMeasurement(m_doc.get(), &p);
    EXPECT_EQ(Texts(m_list), (Lines{"( 6, 8) ･･･ 点", "前点との距離 ･･･", "6X 8Y 10L"}));
    EXPECT_EQ(Codes(m_list), (std::vector<int>{1, 100, 4}));
}

TEST_F(Listing, AttributeAndGroupLines)
{
    const char* strings[] = {"ABC", "XYZ", "DEL"};
    for (const char* text : strings)
        m_doc->m_attrStrings.Add(new CDataString(text));
    m_doc->GetString(2)->m_state |= STATE_DELETED;
    struct GroupSpec {
        std::int16_t kind, parent;
        std::vector<WORD> strings;
    };
    // 0 <- 1 <- 2 <- 5 is a chain; 3 and 4 are each other's parents, as a damaged file may have.
    const GroupSpec groups[] = {{0, -1, {1}}, {2, 0, {0}}, {9, 1, {}}, {0, 4, {}}, {5, 3, {}}, {0, 2, {}}};
    for (const GroupSpec& g : groups) {
        auto* group = new CGroup;
        group->m_kind = g.kind;
        group->m_parent = g.parent;
        for (WORD i : g.strings)
            group->m_attrStrings.Add(i);
        m_doc->m_groups.Add(group);
    }
    struct Case {
        std::int16_t group;
        Lines lines;   // between the point line and the element's own attribute line
    };
    const Lines chain = {"上位グループ No.0", "  XYZ ･･･ 属性文字", "標準寸法線グループ No.1", "  ABC ･･･ 属性文字"};
    auto withChain = [&](Lines below) {
        Lines l = chain;
        l.insert(l.end(), below.begin(), below.end());
        return l;
    };
    const Case cases[] = {
        {1, chain},
        {2, withChain({"複合文字列寸法値グループ No.2"})},
        {5, withChain({"上位複合文字列寸法値グループ No.2", "グループ No.5"})},
        {3, {"半径寸法線グループ No.4", "グループ No.3"}},
        {50, {}},
        {-1, {}},
    };
    for (const Case& c : cases) {
        CDataPoint* point = NewPoint(Pt(0, 0));
        point->m_group = c.group;
        // Index 99 lies past the table; 2 is deleted.
        for (WORD i : {0, 2, 99})
            point->m_attrStrings.Add(i);
        m_list.ListPointInformation(m_doc.get(), Pen(), point);
        const Lines t = Texts(m_list);
        ASSERT_EQ(t.size(), c.lines.size() + 6) << c.group;
        EXPECT_EQ(t[2], "( 0, 0) ･･･ 点");
        EXPECT_EQ(Lines(t.begin() + 3, t.end() - 3), c.lines) << c.group;
        EXPECT_EQ(Bottom(m_list, 3), (Lines{"ABC ･･･ 属性文字", "前点との距離 ･･･", "0X 0Y 0L"})) << c.group;
    }
}

TEST_F(Listing, TheListKeepsTheInputListMaximumAndDropsTheDistanceLinesFirst)
{
    CDataPoint* point = NewPoint(Pt(3, 4));
    for (int i = 0; i < 30; ++i) {
        CString text;
        text.Format("S%d", i);
        m_doc->m_attrStrings.Add(new CDataString(text));
        point->m_attrStrings.Add(static_cast<WORD>(i));
    }
    m_list.ListPointInformation(m_doc.get(), Pen(), point);
    Lines t = Texts(m_list);
    ASSERT_EQ(t.size(), 30u);
    EXPECT_EQ(m_list.m_codes.GetSize(), 30);
    EXPECT_EQ(t[3], "S0 ･･･ 属性文字");
    EXPECT_EQ(t[29], "S26 ･･･ 属性文字");
    EXPECT_EQ(Count(t, "前点との距離 ･･･"), 0);

    m_app->m_historyLength = 2;
    m_list.ListPointInformation(m_doc.get(), Pen(), point);
    EXPECT_EQ(Texts(m_list), (Lines{"RGB( 0, 0, 0) ･･･ 色", "0000 ･･･ レイヤ"}));
}

TEST_F(Listing, APreviousReferenceThatCannotBeReadGivesNoDistanceLines)
{
    // The input bar's list 8 forgets a drawing that is freed.
    m_app->m_inputBar = new CInputBar;
    CHistoryList& list8 = m_app->m_inputBar->GetList(8);
    m_other = NewDrawing();
    CLines* block = m_other->AddLine(Pt(0, 0), Pt(10, 0), 0, m_other->FindOrAddPen(0, 1, 0, 0, 70));
    list8.m_prevElem.Init(ELEM_LINE, 0, static_cast<std::int16_t>(block->m_count - 1), 1, 0);
    list8.m_prevDoc = m_other.get();
    CCircle* circle = Last(m_doc->AddCircle(Pt(0, 5), 1, 0, m_pen));
    list8.ListCircleInformation(m_doc.get(), Pen(), circle);
    EXPECT_EQ(Texts(list8).back(), "4L ･･･ 前線分と円周の距離");
    m_other.reset();
    EXPECT_EQ(list8.m_prevDoc, nullptr);
    list8.ListCircleInformation(m_doc.get(), Pen(), circle);
    EXPECT_EQ(Texts(list8).back(), "6.283L ･･･ 周長");
    delete m_app->m_inputBar;
    m_app->m_inputBar = nullptr;

    // Blocks and slots out of range, and kinds without distance lines.
    struct Case {
        std::int16_t kind, block, slot;
    };
    m_doc->AddLine(Pt(0, 0), Pt(10, 0), 0, m_pen);
    const Case cases[] = {
        {ELEM_LINE, 7, 0}, {ELEM_LINE, 0, 99}, {ELEM_CIRCLE, -5, 0}, {ELEM_CIRCLE, 0, 1}, {ELEM_GROUP, 0, 0},
    };
    for (const Case& c : cases) {
        Refer(c.kind, m_doc.get(), c.block, c.slot);
        m_list.ListCircleInformation(m_doc.get(), Pen(), circle);
        EXPECT_EQ(Texts(m_list).back(), "6.283L ･･･ 周長") << c.kind << " " << c.block << " " << c.slot;
    }
}

TEST_F(Listing, ANullElementLeavesTheListAsItWas)
{
    ListCircle(Pt(0, 0), 5);
    const Lines before = Texts(m_list);
    CZelkDoc* doc = m_doc.get();
    m_list.ListPointInformation(doc, Pen(), nullptr);
    m_list.ListLineInformation(doc, Pen(), nullptr);
    m_list.ListCircleInformation(doc, Pen(), nullptr);
    m_list.ListArcInformation(doc, Pen(), nullptr);
    m_list.ListTextInformation(doc, nullptr, nullptr);
    m_list.ListConicInformation(doc, Pen(), nullptr);
    m_list.ListCurveInformation(doc, Pen(), nullptr);
    m_list.ListPointMeasurement(doc, nullptr);
    EXPECT_EQ(Texts(m_list), before);
}

TEST_F(Listing, WithTheSettingOnEachListingOpensATextWindowOfItsLines)
{
    ListCircle(Pt(0, 0), 5);
    EXPECT_EQ(m_app->m_windowlessTextDocs.GetSize(), 0);

    m_app->m_measureToTextWindow = 1;
    ListCircle(Pt(0, 0), 5);
    CPointD p = Pt(3, 4);
    m_list.ListPointMeasurement(m_doc.get(), &p);
    ASSERT_EQ(m_app->m_windowlessTextDocs.GetSize(), 2);
    auto* measured = static_cast<CTextDoc*>(m_app->m_windowlessTextDocs[1]);
    EXPECT_EQ(measured->GetTitle().Std(), "Devide.txt");
    EXPECT_EQ(measured->GetPathName().Std(), "Devide");
    EXPECT_EQ(measured->m_kind, 0);
    CStringArray lines;
    measured->GetLines(lines);
    Lines shown;
    for (int i = 0; i < lines.GetSize(); ++i)
        shown.push_back(lines[i].Std());
    EXPECT_EQ(shown, (Lines{"( 3, 4) ･･･ 点", "前点との距離 ･･･", "3X 4Y 5L"}));
    CStringArray first;
    static_cast<CTextDoc*>(m_app->m_windowlessTextDocs[0])->GetLines(first);
    EXPECT_EQ(first.GetSize(), 13);
}

TEST_F(Listing, LineDistancesFromEachKindOfPreviousReference)
{
    struct Case {
        const char* name;
        std::function<void()> refer;
        Lines bottom;
    };
    CZelkDoc* doc = m_doc.get();
    const std::int16_t pen = m_pen;
    const Lines fromPoint = {"前点と始点の距離 ･･･", "-3X -4Y 5L", "前点と終点の距離 ･･･", "7X -4Y 8.062L",
                             "4L ･･･ 前点との距離"};
    const Case cases[] = {
        {"previous point", [&] { ReferPoint(Pt(3, 4)); }, fromPoint},
        {"point element", [&] { ReferLast(ELEM_POINT, doc, doc->m_pointBlocks, doc->AddPoint(Pt(3, 4), 0, pen)); },
         fromPoint},
        {"text", [&] { ReferLast(ELEM_TEXT, doc, doc->m_textBlocks, doc->AddText(Pt(3, 4), "t", 0, 8, 0, AnyFont(doc))); },
         {"前文字列配置点と始点の距離 ･･･", "-3X -4Y 5L", "前文字列配置点と終点の距離 ･･･", "7X -4Y 8.062L",
          "4L ･･･ 前文字列配置点との距離"}},
        {"circle clear of the line",
         [&] { ReferLast(ELEM_CIRCLE, doc, doc->m_circleBlocks, doc->AddCircle(Pt(5, 10), 4, 0, pen)); },
         {"10L ･･･ 前円中心との距離", "6L ･･･ 前円円周との距離", "前円中心と始点の距離 ･･･", "-5X -10Y 11.18L",
          "7.18L ･･･ 前円円周と始点の距離", "前円中心と終点の距離 ･･･", "5X -10Y 11.18L",
          "7.18L ･･･ 前円円周と終点の距離"}},
        {"arc cut by the line",
         [&] { ReferLast(ELEM_ARC, doc, doc->m_arcBlocks, doc->AddArc(Pt(5, 2), 4, Pt(0, 90), 0, pen)); },
         {"2L ･･･ 前円弧中心との距離", "前円弧中心と始点の距離 ･･･", "-5X -2Y 5.385L", "1.385L ･･･ 前円弧円周と始点の距離",
          "前円弧中心と終点の距離 ･･･", "5X -2Y 5.385L", "1.385L ･･･ 前円弧円周と終点の距離"}},
        {"curve", [&] { ReferLast(ELEM_CURVE, doc, doc->m_curveBlocks, doc->AddCurve(1, {Pt(0, 0), Pt(1, 1)}, 0, pen)); },
         {}},
    };
    for (const Case& c : cases) {
        c.refer();
        ListLine(Pt(0, 0), Pt(10, 0), m_pen);
        EXPECT_EQ(Bottom(m_list, c.bottom.size() + 1)[0], "( 10, 0) ･･･ 終点") << c.name;
        EXPECT_EQ(Bottom(m_list, c.bottom.size()), c.bottom) << c.name;
    }
}
