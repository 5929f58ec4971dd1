#pragma once
#include <array>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "sim/frame/Key.h"

class IniFile;

// Which gamepad button (GamepadState::Button) does each game key. The
// settings' [controls] section names them as `<action>Pad = A`, with the
// buttons named as GLFW names them without GLFW_GAMEPAD_BUTTON_ (A, B, X, Y,
// LEFT_BUMPER, START, ...). What it leaves out keeps its default: A jumps, X
// flips the camera, Start pauses, Back retries. The stick and the d-pad always
// move, and a shoulder button no action holds flips the camera, as it always did.
struct PadBindings {
    static constexpr size_t kGameKeys = static_cast<size_t>(Key::Count);
    static constexpr int kNoButton = -1;

    std::array<int, kGameKeys> buttons{};

    static PadBindings defaults();
    // Reads the `<action>Pad` keys of [controls]. A name that is not a
    // button the game lets actions use gets one line and the default; when two
    // actions name one button, the one listed first keeps it (one line) and
    // the other has none.
    static PadBindings read(const IniFile& settings, std::ostream& log);

    int button(Key key) const { return buttons[static_cast<size_t>(key)]; }
    // Whether some action holds `button`.
    bool holds(int button) const;
};

// The settings name of each button actions may hold; the d-pad is left out
// because it always moves.
std::optional<int> padButtonNamed(std::string_view name);
std::string padButtonName(int button);  // "NONE" for kNoButton
// The [controls] key of an action's pad button: "jumpPad".
std::string padKeyOf(const char* actionName);
