// CArchive: the framework's binary archive over a CFile, byte for byte: little-endian values
// without padding, strings with their length prefix, counts, and objects written with class and
// object tags so that archives of the original program read back. Reading throws
// CArchiveException on short or malformed data; the file's own failures throw CFileException.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

class CDocument;
class CFile;

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_cur == m_lim; }
    CFile* GetFile() const { return m_pFile; }

    // Loading: FALSE when fewer than n bytes are left to read; TRUE also when the file cannot
    // tell its length (a pipe), since reading then finds the end itself.
    BOOL HoldsAtLeast(ULONGLONG n) const;

    // Raw bytes. Read returns fewer bytes than asked at the end of the data.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);

    // Storing: hands buffered bytes to the file. Loading: puts the file position back to just
    // after the bytes taken so far.
    void Flush();
    void Close();
    // Detaches from the file without writing buffered bytes; never throws.
    void Abort();

    // A count: 16 bits, or 0xFFFF followed by 32 bits from 0xFFFF on.
    void WriteCount(DWORD dwCount);
    DWORD ReadCount();

    // Objects with their class and object tags; null is written as tag 0.
    void WriteObject(const CObject* pOb);
    // A new or already read object; pClassRefRequested, when given, must be a base of its class.
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr,
                             DWORD* pObTag = nullptr);
    // Records an object as already stored or read, so that later references point to it.
    void MapObject(const CObject* pOb);
    // The schema number read with the object being loaded.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    CArchive& operator<<(BYTE by) { return WriteValue(by); }
    CArchive& operator<<(WORD w) { return WriteValue(w); }
    CArchive& operator<<(LONG l) { return WriteValue(l); }
    CArchive& operator<<(DWORD dw) { return WriteValue(dw); }
    CArchive& operator<<(float f) { return WriteValue(f); }
    CArchive& operator<<(double d) { return WriteValue(d); }
    CArchive& operator<<(short s) { return WriteValue(static_cast<WORD>(s)); }
    CArchive& operator<<(char ch) { return WriteValue(static_cast<BYTE>(ch)); }
    CArchive& operator<<(signed char ch) { return WriteValue(static_cast<BYTE>(ch)); }
    // A bool has no archive width of its own: write it as BYTE or as a 32-bit BOOL on purpose.
    CArchive& operator<<(bool) = delete;
    // Windows' long is 32 bits wide.
    CArchive& operator<<(long l) { return WriteValue(static_cast<LONG>(l)); }
    CArchive& operator<<(unsigned long ul) { return WriteValue(static_cast<DWORD>(ul)); }

    CArchive& operator>>(BYTE& by) { return ReadValue(by); }
    CArchive& operator>>(WORD& w) { return ReadValue(w); }
    CArchive& operator>>(LONG& l) { return ReadValue(l); }
    CArchive& operator>>(DWORD& dw) { return ReadValue(dw); }
    CArchive& operator>>(float& f) { return ReadValue(f); }
    CArchive& operator>>(double& d) { return ReadValue(d); }
    CArchive& operator>>(short& s);
    CArchive& operator>>(char& ch);
    CArchive& operator>>(signed char& ch);
    CArchive& operator>>(bool&) = delete;
    CArchive& operator>>(long& l);
    CArchive& operator>>(unsigned long& ul);

    CArchive& operator<<(const CObject* pOb)
    {
        WriteObject(pOb);
        return *this;
    }
    CArchive& operator>>(CObject*& pOb)
    {
        pOb = ReadObject(nullptr);
        return *this;
    }
    CArchive& operator>>(const CObject*& pOb)
    {
        pOb = ReadObject(nullptr);
        return *this;
    }

    // The document being stored or loaded, for objects that need it.
    CDocument* m_pDocument = nullptr;
    CString m_strFileName;

private:
    template <typename T>
    CArchive& WriteValue(T value)
    {
        BYTE bytes[sizeof(T)];
        ToLittleEndian(&value, bytes, sizeof(T));
        PutBytes(bytes, sizeof(T));
        return *this;
    }
    template <typename T>
    CArchive& ReadValue(T& value)
    {
        BYTE bytes[sizeof(T)];
        TakeBytes(bytes, sizeof(T));
        FromLittleEndian(bytes, &value, sizeof(T));
        return *this;
    }
    static void ToLittleEndian(const void* value, BYTE* out, size_t n);
    static void FromLittleEndian(const BYTE* in, void* value, size_t n);

    void PutBytes(const BYTE* p, UINT n);
    // Exactly n bytes or CArchiveException(endOfFile).
    void TakeBytes(BYTE* p, UINT n);
    // Refills the load buffer; returns the number of bytes now buffered.
    UINT FillBuffer();
    void FlushStoreBuffer();
    void CheckCount();
    [[noreturn]] void Throw(int cause) const;

    struct LoadEntry {
        CObject* object = nullptr;
        CRuntimeClass* pClass = nullptr;
    };

    CFile* m_pFile;
    UINT m_nMode;
    std::vector<BYTE> m_buffer;
    size_t m_cur = 0; // next byte to take (loading) or free position (storing)
    size_t m_lim = 0; // end of the valid bytes when loading

    UINT m_nObjectSchema = static_cast<UINT>(-1);
    DWORD m_nMapCount = 1; // index 0 stands for the null object
    int m_nLoadDepth = 0;  // objects being read inside one another
    std::unordered_map<const void*, DWORD> m_storeMap;
    std::vector<LoadEntry> m_loadArray;
    std::unordered_map<const CRuntimeClass*, UINT> m_schemaMap;
};

// Strings with the length prefix: below 255 one byte; below 0xFFFE the byte 0xFF and 16 bits;
// else 0xFF, 0xFFFF and 32 bits. Reading also accepts the UTF-16 form (0xFF 0xFFFE prefix).
CArchive& operator<<(CArchive& ar, const CString& string);
CArchive& operator>>(CArchive& ar, CString& string);
inline CArchive& operator<<(CArchive& ar, const char* psz) { return ar << CString(psz); }

// Points, sizes and rectangles as consecutive 32-bit values (x y; cx cy; left top right bottom).
inline CArchive& operator<<(CArchive& ar, const POINT& p) { return ar << p.x << p.y; }
inline CArchive& operator<<(CArchive& ar, const SIZE& s) { return ar << s.cx << s.cy; }
inline CArchive& operator<<(CArchive& ar, const RECT& r) { return ar << r.left << r.top << r.right << r.bottom; }
inline CArchive& operator>>(CArchive& ar, POINT& p) { return ar >> p.x >> p.y; }
inline CArchive& operator>>(CArchive& ar, SIZE& s) { return ar >> s.cx >> s.cy; }
inline CArchive& operator>>(CArchive& ar, RECT& r) { return ar >> r.left >> r.top >> r.right >> r.bottom; }

// Users of the archive catch its exceptions and open its files.
#include "platform/core/File.h"
