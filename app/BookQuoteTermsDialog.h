// The conditions for quoting the program in books.
#pragma once

#include "platform/ui/Dialog.h"

class CBookQuoteTermsDialog : public CDialog {
public:
    enum { IDD = 237 };
    CBookQuoteTermsDialog() : CDialog(IDD) {}
};
