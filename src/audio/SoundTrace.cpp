#include "audio/SoundTrace.h"

#include <ostream>

std::unique_ptr<SoundTrace> SoundTrace::open(const std::string& path, ALCdevice* device, std::ostream& log)
{
    if (!alcIsExtensionPresent(device, "ALC_SOFT_device_clock")) {
        log << "Sound trace off: the audio device has no clock\n";
        return nullptr;
    }
    std::ofstream file(path, std::ios::trunc);
    if (!file) {
        log << "Sound trace off: cannot write " << path << "\n";
        return nullptr;
    }
    ALCint rate = 0, refresh = 0;
    alcGetIntegerv(device, ALC_FREQUENCY, 1, &rate);
    alcGetIntegerv(device, ALC_REFRESH, 1, &refresh);
    auto clock = reinterpret_cast<LPALCGETINTEGER64VSOFT>(alcGetProcAddress(device, "alcGetInteger64vSOFT"));
    file << "# vaultrise sound trace: rate " << rate << " refresh " << refresh << "\n"
         << "# frame sound pitch frameStartSample playSample frameStartNs playNs\n";
    return std::unique_ptr<SoundTrace>(new SoundTrace(device, clock, rate, std::move(file)));
}

SoundTrace::SoundTrace(ALCdevice* device, LPALCGETINTEGER64VSOFT clock, int rate, std::ofstream file)
    : device(device), clock(clock), rate(rate), file(std::move(file))
{
}

SoundTrace::Moment SoundTrace::now() const
{
    ALCint64SOFT nanoseconds = 0;
    clock(device, ALC_DEVICE_CLOCK_SOFT, 1, &nanoseconds);
    const auto steady = std::chrono::steady_clock::now().time_since_epoch();
    // The clock is the samples mixed in nanoseconds; rounding gives the sample back.
    return {(static_cast<long long>(nanoseconds) * rate + 500000000LL) / 1000000000LL,
            std::chrono::duration_cast<std::chrono::nanoseconds>(steady).count()};
}

void SoundTrace::started(long long frame, const SoundCue& cue)
{
    file << frame << ' ' << kSoundFiles[index(cue.sound)] << ' ' << cue.pitch << ' ' << frameStart.deviceSample << ' '
         << play.deviceSample << ' ' << frameStart.steadyNs << ' ' << play.steadyNs << '\n';
}
