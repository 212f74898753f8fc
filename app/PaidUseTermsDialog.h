// The conditions for using the program in paid systems.
#pragma once

#include "platform/ui/Dialog.h"

class CPaidUseTermsDialog : public CDialog {
public:
    enum { IDD = 245 };
    CPaidUseTermsDialog() : CDialog(IDD) {}
};
