// The constraint bar: relative coordinates and point constraints.
#pragma once

#include "app/ToolBitmapButton.h"
#include "platform/ui/ControlBar.h"

class CConstraintToolBar : public CToolBar {
public:
};
