// The creation environment that takes the reference element's pen and text (creation environment 2).
#pragma once

#include "app/AppAtrPicked.h"

class CAppAtrReference : public CAppAtrPicked {
    DECLARE_DYNCREATE(CAppAtrReference)
public:
    CAppAtrReference();
    ~CAppAtrReference() override;
};
