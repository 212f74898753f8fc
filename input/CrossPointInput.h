// Input of the crossing point of two picked elements.
#pragma once

#include "input/GuidanceOwner.h"

class CCrossPointInput : public CGuidanceOwner {
public:

};
