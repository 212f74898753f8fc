// The plug-in transfer copies of the elements and attribute records.
#include "elements/Arc.h"
#include "elements/Circle.h"
#include "elements/Conic.h"
#include "elements/Curve.h"
#include "elements/DataPoint.h"
#include "elements/DataString.h"
#include "elements/Group.h"
#include "elements/Line.h"
#include "elements/Text.h"
#include "elements/TypeFont.h"
#include "elements/TypePen.h"
#include "userapp/UserAppRecords.h"

namespace {

std::vector<UserAppElemRef> CopyRefs(const std::vector<CElemRef>& refs)
{
    std::vector<UserAppElemRef> copy;
    copy.reserve(refs.size());
    for (const CElemRef& r : refs)
        copy.push_back(r.CopyOut());
    return copy;
}

// A new record of an element with the fields every element kind and its record share.
template <class Record, class Element>
Record* NewElementRecord(const Element& e)
{
    auto* r = new Record;
    r->m_state = e.m_state;
    r->m_mark = e.m_mark;
    r->m_layer = e.m_layer;
    r->m_group = e.m_group;
    r->m_role = e.m_role;
    r->m_attrStrings = CopyIndexList(e.m_attrStrings);
    return r;
}

}  // namespace

UserAppPointRecord* CDataPoint::ToRecord() const
{
    auto* r = NewElementRecord<UserAppPointRecord>(*this);
    r->m_position = m_position;
    return r;
}

UserAppLineRecord* CLine::ToRecord() const
{
    auto* r = NewElementRecord<UserAppLineRecord>(*this);
    r->m_start = m_start;
    r->m_end = m_end;
    r->m_swapped = m_swapped;
    return r;
}

UserAppCircleRecord* CCircle::ToRecord() const
{
    auto* r = NewElementRecord<UserAppCircleRecord>(*this);
    r->m_centre = m_centre;
    r->m_radius = m_radius;
    return r;
}

UserAppArcRecord* CArc::ToRecord() const
{
    auto* r = NewElementRecord<UserAppArcRecord>(*this);
    r->m_centre = m_centre;
    r->m_radius = m_radius;
    r->m_startAngle = m_startAngle;
    r->m_endAngle = m_endAngle;
    r->m_arcFlag = m_arcFlag;
    return r;
}

UserAppConicRecord* CConic::ToRecord() const
{
    auto* r = NewElementRecord<UserAppConicRecord>(*this);
    r->m_centre = m_centre;
    r->m_majorRadius = m_majorRadius;
    r->m_ratio = m_ratio;
    r->m_startAngle = m_startAngle;
    r->m_endAngle = m_endAngle;
    r->m_tilt = m_tilt;
    r->m_points = m_polyline;
    return r;
}

UserAppCurveRecord* CCurve::ToRecord() const
{
    auto* r = NewElementRecord<UserAppCurveRecord>(*this);
    r->m_kind = m_kind;
    r->m_pendingPoints = m_pendingPoints;
    r->m_points = m_points;
    return r;
}

UserAppTextRecord* CText::ToRecord() const
{
    auto* r = NewElementRecord<UserAppTextRecord>(*this);
    r->m_text = m_text;
    r->m_point = m_point;
    r->m_underlineStart = m_underlineStart;
    r->m_underlineEnd = m_underlineEnd;
    r->m_swapped = m_swapped;
    r->m_color = m_color;
    r->m_alignment = m_alignment;
    return r;
}

UserAppGroupRecord* CGroup::ToRecord() const
{
    auto* r = new UserAppGroupRecord;
    r->m_state = m_state;
    r->m_mark = m_mark;
    r->m_name = m_name;
    r->m_members = CopyRefs(m_members);
    r->m_attrStrings = CopyIndexList(m_attrStrings);
    r->m_kind = m_kind;
    r->m_parent = m_parent;
    r->m_defPoint1 = m_defPoint1;
    r->m_defPoint2 = m_defPoint2;
    return r;
}

UserAppStringRecord* CDataString::ToRecord() const
{
    auto* r = new UserAppStringRecord;
    r->m_state = m_state;
    r->m_mark = m_mark;
    r->m_text = m_text;
    r->m_refs = CopyRefs(m_refs);
    return r;
}

UserAppPenRecord* CTypePen::ToRecord() const
{
    auto* r = new UserAppPenRecord;
    r->m_lineType = m_lineType;
    r->m_width = m_width;
    r->m_color = m_color;
    r->m_blurCount = m_blurCount;
    r->m_blurRate = m_blurRate;
    return r;
}

UserAppFontRecord* CTypeFont::ToRecord() const
{
    auto* r = new UserAppFontRecord;
    r->m_logFont = m_logFont;
    r->m_style1 = m_style1;
    r->m_style2 = m_style2;
    r->m_style3 = m_style3;
    r->m_style4 = m_style4;
    r->m_style5 = m_style5;
    r->m_angle = m_angle;
    r->m_spacing = m_spacing;
    r->m_rightToLeft = m_rightToLeft;
    r->m_width = m_width;
    r->m_height = m_height;
    return r;
}
