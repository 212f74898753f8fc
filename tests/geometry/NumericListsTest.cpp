// Splitting at delimiters, sorted index lists and reference lookups.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "geometry/ElemRef.h"
#include "geometry/Numeric.h"
#include "platform/core/Arrays.h"

namespace {

std::vector<std::string> Entries(const CStringArray& a)
{
    std::vector<std::string> v;
    for (int i = 0; i < a.GetSize(); ++i) {
        v.push_back(a[i].GetString());
    }
    return v;
}

std::vector<std::string> Split(const char* text, const char* delimiters, const char* prefixes)
{
    CStringArray out;
    SplitTokens(CString(text), delimiters, prefixes, out);
    return Entries(out);
}

using Pieces = std::vector<std::string>;

} // namespace

TEST(NumericLists, SplitTokens)
{
    EXPECT_EQ(Split("+A, -B", ",", "+-"), (Pieces{"+", "A", "-", "B"}));
    EXPECT_EQ(Split("A，B", ",､，、", "+-"), (Pieces{"A", "B"}));    // full-width comma: two bytes
    EXPECT_EQ(Split("　x　、 y ", ",､，、", ""), (Pieces{"x", "y"}));
    EXPECT_EQ(Split(",,a,", ",", "+-"), (Pieces{"a"}));                // empty pieces are dropped
    EXPECT_EQ(Split("x, ++-", ",", "+-"), (Pieces{"x", "+", "+", "-"}));
    EXPECT_EQ(Split("+", ",", "+-"), (Pieces{"+"}));
    EXPECT_EQ(Split("", ",", "+-"), (Pieces{}));
    // A trail byte equal to a delimiter byte does not cut: "う" ends in 0xA4, the half-width "､".
    EXPECT_EQ(Split("いう､え", ",､，、", ""), (Pieces{"いう", "え"}));
    // Ten cuts at most: the eleventh piece keeps the last two commas.
    EXPECT_EQ(Split("a,b,c,d,e,f,g,h,i,j,k,l,m", ",", "+-"),
              (Pieces{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k,l,m"}));
    // Pieces are appended to what the list already holds.
    CStringArray out;
    out.Add(CString("old"));
    SplitTokens(CString("n"), ",", "", out);
    EXPECT_EQ(Entries(out), (Pieces{"old", "n"}));
}

TEST(NumericLists, SortedWordLists)
{
    struct Case {
        WORD v;
        int index;
        std::vector<WORD> after;
    } cases[] = {
        {5, 1, {2, 5}}, {3, 1, {2, 3, 5}}, {9, 2, {2, 5, 9}}, {0, 0, {0, 2, 5}},
        {0xFFFF, 2, {2, 5, 0xFFFF}},  // unsigned order
    };
    for (const Case& c : cases) {
        CWordArray list;
        list.Add(2);
        list.Add(5);
        EXPECT_EQ(InsertSortedWord(list, c.v), c.index) << c.v;
        EXPECT_EQ(list.Vector(), c.after) << c.v;
    }
    CWordArray empty;
    EXPECT_EQ(FindWord(empty, 0), -1);
    EXPECT_EQ(InsertSortedWord(empty, 7), 0);
    CWordArray list;
    for (WORD w : {2, 5, 5, 8}) {
        list.Add(w);
    }
    EXPECT_EQ(FindWord(list, 5), 1);
    EXPECT_EQ(FindWord(list, 8), 3);
    EXPECT_EQ(FindWord(list, 3), -1);
}

TEST(NumericLists, FindRefByBlockSlotIgnoresTheKind)
{
    CElemRef a, b, c;
    a.Init(4, 1, 2, 1, 0);
    b.Init(8, 3, 4, 1, 0);
    c.Init(16, 3, 4, 1, 0);
    CPtrArray refs;
    refs.Add(&a);
    refs.Add(nullptr);
    refs.Add(&b);
    refs.Add(&c);
    int index = 99;
    EXPECT_EQ(FindRefByBlockSlot(refs, 3, 4, index), &b);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(FindRefByBlockSlot(refs, 1, 4, index), nullptr);
    EXPECT_EQ(index, -1);
    CPtrArray none;
    index = 5;
    EXPECT_EQ(FindRefByBlockSlot(none, 0, 0, index), nullptr);
    EXPECT_EQ(index, -1);
}
