// Number/text conversion and the small Shift-JIS string tools of the parsers, definition-file
// readers, listings and file formats. Lengths and positions count bytes.
#include <cstring>

#include "geometry/Numeric.h"
#include "platform/core/Runtime.h"

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

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

double StringToDouble(const CString& text)
{
    return CrtAtof(text.Left(ConvertedBytes));
}

int StringToInt(const CString& text)
{
    return CrtAtoi(text.Left(ConvertedBytes));
}

CString DoubleToString(double v)
{
    char buffer[_CVTBUFSIZE];
    CString s(_gcvt(v, 15, buffer));
    // The runtime keeps the point of a whole number ("100."); the program's texts do not.
    int len = s.GetLength();
    if (len > 1 && s.GetAt(len - 1) == '.') {
        s = s.Left(len - 1);
    }
    return s;
}

CString DoubleRefToString(const double& v)
{
    return DoubleToString(v);
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
