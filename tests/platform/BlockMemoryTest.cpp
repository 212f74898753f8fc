// Block memory and large buffers: every block its own bytes, freed memory reused by its size,
// regions given back when empty.
#include "platform/core/BlockMemory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace {

struct Held {
    unsigned char* p;
    std::size_t size;
};

}  // namespace

// Blocks of several sizes, more of them than one region holds: none overlaps another, each keeps
// what was written into it while the others are freed and taken again, and the regions go back
// when the last block is freed.
TEST(BlockMemory, BlocksAreDisjointKeepTheirBytesAndRegionsGoBackWhenEmpty)
{
    const std::size_t reservedBefore = BlockMemoryReserved();
    const std::size_t sizes[] = {9616, 12000, 40, 4392, 60000};
    std::vector<Held> held;
    for (int i = 0; i < 2500; ++i) {
        const std::size_t size = sizes[static_cast<size_t>(i) % std::size(sizes)];
        auto* p = static_cast<unsigned char*>(AllocateBlockMemory(size));
        std::memset(p, i & 0xFF, size);
        held.push_back({p, size});
    }
    EXPECT_GT(BlockMemoryReserved(), reservedBefore + (std::size_t{32} << 20));

    // Every other block freed and taken again by the same size: the freed memory is reused, so
    // no new region is needed.
    const std::size_t reservedFull = BlockMemoryReserved();
    for (size_t i = 0; i < held.size(); i += 2)
        FreeBlockMemory(held[i].p, held[i].size);
    for (size_t i = 0; i < held.size(); i += 2) {
        held[i].p = static_cast<unsigned char*>(AllocateBlockMemory(held[i].size));
        std::memset(held[i].p, static_cast<int>(i & 0xFF), held[i].size);
    }
    EXPECT_EQ(BlockMemoryReserved(), reservedFull);

    std::vector<Held> sorted = held;
    std::sort(sorted.begin(), sorted.end(), [](const Held& a, const Held& b) { return a.p < b.p; });
    for (size_t i = 1; i < sorted.size(); ++i)
        ASSERT_GE(sorted[i].p, sorted[i - 1].p + sorted[i - 1].size) << i;
    for (size_t i = 0; i < held.size(); ++i) {
        const unsigned char expected = static_cast<unsigned char>(i & 0xFF);
        ASSERT_EQ(held[i].p[0], expected) << i;
        ASSERT_EQ(held[i].p[held[i].size - 1], expected) << i;
    }

    for (const Held& h : held)
        FreeBlockMemory(h.p, h.size);
    EXPECT_EQ(BlockMemoryReserved(), reservedBefore);
}

TEST(BlockMemory, LargeBuffersOfEverySizeAreWritableAndMoveTheirBytes)
{
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{4097},
                             std::size_t{2} << 20, (std::size_t{5} << 20) + 3}) {
        CLargeBuffer buffer(size);
        ASSERT_EQ(buffer.size(), size);
        ASSERT_NE(buffer.data(), nullptr);
        if (size > 0) {
            std::memset(buffer.data(), 0x5A, size);
            buffer.data()[size - 1] = 0x11;
        }
        CLargeBuffer moved(std::move(buffer));
        EXPECT_EQ(buffer.size(), 0u);
        EXPECT_EQ(buffer.data(), nullptr);
        ASSERT_EQ(moved.size(), size);
        if (size > 0) {
            EXPECT_EQ(moved.data()[0], size == 1 ? 0x11 : 0x5A);
            EXPECT_EQ(moved.data()[size - 1], 0x11);
        }
        CLargeBuffer assigned;
        assigned = std::move(moved);
        EXPECT_EQ(assigned.size(), size);
        EXPECT_EQ(moved.data(), nullptr);
    }
}
