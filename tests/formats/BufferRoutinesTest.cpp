// Splitting, buffer fields, buffer lines and text files.
#include "formats/BufferRoutines.h"

#include "geometry/PointD.h"
#include "platform/core/Arrays.h"
#include "platform/core/File.h"
#include "platform/core/ProgramFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<CString> Items(const CStringArray& a)
{
    std::vector<CString> v;
    for (int i = 0; i < a.GetSize(); ++i)
        v.push_back(a.GetAt(i));
    return v;
}

} // namespace

TEST(SplitString, SeparatorsAndEmptyItems)
{
    struct Case {
        const char* text;
        char sep;
        std::vector<CString> want;
    } cases[] = {
        {"", ',', {""}},
        {"\t\ta\t\tb", '\t', {"a", "b"}},
        {"a,,b,", ',', {"a", "", "b", ""}},
        {"x/y", '/', {"x", "y"}},
        {"表/x", '\\', {"表/x"}},  // 95 5C: the trail byte is not a separator
    };
    for (const auto& c : cases) {
        CStringArray out;
        out.Add("stale");
        EXPECT_EQ(SplitString(c.text, c.sep, out), static_cast<int>(c.want.size())) << c.text;
        EXPECT_EQ(Items(out), c.want) << c.text;
    }
}

TEST(BufferWriters, SizePassThenStorePass)
{
    auto write = [](int capacity, BYTE* buffer) {
        int pos = 0;
        PutLine(capacity, buffer, CString("ab"), pos);
        PutText(capacity, buffer, CString("xyz"), pos);
        PutByte(capacity, buffer, 0x7F, pos);
        PutInt16(capacity, buffer, -2, pos);
        PutInt32(capacity, buffer, 0x01020304, pos);
        PutDouble(capacity, buffer, 1.5, pos);
        CPointD p;
        p.Init(2.0, -3.0);
        PutPoint(capacity, buffer, p, pos);
        return pos;
    };
    int size = write(0, nullptr);
    EXPECT_EQ(size, 4 + 3 + 1 + 2 + 4 + 8 + 16);
    // A buffer of exactly the measured size holds everything.
    std::vector<BYTE> buf(static_cast<size_t>(size), 0xEE);
    EXPECT_EQ(write(size, buf.data()), size);
    const std::vector<BYTE> head = {'a', 'b', '\r', '\n', 'x', 'y', 'z', 0x7F, 0xFE, 0xFF, 0x04, 0x03, 0x02, 0x01};
    EXPECT_EQ(std::vector<BYTE>(buf.begin(), buf.begin() + 14), head);
    int pos = 14;
    int len = size;
    EXPECT_EQ(GetDouble(buf.data(), len, pos), 1.5);
    EXPECT_EQ(GetDouble(buf.data(), len, pos), 2.0);
    EXPECT_EQ(GetDouble(buf.data(), len, pos), -3.0);
    EXPECT_EQ(pos, len);

    PatchInt16(size, buf.data(), 0x1234, 8);
    pos = 8;
    EXPECT_EQ(GetInt16(buf.data(), len, pos), 0x1234);

    // An empty line is CR LF; a write that does not fit stores nothing but still counts.
    std::vector<BYTE> small(3, 0);
    pos = 0;
    PutLine(3, small.data(), CString(""), pos);
    EXPECT_EQ(pos, 2);
    PutInt16(3, small.data(), 0x4142, pos);
    EXPECT_EQ(pos, 4);
    EXPECT_EQ(small[2], 0);
}

TEST(BufferReaders, ReadsPastTheEndAreFlaggedNotPerformed)
{
    const BYTE data[] = {1, 2, 3};
    int pos = 0;
    EXPECT_EQ(GetInt16(data, 3, pos), 0x0201);
    EXPECT_EQ(GetInt32(data, 3, pos), 0);
    EXPECT_GT(pos, 3);
    pos = 0;
    EXPECT_EQ(GetText(data, 3, pos, 5), CString());
    EXPECT_GT(pos, 3);
    pos = 1;
    BYTE out[2] = {9, 9};
    GetBytes(data, 3, pos, out, 2);
    EXPECT_EQ(out[1], 3);
    GetBytes(data, 3, pos, out, 0);
    EXPECT_EQ(pos, 3);
}

TEST(ReadBufferLine, LinesEndsAndLongLines)
{
    const BYTE data[] = {'A', 'B', '\r', '\n', 'C', 'D'};
    int pos = 0;
    char line[1024];
    EXPECT_EQ(ReadBufferLine(data, 6, pos, line), 1);
    EXPECT_STREQ(line, "AB");
    EXPECT_EQ(pos, 4);
    EXPECT_EQ(ReadBufferLine(data, 6, pos, line), 0);
    EXPECT_STREQ(line, "CD");
    EXPECT_EQ(pos, 8);

    std::vector<BYTE> longLine(1500, 'x');
    pos = 0;
    CString s;
    EXPECT_EQ(ReadBufferLineString(longLine.data(), 1500, pos, s), 0);
    EXPECT_EQ(s.GetLength(), 1023);
    EXPECT_EQ(pos, 1025);

    char buf[8] = "ab";
    AppendLineFeed(buf);
    EXPECT_STREQ(buf, "ab\n");
}

TEST(TextFileLines, WriteCutsLongLinesAndReadAppends)
{
    CString path = ProgramFolder() + "lines.txt";
    CStringArray lines;
    lines.Add(CString('x', 2000));
    lines.Add("表示");
    lines.Add("");
    ASSERT_EQ(WriteTextFileLines(lines, path), 1);

    CStringArray back;
    back.Add("kept");
    ASSERT_EQ(ReadTextFileLines(back, path), 1);
    ASSERT_EQ(back.GetSize(), 4);
    EXPECT_EQ(back.GetAt(0), CString("kept"));
    EXPECT_EQ(back.GetAt(1).GetLength(), 1022);
    EXPECT_EQ(back.GetAt(2), CString("表示"));
    EXPECT_EQ(back.GetAt(3), CString(""));

    // On disk every line ends in CR LF.
    CStringArray two;
    two.Add("a");
    two.Add("");
    ASSERT_EQ(WriteTextFileLines(two, path), 1);
    CFile raw(path, CFile::modeRead);
    char bytes[16] = {};
    EXPECT_EQ(raw.Read(bytes, sizeof bytes), 5u);
    EXPECT_EQ(std::string(bytes, 5), std::string("a\r\n\r\n"));
    raw.Close();

    CStringArray none;
    EXPECT_EQ(ReadTextFileLines(none, ProgramFolder() + "missing.txt"), 0);
    EXPECT_EQ(WriteTextFileLines(lines, ProgramFolder() + "no\\such\\folder\\x.txt"), 0);
}
