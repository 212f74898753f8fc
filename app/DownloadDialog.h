// The address of the download page on a button that opens it.
#pragma once

#include "platform/ui/Dialog.h"

class CDownloadDialog : public CDialog {
public:
    enum { IDD = 232 };
    CDownloadDialog() : CDialog(IDD) {}

protected:
    DECLARE_MESSAGE_MAP()
    void OnOpenPage();
};
