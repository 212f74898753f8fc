// Memory for the drawing's element blocks and for whole files held in memory. A drawing of a
// million elements takes about a hundred megabytes of blocks, and a fresh page of memory costs
// more than the work done on it: both come from regions the system is asked to back with large
// pages, so they are touched in 2 MB steps instead of 4 KB ones.
#pragma once

#include <cstddef>

// Memory for one block object of size bytes; blocks of the same size reuse each other's memory.
// Throws std::bad_alloc when none is left.
void* AllocateBlockMemory(std::size_t size);
// Gives back memory AllocateBlockMemory returned for the same size. A region left without
// blocks goes back to the system.
void FreeBlockMemory(void* memory, std::size_t size) noexcept;

// Bytes the block regions hold from the system now (for tests and measurements).
std::size_t BlockMemoryReserved() noexcept;

// A class whose objects live in block memory declares this in its public part.
#define ZELK_BLOCK_MEMORY                                                                          \
    static void* operator new(std::size_t size) { return AllocateBlockMemory(size); }              \
    static void operator delete(void* memory, std::size_t size) noexcept                          \
    {                                                                                              \
        FreeBlockMemory(memory, size);                                                             \
    }

// A byte buffer of a fixed length whose contents start undefined: the whole of a file read or
// about to be written. Large ones come straight from the system in large pages.
class CLargeBuffer {
public:
    CLargeBuffer() = default;
    // Throws std::bad_alloc when the memory is not there.
    explicit CLargeBuffer(std::size_t size);
    ~CLargeBuffer();
    CLargeBuffer(CLargeBuffer&& other) noexcept;
    CLargeBuffer& operator=(CLargeBuffer&& other) noexcept;
    CLargeBuffer(const CLargeBuffer&) = delete;
    CLargeBuffer& operator=(const CLargeBuffer&) = delete;

    unsigned char* data() { return m_data; }
    const unsigned char* data() const { return m_data; }
    std::size_t size() const { return m_size; }

private:
    void Release() noexcept;

    unsigned char* m_data = nullptr;
    std::size_t m_size = 0;
    bool m_mapped = false;
};
