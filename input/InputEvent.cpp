// The record through which every input of a drawing reaches its commands.
#include "input/InputEvent.h"

CInputEvent::CInputEvent(CZelkDoc* doc) : m_doc(doc) {}
