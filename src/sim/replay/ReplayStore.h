#pragma once
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

// Where runs are kept when no file is named for them: the XDG state folder,
// $XDG_STATE_HOME/vaultrise/replays, else ~/.local/state/vaultrise/replays.
// Only the last runs are kept, each named by its level and the time it began.

// An XDG base folder: the variable's value when it is an absolute path, else
// `underHome` inside $HOME; nullopt when neither gives an absolute folder.
// Arguments are the variables' values (null when unset).
std::optional<std::filesystem::path> xdgFolder(const char* xdgValue, const char* home, const char* underHome);

// "<folder>/<prefix><local time of `now` in strftime's `timeFormat`><extension>",
// or, when that file exists, the first free one of the same with "<separator>2"
// up to "<separator>99" before the extension (after that the last is returned).
std::filesystem::path unusedTimedPath(const std::filesystem::path& folder, const std::string& prefix,
                                      const char* timeFormat, const char* separator, const char* extension,
                                      std::time_t now);

// nullopt when neither variable gives an absolute folder.
std::optional<std::filesystem::path> defaultReplayFolder(const char* xdgStateHome, const char* home);

// Makes the folder, removes the oldest replays so that `keep` - 1 remain, and
// returns a fresh path such as "<folder>/level3-20250521-173005.replay".
// nullopt (and `error` set) when the folder cannot be made.
std::optional<std::filesystem::path> nextRunFile(const std::filesystem::path& folder, const std::string& level,
                                                 std::time_t now, int keep, std::string& error);
