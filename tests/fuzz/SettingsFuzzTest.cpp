// Seeded mutation runs over the settings archive and the definition files: damaged input is read
// as far as it goes, never crashes, and leaves every setting inside the range its dialog allows.
#include "app/ZelkApp.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "tests/fuzz/FuzzKnobs.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

std::string PathOf(const char* name)
{
    return FileSystemPath(ProgramFolder() + name);
}

void Put(const char* name, const std::string& bytes)
{
    std::ofstream(PathOf(name), std::ios::binary) << bytes;
}

std::string Get(const char* name)
{
    std::ifstream in(PathOf(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void LoadAndCheck(const std::string& archive)
{
    Put("ZelkR009.acv", archive);
    CZelkApp app;
    g_pApp = &app;
    app.LoadSettings();
    EXPECT_GE(app.m_timerInterval, 100);
    EXPECT_LE(app.m_timerInterval, 1000);
    EXPECT_GE(app.m_recoveryInterval, 1);
    EXPECT_GE(app.m_historyLength, 1);
    EXPECT_GE(app.m_appDraw.m_ellipseStep, 0.1);
    EXPECT_LE(app.m_appDraw.m_ellipseStep, 30.0);
    EXPECT_GE(app.m_appDraw.zoomStepFactor, 2.0);
    EXPECT_LE(app.m_appPath.m_recentDataFolders.GetSize(), 10);
    EXPECT_LE(app.m_appPath.m_recentTextFolders.GetSize(), 10);
    EXPECT_LT(std::strlen(app.m_appText.m_logFont.lfFaceName), sizeof app.m_appText.m_logFont.lfFaceName);
    // No more colors than the archive has bytes for, and a font whose tenths are numbers.
    EXPECT_LE(static_cast<size_t>(app.m_appColor.m_userColors.GetSize()) * 4, archive.size());
    EXPECT_LE(std::abs(static_cast<long long>(app.m_appText.m_logFont.lfHeight)) * 10, 2147483647LL);
    g_pApp = nullptr;
}

std::string SampleArchive()
{
    CZelkApp app;
    g_pApp = &app;
    app.LoadSettings();
    app.m_appColor.m_userColors.Add(RGB(1, 2, 3));
    app.m_dxfHalfWidthFonts.Add("ＭＳ 明朝");
    app.SaveSettings();
    g_pApp = nullptr;
    return Get("ZelkR009.acv");
}

} // namespace

TEST(SettingsFuzz, TruncatedAndCorruptedArchives)
{
    const std::string sample = SampleArchive();
    ASSERT_FALSE(sample.empty());
    for (size_t len = 0; len < sample.size(); len += 7)
        LoadAndCheck(sample.substr(0, len));
    std::mt19937 random(fuzz_knobs::Seed(20261210));
    for (int run = 0; run < fuzz_knobs::Rounds(300); ++run) {
        std::string bytes = sample;
        const int flips = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < flips; ++i)
            bytes[random() % bytes.size()] = static_cast<char>(random() & 0xFF);
        LoadAndCheck(bytes);
    }
    DefaultScriptedServices().m_messages.clear();
}

TEST(SettingsFuzz, DefinitionFilesOfRandomLines)
{
    const char* fragments[] = {",", "//", "/*", "*/", " ", "\r\n", "mm", "1", "-2", "e", "1.5E3", "x",
                            "//Class//", "F", "表", "\x81", "\t", ""};
    std::mt19937 random(fuzz_knobs::Seed(7));
    for (int run = 0; run < fuzz_knobs::Rounds(200); ++run) {
        std::string text;
        const int count = static_cast<int>(random() % 60);
        for (int i = 0; i < count; ++i)
            text += fragments[random() % std::size(fragments)];
        Put("ZelkUnit.txt", text);
        Put("Variable.txt", text);
        Put("ZelSheet.txt", text);
        CZelkApp app;
        g_pApp = &app;
        app.ReadSheetFile();
        app.BuildUnitTable(TRUE);
        app.AddPiConstant();
        app.ReadVariableFile();
        EXPECT_GE(app.m_unitTable.GetSize(), 20);
        EXPECT_GE(app.m_variableTable.GetSize(), 1);
        g_pApp = nullptr;
        DefaultScriptedServices().m_messages.clear();
    }
}
