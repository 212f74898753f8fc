// The element a pick gave a token position, kept by the point and loop commands alike: a line
// for "L"/"l", a circle (as 0 to 360 degrees) or arc for "C"/"c", with the cursor point of the
// pick and where it lies along the element. A point pick ("p") keeps nothing.
#pragma once

#include <iterator>

#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/ElementKinds.h"
#include "elements/Line.h"
#include "input/PickList.h"
#include "platform/core/String.h"

template <class Cmd>
void KeepPickedElement(Cmd& c, const CString& token)
{
    CZelkDoc* doc = c.m_doc;
    if (!doc || !doc->m_pickList)
        return;
    CPickList& list = *doc->m_pickList;
    const int j = c.GetLastTokenIndex();
    const CElemCandidate* candidate = list.GetCurrentCandidate();
    if (j < 0 || j >= static_cast<int>(std::size(c.m_pickedLines)) || !candidate || token == "p")
        return;
    const bool line = token == "L" || token == "l";
    const bool circle = token == "C" || token == "c";
    bool classified = false;
    if (line) {
        const CLine* l = candidate->m_kind == ELEM_LINE ? doc->GetLineElem(candidate->m_block, candidate->m_slot) : nullptr;
        if (!l)
            return;
        c.m_pickedLines[j].Assign(*l);
        classified = true;
    } else if (circle) {
        CArc& kept = c.m_pickedArcs[j];
        if (candidate->m_kind == ELEM_CIRCLE) {
            if (const CCircle* e = doc->GetCircleElem(candidate->m_block, candidate->m_slot)) {
                kept.m_state = e->m_state;
                kept.m_mark = e->m_mark;
                kept.m_centre = e->m_centre;
                kept.m_radius = e->m_radius;
                kept.m_layer = e->m_layer;
                kept.m_group = e->m_group;
                kept.m_startAngle = 0.0;
                kept.m_endAngle = 360.0;
                classified = true;
            }
        } else if (candidate->m_kind == ELEM_ARC) {
            if (const CArc* a = doc->GetArcElem(candidate->m_block, candidate->m_slot)) {
                kept.Assign(*a);
                classified = true;
            }
        }
    } else {
        return;
    }
    c.m_pickPoints[j] = list.pickPoint;
    if (classified)
        c.m_pickPositions[j] = list.ClassifyPickPosition();
}
