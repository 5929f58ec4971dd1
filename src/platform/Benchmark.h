#pragma once
#include <chrono>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

#include "sim/settings/LaunchOptions.h"

struct GLFWwindow;
class RunFlow;
class SceneRenderer;

// Wall-clock durations of the start-up steps, in order: each `next` ends the
// step before it. Kept in every run (it costs a clock read per step); only the
// benchmark prints it.
class StartupStages {
public:
    StartupStages() : launch(std::chrono::steady_clock::now()), stepStart(launch) {}

    void next(std::string name);
    // Ends the last step; `sinceLaunchMs` then covers everything so far.
    void finish();

    std::vector<std::pair<std::string, double>> steps;  // name, milliseconds
    double sinceLaunchMs = 0.0;
    double peakResidentMiB = 0.0;  // at the end of start-up

private:
    std::chrono::steady_clock::time_point launch, stepStart;
    std::string current;
};

// Peak resident memory of the process so far.
double peakResidentMiB();

// Plays the benchmark on a game that has finished start-up: the bursts asked
// for are spawned and left to die out unmeasured, then the script's frames are
// run at a fixed 1/60 s clock step and timed; the table goes to `out`.
// Returns the exit status.
int runBenchmark(GLFWwindow* window, RunFlow& flow, SceneRenderer& renderer,
                 const LaunchOptions::Bench& bench, const StartupStages& startup, std::ostream& out);
