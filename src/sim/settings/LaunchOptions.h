#pragma once
#include <cstdint>
#include <optional>
#include <string>

// Where the game looks for its settings, relative to the folder it is started in.
inline constexpr const char* kDefaultSettingsPath = "assets/settings/settings.ini";

// What the command line asks of one run. Every field left empty keeps what the
// settings file says, so a plain start behaves exactly as the settings decide.
struct LaunchOptions {
    std::string settingsPath = kDefaultSettingsPath;
    std::optional<std::string> level;     // digits only: names "level<level>.ini"
    std::optional<bool> fullscreen;
    std::optional<uint32_t> width;
    std::optional<uint32_t> height;
};
