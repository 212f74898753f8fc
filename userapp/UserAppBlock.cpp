// Construction, clearing and destruction of the exchange block; compiled into the program and
// into every plug-in. Whatever either side added to a list is freed here with the one allocator
// both share.
#include "userapp/UserAppBlock.h"

#include "userapp/UserAppBlockHolder.h"

#include <new>

namespace {

template <class T>
void DeleteAllAs(CPtrArray& list)
{
    for (int i = 0; i < list.GetSize(); ++i)
        delete static_cast<T*>(list[i]);
    list.SetSize(0);
}

template <class T>
void NewEntries(T* (&table)[UserAppBlock::kSlots], int slot)
{
    table[slot] = new T;
}

template <class T>
void DeleteEntry(T* (&table)[UserAppBlock::kSlots], int slot)
{
    delete table[slot];
    table[slot] = nullptr;
}

}  // namespace

UserAppBlock::UserAppBlock()
{
    m_relativeValue = 0.0;
    m_numberValue = 0.0;
    m_angleValue = 0.0;
    m_lengthValue = 0.0;
    m_value14 = 1.0;
    m_activeDocId = -1;
    m_activeViewNumber = -1;
    m_writeLayer = 0;
    m_requestFlag = 0;
    m_step = 0;
    m_eventWord = 0;
    m_reservedByte = 1;
    for (int s = 0; s < kSlots; ++s) {
        m_reservedShorts1[s] = 0;
        m_reservedShorts2[s] = 0;
        NewEntries(m_penTable, s);
        NewEntries(m_fontTable, s);
        NewEntries(m_stringTable, s);
        NewEntries(m_attrStringTable, s);
        NewEntries(m_pointTable, s);
        NewEntries(m_lineTable, s);
        NewEntries(m_circleTable, s);
        NewEntries(m_arcTable, s);
        NewEntries(m_conicTable, s);
        NewEntries(m_curveTable, s);
        NewEntries(m_textTable, s);
        NewEntries(m_groupTable, s);
        NewEntries(m_refTable, s);
        NewEntries(m_refTable2, s);
        NewEntries(m_spareTable, s);
        NewEntries(m_accTable, s);
        NewEntries(m_pathTable, s);
        NewEntries(m_findTable, s);
        NewEntries(m_colorTable, s);
        NewEntries(m_elemTable, s);
        NewEntries(m_textSetTable, s);
        NewEntries(m_drawTable, s);
        NewEntries(m_printTable, s);
        NewEntries(m_docTable, s);
        NewEntries(m_viewTable, s);
        m_codes[s] = 0;
        m_status[s] = 0;
        m_shortArg0[s] = 0;
        m_shortArg1[s] = 0;
        for (int k = 0; k < kArgs; ++k) {
            m_intArgs[s][k] = 0;
            m_doubleArgs[s][k] = 0.0;
            m_reservedInts[s][k] = 0;
            m_lines[s][k] = new UserAppLineRecord;
            m_circles[s][k] = new UserAppCircleRecord;
            m_arcs[s][k] = new UserAppArcRecord;
        }
    }
    m_requestFlag = 0;
}

UserAppBlock::~UserAppBlock()
{
    ClearSelectedSet();
    for (int s = 0; s < kSlots; ++s) {
        ClearSlotRecords(s);
        ClearSlotPoints(s);
        ClearSlotElemRefs(s);
        DeleteEntry(m_penTable, s);
        DeleteEntry(m_fontTable, s);
        DeleteEntry(m_stringTable, s);
        DeleteEntry(m_attrStringTable, s);
        DeleteEntry(m_pointTable, s);
        DeleteEntry(m_lineTable, s);
        DeleteEntry(m_circleTable, s);
        DeleteEntry(m_arcTable, s);
        DeleteEntry(m_conicTable, s);
        DeleteEntry(m_curveTable, s);
        DeleteEntry(m_textTable, s);
        DeleteEntry(m_groupTable, s);
        DeleteEntry(m_refTable, s);
        DeleteEntry(m_refTable2, s);
        DeleteEntry(m_spareTable, s);
        DeleteEntry(m_accTable, s);
        DeleteEntry(m_pathTable, s);
        DeleteEntry(m_findTable, s);
        DeleteEntry(m_colorTable, s);
        DeleteEntry(m_elemTable, s);
        DeleteEntry(m_textSetTable, s);
        DeleteEntry(m_drawTable, s);
        DeleteEntry(m_printTable, s);
        DeleteEntry(m_docTable, s);
        DeleteEntry(m_viewTable, s);
        for (int k = 0; k < kArgs; ++k) {
            delete m_lines[s][k];
            delete m_circles[s][k];
            delete m_arcs[s][k];
        }
    }
}

void UserAppBlock::ClearSelectedSet()
{
    DeleteAllAs<UserAppElemRef>(m_selectedSet);
}

void UserAppBlock::ClearSlotRecords(int slot)
{
    if (slot < 0 || slot >= kSlots)
        return;
    auto list = [&](int l) -> CPtrArray& { return m_recordLists[l][slot]; };
    DeleteAllAs<UserAppPenRecord>(list(kPenList));
    DeleteAllAs<UserAppFontRecord>(list(kFontList));
    DeleteAllAs<CString>(list(kLayerNameList));
    DeleteAllAs<UserAppStringRecord>(list(kStringList));
    DeleteAllAs<UserAppPointRecord>(list(kPointList));
    DeleteAllAs<UserAppLineRecord>(list(kLineList));
    DeleteAllAs<UserAppCircleRecord>(list(kCircleList));
    DeleteAllAs<UserAppArcRecord>(list(kArcList));
    DeleteAllAs<UserAppConicRecord>(list(kConicList));
    DeleteAllAs<UserAppCurveRecord>(list(kCurveList));
    DeleteAllAs<UserAppTextRecord>(list(kTextList));
    DeleteAllAs<UserAppGroupRecord>(list(kGroupList));
}

void UserAppBlock::ClearSlotPoints(int slot)
{
    if (slot >= 0 && slot < kSlots)
        DeleteAllAs<CPointD>(m_pointLists[slot]);
}

void UserAppBlock::ClearSlotElemRefs(int slot)
{
    if (slot >= 0 && slot < kSlots)
        DeleteAllAs<UserAppElemRef>(m_refLists[slot]);
}

void UserAppBlockHolder::CreateBlock()
{
    m_block = new (std::nothrow) UserAppBlock;
}

void UserAppBlockHolder::DestroyBlock()
{
    delete m_block;
    m_block = nullptr;
}
