#pragma once

#include <cstdint>

// Value noise on an integer lattice that wraps with the given periods, so a
// texture built from it tiles seamlessly and an animation whose time axis runs
// once around the period loops without a seam.
class Noise {
public:
    Noise(uint32_t seed, int periodX, int periodY, int periodT);

    // Smooth noise in [0, 1); x, y, t are in lattice units.
    float sample(float x, float y, float t) const;

    // Fractal sum of `octaves` layers; each layer doubles the lattice
    // frequency (and the periods with it, so tiling is kept). Result in [0, 1).
    float fbm(float x, float y, float t, int octaves) const;

private:
    float lattice(int x, int y, int t, int px, int py, int pt, uint32_t salt) const;
    float sampleScaled(float x, float y, float t, int px, int py, int pt, uint32_t salt) const;

    uint32_t seed;
    int periodX, periodY, periodT;
};
