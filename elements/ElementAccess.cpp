// The state and mark bytes of any element or group named by kind, block and slot.
#include "elements/ElementAccess.h"

#include "document/ZelkDoc.h"
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/Conic.h"
#include "elements/Curve.h"
#include "elements/DataPoint.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "elements/Line.h"
#include "elements/Text.h"

namespace {

template <class E>
bool Bytes(E* e, std::uint8_t*& state, std::uint8_t*& mark)
{
    if (e == nullptr)
        return false;
    state = &e->m_state;
    mark = &e->m_mark;
    return true;
}

}  // namespace

bool GetStateAndMark(CZelkDoc* doc, int kind, int block, int slot, std::uint8_t*& state,
                     std::uint8_t*& mark)
{
    switch (kind) {
    case ELEM_GROUP: return Bytes(doc->GetGroup(block), state, mark);
    case ELEM_POINT: return Bytes(doc->GetPointElem(block, slot), state, mark);
    case ELEM_LINE: return Bytes(doc->GetLineElem(block, slot), state, mark);
    case ELEM_CIRCLE: return Bytes(doc->GetCircleElem(block, slot), state, mark);
    case ELEM_ARC: return Bytes(doc->GetArcElem(block, slot), state, mark);
    case ELEM_TEXT: return Bytes(doc->GetTextElem(block, slot), state, mark);
    case ELEM_CONIC: return Bytes(doc->GetConicElem(block, slot), state, mark);
    case ELEM_CURVE: return Bytes(doc->GetCurveElem(block, slot), state, mark);
    default: return false;
    }
}
