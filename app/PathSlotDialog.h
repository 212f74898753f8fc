// Ten folder slots with a column of radio buttons for the folder files open from and one for
// the folder they are saved in; "パス追加" puts a folder chosen with the file dialog in front.
#pragma once

#include "platform/ui/Dialog.h"

class CPathSlotDialog : public CDialog {
public:
    enum { IDD = 244 };
    static constexpr int kSlots = 10;
    CPathSlotDialog() : CDialog(IDD) {}
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    CString m_slots[kSlots];  // each ending with "\"
    CString m_title;
    int m_openSlot = 0;       // -1 when no open radio is checked
    int m_saveSlot = 0;       // -1 when no save radio is checked

protected:
    DECLARE_MESSAGE_MAP()
    void OnOpenRadio(UINT nID);
    void OnSaveRadio(UINT nID);
    void OnAddFolder();

private:
    void CheckRow(int openRow, int saveRow);
    void ReadColumns();
};
