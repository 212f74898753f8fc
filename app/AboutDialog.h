// The about box: the edition and version of the program, with buttons to the terms of making
// user applications, of quoting in books and of redistribution.
#pragma once

#include "platform/ui/Dialog.h"

class CAboutDialog : public CDialog {
public:
    enum { IDD = 100 };
    CAboutDialog() : CDialog(IDD) {}
    void DoDataExchange(CDataExchange* pDX) override;

    CString m_edition;
    CString m_version;

protected:
    DECLARE_MESSAGE_MAP()
    void OnAppMaking();
    void OnBookQuote();
    void OnRedistribution();
};
