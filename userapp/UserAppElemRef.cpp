// UserAppElemRef: the plug-in form of an element reference; compiled into the program and into
// every plug-in (the conversion from the program's own reference lives with the elements).
#include "userapp/UserAppElemRef.h"

UserAppElemRef::UserAppElemRef() : m_state(1), m_mark(1), m_kind(0), m_block(0), m_slot(0), m_extra(0)
{
}

void UserAppElemRef::Copy(const UserAppElemRef& other)
{
    m_state = other.m_state;
    m_mark = other.m_mark;
    m_kind = other.m_kind;
    m_block = other.m_block;
    m_slot = other.m_slot;
    m_extra = other.m_extra;
}

void UserAppElemRef::Init(std::int16_t kind, std::int16_t block, std::int16_t slot,
                          std::uint8_t state, std::uint8_t mark)
{
    m_kind = kind;
    m_block = block;
    m_slot = slot;
    m_state = state;
    m_mark = mark;
}
