// The mixer on OpenAL Soft's loopback device: the mix is rendered on demand,
// one frame's worth of samples after each simulated frame, so where a sound
// starts can be checked to the frame with no clock and no sound card.
#include <gtest/gtest.h>

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "audio/AlMixer.h"
#include "audio/MusicStream.h"
#include "audio/SoundBank.h"
#include "audio/SoundOutput.h"
#include "sim/view/FrameView.h"
#include "SoundTraceTiming.h"
#include "WaveOnsets.h"

namespace {

constexpr int kRate = 44100;
constexpr int kSamplesPerFrame = kRate / 60;
constexpr float kAudible = 1e-3f;
const std::string kAssets = std::string(VAULTRISE_SOURCE_DIR) + "/assets";

const DecodedSounds& shippedSounds()
{
    static const DecodedSounds sounds = [] {
        std::ostringstream log;
        return decodeSounds(kAssets + "/sounds", log);
    }();
    return sounds;
}

// A SoundOutput on a loopback device, and the frame-by-frame rendering of its mix.
class Loopback {
public:
    explicit Loopback(const std::string& musicPath = "", AudioSettings settings = {1, 1.0f, 1.0f, 1.0f})
    {
        auto open = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
        render = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
        const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_FLOAT_SOFT,
                                     ALC_FREQUENCY, kRate, 0};
        auto mixer = AlMixer::create(open(nullptr), attributes, shippedSounds(), musicPath, log);
        if (mixer) output = std::make_unique<SoundOutput>(std::move(mixer), settings, log);
    }

    // Runs one frame through the output and renders its samples: the frame's peak.
    float frame(const FrameView& view)
    {
        output->afterFrame(view);
        return renderPeak(kSamplesPerFrame);
    }
    float renderPeak(int samples)
    {
        std::vector<float> mix(static_cast<std::size_t>(samples) * 2);
        render(output->currentMixer()->device(), mix.data(), samples);
        float peak = 0.0f;
        for (float v : mix) peak = std::max(peak, std::abs(v));
        return peak;
    }

    std::ostringstream log;
    std::unique_ptr<SoundOutput> output;
    LPALCRENDERSAMPLESSOFT render = nullptr;
};

// A frame in the air far above the void: nothing plays unless an event asks.
FrameView quietFrame(std::vector<FrameEvent> events = {}, bool paused = false)
{
    FrameView view;
    view.events = std::move(events);
    view.paused = paused;
    view.voidHeight = -1000.0f;
    return view;
}

long lineCount(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

FrameEvent at(FrameEventKind kind, float speed = 0.0f) { return FrameEvent{kind, speed, glm::vec3(0.0f, 0.0f, -2.0f)}; }

}  // namespace

TEST(LoopbackMixer, SoundsStartInTheFrameOfTheirEvent)
{
    const struct { FrameEventKind kind; float speed; int frame; } rows[] = {
        {FrameEventKind::FirstJump, 0.0f, 5},
        {FrameEventKind::Landing, 15.0f, 12},
        {FrameEventKind::PowerUpTaken, 0.0f, 20},
        {FrameEventKind::WarmUpEnded, 0.0f, 1},
    };
    for (const auto& row : rows) {
        Loopback loopback;
        ASSERT_TRUE(loopback.output) << loopback.log.str();
        int onset = -1;
        for (int frame = 0; frame < row.frame + 5 && onset < 0; ++frame) {
            const std::vector<FrameEvent> events =
                frame == row.frame ? std::vector<FrameEvent>{at(row.kind, row.speed)} : std::vector<FrameEvent>{};
            if (loopback.frame(quietFrame(events)) > kAudible) onset = frame;
        }
        EXPECT_EQ(onset, row.frame) << static_cast<int>(row.kind);
    }
}

// The latency benchmark's trace gives, for each sound started, the device
// clock as a place in the mix: there the sound begins, found by its shape.
TEST(LoopbackMixer, TheSoundTraceSaysWhereEachSoundBeginsInTheMix)
{
    const std::string path = ::testing::TempDir() + "loopback.trace";
    const struct { FrameEventKind kind; float speed; int frame; SoundId sound; } rows[] = {
        {FrameEventKind::FirstJump, 0.0f, 5, SoundId::Jump},
        {FrameEventKind::Landing, 15.0f, 20, SoundId::Landing},  // played faster than recorded
        {FrameEventKind::SecondJump, 0.0f, 33, SoundId::DoubleJump},
    };
    Loopback loopback;
    ASSERT_TRUE(loopback.output);
    loopback.output->traceTo(path);
    std::vector<float> mix;  // the channels summed
    for (int frame = 0; frame < 45; ++frame) {
        FrameView view = quietFrame();
        view.frameCount = frame;
        for (const auto& row : rows)
            if (row.frame == frame) view.events.push_back(at(row.kind, row.speed));
        loopback.output->frameBegins();
        loopback.output->afterFrame(view);
        float samples[kSamplesPerFrame * 2];
        loopback.render(loopback.output->currentMixer()->device(), samples, kSamplesPerFrame);
        for (int i = 0; i < kSamplesPerFrame; ++i) mix.push_back(samples[2 * i] + samples[2 * i + 1]);
    }
    loopback.output.reset();
    std::ifstream file(path);  // the trace is complete once its output is gone
    const auto trace = readSoundTrace(file);
    ASSERT_TRUE(trace);
    ASSERT_EQ(trace->sounds.size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const TracedSound& traced = trace->sounds[i];
        EXPECT_EQ(traced.frame, rows[i].frame);
        EXPECT_EQ(traced.sound, kSoundFiles[index(rows[i].sound)]);
        EXPECT_EQ(traced.playSample, rows[i].frame * kSamplesPerFrame) << traced.sound;
        const DecodedSound& sound = shippedSounds().effects[index(rows[i].sound)];
        const std::vector<float> played = playedAs(floatSamples(sound.samples), sound.rate, kRate, traced.pitch, 2048);
        const Onset onset = findOnset(mix, played, traced.playSample - kSamplesPerFrame, traced.playSample + 4096);
        EXPECT_EQ(onset.sample, traced.playSample) << traced.sound;
    }
}

TEST(LoopbackMixer, FiftyEqualSoundsInOneFrameAreAsLoudAsOne)
{
    float one = 0.0f, fifty = 0.0f;
    for (int count : {1, 50}) {
        Loopback loopback;
        ASSERT_TRUE(loopback.output);
        const std::vector<FrameEvent> events(count, at(FrameEventKind::Landing, 20.0f));
        float peak = loopback.frame(quietFrame(events));
        for (int frame = 0; frame < 10; ++frame) peak = std::max(peak, loopback.frame(quietFrame()));
        (count == 1 ? one : fifty) = peak;
        EXPECT_EQ(loopback.output->currentMixer()->busyVoices(), 1u);
    }
    EXPECT_GT(one, kAudible);
    EXPECT_NEAR(fifty, one, one * 0.01f);
}

TEST(LoopbackMixer, NoMoreVoicesThanTheCapUnderFiftyEventsAFrame)
{
    Loopback loopback;
    ASSERT_TRUE(loopback.output);
    std::size_t most = 0;
    for (int frame = 0; frame < 4; ++frame) {
        std::vector<FrameEvent> events;
        for (int i = 0; i < 50; ++i) {
            const auto kind = static_cast<FrameEventKind>((i + frame) % (static_cast<int>(FrameEventKind::MenuBack) + 1));
            events.push_back(at(kind, 5.0f + i));
        }
        loopback.frame(quietFrame(events));
        most = std::max(most, loopback.output->currentMixer()->busyVoices());
    }
    // Merging leaves one cue per sound; the cap holds what is left to 12 voices at once.
    EXPECT_EQ(most, AlMixer::kVoices);
}

TEST(LoopbackMixer, PauseHoldsTheWorldsSoundsAndResumeLetsThemGoOn)
{
    Loopback loopback;
    ASSERT_TRUE(loopback.output);
    FrameView rolling = quietFrame({at(FrameEventKind::PowerUpTaken)});
    rolling.grounded = true;
    rolling.groundSpeed = 12.0f;
    EXPECT_GT(loopback.frame(rolling), kAudible);
    // Paused: only the pause sound, then silence though the power-up and the roll had more to play.
    loopback.frame(quietFrame({at(FrameEventKind::Paused)}, true));
    float tail = 0.0f;
    for (int frame = 0; frame < 40; ++frame) {
        const float peak = loopback.frame(quietFrame({}, true));
        if (frame >= 25) tail = std::max(tail, peak);
    }
    EXPECT_LT(tail, kAudible);
    // Resumed: the held power-up goes on (the resume sound is left out here).
    FrameView resumed = quietFrame({});
    EXPECT_GT(loopback.frame(resumed), kAudible);
}

TEST(LoopbackMixer, MusicStreamsThroughItsSmallBuffersAndLoops)
{
    Loopback loopback(kAssets + "/music/" + kMusicFile);
    ASSERT_TRUE(loopback.output);
    const MusicStream* music = loopback.output->currentMixer()->music();
    ASSERT_NE(music, nullptr) << loopback.log.str();
    float peak = 0.0f;
    // Two seconds of mix, with time for the decoder thread to refill between pieces.
    for (int step = 0; step < 20; ++step) {
        loopback.output->afterFrame(quietFrame());
        peak = std::max(peak, loopback.renderPeak(kRate / 10));
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    EXPECT_GT(peak, kAudible);
    // 2 s at the music's rate is more pieces than the queue holds at once.
    EXPECT_GT(music->piecesDecoded(), MusicStream::kBuffers + 4);
}

TEST(SoundBank, AMissingOrUnusableFileCostsOneLineAndOnlyItsSound)
{
    std::ostringstream log;
    const std::string text = std::string(VAULTRISE_SOURCE_DIR) + "/README.md";
    const struct { std::string path; bool usable; std::string line; } rows[] = {
        {kAssets + "/sounds/jump.wav", true, ""},
        {kAssets + "/sounds/nothing.wav", false, "Sound failed to load at path: " + kAssets + "/sounds/nothing.wav\n"},
        {text, false, "Sound failed to load at path: " + text + "\n"},
        {kAssets + "/sounds", false, "File refused: " + kAssets + "/sounds"},
    };
    for (const auto& row : rows) {
        std::ostringstream lines;
        EXPECT_EQ(decodeSound(row.path, lines).usable(), row.usable) << row.path;
        EXPECT_EQ(lines.str().substr(0, row.line.size()), row.line);
        EXPECT_EQ(lineCount(lines.str()), row.line.empty() ? 0 : 1);
    }
    // A folder with no sounds: one line per file, and a mixer that plays the rest (nothing) silently.
    std::ostringstream missing;
    const DecodedSounds none = decodeSounds("/nonexistent", missing);
    EXPECT_EQ(lineCount(missing.str()), static_cast<long>(kSoundCount + 2));
}
