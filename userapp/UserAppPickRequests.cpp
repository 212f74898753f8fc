// Pick, point-search and relative-input requests: searching a point, picking at a point or in a
// box of the active view, stepping through and reading the pick candidates and the found points,
// reading the selected elements, and the relative-input values the drawing commands default to.
#include "userapp/UserAppRequests.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/ElementDrawing.h"
#include "elements/ElementKinds.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "geometry/ElemCandidate.h"
#include "input/PickList.h"
#include "input/PointSearch.h"
#include "view/ZelkView.h"
#include "userapp/UserAppBlock.h"

#include <algorithm>

namespace {

// The mark bits of a selected element, and those a cleared pick list takes away.
constexpr std::uint8_t kSelectedBits = 0x1E;
constexpr std::uint8_t kPickBits = 0x9E;

template <class Block, class F>
void ForEachSlot(const CObArray& blocks, std::int16_t kind, F&& f)
{
    for (int b = 0; b < blocks.GetSize(); ++b) {
        auto* block = static_cast<Block*>(blocks[b]);
        if (!block)
            continue;
        for (int s = 0; s < std::clamp<int>(block->m_count, 0, Block::SlotCount); ++s)
            f(kind, b, s, block->m_slots[s]);
    }
}

// Every element slot of the drawing, kind by kind in the order plug-ins read them.
template <class F>
void ForEachElement(CZelkDoc& doc, F&& f)
{
    ForEachSlot<CDataPoints>(doc.m_pointBlocks, ELEM_POINT, f);
    ForEachSlot<CLines>(doc.m_lineBlocks, ELEM_LINE, f);
    ForEachSlot<CCircles>(doc.m_circleBlocks, ELEM_CIRCLE, f);
    ForEachSlot<CArcs>(doc.m_arcBlocks, ELEM_ARC, f);
    ForEachSlot<CConics>(doc.m_conicBlocks, ELEM_CONIC, f);
    ForEachSlot<CCurves>(doc.m_curveBlocks, ELEM_CURVE, f);
    ForEachSlot<CTexts>(doc.m_textBlocks, ELEM_TEXT, f);
}

void AddRef(UserAppBlock& block, int slot, std::int16_t kind, int b, int s, std::uint8_t state, std::uint8_t mark)
{
    auto* ref = new UserAppElemRef;
    ref->Init(kind, static_cast<std::int16_t>(b), static_cast<std::int16_t>(s), state, mark);
    block.m_refLists[slot].Add(ref);
}

void ServePickList(UserAppBlock& block, int slot, int code, CZelkDoc& doc)
{
    CPickList& picks = *doc.m_pickList;
    const int count = static_cast<int>(picks.m_candidates.size());
    switch (code) {
    case 143:
    case 144:
        if (count > 0)
            picks.m_current = ((picks.m_current < 0 ? 0 : picks.m_current) + (code == 143 ? 1 : count - 1)) % count;
        break;
    case 145:
        picks.m_candidates.clear();
        picks.m_current = -1;
        ForEachElement(doc, [](std::int16_t, int, int, auto& e) { e.m_mark &= static_cast<std::uint8_t>(~kPickBits); });
        doc.RedrawChangedElements(1);
        break;
    case 151:
        block.ClearSlotElemRefs(slot);
        block.m_numberLists[slot].RemoveAll();
        for (int i = 0; i < count; ++i) {
            const CElemCandidate& c = picks.m_candidates[static_cast<size_t>(i)];
            AddRef(block, slot, c.m_kind, c.m_block, c.m_slot, c.m_state, c.m_mark);
            block.m_numberLists[slot].Add(i == picks.m_current ? 1 : 0);
        }
        break;
    default:
        block.ClearSlotElemRefs(slot);
        ForEachElement(doc, [&](std::int16_t kind, int b, int s, const auto& e) {
            if (!(e.m_state & STATE_DELETED) && (e.m_mark & kSelectedBits))
                AddRef(block, slot, kind, b, s, e.m_state, e.m_mark);
        });
        break;
    }
}

// The point search, a pick at a point and a box selection, each in the active view.
void ServeViewPick(UserAppBlock& block, int slot, int code, CZelkDoc& doc, CZelkView& view)
{
    CZelkApp& app = *g_pApp;
    const CPointD a = block.m_points1[slot][0];
    if (code == 140) {
        app.m_rightPressPoint = a;
        CPointD found;
        if (!app.FindPointAtCursor(&doc, &view, found))
            block.m_status[slot] = kUserAppNoPointFound;
        return;
    }
    const CPointD at = a.WorldToScreen(view.m_origin, view.m_zoom);
    int n = 0;
    if (code == 141) {
        const int x = TruncToInt(at.m_x);
        const int y = TruncToInt(at.m_y);
        const int half = app.m_appFind.pickHalfSize;
        n = view.PickElementsInRect(RECT{x - half, y + half, x + half, y - half}, 2, 2);
    } else {
        const CPointD b = block.m_points1[slot][1];
        // Only a box drawn up and to the right, and large enough, takes the configured mode.
        const double threshold = app.m_appFind.boxColorThreshold;
        const int mode = b.m_x - a.m_x >= threshold && b.m_y - a.m_y >= threshold ? app.m_appFind.boxSelectionMode : 2;
        const CPointD c = b.WorldToScreen(view.m_origin, view.m_zoom);
        CRectD window;
        window.Init(std::min(at.m_x, c.m_x), std::max(at.m_y, c.m_y), std::max(at.m_x, c.m_x), std::min(at.m_y, c.m_y));
        n = view.PickElements(window, 2, mode);
    }
    app.m_appFind.pickCount = n;
    if (n <= 0)
        block.m_status[slot] = kUserAppNothingPicked;
}

// The found points of the point search (list 14) with their kinds (list 13), category by category.
void ServeFoundPoints(UserAppBlock& block, int slot, const CPointSearch& search)
{
    const int counts[] = {search.intersectionCount, search.endPointCount, search.onElementCount,
                          search.featureCount, search.freeCount};
    const std::uint16_t kinds[] = {2, 1, 8, 4, 16};
    size_t next = 0;
    for (int k = 0; k < 5; ++k)
        for (int i = 0; i < counts[k] && next < search.foundPoints.size(); ++i, ++next) {
            block.m_pointLists[slot].Add(new CPointD(search.foundPoints[next].m_point));
            block.m_numberLists[slot].Add(kinds[k]);
        }
}

void ServeRelativeInput(UserAppBlock& block, int slot, int code, CZelkDoc& doc)
{
    const double value = block.m_doubleArgs[slot][0];
    switch (code) {
    case 170: {
        const CPointD base = block.m_points1[slot][0];
        doc.SetBasePoint(base, doc.WorldToRelative(base));
        break;
    }
    case 171:
        doc.SetCurrentAngle(value);
        break;
    case 172:
        doc.m_previewValue = value;
        break;
    case 173:
        doc.m_workFactor = value;
        break;
    default:
        doc.m_workMode = block.m_intArgs[slot][0];
        break;
    }
}

} // namespace

bool ServePickRequest(UserAppBlock& block, int slot, int code)
{
    const bool viewPicks = code >= 140 && code <= 142;
    const bool picks = (code >= 143 && code <= 145) || code == 151 || code == 152;
    if (!viewPicks && !picks && code != 150 && (code < 170 || code > 174))
        return false;
    if (code == 150) {
        block.ClearSlotPoints(slot);
        block.m_numberLists[slot].RemoveAll();
    }
    // Without a drawing view there is nowhere to search or pick, and nothing is reported.
    CZelkView* view = g_pApp->m_activeView;
    if (viewPicks && !view)
        return true;
    CZelkDoc* doc = g_pApp->GetActiveDrawingDoc();
    if (!doc) {
        block.m_status[slot] = kUserAppNoActiveDrawing;
        return true;
    }
    if (viewPicks) {
        if (view->m_document == doc)
            ServeViewPick(block, slot, code, *doc, *view);
    } else if (code == 150) {
        if (doc->m_pointSearch)
            ServeFoundPoints(block, slot, *doc->m_pointSearch);
    } else if (picks)
        ServePickList(block, slot, code, *doc);
    else
        ServeRelativeInput(block, slot, code, *doc);
    return true;
}
