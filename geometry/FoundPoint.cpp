// CFoundPoint: the point search's result record.
#include "geometry/FoundPoint.h"

CFoundPoint::CFoundPoint(const CPointD& point, double distance, std::int16_t firstKind,
                         std::int16_t secondKind, std::int16_t firstBlock, std::int16_t firstSlot,
                         std::int16_t firstPart, std::int16_t secondBlock, std::int16_t secondSlot,
                         std::int16_t secondPart)
    : m_point(point), m_distance(distance), m_firstBlock(firstBlock), m_firstSlot(firstSlot),
      m_firstPart(firstPart), m_secondBlock(secondBlock), m_secondSlot(secondSlot),
      m_secondPart(secondPart), m_firstKind(firstKind), m_secondKind(secondKind)
{
}
