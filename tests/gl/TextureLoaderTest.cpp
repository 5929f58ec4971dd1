#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include <stb/stb_image_write.h>

#include "render/TextureLoader.h"
#include "support/GlTest.h"

namespace {

struct ImageDir : ScratchDir {
    // A width x height image whose bytes count up from `seed`, so rows and
    // channels are told apart when read back.
    std::vector<unsigned char> writePng(const std::string& name, int width, int height, int channels, int seed = 10) const
    {
        std::vector<unsigned char> pixels(width * height * channels);
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(seed + 7 * i);
        stbi_write_png((path + "/" + name).c_str(), width, height, channels, pixels.data(), width * channels);
        return pixels;
    }
};

int levelParameter(int level, GLenum parameter)
{
    int value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, parameter, &value);
    return value;
}

}  // namespace

using TextureLoader = GlTest;

TEST_F(TextureLoader, ChannelCountsPickTheUploadFormatAndPixelsArriveIntact)
{
    ImageDir dir;
    struct Case {
        int channels;
        GLenum format;
    };
    // Width 3 makes rows of 3, 6 and 9 bytes: misaligned rows would shear the image.
    for (Case c : {Case{1, GL_RED}, Case{2, GL_RG}, Case{3, GL_RGB}, Case{4, GL_RGBA}}) {
        std::string name = "image" + std::to_string(c.channels) + ".png";
        std::vector<unsigned char> pixels = dir.writePng(name, 3, 2, c.channels);
        unsigned texture = 0;
        std::string output = captureStdout([&] { texture = loadTexture(dir.path + "/" + name); });
        EXPECT_EQ(output, "") << name;
        ASSERT_NE(texture, 0u);
        glBindTexture(GL_TEXTURE_2D, texture);
        EXPECT_EQ(levelParameter(0, GL_TEXTURE_INTERNAL_FORMAT), static_cast<int>(c.format)) << name;
        EXPECT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), 3);
        EXPECT_EQ(levelParameter(0, GL_TEXTURE_HEIGHT), 2);
        EXPECT_EQ(levelParameter(1, GL_TEXTURE_WIDTH), 1) << "mipmaps are generated";

        std::vector<unsigned char> readBack(pixels.size() + 16, 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, c.format, GL_UNSIGNED_BYTE, readBack.data());
        readBack.resize(pixels.size());
        EXPECT_EQ(readBack, pixels) << name << ": first row at the bottom, no vertical flip";

    }
    int alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4) << "the loader restores the unpack alignment";
}

TEST_F(TextureLoader, MissingFileIsReportedAndStillGivesATextureName)
{
    ImageDir dir;
    unsigned first = 0, second = 0;
    std::string output = captureStdout([&] {
        first = loadTexture(dir.path + "/nothing.png");
        second = loadModelTexture("gone.png", dir.path);
    });
    EXPECT_EQ(output, "Texture failed to load at path: " + dir.path + "/nothing.png\n"
                      "Texture failed to load at path: gone.png\n");
    EXPECT_NE(first, 0u);
    EXPECT_NE(second, 0u);
    EXPECT_NE(first, second);
}

TEST_F(TextureLoader, ModelTexturesAreReadFromTheModelDirectory)
{
    ImageDir dir;
    dir.writePng("skin.png", 2, 2, 4);
    unsigned texture = 0;
    std::string output = captureStdout([&] { texture = loadModelTexture("skin.png", dir.path); });
    EXPECT_EQ(output, "");
    glBindTexture(GL_TEXTURE_2D, texture);
    EXPECT_EQ(levelParameter(0, GL_TEXTURE_WIDTH), 2);
}
