// A plug-in of the tests: it fills a slot of the exchange block with records, strings, points
// and references of its own making, as a user application does, for the program to free.
#include "userapp/UserAppBlock.h"
#include "userapp/UserAppBlockHolder.h"

namespace {

CPointD P(double x, double y)
{
    CPointD p;
    p.Init(x, y);
    return p;
}

template <class T>
T* WithAttributes(T* record)
{
    record->m_attrStrings = {0, 1};
    return record;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void FillSlot(UserAppBlockHolder* holder, int slot)
{
    UserAppBlock& b = *holder->m_block;
    b.m_recordLists[UserAppBlock::kPenList][slot].Add(new UserAppPenRecord(-1, 7, 0x0000FF));
    b.m_recordLists[UserAppBlock::kFontList][slot].Add(new UserAppFontRecord);
    b.m_recordLists[UserAppBlock::kLayerNameList][slot].Add(new CString("部品の層"));
    auto* attr = new UserAppStringRecord;
    attr->m_text = "材質 SS400";
    attr->m_refs.resize(3);
    b.m_recordLists[UserAppBlock::kStringList][slot].Add(attr);
    b.m_recordLists[UserAppBlock::kPointList][slot].Add(WithAttributes(new UserAppPointRecord));
    b.m_recordLists[UserAppBlock::kLineList][slot].Add(
        WithAttributes(new UserAppLineRecord(P(0, 0), P(10, 0), -1, 0, 0)));
    b.m_recordLists[UserAppBlock::kCircleList][slot].Add(WithAttributes(new UserAppCircleRecord));
    b.m_recordLists[UserAppBlock::kArcList][slot].Add(
        WithAttributes(new UserAppArcRecord(P(0, 0), 5, P(0, 180), -1, 0, 0)));
    auto* conic = WithAttributes(new UserAppConicRecord);
    conic->m_points.assign(40, P(1, 2));
    b.m_recordLists[UserAppBlock::kConicList][slot].Add(conic);
    auto* curve = WithAttributes(new UserAppCurveRecord);
    curve->m_points.assign(10, P(3, 4));
    curve->m_pendingPoints.assign(5, P(5, 6));
    b.m_recordLists[UserAppBlock::kCurveList][slot].Add(curve);
    auto* text = WithAttributes(new UserAppTextRecord);
    text->m_text = "六角ボルト M10 の呼び径とねじ部の長さを示す長い注記の文字列";
    b.m_recordLists[UserAppBlock::kTextList][slot].Add(text);
    auto* group = WithAttributes(new UserAppGroupRecord);
    group->m_name = "ボルト";
    group->m_members.resize(12);
    b.m_recordLists[UserAppBlock::kGroupList][slot].Add(group);
    b.m_textLists[slot].Add("図面名");
    b.m_numberLists[slot].Add(42);
    b.m_pointLists[slot].Add(new CPointD(P(7, 8)));
    b.m_refLists[slot].Add(new UserAppElemRef);
    b.m_selectedSet.Add(new UserAppElemRef);
    b.m_stringArgs[slot][0] = "プラグインが書いた長い文字列は共有の割り当てで解放される";
    *b.m_stringTable[slot] = "表の文字列も同じく共有の割り当てで解放される";
    b.m_requestFlag = 1;
}
