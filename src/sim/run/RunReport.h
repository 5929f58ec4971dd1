#pragma once
#include <cstdint>
#include <string>

#include <glm/vec3.hpp>

class GameSession;

enum class RunOutcome { Unfinished, Won, Lost };

// What a run came to. `decidedFrame` is the frame (counted from 1) on which
// the game was won or lost, 0 while it is undecided. `stateHash` fingerprints
// the simulation after the last frame (see simulationStateHash).
struct RunReport {
    RunOutcome outcome = RunOutcome::Unfinished;
    int decidedFrame = 0;
    int frames = 0;
    glm::vec3 position{0.0f};
    uint64_t stateHash = 0;
    float playTime = 0.0f;  // seconds from the first Space, pauses left out (a win's time)
    std::string log;  // every line the run wrote, start-up included
};

// Counts the frames of a run and notes the one that decided it.
struct RunTally {
    int frames = 0;
    int decidedFrame = 0;

    void afterFrame(const GameSession& session);
    RunReport report(const GameSession& session) const;
};

// A 64-bit hash of everything the simulation carries from one frame to the
// next: clock, step backlog, game state, void, power-up, the character's body
// (transform and velocities, bit for bit), jump timers, the camera's side and
// mode. The camera's position is left out: the mouse, which no replay records,
// moves the debug free camera, and the position never feeds back into play.
uint64_t simulationStateHash(const GameSession& session);

// The one line a replay ends with: "won frame 1035 state 1f0e...": the outcome
// (won, lost, unfinished), the frame that decided it (for an unfinished run the
// last frame played) and the state hash.
std::string summaryLine(const RunReport& report);
const char* outcomeName(RunOutcome outcome);
