// The recording device context: the text of every call, and the selection bookkeeping that
// both device contexts share.
#include "platform/core/String.h"
#include "platform/gdi/RecordingDC.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(RecordingDC, WritesEachCallAsOneLine)
{
    CRecordingDC dc;
    CPen pen(PS_DASH, 1, RGB(255, 0, 0));
    CBrush brush(RGB(1, 2, 3));
    LOGFONT lf;
    std::memset(&lf, 0, sizeof lf);
    lf.lfHeight = -40;
    lf.lfWidth = 20;
    lf.lfEscapement = 900;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    std::strcpy(lf.lfFaceName, kDefaultFontFace);
    CFont font;
    font.CreateFontIndirect(&lf);
    POINT poly[3] = {{0, 0}, {10, 0}, {10, 10}};
    RECT rect{1, 2, 3, 4};

    dc.SelectObject(&pen);
    dc.SelectObject(&brush);
    dc.SelectObject(&font);
    dc.SelectStockObject(NULL_BRUSH);
    dc.SetROP2(R2_XORPEN);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(10, 20, 30));
    dc.SetTextAlign(TA_BOTTOM);
    dc.MoveTo(90, -50);
    dc.LineTo(110, -50);
    dc.Arc(0, 10, 20, -10, 20, 0, 20, 0);
    dc.Ellipse(0, 0, 5, 5);
    dc.Rectangle(0, 0, 5, 5);
    dc.Polyline(poly, 3);
    dc.Polygon(poly, 3);
    dc.FillSolidRect(&rect, RGB(9, 8, 7));
    dc.PatBlt(5, 6, 15, 15, DSTINVERT);
    dc.SetPixel(3, 4, RGB(0, 0, 255));
    dc.TextOut(7, 8, "点A", 3);
    dc.TextOut(1, 2, CString("線"));
    const std::vector<std::string> expected = {
        "SelectPen(1,1,RGB(255,0,0))",
        "SelectBrush(RGB(1,2,3))",
        std::string("SelectFont(-40,20,900,400,128,\"") + kDefaultFontFace + "\")",
        "SelectBrush(null)",
        "SetROP2(7)",
        "SetBkMode(1)",
        "SetTextColor(RGB(10,20,30))",
        "SetTextAlign(8)",
        "MoveTo(90,-50)",
        "LineTo(110,-50)",
        "Arc(0,10,20,-10,20,0,20,0)",
        "Ellipse(0,0,5,5)",
        "Rectangle(0,0,5,5)",
        "Polyline(0,0,10,0,10,10)",
        "Polygon(0,0,10,0,10,10)",
        "FillSolidRect(1,2,3,4,RGB(9,8,7))",
        "PatBlt(5,6,15,15,0x550009)",
        "SetPixel(3,4,RGB(0,0,255))",
        "TextOut(7,8,\"点A\")",
        "TextOut(1,2,\"線\")",
    };
    EXPECT_EQ(dc.Calls(), expected);
    EXPECT_EQ(dc.CallsNamed({"MoveTo", "LineTo"}), (std::vector<std::string>{"MoveTo(90,-50)", "LineTo(110,-50)"}));
    EXPECT_EQ(dc.DrawingCalls().size(), 12u);
    EXPECT_EQ(dc.GetTextExtent(CString("線A")), CSize(60, 40));    // three cells of the selected font
    EXPECT_EQ(dc.Text().substr(0, 28), "SelectPen(1,1,RGB(255,0,0))\n");
    dc.Clear();
    EXPECT_TRUE(dc.Calls().empty());
}

TEST(RecordingDC, SelectionReturnsThePreviousObject)
{
    CRecordingDC dc;
    CPen* stockPen = dc.GetCurrentPen();
    ASSERT_NE(stockPen, nullptr);
    EXPECT_EQ(stockPen->m_color, RGB(0, 0, 0));

    CPen red(PS_SOLID, 3, RGB(255, 0, 0));
    CPen blue(PS_SOLID, 1, RGB(0, 0, 255));
    EXPECT_EQ(dc.SelectObject(&red), stockPen);
    EXPECT_EQ(dc.SelectObject(&blue), &red);
    EXPECT_EQ(dc.SelectObject(stockPen), &blue);

    // An object that was never created is refused and changes nothing.
    CPen empty;
    EXPECT_EQ(dc.SelectObject(&empty), nullptr);
    EXPECT_EQ(dc.GetCurrentPen(), stockPen);

    CBrush* stockBrush = dc.GetCurrentBrush();
    CGdiObject* previous = dc.SelectStockObject(NULL_BRUSH);
    EXPECT_EQ(previous, stockBrush);
    EXPECT_EQ(dc.SelectObject(static_cast<CGdiObject*>(stockBrush)), GetStockGdiObject(NULL_BRUSH));
}

TEST(RecordingDC, ModeSettersAnswerThePreviousValue)
{
    CRecordingDC dc;
    EXPECT_EQ(dc.SetROP2(R2_XORPEN), R2_COPYPEN);
    EXPECT_EQ(dc.SetROP2(R2_NOTXORPEN), R2_XORPEN);
    EXPECT_EQ(dc.SetROP2(17), 0);    // not an operation
    EXPECT_EQ(dc.GetROP2(), R2_NOTXORPEN);
    EXPECT_EQ(dc.SetTextAlign(TA_RIGHT | TA_BOTTOM), TA_LEFT | TA_TOP);
    EXPECT_EQ(dc.SetTextAlign(TA_BASELINE), TA_RIGHT | TA_BOTTOM);
    EXPECT_EQ(dc.SetBkMode(TRANSPARENT), OPAQUE);
    EXPECT_EQ(dc.SetTextColor(RGB(1, 2, 3)), RGB(0, 0, 0));
    EXPECT_EQ(dc.MoveTo(5, 6), CPoint(0, 0));
    EXPECT_EQ(dc.MoveTo(7, 8), CPoint(5, 6));
    dc.LineTo(9, 10);
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(9, 10));
    RECT r{0, 0, 10, 10};
    dc.FillSolidRect(&r, RGB(4, 5, 6));
    EXPECT_EQ(dc.GetBkColor(), RGB(4, 5, 6));    // as the framework leaves it
}

TEST(RecordingDC, StyledPensWiderThanOneAreSolid)
{
    struct Case {
        int style, width, expectedStyle;
    };
    const Case cases[] = {
        {PS_DASH, 1, PS_DASH}, {PS_DOT, 0, PS_DOT}, {PS_DASH, 2, PS_SOLID},
        {PS_DASHDOTDOT, 5, PS_SOLID}, {PS_NULL, 5, PS_NULL}, {PS_SOLID, 9, PS_SOLID},
    };
    for (const Case& c : cases) {
        CPen pen(c.style, c.width, RGB(0, 0, 0));
        EXPECT_EQ(pen.m_style, c.expectedStyle) << c.style << "/" << c.width;
        EXPECT_EQ(pen.m_width, c.width);
    }
    CPen bad;
    EXPECT_FALSE(bad.CreatePen(9, 1, 0));
    EXPECT_EQ(bad.m_hObject, nullptr);
}
