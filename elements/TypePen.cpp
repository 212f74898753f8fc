// A pen of the document's pen table.
#include "elements/TypePen.h"

#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CTypePen, CObject, 0)

CTypePen::CTypePen() : m_lineType(0), m_width(1), m_color(0), m_blurCount(0), m_blurRate(70) {}

CTypePen::~CTypePen() = default;

void CTypePen::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<LONG>(m_lineType);
        ar << static_cast<WORD>(m_width);
        ar << static_cast<DWORD>(m_color);
        ar << static_cast<BYTE>(m_blurCount);
        ar << static_cast<BYTE>(m_blurRate);
    } else {
        LONG lineType;
        WORD width;
        DWORD color;
        ar >> lineType >> width >> color >> m_blurCount >> m_blurRate;
        m_lineType = lineType;
        m_width = static_cast<std::int16_t>(width);
        m_color = color;
    }
}
