// The element a pick gave a token position, kept by the point and loop commands alike: a line
// for "L"/"l", a circle (as 0 to 360 degrees) or arc for "C"/"c", with the cursor point of the
// pick and where it lies along the element. A point pick ("p") keeps nothing.
#pragma once

#include <iterator>

#include "commands/circle/PatternTable.h"
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
        classified = KeepPickedCircleOrArc(doc, *candidate, c.m_pickedArcs[j]);
    } else {
        return;
    }
    c.m_pickPoints[j] = list.pickPoint;
    if (classified)
        c.m_pickPositions[j] = list.ClassifyPickPosition();
}
