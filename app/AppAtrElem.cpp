// CAppAtrElem: defaults of its environment; the rest is shared with the other element-based set.
#include "app/AppAtrElem.h"

IMPLEMENT_DYNCREATE(CAppAtrElem, CObject)

CAppAtrElem::CAppAtrElem() : CAppAtrPicked(3, 70)
{
}

CAppAtrElem::~CAppAtrElem() = default;
