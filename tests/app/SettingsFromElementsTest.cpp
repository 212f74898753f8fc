// Settings taken over from the attribute records of a drawing: a block's pen and font.
#include "SettingsTestSupport.h"

#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/DataPoints.h"
#include "elements/ElementKinds.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "input/PickList.h"
#include "elements/TypePen.h"

class SettingsFromElements : public AppFixture {
};

TEST_F(SettingsFromElements, PenOfABlockBecomesTheCreationPenWithoutMarks)
{
    CTypePen pen;
    pen.m_lineType = 3;
    pen.m_width = 7;
    pen.m_color = RGB(10, 20, 30);
    pen.m_blurCount = 4;
    pen.m_blurRate = 55;
    CAppElem& elem = App().m_appElem;
    elem.SetPenFromTypePen(pen);
    EXPECT_EQ(elem.m_lineType, 3);
    EXPECT_EQ(elem.m_lineWidth, 7);
    EXPECT_EQ(elem.m_color, RGB(10, 20, 30));
    EXPECT_EQ(elem.m_blurCount, 4);
    EXPECT_EQ(elem.m_blurRate, 55);
    EXPECT_EQ(elem.m_mask, 0);
}

TEST_F(SettingsFromElements, FontOfABlockGivesTheTextShape)
{
    struct Case {
        BYTE formClass;
        BYTE direction;
        BYTE shape;
        int slantAlongLine;
        LONG escapement;
    };
    // The record's slant angle is 150 tenths; the font's own escapement is 111.
    const Case cases[] = {
        {1, 3, 1, 7, 111},       // standard text: shape 1, nothing else derived
        {2, 1, 2, 7, 111},       {2, 2, 3, 7, 111},
        {2, 3, 4, 0, -150},      // slant: the escapement follows the slant angle
        {2, 4, 4, 1, -1650},     // slant along the line: -150 x 10 - 150
        {2, 9, 1, 7, 111},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.formClass) << "/" << int(c.direction));
        CTypeFont font;
        font.m_logFont.lfEscapement = 111;
        font.m_logFont.lfHeight = -12;
        font.m_style2 = c.formClass;
        font.m_style3 = c.direction;
        font.m_style4 = 4;
        font.m_style5 = 3;
        font.m_spacing = 1.5;
        font.m_rightToLeft = 1;
        font.m_width = 33;
        font.m_height = 66;
        CAppText text;
        text.m_slantAlongLine = 7;
        text.SetFromTypeFont(font);
        EXPECT_EQ(text.m_shape, c.shape);
        EXPECT_EQ(text.m_slantAlongLine, c.slantAlongLine);
        EXPECT_EQ(text.m_logFont.lfEscapement, c.escapement);
        EXPECT_EQ(text.m_logFont.lfHeight, -12);
        EXPECT_EQ(text.m_formOption1, 4);
        EXPECT_EQ(text.m_formOption2, 3);
        EXPECT_EQ(text.m_charSpacing, 1.5);
        EXPECT_EQ(text.m_rightToLeft, 1);
        EXPECT_EQ(text.m_widthTenths, 33);
        EXPECT_EQ(text.m_heightTenths, 66);
    }
}

// The reference set takes what the picked element carries: a point only its pen's color and its
// layer, a line-like element the whole pen, a text its color and text form.
class TakeFromPicked : public SettingsFromElements {
protected:
    CZelkDoc m_doc;

    void SetUp() override
    {
        SettingsFromElements::SetUp();
        m_doc.InitContents();
        CTypePen* pen = new CTypePen;
        pen->m_lineType = 3;
        pen->m_width = 7;
        pen->m_color = RGB(10, 20, 30);
        pen->m_blurCount = 4;
        pen->m_blurRate = 55;
        m_pen = static_cast<std::int16_t>(m_doc.m_pens.Add(pen));
        CTypeFont* font = new CTypeFont;
        font->m_style2 = 2;
        font->m_style3 = 1;
        font->m_height = 45;
        m_font = static_cast<std::int16_t>(m_doc.m_fonts.Add(font));

        auto* points = new CDataPoints;
        points->m_pen = m_pen;
        points->m_slots[0].m_layer = 5;
        points->m_count = 1;
        m_doc.m_pointBlocks.Add(points);
        auto* arcs = new CArcs;
        arcs->m_pen = m_pen;
        arcs->m_slots[0].m_layer = 6;
        arcs->m_count = 1;
        m_doc.m_arcBlocks.Add(arcs);
        auto* texts = new CTexts;
        texts->m_pen = m_font;
        texts->m_slots[0].m_layer = 7;
        texts->m_slots[0].m_color = RGB(1, 2, 3);
        texts->m_slots[0].m_alignment = 32;
        texts->m_count = 1;
        m_doc.m_textBlocks.Add(texts);
    }
    void Pick(std::int16_t kind, std::int16_t block, std::int16_t slot)
    {
        CElemCandidate c;
        c.Init(kind, block, slot, 1, 0, 0);
        m_doc.m_pickList->m_candidates.assign(1, c);
        m_doc.m_pickList->m_current = 0;
    }
    std::int16_t m_pen = 0;
    std::int16_t m_font = 0;
};

TEST_F(TakeFromPicked, EachKindGivesItsOwnSettings)
{
    CAppAtrReference& ref = App().m_atrReference;

    Pick(ELEM_POINT, 0, 0);
    EXPECT_EQ(ref.TakeFromPickedElement(&m_doc), 1);
    EXPECT_EQ(ref.m_document, &m_doc);
    EXPECT_EQ(ref.m_color, RGB(10, 20, 30));
    EXPECT_EQ(ref.m_layer, 5);
    EXPECT_EQ(ref.m_lineType, 0);   // a point leaves line type and width alone
    EXPECT_EQ(ref.m_lineWidth, 1);
    EXPECT_EQ(ref.m_blurCount, 0);

    Pick(ELEM_ARC, 0, 0);
    EXPECT_EQ(ref.TakeFromPickedElement(&m_doc), 1);
    EXPECT_EQ(ref.m_lineType, 3);
    EXPECT_EQ(ref.m_lineWidth, 7);
    EXPECT_EQ(ref.m_blurCount, 4);
    EXPECT_EQ(ref.m_blurRate, 55);
    EXPECT_EQ(ref.m_layer, 6);

    Pick(ELEM_TEXT, 0, 0);
    EXPECT_EQ(ref.TakeFromPickedElement(&m_doc), 1);
    EXPECT_EQ(ref.m_color, RGB(1, 2, 3));
    EXPECT_EQ(ref.m_layer, 7);
    EXPECT_EQ(ref.m_lineType, 3);   // the text has no pen
    EXPECT_EQ(ref.m_text.m_formClass, 2);
    EXPECT_EQ(ref.m_text.m_heightTenths, 45);
    EXPECT_EQ(ref.m_text.m_anchor, 32);
}

TEST_F(TakeFromPicked, NothingPickedOrAStaleCandidateTakesNothing)
{
    CAppAtrElem& set = App().m_atrElem;
    const COLORREF before = set.m_color;
    m_doc.m_pickList->m_current = -1;
    EXPECT_EQ(set.TakeFromPickedElement(&m_doc), 0);
    EXPECT_EQ(set.m_document, nullptr);

    struct Case {
        std::int16_t kind, block, slot;
    };
    // Past the blocks, past the used slots of a block.
    for (const Case& c : {Case{ELEM_LINE, 0, 0}, Case{ELEM_POINT, 1, 0}, Case{ELEM_ARC, 0, 1},
                          Case{ELEM_TEXT, -1, 0}}) {
        SCOPED_TRACE(testing::Message() << c.kind << " " << c.block << "/" << c.slot);
        Pick(c.kind, c.block, c.slot);
        EXPECT_EQ(set.TakeFromPickedElement(&m_doc), 0);
        EXPECT_EQ(set.m_color, before);
        EXPECT_EQ(set.m_layer, 0);
    }
}
