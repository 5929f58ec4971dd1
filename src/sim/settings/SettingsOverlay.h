#pragma once
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

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
