// The settings archive beside the program: its byte layout, the fall-back to older archive
// names, the version gates, the ten-day rule of the start-up notices and the silent failures.
#include "SettingsTestSupport.h"

#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "platform/ui/WndClass.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr std::int64_t kDay = 86400;

void PackDefaultLogFont(Packer& p)
{
    p.I32(-8).I32(0).I32(0).I32(0).I32(400);
    p.U8(0).U8(0).U8(0).U8(128).U8(3).U8(2).U8(1).U8(0x31);
    char face[32] = {};
    std::strcpy(face, "ＭＳ ゴシック");
    p.Bytes(face, sizeof face);
}

void PackDefaultElem(Packer& p)
{
    p.I16(5).F64(2.0).I16(500).F64(10.0).F64(1.0);
    p.I32(1).I32(1).I32(1).I16(2);
    p.F64(15.0).F64(3.0).F64(1.0).I32(0).F64(6.0);
    p.Str("φ").Str("゜");
    p.F64(1.0).F64(1.0).F64(0.9).U8(3).U8(70);
}

void PackDefaultText(Packer& p)
{
    p.I32(8).I32(40).I32(80);
    PackDefaultLogFont(p);
    p.U8(1).U8(1).U8(1).U8(1).U8(1).I32(0).F64(1.0).I32(0).F64(150.0).I16(2);
}

void PackDefaultDraw(Packer& p, bool withLastValue)
{
    p.F64(5.0).I16(10).I16(2).I32(1).I32(1).I32(0);
    for (int v : {5, 10, 10, 2, 2, 2, 2, 100})
        p.I16(v);
    p.I16(3).I32(1).I32(1).U8(255);
    p.F64(0.0).F64(297.0).F64(400.0).F64(0.0);
    p.F64(0.0).F64(0.0);
    for (int v : {100, 20, 20, 20, 10, 10, 60, 3})
        p.I16(v);
    p.F64(0.5).F64(5.0);
    p.I16(30).I16(6).I16(1000).I16(3);
    if (withLastValue)
        p.I16(40);
}

void PackDefaultPath(Packer& p)
{
    const std::string home = ProgramFolderText();
    const std::string data = home + "ZelkData\\";
    const std::string macro = home + "ZelkMcro\\";
    for (const std::string& s : {data, data, macro, macro, macro, macro, home + "ZelkSymb"})
        p.Str(s);
    p.Strs({home, data});
    p.Strs({home, macro});
}

// The eleven records at their defaults, as a version 9 archive holds them.
void PackDefaultRecords(Packer& p, bool drawWithLastValue = true)
{
    PackDefaultElem(p);
    PackDefaultText(p);
    p.I32(1).I32(1).U8(55).I16(0);              // colors
    p.I16(20).I16(25).I16(10).I16(250);         // search
    PackDefaultDraw(p, drawWithLastValue);
    PackDefaultPath(p);
    p.I16(3).I16(6).I16(3).F64(1000000.0).F64(0.0001); // accuracy
    p.I32(0);
    for (int i = 0; i < 8; ++i)
        p.I32(1);                               // command options
}

struct AppFields {
    std::int64_t startTime = AppFixture::kNow;
    int recovery = 10;
    int timer = 300;
    int symbolLayer = 0;
    int popup = 1;
    int boxReturn = 0;
    int saveInterval = 1500;
    double textPrintScale = 1.0;
    int groupReset = 1;
    int backup = 1;
};

// Items 3 to 20 of the archive, cut after the groups that the version holds.
void PackAppFields(Packer& p, int version, const AppFields& f = AppFields())
{
    p.I32(f.startTime);
    p.U8(f.recovery).U8(200).U8(30);
    p.I32(1);
    p.U8(10).F64(1.05).U8(1);
    p.I32(f.timer);
    p.I32(1).I32(1);
    p.I32(1);
    p.I16(0);                                   // DXF font names
    p.I32(1).I32(0);
    if (version >= 6)
        p.I32(f.symbolLayer);
    if (version >= 7)
        p.I32(f.popup).I32(0).I32(0);
    if (version >= 8) {
        p.I32(f.boxReturn);
        p.I32(0).I32(0).I32(0).I32(0);
        p.I32(1).I32(0).I32(0);
        p.I32(f.saveInterval).I32(1);
        p.I32(1).I32(0);
        p.F64(f.textPrintScale);
    }
    if (version >= 9)
        p.I32(f.groupReset).I32(f.backup);
}

std::string DefaultArchive(const AppFields& f = AppFields())
{
    Packer p;
    p.Str("08.20");
    PackDefaultRecords(p);
    PackAppFields(p, 9, f);
    return p.Get();
}

} // namespace

class SettingsArchive : public AppFixture {
};

TEST_F(SettingsArchive, DefaultsWriteTheWholeLayoutInOrder)
{
    App().LoadSettings();
    App().SaveSettings();
    const std::string written = ReadProgramFile("ZelkR009.acv");

    Packer elem;
    PackDefaultElem(elem);
    ASSERT_EQ(elem.Size(), 110u);
    EXPECT_EQ(written.substr(0, 6), std::string("\x05" "08.20"));
    EXPECT_EQ(written.substr(6, 110), elem.Get());
    EXPECT_EQ(written, DefaultArchive());
}

TEST_F(SettingsArchive, WriteReadWriteIsByteIdentical)
{
    App().LoadSettings();
    App().m_appElem.m_arrowLength = 4.5;
    App().m_appElem.m_diameterMark = "Φ";
    App().m_appText.m_slantAngle = -225.0;
    App().m_appColor.m_userColors.Add(RGB(1, 2, 3));
    App().m_dxfHalfWidthFonts.Add("ＭＳ 明朝");
    App().m_timerInterval = 450;
    App().m_groupResetOneStep = 0;
    App().SaveSettings();
    const std::string first = ReadProgramFile("ZelkR009.acv");

    CZelkApp second;
    g_pApp = &second;
    second.LoadSettings();
    EXPECT_EQ(second.m_archiveVersion, 9);
    EXPECT_EQ(second.m_timerInterval, 450);
    EXPECT_EQ(second.m_appColor.m_userColors.GetSize(), 1);
    second.SaveSettings();
    EXPECT_EQ(ReadProgramFile("ZelkR009.acv"), first);
    g_pApp = m_app.get();
}

TEST_F(SettingsArchive, ReadingPutsTheFoldersInFrontOfTheRecentLists)
{
    App().LoadSettings();
    const CString home = ProgramFolder();
    App().m_appPath.m_dataFolder = home + "work\\";
    App().m_appPath.AddRecentPath(home + "drawings\\a.zel", TRUE);
    App().SaveSettings();

    auto readBack = [&]() {
        CZelkApp app;
        g_pApp = &app;
        app.LoadSettings();
        std::vector<std::string> list;
        for (int i = 0; i < app.m_appPath.m_recentDataFolders.GetSize(); ++i)
            list.push_back(app.m_appPath.m_recentDataFolders[i].Std());
        app.SaveSettings();
        g_pApp = m_app.get();
        return list;
    };
    const std::string h = home.Std();
    const std::vector<std::string> expected = {h, h + "work\\", h + "ZelkData\\", h + "drawings\\"};
    EXPECT_EQ(readBack(), expected);
    // Once in that order the lists stay as they are from one start to the next.
    const std::string settled = ReadProgramFile("ZelkR009.acv");
    EXPECT_EQ(readBack(), expected);
    EXPECT_EQ(ReadProgramFile("ZelkR009.acv"), settled);
}

TEST_F(SettingsArchive, OlderArchiveNamesAreReadWithTheirVersionGates)
{
    struct Case {
        const char* name;
        int version;
    };
    const Case cases[] = {{"ZelkR008.acv", 8}, {"ZelkR007.acv", 7}, {"ZelkR006.acv", 6}, {"ZelkR005.acv", 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AppFields stored;
        stored.recovery = 25;
        stored.symbolLayer = 1;
        stored.popup = 0;
        stored.boxReturn = 1;
        stored.saveInterval = 2500;
        stored.textPrintScale = 2.0;
        stored.groupReset = 0;
        stored.backup = 0;
        Packer p;
        p.Str("08.10");
        PackDefaultRecords(p, c.version >= 8);
        PackAppFields(p, c.version, stored);
        WriteProgramFile(c.name, p.Get());

        CZelkApp app;
        g_pApp = &app;
        app.LoadSettings();
        EXPECT_EQ(app.m_archiveVersion, c.version);
        EXPECT_EQ(app.m_recoveryInterval, 25);
        EXPECT_EQ(app.m_symbolLayerCurrent, c.version >= 6 ? 1 : 0);
        EXPECT_EQ(app.m_noPopupMenu, c.version >= 7 ? 0 : 1);
        EXPECT_EQ(app.m_autoReturnToBoxSelection, c.version >= 8 ? 1 : 0);
        EXPECT_EQ(app.m_saveInterval, c.version >= 8 ? 2500 : 1500);
        EXPECT_EQ(app.m_textPrintScale, c.version >= 8 ? 2.0 : 1.0);
        // Later groups keep their defaults: the print options, notices and backup option.
        EXPECT_EQ(app.m_printOption7, 0);
        EXPECT_EQ(app.m_dimOption, 1);
        EXPECT_EQ(app.m_introMessage3, 1);
        EXPECT_EQ(app.m_groupResetOneStep, 1);
        EXPECT_EQ(app.m_backupOnSave, 1);
        EXPECT_EQ(app.m_appDraw.messageFontHeight, 40);
        g_pApp = m_app.get();
        std::remove(FilePathOf(c.name).c_str());
    }
}

TEST_F(SettingsArchive, NewestNameWinsAndTheDisplayValuesKeepTheirOrder)
{
    Packer older;
    older.Str("08.20");
    PackDefaultRecords(older);
    PackAppFields(older, 7);
    WriteProgramFile("ZelkR007.acv", older.Get());

    App().LoadSettings();
    App().m_appDraw.historyMax = 31;
    App().m_appDraw.m_displayValue6 = 7;
    App().m_appDraw.messageFontHeight = 41;
    App().m_appDraw.m_displayValue8 = 1001;
    App().m_appDraw.m_displayValue9 = 4;
    App().SaveSettings();
    const std::string written = ReadProgramFile("ZelkR009.acv");

    Packer head;
    head.Str("08.20");
    PackDefaultElem(head);
    PackDefaultText(head);
    head.I32(1).I32(1).U8(55).I16(0).I16(20).I16(25).I16(10).I16(250);
    Packer draw;
    PackDefaultDraw(draw, true);
    const size_t tail = head.Size() + draw.Size() - 10;
    Packer values;
    values.I16(31).I16(7).I16(1001).I16(4).I16(41);
    EXPECT_EQ(written.substr(tail, 10), values.Get());

    CZelkApp reread;
    g_pApp = &reread;
    reread.LoadSettings();
    EXPECT_EQ(reread.m_archiveVersion, 9);
    EXPECT_EQ(reread.m_appDraw.messageFontHeight, 41);
    g_pApp = m_app.get();
}

TEST_F(SettingsArchive, TenDayRuleOfTheStartUpNotices)
{
    struct Case {
        std::int64_t storedAgo;
        int suppressed;
    };
    const Case cases[] = {{11 * kDay, 0}, {1 * kDay, 1}, {10 * kDay, 1}, {10 * kDay + 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.storedAgo);
        AppFields stored;
        stored.startTime = kNow - c.storedAgo;
        Packer p;
        p.Str("08.20");
        PackDefaultRecords(p);
        PackAppFields(p, 9, stored);
        WriteProgramFile("ZelkR009.acv", p.Get());

        CZelkApp app;
        g_pApp = &app;
        app.LoadSettings();
        EXPECT_EQ(app.m_startupNoticeSuppressed, c.suppressed);
        EXPECT_EQ(app.m_startTime, kNow);
        g_pApp = m_app.get();
    }
}

TEST_F(SettingsArchive, ElevenDaysLaterTheIntroductoryMessagesComeBack)
{
    App().LoadSettings();
    App().m_introMessage1 = 0;
    App().m_introMessage3 = 0;
    App().SaveSettings();

    for (std::int64_t later : {kDay, 11 * kDay}) {
        Scripted().SetTime(kNow + later);
        CZelkApp app;
        g_pApp = &app;
        app.LoadSettings();
        EXPECT_EQ(app.m_introMessage1, later > 10 * kDay ? 1 : 0);
        EXPECT_EQ(app.m_introMessage3, later > 10 * kDay ? 1 : 0);
    }
    g_pApp = m_app.get();
}

TEST_F(SettingsArchive, LoadedPenStartsTheCurrentEnvironment)
{
    App().LoadSettings();
    App().m_appElem.SetLineWidth(7);
    App().m_appElem.SetColor(RGB(9, 9, 9));
    App().m_appElem.SetBlurCount(12);
    App().SaveSettings();

    CZelkApp app;
    g_pApp = &app;
    app.LoadSettings();
    // Width, line type and color are not archived; the blur is.
    EXPECT_EQ(app.m_appElem.m_lineWidth, 1);
    EXPECT_EQ(app.m_appElem.m_color, 0u);
    EXPECT_EQ(app.m_atrCurrent.m_lineWidth, 1);
    EXPECT_EQ(app.m_atrCurrent.m_blurCount, 12);
    EXPECT_EQ(app.m_atrCurrent.m_blurRate, 70);
    g_pApp = m_app.get();
}

TEST_F(SettingsArchive, NoArchiveKeepsDefaultsSilently)
{
    App().LoadSettings();
    EXPECT_EQ(App().m_archiveVersion, 0);
    EXPECT_EQ(App().m_timerInterval, 300);
    EXPECT_EQ(App().m_startupNoticeSuppressed, 0);
    for (const std::string& m : Messages())
        EXPECT_EQ(m.find("acv"), std::string::npos) << m;
}

TEST_F(SettingsArchive, ShortArchiveKeepsWhatWasReadBeforeTheFault)
{
    AppFields stored;
    stored.recovery = 42;
    stored.timer = 800;
    Packer p;
    p.Str("08.20");
    PackDefaultRecords(p);
    PackAppFields(p, 9, stored);
    const std::string whole = p.Get();
    // Cut inside the second introductory message, after the timer interval.
    Packer head;
    head.Str("08.20");
    PackDefaultRecords(head);
    const size_t timerEnd = head.Size() + 4 + 3 + 4 + 10 + 4;
    WriteProgramFile("ZelkR009.acv", whole.substr(0, timerEnd + 2));

    App().LoadSettings();
    EXPECT_EQ(App().m_archiveVersion, 9);
    EXPECT_EQ(App().m_recoveryInterval, 42);
    EXPECT_EQ(App().m_timerInterval, 800);
    EXPECT_EQ(App().m_saveInterval, 1500);
    EXPECT_EQ(App().m_introMessage2, 1);
}

TEST_F(SettingsArchive, LoadedValuesAreKeptInsideTheDialogRanges)
{
    AppFields stored;
    stored.recovery = 0;
    stored.timer = 0;
    stored.saveInterval = -5;
    stored.textPrintScale = 0.0;
    Packer p;
    p.Str("08.20");
    PackDefaultRecords(p);
    PackAppFields(p, 9, stored);
    std::string bytes = p.Get();
    // The ellipse step angle sits right after the display value 3 of the display record.
    Packer head;
    head.Str("08.20");
    PackDefaultElem(head);
    PackDefaultText(head);
    head.I32(1).I32(1).U8(55).I16(0).I16(20).I16(25).I16(10).I16(250);
    Packer draw;
    PackDefaultDraw(draw, true);
    const size_t stepAt = head.Size() + draw.Size() - 10 - 8;
    const double zero = 0.0;
    bytes.replace(stepAt, 8, std::string(reinterpret_cast<const char*>(&zero), 8));
    WriteProgramFile("ZelkR009.acv", bytes);

    App().LoadSettings();
    EXPECT_EQ(App().m_recoveryInterval, 1);
    EXPECT_EQ(App().m_timerInterval, 100);
    EXPECT_EQ(App().m_saveInterval, 0);
    EXPECT_DOUBLE_EQ(App().m_textPrintScale, 0.1);
    EXPECT_GT(App().m_appDraw.m_ellipseStep, 0.0);
}

TEST_F(SettingsArchive, UnwritableProgramFolderWritesNothingAndSaysNothing)
{
    App().LoadSettings();
    Scripted().m_messages.clear();
    // A program folder below a plain file cannot hold files, whoever runs the test.
    WriteProgramFile("blocker", "x");
    const std::string blocked = FilePathOf("blocker") + "/home";
    const char* previous = std::getenv("ZELK_HOME");
    const std::string saved = previous ? previous : "";
    setenv("ZELK_HOME", blocked.c_str(), 1);
    App().SaveSettings();
    setenv("ZELK_HOME", saved.c_str(), 1);
    EXPECT_TRUE(Scripted().m_messages.empty());
    EXPECT_FALSE(ProgramFileExists("ZelkR009.acv"));
}

TEST_F(SettingsArchive, DrawingFramesGetTheirWindowClass)
{
    App().LoadSettings();
    const CWndClassInfo* info = AfxFindWndClass(App().m_childFrameClassName);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->style, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
    EXPECT_EQ(info->cursor, App().LoadStandardCursor(IDC_ARROW));
    EXPECT_TRUE(info->hasBackground);
    EXPECT_EQ(info->background, RGB(255, 255, 255));
}
