// CObject, the root of every archivable class, and CRuntimeClass, the per-class record that
// gives the class name and schema written into archives and creates objects by class name.
#pragma once

#include "platform/core/WinTypes.h"

class CObject;
class CArchive;

// A class without a schema of its own (dynamic but not serializable) carries this value.
constexpr UINT NO_SCHEMA_NUMBER = 0xFFFF;
// Or-ed into a schema number: the class reads older schemas itself (GetObjectSchema).
constexpr UINT VERSIONABLE_SCHEMA = 0x80000000;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;
    CRuntimeClass* m_pNextClass; // chain of registered classes

    // A new object of this class, or null when the class cannot be created dynamically.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The registered class of that exact name, or null.
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
    // A new object of the registered class of that name, or null.
    static CObject* CreateObject(LPCSTR lpszClassName);

    // The class record as an archive holds it: schema (16 bits), name length (16 bits), name.
    void Store(CArchive& ar) const;
    // Reads a stored class record; null when the name is too long, cut short or not registered.
    static CRuntimeClass* Load(CArchive& ar, UINT* pwSchemaNum);
};

// Adds a class record to the registry at static-initialisation time.
struct CClassRegistration {
    explicit CClassRegistration(CRuntimeClass* pClass);
};

// Placeholder for the diagnostic dump stream; the program's Dump overrides do nothing.
class CDumpContext {
};

class CObject {
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;

    // Archivable classes write and read their fields here; the root writes nothing.
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const {}
    virtual void Dump(CDumpContext&) const {}

    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;

    static CRuntimeClass classCObject;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                                                                \
public:                                                                                            \
    static CRuntimeClass class##class_name;                                                        \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                                              \
    DECLARE_DYNAMIC(class_name)                                                                    \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name)                                                                 \
    DECLARE_DYNCREATE(class_name)                                                                  \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define ZELK_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                  \
    CRuntimeClass class_name::class##class_name = {#class_name, static_cast<int>(sizeof(class_name)), \
                                                   wSchema, pfnNew, RUNTIME_CLASS(base_class_name), \
                                                   nullptr};                                       \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }       \
    static const CClassRegistration zelkClassRegistration_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                             \
    ZELK_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, NO_SCHEMA_NUMBER, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                           \
    CObject* class_name::CreateObject() { return new class_name; }                                 \
    ZELK_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, NO_SCHEMA_NUMBER,                     \
                                class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                     \
    CObject* class_name::CreateObject() { return new class_name; }                                 \
    ZELK_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)    \
    CArchive& operator>>(CArchive& ar, class_name*& pOb)                                           \
    {                                                                                              \
        pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));                  \
        return ar;                                                                                 \
    }

// Classes that use IMPLEMENT_SERIAL read themselves through the archive.
#include "platform/core/Archive.h"
