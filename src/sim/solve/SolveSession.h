#pragma once
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "sim/solve/LevelSolver.h"

// One use of the solver from the command line: what to solve, its budget and
// where a found run may go. The lines it writes are the solver's console.
struct SolveRequest {
    LevelFiles files;
    SolveLimits limits;
    std::optional<std::string> out;  // --solve-out
    const char* xdgDataHome = nullptr;
    const char* home = nullptr;
    std::function<void(const SolveProgress&)> progress;
};

// Exit statuses: a run found and written, none found, stopped by Ctrl-C.
inline constexpr int kSolvedStatus = 0, kNotSolvedStatus = 1, kInterruptedStatus = 130;

// --solve-level: a level the checker's static checks reject (or cannot read)
// gets the checker's lines and is not searched. Otherwise it searches, verifies the found run by replaying it from the
// first frame, writes it (never over a proof run) and prints the winning frame
// and time; when none is found, prints how far the search got. Ctrl-C writes
// nothing. Returns the exit status.
int solveAndWrite(const SolveRequest& request, std::ostream& out);

// --check-level on a clean level without a proof run: the same search; a found
// run is reported and, with `saveProof`, written as the level's proof run.
// Returns the problem to report ("no winning run found in 60 s"), or nullopt.
std::optional<std::string> proveBySearch(const SolveRequest& request, bool saveProof, std::ostream& out);

// "60 s" or "200000 frames": the budget as the lines name it.
std::string budgetText(const SolveLimits& limits);
