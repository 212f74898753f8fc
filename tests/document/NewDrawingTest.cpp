// A new drawing: its number, names, first layer, empty tables and command objects; and its
// release.
#include "DocTestSupport.h"

#include "commands/annotate/DimCommand.h"
#include "commands/annotate/TextCommand.h"
#include "commands/circle/CircleCommand.h"
#include "commands/line/LineCommand.h"
#include "commands/line/LoopCommand.h"
#include "commands/line/PointCommand.h"
#include "elements/ElementKinds.h"
#include "elements/Layer.h"
#include "elements/Lines.h"
#include "platform/core/File.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Runtime.h"
#include "platform/ui/Clipboard.h"
#include "view/ZelkObj.h"

using NewDrawingTest = DocFixture;

TEST_F(NewDrawingTest, StartsWithNumberNamesOneLayerAndEmptyTables)
{
    const int first = Doc().m_docNumber;
    CZelkDoc second;
    EXPECT_EQ(second.m_docNumber, first + 1);
    EXPECT_EQ(m_app->m_nextDocNumber, first + 2);

    EXPECT_EQ(Doc().m_name, "NewFile");
    EXPECT_EQ(Doc().m_path, m_app->m_appPath.m_dataFolder + "\\NewFile.zel");
    EXPECT_EQ(Doc().m_dataVersion, "01.00");
    CString number;
    number.Format("%d", first);
    EXPECT_EQ(Doc().m_recoveryBase.Right(5 + number.GetLength()), "Recov" + number);

    ASSERT_EQ(Doc().m_layers.GetSize(), 1);
    EXPECT_EQ(Doc().GetLayer(0)->m_name, "0000");
    EXPECT_EQ(Doc().m_writeLayer, 0);
    EXPECT_EQ(Doc().m_pens.GetSize(), 0);
    EXPECT_EQ(Doc().m_fonts.GetSize(), 0);
    for (const CWordArray& map : Doc().m_blockMaps)
        EXPECT_EQ(map.GetSize(), 0);
    EXPECT_FALSE(Doc().HasData());
    EXPECT_EQ(Doc().m_ratio, 1.0);
    EXPECT_EQ(Doc().m_printScale, 1.0);
    EXPECT_EQ(Doc().m_nativeWriteMode, 1);
    EXPECT_EQ(Doc().m_linksUpdate, 1);
    EXPECT_EQ(Doc().m_inputPoint.mode, 1);
}

TEST_F(NewDrawingTest, CommandObjectsStartAtTheirPatterns)
{
    EXPECT_EQ(Doc().m_pointCmd->m_modePattern, "P");
    EXPECT_EQ(Doc().m_lineCmd->m_modePattern, "SE");
    EXPECT_EQ(Doc().m_circleCmd->m_modePattern, "PP");
    EXPECT_EQ(Doc().m_textCmd->m_modePattern, "P");
    EXPECT_EQ(Doc().m_loopCmd->m_modePattern, "");
    EXPECT_EQ(Doc().m_dimCmd->m_modePattern, "APPP");

    EXPECT_EQ(Doc().m_pointCmdInt->m_modePattern, "P");
    EXPECT_EQ(Doc().m_lineCmdInt->m_modePattern, "#L");
    EXPECT_EQ(Doc().m_circleCmdInt->m_modePattern, "");
    EXPECT_EQ(Doc().m_circleCmdInt->m_lastCircleEditPattern, "%PP");
    EXPECT_EQ(Doc().m_circleCmdInt->m_lastArcEditPattern, "#P");
    EXPECT_EQ(Doc().m_textCmdInt->m_modePattern, "#P");
    EXPECT_EQ(Doc().m_dimCmdInt->m_modePattern, "#P");
    EXPECT_EQ(Doc().m_pointCmdInt->m_instance, 1);
}

TEST_F(NewDrawingTest, ResetInPlaceTakesTheNextNumberAndFreshTables)
{
    std::int16_t block, slot;
    Doc().AddLineWithPen(Pt(0, 0), Pt(1, 1), 0, Pen(), block, slot);
    ASSERT_TRUE(Doc().HasData());
    const int before = Doc().m_docNumber;
    Doc().FreeContents();
    // Released pointers are null, so the destructor after a release frees nothing twice.
    EXPECT_EQ(Doc().m_undoHistory, nullptr);
    EXPECT_EQ(Doc().m_pointCmd, nullptr);
    Doc().InitContents();
    EXPECT_EQ(Doc().m_docNumber, before + 1);
    EXPECT_FALSE(Doc().HasData());
    EXPECT_EQ(Doc().m_pens.GetSize(), 0);
    EXPECT_EQ(Doc().m_layers.GetSize(), 1);
}

TEST_F(NewDrawingTest, ReleasedDrawingCanBeDestroyed)
{
    auto doc = std::make_unique<CZelkDoc>();
    doc->FreeContents();
    doc->FreeContents();
    doc.reset();
    SUCCEED();
}

TEST_F(NewDrawingTest, HasDataCountsBlocksNotLiveElements)
{
    std::int16_t block, slot;
    CLines* lines = Doc().AddLineWithPen(Pt(0, 0), Pt(1, 0), 0, Pen(), block, slot);
    ASSERT_NE(lines, nullptr);
    lines->m_slots[slot].m_state = 0x88;
    EXPECT_TRUE(Doc().HasData());
}

TEST(DrawingWithoutApplication, UsesTheSettingsDefaults)
{
    ASSERT_EQ(g_pApp, nullptr);
    CZelkDoc doc;
    EXPECT_EQ(doc.m_layers.GetSize(), 1);
    EXPECT_EQ(doc.m_name, "NewFile");
}

TEST_F(NewDrawingTest, ReleaseClearsTheApplicationsReferencesToTheDrawing)
{
    CZelkDoc other;
    m_app->m_atrElem.m_document = &Doc();
    m_app->m_atrReference.m_document = &other;
    Doc().FreeContents();
    EXPECT_EQ(m_app->m_atrElem.m_document, nullptr);
    EXPECT_EQ(m_app->m_atrReference.m_document, &other);
    Doc().InitContents();
    m_app->m_atrReference.m_document = nullptr;
}

TEST_F(NewDrawingTest, TheClipboardFormatOfDrawingsIsRegisteredOncePerRun)
{
    g_zelkClientFormat = 0;
    CZelkDoc first;
    EXPECT_EQ(g_zelkClientFormat, RegisterClipboardFormat("Zelk Client"));
    EXPECT_NE(g_zelkClientFormat, 0);
    // Once set it is not registered again, whatever it holds.
    g_zelkClientFormat = 0x1234;
    CZelkDoc second;
    EXPECT_EQ(g_zelkClientFormat, 0x1234);
    g_zelkClientFormat = static_cast<WORD>(RegisterClipboardFormat("Zelk Client"));
}

TEST_F(NewDrawingTest, MadeInContextHelpModeItOnlyShowsTheModesHelp)
{
    Scripted().m_opened.clear();
    m_app->m_contextHelpMode = 11;
    const int number = m_app->m_nextDocNumber;
    {
        CZelkDoc help;
        ASSERT_EQ(Scripted().m_opened.size(), 1u);
        EXPECT_EQ(Scripted().m_opened[0], ProgramFolder() + "Help\\HID_MODE_STRING.htm");
        EXPECT_EQ(m_app->m_contextHelpMode, 0);
        EXPECT_EQ(m_app->m_nextDocNumber, number);
        EXPECT_EQ(help.m_layers.GetSize(), 0);
        EXPECT_EQ(help.m_pointCmd, nullptr);
        EXPECT_EQ(help.m_recoveryBase, "");
        EXPECT_FALSE(help.OnNewDocument());
        EXPECT_FALSE(help.OnOpenDocument(ProgramFolder() + "a.zel"));
    }
    // The mode is left: the next drawing is an ordinary one.
    CZelkDoc next;
    EXPECT_EQ(next.m_layers.GetSize(), 1);
    EXPECT_EQ(Scripted().m_opened.size(), 1u);
}
