// The application settings the element classes read. Without an application object (a tool or
// a test that builds elements alone) the settings' defaults apply.
#include "elements/ElementSettings.h"

#include "app/ZelkApp.h"

int SelectionInversionFlag()
{
    return g_pApp != nullptr ? g_pApp->m_appFind.toggleSelection : 1;
}

int SelectableKinds()
{
    return g_pApp != nullptr ? static_cast<std::uint16_t>(g_pApp->m_appFind.selectableKinds) : 958;
}

int GroupSelectionSetting()
{
    return g_pApp != nullptr ? g_pApp->m_appFind.groupSelectMode : 1;
}

int DimensionSelectionSetting()
{
    return g_pApp != nullptr ? g_pApp->m_appFind.annotationGroupSelectMode : 1;
}

COLORREF CreationColor()
{
    return g_pApp != nullptr ? g_pApp->m_appElem.m_color : 0;
}

CString SubscriptMarker()
{
    return g_pApp != nullptr ? g_pApp->m_appText.m_subscriptMarker : CString(":::");
}

CString RubyMarker()
{
    return g_pApp != nullptr ? g_pApp->m_appText.m_rubyMarker : CString("^^^");
}

int ShowTextUnderlines()
{
    return g_pApp != nullptr && g_pApp->m_appDraw.m_showTextUnderline;
}
