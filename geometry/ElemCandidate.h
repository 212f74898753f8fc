// An element reference with the keys its owner attaches: the entry of the pick list (segment
// index, distance and size keys, part flags) and of the macro interpreter's gathered texts
// (which keeps a text's underline-start y and x in the two keys).
#pragma once

#include <cstdint>

struct UserAppElemRef;

class CElemCandidate {
public:
    std::uint8_t m_state;
    std::uint8_t m_mark;
    std::int16_t m_kind;
    std::int16_t m_block;
    std::int16_t m_slot;
    std::int16_t m_segmentIndex;
    double m_distanceKey;
    double m_sizeKey;
    std::uint8_t m_partFlags;  // the owner's classification byte, becomes a reference's extra byte

    CElemCandidate();
    void Init(std::int16_t kind, std::int16_t block, std::int16_t slot, std::uint8_t state,
              std::uint8_t mark, std::uint8_t partFlags);
    UserAppElemRef GetRef() const;
};
