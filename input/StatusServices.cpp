// The application's response message: a beep when asked, then the text on the message line of
// the active drawing view. The last text is kept so that it can be read back without a view.
#include "app/ZelkApp.h"
#include "platform/core/Services.h"
#include "view/ZelkView.h"

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
    if (m_activeView)
        m_activeView->ShowMessageLine(m_activeView->m_messageText + text);
}
