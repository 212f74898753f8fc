// Regular polygons of the circle command: closed chains of lines about a centre, gathered into a
// plain group when the element settings ask for it.
#include "commands/circle/CircleCommand.h"

#include <cmath>
#include <cstdlib>

#include "app/ZelkApp.h"
#include "commands/circle/ElementAdding.h"
#include "document/CreationLog.h"
#include "document/ZelkDoc.h"
#include "elements/ElementKinds.h"
#include "elements/Group.h"
#include "geometry/Angles.h"
#include "geometry/Numeric.h"

// A count beyond 16 bits is refused with the counts below three: keeping only its low bits
// would turn 65539 into a triangle.
int CCircleCommand::AddRegularPolygon(int count, CPointD centre, double size, double angle)
{
    ClearCandidates();
    int n = count;
    if (n < -32768 || n > 32767 || std::abs(n) < 3)
        return 0;
    if (NearlyEqual(size, 0.0))
        return 0;
    if (size < 0.0) {
        size = -size;
        n = -n;
    }
    CZelkDoc* doc = m_doc;
    CZelkApp* app = g_pApp;
    CGroup* group = nullptr;
    std::int16_t groupIndex = -1;
    if (app && app->m_appElem.m_circleOption)
        group = doc->m_creationLog->AddGroup(1, groupIndex, 1, 1);

    const int corners = std::abs(n);
    const double a0 = angle * PI / 180.0;
    const double step = (360.0 / corners) * PI / 180.0;
    const double radius = n > 0 ? size / std::cos(step / 2.0) : size;
    auto corner = [&](int i) {
        CPointD p;
        p.Init(centre.m_x + radius * std::cos(a0 + i * step), centre.m_y + radius * std::sin(a0 + i * step));
        return p;
    };

    // No element to follow: the layer of the same-layer condition stays the write layer.
    const std::int16_t writeLayer = EnterLayerRule(-1);
    CPointD previous = corner(0);
    for (int i = 1; i <= corners; ++i) {
        const CPointD next = corner(i);
        CPointD a = previous, b = next;
        OrderPoints(a, b);
        previous = next;
        std::int16_t block = -1, slot = -1;
        if (doc->m_creationLog->AddLine(a, b, 1, block, slot, 1, 1))
            JoinNewGroup(doc, group, groupIndex, ELEM_LINE, block, slot);
    }
    LeaveLayerRule(writeLayer);
    return 1;
}
