// Texts of every layout painted through the element code onto an image, saved as
// text-layout.png in the build folder for a person to look at. Only "something was painted" is
// asserted: whether it looks right is for the eye.
#include "app/ZelkApp.h"
#include "elements/Text.h"
#include "elements/TypeFont.h"
#include "platform/core/CodePage.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/PainterDC.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>

namespace {

// This file includes Qt and keeps UTF-8 literals: texts are converted to Shift-JIS here.
CString Sjis(const char* utf8)
{
    return CString(Utf8ToCp932(utf8));
}

CPointD P(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

struct Sample {
    const char* text;
    double x, y;
    int direction;  // 0 standard, 1 row, 2 column
    double angle;
    int alignment;
};

} // namespace

TEST(TextLayoutPicture, PaintsEveryLayout)
{
    CZelkApp app;
    CZelkApp* previous = g_pApp;
    g_pApp = &app;
    app.LoadSettings();
    app.m_appDraw.m_showTextUnderline = 1;

    QImage image(800, 500, QImage::Format_RGB32);  // pixels
    image.fill(Qt::white);
    {
        CPainterDC dc(&image, 96);
        // Tenths of a millimetre with y up, as the drawing views map; positions below are in
        // pixels and scaled by k.
        dc.SetMapMode(MM_LOMETRIC);
        const double k = 254.0 / 96.0;
        const Sample samples[] = {
            {"標準の文字列 ABC", 20, 460, 0, 0, 8},
            {"横書きの行、字間０．５", 20, 380, 1, 0, 8},
            {"縦書きの列。ｶﾞ字、", 700, 470, 2, -90, 0},
            {"斜めの文字列", 60, 100, 0, 30, 8},
            {"右揃え RIGHT", 780, 40, 1, 0, 10},
        };
        const int height = static_cast<int>(24 * k), width = static_cast<int>(12 * k);
        for (const Sample& s : samples) {
            CTypeFont font;
            font.m_angle = s.angle;
            font.m_spacing = 0.5;
            font.m_width = width * 10;
            font.m_height = height * 10;
            font.m_style2 = s.direction ? 2 : 1;
            font.m_style3 = static_cast<std::uint8_t>(s.direction == 2 ? 2 : 1);
            LOGFONT lf{};
            lf.lfHeight = -height;
            lf.lfWidth = width;
            lf.lfEscapement = s.direction == 2 ? 0 : static_cast<LONG>(s.angle * 10);
            lf.lfCharSet = SHIFTJIS_CHARSET;
            std::strcpy(lf.lfFaceName, Sjis("ＭＳ ゴシック").GetString());
            CFont cfont;
            cfont.CreateFontIndirect(&lf);
            CFont* old = dc.SelectObject(&cfont);

            CText t;
            t.m_text = Sjis(s.text);
            // World y up becomes image y down: mirror the anchor into the image's rows.
            t.m_point = P(s.x * k, -(500 - s.y) * k);
            t.m_alignment = s.alignment;
            double rad = s.angle * 3.141592653589793 / 180;
            double len = t.m_text.GetLength() * width;
            t.m_underlineStart = t.m_point;
            t.m_underlineEnd = P(t.m_point.m_x + len * std::cos(rad), t.m_point.m_y + len * std::sin(rad));
            if (t.m_underlineEnd.m_x < t.m_underlineStart.m_x)
                std::swap(t.m_underlineStart, t.m_underlineEnd);
            CRectD clip;
            clip.Init(0, 0, 800 * k, -500 * k);
            if (s.direction == 0)
                t.Draw(&dc, P(0, 0), 1.0, clip, 1, RGB(0, 0, 128), rad, height);
            else
                t.DrawLayout(&dc, P(0, 0), 1.0, clip, 1, RGB(128, 0, 0), height, width, &font);
            dc.SelectObject(old);
        }
    }
    image.save(QString::fromUtf8(ZELK_BINARY_DIR "/text-layout.png"));
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                ++inked;
    EXPECT_GT(inked, 500);
    g_pApp = previous;
}
