#include "render/TextureLoader.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iostream>
#include <sstream>

#include <stb/stb_image.h>

#include "core/AuthoredPath.h"
#include "core/FileCheck.h"

namespace {

GLenum formatForChannels(int channels)
{
    switch (channels) {
    case 1: return GL_RED;
    case 2: return GL_RG;  // grey + alpha images keep both channels
    case 3: return GL_RGB;
    default: return GL_RGBA;
    }
}

GLenum sizedFormatForChannels(int channels)
{
    switch (channels) {
    case 1: return GL_R8;
    case 2: return GL_RG8;
    case 3: return GL_RGB8;
    default: return GL_RGBA8;
    }
}

// Source positions of a halving along one axis: destination texel i samples
// the source bilinearly at its centre, (i + 0.5) · source / destination
// texels, between texel `first[i]` and the next (clamped to the edge) with
// weight `weight[i]` on the next.
struct HalvingTaps {
    std::vector<int> first, second;
    std::vector<float> weight;

    HalvingTaps(int source, int destination)
    {
        const float scale = static_cast<float>(source) / static_cast<float>(destination);
        for (int i = 0; i < destination; ++i) {
            const float centre = (static_cast<float>(i) + 0.5f) * scale - 0.5f;
            const int lower = std::clamp(static_cast<int>(std::floor(centre)), 0, source - 1);
            first.push_back(lower);
            second.push_back(std::min(lower + 1, source - 1));
            weight.push_back(std::clamp(centre - static_cast<float>(lower), 0.0f, 1.0f));
        }
    }
};

// Writes the next level (half of w × h, at least 1 each way) of a tightly
// packed image with `channels` bytes per texel.
void halveLevel(const unsigned char* source, int w, int h, int channels, unsigned char* destination)
{
    const int dw = std::max(1, w / 2), dh = std::max(1, h / 2);
    if (w % 2 == 0 && h % 2 == 0) {
        // Even sizes: every texel centre falls between four source texels,
        // so the bilinear sample is their average. It is taken as the GL's
        // 8-bit filtering does (Mesa's software renderer, bit for bit): each
        // pair across averaged and rounded half up, then the two results.
        // Rounding once instead would drift from the GL's chain by a step
        // per level.
        const size_t row = static_cast<size_t>(w) * channels;
        for (int y = 0; y < dh; ++y) {
            const unsigned char* top = source + 2 * y * row;
            const unsigned char* bottom = top + row;
            for (int x = 0; x < dw; ++x, top += channels, bottom += channels)
                for (int k = 0; k < channels; ++k, ++top, ++bottom)
                    *destination++ = static_cast<unsigned char>(
                        (((top[0] + top[channels] + 1) >> 1) + ((bottom[0] + bottom[channels] + 1) >> 1) + 1) >> 1);
        }
        return;
    }
    const HalvingTaps xs(w, dw), ys(h, dh);
    const auto texel = [&](int x, int y) { return source + (static_cast<size_t>(y) * w + x) * channels; };
    for (int y = 0; y < dh; ++y) {
        const float fy = ys.weight[y];
        for (int x = 0; x < dw; ++x) {
            const float fx = xs.weight[x];
            const unsigned char *a = texel(xs.first[x], ys.first[y]), *b = texel(xs.second[x], ys.first[y]),
                                *c = texel(xs.first[x], ys.second[y]), *d = texel(xs.second[x], ys.second[y]);
            for (int k = 0; k < channels; ++k) {
                const float top = a[k] + fx * (b[k] - a[k]), bottom = c[k] + fx * (d[k] - c[k]);
                *destination++ = static_cast<unsigned char>(top + fy * (bottom - top) + 0.5f);
            }
        }
    }
}

}  // namespace

DecodedImage decodeImage(const std::string& path)
{
    DecodedImage image;
    image.path = path;
    std::ostringstream refusalLine;  // printed later, in file order, by the main thread
    const CheckedFile file = readCheckedFile(path, FileKind::Image, refusalLine);
    image.refusal = file.refusal;
    if (!file.bytes) return image;
    const auto* data = reinterpret_cast<const stbi_uc*>(file.bytes->data());
    const int size = static_cast<int>(file.bytes->size());
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(data, size, &width, &height, &channels)) return image;
    image.refusal = imageSizeRefusal(width, height);
    if (!image.refusal.empty()) return image;
    unsigned char* pixels = stbi_load_from_memory(data, size, &width, &height, &channels, 0);
    if (!pixels) return image;

    size_t total = 0;
    for (int w = width, h = height;; w = std::max(1, w / 2), h = std::max(1, h / 2)) {
        image.levelOffsets.push_back(total);
        total += static_cast<size_t>(w) * h * channels;
        if (w == 1 && h == 1) break;
    }
    image.width = width;
    image.height = height;
    image.channels = channels;
    image.pixels.resize(total);
    std::memcpy(image.pixels.data(), pixels, static_cast<size_t>(width) * height * channels);
    stbi_image_free(pixels);
    for (size_t level = 1, w = width, h = height; level < image.levelOffsets.size(); ++level) {
        halveLevel(&image.pixels[image.levelOffsets[level - 1]], static_cast<int>(w), static_cast<int>(h), channels,
                   &image.pixels[image.levelOffsets[level]]);
        w = std::max<size_t>(1, w / 2);
        h = std::max<size_t>(1, h / 2);
    }
    return image;
}

GlTexture uploadImage(const DecodedImage& image, const std::string& reportedName, std::ostream& log)
{
    GlTexture texture = GlTexture::create();
    if (!image.loaded()) {
        if (!image.refusal.empty()) reportRefusedFile(log, image.path, image.refusal);
        log << "Texture failed to load at path: " << reportedName << "\n";
        return texture;
    }

    const GLenum format = formatForChannels(image.channels);
    const auto levels = static_cast<GLsizei>(image.levelOffsets.size());
    // One allocation for the whole chain, then a plain copy per level.
    glTextureStorage2D(texture, levels, sizedFormatForChannels(image.channels), image.width, image.height);
    glBindTexture(GL_TEXTURE_2D, texture);
    // Decoded rows are tightly packed, which the default 4-byte alignment
    // would misread for 1-3 channel images of odd widths.
    int previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    int w = image.width, h = image.height;
    for (GLsizei level = 0; level < levels; ++level) {
        glTextureSubImage2D(texture, level, 0, 0, w, h, format, GL_UNSIGNED_BYTE,
                            &image.pixels[image.levelOffsets[static_cast<size_t>(level)]]);
        w = std::max(1, w / 2);
        h = std::max(1, h / 2);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return texture;
}

GlTexture loadModelTexture(const std::string& fileName, const std::string& directory, std::ostream& log)
{
    return uploadImage(decodeImage(resolveAuthoredPath(directory, fileName)), fileName, log);
}

GlTexture loadTexture(const std::string& path, std::ostream& log)
{
    return uploadImage(decodeImage(path), path, log);
}

unsigned OwnedTextures::load(const std::string& path, std::ostream& log)
{
    return keep(loadTexture(path, log));
}

unsigned OwnedTextures::keep(GlTexture texture)
{
    textures.push_back(std::move(texture));
    return textures.back();
}
