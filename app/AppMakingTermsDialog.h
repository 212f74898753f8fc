// The conditions for making and selling user applications.
#pragma once

#include "platform/ui/Dialog.h"

class CAppMakingTermsDialog : public CDialog {
public:
    enum { IDD = 222 };
    CAppMakingTermsDialog() : CDialog(IDD) {}
};
