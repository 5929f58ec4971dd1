#include "platform/GlfwFrameHost.h"

#include "platform/GlfwKeyCodes.h"
#include "platform/GlfwPads.h"
#include "sim/frame/GamepadKeys.h"

#include <GLFW/glfw3.h>

namespace {

// The keys every gamepad GLFW knows a mapping for holds, together.
KeyMask pollGamepads(const PadBindings& padButtons)
{
    KeyMask keys = 0;
    for (const GamepadState& pad : connectedPads()) keys |= gamepadKeys(pad, padButtons);
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
