// The circle command's share of the creation environment: putting back the environment an edit
// or a double click switched away from, and telling the pick routing when a pick belongs to an
// edit, so that it does not become the selected element whose settings new elements take.
#include "commands/circle/CircleCommand.h"

#include "app/CreationEnvButton.h"
#include "app/ZelkApp.h"

namespace {

const char* const kMsgBackToSelected = " 選択要素の環境で作成するモードに戻しました。";
const char* const kMsgBackToReference = " 参照要素の環境で作成するモードに戻しました。";

// The pen of the set unless draft lines are drawn, then its text attributes.
template <class AttributeSet>
void ApplySet(CZelkApp& app, AttributeSet& set)
{
    if (!app.m_appElem.m_draftMode)
        set.ApplyPen();
    set.ApplyText();
}

} // namespace

void CCircleCommand::RestoreCreationMode()
{
    CZelkApp* app = g_pApp;
    if (!app)
        return;
    app->m_appElem.m_creationEnv = m_savedCreationMode;
    if (app->m_appElem.m_draftMode)
        app->m_appElem.SetDraftPen();
    switch (m_savedCreationMode) {
    case 0:
        ApplySet(*app, app->m_atrCurrent);
        break;
    case 1:
        ApplySet(*app, app->m_atrElem);
        app->ShowResultMessage(kMsgBackToSelected, 0);
        break;
    case 2:
        ApplySet(*app, app->m_atrReference);
        app->ShowResultMessage(kMsgBackToReference, 0);
        break;
    default:
        return;
    }
    ShowCreationEnvButton(*app);
}

int CCircleCommand::IsEditPick() const
{
    const CString& t = m_tokenString;
    if (t == "#" || t == "#p" || t == "#l" || t == "#c")
        return 1;
    if (m_modePattern != "DLL")
        return 0;
    int single = 0, complete = 0;
    return ClassifyTokens(single, complete) > 1 ? 1 : 0;
}
