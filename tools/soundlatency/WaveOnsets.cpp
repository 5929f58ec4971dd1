#include "WaveOnsets.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>

std::optional<MonoWave> readMonoWave(const std::string& path)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return std::nullopt;
    std::vector<float> interleaved(static_cast<std::size_t>(info.frames) * info.channels);
    const sf_count_t frames = sf_readf_float(file, interleaved.data(), info.frames);
    sf_close(file);
    MonoWave wave;
    wave.rate = info.samplerate;
    wave.samples.assign(static_cast<std::size_t>(frames), 0.0f);
    for (std::size_t i = 0; i < wave.samples.size(); ++i)
        for (int c = 0; c < info.channels; ++c) wave.samples[i] += interleaved[i * info.channels + c];
    return wave;
}

std::vector<float> floatSamples(std::span<const int16_t> samples)
{
    std::vector<float> floats;
    floats.reserve(samples.size());
    for (int16_t s : samples) floats.push_back(s / 32768.0f);
    return floats;
}

std::vector<float> playedAs(std::span<const float> sound, int soundRate, int mixRate, float pitch, std::size_t length)
{
    std::vector<float> played;
    const double step = static_cast<double>(soundRate) / mixRate * pitch;
    for (std::size_t i = 0; i < length; ++i) {
        const double at = i * step;
        const auto before = static_cast<std::size_t>(at);
        if (before + 1 >= sound.size()) break;
        const double share = at - before;
        played.push_back(static_cast<float>(sound[before] * (1.0 - share) + sound[before + 1] * share));
    }
    return played;
}

namespace {

// Sample-to-sample changes: the low rumble of the loops and the music, which
// would blur where a sound lines up, weigh little in them.
std::vector<double> changes(std::span<const float> samples)
{
    std::vector<double> out;
    for (std::size_t i = 1; i < samples.size(); ++i) out.push_back(static_cast<double>(samples[i]) - samples[i - 1]);
    return out;
}

}  // namespace

Onset findOnset(std::span<const float> mix, std::span<const float> sound, long long from, long long to)
{
    Onset best;
    from = std::max(from, 0LL);
    to = std::min(to, static_cast<long long>(mix.size()) - static_cast<long long>(sound.size()));
    if (sound.size() < 2 || from > to) return best;
    const std::vector<double> shape = changes(sound);
    // heard[k] and shape[k] are both the change into sample k + 1 of their own.
    const std::vector<double> heard = changes(mix.subspan(from, to - from + sound.size()));
    const std::size_t length = shape.size();
    double shapeEnergy = 0.0, windowEnergy = 0.0;  // the window heard[at, at + length), slid along
    for (std::size_t i = 0; i < length; ++i) {
        shapeEnergy += shape[i] * shape[i];
        windowEnergy += heard[i] * heard[i];
    }
    if (shapeEnergy == 0.0) return best;
    for (long long at = 0; at <= to - from; ++at) {
        if (at > 0) windowEnergy += heard[at + length - 1] * heard[at + length - 1] - heard[at - 1] * heard[at - 1];
        if (windowEnergy <= 0.0) continue;
        double dot = 0.0;
        for (std::size_t i = 0; i < length; ++i) dot += shape[i] * heard[at + i];
        const double match = dot / std::sqrt(shapeEnergy * windowEnergy);
        if (match > best.match) best = {from + at, match};
    }
    return best;
}
