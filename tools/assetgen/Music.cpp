// The music loop: 64 s at 120 beats a minute (32 bars), A minor, four passes of
// Am-F-C-G that add a layer each time (pad, bass, arpeggio, drums). Every note
// is mixed into the loop with its tail wrapped round to the start, so the loop
// has no seam and ends where it begins.
#include <cmath>
#include <string>

#include "Random.h"
#include "SoundSynth.h"
#include "Sounds.h"

namespace {

constexpr int R = kMusicRate;
constexpr double kBeat = 0.5;  // seconds
constexpr int kBars = 32;
constexpr double kLoopSeconds = kBars * 4 * kBeat;

double midiHz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// Chord roots (MIDI) and their minor/major third, two bars each.
struct Chord {
    int root;
    bool minor;
};
constexpr Chord kProgression[] = {{57, true}, {53, false}, {60, false}, {55, false}};

// A soft, slightly detuned pad note: odd harmonics, slow swell and release.
Signal padNote(double hz, double seconds)
{
    Signal s(samplesFor(seconds + 1.0, R), 0.0);
    for (double detune : {0.997, 1.003}) {
        for (int h = 1; h <= 5; h += 2) {
            const double partial = hz * detune * h;
            for (std::size_t i = 0; i < s.size(); ++i)
                s[i] += std::sin(2.0 * kPi * partial * i / R) / (h * h);
        }
    }
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / R;
        const double swell = std::min(1.0, t / 0.8);
        const double release = t > seconds ? std::exp(-(t - seconds) * 5.0) : 1.0;
        s[i] *= swell * release;
    }
    return s;
}

Signal kick()
{
    Signal s = sweep(120.0, 42.0, 0.3, R);
    shapeAttackDecay(s, 0.002, 12.0, R);
    return s;
}

Signal hat(uint64_t seed)
{
    Signal s = filteredNoise(0.08, 8000.0, seed, R);
    // The brightness of a hat: what the one-pole low-pass keeps, taken away again.
    Signal low = filteredNoise(0.08, 1500.0, seed, R);
    for (std::size_t i = 0; i < s.size(); ++i) s[i] -= low[i];
    shapeAttackDecay(s, 0.001, 45.0, R);
    return s;
}

}  // namespace

bool writeMusic(const std::string& folder)
{
    Signal loop(samplesFor(kLoopSeconds, R), 0.0);
    auto at = [](double beats) { return samplesFor(beats * kBeat, R); };
    const Signal kickSound = kick();
    int hatSeed = 100;
    for (int bar = 0; bar < kBars; ++bar) {
        const int pass = bar / 8;  // 0: pad, 1: + bass, 2: + arpeggio, 3: + drums
        const Chord chord = kProgression[(bar / 2) % 4];
        const int third = chord.root + (chord.minor ? 3 : 4), fifth = chord.root + 7;
        const double barStart = bar * 4.0;
        if (bar % 2 == 0)
            for (int note : {chord.root, third, fifth}) mixIntoLoop(loop, padNote(midiHz(note), 8 * kBeat), at(barStart), 0.16);
        if (pass >= 1)
            for (int eighth = 0; eighth < 8; ++eighth) {
                const int note = chord.root - 12 + (eighth % 4 == 3 ? 7 : 0);
                mixIntoLoop(loop, bell(midiHz(note), 0.45, 6, 7.0, R), at(barStart + eighth * 0.5), 0.3);
            }
        if (pass >= 2) {
            const int tones[] = {chord.root + 12, third + 12, fifth + 12, chord.root + 24};
            for (int sixteenth = 0; sixteenth < 16; ++sixteenth) {
                const int order[] = {0, 1, 2, 3, 2, 1};
                const int note = tones[order[(sixteenth + bar) % 6]];
                mixIntoLoop(loop, bell(midiHz(note), 0.3, 4, 12.0, R), at(barStart + sixteenth * 0.25), 0.09);
            }
        }
        if (pass >= 3 || (pass == 2 && bar % 2 == 1))
            for (int beat = 0; beat < 4; ++beat) {
                mixIntoLoop(loop, kickSound, at(barStart + beat), 0.45);
                mixIntoLoop(loop, hat(static_cast<uint64_t>(hatSeed++)), at(barStart + beat + 0.5), 0.12);
            }
    }
    finishLoop(loop, -3.0);
    return writeSound(folder + "/theme_loop.flac", loop, R);
}
