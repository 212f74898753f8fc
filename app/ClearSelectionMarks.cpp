// Clearing selection marks in every drawing: the interpret-and-run mode and the macro's flagged
// texts drop their mark bit this way once the texts have been read, and a command switch drops
// the selections of the other drawings.
#include "app/ZelkApp.h"

#include "commands/annotate/GroupProcessor.h"
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
#include "view/ZelkView.h"

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
    if (doc && !IsDrawingDocument(doc))
        ClearInDrawing(doc, mask);
    ClearMarksInAllDrawings(bits);
}

void CZelkApp::ClearMarksInAllDrawings(int bits)
{
    const auto mask = static_cast<std::uint8_t>(bits);
    if (!m_pDocTemplate)
        return;
    POSITION pos = m_pDocTemplate->GetFirstDocPosition();
    while (pos) {
        if (auto* doc = dynamic_cast<CZelkDoc*>(m_pDocTemplate->GetNextDoc(pos)))
            ClearInDrawing(doc, mask);
    }
}

void CZelkApp::ResetSelectionState()
{
    // No view keeps the outline of a working set that is gone.
    for (int i = 0; i < m_drawingViews.GetSize(); ++i)
        static_cast<CZelkView*>(m_drawingViews[i])->ClearDragSketch();
    if (m_groupProcessor)
        m_groupProcessor->m_elemSet.Clear();
    m_groupProcessing = 0;
    m_appElem.m_layerCondition = static_cast<signed char>(m_savedLayerCondition == 0 ? 0 : m_savedLayerCondition == 1 ? 1 : 2);
}

void CZelkApp::ClearOtherSelections(CZelkDoc* keep)
{
    if (m_groupProcessor)
        m_groupProcessor->Reset(1);
    if (!m_pDocTemplate)
        return;
    POSITION pos = m_pDocTemplate->GetFirstDocPosition();
    while (pos) {
        auto* doc = dynamic_cast<CZelkDoc*>(m_pDocTemplate->GetNextDoc(pos));
        if (!doc || doc == keep)
            continue;
        doc->m_pickList->SnapshotSelection();
        ClearInDrawing(doc, 14);
        doc->RedrawChangedElements(1);
        doc->m_groupProcessing = 0;
    }
}
