// A two-state picture button placed on a tool bar; the application switches its pictures to show
// the current line type, creation environment, layer condition and selection types.
#pragma once

#include "platform/ui/Controls.h"

class CToolBitmapButton : public CBitmapButton {
public:
    CToolBitmapButton() = default;
    ~CToolBitmapButton() override = default;
};
