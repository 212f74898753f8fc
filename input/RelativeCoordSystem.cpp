// Input in the relative coordinate system of a drawing.
#include "input/RelativeCoordSystem.h"
#include "document/ZelkDoc.h"

CRelativeCoordSystem::CRelativeCoordSystem(CZelkDoc* doc) : m_doc(doc) {}

void CRelativeCoordSystem::OnInput(int kind, int subCode)
{
    // The command's own handling of its inputs is built with the command; the router's
    // hand-over is kept so that what reached the command can be read back.
    m_lastInputKind = kind;
    m_lastInputSubCode = subCode;
}

CPointD CRelativeCoordSystem::WorldToRelative(CPointD p) const
{
    return m_doc->WorldToRelative(p);
}

CPointD CRelativeCoordSystem::RelativeToWorld(CPointD p) const
{
    return m_doc->RelativeToWorld(p);
}
