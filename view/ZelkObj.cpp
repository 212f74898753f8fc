// Placed objects over the drawing.
#include "view/ZelkObj.h"

#include <algorithm>

#include "view/ZelkView.h"

int CZelkObj::IntersectsRect(CZelkView* view, const RECT& rect)
{
    if (!view)
        return 0;
    CPointD a = m_corner1.WorldToScreen(view->m_origin, view->m_zoom);
    CPointD b = m_corner2.WorldToScreen(view->m_origin, view->m_zoom);
    double left = std::min(a.m_x, b.m_x), right = std::max(a.m_x, b.m_x);
    double low = std::min(a.m_y, b.m_y), high = std::max(a.m_y, b.m_y);
    double rl = std::min(rect.left, rect.right), rr = std::max(rect.left, rect.right);
    double rlow = std::min(rect.top, rect.bottom), rhigh = std::max(rect.top, rect.bottom);
    return left <= rr && rl <= right && low <= rhigh && rlow <= high;
}
