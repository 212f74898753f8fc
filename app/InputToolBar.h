// The input bar: line-type button, input-mode buttons, the input box, the color box, layer and
// attribute buttons. Its data exchange moves the box text between the box and m_boxText.
#pragma once

#include "app/ColorComboBox.h"
#include "app/InputComboBox.h"
#include "app/ToolBitmapButton.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/ui/ControlBar.h"

class CDataExchange;

class CInputToolBar : public CToolBar {
public:
    CInputComboBox m_inputBox;
    CString m_boxText;
    CFont m_boxFont;
    CColorComboBox m_colorBox;
    CToolBitmapButton m_lineTypeButton;

    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
};
