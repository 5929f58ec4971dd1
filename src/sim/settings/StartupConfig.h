#pragma once
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include <glm/vec3.hpp>

#include "sim/settings/KeyBindings.h"
#include "sim/settings/LaunchOptions.h"
#include "sim/settings/PadBindings.h"

class IniFile;

// Which earlier run races alongside the player as a ghost: none, the
// player's best run on the level, or the level's proof run (its author).
enum class GhostChoice { Off, Best, Author };
// Whether a level setting can name a level file ("level<setting>.ini" beside
// the settings) and travel in a replay's header: printable, no folder
// separators, no space at either end, at most 64 characters.
bool usableLevelSetting(std::string_view level);

// The values the settings file decides once at start-up, read in the order the
// game reads them. Everything downstream takes its copy from here.
struct StartupConfig {
    static constexpr const char* settingsPath = kDefaultSettingsPath;
    static constexpr const char* defaultTitle = "Vaultrise [ini load error]";
    static constexpr uint32_t defaultWidth = 1920;
    static constexpr uint32_t defaultHeight = 1080;

    std::string assetPath = "../assets";
    std::string level = "0";
    // The player's own levels, looked in when no shipped level has the name.
    std::string playerLevelFolder;
    bool debug = false;
    bool useGameCamera = true;
    uint32_t renderWidth = defaultWidth;
    uint32_t renderHeight = defaultHeight;
    int refreshRate = 60;
    float brightness = 200.0f;
    bool fullscreen = false;
    std::string title = defaultTitle;
    int loadTime = 120;
    bool animations = true;
    // A decided game stays open and offers R (retry) and N (next level)
    // instead of closing the window.
    bool retry = false;
    // The ghost raced from the first Space ([general] ghost = off | best | author).
    GhostChoice ghost = GhostChoice::Off;
    // The campaign file under <assetPath>/settings whose order N follows
    // (campaign.ini in the shipped settings); empty: N takes the next number.
    std::string campaign;
    // Losing the window's focus or minimising it presses P for the player
    // (recorded as a press, so replays pause on the same frame).
    bool pauseWhenInactive = false;
    // Bloom cost for machines without a GPU: how many blur passes run (the
    // game's own 10 by default, 0 adds the bright part unblurred) and the blur
    // targets' size as a share of the render size (1.0 by default).
    int blurPasses = 10;
    float blurScale = 1.0f;
    // The keyboard key of each action ([controls]; the game's own keys by default).
    KeyBindings controls = KeyBindings::defaults();
    // The gamepad button of each game key ([controls] `<action>Pad`).
    PadBindings padButtons = PadBindings::defaults();
    // The game opens on a title screen and plays through menus (level select,
    // pause menu, options) instead of going straight into the level.
    bool menu = false;
    // Level select offers every level, won before or not (for testers).
    bool unlockAll = false;
    // The frame-rate readout (F9) is on from the start.
    bool showFrameRate = false;

    float fieldOfView = 0.0f;  // radians
    float aspectRatio = 16.0f / 9.0f;
    float nearPlane = 0.1f;
    float farPlane = 1000.0f;
    float initialCursorX = 960.0f;
    float initialCursorY = 540.0f;

    // Reads every settings key. A width or height outside 1..16384 would make
    // zero-sized or gigantic render targets, so it is reported on `log` and the
    // default size is used for that value instead; a size above 8192x8192
    // pixels in all gives the default size with a line. Brightness must be
    // finite and within a million either way. What the command line sets
    // replaces the file's value before anything is derived from it.
    static StartupConfig read(const IniFile& settings, std::ostream& log, const LaunchOptions& options = {});

    // <assetPath>/settings/level<level>.ini when it exists (a shipped level
    // wins a clash), else the player's level<level>.ini when that exists, else
    // the shipped path (whose absence the level reader reports).
    std::string levelFilePath() const;
    std::string campaignFilePath() const;
    std::string shippedLevelPath() const;
    // The player's level file of the same name as a shipped one, which is not
    // used; nullopt when there is no such clash.
    std::optional<std::string> hiddenPlayerLevel() const;
    glm::vec3 lightColour() const { return glm::vec3(brightness); }
};
