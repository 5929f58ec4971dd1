#pragma once
#include <filesystem>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <utility>

class IniFile;

// The player's own settings: $XDG_CONFIG_HOME/vaultrise/settings.ini (else
// ~/.config/vaultrise/settings.ini), read after the game's settings file; each
// key in it replaces the same key of the settings. It holds the player's
// options only: the keys that decide what a run simulates or where its files
// are ([elements], assetPath, level, loadTime, debug, useGameCamera) are never
// taken from it, so replays and proof runs do not depend on it.
// Arguments are the variables' values (null when unset); nullopt when neither
// gives an absolute folder.
std::optional<std::filesystem::path> settingsOverlayPath(const char* xdgConfigHome, const char* home);

// Whether the overlay may set this key.
bool overlayMaySet(const std::string& section, const std::string& key);

// Applies the overlay file at `path` to `settings`. A missing file changes
// nothing and says nothing; a damaged one (a line that is no INI, a file the
// file checks refuse) gets one line on `log` and changes nothing.
// Returns how many keys it replaced.
int applySettingsOverlay(IniFile& settings, const std::filesystem::path& path, std::ostream& log);

// Keys and their values by section and key, as the options menu writes them.
using OverlayValues = std::map<std::pair<std::string, std::string>, std::string>;

// `text` with `values` set: a key already there changes in place, a new one
// joins the end of its section (a missing section is added at the end), and
// every other line, comments and unknown keys included, stays as it was.
std::string overlayTextWith(const std::string& text, const OverlayValues& values);

// Writes `values` into the overlay at `path` durably, keeping what the file
// held besides them; a damaged file is replaced (the player changed an
// option). A failure costs one line on `log`.
bool writeSettingsOverlay(const std::filesystem::path& path, const OverlayValues& values, std::ostream& log);
