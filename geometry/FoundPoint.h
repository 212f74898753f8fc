// One result of the point search: the point, its sorting distance and the one or two elements
// it was found on (kind 0 = no element).
#pragma once

#include <cstdint>

#include "geometry/PointD.h"

class CFoundPoint {
public:
    CPointD m_point;
    double m_distance;
    std::int16_t m_firstBlock;
    std::int16_t m_firstSlot;
    std::int16_t m_firstPart;
    std::int16_t m_secondBlock;
    std::int16_t m_secondSlot;
    std::int16_t m_secondPart;
    std::int16_t m_firstKind;
    std::int16_t m_secondKind;

    CFoundPoint(const CPointD& point, double distance, std::int16_t firstKind,
                std::int16_t secondKind, std::int16_t firstBlock, std::int16_t firstSlot,
                std::int16_t firstPart, std::int16_t secondBlock, std::int16_t secondSlot,
                std::int16_t secondPart);
};
