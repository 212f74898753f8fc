// The line command object.
#include "commands/line/LineCommand.h"

CLineCommand::CLineCommand(CZelkDoc* doc, int instance)
    : m_doc(doc), m_instance(instance), m_modePattern(instance == 0 ? "SE" : "#L")
{
}
