#pragma once
#include <filesystem>
#include <optional>
#include <string_view>

// The desktop's own folders, as xdg-user-dirs writes them into
// $XDG_CONFIG_HOME/user-dirs.dirs (else ~/.config/user-dirs.dirs), one line each:
//     XDG_PICTURES_DIR="$HOME/Bilder"
// Values are "$HOME/<path>" or an absolute path in double quotes; '#' starts a
// comment line. `name` is the variable (XDG_PICTURES_DIR); nullopt when the
// text does not set it usably, or sets it to $HOME itself (the desktop's way of
// saying "no such folder").
std::optional<std::filesystem::path> userDirFromText(std::string_view text, std::string_view name, const char* home);

// The same from the file the environment points at; nullopt when it is missing.
std::optional<std::filesystem::path> userDir(std::string_view name, const char* xdgConfigHome, const char* home);
