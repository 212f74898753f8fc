// The circle and arc command object.
#include "commands/circle/CircleCommand.h"

CCircleCommand::CCircleCommand(CZelkDoc* doc, int instance)
    : m_doc(doc), m_instance(instance), m_modePattern(instance == 0 ? "PP" : "#P"),
      m_modePattern2(instance == 0 ? "" : "%PP")
{
}

void CCircleCommand::OnInput(int kind, int subCode)
{
    // The command's own handling of its inputs is built with the command; the router's
    // hand-over is kept so that what reached the command can be read back.
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
}
