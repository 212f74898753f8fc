// The handler of notifications that are deliberately ignored (the input box's drop-down and
// close-up, one dialog's selection change).
#pragma once

void EmptyCallback();
