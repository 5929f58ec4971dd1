#pragma once
#include <iosfwd>

#include "sim/settings/LaunchOptions.h"

// Finds the settings this run uses (GameFiles) from the current folder, the
// executable's own place and, for a build folder, the source tree, and the
// player's level folder from $XDG_DATA_HOME; fills them into `options`.
// Settings that are not the current folder's get one line on `announce`.
// False, after one line on `err`, when no game data is found.
bool lookUpGameFiles(LaunchOptions& options, std::ostream& announce, std::ostream& err);
