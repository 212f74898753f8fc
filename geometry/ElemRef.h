// A reference to one drawing element: kind, block and slot identify it; state and mark travel
// with it. Plain value, no archive form of its own.
#pragma once

#include <cstdint>

class CElemCandidate;
struct UserAppElemRef;

class CElemRef {
public:
    std::uint8_t m_state;   // 1 = live
    std::uint8_t m_mark;    // selection and highlight bits
    std::int16_t m_kind;    // element kind code, used as a bit
    std::int16_t m_block;   // block index in the document's per-kind block array
    std::int16_t m_slot;    // slot within the block
    std::uint8_t m_extra;   // 0 unless taken from a candidate's kind byte

    CElemRef();
    CElemRef& Init(std::int16_t kind, std::int16_t block, std::int16_t slot, std::uint8_t state,
                   std::uint8_t mark);
    void SetFromCandidate(const CElemCandidate& c);
    int IsSameElement(const CElemRef& other) const;
    UserAppElemRef CopyOut() const;
    CElemRef* Clone() const;
};
