#pragma once
#include <string>

#include <glm/vec3.hpp>

#include "sim/run/HeadlessRun.h"
#include "sim/replay/FrameCursor.h"
#include "sim/replay/ReplayFile.h"

// An earlier run played again headless in a session of its own, so that it
// can be shown beside the live run: the ghost. It is moved on by play time
// (seconds since its first Space, its pauses left out), never by frames, and
// never by more than one physics step per call.
class GhostRun {
public:
    GhostRun(Replay replay, const std::string& settingsPath, const std::string& levelPath);
    // Its cursor walks its own copy of the replay.
    GhostRun(const GhostRun&) = delete;
    GhostRun& operator=(const GhostRun&) = delete;

    // Plays the ghost's recorded frames while its play time is behind
    // `playTime`, stopping after the first frame that steps its physics
    // (frames that step nothing, such as its warm-up, its wait for the first
    // Space and its pauses, cost next to nothing and do not count).
    void advanceTo(float playTime);

    glm::vec3 position() const;
    float playTime() const;
    float distanceToGoal() const;
    // Frames played so far, and how many of them stepped the physics.
    int framesPlayed() const { return static_cast<int>(frames.played()); }
    int physicsSteps() const { return steps; }
    // The recorded frames are spent, or the ghost's game was decided and closed.
    bool over() const;

private:
    Replay replay;
    FrameCursor frames{replay.frames};
    HeadlessRun run;
    int steps = 0;
};
