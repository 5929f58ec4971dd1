#pragma once
#include <cstdint>
#include <string>

// The menus' screens. The title, level select and options open from the
// title; the pause menu during play; the run's end menu when a run is won or
// lost; the controls from the options.
enum class MenuScreen : uint8_t { Title, LevelSelect, Options, Controls, Pause, RunEnd };
inline constexpr int kMenuScreens = 6;

// What a menu reads each frame: a direction (after its repeat), a choice, or
// leaving the screen.
enum class MenuCommand : uint8_t { Up, Down, Left, Right, Select, Back };

// What choosing an entry does.
enum class MenuAction : uint8_t {
    Open,           // opens the entry's `target` screen over this one
    Back,           // leaves the screen, as Escape does
    StartLevel,     // `index`: the level's place in the level list
    Resume,
    Restart,        // the same level again
    NextLevel,
    Quit,
    Option,         // `index`: an OptionId; Left and Right change its value
    BindKey,        // `index`: a KeyBindings slot; the next key pressed binds it
    BindPad,        // `index`: a game key; the next pad button pressed binds it
    ResetControls,  // every key and button back to its default
    Heading,        // a set's name over its levels: shown, never focused or chosen
};

// One entry of a screen, placed on the screen's grid of columns and rows
// (directional focus moves over that grid).
struct MenuEntry {
    std::string label;
    std::string value;  // shown after the label: an option's value, a level's best time, a key
    MenuAction action = MenuAction::Back;
    MenuScreen target = MenuScreen::Title;
    int index = 0;
    bool enabled = true;  // a locked level can be looked at but not started
    int column = 0;
    int row = 0;
};

inline bool takesFocus(const MenuEntry& entry) { return entry.action != MenuAction::Heading; }

const char* menuScreenTitle(MenuScreen screen);
