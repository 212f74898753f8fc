// Painting half of CDC. Thin pens are laid pixel by pixel on images so that the last-pixel rule,
// dash patterns and raster operations are exact; wide pens, fills and text go through QPainter
// without antialiasing, and through a coverage mask where a raster operation must combine them
// with the pixels underneath.
#include "platform/gdi/PainterDC.h"

#include "platform/core/CodePage.h"

#include <QFont>
#include <QGuiApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QTransform>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <algorithm>
#include <functional>
#include <limits>
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

bool Patterned(int style)
{
    return style == PS_DASH || style == PS_DOT || style == PS_DASHDOT || style == PS_DASHDOTDOT;
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
    // floor(v + 0.5) without the library call.
    const double w = v + 0.5;
    long t = static_cast<long>(w);
    if (static_cast<double>(t) > w)
        --t;
    return t;
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

// Qt lets one painter at a time paint a device; a second one fails to begin and its drawing is
// lost. Device contexts on one device (a paint and a client context opened inside it, two
// client contexts of one window) share the first one's painter, ended when the last of them
// ends, in whatever order they end. Every drawing call sets the painter's state it needs and
// puts it back, so that sharing leaves one context's pens and clips out of another's drawing.
struct SharedPainter {
    std::unique_ptr<QPainter> own;
    QPainter* painter = nullptr;
    int users = 0;
};

std::unordered_map<QPaintDevice*, SharedPainter>& SharedPainters()
{
    static auto* painters = new std::unordered_map<QPaintDevice*, SharedPainter>;
    return *painters;
}

QPainter* JoinPainter(QPaintDevice* device)
{
    SharedPainter& shared = SharedPainters()[device];
    if (!shared.painter) {
        // A painter of someone else's already on the device is used as it is, and left open.
        QPaintEngine* engine = device->paintingActive() ? device->paintEngine() : nullptr;
        if (engine && engine->painter()) {
            shared.painter = engine->painter();
        } else {
            shared.own = std::make_unique<QPainter>(device);
            shared.painter = shared.own.get();
        }
    }
    ++shared.users;
    return shared.painter;
}

void LeavePainter(QPaintDevice* device)
{
    auto& painters = SharedPainters();
    auto it = painters.find(device);
    if (it == painters.end() || --it->second.users > 0)
        return;
    if (it->second.own)
        it->second.own->end();
    painters.erase(it);
}

// Boxes whose corners lie within this many pixels of the origin share their rings: the sums of
// a centre and a sample's offset then err by far less than kHalfPixelMargin.
constexpr long kSharedRingReach = 1L << 20;
constexpr double kHalfPixelMargin = 1e-7;
constexpr int kSharedRingMaxSteps = 4096;
// What the kept rings of one painter may hold, in samples and pixels (about 40 and 16 bytes).
constexpr std::size_t kSharedRingMaxSamples = std::size_t{1} << 17;
constexpr std::size_t kRingVariantsKept = 8;

// The sample steps of a thin ring of this radius: at most 0.7 pixels keeps it 8-connected.
int RingSteps(double radius)
{
    return std::max(8, static_cast<int>(std::min(4.0e6, std::ceil(2 * kPi * radius / 0.7))));
}

// Samples run round the ellipse in order, so a pixel repeats only next to itself (and the last
// ones meet the first): true when sample i's pixel p is new.
bool NewRingPixel(int i, const CPoint& p, CPoint& first, CPoint& previous)
{
    if (i == 0)
        first = p;
    else if (p == previous || p == first)
        return false;
    previous = p;
    return true;
}

bool NearHalfPixel(double v)
{
    const double w = v + 0.5;
    const double f = w - std::floor(w);
    return f < kHalfPixelMargin || f > 1 - kHalfPixelMargin;
}

} // namespace

struct CPainterDC::Impl {
    QPainter* painter = nullptr;
    QPaintDevice* joined = nullptr;   // the device whose shared painter this context uses
    QImage* image = nullptr;
    uchar* bits = nullptr;    // the image's pixels, 32 bits each, when raster operations apply
    qsizetype bytesPerLine = 0;

    struct FontEntry {
        QFont font;
        double fullWidth = kReferencePixels;
    };
    // Faces found once for the whole program: finding one asks the font configuration.
    // Never destroyed, as fonts must not outlive the application object.
    static std::map<std::string, FontEntry>& Fonts()
    {
        static auto* fonts = new std::map<std::string, FontEntry>;
        return *fonts;
    }
    // The entry of the font last drawn with, found again without making its key.
    LOGFONT lastLogFont{};
    const std::pair<const std::string, FontEntry>* lastFont = nullptr;
    std::string textKey;    // made again for every text, kept to keep its storage
    // The pixels of the figure being stroked, and an arc's ring: kept for their storage.
    std::vector<CPoint> pixels;
    std::vector<double> ringT;
    std::vector<CPoint> ringAt;

    // The samples of a thin ellipse's ring for a box of one size, worked out for the box with
    // its top left corner at the origin. A box moved by whole pixels rounds each sample to the
    // same pixel moved with it, unless the sample lies so near the middle between two pixels
    // that the rounding of the larger sum could fall the other way: those samples are rounded
    // afresh for every box, and the ring is kept for each way they fell.
    struct RingSample {
        double t;
        double ax, ay;     // the sample's offsets from the centre, as every box computes them
        CPoint at;         // its pixel for the box at the origin
    };
    struct RingVariant {
        std::vector<CPoint> near;    // where the samples near a half pixel fell, from the corner
        // The ring without repeated pixels, from the corner: each pixel's parameter and the pixel.
        std::vector<double> ringT;
        std::vector<CPoint> ringAt;
    };
    struct RingShape {
        std::vector<RingSample> samples;
        std::vector<int> near;    // the samples near a half pixel
        std::vector<RingVariant> variants;
    };
    std::unordered_map<std::uint64_t, RingShape> rings;
    std::size_t ringSamples = 0;
    std::vector<CPoint> nearFell;
    RingShape& RingShapeFor(long width, long height, int fullSteps, double stepAngle);
    // The ring of the shape whose samples near a half pixel fell as given.
    const RingVariant& RingVariantFor(RingShape& shape, const std::vector<CPoint>& fell);

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
    m_impl->painter = JoinPainter(device);
    m_impl->joined = device;
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
    if (m_impl->joined)
        LeavePainter(m_impl->joined);
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

bool CPainterDC::LaySolidPixels(const Pen& pen, const std::vector<CPoint>& pixels, CPoint shift)
{
    if (m_impl->bits == nullptr || Patterned(pen.style))
        return false;
    // A solid pen on the picture: every pixel inside the clip, through the ROP.
    const RECT clip = DeviceClip();
    if (clip.right <= clip.left || clip.bottom <= clip.top)
        return true;
    const int rop = GetROP2();
    const std::uint32_t rgb = ToRgb(pen.color);
    // The clip moved against the shift: a pixel is inside when its offsets from the corner are
    // below the clip's sides, as unsigned numbers.
    const long left = clip.left - shift.x, top = clip.top - shift.y;
    const auto width = static_cast<unsigned long>(static_cast<long>(clip.right) - clip.left);
    const auto height = static_cast<unsigned long>(static_cast<long>(clip.bottom) - clip.top);
    auto inside = [&](const CPoint& p) {
        return static_cast<unsigned long>(p.x - left) < width && static_cast<unsigned long>(p.y - top) < height;
    };
    if (rop == R2_COPYPEN) {
        const std::uint32_t value = 0xFF000000u | rgb;
        for (const CPoint& p : pixels)
            if (inside(p))
                *m_impl->Pixel(p.x + shift.x, p.y + shift.y) = value;
        return true;
    }
    for (const CPoint& p : pixels) {
        if (!inside(p))
            continue;
        std::uint32_t* px = m_impl->Pixel(p.x + shift.x, p.y + shift.y);
        *px = 0xFF000000u | Rop2(rop, rgb, *px & 0xFFFFFFu);
    }
    return true;
}

// Pixels of a thin figure in drawing order, each once, through the dash pattern and the ROP.
void CPainterDC::StrokePixels(const std::vector<CPoint>& pixels)
{
    Pen pen = DevicePen();
    if (LaySolidPixels(pen, pixels, CPoint(0, 0)))
        return;
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
        std::vector<CPoint>& pixels = m_impl->pixels;
        pixels.clear();
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

CPainterDC::Impl::RingShape& CPainterDC::Impl::RingShapeFor(long width, long height, int fullSteps,
                                                                double stepAngle)
{
    const std::uint64_t key = (std::uint64_t(std::uint32_t(width)) << 32) | std::uint32_t(height);
    auto found = rings.find(key);
    if (found != rings.end())
        return found->second;
    if (ringSamples + static_cast<std::size_t>(fullSteps) > kSharedRingMaxSamples) {
        rings.clear();
        ringSamples = 0;
    }
    ringSamples += static_cast<std::size_t>(fullSteps);
    RingShape& shape = rings[key];
    // The box at the origin: its centre differs from any other box's of this size by whole
    // pixels, and its offsets are the same numbers.
    const double cx = (width - 1) / 2.0, cy = (height - 1) / 2.0;
    const double rx = (width - 1) / 2.0, ry = (height - 1) / 2.0;
    const double cd = std::cos(stepAngle), sd = std::sin(stepAngle);
    double c = 1, sn = 0;
    shape.samples.reserve(static_cast<size_t>(fullSteps));
    for (int i = 0; i < fullSteps; ++i) {
        RingSample sample;
        sample.t = stepAngle * i;
        sample.ax = rx * c;
        sample.ay = ry * sn;
        const double x = cx + sample.ax, y = cy - sample.ay;
        sample.at = CPoint(RoundHalfUp(x), RoundHalfUp(y));
        // An offset of nought adds nothing to any centre: those sums are exact.
        if ((sample.ax != 0 && NearHalfPixel(x)) || (sample.ay != 0 && NearHalfPixel(y)))
            shape.near.push_back(i);
        shape.samples.push_back(sample);
        double nc = c * cd - sn * sd;
        sn = sn * cd + c * sd;
        c = nc;
    }
    return shape;
}

const CPainterDC::Impl::RingVariant& CPainterDC::Impl::RingVariantFor(RingShape& shape, const std::vector<CPoint>& fell)
{
    for (const RingVariant& v : shape.variants)
        if (v.near == fell)
            return v;
    // A few ways of falling are usual (the samples on the axes of a box with even sides).
    if (shape.variants.size() >= kRingVariantsKept)
        shape.variants.clear();
    RingVariant& variant = shape.variants.emplace_back();
    variant.near = fell;
    CPoint first, previous;
    size_t k = 0;
    for (int i = 0; i < static_cast<int>(shape.samples.size()); ++i) {
        CPoint p = shape.samples[static_cast<size_t>(i)].at;
        if (k < shape.near.size() && shape.near[k] == i)
            p = fell[k++];
        if (!NewRingPixel(i, p, first, previous))
            continue;
        variant.ringT.push_back(shape.samples[static_cast<size_t>(i)].t);
        variant.ringAt.push_back(p);
    }
    // Counted with the samples: the next new shape past the limit lets every ring go.
    ringSamples += variant.ringAt.size();
    return variant;
}

void CPainterDC::DevArc(const RECT& box, double startAngle, double sweep)
{
    double cx = (box.left + box.right - 1) / 2.0;
    double cy = (box.top + box.bottom - 1) / 2.0;
    double rx = (box.right - box.left - 1) / 2.0;
    double ry = (box.bottom - box.top - 1) / 2.0;
    // The rays meet the ellipse at these parameters.
    bool full = sweep >= 2 * kPi;
    auto parameters = [&](double& t1, double& tsweep) {
        t1 = std::atan2(rx * std::sin(startAngle), ry * std::cos(startAngle));
        double t2 = std::atan2(rx * std::sin(startAngle + sweep), ry * std::cos(startAngle + sweep));
        tsweep = t2 - t1;
        while (tsweep <= 0)
            tsweep += 2 * kPi;
        if (full)
            tsweep = 2 * kPi;
    };
    double radius = std::max({rx, ry, 1.0});
    Pen pen = DevicePen();
    if (m_impl->bits != nullptr && pen.width <= 1) {
        // The pixels of the whole ellipse are fixed by the box alone; an arc takes those whose
        // parameter lies in its sweep, so pieces of one ellipse meet without gaps or overlaps.
        // The sines come from a rotation recurrence, the same for every call with this box size.
        const int fullSteps = RingSteps(radius);
        const double stepAngle = 2 * kPi / fullSteps;
        const long reach = std::max({std::labs(box.left), std::labs(box.right), std::labs(box.top),
                                     std::labs(box.bottom)});
        Impl::RingShape* shape = nullptr;
        if (s_shareRings && fullSteps <= kSharedRingMaxSteps && reach <= kSharedRingReach)
            shape = &m_impl->RingShapeFor(box.right - box.left, box.bottom - box.top, fullSteps, stepAngle);
        const std::vector<double>* ringT = &m_impl->ringT;
        const std::vector<CPoint>* ringAt = &m_impl->ringAt;
        CPoint shift(0, 0);
        if (shape != nullptr) {
            // Where this box's samples near a half pixel fall, seen from its corner.
            std::vector<CPoint>& fell = m_impl->nearFell;
            fell.clear();
            for (const int i : shape->near) {
                const Impl::RingSample& sample = shape->samples[static_cast<size_t>(i)];
                fell.emplace_back(RoundHalfUp(cx + sample.ax) - box.left, RoundHalfUp(cy - sample.ay) - box.top);
            }
            const Impl::RingVariant& variant = m_impl->RingVariantFor(*shape, fell);
            ringT = &variant.ringT;
            ringAt = &variant.ringAt;
            shift = CPoint(box.left, box.top);
        } else {
            m_impl->ringT.clear();
            m_impl->ringAt.clear();
            CPoint first, previous;
            const double cd = std::cos(stepAngle), sd = std::sin(stepAngle);
            double c = 1, sn = 0;
            for (int i = 0; i < fullSteps; ++i) {
                CPoint p(RoundHalfUp(cx + rx * c), RoundHalfUp(cy - ry * sn));
                double t = stepAngle * i;
                double nc = c * cd - sn * sd;
                sn = sn * cd + c * sd;
                c = nc;
                if (!NewRingPixel(i, p, first, previous))
                    continue;
                m_impl->ringT.push_back(t);
                m_impl->ringAt.push_back(p);
            }
        }
        // A whole solid ring is laid straight from the ring.
        if (full && LaySolidPixels(pen, *ringAt, shift))
            return;
        std::vector<CPoint>& ordered = m_impl->pixels;
        ordered.clear();
        ordered.reserve(ringAt->size());
        auto take = [&](size_t i) {
            const CPoint& p = (*ringAt)[i];
            ordered.emplace_back(p.x + shift.x, p.y + shift.y);
        };
        const size_t count = ringAt->size();
        if (full) {
            for (size_t i = 0; i < count; ++i)
                take(i);
        } else {
            double t1 = 0, tsweep = 0;
            parameters(t1, tsweep);
            const double from = std::fmod(t1 + 4 * kPi, 2 * kPi), to = from + tsweep;
            for (size_t i = 0; i < count; ++i)
                if ((*ringT)[i] >= from && (*ringT)[i] <= to)
                    take(i);
            for (size_t i = 0; i < count; ++i)
                if ((*ringT)[i] <= to - 2 * kPi)
                    take(i);
        }
        StrokePixels(ordered);
        return;
    }
    double t1 = 0, tsweep = 0;
    parameters(t1, tsweep);
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

bool CPainterDC::DevImage(const RECT& rect, const BYTE* data, size_t size)
{
    if (size > static_cast<size_t>(std::numeric_limits<int>::max()))
        return false;
    QImage image;
    if (!image.loadFromData(data, static_cast<int>(size), "PNG"))
        return false;
    // The rectangle may come with y up: its corners are ordered here, the picture is not turned.
    const QRect target = QRect(QPoint(std::min(rect.left, rect.right), std::min(rect.top, rect.bottom)),
                               QPoint(std::max(rect.left, rect.right) - 1,
                                      std::max(rect.top, rect.bottom) - 1));
    if (target.isEmpty())
        return true;
    m_impl->painter->save();
    m_impl->painter->setClipRect(ToQRect(DeviceClip()), Qt::IntersectClip);
    m_impl->painter->drawImage(target, image);
    m_impl->painter->restore();
    return true;
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

namespace {

// Outlines of characters at the reference size, made once for the whole program: making a
// glyph's outline costs far more than placing and filling it.
struct Glyph {
    QPainterPath outline;
    double advance = 0;
};

const Glyph& GlyphFor(std::string& glyphKey, const QFont& font, const char* bytes, int n)
{
    static std::unordered_map<std::string, Glyph> glyphCache;
    auto g = glyphCache.find(glyphKey);
    if (g == glyphCache.end()) {
        Glyph made;
        QString ch = Cp932ToQString(bytes, n);
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
    return g->second;
}

// A text's outline with its reference point at the origin: every character laid in its cells
// (one for a single byte, two for a double byte), then the underline and the strike-out bar.
QPainterPath TextOutline(const std::string& fontKey, const QFont& font, double fullWidth, const CRealizedFont& f,
                         const char* text, int count)
{
    std::string glyphKey = fontKey + '|';
    const std::size_t glyphKeyBase = glyphKey.size();
    double sx = 2.0 * f.cellWidth / fullWidth;
    double sy = double(f.emHeight) / kReferencePixels;
    QPainterPath glyphs;
    glyphs.setFillRule(Qt::WindingFill);
    int cell = 0;
    for (int i = 0; i < count;) {
        int n = (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < count) ? 2 : 1;
        glyphKey.resize(glyphKeyBase);
        glyphKey.append(text + i, static_cast<std::size_t>(n));
        const Glyph& g = GlyphFor(glyphKey, font, text + i, n);
        i += n;
        double left = cell * f.cellWidth + (n * f.cellWidth - g.advance * sx) / 2.0;
        cell += n;
        if (g.outline.isEmpty())
            continue;
        QTransform place;
        place.translate(left, 0);
        place.scale(sx, sy);
        glyphs.addPath(place.map(g.outline));
    }
    double width = double(cell) * f.cellWidth;
    double line = std::max(1.0, f.emHeight / 16.0);
    const LOGFONT& lf = f.logFont;
    if (lf.lfUnderline)
        glyphs.addRect(QRectF(0, f.descent / 2.0, width, line));
    if (lf.lfStrikeOut)
        glyphs.addRect(QRectF(0, -f.emHeight * 0.3, width, line));
    return glyphs;
}

double TextWidth(const CRealizedFont& f, const char* text, int count)
{
    int cell = 0;
    for (int i = 0; i < count;) {
        int n = (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < count) ? 2 : 1;
        i += n;
        cell += n;
    }
    return double(cell) * f.cellWidth;
}

// The pixels an unturned text covers, as runs along rows, relative to the whole pixel at or
// before its reference point; laid in place of filling its outline again.
struct TextImage {
    struct Run {
        int y, x, length;
    };
    bool placeable = false;
    QRect bounds;    // relative; holds the outline with a margin
    std::vector<Run> runs;
};

// A vertex in 1/64 pixels, the grid the fill rasterises on, rounding to the nearest position.
// Adding a reference point of whole 1/64 pixels moves the vertex along that grid unchanged
// unless the sum's own rounding error could carry it across a midpoint between two positions;
// such a text is filled through the painter instead. A vertex exactly on a midpoint stays
// there in the sum (both have few bits) and goes up: the fill rounds midpoints away from zero
// and laid texts lie at positive positions.
bool FixedPosition(double v, long& out)
{
    constexpr double kTieMargin = 1.0 / (1 << 24);
    const double s = v * 64;
    if (!(std::abs(s) < double(1 << 20)))
        return false;
    const double whole = std::floor(s);
    const double part = s - whole;
    if (part != 0.5 && std::abs(part - 0.5) < kTieMargin)
        return false;
    out = static_cast<long>(whole) + (part >= 0.5 ? 1 : 0);
    return true;
}

// The fill of an outline whose vertices are whole 1/64 pixels gives the same rows of pixels
// wherever whole pixels move it, so the outline is filled once in a picture of its own.
TextImage MakeTextImage(const QPainterPath& outline, int subX, int subY)
{
    TextImage image;
    const int n = outline.elementCount();
    if (n == 0)
        return image;
    std::vector<std::pair<long, long>> fixed(static_cast<std::size_t>(n));
    long minX = 0, minY = 0, maxX = 0, maxY = 0;
    for (int i = 0; i < n; ++i) {
        const QPainterPath::Element& e = outline.elementAt(i);
        if (e.type != QPainterPath::MoveToElement && e.type != QPainterPath::LineToElement)
            return image;
        long fx = 0, fy = 0;
        if (!FixedPosition(e.x, fx) || !FixedPosition(e.y, fy))
            return image;
        fx += subX;
        fy += subY;
        fixed[static_cast<std::size_t>(i)] = {fx, fy};
        if (i == 0 || fx < minX)
            minX = fx;
        if (i == 0 || fx > maxX)
            maxX = fx;
        if (i == 0 || fy < minY)
            minY = fy;
        if (i == 0 || fy > maxY)
            maxY = fy;
    }
    const int left = static_cast<int>(minX >> 6) - 2;
    const int top = static_cast<int>(minY >> 6) - 2;
    const int right = static_cast<int>(maxX >> 6) + 3;
    const int bottom = static_cast<int>(maxY >> 6) + 3;
    QPainterPath path;
    path.setFillRule(outline.fillRule());
    for (int i = 0; i < n; ++i) {
        const auto& p = fixed[static_cast<std::size_t>(i)];
        const QPointF at(double(p.first) / 64 - left, double(p.second) / 64 - top);
        if (outline.elementAt(i).type == QPainterPath::MoveToElement)
            path.moveTo(at);
        else
            path.lineTo(at);
    }
    QImage mask(right - left, bottom - top, QImage::Format_ARGB32_Premultiplied);
    mask.fill(0);
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillPath(path, Qt::white);
    }
    for (int y = 0; y < mask.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < mask.width();) {
            if (qAlpha(row[x]) == 0) {
                ++x;
                continue;
            }
            int end = x;
            while (end < mask.width() && qAlpha(row[end]) != 0)
                ++end;
            image.runs.push_back({y + top, x + left, end - x});
            x = end;
        }
    }
    image.bounds = QRect(left, top, right - left, bottom - top);
    image.placeable = true;
    return image;
}

// Texts laid as pixels, for the whole program. A drawing at one scale repeats few of them;
// past the limit the cache starts again.
template <class Make>
const TextImage& CachedTextImage(const std::string& key, Make make)
{
    constexpr std::size_t kRunLimit = std::size_t(1) << 21;
    static std::unordered_map<std::string, TextImage> images;
    static std::size_t runs = 0;
    auto it = images.find(key);
    if (it != images.end())
        return it->second;
    TextImage made = make();
    if (runs + made.runs.size() > kRunLimit) {
        images.clear();
        runs = 0;
    }
    runs += made.runs.size();
    return images.emplace(key, std::move(made)).first->second;
}

template <class T>
void AppendBytes(std::string& key, const T& value)
{
    key.append(reinterpret_cast<const char*>(&value), sizeof value);
}

} // namespace

long CPainterDC::s_textsLaid = 0;
bool CPainterDC::s_shareRings = true;

long CPainterDC::TextsLaidFromPixels()
{
    return s_textsLaid;
}

const std::string& CPainterDC::FontKey(const LOGFONT& lf, const QFont*& font, double& fullWidth)
{
    Impl& d = *m_impl;
    if (d.lastFont == nullptr || std::memcmp(&d.lastLogFont, &lf, sizeof lf) != 0) {
        std::string key(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
        key += '/' + std::to_string(lf.lfWeight) + '/' + std::to_string(lf.lfItalic);
        auto& fonts = Impl::Fonts();
        auto it = fonts.find(key);
        if (it == fonts.end()) {
            Impl::FontEntry entry;
            entry.font.setFamilies(FamiliesFor(lf));
            entry.font.setPixelSize(kReferencePixels);
            entry.font.setWeight(lf.lfWeight >= 600 ? QFont::Bold : QFont::Normal);
            entry.font.setItalic(lf.lfItalic != 0);
            entry.font.setStyleStrategy(QFont::NoAntialias);
            entry.font.setHintingPreference(QFont::PreferNoHinting);
            double full = QFontMetricsF(entry.font).horizontalAdvance(QChar(0x3000));
            entry.fullWidth = full > 0 ? full : kReferencePixels;
            it = fonts.emplace(key, entry).first;
        }
        d.lastLogFont = lf;
        d.lastFont = &*it;
    }
    font = &d.lastFont->second.font;
    fullWidth = d.lastFont->second.fullWidth;
    return d.lastFont->first;
}

bool CPainterDC::LaysTextPixels() const
{
    const QPainter* painter = m_impl->painter;
    return m_impl->bits != nullptr && painter->deviceTransform().type() == QTransform::TxNone &&
           painter->compositionMode() == QPainter::CompositionMode_SourceOver && painter->opacity() == 1.0;
}

void CPainterDC::DevText(double x, double y, double angle, const char* text, int count)
{
    // Without the application there is no font database, and no screen to write on.
    if (!QGuiApplication::instance())
        return;
    const CRealizedFont& f = GetRealizedFont();
    const LOGFONT& lf = f.logFont;
    const QFont* font = nullptr;
    double fullWidth = kReferencePixels;
    const std::string& fontKey = FontKey(lf, font, fullWidth);
    const double width = TextWidth(f, text, count);
    QPainter* painter = m_impl->painter;
    const QRect clip = ToQRect(DeviceClip()).intersected(QRect(0, 0, m_impl->image ? m_impl->image->width() : 0,
                                                                 m_impl->image ? m_impl->image->height() : 0));
    auto fillBox = [&](const QTransform& toDevice) {
        QPainterPath box;
        box.addRect(QRectF(0, -f.ascent, width, f.ascent + f.descent));
        painter->fillPath(toDevice.map(box), ToQColor(GetBkColor()));
    };

    // An unturned text at whole 1/64 pixels is laid from its pixels.
    const double fx = x * 64, fy = y * 64;
    if (angle == 0 && LaysTextPixels() && std::abs(x) < 8192 && std::abs(y) < 8192 && fx == std::floor(fx) &&
        fy == std::floor(fy)) {
        const long ix = static_cast<long>(std::floor(x));
        const long iy = static_cast<long>(std::floor(y));
        const int subX = static_cast<int>(static_cast<long>(fx) - ix * 64);
        const int subY = static_cast<int>(static_cast<long>(fy) - iy * 64);
        std::string& key = m_impl->textKey;
        key.assign(fontKey);
        const int shape[] = {f.cellWidth, f.emHeight, f.descent, lf.lfUnderline, lf.lfStrikeOut, subX, subY};
        AppendBytes(key, shape);
        key.append(text, static_cast<std::size_t>(count));
        const TextImage& image = CachedTextImage(key, [&] {
            return MakeTextImage(TextOutline(fontKey, *font, fullWidth, f, text, count), subX, subY);
        });
        if (image.placeable && clip.contains(image.bounds.translated(static_cast<int>(ix), static_cast<int>(iy)))) {
            if (GetBkMode() == OPAQUE) {
                QTransform toDevice;
                toDevice.translate(x, y);
                painter->save();
                painter->setRenderHint(QPainter::Antialiasing, false);
                painter->setClipRect(ToQRect(DeviceClip()));
                fillBox(toDevice);
                painter->restore();
            }
            ++s_textsLaid;
            const std::uint32_t color = 0xFF000000u | ToRgb(GetTextColor());
            for (const TextImage::Run& run : image.runs) {
                std::uint32_t* at = m_impl->Pixel(ix + run.x, iy + run.y);
                std::fill(at, at + run.length, color);
            }
            return;
        }
    }

    QTransform toDevice;
    toDevice.translate(x, y);
    toDevice.rotateRadians(-angle);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setClipRect(ToQRect(DeviceClip()));
    if (GetBkMode() == OPAQUE)
        fillBox(toDevice);
    painter->fillPath(toDevice.map(TextOutline(fontKey, *font, fullWidth, f, text, count)), ToQColor(GetTextColor()));
    painter->restore();
}
