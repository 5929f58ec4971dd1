#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "sim/frame/FrameClock.h"
#include "sim/frame/Key.h"
#include "sim/replay/ReplayFile.h"
#include "sim/run/RunReport.h"
#include "sim/run/ScriptedHost.h"
#include "sim/settings/SimulationSettings.h"
#include "sim/view/FrameView.h"

class FrameDriver;
class GameSession;
class RunFlow;
struct KeyScript;

// One game played without a window through the game's own session, run flow
// and frame driver: each frame advances the clock by a fixed (or given) step
// with the frame's keys held. A decided game ends the run, as a replay does. The settings and level are read from files; the level
// file given here is the one played (the settings' level setting only names
// it in the HUD label). A missing file plays with defaults, as the game does.
class HeadlessRun {
public:
    static constexpr float kFrameTime = 1.0f / 60.0f;

    // `loadTime` replaces the settings' warm-up (proof runs start at once);
    // nullopt keeps the settings' own.
    HeadlessRun(const std::string& settingsPath, const std::string& levelPath, std::optional<int> loadTime = 0);
    // A replay's run: the recorded simulation settings replace the file's.
    HeadlessRun(const std::string& settingsPath, const std::string& levelPath, const SimulationSettings& settings);
    ~HeadlessRun();
    HeadlessRun(const HeadlessRun&) = delete;
    HeadlessRun& operator=(const HeadlessRun&) = delete;

    // Runs one frame `dt` seconds after the previous one with exactly `held`
    // down; returns the lines it wrote.
    std::string frame(const std::vector<Key>& held, float dt = kFrameTime);
    // A frame that lasts exactly `deltaTime` (the clock above rounds as it
    // adds up): how a replay plays back its recorded frames.
    std::string exactFrame(const std::vector<Key>& held, float deltaTime);
    // Plays the script until the game asks to close, then up to `idleFrames`
    // more with no key held while it still runs; `afterFrame` (when given)
    // looks at the session after every frame.
    RunReport play(const KeyScript& script, int idleFrames = 0, const std::function<void()>& afterFrame = {});
    RunReport report() const;
    // R as the game does it: the old session is dropped and a new one built
    // from the same files; the clock and the frame tally start again.
    void restart();
    // The last frame as a replay records it: its deltaTime and the keys the
    // game read (none in a warm-up frame, which reads no keys).
    const ReplayFrame& lastFrameRecord() const { return lastRecord; }
    // What the last frame handed on (its events among it); valid until the next frame.
    const FrameView& view() const { return *lastView; }

    bool closed() const { return host.closing; }
    int frames() const { return tally.frames; }
    GameSession& session();
    const GameSession& session() const;
    ScriptedHost& windowHost() { return host; }

private:
    void start(const std::string& settingsPath, const std::string& levelPath,
               const std::function<void(StartupConfig&)>& adjust);
    std::string finishFrame();

    std::ostringstream lines;  // the session's log
    std::string fullLog;
    ScriptedHost host;
    std::string settingsPath, levelPath;
    std::unique_ptr<RunFlow> flow;
    ScriptClock clock;
    std::unique_ptr<FrameDriver> driver;
    RunTally tally;
    ReplayFrame lastRecord;
    const FrameView* lastView = nullptr;
};
