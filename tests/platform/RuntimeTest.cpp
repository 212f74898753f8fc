// The C runtime forms: _gcvt's exact text, atof/atoi parsing, double-byte-aware path splitting,
// and the folder, file-finding and environment-search functions on a fresh program folder.
#include "platform/core/Runtime.h"
#include "platform/core/File.h"
#include "platform/core/ProgramFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>

TEST(Runtime, GcvtMatchesTheWindowsRuntime)
{
    struct Case {
        double value;
        int digits;
        const char* text;
    };
    const Case cases[] = {
        {100.0, 15, "100."},
        {0.5, 15, "0.5"},
        {0.0, 15, "0."},
        {-0.0, 15, "-0."},
        {1.0 / 3.0, 15, "0.333333333333333"},
        {2.0 / 3.0, 15, "0.666666666666667"},
        {0.1, 15, "0.1"},
        {0.05, 15, "5.e-002"},
        {0.01, 15, "1.e-002"},
        {1e-5, 15, "1.e-005"},
        {-2.5e-7, 15, "-2.5e-007"},
        {1e15, 15, "1.e+015"},
        {1e300, 15, "1.e+300"},
        {123456789012345.0, 15, "123456789012345"},
        {1234567890123456.0, 15, "1.23456789012346e+015"},
        {12.5, 15, "12.5"},
        {-1234567890.123, 12, "-1234567890.12"},
        {-12345678901.23, 12, "-12345678901.2"},
        {-123456789012.3, 12, "-123456789012"}, // no decimals left: no point
        {-314150.0, 7, "-314150."},
        {-1234567890123.0, 12, "-1.23456789012e+012"},
        {568195772.0, 8, "5.6819577e+008"},
        {12340000000000000.0, 15, "1.234e+016"},
        {12340000000000000.0, 17, "12340000000000000"},
        {-1232.0, 8, "-1232."},
        {1234.1234, 7, "1234.123"},
        // Ties in the digit string round up, unlike the C library's printf here.
        {0.125, 2, "0.13"},
        {2.5, 1, "3"},
        // A carry that adds a digit.
        {999999999999999.9, 15, "1000000000000000"},
        {9.9999999999999999e20, 15, "1.e+021"},
        {0.05, 1, "5e-002"},
    };
    for (const Case& c : cases) {
        char buf[_CVTBUFSIZE];
        EXPECT_STREQ(_gcvt(c.value, c.digits, buf), c.text) << c.value << " with " << c.digits;
    }
}

TEST(Runtime, AtofAndAtoi)
{
    struct Case {
        const char* text;
        double value;
        int integer;
    };
    const Case cases[] = {
        {"  12.5abc", 12.5, 12},
        {"\t-3", -3.0, -3},
        {"+7e2", 700.0, 7},
        {"1.5D3", 1500.0, 1},
        {"2e", 2.0, 2},
        {"2e+", 2.0, 2},
        {".25", 0.25, 0},
        {"-.5", -0.5, 0},
        {"5.", 5.0, 5},
        {"abc", 0.0, 0},
        {"", 0.0, 0},
        {".", 0.0, 0},
        {"inf", 0.0, 0},
        {"nan", 0.0, 0},
        {"0x10", 0.0, 0},
        {"1e400", HUGE_VAL, 1},
        {"1e-400", 0.0, 1},
        {"4294967297", 4294967297.0, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CrtAtof(c.text), c.value) << '"' << c.text << '"';
        EXPECT_EQ(CrtAtoi(c.text), c.integer) << '"' << c.text << '"';
    }
}

TEST(Runtime, SplitpathStepsOverDoubleByteCharacters)
{
    struct Case {
        const char* path;
        const char* drive;
        const char* dir;
        const char* fname;
        const char* ext;
    };
    const Case cases[] = {
        {"C:\\data\\plan.zel", "C:", "\\data\\", "plan", ".zel"},
        {"\\work\\表\\ソ.txt", "", "\\work\\表\\", "ソ", ".txt"},
        // 表 is 0x95 0x5C: its second byte must not split the name.
        {"表.zel", "", "", "表", ".zel"},
        {"a\\表", "", "a\\", "表", ""},
        {"dir.x\\name", "", "dir.x\\", "name", ""},
        {"a/b.c.d", "", "a/", "b.c", ".d"},
        {"noext", "", "", "noext", ""},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
        _splitpath(c.path, drive, dir, fname, ext);
        EXPECT_STREQ(drive, c.drive) << c.path;
        EXPECT_STREQ(dir, c.dir) << c.path;
        EXPECT_STREQ(fname, c.fname) << c.path;
        EXPECT_STREQ(ext, c.ext) << c.path;
    }
    // A lead byte at the very end does not run past the terminator.
    char fname[_MAX_FNAME], ext[_MAX_EXT];
    _splitpath("ab\x95", nullptr, nullptr, fname, ext);
    EXPECT_STREQ(fname, "ab\x95");
}

TEST(Runtime, MakepathAddsMissingSeparatorsLeadByteAware)
{
    struct Case {
        const char* drive;
        const char* dir;
        const char* fname;
        const char* ext;
        const char* path;
    };
    const Case cases[] = {
        {"C", "\\data", "plan", "zel", "C:\\data\\plan.zel"},
        {"", "\\data\\", "plan", ".zel", "\\data\\plan.zel"},
        {nullptr, "表", "x", nullptr, "表\\x"},
        {nullptr, "a/", "x", "", "a/x"},
        {nullptr, nullptr, "x", "txt", "x.txt"},
    };
    for (const Case& c : cases) {
        char path[_MAX_PATH];
        _makepath(path, c.drive, c.dir, c.fname, c.ext);
        EXPECT_STREQ(path, c.path);
    }
}

TEST(Runtime, FoldersFilesAndFinding)
{
    CString home = ProgramFolder();
    CString folder = home + "作業";
    EXPECT_EQ(_access(folder, 0), -1);
    ASSERT_EQ(_mkdir(folder), 0);
    EXPECT_EQ(_mkdir(folder), -1);
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(_access(folder, 0), 0);

    for (const char* name : {"Recov1.zel", "recov2.ZEL", "Recov3.001", "表.zel", "other.txt"}) {
        CFile f(folder + "\\" + name, CFile::modeCreate | CFile::modeWrite);
        f.Write("x", 1);
    }
    auto find = [&](const char* pattern) {
        std::set<std::string> names;
        _finddata_t fd;
        std::intptr_t h = _findfirst(folder + "\\" + pattern, &fd);
        if (h == -1)
            return names;
        do
            names.insert(fd.name);
        while (_findnext(h, &fd) == 0);
        _findclose(h);
        return names;
    };
    EXPECT_EQ(find("*.zel"), (std::set<std::string>{"Recov1.zel", "recov2.ZEL", "表.zel"}));
    EXPECT_EQ(find("recov?.*"), (std::set<std::string>{"Recov1.zel", "recov2.ZEL", "Recov3.001"}));
    EXPECT_EQ(find("?.zel"), (std::set<std::string>{"表.zel"}));
    EXPECT_TRUE(find("*.dxf").empty());

    // The environment search looks in the current folder, then in each listed folder.
    ASSERT_EQ(_putenv(CString("ZELKTESTPATH=\\nowhere;") + folder), 0);
    char found[_MAX_PATH];
    _searchenv("Recov1.zel", "ZELKTESTPATH", found);
    EXPECT_EQ(CString(found), folder + "\\Recov1.zel");
    _searchenv("Recov9.zel", "ZELKTESTPATH", found);
    EXPECT_STREQ(found, "");
    _putenv("ZELKTESTPATH=");
    EXPECT_EQ(std::getenv("ZELKTESTPATH"), nullptr);

    EXPECT_EQ(CrtRename(folder + "\\other.txt", folder + "\\Recov1.zel"), -1);
    EXPECT_EQ(CrtRename(folder + "\\other.txt", folder + "\\moved.txt"), 0);
    EXPECT_EQ(CrtRemove(folder + "\\moved.txt"), 0);
    EXPECT_EQ(_access(folder + "\\moved.txt", 0), -1);
}

TEST(Runtime, FullpathResolvesDotsAndGetcwdIsProgramForm)
{
    char buf[_MAX_PATH];
    EXPECT_STREQ(_fullpath(buf, "\\a\\b\\..\\c\\.\\d.txt", sizeof buf), "\\a\\c\\d.txt");
    EXPECT_STREQ(_fullpath(buf, "\\表\\x", sizeof buf), "\\表\\x");
    char cwd[_MAX_PATH];
    ASSERT_NE(_getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(cwd[0], '\\');
    EXPECT_EQ(_getcwd(cwd, 2), nullptr);
    EXPECT_EQ(std::string(_fullpath(buf, "x", sizeof buf)), std::string(cwd) + "\\x");
}

TEST(Runtime, CaseInsensitiveComparisons)
{
    EXPECT_EQ(_mbsicmp(reinterpret_cast<const unsigned char*>("Layer"), reinterpret_cast<const unsigned char*>("LAYER")), 0);
    EXPECT_NE(_mbsicmp(reinterpret_cast<const unsigned char*>("ａ"), reinterpret_cast<const unsigned char*>("Ａ")), 0);
    EXPECT_LT(_stricmp("abc", "ABD"), 0);
    EXPECT_EQ(_stricmp("ZeLk", "zelk"), 0);
}
