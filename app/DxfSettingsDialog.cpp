// The DXF half-width font names' field.
#include "app/DxfSettingsDialog.h"

void CDxfSettingsDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, 1143, m_fontNames);
}
