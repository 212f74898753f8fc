// Fonts from LOGFONT: extents in Shift-JIS cells, metrics, placement by alignment and angle,
// and text that a second drawing in the background color removes.
#include "platform/gdi/PainterDC.h"
#include "platform/gdi/RecordingDC.h"

#include <QImage>
#include <QRect>

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Shift-JIS bytes spelled out: this file includes Qt and so keeps UTF-8 literals.
const char kNihongo[] = "\x93\xfa\x96\x7b\x8c\xea";    // three full-width characters
const char kGothic[] = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";
const char kMincho[] = "\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9";

LOGFONT MakeFont(int height, int width, int escapement = 0, const char* face = kGothic)
{
    LOGFONT lf;
    std::memset(&lf, 0, sizeof lf);
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    std::strcpy(lf.lfFaceName, face);
    return lf;
}

QRect InkBox(const QImage& image, QRgb background = qRgb(255, 255, 255))
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF))
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

TEST(Text, ExtentsCountShiftJisCells)
{
    struct Case {
        const char* what;
        const char* text;
        int height, width;
        int mode;
        CSize extent;
    };
    const Case cases[] = {
        {"half-width letters", "ABCD", -20, 10, MM_TEXT, {40, 20}},
        {"full-width take two cells", kNihongo, -20, 10, MM_TEXT, {60, 20}},
        {"half-width katakana take one", "\xb1\xb2", -20, 10, MM_TEXT, {20, 20}},
        {"no width: half the height", "AB\x93\xfa", -30, 0, MM_TEXT, {60, 30}},
        {"positive height is the cell", "A", 24, 12, MM_TEXT, {12, 24}},
        {"a lone lead byte is one cell", "A\x93", -20, 10, MM_TEXT, {20, 20}},
        {"lometric through whole pixels", "AB", -254, 127, MM_LOMETRIC, {254, 254}},
    };
    for (const Case& c : cases) {
        CRecordingDC dc;
        dc.SetMapMode(c.mode);
        LOGFONT lf = MakeFont(c.height, c.width);
        CFont font;
        font.CreateFontIndirect(&lf);
        dc.SelectObject(&font);
        EXPECT_EQ(dc.GetTextExtent(c.text, static_cast<int>(std::strlen(c.text))), c.extent) << c.what;
        SIZE size;
        EXPECT_TRUE(dc.GetTextExtentPoint32(c.text, static_cast<int>(std::strlen(c.text)), &size));
        EXPECT_EQ(CSize(size), c.extent) << c.what;
    }
}

TEST(Text, MetricsDescribeTheCells)
{
    CRecordingDC dc;
    LOGFONT lf = MakeFont(-50, 20);
    CFont font;
    font.CreateFontIndirect(&lf);
    dc.SelectObject(&font);
    TEXTMETRIC tm;
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmHeight, 50);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, 50);
    EXPECT_EQ(tm.tmAscent, 43);
    EXPECT_EQ(tm.tmInternalLeading, 0);
    EXPECT_EQ(tm.tmAveCharWidth, 20);
    EXPECT_EQ(tm.tmMaxCharWidth, 40);
    EXPECT_EQ(tm.tmCharSet, SHIFTJIS_CHARSET);
}

TEST(Text, DrawingAgainInTheBackgroundColorErasesIt)
{
    const int escapements[] = {0, 300, 900, -450};
    for (int esc : escapements) {
        QImage image(300, 300, QImage::Format_RGB32);
        image.fill(qRgb(255, 255, 255));
        const QImage blank = image.copy();
        LOGFONT lf = MakeFont(-40, 20, esc);
        CFont font;
        font.CreateFontIndirect(&lf);
        {
            CPainterDC dc(&image, 96);
            dc.SetBkMode(TRANSPARENT);
            dc.SelectObject(&font);
            dc.SetTextColor(RGB(0, 0, 0));
            dc.TextOut(150, 150, kNihongo, 6);
            dc.TextOut(150, 150, "Ag", 2);
        }
        EXPECT_NE(image, blank) << esc;
        {
            CPainterDC dc(&image, 96);
            dc.SetBkMode(TRANSPARENT);
            dc.SelectObject(&font);
            dc.SetTextColor(RGB(255, 255, 255));
            dc.TextOut(150, 150, kNihongo, 6);
            dc.TextOut(150, 150, "Ag", 2);
        }
        EXPECT_EQ(image, blank) << esc;
        // No antialiasing: only the two colors ever appear.
    }
}

TEST(Text, InkIsOnlyTextAndBackgroundColors)
{
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(qRgb(255, 255, 255));
    {
        CPainterDC dc(&image, 96);
        LOGFONT lf = MakeFont(-30, 15, 200, kMincho);
        CFont font;
        font.CreateFontIndirect(&lf);
        dc.SelectObject(&font);
        dc.SetTextColor(RGB(255, 0, 0));
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(10, 60, kNihongo, 6);
    }
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            QRgb p = image.pixel(x, y) & 0xFFFFFF;
            ASSERT_TRUE(p == 0xFFFFFFu || p == 0xFF0000u) << x << "," << y;
        }
}

TEST(Text, AlignmentPlacesTheCellBox)
{
    // A full-width block fills most of its two cells; the ink must sit in the cell box that
    // the alignment puts at the reference point.
    const char block[] = "\x81\xa1";    // full-width black square
    struct Case {
        const char* what;
        UINT align;
        QRect cells;    // left, top, width, height of the two cells (ascent 43, descent 7)
    };
    const int x = 100, y = 100;
    const Case cases[] = {
        {"left top", TA_LEFT | TA_TOP, QRect(x, y, 40, 50)},
        {"right bottom", TA_RIGHT | TA_BOTTOM, QRect(x - 40, y - 50, 40, 50)},
        {"centre base line", TA_CENTER | TA_BASELINE, QRect(x - 20, y - 43, 40, 50)},
    };
    for (const Case& c : cases) {
        QImage image(200, 200, QImage::Format_RGB32);
        image.fill(qRgb(255, 255, 255));
        {
            CPainterDC dc(&image, 96);
            LOGFONT lf = MakeFont(-50, 20);
            CFont font;
            font.CreateFontIndirect(&lf);
            dc.SelectObject(&font);
            dc.SetBkMode(TRANSPARENT);
            dc.SetTextAlign(c.align);
            dc.TextOut(x, y, block, 2);
        }
        QRect ink = InkBox(image);
        ASSERT_FALSE(ink.isEmpty()) << c.what;
        EXPECT_TRUE(c.cells.adjusted(-1, -1, 1, 1).contains(ink)) << c.what << " ink " << ink.x() << "," << ink.y()
                                                                 << " " << ink.width() << "x" << ink.height();
        // The square spans most of the two cells' width.
        EXPECT_GE(ink.width(), 28) << c.what;
    }
}

TEST(Text, OpaqueTextFillsItsCellsAndEscapementTurnsTheBox)
{
    QImage image(300, 300, QImage::Format_RGB32);
    image.fill(qRgb(255, 255, 255));
    {
        CPainterDC dc(&image, 96);
        LOGFONT lf = MakeFont(-20, 10, 900);
        CFont font;
        font.CreateFontIndirect(&lf);
        dc.SelectObject(&font);
        dc.SetBkMode(OPAQUE);
        dc.SetBkColor(RGB(0, 0, 255));
        dc.SetTextAlign(TA_LEFT | TA_BOTTOM);
        dc.TextOut(150, 150, "ABCDEFGH", 8);
    }
    // Turned a quarter counter-clockwise: 80 pixels upwards from the reference point, 20 wide,
    // lying to the left of the reference point (the bottom of the text faces +x).
    QRect ink = InkBox(image);
    EXPECT_NEAR(ink.height(), 80, 1);
    EXPECT_NEAR(ink.width(), 20, 1);
    EXPECT_NEAR(ink.bottom(), 149, 1);
    EXPECT_NEAR(ink.right(), 149, 1);
}

TEST(Text, LaidTextsMatchTheirFilledOutlinesPixelForPixel)
{
    // A picture of three bytes a pixel is filled through the painter only; a picture of 32-bit
    // pixels gets unturned texts laid from their pixels. Both must show the same pixels, also
    // for a text laid again elsewhere, at half pixels (centred odd widths) and against the edges.
    struct FontCase {
        int height, width;
        const char* face;
        int weight;
        bool italic, underline, strikeOut;
    };
    const FontCase fonts[] = {
        {-7, 0, kGothic, FW_NORMAL, false, false, false},   {-12, 5, kMincho, FW_NORMAL, false, false, false},
        {-20, 13, kGothic, FW_BOLD, false, true, false},   {-33, 0, kMincho, FW_NORMAL, true, false, true},
        {-50, 21, kGothic, FW_NORMAL, false, true, true}, {-9, 4, kGothic, FW_NORMAL, false, true, false},
        // A few pixels high, as a whole drawing shows its texts: vertices fall on midpoints.
        {-2, 2, kGothic, FW_NORMAL, false, false, false}, {-3, 0, kMincho, FW_NORMAL, false, true, false},
    };
    const char* const texts[] = {kNihongo, "Ag", "ABC 123", "\x95\xb6\x8e\x9a\x97\xf1" "ABC", "A\x93", "   ", "1"};
    const UINT aligns[] = {TA_LEFT | TA_TOP, TA_CENTER | TA_BASELINE, TA_RIGHT | TA_BOTTOM};
    const int bkModes[] = {TRANSPARENT, OPAQUE};
    auto paint = [&](QImage::Format format) {
        QImage image(320, 240, format);
        image.fill(qRgb(255, 255, 255));
        CPainterDC dc(&image, 96);
        unsigned seed = 2024;
        int n = 0;
        for (const FontCase& fc : fonts)
            for (const char* text : texts)
                for (UINT align : aligns)
                    for (int bk : bkModes) {
                        LOGFONT lf = MakeFont(fc.height, fc.width, 0, fc.face);
                        lf.lfWeight = fc.weight;
                        lf.lfItalic = fc.italic;
                        lf.lfUnderline = fc.underline;
                        lf.lfStrikeOut = fc.strikeOut;
                        CFont font;
                        font.CreateFontIndirect(&lf);
                        dc.SelectObject(&font);
                        dc.SetTextAlign(align);
                        dc.SetBkMode(bk);
                        dc.SetBkColor(RGB(200, 230, 255));
                        // Twice each: the second is laid from what the first made.
                        for (int again = 0; again < 2; ++again) {
                            seed = seed * 1103515245u + 12345u;
                            // Mostly inside, some across the edges of the picture.
                            const int x = static_cast<int>(seed >> 8) % 360 - 20;
                            const int y = static_cast<int>(seed >> 16) % 280 - 20;
                            dc.SetTextColor(RGB(n * 37 % 256, n * 91 % 256, n * 53 % 256));
                            dc.TextOut(x, y, text, static_cast<int>(std::strlen(text)));
                            ++n;
                        }
                    }
        // Through a clip too: a text only partly inside is filled, one wholly inside is laid.
        RECT inner{100, 80, 220, 160};
        dc.SetDeviceClip(&inner);
        LOGFONT lf = MakeFont(-24, 0);
        CFont font;
        font.CreateFontIndirect(&lf);
        dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextAlign(TA_LEFT | TA_TOP);
        dc.SetTextColor(RGB(0, 128, 0));
        for (int x = 60; x < 240; x += 17)
            dc.TextOut(x, x / 2, kNihongo, 6);
        return image.convertToFormat(QImage::Format_RGB32);
    };
    const long laidBefore = CPainterDC::TextsLaidFromPixels();
    const QImage laid = paint(QImage::Format_RGB32);
    EXPECT_GT(CPainterDC::TextsLaidFromPixels() - laidBefore, 350);
    const QImage filled = paint(QImage::Format_RGB888);
    ASSERT_EQ(laid.size(), filled.size());
    int differing = 0;
    for (int y = 0; y < laid.height(); ++y)
        for (int x = 0; x < laid.width(); ++x)
            differing += laid.pixel(x, y) != filled.pixel(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_GT(InkBox(laid).width(), 200);
}
