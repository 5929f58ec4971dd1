#include "platform/GlfwPads.h"

#include <GLFW/glfw3.h>

static_assert(GamepadState::A == GLFW_GAMEPAD_BUTTON_A && GamepadState::X == GLFW_GAMEPAD_BUTTON_X &&
              GamepadState::Back == GLFW_GAMEPAD_BUTTON_BACK && GamepadState::Start == GLFW_GAMEPAD_BUTTON_START &&
              GamepadState::DpadUp == GLFW_GAMEPAD_BUTTON_DPAD_UP &&
              GamepadState::DpadLeft == GLFW_GAMEPAD_BUTTON_DPAD_LEFT &&
              GamepadState::ButtonCount == GLFW_GAMEPAD_BUTTON_LAST + 1);
static_assert(GamepadState::LeftX == GLFW_GAMEPAD_AXIS_LEFT_X && GamepadState::LeftY == GLFW_GAMEPAD_AXIS_LEFT_Y &&
              GamepadState::AxisCount == GLFW_GAMEPAD_AXIS_LAST + 1);

std::vector<GamepadState> connectedPads()
{
    std::vector<GamepadState> pads;
    for (int jid = GLFW_JOYSTICK_1; jid <= GLFW_JOYSTICK_LAST; ++jid) {
        GLFWgamepadstate raw;
        if (!glfwJoystickIsGamepad(jid) || !glfwGetGamepadState(jid, &raw)) continue;
        GamepadState pad;
        for (int b = 0; b < GamepadState::ButtonCount; ++b) pad.buttons[b] = raw.buttons[b] == GLFW_PRESS;
        for (int a = 0; a < GamepadState::AxisCount; ++a) pad.axes[a] = raw.axes[a];
        pads.push_back(pad);
    }
    return pads;
}
