// The transfer records through which plug-ins receive copies of drawing elements and attribute
// records. Each is a plain copy: lists are owned by the record and freed with it.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/PointD.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"
#include "userapp/UserAppElemRef.h"

class CWordArray;

using UserAppIndexList = std::vector<std::uint16_t>;

// A copy of an attribute-index word array.
UserAppIndexList CopyIndexList(const CWordArray& list);

struct UserAppPointRecord {
    std::uint8_t m_state = 1;
    std::uint8_t m_mark = 1;
    CPointD m_position;
    std::int16_t m_layer = -1;
    std::int16_t m_group = -1;
    UserAppIndexList m_attrStrings;
    std::int16_t m_role = -1;
};

struct UserAppLineRecord {
    std::uint8_t m_state = 1;
    std::uint8_t m_mark = 1;
    CPointD m_start;
    CPointD m_end;
    std::int32_t m_swapped = 0;
    std::int16_t m_layer = -1;
    std::int16_t m_group = -1;
    UserAppIndexList m_attrStrings;
    std::int16_t m_role = -1;
};

struct UserAppCircleRecord {
    std::uint8_t m_state = 1;
    std::uint8_t m_mark = 1;
    CPointD m_centre;
    double m_radius = 0;
    std::int16_t m_layer = -1;
    std::int16_t m_group = -1;
    UserAppIndexList m_attrStrings;
    std::int16_t m_role = -1;
};

struct UserAppArcRecord {
    std::uint8_t m_state = 1;
    std::uint8_t m_mark = 1;
    CPointD m_centre;
    double m_radius = 0;
    double m_startAngle = 0;
    double m_endAngle = 90;
    std::int32_t m_arcFlag = 1;
    std::int16_t m_layer = -1;
    std::int16_t m_group = -1;
    std::int16_t m_role = -1;
    UserAppIndexList m_attrStrings;
};

struct UserAppConicRecord {
    std::uint8_t m_state = 1;
    std::uint8_t m_mark = 1;
    CPointD m_centre;
    double m_majorRadius = 0;
    double m_ratio = 1.0;
    double m_startAngle = 0;
    double m_endAngle = 360;
    double m_tilt = 0;
    std::vector<CPointD> m_points;
    std::int16_t m_layer = -1;
    std::int16_t m_group = -1;
    std::int16_t m_role = 0;
    std::int16_t m_reserved = -1;
    UserAppIndexList m_attrStrings;
};

struct UserAppCurveRecord {
    std::uint8_t m_state = 1;
    std::uint8_t m_mark = 1;
    std::uint8_t m_kind = 0;
    std::vector<CPointD> m_pendingPoints;
    std::vector<CPointD> m_points;
    std::int16_t m_layer = -1;
    std::int16_t m_group = -1;
    std::int16_t m_role = 0;
    std::int16_t m_reserved = -1;
    UserAppIndexList m_attrStrings;
};

struct UserAppTextRecord {
    std::uint8_t m_state = 1;
    std::uint8_t m_mark = 1;
    CString m_text;
    CPointD m_point;
    CPointD m_underlineStart;
    CPointD m_underlineEnd;
    std::int32_t m_swapped = 0;
    COLORREF m_color = 0;
    std::int32_t m_alignment = 8;
    std::int16_t m_layer = -1;
    std::int16_t m_group = -1;
    std::int16_t m_role = 0;
    std::int16_t m_reserved = -1;
    UserAppIndexList m_attrStrings;
};

struct UserAppGroupRecord {
    std::uint8_t m_state = 1;
    std::uint8_t m_mark = 1;
    CString m_name;
    std::vector<UserAppElemRef> m_members;
    UserAppIndexList m_attrStrings;
    std::int16_t m_kind = 0;
    std::int16_t m_parent = -1;
    CPointD m_defPoint1;
    CPointD m_defPoint2;
};

struct UserAppStringRecord {
    std::uint8_t m_state = 1;
    std::uint8_t m_mark = 1;
    CString m_text;
    std::vector<UserAppElemRef> m_refs;
};

struct UserAppPenRecord {
    std::int32_t m_lineType = 0;
    std::int16_t m_width = 1;
    COLORREF m_color = 0;
    std::uint8_t m_blurCount = 0;
    std::uint8_t m_blurRate = 70;
};

struct UserAppFontRecord {
    LOGFONT m_logFont;
    std::uint8_t m_style1;
    std::uint8_t m_style2;
    std::uint8_t m_style3;
    std::uint8_t m_style4;
    std::uint8_t m_style5;
    double m_angle;
    double m_spacing;
    std::int32_t m_rightToLeft;
    std::int32_t m_width;
    std::int32_t m_height;
    // The defaults of a new font record of a drawing.
    UserAppFontRecord();
};
