// What the point command makes of a complete pattern: a single point, the points that divide two
// points, a line or a circle or arc into equal parts, and the moving of a point element. Every
// point goes through the creation log; the caller commits the undo step.
#include "commands/line/PointCommand.h"

#include <cmath>

#include "app/CreationEnvButton.h"
#include "app/ZelkApp.h"
#include "commands/circle/CountOf.h"
#include "document/CreationLog.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/DataPoint.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "geometry/ElemRef.h"

namespace {

const char* const kMsgSelectedEnv = "選択要素の環境で作成するモードに切り替えました";
const char* const kMsgNewLayer = "新レイヤに作成モードで新レイヤを作りました";

int LayerCondition()
{
    return g_pApp ? g_pApp->m_appElem.m_layerCondition : 0;
}

} // namespace

int CPointCommand::Execute()
{
    const CString& t = m_tokenString;
    if (t.IsEmpty())
        return 0;
    CUndoHistory* undo = m_doc->m_undoHistory;
    auto commit = [&](int kind) {
        if (undo)
            undo->Commit(kind);
        return 1;
    };
    if (m_editFlag == 0) {
        if (t == "P") {
            AddSinglePoint(0, 1, 1);
            return commit(1);
        }
        if (t == "NPP") {
            DivideBetweenPoints(1);
            return commit(1);
        }
        if (t == "NL") {
            DivideLine(1);
            return commit(1);
        }
        if (t == "NC") {
            DivideCircleOrArc(1);
            return commit(1);
        }
        if (t != "N" && t != "NP")
            m_tokenString.Empty();
        return 0;
    }
    if (t == "#") {
        // The moved point is made with the moved element's settings.
        CZelkApp* app = g_pApp;
        if (!app)
            return 0;
        m_savedCreationMode = app->m_appElem.m_creationEnv;
        app->m_appElem.m_creationEnv = 1;
        ShowCreationEnvButton(*app);
        app->m_atrElem.ApplyPen();
        app->m_atrElem.ApplyText();
        app->ShowMessage(kMsgSelectedEnv, 0);
        return 0;
    }
    if (t == "#P") {
        MovePoint(1);
        return commit(3);
    }
    return 0;
}

// With the new-layer condition a new layer becomes the write layer; the answer says so.
int CPointCommand::SwitchToLayer(std::int16_t elementLayer)
{
    CZelkDoc* doc = m_doc;
    const int condition = LayerCondition();
    if (condition == 2) {
        doc->m_writeLayer = doc->FindOrCreateLayer(CString());
        return 1;
    }
    if (condition == 1 && elementLayer >= 0)
        doc->m_writeLayer = elementLayer;
    return 0;
}

// A new layer stays the write layer; otherwise the one before comes back.
void CPointCommand::AfterLayer(int newLayer, std::int16_t saved)
{
    CZelkDoc* doc = m_doc;
    if (newLayer) {
        doc->UpdateAndPaintAllViews();
        if (g_pApp)
            g_pApp->ShowMessage(kMsgNewLayer, 0);
        return;
    }
    doc->m_writeLayer = saved;
    doc->RedrawChangedElements(1);
}

int CPointCommand::AddSinglePoint(int record, int log, int keep)
{
    CZelkDoc* doc = m_doc;
    if (record < 0 || record >= kPositions || !doc->m_creationLog)
        return 0;
    const std::int16_t saved = doc->m_writeLayer;
    const int newLayer = SwitchToLayer(-1);
    std::int16_t block = -1, slot = -1;
    doc->m_creationLog->AddPoint(m_inputPoints[record].GetEffective(doc, 1), 1, block, slot, log, keep);
    AfterLayer(newLayer, saved);
    return block >= 0 ? 1 : 0;
}

template <class PointOf>
int CPointCommand::AddDivision(int log, PointOf pointOf)
{
    CZelkDoc* doc = m_doc;
    if (!doc->m_creationLog)
        return 0;
    int n = CountOf(m_values[0].value);
    if (n == 0)
        n = 1;
    const std::int16_t saved = doc->m_writeLayer;
    const int newLayer = SwitchToLayer(-1);
    // A negative count makes nothing; the step still counts as run.
    for (int i = 0; i <= n; ++i) {
        std::int16_t block = -1, slot = -1;
        doc->m_creationLog->AddPoint(pointOf(i, n), 1, block, slot, log, 1);
        // The drawing refused the point: the rest would be refused too.
        if (block < 0)
            break;
    }
    AfterLayer(newLayer, saved);
    return 1;
}

namespace {

CPointD Between(CPointD a, CPointD b, int i, int n)
{
    CPointD p;
    p.Init(a.m_x + i * ((b.m_x - a.m_x) / n), a.m_y + i * ((b.m_y - a.m_y) / n));
    return p;
}

} // namespace

int CPointCommand::DivideBetweenPoints(int log)
{
    const CPointD a = m_inputPoints[1].GetEffective(m_doc, 1);
    const CPointD b = m_inputPoints[2].GetEffective(m_doc, 1);
    return AddDivision(log, [&](int i, int n) { return Between(a, b, i, n); });
}

int CPointCommand::DivideLine(int log)
{
    const CLine& line = m_pickedLines[1];
    return AddDivision(log, [&](int i, int n) { return Between(line.m_start, line.m_end, i, n); });
}

int CPointCommand::DivideCircleOrArc(int log)
{
    const CArc& arc = m_pickedArcs[1];
    const double start = arc.m_startAngle;
    // An arc through 0° is stored with its end below its start: it is divided along its own
    // counterclockwise sweep.
    const double end = arc.m_endAngle < start ? arc.m_endAngle + 360.0 : arc.m_endAngle;
    return AddDivision(log, [&](int i, int n) { return arc.PointAtAngle(start + i * ((end - start) / n)); });
}

void CPointCommand::DeleteMovedPoint()
{
    CZelkDoc* doc = m_doc;
    CDataPoint* old = doc->GetPointElem(m_editBlock, m_editSlot);
    if (!old)
        return;
    if (doc->m_undoHistory)
        doc->m_undoHistory->RecordChange(2, ELEM_POINT, m_editBlock, m_editSlot, old->m_state);
    old->m_state = 0x88;
    old->m_mark = static_cast<std::uint8_t>(old->m_mark & ~MARK_SELECTED);
    doc->RedrawChangedElements(1);
}

int CPointCommand::CopyGroupMembership(const CDataPoint& old, std::int16_t block, std::int16_t slot)
{
    CZelkDoc* doc = m_doc;
    if (old.m_group == -1)
        return 0;
    CGroup* group = doc->GetGroup(old.m_group);
    CDataPoint* moved = doc->GetPointElem(block, slot);
    if (!group || !moved)
        return 0;
    moved->m_group = old.m_group;
    moved->m_role = old.m_role;
    CElemRef member;
    member.Init(ELEM_POINT, block, slot, 1, 1);
    group->m_members.push_back(member);
    return 1;
}

int CPointCommand::MovePoint(int log)
{
    CZelkDoc* doc = m_doc;
    const CDataPoint* old = doc->GetPointElem(m_editBlock, m_editSlot);
    if (!old || !doc->m_creationLog)
        return 0;
    DeleteMovedPoint();
    const CPointD to = m_inputPoints[1].GetEffective(doc, 1);
    const std::int16_t saved = doc->m_writeLayer;
    const int newLayer = SwitchToLayer(old->m_layer);
    std::int16_t block = -1, slot = -1;
    doc->m_creationLog->AddPoint(to, 1, block, slot, log, 0);
    AfterLayer(newLayer, saved);
    if (block >= 0)
        CopyGroupMembership(*old, block, slot);
    return 1;
}
