// CAppCommand: defaults and archive form of the command options.
#include "app/AppCommand.h"

#include "app/SettingsField.h"

IMPLEMENT_DYNCREATE(CAppCommand, CObject)

CAppCommand::CAppCommand()
    : popupMenuType(0), m_pointFlag(1), m_lineFlag(1), m_circleFlag(1), m_arcFlag(1),
      m_textFlag(1), m_dimFlag(1), m_loopFlag(1), m_extraFlag(1)
{
}

CAppCommand::~CAppCommand() = default;

void CAppCommand::Serialize(CArchive& ar)
{
    for (int* field : {&popupMenuType, &m_pointFlag, &m_lineFlag, &m_circleFlag, &m_arcFlag,
                       &m_textFlag, &m_dimFlag, &m_loopFlag, &m_extraFlag})
        ExchangeField(ar, *field);
}
