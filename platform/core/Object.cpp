// The class registry and the root object's run-time information.
#include "platform/core/Object.h"

#include "platform/core/Archive.h"

#include <cstring>

namespace {

// A function-local head keeps registration safe whatever order static objects start in.
CRuntimeClass*& RegistryHead()
{
    static CRuntimeClass* head = nullptr;
    return head;
}

// Longest class name a stored class record may carry (the framework reads into 64 bytes).
constexpr WORD kMaxClassNameLength = 63;

} // namespace

CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), NO_SCHEMA_NUMBER,
                                       nullptr, nullptr, nullptr};
static const CClassRegistration zelkClassRegistration_CObject(&CObject::classCObject);

CClassRegistration::CClassRegistration(CRuntimeClass* pClass)
{
    for (CRuntimeClass* p = RegistryHead(); p != nullptr; p = p->m_pNextClass)
        if (p == pClass)
            return;
    pClass->m_pNextClass = RegistryHead();
    RegistryHead() = pClass;
}

CObject* CRuntimeClass::CreateObject() const
{
    if (m_pfnCreateObject == nullptr)
        return nullptr;
    return m_pfnCreateObject();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* p = this; p != nullptr; p = p->m_pBaseClass)
        if (p == pBaseClass)
            return TRUE;
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == nullptr)
        return nullptr;
    for (CRuntimeClass* p = RegistryHead(); p != nullptr; p = p->m_pNextClass)
        if (std::strcmp(p->m_lpszClassName, lpszClassName) == 0)
            return p;
    return nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass != nullptr ? pClass->CreateObject() : nullptr;
}

void CRuntimeClass::Store(CArchive& ar) const
{
    WORD nLen = static_cast<WORD>(std::strlen(m_lpszClassName));
    ar << static_cast<WORD>(m_wSchema) << nLen;
    ar.Write(m_lpszClassName, nLen);
}

CRuntimeClass* CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wSchema = 0;
    WORD nLen = 0;
    ar >> wSchema >> nLen;
    *pwSchemaNum = wSchema;
    char szClassName[kMaxClassNameLength + 1];
    if (nLen > kMaxClassNameLength || ar.Read(szClassName, nLen) != nLen)
        return nullptr;
    szClassName[nLen] = '\0';
    return FromName(szClassName);
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &classCObject;
}

void CObject::Serialize(CArchive&)
{
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != NO_SCHEMA_NUMBER;
}
