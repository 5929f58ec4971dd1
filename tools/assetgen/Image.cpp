#include "Image.h"

#include <algorithm>
#include <cmath>

#include <stb/stb_image_write.h>

float clamp01(float v) { return std::min(1.0f, std::max(0.0f, v)); }

float smoothstep(float e0, float e1, float x)
{
    const float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3.0f - 2.0f * t);
}

float fract(float v) { return v - std::floor(v); }

Color mix(const Color& a, const Color& b, float t) { return a + (b - a) * t; }

float glow(float distance, float width)
{
    const float d = distance / width;
    return std::exp(-d * d);
}

Color hue(float h)
{
    h = fract(h) * 6.0f;
    const float r = clamp01(std::fabs(h - 3.0f) - 1.0f);
    const float g = clamp01(2.0f - std::fabs(h - 2.0f));
    const float b = clamp01(2.0f - std::fabs(h - 4.0f));
    return {r, g, b};
}

Image::Image(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h * 4, 0.0f) {}

void Image::set(int x, int y, const Color& c, float alpha)
{
    float* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
    p[3] = alpha;
}

Color Image::at(int x, int y) const
{
    const float* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
    return {p[0], p[1], p[2]};
}

std::vector<uint8_t> Image::toBytes(int channels) const
{
    std::vector<uint8_t> out(static_cast<size_t>(width) * height * channels);
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i)
        for (int c = 0; c < channels; ++c)
            out[i * channels + c] = static_cast<uint8_t>(std::lround(clamp01(pixels[i * 4 + c]) * 255.0f));
    return out;
}

bool Image::writePng(const std::string& path, int channels) const
{
    const std::vector<uint8_t> bytes = toBytes(channels);
    return stbi_write_png(path.c_str(), width, height, channels, bytes.data(), width * channels) != 0;
}
