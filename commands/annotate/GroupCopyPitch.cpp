// The pitch of repeated copies, set from a pitch start point and a pitch point: kept exact for
// the copies, shown and recorded rounded.
#include "commands/annotate/GroupProcessor.h"

#include "app/ZelkApp.h"
#include "geometry/Numeric.h"

void CGroupProcessor::SetCopyInterval(int first, int second)
{
    if (first < 0 || first >= kPositions || second < 0 || second >= kPositions)
        return;
    const CPointD& a = m_inputPoints[first].point;
    const CPointD& b = m_inputPoints[second].point;
    double dx = b.m_x - a.m_x;
    double dy = b.m_y - a.m_y;
    m_elemSet.linePitch.Init(dx, dy);
    m_elemSet.textsLaidOut = 1;
    if (g_pApp) {
        const int digits = g_pApp->m_appAcc.messageDigits();
        RoundByRangeSetting(dx, digits);
        RoundByRangeSetting(dy, digits);
        g_pApp->ShowMessage("コピーの間隔 ( " + DoubleRefToString(dx) + ", " + DoubleRefToString(dy) + ") を設定しました",
                            0);
    }
    m_values[3].value = dx;
    m_values[3].flag = 8;
    m_values[4].value = dy;
    m_values[4].flag = 9;
}
