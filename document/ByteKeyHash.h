// The hash of a key held as a fixed number of bytes, taken eight bytes at a time: the side
// tables of fonts are asked with such keys for every text an import adds.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

template <std::size_t N>
struct ByteKeyHash {
    std::size_t operator()(const std::array<char, N>& key) const
    {
        std::uint64_t h = N;
        const auto mix = [&h](std::uint64_t word) {
            h = (h ^ word) * 0x9E3779B97F4A7C15ull;
            h ^= h >> 29;
        };
        std::size_t i = 0;
        for (; i + 8 <= N; i += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, key.data() + i, 8);
            mix(word);
        }
        if (i < N) {
            std::uint64_t word = 0;
            std::memcpy(&word, key.data() + i, N - i);
            mix(word);
        }
        return static_cast<std::size_t>(h);
    }
};
