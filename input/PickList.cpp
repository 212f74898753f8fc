// The pick list of a drawing: list access, stepping and highlighting, the element-reference
// mode, select-all and the layer-wise selection. The window searches are in PickListSearch.cpp.
#include "input/PickList.h"

#include <algorithm>
#include <cmath>

#include "app/CreationEnvButton.h"
#include "app/ZelkApp.h"
#include "commands/annotate/GroupProcessor.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/ElementAccess.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "geometry/Numeric.h"
#include "input/HistoryList.h"
#include "input/InputBar.h"
#include "platform/ui/WinUser.h"
#include "view/ZelkObj.h"
#include "view/ZelkView.h"

CPickList::CPickList(CZelkDoc* doc)
    : m_doc(doc), m_current(-1), markMask(MARK_SELECTED), previousMask(MARK_SELECTED),
      pickScale(1.0)
{
}

CPickList::~CPickList()
{
    ClearSelectionSnapshot();
    Clear();
}

void CPickList::Clear()
{
    m_candidates.clear();
    m_current = -1;
    ClearFoundSet();
}

void CPickList::ClearCandidate()
{
    CElemRef ref;
    std::uint8_t* state = nullptr;
    std::uint8_t* mark = nullptr;
    if (GetCurrent(ref) && GetStateAndMark(m_doc, ref.m_kind, ref.m_block, ref.m_slot, state, mark))
        *mark = static_cast<std::uint8_t>(*mark | MARK_REDRAW);
    m_current = -1;
    m_candidates.clear();
    m_doc->RedrawChangedElements(1);
}

void CPickList::ClearFoundSet()
{
    foundSet.clear();
}

const CElemCandidate* CPickList::GetCurrentCandidate() const
{
    return GetCandidate(m_current);
}

bool CPickList::GetCurrent(CElemRef& ref) const
{
    const CElemCandidate* c = GetCurrentCandidate();
    if (c == nullptr)
        return false;
    ref.SetFromCandidate(*c);
    return true;
}

const CElemCandidate* CPickList::GetCandidate(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_candidates.size()))
        return nullptr;
    return &m_candidates[static_cast<size_t>(index)];
}

void CPickList::StepCurrent(int step)
{
    const int n = static_cast<int>(m_candidates.size());
    m_current += step;
    if (m_current >= n)
        m_current = -1;
    else if (m_current < -1)
        m_current = n - 1;
}

void CPickList::RedrawChanged()
{
    m_doc->RedrawChangedElements(1);
}

void CPickList::Cycle(int step)
{
    if (step != 0 && m_current != -1) {
        ToggleCurrentMark();
        RedrawChanged();
    }
    StepCurrent(step);
    ToggleCurrentMark();
    RedrawChanged();
}

// ---- marks -------------------------------------------------------------------------------

namespace {

template <class Block, class F>
void ForEachSlot(const CObArray& blocks, F&& f)
{
    for (int b = 0; b < blocks.GetSize(); ++b) {
        Block* block = static_cast<Block*>(blocks[b]);
        for (int s = 0; s < block->m_count; ++s)
            f(block->m_slots[s], block, static_cast<std::int16_t>(b), static_cast<std::int16_t>(s));
    }
}

// Every element kind in the order the selection walks them.
template <class F>
void ForEachElement(CZelkDoc* doc, F&& f)
{
    ForEachSlot<CDataPoints>(doc->m_pointBlocks, [&](auto& e, auto*, auto b, auto s) { f(e, ELEM_POINT, b, s); });
    ForEachSlot<CLines>(doc->m_lineBlocks, [&](auto& e, auto*, auto b, auto s) { f(e, ELEM_LINE, b, s); });
    ForEachSlot<CCircles>(doc->m_circleBlocks, [&](auto& e, auto*, auto b, auto s) { f(e, ELEM_CIRCLE, b, s); });
    ForEachSlot<CArcs>(doc->m_arcBlocks, [&](auto& e, auto*, auto b, auto s) { f(e, ELEM_ARC, b, s); });
    ForEachSlot<CTexts>(doc->m_textBlocks, [&](auto& e, auto*, auto b, auto s) { f(e, ELEM_TEXT, b, s); });
    ForEachSlot<CConics>(doc->m_conicBlocks, [&](auto& e, auto*, auto b, auto s) { f(e, ELEM_CONIC, b, s); });
    ForEachSlot<CCurves>(doc->m_curveBlocks, [&](auto& e, auto*, auto b, auto s) { f(e, ELEM_CURVE, b, s); });
}

std::uint8_t Toggled(std::uint8_t mark, std::uint8_t m)
{
    if (mark & m)
        return static_cast<std::uint8_t>((mark & ~m) | MARK_REDRAW);
    return static_cast<std::uint8_t>(mark | m | MARK_REDRAW);
}

void SelectObjectInView(CZelkView* view, CZelkObj* object, bool select)
{
    auto& sel = view->m_oleSelection;
    auto it = std::find(sel.begin(), sel.end(), object);
    if (select) {
        if (it == sel.end())
            sel.push_back(object);
    } else if (it != sel.end()) {
        view->DeselectOleObject(object);
        it = std::find(sel.begin(), sel.end(), object);
        if (it != sel.end())
            sel.erase(it);
    }
}

bool ObjectSelectedInView(CZelkView* view, CZelkObj* object)
{
    const auto& sel = view->m_oleSelection;
    return std::find(sel.begin(), sel.end(), object) != sel.end();
}

bool ShiftDown()
{
    return GetKeyState(VK_SHIFT) < 0;
}

int LayerOfElement(CZelkDoc* doc, int kind, int block, int slot)
{
    switch (kind) {
    case ELEM_POINT: if (auto* e = doc->GetPointElem(block, slot)) return e->m_layer; break;
    case ELEM_LINE: if (auto* e = doc->GetLineElem(block, slot)) return e->m_layer; break;
    case ELEM_CIRCLE: if (auto* e = doc->GetCircleElem(block, slot)) return e->m_layer; break;
    case ELEM_ARC: if (auto* e = doc->GetArcElem(block, slot)) return e->m_layer; break;
    case ELEM_TEXT: if (auto* e = doc->GetTextElem(block, slot)) return e->m_layer; break;
    case ELEM_CONIC: if (auto* e = doc->GetConicElem(block, slot)) return e->m_layer; break;
    case ELEM_CURVE: if (auto* e = doc->GetCurveElem(block, slot)) return e->m_layer; break;
    default: break;
    }
    return -1;
}

int GroupOfElement(CZelkDoc* doc, int kind, int block, int slot)
{
    switch (kind) {
    case ELEM_POINT: if (auto* e = doc->GetPointElem(block, slot)) return e->m_group; break;
    case ELEM_LINE: if (auto* e = doc->GetLineElem(block, slot)) return e->m_group; break;
    case ELEM_CIRCLE: if (auto* e = doc->GetCircleElem(block, slot)) return e->m_group; break;
    case ELEM_ARC: if (auto* e = doc->GetArcElem(block, slot)) return e->m_group; break;
    case ELEM_TEXT: if (auto* e = doc->GetTextElem(block, slot)) return e->m_group; break;
    case ELEM_CONIC: if (auto* e = doc->GetConicElem(block, slot)) return e->m_group; break;
    case ELEM_CURVE: if (auto* e = doc->GetCurveElem(block, slot)) return e->m_group; break;
    case ELEM_GROUP: if (auto* g = doc->GetGroup(block)) return g->m_parent; break;
    case ELEM_OBJECT:
        if (block >= 0 && block < static_cast<int>(doc->m_objects.size()))
            return doc->m_objects[static_cast<size_t>(block)]->m_group;
        break;
    default: break;
    }
    return -1;
}

}  // namespace

void CPickList::ClearMarks(int bits)
{
    const auto b = static_cast<std::uint8_t>(bits);
    for (int i = 0; i < m_doc->m_groups.GetSize(); ++i) {
        CGroup* g = m_doc->GetGroup(i);
        if (g && (g->m_mark & b)) {
            g->AndMarkRecursive(m_doc, static_cast<std::uint8_t>(~b));
            g->OrMarkRecursive(m_doc, MARK_REDRAW);
        }
    }
    ForEachElement(m_doc, [&](auto& e, int, std::int16_t, std::int16_t) {
        if (e.m_mark & b)
            e.m_mark = static_cast<std::uint8_t>((e.m_mark & ~b) | MARK_REDRAW);
    });
}

void CPickList::ToggleOwningGroup(std::int16_t group, bool full)
{
    CGroup* g = m_doc->GetGroup(group);
    if (g == nullptr)
        return;
    const auto m = static_cast<std::uint8_t>(markMask);
    if (full)
        g->m_mark = Toggled(g->m_mark, m);
    else if (g->m_mark & m)
        g->m_mark = static_cast<std::uint8_t>((g->m_mark & ~m) | MARK_REDRAW);
}

void CPickList::ToggleCurrentMark()
{
    const CElemCandidate* c = GetCurrentCandidate();
    if (c == nullptr)
        return;
    const auto m = static_cast<std::uint8_t>(markMask);
    std::uint8_t* state = nullptr;
    std::uint8_t* mark = nullptr;
    switch (c->m_kind) {
    case ELEM_GROUP:
        if (CGroup* g = m_doc->GetGroup(c->m_block)) {
            g->SetMarkRecursive(m_doc, Toggled(g->m_mark, m));
            ToggleOwningGroup(g->m_parent, true);
        }
        return;
    case ELEM_OBJECT: {
        if (c->m_block < 0 || c->m_block >= static_cast<int>(m_doc->m_objects.size()))
            return;
        CZelkObj* o = m_doc->m_objects[static_cast<size_t>(c->m_block)];
        o->m_stateBits = Toggled(o->m_stateBits, m);
        CZelkView* active = g_pApp ? g_pApp->m_activeView : nullptr;
        if (active && active->m_document == m_doc)
            SelectObjectInView(active, o, (o->m_stateBits & m) && g_pApp->m_interruptMode != 35);
        ToggleOwningGroup(o->m_group, false);
        return;
    }
    case ELEM_LINE:
        if (CLine* l = m_doc->GetLineElem(c->m_block, c->m_slot)) {
            if (l->m_mark & m)
                l->m_mark = static_cast<std::uint8_t>((l->m_mark & ~m) | MARK_REDRAW);
            else if (l->m_mark & MARK_FIRST_END)
                l->m_mark = static_cast<std::uint8_t>((l->m_mark & ~MARK_FIRST_END) | MARK_REDRAW);
            else if (l->m_mark & MARK_SECOND_END)
                l->m_mark = static_cast<std::uint8_t>((l->m_mark & ~MARK_SECOND_END) | MARK_REDRAW);
            else
                l->m_mark = static_cast<std::uint8_t>(l->m_mark | m | MARK_REDRAW);
            ToggleOwningGroup(l->m_group, false);
        }
        return;
    default:
        if (!GetStateAndMark(m_doc, c->m_kind, c->m_block, c->m_slot, state, mark))
            return;
        *mark = Toggled(*mark, m);
        ToggleOwningGroup(static_cast<std::int16_t>(GroupOfElement(m_doc, c->m_kind, c->m_block, c->m_slot)),
                          c->m_kind == ELEM_POINT);
        return;
    }
}

void CPickList::SetSingleCandidate(std::int16_t block, std::int16_t slot, std::int16_t segmentIndex,
                                   std::int16_t kind)
{
    Clear();
    std::uint8_t state = 0, mark = 0;
    double size = 0.0;
    if (kind == ELEM_LINE) {
        if (CLine* l = m_doc->GetLineElem(block, slot)) {
            state = l->m_state;
            mark = l->m_mark;
            size = l->Length();
        }
    } else if (kind == ELEM_CIRCLE) {
        if (CCircle* c = m_doc->GetCircleElem(block, slot)) {
            state = c->m_state;
            mark = c->m_mark;
            size = 2 * PI * c->m_radius;
        }
    }
    InsertCandidate(kind, state, mark, block, slot, segmentIndex, 0.0, size);
}

int CPickList::ClassifyPickPosition()
{
    const CElemCandidate* c = GetCurrentCandidate();
    if (c == nullptr)
        return 0;
    switch (c->m_kind) {
    case ELEM_LINE:
        if (CLine* l = m_doc->GetLineElem(c->m_block, c->m_slot))
            return l->SnapClassInView(pickPoint, pickOrigin, pickScale, pickViewRect);
        break;
    case ELEM_CIRCLE:
        if (CCircle* e = m_doc->GetCircleElem(c->m_block, c->m_slot))
            return e->SnapClassOfPoint(pickPoint);
        break;
    case ELEM_ARC:
        if (CArc* e = m_doc->GetArcElem(c->m_block, c->m_slot))
            return e->SnapClassOfPoint(pickPoint);
        break;
    case ELEM_TEXT:
        if (CText* e = m_doc->GetTextElem(c->m_block, c->m_slot))
            return e->SnapClassOfPoint(pickPoint);
        break;
    default:
        break;
    }
    return 0;
}

// ---- element-reference mode ------------------------------------------------------------

namespace {

constexpr int kListingList = 8;

template <class F>
void ForEachReference(CZelkDoc* doc, F&& f)
{
    if (doc->m_refPointElem) f(doc->m_refPointElem->m_mark);
    if (doc->m_refLineElem) f(doc->m_refLineElem->m_mark);
    if (doc->m_refCircleElem) f(doc->m_refCircleElem->m_mark);
    if (doc->m_refArcElem) f(doc->m_refArcElem->m_mark);
    if (doc->m_refConicElem) f(doc->m_refConicElem->m_mark);
    if (doc->m_refCurveElem) f(doc->m_refCurveElem->m_mark);
    if (doc->m_refTextElem) f(doc->m_refTextElem->m_mark);
}

// The candidate becomes the reference of its kind, or stops being it (cancelled).
template <class E, class Block>
int Reference(E*& ref, Block* block, int slot, std::int16_t& penOrFont, bool& cancelled)
{
    E* e = &block->m_slots[slot];
    if (ref == e) {
        ref = nullptr;
        cancelled = true;
        return 1;
    }
    ref = e;
    e->m_mark |= MARK_REDRAW;
    penOrFont = block->m_pen;
    return 1;
}

template <class Block>
Block* BlockOf(const CObArray& blocks, int b, int slot)
{
    if (b < 0 || b >= blocks.GetSize())
        return nullptr;
    Block* block = static_cast<Block*>(blocks[b]);
    if (slot < 0 || slot >= block->m_count)
        return nullptr;
    return block;
}

}  // namespace

void CPickList::ClearReferences()
{
    ForEachReference(m_doc, [](std::uint8_t& mark) { mark |= MARK_REDRAW; });
    m_doc->m_refPointElem = nullptr;
    m_doc->m_refLineElem = nullptr;
    m_doc->m_refCircleElem = nullptr;
    m_doc->m_refArcElem = nullptr;
    m_doc->m_refConicElem = nullptr;
    m_doc->m_refCurveElem = nullptr;
    m_doc->m_refTextElem = nullptr;
    RedrawChanged();
}

void CPickList::ReferenceCurrent(int step)
{
    ForEachReference(m_doc, [](std::uint8_t& mark) { mark |= MARK_REDRAW; });
    ToggleCurrentMark();
    if (step)
        StepCurrent(ShiftDown() ? -1 : 1);
    const CElemCandidate* c = GetCurrentCandidate();
    if (c == nullptr)
        return;
    bool cancelled = false;
    CZelkDoc* d = m_doc;
    const int b = c->m_block, s = c->m_slot;
    switch (c->m_kind) {
    case ELEM_POINT:
        if (auto* block = BlockOf<CDataPoints>(d->m_pointBlocks, b, s)) Reference(d->m_refPointElem, block, s, d->m_refPenIndex, cancelled);
        else return;
        break;
    case ELEM_LINE:
        if (auto* block = BlockOf<CLines>(d->m_lineBlocks, b, s)) Reference(d->m_refLineElem, block, s, d->m_refPenIndex, cancelled);
        else return;
        break;
    case ELEM_CIRCLE:
        if (auto* block = BlockOf<CCircles>(d->m_circleBlocks, b, s)) Reference(d->m_refCircleElem, block, s, d->m_refPenIndex, cancelled);
        else return;
        break;
    case ELEM_ARC:
        if (auto* block = BlockOf<CArcs>(d->m_arcBlocks, b, s)) Reference(d->m_refArcElem, block, s, d->m_refPenIndex, cancelled);
        else return;
        break;
    case ELEM_TEXT:
        if (auto* block = BlockOf<CTexts>(d->m_textBlocks, b, s)) Reference(d->m_refTextElem, block, s, d->m_refFontIndex, cancelled);
        else return;
        break;
    case ELEM_CONIC:
        if (auto* block = BlockOf<CConics>(d->m_conicBlocks, b, s)) Reference(d->m_refConicElem, block, s, d->m_refPenIndex, cancelled);
        else return;
        break;
    case ELEM_CURVE:
        if (auto* block = BlockOf<CCurves>(d->m_curveBlocks, b, s)) Reference(d->m_refCurveElem, block, s, d->m_refPenIndex, cancelled);
        else return;
        break;
    default:
        break;
    }
    if (c->m_kind == ELEM_POINT)
        d->m_refLineElem = nullptr;
    else
        d->m_refPointElem = nullptr;
    RedrawChanged();
    if (cancelled) {
        g_pApp->ShowMessage("要素参照をキャンセルしました", 0);
        return;
    }
    // A text window the listing opens takes the focus, which may empty this list: the candidate
    // is kept apart.
    const CElemCandidate picked = *c;
    ListReferenced(picked);
    g_pApp->ShowMessage("要素参照モードです", 0);
    if (g_pApp->m_inputBar) {
        CHistoryList& list = g_pApp->m_inputBar->GetList(kListingList);
        list.m_prevElem.Init(picked.m_kind, picked.m_block, picked.m_slot, 1, 0);
        list.m_prevDoc = d;
    }
}

void CPickList::ListReferenced(const CElemCandidate& c)
{
    CInputBar* bar = g_pApp->m_inputBar;
    if (!bar)
        return;
    CHistoryList& list = bar->GetList(kListingList);
    CZelkDoc* d = m_doc;
    // Only the element just picked is listed. References of other kinds stay from earlier picks
    // (a line and a circle may both be referenced), and each listing empties the list first:
    // listing them too would replace the picked element's lines with an older element's, and
    // open one text window for each.
    const auto picked = [&](int kind) { return c.m_kind == kind; };
    const bool anyPen = d->m_refPointElem || d->m_refLineElem || d->m_refCircleElem || d->m_refArcElem ||
                        d->m_refConicElem || d->m_refCurveElem;
    CTypePen* pen = anyPen ? d->GetPen(d->m_refPenIndex) : nullptr;
    list.ListPointInformation(d, pen, picked(ELEM_POINT) ? d->m_refPointElem : nullptr);
    list.ListLineInformation(d, pen, picked(ELEM_LINE) ? d->m_refLineElem : nullptr);
    list.ListCircleInformation(d, pen, picked(ELEM_CIRCLE) ? d->m_refCircleElem : nullptr);
    list.ListArcInformation(d, pen, picked(ELEM_ARC) ? d->m_refArcElem : nullptr);
    list.ListTextInformation(d, picked(ELEM_TEXT) ? d->GetFont(d->m_refFontIndex) : nullptr,
                             picked(ELEM_TEXT) ? d->m_refTextElem : nullptr);
    list.ListConicInformation(d, pen, picked(ELEM_CONIC) ? d->m_refConicElem : nullptr);
    list.ListCurveInformation(d, pen, picked(ELEM_CURVE) ? d->m_refCurveElem : nullptr);
    bar->StartListingDisplay();
}

// ---- select-all and layer-wise selection -------------------------------------------------

namespace {

bool HiddenInView(CZelkView* view, int layer)
{
    return layer >= 0 && layer < view->m_layerStates.GetSize() && g_pApp->m_interruptMode != 35
           && !view->m_showAllLayers && view->m_layerStates[layer] == 1;
}

void GrowLayerStates(CZelkView* view, int count)
{
    while (view->m_layerStates.GetSize() < count)
        view->m_layerStates.Add(0);
}

bool IsOrdinaryGroupKind(int kind)
{
    return kind == 0 || kind == 1;
}

// The first (from the last) member of the group that is a visible element of a listed kind.
bool HasVisibleMember(CZelkDoc* doc, CZelkView* view, const CGroup& g)
{
    for (size_t i = g.m_members.size(); i-- > 0;) {
        const CElemRef& m = g.m_members[i];
        const int layer = LayerOfElement(doc, m.m_kind, m.m_block, m.m_slot);
        if (layer >= 0 && !HiddenInView(view, layer))
            return true;
    }
    return false;
}

}  // namespace

int CPickList::SelectAll(CZelkView* view)
{
    CAppFind& find = g_pApp->m_appFind;
    GrowLayerStates(view, m_doc->m_layers.GetSize());
    int objectsSelected = 0;
    if (find.selectableKinds & ELEM_OBJECT) {
        for (CZelkObj* o : m_doc->m_objects) {
            const bool deselect = g_pApp->m_interruptMode == 35
                                  || (find.toggleSelection && ObjectSelectedInView(view, o));
            SelectObjectInView(view, o, !deselect);
            if (!deselect)
                ++objectsSelected;
        }
    }
    int added = 0;
    const bool wholeGroups = find.groupSelectMode == 1;
    const bool wholeAnnotations = find.annotationGroupSelectMode == 1;
    if (wholeGroups || wholeAnnotations) {
        for (int i = 0; i < m_doc->m_groups.GetSize(); ++i) {
            CGroup* g = m_doc->GetGroup(i);
            if (g == nullptr || (g->m_state & (0x04 | STATE_DELETED)))
                continue;
            const bool allowed = IsOrdinaryGroupKind(g->m_kind) ? wholeGroups : wholeAnnotations;
            if (!allowed || !HasVisibleMember(m_doc, view, *g))
                continue;
            CElemCandidate e;
            e.Init(ELEM_GROUP, static_cast<std::int16_t>(i), 0, g->m_state, g->m_mark, 3);
            foundSet.push_back(e);
            ++added;
        }
    }
    ForEachElement(m_doc, [&](auto& e, int kind, std::int16_t b, std::int16_t s) {
        if (kind <= ELEM_TEXT && !(find.selectableKinds & kind))
            return;
        if (!(e.m_state & 0x03) || HiddenInView(view, e.m_layer))
            return;
        bool take = e.m_group == -1;
        if (!take) {
            CGroup* g = m_doc->GetGroup(e.m_group);
            const int gk = g ? g->m_kind : 0;
            take = IsOrdinaryGroupKind(gk) ? find.groupSelectMode == 2 : find.annotationGroupSelectMode == 2;
        }
        if (!take)
            return;
        CElemCandidate c;
        c.Init(static_cast<std::int16_t>(kind), b, s, e.m_state, e.m_mark, 3);
        foundSet.push_back(c);
        ++added;
    });
    return added + objectsSelected;
}

void CPickList::ApplyFoundEntry(const CElemCandidate& entry)
{
    const bool toggle = g_pApp->m_appFind.toggleSelection != 0;
    const auto m = static_cast<std::uint8_t>(markMask);
    std::uint8_t* state = nullptr;
    std::uint8_t* mark = nullptr;
    switch (entry.m_kind) {
    case 0:
        return;
    case ELEM_POINT:
    case ELEM_CIRCLE:
    case ELEM_ARC:
    case ELEM_TEXT:
    case ELEM_CONIC:
    case ELEM_CURVE:
        if (!GetStateAndMark(m_doc, entry.m_kind, entry.m_block, entry.m_slot, state, mark))
            return;
        if (toggle && (*mark & m))
            *mark = static_cast<std::uint8_t>((*mark & ~m) | MARK_REDRAW);
        else
            *mark = static_cast<std::uint8_t>(*mark | m | MARK_REDRAW);
        return;
    case ELEM_LINE: {
        CLine* l = m_doc->GetLineElem(entry.m_block, entry.m_slot);
        if (l == nullptr)
            return;
        if (toggle && (l->m_mark & m)) {
            l->m_mark = static_cast<std::uint8_t>((l->m_mark & ~m) | MARK_REDRAW);
            return;
        }
        if (toggle && (l->m_mark & MARK_FIRST_END)) {
            l->m_mark = static_cast<std::uint8_t>((l->m_mark & ~MARK_FIRST_END) | MARK_REDRAW);
            return;
        }
        if (toggle && (l->m_mark & MARK_SECOND_END)) {
            l->m_mark = static_cast<std::uint8_t>((l->m_mark & ~MARK_SECOND_END) | MARK_REDRAW);
            return;
        }
        if (entry.m_partFlags == 1)
            l->m_mark |= MARK_REDRAW | MARK_FIRST_END;
        else if (entry.m_partFlags == 2)
            l->m_mark |= MARK_REDRAW | MARK_SECOND_END;
        else
            l->m_mark = static_cast<std::uint8_t>(l->m_mark | m | MARK_REDRAW);
        return;
    }
    default:
        if (CGroup* g = m_doc->GetGroup(entry.m_block)) {
            if (toggle && (g->m_mark & m)) {
                g->AndMarkRecursive(m_doc, static_cast<std::uint8_t>(~m));
                g->OrMarkRecursive(m_doc, MARK_REDRAW);
            } else {
                g->OrMarkRecursive(m_doc, static_cast<std::uint8_t>(m | MARK_REDRAW));
            }
        }
        return;
    }
}

int CPickList::MarkLayerOf(const CElemCandidate& entry, CWordArray& layerTable)
{
    const int layer = LayerOfElement(m_doc, entry.m_kind, entry.m_block, entry.m_slot);
    if (layer < 0 || layer >= layerTable.GetSize())
        return 0;
    layerTable[layer] = static_cast<WORD>(layerTable[layer] + 1);
    return layerTable[layer] == 1 ? 1 : 0;
}

int CPickList::MarkLayersOfFoundSet(CWordArray& layerTable)
{
    int n = 0;
    for (const CElemCandidate& e : foundSet)
        n += MarkLayerOf(e, layerTable);
    return n;
}

int CPickList::SelectOnMarkedLayers(CWordArray& layerTable)
{
    CAppFind& find = g_pApp->m_appFind;
    const bool toggle = find.toggleSelection != 0;
    const auto m = static_cast<std::uint8_t>(markMask);
    auto marked = [&](int layer) { return layer >= 0 && layer < layerTable.GetSize() && layerTable[layer] != 0; };
    int selected = 0, deselected = 0;
    const int groupCount = m_doc->m_groups.GetSize();
    std::vector<char> wasSelected(static_cast<size_t>(groupCount), 0);
    for (int i = 0; i < groupCount; ++i)
        if (CGroup* g = m_doc->GetGroup(i))
            wasSelected[static_cast<size_t>(i)] = (g->m_mark & MARK_SELECTED) ? 1 : 0;
    if (find.groupSelectMode == 1) {
        for (int i = 0; i < groupCount; ++i) {
            CGroup* g = m_doc->GetGroup(i);
            if (g == nullptr)
                continue;
            bool hit = false;
            for (const CElemRef& mem : g->m_members) {
                std::uint8_t* st = nullptr;
                std::uint8_t* mk = nullptr;
                if (mem.m_kind == ELEM_GROUP || mem.m_kind == ELEM_OBJECT
                    || !GetStateAndMark(m_doc, mem.m_kind, mem.m_block, mem.m_slot, st, mk))
                    continue;
                if ((*st & 0x03) && marked(LayerOfElement(m_doc, mem.m_kind, mem.m_block, mem.m_slot))) {
                    hit = true;
                    break;
                }
            }
            if (!hit)
                continue;
            if (toggle && (g->m_mark & m)) {
                g->m_mark = static_cast<std::uint8_t>((g->m_mark & ~m) | MARK_REDRAW);
                ++deselected;
            } else {
                g->m_mark = static_cast<std::uint8_t>(g->m_mark | m | MARK_REDRAW);
                ++selected;
            }
            // Parents: a damaged file may make the chain cyclic, so the walk is bounded.
            int parent = g->m_parent;
            for (int depth = 0; parent != -1 && depth < CGroup::MaxDepth; ++depth) {
                CGroup* p = m_doc->GetGroup(parent);
                if (p == nullptr || parent == i)
                    break;
                if (!wasSelected[static_cast<size_t>(parent)]) {
                    p->m_mark = static_cast<std::uint8_t>(p->m_mark | m | MARK_REDRAW);
                    ++selected;
                } else if (toggle) {
                    p->m_mark = static_cast<std::uint8_t>((p->m_mark & ~m) | MARK_REDRAW);
                    ++deselected;
                }
                parent = p->m_parent;
            }
        }
    }
    const bool skipGrouped = find.groupSelectMode == 1 || find.groupSelectMode == 3;
    ForEachElement(m_doc, [&](auto& e, int kind, std::int16_t, std::int16_t) {
        if (kind <= ELEM_TEXT && !(find.selectableKinds & kind))
            return;
        if ((e.m_state & (0x04 | STATE_DELETED)) || !marked(e.m_layer))
            return;
        if (e.m_group != -1 && skipGrouped)
            return;
        if (toggle && (e.m_mark & m)) {
            e.m_mark = static_cast<std::uint8_t>((e.m_mark & ~m) | MARK_REDRAW);
            ++deselected;
        } else {
            e.m_mark = static_cast<std::uint8_t>(e.m_mark | m | MARK_REDRAW);
            ++selected;
        }
    });
    return selected > 0 && deselected > 0 ? 1 : 0;
}

void CPickList::SelectLayersOfCandidates()
{
    CZelkApp* app = g_pApp;
    if (!app->m_appFind.layerWiseSelection)
        return;
    CWordArray layerTable;
    layerTable.SetSize(m_doc->m_layers.GetSize());
    for (int i = 0; i < layerTable.GetSize(); ++i)
        layerTable[i] = 0;
    int n = 0;
    for (const CElemCandidate& c : m_candidates)
        n += MarkLayerOf(c, layerTable);
    if (n == 0)
        return;
    const int mixed = SelectOnMarkedLayers(layerTable);
    app->m_appFind.layerWiseSelection = 0;
    app->m_savedLayerCondition = app->m_appElem.m_layerCondition;
    app->m_savedCreationEnv = app->m_appElem.m_creationEnv;
    const bool boxWasOpen = m_doc->m_groupProcessing != 0;
    app->ShowMessage(boxWasOpen ? "レイヤ別要素を選択しました。" : "レイヤ別選択で群処理モードに入りました。", 0);
    if (!boxWasOpen && app->m_symbolDoc == nullptr) {
        app->m_appElem.m_creationEnv = 1;
        ShowCreationEnvButton(*app);
        app->m_appElem.m_layerCondition = 1;
        app->ShowResultMessage(" 要素作成条件を [選択要素の環境で作成] [同レイヤに作成] に設定。", 0);
    }
    if (mixed)
        app->ShowResultMessage(" 選択反転要素あり。", 0);
    m_doc->m_groupProcessing = 1;
    m_doc->m_deformMode = 0;
    if (app->m_groupProcessor)
        app->m_groupProcessor->m_document = m_doc;
}

void CPickList::ReportLayerSelection()
{
    if (g_pApp->m_appFind.layerWiseSelection) {
        CWordArray layerTable;
        layerTable.SetSize(m_doc->m_layers.GetSize());
        for (int i = 0; i < layerTable.GetSize(); ++i)
            layerTable[i] = 0;
        const int n = MarkLayersOfFoundSet(layerTable);
        if (n == 0)
            return;
        CString text;
        text.Format("%d", n);
        if (SelectOnMarkedLayers(layerTable))
            text += "個のレイヤを選択した中に、反対の選択動作となった要素があります";
        else
            text += "個のレイヤを選択";
        g_pApp->ShowMessage(text, 0);
        return;
    }
    for (const CElemCandidate& e : foundSet)
        ApplyFoundEntry(e);
}

void CPickList::UnmarkAndCountByLayer(CWordArray& layerTable)
{
    const auto m = static_cast<std::uint8_t>(markMask);
    auto count = [&](int layer) {
        if (layer >= 0 && layer < layerTable.GetSize())
            layerTable[layer] = static_cast<WORD>(layerTable[layer] + 1);
    };
    ForEachElement(m_doc, [&](auto& e, int, std::int16_t, std::int16_t) {
        if ((e.m_state & (0x04 | STATE_DELETED)) || !(e.m_mark & m))
            return;
        e.m_mark = static_cast<std::uint8_t>(e.m_mark & ~m);
        count(e.m_layer);
    });
    for (CZelkObj* o : m_doc->m_objects) {
        if ((o->m_state & (0x04 | STATE_DELETED)) || !(o->m_stateBits & m))
            continue;
        o->m_stateBits = static_cast<std::uint8_t>(o->m_stateBits & ~m);
        count(o->m_layer);
    }
}

// ---- snapshot of the selection ----------------------------------------------------------

void CPickList::ClearSelectionSnapshot()
{
    selectionSnapshot.clear();
}

void CPickList::SnapshotSelection()
{
    selectionSnapshot.clear();
    auto take = [&](int kind, int block, int slot, std::uint8_t state, std::uint8_t mark) {
        if ((state & STATE_DELETED) || !(mark & MARK_SELECTED))
            return;
        CElemRef r;
        r.Init(static_cast<std::int16_t>(kind), static_cast<std::int16_t>(block),
               static_cast<std::int16_t>(slot), state, mark);
        selectionSnapshot.push_back(r);
    };
    for (int i = 0; i < m_doc->m_groups.GetSize(); ++i)
        if (CGroup* g = m_doc->GetGroup(i))
            take(ELEM_GROUP, i, 0, g->m_state, g->m_mark);
    ForEachElement(m_doc, [&](auto& e, int kind, std::int16_t b, std::int16_t s) {
        take(kind, b, s, e.m_state, e.m_mark);
    });
    for (size_t i = 0; i < m_doc->m_objects.size(); ++i)
        take(ELEM_OBJECT, static_cast<int>(i), 0, m_doc->m_objects[i]->m_state, m_doc->m_objects[i]->m_stateBits);
}

int CPickList::ReselectSnapshot()
{
    CAppFind& find = g_pApp->m_appFind;
    const bool toggle = find.toggleSelection != 0;
    int any = 0;
    for (const CElemRef& r : selectionSnapshot) {
        std::uint8_t* state = nullptr;
        std::uint8_t* mark = nullptr;
        if (r.m_kind == ELEM_OBJECT) {
            if (r.m_block < 0 || r.m_block >= static_cast<int>(m_doc->m_objects.size()))
                continue;
            state = &m_doc->m_objects[static_cast<size_t>(r.m_block)]->m_state;
            mark = &m_doc->m_objects[static_cast<size_t>(r.m_block)]->m_stateBits;
        } else if (!GetStateAndMark(m_doc, r.m_kind, r.m_block, r.m_slot, state, mark)) {
            continue;
        }
        if (*state & STATE_DELETED)
            continue;
        any = 1;
        const int start = r.m_kind == ELEM_GROUP ? r.m_block : GroupOfElement(m_doc, r.m_kind, r.m_block, r.m_slot);
        std::int16_t verdict = r.m_kind;
        CWordArray chain;
        if (m_doc->GetGroupChain(start, chain))
            m_doc->FilterGroupChain(verdict, chain);
        if (verdict == 0)
            continue;
        if (verdict == ELEM_GROUP && chain.GetSize() > 0) {
            CGroup* g = m_doc->GetGroup(chain[0]);
            if (g == nullptr || (toggle && (g->m_mark & MARK_REDRAW)))
                continue;
            if (toggle && (g->m_mark & MARK_SELECTED)) {
                g->AndMarkRecursive(m_doc, static_cast<std::uint8_t>(~MARK_SELECTED));
                g->OrMarkRecursive(m_doc, MARK_REDRAW);
            } else {
                g->OrMarkRecursive(m_doc, MARK_SELECTED | MARK_REDRAW);
            }
            continue;
        }
        if (r.m_kind == ELEM_GROUP || !(find.selectableKinds & r.m_kind))
            continue;
        if (toggle && (*mark & MARK_REDRAW))
            continue;
        if (toggle && (*mark & MARK_SELECTED))
            *mark = static_cast<std::uint8_t>((*mark & ~MARK_SELECTED) | MARK_REDRAW);
        else
            *mark |= MARK_SELECTED | MARK_REDRAW;
    }
    return any;
}

