// Run-time records and archive forms of the framework's arrays.
#include "platform/core/Arrays.h"

IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CWordArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_SERIAL(CByteArray, CObject, 0)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)

void CObArray::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(m_data.size()));
        for (CObject* pOb : m_data)
            ar << pOb;
    } else {
        // Objects already read stay in the array when a later one fails, for the owner to free.
        DWORD nCount = ar.ReadCount();
        m_data.clear();
        m_data.reserve(nCount < 4096 ? nCount : 4096);
        for (DWORD i = 0; i < nCount; ++i)
            m_data.push_back(ar.ReadObject(nullptr));
    }
}

void CWordArray::Serialize(CArchive& ar)
{
    SerializeCountedValues(ar, m_data);
}

void CDWordArray::Serialize(CArchive& ar)
{
    SerializeCountedValues(ar, m_data);
}

void CByteArray::Serialize(CArchive& ar)
{
    SerializeCountedValues(ar, m_data);
}

void CStringArray::Serialize(CArchive& ar)
{
    SerializeCountedValues(ar, m_data);
}
