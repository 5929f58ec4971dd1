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
//     vaultrise replay 1              format version
//     game 0.9.0                      the game that wrote it
//     level 1                         the level setting (file name and HUD label)
//     levelFile <hash> level1.ini     a hash of the level file's bytes, and its name
//     elements <hash>                 a hash of the settings' [elements] catalogue
//     loadTime 120                    the settings that change the simulation
//     debug false
//     useGameCamera true
//     frames
//     0x1.111112p-6 W Space           one line per frame: deltaTime as a hex float
//                                     (exact), then the keys that were down
// Hashes are 16 hex digits of 64-bit FNV-1a. The writer flushes every frame's
// line whole, so a run that is killed leaves at most a last line without its
// '\n': the reader drops it and the replay ends with the last whole frame.

inline constexpr int kReplayFormat = 1;

KeyMask maskOf(const std::vector<Key>& keys);
std::vector<Key> keysOf(KeyMask mask);

struct ReplayHeader {
    int format = kReplayFormat;
    std::string gameVersion;
    std::string level;      // the level setting
    std::string levelFile;  // the level file's name, without its folder
    uint64_t levelHash = 0;
    uint64_t catalogueHash = 0;
    SimulationSettings settings;
};

struct ReplayFrame {
    float deltaTime = 0.0f;
    KeyMask keys = 0;
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
