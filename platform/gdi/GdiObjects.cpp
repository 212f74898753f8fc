// Creation of pens, brushes and fonts, and the stock objects every DC starts with.
#include "platform/gdi/GdiObjects.h"

#include <cstring>

const char* const kDefaultFontFace = "ＭＳ ゴシック";

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    m_hObject = nullptr;
    return TRUE;
}

BOOL CGdiObject::CreateStockObject(int index)
{
    CGdiObject* stock = GetStockGdiObject(index);
    if (stock == nullptr || stock->m_kind != m_kind)
        return FALSE;
    switch (m_kind) {
    case kPen: {
        auto* from = static_cast<CPen*>(stock);
        auto* to = static_cast<CPen*>(this);
        to->m_style = from->m_style;
        to->m_width = from->m_width;
        to->m_color = from->m_color;
        break;
    }
    case kBrush: {
        auto* from = static_cast<CBrush*>(stock);
        auto* to = static_cast<CBrush*>(this);
        to->m_hollow = from->m_hollow;
        to->m_color = from->m_color;
        break;
    }
    case kFont:
        static_cast<CFont*>(this)->m_logFont = static_cast<CFont*>(stock)->m_logFont;
        break;
    case kNone:
        return FALSE;
    }
    MarkCreated();
    return TRUE;
}

BOOL CPen::CreatePen(int style, int width, COLORREF color)
{
    if (style < PS_SOLID || style > PS_INSIDEFRAME)
        return FALSE;
    if (width < 0)
        width = 0;
    if (width > 1 && style >= PS_DASH && style <= PS_DASHDOTDOT)
        style = PS_SOLID;
    m_style = style;
    m_width = width;
    m_color = color & 0xFFFFFF;
    MarkCreated();
    return TRUE;
}

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    m_hollow = false;
    m_color = color & 0xFFFFFF;
    MarkCreated();
    return TRUE;
}

CFont::CFont() : CGdiObject(kFont)
{
    std::memset(&m_logFont, 0, sizeof(m_logFont));
}

BOOL CFont::CreateFontIndirect(const LOGFONT* logFont)
{
    if (logFont == nullptr)
        return FALSE;
    m_logFont = *logFont;
    m_logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
    MarkCreated();
    return TRUE;
}

int CFont::GetLogFont(LOGFONT* logFont) const
{
    if (logFont == nullptr || m_hObject == nullptr)
        return 0;
    *logFont = m_logFont;
    return static_cast<int>(sizeof(LOGFONT));
}

CGdiObject* GetStockGdiObject(int index)
{
    struct Stock {
        CPen whitePen{PS_SOLID, 0, RGB(255, 255, 255)};
        CPen blackPen{PS_SOLID, 0, RGB(0, 0, 0)};
        CPen nullPen{PS_NULL, 0, RGB(0, 0, 0)};
        CBrush white{RGB(255, 255, 255)};
        CBrush ltGray{RGB(192, 192, 192)};
        CBrush gray{RGB(128, 128, 128)};
        CBrush dkGray{RGB(64, 64, 64)};
        CBrush black{RGB(0, 0, 0)};
        CBrush hollow{RGB(0, 0, 0)};
        CFont system;
        Stock()
        {
            hollow.m_hollow = true;
            LOGFONT lf;
            std::memset(&lf, 0, sizeof(lf));
            lf.lfWeight = FW_NORMAL;
            lf.lfCharSet = SHIFTJIS_CHARSET;
            std::strncpy(lf.lfFaceName, kDefaultFontFace, LF_FACESIZE - 1);
            system.CreateFontIndirect(&lf);
        }
    };
    static Stock stock;
    switch (index) {
    case WHITE_BRUSH: return &stock.white;
    case LTGRAY_BRUSH: return &stock.ltGray;
    case GRAY_BRUSH: return &stock.gray;
    case DKGRAY_BRUSH: return &stock.dkGray;
    case BLACK_BRUSH: return &stock.black;
    case NULL_BRUSH: return &stock.hollow;
    case WHITE_PEN: return &stock.whitePen;
    case BLACK_PEN: return &stock.blackPen;
    case NULL_PEN: return &stock.nullPen;
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
    case SYSTEM_FIXED_FONT:
    case DEFAULT_GUI_FONT: return &stock.system;
    default: return nullptr;
    }
}
