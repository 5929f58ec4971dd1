#include <epoxy/gl.h>

#include <sys/stat.h>

#include <fstream>
#include <algorithm>
#include <set>
#include <vector>

#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include "core/FileCheck.h"
#include "render/TextureLoader.h"
#include "render/FrameSequences.h"
#include "support/GlTest.h"

using TextureLoader = GlTest;

// Width 3 makes rows of 3, 6 and 9 bytes: misaligned rows would shear the
// image. Each failure is one line and still gives a texture of its own; the
// frame sequences keep only names, the store owns their textures.
TEST_F(TextureLoader, ImagesArriveIntactAndMissingFilesAreReportedAndStillGiveTheirOwnTextures)
{
    ScratchDir dir;
    const GLenum formats[4] = {GL_RED, GL_RG, GL_RGB, GL_RGBA};
    for (int channels = 1; channels <= 4; ++channels) {
        std::vector<unsigned char> pixels(3 * 2 * channels), readBack(pixels.size());
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(10 + 7 * i);
        const std::string name = dir.path + "/image" + std::to_string(channels) + ".png";
        stbi_write_png(name.c_str(), 3, 2, channels, pixels.data(), 3 * channels);
        GlTexture texture;
        EXPECT_EQ(captureStdout([&] { texture = loadTexture(name, std::cout); }), "") << name;
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTextureImage(texture, 0, formats[channels - 1], GL_UNSIGNED_BYTE, static_cast<GLsizei>(readBack.size()), readBack.data());
        EXPECT_EQ(readBack, pixels) << name << ": first row at the bottom";
    }

    GlTexture first, second;
    OwnedTextures store;
    FrameSequences sequences;
    const std::string output = captureStdout([&] {
        first = loadTexture("/nonexistent/nothing.png", std::cout);
        second = loadModelTexture("gone.png", "/nonexistent", std::cout);
        sequences.load("/nonexistent", false, [&](const std::string& p) { return store.load(p, std::cout); });
    });
    std::string expected = "Texture failed to load at path: /nonexistent/nothing.png\nTexture failed to load at path: gone.png\n";
    for (const char* file : {"video/video001", "video_front/video01", "video_back/video01", "platform_blue/platform01",
                             "platform_magenta/platform01", "laser/laser001"})
        expected += "Texture failed to load at path: /nonexistent/textures/" + std::string(file) + ".gif\n";
    EXPECT_EQ(output, expected);
    const std::set<unsigned> names = {first, second, sequences.videoFrames.at(0), sequences.videoFrontFrames.at(0),
                                      sequences.videoBackFrames.at(0), sequences.platformBlueFrames.at(0),
                                      sequences.platformMagentaFrames.at(0), sequences.laserFrames.at(0)};
    EXPECT_EQ(names.size(), 8u);
    for (unsigned name : names) EXPECT_TRUE(glIsTexture(name)) << name;

    // A GIF header naming a 16000 x 16000 screen and a FIFO: refused before
    // decoding or blocking, with the missing file's line after the reason.
    const std::string gif = dir.path + "/huge.gif", fifo = dir.path + "/fifo.png";
    std::ofstream(gif, std::ios::binary) << std::string("GIF89a\x80\x3e\x80\x3e\0\0\0;", 14);
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(captureStdout([&] { first = loadTexture(gif, std::cout), second = loadTexture(fifo, std::cout); }),
              "File refused: " + gif + " " + imageSizeRefusal(16000, 16000) + "\nTexture failed to load at path: " +
                  gif + "\nFile refused: " + fifo + " is a FIFO, not a regular file\n"
                  "Texture failed to load at path: " + fifo + "\n");
}

// Mipmaps built on the CPU against the GL's own glGenerateMipmap, every level,
// for a shipped frame (even sizes) and a 5×3 picture (odd sizes, bilinear).
// Tolerance: one step of 255 per channel (llvmpipe: identical). Rounding each
// 2×2 average once, not pair by pair as the GL does, drifts to 3 by level 5.
TEST_F(TextureLoader, CpuMipmapsMatchTheGlsOwnWithinOneStepPerChannel)
{
    ScratchDir dir;
    std::vector<unsigned char> odd(5 * 3 * 3);
    for (size_t i = 0; i < odd.size(); ++i) odd[i] = static_cast<unsigned char>(i * 37 % 256);
    const std::string oddName = dir.path + "/odd.png";
    stbi_write_png(oddName.c_str(), 5, 3, 3, odd.data(), 5 * 3);
    for (const std::string& path : {std::string(VAULTRISE_SOURCE_DIR) + "/assets/textures/video/video000.gif", oddName}) {
        int w = 0, h = 0, channels = 0;
        unsigned char* pixels = stbi_load(path.c_str(), &w, &h, &channels, 4);
        ASSERT_TRUE(pixels) << path;
        GlTexture reference = GlTexture::create();
        glBindTexture(GL_TEXTURE_2D, reference);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
        glGenerateMipmap(GL_TEXTURE_2D);
        stbi_image_free(pixels);
        GlTexture loaded = loadTexture(path, std::cout);
        int levels = 0;
        for (; std::max(w, h) >> levels; ++levels) {
            const int lw = std::max(1, w >> levels), lh = std::max(1, h >> levels);
            std::vector<unsigned char> expected(lw * lh * 4), actual(expected.size());
            glGetTextureImage(reference, levels, GL_RGBA, GL_UNSIGNED_BYTE, static_cast<GLsizei>(expected.size()), expected.data());
            glGetTextureImage(loaded, levels, GL_RGBA, GL_UNSIGNED_BYTE, static_cast<GLsizei>(actual.size()), actual.data());
            int worst = 0;
            for (size_t i = 0; i < expected.size(); ++i) worst = std::max(worst, std::abs(expected[i] - actual[i]));
            EXPECT_LE(worst, 1) << path << " level " << levels << " (" << lw << "x" << lh << ")";
        }
        EXPECT_EQ(levels, path == oddName ? 3 : 8) << path;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}
