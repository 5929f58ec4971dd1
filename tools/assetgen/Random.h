#pragma once

#include <cstdint>

// Small xorshift64* generator. The asset generator never uses rand() or the
// clock, so a fixed seed reproduces every committed file byte for byte.
class Random {
public:
    explicit Random(uint64_t seed) : state(seed ? seed : 0x9E3779B97F4A7C15ull) {}

    uint64_t next()
    {
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        return state * 0x2545F4914F6CDD1Dull;
    }

    // Uniform in [0, 1).
    float uniform() { return static_cast<float>(next() >> 40) / 16777216.0f; }
    float range(float lo, float hi) { return lo + (hi - lo) * uniform(); }
    int below(int n) { return static_cast<int>(next() % static_cast<uint64_t>(n)); }

private:
    uint64_t state;
};

// Stateless integer hash, used where a value must depend only on coordinates.
inline uint32_t hash32(uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

inline uint32_t hash3(int a, int b, int c, uint32_t seed)
{
    return hash32(static_cast<uint32_t>(a) * 73856093u ^ hash32(static_cast<uint32_t>(b) * 19349663u ^
                  hash32(static_cast<uint32_t>(c) * 83492791u ^ seed)));
}

inline float hashUnit(int a, int b, int c, uint32_t seed)
{
    return static_cast<float>(hash3(a, b, c, seed) >> 8) / 16777216.0f;
}
