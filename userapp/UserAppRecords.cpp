// Defaults of the transfer records that are not plain zeros.
#include "userapp/UserAppRecords.h"

#include "elements/TypeFont.h"
#include "platform/core/Arrays.h"

UserAppIndexList CopyIndexList(const CWordArray& list)
{
    UserAppIndexList copy;
    copy.reserve(static_cast<size_t>(list.GetSize()));
    for (int i = 0; i < list.GetSize(); ++i)
        copy.push_back(list[i]);
    return copy;
}

UserAppFontRecord::UserAppFontRecord()
{
    const CTypeFont defaults;
    m_logFont = defaults.m_logFont;
    m_style1 = defaults.m_style1;
    m_style2 = defaults.m_style2;
    m_style3 = defaults.m_style3;
    m_style4 = defaults.m_style4;
    m_style5 = defaults.m_style5;
    m_angle = defaults.m_angle;
    m_spacing = defaults.m_spacing;
    m_rightToLeft = defaults.m_rightToLeft;
    m_width = defaults.m_width;
    m_height = defaults.m_height;
}
