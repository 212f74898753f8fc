// The point-search bar: the kinds of points a pick searches for.
#pragma once

#include "app/ToolBitmapButton.h"
#include "platform/ui/ControlBar.h"

class CFindPointToolBar : public CToolBar {
public:
};
