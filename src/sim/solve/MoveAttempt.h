#pragma once
#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/frame/Key.h"
#include "sim/solve/JumpPilot.h"
#include "sim/solve/LevelSurfaces.h"

// The files a run is played from.
struct LevelFiles {
    std::string settingsPath;
    std::string levelPath;
};

// When an attempt must give up at once: Ctrl-C (`stop`) or the end of a time budget.
struct StopSignal {
    const std::atomic<bool>* stop = nullptr;
    std::optional<std::chrono::steady_clock::time_point> deadline;

    bool raised() const;
};

// One move tried from the end of a known run: the run's keys are replayed from
// the first frame in a fresh game, then the pilot flies the move until the
// character has settled on a top, the game is won, or the move has failed.
struct MoveAttempt {
    const std::vector<KeyMask>* prefix = nullptr;
    JumpPilot::Target target;
    JumpPilot::Style style;
};

struct MoveResult {
    enum class Kind { Failed, Settled, Won, Stopped };
    Kind kind = Kind::Failed;
    std::vector<KeyMask> moveKeys;  // the keys of the move's frames, after the prefix
    size_t surface = 0;             // where it settled
    bool powerUpUsed = false;
    float closestToGoal = 1e30f;  // nearest the sphere's centre came to the goal's
    float highest = -1e30f;       // highest the sphere's centre rose
    long long simulated = 0;      // frames played, the prefix included
    int frames() const { return prefixFrames + static_cast<int>(moveKeys.size()); }
    int prefixFrames = 0;
};

// The longest a move may take before it counts as failed.
inline constexpr int kMoveFrameLimit = 420;

MoveResult runMoveAttempt(const LevelFiles& files, const LevelSurfaces& level, const MoveAttempt& attempt,
                          const StopSignal& stop);
