#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Finding where a known sound begins in a recorded mix, for the sound latency
// benchmarks (docs/performance.md): the mix may hold other sounds, loops and
// music at the same time, so the sound is found by its shape, not by silence
// ending.

// A wave file's samples with its channels summed.
struct MonoWave {
    int rate = 0;
    std::vector<float> samples;
};
std::optional<MonoWave> readMonoWave(const std::string& path);
// 16-bit samples (as the game decodes its sounds) on the float scale of a read wave.
std::vector<float> floatSamples(std::span<const int16_t> samples);

// The first `length` samples of `sound` (recorded at `soundRate`) as a mixer
// running at `mixRate` plays it at `pitch`, read with linear interpolation;
// shorter when the sound ends first.
std::vector<float> playedAs(std::span<const float> sound, int soundRate, int mixRate, float pitch, std::size_t length);

struct Onset {
    long long sample = -1;  // where the sound's first sample lies in the mix; -1: nowhere in the range
    double match = 0.0;     // the normalized correlation there, 1 for the sound alone at any gain
};
// The start from `from` to `to` (samples of `mix`) at which `sound` lines up
// best with the mix: the highest normalized correlation, the earliest of equals.
Onset findOnset(std::span<const float> mix, std::span<const float> sound, long long from, long long to);
