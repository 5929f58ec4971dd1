// The committed asset folder holds what the game loads: every picture decodes
// the way the game decodes it, the frame sequences are complete and loop
// without a jump; the models show in the renderer's reference pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <stb/stb_image.h>

namespace {

const std::string kAssets = std::string(VAULTRISE_SOURCE_DIR) + "/assets";

struct Picture {
    int width = 0, height = 0, channels = 0;
    std::vector<unsigned char> rgba;
};

// Decodes like the game does (stb_image, the file's own channel count), keeping RGBA.
bool decode(const std::string& path, Picture& out)
{
    unsigned char* data = stbi_load(path.c_str(), &out.width, &out.height, &out.channels, 4);
    if (!data) return false;
    out.rgba.assign(data, data + static_cast<size_t>(out.width) * out.height * 4);
    stbi_image_free(data);
    return true;
}

double meanDifference(const Picture& a, const Picture& b)
{
    double sum = 0;
    for (size_t i = 0; i < a.rgba.size(); ++i) sum += std::abs(a.rgba[i] - b.rgba[i]);
    return sum / static_cast<double>(a.rgba.size());
}

}  // namespace

TEST(AssetFiles, SingleTexturesDecodeSquareWithTheirChannels)
{
    for (const auto& [name, channels] : {std::pair{"platforms_magenta", 3}, {"platforms_blue", 3}, {"laser", 3},
                                         {"door", 3}, {"flag", 3}, {"particle", 4}, {"confetti", 3}}) {
        Picture picture;
        ASSERT_TRUE(decode(kAssets + "/textures/" + name + ".png", picture)) << name;
        EXPECT_EQ(picture.channels, channels) << name;
        EXPECT_TRUE(picture.width == 128 || picture.width == 256) << name;
        EXPECT_EQ(picture.width, picture.height) << name;
    }
    // The particle glow is opaque in the middle and fully transparent at the rim.
    Picture particle;
    ASSERT_TRUE(decode(kAssets + "/textures/particle.png", particle));
    EXPECT_GT(particle.rgba[((particle.width / 2) * particle.width + particle.width / 2) * 4 + 3], 200);
    EXPECT_EQ(particle.rgba[3], 0);
}

TEST(AssetFiles, FrameSequencesAreCompleteGifsThatLoopWithoutAJump)
{
    const struct {
        const char* prefix;
        int count, digits, size;
    } sequences[] = {{"video/video", 212, 3, 128},       {"video_front/video", 60, 2, 256},
                     {"video_back/video", 60, 2, 256},   {"platform_blue/platform", 47, 2, 128},
                     {"platform_magenta/platform", 47, 2, 128}, {"laser/laser", 110, 3, 128}};
    for (const auto& s : sequences) {
        std::vector<Picture> frames(s.count);
        for (int n = 0; n < s.count; ++n) {
            char number[8];
            std::snprintf(number, sizeof number, "%0*d", s.digits, n);
            const std::string path = kAssets + "/textures/" + s.prefix + number + ".gif";
            char header[6] = {};
            std::ifstream(path, std::ios::binary).read(header, 6);
            EXPECT_EQ(std::string(header, 6), "GIF89a") << path;
            ASSERT_TRUE(decode(path, frames[n])) << path;
            EXPECT_TRUE(frames[n].width == s.size && frames[n].height == s.size) << path;
        }
        std::vector<double> steps;
        for (int n = 0; n + 1 < s.count; ++n) steps.push_back(meanDifference(frames[n], frames[n + 1]));
        std::sort(steps.begin(), steps.end());
        const double typicalStep = steps[steps.size() / 2];
        EXPECT_GT(typicalStep, 0.1) << s.prefix << " does not animate";
        // From the last frame back to the first is an ordinary step, far
        // smaller than the change across half the loop.
        EXPECT_LE(meanDifference(frames[s.count - 1], frames[0]), typicalStep * 2.5 + 0.3) << s.prefix << " jumps";
        EXPECT_GT(meanDifference(frames[0], frames[s.count / 2]), typicalStep * 2.0) << s.prefix;
    }
}

TEST(AssetFiles, AssetFolderStaysUnder20Megabytes)
{
    uintmax_t total = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kAssets))
        if (entry.is_regular_file()) total += entry.file_size();
    EXPECT_LT(total, 20u * 1024u * 1024u);
}
