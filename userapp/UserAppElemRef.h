// The element reference as it travels in the plug-in exchange block: the fields of CElemRef in
// the same order, 10 bytes, shared with the plug-ins.
#pragma once

#include <cstddef>
#include <cstdint>

class CElemRef;

struct UserAppElemRef {
    std::uint8_t m_state;
    std::uint8_t m_mark;
    std::int16_t m_kind;
    std::int16_t m_block;
    std::int16_t m_slot;
    std::uint8_t m_extra;

    UserAppElemRef();
    void Copy(const UserAppElemRef& other);
    // Leaves the extra byte as it was.
    void Init(std::int16_t kind, std::int16_t block, std::int16_t slot, std::uint8_t state,
              std::uint8_t mark);
    void Assign(CElemRef ref);
};

static_assert(sizeof(UserAppElemRef) == 10, "the exchange block fixes the reference at 10 bytes");
static_assert(offsetof(UserAppElemRef, m_mark) == 1 && offsetof(UserAppElemRef, m_kind) == 2
              && offsetof(UserAppElemRef, m_block) == 4 && offsetof(UserAppElemRef, m_slot) == 6
              && offsetof(UserAppElemRef, m_extra) == 8);
