// The download button opens the page its caption names; the dialog stays open.
#include "app/DownloadDialog.h"

#include "platform/core/Services.h"

BEGIN_MESSAGE_MAP(CDownloadDialog, CDialog)
    ON_BN_CLICKED(1135, OnOpenPage)
END_MESSAGE_MAP()

void CDownloadDialog::OnOpenPage()
{
    CString address;
    GetDlgItemText(1135, address);
    Services().ShellOpen(address);
}
