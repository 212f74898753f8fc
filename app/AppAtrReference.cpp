// CAppAtrReference: defaults of its environment; the rest is shared with the other element-based set.
#include "app/AppAtrReference.h"

IMPLEMENT_DYNCREATE(CAppAtrReference, CObject)

CAppAtrReference::CAppAtrReference() : CAppAtrPicked(0, 0)
{
}

CAppAtrReference::~CAppAtrReference() = default;
