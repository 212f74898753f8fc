// Per-character layout of texts whose font asks for a fixed direction: columns of vertical text
// and rows of horizontal or slanted text with a chosen spacing, following Japanese typesetting
// rules for punctuation and voiced sound marks; and the measures of the same strings.
#include "elements/Text.h"

#include "app/ZelkApp.h"
#include "elements/ElementDrawing.h"
#include "elements/ElementSettings.h"
#include "elements/TypeFont.h"
#include "platform/gdi/DC.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr double kPi = 3.141592653589793;

enum CharClass { kOther, kFullStop, kFullMark, kHalfMark, kHalfStop };

struct Char {
    int pos;
    int len;
    CharClass cls;
};

// The characters of a text: double-byte when a lead byte is followed by a trail byte.
std::vector<Char> Split(const CString& text)
{
    std::vector<Char> out;
    const int n = text.GetLength();
    for (int i = 0; i < n;) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        if (i + 1 < n && _ismbblead(b) && _ismbbtrail(static_cast<unsigned char>(text[i + 1]))) {
            unsigned char t = static_cast<unsigned char>(text[i + 1]);
            CharClass cls = kOther;
            if (b == 0x81 && (t == 0x42 || t == 0x41))       // "。" "、"
                cls = kFullStop;
            else if (b == 0x81 && (t == 0x4A || t == 0x4B))  // "゛" "゜"
                cls = kFullMark;
            out.push_back({i, 2, cls});
            i += 2;
        } else {
            CharClass cls = kOther;
            if (b == 0xDE || b == 0xDF)       // "ﾞ" "ﾟ"
                cls = kHalfMark;
            else if (b == 0xA1 || b == 0xA4)  // "｡" "､"
                cls = kHalfStop;
            out.push_back({i, 1, cls});
            i += 1;
        }
    }
    return out;
}

POINT Vec(double x, double y)
{
    return TruncPoint(x, y);
}

// Offsets of a text whose size or spacing came damaged from a file can pass the 32-bit range;
// they are held at its ends rather than overflowing.
LONG Held(long long v)
{
    return static_cast<LONG>(v > INT32_MAX ? INT32_MAX : (v < INT32_MIN ? INT32_MIN : v));
}

POINT Add(POINT a, POINT b)
{
    return POINT{Held(static_cast<long long>(a.x) + b.x), Held(static_cast<long long>(a.y) + b.y)};
}

POINT Sub(POINT a, POINT b)
{
    return POINT{Held(static_cast<long long>(a.x) - b.x), Held(static_cast<long long>(a.y) - b.y)};
}

POINT Neg(POINT a)
{
    return POINT{Held(-static_cast<long long>(a.x)), Held(-static_cast<long long>(a.y))};
}

// Whether the font's style codes select a per-character layout at all.
bool HasLayout(const CTypeFont* font)
{
    return font && font->m_style2 == 2 && font->m_style4 != 4 && font->m_style5 != 3;
}

double Ratio(double CAppText::*field, double fallback)
{
    return g_pApp ? g_pApp->m_appText.*field : fallback;
}

// The row's extent in millimetres: a trailing half-width voiced mark takes neither a byte nor a
// spacing.
double RowExtent(const CText& t, const CTypeFont* font)
{
    std::vector<Char> chars = Split(t.m_text);
    int v = (!chars.empty() && chars.back().cls == kHalfMark) ? 1 : 0;
    double nc = static_cast<double>(chars.size());
    double nb = t.m_text.GetLength();
    return ((nc - v - 1) * font->m_spacing + (nb - v)) * font->m_width / 10.0;
}

// The anchored start of a row in world units and the device alignment; o is the vertical-middle
// offset.
CPointD RowStart(const CText& t, const CTypeFont* font, double theta, double height, UINT& align, CPointD& o)
{
    int a = t.m_alignment;
    o.Init(0, 0);
    if (a & 0x20) {
        a = (a & 7) | 8;
        o.Init(std::sin(theta) * height / 2, -std::cos(theta) * height / 2);
    }
    const int rtl = font->m_rightToLeft;
    align = (rtl ? TA_RIGHT : TA_LEFT) | ((a & 0x08) ? TA_BOTTOM : TA_TOP);
    double len = RowExtent(t, font);
    double ex = len * std::cos(theta), ey = len * std::sin(theta);
    if (rtl)
        ex = -ex;
    CPointD p = t.m_point;
    if ((a & 0x02) && !(a & 0x04))
        p.Init(p.m_x - ex, p.m_y - ey);
    else if (a & 0x06)
        p.Init(p.m_x - ex / 2, p.m_y - ey / 2);
    return p;
}

// The anchored start of a column in world units.
CPointD ColumnStart(const CText& t, const CTypeFont* font, double theta)
{
    std::vector<Char> chars = Split(t.m_text);
    int v = (!chars.empty() && chars.back().cls == kHalfMark) ? 1 : 0;
    double k = static_cast<double>(chars.size()) - v;
    double f = font->m_width / 10.0;
    double h = font->m_height / 10.0;
    double r7 = Ratio(&CAppText::m_layoutRatio7, 0.85);
    double len = (k - 1) * f * font->m_spacing + k * h * r7;
    CPointD u, n;
    u.Init(std::cos(theta), std::sin(theta));
    n.Init(-std::sin(theta), std::cos(theta));
    CPointD p = t.m_point;
    int a = t.m_alignment;
    if ((a & 0x02) && !(a & 0x04))
        p.Init(p.m_x - len * u.m_x, p.m_y - len * u.m_y);
    else if (a & 0x06)
        p.Init(p.m_x - len * u.m_x / 2, p.m_y - len * u.m_y / 2);
    p.Init(p.m_x + f * n.m_x, p.m_y + f * n.m_y);
    double back = (1 - r7) * h / 2;
    p.Init(p.m_x - back * u.m_x, p.m_y - back * u.m_y);
    return p;
}

UINT ColumnAlignment(int rtl)
{
    return rtl ? (TA_CENTER | TA_BOTTOM) : (TA_CENTER | TA_TOP);
}

// Where a screen position lands on the device: unchanged on the screen; a printer takes away the
// page offset and scales by its factor.
struct DeviceMap {
    int offsetX = 0;
    int offsetY = 0;
    double factor = 1.0;
    int X(double x) const { return TruncToInt(factor * (x - offsetX)); }
    int Y(double y) const { return TruncToInt(factor * (y - offsetY)); }
};

// The characters of a row from its anchored start, with the row's alignment selected.
void WriteRow(CDC* dc, const CText& t, const CPointD& origin, double scale, double height, double width,
              const CTypeFont* font, const DeviceMap& device)
{
    const double theta = font->m_angle * kPi / 180.0;
    UINT align;
    CPointD o;
    CPointD p = RowStart(t, font, theta, height, align, o).WorldToScreen(origin, scale);
    dc->SetTextAlign(align);
    POINT cell, space;
    CText::ComputeRowAdvance(theta, width, font->m_spacing, font->m_rightToLeft, cell, space);
    t.DrawRowChars(dc, device.X(p.m_x) + TruncToInt(o.m_x), device.Y(p.m_y) + TruncToInt(o.m_y), cell, space);
}

// The characters of a column from its anchored start, with the column's alignment selected.
void WriteColumn(CDC* dc, const CText& t, const CPointD& origin, double scale, double height, double width,
                 const CTypeFont* font, const DeviceMap& device)
{
    const double theta = font->m_angle * kPi / 180.0;
    dc->SetTextAlign(ColumnAlignment(font->m_rightToLeft));
    CPointD p = ColumnStart(t, font, theta).WorldToScreen(origin, scale);
    POINT a, s, hc, s8, e, pp;
    CText::ComputeAdvanceVectors(theta, height, width, font->m_spacing, a, s, hc, s8, e, pp);
    t.DrawColumnChars(dc, device.X(p.m_x), device.Y(p.m_y), a, s, hc, s8, e, pp);
}

using CharWriter = void (*)(CDC*, const CText&, const CPointD&, double, double, double, const CTypeFont*,
                            const DeviceMap&);

// A laid-out row or column on the screen, in the text's colour: the characters when drawFlag is
// 1, the underline when the display setting asks for it.
void DrawOnScreen(CDC* dc, CText& t, const CPointD& origin, double scale, const CRectD& clip, int drawFlag,
                  COLORREF color, double height, double width, const CTypeFont* font, CharWriter write)
{
    CRectD wide;
    if (!TextClipOnScreen(t, origin, scale, clip, wide))
        return;
    COLORREF old = dc->SetTextColor(color);
    if (drawFlag == 1)
        write(dc, t, origin, scale, height, width, font, DeviceMap());
    if (ShowTextUnderlines())
        t.DrawUnderline(dc, origin, scale, wide);
    dc->SetTextColor(old);
}

// A laid-out row or column on the printer, in the text's colour.
void PrintOnPage(CDC* dc, const CText& t, const CPointD& origin, double scale, const RECT& clip, COLORREF color,
                 const DeviceMap& device, double height, double width, const CTypeFont* font, CharWriter write)
{
    CRectD wide;
    if (!TextClipOnPrinter(t, origin, scale, clip, device.offsetX, device.offsetY, device.factor, wide))
        return;
    COLORREF old = dc->SetTextColor(color);
    write(dc, t, origin, scale, height, width, font, device);
    dc->SetTextColor(old);
}

} // namespace

void CText::ComputeAdvanceVectors(double theta, double height, double width, double spacing, POINT& advance,
                                  POINT& space, POINT& halfBack, POINT& side8, POINT& side, POINT& punctuation)
{
    const double r7 = Ratio(&CAppText::m_layoutRatio7, 0.85);
    const double r8 = Ratio(&CAppText::m_layoutRatio8, 0.625);
    const double r10 = Ratio(&CAppText::m_layoutRatio10, 0.3);
    const double r11 = Ratio(&CAppText::m_layoutRatio11, 0.7);
    const double ux = std::cos(theta), uy = std::sin(theta);
    const double nx = -std::sin(theta), ny = std::cos(theta);
    advance = Vec(r7 * height * ux, r7 * height * uy);
    if (spacing < 0)
        advance = Neg(advance);
    space = Vec(spacing * width * ux, spacing * width * uy);
    halfBack = Vec(width / 2 * std::sin(theta), -width / 2 * std::cos(theta));
    side8 = Vec(r8 * width * nx, r8 * width * ny);
    side = Vec(width * nx, width * ny);
    punctuation = Vec(r10 * height * ux + 2 * r11 * width * nx, r10 * height * uy + 2 * r11 * width * ny);
}

void CText::ComputeRowAdvance(double theta, double width, double spacing, int rightToLeft, POINT& cell,
                              POINT& space)
{
    const double ux = std::cos(theta), uy = std::sin(theta);
    cell = Vec(width * ux, width * uy);
    space = Vec(spacing * width * ux, spacing * width * uy);
    if (rightToLeft) {
        cell = Neg(cell);
        space = Neg(space);
    }
}

void CText::DrawRowChars(CDC* dc, int x, int y, POINT cell, POINT space) const
{
    POINT at{x, y};
    for (const Char& c : Split(m_text)) {
        if (c.len == 2) {
            dc->TextOut(at.x, at.y, m_text.GetString() + c.pos, 2);
            at = Add(at, Add(Add(cell, cell), space));
        } else {
            if (c.cls == kHalfMark)
                at = Sub(at, space);
            dc->TextOut(at.x, at.y, m_text.GetString() + c.pos, 1);
            at = Add(at, Add(cell, space));
        }
    }
}

void CText::DrawColumnChars(CDC* dc, int x, int y, POINT advance, POINT space, POINT halfBack, POINT /*side8*/,
                            POINT side, POINT punctuation) const
{
    POINT at{x, y};
    const POINT step = Add(advance, space);
    bool afterMark = false;
    for (const Char& c : Split(m_text)) {
        POINT draw = at;
        bool mark = false;
        switch (c.cls) {
        case kFullStop:
            draw = Add(Add(at, halfBack), punctuation);
            break;
        case kFullMark:
            draw = Add(at, punctuation);
            break;
        case kHalfMark:
            // Beside the previous character, taking no room of its own.
            if (afterMark) {
                draw = Add(at, side);
            } else {
                draw = Sub(Add(at, side), step);
                at = Sub(at, step);
            }
            mark = true;
            break;
        case kHalfStop:
            draw = Sub(Add(at, side), space);
            at = Sub(at, space);
            break;
        case kOther:
            break;
        }
        dc->TextOut(draw.x, draw.y, m_text.GetString() + c.pos, c.len);
        at = Add(at, step);
        afterMark = mark;
    }
}

void CText::MeasureRowChars(POINT start, POINT cell, POINT space, int rightToLeft, POINT& end) const
{
    POINT p = start;
    std::vector<Char> chars = Split(m_text);
    if (rightToLeft) {
        p = Add(p, cell);
        if (!chars.empty() && chars.front().len == 2)
            p = Add(p, cell);
    }
    bool prevSingle = false;
    bool afterMark = false;
    for (size_t i = 0; i < chars.size(); ++i) {
        const Char& c = chars[i];
        if (c.len == 2) {
            if (i > 0)
                p = (rightToLeft && prevSingle) ? Add(p, Add(space, Add(cell, cell))) : Add(p, Add(cell, space));
            p = Add(p, cell);
            prevSingle = false;
            afterMark = false;
        } else {
            if (i > 0) {
                if (c.cls != kHalfMark || afterMark)
                    p = Add(p, Add(cell, space));
            }
            afterMark = c.cls == kHalfMark && i > 0;
            prevSingle = true;
        }
    }
    if (rightToLeft) {
        if (!chars.empty() && chars.back().len == 2)
            p = Sub(p, cell);
    } else {
        p = Add(p, cell);
    }
    end = p;
}

void CText::MeasureColumnChars(POINT start, POINT advance, POINT space, POINT& end) const
{
    POINT p = start;
    bool afterMark = false;
    std::vector<Char> chars = Split(m_text);
    for (size_t i = 0; i < chars.size(); ++i) {
        const Char& c = chars[i];
        if (c.cls == kHalfMark && i > 0 && !afterMark) {
            afterMark = true;
            continue;
        }
        if (i > 0)
            p = Add(p, space);
        p = Add(p, advance);
        afterMark = c.cls == kHalfMark;
    }
    end = p;
}

void CText::DrawLayoutInRect(CDC* dc, const CPointD& origin, double scale, const RECT& clip, int drawFlag,
                             COLORREF color, double height, double width, const CTypeFont* font)
{
    CRectD r;
    r.SetFromIntRect(clip);
    DrawLayout(dc, origin, scale, r, drawFlag, color, height, width, font);
}

void CText::DrawLayout(CDC* dc, const CPointD& origin, double scale, const CRectD& clip, int drawFlag,
                       COLORREF color, double height, double width, const CTypeFont* font)
{
    if (!HasLayout(font))
        return;
    if (font->m_style3 == 2)
        DrawColumn(dc, origin, scale, clip, drawFlag, color, height, width, font);
    else if (font->m_style3 == 1 || font->m_style3 == 3 || font->m_style3 == 4)
        DrawRow(dc, origin, scale, clip, drawFlag, color, height, width, font);
}

void CText::PrintLayout(CDC* dc, const CPointD& origin, double scale, const RECT& clip, COLORREF color,
                        int offsetX, int offsetY, double factor, double height, double width, const CTypeFont* font)
{
    if (!HasLayout(font))
        return;
    if (font->m_style3 == 2)
        PrintColumn(dc, origin, scale, clip, color, offsetX, offsetY, factor, height, width, font);
    else if (font->m_style3 == 1 || font->m_style3 == 3 || font->m_style3 == 4)
        PrintRow(dc, origin, scale, clip, color, offsetX, offsetY, factor, height, width, font);
}

void CText::DrawLayoutForServerItem(CDC* dc, COLORREF color, double angleRad, double height, double width,
                                    const CTypeFont* font)
{
    if (!HasLayout(font))
        return;
    if (font->m_style3 == 2)
        DrawColumnForServerItem(dc, color, angleRad, height, width, font->m_spacing, font->m_rightToLeft);
    else if (font->m_style3 == 1 || font->m_style3 == 3 || font->m_style3 == 4)
        DrawRowForServerItem(dc, color, angleRad, height, width, font->m_spacing, font->m_rightToLeft);
}

void CText::DrawRow(CDC* dc, const CPointD& origin, double scale, const CRectD& clip, int drawFlag,
                    COLORREF color, double height, double width, const CTypeFont* font)
{
    DrawOnScreen(dc, *this, origin, scale, clip, drawFlag, color, height, width, font, WriteRow);
}

void CText::DrawColumn(CDC* dc, const CPointD& origin, double scale, const CRectD& clip, int drawFlag,
                       COLORREF color, double height, double width, const CTypeFont* font)
{
    DrawOnScreen(dc, *this, origin, scale, clip, drawFlag, color, height, width, font, WriteColumn);
}

void CText::PrintRow(CDC* dc, const CPointD& origin, double scale, const RECT& clip, COLORREF color,
                     int offsetX, int offsetY, double factor, double height, double width, const CTypeFont* font)
{
    PrintOnPage(dc, *this, origin, scale, clip, color, DeviceMap{offsetX, offsetY, factor}, height, width, font,
                WriteRow);
}

void CText::PrintColumn(CDC* dc, const CPointD& origin, double scale, const RECT& clip, COLORREF color,
                        int offsetX, int offsetY, double factor, double height, double width, const CTypeFont* font)
{
    PrintOnPage(dc, *this, origin, scale, clip, color, DeviceMap{offsetX, offsetY, factor}, height, width, font,
                WriteColumn);
}

void CText::DrawRowForServerItem(CDC* dc, COLORREF color, double theta, double height, double width,
                                 double spacing, int rightToLeft)
{
    CServerItemMapping map = GetServerItemMapping();
    CRectD wide;
    if (!TextClipForServerItem(*this, map, wide))
        return;
    COLORREF old = dc->SetTextColor(color);
    int a = m_alignment;
    CPointD o;
    o.Init(0, 0);
    if (a & 0x20) {
        a = (a & 7) | 8;
        o.Init(std::sin(theta) * height / 2, -std::cos(theta) * height / 2);
    }
    dc->SetTextAlign(static_cast<UINT>(a));
    POINT cell, space;
    ComputeRowAdvance(theta, width, spacing, rightToLeft, cell, space);
    CPointD p = m_point.WorldToScreen(map.origin, map.scale);
    POINT start = TruncPoint(p.m_x - map.point.x + o.m_x, p.m_y - map.point.y + o.m_y);
    const int back = m_text.GetLength() - 1;
    if ((a & 0x02) && !(a & 0x04)) {
        start = Sub(start, POINT{Held(back * (static_cast<long long>(cell.x) + space.x)),
                                 Held(back * (static_cast<long long>(cell.y) + space.y))});
    } else if (a & 0x06) {
        const long long n = back;
        start = Sub(start, POINT{Held(n * cell.x / 2 + n * space.x / 2),
                                 Held(n * cell.y / 2 + n * space.y / 2)});
    }
    DrawRowChars(dc, start.x, start.y, cell, space);
    dc->SetTextColor(old);
}

void CText::DrawColumnForServerItem(CDC* dc, COLORREF color, double theta, double height, double width,
                                    double spacing, int /*rightToLeft*/)
{
    CServerItemMapping map = GetServerItemMapping();
    CRectD wide;
    if (!TextClipForServerItem(*this, map, wide))
        return;
    const double underline = std::hypot(m_underlineEnd.m_x - m_underlineStart.m_x,
                                        m_underlineEnd.m_y - m_underlineStart.m_y) * map.scale;
    COLORREF old = dc->SetTextColor(color);
    dc->SetTextAlign(TA_BOTTOM);
    const double ux = std::cos(theta), uy = std::sin(theta);
    const double nx = -std::sin(theta), ny = std::cos(theta);
    double across = 0, along = 0;
    bool known = true;
    switch (m_alignment) {
    case 0: across = -1.5 * width; along = 0; break;
    case 6: across = -1.5 * width; along = -underline / 2; break;
    case 2: across = -1.5 * width; along = -underline; break;
    case 0x20: across = -width / 2; along = 0; break;
    case 0x26: across = -width / 2; along = -underline / 2; break;
    case 0x22: across = -width / 2; along = -underline; break;
    case 8: across = width / 2; along = 0; break;
    case 14: across = width / 2; along = -underline / 2; break;
    case 10: across = width / 2; along = -underline; break;
    default: known = false; break;
    }
    CPointD off;
    off.Init(0, 0);
    if (known)
        off.Init(across * nx + along * ux, across * ny + along * uy);
    CPointD p = m_point.WorldToScreen(map.origin, map.scale);
    POINT start = TruncPoint(p.m_x - map.point.x + off.m_x, p.m_y - map.point.y + off.m_y);
    POINT a, s, hc, s8, e, pp;
    ComputeAdvanceVectors(theta, height, width, spacing, a, s, hc, s8, e, pp);
    DrawColumnChars(dc, start.x, start.y, a, s, hc, s8, e, pp);
    dc->SetTextColor(old);
}
