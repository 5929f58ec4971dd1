#pragma once
#include <string>
#include <vector>

#include "sim/replay/ReplayFile.h"
#include "sim/run/RunReport.h"

// What a level's proof run shows about the level's difficulty: how often the
// run needed the double jump and the camera flip, and which platforms it
// landed on, in order. Measured by replaying the run headless through the
// game's own frame loop. The author time is the report's `playTime`, the same
// value the medals are worked out from (sim/records/Medals.h).
struct ProofRunMeasure {
    RunReport report;
    int doubleJumps = 0;        // second jumps the run made
    int cameraFlips = 0;        // Tab presses the run made
    std::vector<int> landings;  // platform indices stood on, in order (no repeats in a row)
};

// Replays `replay` on the level at `levelPath`. With `powerUpSpent` the run
// starts with the power-up already used, so touching the beet lowers nothing:
// how the same keys fare without it.
ProofRunMeasure measureProofRun(const Replay& replay, const std::string& settingsPath, const std::string& levelPath,
                                bool powerUpSpent = false);
