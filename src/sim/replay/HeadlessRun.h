#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <glm/vec3.hpp>

#include "sim/frame/Key.h"
#include "sim/replay/ScriptedHost.h"

class GameLoop;
class GameSession;
struct KeyScript;

enum class RunOutcome { Unfinished, Won, Lost };

// What a run came to. `decidedFrame` is the frame (counted from 1) on which
// the game was won or lost, 0 while it is undecided.
struct RunReport {
    RunOutcome outcome = RunOutcome::Unfinished;
    int decidedFrame = 0;
    int frames = 0;
    glm::vec3 position{0.0f};
    std::string log;  // every line the run wrote, start-up included
};

// One game played without a window through the game's own session and frame
// loop: each frame advances the clock by a fixed (or given) step with the
// frame's keys held. The settings and level are read from files; the level
// file given here is the one played (the settings' level setting only names
// it in the HUD label). A missing file plays with defaults, as the game does.
class HeadlessRun {
public:
    static constexpr float kFrameTime = 1.0f / 60.0f;

    // `loadTime` replaces the settings' warm-up (proof runs start at once);
    // nullopt keeps the settings' own.
    HeadlessRun(const std::string& settingsPath, const std::string& levelPath, std::optional<int> loadTime = 0);
    ~HeadlessRun();
    HeadlessRun(const HeadlessRun&) = delete;
    HeadlessRun& operator=(const HeadlessRun&) = delete;

    // Runs one frame `dt` seconds after the previous one with exactly `held`
    // down; returns the lines it wrote.
    std::string frame(const std::vector<Key>& held, float dt = kFrameTime);
    // Plays the script until the game asks to close, then up to `idleFrames`
    // more with no key held while it still runs; `afterFrame` (when given)
    // looks at the session after every frame.
    RunReport play(const KeyScript& script, int idleFrames = 0, const std::function<void()>& afterFrame = {});
    RunReport report() const;

    bool closed() const { return host.closing; }
    int frames() const { return frameCount; }
    GameSession& session() { return *gameSession; }
    const GameSession& session() const { return *gameSession; }
    ScriptedHost& windowHost() { return host; }

private:
    std::ostringstream lines;  // the session's log
    std::string fullLog;
    ScriptedHost host;
    std::unique_ptr<GameSession> gameSession;
    std::unique_ptr<GameLoop> loop;
    float clock = 0.0f;
    int frameCount = 0;
    int decidedFrame = 0;
};
