// The circle and arc command's share of a left double click: in the radius-tangent modes a double
// click on the first element switches to the selected element's creation environment, so that
// the rounding circle takes that element's layer and pen; a double click on the second element
// after the rounding replaces it by its part cut back at the tangent point.
#include "commands/circle/CircleCommand.h"

#include <cstring>

#include "app/CreationEnvButton.h"
#include "app/ZelkApp.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/ElementKinds.h"
#include "commands/line/LineCommand.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"

void CCircleCommand::RestoreSavedLayerCondition()
{
    if (!g_pApp)
        return;
    switch (g_pApp->m_savedLayerCondition) {
    case 0:
        g_pApp->SetLayerCondCurrent();
        break;
    case 1:
        g_pApp->SetLayerCondSame();
        break;
    default:
        g_pApp->SetLayerCondNew();
        break;
    }
}

void CCircleCommand::AddCutBack(const CElemRef& ref, CPointD start, CPointD end, int joinGroup)
{
    CZelkDoc* doc = m_doc;
    CZelkApp* app = g_pApp;
    const std::int16_t writeLayer = doc->m_writeLayer;
    const int condition = app ? app->m_appElem.m_layerCondition : 0;
    // The same layer condition keeps the adding service from opening a new layer.
    if (app)
        app->m_appElem.m_layerCondition = 1;
    std::int16_t block = -1, slot = -1;
    if (ref.m_kind == ELEM_LINE) {
        const CLine old = *doc->GetLineElem(ref.m_block, ref.m_slot);
        doc->m_writeLayer = old.m_layer;
        AddLine(start, end, block, slot, 1, 1);
        if (joinGroup && old.m_group != -1 && doc->m_lineCmd)
            doc->m_lineCmd->AddLineToSourceGroup(ref.m_block, ref.m_slot, block, slot);
    } else {
        const CArc old = *doc->GetArcElem(ref.m_block, ref.m_slot);
        doc->m_writeLayer = old.m_layer;
        CPointD range;
        range.Init(PointsAngleDeg(old.m_centre, start), PointsAngleDeg(old.m_centre, end));
        NormalizeArcAnglesDeg(range);
        if (AddArc(old.m_centre, old.m_radius, range.m_x, range.m_y, block, slot, 1, 1) && joinGroup &&
            old.m_group != -1 && doc->m_circleCmd)
            doc->m_circleCmd->AddArcToSourceGroup(&old, block, slot);
    }
    doc->m_writeLayer = writeLayer;
    if (app)
        app->m_appElem.m_layerCondition = condition;
}

void CCircleCommand::OnDoubleClick()
{
    // The double click followed a pick the command refused.
    if (m_refusalNote) {
        m_refusalNote = 0;
        return;
    }
    int n = GetLastTokenIndex();
    if (m_macroFlag && m_tokenString == "D" &&
        (m_macroPattern == "DLL" || m_macroPattern == "DLC" || m_macroPattern == "DCL" || m_macroPattern == "DCC"))
        n = 2;
    CZelkApp* app = g_pApp;
    if (n == 1) {
        if (m_pickedRefs[0].m_kind == ELEM_CIRCLE || !app)
            return;
        m_stepOptions[1] = 1;
        app->m_savedLayerCondition = app->m_appElem.m_layerCondition;
        app->SetLayerCondSame();
        m_savedCreationMode = static_cast<std::int16_t>(app->m_appElem.m_creationEnv);
        app->m_appElem.m_creationEnv = 1;
        ShowCreationEnvButton(*app);
        app->m_atrElem.ApplyPen();
        app->m_atrElem.ApplyText();
        app->ShowResultMessage(" [同レイヤ] [選択要素の環境で作成する] モードに切り替えました", 0);
        return;
    }
    if (n != 0 && n != 2)
        return;
    CZelkDoc* doc = m_doc;
    const CElemRef ref = m_pickedRefs[1];
    // Used once: a repeated double click finds the points equal and replaces nothing again.
    const CPointD newStart = m_tangentPoints[1];
    const CPointD newEnd = m_tangentPoints[3];
    m_tangentPoints[1] = CPointD();
    m_tangentPoints[3] = CPointD();
    if ((ref.m_kind == ELEM_LINE || ref.m_kind == ELEM_ARC) && !PointsNearlyEqual(newStart, newEnd) &&
        RetireElement(ref.m_kind, ref.m_block, ref.m_slot)) {
        AddCutBack(ref, newStart, newEnd, 1);
        doc->RedrawChangedElements(1);
        doc->m_undoHistory->Commit(3);
        if (ref.m_kind == ELEM_LINE) {
            RestoreCreationMode();
            RestoreSavedLayerCondition();
        }
    }
    ClearStepOptions(0);
}

void CCircleCommand::UndoClickBeforeDoubleClick()
{
    if (!m_pickFlag && !m_circleCentreFlag)
        return;
    const int n = m_tokenString.GetLength();
    if (n == 0 || std::strchr("LCP%#", m_tokenString[n - 1]) == nullptr)
        return;
    if (g_pApp)
        g_pApp->ShowMessage("", 0);
    StepBack(0);
}
