// Command options: the popup-menu type and the multi-command flags of the command kinds.
#pragma once

#include "platform/core/Object.h"

class CAppCommand : public CObject {
    DECLARE_DYNCREATE(CAppCommand)
public:
    CAppCommand();
    ~CAppCommand() override;
    void Serialize(CArchive& ar) override;

    int popupMenuType;   // 1 popup type, 0 direct type
    int m_pointFlag;
    int m_lineFlag;
    int m_circleFlag;
    int m_arcFlag;
    int m_textFlag;
    int m_dimFlag;
    int m_loopFlag;
    int m_extraFlag;
};
