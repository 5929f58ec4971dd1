#pragma once
#include <filesystem>
#include <iosfwd>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "sim/records/Medals.h"
#include "sim/replay/ReplayFile.h"

class GameSession;

// What a won run leaves behind: its time against the level's record
// (records.ini), the replay of a new best (the ghost races it) and the medal
// its time earns, worked out from the level's proof run when shown.
class WinKeeper {
public:
    // nullopt places keep nothing there (no XDG_DATA_HOME or HOME, or a run
    // that keeps no records); `settingsPath` is the settings file the
    // sessions read, whose catalogue the proof runs must match.
    WinKeeper(std::optional<std::filesystem::path> recordsPath, std::optional<std::filesystem::path> bestRunFolder,
              std::string settingsPath);

    // `recorded` is the run's replay up to the winning frame (null: none
    // kept). With `show` (the game stays open after the win) the time, the
    // medal and whether it is a new best get a line each and a HUD note;
    // without it the record is kept silently, as the game always did. A level
    // without a proof run has no medals, said in one line the first time.
    // True when the time is a new best.
    bool keep(GameSession& session, const Replay* recorded, bool show, std::ostream& log);

    // The level's author time, played once per level file and then remembered.
    std::optional<float> authorTimeOf(const std::string& levelPath);

private:
    void showMedal(GameSession& session, float seconds, std::ostream& log);

    std::optional<std::filesystem::path> recordsPath, bestRunFolder;
    std::string settingsPath;
    std::map<std::string, std::optional<float>> authorTimes;  // by level path
    std::set<std::string> toldNoMedals;                       // levels whose missing medals were said
};
