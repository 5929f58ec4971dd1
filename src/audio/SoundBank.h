#pragma once
#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "audio/SoundId.h"

// One sound file decoded whole into memory, mixed down to mono so that the
// mixer can place it in the world. Empty when the file could not be used.
struct DecodedSound {
    std::vector<int16_t> samples;
    int rate = 0;
    bool usable() const { return !samples.empty() && rate > 0; }
};

// Every effect and the two loops, decoded at start-up.
struct DecodedSounds {
    std::array<DecodedSound, kSoundCount> effects;
    DecodedSound roll;
    DecodedSound voidHum;
};

// Effects longer than this are refused: they are held whole in memory.
inline constexpr double kLongestEffectSeconds = 60.0;

// Decodes one file with libsndfile after the file check. A refused file gets
// the check's line; a missing, unreadable or too long one
//   "Sound failed to load at path: <path>"
// and the sound stays empty (that sound is then silent).
DecodedSound decodeSound(const std::string& path, std::ostream& log);

// Every file of <folder> the game plays, in SoundId order, then the loops.
DecodedSounds decodeSounds(const std::string& folder, std::ostream& log);
