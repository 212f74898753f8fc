// The circle and arc command object.
#include "commands/circle/CircleCommand.h"

CCircleCommand::CCircleCommand(CZelkDoc* doc, int instance)
    : m_doc(doc), m_instance(instance), m_modePattern(instance == 0 ? "PP" : "#P"),
      m_modePattern2(instance == 0 ? "" : "%PP")
{
}
