// The painting device context on an image: pixel rules of lines, arcs and raster operations.
#include "platform/gdi/PainterDC.h"

#include <QImage>
#include <QPainter>
#include <QPicture>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

namespace {

QImage Canvas(int w = 200, int h = 200, QRgb fill = qRgb(255, 255, 255))
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

bool Inked(const QImage& image, int x, int y, QRgb background = qRgb(255, 255, 255))
{
    return (image.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF);
}

int InkCount(const QImage& image, QRgb background = qRgb(255, 255, 255))
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += Inked(image, x, y, background);
    return n;
}

// A busy background, so that raster operations meet every kind of pixel.
QImage Noise(int w = 200, int h = 200)
{
    QImage image(w, h, QImage::Format_RGB32);
    unsigned v = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            v = v * 1103515245u + 12345u;
            image.setPixel(x, y, 0xFF000000u | (v >> 8));
        }
    return image;
}

} // namespace

TEST(PainterDC, LineToLeavesOutItsLastPixel)
{
    QImage image = Canvas();
    {
        CPainterDC dc(&image, 96);
        dc.MoveTo(10, 10);
        dc.LineTo(20, 10);
        dc.MoveTo(30, 30);
        dc.LineTo(30, 25);
        dc.MoveTo(50, 50);
        dc.LineTo(50, 50);    // nothing at all
    }
    for (int x = 10; x < 20; ++x)
        EXPECT_TRUE(Inked(image, x, 10)) << x;
    EXPECT_FALSE(Inked(image, 20, 10));
    EXPECT_FALSE(Inked(image, 9, 10));
    EXPECT_TRUE(Inked(image, 30, 26));
    EXPECT_FALSE(Inked(image, 30, 25));
    EXPECT_FALSE(Inked(image, 50, 50));
    EXPECT_EQ(InkCount(image), 10 + 5);
}

TEST(PainterDC, ExclusiveOrTwiceRestoresEveryPixel)
{
    using Figure = std::function<void(CDC&)>;
    POINT star[5] = {{20, 20}, {180, 60}, {30, 170}, {100, 10}, {150, 180}};
    struct Case {
        const char* what;
        Figure draw;
    };
    const Case figures[] = {
        {"segments", [](CDC& dc) { dc.MoveTo(5, 7); dc.LineTo(190, 133); dc.LineTo(20, 180); dc.LineTo(5, 7); }},
        {"dashed", [](CDC& dc) {
             CPen pen(PS_DASHDOT, 1, RGB(12, 200, 7));
             CPen* old = dc.SelectObject(&pen);
             dc.MoveTo(3, 100);
             dc.LineTo(197, 101);
             dc.SelectObject(old);
         }},
        {"wide", [](CDC& dc) {
             CPen pen(PS_SOLID, 9, RGB(0, 255, 0));
             CPen* old = dc.SelectObject(&pen);
             dc.MoveTo(10, 10);
             dc.LineTo(150, 170);
             dc.SelectObject(old);
         }},
        {"arc", [](CDC& dc) { dc.Arc(10, 10, 190, 150, 190, 80, 100, 10); }},
        {"full ellipse by arc", [](CDC& dc) { dc.Arc(20, 30, 180, 170, 5, 5, 5, 5); }},
        {"filled shapes", [&](CDC& dc) {
             CBrush brush(RGB(0, 128, 255));
             CBrush* old = dc.SelectObject(&brush);
             dc.Ellipse(10, 10, 120, 90);
             dc.Rectangle(60, 60, 190, 190);
             dc.Polygon(star, 5);
             dc.SelectObject(old);
         }},
        {"polyline crossing itself", [&](CDC& dc) { dc.Polyline(star, 5); }},
        {"far outside the device", [](CDC& dc) { dc.MoveTo(-2000000000, -5); dc.LineTo(2000000000, 90); }},
    };
    const int rops[] = {R2_XORPEN, R2_NOTXORPEN, R2_NOT};
    for (int rop : rops) {
        for (const Case& c : figures) {
            QImage image = Noise();
            const QImage before = image.copy();
            {
                CPainterDC dc(&image, 96);
                CPen pen(PS_SOLID, 1, RGB(0x5A, 0xC3, 0x0F));
                dc.SelectObject(&pen);
                dc.SetROP2(rop);
                c.draw(dc);
            }
            EXPECT_NE(image, before) << c.what << " rop " << rop << " drew nothing";
            {
                CPainterDC dc(&image, 96);
                CPen pen(PS_SOLID, 1, RGB(0x5A, 0xC3, 0x0F));
                dc.SelectObject(&pen);
                dc.SetROP2(rop);
                c.draw(dc);
            }
            EXPECT_EQ(image, before) << c.what << " rop " << rop;
        }
    }
}

TEST(PainterDC, RasterOperationsActOnTheBits)
{
    struct Case {
        int rop;
        QRgb screen;
        COLORREF pen;
        QRgb expected;
    };
    const Case cases[] = {
        {R2_COPYPEN, qRgb(1, 2, 3), RGB(200, 100, 50), qRgb(200, 100, 50)},
        {R2_XORPEN, qRgb(0xF0, 0x0F, 0xAA), RGB(0xFF, 0x0F, 0x0A), qRgb(0x0F, 0x00, 0xA0)},
        {R2_NOTXORPEN, qRgb(0xF0, 0x0F, 0xAA), RGB(0xFF, 0x0F, 0x0A), qRgb(0xF0, 0xFF, 0x5F)},
        {R2_NOT, qRgb(0x12, 0x34, 0x56), RGB(0, 0, 0), qRgb(0xED, 0xCB, 0xA9)},
        {R2_MERGEPEN, qRgb(0x10, 0x20, 0x30), RGB(0x01, 0x02, 0x03), qRgb(0x11, 0x22, 0x33)},
        {R2_MASKPEN, qRgb(0x1F, 0x2F, 0x3F), RGB(0xF1, 0xF2, 0xF3), qRgb(0x11, 0x22, 0x33)},
        {R2_BLACK, qRgb(9, 9, 9), RGB(200, 0, 0), qRgb(0, 0, 0)},
        {R2_NOP, qRgb(9, 9, 9), RGB(200, 0, 0), qRgb(9, 9, 9)},
    };
    for (const Case& c : cases) {
        QImage image = Canvas(20, 20, c.screen);
        {
            CPainterDC dc(&image, 96);
            CPen pen(PS_SOLID, 1, c.pen);
            dc.SelectObject(&pen);
            dc.SetROP2(c.rop);
            dc.MoveTo(2, 5);
            dc.LineTo(12, 5);
        }
        EXPECT_EQ(image.pixel(4, 5) & 0xFFFFFF, c.expected & 0xFFFFFF) << "rop " << c.rop;
        EXPECT_EQ(image.pixel(4, 6) & 0xFFFFFF, c.screen & 0xFFFFFF) << "rop " << c.rop;
    }
}

TEST(PainterDC, DashPatternsAndWidePens)
{
    QImage image = Canvas(200, 60);
    {
        CPainterDC dc(&image, 96);
        dc.SetBkMode(TRANSPARENT);
        CPen dash(PS_DASH, 1, RGB(0, 0, 0));
        dc.SelectObject(&dash);
        dc.MoveTo(0, 5);
        dc.LineTo(100, 5);
        CPen dot(PS_DOT, 0, RGB(0, 0, 0));
        dc.SelectObject(&dot);
        dc.MoveTo(0, 10);
        dc.LineTo(100, 10);
        CPen wideDash(PS_DASH, 7, RGB(0, 0, 0));    // made solid
        dc.SelectObject(&wideDash);
        dc.MoveTo(20, 40);
        dc.LineTo(180, 40);
    }
    // Dashes of 18 pixels and gaps of 6, dots of 3 and gaps of 3.
    for (int x = 0; x < 18; ++x)
        EXPECT_TRUE(Inked(image, x, 5)) << x;
    for (int x = 18; x < 24; ++x)
        EXPECT_FALSE(Inked(image, x, 5)) << x;
    EXPECT_TRUE(Inked(image, 24, 5));
    EXPECT_TRUE(Inked(image, 2, 10));
    EXPECT_FALSE(Inked(image, 3, 10));
    EXPECT_FALSE(Inked(image, 5, 10));
    EXPECT_TRUE(Inked(image, 6, 10));
    // Solid all along, round beyond both ends, 7 pixels across.
    for (int x = 20; x < 180; ++x)
        EXPECT_TRUE(Inked(image, x, 40)) << x;
    EXPECT_TRUE(Inked(image, 17, 40));
    EXPECT_TRUE(Inked(image, 182, 40));
    EXPECT_FALSE(Inked(image, 17, 37));    // a round end, not a square one
    EXPECT_TRUE(Inked(image, 100, 37));
    EXPECT_TRUE(Inked(image, 100, 43));
    EXPECT_FALSE(Inked(image, 100, 45));
}

TEST(PainterDC, OpaqueGapsTakeTheBackgroundColor)
{
    QImage image = Canvas(60, 10, qRgb(0, 0, 0));
    {
        CPainterDC dc(&image, 96);
        dc.SetBkColor(RGB(0, 0, 255));
        CPen dash(PS_DASH, 1, RGB(255, 0, 0));
        dc.SelectObject(&dash);
        dc.MoveTo(0, 5);
        dc.LineTo(50, 5);
    }
    EXPECT_EQ(image.pixel(5, 5) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.pixel(20, 5) & 0xFFFFFF, 0x0000FFu);
}

TEST(PainterDC, ArcsRunCounterClockwiseAsSeen)
{
    // One quarter each: from the east point to the north point as seen on the screen.
    struct Case {
        const char* what;
        int mode;
    };
    const Case cases[] = {{"device y down", MM_TEXT}, {"logical y up", MM_LOMETRIC}};
    for (const Case& c : cases) {
        QImage image = Canvas(300, 300);
        {
            CPainterDC dc(&image, 96);
            dc.SetMapMode(c.mode);
            if (c.mode == MM_TEXT) {
                dc.Arc(50, 50, 251, 251, 250, 150, 150, 50);
            } else {
                // The same device square: (50,50)-(251,251) is x 132..663, y -132..-663 at 96 dpi.
                dc.Arc(132, -132, 664, -664, 664, -398, 398, -132);
            }
        }
        // The upper-right quarter is drawn, the others not.
        EXPECT_TRUE(Inked(image, 220, 80) || Inked(image, 221, 79) || Inked(image, 221, 80)) << c.what;
        EXPECT_GT(InkCount(image), 100) << c.what;
        int upperRight = 0, elsewhere = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 300; ++x)
                if (Inked(image, x, y))
                    (x >= 148 && y <= 152 ? upperRight : elsewhere)++;
        EXPECT_EQ(elsewhere, 0) << c.what;
        EXPECT_GT(upperRight, 100) << c.what;
    }
}

TEST(PainterDC, ArcWithEqualRaysIsTheWholeEllipseAndRectangleIsNormalised)
{
    QImage a = Canvas(), b = Canvas();
    {
        CPainterDC dc(&a, 96);
        dc.Arc(20, 180, 180, 20, 100, 0, 100, 0);    // corners given upside down
    }
    {
        CPainterDC dc(&b, 96);
        dc.SelectStockObject(NULL_BRUSH);
        dc.Ellipse(20, 20, 180, 180);
    }
    EXPECT_EQ(a, b);
    // Extremes: left, top, right-1, bottom-1 are on the figure.
    EXPECT_TRUE(Inked(a, 20, 100) || Inked(a, 20, 99));
    EXPECT_TRUE(Inked(a, 179, 100) || Inked(a, 179, 99));
    EXPECT_TRUE(Inked(a, 100, 20) || Inked(a, 99, 20));
    EXPECT_TRUE(Inked(a, 100, 179) || Inked(a, 99, 179));
    EXPECT_FALSE(Inked(a, 180, 100));
    EXPECT_FALSE(Inked(a, 100, 180));
}

TEST(PainterDC, FillsCoverTheirBoxWithoutRightAndBottomEdges)
{
    QImage image = Canvas(50, 50);
    {
        CPainterDC dc(&image, 96);
        CBrush red(RGB(255, 0, 0));
        RECT r{10, 10, 20, 15};
        dc.FillRect(&r, &red);
        dc.FillSolidRect(30, 30, 5, 5, RGB(0, 255, 0));
        dc.PatBlt(30, 30, 2, 2, DSTINVERT);
        dc.SetPixel(45, 45, RGB(0, 0, 255));
    }
    EXPECT_EQ(image.pixel(10, 10) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.pixel(19, 14) & 0xFFFFFF, 0xFF0000u);
    EXPECT_FALSE(Inked(image, 20, 14));
    EXPECT_FALSE(Inked(image, 19, 15));
    EXPECT_EQ(image.pixel(31, 31) & 0xFFFFFF, 0xFF00FFu);    // green inverted
    EXPECT_EQ(image.pixel(32, 32) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(image.pixel(45, 45) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(InkCount(image), 50 + 25 + 1);
}

TEST(PainterDC, DrawingStaysInsideTheClip)
{
    QImage image = Canvas(100, 100);
    {
        CPainterDC dc(&image, 96);
        RECT clip{20, 20, 40, 40};
        dc.SetDeviceClip(&clip);
        CPen wide(PS_SOLID, 5, RGB(0, 0, 0));
        dc.MoveTo(0, 30);
        dc.LineTo(100, 30);
        dc.SelectObject(&wide);
        dc.MoveTo(30, 0);
        dc.LineTo(30, 100);
        dc.FillSolidRect(0, 0, 100, 5, RGB(0, 0, 0));
    }
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            if (Inked(image, x, y)) {
                EXPECT_TRUE(x >= 20 && x < 40 && y >= 20 && y < 40) << x << "," << y;
            }
    EXPECT_TRUE(Inked(image, 20, 30));
    EXPECT_TRUE(Inked(image, 39, 30));
}

TEST(PainterDC, PaintsOnDevicesThatAreNotImages)
{
    // A recorded picture stands in for a printer: no pixels to combine, the same calls.
    QPicture picture;
    picture.setBoundingRect(QRect(0, 0, 200, 200));
    {
        CPainterDC dc(&picture, 96);
        EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 200);
        dc.MoveTo(10, 10);
        dc.LineTo(190, 10);
        CPen dash(PS_DASH, 1, RGB(255, 0, 0));
        dc.SelectObject(&dash);
        dc.MoveTo(10, 30);
        dc.LineTo(190, 30);
        CPen wide(PS_SOLID, 5, RGB(0, 0, 255));
        dc.SelectObject(&wide);
        dc.Arc(20, 50, 180, 190, 180, 120, 100, 50);
        CBrush brush(RGB(0, 255, 0));
        dc.SelectObject(&brush);
        dc.Ellipse(60, 100, 100, 140);
        dc.SetROP2(R2_XORPEN);
        dc.MoveTo(10, 195);
        dc.LineTo(190, 195);
        dc.PatBlt(150, 150, 10, 10, DSTINVERT);
        dc.SetPixel(5, 5, RGB(1, 2, 3));
    }
    QImage image = Canvas(200, 200);
    {
        QPainter painter(&image);
        picture.play(&painter);
    }
    EXPECT_TRUE(Inked(image, 100, 10));
    EXPECT_TRUE(Inked(image, 12, 30));
    EXPECT_FALSE(Inked(image, 30, 30));    // in the first gap of the dashes
    EXPECT_TRUE(Inked(image, 80, 120));    // the filled ellipse
    EXPECT_GT(InkCount(image), 500);
}

TEST(PainterDC, ContextsOpenedTogetherOnOneDeviceShareItsPainter)
{
    // A client context opened while a paint context paints the same window, and ended in either
    // order: both draw, and the device is free again after the last.
    struct Case {
        bool innerEndsFirst;
    };
    for (const Case c : { Case{ true }, Case{ false } }) {
        SCOPED_TRACE(c.innerEndsFirst);
        QImage image = Canvas();
        auto outer = std::make_unique<CPainterDC>(&image, 96);
        auto inner = std::make_unique<CPainterDC>(&image, 96);
        EXPECT_EQ(outer->GetPainter(), inner->GetPainter());
        EXPECT_TRUE(inner->GetPainter()->isActive());
        // A wide pen and a fill go through the painter, not the pixels.
        CPen wide(PS_SOLID, 5, RGB(255, 0, 0));
        inner->SelectObject(&wide);
        inner->MoveTo(10, 100);
        inner->LineTo(190, 100);
        CBrush blue(RGB(0, 0, 255));
        const RECT box{ 20, 20, 60, 60 };
        outer->FillRect(&box, &blue);
        if (c.innerEndsFirst) {
            inner.reset();
            outer->Ellipse(120, 20, 160, 60);
            outer.reset();
        } else {
            outer.reset();
            inner->Ellipse(120, 20, 160, 60);
            inner.reset();
        }
        EXPECT_EQ(image.pixel(100, 100) & 0xFFFFFF, 0xFF0000u);
        EXPECT_EQ(image.pixel(40, 40) & 0xFFFFFF, 0x0000FFu);
        EXPECT_TRUE(Inked(image, 120, 40));
        EXPECT_FALSE(image.paintingActive());
        QPainter free(&image);
        EXPECT_TRUE(free.isActive());
    }
}

// Thin rings shared by box size and moved to each box lay the pixels each box's own ring lays:
// boxes of odd and even sides (centres on and between pixels), at many places, in and across
// the clip's edges, whole and in pieces, solid, dashed and exclusive-or.
TEST(PainterDC, SharedRingsLayThePixelsOfEachBoxsOwnRing)
{
    auto paint = [](bool share) {
        const bool was = CPainterDC::s_shareRings;
        CPainterDC::s_shareRings = share;
        QImage image = Noise(640, 480);
        {
            CPainterDC dc(&image, 96);
            dc.SelectStockObject(NULL_BRUSH);
            unsigned v = 2024;
            auto next = [&v](int n) {
                v = v * 1103515245u + 12345u;
                return static_cast<int>((v >> 8) % static_cast<unsigned>(n));
            };
            CPen solid(PS_SOLID, 1, RGB(10, 20, 30));
            CPen dash(PS_DASH, 1, RGB(200, 0, 0));
            CPen dot(PS_DOT, 0, RGB(0, 0, 200));
            CPen* pens[] = {&solid, &dash, &dot};
            for (int i = 0; i < 3000; ++i) {
                dc.SelectObject(pens[i % 3]);
                dc.SetROP2(i % 4 == 3 ? R2_XORPEN : R2_COPYPEN);
                const int w = 1 + next(i % 10 == 0 ? 300 : 40), h = i % 5 == 0 ? w : 1 + next(40);
                const int x = next(720) - 40, y = next(560) - 40;
                if (i % 2 == 0)
                    dc.Ellipse(x, y, x + w, y + h);
                else
                    dc.Arc(x, y, x + w, y + h, x + next(w + 1), y - 5 + next(h + 10), x + next(w + 1), y + next(h + 1));
            }
        }
        CPainterDC::s_shareRings = was;
        return image;
    };
    const QImage shared = paint(true), own = paint(false);
    ASSERT_EQ(shared.size(), own.size());
    int differing = 0;
    for (int y = 0; y < shared.height(); ++y)
        differing += std::memcmp(shared.constScanLine(y), own.constScanLine(y), static_cast<size_t>(shared.bytesPerLine())) != 0;
    EXPECT_EQ(differing, 0);
    EXPECT_NE(shared, Noise(640, 480));
}
