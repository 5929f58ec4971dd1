#include <algorithm>
#include <cmath>
#include <string>

#include "Painters.h"

namespace {

const Color kMagenta(1.0f, 0.1f, 0.85f);
const Color kCyan(0.1f, 0.8f, 1.0f);

// Distance to the outline of a rounded square of half-size `half` and corner
// radius `radius` centred at (0.5, 0.5); negative inside.
float roundedSquare(float u, float v, float half, float radius)
{
    const float qx = std::fabs(u - 0.5f) - half + radius, qy = std::fabs(v - 0.5f) - half + radius;
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

// Distance to a horizontal bar from x0 to x1 at height y.
float barDistance(float u, float v, float x0, float x1, float y)
{
    const float dx = std::max(std::max(x0 - u, u - x1), 0.0f);
    return std::hypot(dx, v - y);
}

// One sample of the icon: the astronaut's sphere on a stair of neon platforms
// climbing away from the glowing void, on a dark rounded tile.
// Returns the colour; `alpha` the tile's coverage.
Color iconSample(float u, float v, float& alpha)
{
    const float edge = roundedSquare(u, v, 0.47f, 0.12f);
    alpha = 1.0f - smoothstep(-0.004f, 0.004f, edge);
    Color c = mix(Color(0.07f, 0.03f, 0.16f), Color(0.01f, 0.01f, 0.05f), v);
    c += kCyan * (0.35f * glow(std::fabs(edge + 0.02f), 0.012f));

    // The void rising from below.
    c += kMagenta * (0.9f * smoothstep(0.68f, 0.95f, v));
    c = mix(c, Color(1.0f, 0.75f, 0.95f), 0.6f * smoothstep(0.86f, 0.97f, v));

    // Three platforms stepping up to the right, the top one holding the goal flag.
    const float bars[3][3] = {{0.12f, 0.42f, 0.66f}, {0.40f, 0.66f, 0.48f}, {0.60f, 0.88f, 0.30f}};
    for (const auto& bar : bars) {
        const float d = barDistance(u, v, bar[0], bar[1], bar[2]);
        c += kCyan * (0.7f * glow(d, 0.035f));
        c = mix(c, mix(kCyan, Color(1, 1, 1), 0.5f), 1.0f - smoothstep(0.014f, 0.022f, d));
    }
    const float pole = barDistance(v, u, 0.12f, 0.29f, 0.80f);
    c = mix(c, Color(0.9f, 0.9f, 1.0f), 1.0f - smoothstep(0.006f, 0.011f, pole));
    const bool onCloth = u > 0.80f && u < 0.87f + 0.02f * std::sin(v * 40.0f) && v > 0.12f && v < 0.19f;
    if (onCloth) c = mix(kMagenta, Color(1, 1, 1), 0.2f);

    // The sphere resting on the lowest platform, lit from the upper left.
    const float cx = 0.29f, cy = 0.535f, r = 0.105f;
    const float sd = std::hypot(u - cx, v - cy) - r;
    c += kMagenta * (0.45f * glow(std::max(sd, 0.0f), 0.04f));
    if (sd < 0.004f) {
        const float nx = (u - cx) / r, ny = (v - cy) / r;
        const float nz = std::sqrt(std::max(0.0f, 1.0f - nx * nx - ny * ny));
        const float light = clamp01(-0.5f * nx - 0.6f * ny + 0.62f * nz);
        Color ball = mix(Color(0.35f, 0.02f, 0.3f), kMagenta, light);
        ball = mix(ball, Color(1, 1, 1), std::pow(light, 12.0f));
        c = mix(c, ball, 1.0f - smoothstep(0.0f, 0.004f, sd));
    }
    return c;
}

}  // namespace

void paintIcon(Image& image)
{
    // 4 x 4 samples per pixel: the small sizes keep their edges smooth.
    constexpr int kSamples = 4;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            Color sum;
            float coverage = 0.0f;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const float u = (x + (sx + 0.5f) / kSamples) / image.width;
                    const float v = (y + (sy + 0.5f) / kSamples) / image.height;
                    float alpha = 0.0f;
                    const Color c = iconSample(u, v, alpha);
                    sum += c * alpha;
                    coverage += alpha;
                }
            }
            // Colour without the coverage premultiplied, so edges do not darken.
            const Color colour = coverage > 0.0f ? sum * (1.0f / coverage) : Color();
            image.set(x, y, colour, coverage / (kSamples * kSamples));
        }
    }
}

bool writeIcons(const std::string& iconsDir)
{
    bool ok = true;
    for (const int size : kIconSizes) {
        Image image(size, size);
        paintIcon(image);
        ok &= image.writePng(iconsDir + "/vaultrise_" + std::to_string(size) + ".png", 4);
    }
    return ok;
}
