// The exchange block: the whole interface between the program and a user-application plug-in.
// The plug-in writes up to ten requests into the slots and raises the flag; the program serves
// them on its timer, writes a status word per slot and copies every input event's payload into
// fixed places before it forwards the event. Compiled into the program and into every plug-in.
//
// The fields keep the order and widths of the block Windows plug-ins use, with pointers, framework
// objects and the address word pointer-sized: the offsets are our own x86-64 ones (the asserts below
// check every row); an array field is listed at its first element:
//
//   UserAppBlock (15000)  0x0000 requestFlag  0x0004 step  0x0006 codes  0x001A shortArg0
//                         0x002E shortArg1  0x0044 intArgs  0x0138 doubleArgs  0x0318 stringArgs
//                         0x0A98 reservedInts  0x0B88 points1  0x0F48 points2  0x1308 lines
//                         0x14E8 circles  0x16C8 arcs  0x18A8 activeDocId
//                         0x18AA activeViewNumber  0x18AC writeLayer  0x18B0 relativePoint
//                         0x18C0 relativeValue  0x18C8 constraintPoint  0x18D8 lastPoint
//                         0x18E8 lastPointRelative  0x18F8 pickRef  0x1908 pickCursor
//                         0x1918 selectedSet  0x1940 numberValue  0x1948 angleValue
//                         0x1950 lengthValue  0x1958 value14  0x1960 eventWord  0x1968 lastText
//                         0x1988 reservedByte  0x198A status  0x19A0 recordLists
//                         0x2C60 textLists  0x2DF0 numberLists  0x2F80 pointLists
//                         0x3110 refLists  0x32A0 reservedShorts1  0x32B4 reservedShorts2
//                         0x32C8 penTable  0x3318 fontTable  0x3368 stringTable
//                         0x33B8 attrStringTable  0x3408 pointTable  0x3458 lineTable
//                         0x34A8 circleTable  0x34F8 arcTable  0x3548 conicTable
//                         0x3598 curveTable  0x35E8 textTable  0x3638 groupTable  0x3688 refTable
//                         0x36D8 refTable2  0x3728 spareTable  0x3778 accTable  0x37C8 pathTable
//                         0x3818 findTable  0x3868 colorTable  0x38B8 elemTable
//                         0x3908 textSetTable  0x3958 drawTable  0x39A8 printTable
//                         0x39F8 docTable  0x3A48 viewTable
#pragma once

#include <cstdint>

#include "geometry/PointD.h"
#include "platform/core/Arrays.h"
#include "platform/core/String.h"
#include "userapp/UserAppElemRef.h"
#include "userapp/UserAppRecords.h"
#include "userapp/UserAppTableRecords.h"

class UserAppBlock {
public:
    static constexpr int kSlots = 10;
    static constexpr int kArgs = 6;
    // Lists 0-11 of a slot hold records of these kinds, in this order.
    enum RecordList {
        kPenList, kFontList, kLayerNameList, kStringList, kPointList, kLineList, kCircleList,
        kArcList, kConicList, kCurveList, kTextList, kGroupList, kRecordListCount
    };

    UserAppBlock();
    ~UserAppBlock();
    UserAppBlock(const UserAppBlock&) = delete;
    UserAppBlock& operator=(const UserAppBlock&) = delete;

    // Deletes the references of the selected set and empties it.
    void ClearSelectedSet();
    // Deletes every record of lists 0-11 of the slot, each with its own destructor; the text
    // and number lists (12, 13) are left alone.
    void ClearSlotRecords(int slot);
    // Deletes the points of list 14 of the slot.
    void ClearSlotPoints(int slot);
    // Deletes the references of list 15 of the slot.
    void ClearSlotElemRefs(int slot);

    // Requests.
    std::int32_t m_requestFlag;             // nonzero: requests are waiting
    std::int16_t m_step;                    // the plug-in's own; the program never touches it
    std::int16_t m_codes[kSlots];           // request code of a slot; 0 ends the pass
    std::int16_t m_shortArg0[kSlots];
    std::int16_t m_shortArg1[kSlots];
    std::int32_t m_intArgs[kSlots][kArgs];
    double m_doubleArgs[kSlots][kArgs];
    CString m_stringArgs[kSlots][kArgs];
    std::int32_t m_reservedInts[kSlots][kArgs];
    CPointD m_points1[kSlots][kArgs];
    CPointD m_points2[kSlots][kArgs];
    UserAppLineRecord* m_lines[kSlots][kArgs];
    UserAppCircleRecord* m_circles[kSlots][kArgs];
    UserAppArcRecord* m_arcs[kSlots][kArgs];

    // Mirrored from the program.
    std::int16_t m_activeDocId;             // drawing of the last activated view; -1 when freed
    std::int16_t m_activeViewNumber;        // the last activated view; -1 when released
    std::int16_t m_writeLayer;              // the active drawing's write layer

    // Copies of the last inputs.
    CPointD m_relativePoint;                // a point given in relative-coordinates mode
    double m_relativeValue;
    CPointD m_constraintPoint;              // a point given in constraint-point mode
    CPointD m_lastPoint;                    // the last point input, drawing coordinates
    CPointD m_lastPointRelative;            // the same in the relative coordinate system
    UserAppElemRef m_pickRef;               // the last picked element
    CPointD m_pickCursor;                   // the cursor at that pick
    CPtrArray m_selectedSet;                // UserAppElemRef*, refilled by each selected-set input
    double m_numberValue;                   // a plain number (event 11)
    double m_angleValue;                    // an angle
    double m_lengthValue;                   // a length (event 15)
    double m_value14;
    // The characters of a font name while its event runs, or the key-state word of a key event.
    std::uintptr_t m_eventWord;
    CString m_lastText;                     // the last text input
    std::uint8_t m_reservedByte;

    // Results.
    std::int16_t m_status[kSlots];          // 0 done, else a code of the failure

    // Record lists of a slot: 0-11 records owned by the list (see RecordList), 12 texts,
    // 13 numbers, 14 CPointD*, 15 UserAppElemRef*.
    CPtrArray m_recordLists[kRecordListCount][kSlots];
    CStringArray m_textLists[kSlots];
    CWordArray m_numberLists[kSlots];
    CPtrArray m_pointLists[kSlots];
    CPtrArray m_refLists[kSlots];

    std::int16_t m_reservedShorts1[kSlots];
    std::int16_t m_reservedShorts2[kSlots];

    // Per-slot tables: one record of each kind per slot, owned by the block, filled and read in
    // place by the requests.
    UserAppPenRecord* m_penTable[kSlots];
    UserAppFontRecord* m_fontTable[kSlots];
    CString* m_stringTable[kSlots];
    UserAppStringRecord* m_attrStringTable[kSlots];
    UserAppPointRecord* m_pointTable[kSlots];
    UserAppLineRecord* m_lineTable[kSlots];
    UserAppCircleRecord* m_circleTable[kSlots];
    UserAppArcRecord* m_arcTable[kSlots];
    UserAppConicRecord* m_conicTable[kSlots];
    UserAppCurveRecord* m_curveTable[kSlots];
    UserAppTextRecord* m_textTable[kSlots];
    UserAppGroupRecord* m_groupTable[kSlots];
    UserAppElemRef* m_refTable[kSlots];            // the element an adding request made
    UserAppElemRef* m_refTable2[kSlots];
    UserAppSpareRecord* m_spareTable[kSlots];
    UserAppAccRecord* m_accTable[kSlots];
    UserAppPathRecord* m_pathTable[kSlots];
    UserAppFindRecord* m_findTable[kSlots];
    UserAppColorRecord* m_colorTable[kSlots];
    UserAppElemRecord* m_elemTable[kSlots];
    UserAppTextSetRecord* m_textSetTable[kSlots];
    UserAppDrawRecord* m_drawTable[kSlots];
    UserAppPrintRecord* m_printTable[kSlots];
    UserAppDocRecord* m_docTable[kSlots];
    UserAppViewRecord* m_viewTable[kSlots];
};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
#define ZELK_AT(T, f, o) static_assert(offsetof(T, f) == (o), #T "::" #f " moved")
static_assert(sizeof(UserAppBlock) == 0x3A98);
ZELK_AT(UserAppBlock, m_requestFlag, 0x0000);
ZELK_AT(UserAppBlock, m_step, 0x0004);
ZELK_AT(UserAppBlock, m_codes, 0x0006);
ZELK_AT(UserAppBlock, m_shortArg0, 0x001A);
ZELK_AT(UserAppBlock, m_shortArg1, 0x002E);
ZELK_AT(UserAppBlock, m_intArgs, 0x0044);
ZELK_AT(UserAppBlock, m_doubleArgs, 0x0138);
ZELK_AT(UserAppBlock, m_stringArgs, 0x0318);
ZELK_AT(UserAppBlock, m_reservedInts, 0x0A98);
ZELK_AT(UserAppBlock, m_points1, 0x0B88);
ZELK_AT(UserAppBlock, m_points2, 0x0F48);
ZELK_AT(UserAppBlock, m_lines, 0x1308);
ZELK_AT(UserAppBlock, m_circles, 0x14E8);
ZELK_AT(UserAppBlock, m_arcs, 0x16C8);
ZELK_AT(UserAppBlock, m_activeDocId, 0x18A8);
ZELK_AT(UserAppBlock, m_activeViewNumber, 0x18AA);
ZELK_AT(UserAppBlock, m_writeLayer, 0x18AC);
ZELK_AT(UserAppBlock, m_relativePoint, 0x18B0);
ZELK_AT(UserAppBlock, m_relativeValue, 0x18C0);
ZELK_AT(UserAppBlock, m_constraintPoint, 0x18C8);
ZELK_AT(UserAppBlock, m_lastPoint, 0x18D8);
ZELK_AT(UserAppBlock, m_lastPointRelative, 0x18E8);
ZELK_AT(UserAppBlock, m_pickRef, 0x18F8);
ZELK_AT(UserAppBlock, m_pickCursor, 0x1908);
ZELK_AT(UserAppBlock, m_selectedSet, 0x1918);
ZELK_AT(UserAppBlock, m_numberValue, 0x1940);
ZELK_AT(UserAppBlock, m_angleValue, 0x1948);
ZELK_AT(UserAppBlock, m_lengthValue, 0x1950);
ZELK_AT(UserAppBlock, m_value14, 0x1958);
ZELK_AT(UserAppBlock, m_eventWord, 0x1960);
ZELK_AT(UserAppBlock, m_lastText, 0x1968);
ZELK_AT(UserAppBlock, m_reservedByte, 0x1988);
ZELK_AT(UserAppBlock, m_status, 0x198A);
ZELK_AT(UserAppBlock, m_recordLists, 0x19A0);
ZELK_AT(UserAppBlock, m_textLists, 0x2C60);
ZELK_AT(UserAppBlock, m_numberLists, 0x2DF0);
ZELK_AT(UserAppBlock, m_pointLists, 0x2F80);
ZELK_AT(UserAppBlock, m_refLists, 0x3110);
ZELK_AT(UserAppBlock, m_reservedShorts1, 0x32A0);
ZELK_AT(UserAppBlock, m_reservedShorts2, 0x32B4);
ZELK_AT(UserAppBlock, m_penTable, 0x32C8);
ZELK_AT(UserAppBlock, m_fontTable, 0x3318);
ZELK_AT(UserAppBlock, m_stringTable, 0x3368);
ZELK_AT(UserAppBlock, m_attrStringTable, 0x33B8);
ZELK_AT(UserAppBlock, m_pointTable, 0x3408);
ZELK_AT(UserAppBlock, m_lineTable, 0x3458);
ZELK_AT(UserAppBlock, m_circleTable, 0x34A8);
ZELK_AT(UserAppBlock, m_arcTable, 0x34F8);
ZELK_AT(UserAppBlock, m_conicTable, 0x3548);
ZELK_AT(UserAppBlock, m_curveTable, 0x3598);
ZELK_AT(UserAppBlock, m_textTable, 0x35E8);
ZELK_AT(UserAppBlock, m_groupTable, 0x3638);
ZELK_AT(UserAppBlock, m_refTable, 0x3688);
ZELK_AT(UserAppBlock, m_refTable2, 0x36D8);
ZELK_AT(UserAppBlock, m_spareTable, 0x3728);
ZELK_AT(UserAppBlock, m_accTable, 0x3778);
ZELK_AT(UserAppBlock, m_pathTable, 0x37C8);
ZELK_AT(UserAppBlock, m_findTable, 0x3818);
ZELK_AT(UserAppBlock, m_colorTable, 0x3868);
ZELK_AT(UserAppBlock, m_elemTable, 0x38B8);
ZELK_AT(UserAppBlock, m_textSetTable, 0x3908);
ZELK_AT(UserAppBlock, m_drawTable, 0x3958);
ZELK_AT(UserAppBlock, m_printTable, 0x39A8);
ZELK_AT(UserAppBlock, m_docTable, 0x39F8);
ZELK_AT(UserAppBlock, m_viewTable, 0x3A48);
#undef ZELK_AT
#pragma GCC diagnostic pop
