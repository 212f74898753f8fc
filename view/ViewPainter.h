// The element walk every drawing routine of the view shares: the blocks of each kind sorted by
// pen (texts by font) once per drawing, so that each pen is made once per pass, and the drawing
// of the elements of one pen or font that a pass selects, on the view's device context.
#pragma once

#include <cstdint>
#include <type_traits>
#include <vector>

#include "document/BlockExtents.h"
#include "geometry/PointD.h"
#include "geometry/RectD.h"
#include "platform/core/WinTypes.h"

class CArcs;
class CCircles;
class CConics;
class CCurves;
class CDataPoints;
class CDC;
class CLines;
class CText;
class CTexts;
class CTypeFont;
class CTypePen;
class CZelkDoc;
class CZelkView;

// Which elements a pass takes, from the element's state and mark bytes and its layer.
enum class PassRule {
    // The paint.
    Sketch,      // live, plain, shown
    Gray,        // live, plain, grayed
    Color,       // live, plain, colored
    Selected,    // live, selected, markable
    MarkedLine,  // live, marked line, markable
    SecondMark,  // live, second mark, markable
    // The redraw of changed elements.
    RedrawErase,
    RedrawSketch,
    RedrawGray,
    RedrawColor,
    RedrawSelected,
    RedrawMarkedLine,
    RedrawSecondMark,
    // Every element of any state (the erase of changed elements).
    ChangedAny,
};

class CViewPainter {
public:
    // clip is the logical rectangle handed to the element drawers; inRect picks the drawers that
    // take it as integers (the paint) instead of as doubles (redraws and requests).
    CViewPainter(CZelkView* view, CDC* dc, const RECT& clip, bool inRect);

    bool Takes(PassRule rule, std::uint8_t state, std::uint8_t mark, std::int16_t layer) const;
    template <PassRule R>
    bool TakesBy(std::uint8_t state, std::uint8_t mark, std::int16_t layer) const;
    template <class F>
    static void WithRule(PassRule rule, F f);

    int PenCount() const;
    int FontCount() const;
    const CTypePen* Pen(int index) const;
    const CTypeFont* Font(int index) const;

    // The points, lines, circles, arcs, conics and curves of a pen that the rule takes, with the
    // pen already selected; linesOnly draws only the lines.
    void DrawPenElements(int pen, PassRule rule, bool linesOnly = false);
    // The texts of a font that the rule takes, each in the color the function gives it; the
    // font is selected here and restored after. colorOf receives the text.
    template <class ColorOf>
    void DrawFontTexts(int font, PassRule rule, ColorOf colorOf);

    // The blur passes of a pen: the callback draws with each pass's pen selected.
    template <class Draw>
    void BlurPasses(const CTypePen& pen, int style, COLORREF color, Draw draw);

    // One element, by kind.
    void DrawPoint(CDataPoints* block, int slot);
    void DrawLine(CLines* block, int slot);
    void DrawCircle(CCircles* block, int slot);
    void DrawArc(CArcs* block, int slot);
    void DrawConic(CConics* block, int slot);
    void DrawCurve(CCurves* block, int slot);
    // A text with the font made for it already selected.
    void DrawText(CText& text, const CTypeFont& font, int readable, COLORREF color,
                  int charHeight, int charWidth);
    // Selects the view's scaled font of a font record; false when none can be made. Gives the
    // character height and width in logical units.
    bool SelectTextFont(const CTypeFont& font, int& readable, int& charHeight, int& charWidth);

    CZelkView* m_view;
    CZelkDoc* m_doc;
    CDC* m_dc;
    RECT m_clip;
    CRectD m_clipD;
    bool m_inRect;
    bool m_interrupt35;
    bool m_grayMode;
    int m_writeLayer;
    int m_layerCount;

private:
    bool InRange(std::int16_t layer) const { return layer >= 0 && layer < m_layerCount; }
    WORD Word(std::int16_t layer) const { return m_words[static_cast<std::size_t>(layer)]; }
    template <class Element>
    void DrawOne(Element& e);
    // Sorting waits for the first walk: a single-element request never needs it.
    void Sort() const;
    bool AnyTaken(const std::vector<std::uint32_t>& statuses, PassRule rule) const;

    // A block of a pen's (a font's) list, with where its elements' state, mark and layer start
    // in m_status.
    template <class Block>
    struct Sorted {
        Block* block;
        std::size_t status;
    };
    template <class Block>
    using SortedLists = std::vector<std::vector<Sorted<Block>>>;
    // The state, mark and layer of an element, from m_status when the blocks were sorted with it
    // (a pass then reads a few bytes an element instead of each element's own memory).
    template <class Element>
    void StatusOf(std::size_t at, const Element& e, std::uint8_t& state, std::uint8_t& mark,
                  std::int16_t& layer) const
    {
        if (m_status.empty()) {
            state = e.m_state;
            mark = e.m_mark;
            layer = e.m_layer;
            return;
        }
        const std::uint32_t v = m_status[at];
        state = static_cast<std::uint8_t>(v);
        mark = static_cast<std::uint8_t>(v >> 8);
        layer = static_cast<std::int16_t>(v >> 16);
    }
    template <class Block>
    void SortBlocks(CBlockExtents::Kind kind, const CObArray& blocks, int count, SortedLists<Block>& out,
                    std::vector<std::vector<std::uint32_t>>* outside = nullptr) const;
    template <class Element>
    static std::uint32_t Packed(const Element& e)
    {
        return std::uint32_t{e.m_state} | std::uint32_t{e.m_mark} << 8 |
               std::uint32_t{static_cast<std::uint16_t>(e.m_layer)} << 16;
    }

    mutable bool m_sorted = false;
    mutable SortedLists<CDataPoints> m_points;
    mutable SortedLists<CLines> m_lines;
    mutable SortedLists<CCircles> m_circles;
    mutable SortedLists<CArcs> m_arcs;
    mutable SortedLists<CConics> m_conics;
    mutable SortedLists<CCurves> m_curves;
    mutable SortedLists<CTexts> m_texts;
    // The state, mark and layer of every element of the sorted blocks, taken as they are sorted
    // (nothing a paint or a redraw does between its passes changes them); empty when the
    // passes read the elements themselves.
    mutable std::vector<std::uint32_t> m_status;
    // The distinct states, marks and layers (packed as in m_status) of each font's texts in the
    // blocks passed over for lying outside the clip: a pass that draws none of a font's texts
    // still makes its font when one of them would have been taken.
    mutable std::vector<std::vector<std::uint32_t>> m_textsOutside;
    // The clip in world units; blocks whose box it does not meet are left out of the lists.
    CWorldWindow m_world;
    std::vector<WORD> m_words;
};

// ---- inline and templates ------------------------------------------------------------------

#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"
#include "view/ZelkView.h"

inline bool PassLive(std::uint8_t state) { return (state & 3) != 0; }
inline bool PassPlain(std::uint8_t mark) { return (mark & 6) == 0; }
inline bool PassChanged(std::uint8_t state, std::uint8_t mark) { return ((state | mark) & 0x80) != 0; }

// Inline and by rule: the walks call it for every element of every pass, with the rule fixed for
// the walk, so each walk tests only what its rule asks.
template <PassRule R>
inline bool CViewPainter::TakesBy(std::uint8_t state, std::uint8_t mark, std::int16_t layer) const
{
    const bool inRange = InRange(layer);
    const WORD w = inRange ? Word(layer) : 0;
    const bool showAll = m_view->m_showAllLayers != 0;
    const bool offWrite = layer != m_writeLayer || m_view->m_singleLayerMode != 0;
    const bool markable = m_interrupt35 || showAll || (inRange && w != 1);
    // In the redraw a word counts as hidden by its bit 0, whatever its pending bit says.
    const bool markableRedraw = m_interrupt35 || showAll || (inRange && (w & 1) == 0);
    const bool pending = inRange && ((w & 0x80) != 0 || PassChanged(state, mark));
    if constexpr (R == PassRule::Sketch)
        return PassLive(state) && PassPlain(mark) && inRange && (m_interrupt35 || showAll || w != 1);
    else if constexpr (R == PassRule::Gray)
        return PassLive(state) && PassPlain(mark) && offWrite && inRange &&
               (m_interrupt35 ? w != 0 : (showAll || w != 1));
    else if constexpr (R == PassRule::Color)
        return PassLive(state) && PassPlain(mark) && inRange &&
               (m_interrupt35 ? w != 1
                              : ((!m_grayMode || layer == m_writeLayer) && (showAll || w != 1)));
    else if constexpr (R == PassRule::Selected)
        return PassLive(state) && (mark & 2) && markable;
    else if constexpr (R == PassRule::MarkedLine)
        return PassLive(state) && (mark & 4) && markable;
    else if constexpr (R == PassRule::SecondMark)
        return PassLive(state) && (mark & 8) && markable;
    else if constexpr (R == PassRule::RedrawErase)
        return !PassLive(state) && (state & 0x80);
    else if constexpr (R == PassRule::RedrawSketch)
        return PassLive(state) && PassPlain(mark) && inRange && PassChanged(state, mark) &&
               (m_interrupt35 ? w == 129 : (showAll || (w & 1) == 0));
    else if constexpr (R == PassRule::RedrawGray)
        return PassLive(state) && PassPlain(mark) && pending &&
               (m_interrupt35 ? w == 129 : (offWrite && (showAll || (w & 1) == 0)));
    else if constexpr (R == PassRule::RedrawColor) {
        if (!(PassLive(state) && PassPlain(mark) && pending))
            return false;
        if (m_interrupt35)
            return w == 128;
        if (layer == m_writeLayer)
            return (w & 1) == 0;
        return !m_grayMode && (w & 1) == 0;
    } else if constexpr (R == PassRule::RedrawSelected)
        return PassLive(state) && (mark & 0x80) && (mark & 2) && markableRedraw;
    else if constexpr (R == PassRule::RedrawMarkedLine)
        return PassLive(state) && (mark & 0x80) && (mark & 4) && markableRedraw;
    else if constexpr (R == PassRule::RedrawSecondMark)
        return PassLive(state) && (mark & 0x80) && (mark & 8) && markableRedraw;
    else
        return PassChanged(state, mark);
}

// Calls f with the rule as a constant of its type.
template <class F>
inline void CViewPainter::WithRule(PassRule rule, F f)
{
    switch (rule) {
    case PassRule::Sketch: f(std::integral_constant<PassRule, PassRule::Sketch>{}); return;
    case PassRule::Gray: f(std::integral_constant<PassRule, PassRule::Gray>{}); return;
    case PassRule::Color: f(std::integral_constant<PassRule, PassRule::Color>{}); return;
    case PassRule::Selected: f(std::integral_constant<PassRule, PassRule::Selected>{}); return;
    case PassRule::MarkedLine: f(std::integral_constant<PassRule, PassRule::MarkedLine>{}); return;
    case PassRule::SecondMark: f(std::integral_constant<PassRule, PassRule::SecondMark>{}); return;
    case PassRule::RedrawErase: f(std::integral_constant<PassRule, PassRule::RedrawErase>{}); return;
    case PassRule::RedrawSketch: f(std::integral_constant<PassRule, PassRule::RedrawSketch>{}); return;
    case PassRule::RedrawGray: f(std::integral_constant<PassRule, PassRule::RedrawGray>{}); return;
    case PassRule::RedrawColor: f(std::integral_constant<PassRule, PassRule::RedrawColor>{}); return;
    case PassRule::RedrawSelected: f(std::integral_constant<PassRule, PassRule::RedrawSelected>{}); return;
    case PassRule::RedrawMarkedLine: f(std::integral_constant<PassRule, PassRule::RedrawMarkedLine>{}); return;
    case PassRule::RedrawSecondMark: f(std::integral_constant<PassRule, PassRule::RedrawSecondMark>{}); return;
    case PassRule::ChangedAny: f(std::integral_constant<PassRule, PassRule::ChangedAny>{}); return;
    }
}

inline bool CViewPainter::Takes(PassRule rule, std::uint8_t state, std::uint8_t mark, std::int16_t layer) const
{
    bool taken = false;
    WithRule(rule, [&](auto r) { taken = TakesBy<decltype(r)::value>(state, mark, layer); });
    return taken;
}

template <class ColorOf>
void CViewPainter::DrawFontTexts(int font, PassRule rule, ColorOf colorOf)
{
    Sort();
    if (font < 0 || font >= static_cast<int>(m_texts.size()) || (m_texts[font].empty() && m_textsOutside[font].empty()))
        return;
    const CTypeFont* record = Font(font);
    if (!record)
        return;
    bool selected = false;
    int readable = 1;
    int height = 0;
    int width = 0;
    for (const Sorted<CTexts>& sorted : m_texts[font]) {
        CTexts* block = sorted.block;
        for (int s = 0; s < block->m_count; ++s) {
            CText& t = block->m_slots[s];
            std::uint8_t state = 0, mark = 0;
            std::int16_t layer = 0;
            StatusOf(sorted.status + static_cast<std::size_t>(s), t, state, mark, layer);
            bool taken = false;
            WithRule(rule, [&](auto r) { taken = TakesBy<decltype(r)::value>(state, mark, layer); });
            if (!taken)
                continue;
            // The font is made for the first text that needs it.
            if (!selected) {
                if (!SelectTextFont(*record, readable, height, width))
                    return;
                selected = true;
            }
            DrawText(t, *record, readable, colorOf(t), height, width);
        }
    }
    // Texts outside the clip draw nothing, but the font is made for them as for any other.
    if (!selected && AnyTaken(m_textsOutside[font], rule)) {
        if (!SelectTextFont(*record, readable, height, width))
            return;
        selected = true;
    }
    if (selected)
        m_view->RestoreFont(m_dc);
}

template <class Draw>
void CViewPainter::BlurPasses(const CTypePen& pen, int style, COLORREF color, Draw draw)
{
    // A width that is not positive (from a damaged file) counts as 1: it divides the step.
    const int penWidth = pen.m_width > 0 ? pen.m_width : 1;
    int w = m_view->ScaledPenWidth(penWidth);
    const int step = static_cast<int>(2.0 * w / penWidth);
    w += step;
    int n = 0;
    if (step != 0) {
        n = pen.m_blurCount;
        if (n > w / step)
            n = w / step;
    }
    for (int pass = 0; pass <= n; ++pass) {
        COLORREF c = color;
        w -= step;
        if (w <= 0)
            break;
        m_view->BlurColor(c, pen.m_blurRate, n, pass);
        if (!m_view->SelectDrawingPen(m_dc, style, w, c))
            continue;
        draw();
        m_view->RestoreDrawingPen(m_dc);
    }
}
