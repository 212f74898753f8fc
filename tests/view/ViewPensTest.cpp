// The view's pen widths, scaled and printer fonts, and color rules.
#include "ViewTestSupport.h"

#include "platform/gdi/DC.h"

namespace {

class ViewPens : public ViewFixture {};

TEST_F(ViewPens, ScaledPenWidthRoundsUpFromFourTenths)
{
    struct Case {
        int width;
        double zoom;
        int expected;
    } cases[] = {{10, 1, 1}, {13, 1, 1}, {15, 1, 2}, {4, 1, 1}, {1, 50, 1}, {30, 10, 30}, {29, 1, 3}, {0, 1, 1}};
    for (const Case& c : cases) {
        View().m_zoom = c.zoom;
        EXPECT_EQ(View().ScaledPenWidth(c.width), c.expected) << c.width << " at " << c.zoom;
    }
    // Mode 1 draws everything one unit wide; mode 2 holds a minimum.
    View().m_zoom = 1;
    m_app->m_appDraw.penWidthMode = 1;
    EXPECT_EQ(View().ScaledPenWidth(300), 1);
    m_app->m_appDraw.penWidthMode = 2;
    m_app->m_appDraw.m_displayValue6 = 6;
    EXPECT_EQ(View().ScaledPenWidth(15), 6);
    EXPECT_EQ(View().ScaledPenWidth(100), 10);
    // The printer also widens widths that come out at one.
    EXPECT_EQ(CZelkView::ScaledPrintPenWidth(10, 1.0), 2);
    EXPECT_EQ(CZelkView::ScaledPrintPenWidth(1, 9.0), 1);
    EXPECT_EQ(CZelkView::ScaledPrintPenWidth(25, 1.0), 3);
}

TEST_F(ViewPens, ScaledFontsRefuseWhatCannotBeShown)
{
    LOGFONT font{};
    int readable = -1;
    CRecordingDC dc;
    View().m_zoom = 1;
    ASSERT_TRUE(View().SelectScaledFont(&dc, font, SIZE{0, 40}, readable));
    EXPECT_EQ(View().m_font->m_logFont.lfHeight, -4);
    EXPECT_EQ(readable, 0);
    View().m_zoom = 0.2;
    EXPECT_FALSE(View().SelectScaledFont(&dc, font, SIZE{0, 40}, readable));
    View().m_zoom = 1;
    ASSERT_TRUE(View().SelectScaledFont(&dc, font, SIZE{100, 400}, readable));
    EXPECT_EQ(readable, 1);
    EXPECT_EQ(View().m_font->m_logFont.lfWidth, 10);
    EXPECT_FALSE(View().SelectScaledFont(&dc, font, SIZE{0, 100010}, readable));
    ASSERT_TRUE(View().SelectScaledFont(&dc, font, SIZE{0, 100000}, readable));
    EXPECT_EQ(View().m_font->m_logFont.lfHeight, -10000);
    EXPECT_TRUE(View().RestoreFont(&dc));
    EXPECT_FALSE(View().RestoreFont(&dc));
    EXPECT_EQ(View().m_font, nullptr);
}

TEST_F(ViewPens, RotatedPrintFontTurnsRightAnglesOffByATenth)
{
    struct Case {
        LONG escapement;
        signed char sign;
        LONG expected;
    } cases[] = {{-1800, 1, -1801}, {900, 1, 899}, {900, -1, -899}, {450, -1, -450}, {0, 1, 0}};
    for (const Case& c : cases) {
        LOGFONT font{};
        font.lfHeight = -40;
        font.lfEscapement = c.escapement;
        m_app->m_printAngleSign = c.sign;
        CRecordingDC dc;
        int readable = 1;
        ASSERT_TRUE(View().SelectRotatedPrintFont(&dc, font, readable));
        EXPECT_EQ(View().m_font->m_logFont.lfEscapement, c.expected) << c.escapement;
        View().RestoreFont(&dc);
    }
    LOGFONT font{};
    CRecordingDC dc;
    int readable = 1;
    ASSERT_TRUE(View().SelectPrintFont(&dc, font, SIZE{35, 45}, readable));
    EXPECT_EQ(View().m_font->m_logFont.lfHeight, -4);
    EXPECT_EQ(View().m_font->m_logFont.lfWidth, 3);
    View().RestoreFont(&dc);
}

TEST_F(ViewPens, ColorsCloseToTheBackgroundAreComplemented)
{
    struct Case {
        COLORREF back;
        COLORREF in;
        COLORREF out;
    } cases[] = {
        {RGB(255, 255, 255), RGB(220, 230, 240), RGB(35, 25, 15)},
        {RGB(255, 255, 255), RGB(200, 230, 240), RGB(200, 230, 240)},
        {RGB(235, 255, 255), RGB(250, 250, 250), RGB(5, 5, 5)},
        {RGB(0, 0, 0), RGB(10, 20, 54), RGB(245, 235, 201)},
        {RGB(0, 0, 0), RGB(10, 20, 55), RGB(10, 20, 55)},
        // Any other background changes nothing.
        {RGB(128, 128, 128), RGB(250, 250, 250), RGB(250, 250, 250)},
    };
    for (const Case& c : cases) {
        View().m_backColor = c.back;
        COLORREF color = c.in;
        View().AdjustColorToBackground(color);
        EXPECT_EQ(color, c.out);
    }
    m_app->m_appColor.adjustOnScreen = 0;
    View().m_backColor = RGB(255, 255, 255);
    COLORREF color = RGB(250, 250, 250);
    View().AdjustColorToBackground(color);
    EXPECT_EQ(color, RGB(250, 250, 250));

    COLORREF printed = RGB(220, 230, 240);
    CZelkView::AdjustColorForPrint(printed);
    EXPECT_EQ(printed, RGB(35, 25, 15));

    COLORREF gray = 0;
    CZelkView::GetGrayColor(gray);
    EXPECT_EQ(gray, RGB(149, 149, 149));
}

TEST_F(ViewPens, BlurFadesTowardTheBackgroundOnlyOnLightOrBlack)
{
    View().m_backColor = RGB(255, 255, 255);
    const int expected[] = {167, 130, 76, 0};
    for (int pass = 0; pass <= 3; ++pass) {
        COLORREF c = RGB(0, 0, 0);
        View().BlurColor(c, 70, 3, pass);
        EXPECT_EQ(c, RGB(expected[pass], expected[pass], expected[pass])) << pass;
    }
    View().m_backColor = RGB(0, 0, 0);
    COLORREF c = RGB(200, 100, 0);
    View().BlurColor(c, 50, 1, 0);
    EXPECT_EQ(c, RGB(100, 50, 0));
    View().m_backColor = RGB(10, 10, 10);
    c = RGB(200, 100, 0);
    View().BlurColor(c, 50, 1, 0);
    EXPECT_EQ(c, RGB(200, 100, 0));
    // A count of zero leaves the color.
    View().m_backColor = RGB(255, 255, 255);
    View().BlurColor(c, 50, 0, 0);
    EXPECT_EQ(c, RGB(200, 100, 0));
    // The printer always fades toward white.
    c = RGB(0, 0, 0);
    CZelkView::BlurColorForPrint(c, 50, 1, 0);
    EXPECT_EQ(c, RGB(127, 127, 127));
}

TEST_F(ViewPens, PenSelectionRestoresTheFirstPen)
{
    CRecordingDC dc;
    CPen* stock = dc.GetCurrentPen();
    ASSERT_TRUE(View().SelectDrawingPen(&dc, PS_DASH, 1, RGB(1, 2, 3)));
    EXPECT_EQ(dc.GetCurrentPen(), View().m_pen);
    EXPECT_TRUE(View().RestoreDrawingPen(&dc));
    EXPECT_EQ(dc.GetCurrentPen(), stock);
    EXPECT_FALSE(View().RestoreDrawingPen(&dc));
    EXPECT_FALSE(View().SelectDrawingPen(&dc, 99, 1, RGB(1, 2, 3)));
    CPen* previous = View().SelectNewPen(&dc, PS_SOLID, 3, RGB(4, 5, 6));
    ASSERT_NE(previous, nullptr);
    View().RestoreOldPen(&dc, previous);
    EXPECT_EQ(dc.GetCurrentPen(), stock);
}

}  // namespace
