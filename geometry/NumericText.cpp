// Number/text conversion and the small Shift-JIS string tools of the parsers, definition-file
// readers, listings and file formats. Lengths and positions count bytes.
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

#include "geometry/Numeric.h"

CString IntToString(int v)
{
    CString s;
    s.Format("%d", v);
    return s;
}

CString IntRefToString(const int& v)
{
    return IntToString(v);
}

CString LongRefToString(const long& v)
{
    CString s;
    s.Format("%ld", v);
    return s;
}

namespace {

// Only the first 29 bytes of a text take part in a conversion.
constexpr int ConvertedBytes = 29;

bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The runtime's atof, independent of the process locale (a toolkit may set a locale whose
// decimal point is a comma): white space, an optional sign, then the longest decimal numeral.
// Skips leading white space and one sign; returns whether the sign was a minus.
bool SkipSpaceAndSign(const char*& p, const char* end)
{
    while (p < end && IsCSpace(*p)) {
        ++p;
    }
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = (*p == '-');
        ++p;
    }
    return negative;
}

double ParseLeadingDouble(const char* p, const char* end)
{
    bool negative = SkipSpaceAndSign(p, end);
    if (p >= end || !(IsDigit(*p) || *p == '.')) {
        return 0.0;
    }
    double v = 0.0;
    std::from_chars_result r = std::from_chars(p, end, v, std::chars_format::general);
    if (r.ec == std::errc::invalid_argument) {
        return 0.0;
    }
    // Out of range: from_chars leaves v untouched; the runtime gives a huge value or zero.
    if (r.ec == std::errc::result_out_of_range) {
        const char* q = p;
        while (q < end && (IsDigit(*q) || *q == '.')) {
            ++q;
        }
        bool tiny = (q < end && (*q == 'e' || *q == 'E') && q + 1 < end && q[1] == '-');
        v = tiny ? 0.0 : HUGE_VAL;
    }
    return negative ? -v : v;
}

int ParseLeadingInt(const char* p, const char* end)
{
    bool negative = SkipSpaceAndSign(p, end);
    long long v = 0;
    while (p < end && IsDigit(*p)) {
        // Saturate rather than overflow; a numeral of 29 digits is possible input.
        if (v <= static_cast<long long>(INT_MAX) + 1) {
            v = v * 10 + (*p - '0');
        }
        ++p;
    }
    if (negative) {
        v = -v;
    }
    if (v > INT_MAX) {
        return INT_MAX;
    }
    if (v < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(v);
}

int ConvertedLength(const CString& text)
{
    int n = text.GetLength();
    return n < ConvertedBytes ? n : ConvertedBytes;
}

} // namespace

double StringToDouble(const CString& text)
{
    const char* p = text.GetString();
    return ParseLeadingDouble(p, p + ConvertedLength(text));
}

int StringToInt(const CString& text)
{
    const char* p = text.GetString();
    return ParseLeadingInt(p, p + ConvertedLength(text));
}

void UnpackLogFont(LOGFONT f, double& angle, double& height, double& width, int& italic,
                   int& underline, int& strikeOut, CString& face)
{
    angle = -f.lfEscapement * 0.1;
    height = -static_cast<double>(f.lfHeight);
    width = static_cast<double>(f.lfWidth);
    italic = f.lfItalic != 0 ? 1 : 0;
    underline = f.lfUnderline != 0 ? 1 : 0;
    strikeOut = f.lfStrikeOut != 0 ? 1 : 0;
    // A face name read from a file may fill all 32 bytes without a terminator.
    face = CString(f.lfFaceName, static_cast<int>(strnlen(f.lfFaceName, LF_FACESIZE)));
}

int IsNumericText(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i) {
        char c = text.GetAt(i);
        if (!(IsDigit(c) || c == '+' || c == '-' || c == '.' || c == 'E' || c == 'e')) {
            return 0;
        }
    }
    return 1;
}

int SplitNumberAt(const CString& text, int pos, CString& before, CString& number, CString& rest)
{
    if (pos < 0) {
        return 0;
    }
    int len = text.GetLength();
    before = text.Left(pos);
    int i = pos;
    while (i < len) {
        char c = text.GetAt(i);
        if (!(IsDigit(c) || c == '+' || c == '-' || c == '.')) {
            break;
        }
        ++i;
    }
    number += text.Mid(pos < len ? pos : len, i - pos);
    // With no numeral at pos, the byte there belongs to no output.
    int restStart = (i == pos) ? pos + 1 : i;
    if (restStart < len) {
        rest = text.Mid(restStart);
    }
    return 1;
}

namespace {

const char FullWidthBlank[] = "\x81\x40";

} // namespace

void TrimBlanks(CString& s)
{
    for (int pass = 0; pass < 20; ++pass) {
        int len = s.GetLength();
        bool frontSpace = len >= 1 && s.GetAt(0) == ' ';
        bool frontWide = len >= 2 && s.Left(2) == FullWidthBlank;
        bool backSpace = len >= 1 && s.GetAt(len - 1) == ' ';
        bool backWide = len >= 2 && s.Right(2) == FullWidthBlank;
        if (!frontSpace && !frontWide && !backSpace && !backWide) {
            return;
        }
        if (frontSpace) {
            s.TrimLeft();
        } else if (frontWide) {
            s = s.Mid(2);
        }
        if (backSpace) {
            s.TrimRight();
        } else if (backWide && s.GetLength() >= 2) {
            // The front step may already have taken a lone full-width blank.
            s = s.Left(s.GetLength() - 2);
        }
    }
}

CString Concat10Strings(const CString& s1, const CString& s2, const CString& s3,
                        const CString& s4, const CString& s5, const CString& s6,
                        const CString& s7, const CString& s8, const CString& s9,
                        const CString& s10)
{
    return s1 + s2 + s3 + s4 + s5 + s6 + s7 + s8 + s9 + s10;
}

CString StripComments(CString text)
{
    int slashes = text.Find("//");
    if (slashes >= 0) {
        text = text.Left(slashes);
    }
    text = RemoveBlockComments(text);
    text.TrimLeft();
    text.TrimRight();
    return text;
}

CString RemoveBlockComments(CString text)
{
    CString result;
    for (int pass = 0; pass < 10; ++pass) {
        int open = text.Find("/*");
        int close = text.Find("*/");
        if (open == -1) {
            result += text;
            break;
        }
        result += text.Left(open);
        if (close == -1) {
            break;
        }
        text = text.Mid(close + 2);
    }
    return result;
}

int ContainsDoubleByteChar(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i) {
        unsigned char c = static_cast<unsigned char>(text.GetAt(i));
        if (c >= 0x80 && c <= 0x9F) {
            return 1;
        }
    }
    return 0;
}
