// What a start and an exit leave of the user's settings: a failed write keeps the previous
// settings archive and profile and says so; a start that cannot run says why, ends with a
// failure status and writes no settings at all.
#include "app/ZelkApp.h"
#include "platform/core/CodePage.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Services.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/UiServices.h"
#include "tests/support/AppTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string Home()
{
    return FileSystemPath(ProgramFolder().GetString());
}

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void CopyDefinitionFilesTo(const std::string& folder)
{
    for (const char* name : { "ZelkUnit.txt", "Variable.txt", "ZelSheet.txt" })
        fs::copy_file(fs::path(ZELK_SOURCE_DIR) / "resources" / name, fs::path(folder) / name,
                      fs::copy_options::overwrite_existing);
}

class StartAndExit : public testing::Test {
protected:
    void SetUp() override
    {
        UiResetKeyState();
        DefaultScriptedServices() = CScriptedServices();
        DefaultScriptedUiServices().Reset();
        CopyDefinitionFilesTo(Home());
        m_archive = Home() + "ZelkR009.acv";
        m_profile = Home() + "Zelk.ini";
    }
    void TearDown() override { StopApplication(m_app); }

    // One start and exit of the application; what it printed on standard error.
    std::string RunOnce()
    {
        m_app = new CZelkApp;
        EXPECT_TRUE(m_app->InitInstance());
        m_app->AddToRecentFileList(ProgramFolder() + "recent.zel");
        testing::internal::CaptureStderr();
        StopApplication(m_app);
        return testing::internal::GetCapturedStderr();
    }

    CZelkApp* m_app = nullptr;
    std::string m_archive;
    std::string m_profile;
};

TEST_F(StartAndExit, SettingsThatCannotBeWrittenAreLeftAsTheyWereAndReported)
{
    EXPECT_EQ(RunOnce(), "");
    const std::string archive = Bytes(m_archive);
    const std::string profile = Bytes(m_profile);
    ASSERT_FALSE(archive.empty());
    ASSERT_NE(profile.find("recent.zel"), std::string::npos);

    // Marked read-only: neither is replaced, and the exit says which were not written.
    fs::permissions(m_archive, fs::perms::owner_read);
    fs::permissions(m_profile, fs::perms::owner_read);
    const std::string report = RunOnce();
    EXPECT_EQ(Bytes(m_archive), archive);
    EXPECT_EQ(Bytes(m_profile), profile);
    EXPECT_NE(report.find("ZelkR009.acv"), std::string::npos);
    EXPECT_NE(report.find("Zelk.ini"), std::string::npos);
    EXPECT_EQ(report.find(Cp932ToUtf8("設定ファイルに書き込めなかったので")), 0u);
    EXPECT_FALSE(fs::exists(m_archive + ".tmp~"));

    // A folder in the archive's place stays a folder.
    fs::permissions(m_archive, fs::perms::owner_all);
    fs::remove(m_archive);
    fs::create_directory(m_archive);
    EXPECT_NE(RunOnce().find("ZelkR009.acv"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(m_archive));
}

TEST(FailedStart, WithoutResourcesTheProgramSaysWhyExitsNonZeroAndWritesNoSettings)
{
    // The program alone in a folder of its own, with no resources beside it or above it.
    const std::string home = Home();
    const std::string bin = home + "bin";
    fs::create_directory(bin);
    fs::copy_file(std::string(ZELK_BINARY_DIR) + "/zelk", bin + "/zelk");
    CopyDefinitionFilesTo(home);
    const std::string archive = home + "ZelkR009.acv";
    const std::string earlier = "settings of an earlier session";
    std::ofstream(archive, std::ios::binary) << earlier;

    const std::string err = home + "stderr.txt";
    const std::string cmd = "env -u ZELK_RESOURCES ZELK_QUIT_AT_START=1 QT_QPA_PLATFORM=offscreen timeout 60 " + bin +
                            "/zelk 2>" + err;
    const int status = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 0);
    EXPECT_NE(Bytes(err).find(Cp932ToUtf8("プログラムのリソースが見つからないので、Zelkを起動できません")),
              std::string::npos);
    EXPECT_EQ(Bytes(archive), earlier);
    EXPECT_FALSE(fs::exists(home + "Zelk.ini"));
}

} // namespace
