// The selected texts of a drawing in the order a reader reads them, for editing several texts as
// one multi-line text: the direction comes from the mean angle of their fonts, the order from
// where their underlines start.
#include <vector>

#include "document/ZelkDoc.h"
#include "elements/Text.h"
#include "elements/Texts.h"
#include "elements/TypeFont.h"
#include "geometry/Numeric.h"
#include "view/ZelkView.h"

namespace {

struct CReadingKey {
    double x;
    double y;
    const CString* text;
};

// The reading direction of a mean angle: 1 left to right, 2 bottom to top, 3 right to left
// (upside down), 4 top to bottom.
int DirectionClass(double a)
{
    if ((45 < a && a < 135) || (-315 < a && a < -225))
        return 2;
    if ((135 <= a && a <= 225) || (-225 <= a && a <= -135))
        return 3;
    if ((225 < a && a < 315) || (-135 < a && a < -45))
        return 4;
    return 1;
}

// Whether c is read before e; equal keys put c first.
bool ReadBefore(int direction, const CReadingKey& c, const CReadingKey& e)
{
    const bool sameY = NearlyEqual(e.y, c.y) != 0;
    const bool sameX = NearlyEqual(e.x, c.x) != 0;
    switch (direction) {
    case 2:
        if (!sameX)
            return e.x > c.x;
        return sameY || e.y < c.y;
    case 3:
        if (!sameY)
            return e.y > c.y;
        return sameX || e.x < c.x;
    case 4:
        if (!sameX)
            return e.x < c.x;
        return sameY || e.y > c.y;
    default:
        if (!sameY)
            return e.y < c.y;
        return sameX || e.x > c.x;
    }
}

} // namespace

BOOL CZelkView::CollectTextsInReadingOrder(CStringArray& strings)
{
    CZelkDoc* doc = m_document;
    if (!doc)
        return FALSE;
    std::vector<CReadingKey> keys;
    double angleSum = 0;
    for (int b = 0; b < doc->m_textBlocks.GetSize(); ++b) {
        CTexts* block = doc->TextBlockAt(b);
        if (!block)
            continue;
        const CTypeFont* font = doc->GetFont(block->m_pen);
        for (int s = 0; s < block->m_count; ++s) {
            const CText& t = block->m_slots[s];
            if ((t.m_state & 8) || !(t.m_mark & 2))
                continue;
            // A layer beyond the view's words counts as shown.
            if (t.m_layer >= 0 && t.m_layer < m_layerStates.GetSize() && m_layerStates[t.m_layer] == 1)
                continue;
            keys.push_back({ t.m_underlineStart.m_x, t.m_underlineStart.m_y, &t.m_text });
            angleSum += font ? font->m_angle : 0.0;
        }
    }
    if (keys.empty())
        return FALSE;
    const int direction = DirectionClass(angleSum / static_cast<double>(keys.size()));
    std::vector<int> order;
    order.reserve(keys.size());
    for (int i = 0; i < static_cast<int>(keys.size()); ++i) {
        auto at = order.begin();
        while (at != order.end() && !ReadBefore(direction, keys[i], keys[*at]))
            ++at;
        order.insert(at, i);
    }
    for (int i : order)
        strings.Add(*keys[i].text);
    return TRUE;
}
