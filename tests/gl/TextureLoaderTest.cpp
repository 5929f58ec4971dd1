#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include <set>
#include <vector>

#include <stb/stb_image_write.h>

#include "render/TextureLoader.h"
#include "sim/view/FrameSequences.h"
#include "support/GlTest.h"

using TextureLoader = GlTest;

TEST_F(TextureLoader, EveryChannelCountArrivesIntactWithoutFlipOrShear)
{
    ScratchDir dir;
    // Width 3 makes rows of 3, 6 and 9 bytes: misaligned rows would shear the image.
    const GLenum formats[4] = {GL_RED, GL_RG, GL_RGB, GL_RGBA};
    for (int channels = 1; channels <= 4; ++channels) {
        std::vector<unsigned char> pixels(3 * 2 * channels);
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(10 + 7 * i);
        const std::string name = dir.path + "/image" + std::to_string(channels) + ".png";
        stbi_write_png(name.c_str(), 3, 2, channels, pixels.data(), 3 * channels);
        GlTexture texture;
        EXPECT_EQ(captureStdout([&] { texture = loadTexture(name); }), "") << name;
        std::vector<unsigned char> readBack(pixels.size());
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTextureImage(texture, 0, formats[channels - 1], GL_UNSIGNED_BYTE, static_cast<GLsizei>(readBack.size()), readBack.data());
        EXPECT_EQ(readBack, pixels) << name << ": first row at the bottom";
    }
}

TEST_F(TextureLoader, MissingFilesAreReportedAndStillGiveTheirOwnTextures)
{
    ScratchDir dir;
    GlTexture first, second;
    std::string output = captureStdout([&] {
        first = loadTexture(dir.path + "/nothing.png");
        second = loadModelTexture("gone.png", dir.path);
    });
    EXPECT_EQ(output, "Texture failed to load at path: " + dir.path + "/nothing.png\n"
                      "Texture failed to load at path: gone.png\n");
    EXPECT_TRUE(first != 0u && second != 0u && first != second);

    // The frame sequences keep only names; the store owns the six textures.
    OwnedTextures store;
    FrameSequences sequences;
    output = captureStdout([&] { sequences.load("/nonexistent", false, [&](const std::string& p) { return store.load(p); }); });
    EXPECT_EQ(output,
              "Texture failed to load at path: /nonexistent/textures/video/video001.gif\n"
              "Texture failed to load at path: /nonexistent/textures/video_front/video01.gif\n"
              "Texture failed to load at path: /nonexistent/textures/video_back/video01.gif\n"
              "Texture failed to load at path: /nonexistent/textures/platform_blue/platform01.gif\n"
              "Texture failed to load at path: /nonexistent/textures/platform_magenta/platform01.gif\n"
              "Texture failed to load at path: /nonexistent/textures/laser/laser001.gif\n");
    const std::set<unsigned> names = {sequences.videoFrames.at(0), sequences.videoFrontFrames.at(0),
                                      sequences.videoBackFrames.at(0), sequences.platformBlueFrames.at(0),
                                      sequences.platformMagentaFrames.at(0), sequences.laserFrames.at(0)};
    EXPECT_EQ(store.size(), 6u);
    EXPECT_EQ(names.size(), 6u);
    for (unsigned name : names) EXPECT_TRUE(glIsTexture(name)) << name;
}
