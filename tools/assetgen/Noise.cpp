#include "Noise.h"

#include <cmath>

#include "Random.h"

namespace {

int wrap(int v, int period) { return ((v % period) + period) % period; }

float fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

float lerp(float a, float b, float t) { return a + (b - a) * t; }

}  // namespace

Noise::Noise(uint32_t seed_, int px, int py, int pt) : seed(seed_), periodX(px), periodY(py), periodT(pt) {}

float Noise::lattice(int x, int y, int t, int px, int py, int pt, uint32_t salt) const
{
    return hashUnit(wrap(x, px), wrap(y, py), wrap(t, pt), seed ^ salt);
}

float Noise::sampleScaled(float x, float y, float t, int px, int py, int pt, uint32_t salt) const
{
    const float fx = std::floor(x), fy = std::floor(y), ft = std::floor(t);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy), it = static_cast<int>(ft);
    const float ux = fade(x - fx), uy = fade(y - fy), ut = fade(t - ft);
    float corners[2];
    for (int dt = 0; dt < 2; ++dt) {
        const float a = lattice(ix, iy, it + dt, px, py, pt, salt);
        const float b = lattice(ix + 1, iy, it + dt, px, py, pt, salt);
        const float c = lattice(ix, iy + 1, it + dt, px, py, pt, salt);
        const float d = lattice(ix + 1, iy + 1, it + dt, px, py, pt, salt);
        corners[dt] = lerp(lerp(a, b, ux), lerp(c, d, ux), uy);
    }
    return lerp(corners[0], corners[1], ut);
}

float Noise::sample(float x, float y, float t) const
{
    return sampleScaled(x, y, t, periodX, periodY, periodT, 0u);
}

float Noise::fbm(float x, float y, float t, int octaves) const
{
    float sum = 0.0f, weight = 0.0f, amplitude = 1.0f;
    int scale = 1;
    for (int o = 0; o < octaves; ++o) {
        // Time keeps its period in every octave so the loop length stays fixed.
        sum += amplitude * sampleScaled(x * scale, y * scale, t, periodX * scale, periodY * scale, periodT,
                                        0x9E37u * static_cast<uint32_t>(o + 1));
        weight += amplitude;
        amplitude *= 0.5f;
        scale *= 2;
    }
    return sum / weight;
}
