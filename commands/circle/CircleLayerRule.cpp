// The layer a construction's element goes to: the current one, the layer of the element the
// construction refers to, or a fresh layer that stays current for the elements that follow.
#include "commands/circle/CircleCommand.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"

std::int16_t CCircleCommand::EnterLayerRule(int referenceLayer)
{
    CZelkDoc* doc = m_doc;
    const std::int16_t writeLayer = doc->m_writeLayer;
    const int condition = g_pApp ? g_pApp->m_appElem.m_layerCondition : 0;
    if (condition == 2)
        doc->m_writeLayer = doc->FindOrCreateLayer("");
    else if (condition == 1 && referenceLayer >= 0)
        doc->m_writeLayer = static_cast<std::int16_t>(referenceLayer);
    return writeLayer;
}

void CCircleCommand::LeaveLayerRule(std::int16_t writeLayer)
{
    CZelkDoc* doc = m_doc;
    if (g_pApp && g_pApp->m_appElem.m_layerCondition == 2) {
        doc->UpdateAndPaintAllViews();
        g_pApp->ShowMessage("新レイヤに作成モードで新レイヤを作りました", 0);
        return;
    }
    doc->m_writeLayer = writeLayer;
    doc->RedrawChangedElements(1);
}
