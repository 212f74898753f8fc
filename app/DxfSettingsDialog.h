// The DXF fonts read at half character width, as one text of names separated by commas.
#pragma once

#include "platform/ui/Dialog.h"

class CDxfSettingsDialog : public CDialog {
public:
    enum { IDD = 240 };
    CDxfSettingsDialog() : CDialog(IDD) {}
    void DoDataExchange(CDataExchange* pDX) override;

    CString m_fontNames;  // separated by commas
};
