// Keys held as a fixed number of bytes, hashed eight bytes at a time, and a table of values by
// such keys: the side tables of fonts are asked with them for every text an import adds.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

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

// Values by keys of N bytes, in one array of slots open to probing (a power of two, at most half
// full) beside the keys in the order they came: a key not held is told by the slots alone, most
// often from the one its hash points at.
template <std::size_t N, class Value>
class ByteKeyTable {
public:
    using Key = std::array<char, N>;

    // The value of key, or nullptr.
    const Value* Find(const Key& key) const
    {
        if (m_slots.empty())
            return nullptr;
        const std::uint64_t h = ByteKeyHash<N>()(key);
        for (std::size_t i = h & m_mask;; i = (i + 1) & m_mask) {
            const Slot& s = m_slots[i];
            if (s.entry < 0)
                return nullptr;
            if (s.hash == h && m_entries[static_cast<std::size_t>(s.entry)].first == key)
                return &m_entries[static_cast<std::size_t>(s.entry)].second;
        }
    }

    // Adds key with value; key must not be held yet.
    void Add(const Key& key, const Value& value)
    {
        if (2 * (m_entries.size() + 1) > m_slots.size())
            Grow();
        m_entries.emplace_back(key, value);
        Place(ByteKeyHash<N>()(key), static_cast<std::int32_t>(m_entries.size() - 1));
    }

    std::size_t Size() const { return m_entries.size(); }

private:
    struct Slot {
        std::uint64_t hash = 0;
        std::int32_t entry = -1;
    };

    void Place(std::uint64_t h, std::int32_t entry)
    {
        std::size_t i = h & m_mask;
        while (m_slots[i].entry >= 0)
            i = (i + 1) & m_mask;
        m_slots[i] = Slot{h, entry};
    }

    void Grow()
    {
        const std::size_t size = m_slots.empty() ? 64 : 2 * m_slots.size();
        m_slots.assign(size, Slot{});
        m_mask = size - 1;
        for (std::size_t e = 0; e < m_entries.size(); ++e)
            Place(ByteKeyHash<N>()(m_entries[e].first), static_cast<std::int32_t>(e));
    }

    std::vector<Slot> m_slots;
    std::size_t m_mask = 0;
    std::vector<std::pair<Key, Value>> m_entries;
};
