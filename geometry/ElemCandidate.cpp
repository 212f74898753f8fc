// CElemCandidate: construction and the plug-in form of its reference.
#include "geometry/ElemCandidate.h"

#include "geometry/ElemRef.h"
#include "userapp/UserAppElemRef.h"

CElemCandidate::CElemCandidate()
    : m_state(1), m_mark(0), m_kind(0), m_block(0), m_slot(0), m_segmentIndex(0),
      m_distanceKey(0.0), m_sizeKey(0.0), m_partFlags(0)
{
}

void CElemCandidate::Init(std::int16_t kind, std::int16_t block, std::int16_t slot,
                          std::uint8_t state, std::uint8_t mark, std::uint8_t partFlags)
{
    m_kind = kind;
    m_block = block;
    m_slot = slot;
    m_state = state;
    m_mark = mark;
    m_partFlags = partFlags;
    m_segmentIndex = 0;
    m_distanceKey = 0.0;
    m_sizeKey = 0.0;
}

UserAppElemRef CElemCandidate::GetRef() const
{
    CElemRef r;
    r.SetFromCandidate(*this);
    return r.CopyOut();
}
