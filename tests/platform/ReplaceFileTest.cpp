// A finished file replaces an existing one in one step.
#include "platform/core/File.h"
#include "platform/core/ProgramFolder.h"
#include "platform/core/Runtime.h"

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
