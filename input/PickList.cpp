// The pick list of a drawing.
#include "input/PickList.h"

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
