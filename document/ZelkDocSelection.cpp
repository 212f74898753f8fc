// Operations over the whole element store: the drawing extents, deleting the selection or one
// element, attribute strings on the selection, the group chain of an element, and the
// collection of elements and placed objects.
#include <algorithm>
#include <cmath>

#include "app/ZelkCntrItem.h"
#include "document/DocEnvironment.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/DataString.h"
#include "elements/ElementCommon.h"
#include "elements/ElementAccess.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"
#include "geometry/Numeric.h"
#include "input/PickList.h"
#include "view/ZelkObj.h"
#include "view/ZelkView.h"

namespace {

void Widen(double& minX, double& minY, double& maxX, double& maxY, double x, double y)
{
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
}

bool StrictlyInside(double s, double a, double e)
{
    return s < a && a < e;
}

}  // namespace

// ---- extents ---------------------------------------------------------------------------

void CZelkDoc::ExtendExtents(double& minX, double& minY, double& maxX, double& maxY, int kind,
                             int block, int slot)
{
    switch (kind) {
    case ELEM_POINT:
        if (CDataPoint* p = GetPointElem(block, slot))
            Widen(minX, minY, maxX, maxY, p->m_position.m_x, p->m_position.m_y);
        break;
    case ELEM_LINE:
        if (CLine* l = GetLineElem(block, slot)) {
            Widen(minX, minY, maxX, maxY, l->m_start.m_x, l->m_start.m_y);
            Widen(minX, minY, maxX, maxY, l->m_end.m_x, l->m_end.m_y);
        }
        break;
    case ELEM_CIRCLE:
        if (CCircle* c = GetCircleElem(block, slot)) {
            Widen(minX, minY, maxX, maxY, c->m_centre.m_x - c->m_radius,
                  c->m_centre.m_y - c->m_radius);
            Widen(minX, minY, maxX, maxY, c->m_centre.m_x + c->m_radius,
                  c->m_centre.m_y + c->m_radius);
        }
        break;
    case ELEM_ARC:
        if (CArc* a = GetArcElem(block, slot)) {
            const double cx = a->m_centre.m_x, cy = a->m_centre.m_y, r = a->m_radius;
            const double s = a->m_startAngle, e = a->m_endAngle;
            Widen(minX, minY, maxX, maxY, cx + r * std::cos(s * PI / 180),
                  cy + r * std::sin(s * PI / 180));
            Widen(minX, minY, maxX, maxY, cx + r * std::cos(e * PI / 180),
                  cy + r * std::sin(e * PI / 180));
            if (StrictlyInside(s, 90, e) || StrictlyInside(s, 450, e))
                Widen(minX, minY, maxX, maxY, cx, cy + r);
            if (StrictlyInside(s, 180, e) || StrictlyInside(s, 540, e))
                Widen(minX, minY, maxX, maxY, cx - r, cy);
            if (StrictlyInside(s, 270, e) || StrictlyInside(s, 630, e))
                Widen(minX, minY, maxX, maxY, cx, cy - r);
            if (StrictlyInside(s, 360, e))
                Widen(minX, minY, maxX, maxY, cx + r, cy);
        }
        break;
    case ELEM_TEXT:
        if (CText* t = GetTextElem(block, slot)) {
            const CTypeFont* f = GetFont(TextBlockAt(block)->m_pen);
            const double h = f ? 0.1 * f->m_height : 0;
            double a = f ? f->m_angle : 0;
            a = std::fmod(a, 360);
            if (a > 180)
                a -= 360;
            else if (a < -180)
                a += 360;
            const CPointD& s = t->m_underlineStart;
            const CPointD& e = t->m_underlineEnd;
            if (NearlyEqual(a, 90) || NearlyEqual(a, -90)) {
                Widen(minX, minY, maxX, maxY, s.m_x - h, s.m_y);
                Widen(minX, minY, maxX, maxY, e.m_x, e.m_y);
            } else {
                const double ox = -h * std::sin(a * PI / 180), oy = h * std::cos(a * PI / 180);
                Widen(minX, minY, maxX, maxY, s.m_x, s.m_y);
                Widen(minX, minY, maxX, maxY, e.m_x, e.m_y);
                Widen(minX, minY, maxX, maxY, s.m_x + ox, s.m_y + oy);
                Widen(minX, minY, maxX, maxY, e.m_x + ox, e.m_y + oy);
            }
        }
        break;
    case ELEM_CONIC:
        if (CConic* c = GetConicElem(block, slot)) {
            double x0, x1, y1, y0;
            c->GetBoundingBox(x0, x1, y1, y0);
            Widen(minX, minY, maxX, maxY, x0, y0);
            Widen(minX, minY, maxX, maxY, x1, y1);
        }
        break;
    case ELEM_CURVE:
        if (CCurve* c = GetCurveElem(block, slot)) {
            double x0, x1, y1, y0;
            c->GetBoundingBox(x0, x1, y1, y0);
            Widen(minX, minY, maxX, maxY, x0, y0);
            Widen(minX, minY, maxX, maxY, x1, y1);
        }
        break;
    case ELEM_OBJECT:
        if (block >= 0 && block < static_cast<int>(m_objects.size())) {
            const CZelkObj* o = m_objects[static_cast<size_t>(block)];
            Widen(minX, minY, maxX, maxY, o->m_bottomRight.m_x, o->m_bottomRight.m_y);
            Widen(minX, minY, maxX, maxY, o->m_topLeft.m_x, o->m_topLeft.m_y);
        }
        break;
    case ELEM_GROUP:
        if (CGroup* g = GetGroup(block)) {
            for (const CElemRef& m : g->m_members) {
                if (m.m_kind == ELEM_GROUP)
                    continue;
                std::uint8_t* state = nullptr;
                std::uint8_t* mark = nullptr;
                if (!GetStateAndMark(this, m.m_kind, m.m_block, m.m_slot, state, mark) ||
                    (*state & STATE_DELETED))
                    continue;
                ExtendExtents(minX, minY, maxX, maxY, m.m_kind, m.m_block, m.m_slot);
            }
        }
        break;
    default:
        break;
    }
}

namespace {

template <class Block>
void ExtendByBlocks(CZelkDoc* doc, const CObArray& blocks, int kind, bool testPen,
                    const std::vector<char>& counts, double& minX, double& minY, double& maxX,
                    double& maxY)
{
    for (int b = 0; b < blocks.GetSize(); ++b) {
        const Block* block = static_cast<const Block*>(blocks[b]);
        if (testPen) {
            const CTypePen* pen = doc->GetPen(block->m_pen);
            if (pen && pen->m_lineType == 5)
                continue;
        }
        for (int s = 0; s < block->m_count; ++s) {
            const auto& e = block->m_slots[s];
            if (e.m_state & (0x04 | STATE_DELETED))
                continue;
            if (e.m_layer < 0 || e.m_layer >= static_cast<int>(counts.size()) || !counts[e.m_layer])
                continue;
            doc->ExtendExtents(minX, minY, maxX, maxY, kind, b, s);
        }
    }
}

}  // namespace

void CZelkDoc::ComputeExtents()
{
    // 1 for the layers that count: every layer that is not a work-print layer.
    std::vector<char> counts(static_cast<size_t>(m_layers.GetSize()));
    for (int i = 0; i < m_layers.GetSize(); ++i)
        counts[static_cast<size_t>(i)] = GetLayer(i)->IsWorkPrintLayer() ? 0 : 1;
    double minX = 1e308, minY = 1e308, maxX = -1e308, maxY = -1e308;
    ExtendByBlocks<CDataPoints>(this, m_pointBlocks, ELEM_POINT, true, counts, minX, minY, maxX, maxY);
    ExtendByBlocks<CLines>(this, m_lineBlocks, ELEM_LINE, true, counts, minX, minY, maxX, maxY);
    ExtendByBlocks<CCircles>(this, m_circleBlocks, ELEM_CIRCLE, true, counts, minX, minY, maxX, maxY);
    ExtendByBlocks<CArcs>(this, m_arcBlocks, ELEM_ARC, true, counts, minX, minY, maxX, maxY);
    ExtendByBlocks<CTexts>(this, m_textBlocks, ELEM_TEXT, false, counts, minX, minY, maxX, maxY);
    ExtendByBlocks<CConics>(this, m_conicBlocks, ELEM_CONIC, true, counts, minX, minY, maxX, maxY);
    ExtendByBlocks<CCurves>(this, m_curveBlocks, ELEM_CURVE, true, counts, minX, minY, maxX, maxY);
    for (size_t i = 0; i < m_objects.size(); ++i) {
        const CZelkObj* o = m_objects[i];
        if (o->m_state & (0x04 | STATE_DELETED))
            continue;
        if (o->m_layer >= 0 && o->m_layer < static_cast<int>(counts.size()) && !counts[o->m_layer])
            continue;
        ExtendExtents(minX, minY, maxX, maxY, ELEM_OBJECT, static_cast<int>(i), 0);
    }
    m_extents.Init(minX, maxY, maxX, minY);
}

// ---- deletion --------------------------------------------------------------------------

namespace {

constexpr std::uint8_t kDeletedRedraw = 136;

// The selection bit a line carries: 0x02, else a picked end 0x04, else 0x08; 0 when none.
std::uint8_t SelectedBit(int kind, std::uint8_t mark)
{
    if (mark & MARK_SELECTED)
        return MARK_SELECTED;
    if (kind == ELEM_LINE) {
        if (mark & MARK_FIRST_END)
            return MARK_FIRST_END;
        if (mark & MARK_SECOND_END)
            return MARK_SECOND_END;
    }
    return 0;
}

template <class Block>
bool DeleteSelectedIn(const CObArray& blocks, int kind, CUndoHistory* undo)
{
    bool any = false;
    for (int b = 0; b < blocks.GetSize(); ++b) {
        Block* block = static_cast<Block*>(blocks[b]);
        for (int s = 0; s < block->m_count; ++s) {
            auto& e = block->m_slots[s];
            if (e.m_state & STATE_DELETED)
                continue;
            std::uint8_t bit = SelectedBit(kind, e.m_mark);
            if (!bit)
                continue;
            e.m_mark &= static_cast<std::uint8_t>(~bit);
            if (undo)
                undo->RecordChange(2, kind, b, s, e.m_state);
            e.m_state = kDeletedRedraw;
            any = true;
        }
    }
    return any;
}

}  // namespace

int CZelkDoc::DeleteSelected(int withGroups)
{
    if (m_pickList)
        m_pickList->SnapshotSelection();
    bool any = false;
    if (withGroups) {
        for (int i = 0; i < m_groups.GetSize(); ++i) {
            CGroup* g = GetGroup(i);
            if ((g->m_state & STATE_DELETED) || !(g->m_mark & MARK_SELECTED))
                continue;
            g->AndMarkRecursive(this, 0xFD);
            if (m_undoHistory)
                m_undoHistory->RecordChange(2, ELEM_GROUP, i, 0, g->m_state);
            g->m_state = kDeletedRedraw;
            g->SetStateRecursive(this, kDeletedRedraw);
            any = true;
        }
    }
    any |= DeleteSelectedIn<CDataPoints>(m_pointBlocks, ELEM_POINT, m_undoHistory);
    any |= DeleteSelectedIn<CLines>(m_lineBlocks, ELEM_LINE, m_undoHistory);
    any |= DeleteSelectedIn<CCircles>(m_circleBlocks, ELEM_CIRCLE, m_undoHistory);
    any |= DeleteSelectedIn<CArcs>(m_arcBlocks, ELEM_ARC, m_undoHistory);
    any |= DeleteSelectedIn<CConics>(m_conicBlocks, ELEM_CONIC, m_undoHistory);
    any |= DeleteSelectedIn<CCurves>(m_curveBlocks, ELEM_CURVE, m_undoHistory);
    any |= DeleteSelectedIn<CTexts>(m_textBlocks, ELEM_TEXT, m_undoHistory);

    CZelkView* active = DocActiveView();
    if (active && active->m_document == this && !active->m_oleSelection.empty()) {
        std::vector<CZelkObj*> selected = active->m_oleSelection;
        for (CZelkObj* o : selected) {
            if (o->m_state & STATE_DELETED)
                continue;
            std::int16_t j = FindObjectIndex(o);
            if (j < 0)
                continue;
            if (m_undoHistory)
                m_undoHistory->RecordChange(2, ELEM_OBJECT, j, 0, o->m_state);
            o->m_state = STATE_DELETED;
            InvalidateObjectInViews(o);
            active->DeselectOleObject(o);
        }
        return 1;
    }
    return any ? 1 : 0;
}

int CZelkDoc::DeleteElement(int kind, int block, int slot)
{
    if (kind == ELEM_ATTRIBUTE_STRING) {
        CDataString* s = GetString(block);
        if (!s)
            return 0;
        if (m_undoHistory)
            m_undoHistory->RecordChange(2, kind, block, slot, s->m_state);
        s->m_state = kDeletedRedraw;
        return 1;
    }
    if (kind == ELEM_GROUP)
        return 0;
    std::uint8_t* state = nullptr;
    std::uint8_t* mark = nullptr;
    if (!GetStateAndMark(this, kind, block, slot, state, mark))
        return 0;
    if (m_undoHistory)
        m_undoHistory->RecordChange(2, kind, block, slot, *state);
    *state = kDeletedRedraw;
    return 1;
}

// ---- attribute strings on the selection ------------------------------------------------

namespace {

// Without an unlinker the string is given to every selected element, with one it is taken
// from them.
template <class Block>
void ApplyStringIn(CZelkDoc* doc, const CObArray& blocks, int kind, int index,
                   CAttributeUnlinker* unlinker, bool& changed)
{
    for (int b = 0; b < blocks.GetSize(); ++b) {
        Block* block = static_cast<Block*>(blocks[b]);
        for (int s = 0; s < block->m_count; ++s) {
            auto& e = block->m_slots[s];
            if (!(e.m_mark & MARK_SELECTED))
                continue;
            e.m_mark = static_cast<std::uint8_t>((e.m_mark & ~MARK_SELECTED) | MARK_REDRAW);
            if (unlinker) {
                unlinker->Unlink(e.m_attrStrings, kind, b, s);
            } else {
                e.LinkAttributeString(doc, b, s, index);
                changed = true;
            }
        }
    }
}

}  // namespace

void CZelkDoc::ApplyAttributeStringToSelection(int index, int remove)
{
    if (m_pickList)
        m_pickList->SnapshotSelection();
    bool changed = false;
    CAttributeUnlinker unlinker(this, index);
    CAttributeUnlinker* from = remove ? &unlinker : nullptr;
    for (int i = 0; i < m_groups.GetSize(); ++i) {
        CGroup* g = GetGroup(i);
        if (!(g->m_mark & MARK_SELECTED))
            continue;
        g->AndMarkRecursive(this, 0xFD);
        g->OrMarkRecursive(this, MARK_REDRAW);
        if (from) {
            from->Unlink(g->m_attrStrings, ELEM_GROUP, i, 0);
        } else {
            g->LinkAttributeString(this, i, 0, index);
            changed = true;
        }
    }
    ApplyStringIn<CDataPoints>(this, m_pointBlocks, ELEM_POINT, index, from, changed);
    ApplyStringIn<CLines>(this, m_lineBlocks, ELEM_LINE, index, from, changed);
    ApplyStringIn<CCircles>(this, m_circleBlocks, ELEM_CIRCLE, index, from, changed);
    ApplyStringIn<CArcs>(this, m_arcBlocks, ELEM_ARC, index, from, changed);
    ApplyStringIn<CConics>(this, m_conicBlocks, ELEM_CONIC, index, from, changed);
    ApplyStringIn<CCurves>(this, m_curveBlocks, ELEM_CURVE, index, from, changed);
    ApplyStringIn<CTexts>(this, m_textBlocks, ELEM_TEXT, index, from, changed);
    if (from && from->Finish())
        changed = true;
    if (changed) {
        RedrawChangedElements(1);
        ShowMessageInViews(remove ? "群選択要素の指定文字属性を解除して、群処理モードを解除しました"
                                  : "群選択要素に文字属性を設定して、群処理モードを解除しました");
    } else {
        ShowMessageInViews("群処理モードを解除しました");
    }
    m_groupProcessing = 0;
    m_deformMode = 0;
}

// ---- group chains ----------------------------------------------------------------------

int CZelkDoc::GetGroupChain(int group, CWordArray& chain)
{
    if (group < 0 || group >= m_groups.GetSize())
        return 0;
    chain.Add(static_cast<WORD>(group));
    std::vector<int> visited{group};
    int current = group;
    for (int step = 0; step < CGroup::MaxDepth; ++step) {
        int parent = GetGroup(current)->m_parent;
        if (parent == -1)
            break;
        if (parent < 0 || parent >= m_groups.GetSize())
            continue;
        // A parent already on the chain means a cycle (a damaged file): the walk ends there.
        if (std::find(visited.begin(), visited.end(), parent) != visited.end())
            break;
        visited.push_back(parent);
        chain.InsertAt(0, static_cast<WORD>(parent));
        current = parent;
    }
    return 1;
}

void CZelkDoc::FilterGroupChain(std::int16_t& verdict, CWordArray& chain)
{
    const int plainSetting = DocGroupSelection();
    const int dimSetting = DocDimensionSelection();
    std::vector<char> remove(static_cast<size_t>(chain.GetSize()), 0);
    int k = 0;
    const int n = chain.GetSize();
    for (int i = 0; i < n; ++i) {
        CGroup* g = GetGroup(chain[i]);
        const int kind = g ? g->m_kind : -1;
        if (kind == CGroup::KIND_PLAIN) {
            if (plainSetting == 1) {
                verdict = 1;
                ++k;
            } else if (plainSetting == 2) {
                if (i == n - 1 && k == 0) {
                    chain.RemoveAll();
                    return;
                }
                remove[static_cast<size_t>(i)] = 1;
            } else if (plainSetting == 3) {
                if (k == 0) {
                    chain.RemoveAll();
                    verdict = 0;
                    return;
                }
                remove[static_cast<size_t>(i)] = 1;
            }
        } else if (kind >= 2 && kind <= 8) {
            if (dimSetting == 1) {
                verdict = 1;
            } else if (dimSetting == 2) {
                if (k == 0) {
                    chain.RemoveAll();
                    return;
                }
                remove[static_cast<size_t>(i)] = 1;
            } else if (dimSetting == 3) {
                if (k == 0) {
                    chain.RemoveAll();
                    verdict = 0;
                    return;
                }
                remove[static_cast<size_t>(i)] = 1;
            }
        } else if (kind == CGroup::KIND_NOTATION) {
            verdict = 1;
        }
    }
    for (int i = n - 1; i >= 0; --i)
        if (remove[static_cast<size_t>(i)])
            chain.RemoveAt(i);
}

// ---- collections -----------------------------------------------------------------------

namespace {

template <class Block>
bool CollectIn(CZelkDoc* doc, const CObArray& blocks, int kind, int layer, int lineTypeMask,
               bool testPen, CPtrArray& refs)
{
    bool any = false;
    for (int b = 0; b < blocks.GetSize(); ++b) {
        const Block* block = static_cast<const Block*>(blocks[b]);
        if (testPen) {
            const CTypePen* pen = doc->GetPen(block->m_pen);
            int type = pen ? pen->m_lineType : -1;
            if (type < 0 || type > 4 || !(lineTypeMask & (1 << type)))
                continue;
        }
        for (int s = 0; s < block->m_count; ++s) {
            const auto& e = block->m_slots[s];
            if (e.m_state & STATE_DELETED)
                continue;
            if (layer != -1 && e.m_layer != layer)
                continue;
            CElemRef* r = new CElemRef;
            r->Init(static_cast<std::int16_t>(kind), static_cast<std::int16_t>(b),
                    static_cast<std::int16_t>(s), e.m_state, e.m_mark);
            refs.Add(r);
            any = true;
        }
    }
    return any;
}

template <class Block>
void SelectionIn(const CObArray& blocks, int kind, std::vector<CElemRef>& out)
{
    for (int b = 0; b < blocks.GetSize(); ++b) {
        const Block* block = static_cast<const Block*>(blocks[b]);
        for (int s = 0; s < block->m_count; ++s) {
            const auto& e = block->m_slots[s];
            if ((e.m_state & STATE_DELETED) || !SelectedBit(kind, e.m_mark))
                continue;
            CElemRef r;
            r.m_state = e.m_mark;   // the selection list carries the mark first
            r.m_mark = e.m_state;
            r.m_kind = static_cast<std::int16_t>(kind);
            r.m_block = static_cast<std::int16_t>(b);
            r.m_slot = static_cast<std::int16_t>(s);
            r.m_extra = 0;
            out.push_back(r);
        }
    }
}

}  // namespace

bool CZelkDoc::CollectElements(int layer, int kindMask, int lineTypeMask, CPtrArray& refs)
{
    bool any = false;
    if (kindMask & ELEM_POINT)
        any |= CollectIn<CDataPoints>(this, m_pointBlocks, ELEM_POINT, layer, lineTypeMask, true, refs);
    if (kindMask & ELEM_LINE)
        any |= CollectIn<CLines>(this, m_lineBlocks, ELEM_LINE, layer, lineTypeMask, true, refs);
    if (kindMask & ELEM_CIRCLE)
        any |= CollectIn<CCircles>(this, m_circleBlocks, ELEM_CIRCLE, layer, lineTypeMask, true, refs);
    if (kindMask & ELEM_ARC)
        any |= CollectIn<CArcs>(this, m_arcBlocks, ELEM_ARC, layer, lineTypeMask, true, refs);
    if (kindMask & ELEM_TEXT)
        any |= CollectIn<CTexts>(this, m_textBlocks, ELEM_TEXT, layer, lineTypeMask, false, refs);
    if (kindMask & ELEM_CONIC)
        any |= CollectIn<CConics>(this, m_conicBlocks, ELEM_CONIC, layer, lineTypeMask, true, refs);
    if (kindMask & ELEM_CURVE)
        any |= CollectIn<CCurves>(this, m_curveBlocks, ELEM_CURVE, layer, lineTypeMask, true, refs);
    return any;
}

void CZelkDoc::FreeRefList(CPtrArray& refs)
{
    for (int i = 0; i < refs.GetSize(); ++i)
        delete static_cast<CElemRef*>(refs[i]);
    refs.RemoveAll();
}

bool CZelkDoc::CollectSelection()
{
    m_selection.clear();
    if (m_pickList)
        m_pickList->SnapshotSelection();
    SelectionIn<CDataPoints>(m_pointBlocks, ELEM_POINT, m_selection);
    SelectionIn<CLines>(m_lineBlocks, ELEM_LINE, m_selection);
    SelectionIn<CCircles>(m_circleBlocks, ELEM_CIRCLE, m_selection);
    SelectionIn<CArcs>(m_arcBlocks, ELEM_ARC, m_selection);
    SelectionIn<CConics>(m_conicBlocks, ELEM_CONIC, m_selection);
    SelectionIn<CCurves>(m_curveBlocks, ELEM_CURVE, m_selection);
    SelectionIn<CTexts>(m_textBlocks, ELEM_TEXT, m_selection);
    // Placed objects selected in the active view of this drawing, each with the first embedded
    // item that shows it.
    CZelkView* view = DocActiveView();
    if (view && view->m_document == this && !view->m_oleSelection.empty()) {
        for (size_t i = 0; i < view->m_oleSelection.size(); ++i) {
            const CZelkObj* o = view->m_oleSelection[i];
            if (o->m_state & STATE_DELETED)
                continue;
            int item = -1;
            for (size_t j = 0; j < m_oleItems.size() && item < 0; ++j)
                for (int k = 0; k < m_oleItems[j]->m_placedObjects.GetSize(); ++k)
                    if (m_oleItems[j]->m_placedObjects[k] == o) {
                        item = static_cast<int>(j);
                        break;
                    }
            CElemRef r;
            r.m_state = o->m_stateBits;   // the selection list carries the mark first
            r.m_mark = o->m_state;
            r.m_kind = 128;
            r.m_block = static_cast<std::int16_t>(i);
            r.m_slot = static_cast<std::int16_t>(item);
            r.m_extra = 0;
            m_selection.push_back(r);
        }
        return true;
    }
    return !m_selection.empty();
}

// ---- placed objects --------------------------------------------------------------------

CZelkObj* CZelkDoc::FindObjectAt(CZelkView* view, POINT point)
{
    RECT r{point.x, point.y, point.x + 1, point.y + 1};
    for (size_t i = m_objects.size(); i-- > 0;)
        if (m_objects[i]->Intersects(view, r))
            return m_objects[i];
    return nullptr;
}

int CZelkDoc::FindObjectsAt(CZelkView* view, POINT point, CWordArray& found)
{
    RECT r{point.x, point.y, point.x + 1, point.y + 1};
    int n = 0;
    for (size_t i = m_objects.size(); i-- > 0;) {
        CZelkObj* o = m_objects[i];
        if (o->m_state & STATE_DELETED)
            continue;
        if (o->Intersects(view, r)) {
            found.Add(static_cast<WORD>(i));
            ++n;
        }
    }
    return n;
}

int CZelkDoc::AddObject(CZelkObj* object)
{
    m_objects.push_back(object);
    object->m_pDocument = this;
    return static_cast<int>(m_objects.size()) - 1;
}

void CZelkDoc::RemoveObject(CZelkObj* object)
{
    auto it = std::find(m_objects.begin(), m_objects.end(), object);
    if (it != m_objects.end())
        m_objects.erase(it);
    SetModifiedFlag(TRUE);
    for (CZelkView* v : GetViews())
        v->DeselectOleObject(object);
}

std::int16_t CZelkDoc::FindObjectIndex(CZelkObj* object) const
{
    auto it = std::find(m_objects.begin(), m_objects.end(), object);
    return it == m_objects.end() ? -1 : static_cast<std::int16_t>(it - m_objects.begin());
}
