// The choice between the commands' popup menu and the direct type.
#pragma once

#include "platform/ui/Dialog.h"

class CPopupMenuTypeDialog : public CDialog {
public:
    enum { IDD = 230 };
    CPopupMenuTypeDialog() : CDialog(IDD) {}
    void DoDataExchange(CDataExchange* pDX) override;

    int m_type = 0;  // 0 popup type, 1 direct type
};
