#include <algorithm>
#include <cmath>

#include "Noise.h"
#include "Painters.h"
#include "Random.h"

namespace {

constexpr float kPi = 3.14159265359f;

// Distance to the nearest line of a grid with `cells` cells per unit.
float gridDistance(float u, float cells)
{
    const float f = fract(u * cells);
    return std::min(f, 1.0f - f) / cells;
}

}  // namespace

void paintNeonPanel(Image& image, const Color& neon, float phase, bool animated, unsigned seed)
{
    const Noise metal(seed, 8, 8, 1);
    const Color hot = mix(neon, Color(1, 1, 1), 0.55f);
    const Color body = neon * 0.035f + Color(0.012f, 0.012f, 0.02f);
    const float px = 1.0f / image.width;
    const float pulse = animated ? 0.86f + 0.14f * std::cos(phase) : 1.0f;

    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const float u = (x + 0.5f) * px, v = (y + 0.5f) * px;

            // Dark brushed body with a faint inner bevel.
            const float grain = metal.fbm(u * 8.0f, v * 2.0f, 0.0f, 3);
            Color c = body * (0.7f + 0.6f * grain);

            // Outer rim: a bright tube inset from the edge with a wide halo.
            const float edge = std::min(std::min(u, 1.0f - u), std::min(v, 1.0f - v));
            const float rimDist = std::fabs(edge - 0.045f);
            const float rimCore = 1.0f - smoothstep(0.006f, 0.006f + 1.5f * px, rimDist);
            const float rimGlow = glow(rimDist, 0.035f);

            // Inner grid, 4 x 4 cells, thinner and dimmer than the rim.
            const float inside = smoothstep(0.06f, 0.09f, edge);
            const float gd = std::min(gridDistance(u, 4.0f), gridDistance(v, 4.0f));
            const float gridCore = (1.0f - smoothstep(0.0025f, 0.0025f + 1.5f * px, gd)) * inside;
            const float gridGlow = glow(gd, 0.02f) * inside;

            // Nodes at the grid crossings.
            const float cu = std::round(u * 4.0f) / 4.0f, cv = std::round(v * 4.0f) / 4.0f;
            const float nd = std::hypot(u - cu, v - cv);
            float nodeLevel = 1.0f;
            if (animated) {
                const int id = static_cast<int>(std::lround(cu * 4.0f)) * 5 + static_cast<int>(std::lround(cv * 4.0f));
                const float offset = hashUnit(id, 3, 7, seed) * 2.0f * kPi;
                const int speed = 1 + static_cast<int>(hashUnit(id, 5, 1, seed) * 3.0f);
                nodeLevel = 0.35f + 0.65f * (0.5f + 0.5f * std::cos(phase * speed + offset));
            }
            const float node = ((1.0f - smoothstep(0.012f, 0.012f + 1.5f * px, nd)) + 0.5f * glow(nd, 0.03f)) *
                               inside * nodeLevel;

            // Corner brackets, brighter than the rim.
            const float cornerU = std::min(u, 1.0f - u), cornerV = std::min(v, 1.0f - v);
            const float bracket = (cornerU < 0.16f && cornerV < 0.16f)
                                      ? glow(std::fabs(std::min(cornerU, cornerV) - 0.075f), 0.008f)
                                      : 0.0f;

            // A highlight that sweeps diagonally once per loop along the lines.
            float sweep = 0.0f;
            if (animated) {
                const float s = fract((u + v) * 0.5f - phase / (2.0f * kPi));
                const float ds = std::min(s, 1.0f - s);
                sweep = glow(ds, 0.06f);
            }

            const float lines = std::max(rimCore, 0.65f * gridCore);
            const float level = pulse * (1.0f + 0.6f * sweep);
            c += neon * ((0.55f * rimGlow + 0.3f * gridGlow) * level);
            c = mix(c, hot * std::min(1.0f, level), std::min(1.0f, lines * level));
            c += hot * (node + 0.8f * bracket) * std::min(1.0f, level);
            c += neon * (0.08f * sweep * inside);
            image.set(x, y, c);
        }
    }
}

void paintLaser(Image& image, int frame, int frames)
{
    const Noise turbulence(0x1A5E2u, 4, 4, 6);
    const Noise filaments(0xF11Au, 2, 8, 6);
    const float t = 6.0f * static_cast<float>(frame) / static_cast<float>(frames);
    const float phase = 2.0f * kPi * static_cast<float>(frame) / static_cast<float>(frames);
    const float scroll = static_cast<float>(frame) / static_cast<float>(frames);  // one tile per loop

    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const float u = (x + 0.5f) / image.width, v = (y + 0.5f) / image.height;

            // Domain-warped turbulence flowing along u.
            const float wu = u + 0.12f * (turbulence.fbm(u * 4.0f, v * 4.0f, t, 2) - 0.5f);
            const float wv = v + 0.12f * (turbulence.fbm(u * 4.0f + 2.0f, v * 4.0f + 1.0f, t, 2) - 0.5f);
            const float heat = turbulence.fbm((wu - scroll) * 4.0f, wv * 4.0f, t, 4);

            // Bright filaments running along the slab, wobbling with the loop.
            float filament = 0.0f;
            for (int i = 0; i < 3; ++i) {
                const float centre = (i + 0.5f) / 3.0f +
                                     0.04f * std::sin(2.0f * kPi * (u * (i + 1)) + phase * (i + 1) + i * 2.1f) +
                                     0.14f * (turbulence.fbm(u * 4.0f, static_cast<float>(i), t, 2) - 0.5f);
                float d = std::fabs(fract(wv - centre + 0.5f) - 0.5f);
                filament += glow(d, 0.012f + 0.01f * filaments.sample(u * 2.0f, v * 8.0f, t));
            }

            float e = std::pow(heat, 1.6f) * 1.9f + 0.55f * filament;
            e *= 0.9f + 0.1f * std::cos(phase * 5.0f + u * 2.0f * kPi * 3.0f);  // flicker
            Color c;
            if (e < 0.5f) c = mix(Color(0.25f, 0.0f, 0.01f), Color(1.0f, 0.12f, 0.02f), e / 0.5f);
            else if (e < 0.9f) c = mix(Color(1.0f, 0.12f, 0.02f), Color(1.0f, 0.55f, 0.08f), (e - 0.5f) / 0.4f);
            else c = mix(Color(1.0f, 0.55f, 0.08f), Color(1.0f, 0.97f, 0.85f), std::min(1.0f, (e - 0.9f) / 0.4f));
            image.set(x, y, c);
        }
    }
}
