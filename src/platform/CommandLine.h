#pragma once
#include <iosfwd>
#include <optional>

#include "sim/settings/LaunchOptions.h"

// The outcome of reading the command line: either options to run with, or an
// exit status because the run ends here (--help, --version: 0; bad usage: 2).
struct CommandLine {
    LaunchOptions options;
    std::optional<int> exitStatus;
};

// Reads argv in the usual Linux way. Help and version go to `out`; a bad option
// or value gets one line naming it, then the usage, on `err`.
CommandLine parseCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
