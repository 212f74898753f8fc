#include "commands/circle/ElementAdding.h"

#include <cmath>

#include "app/ZelkApp.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Line.h"
#include "geometry/Numeric.h"

namespace {

const char* const kMsgZeroCircle = "半径が零の円は登録しません";
const char* const kMsgZeroArc = "半径が零の円弧は登録しません";
const char* const kMsgNewLayer = "新レイヤに作成モードで新レイヤを作りました";

} // namespace

CLayerStep::CLayerStep(CZelkDoc* doc, int elementLayer)
    : m_doc(doc), m_savedLayer(doc->m_writeLayer), m_condition(g_pApp ? g_pApp->m_appElem.m_layerCondition : 0),
      m_usedLayer(-1)
{
    if (m_condition == 2) {
        doc->m_writeLayer = doc->FindOrCreateLayer("");
    } else if (m_condition == 1 && elementLayer >= 0) {
        m_usedLayer = elementLayer;
        doc->m_writeLayer = static_cast<std::int16_t>(elementLayer);
    }
}

void CLayerStep::Finish(int redraw)
{
    if (m_condition == 2) {
        m_doc->UpdateAndPaintAllViews();
        g_pApp->ShowMessage(kMsgNewLayer, 0);
        return;
    }
    m_doc->m_writeLayer = m_savedLayer;
    if (!redraw)
        return;
    // Elements written on another layer than the one shown as current are drawn again as logged.
    if (m_usedLayer >= 0 && m_usedLayer != m_savedLayer) {
        if (m_doc->m_creationLog)
            m_doc->m_creationLog->RedrawLogged();
    } else {
        m_doc->RedrawChangedElements(1);
    }
}

int AddCircleElement(CZelkDoc* doc, CPointD centre, double radius, int final, std::int16_t& block,
                     std::int16_t& slot)
{
    if (NearlyEqual(radius, 0.0)) {
        if (g_pApp)
            g_pApp->ShowMessage(kMsgZeroCircle, 1);
        return 0;
    }
    if (!doc || !doc->m_creationLog)
        return 0;
    doc->m_creationLog->AddCircle(centre, std::fabs(radius), final == 1 ? 1 : 2, block, slot, final, 0);
    return 1;
}

int AddArcElement(CZelkDoc* doc, CPointD centre, double radius, double start, double end, std::int16_t& block,
                  std::int16_t& slot, int final, int keep, std::int16_t& circleBlock, std::int16_t& circleSlot)
{
    // A refused arc or a full turn added as a circle leaves no arc position for the caller.
    block = -1;
    slot = -1;
    if (NearlyEqual(radius, 0.0)) {
        if (g_pApp)
            g_pApp->ShowMessage(kMsgZeroArc, 1);
        return 0;
    }
    radius = std::fabs(radius);
    if (NearlyEqual(start, end) || NearlyEqual(std::fabs(start - end), 360.0))
        return AddCircleElement(doc, centre, radius, final, circleBlock, circleSlot);
    if (!doc || !doc->m_creationLog)
        return 0;
    doc->m_creationLog->AddArc(centre, radius, start, end, 1, block, slot, final, keep);
    return 1;
}

void JoinNewGroup(CZelkDoc* doc, CGroup* group, std::int16_t number, std::int16_t kind, std::int16_t block,
                  std::int16_t slot)
{
    if (!doc || !group || block < 0 || slot < 0)
        return;
    if (kind == ELEM_LINE) {
        if (CLine* e = doc->GetLineElem(block, slot))
            e->m_group = number;
    } else if (kind == ELEM_CIRCLE) {
        if (CCircle* e = doc->GetCircleElem(block, slot))
            e->m_group = number;
    } else if (kind == ELEM_ARC) {
        if (CArc* e = doc->GetArcElem(block, slot))
            e->m_group = number;
    }
    CElemRef member;
    member.Init(kind, block, slot, 1, 1);
    group->m_members.push_back(member);
}
