// The conditions for redistributing the program free of charge.
#pragma once

#include "platform/ui/Dialog.h"

class CRedistributionTermsDialog : public CDialog {
public:
    enum { IDD = 226 };
    CRedistributionTermsDialog() : CDialog(IDD) {}
};
