// The element-search bar (element kinds taken by picking) and its two selection-type buttons.
#pragma once

#include "app/ToolBitmapButton.h"
#include "platform/ui/ControlBar.h"

class CFindElemToolBar : public CToolBar {
public:
    CToolBitmapButton m_dimSelectButton;
    CToolBitmapButton m_groupSelectButton;
};
