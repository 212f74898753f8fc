// Where the feedback of the drawing commands goes: the prompt to the main frame's status bar,
// the hint to the active drawing view's hint line, messages to its message line. A beep sounds
// before the text, also when no drawing view is active and the text is dropped. The last text
// is kept so that it can be read back without a view.
#include "app/MainFrame.h"
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "platform/core/Services.h"
#include "platform/ui/DocTemplate.h"
#include "view/ZelkView.h"

void CZelkApp::ShowPrompt()
{
    if (m_pMainFrame)
        m_pMainFrame->SetMessageText(m_prompt.GetString());
    ShowHint(m_hint);
}

void CZelkApp::ShowHint(const CString& text)
{
    if (m_appDraw.showHintLine && m_activeView)
        m_activeView->ShowHintLine(text);
}

void CZelkApp::ShowMessage(const CString& text, int beep)
{
    if (beep)
        MessageBeep(MB_ICONASTERISK);
    m_lastMessage = text;
    if (m_activeView)
        m_activeView->ShowMessageLine(text);
}

// Appended to what the message line shows, so that a notice keeps the selection message before it.
void CZelkApp::ShowResultMessage(const CString& text, int beep)
{
    if (beep)
        MessageBeep(MB_ICONASTERISK);
    m_lastMessage += text;
    m_lastResultMessage = text;
    if (m_activeView)
        m_activeView->AppendMessageLine(text);
}

void CZelkApp::ShowMessageParts(const CString& a, const CString& b, const CString& c, const CString& d,
                                const CString& e, int beep)
{
    ShowMessage(a + b + c + d + e, beep);
}

void CZelkApp::ShowMessageTenParts(const CString (&parts)[10], int beep)
{
    CString joined;
    for (const CString& part : parts)
        joined += part;
    ShowMessage(joined, beep);
}

void CZelkApp::RedrawAllDrawings()
{
    if (!m_pDocTemplate)
        return;
    for (POSITION pos = m_pDocTemplate->GetFirstDocPosition(); pos;)
        if (auto* doc = dynamic_cast<CZelkDoc*>(m_pDocTemplate->GetNextDoc(pos)))
            doc->RedrawChangedElements(1);
}
