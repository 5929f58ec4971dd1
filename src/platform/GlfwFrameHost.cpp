#include "platform/GlfwFrameHost.h"

#include "platform/GlfwKeyCodes.h"
#include "sim/frame/GamepadKeys.h"

#include <GLFW/glfw3.h>

// The pad's layout is GLFW's standard gamepad layout, index for index.
static_assert(GamepadState::A == GLFW_GAMEPAD_BUTTON_A && GamepadState::X == GLFW_GAMEPAD_BUTTON_X &&
              GamepadState::Back == GLFW_GAMEPAD_BUTTON_BACK && GamepadState::Start == GLFW_GAMEPAD_BUTTON_START &&
              GamepadState::DpadUp == GLFW_GAMEPAD_BUTTON_DPAD_UP &&
              GamepadState::DpadLeft == GLFW_GAMEPAD_BUTTON_DPAD_LEFT &&
              GamepadState::ButtonCount == GLFW_GAMEPAD_BUTTON_LAST + 1);
static_assert(GamepadState::LeftX == GLFW_GAMEPAD_AXIS_LEFT_X && GamepadState::LeftY == GLFW_GAMEPAD_AXIS_LEFT_Y &&
              GamepadState::AxisCount == GLFW_GAMEPAD_AXIS_LAST + 1);

namespace {

// The keys every gamepad GLFW knows a mapping for holds, together.
KeyMask pollGamepads(const PadBindings& padButtons)
{
    KeyMask keys = 0;
    for (int jid = GLFW_JOYSTICK_1; jid <= GLFW_JOYSTICK_LAST; ++jid) {
        GLFWgamepadstate raw;
        if (!glfwJoystickIsGamepad(jid) || !glfwGetGamepadState(jid, &raw)) continue;
        GamepadState pad;
        for (int b = 0; b < GamepadState::ButtonCount; ++b) pad.buttons[b] = raw.buttons[b] == GLFW_PRESS;
        for (int a = 0; a < GamepadState::AxisCount; ++a) pad.axes[a] = raw.axes[a];
        keys |= gamepadKeys(pad, padButtons);
    }
    return keys;
}

}  // namespace

void GlfwFrameHost::pollEvents()
{
    glfwPollEvents();
    padKeys = pollGamepads(padButtons);
}

bool GlfwFrameHost::isKeyDown(Key key) const
{
    if (padKeys & keyBit(key)) return true;
    return boundKeyDown(bindings, key,
                        [this](KeyboardKey bound) { return glfwGetKey(window, glfwKeyCode(bound)) == GLFW_PRESS; });
}

// The renderer sets the polygon mode around the scene passes from the frame's
// view; a global mode here would also turn the blur and composite quads into lines.
void GlfwFrameHost::setWireframe(bool) {}

void GlfwFrameHost::setCursorVisible(bool visible)
{
    glfwSetInputMode(window, GLFW_CURSOR, visible ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_DISABLED);
}

void GlfwFrameHost::requestClose() { glfwSetWindowShouldClose(window, GLFW_TRUE); }

bool GlfwFrameHost::isWindowKeyDown(WindowKey key) const
{
    const size_t slot = key == WindowKey::FrameRate    ? KeyBindings::kFrameRate
                        : key == WindowKey::Screenshot ? KeyBindings::kScreenshot
                        : key == WindowKey::Mute       ? KeyBindings::kMute
                                                       : KeyBindings::kGhost;
    const KeyboardKey bound = bindings.keys[slot];
    return bound != KeyboardKey::None && glfwGetKey(window, glfwKeyCode(bound)) == GLFW_PRESS;
}
