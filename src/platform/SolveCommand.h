#pragma once
#include <iosfwd>

#include "sim/settings/LaunchOptions.h"
#include "sim/solve/SolveSession.h"

// --solve-level N|PATH: the solver with Ctrl-C wired to stop it and a progress
// line on `progressOut`. Returns the exit status (0 written, 1 none found, 130
// stopped by Ctrl-C, with nothing written).
int runSolveLevel(const LaunchOptions& options, std::ostream& out, std::ostream& progressOut);

// The request --check-level and --solve-level hand the solver for `levelPath`.
SolveRequest solveRequestFor(const LaunchOptions& options, const std::string& levelPath, std::ostream& progressOut);

// Ctrl-C sets the stop flag the request's limits point at while this lives.
class InterruptStopsSearch {
public:
    InterruptStopsSearch();
    ~InterruptStopsSearch();
    InterruptStopsSearch(const InterruptStopsSearch&) = delete;
    InterruptStopsSearch& operator=(const InterruptStopsSearch&) = delete;
};
