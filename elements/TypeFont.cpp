// A font of the document's font table.
#include "elements/TypeFont.h"

#include <cstring>

#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CTypeFont, CObject, 0)

CTypeFont::CTypeFont()
    : m_style1(1), m_style2(1), m_style3(1), m_style4(1), m_style5(1), m_angle(0.0),
      m_spacing(0.0), m_rightToLeft(0), m_width(40), m_height(80)
{
    std::memset(&m_logFont, 0, sizeof(m_logFont));
    m_logFont.lfHeight = -8;
    m_logFont.lfWeight = FW_NORMAL;
    m_logFont.lfCharSet = SHIFTJIS_CHARSET;
    m_logFont.lfOutPrecision = 3;    // stroke precision
    m_logFont.lfClipPrecision = 2;   // stroke clipping
    m_logFont.lfQuality = 1;         // draft quality
    m_logFont.lfPitchAndFamily = 49; // fixed pitch, modern family
    std::strncpy(m_logFont.lfFaceName, "ＭＳ ゴシック", LF_FACESIZE - 1);
}

CTypeFont::CTypeFont(const CTypeFont& other) : CObject()
{
    *this = other;
}

CTypeFont& CTypeFont::operator=(const CTypeFont& other)
{
    m_logFont = other.m_logFont;
    m_style1 = other.m_style1;
    m_style2 = other.m_style2;
    m_style3 = other.m_style3;
    m_style4 = other.m_style4;
    m_style5 = other.m_style5;
    m_angle = other.m_angle;
    m_spacing = other.m_spacing;
    m_rightToLeft = other.m_rightToLeft;
    m_width = other.m_width;
    m_height = other.m_height;
    return *this;
}

CTypeFont::~CTypeFont() = default;

void CTypeFont::SetValues(const LOGFONT& font, std::uint32_t styles1to4, std::uint8_t style5,
                          double angle, double spacing, std::int32_t rightToLeft,
                          std::int32_t width, std::int32_t height)
{
    m_logFont = font;
    m_style1 = static_cast<std::uint8_t>(styles1to4 & 0xFF);
    m_style2 = static_cast<std::uint8_t>((styles1to4 >> 8) & 0xFF);
    m_style3 = static_cast<std::uint8_t>((styles1to4 >> 16) & 0xFF);
    m_style4 = static_cast<std::uint8_t>((styles1to4 >> 24) & 0xFF);
    m_style5 = style5;
    m_angle = angle;
    m_spacing = spacing;
    m_rightToLeft = rightToLeft;
    m_width = width;
    m_height = height;
}

void CTypeFont::Serialize(CArchive& ar)
{
    LOGFONT& lf = m_logFont;
    if (ar.IsStoring()) {
        // The font description field by field in its Windows layout, the face name whole
        // (32 bytes, whatever follows its terminator).
        ar << static_cast<LONG>(lf.lfHeight) << static_cast<LONG>(lf.lfWidth)
           << static_cast<LONG>(lf.lfEscapement) << static_cast<LONG>(lf.lfOrientation)
           << static_cast<LONG>(lf.lfWeight);
        ar << lf.lfItalic << lf.lfUnderline << lf.lfStrikeOut << lf.lfCharSet
           << lf.lfOutPrecision << lf.lfClipPrecision << lf.lfQuality << lf.lfPitchAndFamily;
        ar.Write(lf.lfFaceName, LF_FACESIZE);
        ar << m_style1 << m_style2 << m_style3 << m_style4 << m_style5;
        ar << m_angle << m_spacing;
        ar << static_cast<LONG>(m_rightToLeft) << static_cast<LONG>(m_width)
           << static_cast<LONG>(m_height);
    } else {
        LONG v[5];
        ar >> v[0] >> v[1] >> v[2] >> v[3] >> v[4];
        lf.lfHeight = v[0];
        lf.lfWidth = v[1];
        lf.lfEscapement = v[2];
        lf.lfOrientation = v[3];
        lf.lfWeight = v[4];
        ar >> lf.lfItalic >> lf.lfUnderline >> lf.lfStrikeOut >> lf.lfCharSet
           >> lf.lfOutPrecision >> lf.lfClipPrecision >> lf.lfQuality >> lf.lfPitchAndFamily;
        if (ar.Read(lf.lfFaceName, LF_FACESIZE) != LF_FACESIZE)
            AfxThrowArchiveException(CArchiveException::endOfFile);
        // A face name without terminator would run into the fields after it.
        lf.lfFaceName[LF_FACESIZE - 1] = '\0';
        ar >> m_style1 >> m_style2 >> m_style3 >> m_style4 >> m_style5;
        ar >> m_angle >> m_spacing;
        LONG rtl, width, height;
        ar >> rtl >> width >> height;
        m_rightToLeft = rtl;
        m_width = width;
        m_height = height;
    }
}
