#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "sim/menu/MenuScreen.h"
#include "sim/settings/KeyboardKey.h"

struct GamepadState;

// The menu's buttons as a set: bit k for MenuCommand k.
using MenuButtons = uint8_t;
constexpr MenuButtons menuBit(MenuCommand c) { return static_cast<MenuButtons>(1u << static_cast<unsigned>(c)); }

// What the window gave the menus in one frame, besides the buttons held:
// the first key or pad button that went down (for a controls entry waiting
// for one), and the pointer.
struct MenuFrameInput {
    MenuButtons held = 0;
    std::optional<KeyboardKey> keyPressed;  // a key that went down this frame
    std::optional<int> padButtonPressed;  // a GamepadState::Button that went down this frame
    std::optional<std::pair<float, float>> pointer;  // render pixels from the lower-left, when it moved
    bool clicked = false;                 // the primary button went down over the pointer's place
};

// The menu buttons held on the keyboard (arrows and W A S D, Enter and Space,
// Escape and Backspace; fixed, whatever [controls] says, so a menu can always
// be worked), asked of the keyboard.
MenuButtons menuKeysHeld(const std::function<bool(KeyboardKey)>& keyDown);
// The menu buttons a pad holds: the d-pad or the left stick leaning past half
// way, A to choose, B to go back.
MenuButtons menuPadHeld(const GamepadState& pad);

// Turns the buttons held each frame into menu commands. A choice or a back
// acts once per press. A direction acts when pressed, and while it stays held
// repeats after kRepeatDelay seconds every kRepeatInterval seconds; the time
// is the frame clock's, so the same frames give the same commands; a frame
// counts for at most kRepeatInterval of it. Only the
// latest direction pressed repeats.
class MenuInput {
public:
    static constexpr float kRepeatDelay = 0.5f;
    static constexpr float kRepeatInterval = 0.1f;

    std::vector<MenuCommand> frame(MenuButtons held, float deltaTime);
    // Forgets what was held, so a key still down when a menu opens does not act in it.
    void holdAll(MenuButtons held) { previous = held; repeating = -1; }

private:
    MenuButtons previous = 0;
    int repeating = -1;    // the direction repeating (a MenuCommand), -1 for none
    float heldFor = 0.0f;  // seconds since it was pressed or last repeated
    bool repeated = false; // it has repeated at least once
};
