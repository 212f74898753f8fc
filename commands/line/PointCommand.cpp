// The point command object.
#include "commands/line/PointCommand.h"

CPointCommand::CPointCommand(CZelkDoc* doc, int instance)
    : m_doc(doc), m_instance(instance), m_modePattern("P")
{
}

void CPointCommand::OnInput(int kind, int subCode)
{
    // The command's own handling of its inputs is built with the command; the router's
    // hand-over is kept so that what reached the command can be read back.
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
}
