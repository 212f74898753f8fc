// The view's pens, fonts and color rules: scaled pen widths, scaled and printer fonts, the gray
// of other layers, the complement of colors that would vanish on the background, blur fading.
#include "view/ZelkView.h"

#include "app/ZelkApp.h"
#include "elements/ElementDrawing.h"
#include "platform/gdi/DC.h"

#include <climits>
#include <cmath>

namespace {

BYTE Threshold()
{
    return g_pApp ? g_pApp->m_appColor.complementThreshold : 55;
}

bool AllAbove(COLORREF c, int limit)
{
    return GetRValue(c) > limit && GetGValue(c) > limit && GetBValue(c) > limit;
}

bool AllBelow(COLORREF c, int limit)
{
    return GetRValue(c) < limit && GetGValue(c) < limit && GetBValue(c) < limit;
}

COLORREF Complement(COLORREF c)
{
    return RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c));
}

// f = 1 - (attenuation / 100) ^ (count - pass).
double BlurFactor(int attenuation, int count, int pass)
{
    return 1.0 - std::pow(attenuation * 0.01, count - pass);
}

COLORREF FadeToWhite(COLORREF c, double f)
{
    auto fade = [f](int v) { return v + TruncToInt(f * (255 - v)); };
    return RGB(fade(GetRValue(c)), fade(GetGValue(c)), fade(GetBValue(c)));
}

// Width rounding of the screen and the printer: up from a fraction above 0.4, and up from a
// width too thin to show (0 on the screen, up to 1 on the printer).
int RoundWidth(double x, bool printer)
{
    int w = TruncToInt(x);
    const bool thin = printer ? w <= 1 : w == 0;
    if ((x - w > 0.4 || thin) && w < INT_MAX)
        ++w;
    return w;
}

// The checks every font selection makes on the height it computed; 0 when no font is made.
int CheckFontHeight(LONG height, int& readable)
{
    readable = 1;
    if (height >= 0 || height < -10000)
        return 0;
    if (height >= -5)
        readable = 0;
    return 1;
}

// Selects the DC's first object back and deletes the view's own one that it replaces.
template <class T>
BOOL RestoreFirstObject(CDC* dc, T*& first, T*& current)
{
    if (!first)
        return FALSE;
    if (dc->SelectObject(first) == current)
        delete current;
    current = nullptr;
    first = nullptr;
    return TRUE;
}

}  // namespace

// ---- pens --------------------------------------------------------------------------------

BOOL CZelkView::SelectDrawingPen(CDC* dc, int style, int width, COLORREF color)
{
    auto* pen = new CPen;
    if (!pen->CreatePen(style, width, color)) {
        delete pen;
        return FALSE;
    }
    CPen* previous = dc->SelectObject(pen);
    if (!previous) {
        delete pen;
        return FALSE;
    }
    m_firstOldPen = previous;
    m_pen = pen;
    return TRUE;
}

BOOL CZelkView::RestoreDrawingPen(CDC* dc)
{
    return RestoreFirstObject(dc, m_firstOldPen, m_pen);
}

CPen* CZelkView::SelectNewPen(CDC* dc, int style, int width, COLORREF color)
{
    auto* pen = new CPen;
    if (!pen->CreatePen(style, width, color)) {
        delete pen;
        return nullptr;
    }
    CPen* previous = dc->SelectObject(pen);
    if (!previous)
        delete pen;
    return previous;
}

void CZelkView::RestoreOldPen(CDC* dc, CPen* previous)
{
    if (!previous)
        return;
    delete dc->SelectObject(previous);
}

// ---- fonts -------------------------------------------------------------------------------

BOOL CZelkView::SelectScaledFont(CDC* dc, LOGFONT font, SIZE size, int& readable)
{
    font.lfHeight = -TruncToInt(size.cy * m_zoom * 0.1);
    font.lfWidth = TruncToInt(size.cx * m_zoom * 0.1);
    return SelectCheckedFont(dc, font, readable);
}

CFont* CZelkView::CreateScaledFont(CDC* dc, LOGFONT font, SIZE size, double zoom, int& readable)
{
    font.lfHeight = -TruncToInt(size.cy * zoom * 0.1);
    font.lfWidth = TruncToInt(size.cx * zoom * 0.1);
    if (!CheckFontHeight(font.lfHeight, readable))
        return nullptr;
    auto* made = new CFont;
    if (!made->CreateFontIndirect(&font)) {
        delete made;
        return nullptr;
    }
    return dc->SelectObject(made);
}

void CZelkView::RestoreGivenFont(CDC* dc, CFont* previous)
{
    if (!previous)
        return;
    delete dc->SelectObject(previous);
}

BOOL CZelkView::SelectPrintFont(CDC* dc, LOGFONT font, SIZE size, int& readable)
{
    font.lfHeight = size.cy / -10;
    font.lfWidth = size.cx / 10;
    return SelectCheckedFont(dc, font, readable);
}

BOOL CZelkView::SelectRotatedPrintFont(CDC* dc, LOGFONT font, int& readable)
{
    // Exact right angles are turned off by a tenth of a degree: some printers drop them.
    if (font.lfEscapement != 0 && font.lfEscapement % 900 == 0)
        font.lfEscapement -= 1;
    font.lfEscapement *= g_pApp ? g_pApp->m_printAngleSign : 1;
    return SelectCheckedFont(dc, font, readable);
}

BOOL CZelkView::SelectCheckedFont(CDC* dc, const LOGFONT& font, int& readable)
{
    if (!CheckFontHeight(font.lfHeight, readable))
        return FALSE;
    auto* made = new CFont;
    if (!made->CreateFontIndirect(&font)) {
        delete made;
        return FALSE;
    }
    CFont* previous = dc->SelectObject(made);
    if (!m_firstOldFont)
        m_firstOldFont = previous;
    else if (previous == m_font)
        delete previous;
    m_font = made;
    return TRUE;
}

BOOL CZelkView::RestoreFont(CDC* dc)
{
    return RestoreFirstObject(dc, m_firstOldFont, m_font);
}

// ---- widths and colors ---------------------------------------------------------------------

int CZelkView::ScaledPenWidth(int width) const
{
    const short mode = g_pApp ? g_pApp->m_appDraw.penWidthMode : 3;
    if (mode == 1 || width == 1)
        return 1;
    int w = RoundWidth(width * m_zoom * 0.1, false);
    if (mode == 2 && g_pApp && w < g_pApp->m_appDraw.minPenWidth())
        w = g_pApp->m_appDraw.minPenWidth();
    return w;
}

int CZelkView::ScaledPrintPenWidth(int width, double scale)
{
    if (width == 1)
        return 1;
    return RoundWidth(width * scale * 0.1, true);
}

void CZelkView::AdjustColorToBackground(COLORREF& color) const
{
    if (!g_pApp || !g_pApp->m_appColor.adjustOnScreen)
        return;
    const CAppColor& colors = g_pApp->m_appColor;
    const int t = Threshold();
    if (m_backColor == colors.white() || m_backColor == colors.altBackColor) {
        if (AllAbove(color, 255 - t))
            color = Complement(color);
    } else if (m_backColor == colors.black()) {
        if (AllBelow(color, t))
            color = Complement(color);
    }
}

void CZelkView::AdjustColorForPrint(COLORREF& color)
{
    if (!g_pApp || !g_pApp->m_appColor.adjustOnPrint)
        return;
    if (AllAbove(color, 255 - Threshold()))
        color = Complement(color);
}

void CZelkView::GetGrayColor(COLORREF& color)
{
    const double ratio = g_pApp ? g_pApp->m_appDraw.grayRatio : 0.5;
    const int g = ((254 - TruncToInt((1.0 - ratio) * 100) - Threshold()) % 256 + 256) % 256;
    color = RGB(g, g, g);
}

void CZelkView::BlurColor(COLORREF& color, int attenuation, int count, int pass) const
{
    if (count == 0 || !g_pApp)
        return;
    const CAppColor& colors = g_pApp->m_appColor;
    const double f = BlurFactor(attenuation, count, pass);
    if (m_backColor == colors.white() || m_backColor == colors.altBackColor) {
        color = FadeToWhite(color, f);
    } else if (m_backColor == colors.black()) {
        auto fade = [f](int v) { return TruncToInt(f * v); };
        color = RGB(fade(GetRValue(color)), fade(GetGValue(color)), fade(GetBValue(color)));
    }
}

void CZelkView::BlurColorForPrint(COLORREF& color, int attenuation, int count, int pass)
{
    if (count == 0)
        return;
    color = FadeToWhite(color, BlurFactor(attenuation, count, pass));
}
