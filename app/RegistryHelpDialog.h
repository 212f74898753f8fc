// What to do when the system registry could not be updated; shown at the first start until
// its box is ticked, and again from the help menu.
#pragma once

#include "platform/ui/Dialog.h"

class CRegistryHelpDialog : public CDialog {
public:
    static constexpr UINT IDD = 250;
    CRegistryHelpDialog() : CDialog(IDD) {}

    int m_dontShowAgain = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
