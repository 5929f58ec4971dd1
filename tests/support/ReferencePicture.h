#pragma once
#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

// The picture in the framebuffer bound for reading (width x height from its
// lower-left corner) against tests/pictures/<name>.png: each pixel may be off
// by 24 in a channel, and at most 1 % of them by more. Otherwise the picture
// and a map of the differing pixels (red) are written under picture-failures/
// in the build folder; docs/pictures.md says how to accept a new picture.
inline void expectReferencePicture(const std::string& name, int width = 320, int height = 180)
{
    const size_t row = static_cast<size_t>(width) * 4;
    std::vector<unsigned char> bottomUp(row * static_cast<size_t>(height));
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<unsigned char> actual(bottomUp.size()), diff(bottomUp.size());
    for (int y = 0; y < height; ++y)
        std::copy_n(&bottomUp[static_cast<size_t>(height - 1 - y) * row], row, &actual[static_cast<size_t>(y) * row]);
    int w = 0, h = 0, channels = 0, off = 0;
    unsigned char* reference = stbi_load(
        (std::string(VAULTRISE_SOURCE_DIR) + "/tests/pictures/" + name + ".png").c_str(), &w, &h, &channels, 4);
    const bool usable = reference && w == width && h == height;
    for (size_t i = 0; i < actual.size(); i += 4) {
        bool bad = !usable;
        for (size_t k = 0; k < 3 && usable; ++k) bad |= std::abs(actual[i + k] - reference[i + k]) > 24;
        off += bad;
        for (size_t k = 0; k < 3; ++k) diff[i + k] = bad ? (k == 0 ? 255 : 0) : actual[i + k] / 3;
        actual[i + 3] = diff[i + 3] = 255;
    }
    stbi_image_free(reference);
    const std::string folder = std::string(VAULTRISE_BINARY_DIR) + "/picture-failures/";
    const int allowed = width * height / 100;
    EXPECT_LE(off, allowed) << name << ": " << off << " pixels differ; see " << folder;
    if (off <= allowed) return;
    std::filesystem::create_directories(folder);
    stbi_write_png((folder + name + ".png").c_str(), width, height, 4, actual.data(), static_cast<int>(row));
    stbi_write_png((folder + name + ".diff.png").c_str(), width, height, 4, diff.data(), static_cast<int>(row));
}
