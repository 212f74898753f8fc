// See the header: ignoring is the behaviour.
#include "input/EmptyCallback.h"

void EmptyCallback() {}
