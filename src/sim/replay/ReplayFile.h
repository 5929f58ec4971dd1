#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/frame/Key.h"
#include "sim/settings/SimulationSettings.h"

// One recorded run: what it was played on and, per frame, the frame's exact
// deltaTime and every key the game read. Played again through the same frame
// loop it gives the same game to the last bit.
//
// The file is text, one item per line, every line ending in '\n':
//     vaultrise replay 2              format version
//     game 0.9.0                      the game that wrote it (for people only)
//     simulation 2                    what the frames mean (kSimulationVersion)
//     level 1                         the level setting (file name and HUD label)
//     levelFile <hash> level1.ini     a hash of the level file's bytes, and its name
//     elements <hash>                 a hash of the settings' [elements] catalogue
//     loadTime 120                    the settings that change the simulation
//     debug false
//     useGameCamera true
//     frames
//     0x1.111112p-6 W Space           one line per frame: deltaTime as a hex float
//                                     (exact), then the keys that were down
//     paused 600 P                    that many frames spent paused, with those
//                                     keys down: a paused frame's time never
//                                     reaches the simulation, so none is kept
// Format 1 has no simulation line (its runs are simulation 1) and no paused lines.
// Hashes are 16 hex digits of 64-bit FNV-1a. The writer flushes every frame's
// line whole, so a run that is killed leaves at most a last line without its
// '\n': the reader drops it and the replay ends with the last whole frame.

inline constexpr int kReplayFormat = 2;
// Raised whenever a change to the game alters what a recorded run does; a
// replay of another number is refused unless forced. 2: direction keys held
// before the first Space no longer push the sphere.
inline constexpr int kSimulationVersion = 2;
// The most frames one paused line stands for: a game killed while paused loses
// at most this many frames of its recording, and a line stays short.
inline constexpr uint32_t kPausedRunLimit = 600;

KeyMask maskOf(const std::vector<Key>& keys);
std::vector<Key> keysOf(KeyMask mask);

struct ReplayHeader {
    int format = kReplayFormat;
    std::string gameVersion;
    int simulation = kSimulationVersion;
    std::string level;      // the level setting
    std::string levelFile;  // the level file's name, without its folder
    uint64_t levelHash = 0;
    uint64_t catalogueHash = 0;
    SimulationSettings settings;
};

// One recorded frame, or with `paused` a run of `repeat` paused frames with the
// same keys (their deltaTime is 0: it never reached the simulation).
struct ReplayFrame {
    float deltaTime = 0.0f;
    KeyMask keys = 0;
    bool paused = false;
    uint32_t repeat = 1;
};

struct Replay {
    ReplayHeader header;
    std::vector<ReplayFrame> frames;
    bool cutShort = false;  // the file ended inside a frame's line
};

// A replay, or why the bytes are none: `error` says what is wrong and where.
struct ReplayParse {
    std::optional<Replay> replay;
    std::string error;
};

// Never throws and never reads past `bytes`: any input gives a replay or an error.
ReplayParse parseReplay(std::string_view bytes);
// The file at `path`; its errors start with "replay <path>: ".
ReplayParse loadReplay(const std::string& path);

std::string formatReplayHeader(const ReplayHeader& header);
std::string formatReplayFrame(const ReplayFrame& frame);

// The version of the game that writes replays.
const char* gameVersion();
