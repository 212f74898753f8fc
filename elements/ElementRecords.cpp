// The plug-in transfer copies of the elements and attribute records, and the elements a
// plug-in's records become: the program's side of the transfer records.
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
#include "geometry/ElemRef.h"
#include "platform/core/Arrays.h"
#include "userapp/UserAppRecords.h"

namespace {

UserAppIndexList CopyIndexList(const CWordArray& list)
{
    UserAppIndexList copy;
    copy.reserve(static_cast<size_t>(list.GetSize()));
    for (int i = 0; i < list.GetSize(); ++i)
        copy.push_back(list[i]);
    return copy;
}

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

void UserAppElemRef::Assign(CElemRef ref)
{
    m_state = ref.m_state;
    m_mark = ref.m_mark;
    m_kind = ref.m_kind;
    m_block = ref.m_block;
    m_slot = ref.m_slot;
    m_extra = ref.m_extra;
}

void CLine::AssignFromRecord(UserAppLineRecord record)
{
    m_state = record.m_state;
    m_mark = record.m_mark;
    m_start = record.m_start;
    m_end = record.m_end;
    m_swapped = record.m_swapped;
    m_layer = record.m_layer;
    m_group = record.m_group;
    m_role = record.m_role;
}

void CCircle::AssignFromRecord(UserAppCircleRecord record)
{
    m_state = record.m_state;
    m_mark = record.m_mark;
    m_centre = record.m_centre;
    m_radius = record.m_radius;
    m_layer = record.m_layer;
    m_group = record.m_group;
    m_role = record.m_role;
}

void CArc::AssignFromRecord(UserAppArcRecord record)
{
    m_state = record.m_state;
    m_mark = record.m_mark;
    m_centre = record.m_centre;
    m_radius = record.m_radius;
    m_startAngle = record.m_startAngle;
    m_endAngle = record.m_endAngle;
    m_arcFlag = record.m_arcFlag;
    m_layer = record.m_layer;
    m_group = record.m_group;
    m_role = record.m_role;
}

void CGroup::AssignFromRecord(UserAppGroupRecord record)
{
    m_state = record.m_state;
    m_mark = record.m_mark;
    m_name = record.m_name;
    m_kind = record.m_kind;
    m_parent = record.m_parent;
    m_defPoint1 = record.m_defPoint1;
    m_defPoint2 = record.m_defPoint2;
    for (size_t i = record.m_attrStrings.size(); i-- > 0;)
        m_attrStrings.InsertAt(0, record.m_attrStrings[i]);
    for (const UserAppElemRef& r : record.m_members) {
        CElemRef ref;
        ref.Init(r.m_kind, r.m_block, r.m_slot, r.m_state, r.m_mark);
        ref.m_extra = r.m_extra;
        m_members.push_back(ref);
    }
}
