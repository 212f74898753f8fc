// The registration of user applications: a list of the registered names with their file and
// interface version, edited through the manager's pending marks and committed on "更新".
#pragma once

#include "platform/ui/Dialog.h"

class CUserAppManager;

class CUserAppRegisterDialog : public CDialog {
public:
    enum { IDD = 174 };
    explicit CUserAppRegisterDialog(CUserAppManager* manager) : CDialog(IDD), m_manager(manager) {}
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;

    CListBox m_list;
    CString m_fileName;
    CString m_appName;
    CString m_version;
    int m_changed = 0;

protected:
    DECLARE_MESSAGE_MAP()
    void OnFieldChange();
    void OnSelectEntry();
    void OnInsert();
    void OnChange();
    void OnDelete();

private:
    // The record a list entry stands for: entries follow the records not marked deleted, in
    // order, so two entries of one name stay apart. -1 for the empty last line.
    int RecordOfEntry(int entry) const;
    // Reads the fields; FALSE (focus on the name) when one is empty or holds the separator of
    // the registration file.
    BOOL ReadFields();
    void ShowFields();
    void Focus(int id);

    CUserAppManager* m_manager;
    BOOL m_showing = FALSE;  // the dialog itself is writing the fields
};
