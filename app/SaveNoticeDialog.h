// "上書き保存": shown for a moment just before a delayed save writes.
#pragma once

#include "platform/ui/Dialog.h"

class CSaveNoticeDialog : public CDialog {
public:
    static constexpr UINT IDD = 253;
    CSaveNoticeDialog() : CDialog(IDD) {}
};
