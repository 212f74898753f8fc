// The creation environment a command puts back after an edit that switched it.
#include "commands/circle/CommandFamilies.h"

#include "app/CreationEnvButton.h"
#include "app/ZelkApp.h"

namespace {

// The pen of the set unless draft lines are drawn, then its text attributes.
template <class AttributeSet>
void ApplySet(CZelkApp& app, AttributeSet& set)
{
    if (!app.m_appElem.m_draftMode)
        set.ApplyPen();
    set.ApplyText();
}

} // namespace

void RestoreCreationEnvironment(int saved)
{
    CZelkApp* app = g_pApp;
    if (!app)
        return;
    app->m_appElem.m_creationEnv = static_cast<short>(saved);
    if (app->m_appElem.m_draftMode)
        app->m_appElem.SetDraftPen();
    switch (saved) {
    case 0:
        ApplySet(*app, app->m_atrCurrent);
        break;
    case 1:
        ApplySet(*app, app->m_atrElem);
        app->ShowResultMessage(" 選択要素の環境で作成するモードに戻しました。", 0);
        break;
    case 2:
        ApplySet(*app, app->m_atrReference);
        app->ShowResultMessage(" 参照要素の環境で作成するモードに戻しました。", 0);
        break;
    default:
        return;
    }
    ShowCreationEnvButton(*app);
}
