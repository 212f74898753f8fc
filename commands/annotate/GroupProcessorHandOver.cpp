// Loaded symbol or user-application data handed to group processing: everything selected and
// the copy begun at the base point, with the data's drawing scale as the copy's scale.
#include "commands/annotate/GroupProcessor.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "input/InputEvent.h"
#include "elements/Arcs.h"
#include "elements/Circles.h"
#include "elements/Conics.h"
#include "elements/Curves.h"
#include "elements/DataPoints.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/Texts.h"
#include "geometry/Numeric.h"

namespace {

template <typename Block>
int SelectAllInBlocks(const CObArray& blocks)
{
    int count = 0;
    for (int b = 0; b < blocks.GetSize(); ++b) {
        auto* block = static_cast<Block*>(blocks[b]);
        for (int s = 0; s < block->m_count && s < Block::SlotCount; ++s) {
            block->m_slots[s].m_mark = 2;
            ++count;
        }
    }
    return count;
}

} // namespace

int CZelkDoc::StartCopyOfLoadedData(int source)
{
    int count = SelectAllInBlocks<CDataPoints>(m_pointBlocks);
    count += SelectAllInBlocks<CLines>(m_lineBlocks);
    count += SelectAllInBlocks<CCircles>(m_circleBlocks);
    count += SelectAllInBlocks<CArcs>(m_arcBlocks);
    count += SelectAllInBlocks<CConics>(m_conicBlocks);
    count += SelectAllInBlocks<CCurves>(m_curveBlocks);
    count += SelectAllInBlocks<CTexts>(m_textBlocks);
    for (int g = 0; g < m_groups.GetSize(); ++g)
        static_cast<CGroup*>(m_groups[g])->m_mark = 2;
    if (!g_pApp)
        return 0;
    if (count == 0) {
        g_pApp->ShowMessage(source == 1 ? "このファイルにはデータがありません"
                                        : "ユーザアプリケーションから受け取ったデータはありません",
                            1);
        return 0;
    }
    CGroupProcessor* processor = g_pApp->m_groupProcessor;
    if (!processor)
        return 0;
    processor->Reset(0);
    m_groupProcessing = 1;
    processor->m_document = this;
    processor->m_moveFlag = 0;
    processor->modePattern = "PP";
    processor->m_preset = 1;
    // A symbol is placed by its relative origin.
    if (source == 1) {
        CPointD origin;
        origin.Init(0.0, 0.0);
        m_inputPoint.SetPoint(RelativeToWorld(origin));
    }
    processor->OnInput(this, 4, 0);
    // The drawing's scale becomes the copy's scale: posted as a typed ratio, as the message
    // below reports it applied (a length would leave the copy unchanged).
    if (m_ratio != 1.0 && m_inputEvent)
        m_inputEvent->PostValue(m_ratio, 14);
    g_pApp->ShowMessage(source == 1 ? "シンボルのコピーモードに入りました(解除ESC)"
                                    : "ユーザアプリケーションのコピーモードに入りました(解除ESC)",
                        0);
    if (m_ratio != 1.0) {
        double scale = m_ratio;
        RoundToSignificant(scale, g_pApp->m_appAcc.messageDigits());
        g_pApp->ShowResultMessage(" 尺度" + DoubleToString(scale) + "を反映しました", 0);
    }
    return 1;
}
