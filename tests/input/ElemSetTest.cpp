// The working element set: its reset values, the size classes that order the drag sketch, and
// the layout of texts waiting to be placed.
#include <gtest/gtest.h>

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Circles.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/Text.h"
#include "geometry/ElemRef.h"
#include "input/ElemSet.h"
#include "tests/support/InputTape.h"

namespace {

CPointD Pt(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

// Adds a line to the set by reference; the reference names the slot just made.
void AddLine(CZelkDoc& doc, CElemSet& set, CPointD a, CPointD b)
{
    std::int16_t block = 0, slot = 0;
    doc.AddLineWithPen(a, b, 0, doc.FindOrAddPen(0, 1, 0, 0, 70), block, slot);
    set.AddElement(&doc, ELEM_LINE, block, slot, 1, 2);
}

void AddCircle(CZelkDoc& doc, CElemSet& set, CPointD c, double r)
{
    std::int16_t block = 0, slot = 0;
    doc.AddCircleWithPen(c, r, 0, doc.FindOrAddPen(0, 1, 0, 0, 70), block, slot);
    set.AddElement(&doc, ELEM_CIRCLE, block, slot, 1, 2);
}

const CText& TextAt(const CElemSet& set, int i)
{
    return *static_cast<const CText*>(set.texts[i]);
}

}  // namespace

TEST(ElemSet, ClearEmptiesTheListsAndInvertsTheExtents)
{
    CInputTape tape;
    CElemSet set;
    AddLine(tape.Doc(), set, Pt(0, 0), Pt(100, 20));
    set.AddToLineList(&tape.Doc(), ELEM_LINE, 0, 0, 1, 4, 1);
    set.AddToLineList(&tape.Doc(), ELEM_LINE, 0, 0, 1, 8, 0);
    set.ClassifySizes(&tape.Doc());
    CStringArray lines;
    lines.Add("x");
    set.AddTextLines(lines);
    set.angle = 30;
    set.scale = 2;
    set.operationCount = 5;
    set.basePoint = Pt(3, 4);
    EXPECT_EQ(set.minX, 0);
    EXPECT_EQ(set.maxX, 100);
    EXPECT_EQ(set.maxY, 20);
    EXPECT_EQ(set.startOnlyLines.GetSize(), 1);
    EXPECT_EQ(set.endOnlyLines.GetSize(), 1);

    set.Clear();
    EXPECT_EQ(set.minX, 1e308);
    EXPECT_EQ(set.minY, 1e308);
    EXPECT_EQ(set.maxX, -1e308);
    EXPECT_EQ(set.maxY, -1e308);
    EXPECT_EQ(set.scale, 1.0);
    EXPECT_EQ(set.angle, 0.0);
    EXPECT_EQ(set.operationCount, 1);
    EXPECT_EQ(set.textsLaidOut, 0);
    EXPECT_EQ(set.basePoint.m_x, 0);
    EXPECT_EQ(set.textBlockSize.m_y, 0);
    EXPECT_EQ(set.elements.GetSize() + set.startOnlyLines.GetSize() + set.endOnlyLines.GetSize() +
                  set.texts.GetSize() + set.sizeClasses.GetSize(),
              0);
}

TEST(ElemSet, SizeClassesRankEveryElementAgainstTheLargest)
{
    CInputTape tape;
    CZelkDoc& doc = tape.Doc();
    CElemSet set;
    AddLine(doc, set, Pt(0, 0), Pt(100, 0));       // 100: class 0
    AddCircle(doc, set, Pt(0, 0), 10);              // 20: at least 12.5, below 25: class 2
    AddLine(doc, set, Pt(0, 0), Pt(10, -50));       // -40: class 3
    AddLine(doc, set, Pt(0, 0), Pt(30, 0));         // 30: class 1
    AddLine(doc, set, Pt(0, 0), Pt(0, 50));         // exactly half: class 0
    // A group counts by its largest live member; a deleted member is passed over.
    std::int16_t lineBlock = 0, big = 0, deleted = 0;
    CLines* block = doc.AddLineWithPen(Pt(0, 0), Pt(60, 0), 0, doc.FindOrAddPen(0, 1, 0, 0, 70), lineBlock, big);
    doc.AddLineWithPen(Pt(0, 0), Pt(90, 0), 0, doc.FindOrAddPen(0, 1, 0, 0, 70), lineBlock, deleted);
    block->m_slots[deleted].m_state = STATE_DELETED;
    auto* group = new CGroup;
    CElemRef member;
    group->m_members.push_back(member.Init(ELEM_LINE, lineBlock, big, 1, 0));
    group->m_members.push_back(member.Init(ELEM_LINE, lineBlock, deleted, 1, 0));
    doc.m_groups.Add(group);
    set.AddElement(&doc, ELEM_GROUP, doc.m_groups.GetSize() - 1, 0, 1, 2);   // 60: class 0
    // A block beyond the drawing's blocks has no size.
    set.AddElement(&doc, ELEM_LINE, 999, 0, 1, 2);                           // 0: class 3

    set.ClassifySizes(&doc);
    const WORD expected[] = {0, 2, 3, 1, 0, 0, 3};
    ASSERT_EQ(set.sizeClasses.GetSize(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(set.sizeClasses[i], expected[i]) << i;

    // Nothing with a size: every entry is of the largest class.
    CElemSet flat;
    flat.AddElement(&doc, ELEM_LINE, 999, 0, 1, 2);
    flat.AddElement(&doc, ELEM_POINT, 0, 0, 1, 2);
    flat.ClassifySizes(&doc);
    ASSERT_EQ(flat.sizeClasses.GetSize(), 2);
    EXPECT_EQ(flat.sizeClasses[0], 0);
    EXPECT_EQ(flat.sizeClasses[1], 0);
}

TEST(ElemSet, PastedLinesStackOneTextHeightDownward)
{
    // The block's extents start at the origin, so an anchor that puts the underlines below the
    // placement points stretches the block down to the last one; a bottom anchor adds a whole
    // text height, a middle anchor half of one.
    struct Case {
        int anchor;
        double blockHeight;
    } cases[] = {{8, 16.0 + 8.0}, {14, 16.0 + 8.0}, {32, 19.2 + 4.0}, {0, 23.2}};
    for (const Case& c : cases) {
        CInputTape tape;
        tape.App().m_atrCurrent.m_text.m_heightTenths = 80;
        tape.App().m_atrCurrent.m_text.m_widthTenths = 40;
        tape.App().m_appText.m_anchor = c.anchor;
        CElemSet set;
        CStringArray lines;
        lines.Add("one");
        lines.Add("\ttwo");
        lines.Add("three");
        set.AddTextLines(lines);
        ASSERT_EQ(set.texts.GetSize(), 3) << c.anchor;
        EXPECT_EQ(set.linePitch.m_y, -8.0);
        EXPECT_EQ(set.textsLaidOut, 1);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(TextAt(set, i).m_point.m_y, -8.0 * i) << c.anchor;
            EXPECT_EQ(TextAt(set, i).m_alignment, c.anchor);
        }
        // Tabs become blanks before the layout.
        EXPECT_EQ(TextAt(set, 1).m_text.Find('\t'), -1);
        // The underline runs the string's width (4 mm a character) from the anchor offset.
        const CText& first = TextAt(set, 0);
        EXPECT_NEAR(first.m_underlineEnd.m_x - first.m_underlineStart.m_x, 12.0, 1e-9) << c.anchor;
        EXPECT_NEAR(set.textBlockSize.m_y, c.blockHeight, 1e-9) << c.anchor;
    }
}

TEST(ElemSet, RelayoutAfterTheHeightChangedKeepsThePitchDirection)
{
    for (const double sign : {-1.0, 1.0}) {
        CInputTape tape;
        tape.App().m_atrCurrent.m_text.m_heightTenths = 50;
        tape.App().m_appText.m_heightTenths = 50;
        tape.App().m_appText.m_anchor = 8;
        CElemSet set;
        CStringArray lines;
        lines.Add("a");
        lines.Add("b");
        set.AddTextLines(lines);
        set.linePitch.m_y = sign * 5.0;
        tape.App().m_appText.m_heightTenths = 100;
        set.LayOutTexts(1);
        EXPECT_EQ(set.linePitch.m_y, sign * 10.0) << sign;
        EXPECT_EQ(TextAt(set, 1).m_point.m_y, sign * 10.0) << sign;
        // Without re-pitching, a scaled set steps by the pitch times the scale.
        set.scale = 2;
        set.LayOutTexts(0);
        EXPECT_EQ(TextAt(set, 1).m_point.m_y, sign * 20.0) << sign;
    }
    // No active drawing: nothing is laid out.
    CInputTape tape;
    tape.App().m_activeView = nullptr;
    CElemSet set;
    CStringArray lines;
    lines.Add("a");
    set.AddTextLines(lines);
    EXPECT_EQ(set.texts.GetSize(), 0);
}
