// Chains of element keys: cutting them from either end.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "input/ElemKey.h"

namespace {

// A chain of keys whose indexes are 0 .. n-1; the items listed in nulls are left empty.
void Fill(COwnedPtrArray& a, int n, std::vector<int> nulls = {})
{
    for (int i = 0; i < n; ++i) {
        CElemKey* k = nullptr;
        if (std::find(nulls.begin(), nulls.end(), i) == nulls.end()) {
            k = new CElemKey;
            k->Set(4, static_cast<std::int16_t>(i), 0);
        }
        a.Add(k);
    }
}

std::vector<int> Indexes(const COwnedPtrArray& a)
{
    std::vector<int> v;
    for (int i = 0; i < a.GetSize(); ++i)
        v.push_back(a.KeyAt(i) ? a.KeyAt(i)->index : -1);
    return v;
}

TEST(OwnedPtrArrayTest, TruncatingFromEitherEnd)
{
    const struct {
        const char* name;
        int from;  // -2: not called
        int upTo;
        std::vector<int> left;
    } cases[] = {
        {"from the count", 4, -2, {0, 1, 2, 3}},
        {"from 0", 0, -2, {}},
        {"from 2", 2, -2, {0, 1}},
        {"from a negative index", -1, -2, {0, 1, 2, 3}},
        {"up to the last", -2, 3, {}},
        {"up to 1", -2, 1, {2, 3}},
        {"up to a negative index", -2, -1, {0, 1, 2, 3}},
        {"up to past the last", -2, 9, {}},
        {"between 0 and 3", 3, 0, {1, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        COwnedPtrArray a;
        Fill(a, 4);
        if (c.from != -2)
            a.TruncateFrom(c.from);
        if (c.upTo != -2)
            a.TruncateUpTo(c.upTo);
        EXPECT_EQ(Indexes(a), c.left);
    }
}

TEST(OwnedPtrArrayTest, NullItemsAreSkippedButTheirSlotsRemoved)
{
    COwnedPtrArray a;
    Fill(a, 5, {1, 3});
    a.TruncateFrom(3);
    EXPECT_EQ(Indexes(a), (std::vector<int>{0, -1, 2}));
    a.TruncateUpTo(1);
    EXPECT_EQ(Indexes(a), (std::vector<int>{2}));
}

TEST(ElemKeyTest, SetAndAssign)
{
    CElemKey a;
    EXPECT_EQ(a.kind, 0);
    EXPECT_EQ(a.index, 0);
    EXPECT_EQ(a.flag, 0);
    a.Set(16, 7, 1);
    CElemKey b;
    b.Assign(a);
    EXPECT_EQ(b.kind, 16);
    EXPECT_EQ(b.index, 7);
    EXPECT_EQ(b.flag, 1);
}

}  // namespace
