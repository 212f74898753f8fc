// The line command object.
#include "commands/line/LineCommand.h"

CLineCommand::CLineCommand(CZelkDoc* doc, int instance)
    : m_doc(doc), m_instance(instance), m_modePattern(instance == 0 ? "SE" : "#L")
{
}

void CLineCommand::OnInput(int kind, int subCode)
{
    // The command's own handling of its inputs is built with the command; the router's
    // hand-over is kept so that what reached the command can be read back.
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
}

void CLineCommand::OnDoubleClick()
{
    // The double click followed a pick the command refused.
    if (m_refusalNote) {
        m_refusalNote = 0;
        return;
    }
}
