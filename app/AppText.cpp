// CAppText: text form setters with their taken-over mask, the saved copy, and the archive form.
#include "app/AppText.h"

#include "app/SettingsField.h"
#include "app/ZelkApp.h"
#include "elements/ElementDrawing.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

IMPLEMENT_DYNCREATE(CAppText, CObject)

LOGFONT DefaultTextLogFont()
{
    LOGFONT f;
    std::memset(&f, 0, sizeof f);
    f.lfHeight = -8;
    f.lfWeight = FW_NORMAL;
    f.lfCharSet = SHIFTJIS_CHARSET;
    f.lfOutPrecision = 3;
    f.lfClipPrecision = 2;
    f.lfQuality = 1;
    f.lfPitchAndFamily = 0x31;
    std::strcpy(f.lfFaceName, "ＭＳ ゴシック");
    return f;
}

CAppTextSaved::CAppTextSaved()
    : m_mask(0), m_anchor(8), m_widthTenths(40), m_heightTenths(80),
      m_logFont(DefaultTextLogFont()), m_shape(1), m_formClass(1), m_direction(1),
      m_formOption1(1), m_formOption2(1), m_rightToLeft(0), m_charSpacing(1.0),
      m_slantAlongLine(0), m_slantAngle(150.0)
{
}

CAppText::CAppText()
    : m_mask(0), m_anchor(8), m_widthTenths(40), m_heightTenths(80),
      m_logFont(DefaultTextLogFont()), m_shape(1), m_formClass(1), m_direction(1),
      m_formOption1(1), m_formOption2(1), m_rightToLeft(0), m_charSpacing(1.0),
      m_slantAlongLine(0), m_slantAngle(150.0), m_tabShift(2), m_savedShape(0),
      m_subscriptRatio(0.1), m_layoutRatio2(0.5), m_layoutRatio3(0.5), m_layoutRatio4(0.4),
      m_layoutRatio5(0.05), m_layoutRatio6(0.85), m_subscriptMarker(":::"), m_rubyMarker("^^^"),
      m_layoutRatio7(0.85), m_layoutRatio8(0.625), m_layoutRatio9(0.5), m_layoutRatio10(0.3),
      m_layoutRatio11(0.7), m_boxRatioMin(0.5), m_boxRatioMax(4.0)
{
}

CAppText::CAppText(const CAppText& other) : CObject()
{
    *this = other;
}

CAppText& CAppText::operator=(const CAppText& other)
{
    if (this == &other)
        return *this;
    m_mask = other.m_mask;
    m_anchor = other.m_anchor;
    m_widthTenths = other.m_widthTenths;
    m_heightTenths = other.m_heightTenths;
    m_logFont = other.m_logFont;
    m_shape = other.m_shape;
    m_formClass = other.m_formClass;
    m_direction = other.m_direction;
    m_formOption1 = other.m_formOption1;
    m_formOption2 = other.m_formOption2;
    m_rightToLeft = other.m_rightToLeft;
    m_charSpacing = other.m_charSpacing;
    m_slantAlongLine = other.m_slantAlongLine;
    m_slantAngle = other.m_slantAngle;
    m_tabShift = other.m_tabShift;
    m_savedShape = other.m_savedShape;
    m_subscriptRatio = other.m_subscriptRatio;
    m_layoutRatio2 = other.m_layoutRatio2;
    m_layoutRatio3 = other.m_layoutRatio3;
    m_layoutRatio4 = other.m_layoutRatio4;
    m_layoutRatio5 = other.m_layoutRatio5;
    m_layoutRatio6 = other.m_layoutRatio6;
    m_subscriptMarker = other.m_subscriptMarker;
    m_rubyMarker = other.m_rubyMarker;
    m_layoutRatio7 = other.m_layoutRatio7;
    m_layoutRatio8 = other.m_layoutRatio8;
    m_layoutRatio9 = other.m_layoutRatio9;
    m_layoutRatio10 = other.m_layoutRatio10;
    m_layoutRatio11 = other.m_layoutRatio11;
    m_boxRatioMin = other.m_boxRatioMin;
    m_boxRatioMax = other.m_boxRatioMax;
    m_saved = other.m_saved;
    return *this;
}

CAppText::~CAppText() = default;

void CAppText::Serialize(CArchive& ar)
{
    ExchangeField(ar, m_anchor);
    ExchangeField(ar, m_widthTenths);
    ExchangeField(ar, m_heightTenths);
    if (ar.IsStoring())
        ar.Write(&m_logFont, sizeof m_logFont);
    else if (ar.Read(&m_logFont, sizeof m_logFont) != sizeof m_logFont)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    ExchangeField(ar, m_shape);
    ExchangeField(ar, m_formClass);
    ExchangeField(ar, m_direction);
    ExchangeField(ar, m_formOption1);
    ExchangeField(ar, m_formOption2);
    ExchangeField(ar, m_rightToLeft);
    ExchangeField(ar, m_charSpacing);
    ExchangeField(ar, m_slantAlongLine);
    ExchangeField(ar, m_slantAngle);
    ExchangeField(ar, m_tabShift);
    if (ar.IsLoading())
        ClampLoaded();
}

void CAppText::ClampFontSize(LOGFONT& font)
{
    constexpr LONG kLimit = std::numeric_limits<std::int32_t>::max() / 10;
    font.lfHeight = std::clamp<LONG>(font.lfHeight, -kLimit, kLimit);
    font.lfWidth = std::clamp<LONG>(font.lfWidth, -kLimit, kLimit);
}

void CAppText::ClampLoaded()
{
    ClampSetting(m_slantAngle, -3600.0, 3600.0);
    ClampFontSize(m_logFont);
    // The face name is a C string to every reader; an archive may not end it.
    m_logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
}

namespace {

template <class From, class To>
void CopyTextAttributes(const From& from, To& to)
{
    to.m_mask = from.m_mask;
    to.m_anchor = from.m_anchor;
    to.m_widthTenths = from.m_widthTenths;
    to.m_heightTenths = from.m_heightTenths;
    to.m_logFont = from.m_logFont;
    to.m_shape = from.m_shape;
    to.m_formClass = from.m_formClass;
    to.m_direction = from.m_direction;
    to.m_formOption1 = from.m_formOption1;
    to.m_formOption2 = from.m_formOption2;
    to.m_rightToLeft = from.m_rightToLeft;
    to.m_charSpacing = from.m_charSpacing;
    to.m_slantAlongLine = from.m_slantAlongLine;
    to.m_slantAngle = from.m_slantAngle;
}

} // namespace

void CAppText::SaveAttributes()
{
    CopyTextAttributes(*this, m_saved);
}

void CAppText::RestoreAttributes()
{
    CopyTextAttributes(m_saved, *this);
}

void CAppText::RestoreAttributesByMask()
{
    const DWORD mask = m_saved.m_mask;
    const CAppTextSaved& s = m_saved;
    if (mask & kMaskAnchor)
        m_anchor = s.m_anchor;
    if (mask & kMaskSize) {
        m_widthTenths = s.m_widthTenths;
        m_heightTenths = s.m_heightTenths;
    }
    if (mask & kMaskLogFont)
        m_logFont = s.m_logFont;
    if (mask & kMaskEscapement)
        m_logFont.lfEscapement = s.m_logFont.lfEscapement;
    if (mask & kMaskHeight) {
        m_logFont.lfHeight = s.m_logFont.lfHeight;
        m_heightTenths = s.m_heightTenths;
    }
    if (mask & kMaskWidth) {
        m_logFont.lfWidth = s.m_logFont.lfWidth;
        m_widthTenths = s.m_widthTenths;
    }
    if (mask & kMaskItalic)
        m_logFont.lfItalic = s.m_logFont.lfItalic;
    if (mask & kMaskUnderline)
        m_logFont.lfUnderline = s.m_logFont.lfUnderline;
    if (mask & kMaskStrikeOut)
        m_logFont.lfStrikeOut = s.m_logFont.lfStrikeOut;
    if (mask & kMaskFaceName)
        std::memcpy(m_logFont.lfFaceName, s.m_logFont.lfFaceName, LF_FACESIZE);
    if (mask & kMaskShape)
        m_shape = s.m_shape;
    if (mask & kMaskFormClass)
        m_formClass = s.m_formClass;
    if (mask & kMaskDirection)
        m_direction = s.m_direction;
    if (mask & kMaskFormOption1)
        m_formOption1 = s.m_formOption1;
    if (mask & kMaskFormOption2)
        m_formOption2 = s.m_formOption2;
    if (mask & kMaskRightToLeft)
        m_rightToLeft = s.m_rightToLeft;
    if (mask & kMaskCharSpacing)
        m_charSpacing = s.m_charSpacing;
    if (mask & kMaskSlantAlongLine)
        m_slantAlongLine = s.m_slantAlongLine;
    if (mask & kMaskSlantAngle)
        m_slantAngle = s.m_slantAngle;
}

void CAppText::SaveShape()
{
    m_savedShape = m_shape;
}

void CAppText::SetShapeForm(BYTE shape)
{
    SetShape(shape);
    SetFormClass(shape == 1 ? 1 : 2);
    if (shape == 4)
        SetDirectionKind(m_slantAlongLine ? 4 : 3);
    else
        SetDirectionKind(shape == 3 ? 2 : 1);
    if (shape == 1)
        SetFormOption1(1);
    SetFormOption2(1);
}

void CAppText::RestoreShape()
{
    RunShapeCommand(m_savedShape);
}

// The shape commands also refresh the creation environment and the text being placed.
void CAppText::RunShapeCommand(BYTE shape)
{
    if (!g_pApp)
        return;
    switch (shape) {
    case 1: g_pApp->OnTextShapeStandard(); break;
    case 2: g_pApp->OnTextShapeHorizontal(); break;
    case 3: g_pApp->OnTextShapeVertical(); break;
    case 4: g_pApp->OnTextShapeSlant(); break;
    default: break;
    }
}

void CAppText::SetAnchor(int anchor)
{
    m_anchor = anchor;
    m_mask |= kMaskAnchor;
}

void CAppText::SetSizeTenths(int widthTenths, int heightTenths)
{
    m_widthTenths = widthTenths;
    m_heightTenths = heightTenths;
    m_mask |= kMaskSize;
}

void CAppText::SetLogFont(const LOGFONT& font)
{
    m_logFont = font;
    m_mask |= kMaskLogFont;
}

void CAppText::SetShape(BYTE shape)
{
    m_shape = shape;
    m_mask |= kMaskShape;
}

void CAppText::SetItalic(BYTE italic)
{
    m_logFont.lfItalic = italic;
    m_mask |= kMaskItalic;
}

void CAppText::SetUnderline(BYTE underline)
{
    m_logFont.lfUnderline = underline;
    m_mask |= kMaskUnderline;
}

void CAppText::SetStrikeOut(BYTE strikeOut)
{
    m_logFont.lfStrikeOut = strikeOut;
    m_mask |= kMaskStrikeOut;
}

void CAppText::SetFaceName(const char* faceName)
{
    std::memset(m_logFont.lfFaceName, 0, LF_FACESIZE);
    std::strncpy(m_logFont.lfFaceName, faceName ? faceName : "", LF_FACESIZE - 1);
    m_mask |= kMaskFaceName;
}

void CAppText::SetFormClass(BYTE formClass)
{
    m_formClass = formClass;
    m_mask |= kMaskFormClass;
}

void CAppText::SetDirectionKind(BYTE direction)
{
    m_direction = direction;
    m_mask |= kMaskDirection;
}

void CAppText::SetFormOption1(BYTE option)
{
    m_formOption1 = option;
    m_mask |= kMaskFormOption1;
}

void CAppText::SetFormOption2(BYTE option)
{
    m_formOption2 = option;
    m_mask |= kMaskFormOption2;
}

void CAppText::SetRightToLeft(int rightToLeft)
{
    m_rightToLeft = rightToLeft;
    m_mask |= kMaskRightToLeft;
}

void CAppText::SetCharSpacing(double spacing)
{
    m_charSpacing = spacing;
    m_mask |= kMaskCharSpacing;
}

void CAppText::SetSlantAngle(double tenthsOfDegree)
{
    m_slantAngle = tenthsOfDegree;
    m_mask |= kMaskSlantAngle;
}

void CAppText::SetHeight(double height)
{
    m_logFont.lfHeight = TruncToInt(-height);
    // A typed height can be as large as a damaged file's.
    ClampFontSize(m_logFont);
    m_heightTenths = TruncToInt(height * 10.0);
    m_mask |= kMaskHeight;
}

void CAppText::SetWidth(double width)
{
    m_logFont.lfWidth = TruncToInt(width);
    ClampFontSize(m_logFont);
    m_widthTenths = TruncToInt(width * 10.0);
    m_mask |= kMaskWidth;
}

void CAppText::SetAngle(double degrees)
{
    const double x = degrees * 10.0;
    if (m_formClass == 1) {
        m_logFont.lfEscapement = TruncToInt(x);
    } else if (m_formClass == 2) {
        switch (m_direction) {
        case 1:
            m_logFont.lfEscapement = TruncToInt(x);
            break;
        case 2:
            m_logFont.lfEscapement = TruncToInt(x - 900.0);
            break;
        case 3:
            m_logFont.lfEscapement = TruncToInt(-m_slantAngle);
            break;
        case 4:
            m_logFont.lfEscapement = TruncToInt(x - m_slantAngle);
            break;
        default:
            break;
        }
    }
    m_mask |= kMaskEscapement;
}

void CAppText::SetSlantAlongLine(int flag)
{
    m_slantAlongLine = flag;
    m_mask |= kMaskSlantAlongLine;
    if (m_shape == 4)
        m_direction = flag ? 4 : 3;
}

void CAppText::ScaleSize(double factor)
{
    m_widthTenths = static_cast<int>(m_widthTenths * factor);
    m_heightTenths = static_cast<int>(m_heightTenths * factor);
}

void CAppText::StoreAnchorInCurrent()
{
    g_pApp->m_atrCurrent.m_text.m_anchor = m_anchor;
}

void CAppText::StoreHeightInCurrent()
{
    CAppText& t = g_pApp->m_atrCurrent.m_text;
    t.m_logFont.lfHeight = m_logFont.lfHeight;
    t.m_heightTenths = m_heightTenths;
}

void CAppText::StoreWidthInCurrent()
{
    CAppText& t = g_pApp->m_atrCurrent.m_text;
    t.m_logFont.lfWidth = m_logFont.lfWidth;
    t.m_widthTenths = m_widthTenths;
}

void CAppText::StoreItalicInCurrent()
{
    g_pApp->m_atrCurrent.m_text.m_logFont.lfItalic = m_logFont.lfItalic;
}

void CAppText::StoreUnderlineInCurrent()
{
    g_pApp->m_atrCurrent.m_text.m_logFont.lfUnderline = m_logFont.lfUnderline;
}

void CAppText::StoreStrikeOutInCurrent()
{
    g_pApp->m_atrCurrent.m_text.m_logFont.lfStrikeOut = m_logFont.lfStrikeOut;
}

void CAppText::StoreFaceNameInCurrent()
{
    std::memcpy(g_pApp->m_atrCurrent.m_text.m_logFont.lfFaceName, m_logFont.lfFaceName, LF_FACESIZE);
}

void CAppText::StoreFontInCurrent()
{
    StoreHeightInCurrent();
    StoreWidthInCurrent();
    StoreItalicInCurrent();
    StoreUnderlineInCurrent();
    StoreStrikeOutInCurrent();
    StoreFaceNameInCurrent();
}

void CAppText::AssignAttributes(CAppText other)
{
    const DWORD mask = m_mask;
    CopyTextAttributes(other, *this);
    m_mask = mask;
}
