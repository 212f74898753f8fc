// The pick list of a drawing.
#include "input/PickList.h"

#include <type_traits>

#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/ElementKinds.h"
#include "elements/Lines.h"
#include "elements/Texts.h"

CPickList::CPickList(CZelkDoc* doc) : m_doc(doc), m_current(-1) {}

bool CPickList::GetCurrent(CElemRef& ref) const
{
    if (m_current < 0 || m_current >= static_cast<int>(m_candidates.size()))
        return false;
    ref.SetFromCandidate(m_candidates[m_current]);
    return true;
}

namespace {

template <class Block>
void Snapshot(const CObArray& blocks, int kind, std::uint8_t bits, std::vector<CElemRef>& out)
{
    for (int b = 0; b < blocks.GetSize(); ++b) {
        const Block* block = static_cast<const Block*>(blocks[b]);
        for (int s = 0; s < block->m_count; ++s) {
            const auto& e = block->m_slots[s];
            if ((e.m_state & STATE_DELETED) || !(e.m_mark & bits))
                continue;
            CElemRef r;
            r.Init(static_cast<std::int16_t>(kind), static_cast<std::int16_t>(b),
                   static_cast<std::int16_t>(s), e.m_state, e.m_mark);
            out.push_back(r);
        }
    }
}

}  // namespace

void CPickList::SnapshotSelection()
{
    m_snapshot.clear();
    Snapshot<CDataPoints>(m_doc->m_pointBlocks, ELEM_POINT, MARK_SELECTED, m_snapshot);
    Snapshot<CLines>(m_doc->m_lineBlocks, ELEM_LINE,
                     MARK_SELECTED | MARK_FIRST_END | MARK_SECOND_END, m_snapshot);
    Snapshot<CCircles>(m_doc->m_circleBlocks, ELEM_CIRCLE, MARK_SELECTED, m_snapshot);
    Snapshot<CArcs>(m_doc->m_arcBlocks, ELEM_ARC, MARK_SELECTED, m_snapshot);
    Snapshot<CConics>(m_doc->m_conicBlocks, ELEM_CONIC, MARK_SELECTED, m_snapshot);
    Snapshot<CCurves>(m_doc->m_curveBlocks, ELEM_CURVE, MARK_SELECTED, m_snapshot);
    Snapshot<CTexts>(m_doc->m_textBlocks, ELEM_TEXT, MARK_SELECTED, m_snapshot);
}

namespace {

// The element a snapshot entry names, or none when its block or slot no longer holds it.
template <class Block>
auto* SnapshotElement(const CObArray& blocks, const CElemRef& ref)
{
    using Elem = std::remove_reference_t<decltype(static_cast<Block*>(nullptr)->m_slots[0])>;
    if (ref.m_block < 0 || ref.m_block >= blocks.GetSize())
        return static_cast<Elem*>(nullptr);
    Block* block = static_cast<Block*>(blocks[ref.m_block]);
    if (ref.m_slot < 0 || ref.m_slot >= block->m_count)
        return static_cast<Elem*>(nullptr);
    Elem* e = &block->m_slots[ref.m_slot];
    return (e->m_state & STATE_DELETED) ? static_cast<Elem*>(nullptr) : e;
}

template <class Block>
bool Reselect(const CObArray& blocks, const CElemRef& ref, bool apply)
{
    auto* e = SnapshotElement<Block>(blocks, ref);
    if (!e)
        return false;
    if (apply) {
        e->m_mark = static_cast<std::uint8_t>(e->m_mark | ref.m_mark | MARK_REDRAW);
        e->m_state = static_cast<std::uint8_t>(e->m_state | STATE_REDRAW);
    }
    return true;
}

}  // namespace

int CPickList::RestoreSnapshot()
{
    if (m_snapshot.empty())
        return 0;
    // Checked in full first, so that a snapshot with a deleted element selects nothing.
    for (const bool apply : { false, true }) {
        for (const CElemRef& ref : m_snapshot) {
            bool found = false;
            switch (ref.m_kind) {
            case ELEM_POINT: found = Reselect<CDataPoints>(m_doc->m_pointBlocks, ref, apply); break;
            case ELEM_LINE: found = Reselect<CLines>(m_doc->m_lineBlocks, ref, apply); break;
            case ELEM_CIRCLE: found = Reselect<CCircles>(m_doc->m_circleBlocks, ref, apply); break;
            case ELEM_ARC: found = Reselect<CArcs>(m_doc->m_arcBlocks, ref, apply); break;
            case ELEM_CONIC: found = Reselect<CConics>(m_doc->m_conicBlocks, ref, apply); break;
            case ELEM_CURVE: found = Reselect<CCurves>(m_doc->m_curveBlocks, ref, apply); break;
            case ELEM_TEXT: found = Reselect<CTexts>(m_doc->m_textBlocks, ref, apply); break;
            default: break;
            }
            if (!found)
                return 0;
        }
    }
    return 1;
}
