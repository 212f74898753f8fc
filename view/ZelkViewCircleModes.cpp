// The circle and arc items of the command popup menu by command id, as the command tape chooses
// them: the popup menu's mode items run them.
#include "view/SubModeTable.h"
#include "view/ZelkView.h"

void CZelkView::OnCircleSubMode(UINT id)
{
    const CSubMode* item = FindSubMode(id);
    if (item && item->object == CSubMode::Object::Circle)
        OnSubModeCommand(id);
}
