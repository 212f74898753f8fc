// CString keeps the framework's byte semantics on Shift-JIS text.
#include "platform/core/String.h"

#include <gtest/gtest.h>

TEST(CString, CaseChangesTouchSingleByteLettersOnly)
{
    CString s("abc\x82\x81z");  // "ａ" is 82 81
    s.MakeUpper();
    EXPECT_EQ(s, CString("ABC\x82\x81Z"));
    s.MakeLower();
    EXPECT_EQ(s, CString("abc\x82\x81z"));
    EXPECT_EQ(CString("Abc").CompareNoCase("aBC"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("abd"), 0);
    EXPECT_NE(CString("\x82\x81").CompareNoCase("\x82\x60"), 0);  // ａ and Ａ stay different
}

TEST(CString, SearchesNeverMatchATrailByte)
{
    // "表" is 95 5C: its second byte is a backslash.
    CString path("C:\\表\\x");
    EXPECT_EQ(path.Find('\\'), 2);
    EXPECT_EQ(path.Find('\\', 3), 5);
    EXPECT_EQ(path.ReverseFind('\\'), 5);
    EXPECT_EQ(CString("表").Find('\\'), -1);
    EXPECT_EQ(CString("表x").FindOneOf("\\x"), 2);
    EXPECT_EQ(CString("表\\").Find("\\"), 2);
    EXPECT_EQ(CString("表").Find("\\"), -1);
    EXPECT_EQ(CString("表\\y").Find("\\y", 1), 2);
    EXPECT_EQ(CString("ab").Find("abc"), -1);
    EXPECT_EQ(CString("ab").Find("b", 2), -1);
    EXPECT_EQ(CString("ab").Find("", 2), 2);
    CString r("表\\");
    EXPECT_EQ(r.Replace('\\', '/'), 1);
    EXPECT_EQ(r, CString("表/"));
    CString t("表 ");
    t.TrimRight();
    EXPECT_EQ(t, CString("表"));
}

TEST(CString, ExtractionClampsLikeTheFramework)
{
    CString s("abcdef");
    struct Case {
        CString got;
        const char* want;
    } cases[] = {
        {s.Mid(2), "cdef"},      {s.Mid(2, 2), "cd"},   {s.Mid(-1, 2), "ab"}, {s.Mid(4, 10), "ef"},
        {s.Mid(10), ""},         {s.Mid(1, -3), ""},    {s.Left(3), "abc"},   {s.Left(-1), ""},
        {s.Left(99), "abcdef"},  {s.Right(2), "ef"},    {s.Right(99), "abcdef"},
        {s.SpanIncluding("abc"), "abc"}, {s.SpanExcluding("d"), "abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, CString(c.want)) << c.want;
    EXPECT_EQ(s.Find('z'), -1);
    EXPECT_EQ(s.Find("cd", 3), -1);
    EXPECT_EQ(s.Find('a', 6), -1);
}

TEST(CString, EditingOperations)
{
    CString s("  a b  ");
    s.TrimLeft();
    EXPECT_EQ(s, CString("a b  "));
    s.TrimRight();
    EXPECT_EQ(s, CString("a b"));
    EXPECT_EQ(s.Remove(' '), 1);
    EXPECT_EQ(s.Insert(1, "XY"), 4);
    EXPECT_EQ(s, CString("aXYb"));
    EXPECT_EQ(s.Delete(1, 2), 2);
    EXPECT_EQ(s, CString("ab"));
    EXPECT_EQ(s.Delete(5), 2);
    CString r("a--b--c");
    EXPECT_EQ(r.Replace("--", "+"), 2);
    EXPECT_EQ(r, CString("a+b+c"));
    CString x("xxaxx");
    x.TrimLeft('x');
    x.TrimRight("x");
    EXPECT_EQ(x, CString("a"));
    CString rev("a表b");
    rev.MakeReverse();
    EXPECT_EQ(rev, CString("b表a"));
}

TEST(CString, FormatAcceptsStringsDirectly)
{
    CString name("ABC");
    CString s;
    s.Format("%s=%d,%.2f,%c", name, 42, 1.5, 'z');
    EXPECT_EQ(s, CString("ABC=42,1.50,z"));
    s.AppendFormat("[%s]", "x");
    EXPECT_EQ(s, CString("ABC=42,1.50,z[x]"));
}

TEST(CString, BufferAccessAndCutting)
{
    CString s;
    char* p = s.GetBuffer(10);
    p[0] = 'h';
    p[1] = 'i';
    p[2] = '\0';
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 2);
    // Cutting "あい" (4 bytes) at 3 keeps one whole character.
    CString jp("あい");
    EXPECT_EQ(MbSafeCutLength(jp, jp.GetLength(), 3), 2);
    EXPECT_EQ(MbSafeCutLength(jp, jp.GetLength(), 4), 4);
    EXPECT_TRUE(_ismbblead(0x81));
    EXPECT_TRUE(_ismbblead(0xE0));
    EXPECT_FALSE(_ismbblead(0xA0));
    EXPECT_FALSE(_ismbblead(0x5C));
}

TEST(CString, IndexingWithAnyIntegerType)
{
    CString s("xyz");
    size_t i = 1;
    unsigned u = 2;
    EXPECT_EQ(s[0], 'x');
    EXPECT_EQ(s[i], 'y');
    EXPECT_EQ(s[u], 'z');
    const char* p = s;
    EXPECT_EQ(p[1], 'y');
}
