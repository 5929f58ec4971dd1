// How long after its event frame a sound is mixed, through the game's own
// sound path on the default OpenAL device. Run it with OpenAL Soft's wave
// writer (ALSOFT_CONF naming a config with `drivers = wave` and the file):
//   sound_latency <assets folder> <the wave file the config names>
// It runs 60 frames a second for ten seconds and asks for a jump every 30th
// frame. At each such frame it reads the device clock (samples mixed so far),
// hands the frame to the sound, and waits until the device has mixed past that
// point: the wall time from the frame to then is the latency to the first
// mixed sample. The file is read back to confirm that each jump begins on the
// first sample mixed after its frame (found by its shape, WaveOnsets).
#include <AL/alc.h>
#include <AL/alext.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <numeric>
#include <thread>
#include <vector>

#include "WaveOnsets.h"
#include "audio/AlMixer.h"
#include "audio/SoundBank.h"
#include "audio/SoundOutput.h"
#include "sim/view/FrameView.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kFrames = 600;
constexpr int kEvery = 30;

struct Jump {
    long long mixedAtFrame = 0;  // samples the device had mixed when the frame asked
    double latencyMs = 0.0;      // frame -> the device mixed past that point
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: sound_latency <assets folder> <wave file>\n";
        return 2;
    }
    const std::string assets = argv[1], wavePath = argv[2];
    const DecodedSounds sounds = decodeSounds(assets + "/sounds", std::cerr);
    ALCdevice* device = alcOpenDevice(nullptr);
    if (!device || !alcIsExtensionPresent(device, "ALC_SOFT_device_clock")) {
        std::cerr << "no audio device with a device clock (set ALSOFT_CONF to a wave writer config)\n";
        return 1;
    }
    auto clock = reinterpret_cast<LPALCGETINTEGER64VSOFT>(alcGetProcAddress(device, "alcGetInteger64vSOFT"));
    auto mixer = AlMixer::create(device, nullptr, sounds, "", std::cerr);
    if (!mixer) return 1;
    ALCint rate = 0;
    alcGetIntegerv(device, ALC_FREQUENCY, 1, &rate);
    auto mixedSamples = [&] {
        ALCint64SOFT nanoseconds = 0;
        clock(device, ALC_DEVICE_CLOCK_SOFT, 1, &nanoseconds);
        return (static_cast<long long>(nanoseconds) * rate + 500000000LL) / 1000000000LL;  // rounded back to a sample
    };
    AudioSettings settings;
    settings.volume = 1.0f;
    auto output = std::make_unique<SoundOutput>(std::move(mixer), settings, std::cerr);

    std::vector<Jump> jumps;
    FrameView view;
    view.voidHeight = -1000.0f;
    const Clock::time_point start = Clock::now();
    for (int frame = 1; frame <= kFrames; ++frame) {
        std::this_thread::sleep_until(start + std::chrono::microseconds(frame * 1000000LL / 60));
        view.events.clear();
        if (frame % kEvery != 0) {
            output->afterFrame(view);
            continue;
        }
        view.events.push_back(FrameEvent{FrameEventKind::FirstJump, 0.0f, glm::vec3(0.0f)});
        const Clock::time_point asked = Clock::now();
        const long long mixed = mixedSamples();
        output->afterFrame(view);
        while (mixedSamples() <= mixed) std::this_thread::sleep_for(std::chrono::microseconds(200));
        jumps.push_back({mixed, std::chrono::duration<double, std::milli>(Clock::now() - asked).count()});
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    output.reset();  // closes the device: the writer finishes the file

    const auto mix = readMonoWave(wavePath);
    if (!mix) {
        std::cerr << "cannot read " << wavePath << "\n";
        return 1;
    }
    const DecodedSound& jumpSound = sounds.effects[index(SoundId::Jump)];
    const std::vector<float> jump = playedAs(floatSamples(jumpSound.samples), jumpSound.rate, rate, 1.0f, 2048);
    // The clock steps a period at each mix: every reading is a multiple of it.
    long long period = 0;
    for (const Jump& asked : jumps) period = std::gcd(period, asked.mixedAtFrame);

    int onTime = 0;
    std::vector<double> latencies;
    for (const Jump& asked : jumps) {
        // The mixer starts a sound in the first period it mixes after the sound was asked for.
        const Onset onset = findOnset(mix->samples, jump, asked.mixedAtFrame, asked.mixedAtFrame + 8 * period);
        onTime += onset.sample >= 0 && onset.sample < asked.mixedAtFrame + period ? 1 : 0;
        latencies.push_back(asked.latencyMs);
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("%zu jumps, %d Hz, mixing period %d samples (%.1f ms): %d begin in the first period mixed after "
                "their frame; frame -> that period mixed: median %.1f ms, min %.1f, max %.1f\n",
                jumps.size(), rate, static_cast<int>(period), 1000.0 * period / rate, onTime,
                latencies[latencies.size() / 2], latencies.front(), latencies.back());
    return 0;
}
