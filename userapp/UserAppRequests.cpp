// The request dispatcher: guidance and message requests, the drawing look-ups every family
// shares, and the codes that only look a drawing up.
#include "userapp/UserAppRequests.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "platform/ui/DocTemplate.h"
#include "userapp/UserAppBlock.h"
#include "userapp/UserAppManager.h"
#include "view/ZelkView.h"

namespace {

// Codes 1-6: the prompt, the hint, and messages on the view's lines.
bool ServeGuidanceRequest(UserAppBlock& block, int slot, int code)
{
    const CString& text = block.m_stringArgs[slot][0];
    CUserAppManager* manager = g_pApp->m_userAppManager;
    switch (code) {
    case 1:
    case 2:
        // The user application keeps its own copy, which the guidance shows while it runs.
        if (manager)
            (code == 1 ? manager->m_prompt : manager->m_hint) = text;
        (code == 1 ? g_pApp->m_prompt : g_pApp->m_hint) = text;
        g_pApp->ShowPrompt();
        return true;
    case 3:
    case 4:
        g_pApp->ShowMessage(text, code == 4);
        return true;
    case 5:
    case 6:
        g_pApp->ShowResultMessage(text, code == 6);
        return true;
    default:
        return false;
    }
}

// Codes that look the drawing short0 up and, for now, do no more: its status is all they give.
bool IsLookUpOnly(int code)
{
    return (code >= 53 && code <= 69) || (code >= 442 && code <= 502);
}

} // namespace

std::vector<CZelkDoc*> UserAppDrawings()
{
    std::vector<CZelkDoc*> docs;
    if (!g_pApp || !g_pApp->m_pDocTemplate)
        return docs;
    POSITION pos = g_pApp->m_pDocTemplate->GetFirstDocPosition();
    while (pos)
        if (auto* doc = dynamic_cast<CZelkDoc*>(g_pApp->m_pDocTemplate->GetNextDoc(pos)))
            docs.push_back(doc);
    return docs;
}

CZelkDoc* FindUserAppDrawing(int id)
{
    for (CZelkDoc* doc : UserAppDrawings())
        if (static_cast<std::int16_t>(doc->m_docNumber) == id)
            return doc;
    return nullptr;
}

CZelkView* FindUserAppView(CZelkDoc* doc, int viewNumber)
{
    if (!doc || doc->GetViews().empty())
        return nullptr;
    CZelkView* first = doc->GetViews().front();
    return first && first->m_viewNumber == viewNumber ? first : nullptr;
}

void ServeUserAppRequest(UserAppBlock& block, int slot)
{
    const int code = block.m_codes[slot];
    if (ServeGuidanceRequest(block, slot, code) || ServeDocumentRequest(block, slot, code) ||
        ServeLayerRequest(block, slot, code) || ServeSettingsRequest(block, slot, code) ||
        ServeElementRequest(block, slot, code) || ServePlaceRequest(block, slot, code) ||
        ServePreviewOrFileRequest(block, slot, code) || ServePickRequest(block, slot, code))
        return;
    if (IsLookUpOnly(code) && !FindUserAppDrawing(block.m_shortArg0[slot]))
        block.m_status[slot] = kUserAppNoDocWithId;
}
