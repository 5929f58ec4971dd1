#pragma once
#include <AL/alc.h>
#include <AL/alext.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <iosfwd>
#include <memory>
#include <string>

#include "audio/SoundDecisions.h"

// The latency benchmark's record (--sound-trace): for every sound started, the
// frame, the audio device's clock when the frame began and when the sound was
// handed to OpenAL, and the steady clock at both moments. The device clock is
// read as the samples the device has mixed, so with OpenAL Soft's wave writer
// it is a place in the written file. Off unless asked for; it writes only to its
// own file and changes nothing the game does or prints.
class SoundTrace {
public:
    // Needs ALC_SOFT_device_clock; nullptr with one line on `log` when the
    // device has no clock or `path` cannot be written.
    static std::unique_ptr<SoundTrace> open(const std::string& path, ALCdevice* device, std::ostream& log);

    // At the top of each frame, before the simulation runs.
    void frameBegins() { frameStart = now(); }
    // Just before the frame's sounds are handed to OpenAL.
    void beforePlay() { play = now(); }
    // One line for a sound the mixer started this frame.
    void started(long long frame, const SoundCue& cue);

private:
    struct Moment {
        long long deviceSample = 0;
        long long steadyNs = 0;
    };
    SoundTrace(ALCdevice* device, LPALCGETINTEGER64VSOFT clock, int rate, std::ofstream file);
    Moment now() const;

    ALCdevice* device;
    LPALCGETINTEGER64VSOFT clock;
    int rate;
    std::ofstream file;
    Moment frameStart, play;
};
