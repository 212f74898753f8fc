// Clearing selection marks in every drawing: the interpret-and-run mode and the macro's flagged
// texts drop their mark bit this way once the texts have been read.
#include "app/ZelkApp.h"

#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "input/PickList.h"
#include "platform/ui/DocTemplate.h"

#include <cstdint>

namespace {

template <typename Block>
void ClearInBlocks(const CObArray& blocks, std::uint8_t bits)
{
    for (int b = 0; b < blocks.GetSize(); ++b) {
        auto* block = static_cast<Block*>(blocks[b]);
        for (int s = 0; s < block->m_count && s < Block::SlotCount; ++s)
            block->m_slots[s].ClearMarkBits(bits);
    }
}

void ClearInDrawing(CZelkDoc* doc, std::uint8_t bits)
{
    for (int g = 0; g < doc->m_groups.GetSize(); ++g)
        static_cast<CGroup*>(doc->m_groups[g])->ClearMarkBits(bits);
    ClearInBlocks<CDataPoints>(doc->m_pointBlocks, bits);
    ClearInBlocks<CLines>(doc->m_lineBlocks, bits);
    ClearInBlocks<CCircles>(doc->m_circleBlocks, bits);
    ClearInBlocks<CArcs>(doc->m_arcBlocks, bits);
    ClearInBlocks<CTexts>(doc->m_textBlocks, bits);
    ClearInBlocks<CConics>(doc->m_conicBlocks, bits);
    ClearInBlocks<CCurves>(doc->m_curveBlocks, bits);
}

} // namespace

void CZelkApp::ClearSelectionMarks(CZelkDoc* doc, int bits)
{
    const auto mask = static_cast<std::uint8_t>(bits);
    if (doc)
        ClearInDrawing(doc, mask);
    if (!m_pDocTemplate)
        return;
    POSITION pos = m_pDocTemplate->GetFirstDocPosition();
    while (pos) {
        auto* other = static_cast<CZelkDoc*>(m_pDocTemplate->GetNextDoc(pos));
        if (other && other != doc)
            ClearInDrawing(other, mask);
    }
}

void CZelkApp::ClearOtherSelections(CZelkDoc* doc)
{
    m_groupProcessing = 0;
    if (!m_pDocTemplate)
        return;
    for (POSITION pos = m_pDocTemplate->GetFirstDocPosition(); pos;) {
        auto* other = static_cast<CZelkDoc*>(m_pDocTemplate->GetNextDoc(pos));
        if (!other || other == doc)
            continue;
        if (other->m_pickList)
            other->m_pickList->SnapshotSelection();
        ClearInDrawing(other, 0xFF);
        other->UpdateAndPaintAllViews();
    }
}
