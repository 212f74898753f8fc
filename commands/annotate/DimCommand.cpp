// The dimension command object.
#include "commands/annotate/DimCommand.h"

CDimCommand::CDimCommand(CZelkDoc* doc, int instance)
    : m_doc(doc), m_instance(instance), m_modePattern(instance == 0 ? "APPP" : "#P")
{
}
