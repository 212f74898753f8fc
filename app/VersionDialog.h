// The edition and version of the program with its rights notice, and buttons to the terms of
// use in paid systems, of quoting in books and of redistribution.
#pragma once

#include "platform/ui/Dialog.h"

class CVersionDialog : public CDialog {
public:
    enum { IDD = 246 };
    CVersionDialog() : CDialog(IDD) {}
    void DoDataExchange(CDataExchange* pDX) override;

    CString m_edition;
    CString m_version;

protected:
    DECLARE_MESSAGE_MAP()
    void OnPaidUse();
    void OnBookQuote();
    void OnRedistribution();
};
