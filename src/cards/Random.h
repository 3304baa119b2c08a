#pragma once

#include <cstdint>

// The program's one pseudo-random sequence: s = s * 22695477 + 1, 15-bit output.
// Seeded once at start-up from the clock; tests seed it themselves.
class TRandom {
public:
    static void Seed(std::uint32_t seed) { s_state = seed; }
    static void SeedFromClock();
    static int Next() {
        s_state = s_state * 22695477u + 1u;
        return static_cast<int>((s_state >> 16) & 0x7FFF);
    }
    static std::uint32_t State() { return s_state; }

private:
    static inline std::uint32_t s_state = 1;
};
