#pragma once
#include <iosfwd>

#include "sim/settings/LaunchOptions.h"

// The command-line modes that open no window and touch no GL. Each returns the
// process exit status.

// --replay FILE --headless: plays the run as fast as the CPU allows and prints
// one line (outcome, deciding frame, state hash) on `out`; 1 with a line on
// `err` when the file cannot be played.
int runHeadlessReplay(const LaunchOptions& options, std::ostream& out, std::ostream& err);

// --check-level N|PATH: the level checker's lines on `out`; 0 when the level is clean.
int runLevelCheck(const LaunchOptions& options, std::ostream& out);
