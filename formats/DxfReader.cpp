// The DXF import: sections, the line-type table, entities, block definitions and the expansion
// of insertions into plain elements.
#include "formats/DxfReader.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "elements/ElementDrawing.h"
#include "elements/TypeFont.h"
#include "formats/Block.h"
#include "formats/uStyle.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"
#include "geometry/Transforms.h"

namespace {

constexpr double kPi = 3.141592653589793;
// A block that copies nested insertions doubles with each level; past this many records a
// further copy is refused so that a small file cannot exhaust the memory.
constexpr int kMaxBlockRecords = 200000;

// Group codes as a table of flags, one per code below 240 (the highest the import handles).
struct CodeSet {
    std::array<bool, 240> in{};
    constexpr CodeSet(std::initializer_list<int> codes)
    {
        for (int c : codes)
            in[static_cast<size_t>(c)] = true;
    }
    constexpr bool Has(int code) const
    {
        return code >= 0 && code < static_cast<int>(in.size()) && in[static_cast<size_t>(code)];
    }
};

constexpr CodeSet kHandledInEntities{1,  2,  5,  6,  7,  8,  10, 11, 12, 13, 14, 15, 16, 20,
                                     21, 22, 23, 24, 25, 26, 30, 31, 32, 33, 34, 35, 36, 40,
                                     41, 42, 43, 44, 45, 50, 51, 62, 70, 71, 72, 210, 220, 230};
constexpr CodeSet kHandledInBlocks{1,  2,  5,  6,  7,  8,  10, 11, 12, 13, 20, 21, 22, 23, 30, 31,
                                   32, 33, 40, 41, 42, 43, 50, 51, 62, 70, 71, 72, 210, 220, 230};
// Values the import cannot do without: a file cut inside one of them is a failed import.
constexpr CodeSet kEssential{5,  6,  8,  10, 11, 12, 13, 14, 15, 16, 20, 21, 22, 23, 24, 25,
                             26, 30, 31, 32, 33, 34, 35, 36, 40, 50, 51, 62, 210, 220, 230};

bool Handled(int code, bool inBlock)
{
    return (inBlock ? kHandledInBlocks : kHandledInEntities).Has(code);
}

// Integer values are compared by their text without the padding blanks, so that files whose
// writers do not pad them read like padded ones. The blanks and tabs are cut byte by byte: the
// values are only compared with words of ASCII characters, and a value holding a double-byte
// character is none of them however its ends are cut.
std::string_view Trimmed(const CString& s)
{
    std::string_view v = s.View();
    while (!v.empty() && (v.front() == ' ' || v.front() == '\t'))
        v.remove_prefix(1);
    while (!v.empty() && (v.back() == ' ' || v.back() == '\t'))
        v.remove_suffix(1);
    return v;
}

bool IsHalfWidthFont(const CString& face)
{
    return g_pApp && g_pApp->IsHalfWidthDxfFont(face);
}

LOGFONT CurrentTextFont()
{
    return g_pApp ? g_pApp->m_appText.m_logFont : DefaultTextLogFont();
}

// A face name of 32 bytes or more would leave the font description without its terminating NUL.
void SetFaceName(LOGFONT& font, const CString& name)
{
    int n = MbSafeCutLength(name, name.GetLength(), 31);
    std::memset(font.lfFaceName, 0, sizeof(font.lfFaceName));
    std::memcpy(font.lfFaceName, static_cast<const char*>(name), static_cast<size_t>(n));
}

CString ReplaceDiameterMark(const CString& text)
{
    CString out = text;
    int at = out.Find("\\U+2205");
    if (at >= 0)
        out = out.Left(at) + "φ" + out.Mid(at + 7);
    return out;
}

// Texts of the file get their fonts under the standard text shape; the user's shape comes back
// afterwards.
class CStandardTextShape {
public:
    CStandardTextShape()
    {
        if (g_pApp)
            g_pApp->OnTextShapeStandard();
    }
    ~CStandardTextShape()
    {
        if (g_pApp)
            g_pApp->m_appText.RestoreShape();
    }
    CStandardTextShape(const CStandardTextShape&) = delete;
    CStandardTextShape& operator=(const CStandardTextShape&) = delete;
};


// Steps 2 and 3 of the arc-angle normalisation: an end before the start gets a turn back, then
// a negative start a turn forward.
void OrderArcAngles(double& a, double& b)
{
    if (NearlyEqual(a, b))
        b = a;
    else if (a > b)
        a -= 360.0;
    if (NearlyEqual(a, 0.0))
        a = 0.0;
    else if (a < 0.0) {
        a += 360.0;
        b += 360.0;
    }
}

void TurnArcAngles(CPointD& angles, double rotation)
{
    angles.m_x += rotation;
    angles.m_y += rotation;
    if (angles.m_x < 0.0) {
        angles.m_x += 360.0;
        angles.m_y += 360.0;
    } else if (angles.m_x > 360.0) {
        angles.m_x -= 360.0;
        angles.m_y -= 360.0;
    }
}

int StyleLineType(int dashCount, const double* dashes)
{
    switch (dashCount) {
    case 0:
    case 1:
        return 0;
    case 2:
        if ((dashes[0] == 0.0 && dashes[1] < 0.0) || (dashes[0] < 0.0 && dashes[1] == 0.0))
            return 2;
        return 1;
    case 4:
        return 3;
    case 6:
        return 4;
    default:
        return 0;
    }
}

struct CInsertFrame {
    CPointD base;
    CPointD point;
    CPointD scale;
    double rotation;
    CPointD Apply(const CPointD& p) const
    {
        CPointD q = RotateScalePointDeg(p, base, rotation, scale);
        return CPointD().Init(q.m_x - base.m_x + point.m_x, q.m_y - base.m_y + point.m_y);
    }
};

}  // namespace

namespace {

// The powers of ten a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// digits / 10^decimals for digits below 10^15 and at most 22 decimals: both are exact doubles, so
// the one division rounds correctly, as the general reading does.
[[gnu::always_inline]] inline double ExactDecimal(std::uint64_t digits, std::ptrdiff_t decimals)
{
    const double value = static_cast<double>(digits);
    return decimals > 0 ? value / kExactPowersOfTen[decimals] : value;
}

// Adds the run of digits at p to digits and returns its end. Two digits a step: the second is
// read only after the first proved to be a digit, so nothing past the text's end is touched.
[[gnu::always_inline]] inline const char* TakeDigits(const char* p, std::uint64_t& digits)
{
    for (;;) {
        const unsigned a = static_cast<unsigned char>(p[0]) - unsigned{'0'};
        if (a > 9)
            return p;
        const unsigned b = static_cast<unsigned char>(p[1]) - unsigned{'0'};
        if (b > 9) {
            digits = digits * 10 + a;
            return p + 1;
        }
        digits = digits * 100 + (a * 10 + b);
        p += 2;
    }
}

// The value of a plain decimal (digits, perhaps a point and more digits, nothing after them that
// could continue a number) of at most 15 significant digits and 22 decimals; false for any
// other form.
bool FastDecimal(const char* p, double& value)
{
    // Leading zeros are not significant; every digit after the first other one is. Digits run
    // on without a check (a long run wraps around and is refused by its count).
    while (*p == '0')
        ++p;
    const char* first = p;
    std::uint64_t digits = 0;
    p = TakeDigits(p, digits);
    std::ptrdiff_t significant = p - first;
    std::ptrdiff_t decimals = 0;
    if (*p == '.') {
        const char* point = ++p;
        if (digits == 0)
            while (*p == '0')
                ++p;
        first = p;
        p = TakeDigits(p, digits);
        significant += p - first;
        decimals = p - point;
    }
    if (significant > 15 || decimals > 22)
        return false;
    if (*p == '.' || *p == 'e' || *p == 'E' || *p == '+' || *p == '-')
        return false;
    value = ExactDecimal(digits, decimals);
    return true;
}

}  // namespace

// Values as writers give them (blanks, a sign, up to nine digits) are read without the C
// library's locale work; anything else (other white space, more digits, no digit after the
// sign) is left to the library itself.
int DxfAtoi(const char* text)
{
    const char* p = text;
    while (*p == ' ')
        ++p;
    // An empty value (a group the entity did not give) is zero.
    if (*p == '\0')
        return 0;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    if (*p < '0' || *p > '9')
        return std::atoi(text);
    int value = 0;
    for (int count = 0; *p >= '0' && *p <= '9'; ++p, ++count) {
        if (count == 9)
            return std::atoi(text);
        value = value * 10 + (*p - '0');
    }
    return negative ? -value : value;
}

// The common forms (blanks, a sign, digits with a point and an exponent) are read without the C
// library's locale and buffer work, correctly rounded as it rounds; anything else (hexadecimal,
// infinities, out of range) is left to the library itself.
double DxfAtof(const char* text)
{
    // The form most writers give: a minus perhaps, then digits with a point perhaps and nothing
    // after them, at most 15 digits in all (leading zeros counted too) and so an exact double.
    {
        const bool minus = *text == '-';
        const char* first = text + (minus ? 1 : 0);
        std::uint64_t digits = 0;
        const char* q = TakeDigits(first, digits);
        std::ptrdiff_t count = q - first;
        std::ptrdiff_t decimals = 0;
        if (*q == '.') {
            const char* point = ++q;
            q = TakeDigits(q, digits);
            decimals = q - point;
            count += decimals;
        }
        if (*q == '\0' && count > 0 && count <= 15) {
            const double value = ExactDecimal(digits, decimals);
            return minus ? -value : value;
        }
    }
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    // An empty value (a group the entity did not give) is zero.
    if (*p == '\0')
        return 0.0;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    if (!((*p >= '0' && *p <= '9') || (*p == '.' && p[1] >= '0' && p[1] <= '9')))
        return std::atof(text);
    if (*p == '0' && (p[1] == 'x' || p[1] == 'X'))
        return std::atof(text);
    double plain = 0.0;
    if (FastDecimal(p, plain))
        return negative ? -plain : plain;
    const char* end = p;
    while ((*end >= '0' && *end <= '9') || *end == '.' || *end == 'e' || *end == 'E' ||
           *end == '+' || *end == '-')
        ++end;
    double value = 0.0;
    const auto result = std::from_chars(p, end, value);
    if (result.ec != std::errc())
        return std::atof(text);
    return negative ? -value : value;
}

int DxfJustifyToAlign(const CString& justify)
{
    const std::string_view value = Trimmed(justify);
    if (value == "1")
        return 14;
    if (value == "2")
        return 10;
    if (value == "3" || value == "4")
        return 38;
    return 8;
}

int DxfLineTypeOf(const CObArray& styles, const CString& name)
{
    for (int i = 0; i < styles.GetSize(); ++i) {
        const CuStyle* s = static_cast<const CuStyle*>(styles[i]);
        if (s->m_name == name)
            return s->m_lineType;
    }
    return 0;
}

int ReadDxfLine(const BYTE* data, int length, int& position, char* line, int* textLength)
{
    const int start = position < 0 ? 0 : position;
    const int available = length > start ? length - start : 0;
    return ReadDxfLineFrom(data + (available > 0 ? start : 0), available, length, position, line,
                           textLength);
}

namespace {

// The reading of one line, for ReadDxfLineFrom and for the reader's own loop.
[[gnu::always_inline]] inline int ScanDxfLine(const BYTE* from, int available, int length,
                                              int& position, char* line, int* textLength)
{
    const int start = position < 0 ? 0 : position;
    // A line end is looked for in the longest line and the byte after it. Lines are short: one
    // pass over their bytes finds the first CR or LF and the first NUL, passing over eight bytes
    // at a time while none of them is a control byte up to CR.
    const int window = available < kDxfLineMax + 1 ? available : kDxfLineMax + 1;
    int end = 0;
    int text = -1;
    while (end < window) {
        if constexpr (std::endian::native == std::endian::little) {
            if (end + 8 <= window) {
                std::uint64_t bytes = 0;
                std::memcpy(&bytes, from + end, sizeof bytes);
                // The lowest byte flagged is the first below 0x0E; higher flags may be false.
                const std::uint64_t low =
                    (bytes - 0x0E0E0E0E0E0E0E0Eull) & ~bytes & 0x8080808080808080ull;
                if (!low) {
                    end += 8;
                    continue;
                }
                end += std::countr_zero(low) >> 3;
            }
        }
        const BYTE c = from[end];
        if (c == '\n' || c == '\r')
            break;
        if (c == '\0' && text < 0)
            text = end;
        ++end;
    }
    if (end < window) {
        // Short lines are copied as sixteen bytes: the line buffer holds them, and the bytes
        // after the terminating NUL are never looked at.
        if (end < 16 && window >= 16)
            std::memcpy(line, from, 16);
        else
            std::memcpy(line, from, static_cast<size_t>(end));
        line[end] = '\0';
        if (textLength)
            *textLength = text < 0 ? end : text;
        const int p = start + end;
        const bool cr = from[end] == '\r';
        position = (cr && (end + 1 >= available || from[end + 1] == '\n')) ? p + 2 : p + 1;
        return 1;
    }
    const int copied = window < kDxfLineMax ? window : kDxfLineMax;
    // Nothing at hand may come without any bytes to point at.
    if (copied > 0)
        std::memcpy(line, from, static_cast<size_t>(copied));
    line[copied] = '\0';
    if (textLength)
        *textLength = static_cast<int>(std::strlen(line));
    // Data that ends inside a line goes on two bytes after it; an overlong line goes on two
    // bytes after its first 1023 bytes.
    position = window < kDxfLineMax ? length + 2 : start + 1023 + 2;
    return 0;
}

}  // namespace

int ReadDxfLineFrom(const BYTE* from, int available, int length, int& position, char* line,
                    int* textLength)
{
    return ScanDxfLine(from, available, length, position, line, textLength);
}

CDxfReader::CDxfReader(CZelkDoc* doc, CDxfSource& source, int* layerReplaced)
    : CDxfReader(doc, nullptr, 0, layerReplaced)
{
    m_source = &source;
}

CDxfReader::CDxfReader(CZelkDoc* doc, const BYTE* data, int length, int* layerReplaced)
    : m_doc(doc), m_data(data), m_length(length), m_layerReplaced(layerReplaced)
{
    m_line[0] = '\0';
    m_groups[210] = "0";
    m_groups[220] = "0";
    m_groups[230] = "1";
    m_importStart = m_doc->m_dxfBlocks.GetSize();
    for (int i = 0; i < m_importStart; ++i)
        m_earlierBlocks.emplace(std::string(static_cast<const char*>(BlockAt(i)->m_name)), i);
}

CDxfReader::~CDxfReader()
{
    for (int i = 0; i < m_styles.GetSize(); ++i)
        delete static_cast<CuStyle*>(m_styles[i]);
    m_styles.RemoveAll();
}

// A value that is not finite ("nan", "inf", a number past the double range) reads as 0, the
// value of a group the entity did not give: the views turn coordinates into pixels, where an
// infinity or NaN has no integer.
double CDxfReader::Atof(const CString& s)
{
    const double value = DxfAtof(s);
    return std::isfinite(value) ? value : 0.0;
}

double CDxfReader::InsertNumber(const CString& s)
{
    const double value = StringToDouble(s);
    return std::isfinite(value) ? value : 0.0;
}

int CDxfReader::Atoi(const CString& s) { return DxfAtoi(s); }

CBlock* CDxfReader::BlockAt(int i) const { return static_cast<CBlock*>(m_doc->m_dxfBlocks[i]); }

namespace {

// Most lines are shorter than sixteen bytes and end well inside the bytes at hand (from[0..24)
// at least): such a line is read as ScanDxfLine reads it, from two words of eight bytes.
[[gnu::always_inline]] inline bool ScanShortDxfLine(const BYTE* from, int start, int& position,
                                                     char* line, int& textLength)
{
    if constexpr (std::endian::native != std::endian::little) {
        return false;
    } else {
        std::uint64_t words[2];
        std::memcpy(words, from, sizeof words);
        int end = 0;
        // The lowest byte flagged is the first below 0x0E; higher flags may be false.
        std::uint64_t low = (words[0] - 0x0E0E0E0E0E0E0E0Eull) & ~words[0] & 0x8080808080808080ull;
        if (low) {
            end = std::countr_zero(low) >> 3;
        } else {
            low = (words[1] - 0x0E0E0E0E0E0E0E0Eull) & ~words[1] & 0x8080808080808080ull;
            if (!low)
                return false;
            end = 8 + (std::countr_zero(low) >> 3);
        }
        const BYTE c = from[end];
        if (c != '\n' && c != '\r')
            return false;
        std::memcpy(line, words, sizeof words);
        line[end] = '\0';
        textLength = end;
        position = start + end + (c == '\r' && from[end + 1] == '\n' ? 2 : 1);
        return true;
    }
}

}  // namespace

bool ReadShortDxfLine(const BYTE* from, int position, int& nextPosition, char* line,
                      int& textLength)
{
    return ScanShortDxfLine(from, position, nextPosition, line, textLength);
}

// Every line of the file comes through here, so the common case is laid into each caller.
[[gnu::always_inline]] inline int CDxfReader::ReadLine()
{
    const int start = m_position < 0 ? 0 : m_position;
    if (m_source) {
        if (m_window && start >= m_windowStart && m_windowEnd - start >= 24 &&
            ScanShortDxfLine(m_window + (start - m_windowStart), start, m_position, m_line,
                             m_lineLength))
            return 1;
    } else if (m_length - start >= 24 &&
               ScanShortDxfLine(m_data + start, start, m_position, m_line, m_lineLength)) {
        return 1;
    }
    return ReadLineInWindow();
}

int CDxfReader::ReadLineInWindow()
{
    if (!m_source)
        return ReadDxfLine(m_data, m_length, m_position, m_line, &m_lineLength);
    const int start = m_position < 0 ? 0 : m_position;
    // The source promises the longest line and two bytes more, or everything to the end.
    const bool inWindow = m_window && start >= m_windowStart && start <= m_windowEnd &&
                          (start + kDxfLineMax + 2 <= m_windowEnd || m_windowEnd >= m_windowLength);
    if (!inWindow) {
        int available = 0;
        m_window = m_source->From(start, available);
        m_windowStart = start;
        m_windowEnd = start + available;
        m_windowLength = m_source->Length();
    }
    return ScanDxfLine(m_window + (start - m_windowStart), m_windowEnd - start, m_windowLength,
                       m_position, m_line, &m_lineLength);
}

// The group code of the current line, or -1 when the line is not one: blanks around the digits
// are ignored, so unpadded codes read like padded ones. Every code line comes through here, so
// it is laid into each caller.
[[gnu::always_inline]] inline int CDxfReader::Code() const
{
    const char* s = m_line;
    // Writers pad codes to three places; each byte is looked at only after the one before it
    // proved no end of the line.
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (s[0] == ' ') {
        if (s[1] == ' ') {
            if (digit(s[2]) && s[3] == '\0')
                return s[2] - '0';
        } else if (s[1] >= '1' && s[1] <= '9' && digit(s[2]) && s[3] == '\0') {
            return 10 * (s[1] - '0') + (s[2] - '0');
        }
    } else if (s[0] >= '1' && s[0] <= '9' && digit(s[1]) && digit(s[2]) && s[3] == '\0') {
        return 100 * (s[0] - '0') + 10 * (s[1] - '0') + (s[2] - '0');
    }
    while (*s == ' ')
        ++s;
    const char* digits = s;
    int value = 0;
    while (*s >= '0' && *s <= '9') {
        if (s - digits >= 4)
            return -1;
        value = value * 10 + (*s - '0');
        ++s;
    }
    int count = static_cast<int>(s - digits);
    if (count == 0 || (count > 1 && *digits == '0'))
        return -1;
    while (*s == ' ')
        ++s;
    return *s == '\0' ? value : -1;
}

bool CDxfReader::LineIs(const char* text) const { return std::strcmp(m_line, text) == 0; }

int CDxfReader::Run()
{
    // Nothing but this import touches the drawing's tables until it returns.
    CDocTablesHold held(m_doc);
    for (;;) {
        if (!ReadLine())
            return 1;
        bool entities = false;
        bool blocks = false;
        if (LineIs("ENTITIES"))
            entities = true;
        else if (LineIs("BLOCKS"))
            blocks = true;
        else if (LineIs("TABLES"))
            TablesLoop();
        if (entities || blocks || LineIs("SECTION") || LineIs("TABLES"))
            m_sectionSeen = true;
        if (blocks && BlocksLoop() == kFail)
            return 0;
        if (entities && EntitiesLoop() == kFail)
            return 0;
    }
}

// ---- tables ----------------------------------------------------------------------------

bool CDxfReader::TablesLoop()
{
    for (;;) {
        if (!ReadLine())
            return false;
        int code = Code();
        if (code == 0) {
            if (!ReadLine() || LineIs("ENDSEC"))
                return false;
        } else if (code == 2) {
            if (!ReadLine())
                return false;
            if (LineIs("LTYPE") && LineTypeLoop() == 0)
                return false;
        } else if (code > 0) {
            if (!ReadLine())
                return false;
        }
    }
}

// 0 when the tables are done with (ENDTAB or the end of the data), 1 when the search for the
// line-type table goes on.
int CDxfReader::LineTypeLoop()
{
    bool pending = false;
    CString name, count, length;
    double dashes[6] = {};
    int dashIndex = 0;
    for (;;) {
        if (!ReadLine())
            return 0;
        int code = Code();
        if (code < 0)
            continue;
        if (code != 0 && !ReadLine())
            return 0;
        switch (code) {
        case 0: {
            if (pending) {
                CuStyle* style = new CuStyle;
                style->m_name = name;
                style->m_dashCount = Atoi(count);
                style->m_patternLength = Atof(length);
                std::memcpy(style->m_dashes, dashes, sizeof(dashes));
                style->m_lineType = StyleLineType(style->m_dashCount, dashes);
                int index = m_styles.Add(style);
                m_styleIndex.emplace(std::string(static_cast<const char*>(name)), index);
            }
            if (!ReadLine())
                return 0;
            if (LineIs("ENDTAB"))
                return 0;
            bool another = LineIs("LTYPE");
            name.Empty();
            count.Empty();
            length.Empty();
            if (!another)
                return 1;
            pending = true;
            dashIndex = 0;
            std::memset(dashes, 0, sizeof(dashes));
            break;
        }
        case 2:
            name = m_line;
            break;
        case 73:
            count = m_line;
            break;
        case 40:
            length = m_line;
            break;
        case 49:
            if (dashIndex < 6)
                dashes[dashIndex] = Atof(m_line);
            ++dashIndex;
            break;
        default:
            break;
        }
    }
}

// ---- collecting an entity ----------------------------------------------------------------

// An entity's value line that cannot be read ends the import as failed when the value is one
// the import cannot do without, else it ends the section.
CDxfReader::Flow CDxfReader::ValueCut(int code, bool inBlock)
{
    return Handled(code, inBlock) && kEssential.Has(code) ? kFail : kStop;
}

[[gnu::always_inline]] inline CDxfReader::Flow CDxfReader::CollectGroup(int code, bool inBlock)
{
    if (!ReadLine())
        return ValueCut(code, inBlock);
    if (!Handled(code, inBlock))
        return kGo;
    // The line buffer holds sixteen bytes at least.
    m_groups[code].SetShortString(m_line, m_lineLength);
    if (!m_collected[code]) {
        m_collected[code] = true;
        m_collectedCodes.push_back(code);
    }
    if (code == 2 && (m_kind == 10 || (m_kind == 16 && !inBlock))) {
        m_blockIndex = FindBlock(m_groups[2]);
        // A block that inserts itself would be copied into itself without end.
        if (inBlock && m_blockIndex == m_currentBlock)
            m_blockIndex = -1;
    }
    return kGo;
}

namespace {

// Most entities leave the groups with defaults alone: a value already there is not set again.
[[gnu::always_inline]] inline void SetDefault(CString& group, std::string_view value)
{
    const std::string_view have = group.View();
    if (have.size() != value.size() || std::memcmp(have.data(), value.data(), value.size()) != 0)
        group = CString(value);
}

}  // namespace

void CDxfReader::ResetGroups()
{
    if (m_vertex) {
        m_groups[11] = m_groups[10];
        m_groups[21] = m_groups[20];
        m_groups[31] = m_groups[30];
        m_groups[42].Empty();
    } else if (m_kind != 5) {
        m_groups[11].Empty();
        m_groups[21].Empty();
        m_groups[31].Empty();
        SetDefault(m_groups[42], "1");
    }
    // Only collected values can be set. Once the defaults are in place, only collecting changes
    // groups 7, 43, 210, 220 and 230, so those go back to their defaults where collected; a text
    // empties 41 when it starts, so 41 is set again in any case.
    for (int code : m_collectedCodes) {
        m_collected[code] = false;
        switch (code) {
        case 11:
        case 21:
        case 31:
        case 42:
            break;
        case 7:
            SetDefault(m_groups[7], "STANDARD");
            break;
        case 43:
        case 230:
            SetDefault(m_groups[code], "1");
            break;
        case 210:
        case 220:
            SetDefault(m_groups[code], "0");
            break;
        default:
            m_groups[code].Empty();
            break;
        }
    }
    m_collectedCodes.clear();
    SetDefault(m_groups[41], "1");
    if (!m_defaultsSet) {
        SetDefault(m_groups[7], "STANDARD");
        SetDefault(m_groups[43], "1");
        SetDefault(m_groups[210], "0");
        SetDefault(m_groups[220], "0");
        SetDefault(m_groups[230], "1");
        m_defaultsSet = true;
    }
    m_blockIndex = -1;
}

void CDxfReader::Dispatch(const CString& name, bool inBlock)
{
    // Names are told apart by their lengths first: most comparisons end there.
    static constexpr struct {
        std::string_view name;
        int kind;
    } kKinds[] = {{"LINE", 1},    {"ARC", 2},     {"CIRCLE", 3}, {"TEXT", 4},
                  {"POLYLINE", 5}, {"SOLID", 6},  {"POINT", 7},  {"TRACE", 8},
                  {"INSERT", 10}, {"ATTDEF", 11}, {"ATTRIB", 12}, {"SHAPE", 13},
                  {"3DLINE", 14}, {"3DFACE", 15}, {"DIMENSION", 16}};
    const std::string_view text = name.View();
    for (const auto& k : kKinds) {
        if (text == k.name) {
            m_kind = k.kind;
            if (k.kind == 4)
                m_groups[41].Empty();
            if (k.kind == 5) {
                m_groups[42].Empty();
                m_prevBulge.Empty();
                m_closed = 0;
            }
            return;
        }
    }
    if (name.View() == "VERTEX" && m_kind == 5) {
        m_vertex = 1;
        return;
    }
    if (inBlock) {
        if (name.View() == "ENDBLK")
            m_inBlock = 0;
        m_kind = 0;
    }
    NoteSkipped(name);
}

void CDxfReader::NoteSkipped(const CString& name)
{
    // The names that close something are no entities.
    static constexpr std::string_view kClosing[] = {"SEQEND", "ENDBLK", "ENDSEC", "VERTEX", "EOF"};
    const std::string_view text = name.View();
    if (text.empty())
        return;
    for (std::string_view closing : kClosing)
        if (text == closing)
            return;
    // Found by name: a damaged file may name a new kind with every entity.
    const auto [at, added] = m_skippedIndex.emplace(std::string(text), m_skipped.size());
    if (added)
        m_skipped.emplace_back(name, 1);
    else
        ++m_skipped[at->second].second;
}

// The entity read so far ends at the group 0 named name: it is added, a polyline ends at its
// SEQEND, and the groups go back to their defaults (a polyline keeps its kind for its vertices).
void CDxfReader::FinishEntity(const CString& name, bool inBlock)
{
    Complete(inBlock);
    if (name.View() == "SEQEND") {
        FinishPolyline(inBlock);
        m_kind = 0;
    } else if (m_kind != 5) {
        m_kind = 0;
    }
    ResetGroups();
}

void CDxfReader::StartEntity(const CString& name, bool inBlock)
{
    Dispatch(name, inBlock);
    SetDefault(m_groups[210], "0");
    SetDefault(m_groups[220], "0");
    SetDefault(m_groups[230], "1");
}

void CDxfReader::ClearEntityState()
{
    m_kind = 0;
    m_closed = 0;
    m_vertex = 0;
    m_firstX.Empty();
    m_firstY.Empty();
    m_prevBulge.Empty();
    m_defaultStartWidth = m_defaultEndWidth = 0.0;
    m_startWidth = m_endWidth = 0.0;
    m_blockIndex = -1;
}

// ---- sections ----------------------------------------------------------------------------

CDxfReader::Flow CDxfReader::EntitiesLoop()
{
    for (;;) {
        if (!ReadLine())
            return kStop;
        int code = Code();
        if (code < 0)
            continue;
        if (code != 0) {
            Flow f = CollectGroup(code, false);
            if (f != kGo)
                return f;
            continue;
        }
        if (!ReadLine())
            return kStop;
        CString name(m_line, m_lineLength);
        FinishEntity(name, false);
        if (name.View() == "ENDSEC")
            return kGo;
        // The groups' defaults were just set again by FinishEntity.
        Dispatch(name, false);
    }
}

CDxfReader::Flow CDxfReader::BlocksLoop()
{
    for (;;) {
        if (!ReadLine())
            return kStop;
        int code = Code();
        if (code == 0) {
            if (!ReadLine())
                return kStop;
            if (LineIs("ENDSEC"))
                return kGo;
            if (LineIs("BLOCK")) {
                CBlock* block = new CBlock;
                m_currentBlock = m_doc->m_dxfBlocks.Add(block);
                NameCurrentBlock(CString());
                m_inBlock = 1;
                m_blockEntitySeen = false;
            } else if (LineIs("ENDBLK")) {
                m_inBlock = 0;
            }
        } else if (code > 0) {
            if (!ReadLine())
                return kStop;
        }
        ClearEntityState();
        while (m_inBlock) {
            if (!ReadLine())
                return kStop;
            code = Code();
            if (code < 0)
                continue;
            if (code == 0) {
                if (!ReadLine())
                    return kStop;
                CString name = m_line;
                if (m_kind != 0)
                    FinishEntity(name, true);
                if (name.View() == "ENDSEC")
                    return kGo;
                StartEntity(name, true);
                m_blockEntitySeen = true;
                continue;
            }
            if (m_kind != 0) {
                Flow f = CollectGroup(code, true);
                if (f != kGo)
                    return f;
                continue;
            }
            // Groups of an entity the reader does not know (an ellipse, a hatch) would otherwise
            // rename the block or move its base point.
            if (m_blockEntitySeen) {
                if (!ReadLine())
                    return ValueCut(code, true);
                continue;
            }
            // The block's own groups.
            if (!ReadLine())
                return code == 8 ? kFail : kStop;
            CBlock* block = BlockAt(m_currentBlock);
            if (code == 2)
                NameCurrentBlock(m_line);
            else if (code == 10)
                block->m_base.m_x = Atof(m_line);
            else if (code == 20)
                block->m_base.m_y = Atof(m_line);
        }
    }
}

// ---- blocks by name ----------------------------------------------------------------------

// Blocks of this import come first, so that a drawing made of several files expands each
// file's blocks; a name only earlier imports define finds the first of them.
int CDxfReader::FindBlock(const CString& name) const
{
    std::string key(static_cast<const char*>(name));
    auto it = m_importBlocks.find(key);
    if (it != m_importBlocks.end())
        return it->second;
    it = m_earlierBlocks.find(key);
    return it != m_earlierBlocks.end() ? it->second : -1;
}

void CDxfReader::NameCurrentBlock(const CString& name)
{
    CBlock* block = BlockAt(m_currentBlock);
    // The current block is the last one, so no later block of its old name exists to take over.
    auto old = m_importBlocks.find(std::string(static_cast<const char*>(block->m_name)));
    if (old != m_importBlocks.end() && old->second == m_currentBlock)
        m_importBlocks.erase(old);
    block->m_name = name;
    m_importBlocks.emplace(std::string(static_cast<const char*>(name)), m_currentBlock);
}

// ---- completing an entity ----------------------------------------------------------------

CDxfReader::Attr CDxfReader::Resolve(bool lineType, bool pen, bool inBlock)
{
    Attr a;
    // A name once accepted keeps its layer for the rest of the import; refused names are checked
    // every time, each refusal with its message.
    auto known = m_layerOfName.find(m_groups[8].Std());
    if (known != m_layerOfName.end()) {
        a.layer = known->second;
    } else {
        CString layer = m_groups[8];
        if (!ValidateLayerName(layer)) {
            *m_layerReplaced = 1;
            layer.Empty();
        }
        if (!layer.IsEmpty()) {
            a.layer = m_doc->GetLayerIndex(layer);
            m_layerOfName.emplace(layer.Std(), a.layer);
        } else {
            // The unnamed layer is looked up once per import: asked again, the document would
            // open a further layer for every entity once the first holds elements.
            if (m_defaultLayer < 0)
                m_defaultLayer = m_doc->GetLayerIndex(layer);
            a.layer = m_defaultLayer;
        }
    }
    if (lineType) {
        auto it = m_styleIndex.find(m_groups[6].Std());
        a.lineType = it != m_styleIndex.end()
                         ? static_cast<CuStyle*>(m_styles[it->second])->m_lineType
                         : 0;
    }
    // Color numbers are 0..256; others (not valid in entities) take "by layer".
    int number = Atoi(m_groups[62]);
    if (number < 0 || number > 256)
        number = 256;
    a.color = m_doc->GetColorValue(number);
    if (pen && !inBlock) {
        const std::uint64_t key =
            (static_cast<std::uint64_t>(static_cast<std::uint32_t>(a.lineType)) << 32) | a.color;
        auto found = m_penOf.find(key);
        if (found != m_penOf.end()) {
            a.pen = found->second;
        } else {
            a.pen = m_doc->FindOrAddPen(a.lineType, 1, a.color, 0, 70);
            if (a.pen >= 0)
                m_penOf.emplace(key, a.pen);
        }
    }
    return a;
}

// The font of a text of the file. The same description finds the same font for the rest of the
// import, as the drawing's fonts do not change meanwhile and new ones come after it. A request
// without a width finds only a font without one: when the drawing measured the font it made
// (it has a window to measure in), the next request would not find it again, so that answer
// is left to the drawing.
std::int16_t CDxfReader::FontFor(const LOGFONT& font, int width, int height, double angle)
{
    FontKey key;
    char* k = key.data();
    std::memcpy(k, &font, sizeof font);
    std::memcpy(k + sizeof font, &width, sizeof width);
    std::memcpy(k + sizeof font + sizeof width, &height, sizeof height);
    std::memcpy(k + sizeof font + sizeof width + sizeof height, &angle, sizeof angle);
    auto known = m_fontOf.find(key);
    if (known != m_fontOf.end())
        return known->second;
    CStandardTextShape shape;
    const std::int16_t f = m_doc->FindOrAddFont(font, width, height, 1, angle);
    if (f >= 0 && (width != 0 || m_doc->GetFont(f)->m_width == 0))
        m_fontOf.emplace(key, f);
    return f;
}

namespace {

// A new block record carrying the entity's line type, color and layer.
template <class Record>
Record* NewBlockRecord(int lineType, COLORREF color, std::int16_t layer)
{
    Record* r = new Record;
    r->m_lineType = lineType;
    r->m_color = color;
    r->m_layer = layer;
    return r;
}

}  // namespace

void CDxfReader::EmitPoint(const CPointD& p, const Attr& a, bool inBlock)
{
    if (!inBlock) {
        m_doc->AddPoint(p, a.layer, a.pen);
        return;
    }
    CBlkPoint* r = NewBlockRecord<CBlkPoint>(a.lineType, a.color, a.layer);
    r->m_position = p;
    BlockAt(m_currentBlock)->m_points.Add(r);
}

void CDxfReader::EmitLine(const CPointD& p, const CPointD& q, const Attr& a, bool inBlock)
{
    if (!inBlock) {
        m_doc->AddLine(p, q, a.layer, a.pen);
        return;
    }
    CBlkLine* r = NewBlockRecord<CBlkLine>(a.lineType, a.color, a.layer);
    r->m_start = p;
    r->m_end = q;
    BlockAt(m_currentBlock)->m_lines.Add(r);
}

void CDxfReader::EmitCircle(const CPointD& c, double radius, const Attr& a, bool inBlock)
{
    if (!inBlock) {
        m_doc->AddCircle(c, radius, a.layer, a.pen);
        return;
    }
    CBlkCircle* r = NewBlockRecord<CBlkCircle>(a.lineType, a.color, a.layer);
    r->m_centre = c;
    r->m_radius = radius;
    BlockAt(m_currentBlock)->m_circles.Add(r);
}

void CDxfReader::EmitArc(const CPointD& c, double radius, double start, double end,
                         const Attr& a, bool inBlock)
{
    CPointD angles;
    angles.Init(start, end);
    if (!inBlock) {
        m_doc->AddArc(c, radius, angles, a.layer, a.pen);
        return;
    }
    CBlkArc* r = NewBlockRecord<CBlkArc>(a.lineType, a.color, a.layer);
    r->m_centre = c;
    r->m_radius = radius;
    r->m_angles = angles;
    BlockAt(m_currentBlock)->m_arcs.Add(r);
}

void CDxfReader::Complete(bool inBlock)
{
    switch (m_kind) {
    case 1: {
        Attr a = Resolve(true, true, inBlock);
        EmitLine(PointOf(10, 20), PointOf(11, 21), a, inBlock);
        break;
    }
    case 2: {
        double a = Atof(m_groups[50]);
        double b = Atof(m_groups[51]);
        a -= 360.0 * std::trunc(a / 360.0);
        b -= 360.0 * std::trunc(b / 360.0);
        OrderArcAngles(a, b);
        Attr attr = Resolve(true, true, inBlock);
        EmitArc(PointOf(10, 20), Atof(m_groups[40]), a, b, attr, inBlock);
        break;
    }
    case 3: {
        Attr a = Resolve(true, true, inBlock);
        EmitCircle(PointOf(10, 20), Atof(m_groups[40]), a, inBlock);
        break;
    }
    case 4:
        if (inBlock)
            AddBlockText();
        else
            AddEntityText();
        break;
    case 5:
        CompletePolyline(inBlock);
        break;
    case 6: {
        for (int code : {10, 20, 11, 21, 12, 22, 13, 23})
            if (m_groups[code].IsEmpty())
                return;
        Attr a = Resolve(true, true, inBlock);
        CPointD c1 = PointOf(10, 20), c2 = PointOf(11, 21), c3 = PointOf(12, 22),
                c4 = PointOf(13, 23);
        EmitLine(c1, c2, a, inBlock);
        EmitLine(c2, c3, a, inBlock);
        if (m_groups[13] != m_groups[12] || m_groups[23] != m_groups[22]) {
            EmitLine(c3, c4, a, inBlock);
            EmitLine(c4, c1, a, inBlock);
        } else {
            EmitLine(c3, c1, a, inBlock);
        }
        break;
    }
    case 7: {
        Attr a = Resolve(true, true, inBlock);
        EmitPoint(PointOf(10, 20), a, inBlock);
        break;
    }
    case 10:
        if (m_blockIndex < 0)
            break;
        if (inBlock)
            CopyInsertIntoBlock();
        else
            ExpandInsert(false);
        break;
    case 16:
        if (m_blockIndex >= 0 && !inBlock)
            ExpandInsert(true);
        break;
    default:
        break;
    }
}

// ---- polylines ---------------------------------------------------------------------------

void CDxfReader::Segment(const CPointD& p, const CPointD& q, const CString& bulgeText,
                         bool widths, const Attr& attr, bool inBlock)
{
    double bulge = Atof(bulgeText);
    if (bulge != 0.0) {
        double length = 0.0;
        double alpha = PointsAngleRadLen(p, q, length);
        CPointD m;
        m.Init((p.m_x + q.m_x + length * bulge * std::cos(alpha - kPi / 2)) / 2,
               (p.m_y + q.m_y + length * bulge * std::sin(alpha - kPi / 2)) / 2);
        CPointD centre;
        double radius = 0.0;
        double angles[2] = {0.0, 0.0};
        if (CircleThrough3Points(p, m, q, centre, radius, angles)) {
            double a = angles[0], b = angles[1];
            if (bulge < 0.0)
                SwapDoubles(a, b);
            OrderArcAngles(a, b);
            EmitArc(centre, radius, a, b, attr, inBlock);
            return;
        }
        EmitLine(p, q, attr, inBlock);
        return;
    }
    EmitLine(p, q, attr, inBlock);
    if (!widths)
        return;
    if (m_startWidth != 0.0 || m_endWidth != 0.0) {
        // The file gives the whole width; each outline lies half of it off the centre line.
        double beta = PointsAngleRad(p, q) + kPi / 2;
        double cx = std::cos(beta), cy = std::sin(beta);
        double ws = m_startWidth / 2, we = m_endWidth / 2;
        CPointD a1, b1, a2, b2;
        a1.Init(p.m_x + ws * cx, p.m_y + ws * cy);
        b1.Init(q.m_x + we * cx, q.m_y + we * cy);
        a2.Init(p.m_x - ws * cx, p.m_y - ws * cy);
        b2.Init(q.m_x - we * cx, q.m_y - we * cy);
        EmitLine(a1, b1, attr, inBlock);
        EmitLine(a2, b2, attr, inBlock);
    }
    if (!m_groups[40].IsEmpty() && !m_groups[41].IsEmpty()) {
        m_startWidth = Atof(m_groups[40]);
        m_endWidth = Atof(m_groups[41]);
    } else {
        m_startWidth = m_defaultStartWidth;
        m_endWidth = m_defaultEndWidth;
    }
}

void CDxfReader::CompletePolyline(bool inBlock)
{
    if (Trimmed(m_groups[70]) == "1")
        m_closed = 1;
    if (!m_vertex) {
        if (!m_groups[40].IsEmpty() && !m_groups[41].IsEmpty()) {
            m_defaultStartWidth = Atof(m_groups[40]);
            m_defaultEndWidth = Atof(m_groups[41]);
        } else {
            m_defaultStartWidth = m_defaultEndWidth = 0.0;
        }
        m_startWidth = m_defaultStartWidth;
        m_endWidth = m_defaultEndWidth;
        return;
    }
    if (!m_groups[11].IsEmpty() && !m_groups[21].IsEmpty()) {
        Attr a = Resolve(true, true, inBlock);
        Segment(PointOf(11, 21), PointOf(10, 20), m_prevBulge, true, a, inBlock);
    } else {
        m_firstX = m_groups[10];
        m_firstY = m_groups[20];
    }
    m_prevBulge = m_groups[42];
}

void CDxfReader::FinishPolyline(bool inBlock)
{
    if (m_vertex && m_closed) {
        Attr a = Resolve(true, true, inBlock);
        CPointD first;
        first.Init(Atof(m_firstX), Atof(m_firstY));
        // The closing segment bends by the last vertex's bulge, as every other segment does
        // by the bulge of its starting vertex.
        Segment(PointOf(10, 20), first, m_prevBulge, false, a, inBlock);
    }
    m_vertex = 0;
    m_closed = 0;
    m_firstX.Empty();
    m_firstY.Empty();
}

// ---- texts -------------------------------------------------------------------------------

void CDxfReader::AddEntityText()
{
    const CString& raw = m_groups[1];
    CString text = ReplaceDiameterMark(raw);
    const CString& style = m_groups[7];
    LOGFONT font = CurrentTextFont();
    double h = Atof(m_groups[40]);
    int height = TruncToInt(10.0 * h);
    font.lfHeight = -(height / 10);
    int width = (style == "STANDARD" || style.IsEmpty()) ? TruncToInt(8.75 * h)
                                                          : TruncToInt(5.0 * h);
    if (!m_groups[41].IsEmpty())
        width = TruncToInt(StringToDouble(m_groups[41]) * height);
    if (IsHalfWidthFont(style) && ContainsDoubleByteChar(raw))
        width /= 2;
    font.lfWidth = width / 10;
    double rotation = Atof(m_groups[50]);
    font.lfEscapement = TruncToInt(-10.0 * rotation);
    font.lfOrientation = TruncToInt(10.0 * Atof(m_groups[51]));
    SetFaceName(font, style);

    bool second = !m_groups[11].IsEmpty() && !m_groups[21].IsEmpty();
    CPointD first = PointOf(10, 20);
    CPointD position = second ? PointOf(11, 21) : first;
    CPointD other = second ? PointOf(11, 21) : CPointD();
    int alignment = 8;
    const std::string_view justify = Trimmed(m_groups[72]);
    if (!m_groups[72].IsEmpty()) {
        alignment = DxfJustifyToAlign(m_groups[72]);
        // Without its alignment point a centred or right-aligned text has only its start.
        if (!second && (justify == "1" || justify == "2" || justify == "4"))
            alignment = 8;
    }
    double d = Distance(first, other);
    if (justify == "3") {
        position = first;
        font.lfHeight = -TruncToInt(d);
        height = TruncToInt(10.0 * d);
    } else if (justify == "5" && !text.IsEmpty()) {
        position = first;
        int n = text.GetLength();
        font.lfWidth = TruncToInt(d / n);
        width = TruncToInt(10.0 * d / n);
    }
    Attr a = Resolve(false, false, false);
    std::int16_t f = FontFor(font, width, height, rotation);
    if (f < 0)
        return;
    m_doc->AddText(position, text, a.color, alignment, a.layer, f);
}

void CDxfReader::AddBlockText()
{
    Attr a = Resolve(false, false, true);
    CBlkText* r = new CBlkText;
    r->m_text = m_groups[1];
    r->m_color = a.color;
    r->m_layer = a.layer;
    r->m_style = m_groups[7];
    r->m_oblique = Atof(m_groups[51]);
    r->m_rotation = -Atof(m_groups[50]);
    double h = Atof(m_groups[40]);
    r->m_height = -h;
    r->m_width = (r->m_style == "STANDARD" || r->m_style.IsEmpty()) ? 0.875 * h : 0.5 * h;
    if (!m_groups[41].IsEmpty())
        r->m_width = Atof(m_groups[41]) * h;
    bool second = !m_groups[11].IsEmpty() && !m_groups[21].IsEmpty();
    CPointD first = PointOf(10, 20);
    r->m_position = second ? PointOf(11, 21) : first;
    double d = Distance(first, second ? PointOf(11, 21) : CPointD());
    r->m_alignment = 999;
    const std::string_view justify = Trimmed(m_groups[72]);
    if (justify == "3") {
        r->m_position = first;
        r->m_height = -d;
        r->m_alignment = DxfJustifyToAlign(m_groups[72]);
    } else if (justify == "5") {
        if (!r->m_text.IsEmpty()) {
            r->m_position = first;
            r->m_width = d / r->m_text.GetLength();
        }
        r->m_alignment = DxfJustifyToAlign(m_groups[72]);
    }
    if (IsHalfWidthFont(r->m_style) && ContainsDoubleByteChar(r->m_text))
        r->m_width /= 2;
    BlockAt(m_currentBlock)->m_texts.Add(r);
}

// ---- insertions --------------------------------------------------------------------------

void CDxfReader::CopyInsertIntoBlock()
{
    CBlock* source = BlockAt(m_blockIndex);
    CBlock* target = BlockAt(m_currentBlock);
    if (target->RecordCount() + source->RecordCount() > kMaxBlockRecords)
        return;
    CInsertFrame frame;
    frame.base = source->m_base;
    frame.rotation = InsertNumber(m_groups[50]);
    frame.point.Init(InsertNumber(m_groups[10]), InsertNumber(m_groups[20]));
    frame.scale.Init(InsertNumber(m_groups[41]), InsertNumber(m_groups[42]));
    Attr a = Resolve(false, false, true);
    // Copies are counted first: the source may be the target's own list only through a
    // self-reference, which is refused when the name is looked up.
    int points = source->m_points.GetSize(), lines = source->m_lines.GetSize(),
        circles = source->m_circles.GetSize(), arcs = source->m_arcs.GetSize(),
        texts = source->m_texts.GetSize();
    for (int i = 0; i < points; ++i) {
        CBlkPoint* r = new CBlkPoint(*source->PointAt(i));
        r->m_position = frame.Apply(r->m_position);
        r->m_penWidth = 1;
        r->m_layer = a.layer;
        target->m_points.Add(r);
    }
    for (int i = 0; i < lines; ++i) {
        CBlkLine* r = new CBlkLine(*source->LineAt(i));
        r->m_start = frame.Apply(r->m_start);
        r->m_end = frame.Apply(r->m_end);
        r->m_penWidth = 1;
        r->m_layer = a.layer;
        target->m_lines.Add(r);
    }
    for (int i = 0; i < circles; ++i) {
        CBlkCircle* r = new CBlkCircle(*source->CircleAt(i));
        r->m_centre = frame.Apply(r->m_centre);
        r->m_radius *= frame.scale.m_x;
        r->m_penWidth = 1;
        r->m_layer = a.layer;
        target->m_circles.Add(r);
    }
    for (int i = 0; i < arcs; ++i) {
        CBlkArc* r = new CBlkArc(*source->ArcAt(i));
        r->m_centre = frame.Apply(r->m_centre);
        r->m_radius *= frame.scale.m_x;
        TurnArcAngles(r->m_angles, frame.rotation);
        r->m_penWidth = 1;
        r->m_layer = a.layer;
        target->m_arcs.Add(r);
    }
    for (int i = 0; i < texts; ++i) {
        CBlkText* r = new CBlkText(*source->TextAt(i));
        r->m_position = frame.Apply(r->m_position);
        double h = NearlyEqual(r->m_height, 0.0) ? -3.0 : r->m_height;
        r->m_height = h * frame.scale.m_y;
        r->m_width *= frame.scale.m_x;
        r->m_rotation -= frame.rotation;
        if (r->m_alignment == 999)
            r->m_alignment = 8;
        r->m_layer = a.layer;
        target->m_texts.Add(r);
    }
}

void CDxfReader::ExpandInsert(bool dimension)
{
    CBlock* block = BlockAt(m_blockIndex);
    double r = InsertNumber(m_groups[50]);
    CPointD point;
    if (!dimension)
        point.Init(InsertNumber(m_groups[10]), InsertNumber(m_groups[20]));
    CPointD scale;
    scale.Init(InsertNumber(m_groups[41]), InsertNumber(m_groups[42]));
    CBlkInsert* insert = new CBlkInsert;
    insert->m_block = static_cast<std::int16_t>(m_blockIndex);
    insert->m_point = point;
    insert->m_scale = scale;
    insert->m_rotation = r;
    m_doc->m_auxList2.Add(insert);
    Attr insertAttr = Resolve(false, false, false);

    int type = 0;
    if (dimension) {
        if (!m_groups[70].IsEmpty())
            block->m_dimType = Atoi(m_groups[70]);
        block->m_base = CPointD();
        type = block->m_dimType >= 128 ? block->m_dimType - 128 : block->m_dimType;
    }
    CInsertFrame frame{block->m_base, point, scale, r};
    // Lines, circles, arcs and texts of a dimension block stand where its block put them.
    auto place = [&](const CPointD& p) {
        if (!dimension)
            return frame.Apply(p);
        return CPointD().Init(p.m_x - block->m_base.m_x + point.m_x,
                              p.m_y - block->m_base.m_y + point.m_y);
    };
    bool ownLayers = !g_pApp || g_pApp->m_appElem.m_dxfBlockLayer != 0;
    auto layerOf = [&](std::int16_t recordLayer) {
        return ownLayers ? recordLayer : insertAttr.layer;
    };
    auto penOf = [&](int lineType, int width, COLORREF color) {
        return m_doc->FindOrAddPen(lineType, static_cast<std::int16_t>(width), color, 0, 70);
    };

    // Adds one element of a kind; a refusal with the kind's blocks at their limit ends that
    // kind for the rest of the import.
    auto add = [&](int kind, const CObArray& blocks, auto adder) {
        if (m_kindFull[kind])
            return;
        if (!adder() && blocks.GetSize() >= NO_BLOCK)
            m_kindFull[kind] = true;
    };

    for (int i = 0; i < block->m_points.GetSize(); ++i) {
        const CBlkPoint* p = block->PointAt(i);
        add(0, m_doc->m_pointBlocks, [&] {
            return m_doc->AddPoint(frame.Apply(p->m_position), layerOf(p->m_layer),
                                   penOf(p->m_lineType, p->m_penWidth, p->m_color));
        });
    }
    for (int i = 0; i < block->m_lines.GetSize(); ++i) {
        const CBlkLine* l = block->LineAt(i);
        add(1, m_doc->m_lineBlocks, [&] {
            return m_doc->AddLine(place(l->m_start), place(l->m_end), layerOf(l->m_layer),
                                  penOf(l->m_lineType, l->m_penWidth, l->m_color));
        });
    }
    for (int i = 0; i < block->m_circles.GetSize(); ++i) {
        const CBlkCircle* c = block->CircleAt(i);
        add(2, m_doc->m_circleBlocks, [&] {
            return m_doc->AddCircle(place(c->m_centre), c->m_radius * scale.m_x,
                                    layerOf(c->m_layer),
                                    penOf(c->m_lineType, c->m_penWidth, c->m_color));
        });
    }
    for (int i = 0; i < block->m_arcs.GetSize(); ++i) {
        const CBlkArc* a = block->ArcAt(i);
        CPointD angles = a->m_angles;
        if (!dimension)
            TurnArcAngles(angles, r);
        else
            TurnArcAngles(angles, 0.0);
        add(3, m_doc->m_arcBlocks, [&] {
            return m_doc->AddArc(place(a->m_centre), a->m_radius * scale.m_x, angles,
                                 layerOf(a->m_layer),
                                 penOf(a->m_lineType, a->m_penWidth, a->m_color));
        });
    }
    bool second = !m_groups[11].IsEmpty() && !m_groups[21].IsEmpty();
    for (int i = 0; i < block->m_texts.GetSize() && !m_kindFull[4]; ++i) {
        const CBlkText* t = block->TextAt(i);
        CPointD position = place(t->m_position);
        if (dimension && type != 3 && type != 4 && second)
            position = PointOf(11, 21);
        if (dimension && (type == 3 || type == 4))
            position = t->m_position;
        double h = (NearlyEqual(t->m_height, 0.0) ? -2.5 : t->m_height) * scale.m_y;
        double w = t->m_width * scale.m_x;
        double angle = dimension ? -t->m_rotation : r - t->m_rotation;
        LOGFONT font = CurrentTextFont();
        font.lfEscapement = TruncToInt(-10.0 * angle);
        font.lfOrientation = TruncToInt(10.0 * t->m_oblique);
        std::int16_t f = FontFor(font, TruncToInt(10.0 * w),
                                 TruncToInt(-10.0 * h), angle);
        if (f < 0)
            continue;
        int alignment = t->m_alignment;
        if (alignment == 999)
            alignment = (!dimension || type == 3 || type == 4) ? 8 : 38;
        add(4, m_doc->m_textBlocks, [&] {
            return m_doc->AddText(position, ReplaceDiameterMark(t->m_text), t->m_color,
                                  alignment, layerOf(t->m_layer), f);
        });
    }
}
