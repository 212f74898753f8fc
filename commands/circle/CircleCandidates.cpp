// The circle command's additions to the drawing and the cycling through the solutions of a
// construction with several: each shown solution replaces the previous one in the creation log.
// Degenerate elements are refused here, so that no construction adds one.
#include "commands/circle/CircleCommand.h"

#include <cmath>

#include "app/ZelkApp.h"
#include "commands/circle/ElementAdding.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "input/PointPair.h"

namespace {

const char* const kMsgOnlyCandidate = "。 円(弧)を作成しました。";
const char* const kMsgFirstCandidate =
    " ････ 円(弧)を作成しました。キー [Q] [Shift]+[Q] で他の円(弧)に切り替えができます。";
const char* const kMsgOtherCandidate = "円(弧)を作成しました。キー [Q] [Shift]+[Q] で他の円(弧)に切り替えができます。";

// A radius beyond this is no drawable solution.
constexpr double kLargestCandidateRadius = 100000.0;

} // namespace

int CCircleCommand::AddCircle(CPointD centre, double radius, int final)
{
    if (!m_showingCandidate)
        ClearCandidates();
    return AddCircleElement(m_doc, centre, radius, final, m_editBlock, m_editSlot);
}

int CCircleCommand::AddArc(CPointD centre, double radius, double start, double end, std::int16_t& block,
                           std::int16_t& slot, int final, int keep)
{
    if (!m_showingCandidate)
        ClearCandidates();
    return AddArcElement(m_doc, centre, radius, start, end, block, slot, final, keep, m_editBlock, m_editSlot);
}

int CCircleCommand::AddLine(CPointD first, CPointD second, std::int16_t& block, std::int16_t& slot, int final,
                            int keep)
{
    // As with an arc: a refused line leaves no position a caller could take for it.
    block = -1;
    slot = -1;
    ClearCandidates();
    if (PointsNearlyEqual(first, second))
        return 0;
    CZelkDoc* doc = m_doc;
    doc->SetBasePoint(second, doc->WorldToRelative(second));
    OrderPoints(first, second);
    // Only the new layer applies here: the element layer is no write layer of the circle command.
    CLayerStep layer(doc, -1);
    doc->m_creationLog->AddLine(first, second, 1, block, slot, final, keep);
    layer.Finish(0);
    return 1;
}

void CCircleCommand::StartEditOfAddedCircle()
{
    m_tokenString += "%";
    m_editClass = 1;
}

int CCircleCommand::ShowCandidate()
{
    const int n = static_cast<int>(m_candidates.GetSize());
    if (n == 0)
        return 0;
    if (m_candidateIndex < 0)
        m_candidateIndex = n - 1;
    while (m_candidateIndex >= n)
        m_candidateIndex -= n;
    const auto* candidate = static_cast<const CPointPair*>(m_candidates[m_candidateIndex]);
    const double radius = candidate->value2;
    if (radius > kLargestCandidateRadius || radius == 0.0)
        return 0;
    m_showingCandidate = 1;
    std::int16_t block = -1;
    std::int16_t slot = -1;
    const int added = m_circleFlag == 1
                          ? AddCircle(candidate->point1, radius, 1)
                          : AddArc(candidate->point1, radius, candidate->point2.m_x, candidate->point2.m_y, block, slot, 1, 0);
    m_showingCandidate = 0;
    if (!added)
        return 0;
    if (g_pApp) {
        if (n == 1)
            g_pApp->ShowResultMessage(kMsgOnlyCandidate, 0);
        else if (m_candidateIndex == 0)
            g_pApp->ShowResultMessage(kMsgFirstCandidate, 0);
        else
            g_pApp->ShowMessage(kMsgOtherCandidate, 0);
    }
    return 1;
}
