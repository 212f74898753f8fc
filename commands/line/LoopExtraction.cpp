// Taking closed loops out of the drawing: a pick starts a loop or joins an element to it, the
// unbranched chain of joined ends is followed, Enter closes the loop, and the loops are drawn
// over the drawing. The drawing's elements are only marked and redrawn; the loops are made of
// copies.
#include "commands/line/LoopCommand.h"

#include <vector>

#include "app/ZelkApp.h"
#include "commands/line/LoopMembers.h"
#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/ElementKinds.h"
#include "elements/Line.h"
#include "geometry/Numeric.h"
#include "input/ElemKey.h"
#include "input/PickList.h"

namespace {

// A loop of more members than this is not highlighted: drawing it would take too long.
constexpr int kMostDrawnMembers = 1000;

template <class Copy>
int AppendCopy(CPtrArray& copies, CPtrArray& refs, Copy* copy, const CElemRef& element)
{
    const int index = copies.Add(copy);
    auto* ref = new CElemRef;
    ref->Init(element.m_kind, element.m_block, element.m_slot, 1, 1);
    refs.Add(ref);
    return index;
}

} // namespace

CLine* CLoopCommand::MemberLine(const CElemKey& key) const
{
    if (key.kind != ELEM_LINE || key.index < 0 || key.index >= m_lineCopies.GetSize())
        return nullptr;
    return static_cast<CLine*>(m_lineCopies[key.index]);
}

CArc* CLoopCommand::MemberArc(const CElemKey& key) const
{
    const CPtrArray* copies = key.kind == ELEM_CIRCLE ? &m_circleCopies : key.kind == ELEM_ARC ? &m_arcCopies : nullptr;
    if (!copies || key.index < 0 || key.index >= copies->GetSize())
        return nullptr;
    return static_cast<CArc*>((*copies)[key.index]);
}

const CElemRef* CLoopCommand::MemberRef(const CElemKey& key) const
{
    const CPtrArray* refs = key.kind == ELEM_LINE     ? &m_lineRefs
                            : key.kind == ELEM_CIRCLE ? &m_circleRefs
                            : key.kind == ELEM_ARC    ? &m_arcRefs
                                                      : nullptr;
    if (!refs || key.index < 0 || key.index >= refs->GetSize())
        return nullptr;
    return static_cast<const CElemRef*>((*refs)[key.index]);
}

void CLoopCommand::ExtendLoopByPick()
{
    CZelkDoc* doc = m_doc;
    CElemRef picked;
    if (!doc || !doc->m_pickList || !doc->m_pickList->GetCurrent(picked))
        return;
    CPointD freeEnd;
    bool follow = false;
    if (m_extractState == 0 || m_extractState == 3) {
        m_extractState = 1;
        auto* loop = new COwnedPtrArray;
        m_loops.Add(loop);
        m_currentLoop = loop;
        auto* key = new CElemKey;
        loop->Add(key);
        const int position = doc->m_pickList->ClassifyPickPosition();
        // The loop runs away from the half that was clicked.
        const int away = position == 5 || position == 6 ? 1 : 0;
        if (picked.m_kind == ELEM_LINE) {
            if (CLine* line = doc->GetLineElem(picked.m_block, picked.m_slot)) {
                MarkLoopElement(doc, picked);
                const int index = AppendCopy(m_lineCopies, m_lineRefs, new CLine(*line), picked);
                key->Set(ELEM_LINE, static_cast<std::int16_t>(index), away);
                freeEnd = away ? line->m_start : line->m_end;
                follow = true;
            }
        } else if (picked.m_kind == ELEM_CIRCLE) {
            if (CCircle* circle = doc->GetCircleElem(picked.m_block, picked.m_slot)) {
                MarkLoopElement(doc, picked);
                const int index = AppendCopy(m_circleCopies, m_circleRefs, CircleAsArc(*circle), picked);
                key->Set(ELEM_CIRCLE, static_cast<std::int16_t>(index), 0);
            }
        } else if (picked.m_kind == ELEM_ARC) {
            if (CArc* arc = doc->GetArcElem(picked.m_block, picked.m_slot)) {
                MarkLoopElement(doc, picked);
                const int index = AppendCopy(m_arcCopies, m_arcRefs, new CArc(*arc), picked);
                key->Set(ELEM_ARC, static_cast<std::int16_t>(index), away);
                freeEnd = arc->KeyPoint(away ? -1 : -2);
                follow = true;
            }
        }
    } else {
        m_extractState = 2;
        if (m_loops.GetSize() == 0)
            return;
        m_currentLoop = static_cast<COwnedPtrArray*>(m_loops[m_loops.GetSize() - 1]);
        DrawLoop(2, m_currentLoop);
        follow = JoinPickedElement(freeEnd, *m_currentLoop, picked) && picked.m_kind != ELEM_CIRCLE;
    }

    if (follow) {
        std::vector<CElemRef> chain;
        doc->FollowChain(freeEnd, picked.m_kind, picked.m_block, picked.m_slot, chain);
        for (const CElemRef& e : chain) {
            const int closing = IsClosingElement(*m_currentLoop, e);
            // The chain names the end it reached an element at: 1 its end, travelled backwards.
            const int reached = e.m_extra == 1 ? 1 : 0;
            int index = -1;
            if (e.m_kind == ELEM_LINE) {
                if (const CLine* line = doc->GetLineElem(e.m_block, e.m_slot))
                    index = AppendCopy(m_lineCopies, m_lineRefs, new CLine(*line), e);
            } else if (e.m_kind == ELEM_ARC) {
                if (const CArc* arc = doc->GetArcElem(e.m_block, e.m_slot))
                    index = AppendCopy(m_arcCopies, m_arcRefs, new CArc(*arc), e);
            }
            if (index < 0)
                break;
            auto* key = new CElemKey;
            key->Set(e.m_kind, static_cast<std::int16_t>(index), reached);
            m_currentLoop->Add(key);
            if (closing)
                break;
        }
    }
    DrawLoop(3, m_currentLoop);
}

int CLoopCommand::IsClosingElement(const COwnedPtrArray& loop, const CElemRef& element) const
{
    CPointD ends[2];
    if (element.m_kind == ELEM_LINE) {
        const CLine* line = m_doc->GetLineElem(element.m_block, element.m_slot);
        if (!line)
            return 0;
        ends[0] = line->m_start;
        ends[1] = line->m_end;
    } else if (element.m_kind == ELEM_ARC) {
        const CArc* arc = m_doc->GetArcElem(element.m_block, element.m_slot);
        if (!arc)
            return 0;
        ends[0] = arc->KeyPoint(-1);
        ends[1] = arc->KeyPoint(-2);
    } else {
        return 0;
    }
    // A loop closes only on an entry met to a thousandth, though the chain links to a tenth.
    for (int k = 0; k < loop.GetSize(); ++k) {
        const CElemKey* key = loop.KeyAt(k);
        if (!key)
            continue;
        CTravelled m{ MemberLine(*key), MemberArc(*key), key->flag != 0 };
        if (!m.Valid())
            continue;
        const CPointD entry = m.Entry();
        if (PointsEqualWithinDecimals(ends[0], entry, 3) || PointsEqualWithinDecimals(ends[1], entry, 3))
            return 1;
    }
    return 0;
}

int CLoopCommand::CloseCurrentLoop()
{
    if (!m_currentLoop)
        return 0;
    DrawLoop(2, m_currentLoop);
    if (!CloseLoop())
        return 0;
    m_currentLoop = nullptr;
    return 1;
}

void CLoopCommand::DrawLoop(int mode, const COwnedPtrArray* loop)
{
    if (!loop || !m_doc || loop->GetSize() > kMostDrawnMembers)
        return;
    for (int k = 0; k < loop->GetSize(); ++k) {
        const CElemKey* key = loop->KeyAt(k);
        if (!key)
            continue;
        if (CLine* line = MemberLine(*key))
            m_doc->DrawWorkLineInViews(mode, line);
        else if (CArc* arc = MemberArc(*key))
            m_doc->DrawWorkArcInViews(mode, arc);
    }
    if (mode != 2)
        return;
    // The highlight was erased with the background: the drawing's own elements come back.
    for (int k = 0; k < loop->GetSize(); ++k) {
        const CElemKey* key = loop->KeyAt(k);
        const CElemRef* ref = key ? MemberRef(*key) : nullptr;
        if (!ref)
            continue;
        if (ref->m_kind == ELEM_LINE) {
            if (CLines* block = m_doc->LineBlockAt(ref->m_block))
                m_doc->DrawLineInViews(1, 1, block, ref->m_slot);
        } else if (ref->m_kind == ELEM_CIRCLE) {
            if (CCircles* block = m_doc->CircleBlockAt(ref->m_block))
                m_doc->DrawCircleInViews(1, 1, block, ref->m_slot);
        } else if (ref->m_kind == ELEM_ARC) {
            if (CArcs* block = m_doc->ArcBlockAt(ref->m_block))
                m_doc->DrawArcInViews(1, 1, block, ref->m_slot);
        }
    }
}

void CLoopCommand::DrawAllLoops(int normal)
{
    for (int i = 0; i < m_loops.GetSize(); ++i)
        DrawLoop(normal ? 2 : 4, static_cast<const COwnedPtrArray*>(m_loops[i]));
}
