// The creation environment that takes the selected element's pen and text (creation environment 1).
#pragma once

#include "app/AppAtrPicked.h"

class CAppAtrElem : public CAppAtrPicked {
    DECLARE_DYNCREATE(CAppAtrElem)
public:
    CAppAtrElem();
    ~CAppAtrElem() override;
};
