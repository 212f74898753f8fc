// Runs of joined lines turned into arc-approximation curves: picks start a run, extend it along a
// branch or cut it back, the drawing follows the run over bends within the angle limit, and the
// conversion lays an arc through every three consecutive vertices in place of the lines.
#include "commands/line/LoopCommand.h"

#include <algorithm>
#include <vector>

#include "app/ZelkApp.h"
#include "commands/circle/ElementAdding.h"
#include "commands/line/LoopMembers.h"
#include "document/CreationLog.h"
#include "document/UndoHistory.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Line.h"
#include "elements/Lines.h"
#include "elements/TypePen.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "geometry/Transforms.h"
#include "input/ElemKey.h"
#include "input/PickList.h"

namespace {

constexpr COLORREF kRunPenColour = RGB(0, 128, 128);
constexpr int kUndoConverted = 3;

void Say(const char* text, int beep)
{
    if (g_pApp)
        g_pApp->ShowMessage(text, beep);
}

void RedrawActive()
{
    if (g_pApp)
        g_pApp->RedrawActiveView();
}

// The run's element list says which end of a line travel entered: 1 its end, 2 its start.
CElemRef RunEntry(const CElemRef& picked, bool reversed)
{
    CElemRef e;
    e.Init(ELEM_LINE, picked.m_block, picked.m_slot, 1, 1);
    e.m_extra = reversed ? 1 : 2;
    return e;
}

bool SameElement(const CElemRef& a, const CElemRef& b)
{
    return a.m_kind == b.m_kind && a.m_block == b.m_block && a.m_slot == b.m_slot;
}

// Keeps the first `lines` lines of the run: later members go with their copies and references,
// and the two lists are cut to match.
void CutRunTo(CLoopCommand& c, COwnedPtrArray& loop, int lines)
{
    int firstCopy = c.m_lineCopies.GetSize();
    for (int k = lines; k < loop.GetSize(); ++k)
        if (const CElemKey* key = loop.KeyAt(k); key && key->kind == ELEM_LINE)
            firstCopy = std::min(firstCopy, static_cast<int>(key->index));
    loop.TruncateFrom(lines);
    for (int i = c.m_lineCopies.GetSize() - 1; i >= firstCopy; --i) {
        delete static_cast<CLine*>(c.m_lineCopies[i]);
        c.m_lineCopies.RemoveAt(i);
        if (i < c.m_lineRefs.GetSize()) {
            delete static_cast<CElemRef*>(c.m_lineRefs[i]);
            c.m_lineRefs.RemoveAt(i);
        }
    }
    if (static_cast<int>(c.m_runElems.size()) > lines)
        c.m_runElems.resize(static_cast<std::size_t>(lines));
    if (static_cast<int>(c.m_runVertices.size()) > lines + 1)
        c.m_runVertices.resize(static_cast<std::size_t>(lines + 1));
}

} // namespace

void CLoopCommand::PickLineRunElement()
{
    CZelkDoc* doc = m_doc;
    CElemRef picked;
    if (!doc || !doc->m_pickList || !doc->m_pickList->GetCurrent(picked))
        return;
    if (picked.m_kind != ELEM_LINE) {
        doc->m_pickList->ClearMarks(2);
        RedrawActive();
        Say("連続線分列の「線分」を指定してください。", 1);
        return;
    }
    const CLine* line = doc->GetLineElem(picked.m_block, picked.m_slot);
    if (!line)
        return;
    const int position = doc->m_pickList->ClassifyPickPosition();
    MarkLoopElement(doc, picked);

    if (m_extractState == 0 || m_extractState == 3) {
        m_extractState = 1;
        auto* loop = new COwnedPtrArray;
        m_loops.Add(loop);
        m_currentLoop = loop;
        // The run goes on where another line joins, away from the clicked half when both ends
        // are joined or neither is.
        bool reversed;
        if (position == 5 || position == 6)
            reversed = doc->IsLineEndShared(line->m_start, picked.m_block, picked.m_slot) != 0;
        else
            reversed = doc->IsLineEndShared(line->m_end, picked.m_block, picked.m_slot) == 0;
        const int index = m_lineCopies.Add(new CLine(*line));
        m_lineRefs.Add(new CElemRef(RunEntry(picked, false)));
        m_runElems.push_back(RunEntry(picked, reversed));
        auto* key = new CElemKey;
        key->Set(ELEM_LINE, static_cast<std::int16_t>(index), reversed ? 1 : 0);
        loop->Add(key);
        m_runVertices.clear();
        m_runVertices.push_back(reversed ? line->m_end : line->m_start);
        m_runVertices.push_back(reversed ? line->m_start : line->m_end);
    } else {
        m_extractState = 2;
        if (m_loops.GetSize() == 0)
            return;
        m_currentLoop = static_cast<COwnedPtrArray*>(m_loops[m_loops.GetSize() - 1]);
        DrawLoop(2, m_currentLoop);
        CPointD runEnd;
        int shortened = 0;
        if (!ExtendOrShortenLineRun(*m_currentLoop, picked, runEnd, shortened))
            return;
        if (shortened) {
            RedrawActive();
            return;
        }
        bool reversed;
        if (PointsEqualWithinDecimals(line->m_start, runEnd, 1))
            reversed = false;
        else if (PointsEqualWithinDecimals(line->m_end, runEnd, 1))
            reversed = true;
        else {
            RedrawActive();
            Say("抽出した連続線分列の進行方向に端点接続している線分を指定してください。", 1);
            return;
        }
        const int index = m_lineCopies.Add(new CLine(*line));
        m_lineRefs.Add(new CElemRef(RunEntry(picked, false)));
        m_runElems.push_back(RunEntry(picked, reversed));
        auto* key = new CElemKey;
        key->Set(ELEM_LINE, static_cast<std::int16_t>(index), reversed ? 1 : 0);
        m_currentLoop->Add(key);
        m_runVertices.push_back(reversed ? line->m_start : line->m_end);
    }

    doc->FollowCollinearChain(m_runVertices.back(), picked.m_block, picked.m_slot, m_runVertices);
    RedrawActive();
    ShowGuidance();
}

int CLoopCommand::ExtendOrShortenLineRun(COwnedPtrArray& loop, const CElemRef& picked, CPointD& runEnd,
                                         int& shortened)
{
    shortened = 0;
    auto exitOf = [this](const CElemKey& key, CPointD& out) {
        const CLine* copy = MemberLine(key);
        if (!copy)
            return false;
        out = key.flag ? copy->m_start : copy->m_end;
        return true;
    };
    const int count = std::min(static_cast<int>(m_runElems.size()), loop.GetSize());
    for (int i = count - 1; i >= 0; --i) {
        if (!SameElement(m_runElems[static_cast<std::size_t>(i)], picked))
            continue;
        const CElemKey* key = loop.KeyAt(i);
        if (!key || !exitOf(*key, runEnd))
            return 0;
        CutRunTo(*this, loop, i + 1);
        shortened = 1;
        return 1;
    }

    if (picked.m_kind != ELEM_LINE)
        return 0;
    const CLine* line = m_doc->GetLineElem(picked.m_block, picked.m_slot);
    if (!line)
        return 0;
    for (int k = loop.GetSize() - 1; k >= 0; --k) {
        const CElemKey* key = loop.KeyAt(k);
        CPointD exit;
        if (!key || key->kind != ELEM_LINE || !exitOf(*key, exit))
            return 0;
        if (k == loop.GetSize() - 1)
            runEnd = exit;
        // A line that meets an earlier exit branches the run there: what follows is cut off.
        for (const CPointD& end : { line->m_start, line->m_end }) {
            if (PointsEqualWithinDecimals(exit, end, 1)) {
                runEnd = end;
                CutRunTo(*this, loop, k + 1);
                return 1;
            }
        }
    }
    Say("指定要素は選択済みのリンクと進行方向の接合点を持ちません", 1);
    return 1;
}

int CLoopCommand::MakeArcCurve()
{
    CZelkDoc* doc = m_doc;
    CZelkApp* app = g_pApp;
    const int n = static_cast<int>(m_runElems.size());
    if (!doc || !app || !doc->m_creationLog || n < 2 || static_cast<int>(m_runVertices.size()) != n + 1)
        return 0;
    const CElemRef& first = m_runElems.front();
    const CLine* firstLine = doc->GetLineElem(first.m_block, first.m_slot);
    const CLines* firstBlock = doc->LineBlockAt(first.m_block);
    const CTypePen* runPen = firstBlock ? doc->GetPen(firstBlock->m_pen) : nullptr;
    if (!firstLine || !runPen)
        return 0;
    std::int16_t groupNumber = -1;
    CGroup* group = doc->m_creationLog->AddGroup(1, groupNumber, 1, 0);
    if (!group)
        return 0;
    const int condition = app->m_appElem.m_layerCondition;
    CLayerStep layer(doc, firstLine->m_layer);

    const std::int16_t penIndex = doc->FindOrAddPen(runPen->m_lineType, runPen->m_width, kRunPenColour,
                                                    runPen->m_blurCount, runPen->m_blurRate);
    CAppElem& settings = app->m_appElem;
    const int savedBlurMode = settings.m_blurMode;
    settings.SavePen();
    if (const CTypePen* pen = doc->GetPen(penIndex)) {
        settings.m_lineType = pen->m_lineType;
        settings.m_lineWidth = pen->m_width;
        settings.SetPenFromTypePen(*pen);
        settings.m_blurMode = pen->m_blurCount != 0 ? 1 : 0;
    }

    const std::vector<CPointD>& v = m_runVertices;
    for (int i = 0; i + 2 <= n; ++i) {
        // The last arc runs on to the run's end, so that no segment is left over.
        const bool last = i == n - 2;
        const CPointD& p1 = v[static_cast<std::size_t>(i)];
        const CPointD& p2 = v[static_cast<std::size_t>(i + 1)];
        const CPointD& p3 = v[static_cast<std::size_t>(i + 2)];
        CPointD centre;
        double radius = 0.0, a1 = 0.0, a2 = 0.0, a3 = 0.0;
        int ccw = 0;
        std::int16_t block = -1, slot = -1;
        if (ArcThrough3Points(p1, p2, p3, centre, radius, a1, a2, a3, ccw)) {
            const double to = last ? a3 : a2;
            double start = ccw ? a1 : to;
            double end = ccw ? to : a1;
            NormalizeArcAnglesDeg(start, end);
            doc->m_creationLog->AddArc(centre, radius, start, end, 1, block, slot, 1, 1);
            JoinNewGroup(doc, group, groupNumber, ELEM_ARC, block, slot);
        } else {
            doc->m_creationLog->AddLine(p1, last ? p3 : p2, 1, block, slot, 1, 1);
            JoinNewGroup(doc, group, groupNumber, ELEM_LINE, block, slot);
        }
    }

    for (const CElemRef& e : m_runElems) {
        if (CLine* line = doc->GetLineElem(e.m_block, e.m_slot)) {
            line->ClearMarkBits(2);
            doc->DeleteElement(ELEM_LINE, e.m_block, e.m_slot);
        }
    }
    if (doc->m_undoHistory)
        doc->m_undoHistory->Commit(kUndoConverted);
    Say("連続直線列を円弧近似曲線に変換しました。", 0);
    FreeLoops();
    if (condition == 2) {
        doc->UpdateAndPaintAllViews();
        Say("新レイヤに作成モードで新レイヤを作り、連続直線列を円弧近似曲線に変換しました。", 0);
    } else {
        layer.Finish();
    }
    // The run's pen was only borrowed: the user's creation pen comes back in every environment.
    settings.RestorePen();
    settings.m_blurMode = savedBlurMode;
    m_tokenString = "A";
    m_extractState = 0;
    return 1;
}
