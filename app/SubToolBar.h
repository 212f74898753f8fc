// The auxiliary bar (reset, undo, redo, step back, draft lines) and its two picture buttons.
#pragma once

#include "app/ToolBitmapButton.h"
#include "platform/ui/ControlBar.h"

class CSubToolBar : public CToolBar {
public:
    CToolBitmapButton m_creationEnvButton;
    CToolBitmapButton m_layerConditionButton;
};
