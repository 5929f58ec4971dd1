// Event frame -> first sample mixed, for every sound a windowed game run
// started: the run's sound trace (--sound-trace) paired with the mix OpenAL
// Soft's wave writer wrote (tools/sound_latency_windowed.sh runs the game):
//   sound_latency_windowed <assets folder> <trace file> <wave file>
// Each sound is looked for in the mix by its shape from its play call's clock
// on; its latency runs from its frame's start to the moment the writer mixed
// the period holding its first sample (docs/performance.md).
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <vector>

#include "SoundTraceTiming.h"
#include "WaveOnsets.h"
#include "audio/SoundBank.h"

namespace {

// Enough of each sound to know it by (46 ms at 44.1 kHz).
constexpr std::size_t kShapeLength = 2048;
// Below this the sound was not found under the rest of the mix.
constexpr double kLeastMatch = 0.5;

struct KnownSound {
    std::vector<float> samples;
    int rate = 0;
};

struct Figures {
    std::vector<double> latencies;
    int firstPeriod = 0;
};

std::string summary(std::vector<double> values)
{
    if (values.empty()) return "none";
    std::sort(values.begin(), values.end());
    char text[96];
    std::snprintf(text, sizeof text, "median %.1f ms, min %.1f, max %.1f", values[values.size() / 2], values.front(),
                  values.back());
    return text;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: sound_latency_windowed <assets folder> <trace file> <wave file>\n";
        return 2;
    }
    std::ifstream traceFile(argv[2]);
    const auto trace = readSoundTrace(traceFile);
    const auto mix = readMonoWave(argv[3]);
    if (!trace || !mix || mix->rate != trace->rate) {
        std::cerr << "cannot read the trace " << argv[2] << " and the wave " << argv[3] << " at one rate\n";
        return 1;
    }
    const auto clock = writerClockOf(*trace);
    if (!clock) {
        std::cerr << "the trace holds no sound\n";
        return 1;
    }
    std::map<std::string, KnownSound> known;
    Figures all, jumps;
    std::vector<double> toPlayCall;
    int unmatched = 0;
    for (const TracedSound& traced : trace->sounds) {
        if (!known.count(traced.sound)) {
            // The sound as the game hands it to OpenAL.
            const DecodedSound decoded = decodeSound(std::string(argv[1]) + "/sounds/" + traced.sound, std::cerr);
            KnownSound& sound = known[traced.sound];
            sound.rate = decoded.rate;
            sound.samples = floatSamples(decoded.samples);
        }
        const KnownSound& sound = known[traced.sound];
        const std::vector<float> played = playedAs(sound.samples, sound.rate, trace->rate, traced.pitch, kShapeLength);
        const TimedSound timed = timeSound(traced, mix->samples, played, *clock);
        std::printf("frame %lld %s: first sample %lld (%+lld from the play call's clock), match %.2f, %.1f ms\n",
                    traced.frame, traced.sound.c_str(), timed.onset.sample, timed.onset.sample - traced.playSample,
                    timed.onset.match, timed.latencyMs);
        if (timed.onset.match < kLeastMatch) {
            ++unmatched;
            continue;
        }
        for (Figures* f : {&all, traced.sound.find("jump") != std::string::npos ? &jumps : nullptr}) {
            if (!f) continue;
            f->latencies.push_back(timed.latencyMs);
            f->firstPeriod += timed.firstPeriod ? 1 : 0;
        }
        toPlayCall.push_back(static_cast<double>(traced.playNs - traced.frameStartNs) / 1e6);
    }
    std::printf("%zu sounds (%zu jumps), %d Hz, period %lld samples (%.1f ms), %d not found in the mix\n",
                trace->sounds.size(), jumps.latencies.size(), clock->rate, clock->period,
                1000.0 * clock->period / clock->rate, unmatched);
    std::printf("begin in the first period mixed after their play call: %d of %zu (jumps %d of %zu)\n",
                all.firstPeriod, all.latencies.size(), jumps.firstPeriod, jumps.latencies.size());
    std::printf("frame start -> play call: %s\n", summary(toPlayCall).c_str());
    std::printf("frame start -> first sample mixed, all sounds: %s\n", summary(all.latencies).c_str());
    std::printf("frame start -> first sample mixed, jumps: %s\n", summary(jumps.latencies).c_str());
    return 0;
}
