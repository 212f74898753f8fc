// Painting half of CDC. Thin pens are laid pixel by pixel on images so that the last-pixel rule,
// dash patterns and raster operations are exact; wide pens, fills and text go through QPainter
// without antialiasing, and through a coverage mask where a raster operation must combine them
// with the pixels underneath.
#include "platform/gdi/PainterDC.h"

#include "platform/core/CodePage.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QTransform>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace {

constexpr double kPi = 3.14159265358979323846;

std::uint32_t Rop2(int rop, std::uint32_t pen, std::uint32_t screen)
{
    // The code less one is the truth table over (pen, screen) bit pairs.
    int t = rop - 1;
    std::uint32_t r = 0;
    if (t & 1)
        r |= ~pen & ~screen;
    if (t & 2)
        r |= ~pen & screen;
    if (t & 4)
        r |= pen & ~screen;
    if (t & 8)
        r |= pen & screen;
    return r & 0xFFFFFFu;
}

std::uint32_t ToRgb(COLORREF c)
{
    return (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

QColor ToQColor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// Dash patterns of the cosmetic styles, in pixels: on, off, on, off ...
std::vector<int> StylePattern(int style)
{
    switch (style) {
    case PS_DASH: return {18, 6};
    case PS_DOT: return {3, 3};
    case PS_DASHDOT: return {9, 6, 3, 6};
    case PS_DASHDOTDOT: return {9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

// Bresenham from a towards b, b itself left out.
void AppendLinePixels(std::vector<CPoint>& out, CPoint a, CPoint b, bool includeEnd = false)
{
    long dx = std::labs(b.x - a.x), dy = -std::labs(b.y - a.y);
    long sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    long err = dx + dy;
    long x = a.x, y = a.y;
    while (!(x == b.x && y == b.y)) {
        out.emplace_back(x, y);
        long e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    if (includeEnd)
        out.emplace_back(x, y);
}

// Only the part of a segment near the clip area is walked pixel by pixel; a segment reaching
// far off the device would otherwise cost one step per off-screen pixel. Returns the pixels
// skipped before the visible part, so that a dash pattern stays in step.
long AppendClippedLinePixels(std::vector<CPoint>& out, CPoint a, CPoint b, const RECT& clip)
{
    double x0 = a.x, y0 = a.y, x1 = b.x, y1 = b.y;
    double left = clip.left - 2, right = clip.right + 1, top = clip.top - 2, bottom = clip.bottom + 1;
    if (x0 >= left && x0 <= right && y0 >= top && y0 <= bottom && x1 >= left && x1 <= right && y1 >= top && y1 <= bottom) {
        AppendLinePixels(out, a, b);
        return 0;
    }
    double t0 = 0, t1 = 1, dx = x1 - x0, dy = y1 - y0;
    auto edge = [&](double p, double q) {
        if (p == 0)
            return q >= 0;
        double r = q / p;
        if (p < 0) {
            if (r > t1)
                return false;
            if (r > t0)
                t0 = r;
        } else {
            if (r < t0)
                return false;
            if (r < t1)
                t1 = r;
        }
        return true;
    };
    if (!edge(-dx, x0 - left) || !edge(dx, right - x0) || !edge(-dy, y0 - top) || !edge(dy, bottom - y0))
        return 0;
    CPoint c0(std::lround(x0 + t0 * dx), std::lround(y0 + t0 * dy));
    CPoint c1(std::lround(x0 + t1 * dx), std::lround(y0 + t1 * dy));
    AppendLinePixels(out, c0, c1, t1 < 1);
    return std::max(std::labs(c0.x - a.x), std::labs(c0.y - a.y));
}

long RoundHalfUp(double v)
{
    return static_cast<long>(std::floor(v + 0.5));
}

QString Cp932ToQString(const char* bytes, int count)
{
    if (count <= 0)
        return QString();
    return QString::fromStdU16String(Cp932ToUtf16(std::string_view(bytes, static_cast<size_t>(count))));
}

bool IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Drawings name Windows faces; the installed face is used when there is one, else a Japanese
// Gothic or Mincho face of the same kind.
QStringList FamiliesFor(const LOGFONT& lf)
{
    QString face = Cp932ToQString(lf.lfFaceName, static_cast<int>(strnlen(lf.lfFaceName, LF_FACESIZE)));
    QStringList families;
    if (!face.isEmpty() && QFontDatabase::hasFamily(face))
        families << face;
    bool mincho = face.contains(QString::fromUtf8("明朝")) || face.contains(QLatin1String("Mincho"), Qt::CaseInsensitive)
        || face.contains(QLatin1String("Serif"), Qt::CaseInsensitive);
    if (mincho)
        families << QStringLiteral("Noto Serif CJK JP") << QStringLiteral("Noto Sans Mono CJK JP");
    else
        families << QStringLiteral("Noto Sans Mono CJK JP") << QStringLiteral("Noto Sans CJK JP");
    families << QStringLiteral("monospace");
    return families;
}

constexpr int kReferencePixels = 256;

} // namespace

struct CPainterDC::Impl {
    QPainter* painter = nullptr;
    std::unique_ptr<QPainter> own;
    QImage* image = nullptr;
    uchar* bits = nullptr;    // the image's pixels, 32 bits each, when raster operations apply
    qsizetype bytesPerLine = 0;

    struct FontEntry {
        QFont font;
        double fullWidth = kReferencePixels;
    };
    std::map<std::string, FontEntry> fonts;

    void Attach(QPaintDevice* device)
    {
        if (device != nullptr && device->devType() == QInternal::Image) {
            image = static_cast<QImage*>(device);
            QImage::Format f = image->format();
            if (f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied) {
                // The painter writes into the same buffer, so no detach here.
                bits = const_cast<uchar*>(image->constBits());
                bytesPerLine = image->bytesPerLine();
            }
        }
    }

    std::uint32_t* Pixel(long x, long y) const
    {
        return reinterpret_cast<std::uint32_t*>(bits + y * bytesPerLine) + x;
    }
};

CPainterDC::CPainterDC(QPaintDevice* device, int logicalDpi) : m_impl(std::make_unique<Impl>())
{
    m_impl->Attach(device);
    m_impl->own = std::make_unique<QPainter>(device);
    m_impl->painter = m_impl->own.get();
    if (m_impl->image != nullptr && m_impl->bits != nullptr)
        m_impl->bits = const_cast<uchar*>(m_impl->image->constBits());
    m_impl->painter->setRenderHint(QPainter::Antialiasing, false);
    m_impl->painter->setRenderHint(QPainter::TextAntialiasing, false);
    SetDevice(device->width(), device->height(), logicalDpi > 0 ? logicalDpi : device->logicalDpiX());
}

CPainterDC::CPainterDC(QPainter* painter, int logicalDpi) : m_impl(std::make_unique<Impl>())
{
    QPaintDevice* device = painter->device();
    m_impl->Attach(device);
    m_impl->painter = painter;
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setRenderHint(QPainter::TextAntialiasing, false);
    SetDevice(device->width(), device->height(), logicalDpi > 0 ? logicalDpi : device->logicalDpiX());
}

CPainterDC::~CPainterDC()
{
    if (m_impl->own)
        m_impl->own->end();
}

QPainter* CPainterDC::GetPainter() const
{
    return m_impl->painter;
}

namespace {

QRect ToQRect(const RECT& r)
{
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

} // namespace

// Pixels of a thin figure in drawing order, each once, through the dash pattern and the ROP.
void CPainterDC::StrokePixels(const std::vector<CPoint>& pixels)
{
    Pen pen = DevicePen();
    std::vector<int> pattern = StylePattern(pen.style);
    int period = 0;
    for (int v : pattern)
        period += v;
    RECT clip = DeviceClip();
    bool opaque = GetBkMode() == OPAQUE;
    int rop = GetROP2();
    QPolygon on, off;
    for (const CPoint& p : pixels) {
        bool draw = true;
        if (period > 0) {
            int pos = m_styleOffset % period;
            int acc = 0;
            for (size_t i = 0; i < pattern.size(); ++i) {
                acc += pattern[i];
                if (pos < acc) {
                    draw = (i % 2) == 0;
                    break;
                }
            }
            ++m_styleOffset;
        }
        if (!draw && !opaque)
            continue;
        if (p.x < clip.left || p.x >= clip.right || p.y < clip.top || p.y >= clip.bottom)
            continue;
        COLORREF color = draw ? pen.color : GetBkColor();
        if (m_impl->bits != nullptr) {
            std::uint32_t* px = m_impl->Pixel(p.x, p.y);
            *px = 0xFF000000u | Rop2(rop, ToRgb(color), *px & 0xFFFFFFu);
        } else if (rop != R2_NOP) {
            (draw ? on : off) << QPoint(p.x, p.y);
        }
    }
    if (m_impl->bits == nullptr) {
        QPainter* painter = m_impl->painter;
        painter->save();
        painter->setClipRect(ToQRect(clip));
        painter->setPen(QPen(ToQColor(pen.color), 0));
        painter->drawPoints(on);
        painter->setPen(QPen(ToQColor(GetBkColor()), 0));
        painter->drawPoints(off);
        painter->restore();
    }
}

namespace {

// Paints coverage into a mask and combines the covered pixels with the screen by the ROP.
void PaintThroughRop(uchar* bits, qsizetype bytesPerLine, const QRect& area, int rop,
                     const std::function<void(QPainter&)>& paint)
{
    if (area.isEmpty())
        return;
    QImage mask(area.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(0);
    {
        QPainter mp(&mask);
        mp.setRenderHint(QPainter::Antialiasing, false);
        mp.translate(-area.topLeft());
        paint(mp);
    }
    for (int y = 0; y < area.height(); ++y) {
        const QRgb* m = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        std::uint32_t* d = reinterpret_cast<std::uint32_t*>(bits + (area.top() + y) * bytesPerLine) + area.left();
        for (int x = 0; x < area.width(); ++x) {
            if (qAlpha(m[x]) == 0)
                continue;
            d[x] = 0xFF000000u | Rop2(rop, m[x] & 0xFFFFFFu, d[x] & 0xFFFFFFu);
        }
    }
}

} // namespace

void CPainterDC::StrokeWide(const std::vector<std::pair<double, double>>& points, bool closed, int width)
{
    if (points.size() < 2)
        return;
    Pen pen = DevicePen();
    QPainterPath path;
    // Device pixel i covers [i, i + 1): its centre is where a figure through i should run.
    path.moveTo(points[0].first + 0.5, points[0].second + 0.5);
    for (size_t i = 1; i < points.size(); ++i)
        path.lineTo(points[i].first + 0.5, points[i].second + 0.5);
    if (closed)
        path.closeSubpath();
    QPen qpen(ToQColor(pen.color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (width <= 1) {
        qpen.setCapStyle(Qt::FlatCap);
        std::vector<int> pattern = StylePattern(pen.style);
        if (!pattern.empty()) {
            QList<qreal> dashes;
            for (int v : pattern)
                dashes << v;
            qpen.setDashPattern(dashes);
        }
    }
    RECT clip = DeviceClip();
    int rop = GetROP2();
    if (m_impl->bits != nullptr && rop != R2_COPYPEN) {
        QRect area = path.boundingRect().toAlignedRect().adjusted(-width, -width, width, width).intersected(ToQRect(clip));
        PaintThroughRop(m_impl->bits, m_impl->bytesPerLine, area, rop, [&](QPainter& p) {
            p.setPen(qpen);
            p.setBrush(Qt::NoBrush);
            p.drawPath(path);
        });
        return;
    }
    QPainter* painter = m_impl->painter;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setClipRect(ToQRect(clip));
    painter->setBackgroundMode(GetBkMode() == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
    painter->setBackground(ToQColor(GetBkColor()));
    painter->setPen(qpen);
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(path);
    painter->restore();
}

void CPainterDC::DevPolyline(const std::vector<CPoint>& points, bool closed)
{
    Pen pen = DevicePen();
    if (m_impl->bits != nullptr && pen.width <= 1) {
        std::vector<CPoint> pixels;
        RECT clip = DeviceClip();
        long skipped = 0;
        for (size_t i = 0; i + 1 < points.size(); ++i)
            skipped += AppendClippedLinePixels(pixels, points[i], points[i + 1], clip);
        if (closed && points.size() > 2)
            skipped += AppendClippedLinePixels(pixels, points.back(), points.front(), clip);
        if (pixels.empty())
            skipped = 0;
        m_styleOffset += static_cast<int>(skipped % 1000000);
        if (points.size() == 2) {
            StrokePixels(pixels);
            return;
        }
        // A pixel crossed twice by one figure is laid once, so exclusive-or keeps it visible.
        std::unordered_set<std::uint64_t> seen;
        std::vector<CPoint> unique;
        unique.reserve(pixels.size());
        for (const CPoint& p : pixels)
            if (seen.insert((std::uint64_t(std::uint32_t(p.x)) << 32) | std::uint32_t(p.y)).second)
                unique.push_back(p);
        StrokePixels(unique);
        return;
    }
    std::vector<std::pair<double, double>> pts;
    for (const CPoint& p : points)
        pts.emplace_back(p.x, p.y);
    StrokeWide(pts, closed, pen.width);
}

void CPainterDC::DevArc(const RECT& box, double startAngle, double sweep)
{
    double cx = (box.left + box.right - 1) / 2.0;
    double cy = (box.top + box.bottom - 1) / 2.0;
    double rx = (box.right - box.left - 1) / 2.0;
    double ry = (box.bottom - box.top - 1) / 2.0;
    // The rays meet the ellipse at these parameters.
    bool full = sweep >= 2 * kPi;
    double t1 = std::atan2(rx * std::sin(startAngle), ry * std::cos(startAngle));
    double t2 = std::atan2(rx * std::sin(startAngle + sweep), ry * std::cos(startAngle + sweep));
    double tsweep = t2 - t1;
    while (tsweep <= 0)
        tsweep += 2 * kPi;
    if (full)
        tsweep = 2 * kPi;
    double radius = std::max({rx, ry, 1.0});
    Pen pen = DevicePen();
    if (m_impl->bits != nullptr && pen.width <= 1) {
        // The pixels of the whole ellipse are fixed by the box alone; an arc takes those whose
        // parameter lies in its sweep, so pieces of one ellipse meet without gaps or overlaps.
        // Steps of at most 0.7 pixels keep the ring 8-connected; the sines come from a rotation
        // recurrence, the same for every call with this box.
        const int fullSteps = std::max(8, static_cast<int>(std::min(4.0e6, std::ceil(2 * kPi * radius / 0.7))));
        const double stepAngle = 2 * kPi / fullSteps;
        const double cd = std::cos(stepAngle), sd = std::sin(stepAngle);
        double c = 1, sn = 0;
        std::vector<std::pair<double, CPoint>> ring;
        ring.reserve(static_cast<size_t>(fullSteps));
        CPoint first, previous;
        for (int i = 0; i < fullSteps; ++i) {
            CPoint p(RoundHalfUp(cx + rx * c), RoundHalfUp(cy - ry * sn));
            double t = stepAngle * i;
            double nc = c * cd - sn * sd;
            sn = sn * cd + c * sd;
            c = nc;
            // Samples run round the ellipse in order, so a pixel repeats only next to itself
            // (and the last ones meet the first).
            if (i == 0)
                first = p;
            else if (p == previous || p == first)
                continue;
            previous = p;
            ring.emplace_back(t, p);
        }
        std::vector<CPoint> ordered;
        ordered.reserve(ring.size());
        if (full) {
            for (const auto& entry : ring)
                ordered.push_back(entry.second);
        } else {
            const double from = std::fmod(t1 + 4 * kPi, 2 * kPi), to = from + tsweep;
            for (const auto& entry : ring)
                if (entry.first >= from && entry.first <= to)
                    ordered.push_back(entry.second);
            for (const auto& entry : ring)
                if (entry.first <= to - 2 * kPi)
                    ordered.push_back(entry.second);
        }
        StrokePixels(ordered);
        return;
    }
    std::vector<std::pair<double, double>> pts;
    int vectorSteps = std::max(8, static_cast<int>(std::min(1.0e6, std::ceil(tsweep * radius / 2.0))));
    for (int i = 0; i <= vectorSteps; ++i) {
        double t = t1 + tsweep * i / vectorSteps;
        pts.emplace_back(cx + rx * std::cos(t), cy - ry * std::sin(t));
    }
    StrokeWide(pts, full, pen.width);
}

namespace {

void FillShape(QPainter* painter, uchar* bits, qsizetype bytesPerLine, const QRect& clip, int rop, COLORREF color,
               const QPainterPath& path)
{
    if (bits != nullptr && rop != R2_COPYPEN) {
        QRect area = path.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1).intersected(clip);
        PaintThroughRop(bits, bytesPerLine, area, rop, [&](QPainter& p) { p.fillPath(path, ToQColor(color)); });
        return;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setClipRect(clip);
    painter->fillPath(path, ToQColor(color));
    painter->restore();
}

} // namespace

void CPainterDC::DevFillEllipse(const RECT& box)
{
    QPainterPath path;
    path.addEllipse(QRectF(box.left + 0.5, box.top + 0.5, box.right - box.left - 1, box.bottom - box.top - 1));
    FillShape(m_impl->painter, m_impl->bits, m_impl->bytesPerLine, ToQRect(DeviceClip()), GetROP2(), BrushColor(), path);
}

void CPainterDC::DevFillPolygon(const std::vector<CPoint>& points)
{
    QPolygonF polygon;
    for (const CPoint& p : points)
        polygon << QPointF(p.x, p.y);
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addPolygon(polygon);
    path.closeSubpath();
    FillShape(m_impl->painter, m_impl->bits, m_impl->bytesPerLine, ToQRect(DeviceClip()), GetROP2(), BrushColor(), path);
}

void CPainterDC::DevFillRect(const RECT& rect, COLORREF color)
{
    QRect area = ToQRect(rect).intersected(ToQRect(DeviceClip()));
    if (area.isEmpty())
        return;
    m_impl->painter->fillRect(area, ToQColor(color));
}

void CPainterDC::DevInvertRect(const RECT& rect)
{
    QRect area = ToQRect(rect).intersected(ToQRect(DeviceClip()));
    if (area.isEmpty())
        return;
    if (m_impl->bits != nullptr) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                std::uint32_t* px = m_impl->Pixel(x, y);
                *px = 0xFF000000u | (~*px & 0xFFFFFFu);
            }
        return;
    }
    QPainter* painter = m_impl->painter;
    painter->save();
    painter->setCompositionMode(QPainter::RasterOp_NotDestination);
    painter->fillRect(area, Qt::white);
    painter->restore();
}

COLORREF CPainterDC::DevGetPixel(int x, int y) const
{
    const QImage* image = m_impl->image;
    if (image == nullptr || x < 0 || y < 0 || x >= image->width() || y >= image->height())
        return CLR_INVALID;
    const QRgb c = image->pixel(x, y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

void CPainterDC::DevSetPixel(int x, int y, COLORREF color)
{
    RECT clip = DeviceClip();
    if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom)
        return;
    if (m_impl->bits != nullptr) {
        *m_impl->Pixel(x, y) = 0xFF000000u | ToRgb(color);
        return;
    }
    m_impl->painter->save();
    m_impl->painter->setPen(QPen(ToQColor(color), 0));
    m_impl->painter->drawPoint(x, y);
    m_impl->painter->restore();
}

void CPainterDC::DevText(double x, double y, double angle, const char* text, int count)
{
    const CRealizedFont& f = GetRealizedFont();
    const LOGFONT& lf = f.logFont;
    std::string key(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
    key += '/' + std::to_string(lf.lfWeight) + '/' + std::to_string(lf.lfItalic);
    auto it = m_impl->fonts.find(key);
    if (it == m_impl->fonts.end()) {
        Impl::FontEntry entry;
        entry.font.setFamilies(FamiliesFor(lf));
        entry.font.setPixelSize(kReferencePixels);
        entry.font.setWeight(lf.lfWeight >= 600 ? QFont::Bold : QFont::Normal);
        entry.font.setItalic(lf.lfItalic != 0);
        entry.font.setStyleStrategy(QFont::NoAntialias);
        entry.font.setHintingPreference(QFont::PreferNoHinting);
        double full = QFontMetricsF(entry.font).horizontalAdvance(QChar(0x3000));
        entry.fullWidth = full > 0 ? full : kReferencePixels;
        it = m_impl->fonts.emplace(key, entry).first;
    }
    const QFont& font = it->second.font;
    // Outlines of characters at the reference size, made once for the whole program: making a
    // glyph's outline costs far more than placing and filling it.
    struct Glyph {
        QPainterPath outline;
        double advance = 0;
    };
    static std::unordered_map<std::string, Glyph> glyphCache;
    std::string glyphKey = key + '|';
    const std::size_t glyphKeyBase = glyphKey.size();
    // Every character is laid in its cells: one for a single byte, two for a double byte.
    double sx = 2.0 * f.cellWidth / it->second.fullWidth;
    double sy = double(f.emHeight) / kReferencePixels;
    QPainterPath glyphs;
    glyphs.setFillRule(Qt::WindingFill);
    int cell = 0;
    for (int i = 0; i < count;) {
        int n = (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < count) ? 2 : 1;
        glyphKey.resize(glyphKeyBase);
        glyphKey.append(text + i, static_cast<std::size_t>(n));
        auto g = glyphCache.find(glyphKey);
        if (g == glyphCache.end()) {
            Glyph made;
            QString ch = Cp932ToQString(text + i, n);
            made.advance = QFontMetricsF(font).horizontalAdvance(ch);
            if (!ch.trimmed().isEmpty()) {
                // Kept as polygons: the curves are flattened once here instead of at every fill.
                QPainterPath curves;
                curves.addText(0, 0, font, ch);
                made.outline.setFillRule(Qt::WindingFill);
                for (const QPolygonF& polygon : curves.toSubpathPolygons()) {
                    made.outline.addPolygon(polygon);
                    made.outline.closeSubpath();
                }
            }
            g = glyphCache.emplace(glyphKey, std::move(made)).first;
        }
        i += n;
        double left = cell * f.cellWidth + (n * f.cellWidth - g->second.advance * sx) / 2.0;
        cell += n;
        if (g->second.outline.isEmpty())
            continue;
        QTransform place;
        place.translate(left, 0);
        place.scale(sx, sy);
        glyphs.addPath(place.map(g->second.outline));
    }
    double width = double(cell) * f.cellWidth;
    double line = std::max(1.0, f.emHeight / 16.0);
    if (lf.lfUnderline)
        glyphs.addRect(QRectF(0, f.descent / 2.0, width, line));
    if (lf.lfStrikeOut)
        glyphs.addRect(QRectF(0, -f.emHeight * 0.3, width, line));

    QTransform toDevice;
    toDevice.translate(x, y);
    toDevice.rotateRadians(-angle);
    QPainter* painter = m_impl->painter;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setClipRect(ToQRect(DeviceClip()));
    if (GetBkMode() == OPAQUE) {
        QPainterPath box;
        box.addRect(QRectF(0, -f.ascent, width, f.ascent + f.descent));
        painter->fillPath(toDevice.map(box), ToQColor(GetBkColor()));
    }
    painter->fillPath(toDevice.map(glyphs), ToQColor(GetTextColor()));
    painter->restore();
}
