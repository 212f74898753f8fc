// The framework's string operations over code-page 932 bytes.
#include "platform/core/String.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

bool IsSpace(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Whether the character starting at s[pos] (len bytes long) is one of the characters of set.
bool InCharSet(const char* set, const char* s, int pos, int clen)
{
    if (!set)
        return false;
    int slen = static_cast<int>(std::strlen(set));
    for (int i = 0; i < slen;) {
        int l = MbCharLength(set, i, slen);
        if (l == clen && std::memcmp(set + i, s + pos, static_cast<size_t>(l)) == 0)
            return true;
        i += l;
    }
    return false;
}

// Byte length of the characters at the start of s that `matches` accepts; `matches` sees each
// character's offset and length.
template <typename Matches>
int LeadingLength(const std::string& s, Matches matches)
{
    int len = static_cast<int>(s.size());
    int i = 0;
    while (i < len) {
        int l = MbCharLength(s.c_str(), i, len);
        if (!matches(i, l))
            break;
        i += l;
    }
    return i;
}

// Byte length of s without the characters at its end that `matches` accepts. Walks forward so
// that a trail byte is never taken for a character of its own.
template <typename Matches>
int LengthWithoutTrailing(const std::string& s, Matches matches)
{
    int len = static_cast<int>(s.size());
    int keep = 0;
    for (int i = 0; i < len;) {
        int l = MbCharLength(s.c_str(), i, len);
        if (!matches(i, l))
            keep = i + l;
        i += l;
    }
    return keep;
}

} // namespace

int MbSafeCutLength(const char* s, int len, int n)
{
    if (n <= 0)
        return 0;
    if (n >= len)
        return len;
    int i = 0;
    while (i < n) {
        int l = MbCharLength(s, i, len);
        if (i + l > n)
            break;
        i += l;
    }
    return i;
}

// Shifts the single-byte letters first..last to start at `to`, stepping character by character
// so that the second byte of a double-byte character is never taken for a letter.
static void MapSingleByteLetters(char* s, int len, char first, char last, char to)
{
    for (int i = 0; i < len;) {
        int l = MbCharLength(s, i, len);
        if (l == 1 && s[i] >= first && s[i] <= last)
            s[i] = static_cast<char>(s[i] - first + to);
        i += l;
    }
}

void MbsUpper(char* s, int len)
{
    MapSingleByteLetters(s, len, 'a', 'z', 'A');
}

void MbsLower(char* s, int len)
{
    MapSingleByteLetters(s, len, 'A', 'Z', 'a');
}

int MbsCompareNoCase(const char* a, int alen, const char* b, int blen)
{
    int i = 0;
    while (i < alen && i < blen) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        int la = MbCharLength(a, i, alen);
        int lb = MbCharLength(b, i, blen);
        if (la == 1 && lb == 1) {
            if (ca >= 'A' && ca <= 'Z')
                ca = static_cast<unsigned char>(ca - 'A' + 'a');
            if (cb >= 'A' && cb <= 'Z')
                cb = static_cast<unsigned char>(cb - 'A' + 'a');
            if (ca != cb)
                return ca < cb ? -1 : 1;
            ++i;
            continue;
        }
        // A double-byte character compares by its code value, lead byte first.
        unsigned va = la == 2 ? (ca << 8) | static_cast<unsigned char>(a[i + 1]) : ca;
        unsigned vb = lb == 2 ? (cb << 8) | static_cast<unsigned char>(b[i + 1]) : cb;
        if (la != lb) {
            // Compare the first bytes; a single byte sorts by itself.
            if (ca != cb)
                return ca < cb ? -1 : 1;
            return la < lb ? -1 : 1;
        }
        if (va != vb)
            return va < vb ? -1 : 1;
        i += la;
    }
    if (alen - i == blen - i)
        return 0;
    return (alen < blen) ? -1 : 1;
}

// Out of line: inlined at call sites with a literal, gcc 12 reports a false overlap in the copy.
CString& CString::operator=(const char* psz)
{
    m_s = psz ? psz : "";
    return *this;
}

char* CString::GetBuffer(int minBufLength)
{
    if (minBufLength > GetLength())
        m_s.resize(static_cast<size_t>(minBufLength), '\0');
    return m_s.data();
}

char* CString::GetBufferSetLength(int length)
{
    m_s.resize(static_cast<size_t>(length > 0 ? length : 0), '\0');
    return m_s.data();
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        newLength = static_cast<int>(std::strlen(m_s.c_str()));
    if (newLength < GetLength())
        m_s.resize(static_cast<size_t>(newLength));
}

int CString::Compare(const char* psz) const
{
    const char* b = psz ? psz : "";
    int r = std::strcmp(m_s.c_str(), b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const char* psz) const
{
    const char* b = psz ? psz : "";
    return MbsCompareNoCase(m_s.c_str(), GetLength(), b, static_cast<int>(std::strlen(b)));
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength() - first);
}

CString CString::Mid(int first, int count) const
{
    int len = GetLength();
    if (first < 0)
        first = 0;
    if (count < 0)
        count = 0;
    if (first > len)
        first = len;
    if (count > len - first)
        count = len - first;
    return CString(m_s.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Left(int count) const
{
    if (count < 0)
        count = 0;
    if (count >= GetLength())
        return *this;
    return CString(m_s.substr(0, static_cast<size_t>(count)));
}

CString CString::Right(int count) const
{
    if (count < 0)
        count = 0;
    if (count >= GetLength())
        return *this;
    return CString(m_s.substr(static_cast<size_t>(GetLength() - count)));
}

CString CString::SpanIncluding(const char* charSet) const
{
    return Left(LeadingLength(m_s, [&](int i, int l) { return InCharSet(charSet, m_s.c_str(), i, l); }));
}

CString CString::SpanExcluding(const char* charSet) const
{
    return Left(LeadingLength(m_s, [&](int i, int l) { return !InCharSet(charSet, m_s.c_str(), i, l); }));
}

int CString::Find(char ch, int start) const
{
    int len = GetLength();
    if (start < 0)
        start = 0;
    if (start >= len)
        return -1;
    for (int i = start; i < len;) {
        int l = MbCharLength(m_s.c_str(), i, len);
        if (l == 1 && m_s[static_cast<size_t>(i)] == ch)
            return i;
        i += l;
    }
    return -1;
}

int CString::Find(const char* sub, int start) const
{
    int len = GetLength();
    if (start < 0)
        start = 0;
    if (start > len)
        return -1;
    if (!sub)
        return -1;
    int slen = static_cast<int>(std::strlen(sub));
    if (slen == 0)
        return start <= len ? start : -1;
    // Most searches find nothing: a text without the first byte of sub has no match to walk to.
    if (slen > len - start ||
        !std::memchr(m_s.data() + start, static_cast<unsigned char>(sub[0]),
                     static_cast<size_t>(len - start)))
        return -1;
    for (int i = start; i + slen <= len;) {
        if (m_s[static_cast<size_t>(i)] == sub[0] &&
            std::memcmp(m_s.data() + i, sub, static_cast<size_t>(slen)) == 0)
            return i;
        i += MbCharLength(m_s.c_str(), i, len);
    }
    return -1;
}

int CString::ReverseFind(char ch) const
{
    int len = GetLength();
    int found = -1;
    for (int i = 0; i < len;) {
        int l = MbCharLength(m_s.c_str(), i, len);
        if (l == 1 && m_s[static_cast<size_t>(i)] == ch)
            found = i;
        i += l;
    }
    return found;
}

int CString::FindOneOf(const char* charSet) const
{
    int len = GetLength();
    for (int i = 0; i < len;) {
        int l = MbCharLength(m_s.c_str(), i, len);
        if (InCharSet(charSet, m_s.c_str(), i, l))
            return i;
        i += l;
    }
    return -1;
}

void CString::MakeUpper()
{
    MbsUpper(m_s.data(), GetLength());
}

void CString::MakeLower()
{
    MbsLower(m_s.data(), GetLength());
}

void CString::MakeReverse()
{
    // Reverses characters, keeping each double-byte character's bytes in order.
    std::string out;
    out.reserve(m_s.size());
    int len = GetLength();
    std::vector<std::pair<int, int>> chars;
    for (int i = 0; i < len;) {
        int l = MbCharLength(m_s.c_str(), i, len);
        chars.emplace_back(i, l);
        i += l;
    }
    for (auto it = chars.rbegin(); it != chars.rend(); ++it)
        out.append(m_s, static_cast<size_t>(it->first), static_cast<size_t>(it->second));
    m_s = std::move(out);
}

int CString::Replace(char chOld, char chNew)
{
    int count = 0;
    if (chOld == chNew)
        return 0;
    int len = GetLength();
    for (int i = 0; i < len;) {
        int l = MbCharLength(m_s.c_str(), i, len);
        if (l == 1 && m_s[static_cast<size_t>(i)] == chOld) {
            m_s[static_cast<size_t>(i)] = chNew;
            ++count;
        }
        i += l;
    }
    return count;
}

int CString::Replace(const char* oldText, const char* newText)
{
    if (!oldText || !*oldText)
        return 0;
    std::string repl = newText ? newText : "";
    int olen = static_cast<int>(std::strlen(oldText));
    std::string out;
    int count = 0;
    int len = GetLength();
    int i = 0;
    while (i < len) {
        if (i + olen <= len && std::memcmp(m_s.data() + i, oldText, static_cast<size_t>(olen)) == 0) {
            out += repl;
            i += olen;
            ++count;
            continue;
        }
        int l = MbCharLength(m_s.c_str(), i, len);
        out.append(m_s, static_cast<size_t>(i), static_cast<size_t>(l));
        i += l;
    }
    if (count)
        m_s = std::move(out);
    return count;
}

int CString::Remove(char ch)
{
    std::string out;
    int count = 0;
    int len = GetLength();
    for (int i = 0; i < len;) {
        int l = MbCharLength(m_s.c_str(), i, len);
        if (l == 1 && m_s[static_cast<size_t>(i)] == ch)
            ++count;
        else
            out.append(m_s, static_cast<size_t>(i), static_cast<size_t>(l));
        i += l;
    }
    m_s = std::move(out);
    return count;
}

int CString::Insert(int index, char ch)
{
    if (index < 0)
        index = 0;
    if (index > GetLength())
        index = GetLength();
    m_s.insert(static_cast<size_t>(index), 1, ch);
    return GetLength();
}

int CString::Insert(int index, const char* psz)
{
    if (index < 0)
        index = 0;
    if (index > GetLength())
        index = GetLength();
    if (psz)
        m_s.insert(static_cast<size_t>(index), psz);
    return GetLength();
}

int CString::Delete(int index, int count)
{
    if (index < 0)
        index = 0;
    int len = GetLength();
    if (count > 0 && index < len) {
        if (count > len - index)
            count = len - index;
        m_s.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    }
    return GetLength();
}

void CString::TrimLeft()
{
    size_t i = 0;
    while (i < m_s.size() && IsSpace(static_cast<unsigned char>(m_s[i])))
        ++i;
    m_s.erase(0, i);
}

void CString::TrimLeft(char target)
{
    size_t i = 0;
    while (i < m_s.size() && m_s[i] == target)
        ++i;
    m_s.erase(0, i);
}

void CString::TrimLeft(const char* targets)
{
    m_s.erase(0, static_cast<size_t>(LeadingLength(m_s, [&](int i, int l) { return InCharSet(targets, m_s.c_str(), i, l); })));
}

// A trail byte equal to a blank or the target is part of its character and stays.
void CString::TrimRight()
{
    m_s.resize(static_cast<size_t>(LengthWithoutTrailing(m_s, [&](int i, int l) {
        return l == 1 && IsSpace(static_cast<unsigned char>(m_s[static_cast<size_t>(i)]));
    })));
}

void CString::TrimRight(char target)
{
    m_s.resize(static_cast<size_t>(
        LengthWithoutTrailing(m_s, [&](int i, int l) { return l == 1 && m_s[static_cast<size_t>(i)] == target; })));
}

void CString::TrimRight(const char* targets)
{
    m_s.resize(static_cast<size_t>(LengthWithoutTrailing(m_s, [&](int i, int l) { return InCharSet(targets, m_s.c_str(), i, l); })));
}

void CString::FormatV(const char* format, va_list args)
{
    if (!format) {
        m_s.clear();
        return;
    }
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n < 0) {
        m_s.clear();
        return;
    }
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(static_cast<size_t>(n));
    m_s = std::move(out);
}

void CString::FormatRaw(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}
