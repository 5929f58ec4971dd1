#pragma once
#include <iosfwd>
#include <optional>
#include <string>

#include "sim/replay/ReplayFile.h"
#include "sim/run/RunReport.h"

class GameSession;
class IniFile;
struct StartupConfig;

// The header a new recording starts with: the level setting and file name, the
// hashes of the level file and of the catalogue sizes it uses, the simulation
// settings. From the bytes the session read, so an edit made since cannot slip
// past the check when the run is played again.
ReplayHeader recordingHeader(const GameSession& session);
// The same from the files as they are now (tools that record offline).
ReplayHeader recordingHeader(const std::string& levelSetting, const std::string& levelPath,
                             const std::string& settingsPath, const SimulationSettings& settings);

// One line naming what differs from what the replay was recorded on (the
// simulation number, the level file, or the catalogue sizes the level uses in
// the settings file); empty when all match.
std::string replayMismatch(const ReplayHeader& header, const std::string& levelPath, const std::string& settingsPath);

// Reads the replay at `path` and makes `config` play it: the recorded level and
// simulation settings replace the settings file's. When it cannot be played
// (unreadable, corrupt, a newer format, or a level or catalogue changed since,
// unless `force`) one line says why on `err` and nothing is returned. A file
// cut inside a frame plays up to its last whole frame, with a note on `err`.
std::optional<Replay> openReplay(const std::string& path, const std::string& settingsPath, StartupConfig& config,
                                 bool force, std::ostream& err);

// Plays every recorded frame through the game's session and frame loop with no
// window, as fast as the CPU allows, until the frames end or the game asks to close.
RunReport playReplayHeadless(const Replay& replay, const std::string& settingsPath, const std::string& levelPath);
