// The exchange block: what a fresh block holds, the clearing of a slot's lists, records made on
// the far side of a module boundary and freed by the program, and the drawing's entries.
#include "app/ZelkApp.h"
#include "document/ZelkDoc.h"
#include "platform/ui/DynamicLibrary.h"
#include "userapp/UserAppBlock.h"
#include "userapp/UserAppBlockHolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

class BlockFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_holder.CreateBlock();
        ASSERT_NE(m_holder.m_block, nullptr);
    }
    void TearDown() override { m_holder.DestroyBlock(); }
    UserAppBlock& B() { return *m_holder.m_block; }

    UserAppBlockHolder m_holder;
};

// Lists 0-11 of a slot, one record of each kind, plus entries in lists 12-15.
void FillSlot(UserAppBlock& b, int s)
{
    b.m_recordLists[UserAppBlock::kPenList][s].Add(new UserAppPenRecord);
    b.m_recordLists[UserAppBlock::kFontList][s].Add(new UserAppFontRecord);
    b.m_recordLists[UserAppBlock::kLayerNameList][s].Add(new CString("層"));
    b.m_recordLists[UserAppBlock::kStringList][s].Add(new UserAppStringRecord);
    b.m_recordLists[UserAppBlock::kPointList][s].Add(new UserAppPointRecord);
    b.m_recordLists[UserAppBlock::kLineList][s].Add(new UserAppLineRecord);
    b.m_recordLists[UserAppBlock::kCircleList][s].Add(new UserAppCircleRecord);
    b.m_recordLists[UserAppBlock::kArcList][s].Add(new UserAppArcRecord);
    b.m_recordLists[UserAppBlock::kConicList][s].Add(new UserAppConicRecord);
    b.m_recordLists[UserAppBlock::kCurveList][s].Add(new UserAppCurveRecord);
    b.m_recordLists[UserAppBlock::kTextList][s].Add(new UserAppTextRecord);
    b.m_recordLists[UserAppBlock::kGroupList][s].Add(new UserAppGroupRecord);
    b.m_textLists[s].Add("図面");
    b.m_numberLists[s].Add(3);
    b.m_pointLists[s].Add(new CPointD);
    b.m_refLists[s].Add(new UserAppElemRef);
}

}  // namespace

TEST_F(BlockFixture, FreshBlockHoldsTheStartValues)
{
    const UserAppBlock& b = B();
    EXPECT_EQ(b.m_requestFlag, 0);
    EXPECT_EQ(b.m_step, 0);
    EXPECT_EQ(b.m_activeDocId, -1);
    EXPECT_EQ(b.m_activeViewNumber, -1);
    EXPECT_EQ(b.m_writeLayer, 0);
    EXPECT_EQ(b.m_numberValue, 0.0);
    EXPECT_EQ(b.m_angleValue, 0.0);
    EXPECT_EQ(b.m_lengthValue, 0.0);
    EXPECT_EQ(b.m_relativeValue, 0.0);
    EXPECT_EQ(b.m_value14, 1.0);
    EXPECT_EQ(b.m_eventWord, 0u);
    EXPECT_EQ(b.m_reservedByte, 1);
    EXPECT_EQ(b.m_pickRef.m_state, 1);
    EXPECT_EQ(b.m_pickRef.m_mark, 1);
    EXPECT_EQ(b.m_pickRef.m_kind, 0);
    EXPECT_EQ(b.m_selectedSet.GetSize(), 0);
    EXPECT_TRUE(b.m_lastText.IsEmpty());
    for (const CPointD* p : {&b.m_relativePoint, &b.m_constraintPoint, &b.m_lastPoint,
                             &b.m_lastPointRelative, &b.m_pickCursor}) {
        EXPECT_EQ(p->m_x, 0.0);
        EXPECT_EQ(p->m_y, 0.0);
    }

    for (int s = 0; s < UserAppBlock::kSlots; ++s) {
        SCOPED_TRACE(s);
        EXPECT_EQ(b.m_codes[s], 0);
        EXPECT_EQ(b.m_status[s], 0);
        EXPECT_EQ(b.m_shortArg0[s], 0);
        EXPECT_EQ(b.m_shortArg1[s], 0);
        EXPECT_EQ(b.m_reservedShorts1[s], 0);
        EXPECT_EQ(b.m_reservedShorts2[s], 0);
        for (int k = 0; k < UserAppBlock::kArgs; ++k) {
            EXPECT_EQ(b.m_intArgs[s][k], 0);
            EXPECT_EQ(b.m_doubleArgs[s][k], 0.0);
            EXPECT_EQ(b.m_reservedInts[s][k], 0);
            EXPECT_TRUE(b.m_stringArgs[s][k].IsEmpty());
            ASSERT_NE(b.m_lines[s][k], nullptr);
            ASSERT_NE(b.m_circles[s][k], nullptr);
            ASSERT_NE(b.m_arcs[s][k], nullptr);
            EXPECT_EQ(b.m_arcs[s][k]->m_endAngle, 90.0);
        }
        for (int l = 0; l < UserAppBlock::kRecordListCount; ++l)
            EXPECT_EQ(b.m_recordLists[l][s].GetSize(), 0);

        // Every table entry is a record of its own, at its kind's defaults.
        const UserAppArcRecord& arc = *b.m_arcTable[s];
        EXPECT_EQ(arc.m_startAngle, 0.0);
        EXPECT_EQ(arc.m_endAngle, 90.0);
        EXPECT_EQ(arc.m_radius, 0.0);
        EXPECT_EQ(arc.m_arcFlag, 1);
        EXPECT_EQ(b.m_conicTable[s]->m_startAngle, 0.0);
        EXPECT_EQ(b.m_conicTable[s]->m_endAngle, 360.0);
        EXPECT_EQ(b.m_conicTable[s]->m_ratio, 1.0);
        EXPECT_EQ(b.m_textTable[s]->m_alignment, 8);
        const UserAppFontRecord& font = *b.m_fontTable[s];
        EXPECT_EQ(font.m_logFont.lfHeight, -8);
        EXPECT_EQ(font.m_logFont.lfWeight, 400);
        EXPECT_EQ(font.m_logFont.lfCharSet, 128);
        EXPECT_STREQ(font.m_logFont.lfFaceName, "ＭＳ ゴシック");
        EXPECT_EQ(font.m_width, 40);
        EXPECT_EQ(font.m_height, 80);
        EXPECT_EQ(b.m_penTable[s]->m_width, 1);
        EXPECT_EQ(b.m_penTable[s]->m_blurRate, 70);
        EXPECT_EQ(b.m_elemTable[s]->m_thickWidth, 5);
        EXPECT_EQ(b.m_elemTable[s]->m_lineWidth, 1);
        EXPECT_EQ(b.m_elemTable[s]->m_blurCount, 3);
        EXPECT_EQ(b.m_elemTable[s]->m_blurRate, 70);
        EXPECT_EQ(b.m_refTable[s]->m_state, 1);
        EXPECT_EQ(b.m_spareTable[s]->m_factor, 1.0);
        EXPECT_EQ(b.m_findTable[s]->m_selectableKinds, 958);
        EXPECT_EQ(b.m_accTable[s]->m_rangeHigh, 1000000.0);
        EXPECT_EQ(b.m_colorTable[s]->m_complementThreshold, 55);
        EXPECT_EQ(b.m_textSetTable[s]->m_slantAngle, 150.0);
        EXPECT_STREQ(b.m_textSetTable[s]->m_logFont.lfFaceName, "ＭＳ ゴシック");
        EXPECT_EQ(b.m_docTable[s]->m_extents[1], 297.0);
        EXPECT_EQ(b.m_docTable[s]->m_extents[2], 420.0);
        EXPECT_EQ(b.m_viewTable[s]->m_origin.m_x, -16000.0);
        EXPECT_EQ(b.m_viewTable[s]->m_origin.m_y, 16000.0);
        EXPECT_EQ(b.m_viewTable[s]->m_valueC, -1);
        EXPECT_TRUE(b.m_stringTable[s]->IsEmpty());
        if (s > 0) {
            EXPECT_NE(b.m_arcTable[s], b.m_arcTable[s - 1]);
        }
    }
}

TEST_F(BlockFixture, ClearingASlotFreesItsRecordsAndLeavesTextsAndNumbers)
{
    FillSlot(B(), 2);
    FillSlot(B(), 3);
    B().m_selectedSet.Add(new UserAppElemRef);

    B().ClearSlotRecords(2);
    for (int l = 0; l < UserAppBlock::kRecordListCount; ++l) {
        EXPECT_EQ(B().m_recordLists[l][2].GetSize(), 0) << l;
        EXPECT_EQ(B().m_recordLists[l][3].GetSize(), 1) << l;
    }
    EXPECT_EQ(B().m_textLists[2].GetSize(), 1);
    EXPECT_EQ(B().m_numberLists[2].GetSize(), 1);
    EXPECT_EQ(B().m_pointLists[2].GetSize(), 1);
    EXPECT_EQ(B().m_refLists[2].GetSize(), 1);

    B().ClearSlotPoints(2);
    EXPECT_EQ(B().m_pointLists[2].GetSize(), 0);
    EXPECT_EQ(B().m_refLists[2].GetSize(), 1);
    B().ClearSlotElemRefs(2);
    EXPECT_EQ(B().m_refLists[2].GetSize(), 0);
    B().ClearSelectedSet();
    EXPECT_EQ(B().m_selectedSet.GetSize(), 0);
    // Slot 3 keeps everything for the destructor, which must free it all (LSan checks).
}

// The plug-in allocates on its side of the module boundary; the program clears and frees.
TEST_F(BlockFixture, RecordsAPlugInMadeAreFreedByTheProgram)
{
    RegisterLibraryFile("CROSS.DLL", ZELK_CROSS_MODULE);
    HMODULE module = LoadLibraryA("CROSS.DLL");
    ASSERT_NE(module, nullptr) << LastLibraryError();
    auto fill = reinterpret_cast<void (*)(UserAppBlockHolder*, int)>(GetProcAddress(module, "FillSlot"));
    ASSERT_NE(fill, nullptr);
    fill(&m_holder, 4);
    fill(&m_holder, 5);

    EXPECT_EQ(B().m_requestFlag, 1);
    ASSERT_EQ(B().m_recordLists[UserAppBlock::kPenList][4].GetSize(), 1);
    const auto* pen = static_cast<UserAppPenRecord*>(B().m_recordLists[UserAppBlock::kPenList][4][0]);
    EXPECT_EQ(pen->m_lineType, -1);
    EXPECT_EQ(pen->m_width, 7);
    const auto* group = static_cast<UserAppGroupRecord*>(B().m_recordLists[UserAppBlock::kGroupList][4][0]);
    EXPECT_STREQ(group->m_name, "ボルト");
    EXPECT_EQ(group->m_members.size(), 12u);
    EXPECT_STREQ(*static_cast<CString*>(B().m_recordLists[UserAppBlock::kLayerNameList][4][0]), "部品の層");
    EXPECT_STREQ(B().m_textLists[4][0], "図面名");

    // The program replaces and frees what the plug-in wrote.
    B().m_stringArgs[4][0] = "";
    *B().m_stringTable[4] = "";
    B().ClearSlotRecords(4);
    B().ClearSlotPoints(4);
    B().ClearSlotElemRefs(4);
    B().ClearSelectedSet();
    B().m_textLists[4].RemoveAll();
    for (int l = 0; l < UserAppBlock::kRecordListCount; ++l)
        EXPECT_EQ(B().m_recordLists[l][4].GetSize(), 0);
    // Slot 5 is left to the block's destruction, which runs before the module is let go.
    m_holder.DestroyBlock();
    FreeLibrary(module);
}

class DrawingEntries : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_pApp = &m_app;
        m_app.m_userAppBlockHolder = &m_holder;
        m_holder.CreateBlock();
    }
    void TearDown() override
    {
        m_holder.DestroyBlock();
        m_app.m_userAppBlockHolder = nullptr;
        g_pApp = nullptr;
    }
    CZelkApp m_app;
    UserAppBlockHolder m_holder;
};

TEST_F(DrawingEntries, NewDrawingWritesItsWriteLayerAndAFreedActiveDrawingIsForgotten)
{
    m_holder.m_block->m_writeLayer = 7;
    auto first = std::make_unique<CZelkDoc>();
    EXPECT_EQ(m_holder.m_block->m_writeLayer, 0);
    auto second = std::make_unique<CZelkDoc>();
    ASSERT_NE(first->m_docNumber, second->m_docNumber);

    m_holder.m_block->m_activeDocId = static_cast<std::int16_t>(first->m_docNumber);
    second->FreeContents();
    EXPECT_EQ(m_holder.m_block->m_activeDocId, static_cast<std::int16_t>(first->m_docNumber));
    first->FreeContents();
    EXPECT_EQ(m_holder.m_block->m_activeDocId, -1);
    second->InitContents();
    first->InitContents();
}
