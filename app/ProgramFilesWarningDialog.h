// The warning against running the program from the Program Files folder; shown at start until
// its box is ticked.
#pragma once

#include "platform/ui/Dialog.h"

class CProgramFilesWarningDialog : public CDialog {
public:
    static constexpr UINT IDD = 259;
    CProgramFilesWarningDialog() : CDialog(IDD) {}

    int m_dontShowAgain = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
