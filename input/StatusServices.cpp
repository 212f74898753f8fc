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

void CZelkApp::ShowResultMessage(const CString& text, int beep)
{
    ShowOnActiveView(m_activeView, m_lastResultMessage, text, beep);
}
