#pragma once
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

#include "sim/replay/ReplayFile.h"

// The replay of each level's best run, kept apart from the rolling replay
// folder and never pruned: $XDG_DATA_HOME/vaultrise/best/level<level>.replay
// (else ~/.local/share/vaultrise/best/). The ghost races it.

// nullopt when neither variable gives an absolute folder.
std::optional<std::filesystem::path> defaultBestRunFolder(const char* xdgDataHome, const char* home);
std::filesystem::path bestRunPath(const std::filesystem::path& folder, const std::string& level);

// Replaces the file at `path` with `replay` whole: a temporary file, flushed
// to the disk, renamed over the old one, and the folder flushed, so that a
// crash leaves the old run or the new one. A failure costs one line on `log`.
bool saveBestRun(const std::filesystem::path& path, const Replay& replay, std::ostream& log);

// The best run kept at `path` when it was recorded on the level file at
// `levelPath` and the catalogue in `settingsPath` as they are now (an edited
// level has no best run yet); nullopt when there is none, or it cannot be read.
std::optional<Replay> loadBestRun(const std::filesystem::path& path, const std::string& levelPath,
                                  const std::string& settingsPath);
