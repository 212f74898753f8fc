// The undo history: recording, committing, and undoing or redoing a step by rewriting state
// bytes and moving points in place.
#include "document/UndoHistory.h"

#include "document/DocEnvironment.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/DataString.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "platform/core/Services.h"
#include "view/ZelkObj.h"

CUndoStep::CUndoStep()
{
    m_offset.Init(0, 0);
    m_scale.Init(1.0, 1.0);
}

CUndoHistory::CUndoHistory(CZelkDoc* doc) : m_doc(doc), m_current(-1) {}

CUndoHistory::~CUndoHistory() = default;

namespace {

CElemRef Entry(std::uint8_t state, int kind, int block, int slot, std::uint8_t extra)
{
    CElemRef r;
    r.m_state = state;
    r.m_mark = 0;
    r.m_kind = static_cast<std::int16_t>(kind);
    r.m_block = static_cast<std::int16_t>(block);
    r.m_slot = static_cast<std::int16_t>(slot);
    r.m_extra = extra;
    return r;
}

// The state, mark and group fields of what an entry names; all null when it names nothing
// (a block, group or object index beyond its list, or a slot beyond the block).
struct Target {
    std::uint8_t* state = nullptr;
    std::uint8_t* mark = nullptr;
    std::int16_t* group = nullptr;
    CZelkObj* object = nullptr;
    // An attribute string is never drawn: it takes its saved state without the redraw bit.
    bool undrawn = false;
};

template <class Block>
bool FindSlot(const CObArray& blocks, const CElemRef& e, Target& t)
{
    if (e.m_block < 0 || e.m_block >= blocks.GetSize() || e.m_slot < 0 ||
        e.m_slot >= Block::SlotCount)
        return false;
    auto& elem = static_cast<Block*>(blocks[e.m_block])->m_slots[e.m_slot];
    t.state = &elem.m_state;
    t.mark = &elem.m_mark;
    t.group = &elem.m_group;
    return true;
}

bool FindTarget(CZelkDoc* doc, const CElemRef& e, Target& t)
{
    switch (e.m_kind) {
    case ELEM_POINT: return FindSlot<CDataPoints>(doc->m_pointBlocks, e, t);
    case ELEM_LINE: return FindSlot<CLines>(doc->m_lineBlocks, e, t);
    case ELEM_CIRCLE: return FindSlot<CCircles>(doc->m_circleBlocks, e, t);
    case ELEM_ARC: return FindSlot<CArcs>(doc->m_arcBlocks, e, t);
    case ELEM_TEXT: return FindSlot<CTexts>(doc->m_textBlocks, e, t);
    case ELEM_CONIC: return FindSlot<CConics>(doc->m_conicBlocks, e, t);
    case ELEM_CURVE: return FindSlot<CCurves>(doc->m_curveBlocks, e, t);
    case ELEM_GROUP: {
        CGroup* g = doc->GetGroup(e.m_block);
        if (!g)
            return false;
        t.state = &g->m_state;
        t.mark = &g->m_mark;
        return true;
    }
    case ELEM_ATTRIBUTE_STRING: {
        CDataString* string = doc->GetString(e.m_block);
        if (!string)
            return false;
        t.state = &string->m_state;
        t.mark = &string->m_mark;
        t.undrawn = true;
        return true;
    }
    case ELEM_OBJECT: {
        if (e.m_block < 0 || e.m_block >= static_cast<int>(doc->m_objects.size()))
            return false;
        CZelkObj* o = doc->m_objects[static_cast<size_t>(e.m_block)];
        t.state = &o->m_state;
        t.mark = &o->m_stateBits;
        t.group = &o->m_group;
        t.object = o;
        return true;
    }
    default:
        return false;
    }
}

// The group that holds an element takes the saved state with the redraw bit toggled in.
void RestoreHoldingGroup(CZelkDoc* doc, const Target& t, const CElemRef& e)
{
    if (!t.group || *t.group == -1)
        return;
    if (CGroup* g = doc->GetGroup(*t.group)) {
        g->m_state = static_cast<std::uint8_t>(e.m_state + 128);
        g->m_mark = e.m_mark;
    }
}

// An object is repainted in every view as its state changes; a block element instead takes a
// state that carries the redraw bit, and the document redraws it with the rest of the step.
void SetTargetState(CZelkDoc* doc, const Target& t, std::uint8_t objectState,
                    std::uint8_t elementState)
{
    if (t.object) {
        doc->InvalidateObjectInViews(t.object);
        *t.state = objectState;
    } else if (t.undrawn) {
        *t.state = objectState;
    } else {
        *t.state = elementState;
    }
}

void MovePoint(CPointD& p, double dx, double dy)
{
    p.AddXY(dx, dy);
}

// Moves what a movement entry names by the step's offset (ox, oy): added when add is set (redo),
// subtracted otherwise (undo).
void MoveEntry(CZelkDoc* doc, const CElemRef& e, double ox, double oy, int add)
{
    const double dx = add ? ox : -ox, dy = add ? oy : -oy;
    switch (e.m_kind) {
    case ELEM_POINT:
        if (CDataPoint* p = doc->GetPointElem(e.m_block, e.m_slot))
            MovePoint(p->m_position, dx, dy);
        break;
    case ELEM_LINE:
        if (CLine* l = doc->GetLineElem(e.m_block, e.m_slot)) {
            if (e.m_extra & 1)
                MovePoint(l->m_start, dx, dy);
            if (e.m_extra & 2)
                MovePoint(l->m_end, dx, dy);
        }
        break;
    case ELEM_CIRCLE:
        if (CCircle* c = doc->GetCircleElem(e.m_block, e.m_slot))
            MovePoint(c->m_centre, dx, dy);
        break;
    case ELEM_ARC:
        if (CArc* a = doc->GetArcElem(e.m_block, e.m_slot))
            MovePoint(a->m_centre, dx, dy);
        break;
    case ELEM_TEXT:
        if (CText* t = doc->GetTextElem(e.m_block, e.m_slot))
            t->Translate(ox, oy, add);
        break;
    case ELEM_GROUP:
        if (CGroup* g = doc->GetGroup(e.m_block))
            g->MoveDefinitionPoints(doc, add, e.m_extra, ox, oy);
        break;
    case ELEM_CONIC:
        if (CConic* c = doc->GetConicElem(e.m_block, e.m_slot)) {
            MovePoint(c->m_centre, dx, dy);
            for (CPointD& p : c->m_polyline)
                MovePoint(p, dx, dy);
        }
        break;
    case ELEM_CURVE:
        if (CCurve* c = doc->GetCurveElem(e.m_block, e.m_slot)) {
            for (CPointD& p : c->m_pendingPoints)
                MovePoint(p, dx, dy);
            for (CPointD& p : c->m_points)
                MovePoint(p, dx, dy);
        }
        break;
    case ELEM_OBJECT:
        if (e.m_block >= 0 && e.m_block < static_cast<int>(doc->m_objects.size())) {
            CZelkObj* o = doc->m_objects[static_cast<size_t>(e.m_block)];
            MovePoint(o->m_bottomRight, dx, dy);
            MovePoint(o->m_topLeft, dx, dy);
            doc->InvalidateObjectInViews(o);
        }
        break;
    default:
        break;
    }
}

// Undo and redo share the movement part; they differ in the state they leave and the sign.
void ApplyMovement(CZelkDoc* doc, const CUndoStep& step, bool forward)
{
    for (const CElemRef& e : step.m_first) {
        if (e.m_extra == 0)
            continue;
        Target t;
        if (!FindTarget(doc, e, t))
            continue;
        if (t.object)
            doc->InvalidateObjectInViews(t.object);
        else if (e.m_kind != ELEM_GROUP)
            *t.state |= STATE_REDRAW;
    }
    doc->EraseChangedElements();
    for (const CElemRef& e : step.m_first) {
        if (e.m_extra == 0)
            continue;
        Target t;
        if (!FindTarget(doc, e, t))
            continue;
        if (t.object) {
            *t.state = forward ? STATE_LIVE : e.m_state;
            *t.mark = forward ? 0 : e.m_mark;
        } else {
            *t.state = forward ? static_cast<std::uint8_t>(0x81)
                               : static_cast<std::uint8_t>(e.m_state | STATE_REDRAW);
            *t.mark = forward ? 0 : e.m_mark;
        }
        MoveEntry(doc, e, step.m_offset.m_x, step.m_offset.m_y, forward ? 1 : 0);
    }
    doc->m_blockExtents.Invalidate();
    doc->RedrawChangedElements(1);
}

}  // namespace

namespace {

// A group recorded for undo carries the recorded state on its member references as well.
void StampGroupMembers(CZelkDoc* doc, int kind, int block, std::uint8_t oldState)
{
    if (kind != ELEM_GROUP)
        return;
    if (CGroup* g = doc->GetGroup(block)) {
        for (CElemRef& m : g->m_members) {
            m.m_state = oldState;
            m.m_mark = 0;
        }
    }
}

}  // namespace

void CUndoHistory::RecordChange(int list, int kind, int block, int slot, std::uint8_t oldState)
{
    (list == 2 ? m_pendingSecond : m_pendingFirst).push_back(Entry(oldState, kind, block, slot, 0));
    StampGroupMembers(m_doc, kind, block, oldState);
}

void CUndoHistory::RecordChangeWithExtra(std::uint8_t extra, int kind, int block, int slot,
                                         std::uint8_t oldState)
{
    m_pendingFirst.push_back(Entry(oldState, kind, block, slot, extra));
    StampGroupMembers(m_doc, kind, block, oldState);
}

void CUndoHistory::Commit(int kind)
{
    CPointD offset, scale;
    offset.Init(0, 0);
    scale.Init(1.0, 1.0);
    CommitTransform(kind, offset, scale);
}

void CUndoHistory::CommitTransform(int kind, CPointD offset, CPointD scale)
{
    if (scale.m_x == 0 || scale.m_y == 0)
        return;
    for (int i = GetStepCount() - 1; i > m_current; --i) {
        auto marker = std::make_unique<CUndoStep>();
        marker->m_kind = 0x80;
        marker->m_linked = i;
        m_steps.push_back(std::move(marker));
    }
    m_current = GetStepCount();
    auto step = std::make_unique<CUndoStep>();
    step->m_kind = static_cast<std::uint8_t>(kind);
    step->m_offset = offset;
    step->m_scale = scale;
    step->m_first = std::move(m_pendingFirst);
    step->m_second = std::move(m_pendingSecond);
    m_pendingFirst.clear();
    m_pendingSecond.clear();
    m_steps.push_back(std::move(step));
}

void CUndoHistory::DropLastStep()
{
    if (!m_steps.empty())
        m_steps.pop_back();
    if (m_current >= GetStepCount())
        m_current = GetStepCount() - 1;
}

void CUndoHistory::Undo()
{
    DocShowMessage("", 0);
    if (m_current < 0) {
        MessageBeep(MB_ICONASTERISK);
        DocShowMessage("これ以上 UNDO できません", 0);
        return;
    }
    if (m_steps.empty()) {
        MessageBeep(MB_ICONASTERISK);
        DocShowMessage("UNDO データはありません", 0);
        return;
    }
    if (m_current >= GetStepCount())
        return;
    // The undone state differs from what was saved just as a redone one does.
    m_doc->SetModifiedFlag(TRUE);
    CUndoStep* s = m_steps[static_cast<size_t>(m_current)].get();
    if (!(s->m_kind & 0x80)) {
        ApplyBackward(*s);
        --m_current;
    } else {
        for (;;) {
            if (s->m_linked >= 0 && s->m_linked < GetStepCount())
                ApplyForward(*m_steps[static_cast<size_t>(s->m_linked)]);
            --m_current;
            if (m_current < 0)
                break;
            s = m_steps[static_cast<size_t>(m_current)].get();
            if (!(s->m_kind & 0x80))
                break;
        }
    }
    DocShowMessage("データを戻しました", 0);
}

void CUndoHistory::Redo()
{
    DocShowMessage("", 0);
    if (m_steps.empty()) {
        MessageBeep(MB_ICONASTERISK);
        DocShowMessage("REDO データはありません", 0);
        return;
    }
    ++m_current;
    if (m_current >= GetStepCount()) {
        MessageBeep(MB_ICONASTERISK);
        DocShowMessage("これ以上 REDO できません", 0);
        m_current = GetStepCount() - 1;
        return;
    }
    m_doc->SetModifiedFlag(TRUE);
    CUndoStep* s = m_steps[static_cast<size_t>(m_current)].get();
    if (!(s->m_kind & 0x80)) {
        ApplyForward(*s);
    } else {
        for (;;) {
            if (s->m_linked >= 0 && s->m_linked < GetStepCount())
                ApplyBackward(*m_steps[static_cast<size_t>(s->m_linked)]);
            ++m_current;
            if (m_current >= GetStepCount())
                break;
            s = m_steps[static_cast<size_t>(m_current)].get();
            if (!(s->m_kind & 0x80))
                break;
        }
        --m_current;
    }
    DocShowMessage("データを回復しました", 0);
}

void CUndoHistory::ApplyBackward(CUndoStep& step)
{
    if (step.m_kind & 0x01) {
        for (const CElemRef& e : step.m_first) {
            if (e.m_extra != 0)
                continue;
            Target t;
            if (!FindTarget(m_doc, e, t))
                continue;
            if (e.m_kind == ELEM_GROUP) {
                *t.state = static_cast<std::uint8_t>(e.m_state + 128);
                *t.mark = e.m_mark;
                continue;
            }
            SetTargetState(m_doc, t, e.m_state,
                           static_cast<std::uint8_t>(e.m_state | STATE_REDRAW));
            *t.mark = e.m_mark;
            RestoreHoldingGroup(m_doc, t, e);
        }
    }
    if (step.m_kind & 0x02) {
        for (const CElemRef& e : step.m_second) {
            Target t;
            if (!FindTarget(m_doc, e, t))
                continue;
            if (e.m_kind == ELEM_GROUP) {
                std::uint8_t s = static_cast<std::uint8_t>(e.m_state + 128);
                *t.state = s == 0x80 ? 0x81 : s;
                *t.mark = e.m_mark;
                continue;
            }
            SetTargetState(m_doc, t, e.m_state == 0x80 ? 0x81 : e.m_state,
                           (e.m_state & 0x7F) ? static_cast<std::uint8_t>(e.m_state | STATE_REDRAW)
                                              : static_cast<std::uint8_t>(0x81));
            *t.mark = e.m_mark;
            RestoreHoldingGroup(m_doc, t, e);
        }
    }
    m_doc->RedrawChangedElements(1);
    if (step.m_kind & 0x04)
        ApplyMovement(m_doc, step, false);
}

void CUndoHistory::ApplyForward(CUndoStep& step)
{
    if (step.m_kind & 0x01) {
        for (const CElemRef& e : step.m_first) {
            if (e.m_extra != 0)
                continue;
            Target t;
            if (!FindTarget(m_doc, e, t))
                continue;
            SetTargetState(m_doc, t, STATE_LIVE, 0x81);
            *t.mark = 0;
        }
    }
    if (step.m_kind & 0x02) {
        for (const CElemRef& e : step.m_second) {
            Target t;
            if (!FindTarget(m_doc, e, t))
                continue;
            SetTargetState(m_doc, t, STATE_DELETED, 0x88);
            *t.mark = 0;
        }
    }
    m_doc->RedrawChangedElements(1);
    if (step.m_kind & 0x04)
        ApplyMovement(m_doc, step, true);
}
