// The dimension command object.
#include "commands/annotate/DimCommand.h"

#include "app/AppText.h"
#include "commands/annotate/TextCommand.h"
#include "document/DocEnvironment.h"
#include "document/ZelkDoc.h"

CDimCommand::CDimCommand(CZelkDoc* doc, int instance)
    : m_doc(doc), m_instance(instance), m_modePattern(instance == 0 ? "APPP" : "#P"),
      m_arrowKind(0), m_angle(0)
{
}

void CDimCommand::UpdateValueTextBox(const CString& text)
{
    m_valueText = text;
    ComputeBoxOfString(text, m_valueBox);
}

void CDimCommand::OnInput(int kind, int subCode)
{
    // The command's own handling of its inputs is built with the command; the router's
    // hand-over is kept so that what reached the command can be read back.
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
}
