// A finished file replaces an existing one in one step.
#include "platform/core/File.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Runtime.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include <cstring>

namespace {

void WriteAll(const CString& path, const char* text)
{
    CFile f(path, CFile::modeCreate | CFile::modeWrite);
    f.Write(text, static_cast<UINT>(std::strlen(text)));
    f.Close();
}

CString ReadAll(const CString& path)
{
    CFile f(path, CFile::modeRead);
    char buf[64] = {};
    UINT n = f.Read(buf, sizeof buf - 1);
    return CString(buf, static_cast<int>(n));
}

} // namespace

TEST(ReplaceFile, OverwritesTheTargetAndFailsWithoutASource)
{
    CString target = ProgramFolder() + "図面.zel";
    CString temp = ProgramFolder() + "図面.zel.tmp";
    WriteAll(target, "old");
    WriteAll(temp, "new");
    EXPECT_EQ(CrtRename(temp, target), -1);  // the Windows rename refuses an existing name
    ASSERT_EQ(CrtReplaceFile(temp, target), 0);
    EXPECT_EQ(ReadAll(target), CString("new"));
    EXPECT_EQ(_access(temp, 0), -1);
    EXPECT_EQ(CrtReplaceFile(temp, target), -1);
    EXPECT_EQ(ReadAll(target), CString("new"));
}

namespace {

std::string Mode(const std::string& path)
{
    namespace fs = std::filesystem;
    return std::to_string(static_cast<int>(fs::status(path).permissions() & fs::perms::all));
}

} // namespace

TEST(ReplaceFile, SavingReplacesOnlyWhatTheUserMayWriteAndKeepsLinksAndModes)
{
    namespace fs = std::filesystem;
    const CString home = ProgramFolder();
    const std::string fsHome = FileSystemPath(home);
    struct Case {
        const char* name;
        const char* setup;   // "file" 0640, "readonly" 0444, "link" to sub/target.zel 0600, "folder", "new"
        bool writerFails;
        bool saved;
    };
    const Case cases[] = {
        { "kept.zel", "file", false, true },
        { "new.zel", "new", false, true },
        { "linked.zel", "link", false, true },
        { "readonly.zel", "readonly", false, false },
        { "folder.zel", "folder", false, false },
        { "failing.zel", "file", true, false },
    };
    fs::create_directory(fsHome + "sub");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string setup = c.setup;
        const std::string path = fsHome + c.name;
        std::string real = path;
        if (setup == "file" || setup == "readonly") {
            WriteAll(home + c.name, "old");
            fs::permissions(path, setup == "file" ? fs::perms(0640) : fs::perms(0444));
        } else if (setup == "link") {
            real = fsHome + "sub/target.zel";
            WriteAll(home + "sub\\target.zel", "old");
            fs::permissions(real, fs::perms(0600));
            fs::create_symlink("sub/target.zel", path);
        } else if (setup == "folder") {
            fs::create_directory(path);
        }
        const std::string modeBefore = fs::exists(real) ? Mode(real) : "";
        int writes = 0;
        const BOOL saved = SaveFileReplacing(home + c.name, [&](const CString& temporary) {
            ++writes;
            WriteAll(temporary, "new");
            if (c.writerFails)
                throw CFileException(CFileException::diskFull);
            return TRUE;
        });
        EXPECT_EQ(saved != FALSE, c.saved);
        // Refused files are refused before anything is written.
        EXPECT_EQ(writes, setup == "readonly" || setup == "folder" ? 0 : 1);
        if (setup == "folder") {
            EXPECT_TRUE(fs::is_directory(path));
        } else {
            EXPECT_EQ(ReadAll(home + c.name), CString(c.saved ? "new" : "old"));
            if (!modeBefore.empty()) {
                EXPECT_EQ(Mode(real), modeBefore);
            }
        }
        if (setup == "link") {
            EXPECT_TRUE(fs::is_symlink(path));
        }
        EXPECT_FALSE(fs::exists(real + ".tmp~"));
    }
}
