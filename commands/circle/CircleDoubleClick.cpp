// The circle and arc command's share of a left double click.
#include "commands/circle/CircleCommand.h"

#include <cstring>

#include "app/ZelkApp.h"

void CCircleCommand::OnDoubleClick()
{
    // The double click followed a pick the command refused.
    if (m_refusalNote) {
        m_refusalNote = 0;
        return;
    }
}

void CCircleCommand::UndoClickBeforeDoubleClick()
{
    if (!m_pickFlag && !m_circleCentreFlag)
        return;
    const int n = m_tokenString.GetLength();
    if (n == 0 || std::strchr("LCP%#", m_tokenString[n - 1]) == nullptr)
        return;
    if (g_pApp)
        g_pApp->ShowMessage("", 0);
    StepBack(0);
}
