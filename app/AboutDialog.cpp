// The about box's texts and its buttons to the terms dialogs, which leave it open.
#include "app/AboutDialog.h"

#include "app/AppMakingTermsDialog.h"
#include "app/BookQuoteTermsDialog.h"
#include "app/RedistributionTermsDialog.h"

BEGIN_MESSAGE_MAP(CAboutDialog, CDialog)
    ON_BN_CLICKED(1104, OnAppMaking)
    ON_BN_CLICKED(1105, OnBookQuote)
    ON_BN_CLICKED(1111, OnRedistribution)
END_MESSAGE_MAP()

void CAboutDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, 1102, m_edition);
    DDX_Text(pDX, 1103, m_version);
}

void CAboutDialog::OnAppMaking() { CAppMakingTermsDialog().DoModal(); }
void CAboutDialog::OnBookQuote() { CBookQuoteTermsDialog().DoModal(); }
void CAboutDialog::OnRedistribution() { CRedistributionTermsDialog().DoModal(); }
