// The circle command's share of the creation environment: putting back the environment an edit
// or a double click switched away from, and telling the pick routing when a pick belongs to an
// edit, so that it does not become the selected element whose settings new elements take.
#include "commands/circle/CircleCommand.h"

#include "commands/circle/CommandFamilies.h"

void CCircleCommand::RestoreCreationMode()
{
    RestoreCreationEnvironment(m_savedCreationMode);
}

int CCircleCommand::IsEditPick() const
{
    const CString& t = m_tokenString;
    if (t == "#" || t == "#p" || t == "#l" || t == "#c")
        return 1;
    if (m_modePattern != "DLL")
        return 0;
    int single = 0, complete = 0;
    return ClassifyTokens(single, complete) > 1 ? 1 : 0;
}
