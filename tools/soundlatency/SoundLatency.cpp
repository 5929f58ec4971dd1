// How long after its event frame a sound is mixed, through the game's own
// sound path on the default OpenAL device. Run it with OpenAL Soft's wave
// writer (ALSOFT_CONF naming a config with `drivers = wave` and the file):
//   sound_latency <assets folder> <the wave file the config names>
// It runs 60 frames a second for ten seconds and asks for a jump every 30th
// frame. At each such frame it reads the device clock (samples mixed so far),
// hands the frame to the sound, and waits until the device has mixed past that
// point: the wall time from the frame to then is the latency to the first
// mixed sample. The file is read back to confirm that each jump begins on the
// first sample mixed after its frame.
#include <AL/alc.h>
#include <AL/alext.h>
#include <sndfile.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>
#include <thread>
#include <vector>

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
    ALCint rate = 0, refresh = 0;
    alcGetIntegerv(device, ALC_FREQUENCY, 1, &rate);
    alcGetIntegerv(device, ALC_REFRESH, 1, &refresh);
    auto mixedSamples = [&] {
        ALCint64SOFT nanoseconds = 0;
        clock(device, ALC_DEVICE_CLOCK_SOFT, 1, &nanoseconds);
        return static_cast<long long>(nanoseconds) * rate / 1000000000LL;
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

    SF_INFO info{};
    SNDFILE* file = sf_open(wavePath.c_str(), SFM_READ, &info);
    if (!file) {
        std::cerr << "cannot read " << wavePath << "\n";
        return 1;
    }
    std::vector<float> mix(static_cast<std::size_t>(info.frames) * info.channels);
    sf_readf_float(file, mix.data(), info.frames);
    sf_close(file);
    auto audible = [&](long long sample) {
        for (int c = 0; c < info.channels; ++c)
            if (std::abs(mix[static_cast<std::size_t>(sample) * info.channels + c]) > 1e-3f) return true;
        return false;
    };

    int onTime = 0;
    std::vector<double> latencies;
    for (const Jump& jump : jumps) {
        long long onset = jump.mixedAtFrame;
        while (onset < info.frames && !audible(onset)) ++onset;
        // The jump's sound fades in over 2 ms: its first audible sample is within them.
        onTime += onset - jump.mixedAtFrame < rate / 500 ? 1 : 0;
        latencies.push_back(jump.latencyMs);
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("%zu jumps, %d Hz, mixing period %d samples (%.1f ms): %d begin in the first period mixed after "
                "their frame; frame -> that period mixed: median %.1f ms, min %.1f, max %.1f\n",
                jumps.size(), rate, rate / std::max(refresh, 1), 1000.0 / std::max(refresh, 1), onTime,
                latencies[latencies.size() / 2], latencies.front(), latencies.back());
    return 0;
}
