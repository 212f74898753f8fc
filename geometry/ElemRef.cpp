// CElemRef: identity by kind, block and slot; conversions to the plug-in form.
#include "geometry/ElemRef.h"

#include "geometry/ElemCandidate.h"
#include "userapp/UserAppElemRef.h"

CElemRef::CElemRef() : m_state(1), m_mark(0), m_kind(0), m_block(0), m_slot(0), m_extra(0) {}

CElemRef& CElemRef::Init(std::int16_t kind, std::int16_t block, std::int16_t slot,
                         std::uint8_t state, std::uint8_t mark)
{
    m_kind = kind;
    m_block = block;
    m_slot = slot;
    m_state = state;
    m_mark = mark;
    m_extra = 0;
    return *this;
}

void CElemRef::SetFromCandidate(const CElemCandidate& c)
{
    m_state = c.m_state;
    m_mark = c.m_mark;
    m_kind = c.m_kind;
    m_block = c.m_block;
    m_slot = c.m_slot;
    m_extra = c.m_partFlags;
}

int CElemRef::IsSameElement(const CElemRef& other) const
{
    return (m_kind == other.m_kind && m_block == other.m_block && m_slot == other.m_slot) ? 1 : 0;
}

UserAppElemRef CElemRef::CopyOut() const
{
    UserAppElemRef r;
    r.Assign(*this);
    return r;
}

CElemRef* CElemRef::Clone() const
{
    return new CElemRef(*this);
}
