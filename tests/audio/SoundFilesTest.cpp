// The committed sounds and music: readable by the game's decoder, mono or
// stereo 16-bit, with headroom, no DC offset, one-shots that start and end at
// silence, and loops whose end runs into their start without a click.
#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "audio/SoundId.h"

namespace {

const std::string kSounds = std::string(VAULTRISE_SOURCE_DIR) + "/assets/sounds/";
const std::string kMusic = std::string(VAULTRISE_SOURCE_DIR) + "/assets/music/";

struct Samples {
    std::vector<float> mono;
    int rate = 0;
    int channels = 0;
};

Samples readAll(const std::string& path)
{
    Samples s;
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return s;
    std::vector<float> interleaved(static_cast<std::size_t>(info.frames) * info.channels);
    sf_readf_float(file, interleaved.data(), info.frames);
    sf_close(file);
    s.rate = info.samplerate;
    s.channels = info.channels;
    s.mono.resize(static_cast<std::size_t>(info.frames));
    for (std::size_t i = 0; i < s.mono.size(); ++i)
        for (int c = 0; c < info.channels; ++c) s.mono[i] += interleaved[i * info.channels + c] / info.channels;
    return s;
}

double peakDbfs(const std::vector<float>& s)
{
    float peak = 0.0f;
    for (float v : s) peak = std::max(peak, std::abs(v));
    return 20.0 * std::log10(std::max(peak, 1e-9f));
}

double mean(const std::vector<float>& s)
{
    double sum = 0.0;
    for (float v : s) sum += v;
    return sum / static_cast<double>(s.size());
}

// A click at the loop point is a step from the last sample to the first that
// is out of line with the steps the sound makes on either side of it.
void expectSeamless(const Samples& s, const std::string& name)
{
    constexpr std::size_t kNear = 32;
    float usual = 1.0f / 32768.0f;  // one 16-bit step, for near-silent stretches
    for (std::size_t i = 0; i < kNear; ++i) {
        usual = std::max(usual, std::abs(s.mono[i + 1] - s.mono[i]));
        const std::size_t j = s.mono.size() - 2 - i;
        usual = std::max(usual, std::abs(s.mono[j + 1] - s.mono[j]));
    }
    const float seam = std::abs(s.mono.front() - s.mono.back());
    EXPECT_LE(seam, 1.5f * usual) << name << ": the loop point steps " << seam << ", the steps beside it at most "
                                  << usual;
}

}  // namespace

TEST(SoundFiles, EveryEffectDecodesWithHeadroomNoDcAndSilentEnds)
{
    for (const char* name : kSoundFiles) {
        const Samples s = readAll(kSounds + name);
        ASSERT_GT(s.mono.size(), 100u) << name;
        EXPECT_EQ(s.channels, 1) << name << ": world sounds are placed in space, so they are mono";
        EXPECT_LT(peakDbfs(s.mono), -1.0) << name;
        EXPECT_GT(peakDbfs(s.mono), -12.0) << name << " is far quieter than the others";
        EXPECT_LT(std::abs(mean(s.mono)), 1e-3) << name << " has a DC offset";
        EXPECT_LT(std::abs(s.mono.front()), 2e-3f) << name << " starts with a click";
        EXPECT_LT(std::abs(s.mono.back()), 2e-3f) << name << " ends with a click";
        EXPECT_LT(s.mono.size(), static_cast<std::size_t>(3 * s.rate)) << name << " is long for an effect";
    }
}

TEST(SoundFiles, LoopsAndMusicAreSeamlessWithHeadroomAndNoDc)
{
    const struct { std::string path; double shortest; } loops[] = {
        {kSounds + kRollLoopFile, 0.5},
        {kSounds + kVoidHumLoopFile, 0.5},
        {kMusic + kMusicFile, 60.0},
    };
    for (const auto& loop : loops) {
        const Samples s = readAll(loop.path);
        ASSERT_GT(s.rate, 0) << loop.path;
        EXPECT_GE(static_cast<double>(s.mono.size()) / s.rate, loop.shortest) << loop.path;
        EXPECT_LT(peakDbfs(s.mono), -1.0) << loop.path;
        EXPECT_LT(std::abs(mean(s.mono)), 1e-3) << loop.path;
        expectSeamless(s, loop.path);
    }
    // Streamed, yet small enough to keep in the repository.
    EXPECT_LT(std::filesystem::file_size(kMusic + kMusicFile), 4u << 20);
}

TEST(SoundFiles, SeamCheckCatchesACutLoop)
{
    // The same loops cut short: the check above must see the step.
    for (const std::string& path : {kMusic + kMusicFile, kSounds + kVoidHumLoopFile}) {
        Samples cut = readAll(path);
        ASSERT_GT(cut.mono.size(), 30000u);
        cut.mono.resize(cut.mono.size() - 12345);
        EXPECT_NONFATAL_FAILURE(expectSeamless(cut, "cut"), "the loop point steps");
    }
}
