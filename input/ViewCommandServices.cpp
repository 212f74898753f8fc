// Application services the drawing view's commands call: the message of several parts and a
// chosen color taken into the color lists.
#include "app/ZelkApp.h"

void CZelkApp::ShowMessageParts(const CString& t1, const CString& t2, const CString& t3,
                                const CString& t4, const CString& t5, int beep)
{
    ShowMessage(t1 + t2 + t3 + t4 + t5, beep);
}

void CZelkApp::AddColorToTable(COLORREF color)
{
    if (m_appColor.FindStandardColor(color) == CAppColor::kNotFound &&
        m_appColor.FindUserColor(color) == CAppColor::kNotFound)
        m_appColor.m_userColors.Add(color);
    m_appElem.SetColor(color);
}
