// Application services the drawing view's commands call: a chosen color taken into the color
// lists.
#include "app/ZelkApp.h"

void CZelkApp::AddColorToTable(COLORREF color)
{
    if (m_appColor.FindStandardColor(color) == CAppColor::kNotFound &&
        m_appColor.FindUserColor(color) == CAppColor::kNotFound)
        m_appColor.m_userColors.Add(color);
    m_appElem.SetColor(color);
}
