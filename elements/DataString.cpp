// An attribute string with the back-references to its carriers.
#include "elements/DataString.h"

#include "elements/ElementAccess.h"
#include "elements/ElementKinds.h"
#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CDataString, CObject, 0)

CDataString::CDataString() : m_state(1), m_mark(0) {}

CDataString::CDataString(const CString& text) : m_state(1), m_mark(0), m_text(text) {}

CDataString::~CDataString() = default;

int CDataString::HasLiveCarrier(CZelkDoc* doc) const
{
    for (const CElemRef& ref : m_refs) {
        switch (ref.m_kind) {
        case ELEM_GROUP: case ELEM_POINT: case ELEM_LINE: case ELEM_CIRCLE: case ELEM_ARC:
        case ELEM_TEXT: case ELEM_CONIC: case ELEM_CURVE: {
            std::uint8_t* state;
            std::uint8_t* mark;
            if (GetStateAndMark(doc, ref.m_kind, ref.m_block, ref.m_slot, state, mark)
                && (*state & STATE_DELETED) == 0)
                return 1;
            break;
        }
        default:
            break;
        }
    }
    return 0;
}

void CDataString::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_state << m_mark << m_text;
    } else {
        m_refs.clear();
        ar >> m_state >> m_mark >> m_text;
    }
}
