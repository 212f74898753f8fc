// The origin-setting mode's input.
#include "input/OriginSetting.h"

void COriginSetting::OnInput(CZelkDoc*, int kind, int subCode)
{
    // The mode's own handling of its point is built with the mode; the router's hand-over is
    // kept so that what reached it can be read back.
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
}
