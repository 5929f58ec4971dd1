#pragma once
#include <iosfwd>
#include <string>

#include "sim/settings/LaunchOptions.h"

// The command-line modes that open no window and touch no GL. Each returns the
// process exit status.

// --replay FILE --headless: plays the run as fast as the CPU allows and prints
// one line (outcome, deciding frame, state hash) on `out`; 1 with a line on
// `err` when the file cannot be played.
int runHeadlessReplay(const LaunchOptions& options, std::ostream& out, std::ostream& err);

struct StartupConfig;

// The line saying that a shipped level hides the player's level file `hidden`
// of the same name.
std::string hiddenLevelLine(const StartupConfig& config, const std::string& hidden);

// --check-level NAME|PATH: the level checker's lines on `out`; 0 when the level is
// clean. A clean level without a proof run is searched within the solver's
// budget (progress on `progressOut`).
int runLevelCheck(const LaunchOptions& options, std::ostream& out, std::ostream& progressOut);

// The level file that NAME (letters, digits, '-', '_': the shipped or the
// player's level<NAME>.ini) or PATH names.
std::string levelPathFor(const LaunchOptions& options, const std::string& level);
