// The settings, document and view records of the exchange block's per-slot tables: plain copies
// of the application's settings records, a drawing and a drawing view, each carrying the members
// in their owners' order. Shared with the plug-ins like the transfer records; the member names
// follow the application's records where a record carries one of theirs.
//
// Our own x86-64 offsets (bytes; the static_asserts at the end check each row):
//
//   UserAppSpareRecord (128)  0 value0  2 value1  8 factor  16 text  48 texts  88 numbers
//   UserAppAccRecord (24)  0 digits1  2 digits2  4 decimals  8 rangeHigh  16 rangeLow
//   UserAppPathRecord (256)  0 dataFolder  32 dataFolder2  64 macroFolder  96 macroFolder2
//                            128 appFolder  160 macroFolder3  192 macroFolder4  224 symbolFolder
//   UserAppFindRecord (40)  0 toggleSelection  4 layerWiseSelection  8 boxSelectionMode
//                           10 userOption1  12 userOption2  16 annotationGroupSelectMode
//                           18 groupSelectMode  20 selectableKinds  22 searchMask
//                           24 pickHalfSize  26 gestureZoneSize  28 boxColorThreshold
//                           30 tolerance4  32 lastPickResult  36 foundPointCount
//   UserAppColorRecord (96)  0 adjustOnScreen  4 adjustOnPrint  8 complementThreshold
//                            16 standardColors  56 userColors
//   UserAppElemRecord (208)  0 thickWidth  2 lineWidth  4 lineType  8 color  16 hatchPitch
//                            24 stripCount  32 centroidHalfLength  40 pasteScaleDivisor
//                            48 creationEnv  50 layerCondition  52 blurMode  56 lineOption
//                            60 circleOption  64 draftMode  68 dimDecimals  72 arrowAngle
//                            80 arrowLength  88 dotSize  96 dotEnds  104 dimExtension
//                            112 diameterMark  144 degreeMark  176 extOvershoot  184 extGap
//                            192 balloonTextRatio  200 blurCount  201 blurRate
//   UserAppTextSetRecord (288)  0 anchor  4 widthTenths  8 heightTenths  12 logFont  72 shape
//                               73 formClass  74 direction  75 formOption1  76 formOption2
//                               80 rightToLeft  88 charSpacing  96 slantAlongLine  104 slantAngle
//                               112 tabShift  114 savedShape  120 layoutRatios1
//                               168 subscriptMarker  200 rubyMarker  232 layoutRatios2
//   UserAppDrawRecord (136)  0 int00  4 int04  8 short08  16 double10  24 zoomWindowKind
//                            28 int1C  32 int20  36 short24  38 short26  40 double28  48 ints30
//                            80 double50  88 double58  96 shorts60  112 double70  120 double78
//                            128 short80  130 short82  132 short84  134 short86
//   UserAppPrintRecord (4)  0 printAttributes
//   UserAppDocRecord (592)  0 docId  4 logicalWidth  8 logicalHeight  16 extents  48 path
//                           80 name  112 dataVersion  144 textFields  432 relOrigin  448 relAngle
//                           456 relPoint2  472 strings  512 measureScale  520 basePoint
//                           536 baseReference  552 absAngle  560 curAngle  568 curLength
//                           576 curRatio  584 curCount
//   UserAppViewRecord (184)  0 viewNumber  2 docId  4 viewKind  8 origin  24 zoom  32 point2
//                            48 clientRect  64 scroll  80 valueA  88 layerHidden  128 points
//                            176 valueB  180 valueC
#pragma once

#include <cstdint>

#include "geometry/PointD.h"
#include "platform/core/Arrays.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

// Table 14: a record that no request uses.
struct UserAppSpareRecord {
    std::int16_t m_value0 = 0;
    std::int16_t m_value1 = 0;
    double m_factor = 1.0;
    CString m_text;
    CStringArray m_texts;
    CWordArray m_numbers;
};

// Numeric accuracy (the application's accuracy settings, every member).
struct UserAppAccRecord {
    std::int16_t m_digits1 = 3;
    std::int16_t m_digits2 = 3;     // coordinate display precision
    std::int16_t m_decimals = 3;
    double m_rangeHigh = 1000000.0;
    double m_rangeLow = 0.0001;
};

// The folders a plug-in may use; each ends in a backslash.
struct UserAppPathRecord {
    CString m_dataFolder;
    CString m_dataFolder2;
    CString m_macroFolder;
    CString m_macroFolder2;
    CString m_appFolder;
    CString m_macroFolder3;
    CString m_macroFolder4;
    CString m_symbolFolder;
};

// Selection and point search (every member of the application's selection settings).
struct UserAppFindRecord {
    std::int32_t m_toggleSelection = 0;
    std::int32_t m_layerWiseSelection = 0;
    std::int16_t m_boxSelectionMode = 0;
    std::int16_t m_userOption1 = 0;
    std::int32_t m_userOption2 = 0;
    std::int16_t m_annotationGroupSelectMode = 0;
    std::int16_t m_groupSelectMode = 0;
    std::int16_t m_selectableKinds = 958;
    std::int16_t m_searchMask = 31;
    std::int16_t m_pickHalfSize = 20;      // pixels
    std::int16_t m_gestureZoneSize = 25;
    std::int16_t m_boxColorThreshold = 10;
    std::int16_t m_tolerance4 = 250;
    std::int32_t m_lastPickResult = 0;     // 0 when the last pick found nothing
    std::int16_t m_foundPointCount = 0;    // points of the last point search
};

// Colors; the purpose colors stay with the application.
struct UserAppColorRecord {
    std::int32_t m_adjustOnScreen = 1;
    std::int32_t m_adjustOnPrint = 1;
    std::uint8_t m_complementThreshold = 55;
    CDWordArray m_standardColors;
    CDWordArray m_userColors;
};

// Element creation: the pen of new elements, then the dimension, arrow and drawing values in
// the application's order. The members marked "not carried" keep their place and are neither
// filled nor read by the requests.
struct UserAppElemRecord {
    std::int16_t m_thickWidth = 5;         // tenths of a millimetre
    std::int16_t m_lineWidth = 1;
    std::int32_t m_lineType = 0;
    COLORREF m_color = 0;
    double m_hatchPitch = 2.0;
    std::int16_t m_stripCount = 500;
    double m_centroidHalfLength = 10.0;
    double m_pasteScaleDivisor = 5.0;      // not carried
    std::int16_t m_creationEnv = 0;
    std::uint8_t m_layerCondition = 1;
    std::int32_t m_blurMode = 0;
    std::int32_t m_lineOption = 1;
    std::int32_t m_circleOption = 1;
    std::int32_t m_draftMode = 1;
    std::int16_t m_dimDecimals = 2;
    double m_arrowAngle = 15.0;            // not carried
    double m_arrowLength = 3.0;
    double m_dotSize = 1.0;                // not carried
    std::int32_t m_dotEnds = 0;            // not carried
    double m_dimExtension = 6.0;
    CString m_diameterMark = "φ";
    CString m_degreeMark = "゜";
    double m_extOvershoot = 1.0;
    double m_extGap = 1.0;                 // not carried
    double m_balloonTextRatio = 0.9;
    std::uint8_t m_blurCount = 3;
    std::uint8_t m_blurRate = 70;          // percent
};

// Text settings.
struct UserAppTextSetRecord {
    std::int32_t m_anchor = 8;             // 1-9
    std::int32_t m_widthTenths = 40;
    std::int32_t m_heightTenths = 80;
    LOGFONT m_logFont;
    std::uint8_t m_shape = 1;              // 1 standard, 2 horizontal, 3 vertical, 4 slant
    std::uint8_t m_formClass = 1;
    std::uint8_t m_direction = 1;
    std::uint8_t m_formOption1 = 1;
    std::uint8_t m_formOption2 = 1;
    std::int32_t m_rightToLeft = 0;
    double m_charSpacing = 1.0;
    std::int32_t m_slantAlongLine = 0;
    double m_slantAngle = 150.0;           // tenths of a degree
    std::int16_t m_tabShift = 2;
    std::uint8_t m_savedShape = 1;
    double m_layoutRatios1[6] = {};
    CString m_subscriptMarker;
    CString m_rubyMarker;
    double m_layoutRatios2[7] = {};

    UserAppTextSetRecord();
};

// Display settings; the requests copy them without reading them.
struct UserAppDrawRecord {
    std::int32_t m_int00 = 0;
    std::int32_t m_int04 = 0;
    std::int16_t m_short08 = 0;
    double m_double10 = 0;
    std::int16_t m_zoomWindowKind = 0;     // 0 copy of the frame, 1 small window, 2 none
    std::int32_t m_int1C = 0;
    std::int32_t m_int20 = 0;
    std::int16_t m_short24 = 0;
    std::int16_t m_short26 = 0;
    double m_double28 = 0;
    std::int32_t m_ints30[8] = {};
    double m_double50 = 0;
    double m_double58 = 0;
    std::int16_t m_shorts60[8] = {};
    double m_double70 = 0;
    double m_double78 = 0;
    std::int16_t m_short80 = 0;
    std::int16_t m_short82 = 0;
    std::int16_t m_short84 = 0;
    std::int16_t m_short86 = 0;
};

// The print attribute word.
struct UserAppPrintRecord {
    std::int32_t m_printAttributes = 0;
};

// A drawing as a plug-in sees it.
struct UserAppDocRecord {
    std::int16_t m_docId = 0;
    std::int32_t m_logicalWidth = 0;
    std::int32_t m_logicalHeight = 0;
    double m_extents[4] = {0, 297, 420, 0};   // left, top, right, bottom
    CString m_path;
    CString m_name;
    CString m_dataVersion;
    // Field 1, renewal dates 1-3, creation date, fields 6-9.
    CString m_textFields[9];
    CPointD m_relOrigin;
    double m_relAngle = 0;                   // degrees
    CPointD m_relPoint2;
    CStringArray m_strings;
    double m_measureScale = 1.0;
    CPointD m_basePoint;
    CPointD m_baseReference;
    double m_absAngle = 0;
    double m_curAngle = 0;
    double m_curLength = 0;
    double m_curRatio = 0;
    std::int32_t m_curCount = 0;
};

// A drawing view as a plug-in sees it.
struct UserAppViewRecord {
    std::int16_t m_viewNumber = 0;
    std::int16_t m_docId = 0;
    std::int16_t m_viewKind = 0;             // 2 zoom window
    CPointD m_origin;                        // the world point at the logical origin
    double m_zoom = 1.0;
    CPointD m_point2;
    std::int32_t m_clientRect[4] = {};       // left, top, right, bottom
    std::int32_t m_scroll[4] = {};           // x, y and the two values kept with them
    std::int32_t m_valueA = 0;
    CWordArray m_layerHidden;                // one per layer: 0 shown, 1 hidden
    CPointD m_points[3];
    std::int32_t m_valueB = 1;
    std::int16_t m_valueC = -1;

    UserAppViewRecord();
};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
#define ZELK_AT(T, f, o) static_assert(offsetof(T, f) == (o), #T "::" #f " moved")
static_assert(sizeof(UserAppSpareRecord) == 128);
ZELK_AT(UserAppSpareRecord, m_value0, 0);
ZELK_AT(UserAppSpareRecord, m_value1, 2);
ZELK_AT(UserAppSpareRecord, m_factor, 8);
ZELK_AT(UserAppSpareRecord, m_text, 16);
ZELK_AT(UserAppSpareRecord, m_texts, 48);
ZELK_AT(UserAppSpareRecord, m_numbers, 88);
static_assert(sizeof(UserAppAccRecord) == 24);
ZELK_AT(UserAppAccRecord, m_digits1, 0);
ZELK_AT(UserAppAccRecord, m_digits2, 2);
ZELK_AT(UserAppAccRecord, m_decimals, 4);
ZELK_AT(UserAppAccRecord, m_rangeHigh, 8);
ZELK_AT(UserAppAccRecord, m_rangeLow, 16);
static_assert(sizeof(UserAppPathRecord) == 256);
ZELK_AT(UserAppPathRecord, m_dataFolder, 0);
ZELK_AT(UserAppPathRecord, m_dataFolder2, 32);
ZELK_AT(UserAppPathRecord, m_macroFolder, 64);
ZELK_AT(UserAppPathRecord, m_macroFolder2, 96);
ZELK_AT(UserAppPathRecord, m_appFolder, 128);
ZELK_AT(UserAppPathRecord, m_macroFolder3, 160);
ZELK_AT(UserAppPathRecord, m_macroFolder4, 192);
ZELK_AT(UserAppPathRecord, m_symbolFolder, 224);
static_assert(sizeof(UserAppFindRecord) == 40);
ZELK_AT(UserAppFindRecord, m_toggleSelection, 0);
ZELK_AT(UserAppFindRecord, m_layerWiseSelection, 4);
ZELK_AT(UserAppFindRecord, m_boxSelectionMode, 8);
ZELK_AT(UserAppFindRecord, m_userOption1, 10);
ZELK_AT(UserAppFindRecord, m_userOption2, 12);
ZELK_AT(UserAppFindRecord, m_annotationGroupSelectMode, 16);
ZELK_AT(UserAppFindRecord, m_groupSelectMode, 18);
ZELK_AT(UserAppFindRecord, m_selectableKinds, 20);
ZELK_AT(UserAppFindRecord, m_searchMask, 22);
ZELK_AT(UserAppFindRecord, m_pickHalfSize, 24);
ZELK_AT(UserAppFindRecord, m_gestureZoneSize, 26);
ZELK_AT(UserAppFindRecord, m_boxColorThreshold, 28);
ZELK_AT(UserAppFindRecord, m_tolerance4, 30);
ZELK_AT(UserAppFindRecord, m_lastPickResult, 32);
ZELK_AT(UserAppFindRecord, m_foundPointCount, 36);
static_assert(sizeof(UserAppColorRecord) == 96);
ZELK_AT(UserAppColorRecord, m_adjustOnScreen, 0);
ZELK_AT(UserAppColorRecord, m_adjustOnPrint, 4);
ZELK_AT(UserAppColorRecord, m_complementThreshold, 8);
ZELK_AT(UserAppColorRecord, m_standardColors, 16);
ZELK_AT(UserAppColorRecord, m_userColors, 56);
static_assert(sizeof(UserAppElemRecord) == 208);
ZELK_AT(UserAppElemRecord, m_thickWidth, 0);
ZELK_AT(UserAppElemRecord, m_lineWidth, 2);
ZELK_AT(UserAppElemRecord, m_lineType, 4);
ZELK_AT(UserAppElemRecord, m_color, 8);
ZELK_AT(UserAppElemRecord, m_hatchPitch, 16);
ZELK_AT(UserAppElemRecord, m_stripCount, 24);
ZELK_AT(UserAppElemRecord, m_centroidHalfLength, 32);
ZELK_AT(UserAppElemRecord, m_pasteScaleDivisor, 40);
ZELK_AT(UserAppElemRecord, m_creationEnv, 48);
ZELK_AT(UserAppElemRecord, m_layerCondition, 50);
ZELK_AT(UserAppElemRecord, m_blurMode, 52);
ZELK_AT(UserAppElemRecord, m_lineOption, 56);
ZELK_AT(UserAppElemRecord, m_circleOption, 60);
ZELK_AT(UserAppElemRecord, m_draftMode, 64);
ZELK_AT(UserAppElemRecord, m_dimDecimals, 68);
ZELK_AT(UserAppElemRecord, m_arrowAngle, 72);
ZELK_AT(UserAppElemRecord, m_arrowLength, 80);
ZELK_AT(UserAppElemRecord, m_dotSize, 88);
ZELK_AT(UserAppElemRecord, m_dotEnds, 96);
ZELK_AT(UserAppElemRecord, m_dimExtension, 104);
ZELK_AT(UserAppElemRecord, m_diameterMark, 112);
ZELK_AT(UserAppElemRecord, m_degreeMark, 144);
ZELK_AT(UserAppElemRecord, m_extOvershoot, 176);
ZELK_AT(UserAppElemRecord, m_extGap, 184);
ZELK_AT(UserAppElemRecord, m_balloonTextRatio, 192);
ZELK_AT(UserAppElemRecord, m_blurCount, 200);
ZELK_AT(UserAppElemRecord, m_blurRate, 201);
static_assert(sizeof(UserAppTextSetRecord) == 288);
ZELK_AT(UserAppTextSetRecord, m_anchor, 0);
ZELK_AT(UserAppTextSetRecord, m_widthTenths, 4);
ZELK_AT(UserAppTextSetRecord, m_heightTenths, 8);
ZELK_AT(UserAppTextSetRecord, m_logFont, 12);
ZELK_AT(UserAppTextSetRecord, m_shape, 72);
ZELK_AT(UserAppTextSetRecord, m_formClass, 73);
ZELK_AT(UserAppTextSetRecord, m_direction, 74);
ZELK_AT(UserAppTextSetRecord, m_formOption1, 75);
ZELK_AT(UserAppTextSetRecord, m_formOption2, 76);
ZELK_AT(UserAppTextSetRecord, m_rightToLeft, 80);
ZELK_AT(UserAppTextSetRecord, m_charSpacing, 88);
ZELK_AT(UserAppTextSetRecord, m_slantAlongLine, 96);
ZELK_AT(UserAppTextSetRecord, m_slantAngle, 104);
ZELK_AT(UserAppTextSetRecord, m_tabShift, 112);
ZELK_AT(UserAppTextSetRecord, m_savedShape, 114);
ZELK_AT(UserAppTextSetRecord, m_layoutRatios1, 120);
ZELK_AT(UserAppTextSetRecord, m_subscriptMarker, 168);
ZELK_AT(UserAppTextSetRecord, m_rubyMarker, 200);
ZELK_AT(UserAppTextSetRecord, m_layoutRatios2, 232);
static_assert(sizeof(UserAppDrawRecord) == 136);
ZELK_AT(UserAppDrawRecord, m_int00, 0);
ZELK_AT(UserAppDrawRecord, m_int04, 4);
ZELK_AT(UserAppDrawRecord, m_short08, 8);
ZELK_AT(UserAppDrawRecord, m_double10, 16);
ZELK_AT(UserAppDrawRecord, m_zoomWindowKind, 24);
ZELK_AT(UserAppDrawRecord, m_int1C, 28);
ZELK_AT(UserAppDrawRecord, m_int20, 32);
ZELK_AT(UserAppDrawRecord, m_short24, 36);
ZELK_AT(UserAppDrawRecord, m_short26, 38);
ZELK_AT(UserAppDrawRecord, m_double28, 40);
ZELK_AT(UserAppDrawRecord, m_ints30, 48);
ZELK_AT(UserAppDrawRecord, m_double50, 80);
ZELK_AT(UserAppDrawRecord, m_double58, 88);
ZELK_AT(UserAppDrawRecord, m_shorts60, 96);
ZELK_AT(UserAppDrawRecord, m_double70, 112);
ZELK_AT(UserAppDrawRecord, m_double78, 120);
ZELK_AT(UserAppDrawRecord, m_short80, 128);
ZELK_AT(UserAppDrawRecord, m_short82, 130);
ZELK_AT(UserAppDrawRecord, m_short84, 132);
ZELK_AT(UserAppDrawRecord, m_short86, 134);
static_assert(sizeof(UserAppPrintRecord) == 4);
ZELK_AT(UserAppPrintRecord, m_printAttributes, 0);
static_assert(sizeof(UserAppDocRecord) == 592);
ZELK_AT(UserAppDocRecord, m_docId, 0);
ZELK_AT(UserAppDocRecord, m_logicalWidth, 4);
ZELK_AT(UserAppDocRecord, m_logicalHeight, 8);
ZELK_AT(UserAppDocRecord, m_extents, 16);
ZELK_AT(UserAppDocRecord, m_path, 48);
ZELK_AT(UserAppDocRecord, m_name, 80);
ZELK_AT(UserAppDocRecord, m_dataVersion, 112);
ZELK_AT(UserAppDocRecord, m_textFields, 144);
ZELK_AT(UserAppDocRecord, m_relOrigin, 432);
ZELK_AT(UserAppDocRecord, m_relAngle, 448);
ZELK_AT(UserAppDocRecord, m_relPoint2, 456);
ZELK_AT(UserAppDocRecord, m_strings, 472);
ZELK_AT(UserAppDocRecord, m_measureScale, 512);
ZELK_AT(UserAppDocRecord, m_basePoint, 520);
ZELK_AT(UserAppDocRecord, m_baseReference, 536);
ZELK_AT(UserAppDocRecord, m_absAngle, 552);
ZELK_AT(UserAppDocRecord, m_curAngle, 560);
ZELK_AT(UserAppDocRecord, m_curLength, 568);
ZELK_AT(UserAppDocRecord, m_curRatio, 576);
ZELK_AT(UserAppDocRecord, m_curCount, 584);
static_assert(sizeof(UserAppViewRecord) == 184);
ZELK_AT(UserAppViewRecord, m_viewNumber, 0);
ZELK_AT(UserAppViewRecord, m_docId, 2);
ZELK_AT(UserAppViewRecord, m_viewKind, 4);
ZELK_AT(UserAppViewRecord, m_origin, 8);
ZELK_AT(UserAppViewRecord, m_zoom, 24);
ZELK_AT(UserAppViewRecord, m_point2, 32);
ZELK_AT(UserAppViewRecord, m_clientRect, 48);
ZELK_AT(UserAppViewRecord, m_scroll, 64);
ZELK_AT(UserAppViewRecord, m_valueA, 80);
ZELK_AT(UserAppViewRecord, m_layerHidden, 88);
ZELK_AT(UserAppViewRecord, m_points, 128);
ZELK_AT(UserAppViewRecord, m_valueB, 176);
ZELK_AT(UserAppViewRecord, m_valueC, 180);
#undef ZELK_AT
#pragma GCC diagnostic pop
