// The framework's arrays over std::vector: CStringArray, CWordArray, CDWordArray, CByteArray,
// CUIntArray, CPtrArray, CObArray and the CArray template, with the framework's operations.
// Indices are checked: an index outside the array throws std::out_of_range instead of touching
// memory that is not there. None of the arrays owns what its pointers point to.
#pragma once

#include "platform/core/Archive.h"
#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <stdexcept>
#include <type_traits>
#include <vector>

// The shared operations of every array; T is the element type.
template <typename T>
class CArrayOps {
public:
    using value_type = T;

    int GetSize() const { return static_cast<int>(m_data.size()); }
    int GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    int GetUpperBound() const { return GetSize() - 1; }

    // New elements are zero (null pointers, empty strings); nGrowBy is a hint kept for callers.
    void SetSize(int nNewSize, int nGrowBy = -1)
    {
        if (nNewSize < 0)
            throw std::out_of_range("negative array size");
        if (nGrowBy >= 0)
            m_nGrowBy = nGrowBy;
        m_data.resize(static_cast<size_t>(nNewSize));
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const T& GetAt(int nIndex) const { return m_data[Check(nIndex)]; }
    void SetAt(int nIndex, const T& newElement) { m_data[Check(nIndex)] = newElement; }
    T& ElementAt(int nIndex) { return m_data[Check(nIndex)]; }
    const T& operator[](int nIndex) const { return GetAt(nIndex); }
    T& operator[](int nIndex) { return ElementAt(nIndex); }
    const T* GetData() const { return m_data.data(); }
    T* GetData() { return m_data.data(); }

    // Sets the element, growing the array with zeros when nIndex is beyond its end.
    void SetAtGrow(int nIndex, const T& newElement)
    {
        if (nIndex < 0)
            throw std::out_of_range("negative array index");
        if (nIndex >= GetSize())
            m_data.resize(static_cast<size_t>(nIndex) + 1);
        m_data[static_cast<size_t>(nIndex)] = newElement;
    }
    int Add(const T& newElement)
    {
        m_data.push_back(newElement);
        return GetSize() - 1;
    }
    // Inserts nCount copies; an index beyond the end first grows the array with zeros.
    void InsertAt(int nIndex, const T& newElement, int nCount = 1)
    {
        if (nIndex < 0 || nCount < 0)
            throw std::out_of_range("negative array index or count");
        if (nIndex > GetSize())
            m_data.resize(static_cast<size_t>(nIndex));
        m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), newElement);
    }
    void RemoveAt(int nIndex, int nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nIndex + nCount > GetSize())
            throw std::out_of_range("array range out of bounds");
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
    }

    std::vector<T>& Vector() { return m_data; }
    const std::vector<T>& Vector() const { return m_data; }
    typename std::vector<T>::iterator begin() { return m_data.begin(); }
    typename std::vector<T>::iterator end() { return m_data.end(); }
    typename std::vector<T>::const_iterator begin() const { return m_data.begin(); }
    typename std::vector<T>::const_iterator end() const { return m_data.end(); }

protected:
    size_t Check(int nIndex) const
    {
        if (nIndex < 0 || nIndex >= GetSize())
            throw std::out_of_range("array index out of bounds");
        return static_cast<size_t>(nIndex);
    }
    template <typename A>
    int AppendFrom(const A& src)
    {
        int old = GetSize();
        m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
        return old;
    }
    template <typename A>
    void CopyFrom(const A& src)
    {
        if (static_cast<const void*>(&src) != static_cast<const void*>(this))
            m_data = src.m_data;
    }
    template <typename A>
    void InsertFrom(int nStartIndex, const A* pNewArray)
    {
        if (pNewArray == nullptr || pNewArray->GetSize() == 0)
            return;
        std::vector<T> items = pNewArray->m_data;
        if (nStartIndex < 0)
            throw std::out_of_range("negative array index");
        if (nStartIndex > GetSize())
            m_data.resize(static_cast<size_t>(nStartIndex));
        m_data.insert(m_data.begin() + nStartIndex, items.begin(), items.end());
    }

    std::vector<T> m_data;
    int m_nGrowBy = -1;
};

// Declares the framework's array classes: Append, Copy and InsertAt of a whole array are typed.
#define ZELK_ARRAY_WHOLE_OPS(class_name)                                                           \
    int Append(const class_name& src) { return AppendFrom(src); }                                  \
    void Copy(const class_name& src) { CopyFrom(src); }                                            \
    using CArrayOps::InsertAt;                                                                     \
    void InsertAt(int nStartIndex, const class_name* pNewArray) { InsertFrom(nStartIndex, pNewArray); }

class CObArray : public CObject, public CArrayOps<CObject*> {
    DECLARE_SERIAL(CObArray)
public:
    ZELK_ARRAY_WHOLE_OPS(CObArray)
    // The count, then every object with its tags.
    void Serialize(CArchive& ar) override;
};

class CPtrArray : public CObject, public CArrayOps<void*> {
    DECLARE_DYNAMIC(CPtrArray)
public:
    ZELK_ARRAY_WHOLE_OPS(CPtrArray)
    // Pointers have no archive form: a pointer array writes and reads nothing.
};

class CWordArray : public CObject, public CArrayOps<WORD> {
    DECLARE_SERIAL(CWordArray)
public:
    ZELK_ARRAY_WHOLE_OPS(CWordArray)
    // The count, then the 16-bit words.
    void Serialize(CArchive& ar) override;
};

class CDWordArray : public CObject, public CArrayOps<DWORD> {
    DECLARE_SERIAL(CDWordArray)
public:
    ZELK_ARRAY_WHOLE_OPS(CDWordArray)
    // The count, then the 32-bit words.
    void Serialize(CArchive& ar) override;
};

class CByteArray : public CObject, public CArrayOps<BYTE> {
    DECLARE_SERIAL(CByteArray)
public:
    ZELK_ARRAY_WHOLE_OPS(CByteArray)
    // The count, then the bytes.
    void Serialize(CArchive& ar) override;
};

class CUIntArray : public CObject, public CArrayOps<UINT> {
    DECLARE_DYNAMIC(CUIntArray)
public:
    ZELK_ARRAY_WHOLE_OPS(CUIntArray)
};

class CStringArray : public CObject, public CArrayOps<CString> {
    DECLARE_SERIAL(CStringArray)
public:
    ZELK_ARRAY_WHOLE_OPS(CStringArray)
    int Add(const CString& newElement) { return CArrayOps::Add(newElement); }
    int Add(const char* newElement) { return CArrayOps::Add(CString(newElement)); }
    // The count, then the strings with their length prefixes.
    void Serialize(CArchive& ar) override;
};

// Reads a count from an archive and the elements one by one, so that a count that the data do
// not hold ends in CArchiveException rather than a huge allocation. A count beyond what the
// bytes left could hold is refused before any element is taken: a damaged archive would
// otherwise fill the array with whatever follows the count.
template <typename T, typename ReadOne>
void ReadCountedElements(CArchive& ar, std::vector<T>& data, ReadOne readOne)
{
    DWORD nCount = ar.ReadCount();
    data.clear();
    constexpr ULONGLONG kLeastBytes = std::is_arithmetic_v<T> ? sizeof(T) : 1;
    if (!ar.HoldsAtLeast(static_cast<ULONGLONG>(nCount) * kLeastBytes))
        AfxThrowArchiveException(CArchiveException::endOfFile);
    data.reserve(nCount < 4096 ? nCount : 4096);
    for (DWORD i = 0; i < nCount; ++i) {
        T value{};
        readOne(ar, value);
        data.push_back(value);
    }
}

// The count, then each value with its archive operator.
template <typename T>
void SerializeCountedValues(CArchive& ar, std::vector<T>& data)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(data.size()));
        for (const T& v : data)
            ar << v;
    } else {
        ReadCountedElements(ar, data, [](CArchive& a, T& v) { a >> v; });
    }
}

// A typed array of values; Serialize writes the count and each element with operator<<, so an
// element type needs its own field-by-field archive operators.
template <typename TYPE, typename ARG_TYPE = const TYPE&>
class CArray : public CArrayOps<TYPE> {
public:
    int Append(const CArray& src) { return this->AppendFrom(src); }
    void Copy(const CArray& src) { this->CopyFrom(src); }
    using CArrayOps<TYPE>::InsertAt;
    void InsertAt(int nStartIndex, const CArray* pNewArray) { this->InsertFrom(nStartIndex, pNewArray); }

    void Serialize(CArchive& ar) { SerializeCountedValues(ar, this->m_data); }
};
