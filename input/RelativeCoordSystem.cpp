// Input in the relative coordinate system of a drawing.
#include "input/RelativeCoordSystem.h"

CRelativeCoordSystem::CRelativeCoordSystem(CZelkDoc* doc) : m_doc(doc) {}
