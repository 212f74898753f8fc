// Seed and length of the seeded mutation runs. Left unset, every run uses its fixed seed and
// round count, so the regular test run stays the same; ZELK_FUZZ_SEED and
// ZELK_FUZZ_ROUNDS_FACTOR let a longer campaign explore other inputs without editing the tests.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstdio>

namespace fuzz_knobs {

inline unsigned long long EnvNumber(const char* name, unsigned long long fallback)
{
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0')
        return fallback;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (end == text || *end != '\0') {
        std::fprintf(stderr, "%s=%s is not a number; using %llu\n", name, text, fallback);
        return fallback;
    }
    return value;
}

// The run's own seed unless ZELK_FUZZ_SEED names another.
inline std::uint32_t Seed(std::uint32_t fixed)
{
    return static_cast<std::uint32_t>(EnvNumber("ZELK_FUZZ_SEED", fixed));
}

// The run's own round count, multiplied by ZELK_FUZZ_ROUNDS_FACTOR when that is set.
inline int Rounds(int fixed)
{
    const unsigned long long factor = EnvNumber("ZELK_FUZZ_ROUNDS_FACTOR", 1);
    return factor == 0 ? fixed : static_cast<int>(static_cast<unsigned long long>(fixed) * factor);
}

} // namespace fuzz_knobs
