// Block memory: regions of 32 MB at 2 MB boundaries, advised to be backed by large pages, cut
// front to back into blocks; a freed block goes on its region's list for its size, and a region
// whose last block is freed is given back whole.
#include "platform/core/BlockMemory.h"

#include <sys/mman.h>

#include <cstdint>
#include <mutex>
#include <new>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kLargePage = std::size_t{2} << 20;
constexpr std::size_t kRegionSize = std::size_t{32} << 20;
// Larger objects gain nothing from sharing a region: they come from the ordinary heap.
constexpr std::size_t kLargestBlock = kRegionSize / 16;
constexpr std::size_t kAlignment = 64;

std::size_t Rounded(std::size_t size)
{
    return (size + kAlignment - 1) & ~(kAlignment - 1);
}

std::size_t LargePages(std::size_t size)
{
    return (size + kLargePage - 1) & ~(kLargePage - 1);
}

// LargePages(size) bytes at a large-page boundary, advised for large pages; nullptr when the
// system refuses.
void* MapLargePages(std::size_t bytes)
{
    const std::size_t size = LargePages(bytes);
    const std::size_t length = size + kLargePage;
    void* mapped = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + kLargePage - 1) & ~(kLargePage - 1);
    if (aligned > start)
        munmap(mapped, aligned - start);
    const std::uintptr_t end = start + length;
    if (end > aligned + size)
        munmap(reinterpret_cast<void*>(aligned + size), end - (aligned + size));
    void* region = reinterpret_cast<void*>(aligned);
    // Only advice: without large pages the memory works the same.
    madvise(region, size, MADV_HUGEPAGE);
    return region;
}

struct FreeList {
    std::size_t size;
    void* head;
};

struct Region {
    unsigned char* base;
    std::size_t used = 0;
    std::size_t live = 0;
    std::vector<FreeList> free;

    bool Holds(const void* p) const
    {
        const auto* b = static_cast<const unsigned char*>(p);
        return b >= base && b < base + kRegionSize;
    }
    void* Pop(std::size_t size)
    {
        for (FreeList& list : free) {
            if (list.size == size && list.head) {
                void* p = list.head;
                list.head = *static_cast<void**>(p);
                return p;
            }
        }
        return nullptr;
    }
    void Push(void* p, std::size_t size)
    {
        for (FreeList& list : free) {
            if (list.size == size) {
                *static_cast<void**>(p) = list.head;
                list.head = p;
                return;
            }
        }
        *static_cast<void**>(p) = nullptr;
        free.push_back(FreeList{size, p});
    }
};

struct Regions {
    std::mutex lock;
    std::vector<Region> all;
};

Regions& TheRegions()
{
    // Never destroyed: blocks of objects that outlive the statics are still given back safely.
    static Regions* regions = new Regions;
    return *regions;
}

}  // namespace

void* AllocateBlockMemory(std::size_t size)
{
    const std::size_t rounded = Rounded(size == 0 ? 1 : size);
    if (rounded > kLargestBlock)
        return ::operator new(size);
    Regions& r = TheRegions();
    std::lock_guard<std::mutex> guard(r.lock);
    for (Region& region : r.all) {
        if (void* p = region.Pop(rounded)) {
            ++region.live;
            return p;
        }
    }
    if (r.all.empty() || r.all.back().used + rounded > kRegionSize) {
        void* base = MapLargePages(kRegionSize);
        if (!base)
            throw std::bad_alloc();
        r.all.push_back(Region{static_cast<unsigned char*>(base), 0, 0, {}});
    }
    Region& last = r.all.back();
    void* p = last.base + last.used;
    last.used += rounded;
    ++last.live;
    return p;
}

void FreeBlockMemory(void* memory, std::size_t size) noexcept
{
    if (!memory)
        return;
    const std::size_t rounded = Rounded(size == 0 ? 1 : size);
    if (rounded > kLargestBlock) {
        ::operator delete(memory);
        return;
    }
    Regions& r = TheRegions();
    std::lock_guard<std::mutex> guard(r.lock);
    for (auto it = r.all.begin(); it != r.all.end(); ++it) {
        if (!it->Holds(memory))
            continue;
        if (--it->live == 0) {
            munmap(it->base, kRegionSize);
            r.all.erase(it);
        } else {
            it->Push(memory, rounded);
        }
        return;
    }
}

std::size_t BlockMemoryReserved() noexcept
{
    Regions& r = TheRegions();
    std::lock_guard<std::mutex> guard(r.lock);
    return r.all.size() * kRegionSize;
}

CLargeBuffer::CLargeBuffer(std::size_t size) : m_size(size)
{
    if (size >= kLargePage) {
        m_data = static_cast<unsigned char*>(MapLargePages(size));
        m_mapped = m_data != nullptr;
    }
    if (!m_data)
        m_data = new unsigned char[size == 0 ? 1 : size];
}

CLargeBuffer::~CLargeBuffer() { Release(); }

CLargeBuffer::CLargeBuffer(CLargeBuffer&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)),
      m_mapped(std::exchange(other.m_mapped, false))
{
}

CLargeBuffer& CLargeBuffer::operator=(CLargeBuffer&& other) noexcept
{
    if (this != &other) {
        Release();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_mapped = std::exchange(other.m_mapped, false);
    }
    return *this;
}

void CLargeBuffer::Release() noexcept
{
    if (m_mapped)
        munmap(m_data, LargePages(m_size));
    else
        delete[] m_data;
    m_data = nullptr;
    m_size = 0;
    m_mapped = false;
}
