#pragma once
#include <optional>
#include <string>

// Medals are earned against a level's author time: the play time of the
// level's proof run, the replay that the level checker (and CI) plays to a win.
// They are never stored: only a run's time is kept, and the medal is worked
// out from it whenever it is shown, so a changed proof run moves the medals
// with it and none can stay behind out of reach.
enum class Medal { None, Bronze, Silver, Gold, Author };

// Each medal's time as a multiple of the author time; the author medal asks
// for the author time itself (or better).
inline constexpr double kGoldFactor = 1.1;
inline constexpr double kSilverFactor = 1.3;
inline constexpr double kBronzeFactor = 1.6;

// The slowest time that still earns each medal, in seconds to the millisecond
// (the precision records keep).
struct MedalTimes {
    float author = 0.0f;
    float gold = 0.0f;
    float silver = 0.0f;
    float bronze = 0.0f;
};
MedalTimes medalTimes(float authorSeconds);

// The medal a run of `seconds` earns. Times compare in whole milliseconds,
// so a time read back from the records earns what it earned when it was set.
// A level without an author time has no medals.
Medal medalFor(float seconds, std::optional<float> authorSeconds);
// "author", "gold", "silver", "bronze", or "none".
const char* medalName(Medal medal);

// The play time with which the proof run of the level at `levelPath` wins,
// replayed headless; nullopt when the level has no proof run, or one that
// cannot be read, was recorded on another version of the level or catalogue,
// or does not win.
std::optional<float> authorTime(const std::string& levelPath, const std::string& settingsPath);

// The medal for a level's time, as the level select shows it.
Medal levelMedal(const std::string& levelPath, const std::string& settingsPath, float seconds);

// "author 17.250 s, gold 18.975 s, silver 22.425 s, bronze 27.600 s"
std::string medalTimesText(const MedalTimes& times);
