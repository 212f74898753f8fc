// The notice that stays up while File Save waits before overwriting: the file and the seconds
// left, and that Escape cancels.
#pragma once

#include "platform/ui/Dialog.h"

class CSaveCountdownDialog : public CDialog {
public:
    static constexpr UINT IDD = 252;
    CSaveCountdownDialog() : CDialog(IDD) {}

    CString m_fileText;
    CString m_secondsText;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// Paths longer than the countdown notice can show keep their end behind "･･･". The cut counts
// bytes; one more byte goes when the cut would leave the second half of a character first.
CString SaveNoticePathText(const CString& path);
