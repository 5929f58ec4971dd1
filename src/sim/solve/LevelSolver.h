#pragma once
#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sim/frame/Key.h"
#include "sim/solve/MoveAttempt.h"

// How far the search may go. With `frames` set it stops after the first round
// of moves that brings the simulated frames to that many, whatever the time
// and the number of threads: the same budget always gives the same result.
// Otherwise it stops after `seconds`. `stop` (Ctrl-C) ends it at once.
struct SolveLimits {
    std::optional<long long> frames;
    double seconds = 60.0;
    unsigned threads = 0;  // 0: one per core
    const std::atomic<bool>* stop = nullptr;
};

// Where the search stands, for a progress line.
struct SolveProgress {
    int stage = 0;                 // moves in the longest run that reached a new top
    std::string highestSurface;    // the highest top reached so far
    float highestTop = 0.0f;
    long long simulated = 0;       // frames played so far
    double secondsUsed = 0.0;
};

struct SolveResult {
    enum class Outcome { Won, NotFound, Stopped };
    Outcome outcome = Outcome::NotFound;
    std::vector<KeyMask> keys;  // the winning run, one mask per frame from the first
    int winFrame = 0;           // the frame (from 1) that wins
    std::vector<std::string> route;  // the tops the winning run settles on, from the start
    bool exhausted = false;     // NotFound: every move was tried before the budget ran out
    SolveProgress reached;      // how far it got
    float closestToGoal = 1e30f;
    int attempts = 0;
};

// Searches for a key sequence that wins the level at `files`, playing the
// real game headless. The states are the tops the character settles on (and
// whether the power-up is spent); from the earliest-reached state not yet
// expanded it tries a jump to every top in double-jump reach, to the power-up
// and to the goal, each as a single and a double jump, all on `threads`
// threads. The first win is kept and the search goes on while a faster one
// may still exist.
SolveResult solveLevel(const LevelFiles& files, const SolveLimits& limits,
                       const std::function<void(const SolveProgress&)>& progress = {});
