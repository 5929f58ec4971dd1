#pragma once
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

// Where runs are kept when no file is named for them: the XDG state folder,
// $XDG_STATE_HOME/vaultrise/replays, else ~/.local/state/vaultrise/replays.
// Only the last runs are kept, each named by its level and the time it began.

// nullopt when neither variable gives an absolute folder.
std::optional<std::filesystem::path> defaultReplayFolder(const char* xdgStateHome, const char* home);

// Makes the folder, removes the oldest replays so that `keep` - 1 remain, and
// returns a fresh path such as "<folder>/level3-20250521-173005.replay".
// nullopt (and `error` set) when the folder cannot be made.
std::optional<std::filesystem::path> nextRunFile(const std::filesystem::path& folder, const std::string& level,
                                                 std::time_t now, int keep, std::string& error);
