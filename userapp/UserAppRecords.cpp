// Defaults, copies and assignments of the transfer records; compiled into the program and into
// every plug-in, so it uses nothing of the program beyond the shared point type.
#include "userapp/UserAppRecords.h"

#include <cstring>

void PrependIndices(UserAppIndexList& target, const UserAppIndexList& source)
{
    target.insert(target.begin(), source.begin(), source.end());
}

UserAppPenRecord::UserAppPenRecord(std::int16_t lineType, std::int16_t width, COLORREF color)
    : m_lineType(lineType), m_width(width), m_color(color)
{
}

UserAppFontRecord::UserAppFontRecord()
{
    std::memset(&m_logFont, 0, sizeof(m_logFont));
    m_logFont.lfHeight = -8;
    m_logFont.lfWeight = 400;
    m_logFont.lfCharSet = 128;
    m_logFont.lfOutPrecision = 3;
    m_logFont.lfClipPrecision = 2;
    m_logFont.lfQuality = 1;
    m_logFont.lfPitchAndFamily = 49;
    static const char kFace[] = "ＭＳ ゴシック";
    static_assert(sizeof(kFace) <= sizeof(m_logFont.lfFaceName));
    std::memcpy(m_logFont.lfFaceName, kFace, sizeof(kFace));
    m_style1 = m_style2 = m_style3 = m_style4 = m_style5 = 1;
    m_angle = 0;
    m_spacing = 0;
    m_rightToLeft = 0;
    m_width = 40;
    m_height = 80;
}

UserAppStringRecord& UserAppStringRecord::operator=(UserAppStringRecord other)
{
    m_state = other.m_state;
    m_mark = other.m_mark;
    m_text = other.m_text;
    AppendCopies(m_refs, other.m_refs);
    return *this;
}

UserAppPointRecord::UserAppPointRecord(const UserAppPointRecord& other)
    : m_state(other.m_state), m_mark(other.m_mark), m_position(other.m_position),
      m_layer(other.m_layer), m_group(other.m_group), m_attrStrings(other.m_attrStrings),
      m_pen(other.m_pen)
{
}

UserAppPointRecord& UserAppPointRecord::operator=(UserAppPointRecord other)
{
    m_state = other.m_state;
    m_mark = other.m_mark;
    m_position = other.m_position;
    m_layer = other.m_layer;
    m_group = other.m_group;
    m_role = other.m_role;
    m_pen = other.m_pen;
    PrependIndices(m_attrStrings, other.m_attrStrings);
    return *this;
}

UserAppLineRecord::UserAppLineRecord(CPointD start, CPointD end, std::int16_t layer,
                                     std::int16_t pen, std::int16_t group)
    : m_start(start), m_end(end), m_layer(layer), m_group(group), m_pen(pen)
{
}

UserAppLineRecord::UserAppLineRecord(const UserAppLineRecord& other)
    : m_state(other.m_state), m_mark(other.m_mark), m_start(other.m_start), m_end(other.m_end),
      m_swapped(other.m_swapped), m_layer(other.m_layer), m_group(other.m_group),
      m_directionKind(other.m_directionKind), m_pen(other.m_pen)
{
}

UserAppLineRecord& UserAppLineRecord::operator=(UserAppLineRecord other)
{
    m_state = other.m_state;
    m_mark = other.m_mark;
    m_start = other.m_start;
    m_end = other.m_end;
    m_swapped = other.m_swapped;
    m_layer = other.m_layer;
    m_group = other.m_group;
    m_role = other.m_role;
    m_directionKind = other.m_directionKind;
    m_pen = other.m_pen;
    PrependIndices(m_attrStrings, other.m_attrStrings);
    return *this;
}

UserAppCircleRecord::UserAppCircleRecord(const UserAppCircleRecord& other)
    : m_state(other.m_state), m_mark(other.m_mark), m_centre(other.m_centre),
      m_radius(other.m_radius), m_layer(other.m_layer), m_group(other.m_group),
      m_pen(other.m_pen)
{
}

UserAppCircleRecord& UserAppCircleRecord::operator=(UserAppCircleRecord other)
{
    m_state = other.m_state;
    m_mark = other.m_mark;
    m_centre = other.m_centre;
    m_radius = other.m_radius;
    m_layer = other.m_layer;
    m_group = other.m_group;
    m_role = other.m_role;
    m_pen = other.m_pen;
    PrependIndices(m_attrStrings, other.m_attrStrings);
    return *this;
}

UserAppArcRecord::UserAppArcRecord(CPointD centre, double radius, CPointD angles,
                                   std::int16_t layer, std::int16_t pen, std::int16_t group)
    : m_centre(centre), m_radius(radius), m_startAngle(angles.m_x), m_endAngle(angles.m_y),
      m_layer(layer), m_group(group), m_pen(pen)
{
}

UserAppArcRecord::UserAppArcRecord(const UserAppArcRecord& other)
    : m_state(other.m_state), m_mark(other.m_mark), m_centre(other.m_centre),
      m_radius(other.m_radius), m_startAngle(other.m_startAngle), m_endAngle(other.m_endAngle),
      m_arcFlag(other.m_arcFlag), m_layer(other.m_layer), m_group(other.m_group),
      m_pen(other.m_pen)
{
}

UserAppArcRecord& UserAppArcRecord::operator=(UserAppArcRecord other)
{
    m_state = other.m_state;
    m_mark = other.m_mark;
    m_centre = other.m_centre;
    m_radius = other.m_radius;
    m_startAngle = other.m_startAngle;
    m_endAngle = other.m_endAngle;
    m_arcFlag = other.m_arcFlag;
    m_layer = other.m_layer;
    m_group = other.m_group;
    m_role = other.m_role;
    m_pen = other.m_pen;
    PrependIndices(m_attrStrings, other.m_attrStrings);
    return *this;
}

UserAppConicRecord& UserAppConicRecord::operator=(UserAppConicRecord other)
{
    m_state = other.m_state;
    m_mark = other.m_mark;
    m_centre = other.m_centre;
    m_majorRadius = other.m_majorRadius;
    m_ratio = other.m_ratio;
    m_startAngle = other.m_startAngle;
    m_endAngle = other.m_endAngle;
    m_tilt = other.m_tilt;
    m_layer = other.m_layer;
    m_group = other.m_group;
    m_role = other.m_role;
    m_pen = other.m_pen;
    AppendCopies(m_points, other.m_points);
    PrependIndices(m_attrStrings, other.m_attrStrings);
    return *this;
}

UserAppCurveRecord& UserAppCurveRecord::operator=(UserAppCurveRecord other)
{
    m_state = other.m_state;
    m_mark = other.m_mark;
    m_kind = other.m_kind;
    m_layer = other.m_layer;
    m_group = other.m_group;
    m_role = other.m_role;
    m_pen = other.m_pen;
    AppendCopies(m_pendingPoints, other.m_pendingPoints);
    AppendCopies(m_points, other.m_points);
    PrependIndices(m_attrStrings, other.m_attrStrings);
    return *this;
}

UserAppTextRecord& UserAppTextRecord::operator=(UserAppTextRecord other)
{
    m_state = other.m_state;
    m_mark = other.m_mark;
    m_text = other.m_text;
    m_point = other.m_point;
    m_underlineStart = other.m_underlineStart;
    m_underlineEnd = other.m_underlineEnd;
    m_swapped = other.m_swapped;
    m_color = other.m_color;
    m_alignment = other.m_alignment;
    m_layer = other.m_layer;
    m_group = other.m_group;
    m_role = other.m_role;
    m_font = other.m_font;
    PrependIndices(m_attrStrings, other.m_attrStrings);
    return *this;
}

UserAppGroupRecord& UserAppGroupRecord::operator=(UserAppGroupRecord other)
{
    m_state = other.m_state;
    m_mark = other.m_mark;
    m_name = other.m_name;
    m_kind = other.m_kind;
    m_parent = other.m_parent;
    m_defPoint1 = other.m_defPoint1;
    m_defPoint2 = other.m_defPoint2;
    AppendCopies(m_members, other.m_members);
    PrependIndices(m_attrStrings, other.m_attrStrings);
    return *this;
}
