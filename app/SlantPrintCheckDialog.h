// Whether slanted texts printed at the right angle: OK for right ("正常"), Cancel for wrong.
#pragma once

#include "platform/ui/Dialog.h"

class CSlantPrintCheckDialog : public CDialog {
public:
    enum { IDD = 238 };
    CSlantPrintCheckDialog() : CDialog(IDD) {}
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCancel() override;

    int m_dontShowAgain = 0;
};
