// Settings taken over from the attribute records of a drawing: a block's pen and font.
#include "SettingsTestSupport.h"

#include "elements/TypeFont.h"
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
