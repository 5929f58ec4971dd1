#pragma once
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "core/ExclusiveFile.h"

// Where runs are kept when no file is named for them: the XDG state folder,
// $XDG_STATE_HOME/vaultrise/replays, else ~/.local/state/vaultrise/replays.
// Only the last runs are kept, each named by its level and the time it began.

// nullopt when neither variable gives an absolute folder.
std::optional<std::filesystem::path> defaultReplayFolder(const char* xdgStateHome, const char* home);

// Makes the folder, removes the oldest replays so that `keep` - 1 remain, and
// creates a fresh file such as "<folder>/level3-20250521-173005.replay".
// An invalid file (and `error` set) when the folder or the file cannot be made.
CreatedFile nextRunFile(const std::filesystem::path& folder, const std::string& level, std::time_t now, int keep,
                        std::string& error);

// The file --record FILE gives the run's `number`th session (from 1): FILE
// itself for the first (made, or emptied: it was named on purpose), then the
// first free one of FILE-2, FILE-3 ... (before the extension), so a session
// after R or N never writes over a run recorded earlier in the launch.
CreatedFile namedRunFile(const std::filesystem::path& named, int number);
