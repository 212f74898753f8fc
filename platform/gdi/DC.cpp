// The device-independent half of CDC: mapping with integer rounding, selection, modes, text
// metrics in cells, and the translation of every call into device pixels for the renderer.
#include "platform/gdi/DC.h"

#include "platform/core/String.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// floor(num / den + 1/2) without floating point, so large coordinates stay exact.
long RoundDiv(long long num, long long den)
{
    if (den == 0)
        return 0;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    long long n = 2 * num + den;
    long long d = 2 * den;
    long long q = n / d;
    if ((n % d != 0) && (n < 0))
        --q;
    return static_cast<long>(q);
}

// Windows' MulDiv: rounded half away from zero.
long MulDiv(long long value, long long num, long long den)
{
    if (den == 0)
        return -1;
    long long p = value * num;
    bool negative = (p < 0) != (den < 0);
    long long a = std::llabs(p), b = std::llabs(den);
    long long q = (2 * a + b) / (2 * b);
    return static_cast<long>(negative ? -q : q);
}

bool IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

std::string Format(const char* name, std::initializer_list<long> values)
{
    std::string s = name;
    s += '(';
    bool first = true;
    for (long v : values) {
        if (!first)
            s += ',';
        s += std::to_string(v);
        first = false;
    }
    s += ')';
    return s;
}

// "Name(a,b,RGB(r,g,b))": the values followed by a color.
std::string FormatWithColor(const char* name, std::initializer_list<long> values, COLORREF color)
{
    std::string s = Format(name, values);
    s.pop_back();
    if (values.size() != 0)
        s += ',';
    s += Format("RGB", {GetRValue(color), GetGValue(color), GetBValue(color)});
    s += ')';
    return s;
}

// One axis of the mapping from one space to the other, rounded.
long long MapAxis(long long v, long fromOrg, long fromExt, long toOrg, long toExt)
{
    return static_cast<long long>(RoundDiv((v - fromOrg) * toExt, fromExt)) + toOrg;
}

// Lengths have no origin or direction: they scale by the extents' magnitudes only. Text
// measures round halves up; sizes round like the system's MulDiv, halves away from zero.
long ScaleLength(long long v, long toExt, long fromExt)
{
    return RoundDiv(v * std::labs(toExt), std::labs(fromExt));
}

void ScaleSize(LPSIZE size, const CSize& to, const CSize& from)
{
    size->cx = MulDiv(size->cx, std::labs(to.cx), std::labs(from.cx));
    size->cy = MulDiv(size->cy, std::labs(to.cy), std::labs(from.cy));
}

void ClipTo(RECT& r, const RECT& clip)
{
    r.left = std::max(r.left, clip.left);
    r.top = std::max(r.top, clip.top);
    r.right = std::min(r.right, clip.right);
    r.bottom = std::min(r.bottom, clip.bottom);
}

RECT Normalized(RECT r)
{
    if (r.left > r.right)
        std::swap(r.left, r.right);
    if (r.top > r.bottom)
        std::swap(r.top, r.bottom);
    return r;
}

constexpr double kPi = 3.14159265358979323846;

} // namespace

CDC::CDC()
{
    m_state.font = static_cast<CFont*>(GetStockGdiObject(SYSTEM_FONT))->m_logFont;
    m_state.penObject = static_cast<CPen*>(GetStockGdiObject(BLACK_PEN));
    m_state.pen = {PS_SOLID, 0, RGB(0, 0, 0)};
    m_state.brushObject = static_cast<CBrush*>(GetStockGdiObject(WHITE_BRUSH));
    m_state.fontObject = static_cast<CFont*>(GetStockGdiObject(SYSTEM_FONT));
}

CDC::~CDC() = default;

void CDC::SetDevice(int width, int height, int dpi)
{
    m_width = width;
    m_height = height;
    m_dpi = dpi > 0 ? dpi : 96;
    m_fontDirty = true;
}

int CDC::GetDeviceCaps(int index) const
{
    switch (index) {
    case TECHNOLOGY: return m_bPrinting ? DT_RASPRINTER : DT_RASDISPLAY;
    case HORZRES:
    case PHYSICALWIDTH: return m_width;
    case VERTRES:
    case PHYSICALHEIGHT: return m_height;
    case LOGPIXELSX:
    case LOGPIXELSY: return m_dpi;
    case HORZSIZE: return MulDiv(m_width, 254, 10L * m_dpi);
    case VERTSIZE: return MulDiv(m_height, 254, 10L * m_dpi);
    case BITSPIXEL: return 24;
    default: return 0;
    }
}

// ---- mapping -------------------------------------------------------------------------------

int CDC::SetMapMode(int mode)
{
    if (mode < MM_TEXT || mode > MM_ANISOTROPIC)
        return 0;
    if (Records())
        Note(Format("SetMapMode", {mode}));
    int previous = m_state.mapMode;
    m_state.mapMode = mode;
    int units = 0;
    switch (mode) {
    case MM_TEXT:
        m_state.windowExt = CSize(1, 1);
        m_state.viewportExt = CSize(1, 1);
        break;
    case MM_LOMETRIC: units = 254; break;
    case MM_HIMETRIC: units = 2540; break;
    case MM_LOENGLISH: units = 100; break;
    case MM_HIENGLISH: units = 1000; break;
    case MM_TWIPS: units = 1440; break;
    case MM_ISOTROPIC: FixIsotropic(); break;
    default: break;
    }
    if (units != 0) {
        // Per inch: `units` logical units are the device's logical resolution, y upwards.
        m_state.windowExt = CSize(units, units);
        m_state.viewportExt = CSize(m_dpi, -m_dpi);
    }
    m_fontDirty = true;
    return previous;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    if (Records())
        Note(Format("SetWindowOrg", {x, y}));
    return std::exchange(m_state.windowOrg, CPoint(x, y));
}

CPoint CDC::OffsetWindowOrg(int dx, int dy)
{
    return SetWindowOrg(m_state.windowOrg.x + dx, m_state.windowOrg.y + dy);
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    return SetExtent("SetWindowExt", m_state.windowExt, cx, cy);
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    if (Records())
        Note(Format("SetViewportOrg", {x, y}));
    return std::exchange(m_state.viewportOrg, CPoint(x, y));
}

CPoint CDC::OffsetViewportOrg(int dx, int dy)
{
    return SetViewportOrg(m_state.viewportOrg.x + dx, m_state.viewportOrg.y + dy);
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    return SetExtent("SetViewportExt", m_state.viewportExt, cx, cy);
}

// Only the isotropic and anisotropic modes let the program choose extents; a zero extent is
// refused.
CSize CDC::SetExtent(const char* call, CSize& extent, int cx, int cy)
{
    CSize previous = extent;
    if (m_state.mapMode != MM_ISOTROPIC && m_state.mapMode != MM_ANISOTROPIC)
        return previous;
    if (cx == 0 || cy == 0)
        return previous;
    if (Records())
        Note(Format(call, {cx, cy}));
    extent = CSize(cx, cy);
    FixIsotropic();
    m_fontDirty = true;
    return previous;
}

// An isotropic mapping keeps one unit equally long on both axes by shrinking the viewport
// extent of the axis that would be longer.
void CDC::FixIsotropic()
{
    if (m_state.mapMode != MM_ISOTROPIC)
        return;
    CSize& we = m_state.windowExt;
    CSize& ve = m_state.viewportExt;
    double sx = std::fabs(double(ve.cx) / we.cx);
    double sy = std::fabs(double(ve.cy) / we.cy);
    if (sx > sy) {
        long v = MulDiv(std::labs(we.cx), std::labs(ve.cy), std::labs(we.cy));
        ve.cx = ve.cx < 0 ? -v : v;
    } else if (sy > sx) {
        long v = MulDiv(std::labs(we.cy), std::labs(ve.cx), std::labs(we.cx));
        ve.cy = ve.cy < 0 ? -v : v;
    }
}

// Device values are held within +-2^30 so that figures far off the device stay computable.
static long ClampDevice(long long v)
{
    const long long limit = 1LL << 30;
    return static_cast<long>(std::clamp(v, -limit, limit));
}

long CDC::MapX(long x) const
{
    return ClampDevice(MapAxis(x, m_state.windowOrg.x, m_state.windowExt.cx, m_state.viewportOrg.x, m_state.viewportExt.cx));
}

long CDC::MapY(long y) const
{
    return ClampDevice(MapAxis(y, m_state.windowOrg.y, m_state.windowExt.cy, m_state.viewportOrg.y, m_state.viewportExt.cy));
}

CPoint CDC::ToDevice(int x, int y) const
{
    return CPoint(MapX(x), MapY(y));
}

RECT CDC::ToDeviceRect(int x1, int y1, int x2, int y2) const
{
    RECT r{static_cast<LONG>(MapX(x1)), static_cast<LONG>(MapY(y1)), static_cast<LONG>(MapX(x2)),
           static_cast<LONG>(MapY(y2))};
    return Normalized(r);
}

void CDC::LPtoDP(LPPOINT points, int count) const
{
    for (int i = 0; i < count; ++i)
        points[i] = ToDevice(points[i].x, points[i].y);
}

void CDC::LPtoDP(LPRECT rect) const
{
    LPtoDP(reinterpret_cast<LPPOINT>(rect), 2);
}

void CDC::LPtoDP(LPSIZE size) const
{
    ScaleSize(size, m_state.viewportExt, m_state.windowExt);
}

void CDC::DPtoLP(LPPOINT points, int count) const
{
    for (int i = 0; i < count; ++i) {
        points[i].x = static_cast<LONG>(MapAxis(points[i].x, m_state.viewportOrg.x, m_state.viewportExt.cx,
                                                m_state.windowOrg.x, m_state.windowExt.cx));
        points[i].y = static_cast<LONG>(MapAxis(points[i].y, m_state.viewportOrg.y, m_state.viewportExt.cy,
                                                m_state.windowOrg.y, m_state.windowExt.cy));
    }
}

void CDC::DPtoLP(LPRECT rect) const
{
    DPtoLP(reinterpret_cast<LPPOINT>(rect), 2);
}

void CDC::DPtoLP(LPSIZE size) const
{
    ScaleSize(size, m_state.windowExt, m_state.viewportExt);
}

// ---- objects -------------------------------------------------------------------------------

std::string CDC::ColorText(COLORREF color)
{
    return Format("RGB", {GetRValue(color), GetGValue(color), GetBValue(color)});
}

CPen* CDC::SelectObject(CPen* pen)
{
    if (pen == nullptr || pen->m_hObject == nullptr)
        return nullptr;
    if (Records())
        Note(FormatWithColor("SelectPen", {pen->m_style, pen->m_width}, pen->m_color));
    CPen* previous = m_state.penObject;
    m_state.penObject = pen;
    m_state.pen = {pen->m_style, pen->m_width, pen->m_color};
    return previous;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    if (brush == nullptr || brush->m_hObject == nullptr)
        return nullptr;
    if (Records())
        Note(brush->m_hollow ? std::string("SelectBrush(null)") : FormatWithColor("SelectBrush", {}, brush->m_color));
    CBrush* previous = m_state.brushObject;
    m_state.brushObject = brush;
    m_state.brush = {brush->m_hollow, brush->m_color};
    return previous;
}

CFont* CDC::SelectObject(CFont* font)
{
    if (font == nullptr || font->m_hObject == nullptr)
        return nullptr;
    const LOGFONT& lf = font->m_logFont;
    if (Records()) {
        std::string call = Format("SelectFont", {lf.lfHeight, lf.lfWidth, lf.lfEscapement, lf.lfWeight, lf.lfCharSet});
        call.pop_back();
        call += ",\"";
        call += std::string(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
        call += "\")";
        Note(call);
    }
    CFont* previous = m_state.fontObject;
    m_state.fontObject = font;
    m_state.font = lf;
    m_fontDirty = true;
    return previous;
}

CGdiObject* CDC::SelectObject(CGdiObject* object)
{
    if (object == nullptr)
        return nullptr;
    switch (object->GetKind()) {
    case CGdiObject::kPen: return SelectObject(static_cast<CPen*>(object));
    case CGdiObject::kBrush: return SelectObject(static_cast<CBrush*>(object));
    case CGdiObject::kFont: return SelectObject(static_cast<CFont*>(object));
    default: return nullptr;
    }
}

CGdiObject* CDC::SelectStockObject(int index)
{
    return SelectObject(GetStockGdiObject(index));
}

// ---- modes ---------------------------------------------------------------------------------

int CDC::SetROP2(int rop)
{
    if (rop < R2_BLACK || rop > R2_WHITE)
        return 0;
    if (Records())
        Note(Format("SetROP2", {rop}));
    return std::exchange(m_state.rop2, rop);
}

int CDC::SetBkMode(int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    if (Records())
        Note(Format("SetBkMode", {mode}));
    return std::exchange(m_state.bkMode, mode);
}

COLORREF CDC::SetBkColor(COLORREF color)
{
    if (Records())
        Note(FormatWithColor("SetBkColor", {}, color));
    return std::exchange(m_state.bkColor, color & 0xFFFFFF);
}

COLORREF CDC::SetTextColor(COLORREF color)
{
    if (Records())
        Note(FormatWithColor("SetTextColor", {}, color));
    return std::exchange(m_state.textColor, color & 0xFFFFFF);
}

UINT CDC::SetTextAlign(UINT flags)
{
    if (Records())
        Note(Format("SetTextAlign", {static_cast<long>(flags)}));
    return std::exchange(m_state.textAlign, flags);
}

// ---- figures -------------------------------------------------------------------------------

CDC::Pen CDC::DevicePen() const
{
    Pen pen;
    pen.style = m_state.pen.m_style;
    pen.color = m_state.pen.m_color;
    if (m_state.pen.m_width == 0)
        pen.width = 1;    // a zero width is one pixel whatever the mapping
    else
        pen.width = std::max<long>(1, MulDiv(m_state.pen.m_width, std::labs(m_state.viewportExt.cx),
                                             std::labs(m_state.windowExt.cx)));
    return pen;
}

CPoint CDC::MoveTo(int x, int y)
{
    if (Records())
        Note(Format("MoveTo", {x, y}));
    CPoint previous = m_state.position;
    m_state.position = CPoint(x, y);
    ResetStyleOffset();
    return previous;
}

BOOL CDC::LineTo(int x, int y)
{
    if (Records())
        Note(Format("LineTo", {x, y}));
    CPoint from = ToDevice(m_state.position.x, m_state.position.y);
    m_state.position = CPoint(x, y);
    if (m_state.pen.m_style != PS_NULL) {
        m_segment.assign({from, ToDevice(x, y)});
        DevPolyline(m_segment, false);
    }
    return TRUE;
}

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    if (Records())
        Note(Format("Arc", {x1, y1, x2, y2, x3, y3, x4, y4}));
    RECT box = ToDeviceRect(x1, y1, x2, y2);
    if (box.right - box.left < 1 || box.bottom - box.top < 1)
        return TRUE;
    if (m_state.pen.m_style == PS_NULL)
        return TRUE;
    // The figure covers the box without its right and bottom edges.
    double cx = (box.left + box.right - 1) / 2.0;
    double cy = (box.top + box.bottom - 1) / 2.0;
    CPoint s = ToDevice(x3, y3), e = ToDevice(x4, y4);
    // Angles as seen on the device: counter-clockwise, device y downwards.
    double a1 = std::atan2(-(s.y - cy), s.x - cx);
    double a2 = std::atan2(-(e.y - cy), e.x - cx);
    double sweep = a2 - a1;
    while (sweep <= 0)
        sweep += 2 * kPi;
    if (a1 == a2 || (s.x == e.x && s.y == e.y))
        sweep = 2 * kPi;
    ResetStyleOffset();
    DevArc(box, a1, sweep);
    return TRUE;
}

BOOL CDC::Arc(LPCRECT rect, POINT start, POINT end)
{
    return Arc(rect->left, rect->top, rect->right, rect->bottom, start.x, start.y, end.x, end.y);
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    if (Records())
        Note(Format("Ellipse", {x1, y1, x2, y2}));
    RECT box = ToDeviceRect(x1, y1, x2, y2);
    if (box.right - box.left < 1 || box.bottom - box.top < 1)
        return TRUE;
    if (HasBrush())
        DevFillEllipse(box);
    if (m_state.pen.m_style != PS_NULL) {
        ResetStyleOffset();
        DevArc(box, 0.0, 2 * kPi);
    }
    return TRUE;
}

BOOL CDC::Ellipse(LPCRECT rect)
{
    return Ellipse(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    if (Records())
        Note(Format("Rectangle", {x1, y1, x2, y2}));
    RECT r = ToDeviceRect(x1, y1, x2, y2);
    bool outline = m_state.pen.m_style != PS_NULL;
    if (HasBrush()) {
        // Without an outline the filled area is one pixel smaller each way, as in Windows.
        int shrink = outline ? 0 : 1;
        LONG right = r.right - shrink, bottom = r.bottom - shrink;
        if (right > r.left && bottom > r.top)
            DevFillPolygon({CPoint(r.left, r.top), CPoint(right, r.top), CPoint(right, bottom), CPoint(r.left, bottom)});
    }
    if (outline && r.right > r.left && r.bottom > r.top) {
        ResetStyleOffset();
        DevPolyline({CPoint(r.left, r.top), CPoint(r.right - 1, r.top), CPoint(r.right - 1, r.bottom - 1),
                     CPoint(r.left, r.bottom - 1)}, true);
    }
    return TRUE;
}

BOOL CDC::Rectangle(LPCRECT rect)
{
    return Rectangle(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL CDC::Polyline(const POINT* points, int count)
{
    if (points == nullptr || count < 2)
        return FALSE;
    std::vector<CPoint> device = NotePoints("Polyline", points, count);
    if (m_state.pen.m_style != PS_NULL) {
        ResetStyleOffset();
        DevPolyline(device, false);
    }
    return TRUE;
}

BOOL CDC::Polygon(const POINT* points, int count)
{
    if (points == nullptr || count < 2)
        return FALSE;
    std::vector<CPoint> device = NotePoints("Polygon", points, count);
    if (HasBrush())
        DevFillPolygon(device);
    if (m_state.pen.m_style != PS_NULL) {
        ResetStyleOffset();
        DevPolyline(device, true);
    }
    return TRUE;
}

// Records a call on a list of points and returns them in device pixels.
std::vector<CPoint> CDC::NotePoints(const char* name, const POINT* points, int count)
{
    const bool records = Records();
    std::string call;
    if (records) {
        call = name;
        call += '(';
    }
    std::vector<CPoint> device;
    device.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        if (records) {
            if (i != 0)
                call += ',';
            call += std::to_string(points[i].x) + ',' + std::to_string(points[i].y);
        }
        device.push_back(ToDevice(points[i].x, points[i].y));
    }
    if (records)
        Note(call + ')');
    return device;
}

void CDC::FillRect(LPCRECT rect, CBrush* brush)
{
    if (rect == nullptr || brush == nullptr)
        return;
    if (brush->m_hollow) {
        std::string call = Format("FillRect", {rect->left, rect->top, rect->right, rect->bottom});
        call.pop_back();
        Note(call + ",null)");
        return;
    }
    if (Records())
        Note(FormatWithColor("FillRect", {rect->left, rect->top, rect->right, rect->bottom}, brush->m_color));
    DevFillRect(ToDeviceRect(rect->left, rect->top, rect->right, rect->bottom), brush->m_color);
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color)
{
    if (rect == nullptr)
        return;
    if (Records())
        Note(FormatWithColor("FillSolidRect", {rect->left, rect->top, rect->right, rect->bottom}, color));
    m_state.bkColor = color & 0xFFFFFF;
    DevFillRect(ToDeviceRect(rect->left, rect->top, rect->right, rect->bottom), color & 0xFFFFFF);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    RECT r{x, y, x + cx, y + cy};
    FillSolidRect(&r, color);
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    if (Records()) {
        std::string call = Format("PatBlt", {x, y, width, height});
        char code[16];
        std::snprintf(code, sizeof code, "0x%06lX", static_cast<unsigned long>(rop));
        call.pop_back();
        call += ',';
        call += code;
        call += ')';
        Note(call);
    }
    RECT r = ToDeviceRect(x, y, x + width, y + height);
    switch (rop) {
    case DSTINVERT: DevInvertRect(r); return TRUE;
    case BLACKNESS: DevFillRect(r, RGB(0, 0, 0)); return TRUE;
    case WHITENESS: DevFillRect(r, RGB(255, 255, 255)); return TRUE;
    case PATCOPY:
        if (HasBrush())
            DevFillRect(r, BrushColor());
        return TRUE;
    default: return FALSE;
    }
}

BOOL CDC::DrawImage(LPCRECT rect, const BYTE* data, size_t size)
{
    if (Records()) {
        std::string call = Format("DrawImage", {rect->left, rect->top, rect->right, rect->bottom,
                                                static_cast<int>(size)});
        Note(call);
    }
    if (data == nullptr || size == 0)
        return FALSE;
    return DevImage(ToDeviceRect(rect->left, rect->top, rect->right, rect->bottom), data, size) ? TRUE : FALSE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    if (Records())
        Note(FormatWithColor("SetPixel", {x, y}, color));
    CPoint p = ToDevice(x, y);
    DevSetPixel(p.x, p.y, color & 0xFFFFFF);
    return color & 0xFFFFFF;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    CPoint p = ToDevice(x, y);
    return DevGetPixel(p.x, p.y);
}

// ---- text ----------------------------------------------------------------------------------

void CDC::RealizeFont() const
{
    if (!m_fontDirty)
        return;
    const LOGFONT& lf = m_state.font;
    CRealizedFont f;
    f.logFont = lf;
    if (lf.lfHeight == 0)
        f.emHeight = 16;    // the stock font's size, in pixels whatever the mapping
    else
        f.emHeight = std::max(1L, ScaleLength(std::llabs(static_cast<long long>(lf.lfHeight)), m_state.viewportExt.cy, m_state.windowExt.cy));
    if (lf.lfWidth != 0)
        f.cellWidth = std::max(1L, ScaleLength(std::llabs(static_cast<long long>(lf.lfWidth)), m_state.viewportExt.cx, m_state.windowExt.cx));
    else
        f.cellWidth = std::max(1, f.emHeight / 2);
    // The drawing faces put the base line at 86% of the character height without leading.
    f.ascent = static_cast<int>(RoundDiv(static_cast<long long>(f.emHeight) * 86, 100));
    f.descent = f.emHeight - f.ascent;
    m_realized = f;
    m_fontDirty = false;
}

const CRealizedFont& CDC::GetRealizedFont() const
{
    RealizeFont();
    return m_realized;
}

int CDC::TextCells(LPCTSTR text, int count) const
{
    if (text == nullptr || count <= 0)
        return 0;
    int cells = 0;
    for (int i = 0; i < count; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(c) && i + 1 < count) {
            cells += 2;
            ++i;
        } else {
            cells += 1;
        }
    }
    return cells;
}

BOOL CDC::TextOut(int x, int y, LPCTSTR text, int count)
{
    if (text == nullptr || count < 0)
        return FALSE;
    if (Records()) {
        std::string call = Format("TextOut", {x, y});
        call.pop_back();
        call += ",\"";
        call.append(text, count);
        call += "\")";
        Note(call);
    }
    if (count == 0)
        return TRUE;
    const CRealizedFont& f = GetRealizedFont();
    double width = double(TextCells(text, count)) * f.cellWidth;
    double angle = m_state.font.lfEscapement * kPi / 1800.0;
    // Along the text and towards its bottom, in device coordinates (y downwards).
    double ux = std::cos(angle), uy = -std::sin(angle);
    double nx = std::sin(angle), ny = std::cos(angle);
    UINT align = m_state.textAlign;
    double along = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        along = -width / 2;
    else if (align & TA_RIGHT)
        along = -width;
    double across = 0;
    if ((align & TA_BASELINE) == TA_BASELINE)
        across = 0;
    else if (align & TA_BOTTOM)
        across = -f.descent;
    else
        across = f.ascent;
    CPoint anchor = ToDevice(x, y);
    DevText(anchor.x + along * ux + across * nx, anchor.y + along * uy + across * ny, angle, text, count);
    return TRUE;
}

CSize CDC::GetTextExtent(LPCTSTR text, int count) const
{
    const CRealizedFont& f = GetRealizedFont();
    long width = static_cast<long>(TextCells(text, count)) * f.cellWidth;
    long height = f.ascent + f.descent;
    return CSize(ScaleLength(width, m_state.windowExt.cx, m_state.viewportExt.cx),
                 ScaleLength(height, m_state.windowExt.cy, m_state.viewportExt.cy));
}

BOOL CDC::GetTextExtentPoint32(LPCTSTR text, int count, LPSIZE size) const
{
    if (size == nullptr || (text == nullptr && count > 0))
        return FALSE;
    *size = GetTextExtent(text, count);
    return TRUE;
}

BOOL CDC::TextOut(int x, int y, const CString& text)
{
    return TextOut(x, y, static_cast<LPCTSTR>(text), text.GetLength());
}

CSize CDC::GetTextExtent(const CString& text) const
{
    return GetTextExtent(static_cast<LPCTSTR>(text), text.GetLength());
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* tm) const
{
    if (tm == nullptr)
        return FALSE;
    const CRealizedFont& f = GetRealizedFont();
    auto toLogicalY = [&](long v) { return ScaleLength(v, m_state.windowExt.cy, m_state.viewportExt.cy); };
    auto toLogicalX = [&](long v) { return ScaleLength(v, m_state.windowExt.cx, m_state.viewportExt.cx); };
    std::memset(tm, 0, sizeof(*tm));
    tm->tmAscent = toLogicalY(f.ascent);
    tm->tmDescent = toLogicalY(f.descent);
    tm->tmHeight = toLogicalY(f.ascent + f.descent);
    tm->tmAveCharWidth = toLogicalX(f.cellWidth);
    tm->tmMaxCharWidth = toLogicalX(2L * f.cellWidth);
    tm->tmWeight = f.logFont.lfWeight == 0 ? FW_NORMAL : f.logFont.lfWeight;
    tm->tmDigitizedAspectX = m_dpi;
    tm->tmDigitizedAspectY = m_dpi;
    tm->tmFirstChar = 0x20;
    tm->tmLastChar = 0xFC;
    tm->tmDefaultChar = 0x81;
    tm->tmBreakChar = 0x20;
    tm->tmItalic = f.logFont.lfItalic;
    tm->tmUnderlined = f.logFont.lfUnderline;
    tm->tmStruckOut = f.logFont.lfStrikeOut;
    tm->tmPitchAndFamily = f.logFont.lfPitchAndFamily;
    tm->tmCharSet = f.logFont.lfCharSet;
    return TRUE;
}

// ---- clipping and saved states -------------------------------------------------------------

RECT CDC::DeviceClip() const
{
    RECT r{0, 0, m_width, m_height};
    if (m_state.hasClip)
        ClipTo(r, m_state.clip);
    if (r.right < r.left)
        r.right = r.left;
    if (r.bottom < r.top)
        r.bottom = r.top;
    return r;
}

int CDC::GetClipBox(LPRECT rect) const
{
    if (rect == nullptr)
        return ERROR;
    RECT r = DeviceClip();
    *rect = r;
    DPtoLP(rect);
    return (r.right > r.left && r.bottom > r.top) ? SIMPLEREGION : NULLREGION;
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    if (Records())
        Note(Format("IntersectClipRect", {x1, y1, x2, y2}));
    RECT r = ToDeviceRect(x1, y1, x2, y2);
    if (m_state.hasClip)
        ClipTo(r, m_state.clip);
    m_state.clip = r;
    m_state.hasClip = true;
    RECT box;
    return GetClipBox(&box);
}

void CDC::SetDeviceClip(const RECT* deviceRect)
{
    if (deviceRect == nullptr) {
        m_state.hasClip = false;
        return;
    }
    m_state.clip = Normalized(*deviceRect);
    m_state.hasClip = true;
}

int CDC::SaveDC()
{
    if (Records())
        Note("SaveDC()");
    m_saved.push_back(m_state);
    return static_cast<int>(m_saved.size());
}

BOOL CDC::RestoreDC(int savedDC)
{
    if (Records())
        Note(Format("RestoreDC", {savedDC}));
    int n = static_cast<int>(m_saved.size());
    int index = savedDC < 0 ? n + savedDC : savedDC - 1;
    if (index < 0 || index >= n)
        return FALSE;
    m_state = m_saved[index];
    m_saved.resize(index);
    m_fontDirty = true;
    return TRUE;
}
