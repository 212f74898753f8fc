// Application services the drawing view's commands call: the message of several parts, the
// end of the deform selection and a chosen color taken into the color lists.
#include "app/ZelkApp.h"
#include "commands/annotate/GroupProcessor.h"
#include "document/ZelkDoc.h"
#include "platform/ui/DocTemplate.h"

void CZelkApp::ShowMessageParts(const CString& t1, const CString& t2, const CString& t3,
                                const CString& t4, const CString& t5, int beep)
{
    ShowMessage(t1 + t2 + t3 + t4 + t5, beep);
}

void CZelkApp::EndTransformMode()
{
    if (m_appFind.boxSelectionMode != 3)
        return;
    // The inside selection through its menu command, as the user would choose it.
    const int helpMode = m_contextHelpMode;
    m_contextHelpMode = 0;
    OnSelectInclude();
    m_contextHelpMode = helpMode;
    if (m_pDocTemplate) {
        POSITION pos = m_pDocTemplate->GetFirstDocPosition();
        while (pos)
            if (auto* doc = dynamic_cast<CZelkDoc*>(m_pDocTemplate->GetNextDoc(pos)))
                doc->m_deformMode = 0;
    }
    if (CZelkDoc* doc = GetActiveDrawingDoc())
        doc->m_deformMode = 0;
    if (m_groupProcessor)
        m_groupProcessor->modePattern = "PP";
}

void CZelkApp::AddColorToTable(COLORREF color)
{
    if (m_appColor.FindStandardColor(color) == CAppColor::kNotFound &&
        m_appColor.FindUserColor(color) == CAppColor::kNotFound)
        m_appColor.m_userColors.Add(color);
    m_appElem.SetColor(color);
}
