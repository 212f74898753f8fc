// CString: the program's byte string, holding Shift-JIS (code page 932) bytes with the
// framework's semantics: lengths and positions count bytes; searches step over double-byte
// characters so that a trail byte (which may be '\\' or a letter) is never matched alone.
#pragma once

#include "platform/core/WinTypes.h"

#include <cstdarg>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

// Lead bytes of a double-byte character in code page 932.
inline int _ismbblead(unsigned int c)
{
    c &= 0xFF;
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
// Bytes that can follow a lead byte.
inline int _ismbbtrail(unsigned int c)
{
    c &= 0xFF;
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}
// Half-width katakana and their marks (one byte, one cell).
inline int _ismbbkana(unsigned int c)
{
    c &= 0xFF;
    return c >= 0xA1 && c <= 0xDF;
}

// Number of bytes of the character starting at s[pos] of a string of length len (1 or 2).
inline int MbCharLength(const char* s, int pos, int len)
{
    if (pos + 1 < len && _ismbblead(static_cast<unsigned char>(s[pos])))
        return 2;
    return 1;
}

// The largest length <= n at which s can be cut without splitting a double-byte character.
int MbSafeCutLength(const char* s, int len, int n);

// Upper-/lower-casing of single-byte letters only; double-byte characters are left as they are.
void MbsUpper(char* s, int len);
void MbsLower(char* s, int len);
// Case-insensitive comparison of single-byte letters, character by character.
int MbsCompareNoCase(const char* a, int alen, const char* b, int blen);

class CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(const char* psz) : m_s(psz ? psz : "") {}
    CString(const unsigned char* psz) : m_s(psz ? reinterpret_cast<const char*>(psz) : "") {}
    CString(const char* pch, int length) : m_s(pch ? std::string(pch, length > 0 ? length : 0) : std::string()) {}
    CString(char ch, int repeat = 1) : m_s(repeat > 0 ? repeat : 0, ch) {}
    explicit CString(std::string s) : m_s(std::move(s)) {}
    explicit CString(std::string_view s) : m_s(s) {}

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* psz);
    CString& operator=(char ch) { m_s.assign(1, ch); return *this; }
    // Reuses the string's own storage where it is large enough.
    void SetString(const char* pch, int length) { m_s.assign(pch, length > 0 ? static_cast<size_t>(length) : 0); }
    // SetString for a text of fewer than sixteen bytes at pch, which holds sixteen readable
    // bytes whatever the length: sixteen are copied and the rest cut off, so copies of any
    // length take the same steps.
    void SetShortString(const char* pch, int length)
    {
        if (length < 0 || length >= 16) {
            SetString(pch, length);
            return;
        }
        m_s.assign(pch, 16);
        m_s.resize(static_cast<size_t>(length));
    }

    // Access
    int GetLength() const { return static_cast<int>(m_s.size()); }
    BOOL IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    char GetAt(int index) const { return m_s[static_cast<size_t>(index)]; }
    template <typename I, typename = std::enable_if_t<std::is_integral_v<I>>>
    char operator[](I index) const { return m_s[static_cast<size_t>(index)]; }
    void SetAt(int index, char ch) { m_s[static_cast<size_t>(index)] = ch; }
    operator const char*() const { return m_s.c_str(); }
    const char* GetString() const { return m_s.c_str(); }
    const std::string& Std() const { return m_s; }
    std::string_view View() const { return m_s; }

    // Raw buffer access as the framework gives it: GetBuffer grows to at least minLength bytes;
    // ReleaseBuffer(-1) takes the length up to the first NUL.
    char* GetBuffer(int minBufLength = 0);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    // Concatenation
    CString& operator+=(const CString& s) { m_s += s.m_s; return *this; }
    CString& operator+=(const char* psz) { if (psz) m_s += psz; return *this; }
    CString& operator+=(char ch) { m_s += ch; return *this; }
    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_s + b.m_s); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_s + (b ? b : "")); }
    friend CString operator+(const char* a, const CString& b) { return CString((a ? std::string(a) : std::string()) + b.m_s); }
    friend CString operator+(const CString& a, char b) { return CString(a.m_s + b); }
    friend CString operator+(char a, const CString& b) { return CString(std::string(1, a) + b.m_s); }

    // Comparison (byte order, as the framework compares code-page 932 text)
    int Compare(const char* psz) const;
    int CompareNoCase(const char* psz) const;
    int Collate(const char* psz) const { return Compare(psz); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
    friend bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator!=(const char* a, const CString& b) { return !(b == a); }
    friend bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
    friend bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
    friend bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
    friend bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }

    // Extraction: out-of-range arguments are clamped as the framework clamps them.
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const char* charSet) const;
    CString SpanExcluding(const char* charSet) const;

    // Searching, double-byte aware; -1 when not found.
    int Find(char ch) const { return Find(ch, 0); }
    int Find(char ch, int start) const;
    int Find(const char* sub) const { return Find(sub, 0); }
    int Find(const char* sub, int start) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* charSet) const;

    // Changes
    void MakeUpper();
    void MakeLower();
    void MakeReverse();
    int Replace(char chOld, char chNew);
    int Replace(const char* oldText, const char* newText);
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, const char* psz);
    int Delete(int index, int count = 1);
    void TrimLeft();
    void TrimLeft(char target);
    void TrimLeft(const char* targets);
    void TrimRight();
    void TrimRight(char target);
    void TrimRight(const char* targets);
    void Trim() { TrimRight(); TrimLeft(); }

    // printf-style formatting; CString arguments may be passed directly for %s.
    template <typename... Args>
    void Format(const char* format, const Args&... args)
    {
        FormatRaw(format, Pass(args)...);
    }
    template <typename... Args>
    void AppendFormat(const char* format, const Args&... args)
    {
        CString tail;
        tail.FormatRaw(format, Pass(args)...);
        *this += tail;
    }
    void FormatV(const char* format, va_list args);

private:
    void FormatRaw(const char* format, ...);

    template <typename T>
    static decltype(auto) Pass(const T& v)
    {
        if constexpr (std::is_same_v<T, CString>)
            return v.GetString();
        else
            return (v);
    }

    std::string m_s;
};

// A printf into a new CString.
template <typename... Args>
CString FormatString(const char* format, const Args&... args)
{
    CString s;
    s.Format(format, args...);
    return s;
}
