// The point command object.
#include "commands/line/PointCommand.h"

CPointCommand::CPointCommand(CZelkDoc* doc, int instance)
    : m_doc(doc), m_instance(instance), m_modePattern("P")
{
}
