// A layer of the document's layer table.
#include "elements/Layer.h"

#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CLayer, CObject, 0)

CLayer::CLayer() = default;

CLayer::~CLayer() = default;

void CLayer::SetNumberName(int n)
{
    CString number;
    number.Format("%d", n);
    if (n <= 9)
        m_name = "000" + number;
    else if (n < 100)
        m_name = "00" + number;
    else if (n < 1000)
        m_name = "0" + number;
    else
        m_name = number;
}

int CLayer::IsWorkPrintLayer() const
{
    CString upper = m_name;
    upper.MakeUpper();
    return upper.Find("WORK") >= 0 && upper.Find("PRINT") >= 0 ? 1 : 0;
}

void CLayer::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_name;
    else
        ar >> m_name;
}
