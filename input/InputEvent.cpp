// Posting an input: only the fields of the posted kind change before the router runs.
#include "input/InputEvent.h"

#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "input/RelativeCoordSystem.h"

CInputEvent::CInputEvent(CZelkDoc* document)
    : doc(document), kind(0), subCode(0), intValue(0), pointer(0), value(0.0)
{
}

void CInputEvent::Post(int postedKind, int code)
{
    kind = static_cast<std::int16_t>(postedKind);
    subCode = static_cast<std::int16_t>(code);
    if (g_pApp)
        g_pApp->DispatchInputEvent(doc, postedKind, code);
}

void CInputEvent::PostInt(int option, int code)
{
    intValue = option;
    Post(1, code);
}

void CInputEvent::PostPointer(std::intptr_t option, int code)
{
    pointer = option;
    Post(2, code);
}

void CInputEvent::PostValue(double number, int code)
{
    value = number;
    Post(3, code);
}

void CInputEvent::PostPoint(CPointD world, int code)
{
    point = world;
    relativePoint = doc->m_relativeSystem->WorldToRelative(world);
    Post(4, code);
}

void CInputEvent::PostPointPair(CPointD world, CPointD relative, int code)
{
    point = world;
    relativePoint = relative;
    Post(4, code);
}

void CInputEvent::PostText(const CString& string, int code)
{
    text = string;
    Post(code == 31 ? 7 : 5, code);
}

void CInputEvent::PostPick(int code)
{
    if (code == 19 || code == 21)
        Post(6, code);
    else if (code == 20)
        Post(8, code);
}
