// Behaviour of the settings records: pen and text setters with their masks, the text angle,
// the recent-folder lists and the grid snap.
#include "SettingsTestSupport.h"

#include "app/DocGrid.h"
#include "document/ZelkDoc.h"
#include "platform/core/Archive.h"
#include "platform/core/File.h"

#include <cstdlib>

class SettingsRecords : public AppFixture {
};

TEST_F(SettingsRecords, TextAngleFollowsTheTextForm)
{
    struct Case {
        BYTE formClass;
        BYTE direction;
        double degrees;
        LONG escapement;
    };
    // The slant angle stays at its default of 150 tenths of a degree.
    const Case cases[] = {
        {1, 2, 30.0, 300},   {1, 1, -12.34, -123}, {2, 1, 30.0, 300},   {2, 2, 30.0, -600},
        {2, 3, 30.0, -150},  {2, 4, 30.0, 150},    {2, 2, 0.05, -899},  {3, 1, 30.0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.formClass) << "/" << int(c.direction) << " " << c.degrees);
        CAppText text;
        text.m_formClass = c.formClass;
        text.m_direction = c.direction;
        text.SetAngle(c.degrees);
        EXPECT_EQ(text.m_logFont.lfEscapement, c.escapement);
        EXPECT_EQ(text.m_mask, static_cast<DWORD>(CAppText::kMaskEscapement));
    }
}

TEST_F(SettingsRecords, TextMaskRestoresOnlyTheMarkedFields)
{
    CAppText& text = App().m_appText;
    text.SetHeight(5.0);
    text.SetFaceName("ＭＳ 明朝");
    text.SaveAttributes();
    text.SetHeight(12.5);
    text.SetWidth(3.0);
    text.SetFaceName("Arial");
    text.SetCharSpacing(2.0);
    text.RestoreAttributesByMask();
    // Height and face were marked when the copy was saved; width and spacing were not.
    EXPECT_EQ(text.m_logFont.lfHeight, -5);
    EXPECT_EQ(text.m_heightTenths, 50);
    EXPECT_STREQ(text.m_logFont.lfFaceName, "ＭＳ 明朝");
    EXPECT_EQ(text.m_logFont.lfWidth, 3);
    EXPECT_EQ(text.m_widthTenths, 30);
    EXPECT_EQ(text.m_charSpacing, 2.0);

    text.RestoreAttributes();
    EXPECT_EQ(text.m_logFont.lfWidth, 0);
    EXPECT_EQ(text.m_charSpacing, 1.0);
    EXPECT_EQ(text.m_mask, static_cast<DWORD>(CAppText::kMaskHeight | CAppText::kMaskFaceName));
}

TEST_F(SettingsRecords, SlantAlongLineChangesTheDirectionOnlyOfSlantText)
{
    CAppText text;
    text.SetSlantAlongLine(1);
    EXPECT_EQ(text.m_direction, 1);
    EXPECT_EQ(text.m_mask, static_cast<DWORD>(CAppText::kMaskSlantAlongLine));
    text.m_shape = 4;
    text.SetSlantAlongLine(1);
    EXPECT_EQ(text.m_direction, 4);
    text.SetSlantAlongLine(0);
    EXPECT_EQ(text.m_direction, 3);
}

TEST_F(SettingsRecords, AssignAttributesKeepsMaskRatiosAndMarkers)
{
    CAppText source;
    source.SetAnchor(0x26);
    source.SetSizeTenths(25, 50);
    source.m_subscriptMarker = "__";
    source.m_tabShift = 8;
    App().m_atrCurrent.m_text = source;
    App().m_atrCurrent.ApplyText();
    EXPECT_EQ(App().m_appText.m_anchor, 0x26);
    EXPECT_EQ(App().m_appText.m_heightTenths, 50);
    EXPECT_EQ(App().m_appText.m_mask, 0u);
    EXPECT_EQ(App().m_appText.m_subscriptMarker, ":::");
    EXPECT_EQ(App().m_appText.m_tabShift, 2);
}

TEST_F(SettingsRecords, PenRestoreByMask)
{
    CAppElem& elem = App().m_appElem;
    elem.SavePen();
    elem.SetLineWidth(9);
    elem.SetColor(RGB(1, 2, 3));
    elem.RestorePenByMask(); // the saved mask is empty: nothing comes back
    EXPECT_EQ(elem.m_lineWidth, 9);
    EXPECT_EQ(elem.m_color, RGB(1, 2, 3));

    elem.SavePen();
    elem.SetLineWidth(4);
    elem.SetColor(RGB(7, 7, 7));
    elem.SetLineType(3);
    elem.RestorePenByMask();
    EXPECT_EQ(elem.m_lineWidth, 9);
    EXPECT_EQ(elem.m_color, RGB(1, 2, 3));
    EXPECT_EQ(elem.m_lineType, 3);
}

TEST_F(SettingsRecords, CreationEnvironmentsApplyTheirPens)
{
    App().m_atrCurrent.m_lineType = 5;
    App().m_atrCurrent.m_lineWidth = 6;
    App().m_atrCurrent.ApplyPen();
    EXPECT_EQ(App().m_appElem.m_lineType, 0); // a draft line becomes solid
    EXPECT_EQ(App().m_appElem.m_lineWidth, 6);

    App().m_atrReference.m_lineType = 5;
    App().m_atrReference.ApplyPen();
    EXPECT_EQ(App().m_appElem.m_lineType, 5);
    EXPECT_EQ(App().m_appElem.m_blurCount, 0);
    EXPECT_EQ(App().m_appElem.m_blurRate, 0);

    App().m_appElem.SetDraftPen();
    EXPECT_EQ(App().m_appElem.m_color, RGB(255, 200, 255));
}

TEST_F(SettingsRecords, RecentFoldersKeepTenMostRecentFirst)
{
    CAppPath& path = App().m_appPath;
    for (int i = 0; i < 12; ++i)
        path.AddRecentPath(FormatString("C:\\work\\d%d\\file.zel", i), TRUE);
    ASSERT_EQ(path.m_recentDataFolders.GetSize(), 10);
    EXPECT_EQ(path.m_recentDataFolders[0], "C:\\work\\d11\\");
    EXPECT_EQ(path.m_recentDataFolders[9], "C:\\work\\d2\\");

    path.AddRecentPath("C:\\work\\d5\\other.zel", TRUE);
    EXPECT_EQ(path.m_recentDataFolders.GetSize(), 10);
    EXPECT_EQ(path.m_recentDataFolders[0], "C:\\work\\d5\\");
    EXPECT_EQ(path.m_recentDataFolders[1], "C:\\work\\d11\\");
    EXPECT_EQ(path.m_recentTextFolders.GetSize(), 0);

    // A folder name whose second byte is a backslash stays whole.
    path.AddRecentPath("C:\\表\\a.txt", FALSE);
    EXPECT_EQ(path.m_recentTextFolders[0], "C:\\表\\");
}

TEST_F(SettingsRecords, BuildFoldersStartsBothRecentListsWithTheProgramFolder)
{
    App().m_appPath.BuildFolders();
    const CString home = ProgramFolder();
    CAppPath& path = App().m_appPath;
    EXPECT_EQ(path.m_workFolder, home + "ZelkTemp\\");
    EXPECT_TRUE(ProgramFileExists("ZelkTemp"));
    ASSERT_EQ(path.m_recentDataFolders.GetSize(), 2);
    EXPECT_EQ(path.m_recentDataFolders[0], home);
    EXPECT_EQ(path.m_recentDataFolders[1], home + "ZelkData\\");
    EXPECT_EQ(path.m_recentTextFolders[1], home + "ZelkMcro\\");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(SettingsRecords, GridSnapRoundsHalfAwayFromZero)
{
    struct Case {
        double pitch;
        double v;
        double snapped;
    };
    const Case cases[] = {
        {10, 15, 20}, {10, -15, -20}, {10, 14.9, 10}, {10, -14.9, -10}, {10, 0, 0},
        {10, 4.99999999999, 10},  // equal to half a pitch within the program's tolerance
        {2.5, 3.7, 2.5}, {10, 26, 30},
        {0, 13.3, 13.3}, {-5, 13.3, 13.3}, // no pitch: the axis is left alone
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pitch << " " << c.v);
        CDocGrid grid;
        grid.m_pitch.Init(c.pitch, 10.0);
        CPointD p;
        p.Init(c.v, 1.0);
        const CPointD snapped = grid.SnapToPitch(p);
        EXPECT_DOUBLE_EQ(snapped.m_x, c.snapped);
        EXPECT_DOUBLE_EQ(snapped.m_y, 0.0);
    }
}

// The snap works in the drawing's relative system: with the origin moved and the axes turned a
// quarter turn, the world point lands on the grid of the turned system, not of the world.
TEST_F(SettingsRecords, GridSnapOfAPointInTheDrawing)
{
    CZelkDoc doc;
    doc.m_grid.m_pitch.Init(10.0, 10.0);
    doc.m_grid.m_on = 1;
    struct Case {
        double originX, originY, angle;
        double x, y;
        double wantX, wantY;
    };
    const Case cases[] = {
        {0, 0, 0, 15, -15, 20, -20},
        {0, 0, 0, 14.9, -14.9, 10, -10},
        {3, 0, 90, -1, 15, 3, 20},  // relative (15, 4) snaps to (20, 0)
        {3, 0, 90, 3 - 14.9, 25, -7, 30},  // relative (25, 14.9) snaps to (30, 10)
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.angle << " " << c.x << "," << c.y);
        doc.m_relOrigin.Init(c.originX, c.originY);
        doc.m_relAngle = c.angle;
        CPointD p;
        p.Init(c.x, c.y);
        const CPointD snapped = doc.m_grid.SnapPoint(&doc, p);
        EXPECT_NEAR(snapped.m_x, c.wantX, 1e-9);
        EXPECT_NEAR(snapped.m_y, c.wantY, 1e-9);
    }

    CPointD p;
    p.Init(-1, 15);
    App().m_lastStatus = 17;  // an input that must not be moved
    EXPECT_EQ(doc.m_grid.SnapPoint(&doc, p).m_x, -1.0);
    EXPECT_EQ(doc.m_grid.SnapPoint(&doc, p).m_y, 15.0);
    App().m_lastStatus = 0;
    doc.m_grid.m_on = 0;
    EXPECT_EQ(doc.m_grid.SnapPoint(&doc, p).m_x, -1.0);
    EXPECT_EQ(doc.m_grid.SnapPoint(&doc, p).m_y, 15.0);
}

TEST_F(SettingsRecords, ColorListsAndLookups)
{
    const CAppColor& color = App().m_appColor;
    ASSERT_EQ(color.m_standardColorList.GetSize(), 16);
    EXPECT_EQ(color.m_standardColorList[0], RGB(0, 0, 0));
    EXPECT_EQ(color.m_standardColorList[15], RGB(255, 200, 255));
    EXPECT_EQ(color.FindStandardColor(RGB(0, 0, 128)), 14);
    EXPECT_EQ(color.FindStandardColor(RGB(1, 1, 1)), CAppColor::kNotFound);
    EXPECT_EQ(color.FindUserColor(RGB(0, 0, 0)), CAppColor::kNotFound);
}

TEST_F(SettingsRecords, GridArchiveForm)
{
    CDocGrid grid;
    grid.m_pitch.Init(2.5, 4.0);
    grid.m_on = 1;
    {
        CFile file;
        ASSERT_TRUE(file.Open(ProgramFolder() + "grid.bin", CFile::modeCreate | CFile::modeWrite));
        CArchive ar(&file, CArchive::store);
        grid.Serialize(ar);
        ar.Close();
        file.Close();
    }
    Packer expected;
    expected.F64(2.5).F64(4.0).I32(1);
    EXPECT_EQ(ReadProgramFile("grid.bin"), expected.Get());

    CDocGrid read;
    CFile file;
    ASSERT_TRUE(file.Open(ProgramFolder() + "grid.bin", CFile::modeRead));
    CArchive ar(&file, CArchive::load);
    read.Serialize(ar);
    EXPECT_EQ(read.m_pitch.m_x, 2.5);
    EXPECT_EQ(read.m_pitch.m_y, 4.0);
    EXPECT_EQ(read.m_on, 1);
}

TEST_F(SettingsRecords, WorkFolderThatCannotBeMadeIsReportedOnce)
{
    WriteProgramFile("blocker", "x");
    const std::string saved = std::getenv("ZELK_HOME");
    setenv("ZELK_HOME", (FilePathOf("blocker") + "/home").c_str(), 1);
    const CString home = ProgramFolder();
    App().m_appPath.BuildFolders();
    setenv("ZELK_HOME", saved.c_str(), 1);
    // The message shows the path as the file system names it; the folder keeps the program's form.
    const std::vector<std::string> expected = {"作業用のパス " + ScreenPathText(home).Std() + "ZelkTemp" +
                                               " の作成が出来なかったので、作成してください"};
    EXPECT_EQ(Messages(), expected);
    EXPECT_EQ(App().m_appPath.m_workFolder, home + "ZelkTemp\\");
}
