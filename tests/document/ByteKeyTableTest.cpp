// The table of values by byte keys the font lookups of an import use.
#include "document/ByteKeyHash.h"

#include <gtest/gtest.h>

namespace {

using Key = std::array<char, 13>;

Key KeyOf(int n, char last)
{
    Key k{};
    std::memcpy(k.data(), &n, sizeof n);
    k[12] = last;
    return k;
}

}  // namespace

TEST(ByteKeyTable, FindsEveryKeyItHoldsThroughItsGrowthAndNoOther)
{
    ByteKeyTable<13, int> table;
    EXPECT_EQ(table.Find(KeyOf(1, 'a')), nullptr);
    // Keys that differ only in their last byte (past the last whole word) too.
    for (int i = 0; i < 5000; ++i)
        table.Add(KeyOf(i, 'a'), 2 * i);
    for (int i = 0; i < 5000; i += 2)
        table.Add(KeyOf(i, 'b'), -i);
    EXPECT_EQ(table.Size(), 7500u);
    for (int i = 0; i < 5000; ++i) {
        const int* a = table.Find(KeyOf(i, 'a'));
        ASSERT_NE(a, nullptr) << i;
        EXPECT_EQ(*a, 2 * i);
        const int* b = table.Find(KeyOf(i, 'b'));
        if (i % 2 == 0) {
            ASSERT_NE(b, nullptr) << i;
            EXPECT_EQ(*b, -i);
        } else {
            EXPECT_EQ(b, nullptr) << i;
        }
    }
    EXPECT_EQ(table.Find(KeyOf(5000, 'a')), nullptr);
    EXPECT_EQ(table.Find(KeyOf(-1, 'a')), nullptr);
}
