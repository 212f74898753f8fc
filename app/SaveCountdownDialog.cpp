// The countdown notice of File Save.
#include "app/SaveCountdownDialog.h"

namespace {
constexpr int IDC_SAVE_FILE = 1173;
constexpr int IDC_SAVE_SECONDS = 1175;
} // namespace

void CSaveCountdownDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SAVE_FILE, m_fileText);
    DDX_Text(pDX, IDC_SAVE_SECONDS, m_secondsText);
}
