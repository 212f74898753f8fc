// The notice that the program is freeware, used at the user's own risk.
#pragma once

#include "platform/ui/Dialog.h"

class CFreewareNoticeDialog : public CDialog {
public:
    enum { IDD = 243 };
    CFreewareNoticeDialog() : CDialog(IDD) {}
};
