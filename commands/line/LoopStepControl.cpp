// Step back in the loop command: while loops are taken it drops the loop being taken, or the
// latest finished loop, before any operation input.
#include "commands/line/LoopCommand.h"

#include "app/ZelkApp.h"
#include "commands/line/PickedElement.h"
#include "input/ElemKey.h"

void CLoopCommand::TakePickedElement(const CString& token)
{
    KeepPickedElement(*this, token);
}

void CLoopCommand::StepBack(int steps)
{
    (void)steps;
    if (m_extractState == 1 || m_extractState == 2) {
        const int n = m_loops.GetSize();
        if (n >= 1 && m_currentLoop) {
            DrawLoop(2, m_currentLoop);
            const int last = n - 1;
            delete static_cast<COwnedPtrArray*>(m_loops[last]);
            m_loops.RemoveAt(last);
            m_currentLoop = nullptr;
            m_runElems.clear();
            m_runVertices.clear();
        }
        m_extractState = n == 1 ? 0 : 3;
        if (g_pApp)
            g_pApp->ShowMessage("抽出中のループを消しました", 0);
        return;
    }
    if (m_extractState == 3 && m_tokenString.IsEmpty()) {
        DrawAllLoops(1);
        const int last = m_loops.GetSize() - 1;
        if (last >= 0) {
            delete static_cast<COwnedPtrArray*>(m_loops[last]);
            m_loops.RemoveAt(last);
        }
        DrawAllLoops(0);
        if (m_loops.GetSize() == 0)
            m_extractState = 0;
        if (g_pApp)
            g_pApp->ShowMessage("最新のループを消しました", 0);
    }
}
