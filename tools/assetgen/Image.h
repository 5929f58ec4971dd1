#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Color {
    float r = 0, g = 0, b = 0;
    Color() = default;
    Color(float r_, float g_, float b_) : r(r_), g(g_), b(b_) {}
    Color operator+(const Color& o) const { return {r + o.r, g + o.g, b + o.b}; }
    Color operator-(const Color& o) const { return {r - o.r, g - o.g, b - o.b}; }
    Color operator*(float s) const { return {r * s, g * s, b * s}; }
    Color operator*(const Color& o) const { return {r * o.r, g * o.g, b * o.b}; }
    Color& operator+=(const Color& o) { r += o.r; g += o.g; b += o.b; return *this; }
};

// Shading helpers shared by every painter.
float clamp01(float v);
float smoothstep(float e0, float e1, float x);
float fract(float v);
Color mix(const Color& a, const Color& b, float t);
// Soft neon falloff: 1 at distance 0, fading over `width`.
float glow(float distance, float width);
// Hue in [0, 1) to a fully saturated colour.
Color hue(float h);

// A float RGBA picture; painters write into it, writers quantise it to 8 bits.
class Image {
public:
    Image(int width, int height);

    void set(int x, int y, const Color& c, float alpha = 1.0f);
    Color at(int x, int y) const;

    // 8-bit channels, rows from the top, rounding to nearest.
    std::vector<uint8_t> toBytes(int channels) const;

    // Writes a PNG with 3 (RGB) or 4 (RGBA) channels; false on failure.
    bool writePng(const std::string& path, int channels) const;

    // Sets every texel to colourAt(u, v), u and v at texel centres in 0..1.
    template <typename ColourAt>
    void paint(ColourAt&& colourAt)
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                set(x, y, colourAt((x + 0.5f) / width, (y + 0.5f) / height));
    }

    int width;
    int height;
    std::vector<float> pixels;  // RGBA, row-major, top row first
};
