#pragma once
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "WaveOnsets.h"

// The game's sound trace (--sound-trace) read back and paired with the mix
// OpenAL Soft's wave writer wrote in the same run. The trace gives, for each
// sound started, the device clock (samples mixed so far, that is a place in
// the written file) and the steady clock when its frame began and when it was
// handed to OpenAL.

struct TracedSound {
    long long frame = 0;
    std::string sound;  // its file under <assets>/sounds
    float pitch = 1.0f;
    long long frameStartSample = 0, playSample = 0;
    long long frameStartNs = 0, playNs = 0;
};
struct SoundTraceFile {
    int rate = 0;
    std::vector<TracedSound> sounds;
};
// nullopt when the header or a line is not the trace's.
std::optional<SoundTraceFile> readSoundTrace(std::istream& in);

// The wave writer mixes one period at a time, each as soon as its last
// sample's time has come (counted from the writer's start), and the device
// clock steps by a period at each mix. So the period is the largest step every
// clock reading is a multiple of, and the writer's start is the earliest
// steady time minus clock time over all readings (a reading just after a mix).
struct WriterClock {
    int rate = 0;
    long long period = 0;   // samples
    long long startNs = 0;  // steady clock
    // When the period holding `sample` was mixed.
    long long mixedNs(long long sample) const;
};
// nullopt for a trace without a sound or whose clock never moved.
std::optional<WriterClock> writerClockOf(const SoundTraceFile& trace);

struct TimedSound {
    Onset onset;
    bool firstPeriod = false;  // it begins in the first period mixed after its play call
    double latencyMs = 0.0;    // its frame's start -> the period holding its first sample mixed
};
// `played` is the sound as the mixer plays it (playedAs); it is looked for
// from the play call's clock on, over `searchPeriods` periods.
TimedSound timeSound(const TracedSound& traced, std::span<const float> mix, std::span<const float> played,
                     const WriterClock& clock, int searchPeriods = 8);
