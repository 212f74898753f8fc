// CDocGrid: snapping to the grid pitch, and the grid's archive form.
#include "app/DocGrid.h"

#include "app/SettingsField.h"
#include "geometry/Numeric.h"

#include <cmath>

IMPLEMENT_DYNCREATE(CDocGrid, CObject)

CDocGrid::CDocGrid() : m_on(0)
{
    m_pitch.Init(10.0, 10.0);
}

CDocGrid::~CDocGrid() = default;

void CDocGrid::Serialize(CArchive& ar)
{
    ExchangeField(ar, m_pitch.m_x);
    ExchangeField(ar, m_pitch.m_y);
    ExchangeField(ar, m_on);
}

namespace {

double SnapCoordinate(double v, double pitch)
{
    // A pitch of 0 or less (or not a number) has no multiples to snap to.
    if (!(pitch > 0.0))
        return v;
    double n = std::floor(std::fabs(v) / pitch);
    const double r = std::fabs(v) - n * pitch;
    if (NearlyEqual(r, pitch / 2.0) || r > pitch / 2.0)
        n += 1.0;
    return v < 0.0 ? -n * pitch : n * pitch;
}

} // namespace

CPointD CDocGrid::SnapToPitch(const CPointD& gridPoint) const
{
    CPointD p;
    p.Init(SnapCoordinate(gridPoint.m_x, m_pitch.m_x), SnapCoordinate(gridPoint.m_y, m_pitch.m_y));
    return p;
}
