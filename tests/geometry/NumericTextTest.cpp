// Number/text conversion and the Shift-JIS string tools. Literals here are compiled to CP932, so
// "　" is the two bytes 0x81 0x40 as in the program's own texts.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>

#include "geometry/Numeric.h"

TEST(NumericText, IntegersToText)
{
    EXPECT_STREQ(IntToString(0), "0");
    EXPECT_STREQ(IntToString(-42), "-42");
    EXPECT_STREQ(IntToString(INT_MIN), "-2147483648");
    int i = 907;
    EXPECT_STREQ(IntRefToString(i), "907");
    long l = -2147483647L;
    EXPECT_STREQ(LongRefToString(l), "-2147483647");
}

TEST(NumericText, DoubleToTextDropsTheTrailingPoint)
{
    struct Case {
        double v;
        const char* text;
    } cases[] = {
        {100.0, "100"}, {0.5, "0.5"}, {-2.25, "-2.25"}, {0.0, "0"}, {123456.789, "123456.789"},
        {1.0 / 3.0, "0.333333333333333"}, {-7.0, "-7"}, {123456789012345.0, "123456789012345"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(DoubleToString(c.v), c.text) << c.text;
        EXPECT_STREQ(DoubleRefToString(c.v), c.text) << c.text;
    }
    // Exponential notation keeps its point before the exponent.
    CString big = DoubleToString(1e20);
    EXPECT_EQ(big.Find('e') > 0, true) << big.GetString();
}

TEST(NumericText, StringToDoubleReadsLikeTheRuntime)
{
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"3.5", 3.5},     {"  \t-2.25mm", -2.25}, {"+7", 7.0},  {".5", 0.5},   {"1e3", 1000.0},
        {"1.5e", 1.5},    {"", 0.0},              {"abc", 0.0}, {"+-5", 0.0},  {"- 5", 0.0},
        {"12,5", 12.0},   {"inf", 0.0}, {"0x10", 0.0}, {"2.5D2", 250.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StringToDouble(CString(c.text)), c.value) << c.text;
    }
}

TEST(NumericText, ConversionsReadOnlyTheFirst29Bytes)
{
    // 40 digits: only the first 29 take part.
    CString forty("1234567890123456789012345678901234567890");
    EXPECT_DOUBLE_EQ(StringToDouble(forty), 12345678901234567890123456789.0);
    // The exponent's digits fall beyond byte 29 and are lost with it.
    CString cutExponent = CString("1") + CString('0', 27) + "e5";
    EXPECT_DOUBLE_EQ(StringToDouble(cutExponent), 1e27);
    CString padded = CString(' ', 28) + "75";
    EXPECT_EQ(StringToInt(padded), 7);

    struct Case {
        const char* text;
        int value;
    } cases[] = {
        {"42", 42}, {"  -17abc", -17}, {"+8", 8}, {"3.9", 3}, {"x1", 0}, {"", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StringToInt(CString(c.text)), c.value) << c.text;
    }
}

TEST(NumericText, UnpackLogFont)
{
    LOGFONT f{};
    f.lfHeight = -35;
    f.lfWidth = 12;
    f.lfEscapement = 900;
    f.lfItalic = 1;
    f.lfUnderline = 0;
    f.lfStrikeOut = 255;
    std::memcpy(f.lfFaceName, "ＭＳ ゴシック", sizeof("ＭＳ ゴシック"));
    double angle = 0, height = 0, width = 0;
    int italic = 0, underline = 9, strikeOut = 0;
    CString face;
    UnpackLogFont(f, angle, height, width, italic, underline, strikeOut, face);
    EXPECT_DOUBLE_EQ(angle, -90.0);
    EXPECT_DOUBLE_EQ(height, 35.0);
    EXPECT_DOUBLE_EQ(width, 12.0);
    EXPECT_EQ(italic, 1);
    EXPECT_EQ(underline, 0);
    EXPECT_EQ(strikeOut, 1);
    EXPECT_STREQ(face, "ＭＳ ゴシック");

    // A face name that fills all 32 bytes has no terminator; only those bytes are taken.
    std::memset(f.lfFaceName, 'A', LF_FACESIZE);
    UnpackLogFont(f, angle, height, width, italic, underline, strikeOut, face);
    EXPECT_EQ(face.GetLength(), LF_FACESIZE);
}

TEST(NumericText, IsNumericText)
{
    struct Case {
        const char* text;
        int numeric;
    } cases[] = {{"", 1}, {"1.5e-3", 1}, {"+-.Ee", 1}, {"12a", 0}, {"1 2", 0}, {"１", 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(IsNumericText(CString(c.text)), c.numeric) << c.text;
    }
}

TEST(NumericText, SplitNumberAt)
{
    struct Case {
        const char* text;
        int pos;
        int result;
        const char* before;
        const char* number;
        const char* rest;
    } cases[] = {
        {"L=12.5mm", 2, 1, "L=", "<12.5", "mm"},
        {"abc-3", 3, 1, "abc", "<-3", "(rest)"},        // nothing after the run: rest untouched
        {"ab*cd", 2, 1, "ab", "<", "cd"},                // no numeral: the byte at pos goes nowhere
        {"ab", 5, 1, "ab", "<", "(rest)"},               // pos beyond the text
        {"x1", -1, 0, "(before)", "<", "(rest)"},        // refused, nothing changes
    };
    for (const Case& c : cases) {
        CString before("(before)"), number("<"), rest("(rest)");
        EXPECT_EQ(SplitNumberAt(CString(c.text), c.pos, before, number, rest), c.result) << c.text;
        EXPECT_STREQ(before, c.before) << c.text;
        EXPECT_STREQ(number, c.number) << c.text;  // appended to, not replaced
        EXPECT_STREQ(rest, c.rest) << c.text;
    }
}

TEST(NumericText, TrimBlanksTakesHalfAndFullWidthBlanks)
{
    struct Case {
        const char* text;
        const char* trimmed;
    } cases[] = {
        {"　 text 　", "text"},
        {" \t a b\t ", "a b"},
        {"　　　x　　　", "x"},
        {"　", ""},
        {" ", ""},
        {"x　y", "x　y"},
        {"", ""},
        {"\tx", "\tx"},  // a leading tab alone is not a blank
    };
    for (const Case& c : cases) {
        CString s(c.text);
        TrimBlanks(s);
        EXPECT_STREQ(s, c.trimmed) << c.text;
    }
    // Twenty passes at most, each taking one blank or one run of white space from the front.
    CString many, kept;
    for (int i = 0; i < 25; ++i) {
        many += "　 ";
        if (i >= 10) {
            kept += "　 ";
        }
    }
    many += "z";
    kept += "z";
    TrimBlanks(many);
    EXPECT_STREQ(many, kept);
}

TEST(NumericText, CommentsAndConcatenation)
{
    EXPECT_STREQ(RemoveBlockComments(CString("a/*x*/b/*y")), "ab");
    EXPECT_STREQ(RemoveBlockComments(CString("plain")), "plain");
    EXPECT_STREQ(RemoveBlockComments(CString("/**/")), "");
    // Both markers are searched from the start: a stray "*/" before "/*" cuts there.
    EXPECT_STREQ(RemoveBlockComments(CString("a*/b/*c*/d")), "a*/bbd");
    // Ten comments at most; the text after the tenth is dropped.
    CString eleven;
    for (int i = 0; i <= 11; ++i) {
        eleven += IntToString(i % 10);
        if (i < 11) {
            eleven += "/*c*/";
        }
    }
    EXPECT_STREQ(RemoveBlockComments(eleven), "0123456789");

    EXPECT_STREQ(StripComments(CString("   v = 1 // note")), "v = 1");
    EXPECT_STREQ(StripComments(CString("\ta /* b */ c\r\n")), "a  c");
    EXPECT_STREQ(StripComments(CString("// all")), "");

    CString s[10] = {"a", "", "b", "c", "", "d", "e", "f", "g", "h"};
    EXPECT_STREQ(Concat10Strings(s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7], s[8], s[9]), "abcdefgh");
}

TEST(NumericText, ContainsDoubleByteChar)
{
    EXPECT_EQ(ContainsDoubleByteChar(CString("abc")), 0);
    EXPECT_EQ(ContainsDoubleByteChar(CString("日本")), 1);
    EXPECT_EQ(ContainsDoubleByteChar(CString("ｱｲｳ")), 0);  // half-width katakana are single bytes
    // Double-byte characters whose lead byte lies in 0xE0-0xEF are not recognised.
    EXPECT_EQ(ContainsDoubleByteChar(CString("\xE9\xB0\xEA\xA0x")), 0);
    EXPECT_EQ(ContainsDoubleByteChar(CString("x\xE9\x80")), 1);  // a trail byte in range counts
}
