// Where the program folder and the shipped files are, how a per-user program folder is made and
// seeded, and the Linux form of paths in screen texts.
#include "platform/core/ProgramFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Write(const fs::path& file, const std::string& text)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

// Sets environment variables for one test and puts the old values back.
class ScopedEnvironment {
public:
    ~ScopedEnvironment()
    {
        for (const auto& [name, value] : m_saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    void Set(const std::string& name, const char* value)
    {
        if (!m_saved.count(name)) {
            const char* old = std::getenv(name.c_str());
            m_saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value)
            setenv(name.c_str(), value, 1);
        else
            unsetenv(name.c_str());
    }

private:
    std::map<std::string, std::optional<std::string>> m_saved;
};

class ProgramFolders : public testing::Test {
protected:
    void SetUp() override
    {
        m_root = std::getenv("ZELK_HOME");
        m_shipped = m_root / "share" / "zelk";
        Write(m_shipped / "Zelk.rc", "STRINGTABLE BEGIN END\n");
        Write(m_shipped / "bitmaps" / "bar.bmp", "BM");
        Write(m_shipped / "ZelkUnit.txt", "shipped units\r\n");
        Write(m_shipped / "Variable.txt", "shipped variables\r\n");
        Write(m_shipped / "ZelkApp" / "ZelkApp.txt", "shipped registrations\r\n");
        m_env.Set("ZELK_RESOURCES", m_shipped.c_str());
        m_env.Set("ZELK_HOME", nullptr);
    }

    fs::path m_root;
    fs::path m_shipped;
    ScopedEnvironment m_env;
};

} // namespace

TEST_F(ProgramFolders, InstalledProgramUsesThePerUserFolderMadeAndSeededOnFirstUse)
{
    // The test programs' own folder holds no resource scripts, as an installed program's bin/.
    const fs::path data = m_root / "data";
    m_env.Set("XDG_DATA_HOME", data.c_str());
    const fs::path user = data / "zelk";
    EXPECT_EQ(ProgramFolder(), ProgramPath(user.string()) + "\\");
    EXPECT_EQ(Read(user / "ZelkUnit.txt"), "shipped units\r\n");
    EXPECT_EQ(Read(user / "Variable.txt"), "shipped variables\r\n");
    // The user-application registration sits in its own folder; without it every start would
    // stop at the message that it cannot be opened.
    EXPECT_EQ(Read(user / "ZelkApp" / "ZelkApp.txt"), "shipped registrations\r\n");
    // Only the definition files are the user's to edit; scripts and bitmaps stay shipped.
    EXPECT_FALSE(fs::exists(user / "Zelk.rc"));
    EXPECT_FALSE(fs::exists(user / "bitmaps"));
    EXPECT_FALSE(fs::exists(user / "ZelkUnit.txt.part"));

    // A second start keeps what the user edited and brings back what went missing.
    Write(user / "Variable.txt", "my variables\r\n");
    Write(user / "ZelkApp" / "ZelkApp.txt", "my registrations\r\n");
    fs::remove(user / "ZelkUnit.txt");
    SeedProgramFolder(user.string(), m_shipped.string());
    EXPECT_EQ(Read(user / "Variable.txt"), "my variables\r\n");
    EXPECT_EQ(Read(user / "ZelkApp" / "ZelkApp.txt"), "my registrations\r\n");
    EXPECT_EQ(Read(user / "ZelkUnit.txt"), "shipped units\r\n");
}

TEST_F(ProgramFolders, PerUserFolderFallsBackToHomeAndZelkHomeWins)
{
    const fs::path home = m_root / "home";
    m_env.Set("HOME", home.c_str());
    // Unset, empty and relative XDG_DATA_HOME all mean ~/.local/share.
    for (const char* xdg : { static_cast<const char*>(nullptr), "", "relative/data" }) {
        m_env.Set("XDG_DATA_HOME", xdg);
        const fs::path user = home / ".local" / "share" / "zelk";
        EXPECT_EQ(ProgramFolder(), ProgramPath(user.string()) + "\\") << (xdg ? xdg : "(unset)");
        EXPECT_EQ(Read(user / "ZelkUnit.txt"), "shipped units\r\n");
    }
    m_env.Set("ZELK_HOME", m_root.c_str());
    EXPECT_EQ(ProgramFolder(), ProgramPath(m_root.string()) + "\\");
}

TEST_F(ProgramFolders, ShippedFilesAreTheOverrideElseTheInstalledShareFolder)
{
    EXPECT_EQ(ShippedFolder(), m_shipped.string());
    m_env.Set("ZELK_RESOURCES", nullptr);
    const fs::path exeFolder = fs::read_symlink("/proc/self/exe").parent_path();
    EXPECT_EQ(ShippedFolder(), (exeFolder.parent_path() / "share" / "zelk").string());
    EXPECT_EQ(ShippedPlugInFolder(), (exeFolder.parent_path() / "lib" / "zelk").string());
}

TEST(ScreenPaths, SeparatorsBecomeSlashesAndOtherBytesStay)
{
    struct Case {
        const char* text;
        const char* shown;
    };
    const Case cases[] = {
        { "\\home\\user\\ZelkData\\NewFile.zel", "/home/user/ZelkData/NewFile.zel" },
        { "作業用のパス \\home\\u\\ZelkTemp の作成が出来なかったので、作成してください",
          "作業用のパス /home/u/ZelkTemp の作成が出来なかったので、作成してください" },
        // 0x5C as the second byte of a double-byte character (表, ソ) is no separator.
        { "\\home\\表\\ソフト.zel", "/home/表/ソフト.zel" },
        { "Zelk - NewFile", "Zelk - NewFile" },
        { "表示ソフト", "表示ソフト" },
        { "", "" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScreenPathText(c.text), CString(c.shown)) << c.shown;
    EXPECT_EQ(ScreenPathText(nullptr), CString(""));
}
