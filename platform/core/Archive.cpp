// The archive's buffering, primitive values, strings, counts and object tags.
#include "platform/core/Archive.h"

#include "platform/core/CodePage.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// Tags of the object stream. An object or class index below wBigObjectTag fits in a 16-bit tag
// (classes with the high bit set); from there on a 32-bit tag follows wBigObjectTag.
constexpr WORD wNullTag = 0;
constexpr WORD wNewClassTag = 0xFFFF;
constexpr WORD wClassTag = 0x8000;
constexpr DWORD dwBigClassTag = 0x80000000;
constexpr WORD wBigObjectTag = 0x7FFF;
constexpr DWORD nMaxMapCount = 0x3FFFFFFE;
// Objects read inside objects recurse on the stack; the program's own data nest a few levels,
// so a damaged archive that nests past this is refused before the stack runs out.
constexpr int kMaxLoadDepth = 256;

// A reference to an object or class stored before: its index in a 16-bit tag while it fits, else
// behind wBigObjectTag in a 32-bit one.
void WriteReference(CArchive& ar, DWORD index, WORD wordTag, DWORD dwordTag)
{
    if (index < wBigObjectTag) {
        ar << static_cast<WORD>(wordTag | index);
    } else {
        ar << wBigObjectTag;
        ar << (dwordTag | index);
    }
}

// Long strings and arrays read from a damaged archive are taken in steps of this size, so that a
// huge length cut short costs no huge allocation before the end of the data shows.
constexpr UINT kReadStep = 64 * 1024;

bool HostIsLittleEndian()
{
    const std::uint16_t probe = 1;
    BYTE first;
    std::memcpy(&first, &probe, 1);
    return first == 1;
}

} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void*)
    : m_pFile(pFile), m_nMode(nMode)
{
    if (nBufSize < 128)
        nBufSize = 128;
    m_buffer.resize(static_cast<size_t>(nBufSize));
    if (m_pFile != nullptr)
        m_strFileName = m_pFile->GetFilePath();
    if (IsLoading())
        m_loadArray.push_back(LoadEntry{}); // index 0: the null object
    else
        m_storeMap[nullptr] = wNullTag;
}

CArchive::~CArchive()
{
    if (m_pFile != nullptr && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Close();
        } catch (...) {
            // A destructor must not throw; the failure was the caller's to see through Close().
        }
    }
    m_pFile = nullptr;
}

void CArchive::ToLittleEndian(const void* value, BYTE* out, size_t n)
{
    std::memcpy(out, value, n);
    if (!HostIsLittleEndian())
        std::reverse(out, out + n);
}

void CArchive::FromLittleEndian(const BYTE* in, void* value, size_t n)
{
    BYTE tmp[16];
    std::memcpy(tmp, in, n);
    if (!HostIsLittleEndian())
        std::reverse(tmp, tmp + n);
    std::memcpy(value, tmp, n);
}

[[noreturn]] void CArchive::Throw(int cause) const
{
    throw CArchiveException(cause, m_strFileName);
}

void CArchive::PutBytes(const BYTE* p, UINT n)
{
    if (IsLoading())
        Throw(CArchiveException::readOnly);
    while (n > 0) {
        if (m_cur == m_buffer.size())
            FlushStoreBuffer();
        size_t take = std::min<size_t>(n, m_buffer.size() - m_cur);
        std::memcpy(m_buffer.data() + m_cur, p, take);
        m_cur += take;
        p += take;
        n -= static_cast<UINT>(take);
    }
}

void CArchive::FlushStoreBuffer()
{
    if (m_cur > 0 && m_pFile != nullptr)
        m_pFile->Write(m_buffer.data(), static_cast<UINT>(m_cur));
    m_cur = 0;
}

UINT CArchive::FillBuffer()
{
    size_t left = m_lim - m_cur;
    if (left > 0 && m_cur > 0)
        std::memmove(m_buffer.data(), m_buffer.data() + m_cur, left);
    m_cur = 0;
    m_lim = left;
    if (m_pFile != nullptr && m_lim < m_buffer.size())
        m_lim += m_pFile->Read(m_buffer.data() + m_lim, static_cast<UINT>(m_buffer.size() - m_lim));
    return static_cast<UINT>(m_lim);
}

BOOL CArchive::HoldsAtLeast(ULONGLONG n) const
{
    const ULONGLONG buffered = m_lim - m_cur;
    if (buffered >= n)
        return TRUE;
    if (m_pFile == nullptr)
        return FALSE;
    try {
        const ULONGLONG length = m_pFile->GetLength();
        const ULONGLONG position = m_pFile->GetPosition();
        return buffered + (length > position ? length - position : 0) >= n;
    } catch (CFileException&) {
        return TRUE;
    }
}

void CArchive::TakeBytes(BYTE* p, UINT n)
{
    if (!IsLoading())
        Throw(CArchiveException::writeOnly);
    if (Read(p, n) != n)
        Throw(CArchiveException::endOfFile);
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (!IsLoading())
        Throw(CArchiveException::writeOnly);
    BYTE* out = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nMax) {
        if (m_cur == m_lim) {
            if (FillBuffer() == 0)
                break;
        }
        size_t take = std::min<size_t>(nMax - done, m_lim - m_cur);
        std::memcpy(out + done, m_buffer.data() + m_cur, take);
        m_cur += take;
        done += static_cast<UINT>(take);
    }
    return done;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    PutBytes(static_cast<const BYTE*>(lpBuf), nMax);
}

void CArchive::Flush()
{
    if (m_pFile == nullptr)
        return;
    if (IsLoading()) {
        size_t unread = m_lim - m_cur;
        if (unread > 0)
            m_pFile->Seek(-static_cast<LONG>(unread), CFile::current);
        m_cur = m_lim = 0;
    } else {
        FlushStoreBuffer();
        m_pFile->Flush();
    }
}

void CArchive::Close()
{
    if (m_pFile == nullptr)
        return;
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_pFile = nullptr;
    m_cur = m_lim = 0;
}

CArchive& CArchive::operator>>(short& s)
{
    WORD w;
    ReadValue(w);
    s = static_cast<short>(w);
    return *this;
}

CArchive& CArchive::operator>>(char& ch)
{
    BYTE b;
    ReadValue(b);
    ch = static_cast<char>(b);
    return *this;
}

CArchive& CArchive::operator>>(signed char& ch)
{
    BYTE b;
    ReadValue(b);
    ch = static_cast<signed char>(b);
    return *this;
}

CArchive& CArchive::operator>>(long& l)
{
    LONG v;
    ReadValue(v);
    l = v;
    return *this;
}

CArchive& CArchive::operator>>(unsigned long& ul)
{
    DWORD v;
    ReadValue(v);
    ul = v;
    return *this;
}

void CArchive::WriteCount(DWORD dwCount)
{
    if (dwCount < 0xFFFF) {
        *this << static_cast<WORD>(dwCount);
    } else {
        *this << static_cast<WORD>(0xFFFF);
        *this << dwCount;
    }
}

DWORD CArchive::ReadCount()
{
    WORD wCount;
    *this >> wCount;
    if (wCount != 0xFFFF)
        return wCount;
    DWORD dwCount;
    *this >> dwCount;
    return dwCount;
}

void CArchive::CheckCount()
{
    if (m_nMapCount >= nMaxMapCount)
        Throw(CArchiveException::badIndex);
}

void CArchive::MapObject(const CObject* pOb)
{
    if (IsStoring()) {
        if (m_storeMap.find(pOb) == m_storeMap.end()) {
            CheckCount();
            m_storeMap[pOb] = m_nMapCount++;
        }
    } else {
        CheckCount();
        m_loadArray.push_back(LoadEntry{const_cast<CObject*>(pOb), nullptr});
        ++m_nMapCount;
    }
}

UINT CArchive::GetObjectSchema()
{
    UINT nResult = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1); // the schema can be asked once per object
    return nResult;
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    if (IsLoading())
        Throw(CArchiveException::readOnly);
    auto it = m_storeMap.find(pClassRef);
    if (it != m_storeMap.end()) {
        WriteReference(*this, it->second, wClassTag, dwBigClassTag);
        return;
    }
    *this << wNewClassTag;
    pClassRef->Store(*this);
    CheckCount();
    m_storeMap[pClassRef] = m_nMapCount++;
}

void CArchive::WriteObject(const CObject* pOb)
{
    if (IsLoading())
        Throw(CArchiveException::readOnly);
    if (pOb == nullptr) {
        *this << wNullTag;
        return;
    }
    auto it = m_storeMap.find(pOb);
    if (it != m_storeMap.end()) {
        WriteReference(*this, it->second, 0, 0);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    CheckCount();
    m_storeMap[pOb] = m_nMapCount++;
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    if (!IsLoading())
        Throw(CArchiveException::writeOnly);
    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == wBigObjectTag)
        *this >> obTag;
    else
        obTag = (static_cast<DWORD>(wTag & wClassTag) << 16) | (wTag & ~wClassTag & 0xFFFF);

    if (!(obTag & dwBigClassTag)) {
        // An object tag where only a class may stand.
        if (pObTag == nullptr)
            Throw(CArchiveException::badIndex);
        *pObTag = obTag;
        return nullptr;
    }

    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == wNewClassTag) {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        // Only classes with an archive form may come from a file: a damaged file must not
        // create windows or other objects that were never meant to be stored.
        if (pClassRef == nullptr || pClassRef->m_wSchema == NO_SCHEMA_NUMBER)
            Throw(CArchiveException::badClass);
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema && !(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
            Throw(CArchiveException::badSchema);
        CheckCount();
        m_loadArray.push_back(LoadEntry{nullptr, pClassRef});
        ++m_nMapCount;
        m_schemaMap[pClassRef] = nSchema;
    } else {
        // A class read before; the index must name a class record, not an object.
        DWORD nClassIndex = obTag & ~dwBigClassTag;
        if (nClassIndex == 0 || nClassIndex >= m_loadArray.size() || m_loadArray[nClassIndex].pClass == nullptr)
            Throw(CArchiveException::badIndex);
        pClassRef = m_loadArray[nClassIndex].pClass;
        auto it = m_schemaMap.find(pClassRef);
        nSchema = it != m_schemaMap.end() ? it->second : pClassRef->m_wSchema;
    }

    if (pClassRefRequested != nullptr && !pClassRef->IsDerivedFrom(pClassRefRequested))
        Throw(CArchiveException::badClass);
    if (pSchema != nullptr)
        *pSchema = nSchema;
    else
        m_nObjectSchema = nSchema;
    if (pObTag != nullptr)
        *pObTag = obTag;
    return pClassRef;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);

    if (pClassRef == nullptr) {
        // A reference to an object read before (0 is the null object); a class record is refused.
        if (obTag >= m_loadArray.size() || m_loadArray[obTag].pClass != nullptr)
            Throw(CArchiveException::badIndex);
        CObject* pOb = m_loadArray[obTag].object;
        if (pOb != nullptr && pClassRefRequested != nullptr && !pOb->IsKindOf(pClassRefRequested))
            Throw(CArchiveException::badClass);
        return pOb;
    }

    if (m_nLoadDepth >= kMaxLoadDepth)
        Throw(CArchiveException::generic);
    CObject* pOb = pClassRef->CreateObject();
    if (pOb == nullptr)
        Throw(CArchiveException::badClass);
    CheckCount();
    m_loadArray.push_back(LoadEntry{pOb, nullptr});
    ++m_nMapCount;

    // An object whose reading fails is left allocated, as the framework leaves it: its fields may
    // already point to objects that others own (references back into the archive), so deleting
    // it could free those a second time.
    UINT nSchemaSave = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    ++m_nLoadDepth;
    try {
        pOb->Serialize(*this);
    } catch (...) {
        --m_nLoadDepth;
        m_nObjectSchema = nSchemaSave;
        throw;
    }
    --m_nLoadDepth;
    m_nObjectSchema = nSchemaSave;
    return pOb;
}

CArchive& operator<<(CArchive& ar, const CString& string)
{
    DWORD nLen = static_cast<DWORD>(string.GetLength());
    if (nLen < 255) {
        ar << static_cast<BYTE>(nLen);
    } else if (nLen < 0xFFFE) {
        ar << static_cast<BYTE>(0xFF);
        ar << static_cast<WORD>(nLen);
    } else {
        ar << static_cast<BYTE>(0xFF);
        ar << static_cast<WORD>(0xFFFF);
        ar << nLen;
    }
    ar.Write(string.GetString(), nLen);
    return ar;
}

namespace {

// The length prefix; -1 announces the UTF-16 form, whose own prefix follows.
long long ReadStringLength(CArchive& ar)
{
    BYTE bLen;
    ar >> bLen;
    if (bLen < 0xFF)
        return bLen;
    WORD wLen;
    ar >> wLen;
    if (wLen == 0xFFFE)
        return -1;
    if (wLen == 0xFFFF) {
        DWORD dwLen;
        ar >> dwLen;
        return dwLen;
    }
    return wLen;
}

std::string ReadExactly(CArchive& ar, unsigned long long nBytes)
{
    std::string bytes;
    while (nBytes > 0) {
        UINT step = static_cast<UINT>(std::min<unsigned long long>(nBytes, kReadStep));
        size_t old = bytes.size();
        bytes.resize(old + step);
        if (ar.Read(bytes.data() + old, step) != step)
            AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
        nBytes -= step;
    }
    return bytes;
}

} // namespace

CArchive& operator>>(CArchive& ar, CString& string)
{
    long long nLen = ReadStringLength(ar);
    bool wide = false;
    if (nLen < 0) {
        wide = true;
        nLen = ReadStringLength(ar);
        if (nLen < 0)
            AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
    }
    if (!wide) {
        string = CString(ReadExactly(ar, static_cast<unsigned long long>(nLen)));
        return ar;
    }
    std::string bytes = ReadExactly(ar, static_cast<unsigned long long>(nLen) * 2);
    std::u16string text(static_cast<size_t>(nLen), u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    string = CString(Utf16ToCp932(text));
    return ar;
}
