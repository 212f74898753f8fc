// The closed-loop command object.
#include "commands/line/LoopCommand.h"

CLoopCommand::CLoopCommand(CZelkDoc* doc) : m_doc(doc) {}
