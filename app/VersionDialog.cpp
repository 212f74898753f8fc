// The version dialog's texts and its buttons to the terms dialogs, which leave it open.
#include "app/VersionDialog.h"

#include "app/BookQuoteTermsDialog.h"
#include "app/PaidUseTermsDialog.h"
#include "app/RedistributionTermsDialog.h"

BEGIN_MESSAGE_MAP(CVersionDialog, CDialog)
    ON_BN_CLICKED(1146, OnPaidUse)
    ON_BN_CLICKED(1105, OnBookQuote)
    ON_BN_CLICKED(1111, OnRedistribution)
END_MESSAGE_MAP()

void CVersionDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, 1102, m_edition);
    DDX_Text(pDX, 1103, m_version);
}

void CVersionDialog::OnPaidUse() { CPaidUseTermsDialog().DoModal(); }
void CVersionDialog::OnBookQuote() { CBookQuoteTermsDialog().DoModal(); }
void CVersionDialog::OnRedistribution() { CRedistributionTermsDialog().DoModal(); }
