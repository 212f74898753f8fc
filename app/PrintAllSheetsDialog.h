// The number of sheets for printing every drawing's whole area, with nine buttons for the
// usual counts and four lines the caller fills about the paper.
#pragma once

#include "platform/ui/Dialog.h"

class CPrintAllSheetsDialog : public CDialog {
public:
    enum { IDD = 261 };
    CPrintAllSheetsDialog() : CDialog(IDD) {}
    void DoDataExchange(CDataExchange* pDX) override;

    // Bound from 1195 down to 1187: the first member is the "９" button.
    CButton m_buttons[9];
    UINT m_sheetCount = 0;
    CString m_text1;
    CString m_text2;
    CString m_text3;
    CString m_text4;

protected:
    DECLARE_MESSAGE_MAP()
    void OnNumber(UINT nID);
};
