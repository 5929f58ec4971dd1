#pragma once
#include <cstddef>
#include <string>
#include <vector>

// Mono signals in [-1, 1] at a fixed rate, and the few building blocks the
// game's sounds are made of. Everything is computed in double precision from
// fixed seeds, so a sound is the same on every run.
using Signal = std::vector<double>;

constexpr int kEffectRate = 44100;  // one-shot effects and short loops
constexpr int kMusicRate = 22050;   // the music loop: half the rate keeps the file small
constexpr double kPi = 3.14159265358979323846;

inline std::size_t samplesFor(double seconds, int rate) { return static_cast<std::size_t>(seconds * rate + 0.5); }

// A sine sweep from `fromHz` to `toHz` (exponential), `seconds` long.
Signal sweep(double fromHz, double toHz, double seconds, int rate);
// White noise from a fixed seed, low-passed by a one-pole filter at `cutoffHz`.
Signal filteredNoise(double seconds, double cutoffHz, uint64_t seed, int rate);
// A plucked or struck tone: `partials` harmonics of `hz` whose upper ones die faster.
Signal bell(double hz, double seconds, int partials, double decayPerSecond, int rate);

// Attack/decay shaping in place: linear rise over `attack` s, exponential fall
// at `decayPerSecond` afterwards.
void shapeAttackDecay(Signal& s, double attack, double decayPerSecond, int rate);
// Adds `source` into `target` from sample `at` on (growing the target if needed), scaled by `gain`.
void mixInto(Signal& target, const Signal& source, std::size_t at, double gain);
// Adds `source` into a loop of `target.size()` samples from `at` on, wrapping
// what runs past the end round to the start: a loop made this way has no seam.
void mixIntoLoop(Signal& target, const Signal& source, std::size_t at, double gain);

// Finishing a one-shot: the mean removed, 2 ms fade-in and 15 ms fade-out (so it
// starts and ends at silence), then scaled to a peak of `peakDb` dBFS.
void finishOneShot(Signal& s, double peakDb, int rate);
// Finishing a loop: the mean removed (a constant, so the seam is untouched),
// then scaled to a peak of `peakDb` dBFS.
void finishLoop(Signal& s, double peakDb);

// Writes 16-bit PCM through libsndfile: WAV for `.wav`, FLAC for `.flac`.
bool writeSound(const std::string& path, const Signal& s, int rate);
