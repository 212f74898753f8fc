// Archive forms of points and rectangles: the doubles' own 8 bytes each, nothing validated, so
// that whatever was stored (also -0.0, infinities and not-a-number) comes back unchanged.
#include "geometry/PointD.h"
#include "geometry/RectD.h"
#include "platform/core/Archive.h"

CArchive& StorePointD(CArchive& ar, const CPointD& p)
{
    return ar << p.m_x << p.m_y;
}

CArchive& LoadPointD(CArchive& ar, CPointD& p)
{
    return ar >> p.m_x >> p.m_y;
}

CArchive& StoreRectD(CArchive& ar, const CRectD& r)
{
    return ar << r.m_left << r.m_top << r.m_right << r.m_bottom;
}

CArchive& LoadRectD(CArchive& ar, CRectD& r)
{
    return ar >> r.m_left >> r.m_top >> r.m_right >> r.m_bottom;
}
