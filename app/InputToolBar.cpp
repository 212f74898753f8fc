// The input bar's data exchange of the box text.
#include "app/InputToolBar.h"

#include "app/Resource.h"
#include "platform/ui/Dialog.h"

void CInputToolBar::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_INPUT_BOX, m_inputBox);
    DDX_CBString(pDX, IDC_INPUT_BOX, m_boxText);
}

BOOL CInputToolBar::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}
