// CZelkApp construction and the global application pointer.
#include "app/ZelkApp.h"

#include "macro/MacroVariable.h"
#include "macro/Unit.h"

CZelkApp* g_pApp = nullptr;

CZelkApp::CZelkApp() : CWinApp(nullptr)
{
    m_paperSize.Init(0.0, 0.0);
}

CZelkApp::~CZelkApp()
{
    DeleteUnitsAndVariables();
    DeleteWindowlessTextDocs();
    // The framework's part deletes the documents still open after this part has gone: they
    // must not reach the application through the pointer any more.
    if (g_pApp == this)
        g_pApp = nullptr;
}

void CZelkApp::DeleteUnitsAndVariables()
{
    for (int i = 0; i < static_cast<int>(m_unitTable.GetSize()); ++i)
        delete static_cast<CUnit*>(m_unitTable[i]);
    m_unitTable.RemoveAll();
    for (int i = 0; i < static_cast<int>(m_variableTable.GetSize()); ++i)
        delete static_cast<CMacroVariable*>(m_variableTable[i]);
    m_variableTable.RemoveAll();
}

BOOL CZelkApp::IsHalfWidthDxfFont(const CString& faceName) const
{
    for (int i = 0; i < m_dxfHalfWidthFonts.GetSize(); ++i)
        if (m_dxfHalfWidthFonts.GetAt(i) == faceName)
            return TRUE;
    return FALSE;
}
