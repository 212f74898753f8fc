// Applying the entered text of the input box by its current list.
#include "input/InputBar.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "input/InputEvent.h"

int CInputBar::ApplyText(int)
{
    CZelkDoc* doc = g_pApp ? g_pApp->GetActiveDrawingDoc() : nullptr;
    if (!doc)
        return 0;
    g_pApp->ShowMessage(CString(), 0);
    doc->RedrawPreviewsInViews();
    switch (m_currentList) {
    case 7: {
        // A line of layer names goes to the layer operations, which end their mode with it.
        CHistoryList& list = GetList(7);
        list.m_value = 1.0;
        list.m_currentText = m_enteredText;
        doc->m_inputEvent->PostText(m_enteredText, 31);
        g_pApp->m_interruptMode = 0;
        return 1;
    }
    default:
        return 0;
    }
}
