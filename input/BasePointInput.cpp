// The base-point mode's input.
#include "input/BasePointInput.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "input/InputEvent.h"

void CBasePointInput::OnInput(CZelkDoc* doc, int kind, int subCode)
{
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
    if (!doc || !g_pApp)
        return;
    if (kind == 4) {
        const CInputEvent& e = *doc->m_inputEvent;
        doc->SetBasePoint(e.point, e.relativePoint);
        g_pApp->ShowResultMessage(" 起点を更新しました", 0);
        return;
    }
    g_pApp->ShowMessage("起点設定で、点以外のデータが入力されました", 1);
}
