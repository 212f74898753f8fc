// The element blocks' boxes: measured lazily, a block at a time, when a walk asks for them.
#include "document/BlockExtents.h"

#include <algorithm>
#include <cmath>

#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "platform/core/Arrays.h"

bool CBlockExtents::s_enabled = true;

namespace {

constexpr double kHuge = HUGE_VAL;

CExtentBox Empty()
{
    return CExtentBox{kHuge, kHuge, -kHuge, -kHuge};
}

CExtentBox Everything()
{
    return CExtentBox{-kHuge, -kHuge, kHuge, kHuge};
}

// Grows a box over x0..x1, y0..y1; a value that is not a finite number leaves it unbounded for
// good, since no comparison could pass over it soundly.
void Grow(CExtentBox& b, double x0, double y0, double x1, double y1)
{
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1)) {
        b = Everything();
        return;
    }
    b.minX = std::min(b.minX, x0);
    b.minY = std::min(b.minY, y0);
    b.maxX = std::max(b.maxX, x1);
    b.maxY = std::max(b.maxY, y1);
}

void GrowPoint(CExtentBox& b, const CPointD& p)
{
    Grow(b, p.m_x, p.m_y, p.m_x, p.m_y);
}

void GrowRound(CExtentBox& b, const CPointD& c, double radius)
{
    const double r = std::fabs(radius) * (1 + 1e-9);
    Grow(b, c.m_x - r, c.m_y - r, c.m_x + r, c.m_y + r);
}

void GrowPoints(CExtentBox& b, const std::vector<CPointD>& points)
{
    for (const CPointD& p : points)
        GrowPoint(b, p);
}

void GrowElement(CExtentBox& b, const CDataPoint& e) { GrowPoint(b, e.m_position); }

void GrowElement(CExtentBox& b, const CLine& e)
{
    GrowPoint(b, e.m_start);
    GrowPoint(b, e.m_end);
}

void GrowElement(CExtentBox& b, const CCircle& e) { GrowRound(b, e.m_centre, e.m_radius); }
void GrowElement(CExtentBox& b, const CArc& e) { GrowRound(b, e.m_centre, e.m_radius); }

void GrowElement(CExtentBox& b, const CConic& e)
{
    GrowRound(b, e.m_centre, e.m_majorRadius * std::max(1.0, std::fabs(e.m_ratio)));
    GrowPoints(b, e.m_polyline);
}

void GrowElement(CExtentBox& b, const CCurve& e) { GrowPoints(b, e.m_points); }

void GrowElement(CExtentBox& b, const CText& e)
{
    const CPointD& p = e.m_underlineStart;
    const CPointD& q = e.m_underlineEnd;
    const double dx = q.m_x - p.m_x, dy = q.m_y - p.m_y;
    const double reach = std::sqrt(dx * dx + dy * dy) * (1 + 1e-9);
    Grow(b, std::min(p.m_x, q.m_x) - reach, std::min(p.m_y, q.m_y) - reach, std::max(p.m_x, q.m_x) + reach,
         std::max(p.m_y, q.m_y) + reach);
}

}  // namespace

CWorldWindow CWorldWindow::FromView(const CRectD& w, const CPointD& origin, double zoom)
{
    CWorldWindow r;
    r.minX = std::min(w.m_left, w.m_right) / zoom + origin.m_x;
    r.maxX = std::max(w.m_left, w.m_right) / zoom + origin.m_x;
    r.minY = std::min(w.m_top, w.m_bottom) / zoom + origin.m_y;
    r.maxY = std::max(w.m_top, w.m_bottom) / zoom + origin.m_y;
    const double size = std::max({std::fabs(r.minX), std::fabs(r.maxX), std::fabs(r.minY), std::fabs(r.maxY), 1.0});
    const double margin = size * 1e-9 + (r.maxX - r.minX + r.maxY - r.minY) * 1e-9;
    r.minX -= margin;
    r.maxX += margin;
    r.minY -= margin;
    r.maxY += margin;
    if (!(zoom > 0) || !std::isfinite(r.minX + r.maxX + r.minY + r.maxY))
        return Unbounded();
    return r;
}

CWorldWindow CWorldWindow::Unbounded()
{
    return CWorldWindow{-kHuge, -kHuge, kHuge, kHuge};
}

namespace {

template <class Block>
void MeasureKind(const CObArray& blocks, std::vector<CBlockExtents::Entry>& entries)
{
    const auto n = static_cast<std::size_t>(blocks.GetSize());
    entries.resize(n, CBlockExtents::Entry{nullptr, 0, Empty()});
    for (std::size_t b = 0; b < n; ++b) {
        const auto* block = static_cast<const Block*>(blocks[static_cast<int>(b)]);
        const int count = block ? std::clamp<int>(block->m_count, 0, Block::SlotCount) : 0;
        CBlockExtents::Entry& e = entries[b];
        if (e.block == block && e.count == count)
            continue;
        int from = e.count;
        if (e.block != block || count < from) {
            e = CBlockExtents::Entry{block, 0, Empty()};
            from = 0;
        }
        for (int s = from; s < count; ++s)
            GrowElement(e.box, block->m_slots[s]);
        e.count = count;
    }
}

}  // namespace

const CBlockExtents::Entry* CBlockExtents::Boxes(Kind kind, const CObArray& blocks)
{
    if (kind < 0 || kind >= kKindCount)
        return nullptr;
    std::vector<Entry>& entries = m_entries[kind];
    if (!m_grown[kind] && entries.size() == static_cast<std::size_t>(blocks.GetSize()))
        return entries.data();
    m_grown[kind] = false;
    switch (kind) {
    case kPoints: MeasureKind<CDataPoints>(blocks, entries); break;
    case kLines: MeasureKind<CLines>(blocks, entries); break;
    case kCircles: MeasureKind<CCircles>(blocks, entries); break;
    case kArcs: MeasureKind<CArcs>(blocks, entries); break;
    case kTexts: MeasureKind<CTexts>(blocks, entries); break;
    case kConics: MeasureKind<CConics>(blocks, entries); break;
    case kCurves: MeasureKind<CCurves>(blocks, entries); break;
    default: return nullptr;
    }
    return entries.data();
}

void CBlockExtents::Invalidate()
{
    for (std::vector<Entry>& entries : m_entries)
        entries.clear();
    for (bool& grown : m_grown)
        grown = true;
}

std::size_t CBlockExtents::MemoryBytes() const
{
    std::size_t bytes = 0;
    for (const std::vector<Entry>& entries : m_entries)
        bytes += entries.capacity() * sizeof(Entry);
    return bytes;
}
