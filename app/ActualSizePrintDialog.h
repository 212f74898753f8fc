// The ratio of actual-size printing, between 0.01 and 100.
#pragma once

#include "platform/ui/Dialog.h"

class CActualSizePrintDialog : public CDialog {
public:
    enum { IDD = 239 };
    CActualSizePrintDialog() : CDialog(IDD) {}
    void DoDataExchange(CDataExchange* pDX) override;

    double m_ratio = 1.0;
};
