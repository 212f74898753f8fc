// What to do after the system refused to update the registry, offered at start-up and again
// from the help menu; the check box stops it from coming back.
#pragma once

#include "platform/ui/Dialog.h"

class CRegistryHelpDialog : public CDialog {
public:
    enum { IDD = 250 };
    CRegistryHelpDialog() : CDialog(IDD) {}
    void DoDataExchange(CDataExchange* pDX) override;

    int m_dontShowAgain = 0;
};
