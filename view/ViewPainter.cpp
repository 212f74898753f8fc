// The view's element walk: blocks sorted by pen and font, the pass rules over state, mark and
// layer word, and the element drawers chosen by kind.
#include "view/ViewPainter.h"

#include <algorithm>

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/ElementKinds.h"
#include "elements/Lines.h"
#include "geometry/Numeric.h"
#include "platform/gdi/DC.h"

CViewPainter::CViewPainter(CZelkView* view, CDC* dc, const RECT& clip, bool inRect)
    : m_view(view), m_doc(view->m_document), m_dc(dc), m_clip(clip), m_inRect(inRect)
{
    m_clipD.SetFromIntRect(clip);
    // Every drawer leaves out an element that lies outside the clip (a text by its underline
    // against the clip widened by the underline's length); the boxes are of those extents.
    m_world = CWorldWindow::FromView(m_clipD, view->m_origin, view->m_zoom);
    m_interrupt35 = g_pApp && g_pApp->m_interruptMode == 35;
    m_grayMode = g_pApp && g_pApp->m_appDraw.grayDisplay != 0;
    m_writeLayer = m_doc ? m_doc->m_writeLayer : -1;
    m_layerCount = view->m_layerStates.GetSize();
    m_words.resize(static_cast<std::size_t>(m_layerCount));
    for (int i = 0; i < m_layerCount; ++i)
        m_words[static_cast<std::size_t>(i)] = view->m_layerStates[i];
}

// The blocks of each pen (font) in block order, but for those whose box does not meet the
// clip; those go to `outside` when it is given.
template <class Block>
void CViewPainter::SortBlocks(CBlockExtents::Kind kind, const CObArray& blocks, int count, SortedLists<Block>& out,
                              std::vector<std::vector<std::uint32_t>>* outside) const
{
    out.assign(static_cast<std::size_t>(count), {});
    if (outside)
        outside->assign(static_cast<std::size_t>(count), {});
    const bool compact = CBlockExtents::s_enabled;
    const CBlockExtents::Entry* boxes = compact ? m_doc->m_blockExtents.Boxes(kind, blocks) : nullptr;
    for (int b = 0; b < blocks.GetSize(); ++b) {
        Block* block = static_cast<Block*>(blocks[b]);
        if (!block || block->m_pen < 0 || block->m_pen >= count)
            continue;
        const auto pen = static_cast<std::size_t>(block->m_pen);
        if (boxes && !m_world.Meets(boxes[b].box)) {
            if (outside)
                for (int s = 0; s < block->m_count; ++s)
                    (*outside)[pen].push_back(Packed(block->m_slots[s]));
            continue;
        }
        out[pen].push_back(Sorted<Block>{block, m_status.size()});
        if (!compact)
            continue;
        for (int s = 0; s < block->m_count; ++s)
            m_status.push_back(Packed(block->m_slots[s]));
    }
    // The rule's verdict depends on nothing else: each distinct status once.
    if (outside)
        for (std::vector<std::uint32_t>& statuses : *outside) {
            std::sort(statuses.begin(), statuses.end());
            statuses.erase(std::unique(statuses.begin(), statuses.end()), statuses.end());
        }
}

void CViewPainter::Sort() const
{
    if (m_sorted || !m_doc)
        return;
    m_sorted = true;
    const int pens = PenCount();
    CZelkDoc* d = m_doc;
    m_status.clear();
    SortBlocks(CBlockExtents::kPoints, d->m_pointBlocks, pens, m_points);
    SortBlocks(CBlockExtents::kLines, d->m_lineBlocks, pens, m_lines);
    SortBlocks(CBlockExtents::kCircles, d->m_circleBlocks, pens, m_circles);
    SortBlocks(CBlockExtents::kArcs, d->m_arcBlocks, pens, m_arcs);
    SortBlocks(CBlockExtents::kConics, d->m_conicBlocks, pens, m_conics);
    SortBlocks(CBlockExtents::kCurves, d->m_curveBlocks, pens, m_curves);
    SortBlocks(CBlockExtents::kTexts, d->m_textBlocks, FontCount(), m_texts, &m_textsOutside);
}

bool CViewPainter::AnyTaken(const std::vector<std::uint32_t>& statuses, PassRule rule) const
{
    for (const std::uint32_t v : statuses)
        if (Takes(rule, static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::int16_t>(v >> 16)))
            return true;
    return false;
}

int CViewPainter::PenCount() const
{
    return m_doc ? m_doc->m_pens.GetSize() : 0;
}

int CViewPainter::FontCount() const
{
    return m_doc ? m_doc->m_fonts.GetSize() : 0;
}

const CTypePen* CViewPainter::Pen(int index) const
{
    return m_doc ? m_doc->GetPen(index) : nullptr;
}

const CTypeFont* CViewPainter::Font(int index) const
{
    return m_doc ? m_doc->GetFont(index) : nullptr;
}



void CViewPainter::DrawPenElements(int pen, PassRule rule, bool linesOnly)
{
    if (pen < 0 || pen >= PenCount())
        return;
    Sort();
    const auto p = static_cast<std::size_t>(pen);
    auto walk = [&](auto& lists, auto drawOne) {
        WithRule(rule, [&](auto r) {
            for (const auto& sorted : lists[p]) {
                auto* block = sorted.block;
                for (int s = 0; s < block->m_count; ++s) {
                    std::uint8_t state = 0, mark = 0;
                    std::int16_t layer = 0;
                    StatusOf(sorted.status + static_cast<std::size_t>(s), block->m_slots[s], state, mark, layer);
                    if (TakesBy<decltype(r)::value>(state, mark, layer))
                        drawOne(block, s);
                }
            }
        });
    };
    if (!linesOnly)
        walk(m_points, [this](CDataPoints* b, int s) { DrawPoint(b, s); });
    walk(m_lines, [this](CLines* b, int s) { DrawLine(b, s); });
    if (linesOnly)
        return;
    walk(m_circles, [this](CCircles* b, int s) { DrawCircle(b, s); });
    walk(m_arcs, [this](CArcs* b, int s) { DrawArc(b, s); });
    walk(m_conics, [this](CConics* b, int s) { DrawConic(b, s); });
    walk(m_curves, [this](CCurves* b, int s) { DrawCurve(b, s); });
}

template <class Element>
void CViewPainter::DrawOne(Element& e)
{
    if (m_inRect)
        e.DrawInRect(m_dc, m_view->m_origin, m_view->m_zoom, m_clip);
    else
        e.Draw(m_dc, m_view->m_origin, m_view->m_zoom, m_clipD);
}

void CViewPainter::DrawPoint(CDataPoints* block, int slot)
{
    DrawOne(block->m_slots[slot]);
}

void CViewPainter::DrawLine(CLines* block, int slot)
{
    CLine& e = block->m_slots[slot];
    const CPointD& o = m_view->m_origin;
    const double z = m_view->m_zoom;
    switch (block->m_direction) {
    case 1:
        m_inRect ? e.DrawHorizontalInRect(m_dc, o, z, m_clip) : e.DrawHorizontal(m_dc, o, z, m_clipD);
        break;
    case 2:
        m_inRect ? e.DrawVerticalInRect(m_dc, o, z, m_clip) : e.DrawVertical(m_dc, o, z, m_clipD);
        break;
    default:
        m_inRect ? e.DrawObliqueInRect(m_dc, o, z, m_clip) : e.DrawOblique(m_dc, o, z, m_clipD);
        break;
    }
}

void CViewPainter::DrawCircle(CCircles* block, int slot)
{
    DrawOne(block->m_slots[slot]);
}

void CViewPainter::DrawArc(CArcs* block, int slot)
{
    DrawOne(block->m_slots[slot]);
}

void CViewPainter::DrawConic(CConics* block, int slot)
{
    DrawOne(block->m_slots[slot]);
}

void CViewPainter::DrawCurve(CCurves* block, int slot)
{
    DrawOne(block->m_slots[slot]);
}

bool CViewPainter::SelectTextFont(const CTypeFont& font, int& readable, int& charHeight, int& charWidth)
{
    SIZE size{font.m_width, font.m_height};
    if (!m_view->SelectScaledFont(m_dc, font.m_logFont, size, readable) || !m_view->m_font)
        return false;
    const LOGFONT& made = m_view->m_font->m_logFont;
    charHeight = -made.lfHeight;
    charWidth = made.lfWidth != 0 ? made.lfWidth : -made.lfHeight / 2;
    return true;
}

void CViewPainter::DrawText(CText& text, const CTypeFont& font, int readable, COLORREF color,
                            int charHeight, int charWidth)
{
    const double angle = PI * font.m_angle / 180.0;
    const CPointD& o = m_view->m_origin;
    const double z = m_view->m_zoom;
    if (font.m_style2 == 1) {
        if (m_inRect)
            text.DrawInRect(m_dc, o, z, m_clip, readable, color, angle, charHeight);
        else
            text.Draw(m_dc, o, z, m_clipD, readable, color, angle, charHeight);
    } else {
        if (m_inRect)
            text.DrawLayoutInRect(m_dc, o, z, m_clip, readable, color, charHeight, charWidth, &font);
        else
            text.DrawLayout(m_dc, o, z, m_clipD, readable, color, charHeight, charWidth, &font);
    }
}
