// Layer names, work-print layers and the font record's setter and copy.
#include <gtest/gtest.h>

#include <cstring>

#include "elements/Layer.h"
#include "elements/TypeFont.h"

TEST(Layer, NumberNamePadsToFourCharacters)
{
    const struct {
        int n;
        const char* name;
    } cases[] = {{0, "0000"}, {7, "0007"}, {9, "0009"}, {10, "0010"}, {42, "0042"},
                 {999, "0999"}, {1000, "1000"}, {12345, "12345"}, {-5, "000-5"}};
    for (const auto& c : cases) {
        CLayer layer;
        layer.m_name = "old";
        layer.SetNumberName(c.n);
        EXPECT_EQ(layer.m_name, c.name) << c.n;
    }
}

TEST(Layer, WorkPrintLayerNeedsBothWordsInAnyCase)
{
    const struct {
        const char* name;
        int expected;
    } cases[] = {{"print_work", 1}, {"WORKPRINT", 1}, {"xxWorkyyPrintzz", 1},
                 {"印刷WORK枠PRINT", 1}, {"WORKS", 0}, {"PRINT", 0}, {"WORK PRIN", 0}, {"", 0}};
    for (const auto& c : cases) {
        CLayer layer;
        layer.m_name = c.name;
        EXPECT_EQ(layer.IsWorkPrintLayer(), c.expected) << c.name;
    }
}

TEST(TypeFont, SetValuesUnpacksTheStyleCodesAndCopiesEveryField)
{
    CTypeFont font;
    LOGFONT lf = font.m_logFont;
    lf.lfHeight = -20;
    lf.lfEscapement = 900;
    std::strcpy(lf.lfFaceName, "ＭＳ 明朝");
    font.SetValues(lf, 0x02030201u, 3, 90.0, 0.25, 1, 50, 100);
    EXPECT_EQ(font.m_style1, 1);
    EXPECT_EQ(font.m_style2, 2);
    EXPECT_EQ(font.m_style3, 3);
    EXPECT_EQ(font.m_style4, 2);
    EXPECT_EQ(font.m_style5, 3);

    const CTypeFont copy(font);
    EXPECT_EQ(copy.m_logFont.lfHeight, -20);
    EXPECT_EQ(copy.m_logFont.lfEscapement, 900);
    EXPECT_STREQ(copy.m_logFont.lfFaceName, "ＭＳ 明朝");
    EXPECT_EQ(copy.m_style4, 2);
    EXPECT_EQ(copy.m_angle, 90.0);
    EXPECT_EQ(copy.m_spacing, 0.25);
    EXPECT_EQ(copy.m_rightToLeft, 1);
    EXPECT_EQ(copy.m_width, 50);
    EXPECT_EQ(copy.m_height, 100);
}

TEST(TypeFont, DefaultsDescribeTheStandardGothicFont)
{
    CTypeFont font;
    EXPECT_EQ(font.m_logFont.lfHeight, -8);
    EXPECT_EQ(font.m_logFont.lfWeight, 400);
    EXPECT_EQ(font.m_logFont.lfCharSet, 128);
    EXPECT_EQ(font.m_logFont.lfPitchAndFamily, 49);
    EXPECT_STREQ(font.m_logFont.lfFaceName, "ＭＳ ゴシック");
    EXPECT_EQ(font.m_width, 40);
    EXPECT_EQ(font.m_height, 80);
}
