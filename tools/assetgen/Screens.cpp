#include <algorithm>
#include <cmath>
#include <vector>

#include "Noise.h"
#include "Painters.h"
#include "Random.h"

namespace {

constexpr float kPi = 3.14159265359f;
constexpr float kTwoPi = 2.0f * kPi;

const Color kMagenta(1.0f, 0.1f, 0.85f);
const Color kCyan(0.1f, 0.8f, 1.0f);

// Star field whose stars twinkle with whole-number speeds, so it loops.
float stars(float u, float v, float phase, float density, uint32_t seed)
{
    const float cells = 24.0f;
    const int cx = static_cast<int>(std::floor(u * cells)), cy = static_cast<int>(std::floor(v * cells));
    float light = 0.0f;
    if (hashUnit(cx, cy, 0, seed) < density) {
        const float sx = (cx + 0.2f + 0.6f * hashUnit(cx, cy, 1, seed)) / cells;
        const float sy = (cy + 0.2f + 0.6f * hashUnit(cx, cy, 2, seed)) / cells;
        const int speed = 1 + static_cast<int>(hashUnit(cx, cy, 3, seed) * 3.0f);
        const float twinkle = 0.55f + 0.45f * std::cos(phase * speed + kTwoPi * hashUnit(cx, cy, 4, seed));
        light = glow(std::hypot(u - sx, v - sy), 0.004f) * twinkle;
    }
    return light;
}

}  // namespace

// Goal pad: a warp portal seen from above. Arms turn, rings fall inwards and
// sparks spiral into the core; every motion completes whole turns per loop.
void paintPortal(Image& image, int frame, float phase)
{
    struct Spark { float angle, radius; int turns; };
    std::vector<Spark> sparks;
    Random random(0x90A7u);
    for (int i = 0; i < 40; ++i) sparks.push_back({random.range(0, kTwoPi), random.uniform(), 1 + random.below(2)});
    const float loop = phase / kTwoPi;

    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const float dx = (x + 0.5f) / image.width - 0.5f, dy = (y + 0.5f) / image.height - 0.5f;
            const float r = std::hypot(dx, dy) * 2.0f;  // 1 at the pad's edge midpoints
            const float a = std::atan2(dy, dx);

            Color c(0.01f, 0.005f, 0.03f);
            if (r < 0.92f) {
                const float arms = 0.5f + 0.5f * std::cos(5.0f * a + 9.0f * std::log(r + 0.05f) - 2.0f * phase);
                const float rings = 0.5f + 0.5f * std::cos(28.0f * std::sqrt(r) + 4.0f * phase);
                const float tint = 0.5f + 0.5f * std::sin(a + phase + r * 3.0f);
                const Color base = mix(kCyan, kMagenta, tint);
                const float fade = smoothstep(0.92f, 0.6f, r);
                c += base * ((0.15f + 0.55f * std::pow(arms, 3.0f) + 0.25f * std::pow(rings, 6.0f)) * fade);
            }
            // The core pulses twice per loop.
            const float core = glow(r, 0.16f) * (0.85f + 0.15f * std::cos(2.0f * phase));
            c = mix(c, Color(1, 1, 1), core);
            c += kCyan * (0.5f * glow(r, 0.3f));

            // Outer neon ring with ticks running around it.
            const float ring = std::fabs(r - 0.9f);
            const float ticks = 0.5f + 0.5f * std::cos(24.0f * a - 3.0f * phase);
            c += kMagenta * (0.6f * glow(ring, 0.04f));
            c = mix(c, mix(kMagenta, Color(1, 1, 1), 0.5f), (1.0f - smoothstep(0.01f, 0.025f, ring)) * (0.6f + 0.4f * ticks));

            // Corners outside the ring: a faint hex-ish grid.
            if (r > 0.95f) {
                const float g = std::min(std::fabs(fract(dx * 8.0f) - 0.5f), std::fabs(fract(dy * 8.0f) - 0.5f));
                c += kCyan * (0.25f * (1.0f - smoothstep(0.0f, 0.06f, 0.5f - g)) * 0.0f + 0.2f * glow(0.5f - g, 0.03f));
            }

            for (const Spark& s : sparks) {
                const float sr = 0.9f * fract(s.radius - loop);
                const float sa = s.angle + s.turns * phase + 2.0f * (0.9f - sr);
                const float d = std::hypot(dx * 2.0f - sr * std::cos(sa), dy * 2.0f - sr * std::sin(sa));
                c += Color(1.0f, 0.9f, 1.0f) * (glow(d, 0.018f) * smoothstep(0.0f, 0.15f, sr) * smoothstep(0.9f, 0.75f, sr));
            }
            image.set(x, y, c);
        }
    }
    (void)frame;
}

// Front screen: a striped synthwave sun over mountains and a grid that rolls
// towards the viewer by exactly one cell per loop.
void paintSynthwave(Image& image, int frame, float phase)
{
    const float horizon = 0.58f;
    const float loop = phase / kTwoPi;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const float u = (x + 0.5f) / image.width, v = (y + 0.5f) / image.height;
            Color c;
            if (v < horizon) {
                const float h = v / horizon;
                c = mix(Color(0.03f, 0.0f, 0.1f), Color(0.55f, 0.05f, 0.45f), h * h);
                c += Color(1, 1, 1) * stars(u, v, phase, 0.35f, 0x57A2u) * smoothstep(0.9f, 0.3f, h);

                // The sun with slots sliding downwards.
                const float sx = u - 0.5f, sy = v - 0.36f;
                const float sd = std::hypot(sx, sy);
                const float sunT = clamp01((sy + 0.2f) / 0.4f);
                const Color sun = mix(Color(1.0f, 0.95f, 0.35f), Color(1.0f, 0.15f, 0.55f), sunT);
                const float slots = fract(sy * 16.0f - loop);
                const bool cut = sy > -0.02f && slots < 0.15f + 0.5f * clamp01(sy / 0.2f);
                c += sun * (0.45f * glow(std::max(0.0f, sd - 0.2f), 0.06f));
                if (sd < 0.2f && !cut) c = mix(c, sun, smoothstep(0.2f, 0.195f, sd));

                // Mountains: periodic ridges with a cyan rim light, dipping to the
                // horizon in the middle so the sun stays clear.
                const float valley = smoothstep(0.08f, 0.3f, std::fabs(u - 0.5f));
                const float ridge = horizon - valley * (0.07f + 0.05f * std::sin(u * kTwoPi * 3.0f + 1.0f) +
                                                        0.03f * std::sin(u * kTwoPi * 7.0f) +
                                                        0.015f * std::sin(u * kTwoPi * 13.0f + 2.0f));
                c = mix(c, Color(0.04f, 0.0f, 0.08f), smoothstep(ridge - 0.003f, ridge + 0.003f, v));
                c += kCyan * (glow(v - ridge, 0.004f) * valley);
            } else {
                // Ground grid in perspective: depth z grows towards the horizon and
                // the rows roll towards the viewer by exactly one row per loop.
                const float dy = v - horizon;
                const float z = 0.1f / dy;
                const float pixel = 1.0f / image.height;
                const float gz = fract(z * 4.0f + loop);
                const float gx = fract((u - 0.5f) * z * 33.0f + 0.5f);
                const float rowsPerPixel = 0.4f / (dy * dy) * pixel, columnsPerPixel = z * 33.0f * pixel;
                const float lz = (1.0f - smoothstep(0.0f, 1.2f * rowsPerPixel, std::min(gz, 1.0f - gz))) *
                                 clamp01(1.0f - rowsPerPixel * 3.0f);
                const float lx = (1.0f - smoothstep(0.0f, 1.2f * columnsPerPixel, std::min(gx, 1.0f - gx))) *
                                 clamp01(1.0f - columnsPerPixel * 3.0f);
                c = mix(Color(0.02f, 0.0f, 0.05f), Color(0.25f, 0.02f, 0.3f), smoothstep(0.12f, 0.0f, dy));
                const float lines = std::max(lx, lz);
                c = mix(c, mix(kMagenta, Color(1, 0.75f, 1), 0.35f), lines);
                c += kMagenta * (0.25f * std::max(glow(std::min(gz, 1.0f - gz), 3.0f * rowsPerPixel + 0.02f),
                                                  glow(std::min(gx, 1.0f - gx), 3.0f * columnsPerPixel + 0.02f)));
            }
            // The horizon line burns white-pink.
            c += Color(1.0f, 0.5f, 0.9f) * glow(v - horizon, 0.006f);
            image.set(x, y, c);
        }
    }
    (void)frame;
}

// Back screen: a neon city at night under a ringed planet, with blinking
// windows, colour-cycling signs and an air car crossing once per loop.
void paintSkyline(Image& image, int frame, float phase)
{
    struct Building { float left, right, top; int layer; int sign; };
    std::vector<Building> buildings;
    Random random(0xC177u);
    for (int layer = 0; layer < 2; ++layer) {
        float x = -0.02f;
        while (x < 1.02f) {
            const float w = random.range(0.05f, 0.12f);
            const float top = layer == 0 ? random.range(0.3f, 0.55f) : random.range(0.5f, 0.78f);
            buildings.push_back({x, x + w, top, layer, random.below(4)});
            x += w + (layer == 0 ? random.range(0.0f, 0.02f) : random.range(0.01f, 0.05f));
        }
    }
    const float loop = phase / kTwoPi;

    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const float u = (x + 0.5f) / image.width, v = (y + 0.5f) / image.height;
            Color c = mix(Color(0.01f, 0.01f, 0.06f), Color(0.2f, 0.03f, 0.25f), v * v);
            c += Color(1, 1, 1) * stars(u, v, phase, 0.4f, 0xB4C4u) * (1.0f - v);

            // Aurora bands drifting sideways.
            const float band = 0.22f + 0.05f * std::sin(u * kTwoPi * 2.0f + phase) + 0.02f * std::sin(u * kTwoPi * 5.0f - 2.0f * phase);
            c += mix(kCyan, Color(0.3f, 1.0f, 0.6f), 0.5f + 0.5f * std::sin(u * 9.0f + phase)) * (0.22f * glow(v - band, 0.05f));

            // Ringed planet.
            const float px = u - 0.75f, py = v - 0.2f;
            const float pd = std::hypot(px, py);
            if (pd < 0.09f) c = mix(Color(0.5f, 0.15f, 0.6f), Color(1.0f, 0.5f, 0.7f), clamp01(0.5f - (px + py) * 5.0f));
            const float ringD = std::fabs(std::hypot(px, (py + px * 0.3f) * 4.0f) - 0.14f);
            if (!(pd < 0.09f && py + px * 0.3f < 0.0f)) c += Color(1.0f, 0.7f, 0.9f) * (0.7f * glow(ringD, 0.008f));

            // Air car with a fading trail, crossing right to left.
            const float carX = 1.2f - 1.4f * loop, carY = 0.34f;
            const float behind = u - carX;
            if (behind > 0.0f) c += kMagenta * (0.8f * glow(v - carY, 0.004f) * std::exp(-behind * 8.0f));
            c += Color(1, 1, 1) * glow(std::hypot(u - carX, v - carY), 0.006f);

            // Buildings, far layer first.
            for (const Building& b : buildings) {
                if (u < b.left || u > b.right || v < b.top) continue;
                const bool far = b.layer == 0;
                c = far ? Color(0.07f, 0.03f, 0.14f) : Color(0.01f, 0.005f, 0.02f);
                const float wx = (u - b.left) * 55.0f, wy = (v - b.top) * 45.0f;
                const int cx = static_cast<int>(wx), cy = static_cast<int>(wy);
                const bool pane = fract(wx) > 0.3f && fract(wy) > 0.35f && cy > 0;
                if (pane) {
                    const int id = static_cast<int>(b.left * 1000.0f);
                    const float lit = hashUnit(cx, cy, id, 0x3117u);
                    const int speed = 1 + static_cast<int>(hashUnit(cx, cy, id, 0x77u) * 2.0f);
                    const float on = std::cos(phase * speed + kTwoPi * hashUnit(cx, cy, id, 0x99u));
                    if (lit < 0.22f || (lit < 0.34f && on > 0.2f)) {
                        const Color warm = hashUnit(cx, cy, id, 0x5u) < 0.5f ? Color(1.0f, 0.8f, 0.4f) : Color(0.5f, 0.9f, 1.0f);
                        c = warm * (far ? 0.45f : 0.85f);
                    }
                }
                // Roof outline.
                const Color rim = b.layer ? kCyan : kMagenta;
                c += rim * (glow(v - b.top, 0.004f) * (far ? 0.5f : 1.0f));
                // Vertical signs cycle their hue around the loop.
                if (!far && b.sign == 0) {
                    const float sx = b.left + 0.012f;
                    if (std::fabs(u - sx) < 0.008f && v > b.top + 0.03f && v < b.top + 0.2f) {
                        const float segment = std::floor((v - b.top) * 40.0f);
                        c = mix(hue(segment * 0.07f + loop), Color(1, 1, 1), 0.3f);
                    }
                }
            }
            // Street glow at the foot and a slow rolling scan band.
            c += kMagenta * (0.25f * smoothstep(0.8f, 1.0f, v));
            const float scan = fract(v - loop);
            c = c * (0.94f + 0.06f * glow(std::min(scan, 1.0f - scan), 0.05f) / 1.0f);
            image.set(x, y, c);
        }
    }
    (void)frame;
}
