#pragma once
#include <string>
#include <vector>

class IniFile;

// What a level author should fix before anyone plays a level, one line each,
// starting with the key at fault ("platform3z: ..."):
// - keys missing from an entry or the world (a missing key silently takes a default);
// - values that are not finite numbers; gravity, voidSpeed or floor sizes not positive;
// - platform and wall types missing from the settings' [elements] catalogue, and
//   catalogue sizes that are not positive finite numbers; platforms under 1 thick;
// - boxes reaching outside the framed play space (x and z within +-60, y 0..140);
// - the start and platform centres outside the camera band (z -15 .. 18);
// - a character start inside a box, or above nothing;
// - a power-up or goal that no chain of jumps reaches from the start, judged by
//   the measured double jump (22.1 up, 66.6 along at gravity 50, scaled by gravity).
// Reachability ignores the void's timing and anything overhead: a recorded
// proof run is what shows that a level can be won.
std::vector<std::string> findLevelProblems(const IniFile& level, const IniFile& settings);
