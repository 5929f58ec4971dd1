#pragma once
#include <cstdint>
#include <optional>
#include <string>

// Where the game looks for its settings, relative to the folder it is started
// in (then relative to its installed data folder or its source tree).
inline constexpr const char* kDefaultSettingsPath = "assets/settings/settings.ini";

// What the command line asks of one run. Every field left empty keeps what the
// settings file says, so a plain start behaves exactly as the settings decide.
struct LaunchOptions {
    std::string settingsPath = kDefaultSettingsPath;
    bool settingsNamed = false;  // --settings was given
    // The folder a relative assetPath is read from when the settings were
    // found by the search (GameFiles); empty: the current folder.
    std::string dataFolder;
    // The player's own levels ($XDG_DATA_HOME/vaultrise/levels); empty: none.
    std::string playerLevelFolder;
    std::optional<std::string> level;     // a level name: names "level<level>.ini"
    std::optional<bool> fullscreen;
    std::optional<uint32_t> width;
    std::optional<uint32_t> height;

    std::optional<std::string> recordPath;  // record the run here instead of the replay folder
    std::optional<std::string> replayPath;  // play this recorded run instead of the keyboard
    bool headless = false;                  // with a replay: no window, one summary line
    bool force = false;                     // play a replay whose level or catalogue has changed
    std::optional<std::string> checkLevel;  // a level name or a level file to check, then exit

    // --solve-level: search for a winning run of a level number or file and
    // write it as a replay (to `out`, or beside the level, or under the XDG
    // data folder). The search stops after `seconds`, or after `frames`
    // simulated frames when given (the same frames give the same run). The
    // budget also bounds --check-level's search for a level without a proof
    // run, whose found run `saveProof` keeps as the proof run.
    struct Solve {
        std::optional<std::string> out;
        double seconds = 60.0;
        std::optional<long long> frames;
        bool saveProof = false;
    };
    std::optional<std::string> solveLevel;
    Solve solve;

    // --bench: the game plays `script` (a key script file; empty: no key is
    // ever pressed) for `frames` frames at a fixed 1/60 s clock step without a
    // warm-up, then prints its start-up, frame, render-stage, simulation and
    // memory figures. `bursts` jump bursts are spawned before the first frame.
    struct Bench {
        int frames = 300;
        std::string script;
        int bursts = 0;
    };
    std::optional<Bench> bench;

    // --sound-trace: the sound latency benchmark's record of every sound
    // started, written to this file (tools/sound_latency_windowed.sh).
    std::optional<std::string> soundTracePath;
};
