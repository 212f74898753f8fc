// The settings taken over from a drawing's attribute records and texts. Apart from the records
// themselves so that a record alone does not pull in the element classes.
#include "app/AppElem.h"
#include "app/AppText.h"
#include "elements/Text.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"

void CAppElem::SetPenFromTypePen(const CTypePen& pen)
{
    m_lineType = pen.m_lineType;
    m_lineWidth = pen.m_width;
    m_color = pen.m_color;
    m_blurCount = pen.m_blurCount;
    m_blurRate = pen.m_blurRate;
}

void CAppText::SetFromTypeFont(const CTypeFont& font)
{
    m_logFont = font.m_logFont;
    m_formClass = font.m_style2;
    m_direction = font.m_style3;
    m_formOption1 = font.m_style4;
    m_formOption2 = font.m_style5;
    m_charSpacing = font.m_spacing;
    m_rightToLeft = font.m_rightToLeft;
    m_heightTenths = font.m_height;
    m_widthTenths = font.m_width;
    m_shape = 1;
    if (m_formClass == 1)
        return;
    switch (m_direction) {
    case 1:
        m_shape = 2;
        break;
    case 2:
        m_shape = 3;
        break;
    case 3:
        m_shape = 4;
        m_slantAlongLine = 0;
        break;
    case 4:
        m_shape = 4;
        m_slantAlongLine = 1;
        break;
    default:
        break;
    }
    if (m_direction == 3 || m_direction == 4)
        SetAngle(-m_slantAngle);
}

void CAppText::SetAnchorFromText(const CText& text)
{
    m_anchor = text.m_alignment;
}
