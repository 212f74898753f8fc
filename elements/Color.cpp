// A named color of the document's color table.
#include "elements/Color.h"

#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CColor, CObject, 0)

CColor::CColor() : m_color(0) {}

CColor::~CColor() = default;

void CColor::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_name;
        ar << static_cast<DWORD>(m_color);
    } else {
        DWORD color;
        ar >> m_name;
        ar >> color;
        m_color = color;
    }
}
