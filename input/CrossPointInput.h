// Input of the crossing point of two picked elements.
#pragma once

class CCrossPointInput {
public:

};
