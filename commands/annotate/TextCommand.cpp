// The text command object, and the notation routines the document's text adders use.
#include "commands/annotate/TextCommand.h"

#include "app/AppText.h"
#include "document/DocEnvironment.h"
#include "document/ZelkDoc.h"

CTextCommand::CTextCommand(CZelkDoc* doc, int instance)
    : m_doc(doc), m_instance(instance), m_modePattern(instance == 0 ? "P" : "#P"), m_angle(0),
      m_pendingText(0)
{
}

void CTextCommand::OnInput(int kind, int subCode)
{
    // The command's own handling of its inputs is built with the command; the router's
    // hand-over is kept so that what reached the command can be read back.
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
}
