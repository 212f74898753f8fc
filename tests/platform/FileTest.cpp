// Files on a fresh program folder: text-mode line ends, Japanese names on disk, the memory file,
// open and seek failures, and the path mapping between the program and the file system.
#include "platform/core/File.h"
#include "platform/core/CodePage.h"
#include "platform/core/ProgramFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>

namespace {

std::string ReadRaw(const CString& programPath)
{
    std::ifstream in(FileSystemPath(programPath), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteRaw(const CString& programPath, const std::string& bytes)
{
    std::ofstream out(FileSystemPath(programPath), std::ios::binary);
    out << bytes;
}

} // namespace

TEST(File, ProgramFolderAndPathMapping)
{
    const char* home = std::getenv("ZELK_HOME");
    ASSERT_NE(home, nullptr);
    CString folder = ProgramFolder();
    EXPECT_EQ(folder, ProgramPath(home) + "\\");
    EXPECT_EQ(folder[0], '\\');
    EXPECT_EQ(FileSystemPath(folder + "Help\\表.htm"), std::string(home) + "/Help/" + "\xE8\xA1\xA8.htm");
    EXPECT_EQ(ProgramPath("/a/\xE8\xA1\xA8/b"), CString("\\a\\表\\b"));
    // A folder whose last character ends in the byte 0x5C still gets its own separator.
    setenv("ZELK_HOME", (std::string(home) + "/\xE8\xA1\xA8").c_str(), 1);
    EXPECT_EQ(ProgramFolder(), ProgramPath(home) + "\\表\\");
    setenv("ZELK_HOME", home, 1);
}

TEST(File, StdioTextModeWritesCrLfAndReadsBothLineEnds)
{
    CString path = ProgramFolder() + "行.txt";
    {
        CStdioFile f(path, CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        f.WriteString("一行目\n");
        f.WriteString("two\nthree");
        f.Close();
    }
    EXPECT_EQ(ReadRaw(path), std::string(CString("一行目\r\ntwo\r\nthree").Std()));
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::u8path(FileSystemPath(path))));

    WriteRaw(path, "a\r\nb\nc\r\r\n\nlast");
    CStdioFile f(path, CFile::modeRead | CFile::typeText);
    CString line;
    std::vector<std::string> lines;
    while (f.ReadString(line))
        lines.push_back(line.Std());
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c\r", "", "last"}));
    EXPECT_FALSE(f.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());
}

TEST(File, StdioTextModeStopsAtCtrlZAndBinaryKeepsBytes)
{
    CString path = ProgramFolder() + "z.txt";
    WriteRaw(path, "x\r\ny\x1Ahidden\r\n");
    {
        CStdioFile f(path, CFile::modeRead);
        char buf[64];
        UINT n = f.Read(buf, sizeof buf);
        EXPECT_EQ(std::string(buf, n), "x\ny");
    }
    {
        CStdioFile f(path, CFile::modeRead | CFile::typeBinary);
        CString line;
        ASSERT_TRUE(f.ReadString(line));
        EXPECT_EQ(line, CString("x\r"));
        char buf[8];
        EXPECT_STREQ(f.ReadString(buf, 4), "y\x1Ah");
    }
}

TEST(File, StdioAppendsWhenNotTruncating)
{
    CString path = ProgramFolder() + "add.txt";
    WriteRaw(path, "old\r\n");
    {
        CStdioFile f(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        f.WriteString("new\n");
    }
    EXPECT_EQ(ReadRaw(path), "old\r\nnew\r\n");
}

TEST(File, BinaryFileReadWriteSeek)
{
    CString path = ProgramFolder() + "data.bin";
    CFile f;
    ASSERT_TRUE(f.Open(path, CFile::modeCreate | CFile::modeReadWrite));
    f.Write("abcdef", 6);
    EXPECT_EQ(f.GetLength(), 6u);
    EXPECT_EQ(f.Seek(-2, CFile::end), 4);
    char buf[8];
    EXPECT_EQ(f.Read(buf, 8), 2u);
    EXPECT_EQ(std::string(buf, 2), "ef");
    EXPECT_EQ(f.Read(buf, 8), 0u);
    EXPECT_EQ(f.GetFilePath(), path);
    EXPECT_EQ(f.GetFileName(), CString("data.bin"));
    EXPECT_EQ(f.GetFileTitle(), CString("data"));
    try {
        f.Seek(-100, CFile::begin);
        ADD_FAILURE() << "seek before the start";
    } catch (CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::badSeek);
    }
    f.SetLength(3);
    EXPECT_EQ(f.GetLength(), 3u);
    f.Close();
    EXPECT_FALSE(f.IsOpen());

    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(path, status));
    EXPECT_EQ(status.m_size, 3);
    CFile::Rename(path, ProgramFolder() + "名前.bin");
    EXPECT_FALSE(CFile::GetStatus(path, status));
    CFile::Remove(ProgramFolder() + "名前.bin");
    EXPECT_THROW(CFile::Remove(ProgramFolder() + "名前.bin"), CFileException);
}

TEST(File, OpenFailuresReportTheCause)
{
    struct Case {
        CString path;
        UINT flags;
        int cause;
    };
    CString home = ProgramFolder();
    // Neither a FIFO without a writer nor a device holds the opening back: both are refused.
    ASSERT_EQ(mkfifo(FileSystemPath(home + "pipe.zel").c_str(), 0644), 0);
    const Case cases[] = {
        {home + "pipe.zel", CFile::modeRead, CFileException::accessDenied},
        {"\\dev\\null", CFile::modeRead, CFileException::accessDenied},
        {home + "missing.txt", CFile::modeRead, CFileException::fileNotFound},
        {home + "nofolder\\x.txt", CFile::modeCreate | CFile::modeWrite, CFileException::fileNotFound},
        {home, CFile::modeRead, CFileException::accessDenied},
        {"", CFile::modeRead, CFileException::badPath},
    };
    for (const Case& c : cases) {
        CFile f;
        CFileException e;
        EXPECT_FALSE(f.Open(c.path, c.flags, &e)) << c.path.GetString();
        EXPECT_EQ(e.m_cause, c.cause) << c.path.GetString();
    }
    try {
        CStdioFile f(home + "missing.txt", CFile::modeRead);
        ADD_FAILURE() << "constructor did not throw";
    } catch (CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
        EXPECT_EQ(e.m_strFileName, home + "missing.txt");
    }
}

TEST(File, LengthBeyondThirtyTwoBitsIsTheLargestNotWrapped)
{
    const CString path = ProgramFolder() + "large.bin";
    std::ofstream(FileSystemPath(path)).close();
    std::filesystem::resize_file(FileSystemPath(path), 0x100000010ull);  // sparse
    CFile f(path, CFile::modeRead);
    EXPECT_EQ(f.GetLength(), 0xFFFFFFFFu);
    CFileStatus status;
    ASSERT_TRUE(f.GetStatus(status));
    EXPECT_EQ(status.m_size, 0x7FFFFFFF);
}

TEST(File, MemFileGrowsInStepsAndDetaches)
{
    CMemFile mem(1024);
    std::string chunk(1500, 'q');
    mem.Write(chunk.data(), static_cast<UINT>(chunk.size()));
    EXPECT_EQ(mem.GetLength(), 1500u);
    mem.Seek(2000, CFile::begin);
    mem.Write("z", 1);
    EXPECT_EQ(mem.GetLength(), 2001u);
    mem.SeekToBegin();
    char buf[4];
    EXPECT_EQ(mem.Read(buf, 4), 4u);
    EXPECT_EQ(mem.GetPosition(), 4u);
    BYTE* block = mem.Detach();
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block[1499], 'q');
    EXPECT_EQ(block[1500], 0); // the gap left by the seek is zero
    EXPECT_EQ(block[2000], 'z');
    std::free(block);
    EXPECT_EQ(mem.GetLength(), 0u);

    // A fixed block reads as it is and refuses to grow.
    BYTE fixed[3] = {1, 2, 3};
    CMemFile view(fixed, 3);
    EXPECT_EQ(view.GetLength(), 3u);
    view.SeekToEnd();
    EXPECT_THROW(view.Write("x", 1), CFileException);
}

TEST(File, CodePageConversionReplacesWhatItCannotConvert)
{
    EXPECT_EQ(Cp932ToUtf8("表示"), "\xE8\xA1\xA8\xE7\xA4\xBA");
    EXPECT_EQ(Utf8ToCp932("\xE8\xA1\xA8\xE7\xA4\xBA"), std::string(CString("表示").Std()));
    EXPECT_EQ(Cp932ToUtf16("A表"), std::u16string(u"A\u8868"));
    EXPECT_EQ(Utf16ToCp932(u"A\u8868"), std::string(CString("A表").Std()));
    // A lone lead byte, a bad second byte, and characters code page 932 lacks.
    EXPECT_EQ(Cp932ToUtf8("a\x81"), "a\xEF\xBF\xBD");
    EXPECT_EQ(Cp932ToUtf8("\x81\x20x"), "\xEF\xBF\xBD x");
    EXPECT_EQ(Utf8ToCp932("\xF0\x9F\x98\x80!"), "?!");
    EXPECT_EQ(Utf8ToCp932("\xFFok"), "?ok");
    EXPECT_EQ(Utf16ToCp932(std::u16string(1, char16_t(0xD800)) + u"x"), "?x");
    // Half-width katakana stays one byte.
    EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8("\xB1")), "\xB1");
}
