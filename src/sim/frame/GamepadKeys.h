#pragma once
#include <array>

#include "sim/frame/Key.h"

struct PadBindings;

// One gamepad's state as the window system's gamepad API reports it, laid out
// like GLFW's standard mapping (an Xbox-style pad): buttons pressed or not,
// axes from -1 to 1 with the sticks' y pointing down.
struct GamepadState {
    enum Button { A, B, X, Y, LeftBumper, RightBumper, Back, Start, Guide, LeftThumb, RightThumb,
                  DpadUp, DpadRight, DpadDown, DpadLeft, ButtonCount };
    enum Axis { LeftX, LeftY, RightX, RightY, LeftTrigger, RightTrigger, AxisCount };

    std::array<bool, ButtonCount> buttons{};
    std::array<float, AxisCount> axes{};
};

// A stick must lean further than this from the centre before it moves the player.
inline constexpr float kStickDeadZone = 0.2f;

// The game keys a pad holds. Movement in this game is a key held or not, so
// the left stick leaning past the dead zone along an axis holds that direction's
// key, the same as the keyboard (a stick pushed fully is one key held, never
// more); the d-pad holds the same keys. The buttons hold the keys `bindings`
// gives them (by default A jumps and starts, X flips the camera, Start
// pauses, Back retries); a shoulder button no action holds flips the camera.
KeyMask gamepadKeys(const GamepadState& pad, const PadBindings& bindings);
KeyMask gamepadKeys(const GamepadState& pad);  // with the default buttons
