// The application's response and result messages: a beep when asked, then the text on the
// message line of the active drawing view. The last text of each is kept so that it can be read
// back without a view.
#include "app/ZelkApp.h"
#include "platform/core/Services.h"
#include "view/ZelkView.h"

namespace {

void ShowOnActiveView(CZelkView* view, CString& kept, const CString& text, int beep)
{
    if (beep)
        MessageBeep(MB_ICONASTERISK);
    kept = text;
    if (view)
        view->ShowMessageLine(text);
}

} // namespace

void CZelkApp::ShowMessage(const CString& text, int beep)
{
    ShowOnActiveView(m_activeView, m_lastMessage, text, beep);
}

// Appended to what the message line shows, so that a notice keeps the selection message before it.
void CZelkApp::ShowResultMessage(const CString& text, int beep)
{
    if (beep)
        MessageBeep(MB_ICONASTERISK);
    m_lastMessage += text;
    m_lastResultMessage = text;
    if (m_activeView)
        m_activeView->ShowMessageLine(m_activeView->m_messageText + text);
}

void CZelkApp::ShowHint(const CString& text)
{
    if (m_activeView && m_appDraw.showHintLine)
        m_activeView->ShowHintLine(text);
}
