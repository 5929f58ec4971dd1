#include "SoundSynth.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iostream>

#include "Random.h"

Signal sweep(double fromHz, double toHz, double seconds, int rate)
{
    Signal s(samplesFor(seconds, rate));
    double phase = 0.0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(s.size());
        const double hz = fromHz * std::pow(toHz / fromHz, t);
        phase += 2.0 * kPi * hz / rate;
        s[i] = std::sin(phase);
    }
    return s;
}

Signal filteredNoise(double seconds, double cutoffHz, uint64_t seed, int rate)
{
    Random random(seed);
    Signal s(samplesFor(seconds, rate));
    const double alpha = 1.0 - std::exp(-2.0 * kPi * cutoffHz / rate);
    double low = 0.0;
    for (double& v : s) {
        low += alpha * ((random.uniform() * 2.0 - 1.0) - low);
        v = low;
    }
    return s;
}

Signal bell(double hz, double seconds, int partials, double decayPerSecond, int rate)
{
    Signal s(samplesFor(seconds, rate));
    for (int p = 1; p <= partials; ++p) {
        const double partialHz = hz * p;
        if (partialHz > rate * 0.45) break;
        const double amplitude = 1.0 / (p * p * 0.6 + 0.4);
        const double decay = decayPerSecond * (1.0 + 0.7 * (p - 1));
        for (std::size_t i = 0; i < s.size(); ++i) {
            const double t = static_cast<double>(i) / rate;
            s[i] += amplitude * std::exp(-decay * t) * std::sin(2.0 * kPi * partialHz * t);
        }
    }
    return s;
}

void shapeAttackDecay(Signal& s, double attack, double decayPerSecond, int rate)
{
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double gain = t < attack ? t / attack : std::exp(-decayPerSecond * (t - attack));
        s[i] *= gain;
    }
}

void mixInto(Signal& target, const Signal& source, std::size_t at, double gain)
{
    if (target.size() < at + source.size()) target.resize(at + source.size(), 0.0);
    for (std::size_t i = 0; i < source.size(); ++i) target[at + i] += gain * source[i];
}

void mixIntoLoop(Signal& target, const Signal& source, std::size_t at, double gain)
{
    for (std::size_t i = 0; i < source.size(); ++i) target[(at + i) % target.size()] += gain * source[i];
}

namespace {

void removeMean(Signal& s)
{
    if (s.empty()) return;
    double sum = 0.0;
    for (double v : s) sum += v;
    const double mean = sum / static_cast<double>(s.size());
    for (double& v : s) v -= mean;
}

void scaleToPeak(Signal& s, double peakDb)
{
    double peak = 0.0;
    for (double v : s) peak = std::max(peak, std::abs(v));
    if (peak <= 0.0) return;
    const double gain = std::pow(10.0, peakDb / 20.0) / peak;
    for (double& v : s) v *= gain;
}

}  // namespace

void finishOneShot(Signal& s, double peakDb, int rate)
{
    removeMean(s);
    const std::size_t fadeIn = std::min(s.size(), samplesFor(0.002, rate));
    const std::size_t fadeOut = std::min(s.size(), samplesFor(0.015, rate));
    for (std::size_t i = 0; i < fadeIn; ++i) s[i] *= static_cast<double>(i) / fadeIn;
    for (std::size_t i = 0; i < fadeOut; ++i) s[s.size() - 1 - i] *= static_cast<double>(i) / fadeOut;
    // The fades moved the mean a little; what is left is spread over the body,
    // which keeps the ends at zero.
    double sum = 0.0;
    for (double v : s) sum += v;
    const double mean = sum / static_cast<double>(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double window = std::sin(kPi * static_cast<double>(i) / static_cast<double>(s.size() - 1));
        s[i] -= mean * window * window * 2.0;
    }
    scaleToPeak(s, peakDb);
}

void finishLoop(Signal& s, double peakDb)
{
    removeMean(s);
    scaleToPeak(s, peakDb);
}

bool writeSound(const std::string& path, const Signal& s, int rate)
{
    const bool flac = path.size() > 5 && path.compare(path.size() - 5, 5, ".flac") == 0;
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = (flac ? SF_FORMAT_FLAC : SF_FORMAT_WAV) | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) {
        std::cout << "assetgen: cannot write " << path << ": " << sf_strerror(nullptr) << "\n";
        return false;
    }
    // Rounded here rather than by libsndfile, so the bytes depend only on this code.
    std::vector<short> pcm(s.size());
    for (std::size_t i = 0; i < s.size(); ++i)
        pcm[i] = static_cast<short>(std::lround(std::clamp(s[i], -1.0, 1.0) * 32767.0));
    const sf_count_t written = sf_write_short(file, pcm.data(), static_cast<sf_count_t>(pcm.size()));
    sf_close(file);
    return written == static_cast<sf_count_t>(pcm.size());
}
