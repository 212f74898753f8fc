// "保存中止": shown for a moment when Escape cancels a delayed save.
#pragma once

#include "platform/ui/Dialog.h"

class CSaveCancelledDialog : public CDialog {
public:
    static constexpr UINT IDD = 254;
    CSaveCancelledDialog() : CDialog(IDD) {}
};
