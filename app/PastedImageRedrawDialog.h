// The confirmation before drawing over pasted images; OK or Cancel only.
#pragma once

#include "platform/ui/Dialog.h"

class CPastedImageRedrawDialog : public CDialog {
public:
    enum { IDD = 249 };
    CPastedImageRedrawDialog() : CDialog(IDD) {}
};
