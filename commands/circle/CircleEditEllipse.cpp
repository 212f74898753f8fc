// A circle or arc turned into an ellipse or elliptic arc, and an ellipse turned into a group
// of arcs through its polyline points.
#include "commands/circle/CircleCommand.h"

#include <cmath>

#include "app/ZelkApp.h"
#include "commands/circle/CircleEdit.h"
#include "document/CreationLog.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/Arcs.h"
#include "elements/Conics.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Lines.h"
#include "elements/TypePen.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "geometry/Projections.h"
#include "geometry/Transforms.h"

namespace {

const char* const kMsgRatioOne = "楕円の比率が1なので円を楕円に変換するのは中止しました";
const char* const kMsgRatioZero = "楕円の比率が零なので円を楕円に変換するのは中止しました";
const char* const kMsgAxisZero = "楕円の片軸の寸法が零なので円を楕円に変換するのは中止しました";
const char* const kMsgBadPassPoint = "通過点の位置が不適当なので円を楕円に変換するのは中止しました";
const char* const kMsgArcCurve = "楕円(弧)を円弧近似曲線に変換しました。";
const char* const kMsgArcCurveNewLayer = "新レイヤに作成モードで新レイヤを作り、楕円(弧)を円弧近似曲線に変換しました。";
constexpr COLORREF kArcCurveColour = 0x808000;

void Refuse(const char* message)
{
    if (g_pApp)
        g_pApp->ShowMessage(message, 1);
}

} // namespace

// The edited circle (arc 0) or arc becomes a conic with the given ratio of the half-axis across
// the axis angle to the radius. The dispatch retires the edited element afterwards.
int CCircleCommand::ConvertToEllipse(int arc, double ratio, double axis, int final)
{
    const CCircle* circle = arc ? nullptr : EditedCircle();
    const CArc* edited = arc ? EditedArc() : nullptr;
    if (!circle && !edited)
        return 0;
    if (NearlyEqual(ratio, 1)) {
        Refuse(kMsgRatioOne);
        return 0;
    }
    if (NearlyEqual(ratio, 0)) {
        Refuse(kMsgRatioZero);
        return 0;
    }
    const CCircle source = circle ? *circle : CCircle(*edited);
    const CArc arcSource = edited ? *edited : CArc();
    double major = source.m_radius;
    double tilt = axis;
    if (ratio > 1) {
        major = source.m_radius * ratio;
        ratio = 1 / ratio;
        tilt = axis + 90;
    }
    CPointD range;
    range.Init(0, 360);
    if (edited)
        range.Init(edited->m_startAngle, edited->m_endAngle);
    const std::int16_t layer = edited ? edited->m_layer : circle->m_layer;
    EditLayerPen saved;
    BeginLayerAndPen(saved, layer, EditedPen(*m_doc, edited ? ELEM_ARC : ELEM_CIRCLE, m_editBlock));
    std::int16_t block = -1;
    std::int16_t slot = -1;
    m_doc->m_creationLog->AddConic(source.m_centre, major, ratio, range, tilt, final == 1 ? 1 : 2, block, slot,
                                   final, 0);
    EndLayerAndPen(saved);
    // Without the conic the dispatch must not go on to retire the element it was to replace.
    if (block < 0)
        return 0;
    if (edited)
        AddConicToSourceArcGroup(&arcSource, block, slot);
    else
        AddConicToSourceCircleGroup(&source, block, slot);
    return 1;
}

int CCircleCommand::EllipseThroughPoint(int arc, int final)
{
    ClearCandidates();
    const CCircle* circle = arc ? nullptr : EditedCircle();
    const CArc* edited = arc ? EditedArc() : nullptr;
    if (!circle && !edited)
        return 0;
    const CPointD centre = circle ? circle->m_centre : edited->m_centre;
    const double radius = circle ? circle->m_radius : edited->m_radius;
    const double axis = m_values[1].value;
    m_doc->m_previewAngle = axis;
    const CPointD pass = m_inputPoints[2].GetEffective(m_doc, 1);
    CPointD full;
    full.Init(0, 360);
    const CPointD onAxis = CArc(centre, radius, full).PointAtAngle(axis);
    CPointD foot;
    double d = 0;
    FootOfPerpendicular(centre, onAxis, pass, foot, d);
    if (NearlyEqual(d, 0)) {
        Refuse(kMsgAxisZero);
        return 0;
    }
    const double x = Distance(centre, foot);
    const double h = x < radius ? std::sqrt(radius * radius - x * x) : 0;
    if (x >= radius || NearlyEqual(h, 0)) {
        Refuse(kMsgBadPassPoint);
        return 0;
    }
    return ConvertToEllipse(arc, std::fabs(d) / h, axis, final);
}

int CCircleCommand::EllipseByRatio(int arc, int final)
{
    ClearCandidates();
    if (arc ? !EditedArc() : !EditedCircle())
        return 0;
    const double axis = m_values[1].value;
    m_doc->m_previewAngle = axis;
    return ConvertToEllipse(arc, std::fabs(m_values[2].value), axis, final);
}

int CCircleCommand::CircleToEllipseThroughPoint(int final)
{
    return EllipseThroughPoint(0, final);
}

int CCircleCommand::ArcToEllipticArcThroughPoint(int final)
{
    return EllipseThroughPoint(1, final);
}

int CCircleCommand::CircleToEllipseByRatio(int final)
{
    return EllipseByRatio(0, final);
}

int CCircleCommand::ArcToEllipticArcByRatio(int final)
{
    return EllipseByRatio(1, final);
}

int CCircleCommand::ConvertConicToArcCurve(int final)
{
    ClearCandidates();
    if (m_editClass != -1 || !m_doc)
        return 0;
    CConics* conics = BlockOf<CConics>(m_doc->m_conicBlocks, m_editBlock, m_editSlot);
    if (!conics)
        return 0;
    CConic& conic = conics->m_slots[m_editSlot];
    const std::vector<CPointD> points = conic.m_polyline;
    const int n = static_cast<int>(points.size());
    // Too few points for one piece: nothing would take the ellipse's place.
    if (n < 3)
        return 0;
    const CTypePen* conicPen = EditedPen(*m_doc, ELEM_CONIC, m_editBlock);
    if (!conicPen)
        return 0;
    std::int16_t groupIndex = -1;
    CGroup* group = m_doc->m_creationLog->AddGroup(1, groupIndex, 0, 1);
    if (!group)
        return 0;
    group->m_kind = 0;

    const int condition = g_pApp ? g_pApp->m_appElem.m_layerCondition : 0;
    EditLayerPen saved;
    BeginLayerAndPen(saved, conic.m_layer, nullptr);
    const std::int16_t pen = m_doc->FindOrAddPen(conicPen->m_lineType, conicPen->m_width, kArcCurveColour,
                                                 conicPen->m_blurCount, conicPen->m_blurRate);
    if (g_pApp && pen >= 0 && pen < m_doc->m_pens.GetSize()) {
        const auto* typePen = static_cast<const CTypePen*>(m_doc->m_pens[pen]);
        g_pApp->m_appElem.SavePen();
        g_pApp->m_appElem.SetPenFromTypePen(*typePen);
        g_pApp->m_appElem.m_blurMode = typePen->m_blurCount != 0 ? 1 : 0;
    }

    for (int i = 0; i + 2 < n; ++i) {
        const bool last = i == n - 3;
        const CPointD& a = points[i];
        const CPointD& b = points[i + 1];
        const CPointD& c = points[i + 2];
        CPointD centre;
        double radius = 0, angleA = 0, angleB = 0, angleC = 0;
        int ccw = 0;
        std::int16_t block = -1;
        std::int16_t slot = -1;
        std::int16_t kind = ELEM_ARC;
        if (ArcThrough3Points(a, b, c, centre, radius, angleA, angleB, angleC, ccw)) {
            const double far = last ? angleC : angleB;
            double start = ccw == 1 ? angleA : far;
            double end = ccw == 1 ? far : angleA;
            NormalizeArcAnglesDeg(start, end);
            m_doc->m_creationLog->AddArc(centre, radius, start, end, 1, block, slot, final, 1);
            if (CArcs* arcs = BlockOf<CArcs>(m_doc->m_arcBlocks, block, slot))
                arcs->m_slots[slot].m_group = groupIndex;
        } else {
            kind = ELEM_LINE;
            m_doc->m_creationLog->AddLine(a, last ? c : b, 1, block, slot, 1, 1);
            if (CLines* lines = BlockOf<CLines>(m_doc->m_lineBlocks, block, slot))
                lines->m_slots[slot].m_group = groupIndex;
        }
        if (block < 0)
            continue;
        CElemRef ref;
        ref.Init(kind, block, slot, STATE_LIVE, 1);
        group->m_members.push_back(ref);
    }

    const std::uint8_t oldState = conic.m_state;
    conic.ClearMarkBits(MARK_SELECTED);
    m_doc->m_undoHistory->RecordChange(2, ELEM_CONIC, m_editBlock, m_editSlot, oldState);
    conic.m_state = STATE_DELETED | STATE_REDRAW;
    m_doc->m_undoHistory->Commit(3);
    if (g_pApp)
        g_pApp->ShowMessage(kMsgArcCurve, 0);
    if (condition == 2) {
        m_doc->UpdateAndPaintAllViews();
        if (g_pApp)
            g_pApp->ShowMessage(kMsgArcCurveNewLayer, 0);
    } else {
        m_doc->m_writeLayer = saved.writeLayer;
        m_doc->RedrawChangedElements(1);
    }
    if (g_pApp && g_pApp->m_appElem.m_creationEnv == 1)
        g_pApp->m_appElem.RestorePen();
    AddGroupToSourceConicGroup(&conic, groupIndex);
    return 1;
}
