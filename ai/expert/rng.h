// The engine's own random numbers, xoshiro256** seeded through splitmix64:
// never the game's generator, whose sequence deals every game.
#pragma once

#include <cstdint>

namespace expert {

struct Rng {
    uint64_t s[4];
};

inline uint64_t SplitMix64(uint64_t& x) {
    uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

inline Rng SeedRng(uint64_t seed) {
    Rng r;
    for (uint64_t& word : r.s)
        word = SplitMix64(seed);
    return r;
}

inline uint64_t Next(Rng& r) {
    auto rotl = [](uint64_t x, int k) { return (x << k) | (x >> (64 - k)); };
    const uint64_t result = rotl(r.s[1] * 5, 7) * 9;
    const uint64_t t = r.s[1] << 17;
    r.s[2] ^= r.s[0];
    r.s[3] ^= r.s[1];
    r.s[1] ^= r.s[2];
    r.s[0] ^= r.s[3];
    r.s[2] ^= t;
    r.s[3] = rotl(r.s[3], 45);
    return result;
}

// 0 to n - 1, n above 0; multiply-shift, its bias far below what play can show.
inline int32_t Below(Rng& r, int32_t n) {
    return static_cast<int32_t>(((Next(r) >> 32) * static_cast<uint64_t>(n)) >> 32);
}

}  // namespace expert
