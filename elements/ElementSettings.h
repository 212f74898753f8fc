// The few application settings the element classes read, gathered in one place: the selection
// conditions, the creation color of new texts and the markers of composite strings.
#pragma once

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

int SelectionInversionFlag();      // "選択反転モード"
int SelectableKinds();             // mask of element kind bits
int GroupSelectionSetting();       // 1, 2 or 3 for plain groups
int DimensionSelectionSetting();   // 1, 2 or 3 for the dimension groups
COLORREF CreationColor();          // color of new elements
CString SubscriptMarker();
CString RubyMarker();
int ShowTextUnderlines();          // display setting: text underlines drawn
