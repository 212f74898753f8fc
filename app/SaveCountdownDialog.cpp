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

CString SaveNoticePathText(const CString& path)
{
    const int length = path.GetLength();
    if (length <= 38)
        return path;
    const auto byteAt = [&path](int i) { return static_cast<unsigned char>(path[i]); };
    int keep = 35;
    const unsigned char before = byteAt(length - 36);
    if (before >= 0x81 && byteAt(length - 35) != 0x83)
        keep = 34;
    return CString("･･･") + path.Right(keep);
}
