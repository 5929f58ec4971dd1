#pragma once
#include <optional>
#include <string>
#include <vector>

#include "sim/frame/Key.h"
#include "sim/replay/ReplayFile.h"
#include "sim/run/RunReport.h"
#include "sim/solve/MoveAttempt.h"

// A found run as a replay, checked by playing the replay's own bytes from the
// first frame: `text` is what goes into the file, `report` what it played to.
struct SolvedRun {
    std::string text;
    RunReport report;
    std::string error;  // empty when the replay wins on the frame the search found
};

// Plays `keys` through a fresh game, recording each frame as a recording does,
// then parses the replay it wrote and replays it headless.
SolvedRun recordSolvedRun(const LevelFiles& files, const std::string& levelSetting, const std::vector<KeyMask>& keys);

// The level setting a replay of the level file at `levelPath` names:
// "level7.ini" -> "7", otherwise the file's stem made plain ("my level.ini" -> "my_level").
std::string levelSettingOf(const std::string& levelPath);

// Where a found run is written. `requested` (--solve-out) when given, unless it
// is a proof run already there (a file beside a level file of the same name).
// Otherwise the level's proof-run path when none is there and its folder can be
// written, else "<dataHome>/vaultrise/<level file stem>.solved.replay" with
// dataHome the XDG data folder ($XDG_DATA_HOME, else ~/.local/share).
// nullopt and `error` set when there is nowhere to write.
std::optional<std::string> solvedRunPath(const std::string& levelPath, const std::optional<std::string>& requested,
                                         const char* xdgDataHome, const char* home, std::string& error);

