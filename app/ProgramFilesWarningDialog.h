// The warning against keeping the program's folder under Program Files, offered at start-up and
// again from the help menu; the check box stops it from coming back.
#pragma once

#include "platform/ui/Dialog.h"

class CProgramFilesWarningDialog : public CDialog {
public:
    enum { IDD = 259 };
    CProgramFilesWarningDialog() : CDialog(IDD) {}
    void DoDataExchange(CDataExchange* pDX) override;

    int m_dontShowAgain = 0;
};
