#include <algorithm>
#include <cmath>
#include <iostream>

#include "Noise.h"
#include "Painters.h"

namespace {

constexpr float kPi = 3.14159265359f;

const Color kMagenta(1.0f, 0.1f, 0.85f);
const Color kCyan(0.1f, 0.8f, 1.0f);

float segmentDistance(float px, float py, float ax, float ay, float bx, float by)
{
    const float dx = bx - ax, dy = by - ay;
    const float t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// Sliding door: dark plates, a cyan frame, magenta chevrons pointing up.
void paintDoor(Image& image)
{
    const Noise metal(0xD002u, 4, 16, 1);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const float u = (x + 0.5f) / image.width, v = (y + 0.5f) / image.height;
            Color c = Color(0.03f, 0.035f, 0.06f) * (0.6f + 0.8f * metal.fbm(u * 4, v * 16, 0, 3));

            const float edge = std::min(std::min(u, 1 - u), std::min(v, 1 - v));
            const float frame = std::fabs(edge - 0.05f);
            c += kCyan * (0.6f * glow(frame, 0.03f));
            c = mix(c, mix(kCyan, Color(1, 1, 1), 0.5f), 1.0f - smoothstep(0.008f, 0.014f, frame));

            // Centre seam between the two halves.
            const float seam = std::fabs(u - 0.5f);
            c = c * (0.4f + 0.6f * smoothstep(0.0f, 0.006f, seam));
            c += kCyan * (0.25f * glow(seam, 0.01f) * smoothstep(0.06f, 0.1f, edge));

            // Three chevrons pointing up.
            for (int i = 0; i < 3; ++i) {
                const float cy = 0.38f + 0.16f * i;
                const float d = std::min(segmentDistance(u, v, 0.3f, cy + 0.1f, 0.5f, cy),
                                         segmentDistance(u, v, 0.5f, cy, 0.7f, cy + 0.1f));
                const float level = 0.55f + 0.22f * i;
                c += kMagenta * (0.5f * glow(d, 0.035f) * level);
                c = mix(c, mix(kMagenta, Color(1, 1, 1), 0.45f), (1.0f - smoothstep(0.012f, 0.02f, d)) * level);
            }

            // Warning band at the foot.
            if (v > 0.84f && v < 0.92f && edge > 0.07f) {
                const bool stripe = fract((u + v) * 10.0f) < 0.5f;
                c = stripe ? Color(0.95f, 0.75f, 0.1f) : Color(0.05f, 0.04f, 0.02f);
            }
            image.set(x, y, c);
        }
    }
}

// The goal flag: a neon V emblem on a deep indigo cloth. Painted in cloth
// units (6 wide, 4 high) so the emblem keeps its shape on the stretched cloth.
void paintFlag(Image& image)
{
    const Noise weave(0xF1A6u, 24, 16, 1);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const float X = (x + 0.5f) / image.width * 6.0f, Y = (y + 0.5f) / image.height * 4.0f;
            Color c = mix(Color(0.05f, 0.02f, 0.13f), Color(0.02f, 0.03f, 0.09f), X / 6.0f);
            c = c * (0.8f + 0.4f * weave.sample(X * 4.0f, Y * 4.0f, 0));

            // Border tube blending from cyan at the pole to magenta at the tip.
            const Color border = mix(kCyan, kMagenta, X / 6.0f);
            const float edge = std::min(std::min(X, 6.0f - X), std::min(Y, 4.0f - Y));
            const float bd = std::fabs(edge - 0.22f);
            c += border * (0.5f * glow(bd, 0.12f));
            c = mix(c, mix(border, Color(1, 1, 1), 0.4f), 1.0f - smoothstep(0.035f, 0.06f, bd));

            // The V: two thick strokes meeting at the bottom centre.
            const float d = std::min(segmentDistance(X, Y, 1.75f, 0.85f, 3.0f, 3.2f),
                                     segmentDistance(X, Y, 4.25f, 0.85f, 3.0f, 3.2f));
            const Color stroke = mix(kCyan, kMagenta, std::clamp((X - 1.75f) / 2.5f, 0.0f, 1.0f));
            c += stroke * (0.8f * glow(std::max(0.0f, d - 0.26f), 0.3f));
            c = mix(c, stroke, 1.0f - smoothstep(0.24f, 0.28f, d));
            c = mix(c, mix(stroke, Color(1, 1, 1), 0.75f), 1.0f - smoothstep(0.07f, 0.13f, d));

            // Two small stars flanking the V.
            for (int s = 0; s < 2; ++s) {
                const float sx = s ? 5.0f : 1.0f, sy = 2.7f;
                const float dx = std::fabs(X - sx), dy = std::fabs(Y - sy);
                const float star = std::max(glow(dx, 0.03f) * glow(dy, 0.25f), glow(dy, 0.03f) * glow(dx, 0.25f));
                c += Color(1, 1, 1) * star + (s ? kMagenta : kCyan) * (0.4f * glow(std::hypot(dx, dy), 0.18f));
            }
            image.set(x, y, c);
        }
    }
}

// Soft round glow: white, the alpha carries the shape.
void paintParticle(Image& image)
{
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const float dx = (x + 0.5f) / image.width * 2.0f - 1.0f, dy = (y + 0.5f) / image.height * 2.0f - 1.0f;
            const float r = std::min(1.0f, std::hypot(dx, dy));
            const float falloff = 1.0f - r;
            const float alpha = clamp01(falloff * falloff * 0.8f + 0.6f * glow(r, 0.18f)) * smoothstep(1.0f, 0.9f, r);
            image.set(x, y, mix(Color(0.85f, 0.95f, 1.0f), Color(1, 1, 1), glow(r, 0.3f)), alpha);
        }
    }
}

// Confetti: every face of a 2x2x2 piece shows the whole picture, so it is
// painted as bold diagonal bands of saturated paper colours (no light sheet
// behind them) with thin dark seams and a light rim, so each piece reads as a
// bright, many-coloured box even from far away. The bands tile.
void paintConfetti(Image& image)
{
    const Color colors[] = {{1.0f, 0.08f, 0.55f}, {0.05f, 0.75f, 1.0f}, {1.0f, 0.85f, 0.05f},
                            {0.25f, 1.0f, 0.2f},  {1.0f, 0.4f, 0.02f},  {0.55f, 0.2f, 1.0f}};
    constexpr int kBands = 6;  // per unit of u + v, one of each colour
    image.paint([&](float u, float v) {
        const float t = (u + v) * kBands * 0.5f;
        const int band = static_cast<int>(std::floor(t));
        const float within = t - band;
        Color c = colors[((band % kBands) + kBands) % kBands];
        // Crinkled paper: a gentle sheen across each band.
        c = c * (0.88f + 0.12f * std::cos((within - 0.35f) * 2.0f * kPi));
        // Dark seams between the bands keep neighbouring colours apart.
        const float seam = std::min(within, 1.0f - within);
        c = c * (0.3f + 0.7f * smoothstep(0.015f, 0.05f, seam));
        // A light rim outlines every face so the box shape reads.
        const float edge = std::min(std::min(u, 1.0f - u), std::min(v, 1.0f - v));
        c = mix(c, Color(1.0f, 0.97f, 0.9f), 1.0f - smoothstep(0.025f, 0.045f, edge));
        return c;
    });
}

bool save(const Image& image, const std::string& path, int channels)
{
    if (image.writePng(path, channels)) return true;
    std::cout << "Cannot write " << path << "\n";
    return false;
}

}  // namespace

bool writeSingleTextures(const std::string& dir)
{
    bool ok = true;
    Image magenta(256, 256), blue(256, 256), laser(256, 256), door(256, 256), flag(256, 256), particle(128, 128),
        confetti(128, 128);
    paintNeonPanel(magenta, kMagenta, 0.0f, false, 0x3A6Eu);
    paintNeonPanel(blue, kCyan, 0.0f, false, 0xB10Eu);
    paintLaser(laser, 0, 1);
    paintDoor(door);
    paintFlag(flag);
    paintParticle(particle);
    paintConfetti(confetti);
    ok &= save(magenta, dir + "/platforms_magenta.png", 3);
    ok &= save(blue, dir + "/platforms_blue.png", 3);
    ok &= save(laser, dir + "/laser.png", 3);
    ok &= save(door, dir + "/door.png", 3);
    ok &= save(flag, dir + "/flag.png", 3);
    ok &= save(particle, dir + "/particle.png", 4);
    ok &= save(confetti, dir + "/confetti.png", 3);
    return ok;
}
