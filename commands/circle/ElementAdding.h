// The adding rules the circle and line commands share: the write layer around an add under the
// application's layer condition, and the refusal of circles and arcs without radius (an arc of
// a full turn is added as its circle).
#pragma once

#include <cstdint>

#include "geometry/PointD.h"

class CGroup;
class CZelkDoc;

// Taken before an add and finished after it. Layer condition 2 makes a new layer the write
// layer, and it stays; condition 1 writes on the element layer the routine names (none when it
// names -1); condition 0 keeps the write layer.
class CLayerStep {
public:
    CLayerStep(CZelkDoc* doc, int elementLayer = -1);
    // Condition 2 repaints and announces the new layer; the others put the write layer back
    // and, with redraw, draw again what changed.
    void Finish(int redraw = 1);

private:
    CZelkDoc* m_doc;
    std::int16_t m_savedLayer;
    int m_condition;
    int m_usedLayer;   // the element layer of condition 1, -1 none
};

// The circle goes to the creation log with mark type 1, or 2 (tentative) when not final, and
// its position into block and slot. 0 when the radius is zero (with the message) or there is
// no log.
int AddCircleElement(CZelkDoc* doc, CPointD centre, double radius, int final, std::int16_t& block,
                     std::int16_t& slot);
// An arc, or its circle for a full turn (whose position goes to circleBlock, circleSlot and
// leaves block and slot at -1).
int AddArcElement(CZelkDoc* doc, CPointD centre, double radius, double start, double end, std::int16_t& block,
                  std::int16_t& slot, int final, int keep, std::int16_t& circleBlock, std::int16_t& circleSlot);

// A new line, circle or arc joins the group an operation builds: it takes the group's number and
// the group a member reference (state 1, mark 1). A position of -1 (a refused add) joins nothing.
void JoinNewGroup(CZelkDoc* doc, CGroup* group, std::int16_t number, std::int16_t kind, std::int16_t block,
                  std::int16_t slot);
