#include "SoundTraceTiming.h"

#include <algorithm>
#include <istream>
#include <numeric>
#include <sstream>

std::optional<SoundTraceFile> readSoundTrace(std::istream& in)
{
    SoundTraceFile trace;
    std::string line;
    if (!std::getline(in, line) || line.rfind("# vaultrise sound trace: rate ", 0) != 0) return std::nullopt;
    std::istringstream header(line.substr(30));
    if (!(header >> trace.rate) || trace.rate <= 0) return std::nullopt;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        TracedSound s;
        if (!(fields >> s.frame >> s.sound >> s.pitch >> s.frameStartSample >> s.playSample >> s.frameStartNs >>
              s.playNs))
            return std::nullopt;
        trace.sounds.push_back(s);
    }
    return trace;
}

long long WriterClock::mixedNs(long long sample) const
{
    const long long periodEnd = (sample / period + 1) * period;
    return startNs + periodEnd * 1000000000LL / rate;
}

std::optional<WriterClock> writerClockOf(const SoundTraceFile& trace)
{
    WriterClock clock{trace.rate, 0, 0};
    bool first = true;
    for (const TracedSound& s : trace.sounds) {
        for (const auto& [sample, ns] : {std::pair{s.frameStartSample, s.frameStartNs}, std::pair{s.playSample, s.playNs}}) {
            clock.period = std::gcd(clock.period, sample);
            const long long start = ns - sample * 1000000000LL / trace.rate;
            clock.startNs = first ? start : std::min(clock.startNs, start);
            first = false;
        }
    }
    if (clock.period == 0) return std::nullopt;
    return clock;
}

TimedSound timeSound(const TracedSound& traced, std::span<const float> mix, std::span<const float> played,
                     const WriterClock& clock, int searchPeriods)
{
    TimedSound timed;
    timed.onset = findOnset(mix, played, traced.playSample, traced.playSample + searchPeriods * clock.period);
    if (timed.onset.sample < 0) return timed;
    timed.firstPeriod = timed.onset.sample < traced.playSample + clock.period;
    // Never before the play call: a writer that fell behind mixes late.
    const long long mixed = std::max(clock.mixedNs(timed.onset.sample), traced.playNs);
    timed.latencyMs = static_cast<double>(mixed - traced.frameStartNs) / 1e6;
    return timed;
}
