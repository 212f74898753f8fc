// The paint and the redraw as the device sees them: which pass draws an element in which pen,
// by its marks, its layer's word and the modes; and the per-element requests.
#include "ViewTestSupport.h"

#include "commands/line/LoopCommand.h"
#include "elements/DataPoints.h"
#include "elements/Group.h"
#include "elements/Arc.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "geometry/ElemRef.h"
#include "input/ElemKey.h"
#include "platform/gdi/DC.h"

#include <algorithm>

namespace {

const char* const kRed = "RGB(255,0,0)";
const char* const kBlue = "RGB(0,0,200)";
const char* const kGray = "RGB(149,149,149)";
const char* const kGreen = "RGB(0,255,0)";
const char* const kWhite = "RGB(255,255,255)";

class ViewPaint : public ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        // Logical units are world millimetres: elements at (x, -y) lie in the window.
        View().m_origin = W(0, 0);
        AddLayers(2);
        Doc().m_writeLayer = 0;
        // The base-point cross is drawn with every paint; keep it out of the window.
        Doc().m_basePoint = W(-5000, 5000);
    }
    CCircle& Circle(std::int16_t layer, std::int16_t pen, CCircles** block = nullptr)
    {
        CCircles* b = Doc().AddCircle(W(300, -300), 50, layer, pen);
        if (block)
            *block = b;
        return Last(b);
    }
    CLine& Line(std::int16_t layer, std::int16_t pen, CLines** block = nullptr)
    {
        CLines* b = Doc().AddLine(W(100, -100), W(400, -250), layer, pen);
        if (block)
            *block = b;
        return Last(b);
    }
};

TEST_F(ViewPaint, SelectedCircleIsPaintedOnlyInTheSelectionColorAndMarkedOnesNotAtAll)
{
    CCircle& c = Circle(0, Pen(RGB(0, 0, 200)));
    c.m_mark = 2;
    auto calls = Paint();
    EXPECT_TRUE(DrewInColor(calls, kRed));
    EXPECT_FALSE(DrewInColor(calls, kBlue));

    // A marked-line mark on a circle: no pass of the paint takes it.
    c.m_mark = 4;
    calls = Paint();
    EXPECT_TRUE(ElementDraws(calls).empty()) << testing::PrintToString(calls);

    c.m_mark = 0;
    calls = Paint();
    EXPECT_TRUE(DrewInColor(calls, kBlue));
    EXPECT_FALSE(DrewInColor(calls, kRed));
}

TEST_F(ViewPaint, HiddenLayerIsPaintedWhileAllLayersShowAndNotAfter)
{
    Circle(1, Pen(RGB(0, 0, 200)));
    View().m_layerStates[1] = 1;
    EXPECT_TRUE(DrewInColor(Paint(), kBlue));
    View().m_showAllLayers = 0;
    EXPECT_FALSE(DrewInColor(Paint(), kBlue));
}

TEST_F(ViewPaint, ReferenceLayerSettingSplitsColorAndGrayByLayerWord)
{
    m_app->m_interruptMode = 35;
    View().m_showAllLayers = 0;
    Circle(1, Pen(RGB(0, 0, 200)));
    Line(2, Pen(RGB(0, 0, 200)));
    View().m_layerStates[1] = 0;
    View().m_layerStates[2] = 1;
    const auto draws = DrawsWithPens(Paint());
    int arcsInColor = 0, linesInColor = 0, arcsInGray = 0, linesInGray = 0;
    // Word 0: the color pass only; word 1: the gray pass only.
    for (const auto& [pen, call] : draws) {
        const bool color = pen.find(kBlue) != std::string::npos;
        const bool gray = pen.find(kGray) != std::string::npos;
        // The circle is drawn with an arc or a chain of chords; the line with one LineTo from
        // (100,-100) to (400,-250).
        const bool line = call == "LineTo(400,-250)";
        if (line) {
            linesInColor += color;
            linesInGray += gray;
        } else {
            arcsInColor += color;
            arcsInGray += gray;
        }
    }
    EXPECT_GT(arcsInColor, 0);
    EXPECT_EQ(arcsInGray, 0);
    EXPECT_EQ(linesInColor, 0);
    EXPECT_GT(linesInGray, 0);
}

TEST_F(ViewPaint, ZoomWindowPaintsItsOwnBackground)
{
    View().m_viewKind = 2;
    const auto calls = Paint();
    ASSERT_FALSE(calls.empty());
    bool filled = false;
    for (const auto& c : calls)
        filled |= c.rfind("FillSolidRect(", 0) == 0 && c.find("RGB(235,255,255)") != std::string::npos;
    EXPECT_TRUE(filled);
    EXPECT_EQ(View().m_backColor, RGB(235, 255, 255));
}

TEST_F(ViewPaint, PointerMarkNearTheSixteenBitLimitIsSkipped)
{
    CPointD inside = W(32000, -100);
    CPointD nearLimit = W(32767 - 20, -100);
    Doc().m_pointerMarks.Add(&inside);
    Doc().m_pointerMarks.Add(&nearLimit);
    CRecordingDC dc;
    View().OnPrepareDC(&dc);
    // Look at the window's part next to the right end of the logical area.
    dc.SetViewportOrg(-12000, 0);
    View().OnDraw(&dc);
    Doc().m_pointerMarks.RemoveAll();
    const int a = static_cast<int>(60 * 0.7142857142857143);
    const auto lines = dc.CallsNamed({"MoveTo", "LineTo"});
    EXPECT_NE(std::find(lines.begin(), lines.end(), "MoveTo(" + std::to_string(32000 + a) + "," + std::to_string(-100 + a) + ")"),
              lines.end());
    for (const auto& l : lines)
        EXPECT_EQ(l.find(std::to_string(32767 - 20) + ","), std::string::npos) << l;
}

TEST_F(ViewPaint, BlurredPenDrawsWidestPalestFirst)
{
    View().m_zoom = 10;
    CLine& blurred = Line(0, Pen(RGB(0, 0, 0), 30, 0, 3, 70));
    std::vector<std::string> pens;
    for (const auto& [pen, call] : ElementDraws(Paint()))
        if (call.rfind("LineTo", 0) == 0 && (pens.empty() || pens.back() != pen))
            pens.push_back(pen);
    const std::vector<std::string> expected = {
        "SelectPen(0,30,RGB(167,167,167))", "SelectPen(0,28,RGB(130,130,130))",
        "SelectPen(0,26,RGB(76,76,76))", "SelectPen(0,24,RGB(0,0,0))"};
    EXPECT_EQ(pens, expected);

    // A pen of width 0 (a damaged file's) blurs as if one unit wide instead of dividing by it.
    blurred.m_state = 0x08;
    Line(0, Pen(RGB(0, 0, 0), 0, 0, 3, 70));
    // As a one-unit pen: widths 1 and -1, so the faded first pass alone.
    const auto counts = DrawCountsByPen(Paint());
    ASSERT_EQ(counts.size(), 1u) << testing::PrintToString(counts);
    EXPECT_EQ(counts.begin()->first, "SelectPen(0,1,RGB(76,76,76))");
}

// ---- redraw -----------------------------------------------------------------------------

TEST_F(ViewPaint, DeletedElementIsErasedOnceAndNotDrawnAgain)
{
    CLine& l = Line(1, Pen(RGB(0, 0, 200), 20));
    View().m_layerStates[1] = 1;   // whatever its layer says
    l.m_state = 0x88;
    l.m_mark = 2;
    const auto counts = DrawCountsByPen(Redraw());
    ASSERT_EQ(counts.size(), 1u) << testing::PrintToString(counts);
    EXPECT_EQ(counts.begin()->first, std::string("SelectPen(0,2,") + kWhite + ")");
    EXPECT_EQ(counts.begin()->second, 1);
}

TEST_F(ViewPaint, MarkedLineRedrawsAtItsScaledWidthWhileThePaintUsesOne)
{
    CLine& l = Line(0, Pen(RGB(0, 0, 200), 30));
    l.m_mark = 0x84;
    const auto redraw = DrawCountsByPen(Redraw());
    EXPECT_EQ(redraw.count(std::string("SelectPen(0,3,") + kGreen + ")"), 1u) << testing::PrintToString(redraw);
    l.m_mark = 4;
    const auto paint = DrawCountsByPen(Paint());
    EXPECT_EQ(paint.count(std::string("SelectPen(0,1,") + kGreen + ")"), 1u) << testing::PrintToString(paint);
    EXPECT_FALSE(DrewInColor(Paint(), kBlue));
}

TEST_F(ViewPaint, ChangeOnHiddenLayerIsNotRedrawnButPaintedLater)
{
    CLine& l = Line(0, Pen(RGB(0, 0, 200)));
    l.m_state = 0x81;
    View().m_layerStates[0] = 1;
    EXPECT_FALSE(DrewInColor(Redraw(), kBlue));
    // The next paint shows it (all layers shown).
    EXPECT_TRUE(DrewInColor(Paint(), kBlue));
    // Its word turning 128 (shown again) has it redrawn.
    l.m_state = 0x01;
    View().m_layerStates[0] = 128;
    EXPECT_TRUE(DrewInColor(Redraw(), kBlue));
}

TEST_F(ViewPaint, RequestOffTheWriteLayerDrawsGrayEvenWithGrayModeOff)
{
    CLines* block = nullptr;
    Line(1, Pen(RGB(0, 0, 200)), &block);
    const int slot = block->m_count - 1;
    View().m_clientCalls.clear();
    View().DrawLineElement(1, 1, block, slot);
    EXPECT_TRUE(DrewInColor(View().m_clientCalls, kGray));
    EXPECT_FALSE(DrewInColor(View().m_clientCalls, kBlue));
    // The paint draws it in its color.
    EXPECT_TRUE(DrewInColor(Paint(), kBlue));

    struct Case {
        int mode;
        const char* pen;
    } cases[] = {{2, "SelectPen(0,1,RGB(255,255,255))"}, {3, "SelectPen(0,1,RGB(255,0,0))"}, {4, "SelectPen(0,1,RGB(0,255,0))"}};
    for (const Case& c : cases) {
        View().m_clientCalls.clear();
        View().DrawLineElement(c.mode, 1, block, slot);
        EXPECT_EQ(DrawCountsByPen(View().m_clientCalls).count(c.pen), 1u) << c.mode;
    }
    // Slots past the block's count are not drawn.
    View().m_clientCalls.clear();
    View().DrawLineElement(1, 1, block, block->m_count);
    View().DrawLineElement(1, 1, block, -1);
    EXPECT_TRUE(ElementDraws(View().m_clientCalls).empty());
}

TEST_F(ViewPaint, PenBeyondThePenListDrawsOnceThinInTheFallbackColor)
{
    CLines* block = nullptr;
    Line(0, Pen(RGB(0, 0, 200), 30, 0, 3, 70), &block);
    block->m_pen = 99;
    View().m_clientCalls.clear();
    View().DrawLineElement(1, 1, block, block->m_count - 1);
    const auto counts = DrawCountsByPen(View().m_clientCalls);
    ASSERT_EQ(counts.size(), 1u);
    EXPECT_EQ(counts.begin()->first, "SelectPen(0,1,RGB(255,128,64))");
    EXPECT_EQ(counts.begin()->second, 1);
}

TEST_F(ViewPaint, GroupRequestStopsAtACycle)
{
    CLines* block = nullptr;
    Line(0, Pen(RGB(0, 0, 200)), &block);
    // Two groups naming each other, as a damaged drawing can hold them.
    auto* first = new CGroup;
    auto* second = new CGroup;
    const auto g0 = static_cast<std::int16_t>(Doc().m_groups.Add(first));
    const auto g1 = static_cast<std::int16_t>(Doc().m_groups.Add(second));
    CElemRef toLine;
    toLine.m_state = 1;
    toLine.m_kind = 4;
    toLine.m_block = 0;
    toLine.m_slot = static_cast<std::int16_t>(block->m_count - 1);
    CElemRef toSecond = toLine;
    toSecond.m_kind = 1;
    toSecond.m_block = g1;
    toSecond.m_slot = 0;
    CElemRef toFirst = toSecond;
    toFirst.m_block = g0;
    first->m_members = {toLine, toSecond};
    second->m_members = {toFirst, toLine};
    View().m_clientCalls.clear();
    View().DrawGroupMembers(3, 1, g0);
    EXPECT_EQ(DrawCountsByPen(View().m_clientCalls)["SelectPen(0,1,RGB(255,0,0))"], 2);
}

}  // namespace

namespace {

TEST_F(ViewPaint, EraseOfChangedElementsTakesEveryFlaggedElementInTheBackground)
{
    CLine& flagged = Line(2, Pen(RGB(0, 0, 200), 20));
    View().m_layerStates[2] = 1;
    flagged.m_mark = 0x82;
    Circle(0, Pen(RGB(0, 0, 200)));   // unchanged: left alone
    View().m_clientCalls.clear();
    View().EraseChangedElements();
    const auto counts = DrawCountsByPen(View().m_clientCalls);
    ASSERT_EQ(counts.size(), 1u) << testing::PrintToString(counts);
    EXPECT_EQ(counts.begin()->first, std::string("SelectPen(0,2,") + kWhite + ")");
    EXPECT_EQ(counts.begin()->second, 1);
}

TEST_F(ViewPaint, TextRequestDrawsInTheModesColorAndNothingWithoutItsFont)
{
    LOGFONT font{};
    font.lfHeight = -40;
    const std::int16_t f = Doc().FindOrAddFont(font, 0, 400, 1, 0.0);
    CTexts* block = Doc().AddText(W(100, -300), "ABC", RGB(10, 20, 30), 8, 1, f);
    ASSERT_NE(block, nullptr);
    const int slot = block->m_count - 1;
    Doc().GetFont(f)->m_style2 = 1;
    struct Case {
        int mode;
        const char* color;
    } cases[] = {{1, "SetTextColor(RGB(149,149,149))"}, {2, "SetTextColor(RGB(255,255,255))"},
                 {3, "SetTextColor(RGB(255,0,0))"}, {4, "SetTextColor(RGB(0,255,0))"}};
    for (const Case& c : cases) {
        View().m_clientCalls.clear();
        View().DrawTextElement(c.mode, 1, block, slot);
        const auto& calls = View().m_clientCalls;
        EXPECT_NE(std::find(calls.begin(), calls.end(), c.color), calls.end()) << c.mode << testing::PrintToString(calls);
    }
    // On the write layer mode 1 keeps the text's own color.
    block->m_slots[slot].m_layer = 0;
    View().m_clientCalls.clear();
    View().DrawTextElement(1, 1, block, slot);
    const auto& own = View().m_clientCalls;
    EXPECT_NE(std::find(own.begin(), own.end(), "SetTextColor(RGB(10,20,30))"), own.end());
    // A font index past the font list draws nothing.
    block->m_pen = 99;
    View().m_clientCalls.clear();
    View().DrawTextElement(1, 1, block, slot);
    EXPECT_TRUE(View().m_clientCalls.empty() || ElementDraws(View().m_clientCalls).empty());
}

TEST_F(ViewPaint, CommandObjectsDrawThinInTheModesColor)
{
    CLine line;
    line.m_start = W(100, -100);
    line.m_end = W(300, -100);
    CArc arc;
    arc.m_centre = W(300, -300);
    arc.m_radius = 50;
    arc.m_startAngle = 0;
    arc.m_endAngle = 90;
    struct Case {
        int mode;
        const char* pen;
    } cases[] = {{2, "SelectPen(0,1,RGB(255,255,255))"}, {3, "SelectPen(0,1,RGB(255,0,0))"}, {4, "SelectPen(0,1,RGB(0,255,0))"}};
    for (const Case& c : cases) {
        View().m_clientCalls.clear();
        View().DrawLineObject(c.mode, &line);
        View().DrawArcObject(c.mode, &arc);
        const auto counts = DrawCountsByPen(View().m_clientCalls);
        ASSERT_EQ(counts.size(), 1u) << c.mode << testing::PrintToString(View().m_clientCalls);
        EXPECT_EQ(counts.begin()->first, c.pen);
        EXPECT_GE(counts.begin()->second, 2);
    }
}

// While the loop command works, the paint draws the loops' copies over the drawing: lines, and
// circles and arcs as arcs; with another command, nothing of them.
TEST_F(ViewPaint, LoopOutlinesDrawTheirLinesCirclesAndArcs)
{
    CLoopCommand& loop = *Doc().m_loopCmd;
    auto* keys = new COwnedPtrArray;
    loop.m_loops.Add(keys);
    loop.m_extractState = 3;
    const struct {
        std::int16_t kind;
        CPtrArray* copies;
        CObject* copy;
    } members[] = {
        {4, &loop.m_lineCopies, new CLine(W(100, -100), W(300, -100))},
        {8, &loop.m_circleCopies, new CArc(W(300, -300), 40, W(0, 360))},
        {16, &loop.m_arcCopies, new CArc(W(600, -300), 50, W(0, 90))},
    };
    for (const auto& m : members) {
        auto* key = new CElemKey;
        key->Set(m.kind, static_cast<std::int16_t>(m.copies->Add(m.copy)), 0);
        keys->Add(key);
    }
    auto arcsAndLines = [](const std::vector<std::string>& calls) {
        int arcs = 0, lines = 0;
        for (const auto& [pen, call] : ElementDraws(calls)) {
            arcs += call.rfind("Arc(", 0) == 0 || call.rfind("Ellipse", 0) == 0;
            lines += call.rfind("LineTo", 0) == 0 || call.rfind("Polyline", 0) == 0;
        }
        return std::make_pair(arcs, lines);
    };
    g_pApp->m_commandKind = 12;
    const auto [arcs, lines] = arcsAndLines(Paint());
    // Each loop is drawn by both of the paint's passes.
    EXPECT_GE(arcs, 4);
    EXPECT_GE(lines, 2);
    g_pApp->m_commandKind = 2;
    EXPECT_EQ(arcsAndLines(Paint()), std::make_pair(0, 0));
}

}  // namespace
