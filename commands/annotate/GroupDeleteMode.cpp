// The group-delete command of a drawing.
#include "commands/annotate/GroupDeleteMode.h"

CGroupDeleteMode::CGroupDeleteMode(CZelkDoc* doc) : m_doc(doc) {}

void CGroupDeleteMode::OnInput(CZelkDoc*, int kind, int subCode)
{
    // The command's own handling of its inputs is built with the command; the router's
    // hand-over is kept so that what reached the command can be read back.
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
}
