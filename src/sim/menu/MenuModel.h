#pragma once
#include <optional>
#include <string>
#include <vector>

#include "sim/menu/MenuScreen.h"
#include "sim/menu/PlayerOptions.h"

// One level as level select lists it.
struct MenuLevel {
    std::string level;  // the level setting: "2" plays <assetPath>/settings/level2.ini
    std::string name;   // the level file's own name ("Moonwalk")
    std::string set;    // the set it is listed in, shown as a heading over it (empty: no heading)
    std::optional<float> bestSeconds;
    std::string medal;  // empty until the level has one
    bool locked = false;
};

// How the last run ended, for the end-of-run menu.
struct RunSummary {
    bool won = false;
    float seconds = 0.0f;
    bool newBest = false;
    std::string medal;
};

// The options screen's values, in the order they are listed.
enum class OptionId : int { Volume, Effects, Music, Fullscreen, RenderSize, Bloom, FrameRate, PauseWhenInactive, Count };

// Everything the menus show besides their own state.
struct MenuModel {
    std::vector<MenuLevel> levels;
    PlayerOptions options;
    std::vector<RenderSize> sizes;  // the render sizes offered, smallest first
    RunSummary run;
};

// The entries of `screen` for `model`, in focus order; `waitingEntry` (-1 for
// none) is the controls entry waiting for its key or button.
std::vector<MenuEntry> menuEntries(MenuScreen screen, const MenuModel& model, int waitingEntry = -1);

// Steps an option one place (`step` -1 or +1): volumes by a tenth within 0..1,
// switches over, the render size and the bloom along their lists (stopping at
// the ends). False when the value stayed as it was.
bool stepOption(MenuModel& model, OptionId option, int step);

// "1:05.32" for 65.32 seconds; "--" for none.
std::string runTimeText(std::optional<float> seconds);
