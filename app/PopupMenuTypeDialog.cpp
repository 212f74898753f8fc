// The popup-menu type's two radio buttons.
#include "app/PopupMenuTypeDialog.h"

void CPopupMenuTypeDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, 1129, m_type);
}
