// The transfer records: the plain forms in which elements, references, pens, fonts and attribute
// strings cross between the program and its plug-ins. The program and every plug-in compile this
// header and UserAppRecords.cpp alike, so both sides agree on each record by construction.
//
// Our own x86-64 offsets (bytes; the static_asserts at the end check each row). A record's lists
// are std::vector objects of the one libstdc++ that the program and the plug-ins share (24
// bytes); a string is the platform's CString (32 bytes).
//
//   UserAppPenRecord (16)  0 lineType  4 width  8 color  12 blurCount  13 blurRate
//   UserAppFontRecord (104)  0 logFont  60 style1  61 style2  62 style3  63 style4  64 style5
//                            72 angle  80 spacing  88 rightToLeft  92 width  96 height
//   UserAppStringRecord (64)  0 state  1 mark  8 text  40 refs
//   UserAppPointRecord (64)  0 state  1 mark  8 position  24 layer  26 group  32 attrStrings
//                            56 role  58 pen
//   UserAppLineRecord (80)  0 state  1 mark  8 start  24 end  40 swapped  44 layer  46 group
//                           48 attrStrings  72 role  74 directionKind  76 pen
//   UserAppCircleRecord (72)  0 state  1 mark  8 centre  24 radius  32 layer  34 group
//                             40 attrStrings  64 role  66 pen
//   UserAppArcRecord (88)  0 state  1 mark  8 centre  24 radius  32 startAngle  40 endAngle
//                          48 arcFlag  52 layer  54 group  56 attrStrings  80 role  82 pen
//   UserAppConicRecord (128)  0 state  1 mark  8 centre  24 majorRadius  32 ratio  40 startAngle
//                             48 endAngle  56 tilt  64 points  88 layer  90 group  96 attrStrings
//                             120 role  122 pen
//   UserAppCurveRecord (96)  0 state  1 mark  2 kind  8 pendingPoints  32 points  56 layer
//                            58 group  64 attrStrings  88 role  90 pen
//   UserAppTextRecord (144)  0 state  1 mark  8 text  40 point  56 underlineStart
//                            72 underlineEnd  88 swapped  92 color  96 alignment  100 layer
//                            102 group  104 role  112 attrStrings  136 font
//   UserAppGroupRecord (128)  0 state  1 mark  8 name  40 members  64 kind  66 parent
//                             72 attrStrings  96 defPoint1  112 defPoint2
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry/PointD.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"
#include "userapp/UserAppElemRef.h"

using UserAppIndexList = std::vector<std::uint16_t>;

// Assignment from a record by value puts the source's attribute indices in front of the
// target's and appends copies of its references and points: what a table record held before
// stays behind them.
void PrependIndices(UserAppIndexList& target, const UserAppIndexList& source);
template <class T>
void AppendCopies(std::vector<T>& target, const std::vector<T>& source)
{
    target.insert(target.end(), source.begin(), source.end());
}

// Pens and fonts are copied bytewise.
struct UserAppPenRecord {
    std::int32_t m_lineType = 0;   // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 draft
    std::int16_t m_width = 1;      // tenths of a millimetre
    COLORREF m_color = 0;
    std::uint8_t m_blurCount = 0;
    std::uint8_t m_blurRate = 70;  // blur attenuation in percent

    UserAppPenRecord() = default;
    // A pen of a plug-in's figure: the type arrives as a short and is sign-extended.
    UserAppPenRecord(std::int16_t lineType, std::int16_t width, COLORREF color);
};

struct UserAppFontRecord {
    LOGFONT m_logFont;
    std::uint8_t m_style1;         // shape
    std::uint8_t m_style2;         // form class
    std::uint8_t m_style3;         // direction
    std::uint8_t m_style4;         // first form option
    std::uint8_t m_style5;         // second form option
    double m_angle;                // degrees
    double m_spacing;              // spacing over character width
    std::int32_t m_rightToLeft;
    std::int32_t m_width;          // tenths of a millimetre
    std::int32_t m_height;

    // The font of a new drawing: 8-pixel Shift-JIS gothic, 4 by 8 mm characters.
    UserAppFontRecord();
};

struct UserAppStringRecord {
    std::uint8_t m_state = 1;
    std::uint8_t m_mark = 1;
    CString m_text;
    std::vector<UserAppElemRef> m_refs;   // the carriers of the string

    UserAppStringRecord() = default;
    UserAppStringRecord(const UserAppStringRecord&) = default;
    UserAppStringRecord& operator=(UserAppStringRecord other);
};

struct UserAppPointRecord {
    std::uint8_t m_state = 1;
    std::uint8_t m_mark = 1;
    CPointD m_position;
    std::int16_t m_layer = -1;
    std::int16_t m_group = -1;
    UserAppIndexList m_attrStrings;
    std::int16_t m_role = -1;
    std::int16_t m_pen = -1;

    UserAppPointRecord() = default;
    // Everything but the role.
    UserAppPointRecord(const UserAppPointRecord& other);
    UserAppPointRecord& operator=(UserAppPointRecord other);
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
    std::uint8_t m_directionKind = 4;   // of the drawing block the line lies in
    std::int16_t m_pen = -1;

    UserAppLineRecord() = default;
    // A segment of a plug-in's figure; layer, pen and group index the slot's lists.
    UserAppLineRecord(CPointD start, CPointD end, std::int16_t layer, std::int16_t pen,
                      std::int16_t group);
    // Everything but the role and the attribute list.
    UserAppLineRecord(const UserAppLineRecord& other);
    UserAppLineRecord& operator=(UserAppLineRecord other);
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
    std::int16_t m_pen = -1;

    UserAppCircleRecord() = default;
    // Everything but the role and the attribute list.
    UserAppCircleRecord(const UserAppCircleRecord& other);
    UserAppCircleRecord& operator=(UserAppCircleRecord other);
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
    UserAppIndexList m_attrStrings;
    std::int16_t m_role = -1;
    std::int16_t m_pen = -1;

    UserAppArcRecord() = default;
    // An arc of a plug-in's figure: the start angle in angles.x, the end angle in angles.y.
    UserAppArcRecord(CPointD centre, double radius, CPointD angles, std::int16_t layer,
                     std::int16_t pen, std::int16_t group);
    // Everything but the role and the attribute list.
    UserAppArcRecord(const UserAppArcRecord& other);
    UserAppArcRecord& operator=(UserAppArcRecord other);
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
    std::vector<CPointD> m_points;   // the polyline that draws the ellipse
    std::int16_t m_layer = -1;
    std::int16_t m_group = -1;
    UserAppIndexList m_attrStrings;
    std::int16_t m_role = 0;
    std::int16_t m_pen = -1;

    UserAppConicRecord() = default;
    UserAppConicRecord(const UserAppConicRecord&) = default;
    UserAppConicRecord& operator=(UserAppConicRecord other);
};

struct UserAppCurveRecord {
    std::uint8_t m_state = 1;
    std::uint8_t m_mark = 1;
    std::uint8_t m_kind = 0;
    std::vector<CPointD> m_pendingPoints;
    std::vector<CPointD> m_points;
    std::int16_t m_layer = -1;
    std::int16_t m_group = -1;
    UserAppIndexList m_attrStrings;
    std::int16_t m_role = 0;
    std::int16_t m_pen = -1;

    UserAppCurveRecord() = default;
    UserAppCurveRecord(const UserAppCurveRecord&) = default;
    UserAppCurveRecord& operator=(UserAppCurveRecord other);
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
    // Horizontal part (0 left, 2 right, 6 centre) plus vertical part (0 top, 8 bottom, 32 middle).
    std::int32_t m_alignment = 8;
    std::int16_t m_layer = -1;
    std::int16_t m_group = -1;
    std::int16_t m_role = 0;
    UserAppIndexList m_attrStrings;
    std::int16_t m_font = -1;

    UserAppTextRecord() = default;
    UserAppTextRecord(const UserAppTextRecord&) = default;
    UserAppTextRecord& operator=(UserAppTextRecord other);
};

struct UserAppGroupRecord {
    std::uint8_t m_state = 1;
    std::uint8_t m_mark = 1;
    CString m_name;
    std::vector<UserAppElemRef> m_members;
    // 0 plain, 1 subscript or furigana string, 2-8 dimension groups, 9 composite dimension value.
    std::int16_t m_kind = 0;
    std::int16_t m_parent = -1;
    UserAppIndexList m_attrStrings;
    CPointD m_defPoint1;
    CPointD m_defPoint2;

    UserAppGroupRecord() = default;
    UserAppGroupRecord(const UserAppGroupRecord&) = default;
    UserAppGroupRecord& operator=(UserAppGroupRecord other);
};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
#define ZELK_AT(T, f, o) static_assert(offsetof(T, f) == (o), #T "::" #f " moved")
static_assert(sizeof(UserAppPenRecord) == 16);
ZELK_AT(UserAppPenRecord, m_lineType, 0);
ZELK_AT(UserAppPenRecord, m_width, 4);
ZELK_AT(UserAppPenRecord, m_color, 8);
ZELK_AT(UserAppPenRecord, m_blurCount, 12);
ZELK_AT(UserAppPenRecord, m_blurRate, 13);
static_assert(sizeof(UserAppFontRecord) == 104);
ZELK_AT(UserAppFontRecord, m_logFont, 0);
ZELK_AT(UserAppFontRecord, m_style1, 60);
ZELK_AT(UserAppFontRecord, m_style2, 61);
ZELK_AT(UserAppFontRecord, m_style3, 62);
ZELK_AT(UserAppFontRecord, m_style4, 63);
ZELK_AT(UserAppFontRecord, m_style5, 64);
ZELK_AT(UserAppFontRecord, m_angle, 72);
ZELK_AT(UserAppFontRecord, m_spacing, 80);
ZELK_AT(UserAppFontRecord, m_rightToLeft, 88);
ZELK_AT(UserAppFontRecord, m_width, 92);
ZELK_AT(UserAppFontRecord, m_height, 96);
static_assert(sizeof(UserAppStringRecord) == 64);
ZELK_AT(UserAppStringRecord, m_state, 0);
ZELK_AT(UserAppStringRecord, m_mark, 1);
ZELK_AT(UserAppStringRecord, m_text, 8);
ZELK_AT(UserAppStringRecord, m_refs, 40);
static_assert(sizeof(UserAppPointRecord) == 64);
ZELK_AT(UserAppPointRecord, m_state, 0);
ZELK_AT(UserAppPointRecord, m_mark, 1);
ZELK_AT(UserAppPointRecord, m_position, 8);
ZELK_AT(UserAppPointRecord, m_layer, 24);
ZELK_AT(UserAppPointRecord, m_group, 26);
ZELK_AT(UserAppPointRecord, m_attrStrings, 32);
ZELK_AT(UserAppPointRecord, m_role, 56);
ZELK_AT(UserAppPointRecord, m_pen, 58);
static_assert(sizeof(UserAppLineRecord) == 80);
ZELK_AT(UserAppLineRecord, m_state, 0);
ZELK_AT(UserAppLineRecord, m_mark, 1);
ZELK_AT(UserAppLineRecord, m_start, 8);
ZELK_AT(UserAppLineRecord, m_end, 24);
ZELK_AT(UserAppLineRecord, m_swapped, 40);
ZELK_AT(UserAppLineRecord, m_layer, 44);
ZELK_AT(UserAppLineRecord, m_group, 46);
ZELK_AT(UserAppLineRecord, m_attrStrings, 48);
ZELK_AT(UserAppLineRecord, m_role, 72);
ZELK_AT(UserAppLineRecord, m_directionKind, 74);
ZELK_AT(UserAppLineRecord, m_pen, 76);
static_assert(sizeof(UserAppCircleRecord) == 72);
ZELK_AT(UserAppCircleRecord, m_state, 0);
ZELK_AT(UserAppCircleRecord, m_mark, 1);
ZELK_AT(UserAppCircleRecord, m_centre, 8);
ZELK_AT(UserAppCircleRecord, m_radius, 24);
ZELK_AT(UserAppCircleRecord, m_layer, 32);
ZELK_AT(UserAppCircleRecord, m_group, 34);
ZELK_AT(UserAppCircleRecord, m_attrStrings, 40);
ZELK_AT(UserAppCircleRecord, m_role, 64);
ZELK_AT(UserAppCircleRecord, m_pen, 66);
static_assert(sizeof(UserAppArcRecord) == 88);
ZELK_AT(UserAppArcRecord, m_state, 0);
ZELK_AT(UserAppArcRecord, m_mark, 1);
ZELK_AT(UserAppArcRecord, m_centre, 8);
ZELK_AT(UserAppArcRecord, m_radius, 24);
ZELK_AT(UserAppArcRecord, m_startAngle, 32);
ZELK_AT(UserAppArcRecord, m_endAngle, 40);
ZELK_AT(UserAppArcRecord, m_arcFlag, 48);
ZELK_AT(UserAppArcRecord, m_layer, 52);
ZELK_AT(UserAppArcRecord, m_group, 54);
ZELK_AT(UserAppArcRecord, m_attrStrings, 56);
ZELK_AT(UserAppArcRecord, m_role, 80);
ZELK_AT(UserAppArcRecord, m_pen, 82);
static_assert(sizeof(UserAppConicRecord) == 128);
ZELK_AT(UserAppConicRecord, m_state, 0);
ZELK_AT(UserAppConicRecord, m_mark, 1);
ZELK_AT(UserAppConicRecord, m_centre, 8);
ZELK_AT(UserAppConicRecord, m_majorRadius, 24);
ZELK_AT(UserAppConicRecord, m_ratio, 32);
ZELK_AT(UserAppConicRecord, m_startAngle, 40);
ZELK_AT(UserAppConicRecord, m_endAngle, 48);
ZELK_AT(UserAppConicRecord, m_tilt, 56);
ZELK_AT(UserAppConicRecord, m_points, 64);
ZELK_AT(UserAppConicRecord, m_layer, 88);
ZELK_AT(UserAppConicRecord, m_group, 90);
ZELK_AT(UserAppConicRecord, m_attrStrings, 96);
ZELK_AT(UserAppConicRecord, m_role, 120);
ZELK_AT(UserAppConicRecord, m_pen, 122);
static_assert(sizeof(UserAppCurveRecord) == 96);
ZELK_AT(UserAppCurveRecord, m_state, 0);
ZELK_AT(UserAppCurveRecord, m_mark, 1);
ZELK_AT(UserAppCurveRecord, m_kind, 2);
ZELK_AT(UserAppCurveRecord, m_pendingPoints, 8);
ZELK_AT(UserAppCurveRecord, m_points, 32);
ZELK_AT(UserAppCurveRecord, m_layer, 56);
ZELK_AT(UserAppCurveRecord, m_group, 58);
ZELK_AT(UserAppCurveRecord, m_attrStrings, 64);
ZELK_AT(UserAppCurveRecord, m_role, 88);
ZELK_AT(UserAppCurveRecord, m_pen, 90);
static_assert(sizeof(UserAppTextRecord) == 144);
ZELK_AT(UserAppTextRecord, m_state, 0);
ZELK_AT(UserAppTextRecord, m_mark, 1);
ZELK_AT(UserAppTextRecord, m_text, 8);
ZELK_AT(UserAppTextRecord, m_point, 40);
ZELK_AT(UserAppTextRecord, m_underlineStart, 56);
ZELK_AT(UserAppTextRecord, m_underlineEnd, 72);
ZELK_AT(UserAppTextRecord, m_swapped, 88);
ZELK_AT(UserAppTextRecord, m_color, 92);
ZELK_AT(UserAppTextRecord, m_alignment, 96);
ZELK_AT(UserAppTextRecord, m_layer, 100);
ZELK_AT(UserAppTextRecord, m_group, 102);
ZELK_AT(UserAppTextRecord, m_role, 104);
ZELK_AT(UserAppTextRecord, m_attrStrings, 112);
ZELK_AT(UserAppTextRecord, m_font, 136);
static_assert(sizeof(UserAppGroupRecord) == 128);
ZELK_AT(UserAppGroupRecord, m_state, 0);
ZELK_AT(UserAppGroupRecord, m_mark, 1);
ZELK_AT(UserAppGroupRecord, m_name, 8);
ZELK_AT(UserAppGroupRecord, m_members, 40);
ZELK_AT(UserAppGroupRecord, m_kind, 64);
ZELK_AT(UserAppGroupRecord, m_parent, 66);
ZELK_AT(UserAppGroupRecord, m_attrStrings, 72);
ZELK_AT(UserAppGroupRecord, m_defPoint1, 96);
ZELK_AT(UserAppGroupRecord, m_defPoint2, 112);
#undef ZELK_AT
#pragma GCC diagnostic pop
