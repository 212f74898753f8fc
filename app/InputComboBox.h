// The input box: the window through which values, points, texts and one-letter commands are
// typed. Which list it shows and how a text is taken belong to the input bar state (CInputBar).
#pragma once

#include "platform/ui/Controls.h"

class CInputComboBox : public CComboBox {
public:
    int m_hasFocus = 0;
    int m_keepList = 0;   // while set, losing the focus keeps the current list

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    DECLARE_MESSAGE_MAP()
    void OnSetFocusNotify();
    void OnKillFocusNotify();
    void OnEditChange();
    void OnSelChange();
    void OnLButtonDown(UINT nFlags, CPoint point) override;

    CString BoxText() const;
    // The guidance of the active drawing rebuilt and shown.
    void RefreshGuidance();
};
